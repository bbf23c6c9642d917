#include "launch.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <linux/magic.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "Fonts/Fonts.h"
#include "GenFont.h"
#include "SkinBin/Wrapper.h"
#include "Strings.h"
#include "bcm.h"
#include "gcm.h"
#include "gui_loop.h"
#include "host_time.h"
#include "nvpath.h"
#include "nonmenu_root.h"
#include "out_folder.h"
#include "output_tee.h"
#include "probe_root.h"
#include "product_lines.h"
#include "remote_keys.h"
#include "scenario.h"
#include "set_power.h"
#include "sigstack.h"
#include "simtv.h"
#include "vgdebug.h"
#include "vgresmap.h"
#include "vgstring.h"
#include "window.h"
#include "xpm_events.h"

namespace fs = std::filesystem;

// Present in a build with a sanitizer only.
extern "C" void __sanitizer_set_death_callback(void (*callback)(void)) __attribute__((weak));
extern "C" void __sanitizer_set_report_fd(void* fd) __attribute__((weak));

namespace {

struct Options {
  bool window = false;
  bool quiet = false;
  bool fresh = false;
  std::string scenario;
  std::string out = "out";
  std::string root;
};

// The roots a run can boot with, and the scenario lines of their own.
struct RootChoice {
  const char* name;
  const GuiRootOps* ops;  // null: the product's
  std::span<const ScenarioCommand> commands;
  const SetPowerOps* power;  // null: no standby
  const char* meaning;
};

std::vector<RootChoice> Roots() {
  return {
      {"product", nullptr, TvuiProduct::Commands(), TvuiProduct::Power(),
       "the product's application root (the default)"},
      {"nonmenu", &TvuiNonMenu::Ops(), TvuiNonMenu::Commands(), nullptr,
       "the non-menu screens alone, with test screens of their own"},
      {"probe", &TvuiProbe::Ops(), {}, nullptr, "a root that shows every key (as a key line names it) and event it receives as text"},
  };
}

const RootChoice* FindRoot(const std::string& name) {
  static const std::vector<RootChoice> roots = Roots();
  for (const RootChoice& root : roots)
    if (name == root.name) return &root;
  return nullptr;
}

void Usage() {
  std::printf(
      "usage: tvui [--window] [--scenario FILE] [--out DIR] [--root NAME] [--fresh] [--quiet]\n"
      "\n"
      "Runs the television's user interface on a simulated set.\n"
      "  (default)        headless on DirectFB's in-memory system and the set's virtual clock:\n"
      "                   runs the scenario (the demonstration when none is named: a tour from the\n"
      "                   factory, always on a set fresh from the factory, as with --fresh) and writes\n"
      "                   its screenshots to DIR\n"
      "  --window         a desktop window on the real clock; the keyboard is the remote control\n"
      "                   (it needs a Wayland compositor or an X server: Xvfb :1 & then DISPLAY=:1\n"
      "                   where there is none)\n"
      "                   (the scenario's root and tv lines set the scene; without one, the demo set)\n"
      "  --scenario FILE  the scenario to run, a regular file (see its lines below); one a run\n"
      "  --out DIR        where screenshots go (default: out; --out=DIR too), never the system's root,\n"
      "                   one of its folders, a new folder in it or lost+found; a run first removes what\n"
      "                   the run before wrote there (listed in DIR/.tvui-out) and never writes over a\n"
      "                   file it did not write; one run at a time writes it\n"
      "  --root NAME      the root to boot with instead of the scenario's; one a run\n"
      "  --fresh          start from a set fresh from the factory: the set's own folders, mnt and tmp (its\n"
      "                   settings and files), removed and the rest of its folder left alone, in a folder\n"
      "                   that carries the set's mark only (one the set made, or found empty)\n"
      "  --quiet          only the runner's own lines: not the product's log\n"
      "The set's files live in TVUI_ROOT, by default rootfs in the build folder: a new or empty folder, or\n"
      "one that carries the set's mark (a folder of the user's own is refused); one run at a time uses it.\n"
      "A folder that cannot be made or written is refused, and so are the places refused for --out.\n"
      "\n"
      "Exit status: 0 when every line passed (or the window was closed); 1 when a line failed or the run\n"
      "could not go on (a file or folder could not be read, written, removed or locked, the font is missing or\n"
      "unusable, DirectFB did not start, the standard output could not be written); 2 when the options, the\n"
      "scenario or a folder are refused before the set boots; 86 when the set resets (its watchdog, or the\n"
      "crash handler); 130 on Ctrl-C; 143 on SIGTERM; a sanitizer's report ends the run with the sanitizer's\n"
      "own status.\n"
      "\n"
      "Keys (scenario name, window key, hardware key code, GUI key code, role):\n");
  for (const RemoteKey& key : RemoteKeys())
    std::printf("  %-10s %-9s %3d %3d  %s\n", key.name, key.pcKey ? key.pcKey : "", key.keyCode, key.guiKey,
                key.meaning);
  std::printf(
      "  key 0 to key 9 are the digit keys; any other number, 10 to 277, is taken as a DirectFB hardware key\n"
      "  code, and key gui N sends GUI key code N\n"
      "\n"
      "How a scenario starts: the set boots in standby, where no key but the power key reaches\n"
      "it (a key line fails then; the power key wakes the set). A scenario of screens starts with\n"
      "  tv demo            (or fresh, or fixture FILE: the set's content)\n"
      "  tv on              (the set switched on past the first-time setup, on live television)\n"
      "or wakes the set itself: advance 1000, store SetupStep 9, event XPM_EVENT_WAKEUP Reason=1,\n"
      "advance 1000; a scenario of the first-time setup wakes it without storing the step.\n"
      "\n"
      "Scenario lines (tools/tvui/scenario.h describes the language):\n");
  PrintScenarioCommands(stdout, ScenarioCommands());
  for (const RootChoice& root : Roots()) {
    std::printf("\n--root %s: %s%s\n", root.name, root.meaning, root.commands.empty() ? "" : "; its own lines:");
    PrintScenarioCommands(stdout, root.commands);
  }
}

// The status to end with once everything is flushed: a run whose standard
// output could not be written (a full disk behind it) did not say what it
// did, and does not end well.
int CheckedStatus(int status) {
  errno = 0;
  const bool flushed = std::fflush(stdout) == 0;
  const int reason = errno;
  std::fflush(nullptr);
  if (flushed && !std::ferror(stdout) && !OutputTee::OutputLost()) return status;
  std::fprintf(stderr, "tvui: the standard output could not be written%s%s%s: what the run printed there is lost\n",
               reason ? " (" : "", reason ? std::strerror(reason) : "", reason ? ")" : "");
  return status == 0 ? 1 : status;
}

// Ends the process before the set boots. Without the exit handlers: DirectFB's
// libraries register theirs as they load, and run at exit they take locks
// that were never made, which the thread sanitizer reports, ending the
// process with its own status instead of this one.
[[noreturn]] void EndBeforeTheSet(int status) {
  _exit(CheckedStatus(status));
}

[[noreturn]] void Refuse(const std::string& message, int status = 2) {
  std::fflush(nullptr);
  std::fprintf(stderr, "tvui: %s\n", message.c_str());
  EndBeforeTheSet(status);
}

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    // --out=DIR is --out DIR, as with most programs' long options.
    const size_t equals = arg.starts_with("--") ? arg.find('=') : std::string::npos;
    const std::string given = equals == std::string::npos ? std::string() : arg.substr(equals + 1);
    if (equals != std::string::npos) arg.resize(equals);
    auto value = [&](std::string* out) {
      if (equals != std::string::npos) {
        if (given.empty()) Refuse(arg + " needs a value (see --help)");
        *out = given;
        return;
      }
      if (i + 1 >= argc || argv[i + 1][0] == '\0' || std::strncmp(argv[i + 1], "--", 2) == 0)
        Refuse(arg + " needs a value (see --help)");
      *out = argv[++i];
    };
    // A run runs one scenario on one root: a second of either would leave
    // the first unrun, and a run that passes would not say so. A later
    // --out takes the place of an earlier one, as scripts/run.sh counts on.
    auto once = [&](std::string* out, const char* what) {
      const std::string first = *out;
      value(out);
      if (!first.empty())
        Refuse(arg + " is given twice (" + first + ", then " + *out + "): " + what + " (see --help)");
    };
    const bool takesValue = arg == "--scenario" || arg == "--out" || arg == "--root";
    if (equals != std::string::npos && !takesValue) Refuse("unknown option " + std::string(argv[i]) + " (see --help)");
    if (arg == "--help" || arg == "-h") {
      Usage();
      EndBeforeTheSet(0);
    } else if (arg == "--window") {
      options.window = true;
    } else if (arg == "--quiet") {
      options.quiet = true;
    } else if (arg == "--fresh") {
      options.fresh = true;
    } else if (arg == "--scenario") {
      once(&options.scenario, "a run runs one scenario");
    } else if (arg == "--out") {
      value(&options.out);
    } else if (arg == "--root") {
      once(&options.root, "the set boots with one root");
    } else {
      Refuse("unknown option " + arg + " (see --help)");
    }
  }
  return options;
}

