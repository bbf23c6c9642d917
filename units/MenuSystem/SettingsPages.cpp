#include "MenuSystem/SettingsPages.h"

#include "AppServices/Wrapper.h"
#include "MenuSystem/MenuSystem.h"
#include "NonMenuSystem/ConfirmTypes.h"
#include "OptionDatabase/OptionTypes.h"
#include "PersistentData/PersistentData.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "vgdebug.h"
#include "vgtrace.h"

VG_DEFINE_CLASS(MenuSystem, BrcmSettingsMenu, ::MenuSystem::BrcmSubMenu)
VG_DEFINE_CLASS(MenuSystem, BrcmInputMenu, ::MenuSystem::BrcmSubMenu)
VG_DEFINE_CLASS(MenuSystem, BrcmCECMenu, ::MenuSystem::BrcmSubMenu)
VG_DEFINE_CLASS(MenuSystem, BrcmScaleWindowMenu, ::MenuSystem::BrcmSubMenu)
VG_DEFINE_CLASS(MenuSystem, BrcmCCMenu, ::MenuSystem::BrcmSubMenu)
VG_DEFINE_CLASS(MenuSystem, BrcmDTVCCStyleMenu, ::MenuSystem::BrcmSubMenu)
VG_DEFINE_CLASS(MenuSystem, BrcmPIPMenu, ::MenuSystem::BrcmSubMenu)
VG_DEFINE_CLASS(MenuSystem, BrcmScreenSaverMenu, ::MenuSystem::BrcmSubMenu)
VG_DEFINE_CLASS(MenuSystem, BrcmDateTimeMenu, ::MenuSystem::BrcmSubMenu)

