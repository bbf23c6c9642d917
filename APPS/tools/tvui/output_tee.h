// Keeps a copy of everything the process writes to its standard output and
// error, so that a scenario can expect a log line, while still passing it on.
#pragma once

#include <string>

namespace OutputTee {

void Start();
// Waits until everything written so far is copied, then returns the copy.
std::string Drain();
// Passes what is left on and gives the output back to the terminal; for the
// moment before the process ends.
void Stop();

}  // namespace OutputTee
