#include "MenuSystem/RecordPages.h"

#include "AppServices/MediaWrapper.h"
#include "AppServices/Messages.h"
#include "AppServices/Wrapper.h"
#include "Constants/Constants.h"
#include "MenuSystem/BrcmMainMenu.h"
#include "MenuSystem/MenuSystem.h"
#include "NonMenuSystem/DirectMessages.h"
#include "NonMenuSystem/WidgetClass.h"
#include "OptionDatabase/OptionTypes.h"
#include "Record/RecordTimerDialog.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "SubSystem/Open.h"

VG_DEFINE_CLASS(MenuSystem, BrcmRecordMenu, ::MenuSystem::BrcmSubMenu)
VG_DEFINE_CLASS(MenuSystem, BrcmScheduleRecordMenu, ::MenuSystem::BrcmSubMenu)
VG_DEFINE_CLASS(MenuSystem, BrcmMediaMenu, ::MenuSystem::BrcmSubMenu)
VG_DEFINE_CLASS(MenuSystem, BrcmNetworkingMenu, ::MenuSystem::BrcmSubMenu)
VG_DEFINE_CLASS(MenuSystem, BrcmWirelessSetup, ::MenuSystem::BrcmSubMenu)
VG_DEFINE_CLASS(MenuSystem, BrcmWPSPinMenu, ::MenuSystem::BrcmSubMenu)

