// A root for the scenarios of the non-menu screens: it hosts the non-menu
// sub-system with the settings store, the message agent and the widget
// manager around it, and gives scenarios lines to ask for its screens.
//
//   send MSG [VALUE]                 a message to every receiver (MSG_SHOW_MESSAGE
//                                    or a number)
//   open CLASS [value N] [origin menu|quick|nonmenu] [flag] [text "..."]
//                                    the sub-system opens the screen
//   confirm TYPE                     the sub-system's confirmation of that type
//   help MASK ["LABELS"]             the help bar
//   circle MODE                      the waiting circle
//   store KEY "VALUE"                a settings-store value
//
// Besides the unit's screens, CLASS may name the root's own test screens:
// TvuiNonMenu::MediaWindow (a window of layer 1), TvuiNonMenu::LabelOwner
// (a dialog that shows the label the keyboard sends it) and
// TvuiNonMenu::Widget (a plain non-menu widget). A probe receiver prints
// every message it is given ("nonmenu root: message ...").
#pragma once

#include <string>
#include <vector>

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

// Runs one of the lines above; sets known to false for any other line.
std::string RunLine(const std::vector<ScenarioToken>& tokens, bool* known);

}  // namespace TvuiNonMenu
