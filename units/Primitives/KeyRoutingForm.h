// Primitives::KeyRoutingForm: the base of every dialog, menu page and banner.
// A screen is opened into a parent group and closed out of it, can be modal
// on the root, and times out after TimeOutValue ms without a key; it knows
// its window id and layer, the screens before and after it and the class of
// the sub-system that owns it.
//
// The screen bookkeeping of the shell (the sub-systems and the widget manager
// with its layers) meets a screen at three points only, all of them virtual,
// so that the shell plugs in without this class knowing it:
//   - Open and Close add the screen to and remove it from Parent through the
//     group's virtual Add and Remove; a sub-system's group overrides them to
//     register the screen with the widget manager and to enforce its layer;
//   - the widget manager closes screens through the virtual Close;
//   - the message agent hands messages to HandleMessage (see
//     Primitives/MessageDelivery.h).
//
// A form may host others: a list inside a dialog is initialised with the
// dialog as its Parent. Closing the host closes what it hosts, so a list
// that hears the message agent from its Initialize to its Close stops
// hearing it when its screen goes, whichever screen holds it.
//
// A form may answer another: a pop-up (keyboard, logo panel, confirmation,
// date, time or option pop-up) names as its Asker the screen or list that
// opened it and hears its answer. It is of no use without that form, so the
// shell closes it when its Asker closes (see WidgetManager::DeleteForm).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "Core/Group.h"
#include "Core/Timer.h"
#include "Forms/Form.h"
#include "vgrect.h"
#include "vgslot.h"
#include "vgstring.h"

namespace Core {
class KeyEvent;
}

namespace Structures {
class Message;
}

namespace Primitives {

class KeyRoutingParameter;

class KeyRoutingForm : public Forms::Form {
  VG_CLASS()

 public:
  explicit KeyRoutingForm(XObject* link = nullptr);

  static constexpr int32_t DefaultTimeOut = 10000;

  // The base form takes no key by itself: screens override this for the keys
  // they serve and call ResetTimeout after each one they take.
  XObject* HandleEvent(Core::Event* event) override;
  // What the set reports (a disk taken out, a recording ended) and this form
  // does not take reaches its Asker as if the Asker had the focus: a pop-up
  // takes the viewer's keys, not the world's news meant for the screen
  // beneath, which may close and take the pop-up along. It goes on along the
  // askers (AlongTheAskers): an asker hears it down its own focus, a form
  // that holds one (the dialog around a list) by itself, each once.
  XObject* DispatchEvent(Core::Event* event) override;

  // Slots of the screen, in order.
  // Takes Parent from the parameter; descendants read its Param after
  // calling this.
  virtual void Initialize(KeyRoutingParameter* parameter);
  // Descendants redraw their content here.
  virtual void Refresh(XObject* sender = nullptr);
  virtual void Open(XObject* sender = nullptr);
  // Removes the form from its parent, then closes the forms it hosts.
  virtual void Close(XObject* sender = nullptr);
  virtual void HandleMessage(Structures::Message* message);
  // The time-out timer's target: reports the expiry through OnTimeOut. The
  // form stays open; the screen's OnTimeOut handler decides.
  virtual void TimeOutSlot(XObject* sender);

  // The form has left the parent it was opened into (it sits in it directly,
  // or inside a group of its parent's, while open), or that parent is a form
  // that is closed. A form never given a parent is not closed.
  bool IsClosed() const;
  // The form has an Asker, and that form is closed.
  bool IsOrphaned() const { return Asker && Asker->IsClosed(); }

