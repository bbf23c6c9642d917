// The raw commands that the factory sub-system runs itself: discrete keys of
// 24 bits (a custom code 0x40BE or 0x40BF and a command byte) for mute,
// picture mode, picture size and input, a few keys of the remote, and the
// factory's own codes, which come from the command processor or straight
// from the middleware. Adding a raw command is adding a row.
#pragma once

#include <cstdint>
#include <iterator>

#include "Constants/Constants.h"
#include "Core/Keys.h"
#include "FactorySystem/FactoryCommands.h"
#include "Strings.h"
#include "vgobject.h"

namespace FactorySystem {

enum class RawAction : uint8_t {
  Mute,               // value: the Mute to set
  PictureMode,        // value: the picture mode
  PictureSize,        // value: the picture size; caption: the item's caption, if any
  Source,             // sourceType and value (the ordinal); no type: no source
  Key,                // value: the GUI key code pressed
  ResetAudioVideo,
  StatusCheck,
  AntCableToggle,     // the tuner's input swapped, the setup menu opened
  AntCableSet,        // value: the tuner's input to set
  ClearAll,
  AutoBrightnessToggle,
  DetectLightSensor,
  LocalDimming,       // the next of the three local dimming modes
  FactoryReset,
  LightSensorOff,
  EnterFactoryMode,
  EnterServiceMode,
  LeaveFactoryMode,
  LeaveServiceMode,
};

struct RawCommand {
  uint32_t code;
  RawAction action;
  int32_t value = 0;
  int32_t sourceType = Constants::XPM_SOURCE_TYPE_NONE;
  const VgConstant* caption = nullptr;
};

inline constexpr RawCommand kRawCommands[] = {
    {.code = 0x40BE80, .action = RawAction::Mute, .value = 2},
    {.code = 0x40BE81, .action = RawAction::Mute, .value = 0},
    {.code = 0x40BE82, .action = RawAction::Mute, .value = 1},
    {.code = 0x40BE50, .action = RawAction::PictureMode, .value = 0},
    {.code = 0x40BFCD, .action = RawAction::PictureMode, .value = 1},
    {.code = 0x40BFCE, .action = RawAction::PictureMode, .value = 2},
    {.code = 0x40BFCF, .action = RawAction::PictureMode, .value = 3},
    {.code = 0x40BE57, .action = RawAction::PictureMode, .value = 4},
    {.code = 0x40BE51, .action = RawAction::PictureMode, .value = 5},
    {.code = 0x40BE52, .action = RawAction::PictureMode, .value = 6},
    {.code = 0x40BE53, .action = RawAction::PictureMode, .value = 7},
    {.code = 0x40BFD1, .action = RawAction::PictureSize, .value = 0, .caption = &Strings::SID_NATIVE},
    {.code = 0x40BE55, .action = RawAction::PictureSize, .value = 0, .caption = &Strings::SID_NORMAL},
    {.code = 0x40BFCB, .action = RawAction::PictureSize, .value = 1},
    {.code = 0x40BFC1, .action = RawAction::PictureSize, .value = 2},
    {.code = 0x40BFC2, .action = RawAction::PictureSize, .value = 3},
    {.code = 0x40BFC3, .action = RawAction::PictureSize, .value = 4},
    {.code = 0x40BE54, .action = RawAction::PictureSize, .value = 5},
    {.code = 0x40BE56, .action = RawAction::PictureSize, .value = 7},
    {.code = 0x40BF20, .action = RawAction::Source, .value = 1, .sourceType = Constants::XPM_SOURCE_TYPE_AV_COMPOSITE},
    {.code = 0x40BF21, .action = RawAction::Source, .value = 2, .sourceType = Constants::XPM_SOURCE_TYPE_AV_COMPOSITE},
    {.code = 0x40BF22, .action = RawAction::Source, .value = 1, .sourceType = Constants::XPM_SOURCE_TYPE_AV_COMPONENT},
    {.code = 0x40BF23, .action = RawAction::Source, .value = 2, .sourceType = Constants::XPM_SOURCE_TYPE_AV_COMPONENT},
    {.code = 0x40BF24, .action = RawAction::Source, .value = 1, .sourceType = Constants::XPM_SOURCE_TYPE_AV_HDMI},
    {.code = 0x40BF25, .action = RawAction::Source, .value = 2, .sourceType = Constants::XPM_SOURCE_TYPE_AV_HDMI},
    {.code = 0x40BF39, .action = RawAction::Source, .value = 3, .sourceType = Constants::XPM_SOURCE_TYPE_AV_HDMI},
    {.code = 0x40BF3A, .action = RawAction::Source, .value = 4, .sourceType = Constants::XPM_SOURCE_TYPE_AV_HDMI},
    {.code = 0x40BF3B, .action = RawAction::Source, .value = 1, .sourceType = Constants::XPM_SOURCE_TYPE_AV_VGA},
    {.code = 0x40BF3C, .action = RawAction::Source},
    {.code = 0x40BF3D, .action = RawAction::Source, .value = 1, .sourceType = Constants::XPM_SOURCE_TYPE_RF_TUNER},
    {.code = 0x40BE43, .action = RawAction::Key, .value = Key::ThreeD},
    {.code = 0x40BF10EF, .action = RawAction::Key, .value = Key::Mute},
    {.code = 0x40BF13EC, .action = RawAction::Key, .value = Key::Code70},
    {.code = 0x40BF0CF3, .action = RawAction::ResetAudioVideo},
    {.code = 0x40BFAB54, .action = RawAction::StatusCheck},
    {.code = 0x40BFB649, .action = RawAction::AntCableToggle},
    {.code = 0x40EEEC13, .action = RawAction::AntCableSet, .value = 0},
    {.code = 0x40EEED12, .action = RawAction::AntCableSet, .value = 1},
    {.code = 0x40EA42BD, .action = RawAction::ClearAll},
    {.code = 0x40EE53AC, .action = RawAction::AutoBrightnessToggle},
    {.code = 0x40EE54AB, .action = RawAction::DetectLightSensor},
    {.code = 0x40EE9A65, .action = RawAction::LocalDimming},
    {.code = 0x40EE00FF, .action = RawAction::FactoryReset},
    {.code = 0xCFA90FFF, .action = RawAction::LightSensorOff},
    {.code = FactoryCommands::kEnterFactoryMode, .action = RawAction::EnterFactoryMode},
    {.code = FactoryCommands::kEnterServiceMode, .action = RawAction::EnterServiceMode},
    {.code = FactoryCommands::kLeaveFactoryMode, .action = RawAction::LeaveFactoryMode},
    {.code = FactoryCommands::kLeaveServiceMode, .action = RawAction::LeaveServiceMode},
};

constexpr const RawCommand* FindRawCommand(uint32_t code) {
  for (const RawCommand& row : kRawCommands)
    if (row.code == code) return &row;
  return nullptr;
}

// The screens of other units that the raw commands open, by class name.
inline constexpr const char* kMuteBar = "NonMenuSystem::CommonMuteBar";
inline constexpr const char* kPictureModeOverlay = "NonMenuSystem::ToggleOptionOverlay";
inline constexpr const char* kPictureSizeDialog = "NonMenuSystem::PictureSizeDialog";
inline constexpr const char* kSetupMenu = "MenuSystem::SetupMenu";
inline constexpr const char* kAutoBrightnessMenu = "MenuSystem::AutoBrightnessSensorMenu";
inline constexpr const char* kStatusCheck = "FactorySystem::StatusCheck";
inline constexpr const char* kRawCommandScreens[] = {kMuteBar,   kPictureModeOverlay, kPictureSizeDialog,
                                                      kSetupMenu, kAutoBrightnessMenu, kStatusCheck};

}  // namespace FactorySystem
