#include "gcm.h"

#include <cstdio>

IDirectFB* g_dfb = nullptr;

namespace {

IDirectFBDisplayLayer* g_layer = nullptr;

// Options for the dummy system. The crash handler owns the signals, and a
// machine without a console must not make DirectFB reach for a terminal. The
// GUI draws into its window, and everything that looks at a frame (screenshots,
// pictures, the desktop window) reads the window's surface; the plane of the
// set is display memory, not the program's. So the headless plane is a token
// 8 x 8 with no back buffer: a full-size one would cost 2 MB of the process's
// memory and a composition at every flip that nobody sees.
char kHeadlessOptions[] =
    "--dfb:system=dummy,mode=8x8,layer-buffer-mode=frontonly,no-vt,no-vt-switch,no-sighandler,no-banner,"
    "quiet,disable-module=mesa_system";
char kDisplayOptions[] = "--dfb:no-sighandler,no-banner,quiet";
char kProgramName[] = "tvui";

}  // namespace

extern "C" {

IDirectFB* GCM_GetDirectFB(void) { return g_dfb; }

IDirectFBDisplayLayer* GCM_GetDisplayLayer(void) { return g_dfb ? g_layer : nullptr; }

int GCM_Start(int headless) {
  if (g_dfb) return 0;
  char* args[] = {kProgramName, headless ? kHeadlessOptions : kDisplayOptions, nullptr};
  int argc = 2;
  char** argv = args;
  DFBResult result = DirectFBInit(&argc, &argv);
  if (result != DFB_OK) {
    std::printf("GCM_Start: DirectFBInit = 0x%08X Failed\n", static_cast<unsigned>(result));
    return result;
  }
  IDirectFB* dfb = nullptr;
  result = DirectFBCreate(&dfb);
  if (result != DFB_OK) {
    std::printf("GCM_Start: DirectFBCreate = 0x%08X Failed\n", static_cast<unsigned>(result));
    return result;
  }
  IDirectFBDisplayLayer* layer = nullptr;
  result = dfb->GetDisplayLayer(dfb, DLID_PRIMARY, &layer);
  if (result == DFB_OK) result = layer->SetCooperativeLevel(layer, DLSCL_SHARED);
  if (result != DFB_OK) {
    std::printf("GCM_Start: display layer = 0x%08X Failed\n", static_cast<unsigned>(result));
    if (layer) layer->Release(layer);
    dfb->Release(dfb);
    return result;
  }
  g_layer = layer;
  g_dfb = dfb;
  return 0;
}

void GCM_Stop(void) {
  if (g_layer) g_layer->Release(g_layer);
  g_layer = nullptr;
  if (g_dfb) g_dfb->Release(g_dfb);
  g_dfb = nullptr;
}

}  // extern "C"
