#include "MenuSystem/CaptionPages.h"

#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "MenuSystem/MenuItems.h"
#include "OptionDatabase/OptionTypes.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "Views/Text.h"
#include "WidgetManager/WidgetManager.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(MenuSystem, ClosedCaptionMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, DigitalCCMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, ParentalLocksMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, PINSettingMenu, ::MenuSystem::ThirdMenu)

namespace MenuSystem {

namespace {

using namespace Strings;
using OptionDatabase::Sid;
namespace O = OptionDatabase;
namespace S = SkinBin;

::SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }

constexpr const char* kConfirm = "NonMenuSystem::ConfirmMultiOptionDialog";
constexpr int32_t kCaptionsHidden = 2;
constexpr int32_t kResetCaptionStyle = 40;
constexpr int32_t kDeletePin = 34;
constexpr int32_t kParentalPin = 1;
// The last of the nine colour choices 0 to 8; 0 is the broadcaster's own.
constexpr int32_t kLastColor = 8;
constexpr char16_t kSampleText[] = u"ABC123";
constexpr int32_t kSampleX = 350;
constexpr int32_t kSampleY = 50;

// -------------------------------------------------------- closed captions

constexpr RowDef kCaptionRows[] = {
    Item<SubMenuItemValueSelect>(Sid(SID_CLOSED_CAPTIONS), S::OPTION_TYPE_CLOSED_CAPTION_STATE)
        .Changed(PageSlot<&ThirdMenu::RefreshGrayout>),
    Item<SubMenuItemValueSelect>(Sid(SID_ANALOG_CC_MODE_ROW), O::OPTION_TYPE_BASIC_CC_MODE),
    Item<SubMenuItem>(Sid(SID_DIGITAL_CC_SETTINGS), 0, "MenuSystem::DigitalCCMenu"),
};
constexpr PageTable kCaptionMenu{.title = Sid(SID_CLOSED_CAPTIONS_SETTINGS),
                                 .back = "MenuSystem::TVSettingsMenu",
                                 .level = 5,
                                 .rows = kCaptionRows,
                                 .winId = WinIDs::WIN_ID_ClosedCaptionMenu};

// ------------------------------------------------------- digital captions

constexpr VgMethod kSample = PageSlot<&DigitalCCMenu::ShowSampleCC>;
constexpr RowDef kDigitalRows[] = {
    Item<SubMenuItemValueSelect>(Sid(SID_CAPTION_SIZE), O::OPTION_TYPE_CC_FONT_SIZE).Changed(kSample),
    Item<SubMenuItemValueSelect>(Sid(SID_CAPTION_TEXT_TYPE), O::OPTION_TYPE_CC_FONT_STYLE).Changed(kSample),
    Item<SubMenuItemValueSelect>(Sid(SID_CAPTION_TEXT_EDGE), O::OPTION_TYPE_CC_EDGE_TYPE).Changed(kSample),
    Item<SubMenuItemValueSelect>(Sid(SID_CAPTION_TEXT_COLOR), O::OPTION_TYPE_CC_FG_COLOR).Changed(kSample),
    Item<SubMenuItemValueSelect>(Sid(SID_TEXT_FOREGROUND_OPACITY), O::OPTION_TYPE_CC_FG_OPACITY).Changed(kSample),
    Item<SubMenuItemValueSelect>(Sid(SID_CC_BG_COLOR), O::OPTION_TYPE_CC_BG_COLOR).Changed(kSample),
    Item<SubMenuItemValueSelect>(Sid(SID_TEXT_BACKGROUND_OPACITY), O::OPTION_TYPE_CC_BG_OPACITY).Changed(kSample),
    Item<SubMenuItemValueSelect>(Sid(SID_CAPTION_TEXT_EDGE_COLOR_ROW), O::OPTION_TYPE_CC_EDGE_COLOR).Changed(kSample),
    Item<SubMenuItem>(Sid(SID_RESET), kResetCaptionStyle, kConfirm),
};
enum DigitalRow : int32_t { kTextColor = 4, kBackgroundColor = 6, kDigitalReset = 9 };
// The page keeps each row where it stands: "Reset" sits centred below the others.
constexpr VgRect kDigitalBounds[] = {{18, 40, 508, 65},    {18, 69, 508, 94},    {18, 98, 508, 123},
                                     {18, 127, 508, 152},  {18, 156, 508, 181},  {18, 185, 508, 210},
                                     {18, 214, 508, 239},  {18, 243, 508, 268},  {202, 310, 322, 340}};
constexpr VgRect kDigitalPage{0, 0, 526, 360};
constexpr VgRect kDigitalArea{18, 40, 508, 350};
constexpr PageTable kDigitalMenu{.title = Sid(SID_DIGITAL_CC_SETTINGS),
                                 .back = "MenuSystem::ClosedCaptionMenu",
                                 .level = 6,
                                 .rows = kDigitalRows,
                                 .winId = WinIDs::WIN_ID_DigitalCCMenu};

// ----------------------------------------------------------------- locks

constexpr RowDef kLockRows[] = {
    Item<SubMenuItemValueSelect>(Sid(SID_ENABLE_RATING_BLOCKING_ROW), S::OPTION_TYPE_ENABLE_RATING_BLOCK),
    Item<SubMenuItem>(Sid(SID_EDIT_RATING_LIMITS), 0, "ParentalLocks::EditRatingLimits"),
    Item<SubMenuItemValueSelect>(Sid(SID_INPUT_LOCK_ROW), S::OPTION_TYPE_INPUT_LOCK),
    Item<SubMenuItemValueSelect>(Sid(SID_PANEL_LOCK), O::OPTION_TYPE_PANEL_LOCK),
    Item<SubMenuItemValueSelect>(Sid(SID_GAME_TIMER_ROW), S::OPTION_TYPE_GAME_TIMER),
};
constexpr PageTable kLockMenu{.title = Sid(SID_PARENTAL_CONTROL_AND_LOCKS),
                              .back = "MenuSystem::PreferencesMenu",
                              .level = 4,
                              .rows = kLockRows,
                              .winId = WinIDs::WIN_ID_ParentalLocks};

constexpr RowDef kPinRows[] = {
    Item<SubMenuItem>(Sid(SID_CHANGE_PIN), kParentalPin, "NonMenuSystem::ChangePinDialog"),
    Item<SubMenuItem>(Sid(SID_DELETE_PIN), kDeletePin, kConfirm),
};
constexpr PageTable kPinMenu{.title = Sid(SID_PIN_SETTING),
                             .back = "MenuSystem::PreferencesMenu",
                             .level = 4,
                             .rows = kPinRows,
                             .winId = WinIDs::WIN_ID_PINSettingMenu};

const PageListing kListed[] = {PageListing(kCaptionMenu), PageListing(kDigitalMenu), PageListing(kLockMenu),
                               PageListing(kPinMenu)};

void ShowSample(bool show) { Model()->ShowSampleCCText(show, VgNewString(kSampleText), kSampleX, kSampleY); }

}  // namespace

