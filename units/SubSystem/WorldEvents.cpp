#include "SubSystem/WorldEvents.h"

#include "Core/KeyEvent.h"

namespace SubSystem {

bool WorldEvents::OfTheWorld(Core::Event* event) { return event && !vg_cast<Core::KeyEvent>(event); }

WorldEvents::WorldEvents(Core::Group* stage, Core::Event* event)
    : event_(event), followers_(Followers(stage, event)), enclosing_(innermost_) {
  const bool again = enclosing_ && enclosing_->event_ == event;
  number_ = again ? enclosing_->number_ : Primitives::KeyRoutingForm::NewWorldEvent();
  outer_ = Primitives::KeyRoutingForm::DeliveringWorldEvent(number_);
  innermost_ = this;
}

WorldEvents::~WorldEvents() {
  ToTheFollowers();
  Primitives::KeyRoutingForm::DeliveringWorldEvent(outer_);
  innermost_ = enclosing_;
}

std::vector<Primitives::KeyRoutingForm*> WorldEvents::Followers(Core::Group* stage, Core::Event* event) {
  std::vector<Primitives::KeyRoutingForm*> followers;
  if (!stage || !OfTheWorld(event)) return followers;
  const std::vector<Primitives::DrawnScreen> drawn = Primitives::DrawnScreens(stage);
  for (auto at = drawn.rbegin(); at != drawn.rend(); ++at)
    if (!at->form->IsClosed() && at->form->FollowsTheWorld(event)) followers.push_back(at->form);
  return followers;
}

void WorldEvents::ToTheFollowers() {
  if (delivered_) return;
  delivered_ = true;
  for (Primitives::KeyRoutingForm* form : followers_) {
    if (form->IsClosed() || !form->owner || form->HeardTheWorld()) continue;
    form->DispatchEvent(event_);
  }
}

}  // namespace SubSystem
