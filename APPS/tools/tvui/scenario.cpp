#include "scenario.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>

#include "Events/XpmPayloadLayout.h"
#include "GenColor.h"
#include "GenPng.h"
#include "MainApp/WidgetManager.h"
#include "Strings.h"
#include "WinIDs/WinIDs.h"
#include "gui_loop.h"
#include "nvpath.h"
#include "output_tee.h"
#include "probe_root.h"
#include "remote_keys.h"
#include "simtv.h"
#include "vgstring.h"

namespace {

constexpr GenColor kPicture = GenMakeColor(40, 40, 48, 255);


ScenarioRootLines g_rootLines = nullptr;

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

void PrintFailure(const std::string& name, int number, const std::string& source, const std::string& reason) {
  std::printf("tvui: %s:%d failed: %s\n  %s\n", name.c_str(), number, source.c_str(), reason.c_str());
  std::fflush(stdout);
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

long ResidentKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.compare(0, 6, "VmRSS:") == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return -1;
}

bool ParseNumber(const std::string& text, int64_t* value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  long long parsed = std::strtoll(text.c_str(), &end, 0);
  if (errno != 0 || *end != '\0') return false;
  *value = parsed;
  return true;
}

bool SplitLine(const std::string& line, std::vector<ScenarioToken>* tokens) {
  size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
      ++i;
      continue;
    }
    ScenarioToken token;
    if (line[i] == '"') {
      token.quoted = true;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        char c = line[i++];
        if (c == '\\' && i < line.size()) {
          token.text.push_back(line[i++]);
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

void AppendLittleEndian(std::vector<uint8_t>* bytes, uint64_t value, int size) {
  for (int i = 0; i < size; ++i) bytes->push_back(uint8_t(value >> (8 * i)));
}

// The raw payload's own key=value tokens; any other key names a field.
bool IsRawKey(const std::string& key) { return key == "byte" || key == "u16" || key == "zeros" || key == "cookie"; }

// An event line names its event or its fields: "event XPM_EVENT_WAKEUP
// Reason=1" or "event 3 Reason=1", as opposed to raw payload words.
bool IsNamedEvent(const std::vector<ScenarioToken>& t) {
  int64_t number = 0;
  if (t.size() < 2) return false;
  if (!t[1].quoted && !ParseNumber(t[1].text, &number)) return true;
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
bool BuildNamedEvent(const std::vector<ScenarioToken>& t, int64_t* number, ScenarioPayload* payload,
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
      if (!ParseNumber(value, &parsed) || parsed < 0 || parsed > UINT32_MAX) {
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
    if (!ParseNumber(value, &parsed)) {
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

std::string CallText(int index) {
  char text[1024];
  return simtv_call_text(index, text, sizeof text) == 0 ? std::string(text) : std::string();
}

// A recorded call splits into its arguments as a scenario line does, so a
// quoted text in the line matches a text argument with spaces.
bool CallMatches(const std::string& call, const std::vector<ScenarioToken>& tokens, size_t first) {
  std::vector<ScenarioToken> words;
  if (!SplitLine(call, &words) || words.empty() || words[0].text != tokens[first].text) return false;
  for (size_t i = first + 1; i < tokens.size(); ++i) {
    size_t at = i - first;
    if (at >= words.size() || words[at].text != tokens[i].text) return false;
  }
  return true;
}

// The first matching call of the window not matched before, or -1.
int FindCall(const std::vector<ScenarioToken>& tokens, size_t first, const Window& window) {
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

bool ReadSetting(const std::string& key, std::string* value) {
  std::ifstream file(NvPath("/mnt/nvram/APP_NVRAM.dat"), std::ios::binary);
  if (!file) return false;
  std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const std::string head = "[" + key + "]=<";
  size_t at = content.find(head);
  if (at == std::string::npos) return false;
  size_t start = at + head.size();
  size_t end = content.find('>', start);
  if (end == std::string::npos) return false;
  *value = content.substr(start, end - start);
  return true;
}

bool ParseWindowId(const std::string& text, int32_t* id) {
  for (const WinIDs::Named& row : WinIDs::kWindowIds) {
    if (row.name == text) {
      *id = row.value;
      return true;
    }
  }
  int64_t value = 0;
  if (!ParseNumber(text, &value) || value < INT32_MIN || value > UINT32_MAX) return false;
  *id = int32_t(uint32_t(value));
  return true;
}

// The text of an expect text line: a quoted token as written, or the bare
// name of a string constant as the constant reads in the set's language of
// the moment, converted as the text views are read (a byte a character) so
// that texts beyond ASCII compare alike. The description names both for the
// failure message. False when a bare word names no constant.
bool ExpectedText(const ScenarioToken& token, std::string* text, std::string* description) {
  *text = token.text;
  *description = "\"" + token.text + "\"";
  if (token.quoted) return true;
  for (size_t i = 0; i < Strings::KeyCount; ++i) {
    if (token.text != Strings::Keys[i].name) continue;
    VgString value = VgGetVariantOfString(Strings::Keys[i].constant);
    std::string bytes(size_t(VgGetStringLength(value)) + 1, '\0');
    VgStringToAnsi(value, bytes.data(), int32_t(bytes.size()), '?');
    bytes.pop_back();
    *text = bytes;
    *description = token.text + " (\"" + VgStringToUtf8(value) + "\")";
    return true;
  }
  return false;
}

// Every thread of the set is blocked once it has settled, so the runner may
// read the GUI's objects, as it does for texts; it never makes one. Without a
// widget manager no screen is listed.
bool ScreenListed(int32_t id) {
  auto* manager = static_cast<::WidgetManager::WidgetManager*>(VgFindAutoObject(&MainApp::WidgetManager));
  return manager && manager->FindForm(id) != nullptr;
}

class Runner {
 public:
  Runner(const std::string& name, const std::string& outDir) : name_(name), outDir_(outDir) {}

  // Empty when the line passed, else the reason.
  std::string Step(const ScenarioLine& line);

 private:
  std::string Expect(const ScenarioLine& line);
  std::string Inject(const std::vector<ScenarioToken>& t, bool isEvent);

  std::string name_;
  std::string outDir_;
  Window window_;
  bool lastWasExpect_ = false;
  // The thread count of the first expect threads steady.
  int64_t steadyThreads_ = -1;
};

std::string Runner::Inject(const std::vector<ScenarioToken>& t, bool isEvent) {
  int64_t number = 0;
  ScenarioPayload payload;
  std::string error;
  if (isEvent && IsNamedEvent(t)) {
    if (!BuildNamedEvent(t, &number, &payload, &error)) return error;
  } else {
    if (t.size() < 2 || !ParseNumber(t[1].text, &number) || number < 0) return "a number must follow";
    if (!BuildPayload(t, 2, &payload, &error)) return error;
  }
  const void* data = payload.bytes.empty() ? nullptr : payload.bytes.data();
  const auto size = uint32_t(payload.bytes.size());
  if (isEvent) {
    simtv_inject_event(payload.cookie, uint32_t(number), data, size);
  } else {
    simtv_inject_command(uint32_t(number), data, size);
  }
  simtv_settle();
  return {};
}

std::string Runner::Step(const ScenarioLine& line) {
  const auto& t = line.tokens;
  const std::string& command = t[0].text;
  int64_t number = 0;
  const bool isExpect = command == "expect";
  if (!isExpect && lastWasExpect_) {
    // No later block looks at the calls before this one: a long scenario
    // keeps only the calls since its last block.
    simtv_clear_calls();
    window_ = Window{0, OutputTee::Drain().size(), {}};
  }
  lastWasExpect_ = isExpect;
  if (command == "root") {
    return line.number == 0 ? std::string() : std::string("root must come before every other line");
  }
  if (command == "key") {
    if (t.size() < 2) return "a key name or code must follow";
    int64_t code = RemoteKeyCode(t[1].text.c_str());
    if (code < 0 && !ParseNumber(t[1].text, &code)) return "unknown key " + t[1].text + " (see --help)";
    int64_t hold = 0;
    if (t.size() >= 4 && t[2].text == "hold") {
      if (!ParseNumber(t[3].text, &hold) || hold < 0) return "hold takes milliseconds";
    } else if (t.size() > 2) {
      return "only 'hold MS' may follow the key";
    }
    if (simtv_inject_key(uint32_t(code), 1, uint32_t(hold)) != 0) return "the GUI has no event buffer to take keys";
    simtv_inject_key(uint32_t(code), 0, 0);
    simtv_settle();
    return {};
  }
  if (command == "advance") {
    if (t.size() != 2 || !ParseNumber(t[1].text, &number) || number < 0) return "advance takes milliseconds";
    simtv_advance(uint32_t(number));
    return {};
  }
  if (command == "event") return Inject(t, true);
  if (command == "command") return Inject(t, false);
  if (command == "osd") {
    if (t.size() != 2 || !ParseNumber(t[1].text, &number)) return "osd takes a state";
    simtv_inject_osd_state(int32_t(number));
    simtv_settle();
    return {};
  }
  if (command == "standby" || command == "wake") {
    command == "standby" ? simtv_standby() : simtv_wake();
    simtv_settle();
    return {};
  }
  if (command == "set") {
    if (t.size() != 3 || !ParseNumber(t[2].text, &number)) return "set takes a name and a number";
    if (simtv_set_value(t[1].text.c_str(), int32_t(number)) != 0) return "the set has no value " + t[1].text;
    return {};
  }
  if (command == "fail") {
    int64_t count = -1;
    if (t.size() < 3 || t.size() > 4 || !ParseNumber(t[2].text, &number) ||
        (t.size() == 4 && !ParseNumber(t[3].text, &count)))
      return "fail takes a call name, a result code and an optional count";
    if (simtv_fail(t[1].text.c_str(), int32_t(number), int32_t(count)) != 0)
      return "no platform call is named " + t[1].text;
    return {};
  }
  if (command == "screenshot") {
    if (t.size() != 2) return "screenshot takes a file name";
    simtv_settle();
    XObject* root = rootObject.load();
    GenBitmap* canvas = root ? GuiRoot().canvas(root) : nullptr;
    if (!canvas) return "the GUI has no screen to take";
    const std::string path = outDir_.empty() ? t[1].text : outDir_ + "/" + t[1].text;
    // The plane lies over the picture, as in the window: a dark grey stands
    // for the picture, so the picture looks as a viewer would see it.
    auto overPicture = [](GenColor pixel) {
      return GenColorAlpha(pixel) == 255 ? pixel : GenBlend(kPicture, pixel | 0xFF000000u, GenColorAlpha(pixel));
    };
    if (!GenSaveBitmapPng(canvas, path, overPicture)) return "cannot write " + path;
    std::printf("tvui: screenshot %s\n", path.c_str());
    return {};
  }
  if (command == "panic") {
    if (t.size() != 1) return "panic takes nothing";
    if (&GuiRoot() != &TvuiProbe::Ops()) return "only the probe root can be told to panic";
    TvuiProbe::Root::panicOnNextEvent = true;
    return {};
  }
  if (command == "expect") return Expect(line);
  if (g_rootLines) {
    simtv_settle();
    bool known = false;
    std::string failure = g_rootLines(t, &known);
    if (known) {
      simtv_settle();
      return failure;
    }
  }
  return "unknown command " + command;
}

std::string Runner::Expect(const ScenarioLine& line) {
  const auto& t = line.tokens;
  if (t.size() < 2 || (t.size() < 3 && t[1].text != "panic")) return "expect what?";
  const std::string& kind = t[1].text;
  simtv_settle();
  if (kind == "panic") {
    if (t.size() > 3) return "expect panic takes at most a text";
    Watch& w = W();
    std::lock_guard guard(w.mutex);
    if (!w.panicked) return "the product has not panicked";
    if (t.size() == 3 && w.panicMessage.find(t[2].text) == std::string::npos)
      return "the product panicked with \"" + w.panicMessage + "\"";
    w.panicked = false;
    return {};
  }
  if (kind == "threads") {
    int64_t expected = 0;
    const bool steady = t.size() == 3 && t[2].text == "steady";
    if (t.size() != 3 || (!steady && !ParseNumber(t[2].text, &expected)))
      return "expect threads takes a number or steady";
    const std::vector<std::string> names = ThreadNames();
    std::printf("tvui: %zu threads, %ld kB resident\n", names.size(), ResidentKb());
    if (steady) {
      if (steadyThreads_ < 0) steadyThreads_ = int64_t(names.size());
      expected = steadyThreads_;
    }
    if (int64_t(names.size()) == expected) return {};
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
    return "the process runs " + std::to_string(names.size()) + " threads, not " + std::to_string(expected) + ": " +
           list;
  }
  if (kind == "text" || kind == "no-text") {
    std::string text;
    std::string description;
    if (!ExpectedText(t[2], &text, &description))
      return "expect " + kind + " takes a quoted text or the name of a string constant, not " + t[2].text;
    XObject* root = rootObject.load();
    const bool shown = root && RootShowsText(root, text);
    if (kind == "text" && !shown) return "no visible text view shows " + description;
    if (kind == "no-text" && shown) return "a visible text view shows " + description;
    return {};
  }
  if ((kind == "call" || kind == "no-call") && !simtv_call_known(t[2].text.c_str()))
    return "no platform call is named " + t[2].text;
  if (kind == "call") {
    int at = FindCall(t, 2, window_);
    if (at < 0) return "no such call since the previous expectations; calls of " + t[2].text + " since then:" +
                       CallsNamed(t[2].text, window_.firstCall);
    window_.matched.push_back(at);
    return {};
  }
  if (kind == "no-call") {
    Window all{window_.firstCall, 0, {}};
    int at = FindCall(t, 2, all);
    if (at >= 0) return "call #" + std::to_string(at) + " is " + CallText(at);
    return {};
  }
  if (kind == "setting") {
    if (t.size() != 4) return "expect setting takes a key and a value";
    std::string value;
    if (!ReadSetting(t[2].text, &value)) return "the settings file holds no key " + t[2].text;
    if (value != t[3].text) return "the settings file holds " + t[2].text + " = " + value;
    return {};
  }
  if (kind == "form" || kind == "no-form") {
    int32_t id = 0;
    if (t.size() != 3 || !ParseWindowId(t[2].text, &id)) return "expect " + kind + " takes a window id";
    const bool listed = ScreenListed(id);
    if (kind == "form" && !listed) return "the widget manager lists no screen " + t[2].text;
    if (kind == "no-form" && listed) return "the widget manager lists a screen " + t[2].text;
    return {};
  }
  if (kind == "output") {
    std::string output = OutputTee::Drain();
    if (output.find(t[2].text, window_.firstOutput) == std::string::npos)
      return "the process has not printed \"" + t[2].text + "\" since the previous expectations";
    return {};
  }
  if (kind == "no-output") {
    std::string output = OutputTee::Drain();
    if (output.find(t[2].text, window_.firstOutput) != std::string::npos)
      return "the process printed \"" + t[2].text + "\" since the previous expectations";
    return {};
  }
  return "unknown expectation " + kind;
}

}  // namespace

namespace {

constexpr size_t kMaxScenarioLines = 1000000;

// Copies lines[*at...] to out up to the end of the text or the "end" of an
// enclosing repeat, repeating the blocks between "repeat N" and "end".
bool ExpandRepeats(const std::vector<ScenarioLine>& lines, size_t* at, bool inRepeat,
                   std::vector<ScenarioLine>* out, std::string* error) {
  for (; *at < lines.size(); ++*at) {
    const ScenarioLine& line = lines[*at];
    const std::string& command = line.tokens[0].text;
    if (command == "end") {
      if (inRepeat) return true;
      *error = "line " + std::to_string(line.number) + ": end without repeat";
      return false;
    }
    if (command != "repeat") {
      out->push_back(line);
      if (out->size() > kMaxScenarioLines) {
        *error = "the scenario repeats more than " + std::to_string(kMaxScenarioLines) + " lines";
        return false;
      }
      continue;
    }
    int64_t count = 0;
    if (line.tokens.size() != 2 || !ParseNumber(line.tokens[1].text, &count) || count < 0) {
      *error = "line " + std::to_string(line.number) + ": repeat takes a count";
      return false;
    }
    std::vector<ScenarioLine> block;
    ++*at;
    if (!ExpandRepeats(lines, at, true, &block, error)) return false;
    if (*at >= lines.size()) {
      *error = "line " + std::to_string(line.number) + ": repeat without end";
      return false;
    }
    for (int64_t i = 0; i < count; ++i) {
      if (out->size() + block.size() > kMaxScenarioLines) {
        *error = "the scenario repeats more than " + std::to_string(kMaxScenarioLines) + " lines";
        return false;
      }
      out->insert(out->end(), block.begin(), block.end());
    }
  }
  return true;
}

}  // namespace

bool ParseScenario(const std::string& text, std::vector<ScenarioLine>* lines, std::string* error) {
  std::istringstream in(text);
  int number = 0;
  std::vector<ScenarioLine> written;
  for (std::string source; std::getline(in, source);) {
    ++number;
    ScenarioLine line;
    line.number = number;
    line.source = source;
    if (!SplitLine(source, &line.tokens)) {
      *error = "line " + std::to_string(number) + ": a quote is not closed";
      return false;
    }
    if (line.tokens.empty() || (!line.tokens[0].quoted && line.tokens[0].text[0] == '#')) continue;
    written.push_back(std::move(line));
  }
  size_t at = 0;
  return ExpandRepeats(written, &at, false, lines, error);
}

bool LoadScenario(const std::string& path, std::vector<ScenarioLine>* lines, std::string* error) {
  std::ifstream file(path);
  if (!file) {
    *error = "cannot read " + path;
    return false;
  }
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return ParseScenario(text, lines, error);
}

bool BuildPayload(const std::vector<ScenarioToken>& tokens, size_t first, ScenarioPayload* payload,
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
      if (!ParseNumber(text, &value) || value < INT32_MIN || value > UINT32_MAX) {
        *error = "payload word " + text + " is not a 32-bit number";
        return false;
      }
      AppendLittleEndian(&payload->bytes, uint64_t(value), 4);
      continue;
    }
    const std::string field = text.substr(0, equals);
    if (!ParseNumber(text.substr(equals + 1), &value)) {
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

void SetScenarioRootLines(ScenarioRootLines lines) { g_rootLines = lines; }

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
    std::printf("tvui: failed: %s\n", what);
    std::fflush(stdout);
    return;
  }
  PrintFailure(w.name, w.number, w.source, what);
}

std::string ScenarioRoot(const std::vector<ScenarioLine>& lines) {
  if (!lines.empty() && lines[0].tokens[0].text == "root" && lines[0].tokens.size() == 2)
    return lines[0].tokens[1].text;
  return "product";
}

int RunScenario(const std::string& name, const std::vector<ScenarioLine>& lines, const std::string& outDir) {
  Runner runner(name, outDir);
  for (size_t i = 0; i < lines.size(); ++i) {
    const bool isExpect = lines[i].tokens[0].text == "expect";
    if (!isExpect && UntakenPanic(name)) return 1;
    {
      Watch& w = W();
      std::lock_guard guard(w.mutex);
      w.name = name;
      w.number = lines[i].number;
      w.source = lines[i].source;
    }
    ScenarioLine line = lines[i];
    // Only the leading line may choose the root; the runner marks it so.
    if (i == 0 && line.tokens[0].text == "root") line.number = 0;
    std::string failure = runner.Step(line);
    if (!failure.empty()) {
      PrintFailure(name, lines[i].number, lines[i].source, failure);
      return 1;
    }
  }
  if (UntakenPanic(name)) return 1;
  std::printf("tvui: %s: %zu lines passed\n", name.c_str(), lines.size());
  return 0;
}
