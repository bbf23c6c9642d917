#include "scenario.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "Button/ButtonClass.h"
#include "Constants/Constants.h"
#include "Core/Root.h"
#include "Core/View.h"
#include "Events/XpmPayloadLayout.h"
#include "Forms/Ctrl.h"
#include "GenColor.h"
#include "GenPng.h"
#include "NonMenuSystem/CommonMuteBar.h"
#include "NonMenuSystem/EnterPinDialog.h"
#include "PersistentData/PersistentData.h"
#include "Primitives/KeyRoutingForm.h"
#include "Strings.h"
#include "SubSystem/Open.h"
#include "WinIDs/WinIDs.h"
#include "event_bridge.h"
#include "gui_loop.h"
#include "keymap.h"
#include "layout_check.h"
#include "nvpath.h"
#include "out_folder.h"
#include "output_tee.h"
#include "picture_page.h"
#include "probe_root.h"
#include "remote_keys.h"
#include "screen_view.h"
#include "set_power.h"
#include "simtv.h"
#include "storageFunction.h"
#include "vgslot.h"
#include "vgstring.h"
#include "viewer_checks.h"
#include "walk.h"

namespace {

constexpr GenColor kPicture = GenMakeColor(40, 40, 48, 255);

std::span<const ScenarioCommand> g_rootCommands;

// What the set's own threads report against the line that runs.
struct Watch {
  std::mutex mutex;
  std::string name;
  int number = 0;
  std::string source;
  // A panic that no expect panic has taken yet, and the line it came in.
  bool panicked = false;
  int panicNumber = 0;
  std::string panicSource;
  std::string panicMessage;
};

Watch& W() {
  static Watch& watch = *new Watch;
  return watch;
}

// The frames that the set draws while the scenario runs are followed: the
// first whose drawing order left a window covered by a lower one is kept, with
// the line that ran, for the next layout check.
struct LayoutWatch {
  std::mutex mutex;
  std::string fault;
  const GuiRootOps* drawing = nullptr;
  GuiRootOps watched{};
};

LayoutWatch& L() {
  static LayoutWatch& watch = *new LayoutWatch;
  return watch;
}

VgRect WatchedUpdate(XObject* root) {
  LayoutWatch& l = L();
  auto* core = vg_cast<Core::Root>(root);
  if (core) BeginLayoutFrame(core);
  const VgRect shown = l.drawing->update(root);
  if (!core) return shown;
  const std::string fault = EndLayoutFrame();
  if (fault.empty()) return shown;
  std::string line;
  {
    Watch& w = W();
    std::lock_guard guard(w.mutex);
    line = w.name + ":" + std::to_string(w.number) + " (" + w.source + ")";
  }
  std::lock_guard guard(l.mutex);
  if (l.fault.empty()) l.fault = "a frame drawn while " + line + " ran: " + fault;
  return shown;
}

void WatchFrames() {
  LayoutWatch& l = L();
  if (l.drawing) return;
  l.drawing = &GuiRoot();
  l.watched = *l.drawing;
  l.watched.update = &WatchedUpdate;
  GuiUseRootOps(&l.watched);
}

// The layout check of expect layout and of every picture: the frames since
// the previous check, then the screen as it stands.
std::string LayoutFaults() {
  std::string fault;
  {
    LayoutWatch& l = L();
    std::lock_guard guard(l.mutex);
    fault.swap(l.fault);
  }
  const std::string now = CheckLayout(vg_cast<Core::View>(rootObject.load()));
  if (!now.empty()) fault += (fault.empty() ? "" : "\n  ") + now;
  return fault.empty() ? fault : "layout: " + fault;
}

// A scenario's text as a message shows it: at most 120 characters, then an
// ellipsis; a byte that is not part of UTF-8 text, or a control character,
// as \xNN.
std::string Shown(const std::string& text) {
  constexpr size_t kShownCharacters = 120;
  std::string shown;
  size_t i = 0;
  for (size_t characters = 0; i < text.size() && characters < kShownCharacters; ++characters) {
    const auto byte = uint8_t(text[i]);
    const size_t length = byte < 0x80           ? 1
                          : (byte >> 5) == 0x6  ? 2
                          : (byte >> 4) == 0xE  ? 3
                          : (byte >> 3) == 0x1E ? 4
                                                : 0;
    bool whole = length > 0 && i + length <= text.size();
    for (size_t k = 1; whole && k < length; ++k) whole = (uint8_t(text[i + k]) >> 6) == 0x2;
    if (whole && byte >= 0x20 && byte != 0x7F) {
      shown.append(text, i, length);
      i += length;
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      shown += escaped;
      ++i;
    }
  }
  if (i < text.size()) shown += "\u2026";
  return shown;
}

void PrintFailure(const std::string& name, int number, const std::string& source, const std::string& reason) {
  OutputTee::Say("tvui: " + name + ":" + std::to_string(number) + " failed: " + Shown(source) + "\n  " + reason, true);
}

// Prints the failure of a panic that no expect panic took; false when there is none.
bool UntakenPanic(const std::string& name) {
  Watch& w = W();
  std::lock_guard guard(w.mutex);
  if (!w.panicked) return false;
  PrintFailure(name, w.panicNumber, w.panicSource, "the product panicked: " + w.panicMessage);
  return true;
}

// The names of the process's threads.
std::vector<std::string> ThreadNames() {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it("/proc/self/task", error), end; !error && it != end; it.increment(error)) {
    std::ifstream comm(it->path() / "comm");
    std::string name;
    std::getline(comm, name);
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A figure of /proc/self/status in kB: VmRSS (resident now) or VmHWM (at
// its highest); -1 when it cannot be read.
long StatusKb(const char* field = "VmRSS:") {
  std::ifstream status("/proc/self/status");
  const size_t length = std::strlen(field);
  for (std::string line; std::getline(status, line);)
    if (line.compare(0, length, field) == 0) return std::strtol(line.c_str() + length, nullptr, 10);
  return -1;
}

void AppendLittleEndian(std::vector<uint8_t>* bytes, uint64_t value, int size) {
  for (int i = 0; i < size; ++i) bytes->push_back(uint8_t(value >> (8 * i)));
}

// The raw payload's own key=value tokens; any other key names a field.
bool IsRawKey(const std::string& key) { return key == "byte" || key == "u16" || key == "zeros" || key == "cookie"; }

// An event line names its event or its fields: "event XPM_EVENT_WAKEUP
// Reason=1" or "event 3 Reason=1", as opposed to raw payload words.
bool IsNamedEvent(const ScenarioTokens& t) {
  int64_t number = 0;
  if (t.size() < 2) return false;
  if (!t[1].quoted && !ScenarioNumber(t[1].text, INT64_MIN, INT64_MAX, &number)) return true;
  for (size_t i = 2; i < t.size(); ++i) {
    const size_t equals = t[i].text.find('=');
    if (!t[i].quoted && equals != std::string::npos && !IsRawKey(t[i].text.substr(0, equals))) return true;
  }
  return false;
}

std::string FieldList(const XpmPayloadLayout& layout) {
  std::string list;
  for (const XpmPayloadField& field : layout.fields)
    if (field.name) list += (list.empty() ? "" : ", ") + std::string(field.name);
  return list.empty() ? "none" : list;
}

// Builds the payload of "event NAME field=value ...": the fields of the
// event's layout, those not named left 0, and a text given either in the
// token (Name=Player) or as the quoted token after it (Name= "My Player").
bool BuildNamedEvent(const ScenarioTokens& t, int64_t* number, ScenarioPayload* payload,
                     std::string* error) {
  const XpmPayloadLayout* layout = FindXpmPayloadLayout(t[1].text);
  if (!layout) {
    *error = "no middleware event named " + t[1].text +
             " has a payload layout (see units/Events/XpmPayloadLayout.cpp); send raw words with its number";
    return false;
  }
  *number = layout->event;
  payload->bytes.assign(layout->size, 0);
  for (size_t i = 2; i < t.size(); ++i) {
    const std::string& text = t[i].text;
    const size_t equals = text.find('=');
    if (t[i].quoted || equals == std::string::npos) {
      *error = "after an event's name only field=value may follow, not " + text;
      return false;
    }
    const std::string key = text.substr(0, equals);
    std::string value = text.substr(equals + 1);
    int64_t parsed = 0;
    if (key == "cookie") {
      if (!ScenarioNumber(value, 0, UINT32_MAX, &parsed)) {
        *error = "cookie takes a 32-bit number";
        return false;
      }
      payload->cookie = uint32_t(parsed);
      continue;
    }
    const XpmPayloadField* field = FindXpmPayloadField(*layout, key);
    if (!field) {
      *error = std::string(layout->name) + " has no field " + key + " (its fields: " + FieldList(*layout) + ")";
      return false;
    }
    if (field->kind == XpmFieldKind::Text) {
      if (value.empty() && i + 1 < t.size() && t[i + 1].quoted) {
        value = t[++i].text;
      } else if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
      }
      if (value.size() >= field->width) {
        *error = key + " holds at most " + std::to_string(field->width - 1) + " characters";
        return false;
      }
      EncodeXpmPayloadText(*field, value, &payload->bytes);
      continue;
    }
    if (!ScenarioNumber(value, INT64_MIN, INT64_MAX, &parsed)) {
      *error = "field " + key + " needs a number";
      return false;
    }
    int64_t low = INT32_MIN, high = UINT32_MAX;
    if (field->kind == XpmFieldKind::Uint16) low = -32768, high = 65535;
    if (field->kind == XpmFieldKind::Byte) low = -128, high = 255;
    if (field->kind == XpmFieldKind::Fixed) {
      if (parsed != field->fixed) {
        *error = std::string(layout->name) + " always has " + key + " " + std::to_string(field->fixed);
        return false;
      }
      continue;
    }
    if (parsed < low || parsed > high) {
      *error = "field " + key + " is out of range";
      return false;
    }
    EncodeXpmPayloadNumber(*field, parsed, &payload->bytes);
  }
  return true;
}

// What a block of expectations looks at: the calls and the output since the
// previous block. The threads of the set run side by side, so the order of
// calls within a block is not theirs to promise; a call matched once is not
// matched again.
struct Window {
  int firstCall = 0;
  size_t firstOutput = 0;
  std::vector<int> matched;
};

// What the factory serial console's fixture end has received since the
// current block of expectations began.
std::string g_console;

// Takes in what the console received.
void DrainConsole() {
  char buffer[4096];
  for (int got; (got = simtv_console_read(buffer, sizeof buffer)) > 0;) g_console.append(buffer, size_t(got));
}

// The run of the scenario: where it lies (references and fixtures are found
// beside it), where screenshots go, and the block of expectations.
struct Run {
  std::string name;
  std::filesystem::path folder;
  std::string outDir;
  Window window;
  bool lastWasExpect = false;
  // The thread count of the first expect threads steady.
  int64_t steadyThreads = -1;
  // Power keys pressed in standby: the middleware kept them to wake the set,
  // so the GUI never saw them go down and their release is the viewer's alone.
  std::set<uint32_t> heldToWake;
  // From a standby line to the wake: the period's GUI loop ends on the
  // set's time, in a later line, and its screens with it.
  bool periodEnding = false;
};
Run g_run;

std::string CallText(int index) {
  char text[1024];
  return simtv_call_text(index, text, sizeof text) == 0 ? std::string(text) : std::string();
}

// Splits a line into its words, and with comments stops at a comment.
bool SplitWords(const std::string& line, ScenarioTokens* tokens, bool comments);

// A recorded call splits into its arguments as a scenario line does, so a
// quoted text in the line matches a text argument with spaces; a # in a
// call's argument is the argument's own.
bool CallMatches(const std::string& call, const ScenarioTokens& tokens, size_t first) {
  ScenarioTokens words;
  if (!SplitWords(call, &words, false) || words.empty() || words[0].text != tokens[first].text) return false;
  for (size_t i = first + 1; i < tokens.size(); ++i) {
    size_t at = i - first;
    if (at >= words.size() || words[at].text != tokens[i].text) return false;
  }
  return true;
}

// The first matching call of the window not matched before, or -1.
int FindCall(const ScenarioTokens& tokens, size_t first, const Window& window) {
  const int count = simtv_call_count();
  for (int i = window.firstCall; i < count; ++i) {
    if (std::find(window.matched.begin(), window.matched.end(), i) != window.matched.end()) continue;
    if (CallMatches(CallText(i), tokens, first)) return i;
  }
  return -1;
}

std::string CallsNamed(const std::string& name, int from) {
  std::string seen;
  int shown = 0;
  const int count = simtv_call_count();
  for (int i = from; i < count && shown < 12; ++i) {
    std::string call = CallText(i);
    if (call.compare(0, name.size() + 1, name + " ") == 0 || call == name) {
      seen += "\n    " + call;
      ++shown;
    }
  }
  return seen.empty() ? " none" : seen;
}

// The value of the key in the settings file; empty when it is there, else
// why not.
std::string ReadSetting(const std::string& key, std::string* value) {
  std::string content;
  const std::string failure = ReadSetFile("/mnt/nvram/APP_NVRAM.dat", &content);
  if (!failure.empty()) return failure;
  const std::string head = "[" + key + "]=<";
  size_t at = content.find(head);
  size_t end = at == std::string::npos ? at : content.find('>', at + head.size());
  if (end == std::string::npos) return "the settings file holds no key " + key;
  *value = content.substr(at + head.size(), end - at - head.size());
  return {};
}

bool ParseWindowId(const std::string& text, int32_t* id) {
  for (const WinIDs::Named& row : WinIDs::kWindowIds) {
    if (row.name == text) {
      *id = row.value;
      return true;
    }
  }
  int64_t value = 0;
  if (!ScenarioNumber(text, INT32_MIN, UINT32_MAX, &value)) return false;
  *id = int32_t(uint32_t(value));
  return true;
}

std::string WindowIdName(int32_t id) {
  for (const WinIDs::Named& row : WinIDs::kWindowIds)
    if (row.value == id) return std::string(row.name);
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", unsigned(id));
  return text;
}

// The string constant of that key (SID_...), or null.
const VgConstant* StringConstant(const std::string& key) {
  for (size_t i = 0; i < Strings::KeyCount; ++i)
    if (key == Strings::Keys[i].name) return Strings::Keys[i].constant;
  return nullptr;
}

// The text of an expect text line: a quoted token as written (UTF-8, as the
// text views are read), or the bare name of a string constant as the
// constant reads in the set's language of the moment. The description names
// both for the failure message. False when a bare word names no constant.
bool ExpectedText(const ScenarioToken& token, std::string* text, std::string* description) {
  *text = token.text;
  *description = "\"" + token.text + "\"";
  if (token.quoted) return true;
  const VgConstant* constant = StringConstant(token.text);
  if (!constant) return false;
  *text = VgStringToUtf8(VgGetVariantOfString(constant));
  *description = token.text + " (\"" + *text + "\")";
  return true;
}

// Every thread of the set is blocked once it has settled, so the runner may
// read the GUI's objects, as it does for texts; it never makes one. Without a
// widget manager no screen is listed.
bool ScreenListed(int32_t id) {
  auto* manager = static_cast<::WidgetManager::WidgetManager*>(VgFindAutoObject(&MainApp::WidgetManager));
  return manager && manager->FindForm(id) != nullptr;
}

GenBitmap* Canvas() {
  XObject* root = rootObject.load();
  return root ? GuiRoot().canvas(root) : nullptr;
}

// A remote key by its name (see --help) or a hardware key code of the
// host's key table. A byte 0 ends no name: the word is read whole.
bool ParseKey(const ScenarioToken& token, uint32_t* code) {
  if (token.text.find('\0') != std::string::npos) return false;
  int64_t value = RemoteKeyCode(token.text.c_str());
  if (value < 0 && !ScenarioNumber(token.text, 0, KeyMapLastKeyCode, &value)) return false;
  *code = uint32_t(value);
  return true;
}

// In standby only the power key reaches the set, and wakes it (the
// middleware's wake-up, as on the set); true when it did. Any other key
// fails the line.
std::string ThroughStandby(uint32_t code, bool* woken) {
  *woken = false;
  // After the stop command the period is over and no screen loop reads the
  // keys: a key would be lost while the line passed.
  if (!rootObject.load()) {
    return "the set is in standby and its GUI loop has ended (a standby line ends the period of operation), so no "
           "key reaches it: start the next period with a wake line, then switch the set on with key POWER";
  }
  if (!SetInStandby()) return {};
  if (!IsPowerKey(code)) {
    return "the set is in standby, where no key but the power key reaches it: wake it with key POWER, or start "
           "the scenario with tv on (see --help)";
  }
  WakeByPowerKey();
  simtv_settle();
  *woken = true;
  return {};
}

std::string PressAndRelease(uint32_t code, uint32_t age) {
  bool woken = false;
  if (std::string refused = ThroughStandby(code, &woken); !refused.empty() || woken) return refused;
  if (simtv_inject_key(code, 1, age) != 0) return "the GUI has no event buffer to take keys";
  simtv_inject_key(code, 0, 0);
  simtv_settle();
  return {};
}

// ------------------------------------------------------------------- lines

// How old a key line's keys may be when the GUI takes them.
constexpr int64_t kLongestKeyAge = 60000;
constexpr const char* kKeyAgeForm = "age takes milliseconds, 0 to 60000";

std::string UnknownKey(const ScenarioToken& key) {
  return "unknown key " + Shown(key.text) + " (tvui --help lists the keys; key 0 to key 9 are the digit keys, and 10 " +
         "to " + std::to_string(KeyMapLastKeyCode) + " hardware key codes)";
}

// A key line's keys as hardware key codes, its age in AGE (MS, 0 without
// one) and where its keys begin in FIRST; empty, or why the line can never
// press them.
std::string KeyCodes(const ScenarioTokens& t, std::vector<uint32_t>* codes, int64_t* age, size_t* first) {
  size_t end = t.size();
  *age = 0;
  if (end >= 3 && t[end - 2].text == "age") {
    if (!ScenarioNumber(t[end - 1].text, 0, kLongestKeyAge, age)) return kKeyAgeForm;
    end -= 2;
  }
  const bool gui = t.size() > 1 && t[1].text == "gui";
  *first = gui ? 2 : 1;
  if (end <= *first) return gui ? "key gui takes GUI key codes" : "key takes key names or codes (see --help)";
  for (size_t i = *first; i < end; ++i) {
    uint32_t code = 0;
    if (gui) {
      int64_t guiCode = 0;
      if (!ScenarioNumber(t[i].text, 1, 255, &guiCode)) return Shown(t[i].text) + " is not a GUI key code";
      const int32_t hardware = KeyGivingGuiCode(guiCode);
      if (hardware < 0) return "no key of the set gives GUI key code " + t[i].text;
      code = uint32_t(hardware);
    } else if (!ParseKey(t[i], &code)) {
      return UnknownKey(t[i]);
    }
    codes->push_back(code);
  }
  return {};
}

// The keys of a key, press or release line, checked as the scenario loads.
std::string KeyForm(const ScenarioTokens& t) {
  std::vector<uint32_t> codes;
  int64_t age = 0;
  size_t first = 0;
  if (t[0].text == "key") return KeyCodes(t, &codes, &age, &first);
  uint32_t code = 0;
  if (t.size() != 2) return t[0].text + " takes one key name or code";
  return ParseKey(t[1], &code) ? std::string() : UnknownKey(t[1]);
}

std::string KeyLine(const ScenarioTokens& t) {
  std::vector<uint32_t> codes;
  int64_t age = 0;
  size_t first = 0;
  if (std::string why = KeyCodes(t, &codes, &age, &first); !why.empty()) return why;
  const bool gui = first == 2;
  for (size_t i = 0; i < codes.size(); ++i) {
    NoteTypedTextBeforeTheKey(codes[i]);
    if (std::string failure = PressAndRelease(codes[i], uint32_t(age)); !failure.empty()) return failure;
    if (std::string lost = TypedTextKept(t[first + i].text); !lost.empty()) return lost;
    PicturePageNoteKey(gui ? "GUI key " + t[first + i].text : t[first + i].text);
  }
  return {};
}

std::string PressLine(const ScenarioTokens& t) {
  uint32_t code = 0;
  if (std::string why = KeyForm(t); !why.empty()) return why;
  ParseKey(t[1], &code);
  const bool press = t[0].text == "press";
  const bool heldToWake = g_run.heldToWake.count(code) != 0;
  if (!press && !heldToWake && !simtv_key_held(code)) return t[1].text + " is not held";
  bool woken = false;
  if (press && !heldToWake) {
    if (std::string refused = ThroughStandby(code, &woken); !refused.empty()) return refused;
    if (woken) g_run.heldToWake.insert(code);
  }
  if (!press && heldToWake) g_run.heldToWake.erase(code);
  if (!woken && !heldToWake && (press ? simtv_press_key(code) : simtv_release_key(code)) != 0)
    return "the GUI has no event buffer to take keys";
  PicturePageNoteKey((press ? "held " : "let go ") + t[1].text);
  return {};
}

// The set's clock moves on only: a negative stretch is refused at load.
std::string AdvanceForm(const ScenarioTokens& t) {
  int64_t ms = 0;
  if (t.size() != 2 || !ScenarioNumber(t[1].text, 0, UINT32_MAX, &ms))
    return "advance takes milliseconds, 0 to 4294967295";
  return {};
}

std::string AdvanceLine(const ScenarioTokens& t) {
  if (std::string why = AdvanceForm(t); !why.empty()) return why;
  int64_t ms = 0;
  ScenarioNumber(t[1].text, 0, UINT32_MAX, &ms);
  // While a player moves on through a list's entries, the list check looks
  // at it every second: it may move on and go back within a long advance.
  constexpr int64_t kMoverStepMs = 1000;
  while (ms > kMoverStepMs && FollowTheMovers()) {
    simtv_advance(uint32_t(kMoverStepMs));
    ms -= kMoverStepMs;
  }
  simtv_advance(uint32_t(ms));
  FollowTheMovers();
  return {};
}

// The number and the payload of an event or command line; empty, or why
// the line can never send them.
std::string InjectPayload(const ScenarioTokens& t, int64_t* number, ScenarioPayload* payload) {
  std::string error;
  if (t[0].text == "event" && IsNamedEvent(t)) {
    if (!BuildNamedEvent(t, number, payload, &error)) return error;
  } else {
    if (t.size() < 2 || !ScenarioNumber(t[1].text, 0, UINT32_MAX, number)) return "a number must follow";
    if (!BuildPayload(t, 2, payload, &error)) return error;
  }
  return {};
}

std::string InjectForm(const ScenarioTokens& t) {
  int64_t number = 0;
  ScenarioPayload payload;
  return InjectPayload(t, &number, &payload);
}

std::string InjectLine(const ScenarioTokens& t) {
  const bool isEvent = t[0].text == "event";
  int64_t number = 0;
  ScenarioPayload payload;
  if (std::string why = InjectPayload(t, &number, &payload); !why.empty()) return why;
  const void* data = payload.bytes.empty() ? nullptr : payload.bytes.data();
  const auto size = uint32_t(payload.bytes.size());
  if (isEvent) {
    simtv_inject_event(payload.cookie, uint32_t(number), data, size);
  } else {
    simtv_inject_command(uint32_t(number), data, size);
  }
  return {};
}

std::string OsdForm(const ScenarioTokens& t) {
  int64_t state = 0;
  if (t.size() != 2 || !ScenarioNumber(t[1].text, INT32_MIN, INT32_MAX, &state)) return "osd takes a state";
  return {};
}

std::string OsdLine(const ScenarioTokens& t) {
  if (std::string why = OsdForm(t); !why.empty()) return why;
  int64_t state = 0;
  ScenarioNumber(t[1].text, INT32_MIN, INT32_MAX, &state);
  simtv_inject_osd_state(int32_t(state));
  return {};
}

// A line that takes no words.
std::string NothingForm(const ScenarioTokens& t) {
  const bool expect = t[0].text == "expect";
  if (t.size() == (expect ? 2 : 1)) return {};
  return (expect ? "expect " + t[1].text : t[0].text) + " takes nothing";
}

std::string StandbyLine(const ScenarioTokens& t) {
  if (std::string why = NothingForm(t); !why.empty()) return why;
  g_run.periodEnding = t[0].text == "standby";
  g_run.periodEnding ? simtv_standby() : simtv_wake();
  return {};
}

// The values the set reports are named in a table of their own, there
// before it boots.
std::string SetForm(const ScenarioTokens& t) {
  int64_t value = 0;
  int32_t now = 0;
  if (t.size() != 3 || !ScenarioNumber(t[2].text, INT32_MIN, INT32_MAX, &value)) return "set takes a name and a number";
  if (simtv_get_value(t[1].text.c_str(), &now) != 0) return "the set has no value " + Shown(t[1].text);
  return {};
}

std::string SetLine(const ScenarioTokens& t) {
  if (std::string why = SetForm(t); !why.empty()) return why;
  int64_t value = 0;
  ScenarioNumber(t[2].text, INT32_MIN, INT32_MAX, &value);
  simtv_set_value(t[1].text.c_str(), int32_t(value));
  return {};
}

std::string FailForm(const ScenarioTokens& t) {
  int64_t code = 0;
  int64_t count = -1;
  if (t.size() < 3 || t.size() > 4 || !ScenarioNumber(t[2].text, INT32_MIN, INT32_MAX, &code) ||
      (t.size() == 4 && !ScenarioNumber(t[3].text, -1, INT32_MAX, &count)))
    return "fail takes a call name, a result code and an optional count";
  // No call would fail: the line would say nothing.
  if (count == 0) return "fail takes a count of 1 or more, or -1 for every call";
  if (!simtv_call_known(t[1].text.c_str())) return "no platform call is named " + Shown(t[1].text);
  return {};
}

std::string FailLine(const ScenarioTokens& t) {
  if (std::string why = FailForm(t); !why.empty()) return why;
  int64_t code = 0;
  int64_t count = -1;
  ScenarioNumber(t[2].text, INT32_MIN, INT32_MAX, &code);
  if (t.size() == 4) ScenarioNumber(t[3].text, -1, INT32_MAX, &count);
  simtv_fail(t[1].text.c_str(), int32_t(code), int32_t(count));
  return {};
}

// A picture's name within its folder, or a folder below it; never past it.
bool BelowItsFolder(const std::string& name) {
  const std::filesystem::path path(name);
  return !path.is_absolute() && std::none_of(path.begin(), path.end(), [](const auto& part) { return part == ".."; });
}

// What a screenshot line must name, checked as the scenario loads: a
// picture below the output folder whose name the folder's record keeps, and
// that a file system takes.
std::string ScreenshotForm(const ScenarioTokens& t) {
  if (t.size() < 2 || t.size() > 3 || (t.size() == 3 && !t[2].quoted) || !t[1].text.ends_with(".png") ||
      t[1].text.size() <= 4)
    return "screenshot takes a file name ending in .png, then an optional quoted caption";
  if (!BelowItsFolder(t[1].text)) return "screenshot takes a file name below the output folder, not " + Shown(t[1].text);
  if (HasControlCharacter(t[1].text))
    return "screenshot takes a file name without a tab, a line end or another control character, not " +
           Shown(t[1].text);
  const std::filesystem::path path(t[1].text);
  for (const std::filesystem::path& part : path)
    if (part.string().size() > (part == path.filename() ? kOutFolderLongestName : size_t(NAME_MAX)))
      return "screenshot takes a file name of at most " + std::to_string(kOutFolderLongestName) +
             " characters, in a folder whose name has at most " + std::to_string(NAME_MAX) + ", not " +
             Shown(t[1].text);
  return {};
}

// Why a screenshot line's picture cannot go below the output folder OUT as
// it stands: the runner makes no folder for it.
std::string NoFolderForPicture(const ScenarioTokens& t, const std::string& out) {
  if (t[0].text != "screenshot" || t.size() < 2) return {};
  const std::filesystem::path folder = std::filesystem::path(t[1].text).parent_path();
  std::error_code error;
  const std::filesystem::path at = std::filesystem::path(out.empty() ? "." : out) / folder;
  if (folder.empty() || std::filesystem::is_directory(at, error)) return {};
  return "screenshot writes into " + Shown(at.string()) +
         ", which is no folder, and the runner makes none for a picture: make it, or name the picture without it";
}

// Why the picture could not be written through FD: the file system's own
// reason when another write fails there too (a full or failing folder),
// else the encoder's.
std::string PictureNotWritten(int fd, const std::string& path) {
  static const std::string kZeros(65536, '\0');
  for (int tries = 0; tries < 16; ++tries)
    if (std::string why = OutFolderWrite(fd, kZeros, path); !why.empty()) return why;
  return "cannot write " + path + ": the picture could not be encoded";
}

std::string ScreenshotLine(const ScenarioTokens& t) {
  if (std::string why = ScreenshotForm(t); !why.empty()) return why;
  GenBitmap* canvas = Canvas();
  if (!canvas) return "the GUI has no screen to take";
  const std::string path = g_run.outDir.empty() ? t[1].text : g_run.outDir + "/" + t[1].text;
  const bool standby = SetInStandby();
  // A new file takes the place of a picture of that name, written through
  // its own descriptor: nothing the folder's name holds meanwhile is
  // written, and a hard link to the picture before keeps that picture.
  const auto write = [canvas, standby](int fd, const std::string& file) -> std::string {
    bool written = false;
    if (standby) {
      // A set in standby shows nothing but its standby lamp, as in the
      // window; the picture is made a row at a time, as the plane's is.
      auto dark = [](int32_t y, GenColor* row) {
        std::fill_n(row, GuiScreenWidth, GenMakeColor(0, 0, 0, 255));
        if (y >= kStandbyLamp.y && y < kStandbyLamp.y + kStandbyLamp.h)
          std::fill_n(row + kStandbyLamp.x, kStandbyLamp.w, kStandbyLampColour);
      };
      written = GenWritePngRows(OutFolderThrough(fd), GuiScreenWidth, GuiScreenHeight, dark);
    } else {
      // The plane lies over the picture, as in the window: a dark grey
      // stands for the picture, so the picture looks as a viewer would see
      // it.
      auto overPicture = [](GenColor pixel) {
        return GenColorAlpha(pixel) == 255 ? pixel : GenBlend(kPicture, pixel | 0xFF000000u, GenColorAlpha(pixel));
      };
      written = GenSaveBitmapPng(canvas, OutFolderThrough(fd), overPicture);
    }
    return written ? std::string() : PictureNotWritten(fd, file);
  };
  if (std::string failure = OutFolderPut(g_run.outDir, t[1].text, write); !failure.empty()) return failure;
  OutputTee::Say("tvui: screenshot " + path);
  const std::string title = "tvui: the pictures of " + std::filesystem::path(g_run.name).filename().string();
  if (std::string failure = PicturePageAdd(g_run.outDir, title, t[1].text, t.size() == 3 ? t[2].text : std::string());
      !failure.empty())
    return failure;
  return LayoutFaults();
}

// The root is chosen, and the build's sanitizers are known, before the
// scenario loads.
std::string ProbeForm(const ScenarioTokens& t) {
  if (std::string why = NothingForm(t); !why.empty()) return why;
  if (GuiRoot().rootClass != TvuiProbe::Ops().rootClass) return "only the probe root can be told to " + t[0].text;
  if (t[0].text == "overflow" && !dlsym(RTLD_DEFAULT, "__ubsan_handle_add_overflow_abort") &&
      !dlsym(RTLD_DEFAULT, "__ubsan_handle_add_overflow"))
    return "this build has no undefined-behaviour sanitizer to report an overflow";
  return {};
}

std::string PanicLine(const ScenarioTokens& t) {
  if (std::string why = ProbeForm(t); !why.empty()) return why;
  TvuiProbe::Root::panicOnNextEvent = true;
  return {};
}

std::string OverflowLine(const ScenarioTokens& t) {
  if (std::string why = ProbeForm(t); !why.empty()) return why;
  TvuiProbe::Root::overflowOnNextEvent = true;
  return {};
}

// The GUI thread's side of the race that "race after" makes, as a view's
// Draw would read: its report names this function there.
[[gnu::noinline]] int ReadByTheGuiThread(const int* number) { return *number; }

// Two threads of the runner write one number at once, for the thread
// sanitizer to report; or, after MS, the GUI thread reads a number that
// another thread writes once the set's clock has moved MS, as advance moves
// it: turns of drawing and collecting lie between the two sides, and the
// report must still show where the GUI thread read.
std::string RaceForm(const ScenarioTokens& t) {
  int64_t ms = -1;
  if (t.size() != 1 && (t.size() != 3 || t[1].text != "after" || !ScenarioNumber(t[2].text, 0, UINT32_MAX, &ms)))
    return "race takes nothing, or after MS";
  if (!dlsym(RTLD_DEFAULT, "__tsan_init")) return "this build has no thread sanitizer to report a race";
  return {};
}

std::string RaceLine(const ScenarioTokens& t) {
  if (std::string why = RaceForm(t); !why.empty()) return why;
  int64_t ms = -1;
  if (t.size() == 3) ScenarioNumber(t[2].text, 0, UINT32_MAX, &ms);
  static int shared = 0;
  if (ms < 0) {
    std::thread other([] { ++shared; });
    ++shared;
    other.join();
    return {};
  }
  // The writer is there before the GUI thread reads, and is woken by a flag
  // that orders nothing: no edge leads from the read to the write.
  std::atomic<bool> wake{false};
  std::thread writer([&wake] {
    while (!wake.load(std::memory_order_relaxed)) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    shared = 1;
  });
  ScenarioOnGuiThread([] {
    [[maybe_unused]] volatile int seen = ReadByTheGuiThread(&shared);
    return std::string();
  });
  simtv_advance(uint32_t(ms));
  wake.store(true, std::memory_order_relaxed);
  writer.join();
  return {};
}

// A page of the menus: it lives beside the main menu, which leads to it.
bool IsMenuPage(const VgClass* screen) {
  const VgClass* page = VgFindClass("MenuSystem::BrcmSubMenu");
  for (const VgClass* c = screen; page && c; c = c->ancestor)
    if (c == page) return true;
  return false;
}

// Opens the main menu as MENU does, then closes the pages it opened beside
// it, as the row leading to a deeper page closes its own: the page opened
// next stands where MENU and OK would have brought it.
void OpenMenusFor(const VgClass* screen) {
  const VgClass* mainMenu = VgFindClass("MenuSystem::BrcmMainMenu");
  auto* manager = static_cast<::WidgetManager::WidgetManager*>(VgFindAutoObject(&MainApp::WidgetManager));
  if (!mainMenu || !manager) return;
  if (!manager->FindForm(WinIDs::WIN_ID_MainMenu)) SubSystem::Open(nullptr, {.screen = mainMenu});
  VgProcessSignals();
  // A page closes its pop-up with it: the list is read before any closes.
  std::vector<Primitives::KeyRoutingForm*> pages;
  for (Structures::DuLinkNode* node = manager->Sentinel()->next; node != manager->Sentinel(); node = node->next) {
    auto* form = vg_cast<Primitives::KeyRoutingForm>(node->data.get());
    if (form && IsMenuPage(form->GetClass()) && form->GetClass() != screen) pages.push_back(form);
  }
  for (Primitives::KeyRoutingForm* page : pages)
    if (page->owner) page->Close();
}

}  // namespace

std::string ScenarioOnGuiThread(const std::function<std::string()>& work) {
  struct Call {
    std::function<std::string()> work;
    std::string result;
    std::atomic<bool> done{false};
  };
  auto* call = new Call{work, {}, false};
  const auto run = [](void* argument) {
    auto* c = static_cast<Call*>(argument);
    c->result = c->work();
    c->done = true;
  };
  if (!PostGuiCall(run, call)) {
    delete call;
    return work();
  }
  // The loop takes what its buffer holds before the set settles, unless the
  // GUI thread waits for something else of the set's: the clock then moves
  // on a millisecond at a time, as far as that wait needs, and at most ten
  // seconds.
  simtv_settle();
  constexpr int kLongestWaitMs = 10000;
  for (int waited = 0; !call->done && waited < kLongestWaitMs; ++waited) simtv_advance(1);
  // A call still not taken is left to the loop, with all it needs.
  if (!call->done) return "the GUI thread did not take the line within ten seconds of the set's clock";
  std::string result = std::move(call->result);
  delete call;
  return result;
}

namespace {

// The GUI lock for as long as a line makes, changes or lets go of GUI
// objects. Taking it waits for the GUI thread's turn, which may move the
// set's clock to the end of the thread's wait.
class GuiLock {
 public:
  GuiLock() : held_(AcquirePslDornSem() != 0) {}
  ~GuiLock() {
    if (held_) ReleasePslDornSem();
  }
  GuiLock(const GuiLock&) = delete;
  GuiLock& operator=(const GuiLock&) = delete;
  explicit operator bool() const { return held_; }

