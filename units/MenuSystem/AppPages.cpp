#include "MenuSystem/AppPages.h"

#include <array>
#include <cctype>
#include <string>
#include <utility>

#include "AppServices/MediaWrapper.h"
#include "AppServices/Messages.h"
#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "Constants/Constants.h"
#include "Media/MediaWrapper.h"
#include "MenuSystem/EntryItems.h"
#include "MenuSystem/MenuItems.h"
#include "MenuSystem/MenuSystem.h"
#include "OptionDatabase/OptionTypes.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "Structures/Devices.h"
#include "SubSystem/Open.h"
#include "Views/Text.h"
#include "WidgetManager/WidgetManager.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(MenuSystem, ApplicationsMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, AppMediaPlayerMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, AutoDemoMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, DummyMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, NetflixSetupMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, NetworkSetupMenu, ::MenuSystem::ThirdMenu)

namespace MenuSystem {

namespace {

using namespace Strings;
using OptionDatabase::Fixed;
using OptionDatabase::Sid;
namespace O = OptionDatabase;
namespace S = SkinBin;

::SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }

constexpr const char* kBrowser = "NonMenuSystem::ChBrowserDialog";
constexpr const char* kConfirm = "NonMenuSystem::ConfirmMultiOptionDialog";
constexpr const char* kDeviceSelect = "MediaPlayer::MediaDeviceSelectDialog";
constexpr int32_t kFavoritesList = 3;
constexpr int32_t kStreamingDeactivation = 3;
// The media kinds the device selection is opened for.
constexpr int32_t kMediaMusic = 1;
constexpr int32_t kMediaPhoto = 2;
constexpr int32_t kMediaMovie = 3;
// The widget application's modes.
// Application ids of the Flash applications in the active-application record.
constexpr int32_t kFlashAppIds[] = {3, 4};

bool NetApp(ThirdMenu& page) { return When::NetAppActive(page); }
bool InHome(ThirdMenu&) { return Model()->OnGetLocation() == 0; }

// ------------------------------------------------------------ applications

constexpr RowDef kAppRows[] = {
    Item<SubMenuItem>(Sid(SID_WIDGETS)),
    Item<SubMenuItem>(Sid(SID_NET_TV)),
    Item<SubMenuItem>(Sid(SID_DUMMY), 0, "MenuSystem::DummyMenu"),
    Item<SubMenuItem>(Sid(SID_MEDIA_PLAYER_PAGE), 0, "MenuSystem::AppMediaPlayerMenu"),
    Item<SubMenuItem>(Sid(SID_CHANNEL_BROWSER), 0, kBrowser),
    Item<SubMenuItem>(Sid(SID_FAVORITES_BROWSER), 0, kBrowser),
    Item<SubMenuItem>(Sid(SID_ON_TIMER_PAGE), 0, "MenuSystem::OnTimerMenu"),
    Item<TimerSetItem>(Sid(SID_SLEEP_TIMER_SETTING), S::OPTION_TYPE_SLEEP_TIMER),
    Item<SubMenuItem>(Sid(SID_AUTO_DEMO), 0, "MenuSystem::AutoDemoMenu"),
};
enum AppRow : int32_t {
  kWidgets = 1, kNetTv, kDummy, kMediaPlayer, kChannelBrowser, kFavoritesBrowser, kOnTimer, kSleepTimer, kAutoDemo
};
// The launcher page is kept, but no page shows the row that leads to it.
constexpr uint8_t kAppRemoved[] = {kDummy};
constexpr RowRule kAppRemovedWhen[] = {{kAutoDemo, InHome}};
bool NoFavorites(ThirdMenu&) { return Model()->OnGetFavoritesList() == 0; }
bool NoBrowserLists(ThirdMenu&) { return Model()->GetCBListsNum() == 0; }
constexpr RowRule kAppDisabled[] = {{kFavoritesBrowser, NoFavorites}, {kFavoritesBrowser, NetApp},
                                    {kChannelBrowser, NoBrowserLists}, {kChannelBrowser, NetApp},
                                    {kMediaPlayer, NetApp},           {kAutoDemo, NetApp}};
constexpr PageTable kAppMenu{.title = Sid(SID_APPLICATIONS_PAGE),
                             .back = nullptr,
                             .rows = kAppRows,
                             .removed = kAppRemoved,
                             .winId = WinIDs::WIN_ID_ApplicationsMenu,
                             .removedWhen = kAppRemovedWhen,
                             .disabled = kAppDisabled};

// ------------------------------------------------------------ media player

constexpr RowDef kMediaRows[] = {
    Item<SubMenuItem>(Sid(SID_PHOTO), kMediaPhoto, kDeviceSelect),
    Item<SubMenuItem>(Sid(SID_MOVIE), kMediaMovie, kDeviceSelect),
    Item<SubMenuItem>(Sid(SID_MUSIC), kMediaMusic, kDeviceSelect),
    Item<SubMenuItem>(Sid(SID_MEDIA_SETUP), 0, "MediaPlayer::MediaPlayerSetupMenu"),
};
// Without a medium or a server there is nothing to play.
bool NoMedia(ThirdMenu&) {
  ::Media::MediaWrapper* media = MainApp::GetMediaWrapper();
  return media->GetMediumCount() + media->GetRegisteredServerCount() < 1;
}
constexpr RowRule kMediaDisabled[] = {{1, NoMedia}, {2, NoMedia}, {3, NoMedia}};
constexpr PageTable kMediaMenu{.title = Sid(SID_MEDIA_PLAYER_PAGE),
                               .back = "MenuSystem::ApplicationsMenu",
                               .level = 4,
                               .rows = kMediaRows,
                               .winId = WinIDs::WIN_ID_AppMediaPlayerMenu,
                               .disabled = kMediaDisabled};

// ------------------------------------------------------------ retail demo

constexpr RowDef kDemoRows[] = {
    Item<SubMenuItemValueSelect>(Sid(SID_STICKER_DEMO), S::OPTION_TYPE_STICKER_DEMO)
        .Changed(PageSlot<&ThirdMenu::RefreshGrayout>),
    Item<SubMenuItemValueSelect>(Sid(SID_COUNTRY), S::OPTION_TYPE_COUNTRY),
    Item<SubMenuItem>(Sid(SID_START_DEMO)),
};
enum DemoRow : int32_t { kStartDemo = 3 };
bool NoStickerDemo(ThirdMenu&) { return Model()->OnGetStickerDemo() == 0; }
constexpr RowRule kDemoDisabled[] = {{kStartDemo, NoStickerDemo}};
constexpr PageTable kDemoMenu{.title = Sid(SID_AUTO_DEMO),
                              .back = "MenuSystem::ApplicationsMenu",
                              .level = 4,
                              .rows = kDemoRows,
                              .winId = WinIDs::WIN_ID_AutoDemoMenu,
                              .disabled = kDemoDisabled};

// -------------------------------------------------------------- launchers

// A launcher row: the Flash application's index, or the movie dock.
struct Launcher {
  OptionDatabase::TextRef caption;
  int32_t flashApp;
};
constexpr int32_t kVuduDock = -1;
constexpr Launcher kLaunchers[] = {
    {Fixed("Netflix"), 1},         {Fixed("VUDU"), kVuduDock},  {Fixed("YouTube"), 9}, {Fixed("Skype"), 10},
    {Fixed("CinemaNow Blue"), 7}, {Fixed("Blockbuster"), 8}, {Fixed("Napster"), 6}, {Fixed("Pandora"), 5},
};
template <size_t... I>
constexpr auto LauncherRows(std::index_sequence<I...>) {
  return std::array<RowDef, sizeof...(I)>{Item<SubMenuItem>(kLaunchers[I].caption)...};
}
constexpr auto kDummyRows = LauncherRows(std::make_index_sequence<std::size(kLaunchers)>());
constexpr PageTable kDummyMenu{.title = Sid(SID_DUMMY),
                               .back = "MenuSystem::ApplicationsMenu",
                               .level = 4,
                               .rows = kDummyRows,
                               .winId = WinIDs::WIN_ID_DummyMenu};

// ---------------------------------------------------------------- Netflix

// The streaming service cannot be deactivated while it runs.
bool StreamingRuns(ThirdMenu&) {
  const ::Structures::ActiveAppStatus* app = Model()->GetActiveNetAppStatus();
  if (!app || (app->AppId != kFlashAppIds[0] && app->AppId != kFlashAppIds[1])) return false;
  std::string name = VgStringToUtf8(app->Name);
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name.find("netflix") != std::string::npos;
}
constexpr RowDef kNetflixRows[] = {
    Item<SubMenuItem>(Sid(SID_ESN), 0, "Network::ESNDialog"),
    Item<SubMenuItem>(Sid(SID_CONFIRM_STREAMING_DEACTIVATION), kStreamingDeactivation, kConfirm),
};
constexpr RowRule kNetflixDisabled[] = {{2, StreamingRuns}};
constexpr PageTable kNetflixMenu{.title = Sid(SID_NETFLIX_SETUP),
                                 .back = "MenuSystem::PreferencesMenu",
                                 .level = 4,
                                 .rows = kNetflixRows,
                                 .winId = WinIDs::WIN_ID_NetflixSetupMenu,
                                 .disabled = kNetflixDisabled};

// ---------------------------------------------------------------- network

constexpr RowDef kNetworkRows[] = {
    Item<SubMenuItemValueSelect>(Sid(SID_NETWORK_TYPE), O::OPTION_TYPE_NETWORK_TYPE)
        .Changed(PageSlot<&ThirdMenu::RefreshGrayout>),
    Item<SubMenuItem>(Sid(SID_WIRELESS_SETUP), 0, "Network::WirelessSetupMenu"),
    Item<SubMenuItem>(Sid(SID_ADVANCED_NETWORK_SETUP), 0, "Network::AdvancedNetworkSetupMenu"),
    Item<SubMenuItem>(Sid(SID_NETWORK_CONNECTION_TEST), 0, "Network::NetworkConnectionTest"),
};
bool Wired(ThirdMenu&) { return Model()->OnGetNetworkType() == 0; }
constexpr RowRule kNetworkDisabled[] = {{2, Wired}};
constexpr PageTable kNetworkMenu{.title = Sid(SID_NETWORK_SETUP),
                                 .back = "MenuSystem::PreferencesMenu",
                                 .level = 4,
                                 .rows = kNetworkRows,
                                 .winId = WinIDs::WIN_ID_NetworkSetupMenu,
                                 .disabled = kNetworkDisabled};

const PageListing kListed[] = {PageListing(kAppMenu),   PageListing(kMediaMenu),   PageListing(kDemoMenu),
                               PageListing(kDummyMenu), PageListing(kNetflixMenu), PageListing(kNetworkMenu)};

}  // namespace

