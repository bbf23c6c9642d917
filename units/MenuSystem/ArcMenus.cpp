#include "MenuSystem/ArcMenus.h"

#include <algorithm>

#include "AppServices/Messages.h"
#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Core/Keys.h"
#include "Fonts/Fonts.h"
#include "MenuSystem/MenuSystem.h"
#include "MenuSystem/ThirdMenu.h"
#include "NonMenuSystem/DirectMessages.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "SkinBin/UserRefInt.h"
#include "Strings.h"
#include "Structures/Boxes.h"
#include "Structures/Message.h"
#include "SubSystem/KeyOwner.h"
#include "SubSystem/Open.h"
#include "WidgetManager/Layers.h"
#include "WinIDs/WinIDs.h"
#include "vgresmap.h"
#include "vgslot.h"

VG_DEFINE_CLASS(MenuSystem, ArcMenuItem, ::Button::IconButton)
VG_DEFINE_CLASS(MenuSystem, MainMenuItem, ::MenuSystem::ArcMenuItem)
VG_DEFINE_CLASS(MenuSystem, SecondaryMenuItem, ::MenuSystem::ArcMenuItem)
VG_DEFINE_CLASS(MenuSystem, ArcMenu, ::MenuSystem::CarouselMenu)
VG_DEFINE_CLASS(MenuSystem, MainMenu, ::MenuSystem::ArcMenu)
VG_DEFINE_CLASS(MenuSystem, SecondaryMenu, ::MenuSystem::ArcMenu)
VG_DEFINE_CLASS(MenuSystem, SettingsMenu, ::MenuSystem::SecondaryMenu)
VG_DEFINE_CLASS(MenuSystem, TimerMenu, ::MenuSystem::SecondaryMenu)
VG_DEFINE_CLASS(MenuSystem, MediaPlayerMenu, ::MenuSystem::SecondaryMenu)
VG_DEFINE_CLASS(MenuSystem, NetworkMenu, ::MenuSystem::SecondaryMenu)

