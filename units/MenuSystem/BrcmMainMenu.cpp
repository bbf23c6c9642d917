#include "MenuSystem/BrcmMainMenu.h"

#include "AppServices/MessageAgent.h"
#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Core/Keys.h"
#include "Fonts/Fonts.h"
#include "MenuSystem/BrcmSubMenu.h"
#include "MenuSystem/MenuSystem.h"
#include "OptionDatabase/OptionModuleClass.h"
#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "Strings.h"
#include "Structures/Message.h"
#include "SubSystem/Open.h"
#include "WidgetManager/Layers.h"
#include "WinIDs/WinIDs.h"
#include "vgresmap.h"
#include "vgslot.h"

VG_DEFINE_CLASS(MenuSystem, BrcmMainMenuItem, ::Button::IconButton)
VG_DEFINE_CLASS(MenuSystem, BrcmMainMenu, ::MenuSystem::CarouselMenu)

namespace MenuSystem {

namespace {

using OptionDatabase::Fixed;
using OptionDatabase::Sid;
using OptionDatabase::TextRef;

// The topics, in carousel order. The Locks topic's page depends on whether a
// PIN exists, and is set when the menu opens.
struct TopicRow {
  TextRef caption;
  const VgConstant* icon;     // focused and current
  const VgConstant* iconOff;  // any other
  const char* page;
};
const TopicRow kTopics[BrcmMainMenu::Topics] = {
    {Sid(Strings::MainMenuPicture), &Bitmaps::MainMenuPicture, &Bitmaps::MainMenuPicture0,
     "MenuSystem::BrcmPictureMenu"},
    {Sid(Strings::SID_AUDIO), &Bitmaps::MainMenuAudio, &Bitmaps::MainMenuAudio0, "MenuSystem::BrcmAudioMenu"},
    {Sid(Strings::SID_CHANNEL), &Bitmaps::MainMenuChannel, &Bitmaps::MainMenuChannel0, "MenuSystem::BrcmChannelsMenu"},
    {Sid(Strings::SID_SETTINGS), &Bitmaps::MainMenuSettings, &Bitmaps::MainMenuSettings0,
     "MenuSystem::BrcmSettingsMenu"},
    {Sid(Strings::MainMenuLocks), &Bitmaps::MainMenuLock, &Bitmaps::MainMenuLock0, nullptr},
    {Fixed("CC"), &Bitmaps::MainMenuMovie, &Bitmaps::MainMenuMovie0, "MenuSystem::BrcmMediaMenu"},
    {Fixed("Record"), &Bitmaps::MainMenuRecord, &Bitmaps::MainMenuRecord0, "MenuSystem::BrcmRecordMenu"},
};
constexpr const char* kEnterPinPage = "MenuSystem::EnterPinMenu";
constexpr const char* kChangePinPage = "MenuSystem::ChangePinMenu";
// The Locks topic's page, reached through the PIN: it stays beside the
// carousel while the Locks topic is focused again.
constexpr const char* kLocksPage = "MenuSystem::BrcmLocksMenu";
// The PIN pages' parameter: check the PIN, or set a first one.
constexpr int32_t kPinCheck = 2;
constexpr int32_t kPinSetting = 1;

// The carousel's column: one point above the screen, six positions, one
// below. The current topic stands second.
constexpr VgPoint kPoints[] = {{60, -70}, {60, 15}, {60, 100}, {60, 185}, {60, 270}, {60, 355}, {60, 440}, {60, 540}};
constexpr VgRect kItemBounds{0, 0, 100, 70};
constexpr int32_t kFocusPosition = 1;

constexpr VgColor kBackground{0, 0, 0, 0xA0};
constexpr int32_t kLabelGap = 8;

// Live states of a window in which the PIN pages must not open.
constexpr int32_t kPausedLiveTV = 2;
constexpr int32_t kRecordingLiveTV = 3;

}  // namespace

// ------------------------------------------------------------ the topic icon

BrcmMainMenuItem::BrcmMainMenuItem(XObject* link) : ::Button::IconButton(link) {
  OnSetMode(0);
  OnSetBounds({0, 0, 100, 70});
  OnSetIsDefault(true);
  // The icons carry the topic; the caption is kept for the help texts.
  caption.OnSetVisible(false);
  auto* movie = VgLoad<Resources::Bitmap>(Bitmaps::MainMenuMovie);
  Default_Icon = movie;
  Focused_Icon = movie;
  Nonfocused_Icon = movie;
  iconImage.OnSetAlignH(1);
  iconImage.OnSetAlignV(1);
  // The icon's area as designed; the button's layout then centres the icon
  // in the item.
  iconImage.OnSetBounds({10, 10, 100, 100});
  iconImage.OnSetEndless(false);
  iconImage.OnSetOnFinished(VgSlotOf<&BrcmMainMenuItem::StopAnimation>(this));
}

void BrcmMainMenuItem::OnSetAnimationEndless(bool value) {
  AnimationEndless = value;
  iconImage.OnSetEndless(value);
  iconImage.OnSetOnFinished(value ? VgSlot{} : VgSlotOf<&BrcmMainMenuItem::StopAnimation>(this));
}

XObject* BrcmMainMenuItem::HandleEvent(Core::Event* event) {
  if (Core::PressedKey(event) == Key::Right) {
    VgSignal(OnActivate, this);
    return this;
  }
  return ::Button::IconButton::HandleEvent(event);
}

void BrcmMainMenuItem::HandleFocus(bool focused) {
  ::Button::IconButton::HandleFocus(focused);
  if (focused)
    StartAnimation();
  else if (!Stopped)
    StopAnimation();
}

void BrcmMainMenuItem::StartAnimation() {
  iconImage.OnSetFrameNumber(0);
  iconImage.Activate();
  if (Stopped) MainApp::GetWrapper()->StartAnimation();
  Stopped = false;
}

void BrcmMainMenuItem::StopAnimation(XObject*) {
  iconImage.OnSetFrameNumber(LitFrame);
  iconImage.OnSetAnimated(false);
  if (!Stopped) MainApp::GetWrapper()->StopAnimation();
  Stopped = true;
}

void BrcmMainMenuItem::RefreshCtrlState(int32_t look) {
  ::Button::IconButton::RefreshCtrlState(look);
  iconImage.OnSetFrameNumber(look == LookDefault || look == LookFocused ? LitFrame : 0);
}

// ------------------------------------------------------------- the main menu

BrcmMainMenu::BrcmMainMenu() : CarouselMenu(kPoints, kItemBounds, kFocusPosition) {
  OnSetBounds({0, 0, 710, 540});
  WinID = WinIDs::WIN_ID_MainMenu;
  Layer = Layers::MainMenu;
  SubSystemClass = &::MenuSystem::MenuSystem::Class;
  ItemsNum = Topics;

  background.OnSetBounds({0, 0, 710, 540});
  background.OnSetColor(kBackground);
  Add(&background, 0);
  backgroundImage.OnSetAutoSize(true);
  backgroundImage.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::MainMenuBackground));
  Add(&backgroundImage, 0);

  for (int32_t i = 0; i <= Topics; ++i) {
    BrcmMainMenuItem& item = items[i];
    item.OnActivate = VgSlotOf<&BrcmMainMenu::DoActivate>(this);
    item.OnFocus = VgSlotOf<&BrcmMainMenu::DoFocus>(this);
    if (i < Topics) {
      const TopicRow& row = kTopics[i];
      auto* icon = VgLoad<Resources::Bitmap>(*row.icon);
      item.Default_Icon = icon;
      item.Focused_Icon = icon;
      item.Nonfocused_Icon = VgLoad<Resources::Bitmap>(*row.iconOff);
      item.Target = row.page;
      item.NextState = row.page ? VgFindClass(row.page) : nullptr;
    }
    Add(&item, 0);
  }
  // The spare stands in for a topic that leaves at one end and enters at the
  // other while every topic is on show.
  items[Topics].OnSetVisible(false);
  SetCaptions();

  static constexpr VgRect kIconBounds[] = {{210, 470, 252, 504}, {379, 473, 421, 507}, {560, 470, 600, 510}};
  static constexpr VgRect kLabelBounds[] = {{260, 480, 338, 500}, {430, 480, 530, 500}, {610, 480, 710, 500}};
  const VgConstant* icons[] = {&Bitmaps::MenuHelpOk, &Bitmaps::MenuHelpReturn, &Bitmaps::MenuHelpExit};
  auto* font = VgLoad<Resources::Font>(Fonts::MediumFont);
  for (int i = 0; i < 3; ++i) {
    helpIcons[i].OnSetBounds(kIconBounds[i]);
    if (i > 0) {
      helpIcons[i].OnSetAlignH(1);
      helpIcons[i].OnSetAlignV(1);
    }
    helpIcons[i].OnSetAutoSize(true);
    helpIcons[i].OnSetBitmap(VgLoad<Resources::Bitmap>(*icons[i]));
    Add(&helpIcons[i], 0);
    helpLabels[i].OnSetBounds(kLabelBounds[i]);
    // The help line's boxes are as high as the icons' line allows; the
    // medium font's line is two pixels higher.
    helpLabels[i].OnSetBoxFixed(true);
    helpLabels[i].OnSetFont(font);
    helpLabels[i].OnSetColor(Colors::White);
    helpLabels[i].OnSetAlignV(Views::Text::AlignMiddle);
    Add(&helpLabels[i], 0);
  }
  carousel.Spare = &items[Topics];
}

