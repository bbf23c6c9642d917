// The families of factory commands and what they share: the command record
// as read, the table row that dispatches a family, the result writers, the
// processor's statics and its console and trace lines.
//
// Processing one command (FactoryCommandProcess): the result is cleared, the
// record read (bounded: the argument text never past its 20 bytes), the wall
// clock read, the white-balance selection updated from the code, and the code
// looked up in kCommandFamilies. A row acts when one of its code ranges holds
// the code, unless it is guarded and the factory mode is off, or it is
// skippable and the record's skip flag is set; otherwise the code takes the
// default: no result, recorded as the previous command, 1 returned. A row's
// handler returns Done (recorded, 1), Unrecorded (not recorded, 1) or Failed
// (not recorded, 0).
//
// Adding a family of commands:
//   1. Write its handlers in a file of their own (FactoryPictureCommands.cpp):
//        Outcome Saturation(const Command& command, FactoryCommandResult* result) {
//          ...
//          if (status != 0) return TraceFailure("XPM_SetSaturation", status);
//          return SetResultDisplayValue("SATU", value, result), Outcome::Done;
//        }
//      and declare them in the family list below.
//   2. Add its rows to kCommandFamilies (FactoryCommands.cpp): the codes as
//      ranges (Code(c) for one code), whether it acts only in the factory
//      mode, whether the skip flag stops it, and the handler. Rows may be as
//      fine as a single code where guard or skip flag differ within a family.
//      No code may lie in two rows: the table checks it when it compiles.
//   3. Statics of the family live in its file; put them back in ResetState.
//   4. A result that opens a screen names its class by name
//      (VgFindClass("FactorySystem::SmallMessage")): this code links no
//      screens. Console lines go out through SerialConsole::WriteLine, ended
//      with "\r\n".
#pragma once

#include <sys/time.h>

#include <cstdint>
#include <span>

#include "Events/FactoryCommandResult.h"