// ------------------------------------------------------ closed-caption page

ClosedCaptionMenu::ClosedCaptionMenu() : ThirdMenu(kCaptionMenu) {}

void ClosedCaptionMenu::RefreshGrayout(XObject*) {
  ::SkinBin::Wrapper* model = Model();
  SubMenuItem* analog = Row(2);
  SubMenuItem* digital = Row(3);
  if (!analog || !digital) return;
  if (model->OnGetClosedCaptionState() == kCaptionsHidden) {
    analog->OnSetIsDisabled(true);
    digital->OnSetIsDisabled(true);
    return;
  }
  bool digitalChannel = false;
  if (When::SourceIs<::Wrapper::kSourceTypeTuner, ::Wrapper::kSourceTypeDigitalTuner>(*this)) {
    const ::Structures::VirtualChannel* channel = model->GetCurrentChannel();
    digitalChannel = channel && model->IsDigitalChannel(channel->Major, channel->Minor);
  }
  analog->OnSetIsDisabled(digitalChannel);
  digital->OnSetIsDisabled(!digitalChannel);
}

// ------------------------------------------------------ digital-caption page

DigitalCCMenu::DigitalCCMenu() : ThirdMenu(kDigitalMenu) {
  ArrangeMode = -1;
  PageArea = kDigitalArea;
  for (int32_t n = 1; n <= kDigitalReset; ++n)
    if (SubMenuItem* row = Row(n)) row->OnSetBounds(kDigitalBounds[n - 1]);
  // "Reset" is a button below the eight rows, not one of them.
  ItemsNum = kDigitalReset - 1;
  if (SubMenuItem* reset = Row(kDigitalReset)) reset->OnSetTextAlignH(Views::Text::AlignCentre);
}

void DigitalCCMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ThirdMenu::Initialize(parameter);
  OnSetBounds({Bounds.x1, Bounds.y1, Bounds.x1 + VgGetRectW(kDigitalPage), Bounds.y1 + VgGetRectH(kDigitalPage)});
  Refresh();
  ShowSampleCC(this);
}

void DigitalCCMenu::Close(XObject* sender) {
  ThirdMenu::Close(sender);
  ShowSample(false);
  SampleShown = false;
}

void DigitalCCMenu::ShowSampleCC(XObject* sender) {
  auto* text = vg_cast<SubMenuItemValueSelect>(Row(kTextColor));
  auto* background = vg_cast<SubMenuItemValueSelect>(Row(kBackgroundColor));
  if (!text || !background) return;
  const int32_t t = text->ChoiceIndex;
  const int32_t b = background->ChoiceIndex;
  auto* moved = vg_cast<SubMenuItemValueSelect>(sender);
  if ((moved == text || moved == background) && t == b && b != 0) {
    // Step once more the way the viewer went; the step comes back here.
    const int32_t last = moved == text ? LastTextColor : LastBackgroundColor;
    const bool down = t <= last || (t == kLastColor && last == 0);
    moved->ToggleOption(!down);
    return;
  }
  LastTextColor = t;
  LastBackgroundColor = b;
  if (SampleShown) ShowSample(false);
  SampleShown = true;
  ShowSample(true);
}

void DigitalCCMenu::ResetSlot(XObject*) {
  Model()->ResetAdvanceCaptionProperty();
  LoadSettings();
  ShowSampleCC(this);
}

// ------------------------------------------------------------ lock pages

ParentalLocksMenu::ParentalLocksMenu() : ThirdMenu(kLockMenu) {}

void ParentalLocksMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ThirdMenu::Initialize(parameter);
  if (MainApp::GetWidgetManager()->FindForm(WinIDs::WIN_ID_TimerMenu)) OnSetIsShortcut(true);
}

PINSettingMenu::PINSettingMenu() : ThirdMenu(kPinMenu) {}

}  // namespace MenuSystem