namespace MenuSystem {

namespace {

using namespace Strings;
using OptionDatabase::Sid;
using OptionDatabase::TextRef;

// ------------------------------------------------------------------ tables

// The main arc: icons of 100 x 214 with images of 52 to 72 pixels, each in
// a box of 180 x 214 that holds a caption as wide as the widest that keeps to
// one line ("Fondo de pantalla"). The outer positions stand so low on the
// screen that below their images there is room for one line only.
constexpr int32_t kMainIconWidth = 100;
constexpr ArcMenuItem::Look kMainLooks[] = {
    {.alpha = 208, .offset = 20, .frame = 0, .image = 52, .oneLine = true},  // outer positions
    {.alpha = 224, .offset = 10, .frame = 1, .image = 62},  // next to the centre
    {.alpha = 224, .offset = 0, .frame = 2, .image = 72},   // centre
    {.alpha = 224, .offset = 10, .frame = 3, .image = 72},  // centre of the lowered row
    {.alpha = 255, .offset = 0, .frame = 0, .image = 72},   // focused
};
constexpr int32_t kMainLoweredCentre = 3;
constexpr int32_t kMainFocused = 4;
constexpr VgPoint kMainHidden[] = {{203, 540}, {320, 540}, {444, 540}, {578, 540}, {705, 540}};
constexpr VgPoint kMainArc[] = {{103, 520}, {203, 459}, {320, 427}, {444, 415},
                                {578, 427}, {705, 459}, {811, 520}};
constexpr VgPoint kMainLowered[] = {{203, 488}, {320, 461}, {444, 454}, {578, 461}, {705, 488}};
constexpr int32_t kMainRestSizes[] = {52, 62, 72, 62, 52};
constexpr int32_t kMainArcSizes[] = {52, 52, 62, 72, 62, 52, 52};
constexpr int32_t kMainPositionLook[] = {0, 1, 2, 1, 0};
constexpr ArcLayout kMainLayout{.start = kMainHidden,
                                .arc = kMainArc,
                                .rest = kMainLowered,
                                .startSizes = kMainRestSizes,
                                .arcSizes = kMainArcSizes,
                                .positionLook = kMainPositionLook,
                                .itemBounds = {0, 0, 180, 214},
                                .centre = 2,
                                .cascade = true,
                                .looks = kMainLooks};

// The second arc: icons of 120 x 180 with images of 46 to 58 pixels, each in
// a box of 140 x 180 that holds a caption's widest word ("APPLICATIONS").
constexpr int32_t kSecondIconWidth = 120;
constexpr ArcMenuItem::Look kSecondLooks[] = {
    {.alpha = 192, .offset = 20, .frame = 0, .image = 46},
    {.alpha = 208, .offset = 10, .frame = 1, .image = 52},
    {.alpha = 224, .offset = 10, .frame = 2, .image = 58},
    {.alpha = 255, .offset = 0, .frame = 3, .image = 58},  // focused
};
constexpr int32_t kSecondFocused = 3;
constexpr VgPoint kSecondStart[] = {{451, 272}, {451, 272}, {451, 272}, {451, 272},
                                    {451, 272}, {451, 272}, {451, 272}};
constexpr VgPoint kSecondArc[] = {{17, 474},  {103, 408}, {203, 354}, {320, 319}, {451, 303},
                                  {582, 319}, {705, 354}, {811, 408}, {897, 474}};
constexpr VgPoint kSecondCompact[] = {{103, 369}, {203, 315}, {320, 280}, {451, 272},
                                      {582, 280}, {705, 315}, {811, 369}};
constexpr int32_t kSecondRestSizes[] = {46, 52, 58, 58, 58, 52, 46};
constexpr int32_t kSecondArcSizes[] = {46, 46, 52, 58, 58, 58, 52, 46, 46};
constexpr int32_t kSecondPositionLook[] = {0, 1, 2, 2, 2, 1, 0};
constexpr ArcLayout kSecondLayout{.start = kSecondStart,
                                  .arc = kSecondArc,
                                  .rest = kSecondCompact,
                                  .startSizes = kSecondRestSizes,
                                  .arcSizes = kSecondArcSizes,
                                  .positionLook = kSecondPositionLook,
                                  .itemBounds = {0, 0, 140, 180},
                                  .centre = 3,
                                  .cascade = false,
                                  .looks = kSecondLooks};

constexpr ArcLayout kNoLayout{};

// The main menu's icons.
struct MainIcon {
  TextRef caption;
  const VgConstant* off;
  const VgConstant* on;
  const char* target;
};
const MainIcon kMainIcons[MainMenu::Icons] = {
    {Sid(SID_SETTINGS), &Bitmaps::L1SettingsMenuOff, &Bitmaps::L1SettingsMenuOn, "MenuSystem::SettingsMenu"},
    {Sid(SID_NETWORK), &Bitmaps::L1NetworkMenuOff, &Bitmaps::L1NetworkMenuOn, "MenuSystem::NetworkMenu"},
    {Sid(SID_MEDIA_PLAYER), &Bitmaps::L1MediaMenuOff, &Bitmaps::L1MediaMenuOn, "MenuSystem::MediaPlayerMenu"},
    {Sid(SID_WALLPAPER), &Bitmaps::L1WallPaperMenuOff, &Bitmaps::L1WallPaperMenuOn, nullptr},
    {Sid(SID_TIMER), &Bitmaps::L1TimerMenuOff, &Bitmaps::L1TimerMenuOn, "MenuSystem::TimerMenu"},
};
constexpr int32_t kWallpaper = 3;
// The icons' start bounds, in child order; each item's box stands around its icon.
constexpr VgRect kMainStartBounds[] = {
    {296, 326, 396, 540}, {430, 266, 530, 480}, {564, 326, 664, 540}, {676, 326, 776, 540}, {184, 326, 284, 540}};
constexpr VgRect kMainSpareBounds{0, 326, 100, 540};

VgRect AroundIcon(VgRect icon, const ArcLayout& layout) {
  const int32_t margin = (VgGetRectW(layout.itemBounds) - VgGetRectW(icon)) / 2;
  return {icon.x1 - margin, icon.y1, icon.x2 + margin, icon.y2};
}

constexpr VgRect kLineUp{0, 384, 960, 453};
constexpr VgRect kLineDown{0, 424, 960, 493};
constexpr VgRect kLineRaising{0, 420, 960, 489};

constexpr const char* kPhotoFrame = "MediaPlayer::PhotoFrame";
constexpr const char* kMediaDevices = "MediaPlayer::MediaDeviceSelectDialog";
constexpr int32_t kSleepTimerIcon = 2;
constexpr int32_t kGameTimerIcon = 3;
constexpr int32_t kSleepTimerValue = 7;
constexpr int32_t kGameTimerPinType = 7;
constexpr int32_t kWirelessInformationIcon = 3;
constexpr int32_t kNetTVIcon = 1;

const SecondaryMenu::Icon kSettingsIcons[] = {
    {Sid(SID_PICTURE), &Bitmaps::L2PictureMenu, "MenuSystem::PictureMenu", 0},
    {Sid(SID_SOUND), &Bitmaps::L2SoundMenu, "MenuSystem::SoundMenu", 0},
    {Sid(SID_APPLICATIONS), &Bitmaps::L2ApplicationMenu, "MenuSystem::ApplicationsMenu", 0},
    {Sid(SID_PREFERENCE), &Bitmaps::L2PreferencesMenu, "MenuSystem::PreferencesMenu", 0},
    {Sid(SID_SETUP), &Bitmaps::L2SetupMenu, "MenuSystem::SetupMenu", 0},
};
const SecondaryMenu::Icon kTimerIcons[] = {
    {Sid(SID_ON_TIMER), &Bitmaps::L2OnTimerMenu, "MenuSystem::OnTimerMenu", 0},
    {Sid(SID_SLEEP_TIMER), &Bitmaps::L2SleepTimerMenu, "MenuSystem::ApplicationsMenu", 0},
    {Sid(SID_GAME_TIMER), &Bitmaps::L2GameTimerMenu, SubSystem::PinDialogClass, kGameTimerPinType},
};
const SecondaryMenu::Icon kMediaIcons[] = {
    {Sid(SID_PHOTO), &Bitmaps::L2PhotoMenu, kMediaDevices, 2},
    {Sid(SID_MOVIE), &Bitmaps::L2MovieMenu, kMediaDevices, 3},
    {Sid(SID_MUSIC), &Bitmaps::L2MusicMenu, kMediaDevices, 1},
};
const SecondaryMenu::Icon kNetworkIcons[] = {
    {Sid(SID_NET_TV), &Bitmaps::L2NetTVMenu, nullptr, 0},
    {Sid(SID_NETWORK_SETUP), &Bitmaps::L2NetworkSetupMenu, "MenuSystem::NetworkSetupMenu", 0},
    {Sid(SID_WIRELESS_INFORMATION), &Bitmaps::L2WirelessInfoMenu, "Network::WirelessInformationMenu", 0},
};

Resources::Bitmap* Load(const VgConstant* constant) {
  return constant ? VgLoad<Resources::Bitmap>(*constant) : nullptr;
}

// A point of a table as the icon's origin: the image (size x size, centred
// in the icon) has its top-left corner at the point.
VgPoint ConvertPosition(VgPoint point, VgRect itemBounds, int32_t size) {
  return {point.x - (VgGetRectW(itemBounds) - size) / 2, point.y - (VgGetRectH(itemBounds) - size) / 2};
}

// The caption's gap from the image.
constexpr int32_t kCaptionGap = 4;

}  // namespace

// ---------------------------------------------------------------- the icons

ArcMenuItem::ArcMenuItem(XObject* link)
    : ::Button::IconButton(link), IconWidth(kMainIconWidth), Looks(kMainLooks) {
  OnSetMode(0);
  OnSetIsDefault(true);
  caption.OnSetVisible(false);
  iconImage.OnSetAlignH(1);
  iconImage.OnSetAlignV(1);
  // A topic's name wider than its icon takes a second line.
  label.OnSetAlignH(Views::Text::AlignCentre);
  label.OnSetAlignV(Views::Text::AlignBottom);
  label.OnSetAutoSize(true);
  Add(&label, 0);
  auto* font = VgLoad<Resources::Font>(Fonts::MediumFont);
  OnSetTextFont(font);
  OnSetDisabled_TextFont(font);
  OnSetNonfocused_TextFont(font);
  OnSetFocused_TextFont(font);
  OnSetDefault_TextFont(font);
  OnSetTextColor(Colors::White);
  OnSetDisabled_TextColor(Colors::DisableTextColor);
  OnSetNonfocused_TextColor(Colors::White);
  OnSetFocused_TextColor(Colors::White);
  OnSetDefault_TextColor(Colors::White);
}

void ArcMenuItem::OnSetText(VgString value) {
  ::Button::IconButton::OnSetText(value);
  label.OnSetString(value);
  UpdateTextPos();
}

void ArcMenuItem::OnSetTextFont(Resources::Font* value) {
  ::Button::IconButton::OnSetTextFont(value);
  label.OnSetFont(value);
}

void ArcMenuItem::OnSetTextColor(VgColor value) {
  ::Button::IconButton::OnSetTextColor(value);
  value.alpha = TextAlpha ? TextAlpha : value.alpha;
  label.OnSetColor(value);
}

void ArcMenuItem::OnSetTextAlpha(uint8_t value) {
  ::Button::IconButton::OnSetTextAlpha(value);
  VgColor color = label.Color;
  color.alpha = value;
  label.OnSetColor(color);
}

void ArcMenuItem::OnSetImageSize(int32_t size) {
  if (Looks.empty()) return;
  ImageSize = std::clamp<int32_t>(size, 0, static_cast<int32_t>(Looks.size()) - 1);
  OnSetTextAlpha(Looks[ImageSize].alpha);
  ShowFrame();
  OnSetTextUp(TextUp);
}

void ArcMenuItem::ShowFrame() {
  if (!Looks.empty() && !iconImage.Animated) iconImage.OnSetFrameNumber(Looks[ImageSize].frame);
}

void ArcMenuItem::OnSetTextUp(bool value) {
  TextUp = value;
  // Above a lowered row only the larger icons keep their captions.
  label.OnSetVisible(!value || ImageSize >= 2);
  UpdateTextPos();
}

int32_t ArcMenuItem::CaptionWidth(bool oneLine) const {
  Resources::Font* font = label.Font;
  const VgString text = label.String;
  const int32_t length = VgGetStringLength(text);
  if (!font || length == 0) return IconWidth;
  if (oneLine) return std::max(IconWidth, font->GetTextWidth(text, 0, 0) + label.Shadow);
  int32_t widest = IconWidth;
  for (int32_t start = 0, end = 0; start < length; start = end + 1) {
    for (end = start; end < length && VgGetStringChar(text, end) != u' '; ++end) {
    }
    if (end > start) widest = std::max(widest, font->GetTextWidth(text, start, end - start) + label.Shadow);
  }
  return widest;
}

void ArcMenuItem::UpdateTextPos() {
  if (Looks.empty()) return;
  const Look& look = Looks[ImageSize];
  const int32_t w = VgGetRectW(Bounds);
  const int32_t middle = VgGetRectH(Bounds) / 2;
  const int32_t largest = Looks[Looks.size() - 1].image;
  // The caption wrapped at its width, centred under the icon, as high as its lines.
  const int32_t width = std::min(w, CaptionWidth(look.oneLine));
  const int32_t x1 = (w - width) / 2;
  const int32_t x2 = x1 + width;
  label.OnSetBounds({x1, 0, x2, VgGetRectH(label.Bounds)});
  label.AdjustBounds();
  const int32_t h = VgGetRectH(label.Bounds);
  if (TextUp) {
    const int32_t bottom = middle - look.image / 2 - kCaptionGap;
    label.OnSetBounds({x1, bottom - h, x2, bottom});
  } else {
    // Raised by the look's offset, but never over the image.
    const int32_t top = std::max(middle + largest / 2 - look.offset, middle + look.image / 2) + kCaptionGap;
    label.OnSetBounds({x1, top, x2, top + h});
  }
}

void ArcMenuItem::Refresh(XObject* sender) {
  ::Button::IconButton::Refresh(sender);
  UpdateTextPos();
}

void ArcMenuItem::RefreshCtrlState(int32_t look) {
  ::Button::IconButton::RefreshCtrlState(look);
  ShowFrame();
}

MainMenuItem::MainMenuItem(XObject* link) : ArcMenuItem(link) {
  OnSetText(VgGetVariantOfString(&SID_NETWORK));
  NextState = VgFindClass("ThreeD::ThreeDMenu");
  ActivateKey = ::Key::Up;
  auto* on = VgLoad<Resources::Bitmap>(Bitmaps::L1NetworkMenuOn);
  Default_Icon = on;
  Focused_Icon = on;
  Nonfocused_Icon = on;
  Disabled_Icon = on;
  iconImage.OnSetEndless(false);
  iconImage.OnSetOnFinished(VgSlotOf<&MainMenuItem::StopAnimation>(this));
}

XObject* MainMenuItem::HandleEvent(Core::Event* event) {
  if (Core::PressedKey(event) == ::Key::Up && OnActivate.method) {
    VgSignal(OnActivate, this);
    return this;
  }
  return ArcMenuItem::HandleEvent(event);
}

void MainMenuItem::OnSetAnimationEndless(bool value) {
  AnimationEndless = value;
  iconImage.OnSetEndless(value);
  iconImage.OnSetOnFinished(value ? VgSlot{} : VgSlotOf<&MainMenuItem::StopAnimation>(this));
}

void MainMenuItem::HandleFocus(bool focused) {
  ArcMenuItem::HandleFocus(focused);
  if (focused) {
    OnSetImageSize(kMainFocused);
    StartAnimation();
  } else if (!Stopped) {
    StopAnimation();
  }
}

void MainMenuItem::StartAnimation() {
  iconImage.OnSetFrameNumber(0);
  iconImage.Activate();
  if (Stopped) MainApp::GetWrapper()->StartAnimation();
  Stopped = false;
}

void MainMenuItem::StopAnimation(XObject*) {
  iconImage.OnSetAnimated(false);
  iconImage.OnSetFrameNumber(Icon == Focused_Icon && Focused ? Icon->OnGetNoOfFrames() - 1 : Looks[ImageSize].frame);
  if (!Stopped) MainApp::GetWrapper()->StopAnimation();
  Stopped = true;
}

void MainMenuItem::RefreshCtrlState(int32_t look) {
  if (look == LookDefault) ImageSize = kMainLoweredCentre;
  if (look == LookFocused) ImageSize = kMainFocused;
  ArcMenuItem::RefreshCtrlState(look);
  OnSetImageSize(ImageSize);
}

SecondaryMenuItem::SecondaryMenuItem(XObject* link) : ArcMenuItem(link) {
  Looks = kSecondLooks;
  IconWidth = kSecondIconWidth;
  OnSetText(VgGetVariantOfString(&SID_SETUP));
  NextState = VgFindClass("ThreeD::ThreeDMenu");
  ActivateKey = ::Key::Up;
  auto* icon = VgLoad<Resources::Bitmap>(Bitmaps::L2NetTVMenu);
  Default_Icon = icon;
  Focused_Icon = icon;
  Nonfocused_Icon = icon;
  Disabled_Icon = icon;
}

XObject* SecondaryMenuItem::HandleEvent(Core::Event* event) {
  if (Core::PressedKey(event) == ::Key::Ok && OnActivate.method) {
    VgSignal(OnActivate, this);
    return this;
  }
  return ArcMenuItem::HandleEvent(event);
}

void SecondaryMenuItem::HandleFocus(bool focused) {
  ArcMenuItem::HandleFocus(focused);
  if (focused) OnSetImageSize(kSecondFocused);
}

void SecondaryMenuItem::RefreshCtrlState(int32_t look) {
  ArcMenuItem::RefreshCtrlState(look);
  if (IsDisabled && Focused) {
    VgColor grey = Colors::DisableTextColor;
    grey.alpha = label.Color.alpha;
    label.OnSetColor(grey);
  }
}

// ------------------------------------------------------------ the arc pages

ArcMenu::ArcMenu() : ArcMenu(kNoLayout) {}

ArcMenu::ArcMenu(const ArcLayout& arcLayout) : layout(&arcLayout) {
  OnSetBounds({0, 0, 960, 540});
  SubSystemClass = &::MenuSystem::MenuSystem::Class;
  PrevKey = ::Key::Left;
  NextKey = ::Key::Right;
  ConvertPositionArrays();
  carousel.Setup(std::span<const VgPoint>(arcOrigins.data(), layout->arc.size()), layout->itemBounds, 0, nullptr);
  carousel.Centre = layout->centre;
  carousel.OnShifted = VgSlotOf<&ArcMenu::ShiftedSlot>(this);
}

void ArcMenu::ConvertPositionArrays() {
  auto convert = [this](std::span<const VgPoint> points, std::span<const int32_t> sizes,
                        std::array<VgPoint, MaxPoints>& out) {
    for (size_t i = 0; i < points.size() && i < out.size(); ++i)
      out[i] = ConvertPosition(points[i], layout->itemBounds, i < sizes.size() ? sizes[i] : 0);
  };
  convert(layout->start, layout->startSizes, startOrigins);
  convert(layout->arc, layout->arcSizes, arcOrigins);
  convert(layout->rest, layout->startSizes, restOrigins);
}

std::span<const VgPoint> ArcMenu::ArcByPosition() const {
  return std::span<const VgPoint>(arcOrigins.data() + 1, layout->arc.size() - 1);
}

ArcMenuItem* ArcMenu::ItemAtPosition(int32_t position) const {
  return vg_cast<ArcMenuItem>(carousel.Item(carousel.ItemAt(position)));
}

void ArcMenu::SetItemSizeByPos(ArcMenuItem* item, int32_t position) {
  if (!item || layout->positionLook.empty()) return;
  const auto last = static_cast<int32_t>(layout->positionLook.size()) - 1;
  item->OnSetImageSize(layout->positionLook[std::clamp(position, 0, last)]);
}

void ArcMenu::ApplySizes() {
  for (int32_t p = carousel.FirstPosition; p <= carousel.LastPosition(); ++p)
    SetItemSizeByPos(ItemAtPosition(p), p);
}

void ArcMenu::Appear(int32_t index) {
  carousel.Prepare();
  CurrentItemIndex = carousel.ValidIndex(index);
  Resting = layout->cascade ? false : true;
  ApplySizes();
  appearing = true;
  MainApp::GetMessageAgent()->Register(this);
  carousel.Shift(startOrigins, layout->cascade ? ArcByPosition() : std::span<const VgPoint>(restOrigins),
                 ShowFrames, layout->cascade);
}

void ArcMenu::StartMoveItemsPos(bool toRest) {
  if (appearing) carousel.ShiftEndSlot(nullptr);
  Resting = toRest;
  const std::span<const VgPoint> rest(restOrigins);
  carousel.Shift(toRest ? ArcByPosition() : rest, toRest ? rest : ArcByPosition(), ShowFrames, false);
}

void ArcMenu::ShiftedSlot(XObject*) {
  if (appearing) {
    appearing = false;
    Appeared();
  } else {
    MovedItemsPos();
  }
}

void ArcMenu::MoveStarted() {
  // Each icon takes the size of the position it moves to.
  const int32_t step = carousel.Direction ? 1 : -1;
  for (int32_t p = carousel.FirstPosition; p <= carousel.LastPosition(); ++p)
    SetItemSizeByPos(ItemAtPosition(p), p + step);
  SetItemSizeByPos(vg_cast<ArcMenuItem>(carousel.Entering.get()),
                   carousel.Direction ? carousel.FirstPosition : carousel.LastPosition());
  Direction = carousel.Direction;
}

void ArcMenu::DressSpare(Core::Group* spare, Core::Group* like) {
  auto* stand = vg_cast<ArcMenuItem>(spare);
  auto* item = vg_cast<ArcMenuItem>(like);
  if (!stand || !item) return;
  stand->Nonfocused_Icon = item->Nonfocused_Icon;
  stand->Default_Icon = item->Default_Icon;
  stand->OnSetIcon(item->Nonfocused_Icon);
  stand->OnSetText(item->Text);
  stand->OnSetImageSize(item->ImageSize);
}

void ArcMenu::Close(XObject* sender) {
  CarouselMenu::Close(sender);
  appearing = false;
}

void ArcMenu::RequestLayout(int32_t value, bool flag, const VgClass* target) {
  auto* request = VgNew<SkinBin::UserRefInt>();
  request->Value = value;
  request->Flag = flag;
  MainApp::SendMessage(Constants::MSG_CHANGE_APPEARANCE, target, AppearanceLayout, request);
}

// ------------------------------------------------------------ the main menu

MainMenu::MainMenu() : ArcMenu(kMainLayout) {
  WinID = WinIDs::WIN_ID_MainMenu;
  Layer = Layers::MainMenu;
  ItemsNum = Icons;
  background.OnSetBounds({0, 299, 960, 540});
  background.OnSetAutoSize(true);
  background.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::L1Background));
  Add(&background, 0);
  backgroundLine.OnSetBounds(kLineUp);
  backgroundLine.OnSetAutoSize(true);
  backgroundLine.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::L1BgLine));
  Add(&backgroundLine, 0);
  lineEffect.OnSetBegin(0);
  lineEffect.OnSetPeriod(Carousel::FramePeriod);
  lineEffect.OnSetFactor(2);
  lineEffect.OnSetNoOfFrames(ShowFrames);

  for (int32_t i = 0; i <= Icons; ++i) {
    MainMenuItem& item = items[i];
    item.OnFocus = VgSlotOf<&MainMenu::DoFocus>(this);
    if (i < Icons) {
      const MainIcon& icon = kMainIcons[i];
      auto* off = Load(icon.off);
      auto* on = Load(icon.on);
      item.Nonfocused_Icon = off;
      item.Default_Icon = off;
      item.Disabled_Icon = off;
      item.Focused_Icon = on;
      item.OnSetIcon(off);
      item.Target = icon.target;
      item.NextState = icon.target ? VgFindClass(icon.target) : nullptr;
      item.OnActivate = i == kWallpaper ? VgSlotOf<&MainMenu::DoActivateWallpaper>(this)
                                        : VgSlotOf<&MainMenu::DoActivate>(this);
      item.OnSetBounds(AroundIcon(kMainStartBounds[i], kMainLayout));
    } else {
      // Stands in for the icon entering at one end while it leaves the other.
      item.OnSetVisible(false);
      item.OnSetBounds(AroundIcon(kMainSpareBounds, kMainLayout));
    }
    Add(&item, 0);
  }
  carousel.Spare = &items[Icons];
  SetCaptions();
}