// ------------------------------------------- where the program finds things

// Installed, the program lies in PREFIX/bin with its files in
// PREFIX/share/tvui; built, it finds them in the tree it was built from and
// keeps the set's files in the build folder.
fs::path InstalledFiles() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error) return {};
  const fs::path share = program.parent_path().parent_path() / "share" / "tvui";
  return fs::is_directory(share, error) ? share : fs::path();
}

fs::path FontFile() {
  const fs::path installed = InstalledFiles();
  return installed.empty() ? fs::path(TVUI_SOURCE_DIR) / "fonts" / "tt7268m_803.ttf"
                           : installed / "fonts" / "tt7268m_803.ttf";
}

// What puts the font back where the program looks for it: the install
// copies it from the tree, where scripts/deps.sh puts it.
std::string FontRemedy() {
  return InstalledFiles().empty() ? "bash scripts/deps.sh puts the font there"
                                  : "installing tvui again (cmake --install) puts the font there";
}

fs::path DemoScenario() {
  const fs::path installed = InstalledFiles();
  return installed.empty() ? fs::path(TVUI_SOURCE_DIR) / "tools" / "tvui" / "demo.scn"
                           : installed / "demo.scn";
}

fs::path DefaultSetFolder() {
  if (InstalledFiles().empty()) return fs::path(TVUI_BUILD_DIR) / "rootfs";
  const char* state = std::getenv("XDG_STATE_HOME");
  const char* home = std::getenv("HOME");
  const fs::path base = state && *state ? fs::path(state) : fs::path(home ? home : "/tmp") / ".local" / "state";
  return base / "tvui" / "rootfs";
}

// A folder the set made carries this mark, so that a fresh set is made only
// in a folder of the set's own and never in one that TVUI_ROOT names by
// mistake (a source tree, a home folder), whatever it holds.
constexpr const char* kSetMark = ".tvui-set";

// The top folders of the set's own file system below its root: everything
// the set keeps lies in them (its settings in mnt/nvram, its disks below
// mnt/removable, its media stick in tmp/mediastick). A fresh set removes
// these and nothing else: whatever else a user put in the folder stays.
constexpr const char* kSetEntries[] = {"mnt", "tmp"};

// The settings files and the temporary files of their writes. A save puts
// its new file in place by a rename over whatever lies there and removes
// the temporary file's name first: a FIFO or a link in their place is taken
// as damaged and replaced, but no save can replace or remove a folder.
constexpr const char* kSettingsFiles[] = {"APP_NVRAM.dat", "APP_NVRAM.dat.tmp", "APP_NVRAM.dat.bakup",
                                          "APP_NVRAM.dat.bakup.tmp"};

bool HasSetMark(const fs::path& folder) {
  std::error_code error;
  return fs::is_regular_file(fs::symlink_status(folder / kSetMark, error));
}

void WriteSetMark(const fs::path& folder) {
  constexpr std::string_view kText = "The simulated set's files: tvui --fresh removes its folders mnt and tmp.\n";
  const fs::path mark = folder / kSetMark;
  const int fd = open(mark.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
  bool written = fd >= 0 && write(fd, kText.data(), kText.size()) == ssize_t(kText.size());
  int reason = errno;
  if (fd >= 0 && close(fd) != 0 && written) written = false, reason = errno;
  if (!written) Refuse("cannot write the set's mark " + mark.string() + ": " + std::strerror(reason), 1);
}

// A folder that a set made before sets carried the mark: nothing in it but
// the set's own folders, mnt and tmp, and in mnt the folder of its settings,
// nvram, which every set makes as it first boots. A folder of the user's that
// holds only an mnt and a tmp of their own is none.
bool MadeBeforeTheMark(const fs::path& folder) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (std::find(std::begin(kSetEntries), std::end(kSetEntries), name) == std::end(kSetEntries) ||
        !fs::is_directory(fs::symlink_status(it->path(), error)))
      return false;
  }
  return !error && fs::is_directory(fs::symlink_status(folder / "mnt", error)) &&
         fs::is_directory(fs::symlink_status(folder / "mnt" / "nvram", error));
}

