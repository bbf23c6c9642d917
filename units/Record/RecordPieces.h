// What the recording screens share beyond the timer rules (TimerRules.h):
// the texts of a show panel (rating, time span), the banner of the input and
// channel on air, the headings over a list's columns, the volume and mute
// feedback of the list screens, the play state of a playback (its icon, its
// rate text and the step of the fast keys), the paths and sizes of
// recordings on a USB medium, and how a screen leaves when that medium is
// taken out.
//
//   rating.OnSetString(Record::UsRatingLine(rating));         // "TV-PG-D-L PG-13"
//   span.OnSetString(Record::TimeSpanText(start, 90));        // "11:30PM - 01:00AM"
//   Record::FastStep step = Record::NextFastStep(state, rate, Record::FastDirection::Forward);
//   if (Record::IsMediumRemoval(event, medium)) Record::ExitByDeviceRemoved(this, true);
//   Record::PlaceHeadings(headings, columns, {listLeft, top, listRight, bottom});
#pragma once

#include <cstdint>
#include <span>

#include "vgrect.h"
#include "vgstring.h"

struct VgConstant;

namespace Core {
class Event;
class Group;
class KeyEvent;
class Timer;
}  // namespace Core
namespace NonMenuSystem {
class WidgetClass;
}
namespace Structures {
class LocalTime;
}
namespace Views {
class Frame;
class Image;
class Text;
}  // namespace Views

