// The television model's factory side: the factory and service modes, the
// model selection, the factory's readings of the set, its serial console, and
// the resets to the values the set left the factory with.
#include <cstdio>
#include <cstring>
#include <iterator>

#include "FactorySystem/FactoryCommands.h"
#include "FactorySystem/SerialConsole.h"
#include "SkinBin/FactoryValues.h"
#include "SkinBin/MiddlewareText.h"
#include "SkinBin/ModelInfo.h"
#include "SkinBin/Wrapper.h"
#include "Structures/Channels.h"
#include "oam.h"
#include "vgdebug.h"
#include "xpm.h"

namespace SkinBin {

namespace {

// The device property of each front-panel key whose held state the set
// reports.
struct HeldKey {
  int32_t keyCode;
  int32_t property;
};
constexpr HeldKey kHeldKeys[] = {
    {kHeldKeyInfo, XPM_OEM_KEY_HELD_INFO},
    {kHeldKeyServiceMode, XPM_OEM_KEY_HELD_VOLUME_DOWN},
    {kHeldKeyHiddenPage, XPM_OEM_KEY_HELD_CHANNEL_DOWN},
};

constexpr int32_t kLocalDimmingModes = 3;
constexpr int32_t kAdcInputs = 3;
// A console line holds this much text, then CR, LF and the end mark.
constexpr int32_t kConsoleLineText = 256;

// What a confirmation of the reset pages resets: groups of factory values,
// and what goes with them beyond those properties.
enum class ResetExtra : uint8_t {
  None,
  CaptionStyle,      // the digital captions' style
  ChannelLocks,      // every channel unlocked
  ScreenSaverColor,  // the colour pad's choice
  WhiteBalanceCopy,  // the white balance copied to every input instead
  Deactivation,      // an application's deactivation
};
struct GroupReset {
  int32_t confirmType;
  FactoryGroup groups[4];
  ResetExtra extra;
};
using G = FactoryGroup;
// The base colours count among the advanced picture settings.
constexpr GroupReset kGroupResets[] = {
    {3, {}, ResetExtra::Deactivation},  // the streaming service
    {5, {}, ResetExtra::Deactivation},  // the dock
    {17, {G::CommonPicture, G::AdvancedPicture, G::BaseColors, G::ExpertPicture}, ResetExtra::None},
    {18, {G::AdvancedPicture, G::BaseColors}, ResetExtra::None},
    {19, {G::ExpertPicture}, ResetExtra::None},
    {21, {}, ResetExtra::WhiteBalanceCopy},
    {22, {G::BaseColors}, ResetExtra::None},
    {37, {G::AutoInput}, ResetExtra::None},
    {39, {G::ChannelBrowser}, ResetExtra::None},
    {40, {}, ResetExtra::CaptionStyle},
    {41, {G::PicturePosition}, ResetExtra::None},
    {42, {G::PCSettings}, ResetExtra::None},
    {43, {}, ResetExtra::Deactivation},  // the TV widgets
    {51, {G::Audio}, ResetExtra::None},
    {52, {G::Captions}, ResetExtra::CaptionStyle},
    {53, {G::Locks}, ResetExtra::ChannelLocks},
    {54, {G::ScreenSaver}, ResetExtra::ScreenSaverColor},
    {60, {G::ScaleWindow}, ResetExtra::None},
};

// The factory's readings: a property that cannot be read counts as 0.
int32_t ReadDeviceProperty(int32_t id) {
  int32_t value = 0;
  if (int32_t status = XPM_GetExtOemProperty(id, &value); status != 0) {
    VgPrint("Wrapper: reading device property %d failed (error %d)\n", id, status);
    return 0;
  }
  return value;
}

void WriteDeviceProperty(int32_t id, int32_t value) {
  if (int32_t status = XPM_SetExtOemProperty(id, value); status != 0)
    VgPrint("Wrapper: setting device property %d to %d failed (error %d)\n", id, value, status);
}

bool IsMode(VgString mode, const char16_t* name) { return VgCompString(mode, const_cast<char16_t*>(name)) == 0; }

}  // namespace

// ---------------------------------------------------------------- the modes

// The root leaves every mode by setting no text.
void Wrapper::OnSetFactoryMode(VgString value) {
  const bool wasM = InFactoryMMode();
  const bool wasS = IsMode(FactoryMode, u"S");
  FactoryMode = value;
  const bool isM = InFactoryMMode();
  const bool isS = IsMode(FactoryMode, u"S");
  if (isM && !wasM) StopAutoPowerTimer();
  if (wasM && !isM) {
    StartAutoPowerTimer();
    FactoryExitMMode();
  }
  if (isS != wasS) WriteDeviceProperty(XPM_OEM_SERVICE_MODE, isS ? 1 : 0);
}

int32_t Wrapper::FactoryExitMMode() { return FactoryCommandExitMMode(); }

void Wrapper::OnSetTVModelId(int32_t id) {
  Write(Property::TVModelId, id);
  SetTVModelID(id);
}

int32_t Wrapper::SetTVModelID(int32_t id) { return ServiceSelectModel(FactoryCommands::ModelRow(id)); }

void Wrapper::OnSetFactoryLocalDimming(int32_t value) {
  if (value < 0 || value >= kLocalDimmingModes) {
    VgPrint("Wrapper: no local dimming mode %d\n", value);
    return;
  }
  factoryLocalDimming_ = value;
  if (int32_t status = OAM_Frc_SetLocalDimming(value != 0 ? 1 : 0); status != 0)
    VgPrint("Wrapper: switching local dimming %s failed (error %d)\n", value != 0 ? "on" : "off", status);
}

// ------------------------------------------------------ the factory's readings

bool Wrapper::GetKeyHeld(int32_t keyCode) {
  for (const HeldKey& key : kHeldKeys)
    if (key.keyCode == keyCode) return ReadDeviceProperty(key.property) == 1;
  return false;
}

// Nine 16-bit results can add up past 16 bits; the text keeps its four digits.
VgString Wrapper::GetFactoryTestStatus() {
  uint32_t sum = 0;
  for (int32_t id = XPM_OEM_TEST_RESULT_FIRST; id <= XPM_OEM_TEST_RESULT_LAST; ++id)
    sum += static_cast<uint32_t>(ReadDeviceProperty(id)) & 0xFFFFu;
  char text[16];
  std::snprintf(text, sizeof text, "0x%04xH", sum & 0xFFFFu);
  return VgNewStringAnsi(text);
}

int32_t Wrapper::GetTvmVersion() { return ReadDeviceProperty(XPM_OEM_TVM_VERSION) & 0xFF; }

int32_t Wrapper::GetADCCalibResult(int32_t input) {
  if (input < 0 || input >= kAdcInputs) {
    VgPrint("Wrapper: no ADC calibration of input %d\n", input);
    return 0;
  }
  int32_t result = 0;
  if (int32_t status = XPM_GetADCCalibrationResult(input, &result); status != 0) {
    VgPrint("Wrapper: reading the ADC calibration of input %d failed (error %d)\n", input, status);
    return 0;
  }
  return result;
}

int32_t Wrapper::GetLightSensor() {
  uint16_t reading = 0;
  if (int32_t status = OAM_light_sensor_Get(&reading); status != 0) {
    VgPrint("Wrapper: reading the light sensor failed (error %d)\n", status);
    return 0;
  }
  return reading;
}

ModelInfo* Wrapper::GetModelInfo() {
  auto* info = VgNew<ModelInfo>();
  OAM_ModelInfo record{};
  if (int32_t status = OAM_GetModelInfo(&record); status != 0) {
    VgPrint("Wrapper: reading the model information failed (error %d)\n", status);
    return info;
  }
  info->Number = record.number;
  info->ModelName = BufferText(record.modelName);
  info->PanelName = BufferText(record.panelName);
  info->ModelId = record.modelId & 0xFF;
  info->Description = BufferText(record.description);
  return info;
}

VgString Wrapper::Get3DE2PROMVersion() {
  int32_t major = 0;
  int32_t minor = 0;
  int32_t revision = 0;
  if (int32_t status = XPM_3DTV_GetE2PROMVersion(&major, &minor, &revision); status != 0) {
    VgPrint("Wrapper: reading the 3D EEPROM version failed (error %d)\n", status);
    return nullptr;
  }
  char text[40];
  std::snprintf(text, sizeof text, "%d %d %d", major, minor, revision);
  return VgNewStringAnsi(text);
}

bool Wrapper::OpenUART(bool open) {
  const int32_t status = open ? XPM_OpenUART() : XPM_CloseUART();
  if (status != 0) VgPrint("Wrapper: %s the serial console failed (error %d)\n", open ? "opening" : "closing", status);
  return status == 0;
}

int32_t Wrapper::PrintVgString(VgString text) {
  char line[kConsoleLineText + sizeof "\r\n"];
  const int32_t length = VgStringToAnsi(text, line, kConsoleLineText + 1, '?') - 1;
  std::memcpy(line + length, "\r\n", sizeof "\r\n");
  return XPM_PrintStringUART(line);
}

// ---------------------------------------------------------------- the resets

void Wrapper::ApplyFactoryGroup(FactoryGroup group, int32_t pictureMode) {
  // Only what differs is written: the settings store and the picture are
  // left alone where nothing changes.
  for (const FactoryValue& row : FactoryValues(group, pictureMode))
    if ((this->*row.get)() != row.value) (this->*row.set)(row.value);
  ClearOptionChange(group, pictureMode);
}

void Wrapper::ResetAudioVideoSettings() {
  WriteStoreOnce([this](::PersistentData::PersistentData*) {
    OnSetVideoPreset(kFactoryPictureMode);
    for (FactoryGroup group : {G::CommonPicture, G::AdvancedPicture, G::BaseColors, G::ExpertPicture, G::Audio})
      ApplyFactoryGroup(group, kFactoryPictureMode);
  });
}

void Wrapper::ResetGroup(int32_t type) {
  const GroupReset* reset = nullptr;
  for (const GroupReset& row : kGroupResets)
    if (row.confirmType == type) reset = &row;
  if (!reset) {
    VgPrint("Wrapper: confirmation %d resets no settings\n", type);
    return;
  }
  if (reset->extra == ResetExtra::Deactivation) {
    VgPrint("Wrapper: deactivation of confirmation %d requested; the set has no such application\n", type);
    return;
  }
  if (reset->extra == ResetExtra::WhiteBalanceCopy) {
    if (int32_t status = XPM_CopyWhiteBalanceToAllSources(); status != 0)
      VgPrint("Wrapper: copying the white balance to every input failed (error %d)\n", status);
    return;
  }
  const int32_t pictureMode = OnGetVideoPreset();
  WriteStoreOnce([&](::PersistentData::PersistentData* store) {
    for (FactoryGroup group : reset->groups) {
      if (group == G::CommonPicture && FactoryValues(group, pictureMode).empty())
        VgPrint("Wrapper: picture mode %d has no factory values\n", pictureMode);
      ApplyFactoryGroup(group, pictureMode);
    }
    if (reset->extra == ResetExtra::CaptionStyle) ResetAdvanceCaptionProperty();
    if (reset->extra == ResetExtra::ChannelLocks) {
      auto* every = VgNew<::Structures::VirtualChannel>();
      every->Major = -1;
      every->Minor = -1;
      SetChannelLock(every, false);
    }
    if (reset->extra == ResetExtra::ScreenSaverColor && store)
      store->PutString(VgNewStringAnsi("ScreenSaverColor"), VgNewStringAnsi(kFactoryScreenSaverColor));
  });
}

}  // namespace SkinBin
