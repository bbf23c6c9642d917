#include "gcm.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "nvpath.h"

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

// DirectFB opens every module of its folders to pick one: each system, input
// and graphics driver there, and the X11, GL and DRM libraries some of them
// need, some ten milliseconds of a start and a megabyte and a half mapped for
// nothing. The headless set uses the dummy system and the default window
// manager, so DirectFB is shown a folder of links to those two, and to its
// interfaces (font and picture providers, opened only when asked for), in
// the set's temporary folder. Empty when there is no set's folder of its own
// (no TVUI_ROOT, or the system's root) or the links cannot be made: DirectFB
// then looks in its own folders.
std::string ModuleFolder() {
  const char* root = std::getenv("TVUI_ROOT");
  if (!root || !*root || std::string(NvRootDir()) == "/") return {};
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&DirectFBInit), &info) == 0 || !info.dli_fname) return {};
  const std::string library = info.dli_fname;
  const size_t slash = library.rfind('/');
  if (slash == std::string::npos) return {};
  // The folder is named after the library's version and its interface's:
  // libdirectfb-1.7.so.7 keeps its modules in directfb-1.7-7.
  const size_t so = library.find(".so.", slash);
  if (library.compare(slash, 13, "/libdirectfb-") != 0 || so == std::string::npos) return {};
  const std::string modules = library.substr(0, slash) + "/directfb-" + library.substr(slash + 13, so - slash - 13) +
                              "-" + library.substr(so + 4);
  const std::string folder = NvPath("/tmp/directfb-modules");
  if (folder.empty() || folder.find(',') != std::string::npos) return {};
  for (const std::string module : {"systems/libdirectfb_dummy.so", "wm/libdirectfbwm_default.so", "interfaces"}) {
    const std::string target = modules + "/" + module;
    const std::string link = folder + "/" + module;
    if (access(target.c_str(), R_OK) != 0) {
      std::fprintf(stderr, "GCM_Start: no %s: DirectFB looks in all its modules\n", target.c_str());
      return {};
    }
    // Made beside the link and renamed over it, so that another process of
    // the same set never finds the link missing; in its folder as the set
    // reaches its files, never through a link out of the set's folder.
    std::string name, why;
    const int at = NvOpenFolderOf(link, &name, true, &why);
    const std::string made = name + "." + std::to_string(getpid());
    if (at >= 0) unlinkat(at, made.c_str(), 0);
    if (at < 0 || symlinkat(target.c_str(), at, made.c_str()) != 0 ||
        renameat(at, made.c_str(), at, name.c_str()) != 0) {
      if (why.empty()) why = std::strerror(errno);
      std::fprintf(stderr, "GCM_Start: cannot link %s: %s\n", link.c_str(), why.c_str());
      if (at >= 0) {
        unlinkat(at, made.c_str(), 0);
        close(at);
      }
      return {};
    }
    close(at);
  }
  return folder;
}

}  // namespace

extern "C" {

IDirectFB* GCM_GetDirectFB(void) { return g_dfb; }

IDirectFBDisplayLayer* GCM_GetDisplayLayer(void) { return g_dfb ? g_layer : nullptr; }

int GCM_Start(int headless) {
  if (g_dfb) return 0;
  std::string options = headless ? kHeadlessOptions : kDisplayOptions;
  if (headless) {
    const std::string modules = ModuleFolder();
    if (!modules.empty()) options += ",module-dir=" + modules;
  }
  char* args[] = {kProgramName, options.data(), nullptr};
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