void MainMenu::SetCaptions() {
  for (int32_t i = 0; i < Icons; ++i) items[i].OnSetText(OptionDatabase::LoadText(kMainIcons[i].caption));
}

void MainMenu::ReInit() {
  ArcMenu::ReInit();
  SetCaptions();
}

void MainMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ArcMenu::Initialize(parameter);
  auto* system = SystemOf(this);
  Appear(system ? system->GetMenuIndex(MenuLevel) : 1);
}

void MainMenu::Appeared() {
  ApplyCurrentItemIndex();
}

void MainMenu::Close(XObject* sender) {
  ArcMenu::Close(sender);
  lineEffect.OnSetEnabled(false);
  OpenPage = nullptr;
}

XObject* MainMenu::HandleEvent(Core::Event* event) {
  const uint16_t code = Core::PressedKey(event);
  if (code != ::Key::Down && code != ::Key::Back) return ArcMenu::HandleEvent(event);
  ResetTimeout();
  if (auto* system = SystemOf(this)) system->TearDownMenus();
  return this;
}

void MainMenu::MoveStarted() {
  CloseSecondaryMenu();
  ArcMenu::MoveStarted();
}

void MainMenu::DoFocus(XObject* sender) {
  auto* item = vg_cast<MainMenuItem>(sender);
  if (!item) return;
  if (!item->Target) {
    CloseSecondaryMenu();
    return;
  }
  SecondaryMenu* open = OpenPage && OpenPage->owner ? OpenPage.get() : nullptr;
  if (open && open->GetClass() == item->NextState) return;
  VgIdleSignal(VgSlotOf<&MainMenu::LaunchSecondaryMenu>(this));
}

