#include "MediaPlayer/MediaSetupPages.h"

#include "MenuSystem/PageTable.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"

VG_DEFINE_CLASS(MediaPlayer, MediaPlayerSetupMenu, ::MenuSystem::BrcmSubMenu)
VG_DEFINE_CLASS(MediaPlayer, PhotoFrameSetup, ::MenuSystem::BrcmSubMenu)
VG_DEFINE_CLASS(MediaPlayer, MediaRenderSetupMenu, ::MenuSystem::BrcmSubMenu)

namespace MediaPlayer {

namespace {

using namespace Strings;
using MenuSystem::PageTable;
using MenuSystem::RowKind;
using MenuSystem::RowDef;
using OptionDatabase::Fixed;
using OptionDatabase::Sid;
namespace S = SkinBin;

constexpr const char* kMediaMenu = "MenuSystem::AppMediaPlayerMenu";

constexpr RowDef kSetupRows[] = {
    {Sid(SID_SORT), RowKind::Value, S::OPTION_TYPE_MM_SORT},
    {Sid(SID_INTERVAL_TIME), RowKind::Value, S::OPTION_TYPE_MM_INTERVAL_TIME},
    {Fixed("Photo Repeat"), RowKind::Value, S::OPTION_TYPE_PHOTO_REPEAT},
    {Fixed("Movie Repeat"), RowKind::Value, S::OPTION_TYPE_MOVIE_REPEAT},
    {Fixed("Music Repeat"), RowKind::Value, S::OPTION_TYPE_MUSIC_REPEAT},
    {Sid(MediaPlayerSID_TV_AUTO_POWER_ON), RowKind::Value, SkinBin::OptionId(0x86, 0x06)},
    {Sid(SID_AUTO_POWER_OFF), RowKind::Value, S::OPTION_TYPE_TV_AUTO_POWEROFF},
    {Sid(SID_MAX_VOL_SETUP), RowKind::Slider, S::OPTION_TYPE_MAX_VOLUME_SETUP},
    {Sid(SID_BACKGROUND_MUSIC), RowKind::Value, S::OPTION_TYPE_BGM_ONOFF},
    {Sid(SID_BROWSE_MODE), RowKind::Value, S::OPTION_TYPE_PHOTO_BROWSE},
    {Fixed("Pop Message"), RowKind::Value, S::OPTION_TYPE_POP_MESSAGE},
    {Fixed("Forward Skip"), RowKind::Value, S::OPTION_TYPE_FORWARD_SKIP_TIME},
    {Fixed("Backward Skip"), RowKind::Value, S::OPTION_TYPE_BACKWARD_SKIP_TIME},
};
constexpr PageTable kSetupMenu{
    .title = Fixed("Media Player Setup"), .back = kMediaMenu, .level = 3, .rows = kSetupRows};

constexpr RowDef kPhotoFrameRows[] = {
    {Sid(SID_INTERVAL_TIME), RowKind::Value, S::OPTION_TYPE_MM_INTERVAL_TIME},
    {Sid(SID_BACKGROUND_MUSIC), RowKind::Value, S::OPTION_TYPE_BGM_ONOFF},
};
constexpr PageTable kPhotoFrameMenu{
    .title = Fixed("Photo Frame"), .back = "MenuSystem::PreferencesMenu", .level = 3, .rows = kPhotoFrameRows};

constexpr RowDef kRenderRows[] = {
    {Sid(SID_MEDIA_RENDERER), RowKind::Value, S::OPTION_TYPE_MEDIA_RENDERER},
};
constexpr PageTable kRenderMenu{.title = Sid(SID_MEDIA_RENDERER), .back = kMediaMenu, .level = 3, .rows = kRenderRows};

const MenuSystem::PageListing kListed[] = {MenuSystem::PageListing(kSetupMenu), MenuSystem::PageListing(kPhotoFrameMenu),
                                           MenuSystem::PageListing(kRenderMenu)};

}  // namespace

MediaPlayerSetupMenu::MediaPlayerSetupMenu() : BrcmSubMenu(kSetupMenu) {}
PhotoFrameSetup::PhotoFrameSetup() : BrcmSubMenu(kPhotoFrameMenu) {}
MediaRenderSetupMenu::MediaRenderSetupMenu() : BrcmSubMenu(kRenderMenu) {}

}  // namespace MediaPlayer
