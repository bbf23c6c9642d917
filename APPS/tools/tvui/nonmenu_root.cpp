#include "nonmenu_root.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "Bitmaps.h"
#include "Constants/Constants.h"
#include "Fonts/Fonts.h"
#include "Graphics/RootCanvas.h"
#include "MainApp/MessageAgent.h"
#include "MainApp/WidgetManager.h"
#include "MainApp/Wrapper.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "NonMenuSystem/WidgetClass.h"
#include "PersistentData/PersistentData.h"
#include "Primitives/KeyRoutingGroup.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Primitives/MessageDelivery.h"
#include "SkinBin/UserRefInt.h"
#include "Structures/Boxes.h"
#include "Structures/Message.h"
#include "SubSystem/State.h"
#include "Views/Image.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"
#include "vgdebug.h"
#include "vgslot.h"

namespace TvuiNonMenu {

// A window of the media family: layer 1, which a clear of the widgets spares.
class MediaWindow : public Primitives::KeyRoutingForm {
  VG_CLASS()

 public:
  MediaWindow();
  Views::Rectangle panel{this};
  Views::Text title{this};
};

// A dialog that asks for the keyboard and shows the label it gets back.
class LabelOwner : public NonMenuSystem::WidgetClass {
  VG_CLASS()

 public:
  LabelOwner();
  void Open(XObject* sender = nullptr) override;
  void Close(XObject* sender = nullptr) override;
  void HandleMessage(Structures::Message* message) override;
  Views::Text label{this};
};

// A plain widget: a caption on the widget's ground.
class Widget : public NonMenuSystem::WidgetClass {
  VG_CLASS()

 public:
  Widget();
  Views::Text title{this};
};

// Prints every message the agent gives it.
class Probe : public Primitives::KeyRoutingGroup {
  VG_CLASS()

 public:
  explicit Probe(XObject* link = nullptr) : Primitives::KeyRoutingGroup(link) {}
  void HandleMessage(Structures::Message* message) override;
};

}  // namespace TvuiNonMenu

VG_DEFINE_CLASS(TvuiNonMenu, Root, Core::Root)
VG_DEFINE_CLASS(TvuiNonMenu, MediaWindow, Primitives::KeyRoutingForm)
VG_DEFINE_CLASS(TvuiNonMenu, LabelOwner, NonMenuSystem::WidgetClass)
VG_DEFINE_CLASS(TvuiNonMenu, Widget, NonMenuSystem::WidgetClass)
VG_DEFINE_CLASS(TvuiNonMenu, Probe, Primitives::KeyRoutingGroup)

