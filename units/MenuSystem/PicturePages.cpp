#include "MenuSystem/PicturePages.h"

#include "OptionDatabase/OptionTypes.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"

VG_DEFINE_CLASS(MenuSystem, BrcmPictureMenu, ::MenuSystem::BrcmSubMenu)
VG_DEFINE_CLASS(MenuSystem, BrcmPictureSettingsMenu, ::MenuSystem::BrcmSubMenu)
VG_DEFINE_CLASS(MenuSystem, BrcmAdvancedSettingsMenu, ::MenuSystem::BrcmSubMenu)
VG_DEFINE_CLASS(MenuSystem, BrcmHVsizeMenu, ::MenuSystem::BrcmSubMenu)

namespace MenuSystem {

namespace {

using namespace Strings;
using OptionDatabase::Fixed;
using OptionDatabase::Sid;
namespace O = OptionDatabase;
namespace S = SkinBin;

constexpr const char* kConfirmation = "NonMenuSystem::ConfirmMultiOptionDialog";
constexpr int32_t kConfirmPictureReset = 17;

constexpr RowDef kPictureRows[] = {
    {Sid(MenuPictureSettings), RowKind::Page, 0, "MenuSystem::BrcmPictureSettingsMenu"},
    {Sid(MenuAdvancedSettings), RowKind::Page, 0, "MenuSystem::BrcmAdvancedSettingsMenu"},
    {Sid(MenuColorTemperatureSettings), RowKind::Label},
    {Sid(SID_AUTO_ASPECT), RowKind::Value, O::OPTION_TYPE_AUTO_ASPECT},
    {Sid(MenuViewMode), RowKind::Value, S::OPTION_TYPE_PICTURE_SIZE},
    {Sid(MenuHVSize), RowKind::Page, 0, "MenuSystem::BrcmHVsizeMenu"},
    {Sid(MenuResetPicture), RowKind::Dialog, kConfirmPictureReset, kConfirmation},
    {Fixed("HDMI Output Resolution"), RowKind::Value, S::OPTION_TYPE_HDMI_OUTPUT},
};
// This set has no colour-temperature page and no size adjustment.
constexpr uint8_t kPictureRemoved[] = {6, 3};
constexpr PageTable kPictureMenu{
    .title = Sid(MainMenuPicture), .rows = kPictureRows, .removed = kPictureRemoved};

constexpr RowDef kPictureSettingsRows[] = {
    {Sid(SID_BRIGHTNESS), RowKind::BarSlider, O::OPTION_TYPE_BRIGHTNESS},
    {Sid(SID_CONTRAST), RowKind::BarSlider, O::OPTION_TYPE_CONTRAST},
    {Sid(MenuSaturation), RowKind::BarSlider, O::OPTION_TYPE_COLOR},
    {Sid(MenuHue), RowKind::BarSlider, O::OPTION_TYPE_TINT},
    {Sid(SID_SHARPNESS), RowKind::BarSlider, O::OPTION_TYPE_SHARPNESS},
    {Sid(MenuPreset), RowKind::Value, S::OPTION_TYPE_PICTURE_MODE},
    {Sid(SID_COLOUR_TEMPERATURE), RowKind::Bar, S::OPTION_TYPE_COLOR_TEMPERATURE},
};
constexpr PageTable kPictureSettingsMenu{.title = Sid(MainMenuPicture),
                                         .subtitle = Sid(MenuPictureSettings),
                                         .back = "MenuSystem::BrcmPictureMenu",
                                         .level = 3,
                                         .rows = kPictureSettingsRows};

constexpr RowDef kAdvancedSettingsRows[] = {
    {Sid(SID_DYNAMIC_CONTRAST), RowKind::BarSlider, O::OPTION_TYPE_DYNAMIC_CONTRAST},
    {Sid(MenuGameMode), RowKind::Value, O::OPTION_TYPE_GAME_MODE},
    {Sid(MenuColorEnhancement), RowKind::Value, O::OPTION_TYPE_COLOR_MANAGER},
    {Sid(SID_CINEMA_MODE), RowKind::Value, S::OPTION_TYPE_KVX_CINEMA_MODE},
    {Sid(MenuFrcSettings), RowKind::Value, O::OPTION_TYPE_FRC_MODE},
    {Sid(MenuFrcFilm), RowKind::BarSlider, O::OPTION_TYPE_FRC_FILM},
    {Sid(MenuFrcVideo), RowKind::BarSlider, O::OPTION_TYPE_FRC_VIDEO},
    {Sid(MenuDigitalNoiseReduction), RowKind::Value, O::OPTION_TYPE_DIGITAL_NR},
    {Sid(MenuAnalogNoiseReduction), RowKind::Value, S::OPTION_TYPE_DNR},
};
// Of the advanced settings this set offers the dynamic contrast alone.
constexpr uint8_t kAdvancedSettingsRemoved[] = {5, 6, 7, 2, 3, 4, 8, 9};
constexpr PageTable kAdvancedSettingsMenu{.title = Sid(MainMenuPicture),
                                          .subtitle = Sid(MenuAdvancedSettings),
                                          .back = "MenuSystem::BrcmPictureMenu",
                                          .level = 3,
                                          .rows = kAdvancedSettingsRows,
                                          .removed = kAdvancedSettingsRemoved};

constexpr RowDef kHVsizeRows[] = {
    {Sid(HSize), RowKind::BarSlider, O::OPTION_TYPE_HORIZONTAL_SIZE},
    {Sid(VSize), RowKind::Bar, O::OPTION_TYPE_VERTICAL_SIZE},
};
constexpr PageTable kHVsizeMenu{.title = Sid(MainMenuPicture),
                                .subtitle = Sid(MenuHVSize),
                                .back = "MenuSystem::BrcmPictureMenu",
                                .level = 3,
                                .rows = kHVsizeRows};

const PageListing kListed[] = {PageListing(kPictureMenu), PageListing(kPictureSettingsMenu),
                               PageListing(kAdvancedSettingsMenu), PageListing(kHVsizeMenu)};

}  // namespace

BrcmPictureMenu::BrcmPictureMenu() : BrcmSubMenu(kPictureMenu) {}
BrcmPictureSettingsMenu::BrcmPictureSettingsMenu() : BrcmSubMenu(kPictureSettingsMenu) {}
BrcmAdvancedSettingsMenu::BrcmAdvancedSettingsMenu() : BrcmSubMenu(kAdvancedSettingsMenu) {}
BrcmHVsizeMenu::BrcmHVsizeMenu() : BrcmSubMenu(kHVsizeMenu) {}

}  // namespace MenuSystem