namespace MenuSystem {

namespace {

using namespace Strings;
using OptionDatabase::Fixed;
using OptionDatabase::Sid;
namespace O = OptionDatabase;
namespace S = SkinBin;

constexpr const char* kConfirm = "NonMenuSystem::ConfirmMultiOptionDialog";
constexpr const char* kSettings = "MenuSystem::BrcmSettingsMenu";
// "Reset All" asks for the parental PIN (type 4) while one is set.
constexpr int32_t kResetAllPinType = 4;
constexpr int32_t kConfirmResetCC = 52;
constexpr int32_t kConfirmResetScreenSaver = 54;
constexpr int32_t kConfirmResetScaleWindow = 60;

constexpr int32_t kPipRow = 5;
constexpr RowDef kSettingsRows[] = {
    {Sid(SID_INPUT), RowKind::Page, 0, "MenuSystem::BrcmInputMenu"},
    {Sid(SettingsMenuInputLabels), RowKind::Dialog, 0, "NonMenuSystem::InputLabelingDialog"},
    {Sid(SettingsMenuScaleWindow), RowKind::Page, 0, "MenuSystem::BrcmScaleWindowMenu"},
    {Sid(SID_CLOSED_CAPTIONS), RowKind::Page, 0, "MenuSystem::BrcmCCMenu"},
    {Sid(SettingsMenuPictureInPicture), RowKind::Page, 0, "MenuSystem::BrcmPIPMenu"},
    {Sid(SettingsMenuScreenSaver), RowKind::Page, 0, "MenuSystem::BrcmScreenSaverMenu"},
    {Sid(SettingsMenuTimers), RowKind::Page},
    {Sid(SettingsMenuDateTime), RowKind::Page, 0, "MenuSystem::BrcmDateTimeMenu"},
    {Sid(SID_MENU_LANGUAGE), RowKind::Value, O::OPTION_TYPE_MENU_LANGUAGE},
    {Sid(SettingsMenuSystemInfo), RowKind::Dialog, 0, "NonMenuSystem::QORSystemInfoDialog"},
    {Sid(SettingsMenuNetworking), RowKind::Page, 0, "MenuSystem::BrcmNetworkingMenu"},
    {Fixed("Home Network"), RowKind::Value, S::OPTION_TYPE_ENABLE_DLNA},
    {Fixed("Front Panel LED Display"), RowKind::Value, S::OPTION_TYPE_DISPLAY_LED},
    {Sid(SettingsMenuResetAll), RowKind::Dialog, NonMenuSystem::ConfirmTypeTVReset, kConfirm, kResetAllPinType},
};
// The inputs page is reached from the labels row and the input pop-up; the
// screen saver and timers live elsewhere on this set.
constexpr uint8_t kSettingsRemoved[] = {1, 6, 7};
constexpr PageTable kSettingsMenu{.title = Sid(SID_SETTINGS), .rows = kSettingsRows, .removed = kSettingsRemoved};

constexpr RowDef kInputRows[] = {
    {Sid(SettingsMenuInputLabels), RowKind::Dialog, 0, "NonMenuSystem::InputLabelingDialog"},
    {Sid(InputMenuHdmiCec), RowKind::Page, 0, "MenuSystem::BrcmCECMenu"},
};
constexpr PageTable kInputMenu{
    .title = Sid(SID_SETTINGS), .subtitle = Sid(SID_INPUT), .back = kSettings, .level = 3, .rows = kInputRows};

constexpr RowDef kCECRows[] = {
    {Sid(InputMenuHdmiCec), RowKind::Value, O::OPTION_TYPE_ENABLE_CEC},
    {Sid(CECMenuAutoPowerOn), RowKind::Value, O::OPTION_TYPE_TV_AUTO_POWER},
    {Sid(CECMenuDevAutoPowerOff), RowKind::Value, O::OPTION_TYPE_AUTO_STANDBY},
    {Sid(CECMenuDeckControl), RowKind::Label},
    {Sid(CECMenuDeviceDiscovery), RowKind::Label},
};
constexpr uint8_t kCECRemoved[] = {4, 5};
constexpr PageTable kCECMenu{.title = Sid(SID_INPUT),
                             .subtitle = Sid(InputMenuHdmiCecTitle),
                             .back = "MenuSystem::BrcmInputMenu",
                             .level = 4,
                             .rows = kCECRows,
                             .removed = kCECRemoved};

constexpr int32_t kHSizeRow = 3;
constexpr RowDef kScaleWindowRows[] = {
    {Fixed("H-Position"), RowKind::Slider, S::OPTION_TYPE_WINDOW_HPOS},
    {Fixed("V-Position"), RowKind::Slider, S::OPTION_TYPE_WINDOW_VPOS},
    {Sid(HSize), RowKind::Slider, S::OPTION_TYPE_WINDOW_HSIZE},
    {Sid(VSize), RowKind::Slider, S::OPTION_TYPE_WINDOW_VSIZE},
    {Sid(SID_RESET), RowKind::Dialog, kConfirmResetScaleWindow, kConfirm},
};
constexpr PageTable kScaleWindowMenu{.title = Sid(SID_SETTINGS),
                                     .subtitle = Sid(SettingsMenuScaleWindow),
                                     .back = kSettings,
                                     .level = 3,
                                     .rows = kScaleWindowRows};

constexpr RowDef kCCRows[] = {
    {Sid(CCMenuCaptionRendering), RowKind::Value, S::OPTION_TYPE_CLOSED_CAPTION_STATE},
    {Sid(CCMenuBasicSelection), RowKind::Value, O::OPTION_TYPE_BASIC_CC_MODE},
    {Sid(CCMenuAdvancedSelection), RowKind::Value, O::OPTION_TYPE_ADVANCED_CC_MODE},
    {Sid(CCMenuAdvancedAppearance), RowKind::Page, 0, "MenuSystem::BrcmDTVCCStyleMenu"},
    {Sid(CCMenuCaptionPreference), RowKind::Value, O::OPTION_TYPE_CC_PREFERENCE},
    {Sid(SID_CONFIRM_RESET_CC), RowKind::Dialog, kConfirmResetCC, kConfirm},
};
constexpr PageTable kCCMenu{
    .title = Sid(SID_SETTINGS), .subtitle = Sid(SID_CLOSED_CAPTION), .back = kSettings, .level = 3, .rows = kCCRows};

constexpr RowDef kDTVCCStyleRows[] = {
    {Sid(DTVCCStyleMenuFontStyle), RowKind::Value, O::OPTION_TYPE_CC_FONT_STYLE},
    {Sid(DTVCCStyleMenuTextSize), RowKind::Value, O::OPTION_TYPE_CC_FONT_SIZE},
    {Sid(SID_CC_TEXT_COLOR), RowKind::Value, O::OPTION_TYPE_CC_FG_COLOR},
    {Sid(SID_DTVCC_FG_OPACITY), RowKind::Value, O::OPTION_TYPE_CC_FG_OPACITY},
    {Sid(SID_CC_BG_COLOR), RowKind::Value, O::OPTION_TYPE_CC_BG_COLOR},
    {Sid(DTVCCStyleMenuBGOpacity), RowKind::Value, O::OPTION_TYPE_CC_BG_OPACITY},
    {Sid(DTVCCStyleMenuEdgeStyle), RowKind::Value, O::OPTION_TYPE_CC_EDGE_TYPE},
    {Sid(DTVCCStyleMenuEdgeColor), RowKind::Value, O::OPTION_TYPE_CC_EDGE_COLOR},
};
constexpr PageTable kDTVCCStyleMenu{.title = Sid(SID_CLOSED_CAPTION),
                                    .subtitle = Sid(CCMenuAdvancedAppearance),
                                    .back = "MenuSystem::BrcmCCMenu",
                                    .level = 4,
                                    .rows = kDTVCCStyleRows};

constexpr int32_t kSwapRow = 3;
constexpr RowDef kPIPRows[] = {
    {Sid(SID_MODE), RowKind::Value, S::OPTION_TYPE_PIP_MODE},
    {Sid(PIPMenuSource), RowKind::Value, S::OPTION_TYPE_PIP_INPUT},
    {Sid(SID_SWAP), RowKind::Label},
    {Sid(PIPMenuPosition), RowKind::Label},
    {Sid(PIPMenuSize), RowKind::Value, S::OPTION_TYPE_PIP_SIZE},
    {Sid(SID_AUDIO), RowKind::Value, S::OPTION_TYPE_PIP_AUDIO},
};
constexpr PageTable kPIPMenu{
    .title = Fixed("Settings-Picture In Picture"), .back = kSettings, .level = 3, .rows = kPIPRows};

constexpr int32_t kColorRow = 2;
constexpr RowDef kScreenSaverRows[] = {
    {Sid(ScreenSaverMenuActivationDelay), RowKind::Value, O::OPTION_TYPE_SCREEN_SAVER_DELAY},
    {Sid(SID_CC_BG_COLOR), RowKind::Dialog, 0, "NonMenuSystem::ColorPad"},
    {Sid(ScreenSaverMenuTest), RowKind::Dialog, 0, "NonMenuSystem::ScreenSaverWindow"},
    {Sid(SID_CONFIRM_RESET_SCREEN_SAVER), RowKind::Dialog, kConfirmResetScreenSaver, kConfirm},
};
constexpr PageTable kScreenSaverMenu{.title = Sid(SID_SETTINGS),
                                     .subtitle = Sid(SettingsMenuScreenSaver),
                                     .back = kSettings,
                                     .level = 3,
                                     .rows = kScreenSaverRows};

constexpr RowDef kDateTimeRows[] = {
    {Sid(SID_TIME_ZONE), RowKind::Value, O::OPTION_TYPE_TIME_ZONE_QOR},
    {Sid(SID_DAYLIGHT_SAVINGS), RowKind::Value, O::OPTION_TYPE_DAYLIGHT_SAVING_TIME},
    {Fixed("Manual Time Setting"), RowKind::Dialog, 0, "NonMenuSystem::DateTimeDialog"},
};
constexpr PageTable kDateTimeMenu{.title = Sid(SID_SETTINGS),
                                  .subtitle = Sid(SettingsMenuDateTime),
                                  .back = kSettings,
                                  .level = 3,
                                  .rows = kDateTimeRows};

const PageListing kListed[] = {PageListing(kSettingsMenu),   PageListing(kInputMenu),      PageListing(kCECMenu),
                               PageListing(kScaleWindowMenu), PageListing(kCCMenu),         PageListing(kDTVCCStyleMenu),
                               PageListing(kPIPMenu),         PageListing(kScreenSaverMenu), PageListing(kDateTimeMenu)};

const char16_t kScreenSaverColorKey[] = u"ScreenSaverColor";

}  // namespace

// ----------------------------------------------------------------- Settings

BrcmSettingsMenu::BrcmSettingsMenu() : BrcmSubMenu(kSettingsMenu) {}

void BrcmSettingsMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  if (!MainApp::GetWrapper()->IsPipEnabled()) RemoveRow(kPipRow);
  BrcmSubMenu::Initialize(parameter);
}