// "another run of tvui", and by its process where PID tells it.
std::string AnotherRun(pid_t pid) {
  std::string run = "another run of tvui";
  if (pid <= 0) return run;
  std::ifstream file("/proc/" + std::to_string(pid) + "/cmdline");
  std::string command((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  while (!command.empty() && command.back() == '\0') command.pop_back();
  std::replace(command.begin(), command.end(), '\0', ' ');
  return run + ", process " + std::to_string(pid) + (command.empty() ? "" : " (" + command + ")");
}

// While a run uses the set's folder it holds a lock on the mark, and a
// second run is refused, naming the first: a fresh set would remove the
// files of the set the first is running, and two sets would write one
// settings file. The lock goes with the process, however it ends.
void LockSetFolder(const fs::path& folder) {
  const fs::path mark = folder / kSetMark;
  static int held = -1;
  held = open(mark.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
  if (held < 0) Refuse("cannot open the set's mark " + mark.string() + ": " + std::strerror(errno), 1);
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  if (fcntl(held, F_SETLK, &lock) == 0) return;
  if (errno != EACCES && errno != EAGAIN)
    Refuse("cannot lock the set's mark " + mark.string() + ": " + std::strerror(errno), 1);
  struct flock holder {};
  holder.l_type = F_WRLCK;
  holder.l_whence = SEEK_SET;
  const bool known = fcntl(held, F_GETLK, &holder) == 0 && holder.l_type != F_UNLCK;
  Refuse("the set's folder " + folder.string() + " is in use by " + AnotherRun(known ? holder.l_pid : 0) +
         ": one run at a time uses a set; end that one, or name another TVUI_ROOT");
}

// The process that holds the lock on the folder FD is open on, 0 when it
// cannot be told: the kernel's list of locks names it by the folder's device
// and inode.
pid_t FolderLockHolder(int fd) {
  struct stat info {};
  if (fstat(fd, &info) != 0) return 0;
  char wanted[64];
  std::snprintf(wanted, sizeof wanted, " %02x:%02x:%llu ", major(info.st_dev), minor(info.st_dev),
                static_cast<unsigned long long>(info.st_ino));
  std::ifstream locks("/proc/locks");
  for (std::string line; std::getline(locks, line);) {
    // "1: FLOCK  ADVISORY  WRITE 1234 08:02:5678 0 EOF"; a waiter's line has "->".
    const size_t at = (line + ' ').find(wanted);
    if (at == std::string::npos || line.find("FLOCK") == std::string::npos || line.find("->") != std::string::npos)
      continue;
    const size_t start = line.rfind(' ', at - 1);
    return pid_t(std::atol(line.c_str() + (start == std::string::npos ? 0 : start + 1)));
  }
  return 0;
}

// While a run writes its output folder it holds the folder (OutFolderHold)
// and a lock on it, and a second run, on another set too, is refused,
// naming the first: each would remove at its start what the other wrote,
// and the record would list files that are gone. The lock goes with the
// process, however it ends.
void LockOutFolder(const std::string& folder) {
  const std::string at = folder.empty() ? "." : folder;
  int held = -1;
  if (std::string why = OutFolderHold(folder, &held); !why.empty()) Refuse(why, 1);
  if (flock(held, LOCK_EX | LOCK_NB) == 0) return;
  if (errno != EWOULDBLOCK) Refuse("cannot lock the output folder " + at + ": " + std::strerror(errno), 1);
  Refuse("the output folder " + at + " is in use by " + AnotherRun(FolderLockHolder(held)) +
         ": one run at a time writes a folder; end that one, or name another --out");
}

// Whether a file system is mounted at PATH (a disk, a memory file system).
bool MountedAt(const fs::path& path) {
  struct statx info {};
  if (statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS, &info) != 0) return false;
  if (info.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) return (info.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
  struct stat parent {};
  return stat(path.parent_path().c_str(), &parent) == 0 &&
         parent.st_dev != makedev(info.stx_dev_major, info.stx_dev_minor);
}

// The folders directly in the system's root that are the user's: the
// administrator's home, and a disk mounted where disks are (/mnt or /media
// with nothing mounted there is the system's).
bool UsersAtTheRoot(const fs::path& folder) {
  return folder == "/root" || ((folder == "/mnt" || folder == "/media") && MountedAt(folder));
}

// Why the folder is the system's own, empty when it is not: neither the set's
// files nor the pictures go to the system's root or among its folders, named
// or reached through a link.
std::string SystemPlace(const fs::path& folder) {
  std::error_code error;
  const fs::path at = fs::weakly_canonical(fs::absolute(folder.empty() ? fs::path(".") : folder, error), error);
  if (error) return {};
  if (at == at.root_path()) return "it is the system's root";
  const std::string top = std::next(at.begin())->string();
  // Where the file system's check puts what it recovers.
  if (top == "lost+found") return "it lies in /lost+found, where the file system's check puts what it recovers";
  // A folder of the system's root is the system's to make (a home such as
  // /root, or /mnt and /media where disks are mounted, is there already):
  // a new one is refused as that, not as one of the system's own.
  if (!fs::exists(fs::symlink_status(at.root_path() / top, error)))
    return "it would make a new folder, /" + top + ", in the system's root";
  if (at.parent_path() == at.root_path() && !UsersAtTheRoot(at)) return "it is one of the system's own folders";
  // The folders of the system's programs, libraries, settings and devices,
  // and the kernel's views, however deep.
  // /var keeps the system's state and logs, but for its folder of
  // temporary files, whose folders are the users' as those of /tmp are.
  static constexpr const char* kSystemTrees[] = {"bin",    "boot", "dev",  "etc", "lib", "lib32", "lib64",
                                                 "libx32", "opt",  "proc", "run", "sbin", "sys", "usr", "var"};
  const auto depth = std::distance(at.begin(), at.end());
  const bool varTmp = top == "var" && depth > 2 && *std::next(at.begin(), 2) == "tmp";
  if (varTmp && depth == 3) return "it is one of the system's own folders";
  if (!varTmp && std::find(std::begin(kSystemTrees), std::end(kSystemTrees), top) != std::end(kSystemTrees))
    return "it lies in /" + top + ", one of the system's own folders";
  return {};
}

// Why nothing can be made or written in the folder, in plain words: the
// kernel's own file systems answer "no such file" to a new one.
std::string WhyNot(const fs::path& folder, int error) {
  std::error_code ignored;
  fs::path at = fs::absolute(folder, ignored);
  while (at.has_relative_path() && !fs::exists(at, ignored)) at = at.parent_path();
  struct statfs system {};
  if (statfs(at.c_str(), &system) == 0) {
    if (system.f_type == PROC_SUPER_MAGIC)
      return "it lies in /proc, the kernel's view of the running system, which keeps no files";
    if (system.f_type == SYSFS_MAGIC) return "it lies in /sys, the kernel's view of its devices, which keeps no files";
  }
  return std::strerror(error);
}

// Makes the folder and writes a file there and takes it away again: a
// folder below a regular file, on a read-only mount or in /proc would keep
// nothing, line after line of warnings later. `whose` names what the folder
// is for, `remedy` what the user can do. Where `full` is given, a folder on
// a full disk is not refused but told there (true), for the caller to make
// room and ask again; else a full disk is refused with `fullRemedy` where
// one is given.
void CheckWritableFolder(const fs::path& folder, const std::string& whose, const std::string& remedy,
                         bool* full = nullptr, const std::string& fullRemedy = {}) {
  std::error_code error;
  const std::string refusal = whose + " " + folder.string() + ": ";
  if (fs::is_symlink(fs::symlink_status(folder, error)) && !fs::exists(folder, error)) {
    // A link to itself, or into another loop of links, leads to nothing
    // that could ever be made.
    struct stat info {};
    const bool loop = stat(folder.c_str(), &info) != 0 && errno == ELOOP;
    Refuse(refusal + "it is a link to " + fs::read_symlink(folder, error).string() +
           (loop ? ", which leads round in a loop of links, to no folder; " : ", which does not exist; ") +
           remedy);
  }
  fs::create_directories(folder, error);
  if (error || !fs::is_directory(folder, error))
    Refuse(refusal + "it cannot be made (" +
           (error ? WhyNot(folder, error.value()) : std::string("something that is not a folder is in its place")) +
           "); " + remedy);
  const fs::path probe = folder / (".tvui-probe-" + std::to_string(getpid()));
  const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  const int written = fd < 0 ? -1 : int(write(fd, "x", 1));
  const int reason = fd < 0 || written != 1 ? errno : 0;
  if (fd >= 0) {
    close(fd);
    unlink(probe.c_str());
  }
  if (full) *full = (fd < 0 || written != 1) && (reason == ENOSPC || reason == EDQUOT);
  if (full && *full) return;
  const bool noRoom = reason == ENOSPC || reason == EDQUOT;
  if (fd < 0 || written != 1)
    Refuse(refusal + "it cannot be written (" + WhyNot(folder, reason) + "); " +
           (noRoom && !fullRemedy.empty() ? fullRemedy : remedy));
}

// A set not fresh (FRESH false) whose disk is full is told that a fresh set
// makes room: its own files (a stick's copy among them) are what filled it,
// as often as not.
void CheckSetFolder(const fs::path& folder, bool fresh, bool* full = nullptr) {
  CheckWritableFolder(folder, "the set's files cannot be kept in", "name another TVUI_ROOT", full,
                      fresh ? "free room on the disk beneath it, or name another TVUI_ROOT"
                            : "free room on the disk beneath it, start a fresh set with --fresh (which removes the "
                              "set's own files, a stick's copy on its USB disk among them), or name another "
                              "TVUI_ROOT");
}

// An entry met below one of the set's own folders: NAME in FOLDER (a
// handle), as lstat tells it. Its path is built only when asked for: a
// stick's copy on the USB disk may go thousands of folders deep, and a path
// for every entry would make the walk grow as the square of the depth.
struct SetEntry {
  const fs::path& top;
  const std::string& below;  // the path below TOP of FOLDER, "" or ending in "/"
  int folder;
  const std::string& name;
  const struct stat& info;
  fs::path Path() const { return fs::path(top.string() + "/" + below + name); }
};

// Calls VISIT(entry) for every entry below ENTRY, one of the set's own
// folders. The walk follows no link, however deep the folders go, and a
// folder that cannot be read refuses the run.
template <class Visit>
void EachBelow(const fs::path& entry, Visit visit) {
  const int top = open(entry.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (top < 0) Refuse("cannot read " + entry.string() + ": " + std::strerror(errno), 1);
  struct Walker final : NvWalker {
    const fs::path& entry;
    Visit& visit;
    Walker(const fs::path& at, Visit& each) : entry(at), visit(each) {}
    Step Entry(int folder, const std::string& below, const std::string& name, const struct stat& info) override {
      visit(SetEntry{entry, below, folder, name, info});
      return kEnter;
    }
  } walker(entry, visit);
  std::string why;
  const bool walked = NvWalk(top, walker, &why);
  close(top);
  if (!walked) Refuse("cannot read " + entry.string() + ": " + why, 1);
}

// Removes PATH, a folder with all it holds, following no link.
bool RemoveSetEntry(const fs::path& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) return errno == ENOENT;
  if (!S_ISDIR(info.st_mode)) return unlink(path.c_str()) == 0;
  const int folder = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  const bool emptied = folder >= 0 && NvEmptyFolder(folder);
  if (folder >= 0) close(folder);
  return emptied && rmdir(path.c_str()) == 0;
}

// A fresh set empties the set's own folders, and they stay on the folder's
// own mount: a folder mounted inside them (a user's files bound there) is
// not the set's to empty, and is refused before anything goes.
void CheckOneMount(const fs::path& folder) {
  NvPlacement top{};
  if (!NvPlacementOf(AT_FDCWD, folder.string(), true, &top))
    Refuse("cannot read " + folder.string() + ": " + std::strerror(errno), 1);
  // The rule NvEmptyFolder keeps to as it empties: asked here first, so that
  // the run is refused before anything goes.
  auto check = [&](const std::function<fs::path()>& path, int at, const std::string& name) {
    NvPlacement here{};
    if (!NvPlacementOf(at, name, false, &here)) Refuse("cannot read " + path().string() + ": " + std::strerror(errno), 1);
    if (!(here == top))
      Refuse("the set's folder " + folder.string() + " is not emptied: " + path().string() +
             " is a mount inside it, whose files are not the set's to remove; unmount it first");
  };
  for (const char* name : kSetEntries) {
    const fs::path entry = folder / name;
    std::error_code error;
    if (!fs::exists(fs::symlink_status(entry, error))) continue;
    check([&] { return entry; }, AT_FDCWD, entry.string());
    if (!fs::is_directory(fs::symlink_status(entry, error))) continue;
    // It goes no deeper than a mount it meets.
    EachBelow(entry, [&](const SetEntry& at) { check([&] { return at.Path(); }, at.folder, at.name); });
  }
}

// Only a folder with the set's mark, or an empty one, is emptied for a set
// fresh from the factory: `why` tells the user what asked for one.
void CheckFreshFolder(const fs::path& folder, const std::string& why) {
  std::error_code error;
  if (!fs::is_directory(folder, error))
    Refuse(why + ", and " + folder.string() + " is not a folder: name another TVUI_ROOT");
  // An empty folder holds nothing to remove, and becomes the set's; so does
  // a set's from before the mark.
  if (fs::is_empty(folder, error) && !error) return;
  if (!HasSetMark(folder) && !MadeBeforeTheMark(folder))
    Refuse(why + ", and " + folder.string() + " lacks the set's mark (" + kSetMark +
           "), so the set did not make it: name another TVUI_ROOT (a new or empty folder)");
}

// A set fresh from the factory, in a folder of the set's own, locked: the
// set's own folders go, whatever else the folder holds stays and is named.
void EmptySetFolder(const fs::path& folder) {
  std::error_code error;
  CheckOneMount(folder);
  std::vector<std::string> others;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name != kSetMark && std::find(std::begin(kSetEntries), std::end(kSetEntries), name) == std::end(kSetEntries))
      others.push_back(name);
  }
  if (error) Refuse("cannot read " + folder.string() + ": " + error.message(), 1);
  // The folder stays (a link to it stays a link to it), and so does the mark.
  for (const char* name : kSetEntries)
    if (!RemoveSetEntry(folder / name))
      Refuse("cannot remove " + (folder / name).string() + ": " + std::strerror(errno), 1);
  if (others.empty()) return;
  std::sort(others.begin(), others.end());
  std::string list;
  for (size_t i = 0; i < others.size() && i < 10; ++i) list += (i ? ", " : "") + others[i];
  if (others.size() > 10) list += " and " + std::to_string(others.size() - 10) + " more";
  std::printf(
      "tvui: a fresh set: the set's own folders removed from %s; left alone there, as the set did not make "
      "them: %s\n",
      folder.string().c_str(), list.c_str());
  std::fflush(stdout);
}

// Whether PATH lies below FOLDER, both as written (no link followed).
bool Below(const fs::path& path, const fs::path& folder) {
  const fs::path relative = path.lexically_relative(folder);
  return !relative.empty() && *relative.begin() != ".." && relative != ".";
}

// The set writes its files below its own folders, mnt and tmp, through
// whatever it finds on their way: a link among them that leads out of the
// set's folder (mnt/nvram to a folder elsewhere) would have the set's
// settings and files written there, over what that folder holds. Such a link
// is refused, naming it, before the set writes anything. Two kinds are the
// set's own and replaced, never written through: the temporary files of the
// settings' writes, and its links to the system's display modules, which it
// makes again at each start. --fresh removes the links with the set's
// folders, and never what they point to.
void CheckSetLinks(const fs::path& folder) {
  const fs::path modules = folder / "tmp" / "directfb-modules";
  auto check = [&](const fs::path& path) {
    std::error_code ignored;
    if (!fs::is_symlink(fs::symlink_status(path, ignored))) return;
    const std::string name = path.filename().string();
    if (name.starts_with("APP_NVRAM.dat") && name.ends_with(".tmp")) return;
    if (Below(path, modules)) return;
    // Judged as every write of the set judges it, so that a link taken now is
    // never refused by a save later.
    const NvLinkWay way = NvJudgeSetLink(path.lexically_relative(folder).string());
    constexpr const char* kRemedy =
        "remove the link, or start a fresh set with --fresh (which removes the link, never what it points to)";
    const std::string through = way.link == path.string() ? "" : " (reached through " + path.string() + ")";
    if (way.end == NvLinkWay::kLoop) {
      std::string loop;
      for (const std::string& at : way.loop) loop += (loop.empty() ? "" : " -> ") + at;
      if (way.loop.size() < 2 || way.loop.front() != way.loop.back()) loop += " -> " + way.target + ", whose way is a loop";
      Refuse("the set's folder " + folder.string() + " holds links that lead round in a loop, to no file or folder: " +
             loop + through + "; remove them, or start a fresh set with --fresh (which removes the links)");
    }
    if (way.end == NvLinkWay::kChain)
      Refuse("the set's folder " + folder.string() +
             " holds a chain of links longer than the " + std::to_string(NvMostLinks) +
                 " the system follows on one path: " + way.loop.front() +
             " -> ... -> " + way.loop.back() + " (" + std::to_string(way.loop.size()) + " links)" +
             "; remove one of them, or start a fresh set with --fresh (which removes the links)");
    if (way.end == NvLinkWay::kUnreadable) Refuse("cannot read " + way.why, 1);
    if (way.end == NvLinkWay::kOut)
      Refuse("the set's folder " + folder.string() + " holds a link that leads out of it: " + way.link +
             " is a link to " + way.target + through + ", and the set writes its files only below its folder; " +
             kRemedy);
  };
  for (const char* name : kSetEntries) {
    const fs::path entry = folder / name;
    check(entry);
    std::error_code ignored;
    if (!fs::is_directory(fs::symlink_status(entry, ignored))) continue;
    // Each link is checked where it stands.
    EachBelow(entry, [&](const SetEntry& at) {
      if (S_ISLNK(at.info.st_mode)) check(at.Path());
    });
  }
}

// A file copied onto the USB disk has a name of its own until it is whole
// (NvPartCopyName): one that a copy cut short left (the run killed as it
// copied a stick) goes before the set boots, and is named. The disk is
// reached as the set reaches it, through its own links alone.
void SweepPartCopies() {
  const std::string disk = std::string(NvRootDir()) + "/mnt/removable/usba";
  std::string why;
  const int top = NvOpenFolder(disk, false, &why);
  if (top < 0) return;
  struct Sweeper final : NvWalker {
    const std::string& disk;
    explicit Sweeper(const std::string& at) : disk(at) {}
    Step Entry(int folder, const std::string& below, const std::string& name, const struct stat& info) override {
      if (S_ISDIR(info.st_mode)) return kEnter;
      if (NvIsPartCopy(name) && unlinkat(folder, name.c_str(), 0) == 0)
        std::printf("tvui: %s/%s%s removed: a copy onto the USB disk was cut short there\n", disk.c_str(),
                    below.c_str(), name.c_str());
      return kSkip;
    }
  } sweeper(disk);
  std::string unread;
  const bool walked = NvWalk(top, sweeper, &unread);
  close(top);
  std::fflush(stdout);
  if (!walked) Refuse("cannot read " + disk + "/" + unread, 1);
}

// The set's files: TVUI_ROOT, else the default folder, checked before
// anything is made or removed there. `fresh` names what asks for a set fresh
// from the factory (empty: the set as its folder holds it). A TVUI_ROOT that
// is a symbolic link names the folder it points to.
fs::path CheckSetPlace(const std::string& fresh) {
  const char* given = std::getenv("TVUI_ROOT");
  if (!given || !*given) setenv("TVUI_ROOT", DefaultSetFolder().c_str(), 1);
  const fs::path folder = std::getenv("TVUI_ROOT");
  std::error_code error;
  // Checked before anything is made: below the system's root the set's paths
  // are the host's own.
  if (std::string place = SystemPlace(folder); !place.empty())
    Refuse("the set's files cannot be kept in " + folder.string() + ": " + place +
           (fs::equivalent(folder, "/", error) ? ", where the set would write the host's own /mnt and /tmp" : "") +
           "; name another TVUI_ROOT");
  // A folder that holds files and lacks the mark is the user's: the set
  // would write over their files that bear its names. A fresh set is refused
  // in its own words; a set made before the mark is taken, and marked.
  const bool there = fs::exists(folder, error);
  const bool users = there && fs::is_directory(folder, error) && !fs::is_empty(folder, error) && !HasSetMark(folder);
  if (users && fresh.empty() && !MadeBeforeTheMark(folder))
    Refuse("the set's files cannot be kept in " + folder.string() + ": it holds files and lacks the set's mark (" +
           kSetMark + "), so the set did not make it; name another TVUI_ROOT (a new or empty folder)");
  if (!fresh.empty() && there) CheckFreshFolder(folder, fresh);
  return folder;
}

// The set's folder, where CheckSetPlace found it may be, made or taken,
// locked, and emptied for a fresh set.
void PrepareSetFolder(const fs::path& folder, const std::string& fresh) {
  std::error_code error;
  // A disk full of the set's own files (a stick's copy where the host's disk
  // is the disk's size) is what a fresh set is for: its folders go before
  // the folder is asked again.
  bool full = false;
  const bool emptiedFirst = !fresh.empty() && HasSetMark(folder);
  CheckSetFolder(folder, !fresh.empty(), emptiedFirst ? &full : nullptr);
  if (full) {
    LockSetFolder(folder);
    EmptySetFolder(folder);
    CheckSetFolder(folder, true);
  } else {
    // A new folder, one that was empty, or a set's from before the mark.
    if (!HasSetMark(folder)) WriteSetMark(folder);
    LockSetFolder(folder);
    if (!fresh.empty()) EmptySetFolder(folder);
  }
  CheckSetLinks(folder);
  SweepPartCopies();
  const fs::path settings = folder / "mnt" / "nvram";
  CheckSetFolder(settings, !fresh.empty());
  for (const char* name : kSettingsFiles)
    if (fs::is_directory(fs::symlink_status(settings / name, error)))
      Refuse("the set's settings file " + (settings / name).string() +
             " is a folder, which no save can replace: every setting would be lost; remove it, or name another "
             "TVUI_ROOT");
}

// The folder where a build of this tree wrote its pictures before output
// folders kept a record (scripts/run.sh's out): there, and there alone, a
// page of pictures without a record shows what the runner wrote. Installed,
// the program has no such folder.
bool OlderBuildsFolder(const std::string& folder) {
  std::error_code error;
  return InstalledFiles().empty() &&
         fs::equivalent(folder.empty() ? fs::path(".") : fs::path(folder), fs::path(TVUI_SOURCE_DIR) / "out", error);
}

// The pictures' folder, guarded as the set's is: never the system's root or
// one of its folders, written where a picture can be, by one run at a time,
// and never over a file of the user's own. Checked before anything of the
// set's goes.
void CheckOutFolder(const std::string& folder, const std::string& scenario) {
  constexpr const char* kWhose = "the pictures cannot be written to";
  constexpr const char* kRemedy = "name another --out";
  if (std::string place = SystemPlace(folder); !place.empty())
    Refuse(std::string(kWhose) + " " + folder + ": " + place + "; " + kRemedy + " (a folder of your own, such as out)");
  CheckWritableFolder(folder, kWhose, kRemedy);
  LockOutFolder(folder);
  if (std::string refusal = OutFolderRefusal(folder, ScenarioOutputNames(scenario), OlderBuildsFolder(folder));
      !refusal.empty())
    Refuse(refusal);
}

// What the run before wrote in the pictures' folder goes.
void BeginOutFolder(const std::string& folder, const std::string& scenario) {
  std::vector<std::string> dropped;
  if (std::string failure =
          OutFolderBegin(folder, ScenarioOutputNames(scenario), OlderBuildsFolder(folder), &dropped);
      !failure.empty())
    Refuse(failure, 1);
  for (const std::string& line : dropped) std::fprintf(stderr, "tvui: %s\n", line.c_str());
}

// True when a Wayland compositor listens at WAYLAND_DISPLAY: its socket, the
// path itself when absolute, else below XDG_RUNTIME_DIR.
bool WaylandAnswers(const std::string& display) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (display[0] != '/' && (!runtime || !*runtime)) return false;
  const std::string path = display[0] == '/' ? display : std::string(runtime) + "/" + display;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool answers = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return answers;
}

