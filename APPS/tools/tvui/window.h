// The desktop window: shows the GUI plane as it is drawn and turns the PC
// keyboard into remote-control keys. Returns the process's exit status when
// the window is closed.
#pragma once

// started, when given, runs once the window shows every frame drawn from then on.
int RunWindow(void (*started)() = nullptr);