 private:
  bool held_;
};

// Asks for the screen as a screen of the set asks for another, through the
// one screen opener: the sub-system of the screen's family opens it.
// What an open line asks for, its text in TEXT (null without one): empty, or
// why it can never open it. The classes and the root are known before the
// set boots.
std::string OpeningOf(const ScenarioTokens& t, SubSystem::Opening* opening, const std::string** text) {
  if (t.size() < 2) return "open takes a class";
  if (GuiRoot().rootClass == TvuiProbe::Ops().rootClass) return "the probe root opens no screens";
  opening->screen = VgFindClass(t[1].text.c_str());
  if (!opening->screen) return "no class " + Shown(t[1].text) + " in the program";
  opening->origin = Constants::MSG_FROM_NONMENUSYSTEM;
  *text = nullptr;
  for (size_t i = 2; i < t.size(); ++i) {
    int64_t value = 0;
    const std::string& word = t[i].text;
    // A 32-bit word, as option ids with the top bit set are written.
    if (word == "value" && i + 1 < t.size() && ScenarioNumber(t[i + 1].text, INT32_MIN, UINT32_MAX, &value)) {
      opening->value = int32_t(uint32_t(value));
      ++i;
    } else if (word == "origin" && i + 1 < t.size()) {
      const std::string& origin = t[++i].text;
      if (origin == "menu") {
        opening->origin = Constants::MSG_FROM_MENUSYSTEM;
      } else if (origin == "quick") {
        opening->origin = Constants::MSG_FROM_QUICKMENU;
      } else if (origin == "nonmenu") {
        opening->origin = Constants::MSG_FROM_NONMENUSYSTEM;
      } else {
        return "origin is menu, quick or nonmenu";
      }
    } else if (word == "flag") {
      opening->flag = true;
    } else if (word == "text" && i + 1 < t.size()) {
      *text = &t[++i].text;
    } else {
      return "open takes value N, origin menu|quick|nonmenu, flag and text \"...\"";
    }
  }
  return {};
}

std::string OpenForm(const ScenarioTokens& t) {
  SubSystem::Opening opening;
  const std::string* text = nullptr;
  return OpeningOf(t, &opening, &text);
}

std::string OpenLine(const ScenarioTokens& t) {
  SubSystem::Opening opening;
  const std::string* text = nullptr;
  if (std::string why = OpeningOf(t, &opening, &text); !why.empty()) return why;
  // The screen opens under the GUI lock, as on the GUI thread: a thread of
  // the set that answers at once (the media library) may wake the GUI loop
  // meanwhile. Every GUI object the line makes or lets go, its text too, is
  // made and let go before the lock is given back.
  GuiLock lock;
  if (!lock) return "the GUI lock cannot be taken";
  VgStr held;  // until the screen holds it
  if (text) opening.text = held = VgNewStringAnsi(text->c_str());
  const bool menuPage = IsMenuPage(opening.screen);
  if (menuPage) OpenMenusFor(opening.screen);
  Primitives::KeyRoutingForm* form = SubSystem::Open(nullptr, opening);
  if (!form) return t[1].text + " is not a screen that opens";
  // The row that leads to a page hands it the focus; the page does not take
  // it on its own.
  if (menuPage && form->owner) form->owner->OnSetFocus(form);
  // The set waits: what the screen changed is delivered and drawn here, as
  // the GUI thread's next turn would.
  VgProcessSignals();
  RequestRefresh();
  return {};
}

std::string TvLine(const ScenarioTokens&) {
  return "tv lines come before every other line but root, and tv on last of them";
}

// tv on: what a scenario would do itself, once the set has booted (it takes
// a wake-up once it listens): the setup's step stored as done, the wake-up by
// the power key, and a second for live television to settle.
std::string SwitchOn() {
  if (!SetHasStandby()) return "tv on needs the product's root: only it has a standby to wake from";
  simtv_advance(1000);
  if (std::string unwritten = SetPastSetup(); !unwritten.empty()) return unwritten;
  WakeByPowerKey();
  simtv_advance(1000);
  if (SetInStandby()) return "the set did not wake from standby";
  return {};
}

std::string RootLine(const ScenarioTokens&) { return "root must come before every other line"; }

// ------------------------------------------------------------ expectations

// A text, or the name of a string constant that the set's strings hold.
std::string ExpectTextForm(const ScenarioTokens& t) {
  if (t.size() != 3) return "expect " + t[1].text + " takes a quoted text or the name of a string constant";
  // Every view shows the empty text, and none draws it.
  if (t[2].quoted && t[2].text.empty()) return "expect " + t[1].text + " takes a text that is not empty";
  if (!t[2].quoted && !StringConstant(t[2].text))
    return "unknown string constant " + Shown(t[2].text) +
           " (units/Strings/Default.txt names them; a text of its own is quoted)";
  return {};
}

std::string ExpectTextLine(const ScenarioTokens& t) {
  std::string text;
  std::string description;
  if (std::string why = ExpectTextForm(t); !why.empty()) return why;
  ExpectedText(t[2], &text, &description);
  const bool shown = RootShowsText(rootObject.load(), text);
  if (t[1].text == "text" && !shown) return "no visible text view shows " + description;
  // A text cut with an ellipsis is not what the viewer reads.
  if (t[1].text == "text")
    if (const std::string cut = TextDrawnCut(vg_cast<Core::View>(rootObject.load()), text); !cut.empty())
      return "a text view that holds " + description + " draws it cut, as \"" + cut + "\"";
  if (t[1].text == "no-text" && shown) return "a visible text view shows " + description;
  return {};
}

std::string ExpectCallForm(const ScenarioTokens& t) {
  if (t.size() < 3) return "expect " + t[1].text + " takes a call name and its first arguments";
  if (!simtv_call_known(t[2].text.c_str())) return "no platform call is named " + Shown(t[2].text);
  return {};
}

std::string ExpectCallLine(const ScenarioTokens& t) {
  if (std::string why = ExpectCallForm(t); !why.empty()) return why;
  Window& window = g_run.window;
  if (t[1].text == "call") {
    int at = FindCall(t, 2, window);
    if (at < 0)
      return "no such call since the previous expectations; calls of " + t[2].text + " since then:" +
             CallsNamed(t[2].text, window.firstCall);
    window.matched.push_back(at);
    return {};
  }
  int at = FindCall(t, 2, Window{window.firstCall, 0, {}});
  if (at >= 0) return "call #" + std::to_string(at) + " is " + CallText(at);
  return {};
}

// An expectation of one text.
std::string OneTextForm(const ScenarioTokens& t) {
  if (t.size() != 3) return "expect " + t[1].text + " takes a quoted text";
  if (t[2].text.empty()) return "expect " + t[1].text + " takes a text that is not empty";
  return {};
}

std::string ExpectConsoleLine(const ScenarioTokens& t) {
  if (std::string why = OneTextForm(t); !why.empty()) return why;
  DrainConsole();
  if (g_console.find(t[2].text) != std::string::npos) return {};
  std::string seen = g_console;
  for (size_t at = 0; (at = seen.find_first_of("\r\n", at)) != std::string::npos; at += 2)
    seen.replace(at, 1, seen[at] == '\r' ? "\\r" : "\\n");
  return "the serial console has not received it since the previous expectations; it received \"" + seen + "\"";
}

std::string ExpectSettingForm(const ScenarioTokens& t) {
  if (t.size() != 4) return "expect setting takes a key and a value";
  return {};
}

std::string ExpectSettingLine(const ScenarioTokens& t) {
  if (std::string why = ExpectSettingForm(t); !why.empty()) return why;
  std::string value;
  if (std::string failure = ReadSetting(t[2].text, &value); !failure.empty()) return failure;
  if (value != t[3].text) return "the settings file holds " + t[2].text + " = " + value;
  return {};
}

// A window id by its name or number (any: every screen, but for the focus).
std::string WindowIdForm(const ScenarioTokens& t) {
  int32_t id = 0;
  const bool any = t[1].text != "focus-form" && t.size() == 3 && t[2].text == "any";
  if (t.size() != 3)
    return "expect " + t[1].text + (t[1].text == "focus-form" ? " takes a window id" : " takes a window id or any");
  if (!any && !ParseWindowId(t[2].text, &id))
    return "unknown window id " + Shown(t[2].text) + " (units/WinIDs/WinIDs.h names them; a number is taken too)";
  return {};
}

std::string ExpectFormLine(const ScenarioTokens& t) {
  if (std::string why = WindowIdForm(t); !why.empty()) return why;
  if (t[2].text == "any") {
    const std::vector<std::string> listed = ScenarioListedScreens();
    if (t[1].text == "form" && listed.empty()) return "the widget manager lists no screen";
    if (t[1].text == "no-form" && !listed.empty()) {
      std::string names;
      for (const std::string& name : listed) names += (names.empty() ? "" : ", ") + name;
      return "the widget manager lists " + names;
    }
    return {};
  }
  int32_t id = 0;
  ParseWindowId(t[2].text, &id);
  const bool listed = ScreenListed(id);
  if (t[1].text == "form" && !listed) return "the widget manager lists no screen " + t[2].text;
  if (t[1].text == "no-form" && listed) return "the widget manager lists a screen " + t[2].text;
  return {};
}

std::string ExpectOutputLine(const ScenarioTokens& t) {
  if (std::string why = OneTextForm(t); !why.empty()) return why;
  OutputTee::Drain();
  size_t from = 0;
  const std::string output = OutputTee::Since(g_run.window.firstOutput, &from);
  const bool printed = output.find(t[2].text) != std::string::npos;
  if (t[1].text == "output" && !printed)
    return "the process has not printed \"" + t[2].text + "\" since the previous expectations" +
           (from > g_run.window.firstOutput ? " (of its output since then, only the last part is kept)" : "");
  if (t[1].text == "no-output" && printed)
    return "the process printed \"" + t[2].text + "\" since the previous expectations";
  return {};
}

std::string ExpectFocusLine(const ScenarioTokens& t) {
  std::string text;
  std::string description;
  if (std::string why = ExpectTextForm(t); !why.empty()) return why;
  ExpectedText(t[2], &text, &description);
  Core::View* focused = FocusedView(rootObject.load());
  if (!ShowsText(focused, text)) return "the focus is on " + DescribeView(focused) + ", not on " + description;
  return {};
}

std::string ExpectFocusFormLine(const ScenarioTokens& t) {
  int32_t id = 0;
  if (std::string why = WindowIdForm(t); !why.empty()) return why;
  ParseWindowId(t[2].text, &id);
  Core::View* focused = FocusedView(rootObject.load());
  const int32_t screen = ScreenIdOf(focused);
  if (screen != id)
    return "the focus is in screen " + (screen ? WindowIdName(screen) : std::string("none")) + ": " +
           DescribeView(focused);
  return {};
}

// The reference, and the difference written beside it, stay with the
// scenario.
std::string ExpectPictureForm(const ScenarioTokens& t) {
  if (t.size() != 3 || !t[2].text.ends_with(".png")) return "expect picture takes a file name ending in .png";
  if (!BelowItsFolder(t[2].text))
    return "expect picture takes a file name below the scenario's folder, not " + Shown(t[2].text);
  return {};
}

std::string ExpectPictureLine(const ScenarioTokens& t) {
  if (std::string why = ExpectPictureForm(t); !why.empty()) return why;
  // Nor past it through a link, nor written into what a link points to.
  const std::string diff = t[2].text.substr(0, t[2].text.size() - 4) + "_diff.png";
  for (const std::string& name : {t[2].text, diff})
    if (std::string why = NotPlainBelow(g_run.folder.string(), name); !why.empty())
      return why + ": expect picture reads and writes its pictures in the scenario's folder only as regular files, "
                   "never through a link";
  GenBitmap* canvas = Canvas();
  if (!canvas) return "the GUI has no screen to compare";
  if (std::string failure = GenCompareBitmapWithPng(canvas, (g_run.folder / t[2].text).string()); !failure.empty())
    return failure;
  return LayoutFaults();
}

std::string ExpectLayoutLine(const ScenarioTokens& t) {
  if (std::string why = NothingForm(t); !why.empty()) return why;
  return LayoutFaults();
}

// A place on the screen, and a colour.
bool PixelOf(const ScenarioTokens& t, int64_t* x, int64_t* y, int64_t* colour) {
  // Written whole, alpha first, so that a digit left out is not taken for
  // another colour.
  const std::string& c = t.size() == 5 ? t[4].text : std::string();
  if (c.size() != 10 || c[0] != '0' || c[1] != 'x') return false;
  return t.size() == 5 && ScenarioNumber(t[2].text, 0, GuiScreenWidth - 1, x) &&
         ScenarioNumber(t[3].text, 0, GuiScreenHeight - 1, y) && ScenarioNumber(t[4].text, 0, UINT32_MAX, colour);
}

std::string ExpectPixelForm(const ScenarioTokens& t) {
  int64_t x = 0, y = 0, colour = 0;
  if (!PixelOf(t, &x, &y, &colour)) return "expect pixel takes X, Y on the screen and a colour 0xAARRGGBB";
  return {};
}

std::string ExpectPixelLine(const ScenarioTokens& t) {
  int64_t x = 0, y = 0, colour = 0;
  if (!PixelOf(t, &x, &y, &colour)) return ExpectPixelForm(t);
  GenColor pixel = 0;
  if (!GenReadPixel(Canvas(), int32_t(x), int32_t(y), &pixel)) return "the GUI has no screen to read";
  if (pixel == GenColor(colour)) return {};
  char text[64];
  std::snprintf(text, sizeof text, "the pixel is 0x%08X", unsigned(pixel));
  return text;
}

std::string ExpectPanicForm(const ScenarioTokens& t) {
  if (t.size() > 3) return "expect panic takes at most a text";
  return {};
}

std::string ExpectPanicLine(const ScenarioTokens& t) {
  if (std::string why = ExpectPanicForm(t); !why.empty()) return why;
  Watch& w = W();
  std::lock_guard guard(w.mutex);
  if (!w.panicked) return "the product has not panicked";
  if (t.size() == 3 && w.panicMessage.find(t[2].text) == std::string::npos)
    return "the product panicked with \"" + w.panicMessage + "\"";
  w.panicked = false;
  return {};
}

std::string ExpectThreadsForm(const ScenarioTokens& t) {
  int64_t expected = 0;
  if (t.size() != 3 || (t[2].text != "steady" && !ScenarioNumber(t[2].text, 1, 100000, &expected)))
    return "expect threads takes a number or steady";
  return {};
}

std::string ExpectThreadsLine(const ScenarioTokens& t) {
  int64_t expected = 0;
  const bool steady = t.size() == 3 && t[2].text == "steady";
  if (std::string why = ExpectThreadsForm(t); !why.empty()) return why;
  if (!steady) ScenarioNumber(t[2].text, 0, 100000, &expected);
  const std::vector<std::string> names = ThreadNames();
  OutputTee::Say("tvui: " + std::to_string(names.size()) + " threads, " + std::to_string(StatusKb()) +
                 " kB resident");
  if (steady) {
    if (g_run.steadyThreads < 0) g_run.steadyThreads = int64_t(names.size());
    expected = g_run.steadyThreads;
  }
  if (int64_t(names.size()) == expected) return {};
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
  return "the process runs " + std::to_string(names.size()) + " threads, not " + std::to_string(expected) + ": " + list;
}

std::string MemoryLine(const ScenarioTokens& t) {
  if (std::string why = NothingForm(t); !why.empty()) return why;
  OutputTee::Say("tvui: " + std::to_string(StatusKb()) + " kB resident, at most " + std::to_string(StatusKb("VmHWM:")) +
                 " kB");
  return {};
}

std::string Step(const ScenarioLine& line, const ScenarioTokens& t);


// The class names of the screens shown below the root, listed or not (the
// service mode's indicator is a plain child of its sub-system), but not the
// lists and panels inside a screen.
void CollectShownScreens(Core::View* view, std::set<std::string>* screens) {
  if (!view || !view->Visible) return;
  if (auto* form = vg_cast<Primitives::KeyRoutingForm>(view)) {
    screens->insert(form->GetClass()->name);
    return;
  }
  if (auto* group = vg_cast<Core::Group>(view))
    for (Core::View* child = group->firstView; child; child = child->nextView) CollectShownScreens(child, screens);
}

// The focus as the walk tells places apart: the class of the screen that
// holds it (the outermost form, not a list inside it), and the focused
// control's class with its way down from the screen (its place among its
// siblings at each level), which hold whatever the texts say (the menu's
// language, a value, a day).
Primitives::KeyRoutingForm* WalkScreen(Core::View* focused, std::string* way) {
  Primitives::KeyRoutingForm* screen = nullptr;
  std::string down;
  for (Core::View* view = focused; view; view = view->owner) {
    if (auto* form = vg_cast<Primitives::KeyRoutingForm>(view)) {
      screen = form;
      if (way) *way = down;
    }
    int index = 0;
    if (auto* group = vg_cast<Core::Group>(view->owner))
      for (Core::View* child = group->firstView; child && child != view; child = child->nextView) ++index;
    down = "/" + std::to_string(index) + down;
  }
  return screen;
}

void WalkFocus(std::string* screen, std::string* control) {
  screen->clear();
  control->clear();
  Core::View* focused = FocusedView(rootObject.load());
  if (!focused) return;
  *control = VgClassOf(focused)->name;
  std::string way;
  if (Primitives::KeyRoutingForm* form = WalkScreen(focused, &way)) {
    *screen = form->GetClass()->name;
    *control += way;
  }
}

// Which controls of the screen that holds the focus are greyed, by their
// order among its shown controls ("2,5"; empty when none is): a page whose
// rows open with another input or another mode is another place then.
void CollectGreyed(Core::View* view, int* index, std::string* greyed) {
  if (!view->Visible) return;
  if (auto* ctrl = vg_cast<Forms::Ctrl>(view)) {
    auto* button = vg_cast<Button::ButtonClass>(view);
    if (!ctrl->OnGetEnabled() || (button && button->OnGetIsDisabled()))
      *greyed += (greyed->empty() ? "" : ",") + std::to_string(*index);
    ++*index;
  }
  if (auto* group = vg_cast<Core::Group>(view))
    for (Core::View* child = group->firstView; child; child = child->nextView) CollectGreyed(child, index, greyed);
}

std::string WalkGreyed() {
  Core::View* view = WalkScreen(FocusedView(rootObject.load()), nullptr);
  std::string greyed;
  int index = 0;
  if (view) CollectGreyed(view, &index, &greyed);
  return greyed;
}

std::string ExpectClearedLine(const ScenarioTokens& t) {
  if (std::string why = NothingForm(t); !why.empty()) return why;
  return ClearedAfterWayOut();
}

// The input the main window shows, as the walk is told it.
std::string WalkInput() {
  int32_t source = -1;
  if (simtv_get_value("current_source", &source) != 0) return {};
  return std::to_string(source);
}

// Runs the seeded walk's lines as lines of the scenario. Each line goes to
// walk.scn in the output folder before it runs, through the descriptor of
// the file the walk made, so that whatever ends the process (a sanitizer, a
// reset, a hang that the caller stops) leaves the lines that led there,
// with a comment whenever the screens listed change; the class names of the
// screens it opened go to walk-screens.txt, written whole at the end. A
// write that fails (a full folder) ends the walk and fails its line, and the
// file it cut is never stamped whole.
bool WalkOf(const ScenarioTokens& t, int64_t* keys, int64_t* seed) {
  return t.size() == 3 && ScenarioNumber(t[1].text, 1, INT32_MAX, keys) && ScenarioNumber(t[2].text, 0, INT64_MAX, seed);
}

std::string WalkForm(const ScenarioTokens& t) {
  int64_t keys = 0;
  int64_t seed = 0;
  return WalkOf(t, &keys, &seed) ? std::string() : "walk takes a number of keys and a seed";
}

std::string WalkLine(const ScenarioTokens& t) {
  int64_t keys = 0;
  int64_t seed = 0;
  if (!WalkOf(t, &keys, &seed)) return WalkForm(t);
  const std::string folder = g_run.outDir.empty() ? std::string(".") : g_run.outDir;
  const std::string journalPath = folder + "/" + kOutFolderWalkFiles[0];
  int journal = -1;
  if (std::string refusal = OutFolderClaim(folder, kOutFolderWalkFiles[0], &journal); !refusal.empty())
    return refusal;
  std::string unwritten = OutFolderWrite(
      journal, "# The lines of walk " + t[1].text + " " + t[2].text + ", in the order they ran.\n", journalPath);
  const auto started = std::chrono::steady_clock::now();
  Walk walk{uint64_t(seed)};
  std::set<std::string> screens;
  std::vector<std::string> shown;
  std::string screen;
  std::string control;
  ScenarioTokens tokens;
  int64_t pressed = 0;
  int64_t steps = 0;
  std::string failure;
  int number = 0;
  {
    Watch& w = W();
    std::lock_guard guard(w.mutex);
    number = w.number;
  }
  while (pressed < keys && failure.empty() && unwritten.empty()) {
    const std::string line = walk.Next();
    pressed += Walk::IsKey(line);
    ++steps;
    if (unwritten = OutFolderWrite(journal, line + "\n", journalPath); !unwritten.empty()) break;
    {
      Watch& w = W();
      std::lock_guard guard(w.mutex);
      if (w.panicked) break;  // the runner reports it after this line
      w.source = "walk step " + std::to_string(steps) + ": " + line;
    }
    SplitScenarioLine(line, &tokens);
    failure = Step({number, line}, tokens);
    std::vector<std::string> listed = ScenarioListedScreens();
    screens.insert(listed.begin(), listed.end());
    CollectShownScreens(vg_cast<Core::View>(rootObject.load()), &screens);
    WalkFocus(&screen, &control);
    walk.Saw(listed, SetInStandby(), screen, control, WalkGreyed(), WalkInput());
    // What changed on the screen, as a comment, for the one who reads the journal.
    if (listed != shown) {
      std::string text = "#   screens:";
      for (const std::string& screen : listed) text += " " + screen;
      unwritten = OutFolderWrite(journal, text + "\n", journalPath);
      shown.swap(listed);
    }
  }
  // A journal cut short stays in the record as being written: the next run
  // removes it, and nothing takes it for whole.
  if (unwritten.empty()) unwritten = OutFolderStamp(kOutFolderWalkFiles[0], journal);
  if (close(journal) != 0 && unwritten.empty()) unwritten = "cannot write " + journalPath + ": " + std::strerror(errno);
  std::string list;
  for (const std::string& name : screens) list += name + "\n";
  if (std::string why = OutFolderPut(folder, kOutFolderWalkFiles[1], list); unwritten.empty()) unwritten = why;
  if (!unwritten.empty()) return unwritten;
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  OutputTee::Say("tvui: walk " + t[2].text + ": " + std::to_string(pressed) + " keys, " + std::to_string(steps) +
                 " lines, " + std::to_string(int64_t(seconds)) + " s, " +
                 std::to_string(int64_t(double(pressed) / std::max(seconds, 0.001))) + " keys a second, " +
                 std::to_string(walk.Places()) + " places, " + std::to_string(walk.CheckedWhileOpen()) +
                 " screen classes checked while open");
  return failure.empty() ? failure : "step " + std::to_string(steps) + " failed: " + failure;
}

// Repeats are unrolled as the scenario is read: these lines never run, and
// the read checks them.
std::string RepeatLine(const ScenarioTokens& t) { return t[0].text + " without its " + (t[0].text == "end" ? "repeat" : "end"); }
std::string RepeatForm(const ScenarioTokens&) { return {}; }

// The leading root and tv lines set the scene, and are read before the set
// boots (ReadScenarioSetup); where a later one stands is refused as the
// scenario loads.
std::string SceneForm(const ScenarioTokens&) { return {}; }

constexpr ScenarioCommand kCommands[] = {
    {"root", "probe|product|nonmenu", "the root to boot with; the first line only", &RootLine, &SceneForm},
    {"tv", "fresh|demo|on|fixture FILE",
     "the set's content, before the set boots, and on: switched on past the first-time setup; leading lines only",
     &TvLine, &SceneForm},
    {"key", "NAME|CODE... [age MS]", "presses and releases each key in turn, MS old when the GUI takes it", &KeyLine, &KeyForm},
    {"key gui", "CODE...", "a key as the screens see it: the key the host's key table turns into that GUI key code",
     &KeyLine, &KeyForm},
    {"press", "NAME|CODE", "holds a key down; the set repeats it after 500 ms, then every 100 ms", &PressLine, &KeyForm},
    {"release", "NAME|CODE", "lets a held key go", &PressLine, &KeyForm},
    {"advance", "MS", "moves the set's clock", &AdvanceLine, &AdvanceForm},
    {"event", "NUMBER [PAYLOAD] | NAME [FIELD=VALUE...]", "a middleware event from the middleware's thread",
     &InjectLine, &InjectForm},
    {"command", "NUMBER [PAYLOAD]", "a state-manager command", &InjectLine, &InjectForm},
    {"osd", "STATE", "another process's on-screen display on (1) or off", &OsdLine, &OsdForm},
    {"standby", "", "the stop command, and the end of the period of operation", &StandbyLine, &NothingForm},
    {"wake", "", "the next period of operation", &StandbyLine, &NothingForm},
    {"set", "NAME VALUE", "a value the simulated platform reports (simtv.h)", &SetLine, &SetForm},
    {"fail", "CALL CODE [COUNT]", "the next COUNT calls (default: all) return CODE", &FailLine, &FailForm},
    {"panic", "", "the probe root panics at the next event it gets", &PanicLine, &ProbeForm},
    {"overflow", "", "the probe root overflows a signed integer at the next event, for the sanitizer to report",
     &OverflowLine, &ProbeForm},
    {"race", "[after MS]",
     "two threads write one number at once, for the thread sanitizer to report; after MS: the GUI thread reads it, "
     "the clock moves MS, and another thread writes it",
     &RaceLine, &RaceForm},
    {"screenshot", "FILE.png [\"CAPTION\"]",
     "the GUI plane over a stand-in for the picture (in standby, the dark screen), into the output folder; a "
     "captioned one joins the folder's index.html with the keys pressed since the picture before",
     &ScreenshotLine, &ScreenshotForm},
    {"open", "CLASS [value N] [origin menu|quick|nonmenu] [flag] [text \"...\"]",
     "opens a screen of that class (Unit::Class) as a screen of the set would", &OpenLine, &OpenForm},
    {"expect text", "\"TEXT\"|SID_NAME",
     "a visible text view shows it (UTF-8), and no view that holds it draws it cut: with an ellipsis the design "
     "does not mean, or at its box's edge",
     &ExpectTextLine, &ExpectTextForm},
    {"expect no-text", "\"TEXT\"|SID_NAME", "no visible text view shows it", &ExpectTextLine, &ExpectTextForm},
    {"expect call", "NAME [ARGS]", "a platform call since the previous expectations, its first arguments as given",
     &ExpectCallLine, &ExpectCallForm},
    {"expect no-call", "NAME [ARGS]", "no such call since the previous expectations", &ExpectCallLine, &ExpectCallForm},
    {"expect setting", "KEY VALUE", "the settings file holds the value", &ExpectSettingLine, &ExpectSettingForm},
    {"expect output", "\"TEXT\"", "the process printed it since the previous expectations", &ExpectOutputLine, &OneTextForm},
    {"expect console", "\"TEXT\"", "the factory serial console received it since the previous expectations",
     &ExpectConsoleLine, &OneTextForm},
    {"expect no-output", "\"TEXT\"", "the process did not print it", &ExpectOutputLine, &OneTextForm},
    {"expect form", "WINID|any",
     "the widget manager lists a screen of that window id (a number or WIN_ID_...), or any screen",
     &ExpectFormLine, &WindowIdForm},
    {"expect no-form", "WINID|any", "the widget manager lists none of that id, or no screen at all", &ExpectFormLine, &WindowIdForm},
    {"expect focus", "\"TEXT\"|SID_NAME", "the focused control shows the text", &ExpectFocusLine, &ExpectTextForm},
    {"expect focus-form", "WINID", "the focused control belongs to that screen", &ExpectFocusFormLine, &WindowIdForm},
    {"expect picture", "NAME.png", "the GUI plane is exactly the reference beside the scenario", &ExpectPictureLine, &ExpectPictureForm},
    {"expect layout", "",
     "no two texts of a window over one another or covered by a view above them, no text showing through another "
     "window among its texts, no line cut across by the edge of a window over it, no text whose view is lower "
     "than its font's line or that is cut (by an ellipsis or its box) where the design does not mean it, no text or "
     "image beyond its window, no text or icon across the edge of the frame or picture it lies on, no image cut by "
     "its own bounds, no help bar over the edge of its screen, no window drawn over one above it since the "
     "previous check (every screenshot and picture checks it too)",
     &ExpectLayoutLine, &NothingForm},
    {"expect cleared", "",
     "no screen is listed but those that by their own definition neither time out nor leave with a clear (the "
     "walk's way out: EXIT, CLEAR and a minute)",
     &ExpectClearedLine, &NothingForm},
    {"expect pixel", "X Y 0xAARRGGBB", "the GUI plane has that colour there", &ExpectPixelLine, &ExpectPixelForm},
    {"expect panic", "[\"TEXT\"]", "the product panicked (with that text) in the line before; takes the panic",
     &ExpectPanicLine, &ExpectPanicForm},
    {"expect threads", "N|steady",
     "the process runs N threads, or as many as at the first expect threads steady; prints them with its memory",
     &ExpectThreadsLine, &ExpectThreadsForm},
    {"memory", "", "prints the process's resident memory, now and at its highest", &MemoryLine, &NothingForm},
    {"walk", "KEYS SEED",
     "a random walk of KEYS keys with middleware events between them, the same for the same seed; its lines go to "
     "walk.scn in the output folder, the screens it opened to walk-screens.txt",
     &WalkLine, &WalkForm},
    {"repeat", "N", "the lines up to the matching end, N times (a failure names the line as written)", &RepeatLine, &RepeatForm},
    {"end", "", "ends a repeat", &RepeatLine, &RepeatForm},
};

// Every line's words are checked as the scenario loads, as far as they can
// be before the set boots.
static_assert(std::ranges::all_of(kCommands, [](const ScenarioCommand& row) { return row.check != nullptr; }));

// The row of a line: "expect KIND" by its first two words, any other by its
// first; the runner's own rows first, then the root's.
const ScenarioCommand* FindCommand(const ScenarioTokens& t) {
  std::string name = t[0].text;
  if (name == "expect" && t.size() > 1) name += " " + t[1].text;
  if (name == "key" && t.size() > 1 && t[1].text == "gui") name = "key gui";
  for (const ScenarioCommand& row : kCommands)
    if (name == row.name) return &row;
  for (const ScenarioCommand& row : g_rootCommands)
    if (name == row.name) return &row;
  return nullptr;
}

// Why no line of the runner or the root is the one written.
std::string UnknownLine(const ScenarioTokens& t) {
  if (t[0].text != "expect") return "unknown line " + Shown(t[0].text);
  return t.size() > 1 ? "unknown expectation " + Shown(t[1].text) : std::string("expect names nothing to expect");
}

// Lines that change what the screen shows as a key does, though no key was
// pressed: a picture's caption names them among what led there.
bool LeadsLikeAKey(const std::string& word) {
  static const std::set<std::string> kWords{"event", "command", "osd",      "standby", "wake",
                                            "dispatch", "3d-input", "live-tv", "usb",  "media", "clock"};
  return kWords.count(word) != 0;
}

bool MovesTheSet(const std::string& word) {
  return word == "key" || word == "press" || word == "release" || word == "advance" || word == "open";
}

// The set's files that the line had the set write and that it did not: what
// it meant to keep is not kept. A write through a link out of its folder,
// which it refused, is named by the link; the failure that followed from it
// goes unsaid.
std::string WritesRefused() {
  std::string refused = NvTakeRefusals();
  const std::string unwritten = NvTakeUnwritten();
  const std::string what = !refused.empty() ? "the set refused to write its files through a link out of its folder: "
                                            : "the set could not write its files: ";
  if (refused.empty()) refused = unwritten;
  if (refused.empty()) return refused;
  for (size_t at = refused.find('\n'); at != std::string::npos; at = refused.find('\n', at + 3))
    refused.replace(at, 1, "\n  ");
  return what + refused;
}

// Empty when the line passed, else the reason.
std::string Step(const ScenarioLine& line, const ScenarioTokens& t) {
  const bool isExpect = t[0].text == "expect";
  if (!isExpect && g_run.lastWasExpect) {
    // No later block looks at the calls before this one: a long scenario
    // keeps only the calls since its last block.
    simtv_clear_calls();
    DrainConsole();
    g_console.clear();
    g_run.window = Window{0, OutputTee::Drain(), {}};
    OutputTee::Forget(g_run.window.firstOutput);
  }
  g_run.lastWasExpect = isExpect;
  // The leading lines set the scene before the set booted.
  if (line.number == 0) return {};
  const ScenarioCommand* command = FindCommand(t);
  if (!command) return UnknownLine(t);
  simtv_settle();
  // A period of operation ends or begins with standby and wake, and the
  // screens held around such a line, or around a line between the two (the
  // GUI loop ends on the set's time), would outlive the GUI loop they belong
  // to: kept alive, they would hand the next period the last one's agents.
  const bool moves = (LeadsLikeAKey(t[0].text) || MovesTheSet(t[0].text)) && t[0].text != "standby" &&
                     t[0].text != "wake" && !g_run.periodEnding;
  if (moves) NoteScreensBeforeTheLine();
  const bool checked = LeadsLikeAKey(t[0].text) || MovesTheSet(t[0].text);
  if (checked) NoteKeysBeforeTheLine();
  std::string failure = command->run(t);
  simtv_settle();
  // Taken whether or not the line failed on its own: a failure of the line's
  // own write (a store line's) is noted too, and belongs to this line alone.
  if (std::string refused = WritesRefused(); failure.empty()) failure = refused;
  // What the viewer meets after every key, event and moment is checked as
  // the walk checks it.
  if (moves) {
    std::string opened = OpenedUnderTheKeys();
    if (failure.empty()) failure = opened;
  }
  if (failure.empty() && checked) {
    failure = KeysReachTheScreen();
    if (failure.empty()) failure = KeysOnTop();
    if (failure.empty()) failure = NoScreenOfAGoneDevice();
    // A line is a key line by the keys the set took in it: a key named in
    // one line may reach the screens in the next (the front panel's MENU
    // holds back the key after it), and a key held down repeats through the
    // lines after it.
    const std::vector<uint16_t> taken = KeysTakenInTheLine();
    const LineKind kind = !taken.empty()        ? LineKind::Key
                          : t[0].text == "open" ? LineKind::Open
                                                : LineKind::World;
    if (std::string kept = ListsKeepTheirEntries(kind, taken); failure.empty()) failure = kept;
  }
  if (failure.empty() && LeadsLikeAKey(t[0].text)) {
    std::string happening;
    for (const ScenarioToken& token : t) happening += (happening.empty() ? "" : " ") + token.text;
    PicturePageNoteKey(happening);
  }
  return failure;
}

constexpr size_t kMaxScenarioLines = 1000000;

// U+FEFF in UTF-8, which some editors put before a file's first line.
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// A comment is not split into tokens: a quote in its text need not close.
bool IsComment(const std::string& source) {
  const size_t first = source.find_first_not_of(" \t\r");
  return first != std::string::npos && source[first] == '#';
}

// A line that runs or repeats: not empty and not a comment.
bool Written(const ScenarioTokens& tokens) { return !tokens.empty(); }

// The leading lines set the scene: root, then the tv lines of the set's
// content, then tv on, which switches the set on and so ends them (ON: a tv
// on came before).
bool LeadingLine(const ScenarioTokens& t, bool on) {
  const std::string& word = t[0].text;
  return !on && (word == "root" || word == "tv");
}

bool SwitchesOn(const ScenarioTokens& t) { return t[0].text == "tv" && t.size() == 2 && t[1].text == "on"; }

}  // namespace

std::string ReadSetFile(const char* setPath, std::string* content) {
  content->clear();
  const std::string path = NvPath(setPath);
  bool notRegular = false;
  std::FILE* file = path.empty() ? nullptr : StorageOpenForReading(path.c_str(), &notRegular);
  if (!file && notRegular) return std::string("the set's ") + setPath + " is not a regular file";
  if (!file && errno == ENOENT) return std::string("the set has no ") + setPath;
  if (!file) return std::string("the set's ") + setPath + " cannot be opened (" + std::strerror(errno) + ")";
  char buffer[4096];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) content->append(buffer, got);
  const bool failed = std::ferror(file);
  std::fclose(file);
  return failed ? std::string("the set's ") + setPath + " cannot be read" : std::string();
}

