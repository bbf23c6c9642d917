// A root for the scenarios of the non-menu screens: it hosts the non-menu
// sub-system with the settings store, the message agent and the widget
// manager around it, and gives scenarios lines to ask for its screens
// (--help lists them). Besides the unit's screens, open may name the root's
// own test screens: TvuiNonMenu::MediaWindow (a window of the media layer),
// TvuiNonMenu::LabelOwner (a dialog that shows the label the keyboard sends
// it) and TvuiNonMenu::Widget (a plain non-menu widget). A probe receiver
// prints every message it is given ("nonmenu root: message ...").
#pragma once

#include <span>

#include "Core/Root.h"
#include "gui_loop.h"
#include "scenario.h"

namespace TvuiNonMenu {

class Root : public Core::Root {
  VG_CLASS()

 public:
  explicit Root(XObject* link = nullptr) : Core::Root(link) {}

  // Starts the sub-system once the root has its screen.
  void Build();
};

// The loop's view of this root.
const GuiRootOps& Ops();

// The root's own scenario lines.
std::span<const ScenarioCommand> Commands();

}  // namespace TvuiNonMenu
