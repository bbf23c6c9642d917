// The factory's own native operations that the television model calls: the
// end of the factory's M mode and the choice of the model's row in the
// factory model table. Plain code without GUI objects, callable from any
// thread.
#pragma once

#include <cstdint>
#include <iterator>

// Leaves the factory's M mode; returns 1.
int32_t FactoryCommandExitMMode();
// Applies row 0-12 of the factory model table; returns 1.
int32_t ServiceSelectModel(int32_t row);

namespace FactoryCommands {

// The model ids of the factory model table, by row.
inline constexpr int32_t kModelIds[] = {0x21, 0x22, 0x23, 0x31, 0x32, 0x33, 0x44, 0x41, 0x42, 0x43, 0x51, 0x52, 0x53};
// The row of 0x44, which every id outside the table takes too.
inline constexpr int32_t kFallbackModelRow = 6;

constexpr int32_t ModelRow(int32_t id) {
  for (int32_t row = 0; row < static_cast<int32_t>(std::size(kModelIds)); ++row)
    if (kModelIds[row] == id) return row;
  return kFallbackModelRow;
}

// What the model asked of the operations above since the last reset, for the
// tests of its callers.
struct Requests {
  int32_t exitMMode = 0;     // calls of FactoryCommandExitMMode
  int32_t selectModel = 0;   // calls of ServiceSelectModel
  int32_t lastModelRow = -1; // the row of the last one
};
Requests Requested();
void ResetRequests();

}  // namespace FactoryCommands