namespace MenuSystem {

namespace {

using namespace Strings;
using OptionDatabase::Fixed;
using OptionDatabase::Sid;
namespace O = OptionDatabase;
namespace S = SkinBin;

constexpr const char* kGuide = "Channels::FullEPGDialog";
constexpr const char* kTimerEditor = "Record::RecordTimerDialog";
constexpr const char* kMessageBar = "NonMenuSystem::DirectMessageBar";
constexpr const char* kDiskError = "Record::USBDiskErrorDialog";
constexpr const char* kDeviceSelect = "MediaPlayer::MediaDeviceSelectDialog";
constexpr const char* kScan = "Network::WirelessScanDialog";

// "Manual Schedule" opens the timer editor for a new timer (1).
constexpr int32_t kNewTimer = 1;
constexpr int32_t kFormatPinType = 12;

// Rows numbered as the Record page's table numbers them.
enum RecordRow : int32_t {
  kProgramGuide = 1,
  kManualSchedule,
  kUpcoming,
  kHistory,
  kDiskStatus,
  kSpeedCheck,
  kDiskFormat,
  kRecordAll1,
  kRecordAll2,
  kTimeshiftDuration,
  kTimeshiftStatus,
};

constexpr RowDef kRecordRows[] = {
    {Fixed("Program Guide"), RowKind::Dialog, 0, kGuide},
    {Fixed("Manual Schedule"), RowKind::Dialog, kNewTimer, kTimerEditor},
    {Fixed("Upcoming Recordings"), RowKind::Dialog, 0, "Record::ScheduledRecordDialog"},
    {Fixed("Recording History"), RowKind::Dialog, 0, "Record::RecordedShowsDialog"},
    {Sid(RecordMenuUSBDiskStatus), RowKind::Dialog, 0, "Record::USBDiskStatusDialog"},
    {Fixed("USB Speed Check"), RowKind::Dialog, 0, "Record::USBSpeedCheckDialog"},
    {Fixed("USB Disk Format"), RowKind::Dialog, 0, "Record::USBDiskFormatDialog", kFormatPinType},
    {Fixed("Record All Tuner1"), RowKind::Value, S::OPTION_TYPE_TUNER1_RECORD_ALL},
    {Fixed("Record All Tuner2"), RowKind::Value, S::OPTION_TYPE_TUNER2_RECORD_ALL},
    {Sid(RecordMenuTimeshiftDuration), RowKind::Value, S::OPTION_TYPE_TIMESHIFT_DURATION},
    {Sid(RecordMenuTimeshiftStatus), RowKind::Dialog, 0, "Record::TimeshiftStatusDialog"},
};
constexpr PageTable kRecordMenu{.title = Sid(MainMenuRecord), .rows = kRecordRows};

constexpr RowDef kScheduleRecordRows[] = {
    {Fixed("Program Guide"), RowKind::Dialog, 0, kGuide},
    {Fixed("Manual Schedule"), RowKind::Dialog, kNewTimer, kTimerEditor},
};
constexpr PageTable kScheduleRecordMenu{.title = Fixed("Record - Schedule Recordings"),
                                        .back = "MenuSystem::BrcmRecordMenu",
                                        .level = 3,
                                        .rows = kScheduleRecordRows};

constexpr int32_t kRendererRow = 5;
constexpr RowDef kMediaRows[] = {
    {Fixed("Recordings"), RowKind::Dialog, 4, kDeviceSelect},
    {Sid(SID_VIDEO), RowKind::Dialog, 3, kDeviceSelect},
    {Sid(MediaMenuPhoto), RowKind::Dialog, 2, kDeviceSelect},
    {Sid(MediaMenuMusic), RowKind::Dialog, 1, kDeviceSelect},
    {Sid(MediaMenuRendererSetup), RowKind::Dialog, 0, "MediaPlayer::MediaRenderSetupMenu"},
    {Fixed("Forward Skip Time"), RowKind::Value, S::OPTION_TYPE_FORWARD_SKIP_TIME},
    {Fixed("Backward Skip Time"), RowKind::Value, S::OPTION_TYPE_BACKWARD_SKIP_TIME},
    {Fixed("USB Pop up Message"), RowKind::Value, S::OPTION_TYPE_POP_MESSAGE},
};
constexpr PageTable kMediaMenu{.title = Sid(MainMenuMediaPlayer), .rows = kMediaRows};

constexpr int32_t kWirelessRow = 2;
constexpr RowDef kNetworkingRows[] = {
    {Sid(SID_NETWORK_TYPE), RowKind::Value, O::OPTION_TYPE_NETWORK_TYPE},
    {Sid(SID_WIRELESS_SETUP), RowKind::Page, 0, "MenuSystem::BrcmWirelessSetup"},
    {Sid(SID_NETWORK_SETUP), RowKind::Dialog, 0, "Network::NetworkSetupDialog"},
    {Sid(NetworkingMenuTestConnection), RowKind::Dialog, 0, "Network::ConnectionTestDialog"},
    {Sid(SID_CONFIRM_SOFTWARE_UPGRADE), RowKind::Dialog, 0, "Update::CheckingMessage"},
};
// The software upgrade is not offered from this page.
constexpr uint8_t kNetworkingRemoved[] = {5};
constexpr PageTable kNetworkingMenu{.title = Sid(SID_SETTINGS),
                                    .subtitle = Sid(SettingsMenuNetworking),
                                    .back = "MenuSystem::BrcmSettingsMenu",
                                    .level = 3,
                                    .rows = kNetworkingRows,
                                    .removed = kNetworkingRemoved};

constexpr RowDef kWirelessRows[] = {
    {Sid(WirelessMenuScanForAccessPoints), RowKind::Dialog, 0, kScan},
    {Sid(WirelessMenuWirelessAdvance), RowKind::Dialog, 0, "Network::WirelessAdvancedDialog"},
    {Sid(WirelessMenuWPSPushButton), RowKind::Dialog, 0, "Network::WPSPBCDialog"},
    {Sid(WirelessMenuWPSPin), RowKind::Page, 0, "MenuSystem::BrcmWPSPinMenu"},
};
constexpr PageTable kWirelessSetup{.title = Sid(SID_SETTINGS),
                                   .subtitle = Sid(SID_WIRELESS_SETUP),
                                   .back = "MenuSystem::BrcmNetworkingMenu",
                                   .level = 4,
                                   .rows = kWirelessRows};

constexpr RowDef kWPSPinRows[] = {
    {Fixed("PIN Mode"), RowKind::Value, O::OPTION_TYPE_WPS_PIN_MODE},
    {Sid(SID_START_SCAN), RowKind::Dialog, 1, kScan},
};
constexpr PageTable kWPSPinMenu{.title = Sid(SID_WIRELESS_SETUP),
                                .subtitle = Sid(WPSPinMenuTitle),
                                .back = "MenuSystem::BrcmWirelessSetup",
                                .level = 5,
                                .rows = kWPSPinRows};

const PageListing kListed[] = {PageListing(kRecordMenu),     PageListing(kScheduleRecordMenu),
                               PageListing(kMediaMenu),      PageListing(kNetworkingMenu),
                               PageListing(kWirelessSetup), PageListing(kWPSPinMenu)};

// "Manual Schedule": a free timer opens the editor on it; with none the
// viewer is told so. The menu hides either way.
void OpenManualSchedule(BrcmSubMenu* page, BrcmSubMenuItem* row) {
  const bool free = MainApp::GetWrapper()->GetFirstAvailableTimerId() >= 0;
  row->Retarget(free ? kTimerEditor : kMessageBar);
  auto* system = SystemOf(page);
  if (!system) return;
  MainApp::SendMessage(Constants::MSG_CHANGE_APPEARANCE, &BrcmMainMenu::Class, Constants::APPEARANCE_HIDE);
  page->OnSetVisible(false);
  Primitives::KeyRoutingForm* opened =
      SubSystem::Open(system, row->Target,
                      {.back = page->GetClass(),
                       .value = free ? row->OptionType : NonMenuSystem::DirectMsgTypeInvalidTimerId,
                       .origin = Constants::MSG_FROM_MENUSYSTEM});
  if (auto* editor = vg_cast<Record::RecordTimerDialog>(opened)) {
    editor->OnSetIsUpdate(false);
    editor->ApplySourceType();
  } else if (auto* bar = vg_cast<NonMenuSystem::WidgetClass>(opened)) {
    bar->OnSetIsShortcut(true);
  }
}

bool IsManualSchedule(XObject* sender) {
  auto* row = vg_cast<BrcmSubMenuItem>(sender);
  return row && row->Tag == kManualSchedule;
}

}  // namespace

// ------------------------------------------------------------------- Record

BrcmRecordMenu::BrcmRecordMenu() : BrcmSubMenu(kRecordMenu) { NeedAdjustCurrentItemIndex = true; }

void BrcmRecordMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ::SkinBin::Wrapper* model = MainApp::GetWrapper();
  RemoveRow(kRecordAll1);
  RemoveRow(kRecordAll2);
  CurrentItemIndex = StoredItemIndex();
  bool paused = false;
  if (!model->IsRFSourceType(model->GetSourceType(model->GetCurrentSource(0))))
    RemoveRow(kProgramGuide);
  else
    paused = model->GetLiveTVState(model->GetCurrentTunerId()) == Constants::XPM_TV_STATE_PAUSE_LIVE_TV;
  const bool recording = model->GetLiveTVState(0) == Constants::XPM_TV_STATE_RECORDING_LIVE_TV ||
                         model->GetLiveTVState(1) == Constants::XPM_TV_STATE_RECORDING_LIVE_TV;
  if (paused) {
    RemoveRow(kTimeshiftDuration);
  } else {
    RemoveRow(kTimeshiftStatus);
  }
  // The disk is busy while live TV is paused or a recording runs.
  if (paused || recording) {
    RemoveRow(kSpeedCheck);
    RemoveRow(kDiskFormat);
  }
  if (CurrentItemIndex > ItemsNum) CurrentItemIndex = 1;
  BrcmSubMenu::Initialize(parameter);
  if (!model->IsUSBDiskMounted()) {
    for (int32_t n : {kDiskStatus, kSpeedCheck, kDiskFormat})
      if (BrcmSubMenuItem* row = Row(n)) row->Retarget(kDiskError);
  }
  ApplyCurrentItemIndex();
}

