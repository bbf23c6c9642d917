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

struct ConfirmType {
  int32_t type;
  const VgConstant* caption;
  const VgConstant* question;
  // The screen Yes leads to and the screen No returns to, by class name;
  // null for none. A back class given by the opener wins.
  const char* next;
  const char* back;
  ConfirmAction action;
  int32_t argument;
  // The only class DeleteItem tells; null for every receiver.
  const char* target;
  // No closes every screen instead of going back.
  bool noClearsAll;
};

inline constexpr ConfirmType kConfirmTypes[] = {
    {2, &Strings::SID_CONFIRM_QUICK_SETUP, &Strings::SID_CONFIRM_QUICK_SETUP_TEXT, nullptr, "MenuSystem::SetupMenu",
     ConfirmAction::RestartSetup, 0, nullptr, false},
    {3, &Strings::SID_CONFIRM_STREAMING_DEACTIVATION, &Strings::SID_CONFIRM_STREAMING_DEACTIVATION_TEXT, nullptr,
     "MenuSystem::NetflixSetupMenu", ConfirmAction::ResetGroup, 0, nullptr, false},
    {4, &Strings::SID_CONFIRM_3D_CONTINUE, &Strings::SID_CONFIRM_3D_CONTINUE_TEXT, nullptr, nullptr,
     ConfirmAction::Start3D, 0, nullptr, true},
    {5, &Strings::SID_CONFIRM_DOCK_DEACTIVATION, &Strings::SID_CONFIRM_DOCK_DEACTIVATION_TEXT, nullptr,
     "MenuSystem::PreferencesMenu", ConfirmAction::ResetGroup, 0, nullptr, false},
    {6, &Strings::SID_CONFIRM_SOFTWARE_UPGRADE, &Strings::SID_CONFIRM_UPGRADE_NO_CANCEL_TEXT, "Update::UpdatingDialog",
     nullptr, ConfirmAction::None, 0, nullptr, false},
    {17, &Strings::SID_CONFIRM_RESET_PICTURE, &Strings::SID_CONFIRM_RESET_TEXT, nullptr, nullptr,
     ConfirmAction::ResetGroup, 0, nullptr, false},
    {18, &Strings::SID_CONFIRM_RESET_ADVANCED_PICTURE, &Strings::SID_CONFIRM_RESET_TEXT, nullptr, nullptr,
     ConfirmAction::ResetGroup, 0, nullptr, false},
    {19, &Strings::SID_CONFIRM_RESET_EXPERT_PICTURE, &Strings::SID_CONFIRM_RESET_TEXT, nullptr, nullptr,
     ConfirmAction::ResetGroup, 0, nullptr, false},
    {21, &Strings::SID_CONFIRM_COPY_WHITE_BALANCE, &Strings::SID_CONFIRM_COPY_WHITE_BALANCE_TEXT, nullptr, nullptr,
     ConfirmAction::ResetGroup, 0, nullptr, false},
    {22, &Strings::SID_CONFIRM_RESET_BASE_COLOR, &Strings::SID_CONFIRM_RESET_TEXT, nullptr,
     "MenuSystem::BaseColorAdjustmentMenu", ConfirmAction::ResetGroup, 0, nullptr, false},
    {33, &Strings::SID_CONFIRM_TV_RESET, &Strings::SID_CONFIRM_TV_RESET_TEXT, nullptr, "MenuSystem::SetupMenu",
     ConfirmAction::FactoryReset, 0, nullptr, false},
    {34, &Strings::SID_CONFIRM_DELETE_PIN, &Strings::SID_CONFIRM_DELETE_PIN_TEXT, nullptr,
     "MenuSystem::PINSettingMenu", ConfirmAction::ClearPin, 0, nullptr, false},
    {36, &Strings::SID_CONFIRM_DELETE_3D_PIN, &Strings::SID_CONFIRM_DELETE_3D_PIN_TEXT, nullptr,
     "ThreeD::ThreeDPinMenu", ConfirmAction::ClearPin, 1, nullptr, false},
    {37, &Strings::SID_CONFIRM_RESET_AUTO_INPUT, &Strings::SID_CONFIRM_RESET_TEXT, nullptr, nullptr,
     ConfirmAction::ResetGroup, 0, nullptr, false},
    {39, &Strings::SID_CONFIRM_RESET_CHANNEL_BROWSER, &Strings::SID_CONFIRM_RESET_TEXT, nullptr, nullptr,
     ConfirmAction::ResetGroup, 0, nullptr, false},
    {40, &Strings::SID_CONFIRM_RESET_CAPTION_STYLE, &Strings::SID_CONFIRM_RESET_TEXT, nullptr,
     "MenuSystem::DigitalCCMenu", ConfirmAction::ResetGroup, 0, nullptr, false},
    {41, &Strings::SID_CONFIRM_RESET_PICTURE_POSITION, &Strings::SID_CONFIRM_RESET_TEXT, nullptr, nullptr,
     ConfirmAction::ResetGroup, 0, nullptr, false},
    {42, &Strings::SID_CONFIRM_RESET_PC_SETTINGS, &Strings::SID_CONFIRM_RESET_TEXT, nullptr, nullptr,
     ConfirmAction::ResetGroup, 0, nullptr, false},
    {43, &Strings::SID_CONFIRM_RESET_WIDGETS, &Strings::SID_CONFIRM_RESET_WIDGETS_TEXT, nullptr,
     "MenuSystem::PreferencesMenu", ConfirmAction::ResetGroup, 0, nullptr, false},
    {49, &Strings::SID_CONFIRM_SOFTWARE_UPGRADE, &Strings::SID_CONFIRM_UPGRADE_OFFER_TEXT, "Update::CheckingMessage",
     nullptr, ConfirmAction::None, 0, nullptr, false},
    {50, &Strings::SID_CONFIRM_SOFTWARE_UPGRADE, &Strings::SID_CONFIRM_UPGRADE_LONG_TEXT, nullptr, nullptr,
     ConfirmAction::OpenConfirm, ConfirmTypeUpgradeNoCancel, nullptr, false},
    {51, &Strings::SID_CONFIRM_RESET_AUDIO, &Strings::SID_CONFIRM_RESET_TEXT, nullptr, nullptr,
     ConfirmAction::ResetGroup, 0, nullptr, false},
    {52, &Strings::SID_CONFIRM_RESET_CC, &Strings::SID_CONFIRM_RESET_TEXT, nullptr, nullptr,
     ConfirmAction::ResetGroup, 0, nullptr, false},
    {53, &Strings::SID_CONFIRM_RESET_LOCKS, &Strings::SID_CONFIRM_RESET_TEXT, nullptr, nullptr,
     ConfirmAction::ResetGroup, 0, nullptr, false},
    {54, &Strings::SID_CONFIRM_RESET_SCREEN_SAVER, &Strings::SID_CONFIRM_RESET_TEXT, nullptr, nullptr,
     ConfirmAction::ResetGroup, 0, nullptr, false},
    {55, &Strings::SID_CONFIRM_START_RECORD, &Strings::SID_CONFIRM_START_RECORD_TEXT, nullptr,
     "Record::RecordOptionsDialog", ConfirmAction::None, 0, nullptr, false},
    {60, &Strings::SID_CONFIRM_RESET, &Strings::SID_CONFIRM_RESET_TEXT, nullptr, nullptr, ConfirmAction::ResetGroup,
     0, nullptr, false},
    {61, &Strings::SID_CONFIRM_DELETE_RECORDED_SHOW, &Strings::SID_CONFIRM_DELETE_RECORD_TEXT, nullptr, nullptr,
     ConfirmAction::DeleteItem, DeleteKindRecordedShow, nullptr, false},
    {62, &Strings::SID_CONFIRM_DELETE_SCHEDULED_RECORD, &Strings::SID_CONFIRM_DELETE_RECORD_TEXT, nullptr, nullptr,
     ConfirmAction::DeleteItem, DeleteKindScheduledRecord, "Record::ScheduledRecordDialog", false},
    {66, &Strings::SID_CONFIRM_DELETE_EPG_RECORD, &Strings::SID_CONFIRM_DELETE_RECORD_TEXT, nullptr, nullptr,
     ConfirmAction::DeleteItem, DeleteKindEPGRecord, nullptr, false},
    {67, &Strings::SID_CONFIRM_DELETE_CHANNEL_LOGO, &Strings::SID_CONFIRM_DELETE_CHANNEL_LOGO_TEXT, nullptr, nullptr,
     ConfirmAction::DeleteItem, DeleteKindChannelLogo, nullptr, false},
};

// The row of a type, or null.
constexpr const ConfirmType* FindConfirmType(int32_t type) {
  for (const ConfirmType& row : kConfirmTypes)
    if (row.type == type) return &row;
  return nullptr;
}

}  // namespace NonMenuSystem