namespace TvuiNonMenu {

namespace {

// What the root keeps alive between the lines of a scenario.
struct Kept {
  NonMenuSystem::NonMenuSystem* system = nullptr;
};
Kept g_kept;

Views::Text* StyleTitle(Views::Text* text, VgRect bounds, const char* string) {
  text->OnSetBounds(bounds);
  text->OnSetFont(VgLoad<Resources::Font>(Fonts::LargeFont));
  text->OnSetColor(NonMenuSystem::Look::Text);
  text->OnSetAlignH(Views::Text::AlignCentre);
  text->OnSetAlignV(Views::Text::AlignMiddle);
  text->OnSetString(VgNewStringAnsi(string));
  return text;
}

bool Number(const std::string& text, int64_t* value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  *value = std::strtoll(text.c_str(), &end, 0);
  return errno == 0 && *end == '\0';
}

bool MessageCode(const std::string& text, int32_t* code) {
  for (const Constants::Named& row : Constants::kMessageCodes) {
    if (row.name == text) {
      *code = row.value;
      return true;
    }
  }
  int64_t value = 0;
  if (!Number(text, &value)) return false;
  *code = int32_t(value);
  return true;
}

const VgClass* ScreenClass(const std::string& name) {
  if (name == MediaWindow::Class.name) return &MediaWindow::Class;
  if (name == LabelOwner::Class.name) return &LabelOwner::Class;
  if (name == Widget::Class.name) return &Widget::Class;
  return VgFindClass(name.c_str());
}

Root* AsRoot(XObject* root) { return static_cast<Root*>(root); }

const GuiRootOps kOps{
    &Root::Class,
    [](XObject* root, int32_t width, int32_t height) {
      CoreRoot__Initialize(AsRoot(root), width, height);
      AsRoot(root)->Build();
    },
    [](XObject* root, XObject* event) {
      return CoreGroup__DispatchEvent(AsRoot(root), static_cast<Core::Event*>(event));
    },
    [](XObject* root) { return CoreRoot_Update(AsRoot(root)); },
    [](XObject* root) -> GenBitmap* {
      Graphics::RootCanvas* canvas = AsRoot(root)->rootCanvas;
      return canvas ? canvas->EngineBitmap() : nullptr;
    },
    [](XObject*) { return MainApp::GetWidgetManager()->Empty() ? 0 : 1; },
    [](XObject*) { return 0; },
    [](XObject*, int32_t) { return 0; },
};

std::string Open(const std::vector<ScenarioToken>& t) {
  if (t.size() < 2) return "open takes a class";
  const VgClass* cls = ScreenClass(t[1].text);
  if (!cls) return "no screen class " + t[1].text;
  auto* param = VgNew<SkinBin::UserRefInt>();
  param->Kind = Constants::MSG_FROM_NONMENUSYSTEM;
  for (size_t i = 2; i < t.size(); ++i) {
    int64_t value = 0;
    if (t[i].text == "value" && i + 1 < t.size() && Number(t[i + 1].text, &value)) {
      param->Value = int32_t(value);
      ++i;
    } else if (t[i].text == "origin" && i + 1 < t.size()) {
      const std::string& origin = t[++i].text;
      if (origin == "menu") {
        param->Kind = Constants::MSG_FROM_MENUSYSTEM;
      } else if (origin == "quick") {
        param->Kind = Constants::MSG_FROM_QUICKMENU;
      } else if (origin == "nonmenu") {
        param->Kind = Constants::MSG_FROM_NONMENUSYSTEM;
      } else {
        return "origin is menu, quick or nonmenu";
      }
    } else if (t[i].text == "flag") {
      param->Flag = true;
    } else if (t[i].text == "text" && i + 1 < t.size()) {
      param->Text = VgNewStringAnsi(t[++i].text.c_str());
    } else {
      return "open takes value N, origin NAME, flag and text \"...\"";
    }
  }
  auto* state = VgNew<SubSystem::State>();
  state->ClassRef = cls;
  state->Param = param;
  auto* message = VgNew<Structures::Message>();
  message->Code = Constants::MSG_CHANGE_STATE;
  message->Payload = state;
  MainApp::GetMessageAgent()->Dispatch(message, &NonMenuSystem::NonMenuSystem::Class);
  return {};
}

}  // namespace

MediaWindow::MediaWindow() {
  SubSystemClass = &NonMenuSystem::NonMenuSystem::Class;
  WinID = 0x12000034;
  Layer = 1;
  panel.OnSetColor(VgColor{10, 40, 70, 255});
  panel.OnSetBounds({0, 0, 960, 540});
  Add(&panel, 0);
  Add(StyleTitle(&title, {0, 40, 960, 90}, "Media window"), 0);
  Bounds = {0, 0, 960, 540};
}

LabelOwner::LabelOwner() {
  WinID = 0x2000041;
  Add(StyleTitle(&label, {10, 10, 390, 70}, "Label:"), 0);
  Bounds = {0, 440, 400, 520};
}

void LabelOwner::Open(XObject* sender) {
  NonMenuSystem::WidgetClass::Open(sender);
  MainApp::GetMessageAgent()->Register(this);
}

void LabelOwner::Close(XObject* sender) {
  NonMenuSystem::WidgetClass::Close(sender);
  MainApp::GetMessageAgent()->UnRegister(this);
}

void LabelOwner::HandleMessage(Structures::Message* message) {
  auto* text = message ? vg_cast<Structures::RefString>(message->Payload.get()) : nullptr;
  if (message && message->Code == Constants::MSG_LABEL_CHANGE && text)
    label.OnSetString(VgConcatString(VgNewStringAnsi("Label: "), text->Value));
}

Widget::Widget() {
  WinID = 0x2000042;
  Add(StyleTitle(&title, {0, 20, 400, 80}, "Plain widget"), 0);
  Bounds = {0, 200, 400, 300};
}

void Probe::HandleMessage(Structures::Message* message) {
  if (!message) return;
  const std::string_view name = Constants::MessageCodeName(message->Code);
  std::printf("nonmenu root: message %.*s %d\n", int(name.size()), name.data(), message->Param);
}

void Root::Build() {
  // A picture in place of the television's, so that screenshots show the
  // screens as the viewer sees them.
  auto* backdrop = VgNew<Views::Image>();
  backdrop->OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::MainMenuBackground));
  backdrop->OnSetBounds({0, 0, 960, 540});
  Add(backdrop, 0);
  Agent::SetMessageDelivery(&Primitives::DeliverMessage);
  auto* store = VgNew<PersistentData::PersistentData>();
  store->Initialize(VgNewString(u"/mnt/nvram/APP_NVRAM.dat"));
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  model->OnSetPersistentData(store);
  // The auto objects live while something reachable holds them.
  VgLockObject(model);
  VgLockObject(MainApp::GetMessageAgent());
  VgLockObject(MainApp::GetWidgetManager());

  auto* probe = VgNew<Probe>();
  VgLockObject(probe);
  MainApp::GetMessageAgent()->Register(probe);

  auto* system = VgNew<NonMenuSystem::NonMenuSystem>();
  auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
  parameter->Parent = this;
  system->Initialize(parameter);
  system->Open();
  OnSetFocus(system);
  g_kept.system = system;
}

