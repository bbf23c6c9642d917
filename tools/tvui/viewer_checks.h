// What a viewer would notice on the screen, checked by the walk after every
// line and by expect cleared after the viewer's way out. Each check reads the
// GUI's objects while every thread of the set waits, and returns what is
// wrong, empty when nothing is.
#pragma once

#include <string>

namespace Core {
class View;
}

// Whether a view is drawn: it and every group above it up to the root are
// visible.
bool OnView(Core::View* view);

// While a screen that takes keys is drawn, the keys reach a drawn screen, not
// a sub-system left with nothing on view.
std::string KeysReachTheScreen();

// The screen on top that takes keys has them, whether or not it overlaps the
// screen that has them: of the screens that take keys and that none such is
// drawn over where they overlap, the one opened last; a passing notice that
// nothing covers may have them instead. A help line is drawn only while the
// screen whose keys it tells has them, and the screen with the keys shows its
// own line when it has one.
std::string KeysOnTop();

// Around a key: no screen that the key opened lies under a screen that was
// open before the key and has the keys after it, where the viewer would not
// see it or could not reach it.
void NoteScreensBeforeTheKey();
std::string OpenedUnderTheKeys();

// After EXIT, CLEAR and a minute: nothing is listed but the screens that by
// their own definition neither time out nor leave with a clear, and the
// screens that a drawn one of them covers, which it goes back to; the
// service mode's indicator is on view exactly while the mode is on.
std::string ClearedAfterWayOut();
