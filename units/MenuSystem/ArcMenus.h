// The older menu family's first two levels: icons on arcs along the bottom of
// the screen, turned like a carousel by LEFT and RIGHT.
//
//   MainMenu       five large icons (settings, network, media player,
//                  wallpaper, timer). Focusing one opens its second-level
//                  page above it; UP lowers the row and hands the focus up.
//   SecondaryMenu  a page of up to seven smaller icons (SettingsMenu,
//                  TimerMenu, MediaPlayerMenu, NetworkMenu) that opens
//                  compact above the main menu and spreads onto its own arc
//                  when it takes the focus; OK opens an icon's page, DOWN
//                  gives the focus back.
//
// Both keep tables of points where an icon's image stands (on the arc, where
// it comes from, where it rests) and turn them into icon origins by the
// image size at each point. No screen opens MainMenu: MENU opens the newer
// main menu; `open MenuSystem::MainMenu` shows this one.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "Button/IconButton.h"
#include "MenuSystem/CarouselMenu.h"
#include "OptionDatabase/OptionModuleClass.h"
#include "SkinBin/MenuEffect.h"
#include "Views/Image.h"
#include "Views/MultilineText.h"

namespace MenuSystem {

class SecondaryMenu;

// An icon of an arc: its image centred, its caption below (or above) it,
// both by the size of the icon's position (ImageSize).
class ArcMenuItem : public ::Button::IconButton {
  VG_CLASS()

 public:
  // What a size looks like: the caption's opacity and how far it is raised,
  // the icon frame and the image's side in pixels; whether the caption keeps
  // to one line.
  struct Look {
    uint8_t alpha;
    int32_t offset;
    int32_t frame;
    int32_t image;
    bool oneLine = false;
  };

  explicit ArcMenuItem(XObject* link = nullptr);

  // Overridden slots.
  void Refresh(XObject* sender = nullptr) override;
  void OnSetText(VgString value) override;
  void OnSetTextFont(Resources::Font* value) override;
  void OnSetTextColor(VgColor value) override;
  void OnSetTextAlpha(uint8_t value) override;
  void RefreshCtrlState(int32_t look) override;

  virtual void OnSetImageSize(int32_t size);
  int32_t OnGetImageSize() const { return ImageSize; }
  // The caption above the image; the small sizes hide it then.
  void OnSetTextUp(bool value);
  bool OnGetTextUp() const { return TextUp; }
  void UpdateTextPos();

  // Wrapped at the icon's width, as high as its lines.
  Views::MultilineText label{this};
  // The icon's width, at which the caption wraps; the item's box is wider,
  // its image centred, so that a caption wider than the icon is not cut.
  int32_t IconWidth = 0;
  int32_t ImageSize = 0;
  bool TextUp = false;
  std::span<const Look> Looks;
  // "Unit::Class" of the page the icon opens; null for none.
  const char* Target = nullptr;
  // Handed to that page as its parameter's value.
  int32_t OptionType = 0;

 protected:
  void ShowFrame();
  // The caption's width: the icon's, or its widest word where that is wider
  // (a word is never broken); on one line, as wide as it reads.
  int32_t CaptionWidth(bool oneLine) const;
};

class MainMenuItem : public ArcMenuItem {
  VG_CLASS()

 public:
  explicit MainMenuItem(XObject* link = nullptr);

  // Overridden slots.
  // UP activates the icon.
  XObject* HandleEvent(Core::Event* event) override;
  // The focused icon lights up once (or over and over: AnimationEndless).
  void HandleFocus(bool focused) override;
  void RefreshCtrlState(int32_t look) override;

  void StartAnimation();
  void StopAnimation(XObject* sender = nullptr);
  void OnSetAnimationEndless(bool value);

  bool AnimationEndless = false;
  bool Stopped = true;
};

class SecondaryMenuItem : public ArcMenuItem {
  VG_CLASS()

 public:
  explicit SecondaryMenuItem(XObject* link = nullptr);

  // Overridden slots.
  // OK activates the icon, as its activation key (UP) does.
  XObject* HandleEvent(Core::Event* event) override;
  void HandleFocus(bool focused) override;
  // A disabled icon's caption is grey while focused.
  void RefreshCtrlState(int32_t look) override;
};

// What an arc page is made of: its points (where the images' top-left
// corners go), by position, and the image size at each; the arc has one
// point more at each end, where icons enter and leave.
struct ArcLayout {
  std::span<const VgPoint> start;  // where the icons come from when the page opens
  std::span<const VgPoint> arc;
  std::span<const VgPoint> rest;   // the lowered (main) or compact (second) row
  std::span<const int32_t> startSizes;  // also the rest row's
  std::span<const int32_t> arcSizes;
  std::span<const int32_t> positionLook;  // the ImageSize of each position
  // An item's box: wider than its icon, which stands in its middle.
  VgRect itemBounds;
  int32_t centre;
  // The icons appear one after the other rather than all at once.
  bool cascade;
  std::span<const ArcMenuItem::Look> looks;
};

// What MainMenu and SecondaryMenu share: the converted points, the sizes by
// position, LEFT and RIGHT, and the moves of the whole row.
class ArcMenu : public CarouselMenu {
  VG_CLASS()

 public:
  explicit ArcMenu(const ArcLayout& layout);
  ArcMenu();

  static constexpr int32_t ShowFrames = 5;
  static constexpr int32_t MaxPoints = 9;
  // MSG_CHANGE_APPEARANCE: the row moves, a SkinBin::UserRefInt saying where.
  static constexpr int32_t AppearanceLayout = 10;
  static constexpr int32_t LayoutArc = 2;  // with the flag: onto the arc (the page takes the focus)
  static constexpr int32_t LayoutRest = 1;  // without: back to rest