std::vector<std::string> ScenarioListedScreens() {
  std::vector<std::string> screens;
  auto* manager = static_cast<::WidgetManager::WidgetManager*>(VgFindAutoObject(&MainApp::WidgetManager));
  if (!manager) return screens;
  for (Structures::DuLinkNode* node = manager->Sentinel()->next; node != manager->Sentinel(); node = node->next)
    if (auto* form = vg_cast<Primitives::KeyRoutingForm>(node->data.get())) screens.push_back(form->GetClass()->name);
  return screens;
}

std::string ScenarioStoreRefusal(int32_t result) {
  if (result == STORAGE_UNSTORABLE)
    return "the settings store refuses the pair: no line of its file holds a key with ']' or a line end, a value "
           "with '>' or a line end, or the two longer than " +
           std::to_string(kStoragePairLimit) + " bytes";
  if (result == STORAGE_CHAIN_REFUSED) return "the settings store refuses an empty key or value";
  return {};
}

std::string ScenarioStoreUnwritten(int32_t saved, int reason) {
  const std::string file = NvPath("/mnt/nvram/APP_NVRAM.dat");
  // A link out of the set's folder on its way is named.
  if (saved == STORAGE_FILE_ERROR)
    if (const std::string refused = NvTakeRefusals(); !refused.empty()) return "store cannot write " + file + ": " + refused;
  if (saved == STORAGE_FILE_ERROR)
    return "store cannot write " + file + ": " +
           (reason ? std::strerror(reason) : "the settings store could not (the set's log says more)");
  if (saved == STORAGE_TOO_LARGE)
    return "store cannot write " + file + " whole: it would pass " + std::to_string(kStorageFileLimit) +
           " bytes, and the settings store leaves out the pairs past them";
  return {};
}

