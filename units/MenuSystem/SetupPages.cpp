#include "MenuSystem/SetupPages.h"

#include "AppServices/MediaWrapper.h"
#include "AppServices/Wrapper.h"
#include "Media/MediaWrapper.h"
#include "MenuSystem/MenuItems.h"
#include "MenuSystem/MenuSystem.h"
#include "NonMenuSystem/ConfirmTypes.h"
#include "NonMenuSystem/PinTypes.h"
#include "OptionDatabase/OptionTypes.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "SubSystem/Open.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(MenuSystem, SetupMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, PreferencesMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, TVSettingsMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, LocalTimeMenu, ::MenuSystem::ThirdMenu)

namespace MenuSystem {

namespace {

using namespace Strings;
using OptionDatabase::Sid;
namespace O = OptionDatabase;
namespace S = SkinBin;

::SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }

constexpr const char* kConfirm = "NonMenuSystem::ConfirmMultiOptionDialog";
constexpr int32_t kDockDeactivation = 5;
constexpr int32_t kResetWidgets = 43;
// Handed to the auto input page, which does not read it.
constexpr int32_t kAutoInputValue = 37;

bool NotTuner(ThirdMenu&) { return !Model()->IsTunerSource(); }
bool NoParentalPin(ThirdMenu&) { return !Model()->IsPinExisting(); }
bool DockActive(ThirdMenu&) { return Model()->IsVuduDock(); }
bool NoMediaRenderer(ThirdMenu&) { return !MainApp::GetMediaWrapper()->IsDmrConfiged(); }
bool Without3D(ThirdMenu&) {
  const int32_t series = When::Series();
  return series != 2 && series != 3;
}
bool WithoutPowerLed(ThirdMenu&) { return When::Series() != 3; }
bool NotRF(ThirdMenu&) { return !Model()->IsRFSourceType(When::CurrentSourceType()); }
// The tuning mode is the aerial's: only on an RF input fed by the antenna.
bool NotAntennaRF(ThirdMenu& page) { return NotRF(page) || Model()->OnGetAntCableIn() != 0; }

// ------------------------------------------------------------------ set-up

enum SetupRow : int32_t { kLanguageRow = 1, kResetRow = 11 };
constexpr RowDef kSetupRows[] = {
    Item<SubMenuItemValueSelect>(Sid(SID_MENU_LANGUAGE), O::OPTION_TYPE_MENU_LANGUAGE)
        .Changed(PageSlot<&SetupMenu::UpdateMenuLanguage>),
    Item<SubMenuItemValueSelect>(Sid(SID_ANT_CABLE_IN_ROW), O::OPTION_TYPE_ANT_CABLE_IN),
    Item<SubMenuItem>(Sid(SID_AUTO_TUNING), NonMenuSystem::kPinTypeScan, "Channels::AutoTuningConfirmDialog").Pin(NonMenuSystem::kPinTypeScan),
    Item<SubMenuItem>(Sid(SID_MANUAL_TUNING), 0, "Channels::ManualTuningDialog"),
    Item<SubMenuItem>(Sid(SID_TV_SETTINGS), 0, "MenuSystem::TVSettingsMenu"),
    Item<SubMenuItem>(Sid(SID_CONFIRM_QUICK_SETUP), NonMenuSystem::ConfirmTypeQuickSetup, kConfirm),
    Item<SubMenuItemValueSelect>(Sid(SID_LOCATION), S::OPTION_TYPE_LOCATION),
    Item<SubMenuItem>(Sid(SID_CONFIRM_SOFTWARE_UPGRADE), 0, "Update::CheckingMessage"),
    Item<SubMenuItem>(Sid(SID_SOFTWARE_LICENCES), 0, "NonMenuSystem::SoftwareLicencesDialog"),
    Item<SubMenuItem>(Sid(SID_SYSTEM_INFORMATION), 0, "NonMenuSystem::SystemInfoDialog"),
    Item<SubMenuItem>(Sid(SID_RESET_TV), NonMenuSystem::ConfirmTypeTVReset, kConfirm),
};
constexpr RowRule kSetupDisabled[] = {{2, NotTuner},           {3, NotTuner},           {4, NotTuner},
                                      {6, NotTuner},           {8, When::NetAppActive}, {11, When::NetAppActive}};
constexpr PageTable kSetupMenu{.title = Sid(SID_SETUP_PAGE),
                               .back = nullptr,
                               .level = 3,
                               .rows = kSetupRows,
                               .winId = WinIDs::WIN_ID_SetupMenu,
                               .disabled = kSetupDisabled};

// ------------------------------------------------------------- preferences

constexpr RowDef kPreferencesRows[] = {
    Item<SubMenuItem>(Sid(SID_3D_SETUP), 0, "ThreeD::ThreeDMenu"),
    Item<SubMenuItem>(Sid(SID_HDMI_CEC_CONTROL_SETUP), 0, "MenuSystem::CECSetupMenu"),
    Item<SubMenuItem>(Sid(SID_NETWORK_SETUP), 0, "MenuSystem::NetworkSetupMenu"),
    Item<SubMenuItem>(Sid(SID_NETFLIX_SETUP), 0, "MenuSystem::NetflixSetupMenu"),
    Item<SubMenuItem>(Sid(SID_CONFIRM_DOCK_DEACTIVATION), kDockDeactivation, kConfirm),
    Item<SubMenuItem>(Sid(SID_CONFIRM_RESET_WIDGETS), kResetWidgets, kConfirm),
    Item<SubMenuItemValueSelect>(Sid(SID_TV_POWERON_CONTROL), S::OPTION_TYPE_TV_POWERON_CONTROL),
    Item<SubMenuItem>(Sid(MediaMenuRendererSetup), 0, "MediaPlayer::MediaRenderSetupMenu"),
    Item<SubMenuItem>(Sid(SID_WALLPAPER_SETUP), 0, "MediaPlayer::PhotoFrameSetup"),
    Item<SubMenuItem>(Sid(SID_CHANNEL_BROWSER_SETUP), 0, "MenuSystem::ChBrowserSetupMenu"),
    // Without a PIN the viewer sets one first; with one, the PIN opens the page.
    Item<SubMenuItem>(Sid(SID_PIN_SETTING), NonMenuSystem::kPinTypePinSetting, "NonMenuSystem::ChangePinDialog").Pin(NonMenuSystem::kPinTypePinSetting),
    Item<SubMenuItem>(Sid(SID_PARENTAL_CONTROL_AND_LOCKS), NonMenuSystem::kPinTypeParentalLocks, "NonMenuSystem::EnterPinDialog"),
    Item<SubMenuItem>(Sid(SID_DISPLAY_SETTINGS), 0, "MenuSystem::DisplaySettingsMenu"),
    Item<SubMenuItem>(Sid(SID_AV_CONNECTION), 0, "MenuSystem::AVConnectionMenu"),
    Item<SubMenuItem>(Sid(SID_AUTO_INPUT_ENABLE), kAutoInputValue, "MenuSystem::AutoInputMenu"),
    Item<SubMenuItemValueSelect>(Sid(SID_IR_CONTROL), S::OPTION_TYPE_IR_CONTROL),
    Item<SubMenuItem>(Sid(SID_ENERGY_SAVING_SETTINGS), 0, "MenuSystem::EnergySavingSettingsMenu"),
    Item<SubMenuItemValueSelect>(Sid(SID_HDMI_INFORMATION_DISPLAY_ROW), S::OPTION_TYPE_HDMI_INFORMATION_DISPLAY),
    Item<SubMenuItemValueSelect>(Sid(SID_POWER_LED_ROW), S::OPTION_TYPE_POWER_LED),
};
// The power-on control is the factory's.
constexpr uint8_t kPreferencesRemoved[] = {7};
constexpr RowRule kPreferencesRemovedWhen[] = {
    {1, Without3D}, {16, Without3D}, {19, WithoutPowerLed}, {8, NoMediaRenderer}};
constexpr RowRule kPreferencesDisabled[] = {
    {12, NoParentalPin}, {8, When::NetAppActive}, {9, When::NetAppActive}, {5, DockActive}};
constexpr PageTable kPreferencesMenu{.title = Sid(SID_PREFERENCES_PAGE),
                                     .back = nullptr,
                                     .level = 3,
                                     .rows = kPreferencesRows,
                                     .removed = kPreferencesRemoved,
                                     .winId = WinIDs::WIN_ID_PreferencesMenu,
                                     .removedWhen = kPreferencesRemovedWhen,
                                     .disabled = kPreferencesDisabled};

// ------------------------------------------------------ TV settings, time

constexpr RowDef kTVSettingsRows[] = {
    Item<SubMenuItem>(Sid(SID_CHANNEL_OPTIONS), 0, "Channels::ChannelOptionDialog"),
    Item<SubMenuItem>(Sid(SID_CLOSED_CAPTIONS_SETTINGS), 0, "MenuSystem::ClosedCaptionMenu"),
    Item<SubMenuItem>(Sid(SID_LOCAL_TIME_SETTING), 0, "MenuSystem::LocalTimeMenu"),
    Item<SubMenuItemValueSelect>(Sid(SID_CHANNEL_TUNING_MODE), S::OPTION_TYPE_CHANNEL_TUNING_MODE),
};
constexpr RowRule kTVSettingsDisabled[] = {
    {1, NotRF},
    {2, When::SourceIs<::Wrapper::kSourceTypeHdmi, ::Wrapper::kSourceTypeVga, ::Wrapper::kSourceTypeExternal,
                       ::Wrapper::kSourceTypeDvi>},
    {4, NotAntennaRF}};
constexpr PageTable kTVSettingsMenu{.title = Sid(SID_TV_SETTINGS),
                                    .back = "MenuSystem::SetupMenu",
                                    .level = 4,
                                    .rows = kTVSettingsRows,
                                    .winId = WinIDs::WIN_ID_TVSettingsMenu,
                                    .disabled = kTVSettingsDisabled};

constexpr RowDef kLocalTimeRows[] = {
    Item<SubMenuItemValueSelect>(Sid(SID_TIME_ZONE), O::OPTION_TYPE_TIME_ZONE),
    Item<SubMenuItemValueSelect>(Sid(SID_DAYLIGHT_SAVINGS), O::OPTION_TYPE_DAYLIGHT_SAVING_TIME),
};
constexpr PageTable kLocalTimeMenu{.title = Sid(SID_LOCAL_TIME_SETTING),
                                   .back = "MenuSystem::TVSettingsMenu",
                                   .level = 5,
                                   .rows = kLocalTimeRows,
                                   .winId = WinIDs::WIN_ID_LocalTimeMenu};

const PageListing kListed[] = {PageListing(kSetupMenu), PageListing(kPreferencesMenu), PageListing(kTVSettingsMenu),
                               PageListing(kLocalTimeMenu)};

}  // namespace