const GuiRootOps& Ops() { return kOps; }

std::string RunLine(const std::vector<ScenarioToken>& t, bool* known) {
  *known = true;
  NonMenuSystem::NonMenuSystem* system = g_kept.system;
  if (!system) return "the non-menu root has not started";
  const std::string& command = t[0].text;
  std::string failure;
  int64_t value = 0;
  if (command == "send") {
    int32_t code = 0;
    if (t.size() < 2 || t.size() > 3 || !MessageCode(t[1].text, &code) || (t.size() == 3 && !Number(t[2].text, &value)))
      return "send takes a message code and an optional value";
    auto* message = VgNew<Structures::Message>();
    message->Code = code;
    message->Param = int32_t(value);
    MainApp::GetMessageAgent()->Dispatch(message, nullptr);
  } else if (command == "open") {
    failure = Open(t);
  } else if (command == "confirm") {
    if (t.size() != 2 || !Number(t[1].text, &value)) return "confirm takes a type";
    system->ShowConfirmDialog(int32_t(value), Constants::MSG_FROM_NONMENUSYSTEM);
  } else if (command == "help") {
    if (t.size() < 2 || t.size() > 3 || !Number(t[1].text, &value)) return "help takes a mask and labels";
    system->UpdateHelp(int32_t(value), t.size() == 3 ? VgNewStringAnsi(t[2].text.c_str()) : nullptr);
  } else if (command == "circle") {
    if (t.size() != 2 || !Number(t[1].text, &value)) return "circle takes a mode";
    system->ShowWaitingCircle(int32_t(value), 1);
  } else if (command == "store") {
    if (t.size() != 3) return "store takes a key and a value";
    MainApp::GetWrapper()->OnGetPersistentData()->PutString(VgNewStringAnsi(t[1].text.c_str()),
                                                           VgNewStringAnsi(t[2].text.c_str()));
  } else {
    *known = false;
    return {};
  }
  // The set is settled and the GUI thread waits: what the line changed is
  // delivered and drawn here, as the thread's next turn would.
  VgProcessSignals();
  RequestRefresh();
  return failure;
}

}  // namespace TvuiNonMenu