// The window needs a display to show on: without a Wayland compositor or
// an X server that answers, the video library would fall back to drawing
// off-screen and show nothing until killed. A video driver named for the
// library is the user's choice and taken as it is.
void CheckDisplay() {
  constexpr const char* kHint = " (run headless without --window, or start an X server: Xvfb :1 & then DISPLAY=:1)";
  if (std::getenv("SDL_VIDEODRIVER")) return;
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (wayland && *wayland && WaylandAnswers(wayland)) return;
  const std::string noWayland =
      wayland && *wayland ? std::string("no Wayland compositor answers at WAYLAND_DISPLAY=") + wayland + " and " : "";
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display)
    Refuse("--window needs a display, and " +
           (noWayland.empty() ? std::string("neither DISPLAY nor WAYLAND_DISPLAY is set")
                              : noWayland + "DISPLAY is not set") +
           kHint);
  // Xlib is loaded as the video library will load it; it stays loaded.
  void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_GLOBAL);
  if (!xlib)
    Refuse("--window needs a display, and " + noWayland + "the X library to reach DISPLAY=" + display + " is missing" +
           kHint);
  auto open = reinterpret_cast<void* (*)(const char*)>(dlsym(xlib, "XOpenDisplay"));
  auto close = reinterpret_cast<int (*)(void*)>(dlsym(xlib, "XCloseDisplay"));
  void* connection = open && close ? open(nullptr) : nullptr;
  if (!connection)
    Refuse("--window needs a display, and " + noWayland + "no X server answers at DISPLAY=" + display + kHint);
  close(connection);
}