void MainMenu::LaunchSecondaryMenu(XObject*) {
  auto* item = vg_cast<MainMenuItem>(CurrentItemIndex >= 1 ? GetCtrlAt(CurrentItemIndex - 1) : nullptr);
  auto* system = SystemOf(this);
  if (!item || !item->Target || !system || !owner) return;
  // Likewise the page beside the main menu opens only while the main menu
  // has the keys: opened later, it would take them from a screen that
  // opened over the menus meanwhile.
  if (!SubSystem::KeyOwner::HasTheKeys(this)) return;
  if (OpenPage && OpenPage->owner && OpenPage->GetClass() == item->NextState) return;
  CloseSecondaryMenu();
  OpenPage = vg_cast<SecondaryMenu>(SubSystem::Open(system, item->Target, {.back = GetClass()}));
}

void MainMenu::CloseSecondaryMenu(XObject*) {
  if (OpenPage && OpenPage->owner) OpenPage->Close();
  OpenPage = nullptr;
}

void MainMenu::DoActivate(XObject* sender) {
  auto* item = vg_cast<MainMenuItem>(sender);
  if (!item || !item->NextState) return;
  RequestLayout(LayoutArc, true);
}

void MainMenu::DoActivateWallpaper(XObject*) {
  auto* system = SystemOf(this);
  if (!system) return;
  if (::MenuSystem::MenuSystem::NetAppActive()) {
    MainApp::SendMessage(Constants::MSG_CLEAR_ALL);
    MainApp::SendMessage(Constants::MSG_SHOW_MESSAGE, &NonMenuSystem::NonMenuSystem::Class,
                         NonMenuSystem::DirectMsgTypeNotAvailable);
    return;
  }
  system->ClearHelpBar();
  CloseSecondaryMenu();
  Close();
  SubSystem::Open(system, kPhotoFrame, {.origin = Constants::MSG_FROM_MENUSYSTEM});
}

