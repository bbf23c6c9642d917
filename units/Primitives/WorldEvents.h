// Primitives::WorldEvents: how an event of the set (anything but a key: a
// disk taken out, a recording started, a 3D report, a network result, the
// media library's news, standby) reaches the screens it concerns, whoever
// has the keys.
//
// An event goes down the focus path as a key does, to the screen with the
// keys and up to its sub-system; what that screen declines rises to the
// sub-systems by the event's route (MainApp::ActiveApp). While a passing
// notice (the volume bar), the quick menu, the record options or the input
// list has the keys, the screen under it would never hear that its disk went
// out. So the stage delivers each event (Deliver), and after the focus path
// the screens on view that follow it hear it too:
//   - which screens: those drawn on the stage that say they follow the event
//     (KeyRoutingForm::FollowsTheWorld), noted as the event comes; a screen
//     that never said so hears the event only as before;
//   - in which order: first down the focus path as before, then to the
//     followers from the top of the drawn stack down;
//   - a follower closed meanwhile, by the focus path's reaction or an upper
//     follower's (a player that left with its medium takes the screens of
//     the medium along), is skipped, and so is a screen opened meanwhile;
//   - a follower that heard it already, on the focus path, through its
//     asker or through a message that passes it on (the menus'
//     MSG_MM_STATUS_INFO), is noted (NoteHeard) and not offered it again;
//   - the screen with the keys may hear it twice on the focus path itself:
//     declined there, the event rises to the active application, whose route
//     hands it to each sub-system it names, down that sub-system's focus, and
//     the screen's own sub-system, when named, hands it to the screen again
//     (a screen that takes the event, returning itself, hears it once);
//   - each follower hears it as it would with the keys, through its own
//     DispatchEvent: its focused part, then itself, then its asker.
// What the followers answer is their own: the event's way on (to the
// standby group, say) is the focus path's alone.
//
// A modal screen has the keys in the same way, and more: the root offers it
// the event alone, and what it declines goes to the root, never down the
// focus (Core::Root). So while a modal screen (or the keyboard's form) is up,
// the root delivers the event to the followers on its stage after them
// (MainApp::Root), by the same rules; a delivery of the same event met again
// inside it (the focus path's, behind a keyboard form that declined) shares
// the outer one's hearers, so no follower is offered it again.
#pragma once

#include <functional>
#include <vector>

#include "Core/Event.h"
#include "Core/Group.h"
#include "Primitives/KeyRoutingForm.h"

namespace Primitives {

class WorldEvents {
 public:
  // Whether the event is one of the set's, which the followers hear: any
  // event but a key.
  static bool OfTheWorld(Core::Event* event);

  // Delivers the event of the set from the stage: notes its followers on
  // view, hands it down FOCUS_PATH (the stage's or the root's own dispatch),
  // then to each follower still open that has not heard it. What the focus
  // path returned.
  static XObject* Deliver(Core::Group* stage, Core::Event* event, const std::function<XObject*()>& focusPath);

  // The followers of the event on the stage's view now, top first.
  static std::vector<KeyRoutingForm*> Followers(Core::Group* stage, Core::Event* event);

  // Whether the form heard the event being delivered; outside a delivery,
  // every event is new to every form.
  static bool Heard(const KeyRoutingForm* form);
  // Notes that the form hears the event being delivered (nothing outside a
  // delivery).
  static void NoteHeard(const KeyRoutingForm* form);

 private:
  explicit WorldEvents(Core::Event* event);

  // Held for the one dispatch, in which the collector does not run.
  Core::Event* event_;
  // The forms that heard the event: this delivery's, or the outer one's for
  // the same event.
  std::vector<const KeyRoutingForm*> heard_;
  std::vector<const KeyRoutingForm*>* hearers_ = &heard_;
  // The delivery this one runs inside, if any; the innermost one now.
  WorldEvents* enclosing_ = nullptr;
  inline static WorldEvents* innermost_ = nullptr;
};

}  // namespace Primitives