void BrcmMainMenu::SetCaptions() {
  for (int32_t i = 0; i < Topics; ++i) items[i].OnSetText(OptionDatabase::LoadText(kTopics[i].caption));
  helpLabels[0].OnSetString(VgGetVariantOfString(&Strings::MainMenuHelpChange));
  helpLabels[1].OnSetString(VgGetVariantOfString(&Strings::SID_BACK));
  helpLabels[2].OnSetString(VgGetVariantOfString(&Strings::SID_EXIT));
}

void BrcmMainMenu::ReInit() {
  CarouselMenu::ReInit();
  SetCaptions();
}

void BrcmMainMenu::ForEachPageName(void (*visit)(const char* name, void* context), void* context) {
  for (const TopicRow& row : kTopics)
    if (row.page) visit(row.page, context);
  for (const char* page : {kEnterPinPage, kChangePinPage, kLocksPage}) visit(page, context);
}

BrcmMainMenuItem* BrcmMainMenu::Topic(int32_t index) const {
  return vg_cast<BrcmMainMenuItem>(const_cast<BrcmMainMenu*>(this)->GetCtrlAt(index));
}

void BrcmMainMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  auto* system = SystemOf(this);
  const int32_t index = system ? system->GetMenuIndex(MenuLevel) : 1;
  ::SkinBin::Wrapper* model = MainApp::GetWrapper();
  auto paused = [model](int32_t window) {
    const int32_t state = model->GetLiveTVState(window);
    return state == kPausedLiveTV || state == kRecordingLiveTV;
  };
  if (paused(0) || paused(1)) {
    Remove(&Locks());
    ItemsNum = Topics - 1;
  } else if (model->IsPinExisting()) {
    Locks().Target = kEnterPinPage;
    Locks().OptionType = kPinCheck;
  } else {
    Locks().Target = kChangePinPage;
    Locks().OptionType = kPinSetting;
  }
  Locks().NextState = Locks().Target ? VgFindClass(Locks().Target) : nullptr;
  CarouselMenu::Initialize(parameter);
  LayOut(index);
  ApplyCurrentItemIndex();
}