void SimTimeOfDay(timeval* now) { simtv_gettimeofday(now); }

constexpr HostTime kSimTime{&SimTimeOfDay, &simtv_wait_event_buffer};

// A panicked GUI thread halts for good, holding what it holds, and the set
// sees it blocked, as the watchdog does on the set. The scenario fails unless
// it meant to cause the panic.
void HaltOnPanic(const std::string& message) {
  ScenarioNotePanic(message);
  simtv_halt_thread();
  for (;;) pause();
}

// A sanitizer's report, or a reset of the set, ends the process; the line
// that was running goes after the report.
void OnSanitizerDeath() {
  OutputTee::Abandon();
  ScenarioReportFatal("a sanitizer reported an error (above)");
}

void OnReset() {
  OutputTee::Stop();
  ScenarioReportFatal("the set was reset (by its watchdog or the crash handler, above)");
}

// Every sanitizer runtime of the process reports straight to the terminal's
// standard error, past the copy of the output and past --quiet, and names the
// scenario line that ran when it ends the process. g++ loads the address and
// the undefined-behaviour sanitizers as two libraries, each with a report and
// a death callback of its own, and each closes a report descriptor that it
// shares with the other; a runtime linked into the program is reached through
// the weak names.
void ArmSanitizers() {
  auto arm = [](void (*setDeath)(void (*)(void)), void (*setReport)(void*)) {
    if (setDeath) setDeath(&OnSanitizerDeath);
    if (setReport) setReport(reinterpret_cast<void*>(intptr_t(dup(OutputTee::ErrorFd()))));
  };
  std::vector<std::string> runtimes;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* list) {
        const std::string path = info->dlpi_name ? info->dlpi_name : "";
        const std::string name = path.substr(path.rfind('/') + 1);
        if (name.starts_with("lib") && name.find("san.so") != std::string::npos)
          static_cast<std::vector<std::string>*>(list)->push_back(path);
        return 0;
      },
      &runtimes);
  if (runtimes.empty()) arm(__sanitizer_set_death_callback, __sanitizer_set_report_fd);
  for (const std::string& path : runtimes) {
    void* runtime = dlopen(path.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (!runtime) continue;
    arm(reinterpret_cast<void (*)(void (*)(void))>(dlsym(runtime, "__sanitizer_set_death_callback")),
        reinterpret_cast<void (*)(void*)>(dlsym(runtime, "__sanitizer_set_report_fd")));
    dlclose(runtime);
  }
}