std::string ScenarioStorePairs(::PersistentData::PersistentData* store, const std::vector<std::string>& keys,
                               const std::string& value) {
  const bool holding = GuiLoopRunning();
  if (holding) ::PersistentData::PersistentData::WriteHeldSaves();
  const bool sync = store->OnGetAutoSyncData();
  store->OnSetAutoSyncData(false);
  std::string refusal;
  for (const std::string& key : keys) {
    std::string why =
        ScenarioStoreRefusal(store->PutString(VgNewStringAnsi(key.c_str()), VgNewStringAnsi(value.c_str())));
    if (refusal.empty()) refusal = why;
  }
  store->OnSetAutoSyncData(sync);
  errno = 0;
  const int32_t saved = store->SyncData();
  const int reason = errno;
  if (holding) ::PersistentData::PersistentData::HoldSaves();
  return refusal.empty() ? ScenarioStoreUnwritten(saved, reason) : refusal;
}

std::string ScenarioUnstorablePair(const ScenarioTokens& t) {
  if (t.size() != 3) return t[0].text + " takes a key and a value";
  const std::string& value = t[2].text;
  if (t[1].text.empty() || value.empty()) return ScenarioStoreRefusal(STORAGE_CHAIN_REFUSED);
  return ScenarioStoreRefusal(CheckStorablePair(t[1].text.c_str(), value.c_str()));
}

