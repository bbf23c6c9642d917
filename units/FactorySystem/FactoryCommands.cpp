#include "FactorySystem/FactoryCommands.h"

#include <atomic>
#include <cstring>
#include <iterator>

#include "FactorySystem/FactoryCommandFamilies.h"
#include "FactorySystem/FactoryCommandTables.h"
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

using namespace Tables;

constexpr CodeRange kEntryCodes[] = {Code(kEnterFactoryMode)};
constexpr CodeRange kExitCodes[] = {Code(kLeaveFactoryMode)};
constexpr auto kRawAnyModeCodes = CodesOf(kRawAnyMode);
constexpr auto kRawSkippableCodes = CodesOf(kRawSkippable);
constexpr auto kRawFactoryOnlyCodes = CodesOf(kRawFactoryOnly);
constexpr CodeRange kPowerOffCodes[] = {Code(kPowerOff)};
constexpr auto kBasicCaptionCodes = CodesOf(kBasicCaptions);
constexpr auto kCaptionStyleCodes = CodesOf(kCaptionStyles);
constexpr auto kParameterCodes = RangesOf(kParameters);
constexpr auto kDriveReadCodes = CodesOf(kDriveReads);
constexpr auto kDriveStepCodes = CodesOf(kDriveSteps);
constexpr CodeRange kPrepareCodes[] = {Code(kWhiteBalancePrepare)};
constexpr CodeRange kEndCodes[] = {Code(kWhiteBalanceEnd)};
constexpr auto kTestPatternCodes = CodesOf(kTestPatterns);
constexpr auto kInputZapCodes = CodesOf(kInputZaps);
constexpr CodeRange kChannelCodes[] = {{kChannelFirst, kChannelLast}};
constexpr auto kBacklightCodes = CodesOf(kBacklights);
constexpr CodeRange kLedCodes[] = {Code(kLedCycle)};
constexpr CodeRange kSuperResolutionCodes[] = {Code(kSuperResolution)};
constexpr CodeRange kMotionCodes[] = {Code(kMotion)};
constexpr CodeRange kDolbyDrcCodes[] = {Code(kDolbyDrc)};
constexpr CodeRange kEqualiserCodes[] = {Code(kEqualiser)};
constexpr CodeRange kSpdifCodes[] = {Code(kSpdif)};
constexpr auto kDecodeModeCodes = CodesOf(kDecodeModes);
constexpr auto kArcCodes = CodesOf(kArcs);
constexpr CodeRange kThreeDCodes[] = {Code(kThreeD)};
constexpr CodeRange kPreferencesCodes[] = {Code(kPreferences)};
constexpr CodeRange kParentalOnCodes[] = {Code(kParentalOn)};
constexpr CodeRange kParentalOffCodes[] = {Code(kParentalOff)};
constexpr auto kFactoryFlagCodes = CodesOf(kFactoryFlags);
constexpr auto kDigitalPresetCodes = CodesOf(kDigitalPresets);
constexpr auto kGuardedPresetCodes = CodesOf(kGuardedPresets);
constexpr auto kModelCommandCodes = CodesOf(kModelCodes);
constexpr CodeRange kWlanAnnounceCodes[] = {Code(kWlanAnnounce)};
constexpr CodeRange kWlanRunCodes[] = {Code(kWlanRun)};
constexpr CodeRange kWlanConnectedCodes[] = {Code(kWlanConnected)};
constexpr CodeRange kWlanNotConnectedCodes[] = {Code(kWlanNotConnected)};
constexpr CodeRange kSpeedAnnounceCodes[] = {Code(kSpeedAnnounce)};
constexpr CodeRange kSpeedMeasureCodes[] = {Code(kSpeedMeasure)};
constexpr CodeRange kMacWriteCodes[] = {Code(kMacWrite)};
constexpr CodeRange kDefaultAddressCodes[] = {Code(kDefaultAddress)};
constexpr CodeRange kCalibrationCodes[] = {Code(kCalibration)};
constexpr CodeRange kSwitchEepromCodes[] = {Code(kSwitchEeprom)};
constexpr CodeRange kSerialTestCodes[] = {Code(kSerialTest)};
constexpr CodeRange kAudioDumpCodes[] = {Code(kAudioDump)};

