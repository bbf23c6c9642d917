#include "Primitives/KeyRoutingForm.h"

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

KeyRoutingForm::KeyRoutingForm(XObject* link) : Forms::Form(link) {
  timeOutTimer.OnSetPeriod(0);
  timeOutTimer.OnSetBegin(DefaultTimeOut);
  timeOutTimer.OnSetOnTrigger(VgSlotOf<&KeyRoutingForm::TimeOutSlot>(this));
}

XObject* KeyRoutingForm::HandleEvent(Core::Event*) { return nullptr; }

// The Asker hears the event along its own focus path, then the forms that
// host it up to its sub-system, just as it would with the focus; the
// sub-system itself hears it afterwards through this form's owner.
XObject* KeyRoutingForm::DispatchEvent(Core::Event* event) {
  if (!vg_cast<Core::KeyEvent>(event)) WorldEvents::NoteHeard(this);
  if (XObject* taken = Forms::Form::DispatchEvent(event)) return taken;
  if (!Asker || offering || IsOrphaned() || vg_cast<Core::KeyEvent>(event)) return nullptr;
  VgPtr<KeyRoutingForm> asker = Asker;
  offering = true;
  XObject* taken = asker->DispatchEvent(event);
  // A host that heard this event already (a screen on view that follows it,
  // reached first) does not hear it twice.
  for (Core::Group* host = asker->owner; !taken && host && !vg_cast<KeyRoutingGroup>(host); host = host->owner)
    if (auto* form = vg_cast<KeyRoutingForm>(host); form && !WorldEvents::Heard(form)) {
      WorldEvents::NoteHeard(form);
      taken = host->HandleEvent(event);
    }
  offering = false;
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
