// The simulated platform around the process: it reads the program's own
// options, starts the simulated set and DirectFB, and runs the scenario or the
// desktop window on a thread of its own while main runs the process as on the
// set. Ends the process itself (--help, bad options, the end of a scenario).
#pragma once

#include <string>
#include <vector>

struct GenFont;

void TvuiLaunch(int argc, char** argv);
// Ends the process with the status while the set's threads still run: the
// output is flushed, and no exit handler frees what those threads use.
[[noreturn]] void TvuiEnd(int status);

// What the start makes of the font the screens draw with, tried on every
// character of the texts of each menu language: a refusal when it draws
// nothing of a language's texts, or lacks a basic Latin letter or digit
// (A-Z, a-z, 0-9) they use (empty when it draws all of those), and a warning
// line for each language with other characters it draws nothing for.
struct FontJudgement {
  std::string refusal;
  std::vector<std::string> warnings;
};
FontJudgement JudgeFontTexts(GenFont* font);
