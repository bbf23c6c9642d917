// Forms::Label: a caption tied to one control. Tapping it enters the control,
// as tapping the control itself would.
#pragma once

#include "Core/Group.h"
#include "Forms/Ctrl.h"
#include "vgpoint.h"

namespace Forms {

class Label : public Core::Group {
  VG_CLASS()

 public:
  explicit Label(XObject* link = nullptr);

  // Overridden slots of Core::Group.
  Core::View* CursorHitTest(int32_t cursor, VgPoint point, int32_t repeatCount, Core::View* onlyView) override;
  XObject* HandleEvent(Core::Event* event) override;

  // Whether the point, in the label's coordinates, lies on the label.
  bool IsLabelArea(VgPoint point);

  Ctrl* OnGetControl() const { return control; }

  bool pressed = false;
  // Maintained by Ctrl::OnSetLabel only.
  VgPtr<Ctrl> control;
};

}  // namespace Forms
