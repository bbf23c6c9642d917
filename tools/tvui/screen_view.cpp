#include "screen_view.h"

#include <cstdio>

#include "Core/Root.h"
#include "Forms/Form.h"
#include "Primitives/KeyRoutingForm.h"
#include "Views/Text.h"
#include "vgstring.h"

namespace {

void CollectTexts(Core::View* view, std::vector<std::string>* texts) {
  if (!view || !view->Visible) return;
  if (auto* label = vg_cast<Views::Text>(view)) texts->push_back(Utf8Text(label->String));
  if (auto* group = vg_cast<Core::Group>(view))
    for (Core::View* child = group->firstView; child; child = child->nextView) CollectTexts(child, texts);
}

}  // namespace

std::string Utf8Text(VgString text) { return text ? VgStringToUtf8(text) : std::string(); }

std::vector<std::string> VisibleTexts(Core::View* view) {
  std::vector<std::string> texts;
  CollectTexts(view, &texts);
  return texts;
}

bool ShowsText(Core::View* view, const std::string& text) {
  for (const std::string& shown : VisibleTexts(view))
    if (shown.find(text) != std::string::npos) return true;
  return false;
}

bool RootShowsText(XObject* root, const std::string& text) { return ShowsText(vg_cast<Core::View>(root), text); }

Core::View* FocusedView(XObject* rootObject) {
  auto* root = vg_cast<Core::Root>(rootObject);
  if (!root) return vg_cast<Core::View>(rootObject);
  Core::View* view = root;
  if (root->keyboardForm) {
    view = root->keyboardForm;
  } else if (root->modalTop) {
    view = root->modalTop;
  }
  while (auto* group = vg_cast<Core::Group>(view)) {
    if (!group->Focus) break;
    view = group->Focus;
  }
  return view;
}

int32_t ScreenIdOf(Core::View* view) {
  for (; view; view = view->owner) {
    auto* screen = vg_cast<Primitives::KeyRoutingForm>(view);
    if (screen && screen->WinID != 0) return screen->WinID;
  }
  return 0;
}

std::string DescribeView(Core::View* view) {
  if (!view) return "nothing";
  std::string description = VgClassOf(view)->name;
  const std::vector<std::string> texts = VisibleTexts(view);
  for (size_t i = 0; i < texts.size() && i < 4; ++i) description += " \"" + texts[i] + "\"";
  if (texts.size() > 4) description += " ...";
  if (const int32_t id = ScreenIdOf(view)) {
    char screen[48];
    std::snprintf(screen, sizeof screen, " in screen 0x%X", unsigned(id));
    return description + screen;
  }
  // A page that opens beside another screen (the main menu's pages) may
  // have no window id of its own: its class tells it.
  for (Core::View* owner = view; owner; owner = owner->owner)
    if (vg_cast<Primitives::KeyRoutingForm>(owner))
      return description + " in screen " + VgClassOf(owner)->name;
  return description + " in no screen";
}
