// The factory's own native operations: the command processor that turns one
// coded factory command into an action on the set and a result for the
// factory screens, the end of the factory mode that the television model asks
// for, and the choice of the model's row in the factory model table. Plain
// code over statics, without GUI objects; the processor runs on the GUI
// thread (the event table calls it), as do the model's calls.
//
// How the commands are dispatched, and how a family of commands is added,
// is told in FactorySystem/FactoryCommandFamilies.h.
#pragma once

#include <sys/time.h>

#include <cstdint>
#include <iterator>

#include "Events/FactoryCommandResult.h"

extern "C" {
// 1 while the factory mode is on, else 0; exported to the platform.
extern int32_t bInFactoryMode;
}

// Runs one command record (kFactoryCommandRecordSize bytes: the code, a
// 20-byte argument text, the skip flag) and fills the result. Returns 1 when
// the command completed (also for a code that is no command) and 0 when a
// platform call it needs failed.
int32_t FactoryCommandProcess(const uint32_t* record, FactoryCommandResult* result);
// Leaves the factory mode; returns 1.
int32_t FactoryCommandExitMMode();
// Applies row 0-12 of the factory model table; returns 1.
int32_t ServiceSelectModel(int32_t row);

namespace FactoryCommands {

// The codes that enter and leave the two modes. The factory-mode entry is a
// command of the processor, which hands it on to the factory screens as a
// raw command; the service mode's codes are raw commands of the screens
// alone (discrete keys of 24 bits).
inline constexpr uint32_t kEnterFactoryMode = 0x40EE02FD;
inline constexpr uint32_t kLeaveFactoryMode = 0x40EE03FC;
inline constexpr uint32_t kEnterServiceMode = 0x40EE1A;
inline constexpr uint32_t kLeaveServiceMode = 0x40EE1B;

// The factory model table: the model id (customised property 18), the
// configuration (property 19) and the board's model group.
struct ModelRowValues {
  int32_t id;
  int32_t configuration;
  int32_t group;
};
inline constexpr ModelRowValues kModelTable[] = {
    {0x21, 6, 3}, {0x22, 7, 3}, {0x23, 8, 3}, {0x31, 1, 1},  {0x32, 4, 1},  {0x33, 5, 1},  {0x44, 12, 0},
    {0x41, 0, 0}, {0x42, 2, 0}, {0x43, 3, 0}, {0x51, 9, 2}, {0x52, 10, 2}, {0x53, 11, 2},
};
// The row of 0x44, which every id outside the table takes too.
inline constexpr int32_t kFallbackModelRow = 6;

constexpr int32_t ModelRow(int32_t id) {
  for (int32_t row = 0; row < static_cast<int32_t>(std::size(kModelTable)); ++row)
    if (kModelTable[row].id == id) return row;
  return kFallbackModelRow;
}

// The wall clock the processor reads at the start of each command; the host
// installs the set's. Null puts the host's own clock back.
using TimeOfDay = void (*)(timeval* now);
void InstallClock(TimeOfDay clock);

// The processor's statics back to their start-up values, for tests.
void ResetState();
// Applies row 0-12 of the factory model table (out of range: nothing).
void factorySetModelInformation(int32_t row);

}  // namespace FactoryCommands
