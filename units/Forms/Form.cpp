#include "Forms/Form.h"

#include <vector>

#include "Core/KeyEvent.h"
#include "Forms/ScrollBar.h"
#include "vgdebug.h"

VG_DEFINE_CLASS(Forms, Form, Forms::Ctrl)

namespace Forms {

namespace {

Ctrl* EnabledCtrl(Core::View* view) {
  Ctrl* ctrl = vg_cast<Ctrl>(view);
  return ctrl && ctrl->Enabled ? ctrl : nullptr;
}

}  // namespace

Form::Form(XObject* link) : Ctrl(link) {}

void Form::CheckCtrl(Ctrl* ctrl) const {
  if (!ctrl || ctrl->owner.get() != this) VgPanicAnsi("The control does not belong to the form.");
}

Ctrl* Form::FocusedCtrl() const { return vg_cast<Ctrl>(Focus.get()); }

void Form::PostScrollBarUpdate() { VgPostSignal(VgSlotOf<&Form::updateScrollBars>(this)); }

// ------------------------------------------------------------ finding controls

Ctrl* Form::GetFirstCtrl() {
  for (Core::View* view = firstView; view; view = view->nextView)
    if (Ctrl* ctrl = EnabledCtrl(view)) return ctrl;
  return nullptr;
}

Ctrl* Form::GetLastCtrl() {
  for (Core::View* view = lastView; view; view = view->prevView)
    if (Ctrl* ctrl = EnabledCtrl(view)) return ctrl;
  return nullptr;
}

Ctrl* Form::GetNextCtrl(Ctrl* ctrl) {
  if (!ctrl) return nullptr;
  CheckCtrl(ctrl);
  for (Core::View* view = ctrl->nextView; view; view = view->nextView)
    if (Ctrl* next = EnabledCtrl(view)) return next;
  return nullptr;
}

Ctrl* Form::GetPrevCtrl(Ctrl* ctrl) {
  if (!ctrl) return nullptr;
  CheckCtrl(ctrl);
  for (Core::View* view = ctrl->prevView; view; view = view->prevView)
    if (Ctrl* prev = EnabledCtrl(view)) return prev;
  return nullptr;
}

int32_t Form::GetCount() {
  int32_t count = 0;
  for (Core::View* view = firstView; view; view = view->nextView)
    if (vg_cast<Ctrl>(view)) ++count;
  return count;
}

int32_t Form::GetIndexOf(Ctrl* ctrl) {
  if (!ctrl) return -1;
  CheckCtrl(ctrl);
  int32_t index = 0;
  for (Core::View* view = firstView; view; view = view->nextView) {
    if (view == ctrl) return index;
    if (vg_cast<Ctrl>(view)) ++index;
  }
  return -1;
}

Ctrl* Form::GetCtrlAt(int32_t index) {
  if (index < 0) return nullptr;
  for (Core::View* view = firstView; view; view = view->nextView) {
    Ctrl* ctrl = vg_cast<Ctrl>(view);
    if (ctrl && index-- == 0) return ctrl;
  }
  return nullptr;
}

Ctrl* Form::GetCtrlAtPos(VgPoint point) {
  for (Core::View* view = lastView; view; view = view->prevView) {
    Ctrl* ctrl = vg_cast<Ctrl>(view);
    if (ctrl && ctrl->Visible && VgIsPointInRect(ctrl->Bounds, point)) return ctrl;
  }
  return nullptr;
}

VgRect Form::GetCtrlsArea() {
  VgRect area = _Const0000;
  for (Core::View* view = firstView; view; view = view->nextView) {
    Ctrl* ctrl = vg_cast<Ctrl>(view);
    if (ctrl && ctrl->Visible) area = VgUnionRect(area, ctrl->Bounds);
  }
  return area;
}

// ------------------------------------------------------------ moving focus

Ctrl* Form::Select(Ctrl* ctrl) {
  if (ctrl) OnSetFocus(ctrl);
  return ctrl;
}

Ctrl* Form::SelectFirst() { return Select(GetFirstCtrl()); }

Ctrl* Form::SelectLast() { return Select(GetLastCtrl()); }

Ctrl* Form::SelectNext() {
  Ctrl* focused = FocusedCtrl();
  return Select(focused ? GetNextCtrl(focused) : GetFirstCtrl());
}

Ctrl* Form::SelectPrev() {
  Ctrl* focused = FocusedCtrl();
  return Select(focused ? GetPrevCtrl(focused) : GetLastCtrl());
}

Ctrl* Form::SelectRight() {
  Ctrl* focused = FocusedCtrl();
  return Select(focused ? GetRightCtrl(focused) : GetFirstCtrl());
}

Ctrl* Form::SelectLower() {
  Ctrl* focused = FocusedCtrl();
  return Select(focused ? GetLowerCtrl(focused) : GetFirstCtrl());
}

Ctrl* Form::SelectLeft() {
  Ctrl* focused = FocusedCtrl();
  return Select(focused ? GetLeftCtrl(focused) : GetLastCtrl());
}

Ctrl* Form::SelectUpper() {
  Ctrl* focused = FocusedCtrl();
  return Select(focused ? GetUpperCtrl(focused) : GetLastCtrl());
}

Ctrl* Form::GetRightCtrl(Ctrl* ctrl) { return Neighbour(ctrl, Direction::Right); }

Ctrl* Form::GetLeftCtrl(Ctrl* ctrl) { return Neighbour(ctrl, Direction::Left); }

Ctrl* Form::GetUpperCtrl(Ctrl* ctrl) { return Neighbour(ctrl, Direction::Upper); }

Ctrl* Form::GetLowerCtrl(Ctrl* ctrl) { return Neighbour(ctrl, Direction::Lower); }

// Long controls are measured from their square end that faces the search: a
// tall button searching downwards from its bottom square, a tall candidate
// below by its top square. The score (distance squared over the distance along
// the direction) favours controls straight ahead over nearer ones off to the
// side. Candidates are met in cyclic stacking order starting next to the
// control, and the first of equal scores wins, which makes the choice
// predictable for grids of identical controls.
Ctrl* Form::Neighbour(Ctrl* ctrl, Direction direction) {
  CheckCtrl(ctrl);
  const bool vertical = direction == Direction::Upper || direction == Direction::Lower;
  const bool forward = direction == Direction::Lower || direction == Direction::Right;

  VgRect r = ctrl->Bounds;
  const int32_t w = VgGetRectW(r);
  const int32_t h = VgGetRectH(r);
  switch (direction) {
    case Direction::Lower:
      if (w < h) r.y1 = r.y2 - w;
      break;
    case Direction::Upper:
      if (w < h) r.y2 = r.y1 + w;
      break;
    case Direction::Right:
      if (w > h) r.x1 = r.x2 - h;
      break;
    case Direction::Left:
      if (w > h) r.x2 = r.x1 + h;
      break;
  }
  const VgPoint m = VgGetRectCenter(r);

  Ctrl* best = nullptr;
  int64_t bestScore = 0;
  auto step = [&](Core::View* view) -> Core::View* {
    if (forward) return view->nextView ? view->nextView.get() : firstView.get();
    return view->prevView ? view->prevView.get() : lastView.get();
  };
  for (Core::View* view = step(ctrl); view != ctrl; view = step(view)) {
    Ctrl* candidate = EnabledCtrl(view);
    if (!candidate) continue;
    VgRect q = candidate->Bounds;
    const int32_t qw = VgGetRectW(q);
    const int32_t qh = VgGetRectH(q);
    switch (direction) {
      case Direction::Lower:
        if (qw < qh && m.y < q.y1) q.y2 = q.y1 + qw;
        break;
      case Direction::Upper:
        if (qw < qh && q.y2 < m.y) q.y1 = q.y2 - qw;
        break;
      case Direction::Right:
        if (qw > qh && m.x < q.x1) q.x2 = q.x1 + qh;
        break;
      case Direction::Left:
        if (qw > qh && q.x2 < m.x) q.x1 = q.x2 - qh;
        break;
    }
    const VgPoint c = VgGetRectCenter(q);
    const int64_t dx = forward ? int64_t(c.x) - m.x : int64_t(m.x) - c.x;
    const int64_t dy = forward ? int64_t(c.y) - m.y : int64_t(m.y) - c.y;
    const int64_t along = vertical ? dy : dx;
    if (along <= 0) continue;
    const int64_t score = (dx * dx + dy * dy) / along;
    if (!best || score < bestScore) {
      best = candidate;
      bestScore = score;
    }
  }
  return best;
}

// ------------------------------------------------------------------- data

XObject* Form::ShiftNext(XObject* data) {
  std::vector<Ctrl*> ctrls;
  for (Ctrl* ctrl = GetFirstCtrl(); ctrl; ctrl = GetNextCtrl(ctrl)) ctrls.push_back(ctrl);
  if (ctrls.empty()) return nullptr;
  XObject* out = ctrls.back()->GetData(nullptr);
  for (size_t i = ctrls.size() - 1; i > 0; --i) ctrls[i]->SetData(ctrls[i - 1]->GetData(nullptr));
  ctrls.front()->SetData(data);
  return out;
}

XObject* Form::ShiftPrev(XObject* data) {
  std::vector<Ctrl*> ctrls;
  for (Ctrl* ctrl = GetFirstCtrl(); ctrl; ctrl = GetNextCtrl(ctrl)) ctrls.push_back(ctrl);
  if (ctrls.empty()) return nullptr;
  XObject* out = ctrls.front()->GetData(nullptr);
  for (size_t i = 0; i + 1 < ctrls.size(); ++i) ctrls[i]->SetData(ctrls[i + 1]->GetData(nullptr));
  ctrls.back()->SetData(data);
  return out;
}

XObject* Form::GetData(XObject* data) {
  Ctrl* focused = FocusedCtrl();
  return focused ? focused->GetData(data) : nullptr;
}

XObject* Form::SetData(XObject* data) {
  Ctrl* focused = FocusedCtrl();
  return focused ? focused->SetData(data) : data;
}

// ------------------------------------------------------------------ modal

void Form::HandleModality(bool modal) {
  if (modal) {
    if (owner) owner->RestackTop(this);
    WasVisible = Visible;
    OnSetVisible(true);
  } else {
    OnSetVisible(WasVisible);
  }
}

void Form::DoEndModal(XObject* data) {
  ModalData = data;
  VgSignal(OnEndModal, this);
  ModalData = nullptr;
}

// ------------------------------------------------------------- scroll bar

void Form::OnSetScrollBar(::Forms::ScrollBar* bar) {
  if (bar == ScrollBar.get()) return;
  if (ScrollBar) {
    ScrollBar->OnSetOnScroll(VgNullSlot);
    ScrollBar->UpdateCtrlState(CtrlState, StateNormal);
  }
  ScrollBar = bar;
  if (bar) {
    PostScrollBarUpdate();
    bar->OnSetOnScroll(VgSlotOf<&Form::scrollBarSlot>(this));
  }
}

void Form::updateScrollBars(XObject*) {
  if (!ScrollBar) return;
  ScrollBar->OnSetContent(GetCount());
  Ctrl* focused = FocusedCtrl();
  const int32_t pos = focused ? GetIndexOf(focused) : -1;
  ScrollBar->OnSetPos(pos);
  ScrollBar->OnSetPage(pos == -1 ? ScrollBar->Content : 1);
}

void Form::scrollBarSlot(XObject*) {
  if (ScrollBar) OnSetFocus(GetCtrlAt(ScrollBar->Pos));
}

void Form::UpdateCtrlState(uint16_t oldState, uint16_t newState) {
  if (ScrollBar) ScrollBar->UpdateCtrlState(oldState, newState);
}

// -------------------------------------------------------- group overrides

Core::View* Form::CursorHitTest(int32_t cursor, VgPoint point, int32_t repeatCount, Core::View* onlyView) {
  if (!Enabled) return nullptr;
  return Ctrl::CursorHitTest(cursor, point, repeatCount, onlyView);
}

Core::View* Form::FindFocusable(Core::View* view) {
  Ctrl* ctrl = vg_cast<Ctrl>(view);
  if (!ctrl) return nullptr;
  if (Ctrl* next = GetNextCtrl(ctrl)) return next;
  return GetPrevCtrl(ctrl);
}

void Form::OnSetFocus(Core::View* view) {
  Ctrl* ctrl = EnabledCtrl(view);
  Ctrl::OnSetFocus(ctrl && ctrl->owner.get() == this ? ctrl : nullptr);
  PostScrollBarUpdate();
}

void Form::Add(Core::View* view, int32_t restack) {
  Ctrl::Add(view, restack);
  if (vg_cast<Ctrl>(view)) PostScrollBarUpdate();
}

void Form::AddBehind(Core::View* view, Core::View* sibling) {
  Ctrl::AddBehind(view, sibling);
  if (vg_cast<Ctrl>(view)) PostScrollBarUpdate();
}

void Form::Remove(Core::View* view) {
  Ctrl::Remove(view);
  if (vg_cast<Ctrl>(view)) PostScrollBarUpdate();
}

void Form::Restack(Core::View* view, int32_t steps) {
  Ctrl::Restack(view, steps);
  if (steps != 0 && vg_cast<Ctrl>(view)) PostScrollBarUpdate();
}

void Form::RestackTop(Core::View* view) {
  Ctrl::RestackTop(view);
  if (vg_cast<Ctrl>(view)) PostScrollBarUpdate();
}

void Form::RestackBack(Core::View* view) {
  Ctrl::RestackBack(view);
  if (vg_cast<Ctrl>(view)) PostScrollBarUpdate();
}

void Form::RestackBehind(Core::View* view, Core::View* sibling) {
  Ctrl::RestackBehind(view, sibling);
  if (vg_cast<Ctrl>(view)) PostScrollBarUpdate();
}

// ---------------------------------------------------------------- hot keys

XObject* Form::DispatchEvent(Core::Event* event) {
  if (XObject* taken = Ctrl::DispatchEvent(event)) return taken;
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down || key->keyCode == Key::None) return nullptr;
  // The search starts after the focused control and wraps round, so a key
  // shared by several controls moves on from the focused one, which comes last.
  Ctrl* focused = FocusedCtrl();
  Ctrl* start = focused ? GetNextCtrl(focused) : nullptr;
  for (Ctrl* ctrl = start; ctrl; ctrl = GetNextCtrl(ctrl)) {
    if (ctrl->HotKey != key->keyCode) continue;
    ctrl->Activate(true);
    return this;
  }
  for (Ctrl* ctrl = GetFirstCtrl(); ctrl && ctrl != start; ctrl = GetNextCtrl(ctrl)) {
    if (ctrl->HotKey != key->keyCode) continue;
    ctrl->Activate(true);
    return this;
  }
  return nullptr;
}

}  // namespace Forms
