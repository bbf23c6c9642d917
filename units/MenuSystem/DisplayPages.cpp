#include "MenuSystem/DisplayPages.h"

#include "AppServices/EventAgent.h"
#include "AppServices/Wrapper.h"
#include "Events/Events.h"
#include "MenuSystem/MenuItems.h"
#include "OptionDatabase/OptionTypes.h"
#include "Strings.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(MenuSystem, DisplaySettingsMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, PicturePositionMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, PCSettingsMenu, ::MenuSystem::ThirdMenu)

namespace MenuSystem {

namespace {

using namespace Strings;
using OptionDatabase::Sid;
namespace O = OptionDatabase;

::SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }

constexpr int32_t kResetPicturePosition = 41;
constexpr int32_t kResetPcSettings = 42;
// The view modes in which the picture can be moved.
constexpr int32_t kMovableViewModes[] = {3, 4};
constexpr int32_t kSignalPresent = 16;
constexpr const char* kBar = "NonMenuSystem::AdjustmentBar";
constexpr const char* kConfirm = "NonMenuSystem::ConfirmMultiOptionDialog";

bool NoAutoAspect(ThirdMenu&) { return Model()->OnGetAutoAspect() <= 0; }

// The picture moves in the zoom view modes, except for PC and outside
// signals and digital broadcasts.
bool PictureFixed(ThirdMenu& page) {
  if (When::SourceIs<::Wrapper::kSourceTypeVga, ::Wrapper::kSourceTypeExternal>(page)) return true;
  ::SkinBin::Wrapper* model = Model();
  const int32_t mode = model->OnGetViewMode();
  if (mode != kMovableViewModes[0] && mode != kMovableViewModes[1]) return true;
  if (!When::SourceIs<::Wrapper::kSourceTypeTuner, ::Wrapper::kSourceTypeDigitalTuner>(page)) return false;
  const ::Structures::VirtualChannel* channel = model->GetCurrentChannel();
  return channel && model->IsDigitalChannel(channel->Major, channel->Minor);
}

// The PC page needs a PC signal on the main window.
bool NoPcSignal(ThirdMenu& page) {
  if (!When::SourceIs<::Wrapper::kSourceTypeVga>(page)) return true;
  ::SkinBin::Wrapper* model = Model();
  auto* acquired = vg_cast<Events::XPM_EVENT_SOURCE_ACQUIRED>(MainApp::GetEventAgent()->GetMainWindowAcquiredEvent());
  return !acquired || acquired->SourceId != model->GetCurrentSource(0) || acquired->Status != kSignalPresent;
}

constexpr RowDef kDisplayRows[] = {
    Item<SubMenuItemValueSelect>(Sid(SID_AUTO_ASPECT), O::OPTION_TYPE_AUTO_ASPECT)
        .Changed(PageSlot<&DisplaySettingsMenu::RefreshGrayout>),
    Item<SubMenuItemValueSelect>(Sid(SID_4_3_STRETCH), O::OPTION_TYPE_4_3_STRETCH),
    Item<SubMenuItem>(Sid(SID_PICTURE_POSITION), 0, "MenuSystem::PicturePositionMenu"),
    Item<SubMenuItem>(Sid(SID_PC_SETTINGS), 0, "MenuSystem::PCSettingsMenu"),
};
constexpr RowRule kDisplayDisabled[] = {{2, NoAutoAspect}, {3, PictureFixed}, {4, NoPcSignal}};
constexpr PageTable kDisplayMenu{.title = Sid(SID_DISPLAY_SETTINGS),
                                 .back = "MenuSystem::PreferencesMenu",
                                 .level = 4,
                                 .rows = kDisplayRows,
                                 .winId = WinIDs::WIN_ID_DisplaySettingsMenu,
                                 .disabled = kDisplayDisabled};

constexpr RowDef kPositionRows[] = {
    Item<AdjustItemSlider>(Sid(SID_VERT_POSITION), O::OPTION_TYPE_VERTICAL_POSITION, kBar).Flags(NoMiddlePoint),
    Item<SubMenuItem>(Sid(SID_RESET), kResetPicturePosition, kConfirm),
};
constexpr PageTable kPositionMenu{.title = Sid(SID_PICTURE_POSITION),
                                  .back = "MenuSystem::DisplaySettingsMenu",
                                  .level = 5,
                                  .rows = kPositionRows,
                                  .winId = WinIDs::WIN_ID_PicturePositionMenu};

constexpr RowDef kPcRows[] = {
    Item<AdjustItemSlider>(Sid(SID_HORZ_POSITION), O::OPTION_TYPE_HORIZONTAL_POSITION, kBar),
    Item<AdjustItemSlider>(Sid(SID_VERT_POSITION), O::OPTION_TYPE_VERTICAL_POSITION, kBar),
    Item<AdjustItemSlider>(Sid(SID_CLOCK_PHASE), O::OPTION_TYPE_VGA_PHASE, kBar),
    Item<AdjustItemSlider>(Sid(SID_SAMPLING_CLOCK), O::OPTION_TYPE_HORIZONTAL_SIZE, kBar),
    Item<SubMenuItem>(Sid(SID_RESET), kResetPcSettings, kConfirm),
};
constexpr PageTable kPcMenu{.title = Sid(SID_PC_SETTINGS),
                            .back = "MenuSystem::DisplaySettingsMenu",
                            .level = 5,
                            .rows = kPcRows,
                            .winId = WinIDs::WIN_ID_PCSettingsMenu};

const PageListing kListed[] = {PageListing(kDisplayMenu), PageListing(kPositionMenu), PageListing(kPcMenu)};

}  // namespace

DisplaySettingsMenu::DisplaySettingsMenu() : ThirdMenu(kDisplayMenu) {}

void DisplaySettingsMenu::RefreshGrayout(XObject* sender) {
  ::SkinBin::Wrapper* model = Model();
  if (model->OnGetAutoAspect() <= 0 && model->OnGetStretch43()) {
    model->OnSetStretch43(0);
    LoadSettings();
  }
  ThirdMenu::RefreshGrayout(sender);
}

PicturePositionMenu::PicturePositionMenu() : ThirdMenu(kPositionMenu) {}

PCSettingsMenu::PCSettingsMenu() : ThirdMenu(kPcMenu) {}

}  // namespace MenuSystem