BrcmInputMenu::BrcmInputMenu() : BrcmSubMenu(kInputMenu) {}

BrcmCECMenu::BrcmCECMenu() : BrcmSubMenu(kCECMenu) {}

BrcmScaleWindowMenu::BrcmScaleWindowMenu() : BrcmSubMenu(kScaleWindowMenu) { NeedAdjustCurrentItemIndex = true; }

void BrcmScaleWindowMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  CurrentItemIndex = kHSizeRow;
  BrcmSubMenu::Initialize(parameter);
  ApplyCurrentItemIndex();
}

BrcmCCMenu::BrcmCCMenu() : BrcmSubMenu(kCCMenu) {}

BrcmDTVCCStyleMenu::BrcmDTVCCStyleMenu() : BrcmSubMenu(kDTVCCStyleMenu) {}

BrcmDateTimeMenu::BrcmDateTimeMenu() : BrcmSubMenu(kDateTimeMenu) {}

// ------------------------------------------------------ Picture in picture

BrcmPIPMenu::BrcmPIPMenu() : BrcmSubMenu(kPIPMenu) {
  if (BrcmSubMenuItem* swap = Row(kSwapRow)) swap->OnActivate = VgSlotOf<&BrcmPIPMenu::SwapSource>(this);
}

void BrcmPIPMenu::LoadSettings() {
  const bool on = MainApp::GetWrapper()->OnGetPipMode() != 0;
  for (int32_t n = 2; n <= static_cast<int32_t>(kPIPMenu.rows.size()); ++n)
    if (BrcmSubMenuItem* row = Row(n)) row->OnSetIsDisabled(!on);
  ItemsNum = on ? static_cast<int32_t>(kPIPMenu.rows.size()) : 1;
  BrcmSubMenu::LoadSettings();
}

