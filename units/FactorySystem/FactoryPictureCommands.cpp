// The factory commands that set a picture, sound, caption or input setting
// straight in the middleware and then name the screen that shows it. Reads
// that a toggle or a step depends on stop the command when they fail; plain
// settings are traced and the command goes on.
#include <cstring>
#include <iterator>

#include "FactorySystem/FactoryCommandFamilies.h"
#include "FactorySystem/FactoryCommandTables.h"
#include "oam.h"
#include "vgdebug.h"
#include "vgobject.h"
#include "xpm.h"

namespace FactoryCommands {

using namespace Tables;

namespace {

// The source shown before the white-balance preparation switched to the
// pattern, the LED command's counter and the 3D toggle's own idea of 3D (it
// does not follow changes made elsewhere).
int32_t prevSourceId = 0;
int32_t Send = 0;
int32_t bIs3d = 0;

constexpr int32_t kMainWindow = 0;
constexpr int32_t kPatternSourceType = 11;
constexpr int32_t kWhiteBalancePattern = 18;
constexpr int32_t kWhiteBalancePreset = 4;
constexpr int32_t kWhiteBalanceTemperature = 10;
constexpr int32_t kPowerOffMode = 30;
constexpr int32_t kSuperResolutionLevel = 5;
constexpr int32_t kFrcModeOn = 6;
constexpr int32_t kFrcModeOff = 7;
// Message flags: shown for 3 s.
constexpr int32_t kShortMessage = 48;

void Traced(const char* call, int32_t status) {
  if (status != 0) TraceFailure(call, status);
}

Outcome Menu(const Screen& screen, FactoryCommandResult* result) {
  SetResultDisplayMenu(VgFindClass(screen.cls), screen.value, result);
  return Outcome::Done;
}

Outcome Message(const char* cls, const char* text, FactoryCommandResult* result) {
  SetResultDisplayMessage(VgFindClass(cls), text, kShortMessage, result);
  return Outcome::Done;
}

const Drive& DriveOf(int32_t drive) { return drive == kDriveRed ? kRedDrive : kBlueDrive; }

int32_t ReadProperty(int32_t property) {
  int32_t value = 0;
  Traced("OAM_GetCustomizedProperty", OAM_GetCustomizedProperty(property, &value));
  return value;
}

Outcome ShowDrive(const Drive& drive, int32_t value, FactoryCommandResult* result) {
  SetResultDisplayValue(drive.name, value, result);
  return Outcome::Done;
}

int32_t ColourIndex(uint32_t colour) {
  for (size_t i = 0; i < std::size(kCaptionColours); ++i)
    if (kCaptionColours[i] == colour) return static_cast<int32_t>(i);
  return 0;
}

}  // namespace

int32_t ZapToVideoExt(int32_t input) {
  int32_t source = 0;
  if (int32_t status = XPM_GetSourceID(input, &source); status != 0) {
    // Without an id there is nothing sound to switch to.
    VgPrint("XPM_GetSourceID Error 0x%x\n", unsigned(status));
    return 1;
  }
  if (int32_t status = XPM_SetSource(kMainWindow, source); status != 0)
    VgPrint("XPM_SetSource Error 0x%x\n", unsigned(status));
  return 1;
}

Outcome PassRaw(const Command& command, FactoryCommandResult* result) {
  const RawPass* row = RowOf(kRawAnyMode, command.code);
  if (!row) row = RowOf(kRawSkippable, command.code);
  if (!row) row = RowOf(kRawFactoryOnly, command.code);
  if (!row) return Outcome::Done;
  SetResultRawCommand(row->raw, result);
  return Outcome::Done;
}

Outcome PowerOff(const Command&, FactoryCommandResult*) {
  Traced("XPM_StandbyMode", XPM_StandbyMode(kPowerOffMode, 0));
  return Outcome::Done;
}

Outcome SetBasicCaptions(const Command& command, FactoryCommandResult*) {
  const BasicCaption* row = RowOf(kBasicCaptions, command.code);
  if (!row) return Outcome::Done;
  if (row->service == 0) {
    Traced("XPM_SetCaptionRenderState", XPM_SetCaptionRenderState(kMainWindow, 0));
    return Outcome::Done;
  }
  Traced("XPM_SetCaptionRenderState", XPM_SetCaptionRenderState(kMainWindow, 1));
  Traced("XPM_SetCaptionRenderState", XPM_SetCaptionRenderState(kMainWindow, 0));
  Traced("XPM_SetPreferredBasicCaptionService", XPM_SetPreferredBasicCaptionService(row->service));
  Traced("XPM_SetCaptionRenderState", XPM_SetCaptionRenderState(kMainWindow, 1));
  Traced("XPM_EnableCaptionRender", XPM_EnableCaptionRender(1));
  return Outcome::Done;
}

// Colours step through the caption colours, a colour not among them going to
// the second (black); the other styles count up to their last value and wrap.
Outcome CycleCaptionStyle(const Command& command, FactoryCommandResult* result) {
  const CaptionStyle* row = RowOf(kCaptionStyles, command.code);
  if (!row) return Outcome::Done;
  int32_t value = 0;
  Traced("XPM_GetAdvancedCaptionProperty", XPM_GetAdvancedCaptionProperty(row->property, &value));
  if (row->last == kColourStyle) {
    size_t next = static_cast<size_t>(ColourIndex(static_cast<uint32_t>(value))) + 1;
    if (next == std::size(kCaptionColours)) next = 0;
    value = static_cast<int32_t>(kCaptionColours[next]);
  } else {
    value = value + 1 > row->last ? 0 : value + 1;
  }
  Traced("XPM_SetAdvancedCaptionProperty", XPM_SetAdvancedCaptionProperty(row->property, value));
  return Menu({"MenuSystem::DigitalCCMenu", row->item}, result);
}

Outcome SetParameter(const Command& command, FactoryCommandResult* result) {
  for (const Parameter& row : kParameters) {
    if (command.code < row.base || command.code > row.base + static_cast<uint32_t>(row.last)) continue;
    const int32_t v = static_cast<int32_t>(command.code - row.base);
    switch (row.setting) {
      case Setting::Saturation:
        XPM_SetSaturation(kMainWindow, v);
        return Menu({"MenuSystem::PictureMenu", 5}, result);
      case Setting::Tint:
        XPM_SetHue(kMainWindow, v - 50);
        return Menu({"MenuSystem::PictureMenu", 6}, result);
      case Setting::Volume:
        XPM_SetVolume(v);
        return Menu({"NonMenuSystem::CommonVolumeBar", 0}, result);
      case Setting::Balance:
        XPM_SetBalance(v - 50);
        return Menu({"MenuSystem::SoundMenu", 1}, result);
      case Setting::RedDrive:
      case Setting::BlueDrive: {
        const Drive& drive = row.setting == Setting::RedDrive ? kRedDrive : kBlueDrive;
        Traced("OAM_SetCustomizedProperty", OAM_SetCustomizedProperty(drive.property, v));
        return ShowDrive(drive, v, result);
      }
    }
  }
  return Outcome::Done;
}

Outcome ReadDrive(const Command& command, FactoryCommandResult* result) {
  const DriveRead* row = RowOf(kDriveReads, command.code);
  if (!row) return Outcome::Done;
  const Drive& drive = DriveOf(row->drive);
  return ShowDrive(drive, ReadProperty(drive.property), result);
}

// A step past either end of the drive changes nothing and shows nothing.
Outcome StepDrive(const Command& command, FactoryCommandResult* result) {
  const DriveStep* row = RowOf(kDriveSteps, command.code);
  if (!row || wb_status == kDriveNone) return Outcome::Done;
  const Drive& drive = DriveOf(wb_status);
  const int32_t value = ReadProperty(drive.property) + row->delta;
  if (value < 0 || value > kDriveMax) return Outcome::Done;
  Traced("OAM_SetCustomizedProperty", OAM_SetCustomizedProperty(drive.property, value));
  return ShowDrive(drive, value, result);
}

// The white-balance measurement wants the pattern at full backlight in the
// warm preset; the source shown before comes back at the end.
Outcome PrepareWhiteBalance(const Command& command, FactoryCommandResult* result) {
  int32_t source = 0;
  if (int32_t status = XPM_GetCurrentSource(kMainWindow, &source); status != 0)
    return TraceFailure("XPM_GetCurrentSource", status);
  int32_t type = 0;
  if (int32_t status = XPM_GetSourceType(source, &type); status != 0) return TraceFailure("XPM_GetSourceType", status);
  if (type == kPatternSourceType) {
    VgPrint("Nothing to do\n");
    return Outcome::Failed;
  }
  prevSourceId = source;
  if (int32_t status = XPM_SetExtOemPathProperty(kMainWindow, kTestPatternProperty, kWhiteBalancePattern);
      status != 0)
    return TraceFailure("XPM_SetExtOemPathProperty", status);
  if (int32_t status = XPM_SetVideoPreset(kMainWindow, kWhiteBalancePreset); status != 0)
    return TraceFailure("XPM_SetVideoPreset", status);
  if (int32_t status = XPM_SetBacklight(100); status != 0) return TraceFailure("XPM_SetBacklight", status);
  if (int32_t status = XPM_SetDCRBacklight(0); status != 0) return TraceFailure("XPM_SetDCRBacklight", status);
  if (int32_t status = XPM_SetColorTemperature(kWhiteBalanceTemperature); status != 0)
    return TraceFailure("XPM_SetColorTemperature", status);
  SetResultRawCommand(command.code, result);
  return Outcome::Done;
}

Outcome EndWhiteBalance(const Command&, FactoryCommandResult*) {
  if (int32_t status = XPM_SetSource(kMainWindow, prevSourceId); status != 0)
    return TraceFailure("XPM_SetSource", status);
  uint32_t record[OAM_FACTORY_RECORD_SIZE / 4] = {kClearFactoryScreens};
  Traced("OAM_CustomDispatchFactoryCommand", OAM_CustomDispatchFactoryCommand(record));
  return Outcome::Done;
}

Outcome ShowTestPattern(const Command& command, FactoryCommandResult*) {
  if (const TestPattern* row = RowOf(kTestPatterns, command.code))
    XPM_SetExtOemPathProperty(kMainWindow, kTestPatternProperty, row->pattern);
  return Outcome::Done;
}

Outcome ZapInput(const Command& command, FactoryCommandResult* result) {
  const InputZap* row = RowOf(kInputZaps, command.code);
  if (!row) return Outcome::Done;
  ZapToVideoExt(row->input);
  if (row->input == 0) return Outcome::Done;
  return Menu({"NonMenuSystem::ExternalInputDialog", row->input}, result);
}

Outcome SetPresetBacklight(const Command& command, FactoryCommandResult*) {
  const Backlight* row = RowOf(kBacklights, command.code);
  if (!row) return Outcome::Done;
  int32_t preset = 0;
  if (int32_t status = XPM_GetVideoPreset(kMainWindow, &preset); status != 0)
    return TraceFailure("XPM_GetVideoPreset", status);
  if (int32_t status = XPM_SetBacklight(preset == 0 ? row->presetZero : row->otherPresets); status != 0)
    return TraceFailure("XPM_SetBacklight", status);
  return Outcome::Done;
}

Outcome CycleLed(const Command&, FactoryCommandResult*) {
  const auto states = static_cast<int32_t>(std::size(kLedStates));
  Traced("OAM_Led_SetState", OAM_Led_SetState(kLedStates[((Send % states) + states) % states]));
  ++Send;
  return Outcome::Done;
}

Outcome ToggleSuperResolution(const Command&, FactoryCommandResult* result) {
  int32_t on = 0;
  if (int32_t status = XPM_GetSuperResolutionStatus(kMainWindow, &on); status != 0)
    return TraceFailure("XPM_GetSuperResolutionStatus", status);
  if (on == 0) {
    if (int32_t status = XPM_SetSuperResolutionStatus(kMainWindow, 1); status != 0)
      return TraceFailure("XPM_SetSuperResolutionStatus", status);
    if (int32_t status = XPM_SetSuperResolutionLevel(kMainWindow, kSuperResolutionLevel); status != 0)
      return TraceFailure("XPM_SetSuperResolutionLevel", status);
    return Message("FactorySystem::SmallMessage", "Keldrix+ :enable", result);
  }
  if (int32_t status = XPM_SetSuperResolutionStatus(kMainWindow, 0); status != 0)
    return TraceFailure("XPM_SetSuperResolutionStatus", status);
  return Message("FactorySystem::SmallMessage", "Keldrix+ :disable", result);
}

Outcome ToggleMotion(const Command&, FactoryCommandResult* result) {
  int32_t strength = 0;
  XPM_GetFrcVideoStrength(&strength);
  const int32_t next = strength == 0 ? 1 : 0;
  XPM_SetFrcMode(next == 1 ? kFrcModeOn : kFrcModeOff);
  XPM_SetFrcVideoStrength(next);
  return Menu({"MenuSystem::AdvancedPictureMenu", 9}, result);
}

Outcome ToggleDolbyDrc(const Command&, FactoryCommandResult* result) {
  int32_t on = 0;
  if (int32_t status = XPM_GetDolbyDRC(&on); status != 0) return TraceFailure("XPM_GetDolbyDRC", status);
  if (int32_t status = XPM_SetDolbyDRC(on == 0 ? 1 : 0); status != 0) return TraceFailure("XPM_SetDolbyDRC", status);
  return Menu({"MenuSystem::SoundMenu", 6}, result);
}

Outcome StepEqualiser(const Command&, FactoryCommandResult* result) {
  int32_t preset = 0;
  if (int32_t status = XPM_GetEqualizerPreset(&preset); status != 0)
    return TraceFailure("XPM_GetEqualizerPreset", status);
  int32_t next = 0;
  for (const EqualiserStep& step : kEqualiserSteps)
    if (step.from == preset) next = step.to;
  if (int32_t status = XPM_SetEqualizerPreset(next); status != 0)
    return TraceFailure("XPM_SetEqualizerPreset", status);
  return Menu({"MenuSystem::AdvancedSoundSettingsMenu", 1}, result);
}

Outcome ToggleSpdif(const Command&, FactoryCommandResult* result) {
  int32_t format = 0;
  if (int32_t status = XPM_GetSpdifFormat(&format); status != 0) return TraceFailure("XPM_GetSpdifFormat", status);
  if (int32_t status = XPM_SetSpdifFormat(format == 0 ? 1 : 0); status != 0)
    return TraceFailure("XPM_SetSpdifFormat", status);
  return Menu({"MenuSystem::AVConnectionMenu", 7}, result);
}

Outcome SetDecodeMode(const Command& command, FactoryCommandResult* result) {
  const DecodeMode* row = RowOf(kDecodeModes, command.code);
  if (!row) return Outcome::Done;
  int32_t mode = 0;
  if (int32_t status = XPM_GetPreferredAudioDecodeMode(&mode); status != 0)
    return TraceFailure("XPM_GetPreferredAudioDecodeMode", status);
  VgPrint("audio decode mode %d\n", int(mode));
  if (int32_t status = XPM_SetPreferredAudioDecodeMode(row->mode); status != 0)
    return TraceFailure("XPM_SetPreferredAudioDecodeMode", status);
  return Menu({"MenuSystem::SoundMenu", 0}, result);
}

Outcome SetArc(const Command& command, FactoryCommandResult* result) {
  const Arc* row = RowOf(kArcs, command.code);
  if (!row) return Outcome::Done;
  uint8_t port = 1;
  OAM_hdmiswitch_GetARCPort(&port);
  if (int32_t status = OAM_hdmiswitch_SetARC(port, row->on); status != 0)
    return TraceFailure("OAM_hdmiswitch_SetARC", status);
  return Message("FactorySystem::LargeMessage", row->on ? "ARC:enabled" : "ARC:disabled", result);
}

Outcome ToggleThreeD(const Command&, FactoryCommandResult*) {
  if (bIs3d == 0) {
    XPM_3DTV_SetMode(2);
    XPM_3DTV_SetOutput(1);
    bIs3d = 1;
  } else {
    XPM_3DTV_SetMode(1);
    XPM_3DTV_SetOutput(0);
    bIs3d = 0;
  }
  return Outcome::Done;
}

Outcome OpenPreferences(const Command&, FactoryCommandResult* result) {
  return Menu({"MenuSystem::PreferencesMenu", 0}, result);
}

Outcome LockParental(const Command&, FactoryCommandResult*) {
  Traced("XPM_SetUsChildRating", XPM_SetUsChildRating(1, XPM_US_CONTENT_ALL, 1, 1));
  Traced("XPM_SetUsAgeRating", XPM_SetUsAgeRating(3, XPM_US_CONTENT_S, 1, 1));
  Traced("XPM_SetUsMovieRating", XPM_SetUsMovieRating(2, 1, 1));
  uint8_t mask = 0;
  Traced("XPM_GetParentalLocksMask", XPM_GetParentalLocksMask(&mask));
  constexpr uint8_t kRatingLocks = 2;
  if ((mask & kRatingLocks) == 0)
    Traced("XPM_SetParentalLocksMask", XPM_SetParentalLocksMask(static_cast<uint8_t>(mask | kRatingLocks)));
  Traced("XPM_SetParentalLocksState", XPM_SetParentalLocksState(2));
  return Outcome::Done;
}

Outcome UnlockParental(const Command&, FactoryCommandResult*) {
  Traced("XPM_SetUsAgeRating", XPM_SetUsAgeRating(5, XPM_US_CONTENT_ALL, 0, 1));
  Traced("XPM_SetUsChildRating", XPM_SetUsChildRating(2, XPM_US_CONTENT_ALL, 0, 1));
  Traced("XPM_SetUnratedContent", XPM_SetUnratedContent(0));
  Traced("XPM_SetUsMovieRating", XPM_SetUsMovieRating(7, 0, 1));
  Traced("XPM_SetParentalLocksState", XPM_SetParentalLocksState(0));
  return Outcome::Done;
}

Outcome SetFactoryFlag(const Command& command, FactoryCommandResult*) {
  if (const FactoryProperty* row = RowOf(kFactoryFlags, command.code))
    Traced("OAM_SetCustomizedProperty", OAM_SetCustomizedProperty(kFactoryFlagProperty, row->value));
  return Outcome::Done;
}

void ResetPictureState() {
  prevSourceId = 0;
  Send = 0;
  bIs3d = 0;
}

}  // namespace FactoryCommands
