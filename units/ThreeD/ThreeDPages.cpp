#include "ThreeD/ThreeDPages.h"

#include "AppServices/Wrapper.h"
#include "MenuSystem/MenuItems.h"
#include "NonMenuSystem/ConfirmTypes.h"
#include "NonMenuSystem/PinTypes.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "SubSystem/Open.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(ThreeD, ThreeDMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(ThreeD, ThreeDPinMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(ThreeD, ThreeDSafetyMenu, ::MenuSystem::ThirdMenu)

namespace ThreeD {

namespace {

using namespace MenuSystem;
using namespace Strings;
using OptionDatabase::Sid;
namespace S = SkinBin;

::SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }

constexpr const char* kChangePin = "NonMenuSystem::ChangePinDialog";
// The 3D PIN's change type.
constexpr int32_t kThreeDPinChange = 2;

enum ThreeDRow : int32_t { kDepthRow = 1, kPinRow = 3, kSafetyRow = 4 };
constexpr RowDef kThreeDRows[] = {
    Item<AdjustItemSlider>(Sid(SID_2D_3D_Depth), S::OPTION_TYPE_2D_3D_DEPTH, "NonMenuSystem::AdjustmentBar")
        .Flags(NoMiddlePoint),
    Item<SubMenuItemValueSelect>(Sid(SID_3D_AUTO_START), S::OPTION_TYPE_3D_AUTO_START),
    Item<SubMenuItem>(Sid(SID_3D_PIN), 0, "ThreeD::ThreeDPinMenu"),
    Item<SubMenuItem>(Sid(SID_3D_SAFETY_SETTINGS), NonMenuSystem::kPinTypeThreeDSafety, SubSystem::PinDialogClass),
    Item<SubMenuItem>(Sid(SID_3D_IMPORTANT_INFO), 0, "ThreeD::ImportantInfoDialog"),
};
constexpr PageTable kThreeDMenu{.title = Sid(SID_3D_SETUP),
                                .back = "MenuSystem::PreferencesMenu",
                                .level = 4,
                                .rows = kThreeDRows,
                                .winId = WinIDs::WIN_ID_ThreeDMenu};

constexpr RowDef kPinRows[] = {
    Item<SubMenuItem>(Sid(SID_CHANGE_PIN), kThreeDPinChange, kChangePin),
    Item<SubMenuItem>(Sid(SID_DELETE_PIN), NonMenuSystem::ConfirmTypeDelete3DPin,
                      "NonMenuSystem::ConfirmMultiOptionDialog"),
};
constexpr PageTable kPinMenu{.title = Sid(SID_3D_PIN),
                             .back = "ThreeD::ThreeDMenu",
                             .level = 5,
                             .rows = kPinRows,
                             .winId = WinIDs::WIN_ID_ThreeDPinMenu};

constexpr int32_t kTimerLockRow = 3;
constexpr RowDef kSafetyRows[] = {
    Item<SubMenuItemValueSelect>(Sid(SID_3D_START_MESSAGE), S::OPTION_TYPE_3D_START_MESSAGE),
    Item<SubMenuItemValueSelect>(Sid(SID_3D_LOCK), S::OPTION_TYPE_3D_LOCK),
    Item<SubMenuItemValueSelect>(Sid(SID_3D_TIMER_LOCK), S::OPTION_TYPE_3D_TIMER_LOCK),
    Item<SubMenuItemValueSelect>(Sid(SID_ENABLE_3D_TIMER), S::OPTION_TYPE_ENABLE_3D_TIMER),
};
constexpr PageTable kSafetyMenu{.title = Sid(SID_3D_SAFETY_SETTINGS),
                                .back = "ThreeD::ThreeDMenu",
                                .level = 5,
                                .rows = kSafetyRows,
                                .winId = WinIDs::WIN_ID_ThreeDSafetyMenu};

const PageListing kListed[] = {PageListing(kThreeDMenu), PageListing(kPinMenu), PageListing(kSafetyMenu)};

}  // namespace

// ---------------------------------------------------------------- 3D page

ThreeDMenu::ThreeDMenu() : ThirdMenu(kThreeDMenu) {}

void ThreeDMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ThirdMenu::Initialize(parameter);
  SubMenuItem* pin = Row(kPinRow);
  SubMenuItem* safety = Row(kSafetyRow);
  if (!pin || !safety) return;
  const bool hasPin = Model()->Is3DPinExisting();
  safety->OnSetIsDisabled(!hasPin);
  if (hasPin)
    pin->LeadTo(SubSystem::PinDialogClass, NonMenuSystem::kPinTypeThreeDPinMenu);
  else
    pin->LeadTo(kChangePin, kThreeDPinChange);
}

void ThreeDMenu::RefreshGrayout(XObject* sender) {
  ThirdMenu::RefreshGrayout(sender);
  ::SkinBin::Setup3D& keeper = Model()->Setup3D;
  keeper.RefreshState();
  const bool converting = keeper.State == ::SkinBin::Setup3D::kState2DTo3D && keeper.Mode == ::SkinBin::Setup3D::kFormat2D;
  if (!converting)
    if (SubMenuItem* depth = Row(kDepthRow)) depth->OnSetIsDisabled(true);
}

// ------------------------------------------------------------ PIN, safety

ThreeDPinMenu::ThreeDPinMenu() : ThirdMenu(kPinMenu) {}

ThreeDSafetyMenu::ThreeDSafetyMenu() : ThirdMenu(kSafetyMenu) {}

void ThreeDSafetyMenu::RefreshGrayout(XObject* sender) {
  ThirdMenu::RefreshGrayout(sender);
  ::SkinBin::Wrapper* model = Model();
  const bool locked = model->OnGetThreeDLock() != 0;
  if (!locked) {
    model->OnSetThreeDTimerLock(0);
    LoadSettings();
  }
  if (SubMenuItem* timer = Row(kTimerLockRow)) timer->OnSetIsDisabled(!locked);
}

}  // namespace ThreeD