  // What the screen is to the viewer's keys, which the key owner
  // (SubSystem::KeyOwner) goes by. Whether the screen takes them when it has
  // the focus: one that opens with the focus does, unless it says otherwise
  // (a display that holds the focus but lets every key through).
  virtual bool TakesKeys() const { return FocusOnOpen; }
  // Whether the screen is a passing notice (the volume bar, a message): it
  // gives way to a screen that takes the keys under it, and a key may open
  // a screen under it.
  virtual bool GivesWay() const { return false; }
  // Whether the notice leaves when another screen takes the keys from it
  // (the volume bar, drawn above the dialogs): it has nothing to do then.
  virtual bool LeavesWithTheKeys() const { return false; }
  // Whether a notice with the keys uses the key itself (the volume bar's
  // volume keys, a message's BACK and EXIT): a key it has no use for is the
  // viewer's for the screen under it.
  virtual bool UsesKey(uint16_t) const { return true; }
  // Whether the screen shares the keys with the other pages of its kind in
  // its sub-system (the menus, whose pages stand beside each other and
  // arrange between them which has the keys): none takes them from another.
  virtual bool SharesKeysWithItsPages() const { return false; }
  // Whether the screen's help line shows on the help bar rather than inside
  // the main menu (the older menu pages): the main menu's own line hides
  // while such a page of its sub-system has the keys.
  virtual bool HelpLineOnTheBar() const { return false; }
  // Where the screen draws a help line now, in its own coordinates: the
  // help bar the line of the screen with the keys, a screen that draws its
  // keys' line inside itself that line while it shows; empty for none. A
  // line drawn inside a screen hides where another's is drawn over it
  // (SubSystem::KeyOwner::ShowsOwnHelpLine).
  virtual VgRect HelpLineDrawn() const { return {0, 0, 0, 0}; }
  // Whether the screen's own keys take CLEAR as they take EXIT: CLEAR on it
  // closes what EXIT closes, and no more. Each base of screens answers for
  // all the screens on it, whoever opened them: a menu page, a screen of the
  // non-menu system and a factory screen that takes keys do, but for the few
  // kinds that let CLEAR reach the media (NonMenuSystem::
  // kClearReachesTheMedia: the volume bar, a message, the quick menu, the
  // input list), over which CLEAR also closes the media windows and forgets
  // the screens that wait to open. This base takes no key by itself.
  virtual bool TakesClearAsExit() const { return false; }
  // Whether the screen hears the key while another has the keys: the
  // service menu hears the front panel, which drives it.
  virtual bool HearsBesideTheKeys(Core::KeyEvent*) const { return false; }
  // Whether the screen is a question that the set asks of its own accord
  // about what it shows now (3D detected), which opens on its layer under a
  // screen that has the keys and waits there until the viewer comes to it,
  // or closes with that screen: the set withdraws it when what it asks
  // about ends, and asks again when it comes back. Any other screen that the
  // set opens where a screen with the keys would hide it waits unopened
  // until that screen goes (SubSystem::SubSystemClass::Waits).
  virtual bool WaitsUnderTheKeys() const { return false; }
  // Whether the screen, on view, hears an event of the set (anything but a
  // key) while another screen has the keys, because it shows what the event
  // changes: a player whose disk goes out, a list whose recording starts
  // (Primitives::WorldEvents delivers it).
  virtual bool FollowsTheWorld(Core::Event*) const { return false; }
  // Whether the event of the set closes the screen, were it open (the disk
  // or the stick it shows taken out): a screen that waits to open hears no
  // event, and is forgotten on one that would have closed it
  // (SubSystem::SubSystemClass::ForgetClosedBy).
  virtual bool ClosesOnTheEvent(Core::Event*) const { return false; }
  // A screen is typed into (Forms::Ctrl::TypedInto) while it is a keyboard
  // or a PIN pad, or holds one, or a number half typed or not yet saved (an
  // address's octets, a menu row's time): what is typed lives there alone
  // and goes when the screen closes, so a key the screen declines goes on
  // only where it closes nothing (SubSystem::KeyOwner::StopsAtTheTyping).
  // Whether a key the screen declines goes to its Asker, as if the screen
  // were not there: so for a pop-up (a keyboard, a PIN pad, an option, date,
  // time or confirmation pop-up). A dialog with a table of keys of its own
  // that answers a list only to close with it (a timer dialog opened from
  // the schedules) lets what it declines rise to its sub-system, as any
  // dialog does.
  virtual bool PassesKeysToItsAsker() const { return true; }
  // The mount of the medium whose content the screen shows (a disk's
  // recordings, a stick's photos); null for a screen of no medium. Such a
  // screen leaves when its medium goes out, whoever has the keys.
  virtual VgString MediumShown() const { return nullptr; }

  // Switches the time-out on or off; a running one is not restarted.
  void SetTimeout(bool on);
  // Starts a running time-out again from its full length; a stopped one stays
  // stopped, so a key reaching a closed screen does not wake its timer.
  void ResetTimeout(XObject* sender = nullptr);
  // Stops a running time-out while the screen is left without the keys (the
  // menus under a screen of another sub-system), and starts a held one
  // again from its full length when the keys come back.
  void HoldTimeout();
  void ResumeTimeout();

