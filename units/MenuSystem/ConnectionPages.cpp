#include "MenuSystem/ConnectionPages.h"

#include "AppServices/Wrapper.h"
#include "MenuSystem/MenuItems.h"
#include "OptionDatabase/OptionTypes.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "Views/Text.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(MenuSystem, AVConnectionMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, HDMISettingsMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, HDMIInputModeMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, CECSetupMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, ChBrowserSetupMenu, ::MenuSystem::ThirdMenu)

namespace MenuSystem {

namespace {

using namespace Strings;
using OptionDatabase::Sid;
namespace O = OptionDatabase;
namespace S = SkinBin;

::SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }

// The front-panel key that opens the input-mode page while kHeldKeyHiddenPage is held.
constexpr uint16_t kInputModeKey = ::Key::Right;
constexpr int32_t kResetChannelBrowser = 39;
constexpr int32_t kResetWidth = 140;
constexpr int32_t kBrowserPageHeight = 258;
constexpr int32_t kBrowserRowInterval = 3;

// ----------------------------------------------------------- AV connection

constexpr RowDef kAVRows[] = {
    Item<SubMenuItem>(Sid(SID_INPUT_LABELING), 0, "NonMenuSystem::InputLabelingDialog"),
    Item<SubMenuItemValueSelect>(Sid(SID_SIDE_SHARED_AUDIO), S::OPTION_TYPE_SIDE_AUDIO),
    Item<SubMenuItemValueSelect>(Sid(SID_REAR_SHARED_AUDIO), S::OPTION_TYPE_REAR_AUDIO),
    Item<SubMenuItemValueSelect>(Sid(SID_SHARED_PC_INPUT), S::OPTION_TYPE_PC_INPUT),
    Item<SubMenuItemValueSelect>(Sid(SID_VIDEO1_HD1_AUDIO), S::OPTION_TYPE_VIDEO1_HD1_AUDIO),
    Item<SubMenuItemValueSelect>(Sid(SID_PC_HDMI3_AUDIO), S::OPTION_TYPE_PC_HDMI3_AUDIO),
    Item<SubMenuItem>(Sid(SID_HDMI_SETTINGS), 0, "MenuSystem::HDMISettingsMenu"),
    Item<SubMenuItemValueSelect>(Sid(SID_DIGITAL_OUTPUT), S::OPTION_TYPE_DIGITAL_OUTPUT),
};
// The shared inputs of series 1 to 3, the audio pairs of series 0.
constexpr RowRule kAVRemovedWhen[] = {{2, When::SeriesIs<0>},    {3, When::SeriesIs<0>},
                                      {4, When::SeriesIs<0>},    {5, When::SeriesIs<1, 2, 3>},
                                      {6, When::SeriesIs<1, 2, 3>}};
bool NoHdmiSource(ThirdMenu& page) {
  return !When::SourceIs<::Wrapper::kSourceTypeHdmi, ::Wrapper::kSourceTypeDvi>(page);
}
constexpr RowRule kAVDisabled[] = {{7, NoHdmiSource}};
constexpr PageTable kAVMenu{.title = Sid(SID_AV_CONNECTION),
                            .back = "MenuSystem::PreferencesMenu",
                            .level = 4,
                            .rows = kAVRows,
                            .winId = WinIDs::WIN_ID_AVConnectionMenu,
                            .removedWhen = kAVRemovedWhen,
                            .disabled = kAVDisabled};

// ------------------------------------------------------------------- HDMI

constexpr RowDef kHdmiRows[] = {
    Item<SubMenuItemValueSelect>(Sid(SID_SWIFTOR), S::OPTION_TYPE_SWIFTOR),
    Item<SubMenuItemValueSelect>(Sid(SID_RGB_RANGE), S::OPTION_TYPE_RGB_RANGE),
};
constexpr PageTable kHdmiMenu{.title = Sid(SID_HDMI_SETTINGS),
                              .back = "MenuSystem::AVConnectionMenu",
                              .level = 5,
                              .rows = kHdmiRows,
                              .winId = WinIDs::WIN_ID_HDMISettingsMenu};

constexpr RowDef kInputModeRows[] = {
    Item<SubMenuItemValueSelect>(Sid(SID_HDMI_INPUT_MODE), S::OPTION_TYPE_HDMI_INPUT_MODE),
};
constexpr PageTable kInputModeMenu{.title = Sid(SID_HDMI_INPUT_MODE),
                                   .back = "MenuSystem::HDMISettingsMenu",
                                   .level = 6,
                                   .rows = kInputModeRows,
                                   .winId = WinIDs::WIN_ID_HDMIInputModeMenu};

// --------------------------------------------------------------- HDMI-CEC

constexpr RowDef kCecRows[] = {
    Item<SubMenuItemValueSelect>(Sid(SID_ENABLE_HDMI_CEC_CONTROL), O::OPTION_TYPE_ENABLE_CEC)
        .Changed(PageSlot<&CECSetupMenu::RefreshGrayout>),
    Item<SubMenuItemValueSelect>(Sid(SID_TV_AUTO_POWER), O::OPTION_TYPE_TV_AUTO_POWER),
    Item<SubMenuItemValueSelect>(Sid(SID_AUTO_STANDBY), O::OPTION_TYPE_AUTO_STANDBY),
    Item<SubMenuItemValueSelect>(Sid(SID_AMPLIFIER_CONTROL), O::OPTION_TYPE_AMPLIFIER_CONTROL)
        .Changed(PageSlot<&CECSetupMenu::RefreshSpeaker>),
    Item<SubMenuItemValueSelect>(Sid(SID_SPEAKER_PREFERENCE), O::OPTION_TYPE_SPEAKER_PREFERENCE),
};
enum CecRow : int32_t { kCecEnable = 1, kAutoPower, kAutoStandby, kAmplifier, kSpeaker };
constexpr PageTable kCecMenu{.title = Sid(SID_HDMI_CEC_CONTROL_SETUP),
                             .back = "MenuSystem::PreferencesMenu",
                             .level = 4,
                             .rows = kCecRows,
                             .winId = WinIDs::WIN_ID_CECSetupMenu};

// -------------------------------------------------------- channel browser

constexpr RowDef kBrowserRows[] = {
    Item<SubMenuItemValueSelect>(Sid(SID_NAVIGATION), S::OPTION_TYPE_NAVIGATION),
    Item<SubMenuItemValueSelect>(Sid(SID_HISTORY_LIST), S::OPTION_TYPE_HISTORY_LIST),
    Item<SubMenuItemValueSelect>(Sid(SID_ANT_CABLE_LIST_SHORT), S::OPTION_TYPE_ANT_CABLE_LIST),
    Item<SubMenuItemValueSelect>(Sid(SID_INPUTS_LIST), S::OPTION_TYPE_INPUTS_LIST),
    Item<SubMenuItemValueSelect>(Sid(SID_FAVORITES_LIST), S::OPTION_TYPE_FAVORITES_LIST),
    Item<SubMenuItemValueSelect>(Sid(SID_HDMI_CEC_LIST), S::OPTION_TYPE_NOVIQ_LINK_LIST),
    Item<SubMenuItem>(Sid(SID_RESET), kResetChannelBrowser, "NonMenuSystem::ConfirmMultiOptionDialog"),
};
enum BrowserRow : int32_t { kCecList = 6, kBrowserReset = 7 };
bool CecOff(ThirdMenu&) { return Model()->OnGetEnableNOVIQ() == 0; }
constexpr RowRule kBrowserDisabled[] = {{kCecList, CecOff}};
constexpr PageTable kBrowserMenu{.title = Sid(SID_CHANNEL_BROWSER_SETUP),
                                 .back = "MenuSystem::PreferencesMenu",
                                 .level = 4,
                                 .rows = kBrowserRows,
                                 .winId = WinIDs::WIN_ID_ChBrowserSetupMenu,
                                 .disabled = kBrowserDisabled};

const PageListing kListed[] = {PageListing(kAVMenu), PageListing(kHdmiMenu), PageListing(kInputModeMenu),
                               PageListing(kCecMenu), PageListing(kBrowserMenu)};

}  // namespace

