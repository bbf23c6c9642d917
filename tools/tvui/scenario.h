// Scenarios: a small text language for driving the simulated set, one command
// a line, used by the end-to-end tests and the demonstration. `tvui --help`
// lists every line with its form; the lines are tables of ScenarioCommand
// rows, the runner's own in scenario.cpp and a root's own in its file.
//
// The scene is set before the set boots, by leading lines only:
//   root probe|product|nonmenu     the root to boot with (product without one)
//   tv fresh|demo|fixture FILE     the set's content: fresh from the factory
//                                  (as without a tv line), the demo set of a
//                                  set in everyday use, or a fixture file's
//                                  records added (a path relative to the
//                                  scenario; tests/scenarios/fixtures/)
//   tv on                          the set switched on past the first-time
//                                  setup, showing live television when the
//                                  first other line runs; the last of them
//
// tv fresh and tv demo begin the content anew: either comes before every
// other tv line of the content, which it would undo.
//
// The set boots in standby, where no key reaches a screen: a key line sent
// to it fails and says how to wake it, except the power key, which wakes it
// as the middleware does. A scenario starts with tv on, or wakes the set
// itself: store SetupStep 9 and a wake-up event (event XPM_EVENT_WAKEUP
// Reason=1) for normal operation, a wake-up alone for the first-time setup.
//
// Blank lines and lines starting with # are ignored, whatever they hold, and
// so is the rest of a line from a # that begins a word outside quotes (after
// a space or a tab: "tv on   # past the setup"). A token is a word or a
// quoted text ("two words", \" for a quote, \r, \n and \t for a carriage
// return, a line feed and a tab, \xHH for any byte). Numbers are decimal, 0x hex, or
// negative; every number is checked against the range its line takes.
//
// Expectations: calls, output and what the factory serial console received
// count from the end of the previous block of expect lines (of a long
// stretch without one, the last 16384 calls and 128 to 256 kB of output are
// kept); within a block
// each expect call matches a call of its own, in any order, and a call's
// arguments are matched word for word from the first
// (an argument "-" stands for a pointer or a payload that is not whole words;
// simtv.h describes the record). A bare name after expect text, no-text or
// focus is the key of a string constant (units/Strings/Default.txt) as it
// reads in the set's language of the moment; texts compare in UTF-8.
// expect text fails where any view that holds the text draws it cut, with an
// ellipsis the design does not mean or at its box's edge, or wrapped, with a
// line past the screen or its window or a word broken across two lines,
// however whole another view shows it, and names what that view draws. A picture expected is kept
// beside the scenario, a regular file reached without a link: a mismatch
// writes NAME_diff.png there, and TVUI_UPDATE_GOLDENS=1 rewrites the
// reference. expect layout, and every
// screenshot and expect picture after its picture, checks the screen as
// layout_check.h describes: texts of a window over one another or covered,
// two texts in one font side by side too close to read as two, a text
// whose glyphs its view's height cuts or that is drawn cut with an
// ellipsis, a text or image past its window or the screen (a wrapped text's
// line wholly past it too), a word broken inside between the lines of a
// wrapped text, a text or icon across the edge
// of the frame or picture it lies on or cut by its own bounds, a help bar
// over the edge of its screen's panel, and a frame since the previous check
// in which a window drew over one above it.
//
// After every line that moves the set (a key, a held key, an event, a command,
// a moment, an opened screen) the runner checks what a viewer would meet, as
// viewer_checks.h says: the keys reach a screen on view, the screen on top
// that takes keys has them, a help line shows only with its screen's keys and
// the screen with the keys shows its own, no screen a key opened lies under
// the one that keeps the keys, and a screen with a list that gets the keys
// back focuses the entry it had when it lost them, unless the list was read
// afresh since (ListsKeepTheirEntries).
// A failed check fails that line.
//
// A product panic, a sanitizer report and a reset of the set (its watchdog or
// the crash handler) fail the scenario and name the line that was running;
// a panic that the scenario means to cause is taken by an expect panic line
// in the block after that line. repeat N ... end is unrolled as the scenario
// is read.
//
// PAYLOAD is a list of 32-bit words (123, 0x7B, -1), texts ("abc", stored with
// their end mark), byte=N, u16=N and zeros=N; cookie=N sets an event's
// cookie. In the named form of event, NAME is a middleware event's name
// (XPM_EVENT_CHANNEL_ACQUIRED), the class of the object it becomes when only
// one event makes that class, or its number; each FIELD is a field of that
// object as units/Events/XpmPayloadLayout.cpp lays them out, fields not named
// are 0, and a text field takes Name=Text or Name= "Some text":
//   event XPM_EVENT_CHANNEL_ACQUIRED Window=0 Major=7 Minor=1 Status=0
#pragma once

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace PersistentData {
class PersistentData;
}

