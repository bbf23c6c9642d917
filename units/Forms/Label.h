// Forms::Label: a caption tied to one control.
#pragma once

#include "Core/Group.h"
#include "Forms/Ctrl.h"

namespace Forms {

class Label : public Core::Group {
  VG_CLASS()

 public:
  explicit Label(XObject* link = nullptr);

  Ctrl* OnGetControl() const { return control; }

  bool pressed = false;
  // Maintained by Ctrl::OnSetLabel only.
  VgPtr<Ctrl> control;
};

}  // namespace Forms
