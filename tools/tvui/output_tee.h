// The process's output: a copy of everything the product writes to its
// standard output and error, so that a scenario can expect a log line, passed
// on to the terminal unless the run is quiet; and the runner's own lines,
// which go to the terminal past the copy and the quiet.
#pragma once

#include <cstddef>
#include <string>

namespace OutputTee {

// keepCopy keeps what the product writes for Drain; quiet passes none of it
// on. Colour escapes are passed on only to a terminal.
void Start(bool keepCopy, bool quiet);
// Waits until everything written so far is copied; returns the length of
// all that the product wrote, from the start of the run.
size_t Drain();
// What the product wrote from offset on (counted as Drain counts), of what
// the copy still holds: a long run keeps only its last stretch, and nothing
// that Forget let go. *from tells where the text returned begins.
std::string Since(size_t offset, size_t* from);
// No expectation looks before offset any more.
void Forget(size_t offset);
// Where the runner's failures go: the terminal's standard error.
int ErrorFd();
// Passes what is left on and gives the output back to the terminal; for the
// moment before the process ends.
void Stop();
// Gives the output back to the terminal at once, leaving what the copy has
// not passed on yet: for a sanitizer that ends the process while holding
// what the other threads, the copying one too, may be waiting for.
void Abandon();
// Whether a write to the terminal's standard output failed.
bool OutputLost();
// A line of the runner's own, after what the product wrote before it: to
// standard output, or to standard error for a failure.
void Say(const std::string& line, bool failure = false);

}  // namespace OutputTee
