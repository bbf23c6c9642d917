// What passes between the event table and the factory command processor: the
// command record as the middleware delivers it, and the result the processor
// fills for the factory screens. Kept apart from the event table, so that the
// processor (plain code without GUI objects) can fill it.
#pragma once

#include <cstddef>
#include <cstdint>

struct VgClass;

// The factory command processor's result: what the factory screens show.
struct FactoryCommandResult {
  int32_t kind = 0;  // 0 nothing, 1 menu, 2 value, 3 raw command, 4 message
  const VgClass* screen = nullptr;  // kinds 1 and 4: the screen class to open
  char name[32] = {};               // kind 2, zero-padded
  char text[256] = {};              // kind 4, zero-padded
  int32_t value = 0;                // kinds 1, 2 and 4
  uint32_t code = 0;                // kind 3
};

// The factory command record handed to the processor: the command code, then
// its argument text and flags, 36 bytes in all.
inline constexpr size_t kFactoryCommandRecordSize = 36;