void BrcmPIPMenu::SwapSource(XObject*) {
  // The menus go first: the swap changes what the page's rows describe.
  if (auto* system = SystemOf(this)) system->TearDownMenus();
  MainApp::GetWrapper()->SwapSource();
}

// ------------------------------------------------------------- Screen saver

bool ParseScreenSaverColor(VgString text, VgColor* colour) {
  // Row and column, then three fields of three digits.
  constexpr int32_t kLength = 11;
  constexpr int32_t kFirstField = 2;
  constexpr int32_t kFieldLength = 3;
  if (!text || VgGetStringLength(text) != kLength) return false;
  int32_t fields[3] = {};
  for (int32_t f = 0; f < 3; ++f) {
    int32_t value = 0;
    for (int32_t i = 0; i < kFieldLength; ++i) {
      const char16_t c = VgGetStringChar(text, kFirstField + f * kFieldLength + i);
      if (c < u'0' || c > u'9') return false;
      value = value * 10 + (c - u'0');
    }
    if (value > 255) return false;
    fields[f] = value;
  }
  colour->red = static_cast<uint8_t>(fields[0]);
  colour->green = static_cast<uint8_t>(fields[1]);
  colour->blue = static_cast<uint8_t>(fields[2]);
  return true;
}

BrcmScreenSaverMenu::BrcmScreenSaverMenu() : BrcmSubMenu(kScreenSaverMenu) {
  if (BrcmSubMenuItem* row = Row(kColorRow)) row->OnSetIsColor(true);
}

void BrcmScreenSaverMenu::LoadSettings() {
  BrcmSubMenu::LoadSettings();
  BrcmSubMenuItem* row = Row(kColorRow);
  ::PersistentData::PersistentData* store = MainApp::GetWrapper()->OnGetPersistentData();
  if (!row || !store) return;
  VgString text = store->GetString(VgNewString(kScreenSaverColorKey));
  if (!text || VgGetStringLength(text) == 0) return;
  VgTrace("%s%s%s%s", u"get Color", VgStringMiddle(text, 2, 3), VgStringMiddle(text, 5, 3),
          VgStringMiddle(text, 8, 3));
  VgColor colour = row->Color;
  if (!ParseScreenSaverColor(text, &colour)) {
    VgPrint("MenuSystem::BrcmScreenSaverMenu: ScreenSaverColor \"%s\" is no colour, kept the swatch\n",
            VgStringToUtf8(text).c_str());
    return;
  }
  row->OnSetColor(colour);
}

}  // namespace MenuSystem