struct ScenarioToken {
  std::string text;
  bool quoted = false;
};
using ScenarioTokens = std::vector<ScenarioToken>;

struct ScenarioLine {
  int number = 0;
  std::string source;
};

// A scenario's lines in the order they run, a repeated block as many times as
// its repeat says. They are read from the file as they run: a soak of a
// hundred thousand keys holds one line at a time, a repeat its block alone.
class ScenarioScript {
 public:
  // Reads the file through once to check it: false with a message naming the
  // line when the file cannot be read, a line holds a byte 0 or begins with a
  // byte-order mark, a quote is left open, a repeat lacks its count (1 or
  // more) or end, an end its repeat, or the repeats come to more than a million lines
  // (named where the count passes it); naming the file alone when no line
  // runs at all, as a run of it would check nothing.
  bool Load(const std::string& path, std::string* error);
  // Lines in all, the repeats unrolled.
  size_t size() const { return count_; }

  // Goes through the lines from the first.
  class Reader {
   public:
    explicit Reader(const std::string& path);
    // The next line and its tokens; false after the last.
    bool Next(ScenarioLine* line, ScenarioTokens* tokens);

   private:
    bool ReadWritten(ScenarioLine* line, ScenarioTokens* tokens);

    // A pass through part of the block: lines [begin, end) of it, left more
    // times after this one.
    struct Pass {
      size_t begin;
      size_t end;
      size_t at;
      int64_t left;
    };
    std::ifstream file_;
    int number_ = 0;
    // The outermost repeat's block, where each inner repeat ends, and the
    // passes under way, innermost last.
    std::vector<ScenarioLine> block_;
    std::vector<size_t> endOf_;
    std::vector<Pass> passes_;
  };
  Reader Read() const { return Reader(path_); }

 private:
  std::string path_;
  size_t count_ = 0;
};
// Splits one line into tokens (replacing what tokens held); false for a quote
// left open.
bool SplitScenarioLine(const std::string& line, ScenarioTokens* tokens);

// Reads a file of the set (its path on the set, "/mnt/nvram/APP_NVRAM.dat")
// as the settings store opens one: a regular file only, without waiting on a
// FIFO. Empty when it was read, else why not.
std::string ReadSetFile(const char* setPath, std::string* content);

// The class names of the screens the widget manager lists now, oldest
// first.
std::vector<std::string> ScenarioListedScreens();

// Why the settings store refused the pair that a store line put (the
// store's result), empty when it took it.
std::string ScenarioStoreRefusal(int32_t result);
// Why the settings file does not hold what a store line put in the store:
// its write failed (the errno of the write in REASON, 0 when none is known),
// or it would pass its size and the store left pairs out; empty when the
// save's result SAVED says it holds them.
std::string ScenarioStoreUnwritten(int32_t saved, int reason);
// Puts VALUE under each of KEYS in STORE and writes its file at once, so
// that a write that fails fails the line, naming the file and the reason as
// the file line does. While the GUI loop runs, its turn holds the settings'
// writes till it ends, where no line could see one fail: the turn's held
// writes go first, the line's own now, and the turn holds its writes again.
// Empty, or why the line fails (a pair the store refuses first).
std::string ScenarioStorePairs(::PersistentData::PersistentData* store, const std::vector<std::string>& keys,
                               const std::string& value);
// Why the settings store would refuse the pair of a store line (KEY VALUE),
// checked as the scenario loads; empty when it may take it.
std::string ScenarioUnstorablePair(const ScenarioTokens& tokens);

