#include "Core/Root.h"

#include <algorithm>

#include "Core/CursorEvent.h"
#include "Core/DragEvent.h"
#include "Core/LanguageEvent.h"
#include "Core/StylesEvent.h"
#include "Forms/Form.h"
#include "Graphics/RootCanvas.h"
#include "vgdebug.h"
#include "vgslot.h"

VG_DEFINE_CLASS(Core, Root, Core::Group)

namespace Core {

namespace {

VgPoint TopLeft(VgRect r) { return {r.x1, r.y1}; }

int32_t Clamp(int32_t value, int32_t low, int32_t high) { return std::max(low, std::min(value, high)); }

}  // namespace

Root::Root(XObject* link) : Group(link) {
  // Drawn first in every update, in copy mode with the all-zero colour, so
  // each area starts out fully transparent over the video.
  background.Color = {0, 0, 0, 0};
  background.Mode = 0;
  Group::Add(&background, 0);
  // The root is always on the focus path.
  Focused = true;
  cursorHoldTimer.OnSetPeriod(100);
  cursorHoldTimer.OnSetOnTrigger(VgSlotOf<&Root::cursorHoldTimerProc>(this));
  cursorSequelTimer.OnSetBegin(CursorSequelDelay);
  cursorSequelTimer.OnSetPeriod(0);
  cursorSequelTimer.OnSetOnTrigger(VgSlotOf<&Root::cursorSequelTimerProc>(this));
}

// ---------------------------------------------------------------- the host

void Root::Initialize(int32_t width, int32_t height) {
  if (width < 1 || height < 1) {
    VgPrint("Core::Root.Initialize: invalid screen size %d x %d\n", width, height);
    return;
  }
  if (!rootCanvas) rootCanvas = VgNew<Graphics::RootCanvas>();
  rootCanvas->OnSetSize({width, height});
  OnSetBounds({0, 0, width, height});
  Invalidate({0, 0, width, height});
}

VgRect Root::Update() {
  // The areas are taken before drawing, so that a view invalidating while it
  // draws is redrawn in the next turn instead of being forgotten.
  VgRect areas[MaxUpdateAreas];
  const int32_t count = updateCount;
  std::copy(updateAreas, updateAreas + MaxUpdateAreas, areas);
  updateCount = 0;
  if (count > 0 && !rootCanvas) VgPrint("Core::Root.Update: no screen canvas; call Initialize first\n");

  VgRect shown = _Const0000;
  for (int32_t i = 0; i < count; ++i) {
    const VgRect area = WidenToEvenX(areas[i]);
    if (rootCanvas) Draw(rootCanvas, area, _Const0001);
    shown = VgUnionRect(shown, area);
  }
  return shown;
}

// -------------------------------------------------------------- the tree

bool Root::IsExposed() { return Visible; }

Root* Root::GetRoot() { return this; }

void Root::OnSetBounds(VgRect rect) {
  Group::OnSetBounds(rect);
  background.OnSetBounds({0, 0, VgGetRectW(Bounds), VgGetRectH(Bounds)});
}

void Root::OnSetFocus(View* view) {
  // The keyboard form is offered every event anyway; it never becomes the
  // focused child.
  if (view && view == keyboardForm.get()) return;
  Group::OnSetFocus(view);
}

void Root::Invalidate(VgRect rect) {
  if (owner) {
    Group::Invalidate(rect);
    return;
  }
  rect = VgIntersectRect(rect, {0, 0, VgGetRectW(Bounds), VgGetRectH(Bounds)});
  if (VgIsRectEmpty(rect)) return;
  AddUpdateArea(updateAreas, updateCentres, updateCount, rect);
}

// While a keyboard form is attached, views added or raised stay below it.

bool Root::KeyboardIsChild() const { return keyboardForm && keyboardForm->owner.get() == this; }

void Root::Add(View* view, int32_t restack) {
  if (KeyboardIsChild() && restack >= 0) restack = -1;
  Group::Add(view, restack);
}

void Root::AddBehind(View* view, View* sibling) {
  if (!sibling && KeyboardIsChild()) sibling = keyboardForm;
  Group::AddBehind(view, sibling);
}

void Root::RestackBehind(View* view, View* sibling) {
  if (!sibling && KeyboardIsChild() && view != keyboardForm.get()) sibling = keyboardForm;
  Group::RestackBehind(view, sibling);
}

void Root::RestackTop(View* view) {
  if (KeyboardIsChild() && view != keyboardForm.get()) {
    RestackBehind(view, keyboardForm);
    return;
  }
  Group::RestackTop(view);
}

void Root::Restack(View* view, int32_t steps) {
  if (steps > 0 && view && view->owner.get() == this && KeyboardIsChild() && view != keyboardForm.get()) {
    int32_t passed = 0;
    for (View* above = view->nextView; above && passed < steps; above = above->nextView) {
      if (above == keyboardForm.get()) {
        steps = passed;
        break;
      }
      ++passed;
    }
  }
  Group::Restack(view, steps);
}

// ------------------------------------------------------------------ events

XObject* Root::DispatchEvent(Event* event) {
  if (!event) {
    VgPrint("Core::Root.DispatchEvent: no event\n");
    return nullptr;
  }
  if (keyboardForm) {
    if (XObject* taken = keyboardForm->DispatchEvent(event)) return taken;
  }
  // A modal form hides the rest of the tree: what it leaves goes to the root
  // alone.
  if (modalTop) {
    if (XObject* taken = modalTop->DispatchEvent(event)) return taken;
    return HandleEvent(event);
  }
  return Group::DispatchEvent(event);
}

// ------------------------------------------------------------ modal forms

bool Root::IsModal(Forms::Form* form) const {
  for (Forms::Form* f = modalTop; f; f = f->ModalLink)
    if (f == form) return true;
  return false;
}

void Root::BeginModal(Forms::Form* form, XObject* data) {
  if (!form) VgPanicAnsi("No form to obtain the modal state.");
  if (form == keyboardForm.get()) VgPanicAnsi("The form serves as the 'virtual keyboard'.");
  if (IsModal(form)) VgPanicAnsi("The form is already modal.");
  if (modalTop)
    modalTop->UpdateFocus(false);
  else if (Focus)
    Focus->UpdateFocus(false);
  form->ModalLink = modalTop.get();
  modalTop = form;
  if (data) form->SetData(data);
  form->ModalData = data;
  form->HandleModality(true);
  form->UpdateFocus(true);
}

void Root::EndModal(XObject* result) {
  if (!modalTop) VgPanicAnsi("No modal form active");
  EndModalOf(modalTop, result);
}

void Root::EndModalOf(Forms::Form* form, XObject* result) {
  if (!form) VgPanicAnsi("No form to end the modal state.");
  if (!IsModal(form)) VgPanicAnsi("The form is not modal.");
  const bool wasTop = form == modalTop.get();
  if (wasTop) {
    modalTop = form->ModalLink.get();
  } else {
    Forms::Form* newer = modalTop;
    while (newer->ModalLink.get() != form) newer = newer->ModalLink;
    newer->ModalLink = form->ModalLink.get();
  }
  form->ModalLink = nullptr;
  if (result && form->ModalData) form->GetData(form->ModalData);
  form->ModalData = nullptr;
  if (wasTop) form->UpdateFocus(false);
  form->HandleModality(false);
  form->DoEndModal(result);
  if (wasTop) {
    if (modalTop)
      modalTop->UpdateFocus(true);
    else if (Focus)
      Focus->UpdateFocus(true);
  }
}

void Root::AttachKeyboard(Forms::Form* form, XObject* data) {
  if (!form) VgPanicAnsi("No form to serve as the 'virtual keyboard'.");
  if (keyboardForm) VgPanicAnsi("The 'virtual keyboard' form is already registered.");
  if (IsModal(form)) VgPanicAnsi("The form is already modal.");
  if (data) form->SetData(data);
  form->ModalData = data;
  form->HandleModality(true);
  form->UpdateFocus(true);
  keyboardForm = form;
}

void Root::DetachKeyboard(XObject* result) {
  if (!keyboardForm) VgPanicAnsi("No 'virtual keyboard' to detach.");
  Forms::Form* form = keyboardForm;
  if (result && form->ModalData) form->GetData(form->ModalData);
  form->ModalData = nullptr;
  form->UpdateFocus(false);
  form->HandleModality(false);
  // Released before the form reports its end, so that a receiver of
  // OnEndModal may attach the next keyboard form and no event reaches this one.
  keyboardForm = nullptr;
  form->DoEndModal(result);
}

// ------------------------------------------------------ language and styles

void Root::OnSetLanguage(int32_t id) {
  const int32_t old = VgGetLanguage();
  if (id == old) return;
  VgSetLanguage(id);
  Broadcast(VgNew<LanguageEvent>()->Initialize(old, id));
}

int32_t Root::OnGetLanguage() const { return VgGetLanguage(); }

void Root::OnSetStyles(uint32_t set) {
  const uint32_t old = VgGetStyles();
  if (set == old) return;
  VgSetStyles(set);
  Broadcast(VgNew<StylesEvent>()->Initialize(old, set));
}

uint32_t Root::OnGetStyles() const { return VgGetStyles(); }

// ----------------------------------------------------------- pointer input

void Root::OnSetCursorSequelDelay(int32_t ms) {
  CursorSequelDelay = Clamp(ms, 50, 2000);
  cursorSequelTimer.OnSetBegin(CursorSequelDelay);
}

void Root::OnSetCursorDragLimit(int32_t pixels) { CursorDragLimit = Clamp(pixels, 0, 64); }

// The root position of the pointer in the view's coordinates; false when the
// view is no longer in this root's tree.
bool Root::RelativePosition(View* view, VgPoint* position) {
  VgPoint p = cursorPos;
  for (View* v = view; v != this; v = v->owner) {
    if (!v) return false;
    p = VgMovePointNeg(p, TopLeft(v->GetExtent()));
  }
  *position = p;
  return true;
}

// The target keeps the last position it was seen at once it left the tree.
VgPoint Root::CurrentTargetPos() {
  VgPoint p;
  if (cursorTarget && RelativePosition(cursorTarget, &p)) targetPos = p;
  return targetPos;
}

void Root::SendRelease(bool deflected) {
  auto* event = VgNew<CursorEvent>()->InitializeUp(cursorNumber, CurrentTargetPos(), startPos, holdTime,
                                                   repeatCount, deflected);
  cursorTarget->HandleEvent(event);
}

void Root::Idle(View* formerTarget) {
  cursorTarget = nullptr;
  if (captureView.get() == formerTarget) captureView = nullptr;
  cursorHoldTimer.OnSetEnabled(false);
}

void Root::EndPress(bool deflected) {
  View* target = cursorTarget;
  SendRelease(deflected);
  Idle(target);
}

bool Root::DriveCursorMovement(int32_t x, int32_t y) {
  const VgPoint moved{Clamp(x, 0, VgGetRectW(Bounds) - 1), Clamp(y, 0, VgGetRectH(Bounds) - 1)};
  const VgPoint offset = VgMovePointNeg(moved, cursorPos);
  cursorPos = moved;
  if (!cursorTarget || offset == _Const0001) return false;
  VgPoint p;
  if (!RelativePosition(cursorTarget, &p)) {
    EndPress(false);
    return true;
  }
  targetPos = p;
  cursorTarget->HandleEvent(
      VgNew<DragEvent>()->Initialize(cursorNumber, targetPos, startPos, offset, holdTime, repeatCount));
  return true;
}

bool Root::DriveCursorHitting(bool down, int32_t cursor, int32_t x, int32_t y) {
  DriveCursorMovement(x, y);
  const VgPoint p = cursorPos;

  if (!down) {
    if (!cursorTarget || cursor != cursorNumber) return false;
    EndPress(false);
    return true;
  }
  // One press at a time.
  if (cursorTarget) return false;

  repeatCount = VgIsPointInRect(repeatArea, p) && cursor == cursorNumber ? repeatCount + 1 : 0;
  const int32_t limit = CursorDragLimit;
  repeatArea = {p.x - limit, p.y - limit, p.x + limit + 1, p.y + limit + 1};
  cursorSequelTimer.Activate();

  View* target = nullptr;
  if (keyboardForm && keyboardForm->Visible)
    target = keyboardForm->CursorHitTest(cursor, keyboardForm->MakeLocal(p), repeatCount, nullptr);
  if (!target) {
    if (!captureView) {
      // While a modal form is open only its subtree can take the press.
      target = CursorHitTest(cursor, p, repeatCount, modalTop);
    } else if (!captureView->Visible) {
      cursorTarget = nullptr;
      return false;
    } else if (Group* group = vg_cast<Group>(captureView)) {
      target = group->CursorHitTest(cursor, group->MakeLocal(p), repeatCount, nullptr);
    } else {
      VgPoint local = captureView->owner ? captureView->owner->MakeLocal(p) : p;
      local = VgMovePointNeg(local, TopLeft(captureView->GetExtent()));
      target = captureView->CursorHitTest(cursor, local, repeatCount, nullptr);
    }
  }
  if (!target) return false;

  VgPoint position;
  if (!RelativePosition(target, &position)) return false;
  cursorTarget = target;
  targetPos = startPos = position;
  cursorNumber = cursor;
  holdTime = 0;
  cursorHoldTimer.OnSetEnabled(true);
  target->HandleEvent(VgNew<CursorEvent>()->InitializeDown(cursor, position, repeatCount, false));
  return true;
}

void Root::cursorHoldTimerProc(XObject*) {
  if (!cursorTarget) {
    cursorHoldTimer.OnSetEnabled(false);
    return;
  }
  VgPoint p;
  if (!RelativePosition(cursorTarget, &p)) {
    EndPress(false);
    return;
  }
  targetPos = p;
  holdTime += cursorHoldTimer.OnGetPeriod();
  cursorTarget->HandleEvent(
      VgNew<CursorEvent>()->InitializeHold(cursorNumber, targetPos, startPos, holdTime, repeatCount));
}

void Root::cursorSequelTimerProc(XObject*) { repeatArea = _Const0000; }

bool Root::DeflectCursor(View* view) {
  if (!cursorTarget || view == cursorTarget.get()) return false;
  View* old = cursorTarget;
  SendRelease(true);
  VgPoint position;
  if (!view || !RelativePosition(view, &position)) {
    Idle(old);
    return true;
  }
  cursorTarget = view;
  targetPos = startPos = position;
  repeatCount = 0;
  holdTime = 0;
  cursorSequelTimer.Activate();
  view->HandleEvent(VgNew<CursorEvent>()->InitializeDown(cursorNumber, position, 0, true));
  return true;
}

void Root::CaptureCursor(View* view) {
  DeflectCursor(view);
  captureView = view;
}

}  // namespace Core

void CoreRoot__Initialize(Core::Root* root, int32_t width, int32_t height) {
  if (root) root->Initialize(width, height);
}

VgRect CoreRoot_Update(Core::Root* root) { return root ? root->Update() : _Const0000; }