// In the order of the tests; the guard (factory mode only) and the skip flag
// per row.
constexpr CommandFamily kFamilyRows[] = {
    {"raw commands", kRawAnyModeCodes, false, false, &PassRaw},
    {"key presses", kRawSkippableCodes, false, true, &PassRaw},
    {"power off", kPowerOffCodes, false, true, &PowerOff},
    {"basic captions", kBasicCaptionCodes, false, false, &SetBasicCaptions},
    {"caption styles", kCaptionStyleCodes, false, false, &CycleCaptionStyle},
    {"parameters", kParameterCodes, true, false, &SetParameter},
    {"white-balance reads", kDriveReadCodes, true, false, &ReadDrive},
    {"white-balance steps", kDriveStepCodes, true, false, &StepDrive},
    {"test patterns", kTestPatternCodes, true, false, &ShowTestPattern},
    {"input zapping", kInputZapCodes, true, false, &ZapInput},
    {"channel range", kChannelCodes, true, false, &TuneChannelNumber},
    {"mode entry", kEntryCodes, false, false, &EnterFactoryMode},
    {"mode exit", kExitCodes, false, false, &LeaveFactoryMode},
    {"wireless test", kWlanAnnounceCodes, false, false, &AnnounceWlanTest},
    {"wireless test run", kWlanRunCodes, false, false, &RunWlanTest},
    {"wireless connected", kWlanConnectedCodes, false, false, &WlanConnected},
    {"wireless not connected", kWlanNotConnectedCodes, false, false, &WlanNotConnected},
    {"throughput test", kSpeedAnnounceCodes, false, false, &AnnounceSpeedTest},
    {"throughput measurement", kSpeedMeasureCodes, false, false, &MeasureSpeed},
    {"default address", kDefaultAddressCodes, false, false, &WriteDefaultAddress},
    {"converter calibration", kCalibrationCodes, false, false, &CalibrateConverter},
    {"backlight", kBacklightCodes, false, false, &SetPresetBacklight},
    {"LED cycle", kLedCodes, false, false, &CycleLed},
    {"super resolution", kSuperResolutionCodes, false, false, &ToggleSuperResolution},
    {"motion", kMotionCodes, false, false, &ToggleMotion},
    {"dynamic range", kDolbyDrcCodes, false, false, &ToggleDolbyDrc},
    {"equaliser", kEqualiserCodes, false, false, &StepEqualiser},
    {"optical output", kSpdifCodes, false, false, &ToggleSpdif},
    {"decode mode", kDecodeModeCodes, false, false, &SetDecodeMode},
    {"audio return", kArcCodes, false, false, &SetArc},
    {"preferences", kPreferencesCodes, false, false, &OpenPreferences},
    {"parental lock on", kParentalOnCodes, false, false, &LockParental},
    {"parental lock off", kParentalOffCodes, false, false, &UnlockParental},
    {"digital presets", kDigitalPresetCodes, false, false, &TuneDigitalPreset},
    {"guarded presets", kGuardedPresetCodes, false, false, &TuneGuardedPreset},
    {"model selection", kModelCommandCodes, true, false, &SelectModel},
    {"audio status", kAudioDumpCodes, false, false, &DumpAudioStatus},
    {"white-balance preparation", kPrepareCodes, true, false, &PrepareWhiteBalance},
    {"white-balance end", kEndCodes, true, false, &EndWhiteBalance},
    {"clear factory screens", kRawFactoryOnlyCodes, true, false, &PassRaw},
    {"MAC address", kMacWriteCodes, false, false, &WriteMacAddress},
    {"3D toggle", kThreeDCodes, false, false, &ToggleThreeD},
    {"HDMI switch EEPROM", kSwitchEepromCodes, false, false, &EraseSwitchEeprom},
    {"factory flag", kFactoryFlagCodes, false, false, &SetFactoryFlag},
    {"serial test", kSerialTestCodes, false, false, &WriteSerialTest},
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

// Where the model table's row goes among the customised properties.
constexpr int32_t kModelIdProperty = 18;
constexpr int32_t kModelConfigurationProperty = 19;
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
  ResetPictureState();
  ResetTuningState();
  ResetNetworkState();
}

void factorySetModelInformation(int32_t row) {
  if (row < 0 || row >= static_cast<int32_t>(std::size(kModelTable))) return;
  const ModelRowValues& model = kModelTable[row];
  OAM_SetCustomizedProperty(kModelIdProperty, model.id);
  OAM_SetCustomizedProperty(kModelConfigurationProperty, model.configuration);
  if (int status = BCM_SetModel(model.group); status != 0) {
    TraceFailure("BCM_SetModel", status);
    return;
  }
  VgPrint("SET MODEL %u CONFIG %u GROUP %u\n", unsigned(model.id), unsigned(model.configuration),
          unsigned(model.group));
}

timeval Now() {
  timeval now{};
  g_clock.load()(&now);
  return now;
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

int32_t ServiceSelectModel(int32_t row) {
  FactoryCommands::factorySetModelInformation(row);
  return 1;
}
