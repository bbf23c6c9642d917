#include "FactorySystem/FactoryCommands.h"

#include <atomic>
#include <cstring>
#include <iterator>
#include <mutex>

#include "FactorySystem/FactoryCommandFamilies.h"
#include "FactorySystem/SerialConsole.h"
#include "bcm.h"
#include "bkni.h"
#include "mplcore.h"
#include "oam.h"
#include "vgdebug.h"

extern "C" {
int32_t bInFactoryMode = 0;
}

namespace FactoryCommands {

uint32_t PreviousRawFactoryCommand = 0;
int32_t wb_status = kDriveNone;

namespace {

// ------------------------------------------------------------------- table

constexpr CodeRange kEntryCodes[] = {Code(kEnterFactoryMode)};
constexpr CodeRange kExitCodes[] = {Code(kLeaveFactoryMode)};

constexpr CommandFamily kFamilyRows[] = {
    {"mode entry", kEntryCodes, false, false, &EnterFactoryMode},
    {"mode exit", kExitCodes, false, false, &LeaveFactoryMode},
};

template <size_t N>
constexpr bool NoCodeInTwoRows(const CommandFamily (&rows)[N]) {
  for (size_t a = 0; a < N; ++a)
    for (size_t b = a + 1; b < N; ++b)
      for (const CodeRange& x : rows[a].codes)
        for (const CodeRange& y : rows[b].codes)
          if (x.first <= y.last && y.first <= x.last) return false;
  return true;
}
static_assert(NoCodeInTwoRows(kFamilyRows), "a factory command code lies in two rows of the table");

// ----------------------------------------------------- white-balance drive

// The codes that select a drive for the step commands, and those that keep
// the selection; every other code clears it.
constexpr CodeRange kRedDriveCodes[] = {Code(0x40E333CC), {0x40E23300, 0x40E233FF}};
constexpr CodeRange kBlueDriveCodes[] = {Code(0x40E334CB), {0x40E23400, 0x40E234FF}};
constexpr CodeRange kDriveKeepingCodes[] = {Code(0xCFA90FFF), Code(0x40EE1CE3), Code(0x40EE1DE2), Code(0x40EE1EE1),
                                            Code(0x40EE1FE0)};

bool InRanges(std::span<const CodeRange> ranges, uint32_t code) {
  for (const CodeRange& range : ranges)
    if (code >= range.first && code <= range.last) return true;
  return false;
}

void SelectDrive(uint32_t code) {
  if (InRanges(kRedDriveCodes, code)) {
    wb_status = kDriveRed;
  } else if (InRanges(kBlueDriveCodes, code)) {
    wb_status = kDriveBlue;
  } else if (!InRanges(kDriveKeepingCodes, code)) {
    wb_status = kDriveNone;
  }
}

// ------------------------------------------------------------------- clock

void SystemTimeOfDay(timeval* now) { gettimeofday(now, nullptr); }

std::atomic<TimeOfDay> g_clock{&SystemTimeOfDay};
timeval g_commandTime{};

// ---------------------------------------------------------- mode entry/exit

// The factory's persistent mode flag among the customised properties.
constexpr int32_t kFactoryModeProperty = 26;
// GPIO pin 75 is high while the factory mode is on.
constexpr int32_t kFactoryModePin = 75;
constexpr unsigned kEntrySettleMs = 100;
constexpr unsigned kExitSettleMs = 50;
// The model variant whose board keeps its console printing.
constexpr int32_t kVariantKeepsPrinting = 3;
constexpr const char* kHello = "Hello! Serial is now active\r\n";

// The board's console printing, except on the variant that keeps it.
void SetBoardPrinting(int on) {
  OAM_ModelInfo info{};
  const int32_t status = OAM_GetModelInfo(&info);
  if (status != 0) {
    TraceFailure("OAM_GetModelInfo", status);
    return;
  }
  if (info.variant == kVariantKeepsPrinting) return;
  if (int status2 = BCM_ControlPrintf(on); status2 != 0) TraceFailure("BCM_ControlPrintf", status2);
}

void SetModePin(int32_t level, unsigned settleMs) {
  if (int32_t status = MPLCore_GpioSetPin(kFactoryModePin, level); status != 0)
    TraceFailure("MPLCore_GpioSetPin", status);
  BKNI_Sleep(settleMs);
}

// Writes the persistent flag only when it differs: the store is flash.
void SetModeProperty(int32_t on) {
  int32_t value = 0;
  if (int32_t status = OAM_GetCustomizedProperty(kFactoryModeProperty, &value); status != 0)
    TraceFailure("OAM_GetCustomizedProperty", status);
  if ((value != 0) == (on != 0)) return;
  if (int32_t status = OAM_SetCustomizedProperty(kFactoryModeProperty, on); status != 0)
    TraceFailure("OAM_SetCustomizedProperty", status);
}

// Copies at most size bytes of the text, up to its end mark, and zero-fills
// the rest of the field.
template <size_t N>
void CopyText(char (&field)[N], const char* text) {
  const size_t length = text ? strnlen(text, N) : 0;
  std::memcpy(field, text ? text : "", length);
  std::memset(field + length, 0, N - length);
}

// ------------------------------------------------------- model selection

std::mutex g_requestMutex;
Requests g_requests;

}  // namespace

const std::span<const CommandFamily> kCommandFamilies = kFamilyRows;

const CommandFamily* FindFamily(uint32_t code) {
  for (const CommandFamily& family : kCommandFamilies)
    if (InRanges(family.codes, code)) return &family;
  return nullptr;
}

Command ReadCommand(const uint32_t* record) {
  Command command;
  if (!record) return command;
  command.code = record[0];
  constexpr size_t kArgumentBytes = sizeof command.argument - 1;
  for (size_t i = 0; i < kArgumentBytes; ++i) {
    const char c = static_cast<char>(record[1 + i / 4] >> (8 * (i % 4)));
    if (c == '\0') break;
    command.argument[i] = c;
  }
  command.skip = record[6] != 0;
  return command;
}

int32_t SetResultDisplayMenu(const VgClass* screen, int32_t value, FactoryCommandResult* result) {
  result->kind = 1;
  result->screen = screen;
  result->value = value;
  return 1;
}

int32_t SetResultDisplayValue(const char* name, int32_t value, FactoryCommandResult* result) {
  result->kind = 2;
  CopyText(result->name, name);
  result->value = value;
  return 1;
}

int32_t SetResultRawCommand(uint32_t code, FactoryCommandResult* result) {
  result->kind = 3;
  result->code = code;
  return 1;
}

void SetResultDisplayMessage(const VgClass* screen, const char* text, int32_t value, FactoryCommandResult* result) {
  result->kind = 4;
  result->screen = screen;
  CopyText(result->text, text);
  result->value = value;
}

timeval CommandTime() { return g_commandTime; }

Outcome TraceFailure(const char* call, int32_t status) {
  VgPrint("%s Error 0x%x\n", call, static_cast<unsigned>(status));
  return Outcome::Failed;
}

void ModeCancelInternal() {
  SetBoardPrinting(1);
  if (int32_t status = OAM_Led_SetState(1); status != 0) TraceFailure("OAM_Led_SetState", status);
  SetModePin(0, kExitSettleMs);
  bInFactoryMode = 0;
  SetModeProperty(0);
}

// The entry code comes back as a raw command, so that the factory screens
// switch their own display into the factory mode.
Outcome EnterFactoryMode(const Command& command, FactoryCommandResult* result) {
  SetBoardPrinting(0);
  SetModePin(1, kEntrySettleMs);
  SerialConsole::WriteLine(kHello);
  bInFactoryMode = 1;
  SetModeProperty(1);
  SetResultRawCommand(command.code, result);
  return Outcome::Done;
}

Outcome LeaveFactoryMode(const Command& command, FactoryCommandResult* result) {
  ModeCancelInternal();
  SetResultRawCommand(command.code, result);
  return Outcome::Done;
}

void InstallClock(TimeOfDay clock) { g_clock = clock ? clock : &SystemTimeOfDay; }

void ResetState() {
  bInFactoryMode = 0;
  PreviousRawFactoryCommand = 0;
  wb_status = kDriveNone;
  g_commandTime = {};
}

Requests Requested() {
  std::lock_guard lock(g_requestMutex);
  return g_requests;
}

void ResetRequests() {
  std::lock_guard lock(g_requestMutex);
  g_requests = Requests{};
}

}  // namespace FactoryCommands

int32_t FactoryCommandProcess(const uint32_t* record, FactoryCommandResult* result) {
  using namespace FactoryCommands;
  FactoryCommandResult ignored;
  if (!result) result = &ignored;
  *result = FactoryCommandResult{};
  const Command command = ReadCommand(record);
  g_clock.load()(&g_commandTime);
  SelectDrive(command.code);
  const CommandFamily* family = FindFamily(command.code);
  if (family && family->factoryModeOnly && bInFactoryMode == 0) family = nullptr;
  if (family && family->skippable && command.skip) family = nullptr;
  const Outcome outcome = family ? family->run(command, result) : Outcome::Done;
  if (outcome == Outcome::Done) PreviousRawFactoryCommand = command.code;
  return outcome == Outcome::Failed ? 0 : 1;
}

int32_t FactoryCommandExitMMode() {
  FactoryCommands::ModeCancelInternal();
  return 1;
}

// Applying a model's properties is still to come; for now the row asked for
// is noted.
int32_t ServiceSelectModel(int32_t row) {
  std::lock_guard lock(FactoryCommands::g_requestMutex);
  ++FactoryCommands::g_requests.selectModel;
  FactoryCommands::g_requests.lastModelRow = row;
  return 1;
}
