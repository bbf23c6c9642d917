#include "MenuSystem/PictureSettings.h"

#include <algorithm>
#include <initializer_list>

#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "Core/KeyEvent.h"
#include "Core/Keys.h"
#include "MenuSystem/MenuItems.h"
#include "OptionDatabase/OptionTypes.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "Structures/Boxes.h"
#include "WidgetManager/WidgetManager.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(MenuSystem, PictureMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, AdvancedPictureMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, ExpertPictureMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, WhiteBalanceMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, WhiteBalance2PMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, WhiteBalance10PMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, NoiseReductionMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, ZoltaDCRMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, KeldrixPlusMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, AutoBrightnessSensorMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, ColorSensorSettingsMenu, ::MenuSystem::ThirdMenu)

namespace MenuSystem {

namespace {

using namespace Strings;
using OptionDatabase::Sid;
namespace O = OptionDatabase;
namespace S = SkinBin;

// ------------------------------------------------------------ the set's state

constexpr int32_t kSourceTypeMultimedia = 7;
// The picture modes: 0 automatic; the expert settings serve 2 to 4 only.
constexpr int32_t kPictureModeAuto = 0;

::SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }

bool StageholdOn(ThirdMenu&) { return Model()->OnGetStagehold() != 0; }

bool Unchanged(const char16_t* group) { return !Model()->IsOptionChanged(VgNewString(group)); }
bool NoPictureChange(ThirdMenu&) {
  return Unchanged(u"CommonPicture") && Unchanged(u"AdvancedPicture") && Unchanged(u"ExpertPicture");
}
bool NoAdvancedChange(ThirdMenu&) { return Unchanged(u"AdvancedPicture"); }
bool NoExpertChange(ThirdMenu&) { return Unchanged(u"ExpertPicture"); }

bool NoExpertMode(ThirdMenu&) {
  const int32_t mode = When::PictureMode();
  return mode < 2 || mode > 4;
}

// A media player window is open.
bool MediaShown() { return MainApp::GetWidgetManager()->HasWidgetInGroup(WinIDs::WIN_ID_MediaPlayer); }
bool MediaWindowOpen(ThirdMenu&) { return MediaShown(); }

// One of the photo windows is open.
bool PhotoShown() {
  auto* ids = VgNew<Structures::ArrayInt>();
  for (int32_t id : {WinIDs::WIN_ID_PhotoMultiView, WinIDs::WIN_ID_PhotoSingleView, WinIDs::WIN_ID_PhotoSingleViewDMR,
                     WinIDs::WIN_ID_PhotoFrame})
    ids->Values[ids->Count++] = id;
  return MainApp::GetWidgetManager()->HasWidget(ids);
}
bool PhotoWindowOpen(ThirdMenu&) { return PhotoShown(); }

bool ExternalMedia(ThirdMenu&) { return When::CurrentSourceType() == ::Wrapper::kSourceTypeExternal && MediaShown(); }
bool ExternalPhoto(ThirdMenu&) { return When::CurrentSourceType() == ::Wrapper::kSourceTypeExternal && PhotoShown(); }
bool MultimediaOrExternalPhoto(ThirdMenu& page) {
  return When::CurrentSourceType() == kSourceTypeMultimedia || ExternalPhoto(page);
}

bool NoColorManager(ThirdMenu&) { return Model()->OnGetColorManager() == 0; }

// A computer timing; 640 x 480 on HDMI or DVI is the video format of that
// size, not one.
bool PcSignal(ThirdMenu&) {
  const int32_t* video = Model()->GetVideoContentInfo(0)->Values;
  const int32_t type = When::CurrentSourceType();
  if ((type == ::Wrapper::kSourceTypeHdmi || type == ::Wrapper::kSourceTypeDvi) &&
      video[::Wrapper::kVideoWidth] == 640 && video[::Wrapper::kVideoHeight] == 480)
    return false;
  return video[::Wrapper::kVideoPcSignal] != 0;
}
bool Progressive(ThirdMenu&) { return Model()->GetVideoContentInfo(0)->Values[::Wrapper::kVideoScanType] == 2; }

bool Series3In3D(ThirdMenu&) {
  ::SkinBin::Setup3D& threeD = Model()->Setup3D;
  return When::Series() == 3 && threeD.Is3DDisplay(threeD.State);
}

bool NetAppOrExternal(ThirdMenu& page) {
  return When::SourceIs<::Wrapper::kSourceTypeExternal>(page) || When::NetAppActive(page);
}

bool SuperResolutionOff(ThirdMenu&) { return Model()->OnGetSuperResolutionStatus() == 0; }
bool AutoBrightnessSensorOff(ThirdMenu&) { return Model()->OnGetAutoBrightnessSensor() != 1; }

// ------------------------------------------------------------------ the tables

constexpr const char* kOverlay = "NonMenuSystem::ToggleOptionOverlay";
constexpr const char* kBar = "NonMenuSystem::AdjustmentBar";
constexpr const char* kConfirmation = "NonMenuSystem::ConfirmMultiOptionDialog";

// Confirmation types of the reset rows.
constexpr int32_t kConfirmPictureReset = 17;
constexpr int32_t kConfirmAdvancedPictureReset = 18;
constexpr int32_t kConfirmExpertPictureReset = 19;
constexpr int32_t kConfirmCopyWhiteBalance = 21;

constexpr RowDef kPictureRows[] = {
    Item<SubMenuItemValue>(Sid(SID_PICTURE_MODE), S::OPTION_TYPE_PICTURE_MODE, kOverlay),
    Item<SubMenuItem>(Sid(SID_RESET), kConfirmPictureReset, kConfirmation),
    Item<AdjustItemSlider>(Sid(SID_BACKLIGHT), O::OPTION_TYPE_BACKLIGHT, kBar).Flags(NoMiddlePoint),
    Item<AdjustItemSlider>(Sid(SID_CONTRAST), O::OPTION_TYPE_CONTRAST, kBar).Flags(NoMiddlePoint),
    Item<AdjustItemSlider>(Sid(SID_BRIGHTNESS), O::OPTION_TYPE_BRIGHTNESS, kBar),
    Item<AdjustItemSlider>(Sid(SID_COLOR), O::OPTION_TYPE_COLOR, kBar),
    Item<AdjustItemSlider>(Sid(SID_TINT), O::OPTION_TYPE_TINT, "NonMenuSystem::AdjustmentBarTint"),
    Item<AdjustItemSlider>(Sid(SID_SHARPNESS), O::OPTION_TYPE_SHARPNESS, kBar),
    Item<SubMenuItem>(Sid(SID_ADVANCED_PICTURE_SETTINGS), 0, "MenuSystem::AdvancedPictureMenu"),
    Item<SubMenuItem>(Sid(SID_EXPERT_PICTURE_SETTINGS), 0, "MenuSystem::ExpertPictureMenu"),
    Item<SubMenuItemValueSelect>(Sid(SID_STAGEHOLD), S::OPTION_TYPE_STAGEHOLD)
        .Changed(PageSlot<&ThirdMenu::RefreshGrayout>),
};
enum PictureRow : uint8_t { kPictureBacklight = 3, kPictureContrast = 4 };
constexpr RowRule kPictureDisabled[] = {
    {2, StageholdOn},  {2, NoPictureChange},       {3, StageholdOn},     {4, StageholdOn},
    {4, When::PictureModeIs<kPictureModeAuto>},    {5, StageholdOn},     {6, StageholdOn},
    {7, StageholdOn},  {8, StageholdOn},           {8, PhotoWindowOpen}, {9, StageholdOn},
    {10, StageholdOn}, {10, NoExpertMode},         {10, MediaWindowOpen}, {10, When::FromQuickMenu},
};
constexpr PageTable kPictureMenu{.title = Sid(SID_PICTURE),
                                 .back = nullptr,
                                 .rows = kPictureRows,
                                 .winId = WinIDs::WIN_ID_PictureMenu,
                                 .disabled = kPictureDisabled};

constexpr RowDef kAdvancedRows[] = {
    Item<SubMenuItemValue>(Sid(SID_VANTREL), O::OPTION_TYPE_COLOR_MANAGER, kOverlay),
    Item<SubMenuItem>(Sid(SID_BASE_COLOUR_ADJUST), 0, "MenuSystem::BaseColorAdjustmentMenu"),
    Item<AdjustItemArrow>(Sid(SID_COLOUR_TEMPERATURE), S::OPTION_TYPE_COLOR_TEMPERATURE,
                          "NonMenuSystem::NoSliderAdjustmentBar"),
    Item<SubMenuItem>(Sid(SID_AUTO_BRIGHTNESS_SENSOR_SETTINGS), 0, "MenuSystem::AutoBrightnessSensorMenu"),
    Item<SubMenuItem>(Sid(SID_COLOR_SENSOR_SETTINGS), 0, "MenuSystem::ColorSensorSettingsMenu"),
    Item<SubMenuItemValue>(Sid(SID_GLIMVANE), S::OPTION_TYPE_GLIMVANE, kOverlay),
    Item<AdjustItemSlider>(Sid(SID_DYNAMIC_CONTRAST), O::OPTION_TYPE_DYNAMIC_CONTRAST, kBar).Flags(NoMiddlePoint),
    Item<AdjustItemSlider>(Sid(SID_STATIC_GAMMA), S::OPTION_TYPE_STATIC_GAMMA, kBar),
    Item<SubMenuItem>(Sid(SID_DNR), 0, "MenuSystem::NoiseReductionMenu"),
    Item<SubMenuItem>(Sid(SID_EDGE_ENHANCER), 0, "MenuSystem::KeldrixPlusMenu"),
    Item<SubMenuItemValue>(Sid(SID_MORRABLE480), S::OPTION_TYPE_TESSORIC_240, kOverlay),
    Item<SubMenuItemValue>(Sid(SID_MORRABLE240), S::OPTION_TYPE_MORRABLE_240, kOverlay),
    Item<SubMenuItemValue>(Sid(SID_TESSORIC), S::OPTION_TYPE_TESSORIC, kOverlay),
    Item<SubMenuItemValue>(Sid(SID_FILM_STABLIZATION), S::OPTION_TYPE_FILM_STABILIZATION_240, kOverlay),
    Item<SubMenuItemValue>(Sid(SID_FILM_STABLIZATION), S::OPTION_TYPE_FILM_STABILIZATION, kOverlay),
    Item<SubMenuItemValue>(Sid(SID_CINEMA_MODE), S::OPTION_TYPE_KVX_CINEMA_MODE, kOverlay),
    Item<SubMenuItem>(Sid(SID_RESET), kConfirmAdvancedPictureReset, kConfirmation),
};
enum AdvancedRow : uint8_t {
  kAdvancedColorTemperature = 3,
  kAdvancedColorSensor = 5,
  kAdvancedDynamicContrast = 7,
};
// The rows each series does not have (up to five), by series; the last
// entry serves every series above.
constexpr uint8_t kSeriesRemoved[][5] = {
    {11, 12, 13, 14, 15},  // 0: Cinema Mode stays
    {11, 12, 14, 16},      // 1: Tessoric and the second Film Stabilization
    {11, 13, 14, 16},      // 2: Morrable 240 and the second Film Stabilization
    {12, 13, 15, 16},      // 3: Morrable 480 and the first Film Stabilization
    {11, 12, 13, 14, 16},  // 4 and above: the second Film Stabilization
};
constexpr RowRule kAdvancedDisabled[] = {
    {1, When::SourceIs<::Wrapper::kSourceTypeVga, kSourceTypeMultimedia>},
    {1, ExternalMedia},
    {2, When::SourceIs<::Wrapper::kSourceTypeVga, kSourceTypeMultimedia>},
    {2, ExternalMedia},
    {2, NoColorManager},
    {6, MultimediaOrExternalPhoto},
    {7, MultimediaOrExternalPhoto},
    {9, When::SourceIs<::Wrapper::kSourceTypeVga, kSourceTypeMultimedia>},
    {9, ExternalPhoto},
    {9, When::PictureModeIs<6, 7>},
    {9, PcSignal},
    {10, When::SourceIs<::Wrapper::kSourceTypeVga, kSourceTypeMultimedia>},
    {10, ExternalPhoto},
    {10, When::PictureModeIs<6, 7>},
    {10, PcSignal},
    {11, MultimediaOrExternalPhoto},
    {11, When::PictureModeIs<6>},
    {11, Series3In3D},
    {12, When::PictureModeIs<6>},
    {13, MultimediaOrExternalPhoto},
    {13, When::PictureModeIs<6>},
    {14, When::SourceIs<::Wrapper::kSourceTypeVga, kSourceTypeMultimedia>},
    {14, ExternalPhoto},
    {14, When::PictureModeIs<6>},
    {15, When::SourceIs<::Wrapper::kSourceTypeVga, kSourceTypeMultimedia>},
    {15, ExternalPhoto},
    {15, When::PictureModeIs<6>},
    {16, MultimediaOrExternalPhoto},
    {16, When::PictureModeIs<6, 7>},
    {16, Progressive},
    {17, NoAdvancedChange},
};
constexpr uint8_t kAdvancedRemoved[] = {kAdvancedColorSensor};
constexpr PageTable kAdvancedMenu{.title = Sid(SID_ADVANCED_PICTURE_SETTINGS),
                                  .back = "MenuSystem::PictureMenu",
                                  .level = 4,
                                  .rows = kAdvancedRows,
                                  .removed = kAdvancedRemoved,
                                  .winId = WinIDs::WIN_ID_AdvancedPictureMenu,
                                  .disabled = kAdvancedDisabled};

constexpr RowDef kExpertRows[] = {
    Item<SubMenuItemValue>(Sid(SID_TEST_PATTERN), S::OPTION_TYPE_TEST_PATTERN, kOverlay),
    Item<SubMenuItem>(Sid(SID_RGB_FILTER), 0, "MenuSystem::RGBFilterMenu"),
    Item<SubMenuItem>(Sid(SID_WHITE_BALANCE), 0, "MenuSystem::WhiteBalanceMenu"),
    Item<SubMenuItem>(Sid(SID_RESET), kConfirmExpertPictureReset, kConfirmation),
};
constexpr RowRule kExpertDisabled[] = {
    {1, NetAppOrExternal},
    {2, When::SourceIs<kSourceTypeMultimedia, ::Wrapper::kSourceTypeExternal>},
    {2, When::PictureModeIs<kPictureModeAuto>},
    {4, NoExpertChange},
};
constexpr PageTable kExpertMenu{.title = Sid(SID_EXPERT_PICTURE_SETTINGS),
                                .back = "MenuSystem::PictureMenu",
                                .level = 4,
                                .rows = kExpertRows,
                                .winId = WinIDs::WIN_ID_ExpertPictureMenu,
                                .disabled = kExpertDisabled};

constexpr RowDef kWhiteBalanceRows[] = {
    Item<SubMenuItemValue>(Sid(SID_WINDOW_DISPLAY), S::OPTION_TYPE_WB_WINDOW_DISPLAY, kOverlay),
    Item<SubMenuItemValueSelect>(Sid(SID_SETTING_TYPE), S::OPTION_TYPE_WB_SETTING_TYPE)
        .Changed(PageSlot<&WhiteBalanceMenu::RefreshWBType>),
    Item<SubMenuItem>(Sid(SID_2P_WHITE_BALANCE), 0, "MenuSystem::WhiteBalance2PMenu"),
    Item<SubMenuItem>(Sid(SID_10P_WHITE_BALANCE), 0, "MenuSystem::WhiteBalance10PMenu"),
    Item<SubMenuItem>(Sid(SID_COPY_TO_ALL_INPUTS), kConfirmCopyWhiteBalance, kConfirmation),
};
// This set balances at two points only.
constexpr uint8_t kWhiteBalanceRemoved[] = {2, 4};
constexpr RowRule kWhiteBalanceDisabled[] = {{1, NetAppOrExternal}};
constexpr PageTable kWhiteBalanceMenu{.title = Sid(SID_WHITE_BALANCE),
                                      .back = "MenuSystem::ExpertPictureMenu",
                                      .level = 5,
                                      .rows = kWhiteBalanceRows,
                                      .removed = kWhiteBalanceRemoved,
                                      .winId = WinIDs::WIN_ID_WhiteBalanceMenu,
                                      .disabled = kWhiteBalanceDisabled};

constexpr RowDef kWhiteBalance2PRows[] = {
    Item<AdjustItemSlider>(Sid(SID_WB_RED_OFFSET), O::OPTION_TYPE_RED_OFFSET, kBar),
    Item<AdjustItemSlider>(Sid(SID_WB_GREEN_OFFSET), O::OPTION_TYPE_GREEN_OFFSET, kBar),
    Item<AdjustItemSlider>(Sid(SID_WB_BLUE_OFFSET), O::OPTION_TYPE_BLUE_OFFSET, kBar),
    Item<AdjustItemSlider>(Sid(SID_WB_RED_GAIN), O::OPTION_TYPE_RED_GAIN, kBar),
    Item<AdjustItemSlider>(Sid(SID_WB_GREEN_GAIN), O::OPTION_TYPE_GREEN_GAIN, kBar),
    Item<AdjustItemSlider>(Sid(SID_WB_BLUE_GAIN), O::OPTION_TYPE_BLUE_GAIN, kBar),
};
constexpr PageTable kWhiteBalance2PMenu{.title = Sid(SID_2P_WHITE_BALANCE),
                                        .back = "MenuSystem::WhiteBalanceMenu",
                                        .level = 6,
                                        .rows = kWhiteBalance2PRows,
                                        .winId = WinIDs::WIN_ID_WhiteBalance2PMenu};

constexpr RowDef kWhiteBalance10PRows[] = {
    Item<AdjustItemSlider>(Sid(SID_IRE), S::OPTION_TYPE_WHITE_BALANCE_IRE, kBar),
    Item<AdjustItemSlider>(Sid(SID_RED), S::OPTION_TYPE_WHITE_BALANCE_RED, kBar),
    Item<AdjustItemSlider>(Sid(SID_GREEN), S::OPTION_TYPE_WHITE_BALANCE_GREEN, kBar),
    Item<AdjustItemSlider>(Sid(SID_BLUE), S::OPTION_TYPE_WHITE_BALANCE_BLUE, kBar),
};
constexpr PageTable kWhiteBalance10PMenu{.title = Sid(SID_10P_WHITE_BALANCE),
                                         .back = "MenuSystem::WhiteBalanceMenu",
                                         .level = 6,
                                         .rows = kWhiteBalance10PRows,
                                         .winId = WinIDs::WIN_ID_WhiteBalance10PMenu};

constexpr RowDef kNoiseRows[] = {
    Item<SubMenuItemValue>(Sid(SID_MPEG_NR_SHORT), O::OPTION_TYPE_DIGITAL_NR, kOverlay),
    Item<SubMenuItemValue>(Sid(SID_DNR_SHORT), S::OPTION_TYPE_DNR, kOverlay),
};
constexpr PageTable kNoiseMenu{.title = Sid(SID_DNR),
                               .back = "MenuSystem::AdvancedPictureMenu",
                               .level = 5,
                               .rows = kNoiseRows,
                               .winId = WinIDs::WIN_ID_NoiseReductionMenu};

constexpr RowDef kZoltaRows[] = {
    Item<SubMenuItemValueSelect>(Sid(SID_ZOLTA_DCR_MENU), S::OPTION_TYPE_SYSINFO_ZOLTA_DCR),
};
constexpr PageTable kZoltaMenu{.title = Sid(SID_ZOLTA_DCR_MENU),
                               .back = "NonMenuSystem::SystemInfoDialog",
                               .level = 5,
                               .rows = kZoltaRows,
                               .winId = WinIDs::WIN_ID_ZoltaDCR};

constexpr RowDef kEdgeRows[] = {
    Item<SubMenuItemValue>(Sid(SID_EDGE_ENHANCER), O::OPTION_TYPE_SUPER_RESOLUTION, kOverlay),
    Item<AdjustItemSlider>(Sid(SID_LEVEL), S::OPTION_TYPE_SUPER_RESOLUTION_LEVEL, kBar),
};
constexpr int32_t kEdgeLevel = 2;
constexpr RowRule kEdgeDisabled[] = {{kEdgeLevel, SuperResolutionOff}};
constexpr PageTable kEdgeMenu{.title = Sid(SID_EDGE_ENHANCER),
                              .back = "MenuSystem::AdvancedPictureMenu",
                              .level = 5,
                              .rows = kEdgeRows,
                              .winId = WinIDs::WIN_ID_KeldrixPlusMenu,
                              .disabled = kEdgeDisabled};

constexpr RowDef kLightSensorRows[] = {
    Item<SubMenuItemValue>(Sid(SID_AUTO_BRIGHTNESS_SENSOR), S::OPTION_TYPE_AUTO_BRIGHTNESS_SENSOR, kOverlay),
    Item<SubMenuItem>(Sid(SID_BACKLIGHT_ADJUSTMENT_PRO), 0, "NonMenuSystem::BacklightAdjustmentProDialog"),
};
constexpr RowRule kLightSensorDisabled[] = {{1, When::PictureModeIs<kPictureModeAuto>},
                                            {2, AutoBrightnessSensorOff}};
constexpr PageTable kLightSensorMenu{.title = Sid(SID_AUTO_BRIGHTNESS_SENSOR_SETTINGS),
                                     .back = "MenuSystem::AdvancedPictureMenu",
                                     .level = 5,
                                     .rows = kLightSensorRows,
                                     .winId = WinIDs::WIN_ID_AutoBrightnessSensorMenu,
                                     .disabled = kLightSensorDisabled};

// No page opens this one: the advanced page never shows its row.
constexpr RowDef kColorSensorRows[] = {
    Item<SubMenuItemValueSelect>(Sid(SID_AUTO_BRIGHTNESS_SENSOR), S::OPTION_TYPE_AUTO_BRIGHTNESS_SENSOR),
    Item<SubMenuItem>(Sid(SID_BACKLIGHT_ADJUSTMENT_PRO)),
    Item<SubMenuItemValueSelect>(Sid(SID_ROOM_LIGHTING), S::OPTION_TYPE_ROOM_LIGHTING),
};
constexpr PageTable kColorSensorMenu{.title = Sid(SID_COLOR_SENSOR_SETTINGS),
                                     .back = "MenuSystem::AdvancedPictureMenu",
                                     .level = 5,
                                     .rows = kColorSensorRows,
                                     .winId = WinIDs::WIN_ID_ColorSensorMenu};

const PageListing kListed[] = {
    PageListing(kPictureMenu),        PageListing(kAdvancedMenu),        PageListing(kExpertMenu),
    PageListing(kWhiteBalanceMenu),   PageListing(kWhiteBalance2PMenu),  PageListing(kWhiteBalance10PMenu),
    PageListing(kNoiseMenu),          PageListing(kZoltaMenu),           PageListing(kEdgeMenu),
    PageListing(kLightSensorMenu),    PageListing(kColorSensorMenu),
};

// Binds a slider row to another option, with or without its middle mark.
void Rebind(SubMenuItem* row, int32_t option, bool middlePoint) {
  if (!row) return;
  row->OptionType = option;
  if (auto* slider = vg_cast<AdjustItemSlider>(row)) slider->OnSetSliderMiddlePoint(middlePoint ? 1 : 0);
}

}  // namespace