void MainMenu::MoveLine(VgRect from, VgRect to) {
  lineEffect.OnSetEnabled(false);
  lineEffect.OnSetView(&backgroundLine);
  lineEffect.OnSetActor(VgRefOf<&Views::Image::OnGetBounds, &Views::Image::OnSetBounds>(&backgroundLine));
  lineEffect.OnSetStartValue(from);
  lineEffect.OnSetEndValue(to);
  backgroundLine.OnSetBounds(from);
  lineEffect.OnSetEnabled(true);
}

void MainMenu::HandleMessage(Structures::Message* message) {
  if (!message || message->Code != Constants::MSG_CHANGE_APPEARANCE) return;
  auto* request = vg_cast<SkinBin::UserRefInt>(message->Payload.get());
  if (message->Param == AppearanceLayout && request) {
    LayoutValue = request->Value;
    LayoutFlag = request->Flag;
    if (LayoutFlag && LayoutValue == LayoutArc) {
      MoveLine(kLineUp, kLineDown);
      StartMoveItemsPos(true);
    } else if (!LayoutFlag && LayoutValue == LayoutRest) {
      MoveLine(kLineRaising, kLineUp);
      for (MainMenuItem& item : items) item.OnSetTextUp(false);
      if (auto* system = SystemOf(this)) system->OnSetFocus(this);
      ApplyCurrentItemIndex();
      StartMoveItemsPos(false);
    }
    return;
  }
  if (message->Param == Constants::APPEARANCE_HIDE) OnSetVisible(false);
  if (message->Param == Constants::APPEARANCE_SHOW) OnSetVisible(true);
}

