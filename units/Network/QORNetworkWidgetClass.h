// Network::QORNetworkWidgetClass: the base of the framed network dialogs that
// start work in the middleware and wait for it (the wireless scan). Such a
// dialog is modal: the remote's keys stay with it while it is open.
//
// Keys (key-down; busy means ShowWaiting is 1), each taken and restarting the
// time-out, also those the table does not name:
//   OK          goes on (EnterNextState); busy: nothing
//   EXIT, 2     closes everything; busy: stops the work first (DoCancel)
//   Return      goes back (EnterPrevState); busy: stops the work first
//   UP, DOWN    focus the previous or next control
// A standby request while the dialog is modal stops its work and is handed on
// to the standby machine.
#pragma once

#include <cstdint>

#include "NonMenuSystem/QORWidgetClass.h"

namespace Network {

class QORNetworkWidgetClass : public NonMenuSystem::QORWidgetClass {
  VG_CLASS()

 public:
  explicit QORNetworkWidgetClass(XObject* link = nullptr);

  // Overridden slots.
  XObject* HandleEvent(Core::Event* event) override;
  // A dialog that closes while the circle turns for it takes the circle along.
  void Close(XObject* sender = nullptr) override;

  // Stops what the dialog started: the base only drops the waiting state and
  // closes; subclasses stop their middleware operation first.
  virtual void DoCancel();

  // Stores the waiting state and, when it is 0 or more, has the non-menu
  // sub-system show (1), hide (2) or remove (0) its waiting circle.
  void OnSetShowWaiting(int32_t value);
  int32_t OnGetShowWaiting() const { return ShowWaiting; }
  bool IsBusy() const { return ShowWaiting == 1; }

  int32_t ShowWaiting = -1;
};

}  // namespace Network
