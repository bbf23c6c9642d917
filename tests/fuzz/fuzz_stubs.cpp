// What the fuzz builds link instead of the GUI runtime: a silent console (the
// storage module's messages would flood the fuzzer's output), and the string
// functions that the readers' GUI side names but the fuzz targets never reach.
#include <cstdlib>
#include <string>

#include "vgdebug.h"
#include "vgstring.h"

void VgPrint(const char*, ...) {}
void PrintWcs(const char16_t*) {}

namespace {
[[noreturn]] void NotInFuzzing() { std::abort(); }
}  // namespace

VgString VgNewString(const char16_t*) { NotInFuzzing(); }
VgString VgNewStringAnsi(const char*) { NotInFuzzing(); }
int32_t VgGetStringLength(VgString) { NotInFuzzing(); }
int32_t VgStringToAnsi(VgString, char*, int32_t, char) { NotInFuzzing(); }
