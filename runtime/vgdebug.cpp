#include "vgdebug.h"

#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

[[noreturn]] void DefaultHandler(const std::string& message) { VgHaltOnPanic(message); }
VgPanicHandler g_handler = &DefaultHandler;

std::string Describe(const char16_t* text) {
  std::string out;
  if (!text) return out;
  for (; *text; ++text) {
    char16_t c = *text;
    if (c >= 0x20 && c <= 0x7F) {
      out += static_cast<char>(c);
    } else {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\x%04X", static_cast<unsigned>(c));
      out += buffer;
    }
  }
  return out;
}

[[noreturn]] void Panic(const std::string& message) {
  std::printf("\nPANIC: %s\nSystem halted\n", message.c_str());
  std::fflush(stdout);
  g_handler(message);
  VgHaltOnPanic(message);  // a handler that returns still must not let the caller go on
}

}  // namespace

void VgPrint(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
}

void PrintWcs(const char16_t* text) { std::fputs(Describe(text).c_str(), stdout); }

void VgPanic(const char16_t* message) { Panic(Describe(message)); }

void VgPanicAnsi(const char* message) {
  // Each byte is one character, as VgNewStringAnsi would make it.
  std::u16string wide;
  for (const char* p = message ? message : ""; *p; ++p) wide += static_cast<char16_t>(static_cast<unsigned char>(*p));
  Panic(Describe(wide.c_str()));
}

VgPanicHandler VgSetPanicHandler(VgPanicHandler handler) {
  VgPanicHandler old = g_handler;
  g_handler = handler ? handler : &DefaultHandler;
  return old;
}

void VgThrowOnPanic(const std::string& message) { throw VgPanicError(message); }

void VgHaltOnPanic(const std::string&) {
  // The GUI thread stays here for good, holding the GUI lock: the middleware's
  // alive check then fails and the watchdog resets the set.
  for (;;) pause();
}