IDirectFBEventBuffer* KeyTarget() { return buffer.load(); }

// The set's own texts that name a language's sample in a message: the main
// menu's rows and the help bar's words.
constexpr const VgConstant* kFontSamples[] = {&Strings::SID_PICTURE, &Strings::SID_SOUND, &Strings::SID_CHANNELS,
                                              &Strings::SID_SETUP,   &Strings::SID_OK,    &Strings::SID_EXIT};

// The constant's text in the language, or the default's where the language
// writes it the same way (as the screens show it); null for none.
VgString TextIn(const VgConstant* constant, int32_t language) {
  const auto* entries = static_cast<const VgStringEntry*>(constant->entries);
  const VgStringEntry* chosen = nullptr;
  for (uint32_t i = 0; i < constant->count; ++i)
    if (entries[i].language == language || (entries[i].language == 0 && !chosen)) chosen = &entries[i];
  return chosen ? VgLoadString({chosen->block, chosen->offset}) : nullptr;
}

// A missing character as a list of them shows it: itself when it is a
// printable Latin-1 character, its code otherwise, so that a space, a mark
// that composes with its neighbour, or the ellipsis at the end of a list
// cannot be read as something else (the ellipsis as a list cut short).
std::string ShownCharacter(char16_t c) {
  if ((c > 0x20 && c < 0x7F) || (c > 0xA0 && c <= 0xFF)) {
    const char16_t one[] = {c, 0};
    return VgStringToUtf8(VgNewString(one));
  }
  char code[8];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
  return code;
}

// The characters, the first LIMIT of them and how many more.
std::string ShownCharacters(const std::u16string& characters, size_t limit) {
  std::string shown;
  for (size_t i = 0; i < characters.size() && i < limit; ++i)
    shown += (shown.empty() ? "" : " ") + ShownCharacter(characters[i]);
  if (characters.size() > limit) shown += " and " + std::to_string(characters.size() - limit) + " more";
  return shown;
}

// The letters and digits of the basic Latin range: every menu language
// writes its words with them, and a text without them cannot be read
// whatever else the font draws. What it may lack and still be taken are the
// accented letters, punctuation and symbols, which leave a word readable.
bool IsBasicLetterOrDigit(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
}

}  // namespace

