#include "Forms/Ctrl.h"

#include "Forms/Form.h"
#include "Forms/Handler.h"
#include "Forms/Label.h"
#include "vgdebug.h"
#include "vgslot.h"

VG_DEFINE_CLASS(Forms, Ctrl, Core::Group)

namespace Forms {

Ctrl::Ctrl(XObject* link) : Core::Group(link) { Bounds = {0, 0, 200, 150}; }

// Several changes in one event (focus leaving one control and reaching the
// next, a disable that moves the focus) end in one recomputation afterwards.
void Ctrl::PostStateUpdate() { VgPostSignal(VgSlotOf<&Ctrl::ForceCtrlStateUpdate>(this)); }

uint16_t Ctrl::ComputeState() const {
  if (!Enabled) return StateDisabled;
  if (Focused) return Active ? StateActive : StateFocused;
  if (owner && owner->Focus.get() == this) return StateSelected;
  return StateNormal;
}

void Ctrl::ForceCtrlStateUpdate(XObject*) {
  const uint16_t oldState = CtrlState;
  CtrlState = ComputeState();
  UpdateCtrlState(oldState, CtrlState);
}

void Ctrl::UpdateCtrlState(uint16_t, uint16_t) {}

XObject* Ctrl::GetData(XObject* data) { return data; }

namespace {

bool TypedInside(const Core::Group* group) {
  for (Core::View* view = group->firstView; view; view = view->nextView) {
    if (auto* ctrl = vg_cast<Ctrl>(view)) {
      if (ctrl->TypedInto()) return true;
    } else if (auto* inner = vg_cast<Core::Group>(view); inner && TypedInside(inner)) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool Ctrl::TypedInto() const { return TypedInside(this); }

XObject* Ctrl::SetData(XObject* data) { return data; }

// ------------------------------------------------------------ focus, events

void Ctrl::UpdateFocus(bool focused) {
  const bool changed = Focused != focused;
  Core::Group::UpdateFocus(focused);
  // Leaving a control confirms what was typed into it.
  if (changed && !focused && Handler) Apply();
}

void Ctrl::HandleFocus(bool focused) {
  Core::Group::HandleFocus(focused);
  if (!focused)
    Activate(false);
  else if (CanAutoActivate())
    Activate(true);
  PostStateUpdate();
}

void Ctrl::HandleSelection(bool selected) {
  Core::Group::HandleSelection(selected);
  PostStateUpdate();
}

XObject* Ctrl::DispatchEvent(Core::Event* event) {
  if (XObject* taken = Core::Group::DispatchEvent(event)) return taken;
  return Handler ? Handler->HandleEvent(event) : nullptr;
}

// ------------------------------------------------------------- properties

void Ctrl::OnSetEnabled(bool value) {
  if (value == Enabled) return;
  Enabled = value;
  // A disabled control cannot keep the focus: it passes to the neighbour its
  // owner names (for a form, the next enabled control, else the previous one).
  if (!value && owner && owner->Focus.get() == this) owner->OnSetFocus(owner->FindFocusable(this));
  PostStateUpdate();
}

void Ctrl::OnSetHandler(::Forms::Handler* handler) {
  if (handler && handler->control && handler->control.get() != this)
    VgPanicAnsi("The handler is already attached to a control");
  if (handler == Handler.get()) return;
  if (Handler) Handler->control = nullptr;
  Handler = handler;
  if (handler) handler->control = this;
}

void Ctrl::OnSetLabel(::Forms::Label* label) {
  if (label == Label.get()) return;
  if (Label) Label->control = nullptr;
  if (label && label->control) label->control->Label = nullptr;
  Label = label;
  if (label) label->control = this;
}

// -------------------------------------------------------------- activation

void Ctrl::Activate(bool value) {
  if (value == Active) return;
  if (value) {
    // Only the control on the focus path can be entered.
    if (!Focused) return;
    Active = true;
  } else {
    Active = false;
    Apply();
  }
  PostStateUpdate();
}

bool Ctrl::Apply() {
  if (Modified && Handler) {
    Modified = false;
    return Handler->Apply();
  }
  Modified = false;
  return true;
}

bool Ctrl::CanAutoActivate() { return false; }

void Ctrl::PreActivate() {}

VgRect Ctrl::GetMinMaxSize() {
  const int32_t w = VgGetRectW(Bounds);
  const int32_t h = VgGetRectH(Bounds);
  return {w, h, w, h};
}

// ---------------------------------------------------------- neighbour tests

namespace {

// The control itself, or the ancestor of it that lies directly in a form.
Ctrl* InFormOf(Core::View* view, Form*& form) {
  while (view->owner && !vg_cast<Form>(view->owner.get())) view = view->owner;
  form = vg_cast<Form>(view->owner.get());
  return form ? vg_cast<Ctrl>(view) : nullptr;
}

}  // namespace

bool Ctrl::HasVertSibling() {
  Form* form = nullptr;
  Ctrl* ctrl = InFormOf(this, form);
  return ctrl && (form->GetUpperCtrl(ctrl) || form->GetLowerCtrl(ctrl));
}

bool Ctrl::HasHorzSibling() {
  Form* form = nullptr;
  Ctrl* ctrl = InFormOf(this, form);
  return ctrl && (form->GetLeftCtrl(ctrl) || form->GetRightCtrl(ctrl));
}

}  // namespace Forms
