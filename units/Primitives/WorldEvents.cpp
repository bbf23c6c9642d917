#include "Primitives/WorldEvents.h"

#include <algorithm>

#include "Core/KeyEvent.h"

namespace Primitives {

bool WorldEvents::OfTheWorld(Core::Event* event) { return event && !vg_cast<Core::KeyEvent>(event); }

WorldEvents::WorldEvents(Core::Event* event) : event_(event), enclosing_(innermost_) {
  if (enclosing_ && enclosing_->event_ == event) hearers_ = enclosing_->hearers_;
}

XObject* WorldEvents::Deliver(Core::Group* stage, Core::Event* event, const std::function<XObject*()>& focusPath) {
  const std::vector<KeyRoutingForm*> followers = Followers(stage, event);
  WorldEvents delivery(event);
  innermost_ = &delivery;
  XObject* taken = focusPath();
  for (KeyRoutingForm* form : followers) {
    if (form->IsClosed() || !form->owner || Heard(form)) continue;
    form->DispatchEvent(event);
  }
  innermost_ = delivery.enclosing_;
  return taken;
}

std::vector<KeyRoutingForm*> WorldEvents::Followers(Core::Group* stage, Core::Event* event) {
  std::vector<KeyRoutingForm*> followers;
  if (!stage || !OfTheWorld(event)) return followers;
  const std::vector<DrawnScreen> drawn = DrawnScreens(stage);
  for (auto at = drawn.rbegin(); at != drawn.rend(); ++at)
    if (!at->form->IsClosed() && at->form->FollowsTheWorld(event)) followers.push_back(at->form);
  return followers;
}

bool WorldEvents::Heard(const KeyRoutingForm* form) {
  const std::vector<const KeyRoutingForm*>* heard = innermost_ ? innermost_->hearers_ : nullptr;
  return heard && std::find(heard->begin(), heard->end(), form) != heard->end();
}

void WorldEvents::NoteHeard(const KeyRoutingForm* form) {
  if (innermost_ && !Heard(form)) innermost_->hearers_->push_back(form);
}

}  // namespace Primitives
