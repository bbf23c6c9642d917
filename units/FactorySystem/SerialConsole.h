// The factory serial console: a text line to the test fixture on the board's
// first serial port. Exported for the platform as well as for the television
// model, so the operations keep the platform's names and C linkage. Each
// returns 0, or 2 when the line cannot be opened or written (a write while
// the line is closed writes nothing and gives 2).
#pragma once

#include <cstdint>
#include <string>

extern "C" {
int32_t XPM_OpenUART(void);
int32_t XPM_CloseUART(void);
// Writes the zero-terminated text as it is; the caller ends its lines.
int32_t XPM_PrintStringUART(const char* text);
}

namespace SerialConsole {

// Everything written while the line was open since the last reset, and
// whether it is open now.
std::string Written();
bool IsOpen();
void Reset();

}  // namespace SerialConsole