// ---------------------------------------------------------- applications

ApplicationsMenu::ApplicationsMenu() : ThirdMenu(kAppMenu) {
  for (int32_t n : {kWidgets, kNetTv})
    if (SubMenuItem* row = Row(n)) row->OnActivate = VgSlotOf<&ApplicationsMenu::LaunchYahoo>(this);
  if (SubMenuItem* row = Row(kFavoritesBrowser)) row->OnActivate = VgSlotOf<&ApplicationsMenu::EnterBrowser>(this);
  if (auto* sleep = vg_cast<TimerSetItem>(Row(kSleepTimer)))
    sleep->OnIsEditChanged = VgSlotOf<&ApplicationsMenu::DoEditModeChanged>(this);
}

void ApplicationsMenu::LaunchYahoo(XObject* sender) {
  auto* row = vg_cast<SubMenuItem>(sender);
  if (!row || row->IsDisabled) return;
  using System = ::MenuSystem::MenuSystem;
  System::LaunchWidgets(row->Tag == kNetTv ? System::NetTvMode : System::WidgetsMode);
}

void ApplicationsMenu::EnterBrowser(XObject* sender) {
  auto* row = vg_cast<SubMenuItem>(sender);
  auto* system = SystemOf(this);
  if (!row || row->IsDisabled || row->Tag != kFavoritesBrowser || !system) return;
  ::SkinBin::Wrapper* model = Model();
  if (model->OnGetCurrentCBList() != kFavoritesList) model->OnSetCurrentCBList(kFavoritesList);
  DoActivate(sender);
}

