#include "product_lines.h"

#include <fcntl.h>
#include <limits.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "AppServices/Messages.h"
#include "AppServices/PersistentData.h"
#include "AppServices/Wrapper.h"
#include "Constants/Constants.h"
#include "Core/Group.h"
#include "Events/Events.h"
#include "MainApp/Root.h"
#include "MainApp/Standby.h"
#include "Media/MediaEvents.h"
#include "gui_loop.h"
#include "nvpath.h"
#include "out_folder.h"
#include "output_tee.h"
#include "simtv.h"
#include "stick.h"
#include "storageFunction.h"

namespace TvuiProduct {

namespace {

std::string Dispatch(Core::Event* event) {
  XObject* root = rootObject.load();
  if (!root) return "the GUI has no root";
  CoreGroup__DispatchEvent(static_cast<Core::Group*>(root), event);
  return {};
}

// A factory command's result as the event table makes it, for the results
// of commands still to come: type, value, the screen class, the text.
std::string FactoryCommandForm(const ScenarioTokens& t);

std::string FactoryCommandLine(const ScenarioTokens& t) {
  int64_t type = 0;
  int64_t value = 0;
  if (std::string why = FactoryCommandForm(t); !why.empty()) return why;
  ScenarioNumber(t[2].text, 0, 3, &type);
  ScenarioNumber(t[3].text, INT32_MIN, UINT32_MAX, &value);
  auto* command = VgNew<Events::XPM_EVENT_FACTORY_COMMAND>();
  command->Type = int32_t(type);
  command->Value = int32_t(uint32_t(value));
  for (size_t i = 4; i < t.size(); ++i) {
    if (t[i].quoted) {
      command->Text = VgNewStringAnsi(t[i].text.c_str());
    } else if (!(command->ScreenClass = VgFindClass(t[i].text.c_str()))) {
      return "no class " + t[i].text + " in the program";
    }
  }
  std::string failure = Dispatch(command);
  // As the event table's own factory events do, the result shows at once:
  // the set waits, and what the screens changed is drawn here.
  VgProcessSignals();
  RequestRefresh();
  return failure;
}

std::string DispatchOnGuiThread(const ScenarioTokens& t) {
  const std::string& what = t[1].text;
  if (what == "factory-reset" && t.size() == 2) return Dispatch(VgNew<Events::XPM_EVENT_FACTORY_RESET>());
  if (what == "restart-setup" && t.size() == 2) {
    MainApp::SendMessage(Constants::MSG_RESTART_INITIAL_SETUP);
    return {};
  }
  int64_t seconds = 0;
  if (what == "dpms" && t.size() == 3 && ScenarioNumber(t[2].text, 0, INT32_MAX, &seconds)) {
    auto* dpms = VgNew<Events::XPM_EVENT_DPMS>();
    dpms->Seconds = int32_t(seconds);
    return Dispatch(dpms);
  }
  if (what == "factory-command") return FactoryCommandLine(t);
  int64_t code = 0;
  // The media library's word that a removable device went, as it makes it.
  if (what == "device-removed" && t.size() == 3 && ScenarioNumber(t[2].text, 0, INT32_MAX, &code)) {
    std::string failure = Dispatch(EventsStatusEvent__Initialize(VgNew<Events::StatusEvent>(), Media::MediaStatus::Device,
                                                                 Media::MediaStatus::DeviceRemoved, 0, int32_t(code), 0));
    VgProcessSignals();
    RequestRefresh();
    return failure;
  }
  return "dispatch takes factory-reset, restart-setup, dpms SECONDS, update-result CODE, device-removed CODE or "
         "factory-command TYPE VALUE [CLASS] [\"TEXT\"]";
}

// A factory command's result: its type and value, then a class of the
// program and a quoted text, each where needed.
std::string FactoryCommandForm(const ScenarioTokens& t) {
  int64_t type = 0;
  int64_t value = 0;
  if (t.size() < 4 || t.size() > 6 || !ScenarioNumber(t[2].text, 0, 3, &type) ||
      !ScenarioNumber(t[3].text, INT32_MIN, UINT32_MAX, &value))
    return "dispatch factory-command takes a type (0-3), a value, and a class and a quoted text as needed";
  for (size_t i = 4; i < t.size(); ++i)
    if (!t[i].quoted && !VgFindClass(t[i].text.c_str())) return "no class " + t[i].text + " in the program";
  return {};
}

std::string DispatchForm(const ScenarioTokens& t) {
  const std::string what = t.size() > 1 ? t[1].text : std::string();
  int64_t number = 0;
  if ((what == "factory-reset" || what == "restart-setup") && t.size() == 2) return {};
  if ((what == "dpms" || what == "device-removed") && t.size() == 3 && ScenarioNumber(t[2].text, 0, INT32_MAX, &number))
    return {};
  if (what == "update-result" && t.size() == 3 && ScenarioNumber(t[2].text, INT32_MIN, INT32_MAX, &number)) return {};
  if (what == "factory-command") return FactoryCommandForm(t);
  return "dispatch takes factory-reset, restart-setup, dpms SECONDS, update-result CODE, device-removed CODE or "
         "factory-command TYPE VALUE [CLASS] [\"TEXT\"]";
}

std::string DispatchLine(const ScenarioTokens& t) {
  if (std::string why = DispatchForm(t); !why.empty()) return why;
  int64_t result = 0;
  if (t[1].text == "update-result" && t.size() == 3 && ScenarioNumber(t[2].text, INT32_MIN, INT32_MAX, &result)) {
    // Through the update service's own road: its listener on its thread.
    simtv_update_result(0, int32_t(result), 0, "");
    return {};
  }
  // The event is delivered, and what it changed drawn, by the GUI thread.
  return ScenarioOnGuiThread([t] { return DispatchOnGuiThread(t); });
}

std::string BackupForm(const ScenarioTokens& t) {
  return t.size() == 3 ? std::string() : "expect-backup takes a key and a value";
}

std::string BackupLine(const ScenarioTokens& t) {
  if (std::string why = BackupForm(t); !why.empty()) return why;
  std::string content;
  if (std::string failure = ReadSetFile("/mnt/nvram/APP_NVRAM.dat.bakup", &content); !failure.empty()) return failure;
  const std::string head = "[" + t[1].text + "]=<";
  const size_t at = content.find(head);
  if (at == std::string::npos) return "the settings backup holds no key " + t[1].text;
  const size_t end = content.find('>', at + head.size());
  const std::string value = content.substr(at + head.size(), end - at - head.size());
  if (value != t[2].text) return "the settings backup holds " + t[1].text + " = " + value;
  return {};
}

// The keys that screens and the model write themselves, beside the root's
// defaults and the model's own settings.
constexpr const char* kOtherStoredKeys[] = {
    "SetupStep", "MainMenuIndex", "AgingMode",  "GameTimerActivated", "PictureOptionChanged", "OnTimerStart",
    "Password",  "ThreeDPassword", "RRTRegion", "EPGZIPCode",         "USBUpdate",            "ConfirmedVersion",
};
constexpr const char* kSourceKeyPrefixes[] = {"SourceLabel_", "SourceCustomLabel_", "SourceDisable_"};

// Every key the system keeps in its settings store.
std::vector<std::string> KeptKeys() {
  std::vector<std::string> keys(std::begin(kOtherStoredKeys), std::end(kOtherStoredKeys));
  for (const MainApp::DefaultSetting& setting : MainApp::kDefaultSettings)
    keys.push_back(VgStringToUtf8(VgNewString(setting.key)));
  for (const char* key : SkinBin::Wrapper::StoredKeys()) keys.push_back(key);
  for (const char* prefix : kSourceKeyPrefixes)
    for (int source = 0; source < XPM_MAX_SOURCES; ++source) keys.push_back(prefix + std::to_string(source));
  return keys;
}

// Every key the system keeps, and whatever else the file holds now.
std::vector<std::string> StoredKeys() {
  std::vector<std::string> keys = KeptKeys();
  std::string content;
  ReadSetFile("/mnt/nvram/APP_NVRAM.dat", &content);
  for (size_t at = 0; (at = content.find('[', at)) != std::string::npos;) {
    const size_t end = content.find("]=<", at);
    if (end == std::string::npos) break;
    keys.push_back(content.substr(at + 1, end - at - 1));
    at = end;
  }
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  return keys;
}

// A pair the settings store would refuse is refused as the scenario loads;
// a value for every key, with the longest key the system keeps (a key that
// only the set's file holds, read as the line runs, is checked then).
std::string StorablePair(const ScenarioTokens& t) {
  if (t.size() != 3 || t[1].text != "every" || t[1].quoted) return ScenarioUnstorablePair(t);
  const std::vector<std::string> keys = KeptKeys();
  ScenarioTokens longest = t;
  longest[1].text = *std::max_element(keys.begin(), keys.end(), [](const std::string& a, const std::string& b) {
    return a.size() < b.size();
  });
  const std::string why = ScenarioUnstorablePair(longest);
  return why.empty() ? why : why + " (every stores it under " + longest[1].text + " too)";
}

// Between periods of operation no GUI loop runs, and the store the next
// period starts with loads the settings file: the line changes the file
// itself, as tvsettings would, the write checked. A file that is missing or
// fails its checks is the next period's to recover (from its backup, or the
// defaults): the line does not write one in its place.
std::string StoreInFile(const std::vector<std::string>& keys, const std::string& value) {
  const std::string file = NvPath("/mnt/nvram/APP_NVRAM.dat");
  StorageContext* context = StorageInit();
  errno = 0;
  const int32_t loaded = StorageLoad(context, file.c_str());
  const int why = errno;
  std::string failure;
  if (loaded != STORAGE_OK) {
    const std::string state = loaded != STORAGE_FILE_ERROR ? "it fails its checks (" + std::to_string(loaded) + ")"
                              : why                        ? std::string("it cannot be read (") + std::strerror(why) + ")"
                                                           : std::string("it cannot be read");
    failure = "store cannot change " + file + " between periods of operation: " + state +
              ", and the next period recovers it; store the value once the set is on";
  }
  for (size_t i = 0; failure.empty() && i < keys.size(); ++i)
    failure = ScenarioStoreRefusal(StoragePut(context, keys[i].c_str(), value.c_str()));
  if (failure.empty()) {
    errno = 0;
    const int32_t saved = StorageSave(context);
    failure = ScenarioStoreUnwritten(saved, errno);
  }
  StorageDone(context);
  return failure;
}

// Puts VALUE under each key that keysNow gives, on the GUI thread in its turn,
// or in the settings file between periods; COUNT tells how many keys.
std::string StorePairs(std::function<std::vector<std::string>()> keysNow, const std::string& value,
                       const std::shared_ptr<size_t>& count) {
  // By value: a call the GUI thread has not taken in time is left to it.
  return ScenarioOnGuiThread([keysNow, value, count] {
    const std::vector<std::string> keys = keysNow();
    *count = keys.size();
    if (!GuiLoopRunning()) return StoreInFile(keys, value);
    return ScenarioStorePairs(MainApp::GetPersistentData(), keys, value);
  });
}

std::string StoreLine(const ScenarioTokens& t) {
  if (t.size() != 3) return "store takes a key and a value, or every and a value";
  auto count = std::make_shared<size_t>(0);
  if (t[1].text != "every" || t[1].quoted)
    return StorePairs([key = t[1].text] { return std::vector{key}; }, t[2].text, count);
  std::string failure = StorePairs(&StoredKeys, t[2].text, count);
  if (failure.empty()) OutputTee::Say("tvui: " + std::to_string(*count) + " settings keys hold \"" + t[2].text + "\"");
  return failure;
}

// Writes TEXT to the set's file PATH below ROOT as the set's own file: the
// folders on its way are made where missing, and a link on the way, or a
// link, a pipe or a device in its place, is neither followed nor written
// (the root itself may be a link, as TVUI_ROOT may). Every write is checked,
// and the close: a full folder fails the line. Empty, or why not.
// The folder of the set's file PATH below ROOT, its folders made where
// missing and none reached through a link: its handle, and its path in AT
// and the file's name in PARTS' last; -1 with the reason in WHY, the line's
// own words (WORD) first.
// Why PATH, of the line WORD, names no file below the set's root (its
// folders and the file's name in PARTS); empty when it does.
std::string NoSetFile(const std::string& path, const std::string& word, std::vector<std::string>* parts) {
  for (const auto& part : std::filesystem::path(path).relative_path())
    if (!part.empty() && part != ".") parts->push_back(part.string());
  if (parts->empty() || path.back() == '/' || std::find(parts->begin(), parts->end(), "..") != parts->end() ||
      path.find('\0') != std::string::npos)
    return word + " takes the path of a file below the set's root, not " + path;
  return {};
}

int OpenSetFolder(const std::string& root, const std::string& path, const std::string& word,
                  std::vector<std::string>* parts, std::string* at, std::string* why) {
  if (*why = NoSetFile(path, word, parts); !why->empty()) return -1;
  *at = root;
  const auto refused = [&](const std::string& what) {
    return *at + " " + what + ": " + word + " writes the set's files only as regular files, never through a link";
  };
  const auto failed = [&](int error) { return word + " cannot write " + *at + ": " + std::strerror(error); };
  // From the set's folder as the run took it at its start.
  int dir = NvOpenFolder(root, false, why);
  if (dir < 0) {
    *why = failed(errno);
    return -1;
  }
  for (size_t i = 0; i + 1 < parts->size(); ++i) {
    *at += "/" + (*parts)[i];
    struct stat info {};
    const char* part = (*parts)[i].c_str();
    int next = -1;
    if ((mkdirat(dir, part, 0755) != 0 && errno != EEXIST) || fstatat(dir, part, &info, AT_SYMLINK_NOFOLLOW) != 0) {
      *why = failed(errno);
    } else if (!S_ISDIR(info.st_mode)) {
      *why = refused("is " + FileKind(info.st_mode) + ", not a folder");
    } else if ((next = openat(dir, part, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)) < 0) {
      *why = failed(errno);
    }
    close(dir);
    if (next < 0) return -1;
    dir = next;
  }
  *at += "/" + parts->back();
  return dir;
}

std::string WriteSetFile(const std::string& root, const std::string& path, const std::string& text) {
  std::vector<std::string> parts;
  std::string at;
  std::string why;
  const int dir = OpenSetFolder(root, path, "file", &parts, &at, &why);
  if (dir < 0) return why;
  const auto refused = [&at](const std::string& what) {
    return at + " " + what + ": file writes the set's files only as regular files, never through a link";
  };
  const auto failed = [&at](int error) { return "file cannot write " + at + ": " + std::strerror(error); };
  struct stat info {};
  if (fstatat(dir, parts.back().c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISREG(info.st_mode)) {
    close(dir);
    return refused("is " + FileKind(info.st_mode));
  }
  const int fd =
      openat(dir, parts.back().c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
  const int reason = errno;
  close(dir);
  if (fd < 0) return failed(reason);
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    why = refused("is " + FileKind(info.st_mode));
  } else if (ftruncate(fd, 0) != 0) {
    why = failed(errno);
  } else if (std::string unwritten = OutFolderWrite(fd, text, at); !unwritten.empty()) {
    why = "file " + unwritten;
  }
  if (close(fd) != 0 && why.empty()) why = failed(errno);
  return why;
}

// A link to TARGET put in place of the set's PATH while the set runs, as a
// user might put one there: what stood there is moved aside as PATH.old.
std::string LinkForm(const ScenarioTokens& t) {
  std::vector<std::string> parts;
  if (t.size() != 3 || t[1].text.empty() || t[1].text[0] != '/' || t[2].text.empty())
    return "link takes an absolute path and a target";
  return NoSetFile(t[1].text, "link", &parts);
}

std::string LinkLine(const ScenarioTokens& t) {
  if (std::string why = LinkForm(t); !why.empty()) return why;
  std::vector<std::string> parts;
  std::string at;
  std::string why;
  const int dir = OpenSetFolder(NvRootDir(), t[1].text, "link", &parts, &at, &why);
  if (dir < 0) return why;
  const std::string& name = parts.back();
  const std::string aside = name + ".old";
  if (renameat(dir, name.c_str(), dir, aside.c_str()) != 0 && errno != ENOENT) {
    why = "link cannot move " + at + " aside: " + std::strerror(errno);
  } else if (symlinkat(t[2].text.c_str(), dir, name.c_str()) != 0) {
    why = "link cannot make " + at + ": " + std::strerror(errno);
  }
  close(dir);
  return why;
}

std::string FileForm(const ScenarioTokens& t) {
  std::vector<std::string> parts;
  if (t.size() != 3 || t[1].text.empty() || t[1].text[0] != '/') return "file takes an absolute path and a text";
  return NoSetFile(t[1].text, "file", &parts);
}

std::string FileLine(const ScenarioTokens& t) {
  if (std::string why = FileForm(t); !why.empty()) return why;
  return WriteSetFile(NvRootDir(), t[1].text, t[2].text);
}

std::string ExpectFileForm(const ScenarioTokens& t) {
  if (t.size() != 3 || t[2].text.empty() || t[2].text[0] != '/') return "expect " + t[1].text + " takes an absolute path";
  return {};
}

std::string ExpectFileLine(const ScenarioTokens& t) {
  if (std::string why = ExpectFileForm(t); !why.empty()) return why;
  std::error_code error;
  const bool there = std::filesystem::exists(NvPath(t[2].text.c_str()), error);
  if (t[1].text == "file" && !there) return "the set has no file " + t[2].text;
  if (t[1].text == "no-file" && there) return "the set still has the file " + t[2].text;
  return {};
}

std::string ShellForm(const ScenarioTokens& t) {
  int64_t status = 0;
  if (t.size() != 4 || !ScenarioNumber(t[2].text, -1, 255, &status))
    return "shell takes a command's beginning, a status (-1: cannot start) and the output";
  return {};
}

std::string ShellLine(const ScenarioTokens& t) {
  int64_t status = 0;
  if (std::string why = ShellForm(t); !why.empty()) return why;
  ScenarioNumber(t[2].text, -1, 255, &status);
  simtv_factory_shell_answer(t[1].text.c_str(), int(status), t[3].text.c_str());
  return {};
}

bool LiveTvOf(const ScenarioTokens& t, int64_t* window, int64_t* state) {
  return t.size() == 3 && ScenarioNumber(t[1].text, 0, 1, window) && ScenarioNumber(t[2].text, 1, 3, state);
}

std::string LiveTvForm(const ScenarioTokens& t) {
  int64_t window = 0;
  int64_t state = 0;
  if (!LiveTvOf(t, &window, &state)) return "live-tv takes a window (0 or 1) and a state (1 live, 2 paused, 3 recording)";
  return {};
}

std::string LiveTvLine(const ScenarioTokens& t) {
  int64_t window = 0;
  int64_t state = 0;
  if (!LiveTvOf(t, &window, &state)) return LiveTvForm(t);
  simtv_tv_set_live_tv_state(int32_t(window), int32_t(state));
  return {};
}

std::string ThreeDInputForm(const ScenarioTokens& t) {
  int64_t format = 0;
  if (t.size() != 2 || !ScenarioNumber(t[1].text, -2, 6, &format)) return "3d-input takes a 3D format (-2 to 6)";
  return {};
}

std::string ThreeDInputLine(const ScenarioTokens& t) {
  int64_t format = 0;
  if (std::string why = ThreeDInputForm(t); !why.empty()) return why;
  ScenarioNumber(t[1].text, -2, 6, &format);
  simtv_tv_set_3d_input(int32_t(format));
  return {};
}

std::string UsbForm(const ScenarioTokens& t) {
  int64_t kb = 0;
  if (t.size() == 2 && t[1].text == "remove") return {};
  if (t.size() < 2 || t.size() > 4 || t[1].text != "insert" ||
      (t.size() > 2 && !ScenarioNumber(t[2].text, 1, UINT32_MAX, &kb)))
    return "usb takes insert [KB [FILESYSTEM]] or remove";
  return {};
}

std::string UsbLine(const ScenarioTokens& t) {
  if (std::string why = UsbForm(t); !why.empty()) return why;
  if (t[1].text == "remove") {
    simtv_usb_remove();
    return {};
  }
  int64_t kb = SIMTV_USB_DEFAULT_KB;
  if (t.size() > 2) ScenarioNumber(t[2].text, 1, UINT32_MAX, &kb);
  simtv_usb_insert(uint32_t(kb), t.size() > 3 ? t[3].text.c_str() : "FAT32");
  return {};
}

// Built, the stick is written by the build's mediastick program, in a
// process of its own, so that the picture and sound encoders' code and
// buffers do not stay in the set's memory; installed, the runner writes it.
// Either writes into the folder FD is open on (the program is handed it as
// its descriptor 3), whatever has been put in place of its path since.
bool WriteStick(int fd, std::string* error) {
  const std::filesystem::path tool = std::filesystem::path(TVUI_BUILD_DIR) / "tools" / "mediastick" / "mediastick";
  if (access(tool.c_str(), X_OK) != 0) return MediaStick::Write(OutFolderThrough(fd), error);
  constexpr int kChildFolder = 3;
  std::string program = tool.string();
  std::string folder = "/proc/self/fd/" + std::to_string(kChildFolder);
  char* argv[] = {program.data(), folder.data(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fd, kChildFolder);
  pid_t child = 0;
  const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    *error = program + " cannot be started";
    return false;
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return true;
  *error = program + " failed";
  return false;
}

std::string MediaForm(const ScenarioTokens& t) {
  return t.size() == 2 ? std::string() : "media takes stick, a folder or remove";
}

// Copies the folder DIR, which the user knows as SHOWN, onto the USB disk:
// empty, or why it did not go.
std::string InsertStick(const std::string& dir, const std::string& shown) {
  char why[1024];
  if (simtv_media_insert_as(dir.c_str(), shown.c_str(), why, sizeof why) == 0) return {};
  return shown + " cannot go onto the USB disk: " + why;
}

// Why a link at tmp/mediastick, or at tmp, SHOWN, is refused: one that leads
// to a folder that holds the USB disk (the set's folder itself) would have
// the copy take the disk into itself, and that is said.
std::string StickHoldsDisk(int stick, const std::string& shown) {
  std::string why;
  const std::string path = NvPath(XPM_USB_DISK_MOUNT_POINT);
  const int disk = path.empty() ? -1 : NvOpenFolder(path, true, &why);
  if (disk < 0 || stick < 0) {
    if (disk >= 0) close(disk);
    return {};
  }
  const std::vector<NvFolderId> up = NvFoldersUp(disk);
  close(disk);
  struct stat info {};
  if (fstat(stick, &info) != 0 || !NvAmong(up, info)) return {};
  return shown + " is a link to a folder that holds the USB disk's folder " + path +
         ": the stick's files would go among the set's own, and its copy would copy itself without end; remove the "
         "link";
}

// The set's own stick goes into its folder tmp/mediastick, reached from the
// set's folder through no link: a link at tmp or tmp/mediastick, wherever
// in the set's folder it leads, would have the stick's files written among
// the set's own (its settings, its disk). Such a link is refused before
// anything is made or written, naming it. A handle on the folder, or -1
// with *WHY.
int OpenOwnStick(const std::string& root, std::string* why) {
  int at = NvOpenFolder(root, true, why);
  std::string shown = root == "/" ? "" : root;
  std::string below;  // the link's path below the set's folder, as the set judges its links
  for (const char* name : {"tmp", "mediastick"}) {
    shown += std::string("/") + name;
    below += (below.empty() ? "" : "/") + std::string(name);
    if (at < 0) return -1;
    int next = openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (next < 0 && errno == ENOENT && mkdirat(at, name, 0755) == 0)
      next = openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const int error = errno;
    char target[PATH_MAX];
    const ssize_t length = next < 0 ? readlinkat(at, name, target, sizeof target - 1) : -1;
    close(at);
    at = next;
    if (length > 0) {
      std::string unused;
      const int there = NvOpenFolder(shown, false, &unused);
      *why = StickHoldsDisk(there, shown);
      if (there >= 0) close(there);
      const std::string link = shown + " is a link to " + std::string(target, size_t(length));
      const std::string own = "the set's own stick is written only into its own folder tmp/mediastick, never through a link";
      if (why->empty()) {
        const NvLinkWay way = NvJudgeSetLink(below);
        if (way.end == NvLinkWay::kOut)
          *why = link + ", which leads out of the set's folder " + root + ": " + own + "; remove the link";
        else if (way.end != NvLinkWay::kInside)
          // A loop, a chain or a way that cannot be read: the judge's words.
          *why = (way.why.empty() ? link : way.why) + ": " + own + "; remove the link";
        else
          *why = link + ": " + own + " to another place in the set's folder " + root +
                 ", where its files would go among the set's own; remove the link";
      }
      return -1;
    }
    if (at < 0) *why = shown + ": " + std::strerror(error);
  }
  return at;
}

std::string MediaLine(const ScenarioTokens& t) {
  if (std::string why = MediaForm(t); !why.empty()) return why;
  if (t[1].text == "remove") {
    simtv_usb_remove();
    return {};
  }
  std::string dir = t[1].text;
  if (dir != "stick") return InsertStick(dir, dir);
  // Made afresh below the set's root, then copied onto the disk.
  std::string error;
  const std::string root = NvRootDir();
  const std::string stick = (root == "/" ? "" : root) + "/tmp/mediastick";
  const int fd = OpenOwnStick(root, &error);
  if (fd < 0 || !WriteStick(fd, &error)) {
    if (fd >= 0) close(fd);
    return "the media stick cannot be written: " + error;
  }
  std::string refused = InsertStick(OutFolderThrough(fd), stick);
  close(fd);
  return refused;
}

// A recording's title is shown on every row and panel that lists it, and
// its file is named after it: checked as the scenario loads.
std::string RecordingForm(const ScenarioTokens& t) {
  int64_t minutes = 0;
  if (t.size() != 3 || !ScenarioNumber(t[2].text, 0, 100000, &minutes)) return "recording takes a title and minutes";
  // An empty title would name the hidden files .trp and .nav, and one of
  // blanks alone ___.trp and ___.nav, under a row that reads nothing.
  switch (simtv_recording_title_fault(t[1].text.c_str())) {
    case SIMTV_TITLE_BLANK:
      return "recording takes a title that is not empty or only blanks";
    case SIMTV_TITLE_CONTROL:
      return "recording takes a title without a tab, a line end or another control character, which no screen "
             "draws and no file name should hold";
    default:
      return {};
  }
}

std::string RecordingLine(const ScenarioTokens& t) {
  if (std::string refused = RecordingForm(t); !refused.empty()) return refused;
  int64_t minutes = 0;
  ScenarioNumber(t[2].text, 0, 100000, &minutes);
  XPM_RecordedShow show{};
  // A long title is kept whole to its last character that fits.
  std::string title = t[1].text;
  if (title.size() >= sizeof show.title) {
    size_t cut = sizeof show.title - 1;
    while (cut > 0 && (static_cast<unsigned char>(title[cut]) & 0xC0) == 0x80) --cut;
    title.resize(cut);
  }
  std::snprintf(show.title, sizeof show.title, "%s", title.c_str());
  simtv_recording_file_name("", t[1].text.c_str(), show.fileName, sizeof show.fileName);
  show.startTime = show.recordTime = simtv_tv_local_time() - minutes * 60;
  show.duration = int32_t(minutes) * 60;
  show.state = 19;
  simtv_tv_add_recording(XPM_USB_DISK_MOUNT_POINT, &show);
  return {};
}

// The broadcast's time, which the set's clock follows while it updates its
// time by itself: a timer comes due a moment later, whatever the hour.
std::string ClockForm(const ScenarioTokens& t) {
  int64_t seconds = 0;
  if (t.size() != 3 || t[1].text != "before-timer" || !ScenarioNumber(t[2].text, 0, 86400, &seconds))
    return "clock takes before-timer SECONDS";
  return {};
}

std::string ClockLine(const ScenarioTokens& t) {
  int64_t seconds = 0;
  if (std::string why = ClockForm(t); !why.empty()) return why;
  ScenarioNumber(t[2].text, 0, 86400, &seconds);
  if (!simtv_xpm_auto_time_update()) return "the set keeps the time it was given: it follows no broadcast's time";
  const int64_t due = simtv_tv_next_timer_due();
  if (due < 0) return "no timer of the set comes due within a week";
  simtv_tv_set_local_time(due - seconds);
  return {};
}

constexpr ScenarioCommand kCommands[] = {
    {"dispatch",
     "factory-reset|restart-setup|dpms SECONDS|update-result CODE|device-removed CODE|factory-command TYPE VALUE "
     "[CLASS] [\"TEXT\"]",
     "the factory reset the TV-reset confirmation asks for, the request to run the first-time setup again, the "
     "report of seconds without signal, the update service's result of a check or an upgrade, the media "
     "library's removal of a device (242 usba to 246 mmc), or a factory command's result for the factory screens",
     &DispatchLine, &DispatchForm},
    {"3d-input", "FORMAT",
     "the 3D format the input delivers: 0 none, 1 2D, 2 side by side, 3 top and bottom, 5 or 6 frame packing, -2 one "
     "not supported",
     &ThreeDInputLine, &ThreeDInputForm},
    {"live-tv", "WINDOW STATE", "a window's live state: 1 live, 2 paused, 3 recording", &LiveTvLine, &LiveTvForm},
    {"usb", "insert [KB [FILESYSTEM]] | remove",
     "the USB recording disk goes in (2000000 KB, FAT32 unless given) or out, ending what plays or records from it",
     &UsbLine, &UsbForm},
    {"media", "stick|DIR|remove",
     "the USB disk goes in holding the generated media stick or a copy of the folder DIR, or goes out", &MediaLine, &MediaForm},
    {"recording", "\"TITLE\" MINUTES", "a recorded show on the disk, with its files", &RecordingLine, &RecordingForm},
    {"clock", "before-timer SECONDS",
     "the broadcast's time, which the set's clock takes: SECONDS before the next of its timers comes due",
     &ClockLine, &ClockForm},
    {"file", "\"PATH\" \"TEXT\"", "a file of the set's, below its root", &FileLine, &FileForm},
    {"link", "\"PATH\" \"TARGET\"",
     "a link to TARGET in place of the set's file or folder PATH (below its root), what stood there moved aside as "
     "PATH.old, as a user might put one there while the set runs",
     &LinkLine, &LinkForm},
    {"expect file", "\"PATH\"", "the set has the file, below its root", &ExpectFileLine, &ExpectFileForm},
    {"expect no-file", "\"PATH\"", "the set has no such file", &ExpectFileLine, &ExpectFileForm},
    {"shell", "\"PREFIX\" STATUS \"OUTPUT\"", "the board shell's answer to the commands that begin so", &ShellLine, &ShellForm},
    {"store", "KEY|every \"VALUE\"",
     "a value in the settings store, as a set used before holds it; every: under every key the system keeps there",
     &StoreLine, &StorablePair},
    {"expect-backup", "KEY VALUE", "the settings backup holds the value", &BackupLine, &BackupForm},
};
static_assert(std::ranges::all_of(kCommands, [](const ScenarioCommand& row) { return row.check != nullptr; }));

bool InStandby() {
  auto* root = vg_cast<MainApp::Root>(rootObject.load());
  MainApp::Standby* standby = root ? root->standbyGroup.get() : nullptr;
  return standby && !standby->activeApp && !standby->initialSetup;
}

std::string PastSetup() {
  return ScenarioStorePairs(MainApp::GetPersistentData(), {VgStringToUtf8(VgNewString(MainApp::kSetupStepKey))},
                            std::to_string(MainApp::kSetupComplete));
}

constexpr SetPowerOps kPower{&InStandby, &PastSetup};

}  // namespace

std::span<const ScenarioCommand> Commands() { return kCommands; }

const SetPowerOps* Power() { return &kPower; }

}  // namespace TvuiProduct
