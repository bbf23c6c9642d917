// SubSystem::SubSystemClass: the group that owns one family of screens. It
// opens the screens of its family on request, registers every screen added
// to it or removed from it with the widget manager, and hands requests for
// another family's screens to that family's owner as a message. The concrete
// sub-systems open what ChangeState hands back to them.
#pragma once

#include <functional>
#include <vector>

#include "Primitives/KeyRoutingForm.h"
#include "Primitives/KeyRoutingGroup.h"
#include "SubSystem/KeyOwner.h"
#include "SubSystem/State.h"
#include "Structures/DuLinkList.h"

namespace SubSystem {

class SubSystemClass : public Primitives::KeyRoutingGroup {
  VG_CLASS()

 public:
  explicit SubSystemClass(XObject* link = nullptr) : Primitives::KeyRoutingGroup(link) {}

  // Overridden slots of Core::Group. Add and Remove tell the key owner of
  // the screens listed and let go.
  // A screen that leaves passes the focus to the screen that asked for it,
  // else to a screen that claims it, else to the nearest above it that takes
  // keys, else the nearest below (see KeyOwner::NextWithTheKeys).
  Core::View* FindFocusable(Core::View* view) override;
  void Add(Core::View* view, int32_t restack) override;
  void Remove(Core::View* view) override;
  // Tells the key owner that the keys may have moved.
  void OnSetFocus(Core::View* view) override;
  // Down the focus as any group, but a key that the focused screen declines
  // goes to the screen that asked for it, when it is a pop-up, before it
  // rises to the sub-system (see KeyOwner::ToTheAsker); over a keyboard or a
  // PIN pad, only where it closes nothing (KeyOwner::StopsAtTheTyping).
  XObject* DispatchEvent(Core::Event* event) override;

  // The sub-system's screens, where its parent stands, are followed by the
  // key owner.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  // What the sub-system does as the keys move: at once (a help line whose
  // screen lost them goes), and once they are settled (the help line of the
  // screen that has them, the time-outs that count only with them). Neither
  // moves the keys.
  virtual void KeysMoved() {}
  virtual void KeysSettled() {}
  // A screen left: heard as the owner settles, once for all that left since
  // it last did, before it settles the keys on what stays. The screens that
  // waited for it open (an override calls this first); what the sub-system
  // opens or closes, or where it hands the keys, is settled with the rest.
  virtual void AfterScreenLeft();
  // Where the screen will stand in the sub-system once it opens: where its
  // bounds say, unless the sub-system places its screens.
  virtual VgRect WhereItWillStand(Primitives::KeyRoutingForm* form) { return form->Bounds; }

  // Slot of the sub-system. Returns the screen of the request: unopened when
  // it belongs to this sub-system (the concrete class opens it), on its way
  // to its owner when it belongs to another, or null for a request that
  // names no screen.
  virtual Primitives::KeyRoutingForm* ChangeState(State* state);

  // Whether the screen of the request, initialised and placed by the
  // concrete sub-system, waits instead of opening now: one that no key asks
  // for as it is pressed (an event of the set, the passing of time, the
  // work a key left for later passes), and that would stand under a screen
  // on view that takes keys and stays, on a higher layer, waits unopened
  // until that screen goes, then opens over what is left, with its keys
  // (OpenNow). Opened under it, the viewer would not see it, and the keys
  // would close it unseen along with that screen (a scan's result under the
  // record options that RECORD opened over the scan); refused, the
  // viewer's choice would be lost (the playback that the play options go on
  // to under the 3D question). A screen that says it waits under the keys
  // (the 3D question) opens in its place.
  bool Waits(State* state, Primitives::KeyRoutingForm* form);
  // What every sub-system does with the screen of a request once it has
  // initialised and placed it: it waits (Waits), and null, or it opens now
  // (OpenNow), and the screen.
  Primitives::KeyRoutingForm* OpenOrWait(State* state, Primitives::KeyRoutingForm* form);
  // Opens, oldest first, the screens that waited and no longer stand under
  // a screen with the keys.
  void OpenWaiting();
  // The screens that wait, oldest first.
  std::vector<Primitives::KeyRoutingForm*> WaitingScreens() const;
  // Opens the screen of a request now, as the concrete sub-system does once
  // it has initialised and placed it: at once (OpenOrWait), or once it
  // waited (OpenWaiting).
  virtual void OpenNow(Primitives::KeyRoutingForm*) {}
  // What waits is forgotten, never to open: CLEAR closes every screen, and
  // those that wait to open with them.
  void ForgetWaiting();
  // Whether the sub-system's clear of every screen (MSG_CLEAR_ALL) closes
  // the screen, were it open: by its layer, as the concrete sub-system
  // clears. None, unless the sub-system says so.
  virtual bool ClearCloses(const Primitives::KeyRoutingForm*) const { return false; }
  // A clear of every screen forgets what waits and that the clear would
  // have closed had it opened at once (ClearCloses): a screen that waited
  // would otherwise come up after a clear that was meant to close it, over
  // or beside the screen opened after that clear. What the clear leaves
  // (the factory's status check) waits on. A concrete sub-system calls this
  // first.
  void HandleMessage(Structures::Message* message) override;
  // A screen opened on a layer (in any sub-system) takes the place of the
  // one that waits on that layer, as it would of that one open: the 3D
  // question that a report opens beside the record options drops the scan's
  // result that waits there.
  void ForgetOnTheLayerOf(Primitives::KeyRoutingForm* opened);
  // An event of the set that would close a waiting screen were it open (the
  // disk whose show it would play taken out) forgets it
  // (KeyRoutingForm::ClosesOnTheEvent).
  void ForgetClosedBy(Core::Event* event);
  // The sub-system closes with its screens, and what waited is forgotten.
  void Close(XObject* sender = nullptr) override;

  // The screen of a request: the one it carries, or a new one of its class;
  // null, logged after caller, when that is no screen.
  static Primitives::KeyRoutingForm* ScreenOf(State* state, const char* caller);

  // Keeps the key owner alive while the sub-system lives.
  VgPtr<KeyOwner> Keys;

  bool OnGetManageWidget() const { return ManageWidget; }
  void OnSetManageWidget(bool value) { ManageWidget = value; }

  // Whether screens added and removed are registered with the widget manager.
  bool ManageWidget = true;
  // The requests that wait (Waits), oldest first.
  VgPtr<Structures::DuLinkList> waiting;

 private:
  // Forgets the waiting screens for which FORGOTTEN holds; WHY ends the log
  // line that names each.
  void Forget(const std::function<bool(Primitives::KeyRoutingForm*)>& forgotten, const char* why);
};

}  // namespace SubSystem
