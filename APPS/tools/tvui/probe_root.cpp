#include "probe_root.h"

#include "Events/MiddlewareEvent.h"
#include "Events/XPM_EVENT_FACTORY_COMMAND.h"
#include "Events/XPM_EVENT_KEY.h"
#include "Fonts/Fonts.h"
#include "Graphics/RootCanvas.h"
#include "Resources/Font.h"
#include "Views/Rectangle.h"
#include "vgdebug.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(TvuiProbe, Root, Core::Root)

namespace TvuiProbe {
namespace {

constexpr size_t kHistory = 4;

std::string Ansi(VgString text) {
  if (!text) return {};
  char line[256];
  VgStringToAnsi(text, line, sizeof line, '?');
  return line;
}

Views::Text* MakeText(Core::Root* root, VgRect bounds, const VgConstant& font) {
  auto* text = VgNew<Views::Text>();
  text->OnSetBounds(bounds);
  text->OnSetFont(static_cast<Resources::Font*>(VgLoadResource(&font, &Resources::Font::Class)));
  text->OnSetColor(VgColor{255, 255, 255, 255});
  root->Add(text, 0);
  return text;
}

Root* AsProbe(XObject* root) { return static_cast<Root*>(root); }

const GuiRootOps kOps{
    &Root::Class,
    [](XObject* root, int32_t width, int32_t height) {
      CoreRoot__Initialize(AsProbe(root), width, height);
      AsProbe(root)->Build();
    },
    [](XObject* root, XObject* event) {
      return CoreGroup__DispatchEvent(AsProbe(root), static_cast<Core::Event*>(event));
    },
    [](XObject* root) { return CoreRoot_Update(AsProbe(root)); },
    [](XObject* root) -> GenBitmap* {
      Graphics::RootCanvas* canvas = AsProbe(root)->rootCanvas;
      return canvas ? canvas->EngineBitmap() : nullptr;
    },
    [](XObject* root) { return AsProbe(root)->received > 0 ? 1 : 0; },
    [](XObject*) { return 0; },
    [](XObject* root, int32_t state) {
      AsProbe(root)->tv101State = state;
      return 0;
    },
};

}  // namespace

void Root::Build() {
  // A panel under the texts, so that they read on a screenshot's transparent plane too.
  auto* panel = VgNew<Views::Rectangle>();
  panel->OnSetBounds(VgRect{40, 180, 920, 320});
  panel->OnSetColor(VgColor{16, 32, 64, 224});
  Add(panel, 0);
  latest = MakeText(this, VgRect{60, 200, 900, 250}, Fonts::ExtraLargeFont);
  history = MakeText(this, VgRect{60, 260, 900, 300}, Fonts::MediumFont);
}

std::atomic<bool> Root::panicOnNextEvent{false};

XObject* Root::HandleEvent(Core::Event* event) {
  if (panicOnNextEvent.exchange(false)) VgPanicAnsi("The probe root was told to fail on this event.");
  std::string item;
  if (auto* key = vg_cast<Events::XPM_EVENT_KEY>(event)) {
    item = "key " + std::to_string(key->keyCode) + (key->frontPanel ? " fp" : "");
  } else if (auto* command = vg_cast<Events::XPM_EVENT_FACTORY_COMMAND>(event)) {
    item = "factory " + Ansi(command->text);
  } else if (auto* middleware = vg_cast<Events::MiddlewareEvent>(event)) {
    item = "event " + std::to_string(middleware->event);
  } else {
    return nullptr;
  }
  ++received;
  items.push_back(item);
  if (items.size() > kHistory) items.pop_front();
  std::string joined;
  for (const std::string& i : items) joined += (joined.empty() ? "" : ", ") + i;
  if (latest) latest->OnSetString(VgNewStringAnsi(item.c_str()));
  if (history) history->OnSetString(VgNewStringAnsi(joined.c_str()));
  return this;
}

const GuiRootOps& Ops() { return kOps; }

}  // namespace TvuiProbe

namespace {

bool ViewShowsText(Core::View* view, const std::string& text) {
  if (!view || !view->Visible) return false;
  if (auto* label = vg_cast<Views::Text>(view)) {
    if (TvuiProbe::Ansi(label->String).find(text) != std::string::npos) return true;
  }
  if (auto* group = vg_cast<Core::Group>(view)) {
    for (Core::View* child = group->firstView; child; child = child->nextView)
      if (ViewShowsText(child, text)) return true;
  }
  return false;
}

}  // namespace

bool RootShowsText(XObject* root, const std::string& text) {
  return ViewShowsText(vg_cast<Core::View>(root), text);
}
