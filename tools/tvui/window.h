// The desktop window: shows the GUI plane as it is drawn and turns the PC
// keyboard into remote-control keys (the keys of --help). Returns the
// process's exit status when the window is closed.
#pragma once

#include <cstdint>
#include <functional>

// Keeps every frame the GUI thread flips from now on, for the window to show;
// before the set boots, so that the first is never missed.
void WatchWindowFrames();
// started, when given, runs once the window shows every frame drawn from then on.
int RunWindow(const std::function<void()>& started = {});
// The frames the GUI thread has flipped since WatchWindowFrames: the first
// comes from the loop's first turn, once the root has loaded its settings.
uint64_t WindowFrames();
