#include "Primitives/KeyRoutingForm.h"

#include <algorithm>
#include <vector>

#include "Core/KeyEvent.h"
#include "Core/Root.h"
#include "Primitives/KeyRoutingGroup.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Primitives/WorldEvents.h"

VG_DEFINE_CLASS(Primitives, KeyRoutingForm, Forms::Form)

namespace Primitives {

namespace {

bool IsModalOn(Core::Root* root, Forms::Form* form) {
  for (Forms::Form* f = root->modalTop; f; f = f->ModalLink)
    if (f == form) return true;
  return false;
}

// The forms inside group that were opened with host as their parent; below a
// hosted form the search stops, since that form closes its own.
void CollectHosted(Core::Group* group, const KeyRoutingForm* host, std::vector<KeyRoutingForm*>& hosted) {
  for (Core::View* view = group->firstView; view; view = view->nextView) {
    auto* form = vg_cast<KeyRoutingForm>(view);
    if (form && form->Parent.get() == host) {
      hosted.push_back(form);
    } else if (auto* inner = vg_cast<Core::Group>(view)) {
      CollectHosted(inner, host, hosted);
    }
  }
}

VgPoint TopLeft(VgRect r) { return {r.x1, r.y1}; }

// The nearest form that holds the form (the dialog around a list); null for
// a screen that no form holds.
KeyRoutingForm* HolderOf(KeyRoutingForm* form) {
  for (Core::View* view = form->owner; view; view = view->owner)
    if (auto* holder = vg_cast<KeyRoutingForm>(view)) return holder;
  return nullptr;
}

// ORIGIN: where the group's own content starts, in the walk's coordinates.
void CollectDrawn(Core::Group* group, VgPoint origin, std::vector<DrawnScreen>* drawn) {
  std::vector<Core::Group::Stacked> stacked;
  group->Stacking(&stacked);
  for (const auto& [view, holder] : stacked) {
    if (!view->Visible) continue;
    const VgPoint at = holder == group ? origin : TopLeft(VgMoveRectPos(holder->Bounds, origin));
    const VgRect extent = VgMoveRectPos(view->GetExtent(), at);
    if (auto* form = vg_cast<KeyRoutingForm>(view))
      drawn->push_back({form, holder, extent});
    else if (auto* inner = vg_cast<Core::Group>(view))
      CollectDrawn(inner, TopLeft(extent), drawn);
  }
}

}  // namespace

std::vector<DrawnScreen> DrawnScreens(Core::Group* group) {
  std::vector<DrawnScreen> drawn;
  if (group) CollectDrawn(group, {0, 0}, &drawn);
  return drawn;
}

KeyRoutingForm* AlongTheAskers(KeyRoutingForm* form, const std::function<bool(KeyRoutingForm*)>& found) {
  std::vector<KeyRoutingForm*> walked;
  while (form) {
    if (std::find(walked.begin(), walked.end(), form) != walked.end()) {
      VgPrint("Primitives::AlongTheAskers: %s is met again along the askers, which name each other; the walk ends "
              "there\n",
              form->GetClass()->name);
      return nullptr;
    }
    walked.push_back(form);
    if (found(form)) return form;
    // A pop-up whose asker left answers nobody.
    KeyRoutingForm* next = form->Asker ? form->Asker.get() : HolderOf(form);
    form = next && !next->IsClosed() ? next : nullptr;
  }
  return nullptr;
}

KeyRoutingForm::KeyRoutingForm(XObject* link) : Forms::Form(link) {
  timeOutTimer.OnSetPeriod(0);
  timeOutTimer.OnSetBegin(DefaultTimeOut);
  timeOutTimer.OnSetOnTrigger(VgSlotOf<&KeyRoutingForm::TimeOutSlot>(this));
}

XObject* KeyRoutingForm::HandleEvent(Core::Event*) { return nullptr; }

// The event goes on from the form's Asker along the askers. A form that
// heard it already (a screen on view that follows it, reached first) does
// not hear it twice, nor does the form itself where askers name each other
// in a loop.
XObject* KeyRoutingForm::DispatchEvent(Core::Event* event) {
  const bool key = vg_cast<Core::KeyEvent>(event) != nullptr;
  if (!key) WorldEvents::NoteHeard(this);
  if (XObject* taken = Forms::Form::DispatchEvent(event)) return taken;
  if (key || passedOn || !Asker) return nullptr;
  XObject* taken = nullptr;
  KeyRoutingForm* last = this;
  AlongTheAskers(this, [&](KeyRoutingForm* form) {
    const bool asked = last->Asker.get() == form;
    last = form;
    if (form == this || WorldEvents::Heard(form)) return false;
    if (asked) {
      // Down its own focus, as if it had the keys; the walk goes on from it.
      form->passedOn = true;
      taken = form->DispatchEvent(event);
      form->passedOn = false;
    } else {
      WorldEvents::NoteHeard(form);
      taken = form->HandleEvent(event);
    }
    return taken != nullptr;
  });
  return taken;
}

void KeyRoutingForm::Initialize(KeyRoutingParameter* parameter) {
  if (parameter) Parent = parameter->Parent.get();
}

void KeyRoutingForm::Refresh(XObject*) {}

void KeyRoutingForm::HandleMessage(Structures::Message*) {}

void KeyRoutingForm::Open(XObject*) {
  if (!Parent) return;
  Parent->Add(this, 0);
  // A parent not yet attached to the root has no root to be modal on; the
  // form then opens as an ordinary one.
  if (IsModal) {
    if (Core::Root* root = GetRoot()) root->BeginModal(this, nullptr);
  }
  SetTimeout(true);
}

// Only the parent that really holds the form can close it: a stale Close
// (the form already closed, or moved elsewhere) changes nothing, not even the
// timer. The modal state is ended only when the form really has it: a form
// opened before its parent reached the root, or made modal after it opened,
// is not on the root's modal chain. The hosted forms are gathered before any
// of them closes, as closing one takes it out of the host.
void KeyRoutingForm::Close(XObject*) {
  if (!Parent || owner.get() != Parent.get()) return;
  SetTimeout(false);
  timeoutHeld = false;
  if (IsModal) {
    Core::Root* root = GetRoot();
    if (root && IsModalOn(root, this)) root->EndModalOf(this, nullptr);
  }
  // The asker is let go once the form is out: leaving, the form hands the
  // keys back to it (KeyOwner::NextWithTheKeys).
  Parent->Remove(this);
  Asker = nullptr;
  std::vector<KeyRoutingForm*> hosted;
  CollectHosted(this, this, hosted);
  for (KeyRoutingForm* form : hosted) form->Close();
}

bool KeyRoutingForm::IsClosed() const {
  if (!Parent) return false;
  const Core::View* at = owner.get();
  while (at && at != Parent.get()) at = at->owner.get();
  if (!at) return true;
  auto* host = vg_cast<KeyRoutingForm>(Parent.get());
  return host && host->IsClosed();
}

void KeyRoutingForm::TimeOutSlot(XObject*) { VgSignal(OnTimeOut, this); }

void KeyRoutingForm::SetTimeout(bool on) { timeOutTimer.OnSetEnabled(on); }

void KeyRoutingForm::ResetTimeout(XObject*) {
  if (timeOutTimer.OnGetEnabled()) timeOutTimer.Activate();
}

void KeyRoutingForm::HoldTimeout() {
  if (!timeOutTimer.OnGetEnabled()) return;
  SetTimeout(false);
  timeoutHeld = true;
}

void KeyRoutingForm::ResumeTimeout() {
  if (!timeoutHeld) return;
  timeoutHeld = false;
  SetTimeout(true);
}

// The timer takes no negative times: a negative value is kept as given but
// runs as 0, which leaves the single-shot timer idle.
void KeyRoutingForm::OnSetTimeOutValue(int32_t ms) {
  TimeOutValue = ms;
  timeOutTimer.OnSetBegin(ms);
  timeOutTimer.OnSetPeriod(0);
}

}  // namespace Primitives
