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

namespace {

// The screens drawn in the group, bottom first: a group that is no screen
// (a sub-system the stage does not stack screen by screen) holds screens.
void CollectDrawn(Core::Group* group, std::vector<Primitives::KeyRoutingForm*>* drawn) {
  std::vector<Core::Group::Stacked> stacked;
  group->Stacking(&stacked);
  for (const Core::Group::Stacked& at : stacked) {
    if (!at.view->Visible) continue;
    if (auto* form = vg_cast<Primitives::KeyRoutingForm>(at.view))
      drawn->push_back(form);
    else if (auto* inner = vg_cast<Core::Group>(at.view))
      CollectDrawn(inner, drawn);
  }
}

}  // namespace

std::vector<Primitives::KeyRoutingForm*> WorldEvents::Followers(Core::Group* stage, Core::Event* event) {
  std::vector<Primitives::KeyRoutingForm*> drawn;
  if (!stage || !OfTheWorld(event)) return drawn;
  CollectDrawn(stage, &drawn);
  std::vector<Primitives::KeyRoutingForm*> followers;
  for (auto at = drawn.rbegin(); at != drawn.rend(); ++at)
    if (!(*at)->IsClosed() && (*at)->FollowsTheWorld(event)) followers.push_back(*at);
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
