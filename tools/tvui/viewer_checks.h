// What a viewer would notice on the screen, checked by the walk after every
// line and by expect cleared after the viewer's way out. Each check reads the
// GUI's objects while every thread of the set waits, and returns what is
// wrong, empty when nothing is.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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
// own line when it told one and has not taken it back, by the runner's own
// account of the lines told (NonMenuSystem::HelpLineWatcher), so a line the
// help bar forgets is missed.
std::string KeysOnTop();

// Around a line that moves the set (a key, an event of the set, the clock,
// an open line): no screen that opened in it, whatever opened it (the key,
// the work it left, an event, a time-out), lies under a screen that was open
// before the line and has the keys after it, where the viewer would not see
// it or could not reach it. A screen that says it waits under the keys (the
// 3D question, a question the set asks of its own accord) may.
void NoteScreensBeforeTheLine();
std::string OpenedUnderTheKeys();

// What the line before the check was, as the list check tells lines apart.
enum class LineKind {
  Key,    // a key pressed, held or let go
  World,  // an event of the set, the clock, a disk in or out
  Open,   // the runner opened a screen, as a new one
};

// The keys the set took in a line: the GUI key codes of the key presses the
// root handed on to the screens, as they saw them, since the line began. A
// key sent in one line may reach the screens in a later one (the front
// panel's MENU holds the key after it back for 100 ms): a line is judged by
// these, not by the keys it names.
void NoteKeysBeforeTheLine();
std::vector<uint16_t> KeysTakenInTheLine();

// A list keeps the entry the viewer chose. When a screen with a list gets the
// keys back (the screen it opened went, or took it with it and opened it
// again on the way back), each list on view in it focuses the entry it had
// when the screen lost the keys, unless that entry is gone, a key of the
// line moves that list (a pop-up hands on a key it does not use) or the
// list says it was read afresh since (ListBase::ReadAfreshAt, StartsAfresh: its screen's
// rules put the focus on its first or last entry again); a screen that a
// screen it opened named an entry to go back to (the playback's next show)
// focuses that one. Through a line that is no key, a screen that kept the
// keys keeps its lists' entries alike. Run after every line that moves the
// set, with the keys the set took in it (KeysTakenInTheLine).
std::string ListsKeepTheirEntries(LineKind line, const std::vector<uint16_t>& keys);
// Within a line: notes the entries that such screens (a player) name by now,
// for a line that may move them on and back at once (a long advance).
// Whether one is listed.
bool FollowTheMovers();

// Around each key: a keyboard, a PIN pad or a digit editor (an address's
// octets not saved, a number being typed, a menu row's cells) that holds
// typed text and has the keys (or lies under a passing notice that has
// them), or a screen that holds one, as the screen itself tells
// (Forms::Ctrl::TypedInto), leaves only by its own keys (OK or Done, BACK or
// LAST, EXIT, CLEAR or the service remote's reset, a digit that completes a
// PIN), by MENU when it is a page of the menus, by the service mode's
// combination, or with the set going to standby. On any other key it stays,
// and keeps the keys or lies under a passing notice that took them: no
// screen opens over it. It keeps its text too, but where the key edits it
// (an arrow, the decimal point) and where a bar that a volume key or MUTE
// brings up over a page of the menus ends the edit of its row. CODE is the
// hardware key code, told before the key, as the front panel's keys reach
// the screens as the application's root turns them then.
void NoteTypedTextBeforeTheKey(uint32_t code);
std::string TypedTextKept(const std::string& keyName);

// After a device goes out and the set's clock has moved on (its news
// delivered), no screen of that device stays listed. A screen of the USB
// disk is one that shows what the disk holds: a media window or the
// background-music list of a medium mounted on the disk (the window's own
// medium, else the media bridge's open one), the recording library,
// its play options and a recording playing full screen, of the disk's
// mount, and the screens of the disk itself opened while it was in: its
// status, the format and speed-test questions and progress, the time-shift
// banner and the recording history. Whoever has the keys when it goes (a
// notice, the quick menu, the input list, a modal screen over it) makes no
// difference.
std::string NoScreenOfAGoneDevice();

// After EXIT, CLEAR and a minute: nothing is listed but the screens that by
// their own definition neither time out nor leave with a clear, and the
// screens that a drawn one of them covers, which it goes back to; the
// service mode's indicator is on view exactly while the mode is on.
std::string ClearedAfterWayOut();