namespace Record {

// ------------------------------------------------------------ show panels

// A US rating word as the panels show it: the TV rating's name, "-FV" alone
// when fantasy violence is marked, else "-D", "-L", "-S", "-V" for each
// letter set, then a blank and the movie rating's name (which replaces a TV
// part reading "None"). Empty for 0.
VgString UsRatingLine(uint32_t rating);

// "11:30PM - 01:00AM": a start's hour and minute and the end so many minutes
// on, wrapped once past midnight. Empty without a start.
VgString TimeSpanText(const Structures::LocalTime* start, int32_t minutes);

// "Wed, Jun 9, 07:30PM": the clock of the screens' banners. Null without a
// time.
VgString ClockText(const Structures::LocalTime* time);

// The input image of a source type is ListForm::RecordTexts::SourceIcon,
// where the lists reach it too.

// --------------------------------------------------------------- banner

// The views of the banner along the top of a recording list screen: the
// input (its frame, image and text), the channel on air (a frame behind the
// logo, number and name) and the clock in a frame of its own, with the volume
// text centred in the gap between channel and clock. The screen owns them.
struct BannerViews {
  Views::Frame& inputFrame;
  Views::Image& inputImage;
  Views::Text& inputText;
  Views::Frame& channelFrame;
  Views::Image& logo;
  Views::Text& number;
  Views::Text& name;
  Views::Frame& clockFrame;
  Views::Text& clock;
  Views::Text& volume;
};

// Adds the banner's three frames to the screen, in the frame bitmap of the
// banners, at the banner's top and bottom; ShowBanner places them.
void AddBannerFrames(Core::Group& screen, const BannerViews& banner, int32_t top, int32_t bottom);
// The input on air: its image and label (the user's, else the built-in
// name); a tuner input adds " - ANT" or " - CABLE" and its channel part
// (ShowBannerChannel), any other input hides the channel part. Then the clock.
void ShowBanner(const BannerViews& banner);
// The channel part alone, for the channel on air.
void ShowBannerChannel(const BannerViews& banner);

// -------------------------------------------------------------- headings

// A list screen's column headings, their texts and font set, over the
// list's columns: each from its column's left edge (columns, from the
// list's left edge, band.x1), or, where the heading before it runs on past
// that in the menu language, two spaces after that one's text, so that no
// two read as one. Each reaches to
// where the next begins, the last to band.x2, from band.y1 to band.y2.
void PlaceHeadings(std::span<Views::Text> headings, std::span<const int32_t> columns, VgRect band);

// -------------------------------------------------------- volume and mute

// Keys 46 and 47 step the set's volume by one while it lies within 1-99 and
// show "Volume: N"; key 84 toggles mute, showing "Mute" while muted. The
// text hides when the timer (2000 ms, one shot; SetUpVolumeTimer) fires and
// the screen's slot calls ClearVolume. True when the key was one of them.
void SetUpVolumeTimer(Core::Timer& timer);
bool VolumeKey(uint16_t keyCode, Views::Text& text, Core::Timer& timer);
void ClearVolume(Views::Text& text, Core::Timer& timer);

// ------------------------------------------------------------ play state

// Play states: 0 stop, 1 pause, 2 play, 3 and 4 forward, 5 and 6 backward
// (4 and 6 slow).
inline constexpr int32_t PlayStop = 0;
inline constexpr int32_t PlayPause = 1;
inline constexpr int32_t PlayPlay = 2;
inline constexpr int32_t PlayForward = 3;
inline constexpr int32_t PlayBackward = 5;

// The icon of a state; null for 7 and above, which keep the icon shown.
const VgConstant* PlayStateIcon(int32_t state);
// "x2" to "x256" for the fast-play steps 2-9, "x1/2" to "x1/256" in the slow
// states; null outside 2-9 (the text hides).
VgString RateText(int32_t state, int32_t rate);

// Each press of a fast key starts that direction at step 2, then steps on,
// 9 wrapping round to 1.
enum class FastDirection : uint8_t { Forward, Backward };
struct FastStep {
  int32_t state = PlayPlay;
  int32_t rate = 1;
};
FastStep NextFastStep(int32_t state, int32_t rate, FastDirection direction);

// "hh:mm:ss" of seconds, each part at least two digits.
VgString PlayTimeFormat(int32_t seconds);

// ------------------------------------------------------- USB recordings

// "/mnt/removable/" and the first of "usba" to "usbd" that the medium's
// mount string holds, "usba" when none.
VgString GetUsbPath(VgString medium);
// "File Size: 1,234,567KB" for the size word of a file (top two bits the
// unit: bytes, KB, MB; the number below), as the model reads it at a path.
VgString FileSizeText(int32_t sizeWord);
VgString ShowFileSize(VgString path);
// Whether a recording's file name may be deleted below its medium's folder:
// a name without a separator that is not "." or "..". The index file beside
// it exists only for a name ending in "." and three characters;
// IndexFileName gives its name (null for other names).
bool IsPlainFileName(VgString name);
VgString IndexFileName(VgString name);
// Deletes a recording's file and its index file, when its name has one,
// from the folder of its medium; a name that is not plain deletes nothing
// (logged). The number of files deleted.
int32_t DeleteRecordingFiles(VgString folder, VgString name);

// Whether an event tells that the medium of the recordings went: a playback
// status with the device flag, or the media library's removal of a device
// whose name (ConvertRemovableCode) the medium's mount string holds.
bool IsMediumRemoval(Core::Event* event, VgString medium);
// Whether the event is one that a screen playing from the disk follows
// under any screen with the keys: the playback's status, the removal of a
// device, standby.
bool ConcernsThePlayback(Core::Event* event);
// A new key-down event of a code, for a message that stands for a key.
Core::KeyEvent* PressedKey(uint16_t code);
// Stops the playback (unless told not to), closes the screen, returns to
// the source before, closes every screen and shows that the device is gone;
// a screen with the keys that shows nothing of the device (MediumShown) and
// answers none that does (a timer being set over the recordings) stays,
// with what is under it (NonMenuSystem::ClearsWithADevice).
void ExitByDeviceRemoved(NonMenuSystem::WidgetClass* screen, bool stopPlayback);

// The screens of the USB recording disk itself (its status, format and
// speed test, the time-shift banner, the recording history) note the disk's
// mount as they open (DiskMount: null when none is in) and leave with it as
// the recordings' screens do, under any screen with the keys: a screen
// opened without a disk never leaves so (Record::OnTheDisk).
VgString DiskMount();
bool IsDiskRemoval(Core::Event* event, VgString disk);
// Whether the event may tell that a disk went out (the media library's
// device news, a playback's status), for FollowsTheWorld.
bool MayTellOfADisk(Core::Event* event);
// Closes the screen, closes every screen (or, as above, the screen alone)
// and shows that the device is gone.
void LeaveWithTheDisk(NonMenuSystem::WidgetClass* screen);

}  // namespace Record