  // Overridden slots.
  void Close(XObject* sender = nullptr) override;

  // The icon at a position takes that position's size.
  void SetItemSizeByPos(ArcMenuItem* item, int32_t position);
  ArcMenuItem* ItemAtPosition(int32_t position) const;
  bool OnGetAnimating() const { return carousel.Animating; }

  // Sends the layout request (MSG_CHANGE_APPEARANCE 10) to every page.
  static void RequestLayout(int32_t value, bool flag, const VgClass* target = nullptr);

  const ArcLayout* layout = nullptr;
  std::array<VgPoint, MaxPoints> arcOrigins{};
  std::array<VgPoint, MaxPoints> startOrigins{};
  std::array<VgPoint, MaxPoints> restOrigins{};
  // The last layout request.
  bool LayoutFlag = true;
  int32_t LayoutValue = 1;
  // true after LEFT, false after RIGHT.
  bool Direction = false;
  // At rest rather than on the arc.
  bool Resting = false;

 protected:
  // Hides the items, restores the current one and lets the icons appear.
  void Appear(int32_t index);
  // Moves the row onto its arc or to rest.
  void StartMoveItemsPos(bool toRest);
  // The row arrived where Appear or StartMoveItemsPos sent it.
  virtual void Appeared() {}
  virtual void MovedItemsPos() {}
  void MoveStarted() override;
  void DressSpare(Core::Group* spare, Core::Group* like) override;
  void ApplySizes();
  // The arc's points by position (-1 .. count), from the first position.
  std::span<const VgPoint> ArcByPosition() const;

 private:
  void ConvertPositionArrays();
  void ShiftedSlot(XObject* sender);
  bool appearing = false;
};

class MainMenu : public ArcMenu {
  VG_CLASS()

 public:
  MainMenu();

  static constexpr int32_t Icons = 5;

  // Overridden slots.
  // LEFT and RIGHT turn the row; DOWN and Return close every menu.
  XObject* HandleEvent(Core::Event* event) override;
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Close(XObject* sender = nullptr) override;
  void HandleMessage(Structures::Message* message) override;
  // UP on an icon with a page: the row lowers and the page takes the focus.
  void DoActivate(XObject* sender) override;
  // The focused icon's page opens at the next idle moment.
  void DoFocus(XObject* sender) override;
  void ReInit() override;

  void LaunchSecondaryMenu(XObject* sender = nullptr);
  void CloseSecondaryMenu(XObject* sender = nullptr);
  // The photo frame, unless a network application has the screen.
  void DoActivateWallpaper(XObject* sender = nullptr);

  Views::Image background{this};
  Views::Image backgroundLine{this};
  MainMenuItem items[Icons + 1] = {MainMenuItem{this}, MainMenuItem{this}, MainMenuItem{this}, MainMenuItem{this},
                                   MainMenuItem{this}, MainMenuItem{this}};
  SkinBin::MenuEffect lineEffect{this};
  VgPtr<SecondaryMenu> OpenPage;

 protected:
  void Appeared() override;
  void MovedItemsPos() override;
  void MoveStarted() override;

 private:
  void SetCaptions();
  void MoveLine(VgRect from, VgRect to);
};

// A second-level page of the older menus; the four pages below differ in
// their icons and in what greys them.
class SecondaryMenu : public ArcMenu {
  VG_CLASS()

 public:
  // An icon of a page.
  struct Icon {
    OptionDatabase::TextRef caption;
    const VgConstant* bitmap;
    const char* target;
    int32_t optionType;
  };

  SecondaryMenu(std::span<const Icon> icons, int32_t winId);
  SecondaryMenu();

  static constexpr int32_t MaxIcons = 7;

  // Overridden slots.
  // LEFT and RIGHT turn the row; DOWN and Return give the focus back to the
  // main menu.
  XObject* HandleEvent(Core::Event* event) override;
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Close(XObject* sender = nullptr) override;
  void HandleMessage(Structures::Message* message) override;
  // Opens the icon's page with its option and hides the menus meanwhile.
  void DoActivate(XObject* sender) override;
  void ReInit() override;

  SecondaryMenuItem* Item(int32_t n) const;

  std::span<const Icon> icons;
  SecondaryMenuItem items[MaxIcons + 1] = {
      SecondaryMenuItem{this}, SecondaryMenuItem{this}, SecondaryMenuItem{this}, SecondaryMenuItem{this},
      SecondaryMenuItem{this}, SecondaryMenuItem{this}, SecondaryMenuItem{this}, SecondaryMenuItem{this}};

 protected:
  void Appeared() override;
  // Hides the main menu and this page before an icon's page opens.
  bool HideMenus(SecondaryMenuItem* item);

 private:
  void SetCaptions();
};

class SettingsMenu : public SecondaryMenu {
  VG_CLASS()

 public:
  SettingsMenu();
};

class TimerMenu : public SecondaryMenu {
  VG_CLASS()

 public:
  TimerMenu();

  // Overridden slots.
  // The game timer needs a PIN.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // The sleep timer's page opens with the value 7 as its own parameter.
  void DoActivate(XObject* sender) override;
};

class MediaPlayerMenu : public SecondaryMenu {
  VG_CLASS()

 public:
  MediaPlayerMenu();

  // Overridden slots.
  // A network application in front greys every icon.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
};

class NetworkMenu : public SecondaryMenu {
  VG_CLASS()

 public:
  NetworkMenu();

  // Overridden slots.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void HandleMessage(Structures::Message* message) override;

  // The wireless information needs a wireless network.
  void RefreshGrayout();
  // The internet widgets, unless the picture is in 3D.
  void LaunchYahoo(XObject* sender = nullptr);
};

}  // namespace MenuSystem
