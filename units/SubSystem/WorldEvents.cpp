#include "SubSystem/WorldEvents.h"

#include "Core/KeyEvent.h"

namespace SubSystem {

bool WorldEvents::OfTheWorld(Core::Event* event) { return event && !vg_cast<Core::KeyEvent>(event); }

WorldEvents::WorldEvents(Core::Group* stage, Core::Event* event)
    : event_(event), followers_(Followers(stage, event)) {
  outer_ = Primitives::KeyRoutingForm::DeliveringWorldEvent(Primitives::KeyRoutingForm::NewWorldEvent());
}

WorldEvents::~WorldEvents() {
  ToTheFollowers();
  Primitives::KeyRoutingForm::DeliveringWorldEvent(outer_);
}

std::vector<Primitives::KeyRoutingForm*> WorldEvents::Followers(Core::Group* stage, Core::Event* event) {
  std::vector<Primitives::KeyRoutingForm*> followers;
  if (!stage || !OfTheWorld(event)) return followers;
  std::vector<Core::Group::Stacked> drawn;
  stage->Stacking(&drawn);
  for (auto at = drawn.rbegin(); at != drawn.rend(); ++at) {
    auto* form = vg_cast<Primitives::KeyRoutingForm>(at->view);
    if (form && form->Visible && !form->IsClosed() && form->FollowsTheWorld(event)) followers.push_back(form);
  }
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
