#include "nonmenu_root.h"

#include <algorithm>
#include <cstdio>

#include "AppServices/MessageAgent.h"
#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Constants/Constants.h"
#include "Fonts/Fonts.h"
#include "Graphics/RootCanvas.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "NonMenuSystem/WidgetClass.h"
#include "PersistentData/PersistentData.h"
#include "Primitives/KeyRoutingGroup.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Primitives/MessageDelivery.h"
#include "Structures/Boxes.h"
#include "Structures/Message.h"
#include "Views/Image.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"
#include "WidgetManager/Layers.h"
#include "vgdebug.h"
#include "vgslot.h"

namespace TvuiNonMenu {

// A window of the media family: the media layer, which a clear of the widgets spares.
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

bool MessageCode(const std::string& text, int32_t* code) {
  for (const Constants::Named& row : Constants::kMessageCodes) {
    if (row.name == text) {
      *code = row.value;
      return true;
    }
  }
  int64_t value = 0;
  if (!ScenarioNumber(text, INT32_MIN, INT32_MAX, &value)) return false;
  *code = int32_t(value);
  return true;
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

}  // namespace

MediaWindow::MediaWindow() {
  SubSystemClass = &NonMenuSystem::NonMenuSystem::Class;
  WinID = 0x12000034;
  Layer = Layers::Media;
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

namespace {

// The sub-system of a line; the set waits while a line runs, so what it
// changed is delivered and drawn here, as the GUI thread's next turn would.
NonMenuSystem::NonMenuSystem* System() { return g_kept.system; }

void Show() {
  VgProcessSignals();
  RequestRefresh();
}

bool MessageOf(const ScenarioTokens& t, int32_t* code, int64_t* value) {
  return t.size() >= 2 && t.size() <= 3 && MessageCode(t[1].text, code) &&
         (t.size() == 2 || ScenarioNumber(t[2].text, INT32_MIN, INT32_MAX, value));
}

std::string SendForm(const ScenarioTokens& t) {
  int32_t code = 0;
  int64_t value = 0;
  return MessageOf(t, &code, &value) ? std::string() : "send takes a message code and an optional value";
}

std::string SendLine(const ScenarioTokens& t) {
  int32_t code = 0;
  int64_t value = 0;
  if (!MessageOf(t, &code, &value)) return SendForm(t);
  auto* message = VgNew<Structures::Message>();
  message->Code = code;
  message->Param = int32_t(value);
  MainApp::GetMessageAgent()->Dispatch(message, nullptr);
  Show();
  return {};
}

// A line of one number: the confirmation's type, the circle's mode.
std::string OneNumberForm(const ScenarioTokens& t) {
  int64_t number = 0;
  if (t.size() != 2 || !ScenarioNumber(t[1].text, INT32_MIN, INT32_MAX, &number))
    return t[0].text + (t[0].text == "confirm" ? " takes a type" : " takes a mode");
  return {};
}

std::string ConfirmLine(const ScenarioTokens& t) {
  int64_t type = 0;
  if (std::string why = OneNumberForm(t); !why.empty()) return why;
  ScenarioNumber(t[1].text, INT32_MIN, INT32_MAX, &type);
  if (!System()) return "the non-menu root has not started";
  System()->ShowConfirmDialog(int32_t(type), Constants::MSG_FROM_NONMENUSYSTEM);
  Show();
  return {};
}

std::string HelpForm(const ScenarioTokens& t) {
  int64_t mask = 0;
  if (t.size() < 2 || t.size() > 3 || !ScenarioNumber(t[1].text, INT32_MIN, INT32_MAX, &mask))
    return "help takes a mask and labels";
  return {};
}

std::string HelpLine(const ScenarioTokens& t) {
  int64_t mask = 0;
  if (std::string why = HelpForm(t); !why.empty()) return why;
  ScenarioNumber(t[1].text, INT32_MIN, INT32_MAX, &mask);
  if (!System()) return "the non-menu root has not started";
  System()->UpdateHelp(int32_t(mask), t.size() == 3 ? VgNewStringAnsi(t[2].text.c_str()) : nullptr);
  Show();
  return {};
}

std::string CircleLine(const ScenarioTokens& t) {
  int64_t mode = 0;
  if (std::string why = OneNumberForm(t); !why.empty()) return why;
  ScenarioNumber(t[1].text, INT32_MIN, INT32_MAX, &mode);
  if (!System()) return "the non-menu root has not started";
  System()->ShowWaitingCircle(int32_t(mode), 1);
  Show();
  return {};
}

// A pair the settings store would refuse is refused as the scenario loads.
std::string StorablePair(const ScenarioTokens& t) { return ScenarioUnstorablePair(t); }

std::string StoreLine(const ScenarioTokens& t) {
  if (t.size() != 3) return "store takes a key and a value";
  std::string failure = ScenarioStorePairs(MainApp::GetWrapper()->OnGetPersistentData(), {t[1].text}, t[2].text);
  Show();
  return failure;
}

constexpr ScenarioCommand kCommands[] = {
    {"send", "MSG [VALUE]", "a message to every receiver (MSG_SHOW_MESSAGE or a number)", &SendLine, &SendForm},
    {"confirm", "TYPE", "the sub-system's confirmation of that type", &ConfirmLine, &OneNumberForm},
    {"help", "MASK [\"LABELS\"]", "the help bar", &HelpLine, &HelpForm},
    {"circle", "MODE", "the waiting circle", &CircleLine, &OneNumberForm},
    {"store", "KEY \"VALUE\"", "a settings-store value", &StoreLine, &StorablePair},
};
static_assert(std::ranges::all_of(kCommands, [](const ScenarioCommand& row) { return row.check != nullptr; }));

}  // namespace

std::span<const ScenarioCommand> Commands() { return kCommands; }

}  // namespace TvuiNonMenu
