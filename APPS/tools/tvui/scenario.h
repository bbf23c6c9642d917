// Scenarios: a small text language for driving the simulated set, one command
// a line, used by the end-to-end tests and the demonstration.
//
//   root probe|product          the root to boot with (before anything else);
//                               the product root, the default, has lines of
//                               its own (product_lines.h)
//   key NAME|CODE [hold MS]     a key press, MS old when the GUI takes it
//   advance MS                  moves the set's clock
//   event NUMBER [PAYLOAD]      a middleware event from the middleware's thread
//   command NUMBER [PAYLOAD]    a state-manager command
//   osd STATE                   another process's on-screen display on (1) or off
//   standby | wake
//   set NAME VALUE              a value the simulated platform reports
//   fail NAME CODE [COUNT]      the next COUNT calls (default: all) return CODE
//   panic                       the probe root panics at the next event it gets
//   screenshot FILE.png         the GUI plane, into the output folder
//   expect text "..."           a visible text view shows it
//   expect no-text "..."
//   expect call NAME [ARGS]     a platform call, its first arguments as given
//   expect no-call NAME [ARGS]
//   expect setting KEY VALUE    the settings file holds the value
//   expect output "..."         the process printed it
//   expect no-output "..."
//   expect form WINID           the widget manager lists an open screen with
//                               that window id (a number or a WinIDs name,
//                               WIN_ID_MainMenu)
//   expect no-form WINID
//
// Calls and output count from the end of the previous block of expect lines;
// within a block each expect call matches a call of its own, in any order.
// An argument "-" stands for a pointer or a payload that is not whole words.
//
// PAYLOAD is a list of 32-bit words (123, 0x7B, -1), texts ("abc", stored
// with their end mark), byte=N, u16=N and zeros=N; cookie=N sets an event's
// cookie. Blank lines and lines starting with # are ignored.
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

// Runs the scenario against the booted set. Returns 0 when every line passed;
// otherwise prints the failing line and the reason and returns 1.
int RunScenario(const std::string& name, const std::vector<ScenarioLine>& lines, const std::string& outDir);
