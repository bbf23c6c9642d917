// Forms::Handler: a plug-in attached to one control. It may take the events
// the control leaves and confirms the control's edits.
#pragma once

#include "Forms/Ctrl.h"
#include "vgobject.h"

namespace Core {
class Event;
}

namespace Forms {

class Handler : public XObject {
  VG_CLASS()

 public:
  explicit Handler(XObject* link = nullptr) : XObject(link) {}

  XObject* HandleEvent(Core::Event* event);
  void HandleFocus();
  // Whether the control's modified value may stand.
  bool Apply();

  Ctrl* OnGetControl() const { return control; }

  // Maintained by Ctrl::OnSetHandler only.
  VgPtr<Ctrl> control;
};

}  // namespace Forms