void MainMenu::MovedItemsPos() {
  if (Resting) {
    for (MainMenuItem& item : items) item.OnSetTextUp(true);
    if (auto* centre = ItemAtPosition(carousel.FocusPosition + carousel.FirstPosition))
      centre->OnSetImageSize(kMainLoweredCentre);
    return;
  }
  if (auto* system = SystemOf(this)) system->OnSetFocus(this);
  ApplyCurrentItemIndex();
}

// --------------------------------------------------------- the second level

SecondaryMenu::SecondaryMenu() : SecondaryMenu({}, 0) {}

SecondaryMenu::SecondaryMenu(std::span<const Icon> pageIcons, int32_t winId)
    : ArcMenu(kSecondLayout), icons(pageIcons) {
  WinID = winId;
  Layer = Layers::MenuPage;
  MenuLevel = 2;
  FocusOnOpen = false;
  ItemsNum = static_cast<int32_t>(icons.size());
  for (int32_t i = 0; i <= MaxIcons; ++i) {
    SecondaryMenuItem& item = items[i];
    if (i < ItemsNum) {
      const Icon& icon = icons[static_cast<size_t>(i)];
      if (auto* bitmap = Load(icon.bitmap)) {
        item.Nonfocused_Icon = bitmap;
        item.Default_Icon = bitmap;
        item.Disabled_Icon = bitmap;
        item.Focused_Icon = bitmap;
        item.OnSetIcon(bitmap);
      }
      item.Target = icon.target;
      item.NextState = icon.target ? VgFindClass(icon.target) : nullptr;
      item.OptionType = icon.optionType;
      item.OnActivate = VgSlotOf<&SecondaryMenu::DoActivate>(this);
      item.OnFocus = VgSlotOf<&SecondaryMenu::DoFocus>(this);
      Add(&item, 0);
    } else if (i == MaxIcons) {
      item.OnSetVisible(false);
      Add(&item, 0);
    }
  }
  carousel.Spare = &items[MaxIcons];
  SetCaptions();
}

