#include "Network/WirelessSetupMenu.h"

#include "AppServices/Wrapper.h"
#include "MenuSystem/MenuItems.h"
#include "MenuSystem/MenuSystem.h"
#include "Network/EasySetup.h"
#include "OptionDatabase/OptionTypes.h"
#include "Strings.h"
#include "Structures/Devices.h"
#include "SubSystem/Open.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(Network, WirelessSetupMenu, MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(Network, EasySetupMenu, MenuSystem::ThirdMenu)

namespace Network {

namespace {

using MenuSystem::Item;
using MenuSystem::PageListing;
using MenuSystem::PageTable;
using MenuSystem::RowDef;
using MenuSystem::SubMenuItem;
using MenuSystem::SubMenuItemValueSelect;
using OptionDatabase::Sid;
using namespace Strings;
namespace O = OptionDatabase;

constexpr RowDef kWirelessRows[] = {
    Item<SubMenuItem>(Sid(SID_EASY_SETUP), 0, "Network::EasySetupMenu"),
    Item<SubMenuItem>(Sid(SID_ASSISTED_SETUP), 0, "Network::AssistedSetup_ApList"),
    Item<SubMenuItem>(Sid(SID_MANUAL_SETUP), 0, "Network::ManualSetup_ApInfo"),
    Item<SubMenuItemValueSelect>(Sid(SID_ENHANCED_11N), O::OPTION_TYPE_ENHANCED_11N),
};
// The set never offers the 11n switch here.
constexpr uint8_t kWirelessRemoved[] = {4};
constexpr PageTable kWirelessSetupMenu{.title = Sid(SID_WIRELESS_SETUP),
                                       .back = "MenuSystem::NetworkSetupMenu",
                                       .level = 5,
                                       .rows = kWirelessRows,
                                       .removed = kWirelessRemoved,
                                       .winId = WinIDs::WIN_ID_NetworkSetupMenu};

constexpr int32_t kStartScanRow = 2;
constexpr RowDef kEasyRows[] = {
    Item<SubMenuItemValueSelect>(Sid(SID_WPS_CONFIGURATION), O::OPTION_TYPE_WPS_CONFIGURATION),
    Item<SubMenuItem>(Sid(SID_START_SCAN)),
};
constexpr PageTable kEasySetupMenu{.title = Sid(SID_EASY_SETUP),
                                   .back = "Network::WirelessSetupMenu",
                                   .level = 6,
                                   .rows = kEasyRows,
                                   .winId = WinIDs::WIN_ID_NetworkSetupMenu};

const PageListing kListed[] = {PageListing(kWirelessSetupMenu), PageListing(kEasySetupMenu)};

// The value of the WPS configuration that joins by PIN.
constexpr int32_t kWpsByPin = 1;

}  // namespace

WirelessSetupMenu::WirelessSetupMenu() : ThirdMenu(kWirelessSetupMenu) {}

EasySetupMenu::EasySetupMenu() : ThirdMenu(kEasySetupMenu) {
  if (SubMenuItem* start = Row(kStartScanRow)) start->OnSetTextAlignH(Views::Text::AlignCentre);
}

void EasySetupMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ThirdMenu::Initialize(parameter);
  OnSetBounds({Bounds.x1, Bounds.y1, Bounds.x2, Bounds.y1 + Height});
  Refresh();
}

void EasySetupMenu::DoActivate(XObject* sender) {
  if (sender && sender == Row(kStartScanRow)) {
    StartScanSlot(sender);
    return;
  }
  ThirdMenu::DoActivate(sender);
}

void EasySetupMenu::StartScanSlot(XObject*) {
  MenuSystem::MenuSystem* system = MenuSystem::SystemOf(this);
  const int32_t index = OnGetCurrentItemIndex();
  Close();
  if (!system) return;
  system->SetMenuIndex(MenuLevel, index);
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  if (model->OnGetWPSConfiguration() == kWpsByPin) {
    SubSystem::Open(system, {.screen = &EasySetupPIN_ApList::Class});
    return;
  }
  auto* request = VgNew<Structures::WPS_Connection>();
  request->Value = 1;  // by push button
  model->NetworkSetup.WPS_Join(request);
  SubSystem::Open(system, {.screen = &EasySetupPBC::Class});
}

}  // namespace Network
