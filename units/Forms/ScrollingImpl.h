// The definitions of Forms::Scrolling. Included only by the source files that
// instantiate the template for a base, so that each instantiation exists once.
#pragma once

#include <algorithm>

#include "Forms/ScrollBar.h"
#include "Forms/Scrolling.h"
#include "vgdebug.h"
#include "vgslot.h"

namespace Forms {

template <class B, BarCoupling C>
Scrolling<B, C>::Scrolling(XObject* link) : B(link) {}

// Several changes in one event (a new child, new bounds, a focus move) end in
// one recalculation of the position and the bars afterwards. The bars' update
// is posted under the form's own slot, so that it merges with the one the
// form posts for its controls.
template <class B, BarCoupling C>
void Scrolling<B, C>::PostUpdates() {
  VgPostSignal(VgSlotOf<&Scrolling::updateScrollPos>(this));
  VgPostSignal(VgSlotOf<&Form::updateScrollBars>(static_cast<Form*>(this)));
}

// ---------------------------------------------------------------- geometry

template <class B, BarCoupling C>
bool Scrolling<B, C>::IsExcluded(Core::View* view) {
  if (!view) return false;
  return view == this->ScrollBar.get() || view == VertScrollBar.get() || view == HorzScrollBar.get();
}

template <class B, BarCoupling C>
VgRect Scrolling<B, C>::GetPageArea() {
  return {0, 0, VgGetRectW(this->Bounds), VgGetRectH(this->Bounds)};
}

template <class B, BarCoupling C>
VgRect Scrolling<B, C>::GetContentArea() {
  VgRect area = _Const0000;
  for (Core::View* view = this->firstView; view; view = view->nextView)
    if (!IsExcluded(view)) area = VgUnionRect(area, view->GetExtent());
  return area;
}

template <class B, BarCoupling C>
VgPoint Scrolling<B, C>::OnGetMaxScrollPos() {
  return VgMovePointNeg(VgGetRectSize(GetContentArea()), VgGetRectSize(GetPageArea()));
}

template <class B, BarCoupling C>
void Scrolling<B, C>::OnSetMaxScrollPos(VgPoint) {
  VgPanicAnsi("The property 'MaxScrollPos' is READ ONLY.");
}

// --------------------------------------------------------------- scrolling

namespace ScrollingDetail {

// The move of the children along one axis from the position old to pos. At
// position 0 the content starts at its margin from the page's start (none
// when it starts before the page), and at pos it starts pos pixels earlier:
// a margin scrolled away comes back when the page scrolls back.
inline int32_t ContentShift(int32_t contentStart, int32_t pageStart, int32_t old, int32_t pos) {
  const int32_t gap = contentStart - pageStart;
  const int32_t margin = std::max(gap + old, 0);
  return margin - pos - gap;
}

}  // namespace ScrollingDetail

template <class B, BarCoupling C>
void Scrolling<B, C>::OnSetScrollPos(VgPoint position) {
  const VgRect content = GetContentArea();
  const VgRect page = GetPageArea();
  const VgPoint max = VgMovePointNeg(VgGetRectSize(content), VgGetRectSize(page));
  const VgPoint pos{std::max(std::min(position.x, max.x), 0), std::max(std::min(position.y, max.y), 0)};
  if (pos == ScrollPos) return;
  const VgPoint old = ScrollPos;
  ScrollPos = pos;
  DoScrollContent(ScrollingDetail::ContentShift(content.x1, page.x1, old.x, pos.x),
                  ScrollingDetail::ContentShift(content.y1, page.y1, old.y, pos.y));
  VgPostSignal(VgSlotOf<&Form::updateScrollBars>(static_cast<Form*>(this)));
}

template <class B, BarCoupling C>
void Scrolling<B, C>::DoScrollContent(int32_t dx, int32_t dy) {
  isScrolling = true;
  for (Core::View* view = this->firstView; view;) {
    // Read before the move: a child may restack itself while it moves.
    Core::View* next = view->nextView;
    if (!IsExcluded(view)) view->MoveView({dx, dy});
    view = next;
  }
  isScrolling = false;
}

template <class B, BarCoupling C>
void Scrolling<B, C>::ScrollLines(int32_t dx, int32_t dy) {
  OnSetScrollPos({ScrollPos.x + dx * PixelPerLine.x, ScrollPos.y + dy * PixelPerLine.y});
}

template <class B, BarCoupling C>
void Scrolling<B, C>::ScrollPages(int32_t dx, int32_t dy) {
  const VgPoint page = VgGetRectSize(GetPageArea());
  OnSetScrollPos({ScrollPos.x + dx * page.x, ScrollPos.y + dy * page.y});
}

template <class B, BarCoupling C>
void Scrolling<B, C>::EnsureVisible(Core::View* view) {
  if (!view) return;
  const VgRect e = view->GetExtent();
  const VgRect p = GetPageArea();
  if (VgIntersectRect(e, p) == e) return;
  const int32_t dx = std::min(e.x1 - p.x1, std::max(e.x2 - p.x2, 0));
  const int32_t dy = std::min(e.y1 - p.y1, std::max(e.y2 - p.y2, 0));
  OnSetScrollPos({ScrollPos.x + dx, ScrollPos.y + dy});
}

template <class B, BarCoupling C>
void Scrolling<B, C>::updateScrollPos(XObject*) {
  OnSetScrollPos(ScrollPos);
}

template <class B, BarCoupling C>
void Scrolling<B, C>::updateScrollBars(XObject* sender) {
  const VgRect content = GetContentArea();
  const VgRect page = GetPageArea();
  if (HorzScrollBar) {
    HorzScrollBar->OnSetContent(VgGetRectW(content));
    HorzScrollBar->OnSetPage(VgGetRectW(page));
    HorzScrollBar->OnSetPos(ScrollPos.x);
  }
  if (VertScrollBar) {
    VertScrollBar->OnSetContent(VgGetRectH(content));
    VertScrollBar->OnSetPage(VgGetRectH(page));
    VertScrollBar->OnSetPos(ScrollPos.y);
  }
  Form::updateScrollBars(sender);
}

// -------------------------------------------------------------- the bars

template <class B, BarCoupling C>
void Scrolling<B, C>::SetBar(VgPtr<::Forms::ScrollBar>& field, ::Forms::ScrollBar* bar, VgSlot target) {
  if (bar == field.get()) return;
  if (field) {
    if constexpr (C == BarCoupling::Driving) field->OnSetOnScroll(VgNullSlot);
    field->UpdateCtrlState(this->CtrlState, Ctrl::StateNormal);
  }
  field = bar;
  if (!bar) return;
  VgPostSignal(VgSlotOf<&Form::updateScrollBars>(static_cast<Form*>(this)));
  if constexpr (C == BarCoupling::Driving) bar->OnSetOnScroll(target);
}

template <class B, BarCoupling C>
void Scrolling<B, C>::OnSetVertScrollBar(::Forms::ScrollBar* bar) {
  SetBar(VertScrollBar, bar, VgSlotOf<&Scrolling::vertScrollBarSlot>(this));
}

template <class B, BarCoupling C>
void Scrolling<B, C>::OnSetHorzScrollBar(::Forms::ScrollBar* bar) {
  SetBar(HorzScrollBar, bar, VgSlotOf<&Scrolling::horzScrollBarSlot>(this));
}

template <class B, BarCoupling C>
void Scrolling<B, C>::vertScrollBarSlot(XObject*) {
  if (VertScrollBar) OnSetScrollPos({ScrollPos.x, VertScrollBar->Pos});
}

template <class B, BarCoupling C>
void Scrolling<B, C>::horzScrollBarSlot(XObject*) {
  if (HorzScrollBar) OnSetScrollPos({HorzScrollBar->Pos, ScrollPos.y});
}

template <class B, BarCoupling C>
void Scrolling<B, C>::UpdateCtrlState(uint16_t oldState, uint16_t newState) {
  B::UpdateCtrlState(oldState, newState);
  if (VertScrollBar) VertScrollBar->UpdateCtrlState(oldState, newState);
  if (HorzScrollBar) HorzScrollBar->UpdateCtrlState(oldState, newState);
}

// ------------------------------------------------------- focus and layout

template <class B, BarCoupling C>
void Scrolling<B, C>::OnSetAutoScroll(bool value) {
  if (value == AutoScroll) return;
  AutoScroll = value;
  if (value) EnsureVisible(this->Focus);
}

template <class B, BarCoupling C>
void Scrolling<B, C>::OnSetFocus(Core::View* view) {
  B::OnSetFocus(view);
  // The form may have refused the view (a disabled control): only the focus
  // it really took is brought into view.
  if (AutoScroll && view && view == this->Focus.get() && vg_cast<Ctrl>(view)) EnsureVisible(view);
}

template <class B, BarCoupling C>
Ctrl* Scrolling<B, C>::ToEdge(Ctrl* found, bool vertical, bool toEnd) {
  if (found || !AutoScroll) return found;
  VgPoint pos = ScrollPos;
  const VgPoint max = OnGetMaxScrollPos();
  if (vertical)
    pos.y = toEnd ? max.y : 0;
  else
    pos.x = toEnd ? max.x : 0;
  OnSetScrollPos(pos);
  return nullptr;
}

template <class B, BarCoupling C>
Ctrl* Scrolling<B, C>::SelectRight() {
  return ToEdge(B::SelectRight(), false, true);
}

template <class B, BarCoupling C>
Ctrl* Scrolling<B, C>::SelectLeft() {
  return ToEdge(B::SelectLeft(), false, false);
}

template <class B, BarCoupling C>
Ctrl* Scrolling<B, C>::SelectUpper() {
  return ToEdge(B::SelectUpper(), true, false);
}

template <class B, BarCoupling C>
Ctrl* Scrolling<B, C>::SelectLower() {
  return ToEdge(B::SelectLower(), true, true);
}

template <class B, BarCoupling C>
void Scrolling<B, C>::Rearrange(Core::View* view) {
  B::Rearrange(view);
  if (IsExcluded(view) || isScrolling) return;
  PostUpdates();
}

template <class B, BarCoupling C>
void Scrolling<B, C>::OnSetBounds(VgRect rect) {
  B::OnSetBounds(rect);
  PostUpdates();
}

}  // namespace Forms
