// NonMenuSystem::WidgetClass: the base of every screen outside the menu tree.
// It reads the record it was opened with, knows whether it came from a menu,
// the quick menu or elsewhere, passes that origin on to the screens it opens
// forward and back, closes everything on EXIT, and times out: after 6000 ms
// without a key, or a minute when a menu opened it, counting only while it
// has the focus unless it is told otherwise.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Core/Keys.h"
#include "Primitives/KeyRoutingForm.h"
#include "Views/Image.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"
#include "WidgetManager/Layers.h"
#include "vgpoint.h"
#include "vgstring.h"

namespace NonMenuSystem {

class NonMenuSystem;

// The kinds of screen, each with the screens built on it, over which CLEAR
// goes on to the media: once it has closed them, the media and playback
// windows hear it too (MainApp::ActiveApp::ClearTheMedia), and a song, a
// photo or a film under them goes with them. They are no step of what the
// viewer does in a screen, but a passing notice (the volume bar, a message)
// or a chooser of the remote's own keys (the quick menu, the input list)
// over whatever plays, and CLEAR there clears the screen whole; were it
// taken as EXIT, a second CLEAR would be needed to end what plays. The
// project's own way (docs/own-ways.md).
inline constexpr const char* kClearReachesTheMedia[] = {
    "NonMenuSystem::CommonVolumeBar",
    "NonMenuSystem::DirectMessageBar",
    "QuickMenu::QuickMenu",
    "NonMenuSystem::ExternalInputDialog",
};

class WidgetClass : public Primitives::KeyRoutingForm {
  VG_CLASS()

 public:
  explicit WidgetClass(XObject* link = nullptr);

  static constexpr int32_t WidgetTimeOut = 6000;
  static constexpr int32_t MenuTimeOut = 60000;
  static constexpr int32_t DefaultLayer = Layers::Widget;
  // Volume, mute and every key from here on belong to the screens behind.
  static constexpr uint16_t KeyFirstUnhandled = Key::VolumeUp;

  // Overridden slots.
  // 2 and 45 clear all, 41 goes back (or closes), the arrows are swallowed;
  // each key taken restarts the time-out.
  XObject* HandleEvent(Core::Event* event) override;
  // Reads the opening record: a SkinBin::UserRefInt (value, origin, text,
  // flag), a Structures::RefInt (value only) or nothing.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Open(XObject* sender = nullptr) override;
  // A persistent widget counts down only while it has the focus.
  void HandleFocus(bool focused) override;
  void OnSetBounds(VgRect rect) override;

  // Slots of the widget, in order.
  // Closes and opens NextState, handing on this class as its way back.
  virtual void EnterNextState();
  // Closes and returns: to the menus for a shortcut, else to PrevState.
  virtual void EnterPrevState();
  // The time-out's target: asks the owner to close all screens and menus.
  virtual void ClearAll(XObject* sender = nullptr);
  virtual void OnSetMenuTriggered(bool value);
  void Exit(XObject* sender = nullptr);
  // What BACK does: EnterPrevState when there is a way back (a previous
  // screen or the menus of a shortcut), else Exit.
  void GoBack();
  // Whether the widget stays through a clear of all screens (EXIT, CLEAR, a
  // time-out): by its layer, where the media and playback windows stay.
  virtual bool OutlivesClear() const;
  // Over the picture alone a panel may let a little of it show through; over
  // another screen it is solid, so that no text below reads through it. Run
  // as the widget opens and whenever its owner settles the keys.
  virtual void UpdateInside();
  // A screen that draws its keys' help line inside itself hides it where
  // the help line of a screen over it is drawn across it
  // (SubSystem::KeyOwner::ShowsOwnHelpLine): the two would read through
  // each other. Run whenever its owner settles the keys, and when the keys
  // move off it; ShowHelpLine is the screen's own part.
  void ShowOwnHelpLine(bool shown) {
    ownLineShown_ = shown;
    ShowHelpLine(shown);
  }
  virtual void ShowHelpLine(bool) {}
  // Where the screen draws its keys' help line, in its own coordinates,
  // shown or not; empty for a screen that draws none.
  virtual VgRect OwnHelpLine() const { return {0, 0, 0, 0}; }
  VgRect HelpLineDrawn() const override { return ownLineShown_ ? OwnHelpLine() : VgRect{0, 0, 0, 0}; }
  // This base takes CLEAR as it takes EXIT (HandleEvent), and so do the
  // screens on it, wherever they were opened from (a menu row, the
  // recordings library, a key on live television): CLEAR on one closes what
  // EXIT closes, and a song, a photo or a film under it plays on. Only the
  // kinds of kClearReachesTheMedia answer no.
  bool TakesClearAsExit() const final;
  // How far inside its bounds the panel's drawn edge lies (a frame's
  // shadow); the owner keeps the lines of the screens below off that band.
  virtual int32_t PanelEdge() const { return 0; }
  // Whether the widget moves off the lines of the screens under it as it
  // opens (ClearOfLines), or stands where it is placed.
  virtual bool StandsClearOfLines() const { return true; }