void BrcmRecordMenu::DoActivate(XObject* sender) {
  if (IsManualSchedule(sender))
    OpenManualSchedule(this, vg_cast<BrcmSubMenuItem>(sender));
  else
    BrcmSubMenu::DoActivate(sender);
}

BrcmScheduleRecordMenu::BrcmScheduleRecordMenu() : BrcmSubMenu(kScheduleRecordMenu) {}

void BrcmScheduleRecordMenu::DoActivate(XObject* sender) {
  if (IsManualSchedule(sender))
    OpenManualSchedule(this, vg_cast<BrcmSubMenuItem>(sender));
  else
    BrcmSubMenu::DoActivate(sender);
}

// -------------------------------------------------------------------- Media

BrcmMediaMenu::BrcmMediaMenu() : BrcmSubMenu(kMediaMenu) { NeedAdjustCurrentItemIndex = true; }

void BrcmMediaMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  CurrentItemIndex = StoredItemIndex();
  if (!MainApp::GetMediaWrapper()->IsDmrConfiged()) {
    RemoveRow(kRendererRow);
    if (CurrentItemIndex > ItemsNum) CurrentItemIndex = 1;
  }
  BrcmSubMenu::Initialize(parameter);
  if (MenuSystem::NetAppActive())
    if (BrcmSubMenuItem* row = Row(kRendererRow)) row->OnSetIsDisabled(true);
  ApplyCurrentItemIndex();
}

// --------------------------------------------------------------- Networking

BrcmNetworkingMenu::BrcmNetworkingMenu() : BrcmSubMenu(kNetworkingMenu) {}

void BrcmNetworkingMenu::LoadSettings() {
  BrcmSubMenu::LoadSettings();
  BrcmSubMenuItem* wireless = Row(kWirelessRow);
  if (!wireless) return;
  const bool shown = MainApp::GetWrapper()->OnGetNetworkType() != 0;
  wireless->OnSetIsDisabled(!shown);
  wireless->OnSetEnabled(shown);
  // The rows the carousel shows are the first ItemsNum controls: a hidden
  // row goes behind them.
  if (shown) {
    ItemsNum = 4;
    for (int32_t n = 3; n <= 4; ++n)
      if (BrcmSubMenuItem* row = Row(n)) RestackTop(row);
  } else {
    ItemsNum = 3;
    RestackTop(wireless);
  }
  // Runs after the page is laid out: the carousel closes the gap, or makes
  // room, at once.
  carousel.Prepare();
  CurrentItemIndex = carousel.ValidIndex(CurrentItemIndex);
  carousel.Place();
}

BrcmWirelessSetup::BrcmWirelessSetup() : BrcmSubMenu(kWirelessSetup) {}

BrcmWPSPinMenu::BrcmWPSPinMenu() : BrcmSubMenu(kWPSPinMenu) {}

}  // namespace MenuSystem