namespace FactoryCommands {

// A command record as read: the code, the argument text (only the address
// command reads it) zero-terminated within its 20 bytes, the skip flag.
struct Command {
  uint32_t code = 0;
  char argument[21] = {};
  bool skip = false;
};
// Reads the kFactoryCommandRecordSize bytes of a record.
Command ReadCommand(const uint32_t* record);

enum class Outcome : uint8_t { Done, Unrecorded, Failed };
using Handler = Outcome (*)(const Command& command, FactoryCommandResult* result);

struct CodeRange {
  uint32_t first;
  uint32_t last;
};
constexpr CodeRange Code(uint32_t code) { return {code, code}; }

struct CommandFamily {
  const char* name;
  std::span<const CodeRange> codes;
  bool factoryModeOnly;  // acts only while bInFactoryMode is set
  bool skippable;        // the record's skip flag sends it to the default
  Handler run;
};

// The dispatch table, in the order of the tests.
extern const std::span<const CommandFamily> kCommandFamilies;
// The row that acts on a code, or null; the guard and the skip flag are the
// caller's to apply.
const CommandFamily* FindFamily(uint32_t code);

// ------------------------------------------------------------ result writers

// Kind 1: a menu page of that class, its item value.
int32_t SetResultDisplayMenu(const VgClass* screen, int32_t value, FactoryCommandResult* result);
// Kind 2: a value display with the name (at most 32 bytes, zero-padded).
int32_t SetResultDisplayValue(const char* name, int32_t value, FactoryCommandResult* result);
// Kind 3: a raw command for the factory screens.
int32_t SetResultRawCommand(uint32_t code, FactoryCommandResult* result);
// Kind 4: a message box of that class with the text (at most 256 bytes,
// zero-padded) and the message flags word.
void SetResultDisplayMessage(const VgClass* screen, const char* text, int32_t value, FactoryCommandResult* result);

// ------------------------------------------------------------------ statics

// The code of the last command that completed.
extern uint32_t PreviousRawFactoryCommand;
// The white-balance drive the step commands act on: 0 none, 1 red, 2 blue.
extern int32_t wb_status;
enum : int32_t { kDriveNone = 0, kDriveRed = 1, kDriveBlue = 2 };
// The wall clock at the start of the command being processed, and now.
timeval CommandTime();
timeval Now();
// The time the last guarded tuning preset finished.
extern timeval TimePreviousCommand;

// ----------------------------------------------------------- shared steps

// "NAME Error 0x…" on the product's log; returns Failed.
Outcome TraceFailure(const char* call, int32_t status);
// The exit steps of the factory mode, also run by FactoryCommandExitMMode.
void ModeCancelInternal();

// ---------------------------------------------------------------- families

Outcome EnterFactoryMode(const Command& command, FactoryCommandResult* result);
Outcome LeaveFactoryMode(const Command& command, FactoryCommandResult* result);

// Picture, sound, caption and input (FactoryPictureCommands.cpp).
Outcome PassRaw(const Command& command, FactoryCommandResult* result);
Outcome PowerOff(const Command& command, FactoryCommandResult* result);
Outcome SetBasicCaptions(const Command& command, FactoryCommandResult* result);
Outcome CycleCaptionStyle(const Command& command, FactoryCommandResult* result);
Outcome SetParameter(const Command& command, FactoryCommandResult* result);
Outcome ReadDrive(const Command& command, FactoryCommandResult* result);
Outcome StepDrive(const Command& command, FactoryCommandResult* result);
Outcome PrepareWhiteBalance(const Command& command, FactoryCommandResult* result);
Outcome EndWhiteBalance(const Command& command, FactoryCommandResult* result);
Outcome ShowTestPattern(const Command& command, FactoryCommandResult* result);
Outcome ZapInput(const Command& command, FactoryCommandResult* result);
Outcome SetPresetBacklight(const Command& command, FactoryCommandResult* result);
Outcome CycleLed(const Command& command, FactoryCommandResult* result);
Outcome ToggleSuperResolution(const Command& command, FactoryCommandResult* result);
Outcome ToggleMotion(const Command& command, FactoryCommandResult* result);
Outcome ToggleDolbyDrc(const Command& command, FactoryCommandResult* result);
Outcome StepEqualiser(const Command& command, FactoryCommandResult* result);
Outcome ToggleSpdif(const Command& command, FactoryCommandResult* result);
Outcome SetDecodeMode(const Command& command, FactoryCommandResult* result);
Outcome SetArc(const Command& command, FactoryCommandResult* result);
Outcome ToggleThreeD(const Command& command, FactoryCommandResult* result);
Outcome OpenPreferences(const Command& command, FactoryCommandResult* result);
Outcome LockParental(const Command& command, FactoryCommandResult* result);
Outcome UnlockParental(const Command& command, FactoryCommandResult* result);
Outcome SetFactoryFlag(const Command& command, FactoryCommandResult* result);
// Switches the main window to input n (0 the tuner); returns 1.
int32_t ZapToVideoExt(int32_t input);

// Tuning presets and the model (FactoryTuningCommands.cpp).
Outcome TuneChannelNumber(const Command& command, FactoryCommandResult* result);
Outcome TuneDigitalPreset(const Command& command, FactoryCommandResult* result);
Outcome TuneGuardedPreset(const Command& command, FactoryCommandResult* result);
Outcome SelectModel(const Command& command, FactoryCommandResult* result);
// Discover one channel and tune the main window to it; 1 when tuned.
int32_t DiscoverAndSetChannelAnalog(int32_t channel, int32_t subchannel);
int32_t DiscoverAndSetChannel(int32_t channel, int32_t subchannel);

// Network and diagnostic tests (FactoryNetworkCommands.cpp).
Outcome AnnounceWlanTest(const Command& command, FactoryCommandResult* result);
Outcome RunWlanTest(const Command& command, FactoryCommandResult* result);
Outcome WlanConnected(const Command& command, FactoryCommandResult* result);
Outcome WlanNotConnected(const Command& command, FactoryCommandResult* result);
Outcome AnnounceSpeedTest(const Command& command, FactoryCommandResult* result);
Outcome MeasureSpeed(const Command& command, FactoryCommandResult* result);
Outcome WriteMacAddress(const Command& command, FactoryCommandResult* result);
Outcome WriteDefaultAddress(const Command& command, FactoryCommandResult* result);
Outcome CalibrateConverter(const Command& command, FactoryCommandResult* result);
Outcome EraseSwitchEeprom(const Command& command, FactoryCommandResult* result);
Outcome WriteSerialTest(const Command& command, FactoryCommandResult* result);
Outcome DumpAudioStatus(const Command& command, FactoryCommandResult* result);

// The families' own statics back to their start-up values.
void ResetPictureState();
void ResetTuningState();
void ResetNetworkState();

}  // namespace FactoryCommands