bool ScenarioNumber(const std::string& text, int64_t low, int64_t high, int64_t* value) {
  // Decimal, 0x hex, or negative, as the language has them: no plus, no
  // minus where no negative is taken ("-0"), and a leading 0 makes no octal.
  const size_t sign = !text.empty() && text[0] == '-';
  if (text.size() <= sign || !std::isdigit(uint8_t(text[sign])) || (sign && low >= 0)) return false;
  const bool hex = text.size() > sign + 1 && text[sign] == '0' && (text[sign + 1] == 'x' || text[sign + 1] == 'X');
  errno = 0;
  char* end = nullptr;
  const long long parsed = std::strtoll(text.c_str(), &end, hex ? 16 : 10);
  if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return false;
  *value = parsed;
  return true;
}

namespace {

bool SplitWords(const std::string& line, ScenarioTokens* tokens, bool comments) {
  tokens->clear();
  size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
      ++i;
      continue;
    }
    // A # where a word begins, at the start or after a space or a tab,
    // starts a comment that runs to the line's end; inside a word or quotes
    // it is the line's own.
    if (comments && line[i] == '#') break;
    ScenarioToken token;
    if (line[i] == '"') {
      token.quoted = true;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        char c = line[i++];
        if (c == '\\' && i + 2 < line.size() && line[i] == 'x' && std::isxdigit(uint8_t(line[i + 1])) &&
            std::isxdigit(uint8_t(line[i + 2]))) {
          token.text.push_back(char(std::stoi(line.substr(i + 1, 2), nullptr, 16)));
          i += 3;
        } else if (c == '\\' && i < line.size()) {
          const char escaped = line[i++];
          token.text.push_back(escaped == 'r' ? '\r' : escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped);
        } else if (c == '"') {
          closed = true;
          break;
        } else {
          token.text.push_back(c);
        }
      }
      if (!closed) return false;
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') token.text.push_back(line[i++]);
    }
    tokens->push_back(std::move(token));
  }
  return true;
}

