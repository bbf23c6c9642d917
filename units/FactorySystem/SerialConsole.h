// The factory serial console: a text line to the test fixture on the board's
// first serial port, "/dev/ttyS0". Exported for the platform as well as for
// the television model and the factory commands, so the operations keep the
// platform's names and C linkage. Each returns 0, or 2 when the line cannot
// be opened or written.
//
// While open the line runs raw at 115200 baud, 8 data bits, no parity; the
// settings it had before the first open come back at the close. Opening an
// open line keeps it open (on a fresh descriptor) and keeps the settings to
// restore; one close closes it. A write while closed writes nothing and gives
// 2. The operations may be called from any thread.
#pragma once

#include <cstdint>

extern "C" {
int32_t XPM_OpenUART(void);
int32_t XPM_CloseUART(void);
// Writes the zero-terminated text as it is, in one write; the caller ends its
// lines. An empty text writes nothing and gives 0.
int32_t XPM_PrintStringUART(const char* text);
}

namespace SerialConsole {

// Whether the line is open now.
bool IsOpen();
// Opens the line, writes the text and closes it again, as every message of
// the factory commands goes out; a line that cannot be opened or written
// loses the text.
void WriteLine(const char* text);

}  // namespace SerialConsole
