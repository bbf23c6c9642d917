// SubSystem::KeyOwner: the one place that decides which screen has the
// viewer's keys and whose help line shows. docs/key-path.md tells the rules
// and how a key travels; this header tells what each call answers.
//
// The owner goes by what each screen says of itself (Primitives::
// KeyRoutingForm: TakesKeys, GivesWay, TypedInto, ...). Sub-systems and
// screens move the focus themselves, asking the owner with a reason
// (Request). The owner hears of every move and of every screen listed or
// let go, and settles the keys once a pass, last (Settle): the sub-systems
// first hear of the screens that left (SubSystemClass::AfterScreenLeft),
// then the keys go to the screen on top of the drawn stack
// (Primitives::DrawnScreens), then the sub-systems follow
// (SubSystemClass::KeysSettled) without moving them.
//
// The stage (MainApp::ActiveApp) asks the owner to direct the keys across
// its sub-systems; sub-systems standing elsewhere (a test's root, the
// first-time setup) are followed, not directed.
#pragma once

#include <cstdint>
#include <vector>

#include "Core/Group.h"
#include "Primitives/KeyRoutingForm.h"
#include "vgobject.h"

namespace SubSystem {

class SubSystemClass;

class KeyOwner : public XObject {
  VG_CLASS()

 public:
  explicit KeyOwner(XObject* link = nullptr) : XObject(link) {}

  // The owner of the interface's keys, made when first asked for.
  static KeyOwner* Get();

  // The stage asks the owner to direct the keys across its sub-systems, or
  // (null) to stop as it closes, with its sub-systems.
  void Direct(Core::Group* stage);
  // A sub-system that will stand in GROUP: its screens are followed.
  void Enlist(Core::Group* group);
  // Why a sub-system or a screen asks for the keys.
  enum class Reason {
    // The sub-system took the viewer's key, or an event of the set routed to
    // it (the factory hears a command for every front-panel key).
    Handled,
    // A screen opened in the sub-system and takes the keys.
    Opened,
    // Another sub-system asked this one for a screen or a message.
    Asked,
  };
  // The sub-system asks for the stage's keys. One that stands in no group
  // (closed) gets nothing. One that took a key or an event (Handled) does
  // not get them off the stage, nor while the screen on top is another
  // sub-system's (unless its own screen in focus is a passing notice that
  // nothing covers), nor, with no screen in focus, while another
  // sub-system's screen has them (a key it took over a screen typed into
  // still takes that screen off the focus path for a moment, which ends a
  // menu row's digit entry); the others are granted. Whether it was granted.
  bool Request(SubSystemClass* system, Reason why);
  // The screen asks for its sub-system's keys: granted while it is open
  // there. A screen asked for from outside its sub-system (Asked: the media
  // window that the menus' tear-down hands the keys to) asks for the
  // stage's keys for its sub-system too; a screen that opened (Opened) does
  // not, as its sub-system asks for them itself, for the key or the request
  // it took. Whether it was granted.
  bool Request(Primitives::KeyRoutingForm* screen, Reason why);
  // Before the stage hands a key down to the screen with the keys: a screen
  // that hears the key beside the keys (the service menu, the front panel's),
  // of another sub-system and not covered, takes it, and the screen
  // returned; else a passing notice that has the keys and no use for the key
  // gives them to the screen under it, which the key then reaches as if the
  // notice were not there.
  XObject* Route(Core::Event* event);
  // A key that the pop-up with the keys declined: the screen that asked for
  // the pop-up hears it down its own focus, as if the pop-up were not there,
  // and the key goes no further when that screen takes it (RECORD, which the
  // timer dialogs keep, does not open the record options over the timer being
  // set from the pop-up either). An asker that declines it too passes it on
  // to its own asker, unless it has keys of its own (PassesKeysToItsAsker);
  // each screen hears it once (Primitives::AlongTheAskers). The screen that
  // took the key, or null: the key rises to the pop-up's sub-system as
  // before.
  XObject* ToTheAsker(Primitives::KeyRoutingForm* popUp, Core::Event* event);
  // Whether a key that the screen with the keys declined stops there, taken
  // by none: the viewer has typed into the screen (a keyboard or a PIN pad
  // holding text, a digit editor holding digits: Forms::Ctrl::TypedInto) and
  // the key is not one of those that leave it by its own way (BACK, EXIT,
  // CLEAR and the service remote's reset, which a PIN page of the menus
  // leaves to its sub-system; OK is the pad's own or nothing; MENU, which
  // closes the menus with a page of theirs focused) or that close nothing
  // (the volume keys and MUTE, which bring up a passing notice), nor the
  // service mode's combination, which is the factory's. Any other key might
  // close the pad, or the screen that asked for it, and throw away what is
  // typed, so it does nothing there.
  static bool StopsAtTheTyping(Primitives::KeyRoutingForm* screen, Core::Event* event);
  // Whether the key is the factory's own, whoever has the keys: the front
  // panel's MENU with the other key of the service mode's combination held,
  // or in the service mode, where the menus leave it to the factory. It goes
  // past a screen typed into and past the askers, to the routing.
  static bool ForTheFactory(Core::Event* event);
  // The same for a key as the screens will receive it (the panel's keys
  // turned by the root), before it is sent.
  static bool FactorysKey(uint16_t code, bool frontPanel);
  // Whether the form was asked for by the screen, by a list inside it, or by
  // a pop-up that answers it (a keyboard over the question the screen asked).
  static bool AskedBy(Primitives::KeyRoutingForm* form, const Core::View* screen);