// Why the file cannot be read, empty when it can: what is not a regular
// file (NOT_REGULAR then true) is no file to read, as a folder reads as
// nothing and a device or a pipe may never end.
std::string Unreadable(const std::string& path, bool* notRegular) {
  struct stat info {};
  *notRegular = false;
  if (stat(path.c_str(), &info) != 0) return std::strerror(errno);
  *notRegular = !S_ISREG(info.st_mode);
  if (*notRegular) return FileKind(info.st_mode);
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::strerror(errno);
  close(fd);
  return {};
}

// The largest fixture read: the ones there are run to a few kB, and a file
// far beyond would be read whole, a line at a time however long the line.
constexpr size_t kLargestFixture = 16 << 20;

// Why the fixture, a regular file, cannot be read through to its end: a read
// that fails (which the loader would take for the end), or more bytes than
// a fixture holds. Empty when it can.
std::string UnreadFixture(const std::string& path, bool* tooLarge) {
  *tooLarge = false;
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::strerror(errno);
  std::string why;
  char buffer[65536];
  size_t total = 0;
  for (ssize_t got = 1; why.empty() && got != 0;) {
    got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno != EINTR) why = std::strerror(errno);
    *tooLarge = got > 0 && (total += size_t(got)) > kLargestFixture;
    if (*tooLarge) why = "larger than 16 MB, far more than any fixture holds";
  }
  close(fd);
  return why;
}

}  // namespace