void BrcmMainMenu::Close(XObject* sender) {
  CarouselMenu::Close(sender);
  SecondaryMenu = nullptr;
}

void BrcmMainMenu::DoFocus(XObject* sender) {
  auto* item = vg_cast<BrcmMainMenuItem>(sender);
  if (!item) return;
  if (!item->Target) {
    CloseSecondaryMenu();
    return;
  }
  // The topic's own page stays, and so does the Locks page reached through
  // the PIN. The page remembered counts even when it has closed: a page
  // that opened a deeper one closed for it, and the way back from the deeper
  // page opens it again on the row it came from.
  BrcmSubMenu* page = SecondaryMenu.get();
  if (page && (page->GetClass() == item->NextState || page->GetClass() == VgFindClass(kLocksPage))) return;
  LaunchSecondaryMenu();
}

void BrcmMainMenu::LaunchSecondaryMenu(XObject*) {
  BrcmMainMenuItem* item = Topic(CurrentItemIndex - 1);
  auto* system = SystemOf(this);
  if (!item || !item->Target || !system) return;
  Primitives::KeyRoutingForm* page =
      SubSystem::Open(system, item->Target, {.back = GetClass(), .value = item->OptionType});
  SecondaryMenu = vg_cast<BrcmSubMenu>(page);
}