// ------------------------------------------------------------ picture page

PictureMenu::PictureMenu() : ThirdMenu(kPictureMenu) {}

void PictureMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  if (Model()->OnGetAutoBrightnessSensor() == 1) Rebind(Row(kPictureBacklight), S::OPTION_TYPE_BACKLIGHT_AUTO, true);
  ThirdMenu::Initialize(parameter);
  if (When::PictureMode() == kPictureModeAuto) {
    if (auto* contrast = vg_cast<AdjustItemSlider>(Row(kPictureContrast))) {
      contrast->OnSetSliderVisible(0);
      contrast->OnSetValueString(VgGetVariantOfString(&SID_AUTO));
    }
  }
  if (OpenedFromQuickMenu()) ReturnToQuickMenu();
}

XObject* PictureMenu::HandleEvent(Core::Event* event) {
  if (Core::PressedKey(event) == ::Key::Back && Model()->OnGetTestPattern()) Model()->OnSetTestPattern(0);
  return ThirdMenu::HandleEvent(event);
}

// ----------------------------------------------------------- advanced page

AdvancedPictureMenu::AdvancedPictureMenu() : ThirdMenu(kAdvancedMenu) {}

void AdvancedPictureMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  if (When::PictureMode() == kPictureModeAuto) {
    Rebind(Row(kAdvancedColorTemperature), S::OPTION_TYPE_COLOR_TEMPERATURE_AUTO, false);
    Rebind(Row(kAdvancedDynamicContrast), S::OPTION_TYPE_DYNAMIC_CONTRAST_AUTO, true);
  }
  CheckSeries(When::Series());
  ThirdMenu::Initialize(parameter);
}