bool SplitScenarioLine(const std::string& line, ScenarioTokens* tokens) { return SplitWords(line, tokens, true); }

bool ScenarioScript::Load(const std::string& path, std::string* error) {
  // The file is read more than once (checked whole, then run line by line):
  // a pipe would be empty the second time, and a folder reads as nothing.
  bool notRegular = false;
  if (std::string why = Unreadable(path, &notRegular); !why.empty()) {
    *error = notRegular ? path + " is not a regular file (" + why +
                              "); a scenario is read more than once: save it to a file and name that"
                        : "cannot read " + path + " (" + why + ")";
    return false;
  }
  std::ifstream file(path);
  if (!file) {
    *error = "cannot read " + path;
    return false;
  }
  auto fail = [&](const std::string& message) {
    *error = message;
    return false;
  };
  // A line named as every message of the runner names it: FILE:LINE.
  auto at = [&](int line, const std::string& message) { return path + ":" + std::to_string(line) + ": " + message; };
  // The repeats open at this line: each one's count, line and lines so far.
  struct Open {
    int64_t count;
    int number;
    size_t lines;
  };
  int number = 0;
  std::vector<Open> open;
  size_t lines = 0;
  std::string firstError;
  // The line named is the one at which the count, its repeats unrolled,
  // passes the bound: the end of the repeat that takes it past.
  auto add = [&](size_t n) {
    size_t& total = open.empty() ? lines : open.back().lines;
    total += n;
    if (total > kMaxScenarioLines && firstError.empty())
      firstError = at(number, "the scenario comes to more than " + std::to_string(kMaxScenarioLines) +
                                  " lines here, its repeats unrolled");
  };
  ScenarioTokens tokens;
  for (std::string source; std::getline(file, source);) {
    ++number;
    // A byte 0 would end a word in the middle wherever the word goes.
    if (source.find('\0') != std::string::npos)
      return fail(at(number, "a byte 0 (\\x00), which no line of a scenario holds"));
    // An editor's byte-order mark would stick to the line's first word and
    // make it a word no line has.
    if (const size_t first = source.find_first_not_of(" \t\r");
        first != std::string::npos && source.compare(first, 3, kByteOrderMark) == 0)
      return fail(at(number, std::string(number == 1 ? "the file begins" : "the line begins") +
                                 " with a byte-order mark (U+FEFF, the bytes EF BB BF), which no line of a scenario "
                                 "holds: save the file as UTF-8 without it"));
    if (IsComment(source)) continue;
    if (!SplitScenarioLine(source, &tokens)) return fail(at(number, "a quote is not closed"));
    if (!Written(tokens) || !firstError.empty()) continue;
    const std::string& command = tokens[0].text;
    int64_t count = 0;
    if (command == "end") {
      if (open.empty()) {
        firstError = at(number, "end without repeat");
        continue;
      }
      const Open done = open.back();
      open.pop_back();
      // A block of no line checks nothing however often it runs, and a
      // large count of it would only keep the run busy.
      if (done.lines == 0) {
        firstError = at(done.number, "repeat holds no line up to its end: a block of none would check nothing");
        continue;
      }
      // Counted in floating point first: a block's lines times its count may
      // not fit the size.
      if (double(done.lines) * double(done.count) > double(kMaxScenarioLines))
        add(kMaxScenarioLines + 1);
      else
        add(done.lines * size_t(done.count));
    } else if (command != "repeat") {
      add(1);
    } else if (tokens.size() != 2) {
      firstError = at(number, "repeat takes a count, one number from 1 to " + std::to_string(INT32_MAX));
    } else if (!ScenarioNumber(tokens[1].text, 1, INT32_MAX, &count)) {
      // A count of none would pass its block unchecked: a written test
      // that tests nothing.
      firstError = at(number, "repeat takes a count from 1 to " + std::to_string(INT32_MAX) + ", not " +
                                  tokens[1].text);
    } else {
      open.push_back({count, number, 0});
    }
  }
  if (firstError.empty() && !open.empty())
    firstError = at(open.back().number, "repeat without end");
  if (!firstError.empty()) return fail(firstError);
  // A run of no line would pass having checked nothing.
  if (lines == 0)
    return fail(path + ": no line runs: the scenario is empty, or holds only comments and blank lines, and a run "
                       "of it would check nothing");
  path_ = path;
  count_ = lines;
  return true;
}