  // The screen a pop-up answers by a call (its owner, or the object of the
  // slot it signals), while that screen is not closed; null, and a log line,
  // once it is. A pop-up may outlive the screen that opened it (a screen of
  // its layer replaced that one), and a closed screen takes no answer, as
  // the message agent serves no closed receiver.
  XObject* AnswerTo(XObject* owner) const;

  // MSG_FROM_MENUSYSTEM, MSG_FROM_QUICKMENU or MSG_FROM_NONMENUSYSTEM, for
  // the screens this one opens.
  int32_t OriginTag() const;
  // A SkinBin::UserRefInt carrying the origin tag and the value.
  XObject* MakeOriginParam(int32_t value = 0) const;

  bool OnGetIsShortcut() const { return IsShortcut; }
  void OnSetIsShortcut(bool value) { IsShortcut = value; }
  bool OnGetIsPersistent() const { return IsPersistent; }
  void OnSetIsPersistent(bool value);
  bool OnGetMenuTriggered() const { return MenuTriggered; }
  bool OnGetFromQuickMenu() const { return FromQuickMenu; }
  void OnSetFromQuickMenu(bool value) { FromQuickMenu = value; }
  ::NonMenuSystem::NonMenuSystem* OnGetNonMenuSystem() const { return NonMenuSystem; }
  void OnSetNonMenuSystem(::NonMenuSystem::NonMenuSystem* value) { NonMenuSystem = value; }
  VgPoint OnGetWidgetOrigin() const { return WidgetOrigin; }
  void OnSetWidgetOrigin(VgPoint value) { WidgetOrigin = value; }

  // Going back returns to the menus instead of opening PrevState.
  bool IsShortcut = false;
  bool IsPersistent = true;
  bool MenuTriggered = false;
  bool FromQuickMenu = false;
  VgPtr<::NonMenuSystem::NonMenuSystem> NonMenuSystem;
  // Where the owner places the widget; (-1, -1) centres it.
  VgPoint WidgetOrigin{-1, -1};
  // What the opening record carried.
  int32_t ParamValue = 0;
  int32_t ParamKind = 0;
  bool ParamFlag = false;
  VgStr ParamText;
  // Spans the widget; descendants recolour or hide it.
  Views::Rectangle background{this};

 protected:
  // Shows or hides a help line of key pictures and their labels.
  template <size_t N>
  static void ShowHelpViews(Views::Image (&icons)[N], Views::Text (&labels)[N], bool shown) {
    for (Views::Image& icon : icons) icon.OnSetVisible(shown);
    for (Views::Text& label : labels) label.OnSetVisible(shown);
  }
  // Where such a line stands, in the coordinates of the views' owner.
  template <size_t N>
  static VgRect HelpViewsPlace(const Views::Image (&icons)[N], const Views::Text (&labels)[N]) {
    VgRect place{0, 0, 0, 0};
    for (const Views::Image& icon : icons) place = VgUnionRect(place, icon.Bounds);
    for (const Views::Text& label : labels) place = VgUnionRect(place, label.Bounds);
    return place;
  }

 private:
  // The background's own opacity while UpdateInside keeps it solid.
  uint8_t backgroundAlpha_ = 0;
  bool madeSolid_ = false;
  // Whether the help line drawn inside the screen shows.
  bool ownLineShown_ = true;
};

}  // namespace NonMenuSystem