void SecondaryMenu::SetCaptions() {
  for (size_t i = 0; i < icons.size(); ++i) items[i].OnSetText(OptionDatabase::LoadText(icons[i].caption));
}

void SecondaryMenu::ReInit() {
  ArcMenu::ReInit();
  SetCaptions();
}

SecondaryMenuItem* SecondaryMenu::Item(int32_t n) const {
  return n >= 1 && n <= ItemsNum ? const_cast<SecondaryMenuItem*>(&items[n - 1]) : nullptr;
}

void SecondaryMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ArcMenu::Initialize(parameter);
  auto* system = SystemOf(this);
  Appear(system ? system->GetMenuIndex(MenuLevel) : 1);
}

void SecondaryMenu::Appeared() { ApplyCurrentItemIndex(); }

void SecondaryMenu::Close(XObject* sender) {
  ArcMenu::Close(sender);
  if (auto* system = SystemOf(this)) system->SetMenuIndex(MenuLevel, 1);
}

XObject* SecondaryMenu::HandleEvent(Core::Event* event) {
  const uint16_t code = Core::PressedKey(event);
  if (code != ::Key::Down && code != ::Key::Back) return ArcMenu::HandleEvent(event);
  ResetTimeout();
  RequestLayout(LayoutRest, false);
  return this;
}