  // The focus moved, in the stage or in a sub-system: a help line whose
  // screen lost the keys goes now, and the owner settles at the end of the
  // pass.
  void FocusMoved();
  // Something the sub-systems follow changed (a help line was told): the
  // owner settles at the end of the pass.
  void Changed();
  // The keys are settled: once a pass, posted last, and at once when a test
  // asks.
  void Settle(XObject* sender = nullptr);
  // A sub-system listed a screen, or one left (SubSystemClass::Add and
  // Remove): the owner settles at the end of the pass, and the sub-systems
  // hear of a screen that left as it settles, before the keys are settled
  // (SubSystemClass::AfterScreenLeft). A screen listed takes the place of
  // one that waits to open on its layer, in any sub-system, as it takes the
  // place of one open there.
  void ScreenListed(Primitives::KeyRoutingForm* form = nullptr);
  void ScreenLeft();
  // An event of the set was delivered: the screens that wait to open and
  // that it would have closed open (their medium taken out) are forgotten.
  void WorldEventDelivered(Core::Event* event);

  // The sub-system of menu pages among those that follow the keys, which a
  // shortcut of the menus gives the keys back to; null while none stands
  // there.
  SubSystemClass* Menus() const;

  // The screen that has the keys: the newest modal screen, else the first
  // screen on the focus path from the root of the view's tree.
  static Primitives::KeyRoutingForm* ScreenWithTheKeys(Core::View* view);
  // The screen the viewer answers on the stage: the one with the keys or,
  // while a passing notice has them, the screen under it, which the keys
  // the notice has no use for reach (ScreenUnder); null while the owner
  // directs no stage, or no screen has the keys.
  Primitives::KeyRoutingForm* ViewersScreen() const;
  // Whether the view (a screen, a sub-system, a list that told a help line)
  // lies on the keys' path.
  static bool HasTheKeys(const Core::View* view);
  // Which of the help lines told shows, by their tellers as they were told,
  // newest first (a null teller: a line told for no screen): the index, or
  // -1 for none. The line of the screen with the keys (the first told of
  // those on their path); while no screen that told one has them, the first
  // line told for no screen.
  static int WhoseHelpLine(const std::vector<Core::View*>& tellers);
  // Whether a help line told by the screen may stay on view: not once the
  // screen has lost the keys.
  static bool KeepsHelpLine(const Core::View* teller);
  // Whether a screen's own help line, drawn inside it at LINE (in its own
  // coordinates), shows: the main menu's (a screen that shares the keys
  // with its pages) while its sub-system has the keys, unless the screen
  // with them there shows its line on the help bar; any other screen's
  // unless a screen drawn over it draws a help line across LINE
  // (KeyRoutingForm::HelpLineDrawn: the help bar, another screen's own
  // line), so that it never reads under the line of a screen over it. A
  // question or a menu over the screen that leaves its line clear leaves
  // the line on view.
  static bool ShowsOwnHelpLine(const Core::View* screen, VgRect line = {0, 0, 0, 0});
  // Whether the sub-system has the keys in a screen that shows its line on
  // the help bar: the line a sub-system tells for all its pages (the menus'
  // older pages) stays only while one of them has the keys.
  static bool HelpBarLineHasTheKeys(Core::View* system);
  // Whether the key being handled asks for the screen, and the screen would
  // open in the sub-system under the screen with the keys, which stays (see
  // KeyAsking): it does not open then. Nor does a screen that ASKER asks for
  // while a pop-up it asked for has the keys, in the pop-up's place or under
  // it (a key heard past the pop-up, or the work such a key left behind): a
  // second question or keyboard would throw away the one the viewer fills in.
  // Nor, while the key asks (KeyAsking), one that would open under a screen
  // on view that takes keys and stays, where the two overlap: the viewer
  // would press keys into the screen on top, not the one asked for. What
  // the key's work opens later there (the conflicting timers that the record
  // options ask for under the service menu beside them, the playback that
  // the play options go on to under the 3D question that waited under them)
  // waits for that screen to go (SubSystemClass::Waits).
  static bool OpensUnderTheKeys(Core::View* system, Primitives::KeyRoutingForm* form,
                                Primitives::KeyRoutingForm* asker = nullptr);
  // The screen on view that takes keys and stays (that FORM would not close
  // by taking its layer's place) lying over where FORM would stand in the
  // sub-system, on a higher layer; null when none does.
  static Primitives::KeyRoutingForm* OverItsPlace(Core::View* system, Primitives::KeyRoutingForm* form);
  // Whether the key being handled reached the view past the screen with the
  // keys, which stays (a menu row under a dialog the key went past): what it
  // would open, it would open under that screen.
  static bool ReachedUnderTheKeys(Core::View* view);
  // Which of its sub-system's screens takes the focus when VIEW, the focused
  // one, leaves: a screen that claims it (PreemptiveFocus), with the pop-up
  // it asked for standing above it; null when none claims it.
  static Core::View* ClaimantOfTheFocus(Core::Group* system, Core::View* leaving);
  // The screen of the sub-system that takes the focus when VIEW, the focused
  // one, leaves: the screen that asked for VIEW and waits for it, else the
  // claimant, else the nearest screen above VIEW that takes keys, else the
  // nearest below it (of a view the sub-system does not hold, the topmost);
  // null when none does (the help bar, a display, the factory's indicator
  // take none).
  static Core::View* NextWithTheKeys(Core::Group* system, Core::View* leaving);
  // The topmost screen drawn under the notice that takes keys, passing
  // notices left out, in whichever sub-system of the notice's stage: where a
  // key the notice has no use for goes.
  static Primitives::KeyRoutingForm* ScreenUnder(Primitives::KeyRoutingForm* notice);
  // Whether a screen that takes keys, or a menu page, of a lower layer is on
  // view under the panel: a panel over another screen is solid.
  static bool OverAnother(Primitives::KeyRoutingForm* panel);