ScenarioScript::Reader::Reader(const std::string& path) : file_(path) {}

// The next line of the file that runs or repeats.
bool ScenarioScript::Reader::ReadWritten(ScenarioLine* line, ScenarioTokens* tokens) {
  for (std::string source; std::getline(file_, source);) {
    ++number_;
    if (IsComment(source) || !SplitScenarioLine(source, tokens) || !Written(*tokens)) continue;
    *line = {number_, std::move(source)};
    return true;
  }
  return false;
}

bool ScenarioScript::Reader::Next(ScenarioLine* line, ScenarioTokens* tokens) {
  for (;;) {
    if (passes_.empty()) {
      block_.clear();
      endOf_.clear();
      if (!ReadWritten(line, tokens)) return false;
      int64_t count = 0;
      if (tokens->at(0).text == "end") continue;
      if (tokens->at(0).text != "repeat") return true;
      ScenarioNumber(tokens->size() == 2 ? tokens->at(1).text : "", 0, INT32_MAX, &count);
      // The block up to the matching end, and where each inner repeat ends.
      std::vector<size_t> inner;
      ScenarioLine written;
      while (ReadWritten(&written, tokens)) {
        const std::string& command = tokens->at(0).text;
        if (command == "end" && inner.empty()) break;
        endOf_.push_back(0);
        if (command == "repeat") inner.push_back(block_.size());
        if (command == "end") {
          endOf_[inner.back()] = block_.size();
          inner.pop_back();
        }
        block_.push_back(std::move(written));
      }
      if (count > 0 && !block_.empty()) passes_.push_back({0, block_.size(), 0, count - 1});
      continue;
    }
    Pass& pass = passes_.back();
    if (pass.at == pass.end) {
      if (pass.left > 0) {
        --pass.left;
        pass.at = pass.begin;
      } else {
        passes_.pop_back();
      }
      continue;
    }
    const size_t at = pass.at++;
    *line = block_[at];
    SplitScenarioLine(line->source, tokens);
    if (tokens->at(0).text != "repeat") return true;
    int64_t count = 0;
    ScenarioNumber(tokens->size() == 2 ? tokens->at(1).text : "", 0, INT32_MAX, &count);
    const size_t end = endOf_[at] > at ? endOf_[at] : pass.end;
    pass.at = std::min(end + 1, pass.end);
    if (count > 0 && end > at + 1) passes_.push_back({at + 1, end, at + 1, count - 1});
  }
}

bool BuildPayload(const ScenarioTokens& tokens, size_t first, ScenarioPayload* payload,
                  std::string* error) {
  for (size_t i = first; i < tokens.size(); ++i) {
    const ScenarioToken& token = tokens[i];
    if (token.quoted) {
      payload->bytes.insert(payload->bytes.end(), token.text.begin(), token.text.end());
      payload->bytes.push_back(0);
      continue;
    }
    const std::string& text = token.text;
    size_t equals = text.find('=');
    int64_t value = 0;
    if (equals == std::string::npos) {
      if (!ScenarioNumber(text, INT32_MIN, UINT32_MAX, &value)) {
        *error = "payload word " + text + " is not a 32-bit number";
        return false;
      }
      AppendLittleEndian(&payload->bytes, uint64_t(value), 4);
      continue;
    }
    const std::string field = text.substr(0, equals);
    if (!ScenarioNumber(text.substr(equals + 1), INT64_MIN, INT64_MAX, &value)) {
      *error = "payload field " + text + " needs a number";
      return false;
    }
    if (field == "byte" && value >= -128 && value <= 255) {
      AppendLittleEndian(&payload->bytes, uint64_t(value), 1);
    } else if (field == "u16" && value >= -32768 && value <= 65535) {
      AppendLittleEndian(&payload->bytes, uint64_t(value), 2);
    } else if (field == "zeros" && value >= 0 && value <= 65536) {
      payload->bytes.insert(payload->bytes.end(), size_t(value), 0);
    } else if (field == "cookie" && value >= 0 && value <= UINT32_MAX) {
      payload->cookie = uint32_t(value);
    } else {
      *error = "payload field " + text + " is unknown or out of range";
      return false;
    }
  }
  return true;
}

std::span<const ScenarioCommand> ScenarioCommands() { return kCommands; }

void SetScenarioRootCommands(std::span<const ScenarioCommand> commands) { g_rootCommands = commands; }

void PrintScenarioCommands(std::FILE* out, std::span<const ScenarioCommand> commands) {
  for (const ScenarioCommand& row : commands) {
    const std::string form = std::string(row.name) + (*row.usage ? " " : "") + row.usage;
    if (form.size() <= 34) {
      std::fprintf(out, "  %-34s %s\n", form.c_str(), row.meaning);
    } else {
      std::fprintf(out, "  %s\n  %-34s %s\n", form.c_str(), "", row.meaning);
    }
  }
}

bool CheckScenarioLines(const std::string& path, const std::string* outDir, std::string* error) {
  // A run compares its pictures or rewrites them: a value of the variable
  // that says neither is refused before the set boots, not at every picture.
  if (std::string refused = GenUpdateGoldensRefusal(); outDir && !refused.empty()) {
    *error = refused;
    return false;
  }
  std::ifstream file(path);
  if (!file) {
    *error = "cannot read " + path;
    return false;
  }
  ScenarioTokens t;
  int number = 0;
  bool leading = true;
  bool on = false;
  for (std::string source; std::getline(file, source);) {
    ++number;
    if (IsComment(source) || !SplitScenarioLine(source, &t) || !Written(t)) continue;
    const std::string& word = t[0].text;
    leading = leading && LeadingLine(t, on);
    on = on || (leading && SwitchesOn(t));
    if (word == "repeat" || word == "end") continue;
    std::string reason;
    const ScenarioCommand* command = FindCommand(t);
    if (!command) {
      reason = UnknownLine(t) + " (tvui --help lists the lines)";
    } else if (!leading && (word == "root" || word == "tv")) {
      reason = command->run(t);  // which says where such a line stands
    } else {
      reason = command->check(t);
    }
    if (reason.empty() && outDir) reason = NoFolderForPicture(t, *outDir);
    if (!reason.empty()) {
      *error = path + ":" + std::to_string(number) + ": " + reason;
      return false;
    }
  }
  return true;
}

std::vector<std::string> ScenarioOutputNames(const std::string& path) {
  std::vector<std::string> names;
  std::ifstream file(path);
  ScenarioTokens t;
  auto add = [&names](const std::string& name) {
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  };
  for (std::string source; std::getline(file, source);) {
    if (IsComment(source) || !SplitScenarioLine(source, &t) || !Written(t)) continue;
    if (t[0].text == "screenshot" && t.size() > 1) {
      add(t[1].text);
      if (t.size() > 2) add(PicturePageFile());
    }
    if (t[0].text == "walk")
      for (const char* name : kOutFolderWalkFiles) add(name);
  }
  return names;
}

bool ReadScenarioSetup(const std::string& scenarioPath, const ScenarioScript& script, ScenarioSetup* setup,
                       std::string* error) {
  const std::filesystem::path folder = std::filesystem::path(scenarioPath).parent_path();
  ScenarioTokens t;
  ScenarioLine line;
  ScenarioScript::Reader reader = script.Read();
  // The leading lines; CheckScenarioLines refuses a later one.
  bool on = false;
  for (size_t i = 0; reader.Next(&line, &t) && LeadingLine(t, on); ++i) {
    const std::string where = scenarioPath + ":" + std::to_string(line.number) + ": ";
    const std::string& word = t[0].text;
    if (word == "root") {
      if (i != 0 || t.size() != 2) {
        *error = where + "root NAME must be the first line";
        return false;
      }
      setup->root = t[1].text;
    } else if (t.size() == 2 && (t[1].text == "fresh" || t[1].text == "demo")) {
      // Either begins the set's content anew: what a line before it gave
      // would be lost unsaid.
      if (!setup->content.empty()) {
        *error = where + "tv " + t[1].text + " begins the set's content anew, and would undo the tv line before it: "
                 "give it first";
        return false;
      }
      setup->content.push_back(t[1].text);
    } else if (t.size() == 2 && t[1].text == "on") {
      setup->on = on = true;
    } else if (t.size() == 3 && t[1].text == "fixture") {
      const std::string fixture = (folder / t[2].text).string();
      bool notRegular = false;
      bool tooLarge = false;
      std::string why = Unreadable(fixture, &notRegular);
      if (why.empty()) why = UnreadFixture(fixture, &tooLarge);
      if (!why.empty()) {
        *error = where + (notRegular ? "the fixture " + fixture + " is not a regular file (" + why + ")"
                          : tooLarge ? "the fixture " + fixture + " is " + why
                                     : "cannot read the fixture " + fixture + " (" + why + ")");
        return false;
      }
      // Every record is checked now, before the set's folder is touched:
      // a record refused later would leave the ones before it on the disk.
      char message[512];
      if (simtv_tv_check_fixture(fixture.c_str(), message, sizeof message) != 0) {
        *error = where + message;
        return false;
      }
      setup->content.push_back(fixture);
    } else {
      *error = where + "tv takes fresh, demo, on or fixture FILE";
      return false;
    }
  }
  return true;
}

bool LoadScenarioContent(const ScenarioSetup& setup, std::string* error) {
  for (const std::string& content : setup.content) {
    if (content == "fresh") {
      simtv_tv_reset();
      simtv_db_clear_programmes();
    } else if (content == "demo") {
      simtv_tv_load_demo();
    } else {
      char message[512];
      if (simtv_tv_load_fixture(content.c_str(), message, sizeof message) != 0) {
        *error = message;
        return false;
      }
    }
  }
  return true;
}

void ScenarioNotePanic(const std::string& message) {
  Watch& w = W();
  std::lock_guard guard(w.mutex);
  if (w.panicked) return;
  w.panicked = true;
  w.panicNumber = w.number;
  w.panicSource = w.source;
  w.panicMessage = message;
}

void ScenarioReportFatal(const char* what) {
  Watch& w = W();
  // The thread that ends the process may have been stopped with the lock held.
  std::unique_lock guard(w.mutex, std::try_to_lock);
  if (!guard.owns_lock() || w.name.empty()) {
    OutputTee::Say(std::string("tvui: failed: ") + what, true);
    return;
  }
  PrintFailure(w.name, w.number, w.source, what);
}

// Other threads hold the lock for a moment (the GUI thread at every frame):
// the line is asked for again for a while rather than left unsaid.
std::string ScenarioRunningLine() {
  Watch& w = W();
  std::unique_lock guard(w.mutex, std::defer_lock);
  for (int tries = 0; tries < 200 && !guard.try_lock(); ++tries)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  if (!guard.owns_lock() || w.name.empty()) return {};
  return w.name + ":" + std::to_string(w.number) + ": " + Shown(w.source);
}

int RunScenario(const std::string& path, const ScenarioScript& script, const std::string& outDir) {
  g_run = Run{path, std::filesystem::path(path).parent_path(), outDir, {}, false, -1, {}};
  WatchFrames();
  bool leading = true;
  bool on = false;
  ScenarioTokens tokens;
  ScenarioLine original;
  for (ScenarioScript::Reader reader = script.Read(); reader.Next(&original, &tokens);) {
    const bool isExpect = tokens[0].text == "expect";
    if (!isExpect && UntakenPanic(path)) return 1;
    {
      Watch& w = W();
      std::lock_guard guard(w.mutex);
      w.name = path;
      w.number = original.number;
      w.source = original.source;
    }
    ScenarioLine line = original;
    // The leading root and tv lines did their work before the set booted.
    leading = leading && LeadingLine(tokens, on);
    on = on || (leading && SwitchesOn(tokens));
    if (leading) line.number = 0;
    std::string failure = Step(line, tokens);
    if (leading && SwitchesOn(tokens)) {
      failure = SwitchOn();
      if (failure.empty()) failure = WritesRefused();
    }
    if (!failure.empty()) {
      PrintFailure(path, original.number, original.source, failure);
      return 1;
    }
  }
  if (UntakenPanic(path)) return 1;
  OutputTee::Say("tvui: " + path + ": " + std::to_string(script.size()) + " lines passed");
  return 0;
}