void ApplicationsMenu::DoEditModeChanged(XObject* sender) { DoFocus(sender); }

// ---------------------------------------------------------- sub-pages

AppMediaPlayerMenu::AppMediaPlayerMenu() : ThirdMenu(kMediaMenu) {}

AutoDemoMenu::AutoDemoMenu() : ThirdMenu(kDemoMenu) {
  if (SubMenuItem* start = Row(kStartDemo)) {
    start->OnSetTextAlignH(Views::Text::AlignCentre);
    start->OnActivate = VgSlotOf<&AutoDemoMenu::StartDemoSlot>(this);
  }
}

void AutoDemoMenu::StartDemoSlot(XObject* sender) {
  auto* row = vg_cast<SubMenuItem>(sender);
  if (row && row->IsDisabled) return;
  Model()->OnSetStartDemo(true);
  MainApp::SendMessage(Constants::MSG_CLEAR_ALL);
}

DummyMenu::DummyMenu() : ThirdMenu(kDummyMenu) {
  for (int32_t n = 1; n <= static_cast<int32_t>(std::size(kLaunchers)); ++n)
    if (SubMenuItem* row = Row(n)) row->OnActivate = VgSlotOf<&DummyMenu::DoActivateChannels>(this);
}

void DummyMenu::DoActivateChannels(XObject* sender) {
  auto* row = vg_cast<SubMenuItem>(sender);
  if (!row || row->Tag < 1 || row->Tag > static_cast<int32_t>(std::size(kLaunchers))) return;
  const Launcher& launcher = kLaunchers[row->Tag - 1];
  if (launcher.flashApp == kVuduDock)
    Model()->LaunchVuduDock(true);
  else
    Model()->LaunchFlashApp(launcher.flashApp);
  MainApp::SendMessage(Constants::MSG_CLEAR_ALL);
}

NetflixSetupMenu::NetflixSetupMenu() : ThirdMenu(kNetflixMenu) {}

NetworkSetupMenu::NetworkSetupMenu() : ThirdMenu(kNetworkMenu) {}

void NetworkSetupMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ThirdMenu::Initialize(parameter);
  if (MainApp::GetWidgetManager()->FindForm(WinIDs::WIN_ID_NetworkMenu)) OnSetIsShortcut(true);
}

}  // namespace MenuSystem