void SecondaryMenu::HandleMessage(Structures::Message* message) {
  if (!message || message->Code != Constants::MSG_CHANGE_APPEARANCE) return;
  auto* request = vg_cast<SkinBin::UserRefInt>(message->Payload.get());
  if (message->Param == AppearanceLayout && request) {
    LayoutValue = request->Value;
    LayoutFlag = request->Flag;
    if (LayoutFlag && LayoutValue == LayoutArc) {
      StartMoveItemsPos(false);
      if (auto* system = SystemOf(this)) system->OnSetFocus(this);
      ApplyCurrentItemIndex();
    } else if (!LayoutFlag && LayoutValue == LayoutRest) {
      StartMoveItemsPos(true);
      const int32_t centre = carousel.FirstPosition + carousel.FocusPosition;
      SetItemSizeByPos(ItemAtPosition(centre), centre);
    }
    return;
  }
  if (message->Param == Constants::APPEARANCE_SHOW) OnSetVisible(true);
}

bool SecondaryMenu::HideMenus(SecondaryMenuItem* item) {
  auto* system = SystemOf(this);
  if (!item || item->IsDisabled || !system || !item->Target) return false;
  // A page not built yet is logged, and the menus stay as they are.
  if (!item->NextState) {
    SubSystem::Open(system, item->Target, {.value = item->OptionType, .origin = Constants::MSG_FROM_MENUSYSTEM});
    return false;
  }
  MainApp::SendMessage(Constants::MSG_CHANGE_APPEARANCE, &MainMenu::Class, Constants::APPEARANCE_HIDE);
  OnSetVisible(false);
  return true;
}

void SecondaryMenu::DoActivate(XObject* sender) {
  auto* item = vg_cast<SecondaryMenuItem>(sender);
  if (!HideMenus(item)) return;
  Primitives::KeyRoutingForm* form = SubSystem::Open(
      SystemOf(this),
      {.screen = item->NextState, .value = item->OptionType, .origin = Constants::MSG_FROM_MENUSYSTEM});
  // A deeper page opened from here goes back as from level 3.
  if (auto* page = vg_cast<ThirdMenu>(form); page && page->MenuLevel >= 4) page->OnSetIsShortcut(true);
}

// ----------------------------------------------------------------- the pages

SettingsMenu::SettingsMenu() : SecondaryMenu(kSettingsIcons, WinIDs::WIN_ID_SettingsMenu) {}

TimerMenu::TimerMenu() : SecondaryMenu(kTimerIcons, WinIDs::WIN_ID_TimerMenu) {}

void TimerMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  SecondaryMenu::Initialize(parameter);
  Item(kGameTimerIcon)->OnSetIsDisabled(!MainApp::GetWrapper()->IsPinExisting());
}

void TimerMenu::DoActivate(XObject* sender) {
  if (sender != Item(kSleepTimerIcon)) {
    SecondaryMenu::DoActivate(sender);
    return;
  }
  auto* item = Item(kSleepTimerIcon);
  auto* system = SystemOf(this);
  if (!item || item->IsDisabled || !system) return;
  auto* value = VgNew<Structures::RefInt>();
  value->Value = kSleepTimerValue;
  // A page not built yet is logged, and the menus stay as they are.
  if (!item->NextState) {
    SubSystem::Open(system, item->Target, {.param = value});
    return;
  }
  MainApp::SendMessage(Constants::MSG_CHANGE_APPEARANCE, &MainMenu::Class, Constants::APPEARANCE_HIDE);
  OnSetVisible(false);
  SubSystem::Open(system, {.screen = item->NextState, .param = value});
}

MediaPlayerMenu::MediaPlayerMenu() : SecondaryMenu(kMediaIcons, WinIDs::WIN_ID_MediaPlayerMenu) {}

void MediaPlayerMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  SecondaryMenu::Initialize(parameter);
  const bool netApp = ::MenuSystem::MenuSystem::NetAppActive();
  for (int32_t n = 1; n <= ItemsNum; ++n) Item(n)->OnSetIsDisabled(netApp);
}

NetworkMenu::NetworkMenu() : SecondaryMenu(kNetworkIcons, WinIDs::WIN_ID_NetworkMenu) {
  Item(kNetTVIcon)->OnActivate = VgSlotOf<&NetworkMenu::LaunchYahoo>(this);
}

void NetworkMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  SecondaryMenu::Initialize(parameter);
  RefreshGrayout();
}

void NetworkMenu::HandleMessage(Structures::Message* message) {
  SecondaryMenu::HandleMessage(message);
  if (message && message->Code == Constants::MSG_CHANGE_APPEARANCE && message->Param == Constants::APPEARANCE_SHOW)
    RefreshGrayout();
}

void NetworkMenu::RefreshGrayout() {
  Item(kWirelessInformationIcon)->OnSetIsDisabled(MainApp::GetWrapper()->OnGetNetworkType() == 0);
}

void NetworkMenu::LaunchYahoo(XObject*) {
  ::MenuSystem::MenuSystem::LaunchWidgets(::MenuSystem::MenuSystem::NetTvMode);
}

}  // namespace MenuSystem
