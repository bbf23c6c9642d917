#include "gcm.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
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

// The modules that the headless set loads, below the system's folder of
// DirectFB's modules, and where their links lie in the set's folder of them.
constexpr const char* kModules[] = {"systems/libdirectfb_dummy.so", "wm/libdirectfbwm_default.so", "interfaces"};

// The system's folder of DirectFB's modules, named after the library's
// version and its interface's (libdirectfb-1.7.so.7 keeps its modules in
// directfb-1.7-7); empty when the library is not found so.
std::string SystemModules() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&DirectFBInit), &info) == 0 || !info.dli_fname) return {};
  const std::string library = info.dli_fname;
  const size_t slash = library.rfind('/');
  if (slash == std::string::npos) return {};
  const size_t so = library.find(".so.", slash);
  if (library.compare(slash, 13, "/libdirectfb-") != 0 || so == std::string::npos) return {};
  return library.substr(0, slash) + "/directfb-" + library.substr(slash + 13, so - slash - 13) + "-" +
         library.substr(so + 4);
}

// A folder the set made for its links, as lstat or fstat tells it: its
// owner's alone, and the owner the process. Another user could otherwise
// put a library of theirs in it.
bool Private(const struct stat& info) {
  return S_ISDIR(info.st_mode) && info.st_uid == geteuid() && (info.st_mode & 077) == 0;
}

// Whether the entry PATH of the module folder (lying in the folder IN as
// NAME) is one the set makes there: a private folder of links, or a link to
// the system's module of that name in MODULES.
bool OwnModuleEntry(int in, const std::string& path, const std::string& name, const struct stat& kind,
                    const std::string& modules) {
  if (S_ISDIR(kind.st_mode)) return (path == "systems" || path == "wm") && Private(kind);
  char target[PATH_MAX];
  const ssize_t length = S_ISLNK(kind.st_mode) ? readlinkat(in, name.c_str(), target, sizeof target) : -1;
  for (const char* module : kModules)
    if (path == module && length > 0 && std::string(target, size_t(length)) == modules + "/" + module) return true;
  return false;
}

// Walks the module folder (a handle) and calls FOREIGN with the path below
// it of each entry that is none of the set's own; false when the folder
// could not be walked whole (WHY says why).
bool WalkForeignModules(int folder, const std::string& modules, const std::function<void(const std::string&)>& foreign,
                        std::string* why) {
  struct Walker final : NvWalker {
    const std::string& modules;
    const std::function<void(const std::string&)>& foreign;
    Walker(const std::string& m, const std::function<void(const std::string&)>& f) : modules(m), foreign(f) {}
    Step Entry(int in, const std::string& below, const std::string& entry, const struct stat& kind) override {
      const std::string path = below + entry;
      if (!OwnModuleEntry(in, path, entry, kind, modules)) foreign(path);
      return S_ISDIR(kind.st_mode) ? kEnter : kSkip;
    }
  } walker(modules, foreign);
  return NvWalk(folder, walker, why);
}

// What the module folder the set made (a handle; SHOWN names it) holds that
// the set did not put there, or why it is no longer the set's alone: empty
// when it is the private folder of the set's own links alone.
std::string ForeignModules(int folder, const std::string& shown, const std::string& modules) {
  constexpr const char* kRuns = ", and DirectFB runs every library it finds there";
  struct stat info {};
  if (fstat(folder, &info) != 0) return shown + " cannot be read: " + std::strerror(errno);
  if (!Private(info))
    return shown + " is no longer open to the set's user alone (owner " + std::to_string(info.st_uid) + ", mode " +
           std::to_string((info.st_mode >> 6) & 7) + std::to_string((info.st_mode >> 3) & 7) +
           std::to_string(info.st_mode & 7) + "): another process changed it as the set made it" + kRuns;
  std::string found, why;
  const bool whole = WalkForeignModules(
      folder, modules, [&found](const std::string& path) { found += (found.empty() ? "" : ", ") + path; }, &why);
  if (!found.empty())
    return shown + " holds " + found +
           ", which is not one of the set's own links to the system's display modules: another process put it there "
           "as the set made the folder" +
           kRuns;
  if (!whole) return shown + " cannot be read whole: " + why;
  return {};
}