// ------------------------------------------------------------------ set-up

SetupMenu::SetupMenu() : ThirdMenu(kSetupMenu) {}

void SetupMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ThirdMenu::Initialize(parameter);
  // Either PIN guards the reset; the scan row asks only for the parental
  // one, through its PIN type.
  ::SkinBin::Wrapper* model = Model();
  if (model->IsPinExisting() || model->Is3DPinExisting())
    if (SubMenuItem* reset = Row(kResetRow)) reset->LeadTo(SubSystem::PinDialogClass, NonMenuSystem::kPinTypeReset);
}

void SetupMenu::ReInit() {
  ThirdMenu::ReInit();
  OnSetCaption(OptionDatabase::LoadText(table->title));
  for (int32_t n = 1; n <= static_cast<int32_t>(table->rows.size()); ++n)
    if (SubMenuItem* row = Row(n)) row->OnSetText(OptionDatabase::LoadText(table->rows[n - 1].caption));
}

void SetupMenu::UpdateMenuLanguage(XObject*) {
  LoadSettings();
  const VgString edit = VgGetVariantOfString(&SID_EDIT);
  const VgString enter = VgGetVariantOfString(&SID_ENTER);
  for (Core::View* view = firstView; view; view = view->nextView)
    if (auto* row = vg_cast<SubMenuItem>(view)) row->SetHelp(vg_cast<SubMenuItemValueSelect>(row) ? edit : enter, row->HelpMask);
  auto* focused = vg_cast<SubMenuItem>(Focus.get());
  auto* system = SystemOf(this);
  if (focused && system) system->UpdateHelp(focused->HelpMask, focused->HelpString);
}

// ------------------------------------------------------------- the others

PreferencesMenu::PreferencesMenu() : ThirdMenu(kPreferencesMenu) {}

TVSettingsMenu::TVSettingsMenu() : ThirdMenu(kTVSettingsMenu) {}

LocalTimeMenu::LocalTimeMenu() : ThirdMenu(kLocalTimeMenu) {}

}  // namespace MenuSystem