FontJudgement JudgeFontTexts(GenFont* font) {
  FontJudgement judgement;
  // The user may switch to any menu language while the set runs.
  for (const SkinBin::Wrapper::MenuLanguage& language : SkinBin::Wrapper::kMenuLanguages) {
    // Every character of the language's texts, once.
    std::u16string characters;
    for (size_t k = 0; k < Strings::KeyCount; ++k) {
      for (VgString text = TextIn(Strings::Keys[k].constant, language.runtimeId); text && *text; ++text)
        if (characters.find(*text) == std::u16string::npos) characters += *text;
    }
    std::sort(characters.begin(), characters.end());
    int32_t tried = 0;
    std::u16string inkless;
    std::u16string basic;
    std::u16string basicInkless;
    for (const char16_t c : characters) {
      const char16_t one[] = {c, 0};
      int32_t counted = 0;
      const bool missing = GenCountInkless(font, one, &counted) != 0;
      if (missing) inkless += c;
      tried += counted;
      if (IsBasicLetterOrDigit(c)) {
        basic += c;
        if (missing) basicInkless += c;
      }
    }
    if (inkless.empty()) continue;
    if (static_cast<int32_t>(inkless.size()) == tried) {
      std::string samples;
      for (const VgConstant* sample : kFontSamples)
        if (const VgString text = TextIn(sample, language.runtimeId))
          samples += (samples.empty() ? "\"" : ", \"") + VgStringToUtf8(text) + "\"";
      judgement.refusal = "draws nothing for any of the characters of the set's " + std::string(language.name) +
                          " texts (" + samples + ")";
      return judgement;
    }
    if (!basicInkless.empty()) {
      judgement.refusal = "draws nothing for " + std::to_string(basicInkless.size()) + " of the " +
                          std::to_string(basic.size()) + " letters and digits of the set's " + language.name +
                          " texts (" + ShownCharacters(basicInkless, 8) + ")";
      return judgement;
    }
    judgement.warnings.push_back("draws nothing for " + std::to_string(inkless.size()) + " of the " +
                                 std::to_string(tried) + " characters of the set's " + language.name +
                                 " texts (" + ShownCharacters(inkless, inkless.size()) + "): they show as gaps");
  }
  return judgement;
}

