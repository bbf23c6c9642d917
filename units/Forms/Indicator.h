// Forms::Indicator: a small button that asks for a scroll step, such as the
// arrow above or below a list that shows more items lie that way. It is
// enabled while there is somewhere to scroll to.
#pragma once

#include <cstdint>

#include "Core/Group.h"
#include "vgpoint.h"
#include "vgslot.h"

namespace Forms {

class Indicator : public Core::Group {
  VG_CLASS()

 public:
  explicit Indicator(XObject* link = nullptr);

  // Overridden slots of Core::Group.
  Core::View* CursorHitTest(int32_t cursor, VgPoint point, int32_t repeatCount, Core::View* onlyView) override;
  XObject* HandleEvent(Core::Event* event) override;
  // Descendants show the enabled or the disabled look here.
  virtual void UpdateIndicator(bool enabled);
  // Called with the control state of the form the indicator serves when it
  // changes. Whether the indicator is enabled is the form's decision, taken
  // from what lies beyond its rows, so the toolkit's indicator keeps its
  // state; descendants may restyle themselves.
  virtual void UpdateCtrlState(uint16_t oldState, uint16_t newState);

  // Signals OnScroll at once while enabled; false when it could not.
  bool Scroll();
  bool IsCtrlArea(VgPoint point);

  bool OnGetEnabled() const { return Enabled; }
  void OnSetEnabled(bool value);
  VgSlot OnGetOnScroll() const { return OnScroll; }
  void OnSetOnScroll(VgSlot slot) { OnScroll = slot; }

  bool Enabled = false;
  bool pressed = false;
  VgSlot OnScroll;
};

}  // namespace Forms
