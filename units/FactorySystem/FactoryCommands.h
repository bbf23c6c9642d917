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

// The model ids of the factory model table, by row.
inline constexpr int32_t kModelIds[] = {0x21, 0x22, 0x23, 0x31, 0x32, 0x33, 0x44, 0x41, 0x42, 0x43, 0x51, 0x52, 0x53};
// The row of 0x44, which every id outside the table takes too.
inline constexpr int32_t kFallbackModelRow = 6;

constexpr int32_t ModelRow(int32_t id) {
  for (int32_t row = 0; row < static_cast<int32_t>(std::size(kModelIds)); ++row)
    if (kModelIds[row] == id) return row;
  return kFallbackModelRow;
}

// The wall clock the processor reads at the start of each command; the host
// installs the set's. Null puts the host's own clock back.
using TimeOfDay = void (*)(timeval* now);
void InstallClock(TimeOfDay clock);

// The processor's statics back to their start-up values, for tests.
void ResetState();

// What the model asked of ServiceSelectModel since the last reset, for the
// tests of its callers.
struct Requests {
  int32_t selectModel = 0;    // calls of ServiceSelectModel
  int32_t lastModelRow = -1;  // the row of the last one
};
Requests Requested();
void ResetRequests();

}  // namespace FactoryCommands
