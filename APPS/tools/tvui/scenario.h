// Scenarios: a small text language for driving the simulated set, one command
// a line, used by the end-to-end tests and the demonstration.
//
//   root probe|product          the root to boot with (before anything else);
//                               the product root, the default, has lines of
//                               its own (product_lines.h)
//   key NAME|CODE [hold MS]     a key press, MS old when the GUI takes it
//   advance MS                  moves the set's clock
//   event NUMBER [PAYLOAD]      a middleware event from the middleware's thread
//   event NAME [FIELD=VALUE...] the same, its payload built from named fields
//   command NUMBER [PAYLOAD]    a state-manager command
//   osd STATE                   another process's on-screen display on (1) or off
//   standby | wake
//   set NAME VALUE              a value the simulated platform reports
//   fail NAME CODE [COUNT]      the next COUNT calls (default: all) return CODE
//   panic                       the probe root panics at the next event it gets
//   screenshot FILE.png         the GUI plane, into the output folder
//   expect text "..."|SID_NAME  a visible text view shows it
//   expect no-text "..."|SID_NAME
//   expect call NAME [ARGS]     a platform call, its first arguments as given
//   expect no-call NAME [ARGS]
//   expect setting KEY VALUE    the settings file holds the value
//   expect output "..."         the process printed it
//   expect no-output "..."
//   expect form WINID           the widget manager lists an open screen with
//                               that window id (a number or a WinIDs name,
//                               WIN_ID_MainMenu)
//   expect no-form WINID
//   repeat N ... end            the lines between, N times (a failure names
//                               the line as written)
//   expect panic ["..."]        the product panicked (with that message)
//   expect threads N|steady     the process runs N threads, or (steady) as
//                               many as at the first expect threads steady;
//                               prints them with its resident memory
//
// A product panic, a sanitizer report and a reset of the set (its watchdog
// or the crash handler) fail the scenario and name the line that was
// running, with no expect after it; a panic that the scenario means to cause
// is taken by an expect panic line in the block after that line.
//
// A bare name after expect text or no-text is the key of a string constant
// (units/Strings/Default.txt): the text is the constant as it reads in the
// set's language of the moment, so that a scenario names the text a screen
// should pick rather than repeating its English. A bare word that names no
// constant fails the line.
//
// Calls and output count from the end of the previous block of expect lines;
// within a block each expect call matches a call of its own, in any order.
// An argument "-" stands for a pointer or a payload that is not whole words.
//
// PAYLOAD is a list of 32-bit words (123, 0x7B, -1), texts ("abc", stored
// with their end mark), byte=N, u16=N and zeros=N; cookie=N sets an event's
// cookie. Blank lines and lines starting with # are ignored.
//
// In the named form, NAME is a middleware event's name (XPM_EVENT_CHANNEL_ACQUIRED),
// the class of the object it becomes when only one event makes that class
// (XPM_EVENT_WAKEUP), or its number; each FIELD is a field of that object, as
// units/Events/XpmPayloadLayout.cpp lays them out, and fields not named are 0:
//   event XPM_EVENT_CHANNEL_ACQUIRED Window=0 Major=7 Minor=1 Status=0
//   event XPM_EVENT_HDMI_SOURCE_NAME_UPDATED SourceId=4 Name= "My Player"
// A text field takes the rest of its token or the quoted token after "=";
// a field the converter always sets (Status of an acquired channel) may be
// given only with that value; cookie=N works as in PAYLOAD. An unknown event
// or field fails the line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ScenarioToken {
  std::string text;
  bool quoted = false;
};

struct ScenarioLine {
  int number = 0;
  std::string source;
  std::vector<ScenarioToken> tokens;
};

// False with a message naming the line when the file cannot be read or a
// line cannot be split (an open quote).
bool ParseScenario(const std::string& text, std::vector<ScenarioLine>* lines, std::string* error);
bool LoadScenario(const std::string& path, std::vector<ScenarioLine>* lines, std::string* error);

struct ScenarioPayload {
  uint32_t cookie = 0;
  std::vector<uint8_t> bytes;
};
// Builds a payload from tokens[first...]; false with a message on a bad token.
bool BuildPayload(const std::vector<ScenarioToken>& tokens, size_t first, ScenarioPayload* payload,
                  std::string* error);

// The root a scenario asks for in its leading "root" line; "product" without one.
std::string ScenarioRoot(const std::vector<ScenarioLine>& lines);

// Lines of the root's own: a root that understands more lines than these
// installs a runner for them, which sets known to false for a line it does
// not know and returns the reason when a line fails. It runs on the runner's
// thread while the set is settled.
using ScenarioRootLines = std::string (*)(const std::vector<ScenarioToken>& tokens, bool* known);
void SetScenarioRootLines(ScenarioRootLines lines);

// The set's own threads report what fails the scenario there: a panic of the
// product (the runner fails the line that ran then, unless an expect panic
// takes it) and the end of the process by a sanitizer or a reset (the line
// is printed at once). Safe from any thread.
void ScenarioNotePanic(const std::string& message);
void ScenarioReportFatal(const char* what);

// Runs the scenario against the booted set. Returns 0 when every line passed;
// otherwise prints the failing line and the reason and returns 1.
int RunScenario(const std::string& name, const std::vector<ScenarioLine>& lines, const std::string& outDir);
