// Forms::Scrolling<Base, Coupling>: what a form needs to show more content
// than fits. The children move together under the form's page, the position
// is kept within the content, the focused control is kept in view, and a
// vertical and a horizontal scroll bar follow the position.
//
// The toolkit's Forms::ScrollForm and the screens' key-routing scroll form
// sit on different bases (a plain form and a key-routing form) but scroll
// alike, so both take their scrolling from this one template. They differ in
// one rule, how the two bars are coupled:
//   - Driving: the bars also move the content. A bar taken into the form gets
//     the form as its OnScroll target (a dragged thumb scrolls the page), and
//     a bar given up loses that target.
//   - Showing: the bars only show the position. The form never sets or clears
//     their OnScroll slot; keys alone move the content.
//
// The bars (and the form's control-index ScrollBar) are excluded children:
// they never move with the content and never count as content.
#pragma once

#include <cstdint>

#include "Forms/Form.h"
#include "vgpoint.h"
#include "vgrect.h"

namespace Forms {

class ScrollBar;

enum class BarCoupling { Driving, Showing };

template <class Base, BarCoupling Coupling>
class Scrolling : public Base {
 public:
  explicit Scrolling(XObject* link = nullptr);

  // Overridden slots.
  void Rearrange(Core::View* view) override;
  void OnSetBounds(VgRect rect) override;
  void OnSetFocus(Core::View* view) override;
  void UpdateCtrlState(uint16_t oldState, uint16_t newState) override;
  // At the last control in a direction, AutoScroll carries the page on to the
  // content's edge, so whatever lies beyond the controls comes into view.
  Ctrl* SelectRight() override;
  Ctrl* SelectLeft() override;
  Ctrl* SelectUpper() override;
  Ctrl* SelectLower() override;
  void updateScrollBars(XObject* sender = nullptr) override;

  // Slots of the scrolling form. Descendants with a title strip or a footer
  // narrow the page or exclude more views here.
  virtual void DoScrollContent(int32_t dx, int32_t dy);
  virtual bool IsExcluded(Core::View* view);
  virtual VgRect GetPageArea();

  // The union of the extents of the children that are not excluded.
  VgRect GetContentArea();
  void ScrollLines(int32_t dx, int32_t dy);
  void ScrollPages(int32_t dx, int32_t dy);
  // Scrolls the least that brings the view into the page; a view larger than
  // the page is shown from its top-left corner.
  void EnsureVisible(Core::View* view);
  // Re-applies the position after the content or the page changed size.
  void updateScrollPos(XObject* sender = nullptr);
  void vertScrollBarSlot(XObject* sender);
  void horzScrollBarSlot(XObject* sender);

  VgPoint OnGetScrollPos() const { return ScrollPos; }
  void OnSetScrollPos(VgPoint position);
  // The content's size minus the page's: negative when everything fits.
  VgPoint OnGetMaxScrollPos();
  void OnSetMaxScrollPos(VgPoint position);
  bool OnGetAutoScroll() const { return AutoScroll; }
  void OnSetAutoScroll(bool value);
  ::Forms::ScrollBar* OnGetVertScrollBar() const { return VertScrollBar; }
  void OnSetVertScrollBar(::Forms::ScrollBar* bar);
  ::Forms::ScrollBar* OnGetHorzScrollBar() const { return HorzScrollBar; }
  void OnSetHorzScrollBar(::Forms::ScrollBar* bar);
  VgPoint OnGetPixelPerLine() const { return PixelPerLine; }
  void OnSetPixelPerLine(VgPoint value) { PixelPerLine = value; }

  bool AutoScroll = false;
  // Set while the form moves its own children, so that their moves are not
  // taken for a new layout.
  bool isScrolling = false;
  VgPtr<::Forms::ScrollBar> VertScrollBar;
  VgPtr<::Forms::ScrollBar> HorzScrollBar;
  VgPoint PixelPerLine{10, 10};
  VgPoint ScrollPos{0, 0};

 private:
  void PostUpdates();
  void SetBar(VgPtr<::Forms::ScrollBar>& field, ::Forms::ScrollBar* bar, VgSlot target);
  Ctrl* ToEdge(Ctrl* found, bool vertical, bool toEnd);
};

}  // namespace Forms