// The one number parser of every line: true when the text is a whole number
// within [low, high].
bool ScenarioNumber(const std::string& text, int64_t low, int64_t high, int64_t* value);

struct ScenarioPayload {
  uint32_t cookie = 0;
  std::vector<uint8_t> bytes;
};
// Builds a payload from tokens[first...]; false with a message on a bad token.
bool BuildPayload(const ScenarioTokens& tokens, size_t first, ScenarioPayload* payload, std::string* error);

// One line of the language: its name (the first word, or "expect KIND"), the
// form of what follows, what it does, and the code that runs it. run returns
// the reason when the line fails, empty when it passed; it runs on the
// runner's thread while every thread of the set waits, and the set is
// settled again after it. Work on GUI objects that may wake a thread of the
// set goes to the GUI thread (ScenarioOnGuiThread). check, which every line
// has, tells as the scenario loads why its words can never run (a word too
// many, a number out of range, a name the program does not know, a line its
// root or build lacks), so that the line is refused before the set boots,
// not after every line before it ran; empty when they may. What depends on
// the set as the line runs (a key held, a screen open) is left to run.
struct ScenarioCommand {
  const char* name;
  const char* usage;
  const char* meaning;
  std::string (*run)(const ScenarioTokens& tokens);
  std::string (*check)(const ScenarioTokens& tokens);
};

// Runs a line's work on the GUI thread, in its turn, as it takes a key, and
// returns once the set has settled after it, the set's clock standing still:
// a thread of the set that the work wakes (the media library answers at
// once) meets the GUI thread busy, not the runner beside it. Between periods
// of operation, no loop running, the work runs on the runner's thread.
std::string ScenarioOnGuiThread(const std::function<std::string()>& work);

// The runner's own lines, and the root's that the runner tries after them.
std::span<const ScenarioCommand> ScenarioCommands();
void SetScenarioRootCommands(std::span<const ScenarioCommand> commands);
// Prints a table of lines for --help.
void PrintScenarioCommands(std::FILE* out, std::span<const ScenarioCommand> commands);

// Checks every written line of the file, those inside repeats too,
// against the runner's lines and the root's (SetScenarioRootCommands first),
// and the key names of key, press and release lines: false with a message
// naming the file and line of the first that is not known. With OUTDIR, the
// output folder of a run, a picture in a folder not there is refused too,
// and first a TVUI_UPDATE_GOLDENS that is set but not 1.
bool CheckScenarioLines(const std::string& path, const std::string* outDir, std::string* error);

// The files that the scenario's lines write in the output folder (its
// screenshots, their page, a walk's journal), for the folder to be checked
// before the set boots.
std::vector<std::string> ScenarioOutputNames(const std::string& path);

// What the leading root and tv lines ask for, each fixture checked whole
// (simtv_tv_check_fixture) before anything of the set is touched. A tv line
// of a kind not known, a fixture refused, or a tv fresh or demo after
// another content line fails here with a message naming the line; a tv line
// after the leading lines (after tv on too) is refused by
// CheckScenarioLines.
struct ScenarioSetup {
  std::string root = "product";
  std::vector<std::string> content;  // "fresh", "demo" or a fixture's path
  bool on = false;                   // tv on
};
bool ReadScenarioSetup(const std::string& scenarioPath, const ScenarioScript& script, ScenarioSetup* setup,
                       std::string* error);
// Gives the simulated set the content asked for; before the set boots.
bool LoadScenarioContent(const ScenarioSetup& setup, std::string* error);

// The set's own threads report what fails the scenario there: a panic of the
// product (the runner fails the line that ran then, unless an expect panic
// takes it) and the end of the process by a sanitizer or a reset (the line
// is printed at once). Safe from any thread.
void ScenarioNotePanic(const std::string& message);
void ScenarioReportFatal(const char* what);
// Where the run stands, "FILE:LINE: the line", for a message from any
// thread; empty before the first line.
std::string ScenarioRunningLine();

// Runs the scenario against the booted set. Returns 0 when every line passed;
// otherwise prints the failing line and the reason on standard error and
// returns 1.
int RunScenario(const std::string& path, const ScenarioScript& script, const std::string& outDir);