AVConnectionMenu::AVConnectionMenu() : ThirdMenu(kAVMenu) {}

// ------------------------------------------------------------- HDMI pages

HDMISettingsMenu::HDMISettingsMenu() : ThirdMenu(kHdmiMenu) {}

XObject* HDMISettingsMenu::DispatchEvent(Core::Event* event) {
  if (IsHiddenPageKey(event, kInputModeKey)) {
    ShowInputModeMenu();
    return this;
  }
  return ThirdMenu::DispatchEvent(event);
}

void HDMISettingsMenu::ShowInputModeMenu(XObject*) { OpenBelow(&HDMIInputModeMenu::Class); }

HDMIInputModeMenu::HDMIInputModeMenu() : ThirdMenu(kInputModeMenu) {}

// ----------------------------------------------------------- HDMI-CEC page

CECSetupMenu::CECSetupMenu() : ThirdMenu(kCecMenu) {}

void CECSetupMenu::RefreshGrayout(XObject*) {
  const bool enabled = Model()->OnGetEnableNOVIQ() == 1;
  for (int32_t n : {kAutoPower, kAutoStandby, kAmplifier})
    if (SubMenuItem* row = Row(n)) row->OnSetIsDisabled(!enabled);
  RefreshSpeaker();
  if (!enabled) Model()->OnSetNOVIQLinkList(0);
}

void CECSetupMenu::RefreshSpeaker(XObject*) {
  ::SkinBin::Wrapper* model = Model();
  const bool enabled = model->OnGetEnableNOVIQ() == 1;
  const bool amplifier = model->OnGetAmplifierControl() != 0;
  if (SubMenuItem* row = Row(kSpeaker)) row->OnSetIsDisabled(!(enabled && amplifier));
  if (!amplifier && model->OnGetSpeakerPreference() == 1) {
    model->OnSetSpeakerPreference(0);
    LoadSettings();
  }
}

// ------------------------------------------------------ channel browser page

ChBrowserSetupMenu::ChBrowserSetupMenu() : ThirdMenu(kBrowserMenu) {
  ItemInterval = kBrowserRowInterval;
  if (SubMenuItem* reset = Row(kBrowserReset)) reset->OnSetTextAlignH(Views::Text::AlignCentre);
}

void ChBrowserSetupMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ThirdMenu::Initialize(parameter);
  OnSetBounds({Bounds.x1, Bounds.y1, Bounds.x2, Bounds.y1 + kBrowserPageHeight});
  Refresh();
}

void ChBrowserSetupMenu::Refresh(XObject* sender) {
  ThirdMenu::Refresh(sender);
  SubMenuItem* reset = Row(kBrowserReset);
  SubMenuItem* last = Row(kCecList);
  if (!reset || !last) return;
  const int32_t width = VgGetRectW(Bounds);
  const int32_t height = VgGetRectH(Bounds);
  const int32_t rowHeight = VgGetRectH(reset->Bounds);
  const int32_t left = (width - kResetWidth) / 2;
  const int32_t top = (height + last->Bounds.y2 - rowHeight) / 2;
  reset->OnSetBounds({left, top, left + kResetWidth, top + rowHeight});
}

}  // namespace MenuSystem
