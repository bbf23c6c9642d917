// Console output and the panic of the runtime.
#pragma once

#include <stdexcept>
#include <string>

extern "C" {
// printf-style output to the console.
void VgPrint(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Prints a UTF-16 text: printable ASCII as itself, anything else as \xHHHH.
void PrintWcs(const char16_t* text);
// Prints "\nPANIC: ", the message and "\nSystem halted\n" and never returns.
[[noreturn]] void VgPanic(const char16_t* message);
[[noreturn]] void VgPanicAnsi(const char* message);
}

// What happens after the panic lines are printed. The product's handler halts
// the calling thread for good; a handler must not return.
using VgPanicHandler = void (*)(const std::string& message);
VgPanicHandler VgSetPanicHandler(VgPanicHandler handler);

// Thrown by the tests' handler (VgThrowOnPanic), so a panic can be asserted.
struct VgPanicError : std::runtime_error {
  using std::runtime_error::runtime_error;
};
[[noreturn]] void VgThrowOnPanic(const std::string& message);
// The product's handler: the thread sleeps for ever, holding whatever it holds.
[[noreturn]] void VgHaltOnPanic(const std::string& message);