  // Set while a key that the screen with the keys did not take asks for a
  // screen (the non-menu keys that open one, a key routed to another
  // sub-system): such a screen does not open under the screen with the keys
  // when that one stays, where it would wait deaf under it or take the keys
  // from the screen the viewer sees on top.
  class KeyAsking {
   public:
    KeyAsking() : was_(asking_) { asking_ = true; }
    ~KeyAsking() { asking_ = was_; }
    KeyAsking(const KeyAsking&) = delete;
    KeyAsking& operator=(const KeyAsking&) = delete;

   private:
    bool was_;
  };

  // Set while a key of the viewer is handed to the screens: the key and the
  // work it leaves for later passes (VgSignalCause) are the key's work.
  class KeyHandling {
   public:
    explicit KeyHandling(bool pressed);
    ~KeyHandling();
    KeyHandling(const KeyHandling&) = delete;
    KeyHandling& operator=(const KeyHandling&) = delete;

   private:
    uint32_t was_;
  };
  // Whether the work that runs now is the last key's (KeyHandling).
  bool RunsForTheLastKey() const;

  // The group whose sub-systems' screens the owner directs; null while none.
  VgPtr<Core::Group> Stage;
  // Where the sub-systems that follow the keys stand: the stage while there
  // is one, else where the sub-systems that enlisted stand.
  VgPtr<Core::Group> Ground;

 private:
  // The stage's focus goes to a sub-system that can answer the remote.
  void ReturnFocus();
  // The keys go up the drawn stack; true when a passing notice gave way and
  // left.
  bool KeysToTheTop();
  // Notices that leave with the keys and lack them leave; true when one
  // left.
  bool LeaveWithoutTheKeys();
  // The screen of another of the stage's sub-systems that takes keys and lies
  // over the screen; null when none does.
  Primitives::KeyRoutingForm* LiesUnder(Primitives::KeyRoutingForm* screen) const;

  inline static bool asking_ = false;
  bool settling_ = false;
  // A screen left since the owner last settled.
  bool screenLeft_ = false;
  // The cause that marks the last key's work.
  uint32_t keyCause_ = 0;
};

}  // namespace SubSystem