// Removes NAME from the folder AT (a handle), a folder with all it holds,
// following no link, and says what of it was not one of the set's own
// links to the system's modules in MODULES (SHOWN names it). False when
// something stays.
bool RemoveModuleFolder(int at, const std::string& name, const std::string& shown, const std::string& modules) {
  struct stat info {};
  if (fstatat(at, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return errno == ENOENT;
  if (!S_ISDIR(info.st_mode)) {
    std::fprintf(stderr, "GCM_Start: %s is no folder of the set's links to display modules: removed\n", shown.c_str());
    return unlinkat(at, name.c_str(), 0) == 0;
  }
  const int folder = openat(at, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (folder < 0) return false;
  // What a run before left is named where it is none of the set's own.
  WalkForeignModules(
      folder, modules,
      [&shown](const std::string& path) {
        std::fprintf(stderr,
                     "GCM_Start: %s/%s is not one of the set's own links to the system's display modules, which "
                     "alone DirectFB is shown: removed\n",
                     shown.c_str(), path.c_str());
      },
      nullptr);
  const bool emptied = NvEmptyFolder(folder);
  close(folder);
  return emptied && unlinkat(at, name.c_str(), AT_REMOVEDIR) == 0;
}

// DirectFB opens every module of its folders to pick one: each system, input
// and graphics driver there, and the X11, GL and DRM libraries some of them
// need, some ten milliseconds of a start and a megabyte and a half mapped for
// nothing. The headless set uses the dummy system and the default window
// manager, so DirectFB is shown a folder of links to those two, and to its
// interfaces (font and picture providers, opened only when asked for), in
// the set's temporary folder. DirectFB runs whatever library it finds there,
// so the folder is made afresh at each start, open to its owner alone, and
// holds the set's links and nothing else: what a run before left there goes
// (the set's folder is one run's at a time). DirectFB is given the folder
// by the handle the set holds on it for the life of the process
// (/proc/self/fd/N), not by its name: a folder put in its place by name
// after it was made is never read. Empty when there is no set's
// folder of its own (no TVUI_ROOT, or the system's root) or the folder cannot
// be made so: DirectFB then looks in its own folders.
//
// Another process of the same user may still reach the folder by its name
// while it is made, and put a library in it, or a folder of its own in its
// place: the handle is judged before DirectFB is shown it, and again once
// DirectFB has started (GCM_Start), when what it found there has run.
struct HeldModules {
  int folder = -1;
  std::string shown;    // the folder's path, for messages
  std::string modules;  // the system's folder of modules its links lead to
};
HeldModules g_held;
std::string g_moduleFault;

std::string ModuleFolder() {
  const char* root = std::getenv("TVUI_ROOT");
  if (!root || !*root || std::string(NvRootDir()) == "/") return {};
  const std::string modules = SystemModules();
  if (modules.empty()) return {};
  const std::string folder = NvPath("/tmp/directfb-modules");
  if (folder.empty() || folder.find(',') != std::string::npos) return {};
  for (const char* module : kModules) {
    const std::string target = modules + "/" + module;
    if (access(target.c_str(), R_OK) != 0) {
      std::fprintf(stderr, "GCM_Start: no %s: DirectFB looks in all its modules\n", target.c_str());
      return {};
    }
  }
  // In its folder as the set reaches its files, never through a link out
  // of the set's folder.
  std::string name, why;
  const int tmp = NvOpenFolderOf(folder, &name, true, &why);
  int made = -1;
  if (tmp < 0) {
    if (why.empty()) why = std::strerror(errno);
  } else if (!RemoveModuleFolder(tmp, name, folder, modules)) {
    why = "what a run before left there cannot all be removed";
  } else if (mkdirat(tmp, name.c_str(), 0700) != 0 ||
             (made = openat(tmp, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)) < 0 ||
             mkdirat(made, "systems", 0700) != 0 || mkdirat(made, "wm", 0700) != 0) {
    why = std::strerror(errno);
  } else {
    for (const char* module : kModules) {
      if (symlinkat((modules + "/" + module).c_str(), made, module) != 0) {
        why = std::string("cannot link ") + module + ": " + std::strerror(errno);
        break;
      }
    }
  }
  if (tmp >= 0) close(tmp);
  // A folder that is not the set's private one is not used; one that holds
  // what the set did not put there stops the start (GCM_Start).
  struct stat info {};
  if (why.empty() && (fstat(made, &info) != 0 || !Private(info)))
    why = "the folder made is not open to the set's user alone";
  if (why.empty()) g_moduleFault = ForeignModules(made, folder, modules);
  if (!g_moduleFault.empty()) {
    close(made);
    return {};
  }
  if (!why.empty()) {
    if (made >= 0) close(made);
    std::fprintf(stderr, "GCM_Start: cannot make %s: %s; DirectFB looks in all its modules\n", folder.c_str(),
                 why.c_str());
    return {};
  }
  // Held open for good: DirectFB opens its interfaces' modules when first
  // asked for one, long after the start.
  if (g_held.folder >= 0) close(g_held.folder);
  g_held = {made, folder, modules};
  return "/proc/self/fd/" + std::to_string(made);
}

}  // namespace

extern "C" {

IDirectFB* GCM_GetDirectFB(void) { return g_dfb; }

IDirectFBDisplayLayer* GCM_GetDisplayLayer(void) { return g_dfb ? g_layer : nullptr; }

const char* GCM_ModuleFault(void) { return g_moduleFault.c_str(); }

int GCM_Start(int headless) {
  if (g_dfb) return 0;
  std::string options = headless ? kHeadlessOptions : kDisplayOptions;
  if (headless) {
    const std::string modules = ModuleFolder();
    if (!g_moduleFault.empty()) return GCM_FOREIGN_MODULES;
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
  // DirectFB has run what it found among the modules: anything there but
  // the set's own links ends the start.
  if (headless && g_held.folder >= 0) {
    g_moduleFault = ForeignModules(g_held.folder, g_held.shown, g_held.modules);
    if (!g_moduleFault.empty()) {
      layer->Release(layer);
      dfb->Release(dfb);
      return GCM_FOREIGN_MODULES;
    }
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
