#include "MenuSystem/ChannelPages.h"

#include "AppServices/PersistentData.h"
#include "AppServices/Wrapper.h"
#include "Colors/Colors.h"
#include "MenuSystem/MenuSystem.h"
#include "NonMenuSystem/PinTypes.h"
#include "OptionDatabase/OptionTypes.h"
#include "PersistentData/PersistentData.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"

VG_DEFINE_CLASS(MenuSystem, BrcmChannelsMenu, ::MenuSystem::BrcmSubMenu)
VG_DEFINE_CLASS(MenuSystem, BrcmLocksMenu, ::MenuSystem::BrcmSubMenu)
VG_DEFINE_CLASS(MenuSystem, BrcmRatingsLocksMenu, ::MenuSystem::BrcmSubMenu)

namespace MenuSystem {

namespace {

using namespace Strings;
using OptionDatabase::Fixed;
using OptionDatabase::Sid;
namespace O = OptionDatabase;
namespace S = SkinBin;

// The channel scan is behind the parental PIN: PIN type 3 leads on to the
// scan confirmation, which the row's parameter 3 opens without a PIN.
constexpr int32_t kScanParameter = 3;
constexpr int32_t kConfirmResetLocks = 53;
constexpr int32_t kChangePinFromLocks = 3;

// The rows numbered as the Channel page's table numbers them.
constexpr int32_t kFavoritesRow = 2;
constexpr int32_t kEpgSetupRow = 10;
constexpr int32_t kEpgServiceRow = 11;

constexpr RowDef kChannelsRows[] = {
    {Sid(ChannelsMenuMasterList), RowKind::Dialog, 0, "Channels::ChannelOptionDialog"},
    {Sid(ChannelsMenuFavorites), RowKind::Dialog, 0, "NonMenuSystem::ChBrowserDialog"},
    {Sid(SID_TUNER), RowKind::Value, O::OPTION_TYPE_ANT_CABLE_IN},
    {Sid(ChannelsMenuAdditiveScan), RowKind::Value, O::OPTION_TYPE_ADDITIVE_SCAN},
    {Sid(ChannelsMenuAddAnalog), RowKind::Value, O::OPTION_TYPE_ADD_ANALOG},
    {Sid(ChannelsMenuAddDigital), RowKind::Value, O::OPTION_TYPE_ADD_DIGITAL},
    {Sid(ChannelsMenuScanChannels), RowKind::Dialog, kScanParameter, "Channels::AutoTuningConfirmDialog", NonMenuSystem::kPinTypeScan},
    {Sid(ChannelsMenuFindChannel), RowKind::Dialog, 0, "Channels::ManualTuningDialog"},
    {Fixed("Full EPG Scan"), RowKind::Dialog, 0, "Channels::FullEPGScanConfirmDialog"},
    {Fixed("EPG Setup"), RowKind::Dialog, 0, "Channels::EPGLoginAccountDialog"},
    {Fixed("EPG Data Service"), RowKind::Value, S::OPTION_TYPE_EPG_SERVICE},
    {Fixed("EPG Tuning Mode"), RowKind::Value, S::OPTION_TYPE_EPG_TUNING_MODE},
    {Fixed("Channel Logo Setting"), RowKind::Dialog, 0, "Channels::ChannelLogoSettingDialog"},
};
// This set has no full guide scan and none of the add-scan settings.
constexpr uint8_t kChannelsRemoved[] = {9, 4, 5, 6};
constexpr PageTable kChannelsMenu{
    .title = Sid(SID_CHANNEL), .rows = kChannelsRows, .removed = kChannelsRemoved};

constexpr RowDef kLocksRows[] = {
    {Sid(LocksMenuRatingsLocks), RowKind::Page, 0, "MenuSystem::BrcmRatingsLocksMenu"},
    {Sid(LocksMenuChannelLocks), RowKind::Dialog, 0, "Channels::ChannelLockDialog"},
    {Sid(LocksMenuFrontPanelLock), RowKind::Value, O::OPTION_TYPE_PANEL_LOCK},
    {Sid(LocksMenuChangePIN), RowKind::Page, kChangePinFromLocks, "MenuSystem::ChangePinMenu"},
    {Sid(SID_CONFIRM_RESET_LOCKS), RowKind::Dialog, kConfirmResetLocks, "NonMenuSystem::ConfirmMultiOptionDialog"},
};
constexpr PageTable kLocksMenu{.title = Sid(MainMenuLocks), .rows = kLocksRows};

constexpr int32_t kDownloadableRow = 6;
constexpr RowDef kRatingsLocksRows[] = {
    {Sid(RatingLocksMenuBlockUnratedShows), RowKind::Value, O::OPTION_TYPE_BLOCK_UNRATED_CONTENT},
    {Sid(RatingLocksMenuUSATV), RowKind::Dialog, 0, "ParentalLocks::USTVRatingsDialog"},
    {Sid(RatingLocksMenuUSAMovie), RowKind::Dialog, 0, "ParentalLocks::USMovieRatingsDialog"},
    {Sid(RatingLocksMenuCANEnglish), RowKind::Dialog, 0, "ParentalLocks::CANEnglishRatingsDialog"},
    {Sid(RatingLocksMenuCANFrench), RowKind::Dialog, 0, "ParentalLocks::CANFrenchRatingsDialog"},
    {Sid(RatingLocksMenuDownloadable), RowKind::Dialog, 0, "ParentalLocks::RRTDimensionDialog"},
};
constexpr PageTable kRatingsLocksMenu{.title = Sid(MainMenuLocks),
                                      .subtitle = Sid(LocksMenuRatingsLocks),
                                      .back = "MenuSystem::BrcmLocksMenu",
                                      .level = 3,
                                      .rows = kRatingsLocksRows};

const PageListing kListed[] = {PageListing(kChannelsMenu), PageListing(kLocksMenu), PageListing(kRatingsLocksMenu)};

// The channel browser's lists: every channel of an input's own, the current
// tuner's favourites on a tuner.
constexpr int32_t kBrowserListInput = 0;
constexpr int32_t kBrowserListTuner = 3;

const char16_t kRegionKey[] = u"RRTRegion";

}  // namespace

// ------------------------------------------------------------------ Channel

BrcmChannelsMenu::BrcmChannelsMenu() : BrcmSubMenu(kChannelsMenu) { NeedAdjustCurrentItemIndex = true; }

void BrcmChannelsMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  if (!MainApp::GetWrapper()->HasEPGTheme()) {
    RemoveRow(kEpgSetupRow);
    RemoveRow(kEpgServiceRow);
  }
  CurrentItemIndex = StoredItemIndex();
  BrcmSubMenu::Initialize(parameter);
  ApplyCurrentItemIndex();
}

