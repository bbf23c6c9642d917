// Forms::ScrollBar: the content, page and position of something scrolled,
// for a bar that shows them and asks for other positions.
#pragma once

#include <cstdint>

#include "Core/Group.h"
#include "vgpoint.h"
#include "vgslot.h"

namespace Forms {

// Whether a pointer held down for holdTime ms repeats its step now: at 500,
// 900, 1200 and 1400 ms, then at every hold event from 1500 ms on, so a held
// arrow starts slowly and then runs at the rate of the hold events.
bool IsRepeatHold(int32_t holdTime);

class ScrollBar : public Core::Group {
  VG_CLASS()

 public:
  explicit ScrollBar(XObject* link = nullptr);

  // Overridden slots of Core::Group.
  Core::View* CursorHitTest(int32_t cursor, VgPoint point, int32_t repeatCount, Core::View* onlyView) override;
  XObject* HandleEvent(Core::Event* event) override;
  void OnSetBounds(VgRect rect) override;
  // Hook for descendants that draw the thumb.
  virtual void ArrangeTracker(int32_t position, int32_t page, int32_t content);

  // Shows the clamped position and page, and hides an AutoHide bar that has
  // nothing to scroll.
  void UpdateScrollBar();
  // Moves the position by delta within 0..Content - Page and signals OnScroll
  // when it changed; false when the bar is disabled or has no OnScroll slot.
  bool Scroll(int32_t delta);
  // The bar is enabled in every state of its control but the disabled one.
  void UpdateCtrlState(uint16_t oldState, uint16_t newState);

  // Areas in the bar's own coordinates. The toolkit's bar is all thumb: it
  // has no arrow buttons, and a drag does not move it (CalcScrollOffset is 0).
  bool IsCtrlArea(VgPoint point);
  bool IsThumbArea(VgPoint point);
  bool IsIncButtonArea(VgPoint point);
  bool IsDecButtonArea(VgPoint point);
  // The position change for a thumb dragged by moved pixels.
  int32_t CalcScrollOffset(VgPoint moved);

  bool OnGetEnabled() const { return Enabled; }
  void OnSetEnabled(bool value);
  bool OnGetAutoHide() const { return AutoHide; }
  void OnSetAutoHide(bool value);
  int32_t OnGetContent() const { return Content; }
  void OnSetContent(int32_t value);
  int32_t OnGetPage() const { return Page; }
  void OnSetPage(int32_t value);
  int32_t OnGetPos() const { return Pos; }
  void OnSetPos(int32_t value);
  int32_t OnGetScrollStep() const { return ScrollStep; }
  void OnSetScrollStep(int32_t value) { ScrollStep = value; }
  VgSlot OnGetOnScroll() const { return OnScroll; }
  void OnSetOnScroll(VgSlot slot) { OnScroll = slot; }

  bool Enabled = true;
  bool AutoHide = false;
  bool buttonHeld = false;
  bool thumbDragging = false;
  int32_t dragStart = 0;
  VgSlot OnScroll;
  int32_t ScrollStep = 1;
  int32_t Content = 100;
  int32_t Page = 50;
  int32_t Pos = 0;

 private:
  // The step of the arrow button under the point, 0 over neither.
  int32_t ButtonStep(VgPoint point);
};

}  // namespace Forms