void BrcmMainMenu::CloseSecondaryMenu(XObject*) {
  if (SecondaryMenu) {
    SecondaryMenu->Close();
    SecondaryMenu = nullptr;
  }
  if (auto* system = SystemOf(this)) system->SetMenuIndex(2, 1);
}

void BrcmMainMenu::DoActivate(XObject* sender) {
  auto* item = vg_cast<BrcmMainMenuItem>(sender);
  auto* system = SystemOf(this);
  if (!item || !item->Target || !system || !SecondaryMenu || !SecondaryMenu->owner) return;
  system->OnSetFocus(SecondaryMenu);
}

void BrcmMainMenu::HandleFocus(bool focused) {
  CarouselMenu::HandleFocus(focused);
  UpdateHelp(HelpEnter);
}

void BrcmMainMenu::UpdateHelp(int32_t kind) {
  const VgConstant* icon = nullptr;
  switch (kind) {
    case HelpEnter:
      icon = &Bitmaps::MenuHelpOk;
      break;
    case HelpUpDown:
      icon = &Bitmaps::MenuHelpUD;
      break;
    case HelpLeftRight:
      icon = &Bitmaps::MenuHelpLR;
      break;
    default:
      break;
  }
  if (icon) helpIcons[0].OnSetBitmap(VgLoad<Resources::Bitmap>(*icon));
  const VgRect label = helpLabels[0].Bounds;
  const int32_t x = helpIcons[0].Bounds.x2 + kLabelGap;
  helpLabels[0].OnSetBounds({x, label.y1, x + VgGetRectW(label), label.y2});
}

void BrcmMainMenu::ShowHelpLine(bool shown) {
  for (Views::Image& icon : helpIcons) icon.OnSetVisible(shown);
  for (Views::Text& label : helpLabels) label.OnSetVisible(shown);
}

VgRect BrcmMainMenu::HelpLineDrawn() const {
  VgRect place{0, 0, 0, 0};
  if (!helpIcons[0].Visible) return place;
  for (const Views::Image& icon : helpIcons) place = VgUnionRect(place, icon.Bounds);
  for (const Views::Text& label : helpLabels) place = VgUnionRect(place, label.Bounds);
  return place;
}

XObject* BrcmMainMenu::HandleEvent(Core::Event* event) {
  if (Core::PressedKey(event) != Key::Back) return CarouselMenu::HandleEvent(event);
  ResetTimeout();
  if (auto* system = SystemOf(this)) system->TearDownMenus();
  return this;
}

void BrcmMainMenu::HandleMessage(Structures::Message* message) {
  if (!message) return;
  if (message->Code == Constants::MSG_UPDATE_MAIN_MENU_HELP) {
    UpdateHelp(message->Param);
    return;
  }
  CarouselMenu::HandleMessage(message);
  if (message->Code != Constants::MSG_CHANGE_APPEARANCE) return;
  // The page that hands the focus back stands beside the carousel now.
  auto* page = vg_cast<BrcmSubMenu>(message->Payload.get());
  if (message->Param == Constants::APPEARANCE_TAKE_FOCUS && page) SecondaryMenu = page;
  if (message->Param == AppearancePinAccepted && page && SystemOf(this)) {
    SecondaryMenu = page;
    // A PIN exists now: the Locks topic asks for it from here on.
    if (Locks().Target != kEnterPinPage) {
      Locks().Target = kEnterPinPage;
      Locks().NextState = VgFindClass(kEnterPinPage);
      Locks().OptionType = kPinCheck;
    }
  }
}

void BrcmMainMenu::DressSpare(Core::Group* spare, Core::Group* like) {
  auto* stand = vg_cast<BrcmMainMenuItem>(spare);
  auto* topic = vg_cast<BrcmMainMenuItem>(like);
  if (!stand || !topic) return;
  stand->Nonfocused_Icon = topic->Nonfocused_Icon;
  stand->OnSetIcon(topic->Icon);
}

}  // namespace MenuSystem
