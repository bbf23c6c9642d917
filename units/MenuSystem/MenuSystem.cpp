#include "MenuSystem/MenuSystem.h"

#include <algorithm>

#include "Constants/Constants.h"
#include "MainApp/MessageAgent.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Structures/Boxes.h"
#include "Structures/Message.h"
#include "SubSystem/MenuClass.h"

VG_DEFINE_CLASS(MenuSystem, MenuSystem, SubSystem::MenuSystemClass)

namespace MenuSystem {

namespace {

// Where the pages stand: the first level at the corner, every deeper level
// beside the first level's column.
constexpr VgPoint kTopLevelOrigin{0, 0};
constexpr VgPoint kPageOrigin{160, 0};

}  // namespace

MenuSystem::MenuSystem(XObject* link) : SubSystem::MenuSystemClass(link) { std::fill_n(MenuIndex, Levels, 1); }

void MenuSystem::Initialize(Primitives::KeyRoutingParameter* parameter) {
  SubSystem::MenuSystemClass::Initialize(parameter);
  OnSetBounds({0, 0, 960, 540});
  MainApp::GetMessageAgent()->Register(this);
}

void MenuSystem::Close(XObject* sender) {
  SubSystem::MenuSystemClass::Close(sender);
  MainApp::GetMessageAgent()->UnRegister(this);
}

void MenuSystem::HandleMessage(Structures::Message* message) {
  if (!message || message->Code != Constants::MSG_CHANGE_STATE) return;
  if (owner) owner->OnSetFocus(this);
  ChangeState(vg_cast<SubSystem::State>(message->Payload.get()));
}

Primitives::KeyRoutingForm* MenuSystem::ChangeState(SubSystem::State* state) {
  Primitives::KeyRoutingForm* form = SubSystem::MenuSystemClass::ChangeState(state);
  auto* page = vg_cast<SubSystem::MenuClass>(form);
  if (!page || page->SubSystemClass != GetClass()) return form;

  page->MenuSystem = this;
  if (auto* index = vg_cast<Structures::RefInt>(state->Param.get())) SetMenuIndex(page->MenuLevel, index->Value);
  auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
  parameter->Parent = this;
  parameter->Param = state->Param;
  page->Initialize(parameter);
  page->Open();
  const VgPoint origin = page->MenuLevel == 1 ? kTopLevelOrigin : kPageOrigin;
  page->OnSetBounds(VgSetRectOrigin(page->Bounds, origin));
  if (page->FocusOnOpen && page->owner.get() == this) OnSetFocus(page);
  return page;
}

void MenuSystem::SetMenuIndex(int32_t level, int32_t index) {
  if (level >= 1 && level <= Levels) MenuIndex[level - 1] = index;
}

int32_t MenuSystem::GetMenuIndex(int32_t level) {
  return level >= 1 && level <= Levels ? MenuIndex[level - 1] : 1;
}

}  // namespace MenuSystem
