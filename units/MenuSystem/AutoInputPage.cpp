#include "MenuSystem/AutoInputPage.h"

#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "MenuSystem/MenuItems.h"
#include "OptionDatabase/OptionData.h"
#include "Resources/Bitmap.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "WinIDs/WinIDs.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(MenuSystem, AutoInputMenu, ::MenuSystem::ThirdMenu)

namespace MenuSystem {

namespace {

using namespace Strings;
using OptionDatabase::Sid;
namespace S = SkinBin;

constexpr int32_t kResetAutoInput = 37;
constexpr VgRect kPage{0, 0, 756, 320};
constexpr int32_t kRowsLeft = 240;
constexpr int32_t kRowsTop = 110;
constexpr int32_t kRowInterval = 3;
constexpr int32_t kEnableTop = 95;
constexpr int32_t kResetGap = 20;
constexpr int32_t kResetWidth = 245;
constexpr VgRect kExplanation{35, 32, 580, 90};
constexpr VgRect kRemote{30, 130, 218, 260};
constexpr VgPoint kLight{163, 178};
constexpr int32_t kLightSeries = 2;

constexpr RowDef kRows[] = {
    Item<SubMenuItemValueSelect>(Sid(SID_ENABLE_AUTO_INPUT), S::OPTION_TYPE_AUTO_INPUT_ENABLE)
        .Changed(PageSlot<&ThirdMenu::RefreshGrayout>),
    Item<SubMenuItemValueSelect>(Sid(SID_MODE_TV), S::OPTION_TYPE_AUTO_INPUT_TV),
    Item<SubMenuItemValueSelect>(Sid(SID_MODE_CABLE_SAT), S::OPTION_TYPE_AUTO_INPUT_CABLE_SAT),
    Item<SubMenuItemValueSelect>(Sid(SID_MODE_BD_DVD), S::OPTION_TYPE_AUTO_INPUT_BD_DVD),
    Item<SubMenuItemValueSelect>(Sid(SID_AUX), S::OPTION_TYPE_AUTO_INPUT_AUX),
    Item<SubMenuItem>(Sid(SID_RESET), kResetAutoInput, "NonMenuSystem::ConfirmMultiOptionDialog"),
};
enum Row : int32_t { kEnable = 1, kTv, kCable, kDisc, kAux, kReset };
// The remote's picture for the focused row, by row number; the plain one for the others.
const VgConstant* const kRemotePictures[] = {&Bitmaps::AutoInputBase,  &Bitmaps::AutoInputBase,
                                             &Bitmaps::AutoInputTV,    &Bitmaps::AutoInputCable,
                                             &Bitmaps::AutoInputBD,    &Bitmaps::AutoInputAUX};
constexpr PageTable kAutoInputMenu{.title = Sid(SID_AUTO_INPUT_ENABLE),
                                   .back = "MenuSystem::PreferencesMenu",
                                   .level = 4,
                                   .rows = kRows,
                                   .winId = WinIDs::WIN_ID_AutoInputMenu};

const PageListing kListed[] = {PageListing(kAutoInputMenu)};

Resources::Bitmap* Bitmap(const VgConstant& constant) { return VgLoad<Resources::Bitmap>(constant); }

}  // namespace

AutoInputMenu::AutoInputMenu() : ThirdMenu(kAutoInputMenu) {
  OnSetBounds(kPage);
  PageArea = kPage;
  ItemXOffset = kRowsLeft;
  ItemYOffset = kRowsTop;
  ItemInterval = kRowInterval;
  if (SubMenuItem* reset = Row(kReset)) reset->OnSetBounds({0, 0, kResetWidth, ThirdMenuItemHeight});

  explanation.OnSetBounds(kExplanation);
  explanation.OnSetString(OptionDatabase::LoadText(Sid(SID_AUTO_INPUT_HELP)));
  explanation.OnSetColor(Colors::StandardTextColor);
  explanation.OnSetAlignV(Views::Text::AlignMiddle);
  explanation.OnSetAutoSize(false);
  remote.OnSetAutoSize(true);
  remote.OnSetBitmap(Bitmap(Bitmaps::AutoInputBase));
  remote.OnSetBounds(kRemote);
  light.OnSetAutoSize(true);
  light.OnSetBitmap(Bitmap(Bitmaps::RCU_Light));
  light.OnSetBounds(VgSetRectOrigin(light.Bounds, kLight));
  for (Core::View* view : std::initializer_list<Core::View*>{&explanation, &remote, &light}) Add(view, 0);
}

void AutoInputMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ThirdMenu::Initialize(parameter);
  OnSetBounds({Bounds.x1, Bounds.y1, Bounds.x2, Bounds.y1 + VgGetRectH(kPage)});
  // Only the series 2 remote has the light; elsewhere it waits outside the page.
  const VgPoint at = MainApp::GetWrapper()->OnGetSeriesType() == kLightSeries
                         ? kLight
                         : VgPoint{VgGetRectW(Bounds), VgGetRectH(Bounds)};
  light.OnSetBounds(VgSetRectOrigin(light.Bounds, at));
  Refresh();
}

void AutoInputMenu::Refresh(XObject* sender) {
  ThirdMenu::Refresh(sender);
  SubMenuItem* enable = Row(kEnable);
  SubMenuItem* aux = Row(kAux);
  SubMenuItem* reset = Row(kReset);
  if (enable) enable->OnSetBounds(VgSetRectOrigin(enable->Bounds, {enable->Bounds.x1, kEnableTop}));
  if (aux && reset) reset->OnSetBounds(VgSetRectOrigin(reset->Bounds, {reset->Bounds.x1, aux->Bounds.y2 + kResetGap}));
}

void AutoInputMenu::DoFocus(XObject* sender) {
  ThirdMenu::DoFocus(sender);
  auto* row = vg_cast<SubMenuItemValueSelect>(sender);
  const int32_t n = row && row->Tag >= kEnable && row->Tag <= kAux ? row->Tag : 0;
  remote.OnSetBitmap(Bitmap(*kRemotePictures[n]));
}

void AutoInputMenu::RefreshGrayout(XObject*) {
  const bool off = MainApp::GetWrapper()->OnGetEnableAutoInput() == 0;
  for (int32_t n = kTv; n <= kReset; ++n)
    if (SubMenuItem* row = Row(n)) row->OnSetIsDisabled(off);
}

}  // namespace MenuSystem