void AdvancedPictureMenu::CheckSeries(int32_t series) {
  const auto last = static_cast<int32_t>(std::size(kSeriesRemoved)) - 1;
  for (uint8_t row : kSeriesRemoved[std::clamp(series, 0, last)])
    if (row) RemoveRow(row);
}

// ------------------------------------------------------------ expert pages

ExpertPictureMenu::ExpertPictureMenu() : ThirdMenu(kExpertMenu) {}

WhiteBalanceMenu::WhiteBalanceMenu() : ThirdMenu(kWhiteBalanceMenu) {}

XObject* WhiteBalanceMenu::HandleEvent(Core::Event* event) {
  if (Core::PressedKey(event) == ::Key::Back && Model()->OnGetWB_WindowDisplay()) Model()->OnSetWB_WindowDisplay(0);
  return ThirdMenu::HandleEvent(event);
}

void WhiteBalanceMenu::RefreshWBType(XObject*) {
  const bool tenPoints = Model()->OnGetWB_SettingType() != 0;
  if (SubMenuItem* twoPoint = Row(3)) twoPoint->OnSetIsDisabled(tenPoints);
  if (SubMenuItem* tenPoint = Row(4)) tenPoint->OnSetIsDisabled(!tenPoints);
}

WhiteBalance2PMenu::WhiteBalance2PMenu() : ThirdMenu(kWhiteBalance2PMenu) {}

WhiteBalance10PMenu::WhiteBalance10PMenu() : ThirdMenu(kWhiteBalance10PMenu) {}

// ---------------------------------------------------------- smaller pages

NoiseReductionMenu::NoiseReductionMenu() : ThirdMenu(kNoiseMenu) {}

ZoltaDCRMenu::ZoltaDCRMenu() : ThirdMenu(kZoltaMenu) {}

KeldrixPlusMenu::KeldrixPlusMenu() : ThirdMenu(kEdgeMenu) {}

void KeldrixPlusMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  if (When::PictureMode() == kPictureModeAuto)
    Rebind(Row(kEdgeLevel), S::OPTION_TYPE_SUPER_RESOLUTION_LEVEL_AUTO, false);
  ThirdMenu::Initialize(parameter);
}

AutoBrightnessSensorMenu::AutoBrightnessSensorMenu() : ThirdMenu(kLightSensorMenu) {}

ColorSensorSettingsMenu::ColorSensorSettingsMenu() : ThirdMenu(kColorSensorMenu) {}

}  // namespace MenuSystem
