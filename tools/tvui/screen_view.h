// What the screen shows, as a scenario checks it: the texts of visible text
// views, the focused control and the screen it belongs to. The runner reads
// the GUI's objects only while every thread of the set waits.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vgobject.h"
#include "vgstring.h"

namespace Core {
class View;
}

// The string in UTF-8, as scenarios are written and the runner prints texts;
// empty for none.
std::string Utf8Text(VgString text);
// The strings of the visible text views at and below the view, in drawing
// order, each as Utf8Text gives it.
std::vector<std::string> VisibleTexts(Core::View* view);
// Whether one of them holds the text.
bool ShowsText(Core::View* view, const std::string& text);
// Whether a visible text view below the root shows the text (as part of its
// string). Roots without views show nothing.
bool RootShowsText(XObject* root, const std::string& text);

// The end of the focus path: from the form holding the keyboard, else the
// newest modal form, else the root, down each group's focused child.
Core::View* FocusedView(XObject* root);
// The window id of the innermost screen around the view (itself included),
// 0 when it lies in none.
int32_t ScreenIdOf(Core::View* view);
// "Button::TextButton "Yes" in screen 0x4000001": for failure messages. A
// screen without a window id is named by its class ("in screen
// MenuSystem::BrcmSettingsMenu"); "in no screen" when none holds the view.
std::string DescribeView(Core::View* view);
