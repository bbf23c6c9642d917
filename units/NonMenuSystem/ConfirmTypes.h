// The confirmation types: one row per type, read by
// NonMenuSystem::ConfirmMultiOptionDialog. A row gives the caption, the
// question, the screens forward and back, and what Yes does. Adding a
// confirmation is adding a row.
#pragma once

#include <cstdint>

#include "Strings.h"
#include "vgobject.h"

namespace NonMenuSystem {

// The names the screens use for some of the types.
inline constexpr int32_t ConfirmTypeQuickSetup = 2;
inline constexpr int32_t ConfirmType3DContinue = 4;
inline constexpr int32_t ConfirmTypeUpgradeNoCancel = 6;
inline constexpr int32_t ConfirmTypeTVReset = 33;
inline constexpr int32_t ConfirmTypeDeletePin = 34;
inline constexpr int32_t ConfirmTypeDelete3DPin = 36;
inline constexpr int32_t ConfirmTypeUpgradeOffer = 49;
inline constexpr int32_t ConfirmTypeUpgradeLong = 50;
inline constexpr int32_t ConfirmTypeStartRecord = 55;
inline constexpr int32_t ConfirmTypeDeleteRecordedShow = 61;
inline constexpr int32_t ConfirmTypeDeleteScheduledRecord = 62;
inline constexpr int32_t ConfirmTypeDeleteEPGRecord = 66;
inline constexpr int32_t ConfirmTypeDeleteChannelLogo = 67;

// The kinds of item that MSG_DELETE_ITEM deletes.
inline constexpr int32_t DeleteKindMovieFile = 1;
inline constexpr int32_t DeleteKindRecordedShow = 2;
inline constexpr int32_t DeleteKindScheduledRecord = 3;
inline constexpr int32_t DeleteKindEPGRecord = 4;
inline constexpr int32_t DeleteKindChannelLogo = 5;

// What Yes does before the dialog moves on.
enum class ConfirmAction : uint8_t {
  None,
  // MSG_DELETE_ITEM with the argument as item kind, to the target class or
  // to every receiver.
  DeleteItem,
  // The factory reset of the whole set.
  FactoryReset,
  // The first-time setup starts again.
  RestartSetup,
  // The settings of the type's group go back to their factory values.
  ResetGroup,
  // The PIN of the argument's kind (a PinKind) is deleted.
  ClearPin,
  // The 3D wizard, through the 3D PIN when 3D is locked.
  Start3D,
  // Another confirmation, of the argument's type.
  OpenConfirm,
};

// A row names only what it has: no screens, no action.
struct ConfirmType {
  int32_t type = 0;
  const VgConstant* caption = nullptr;
  const VgConstant* question = nullptr;
  // The screen Yes leads to and the screen No returns to, by class name;
  // null for none. A back class given by the opener wins.
  const char* next = nullptr;
  const char* back = nullptr;
  ConfirmAction action = ConfirmAction::None;
  int32_t argument = 0;
  // The only class DeleteItem tells; null for every receiver.
  const char* target = nullptr;
  // No closes every screen instead of going back.
  bool noClearsAll = false;
  // Opens on a layer over the screen that asked, which stays open under it
  // to hear the answer.
  bool overScreen = false;
};

inline constexpr ConfirmType kConfirmTypes[] = {
    {.type = ConfirmTypeQuickSetup, .caption = &Strings::SID_CONFIRM_QUICK_SETUP,
     .question = &Strings::SID_CONFIRM_QUICK_SETUP_TEXT, .back = "MenuSystem::SetupMenu",
     .action = ConfirmAction::RestartSetup},
    {.type = 3, .caption = &Strings::SID_CONFIRM_STREAMING_DEACTIVATION,
     .question = &Strings::SID_CONFIRM_STREAMING_DEACTIVATION_TEXT, .back = "MenuSystem::NetflixSetupMenu",
     .action = ConfirmAction::ResetGroup},
    {.type = ConfirmType3DContinue, .caption = &Strings::SID_CONFIRM_3D_CONTINUE,
     .question = &Strings::SID_CONFIRM_3D_CONTINUE_TEXT, .action = ConfirmAction::Start3D, .noClearsAll = true},
    {.type = 5, .caption = &Strings::SID_CONFIRM_DOCK_DEACTIVATION,
     .question = &Strings::SID_CONFIRM_DOCK_DEACTIVATION_TEXT, .back = "MenuSystem::PreferencesMenu",
     .action = ConfirmAction::ResetGroup},
    {.type = ConfirmTypeUpgradeNoCancel, .caption = &Strings::SID_CONFIRM_SOFTWARE_UPGRADE,
     .question = &Strings::SID_CONFIRM_UPGRADE_NO_CANCEL_TEXT, .next = "Update::UpdatingDialog"},
    {.type = 17, .caption = &Strings::SID_CONFIRM_RESET_PICTURE, .question = &Strings::SID_CONFIRM_RESET_TEXT,
     .action = ConfirmAction::ResetGroup},
    {.type = 18, .caption = &Strings::SID_CONFIRM_RESET_ADVANCED_PICTURE,
     .question = &Strings::SID_CONFIRM_RESET_TEXT, .action = ConfirmAction::ResetGroup},
    {.type = 19, .caption = &Strings::SID_CONFIRM_RESET_EXPERT_PICTURE,
     .question = &Strings::SID_CONFIRM_RESET_TEXT, .action = ConfirmAction::ResetGroup},
    {.type = 21, .caption = &Strings::SID_CONFIRM_COPY_WHITE_BALANCE,
     .question = &Strings::SID_CONFIRM_COPY_WHITE_BALANCE_TEXT, .action = ConfirmAction::ResetGroup},
    {.type = 22, .caption = &Strings::SID_CONFIRM_RESET_BASE_COLOR, .question = &Strings::SID_CONFIRM_RESET_TEXT,
     .back = "MenuSystem::BaseColorAdjustmentMenu", .action = ConfirmAction::ResetGroup},
    {.type = ConfirmTypeTVReset, .caption = &Strings::SID_CONFIRM_TV_RESET,
     .question = &Strings::SID_CONFIRM_TV_RESET_TEXT, .back = "MenuSystem::SetupMenu",
     .action = ConfirmAction::FactoryReset},
    {.type = ConfirmTypeDeletePin, .caption = &Strings::SID_CONFIRM_DELETE_PIN,
     .question = &Strings::SID_CONFIRM_DELETE_PIN_TEXT, .back = "MenuSystem::PINSettingMenu",
     .action = ConfirmAction::ClearPin},
    {.type = ConfirmTypeDelete3DPin, .caption = &Strings::SID_CONFIRM_DELETE_3D_PIN,
     .question = &Strings::SID_CONFIRM_DELETE_3D_PIN_TEXT, .back = "ThreeD::ThreeDPinMenu",
     .action = ConfirmAction::ClearPin, .argument = 1},
    {.type = 37, .caption = &Strings::SID_CONFIRM_RESET_AUTO_INPUT, .question = &Strings::SID_CONFIRM_RESET_TEXT,
     .action = ConfirmAction::ResetGroup},
    {.type = 39, .caption = &Strings::SID_CONFIRM_RESET_CHANNEL_BROWSER,
     .question = &Strings::SID_CONFIRM_RESET_TEXT, .action = ConfirmAction::ResetGroup},
    {.type = 40, .caption = &Strings::SID_CONFIRM_RESET_CAPTION_STYLE, .question = &Strings::SID_CONFIRM_RESET_TEXT,
     .back = "MenuSystem::DigitalCCMenu", .action = ConfirmAction::ResetGroup},
    {.type = 41, .caption = &Strings::SID_CONFIRM_RESET_PICTURE_POSITION,
     .question = &Strings::SID_CONFIRM_RESET_TEXT, .action = ConfirmAction::ResetGroup},
    {.type = 42, .caption = &Strings::SID_CONFIRM_RESET_PC_SETTINGS, .question = &Strings::SID_CONFIRM_RESET_TEXT,
     .action = ConfirmAction::ResetGroup},
    {.type = 43, .caption = &Strings::SID_CONFIRM_RESET_WIDGETS,
     .question = &Strings::SID_CONFIRM_RESET_WIDGETS_TEXT, .back = "MenuSystem::PreferencesMenu",
     .action = ConfirmAction::ResetGroup},
    {.type = ConfirmTypeUpgradeOffer, .caption = &Strings::SID_CONFIRM_SOFTWARE_UPGRADE,
     .question = &Strings::SID_CONFIRM_UPGRADE_OFFER_TEXT, .next = "Update::CheckingMessage"},
    {.type = ConfirmTypeUpgradeLong, .caption = &Strings::SID_CONFIRM_SOFTWARE_UPGRADE,
     .question = &Strings::SID_CONFIRM_UPGRADE_LONG_TEXT, .action = ConfirmAction::OpenConfirm,
     .argument = ConfirmTypeUpgradeNoCancel},
    {.type = 51, .caption = &Strings::SID_CONFIRM_RESET_AUDIO, .question = &Strings::SID_CONFIRM_RESET_TEXT,
     .action = ConfirmAction::ResetGroup},
    {.type = 52, .caption = &Strings::SID_CONFIRM_RESET_CC, .question = &Strings::SID_CONFIRM_RESET_TEXT,
     .action = ConfirmAction::ResetGroup},
    {.type = 53, .caption = &Strings::SID_CONFIRM_RESET_LOCKS, .question = &Strings::SID_CONFIRM_RESET_TEXT,
     .action = ConfirmAction::ResetGroup},
    {.type = 54, .caption = &Strings::SID_CONFIRM_RESET_SCREEN_SAVER, .question = &Strings::SID_CONFIRM_RESET_TEXT,
     .action = ConfirmAction::ResetGroup},
    {.type = ConfirmTypeStartRecord, .caption = &Strings::SID_CONFIRM_START_RECORD,
     .question = &Strings::SID_CONFIRM_START_RECORD_TEXT, .back = "Record::RecordOptionsDialog"},
    {.type = 60, .caption = &Strings::SID_CONFIRM_RESET, .question = &Strings::SID_CONFIRM_RESET_TEXT,
     .action = ConfirmAction::ResetGroup},
    {.type = ConfirmTypeDeleteRecordedShow, .caption = &Strings::SID_CONFIRM_DELETE_RECORDED_SHOW,
     .question = &Strings::SID_CONFIRM_DELETE_RECORD_TEXT, .action = ConfirmAction::DeleteItem,
     .argument = DeleteKindRecordedShow, .overScreen = true},
    {.type = ConfirmTypeDeleteScheduledRecord, .caption = &Strings::SID_CONFIRM_DELETE_SCHEDULED_RECORD,
     .question = &Strings::SID_CONFIRM_DELETE_RECORD_TEXT, .action = ConfirmAction::DeleteItem,
     .argument = DeleteKindScheduledRecord, .target = "Record::ScheduledRecordDialog", .overScreen = true},
    {.type = ConfirmTypeDeleteEPGRecord, .caption = &Strings::SID_CONFIRM_DELETE_EPG_RECORD,
     .question = &Strings::SID_CONFIRM_DELETE_RECORD_TEXT, .action = ConfirmAction::DeleteItem,
     .argument = DeleteKindEPGRecord, .overScreen = true},
    {.type = ConfirmTypeDeleteChannelLogo, .caption = &Strings::SID_CONFIRM_DELETE_CHANNEL_LOGO,
     .question = &Strings::SID_CONFIRM_DELETE_CHANNEL_LOGO_TEXT, .action = ConfirmAction::DeleteItem,
     .argument = DeleteKindChannelLogo, .overScreen = true},
};

// The row of a type, or null.
constexpr const ConfirmType* FindConfirmType(int32_t type) {
  for (const ConfirmType& row : kConfirmTypes)
    if (row.type == type) return &row;
  return nullptr;
}

}  // namespace NonMenuSystem