  int32_t OnGetTimeOutValue() const { return TimeOutValue; }
  void OnSetTimeOutValue(int32_t ms);
  VgSlot OnGetOnTimeOut() const { return OnTimeOut; }
  void OnSetOnTimeOut(VgSlot slot) { OnTimeOut = slot; }
  int32_t OnGetWinID() const { return WinID; }
  void OnSetWinID(int32_t value) { WinID = value; }
  int32_t OnGetLayer() const { return Layer; }
  void OnSetLayer(int32_t value) { Layer = value; }
  Core::Group* OnGetParent() const { return Parent; }
  void OnSetParent(Core::Group* group) { Parent = group; }
  bool OnGetIsModal() const { return IsModal; }
  void OnSetIsModal(bool value) { IsModal = value; }
  bool OnGetFocusOnOpen() const { return FocusOnOpen; }
  void OnSetFocusOnOpen(bool value) { FocusOnOpen = value; }
  bool OnGetPreemptiveFocus() const { return PreemptiveFocus; }
  void OnSetPreemptiveFocus(bool value) { PreemptiveFocus = value; }
  const VgClass* OnGetPrevState() const { return PrevState; }
  void OnSetPrevState(const VgClass* value) { PrevState = value; }
  const VgClass* OnGetNextState() const { return NextState; }
  void OnSetNextState(const VgClass* value) { NextState = value; }
  KeyRoutingForm* OnGetAsker() const { return Asker; }
  void OnSetAsker(KeyRoutingForm* value) { Asker = value; }
  const VgClass* OnGetSubSystemClass() const { return SubSystemClass; }
  void OnSetSubSystemClass(const VgClass* value) { SubSystemClass = value; }

  // A sub-system looking for a form to focus takes the first with this flag.
  bool PreemptiveFocus = false;
  // The sub-system that opens the form focuses it afterwards.
  bool FocusOnOpen = true;
  bool IsModal = false;
  // Single-shot; its trigger is TimeOutSlot.
  Core::Timer timeOutTimer{this};
  VgSlot OnTimeOut;
  int32_t TimeOutValue = DefaultTimeOut;
  // A WinIDs value, read by the widget manager.
  int32_t WinID = 0;
  // The form's layer bit (WidgetManager/Layers.h), read by the widget manager.
  int32_t Layer = 0;
  VgPtr<Core::Group> Parent;
  // The form whose question this one answers, while this one is open; null
  // for a screen that answers nobody. Closing forgets it.
  VgPtr<KeyRoutingForm> Asker;
  const VgClass* PrevState = nullptr;
  const VgClass* NextState = nullptr;
  const VgClass* SubSystemClass = nullptr;

 private:
  // Set while the form hears an event passed along the askers from its
  // pop-up: the walk there goes on past it, so the form passes nothing on.
  bool passedOn = false;
  bool timeoutHeld = false;
};

// A screen as its group draws it: the form, the group that holds it in the
// drawing, and where it lies in the coordinates of the group the walk began
// in.
struct DrawnScreen {
  KeyRoutingForm* form;
  Core::Group* holder;
  VgRect extent;
};
// The one walk of the drawn stack: the screens drawn in the group, bottom
// first, in the order the group draws them (Core::Group::Stacking, by which
// the application stacks the screens of all its sub-systems as one). A view
// that is a group but no screen holds screens drawn where it stands (a
// sub-system drawn whole, the application under the root); hidden views are
// left out with what they hold, and the forms a screen hosts are part of it.
std::vector<DrawnScreen> DrawnScreens(Core::Group* group);

// The one walk of the forms a pop-up answers, nearest first: FORM itself,
// the form it names as its Asker or, when it names none, the form that
// holds it (a list answers for its dialog), and so on, while they are open
// (a pop-up whose asker left answers nobody). The first form for which
// FOUND holds, or null. Forms that name each other in a loop end the walk
// where it would come round again.
KeyRoutingForm* AlongTheAskers(KeyRoutingForm* form, const std::function<bool(KeyRoutingForm*)>& found);

}  // namespace Primitives