namespace {

// The judgement of the registered font, loaded as the screens load it. A
// font may register and still draw nothing: no glyphs, or every glyph blank.
FontJudgement FontInkless() {
  const auto* entry =
      static_cast<const VgResourceEntry*>(VgGetVariantOf(&Fonts::DefaultFont, sizeof(VgResourceEntry)));
  GenFont* loaded = entry ? GenLoadFont(static_cast<const GenFontResource*>(entry->value)) : nullptr;
  if (!loaded) return {"cannot be loaded as the screens load it", {}};
  FontJudgement judgement = JudgeFontTexts(loaded);
  GenFreeFont(loaded);
  return judgement;
}

// No font the set takes is larger: the largest fonts of whole scripts are a
// tenth of it, and the run holds its copy in memory.
constexpr off_t kFontBytes = 256 << 20;

// A copy of the font open on FILE (SIZE bytes as it was opened), the run's
// own: a handle on the file itself would see it written over in place (the
// same file, truncated, zeroed or another font written over it), and every
// later period would draw from those bytes, not from the ones the start
// judged. The copy is a file of the process's own, sealed, and mapped: as
// with the font file before, only the pages the font engine reads count in
// the set's memory, not the whole face. Where the process may not write a
// file that large (a limit on the size of the files it writes), it is held
// in memory whole. Empty with errno when the file cannot be read.
std::span<const uint8_t> PrivateFontCopy(int file, off_t size) {
  struct rlimit limit {};
  const bool fileFits = getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
                        static_cast<rlim_t>(size) <= limit.rlim_cur;
  const int own = fileFits ? memfd_create("tvui-font", MFD_CLOEXEC | MFD_ALLOW_SEALING) : -1;
  std::vector<uint8_t> buffer(own >= 0 ? size_t(64) << 10 : static_cast<size_t>(size));
  static std::vector<uint8_t> held;
  size_t done = 0;
  for (;;) {
    const size_t room = own >= 0 ? buffer.size() : buffer.size() - done;
    if (room == 0) break;
    const ssize_t n = pread(file, buffer.data() + (own >= 0 ? 0 : done), room, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      if (own >= 0) close(own);
      return {};
    }
    // The file shrank while it was read: what was read is what the start judges.
    if (n == 0) break;
    if (own >= 0 && write(own, buffer.data(), static_cast<size_t>(n)) != n) {
      const int error = errno;
      close(own);
      errno = error;
      return {};
    }
    done += static_cast<size_t>(n);
    if (own >= 0 && done >= static_cast<size_t>(size)) break;
  }
  if (done == 0) {
    if (own >= 0) close(own);
    errno = ENODATA;
    return {};
  }
  if (own < 0) {
    buffer.resize(done);
    held = std::move(buffer);
    return held;
  }
  fcntl(own, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE | F_SEAL_SEAL);
  void* mapped = mmap(nullptr, done, PROT_READ, MAP_SHARED, own, 0);
  const int error = errno;
  close(own);
  if (mapped == MAP_FAILED) {
    errno = error;
    return {};
  }
  return {static_cast<const uint8_t*>(mapped), done};
}

// The font of the run, as the messages name it.
std::string g_fontShown;

// Without its font the interface draws no text at all: a period whose
// registration of it fails ends the run, at the start or at any wake later,
// rather than go on drawing nothing.
void OnFontFailure(int32_t error) {
  OutputTee::Say("tvui: the font " + g_fontShown + " could not be registered (font engine error " +
                     std::to_string(error) + "): the set would draw no text",
                 true);
  TvuiEnd(1);
}

// The run stops, too, with a font that draws nothing of the set's texts. The
// window's loop runs on: the check holds the GUI lock.
void CheckFont(const fs::path& font, bool window) {
  FontJudgement judgement;
  if (!window) {
    ScenarioOnGuiThread([&judgement] {
      judgement = FontInkless();
      return std::string();
    });
  } else if (AcquirePslDornSem()) {
    judgement = FontInkless();
    ReleasePslDornSem();
  }
  // A few characters missing leave the texts readable: the run goes on.
  for (const std::string& warning : judgement.warnings)
    OutputTee::Say("tvui: warning: the font " + font.string() + " " + warning, true);
  if (judgement.refusal.empty()) return;
  OutputTee::Say("tvui: the font " + font.string() + " " + judgement.refusal +
                     ": it is no font the set can show its texts with; " + FontRemedy(),
                 true);
  TvuiEnd(1);
}

// Looks every 50 ms of the host's clock until the set has come so far,
// however long a busy machine takes: a wake-up sent before the interface
// listens would be lost, and the set would stay in standby.
void AwaitTheSet(const std::function<bool()>& there) {
  while (!there()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

// A set switched on at the wall: once the interface listens, the middleware
// reports the wake-up by the power key, as it does on the set. A set past
// the first-time setup (tv on) has the setup's step stored first, once the
// root has loaded its settings (its loop has drawn a frame). The window
// opens on the set awake.
void SwitchOn(bool pastSetup) {
  AwaitTheSet([] { return simtv_event_clients() != 0; });
  if (pastSetup && SetHasStandby()) {
    AwaitTheSet([] { return WindowFrames() != 0; });
    if (AcquirePslDornSem()) {
      const std::string unwritten = SetPastSetup();
      ReleasePslDornSem();
      // The set goes on as it is; its next start shows the setup again.
      if (!unwritten.empty()) OutputTee::Say("tvui: " + unwritten, true);
    }
  }
  WakeByPowerKey();
  AwaitTheSet([] {
    if (!AcquirePslDornSem()) return true;
    const bool standby = SetInStandby();
    ReleasePslDornSem();
    return !standby;
  });
}

// Ctrl-C and SIGTERM end the run at once, whatever the set does then (in
// standby too), and say so: the window closes, a scenario stops where it
// stands. A thread of its own takes them, where a handler could only queue a
// quit that the window would see at its next event. Every thread made after
// this one leaves the two signals to it.
void EndOnSignals(bool window) {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  std::thread([signals, window] {
    int signal = 0;
    while (sigwait(&signals, &signal) != 0) {
    }
    const std::string what = signal == SIGINT ? "tvui: interrupted" : "tvui: terminated";
    if (window) {
      OutputTee::Say(what + "; the window closes");
    } else {
      const std::string where = ScenarioRunningLine();
      OutputTee::Say(what + "; the run stops" + (where.empty() ? "" : " at " + where), true);
    }
    TvuiEnd(128 + signal);
  }).detach();
}

}  // namespace

void TvuiEnd(int status) {
  OutputTee::Stop();
  // A thread of the set that ended in the period now running (the one that
  // starts the period's services) is joined only when the next period
  // starts; the process joins it now.
  simtv_release_threads();
  // The set's threads are still running: end without exit handlers.
  _exit(CheckedStatus(status));
}

void TvuiLaunch(int argc, char** argv) {
  const Options options = ParseOptions(argc, argv);
  EndOnSignals(options.window);
  if (options.window) CheckDisplay();

  const fs::path font = FontFile();
  // Only a regular file is a font: a pipe would hold the font engine's first
  // read for good, and a folder or a device is no font whatever it holds.
  // It is read once, here, into a copy of the run's own, since every period
  // of operation registers it again: a file put in its place meanwhile, or
  // written over where it stands, would leave the periods after it without
  // text, or hold one for good. Whatever stands there by the time it is
  // opened is judged again by its handle.
  const auto notFont = [&font](mode_t mode) {
    Refuse("the font " + font.string() + " is " + FileKind(mode) +
               ", not a font file; " + FontRemedy(),
           1);
  };
  struct stat fontInfo {};
  int fontFile = -1;
  if (stat(font.c_str(), &fontInfo) == 0) {
    if (!S_ISREG(fontInfo.st_mode)) notFont(fontInfo.st_mode);
    fontFile = open(font.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fontFile >= 0 && fstat(fontFile, &fontInfo) != 0) fontFile = -1;
  }
  if (fontFile < 0 && errno == ENOENT)
    Refuse("the font " + font.string() + " is missing; " + FontRemedy(), 1);
  if (fontFile < 0) Refuse("the font " + font.string() + " cannot be read (" + std::strerror(errno) + ")", 1);
  if (!S_ISREG(fontInfo.st_mode)) notFont(fontInfo.st_mode);
  if (fontInfo.st_size > kFontBytes)
    Refuse("the font " + font.string() + " is " + std::to_string(fontInfo.st_size) +
               " bytes, larger than any font file the set takes (" + std::to_string(kFontBytes >> 20) +
               " MiB); " + FontRemedy(),
           1);
  // Held for the life of the process: every period registers it.
  static const std::span<const uint8_t> fontCopy = PrivateFontCopy(fontFile, fontInfo.st_size);
  // An empty file (one cut short by a full disk, or made in its place) read
  // to its end without an error: said as what it is.
  if (fontCopy.empty() && errno == ENODATA)
    Refuse("the font " + font.string() + " is empty (0 bytes); " + FontRemedy(), 1);
  if (fontCopy.empty()) Refuse("the font " + font.string() + " cannot be read (" + std::strerror(errno) + ")", 1);
  close(fontFile);
  GuiUseFontFile(font.string(), fontCopy);
  g_fontShown = font.string();
  GuiOnFontFailure(&OnFontFailure);

  ScenarioScript script;
  ScenarioSetup setup;
  const bool runScenario = !options.window;
  const std::string scenario = !options.scenario.empty() ? options.scenario
                               : runScenario            ? DemoScenario().string()
                                                        : std::string();
  std::string error;
  if (!scenario.empty() && (!script.Load(scenario, &error) || !ReadScenarioSetup(scenario, script, &setup, &error)))
    Refuse(error);
  // In the window, a set in everyday use unless a scenario sets the scene.
  if (scenario.empty()) setup.content.push_back("demo");
  const RootChoice* root = FindRoot(options.root.empty() ? setup.root : options.root);
  if (!root) Refuse("unknown root " + (options.root.empty() ? setup.root : options.root) + " (product, nonmenu or probe)");
  GuiUseRootOps(root->ops);
  SetScenarioRootCommands(root->commands);
  UseSetPower(root->power);
  // Every line is known before the set boots: a mistyped one deep in a long
  // scenario fails now, not after the minutes that lead to it.
  if (!scenario.empty() && !CheckScenarioLines(scenario, runScenario ? &options.out : nullptr, &error)) Refuse(error);

  // The demonstration is a tour from the factory: whatever an earlier run
  // left in the set's folder, it starts on a set fresh from the factory.
  const bool tour = runScenario && options.scenario.empty();
  const std::string fresh =
      options.fresh ? "--fresh starts from a set fresh from the factory in a folder of the set's own"
      : tour        ? "the demonstration starts from a set fresh from the factory, in a folder of the set's own"
                    : "";
  const fs::path set = CheckSetPlace(fresh);
  // A refused --out refuses the run before a fresh set has lost a file.
  if (runScenario) CheckOutFolder(options.out, scenario);
  PrepareSetFolder(set, fresh);
  // From now on the set reaches its files from its folder as it stands now,
  // however its folders are replaced while it runs.
  if (NvHoldRoot() != 0) Refuse("cannot open the set's folder " + set.string() + ": " + std::strerror(errno), 1);
  if (runScenario) BeginOutFolder(options.out, scenario);
  if (!LoadScenarioContent(setup, &error)) Refuse(error);

  OutputTee::Start(runScenario, options.quiet);
  // Line by line, so that the copy keeps the order of the two streams.
  if (runScenario) std::setvbuf(stdout, nullptr, _IOLBF, 0);
  simtv_bcm_on_reset(&OnReset);
  if (!runScenario) WatchWindowFrames();
  ArmSanitizers();
  VgSetPanicHandler(&HaltOnPanic);
  simtv_boot(runScenario ? 1 : 0, 1);
  if (const int started = GCM_Start(1); started != 0) {
    OutputTee::Say(started == GCM_FOREIGN_MODULES ? std::string("tvui: the set stops at its start: ") + GCM_ModuleFault()
                                                  : "tvui: DirectFB did not start",
                   true);
    TvuiEnd(1);
  }
  if (runScenario) HostUseTime(&kSimTime);
  simtv_set_key_target(&KeyTarget);

  std::thread([options, script = std::move(script), scenario, font, runScenario, on = setup.on] {
    // The lines run the simulated set's own work too (a stick copied onto
    // its disk): a crash there is reported, a stack overflow as well.
    SigStackForThread();
    if (!runScenario) {
      TvuiEnd(RunWindow([font, on] {
        SwitchOn(on);
        // On the real clock the loop has started once it listens; its font
        // is registered a moment later.
        AwaitTheSet([] { return GuiFontStatus() != GuiFontPending; });
        CheckFont(font, true);
      }));
    }
    simtv_settle();
    CheckFont(font, false);
    int status = RunScenario(scenario, script, options.out);
    // A clean end: the stop command, the end of the loop and of the period.
    simtv_shutdown();
    simtv_settle();
    simtv_advance(2000);
    // What the set wrote as it stopped counts as much as what a line had it write.
    if (const std::string refused = NvTakeRefusals(); !refused.empty()) {
      OutputTee::Say("tvui: the set refused to write its files through a link out of its folder as it stopped: " +
                         refused,
                     true);
      if (status == 0) status = 1;
    } else if (const std::string unwritten = NvTakeUnwritten(); !unwritten.empty() && status == 0) {
      // A run that failed has said why: the same fault met again as the set
      // stops (a full disk) would only repeat it.
      OutputTee::Say("tvui: the set could not write its files as it stopped: " + unwritten, true);
      status = 1;
    }
    TvuiEnd(status);
  }).detach();
}
