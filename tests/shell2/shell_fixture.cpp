#include "shell_fixture.h"

VG_DEFINE_CLASS(ShellTest, Screen, Primitives::KeyRoutingForm)
VG_DEFINE_CLASS(ShellTest, NonMenuScreen, ShellTest::Screen)
VG_DEFINE_CLASS(ShellTest, Page, SubSystem::MenuClass)

namespace ShellTest {

XObject* Screen::HandleEvent(Core::Event* event) {
  RootTest::Log() += name + (vg_cast<Core::KeyEvent>(event) ? ":key " : ":event ");
  if (!take) return nullptr;
  if (closeOnTake) Close();
  return this;
}

void Screen::Close(XObject* sender) {
  const bool open = Parent && owner.get() == Parent.get();
  KeyRoutingForm::Close(sender);
  if (!open) return;
  ++closes;
  RootTest::Log() += name + " ";
  if (afterClose) afterClose();
}

NonMenuScreen::NonMenuScreen() {
  ++made;
  SubSystemClass = &NonMenuSystem::NonMenuSystem::Class;
  WinID = 0x2000009;
  Layer = 32;
}

void NonMenuScreen::Initialize(Primitives::KeyRoutingParameter* parameter) {
  Screen::Initialize(parameter);
  param = parameter ? parameter->Param.get() : nullptr;
}

Page::Page() {
  SubSystemClass = &MenuSystem::MenuSystem::Class;
  Layer = 4;
}

void Page::DoTimeout(XObject*) { ++timeouts; }

void ShellFixture::SetUp() {
  RootFixture::SetUp();
  previousDelivery = Agent::SetMessageDelivery(&Primitives::DeliverMessage);
  manager = MainApp::GetWidgetManager();
  agent = MainApp::GetMessageAgent();
  VgLockObject(manager);
  VgLockObject(agent);
  app = VgNew<Primitives::KeyRoutingGroup>();
  app->Bounds = {0, 0, 960, 540};
  root->Add(app, 0);
  root->OnSetFocus(app);
}

void ShellFixture::TearDown() {
  VgUnlockObject(agent);
  VgUnlockObject(manager);
  Agent::SetMessageDelivery(previousDelivery);
  RootFixture::TearDown();
}

Screen* ShellFixture::MakeScreen(const std::string& name, int32_t id, int32_t layer) {
  auto* screen = VgNew<Screen>();
  screen->name = name;
  screen->WinID = id;
  screen->Layer = layer;
  screen->Bounds = {0, 0, 100, 100};
  return screen;
}

Screen* ShellFixture::Open(Screen* screen, Core::Group* parent) {
  screen->Parent = parent;
  screen->Open();
  return screen;
}

std::string ShellFixture::Listed() const {
  std::string names;
  for (Structures::DuLinkNode* node = manager->Sentinel()->next; node != manager->Sentinel(); node = node->next)
    if (auto* screen = vg_cast<Screen>(node->data.get())) names += screen->name + " ";
  return names;
}

std::string ShellFixture::Stack(Core::Group* group) {
  std::string names;
  for (Core::View* view = group->firstView; view; view = view->nextView)
    if (auto* screen = vg_cast<Screen>(view)) names += screen->name + " ";
  return names;
}

}  // namespace ShellTest