void BrcmChannelsMenu::LoadSettings() {
  BrcmSubMenu::LoadSettings();
  BrcmSubMenuItem* row = Row(kEpgSetupRow);
  if (!row) return;
  const bool selected = MainApp::GetWrapper()->OnGetEPGSelection() != 0;
  row->Nonfocused_TextColor = selected ? Colors::White : Colors::DisableTextColor;
  row->OnSetIsEnabled(selected);
}

void BrcmChannelsMenu::DoActivate(XObject* sender) {
  if (sender && sender == Row(kFavoritesRow)) {
    ::SkinBin::Wrapper* model = MainApp::GetWrapper();
    const bool tuner = model->IsRFSourceType(model->GetSourceType(model->GetCurrentSource(0)));
    const int32_t list = tuner ? kBrowserListTuner : kBrowserListInput;
    if (model->OnGetCurrentCBList() != list) model->OnSetCurrentCBList(list);
  }
  BrcmSubMenu::DoActivate(sender);
}

// -------------------------------------------------------------------- Locks

BrcmLocksMenu::BrcmLocksMenu() : BrcmSubMenu(kLocksMenu) { FocusOnOpen = true; }

// ----------------------------------------------------------- Ratings Locks

BrcmRatingsLocksMenu::BrcmRatingsLocksMenu() : BrcmSubMenu(kRatingsLocksMenu) { NeedAdjustCurrentItemIndex = true; }

void BrcmRatingsLocksMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  const int32_t region = MainApp::GetPersistentData()->GetInteger(VgNewString(kRegionKey));
  bool downloadable = false;
  if (region != 0) {
    ::SkinBin::DynamicRatingData& ratings = MainApp::GetWrapper()->DynamicRatingData;
    ratings.SetRegionDimension(region, 0);
    ratings.GetRegionInfo();
    downloadable = ratings.RegionValid && ratings.NumDimensions >= 1;
  }
  CurrentItemIndex = StoredItemIndex();
  if (!downloadable) {
    RemoveRow(kDownloadableRow);
    if (CurrentItemIndex > ItemsNum) CurrentItemIndex = 1;
  }
  BrcmSubMenu::Initialize(parameter);
  ApplyCurrentItemIndex();
}

}  // namespace MenuSystem
