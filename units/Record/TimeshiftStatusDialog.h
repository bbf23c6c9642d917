// Record::TimeshiftStatusDialog: the banner of time-shifted live television:
// the channel and the programme on air, a clock, the input and stream
// attributes, and the time-shift buffer as a timeline with the play position
// marked on it. The transport keys go to the model's time-shift control; the
// banner reads the buffer once a second and closes 5000 ms after the last
// key. The buffer lives on the USB disk: the banner leaves with the disk,
// and says so, whoever has the keys (OnTheDisk).
#pragma once

#include <cstdint>

#include "Core/Keys.h"
#include "Core/Timer.h"
#include "NonMenuSystem/QORWidgetClass.h"
#include "Record/OnTheDisk.h"
#include "SkinBin/ProgressQOR.h"
#include "Views/Image.h"
#include "Views/Line.h"
#include "Views/Text.h"

struct VgConstant;

namespace Structures {
class EventInfo;
class LocalTime;
}  // namespace Structures

namespace Record {

// ------------------------------------------------------------------ rules

// The buffer's longest span for the time-shift duration setting 0-4; any
// other setting counts as the shortest, so the span is never 0.
int32_t TimeshiftSpan(int32_t durationSetting);

// What the timeline shows of a buffer: buffered seconds beyond the span are
// cut from its start (the position moves back with them, down to 0), and the
// marker stands 12 pixels on from its share of the bar, but never beyond the
// bar's right edge.
struct Timeline {
  int32_t buffered = 0;
  int32_t position = 0;
  int32_t markerX = 0;  // from the bar's left edge
};
Timeline PlaceTimeline(int32_t buffered, int32_t position, int32_t span, int32_t barWidth);

// The action of the model's time-shift control each transport key sends.
struct TimeshiftKey {
  uint16_t key;
  int32_t action;
};
inline constexpr TimeshiftKey kTimeshiftKeys[] = {
    {Key::Blue, 7},  {Key::Yellow, 6}, {Key::PageUp, 5}, {Key::PageDown, 4},
    {Key::Play, 0},  {Key::Pause, 1},  {Key::Rewind, 3}, {Key::FastForward, 2},
};

// The attribute icons: the audio mode's, the definition and line count of a
// picture height, and the live state's; null for none.
const VgConstant* AudioModeIcon(int32_t mode);
struct PictureIcons {
  const VgConstant* definition;
  const VgConstant* lines;
};
PictureIcons PictureHeightIcons(int32_t height);
const VgConstant* LiveStateIcon(int32_t state);
// Stream attributes show only for the two antenna inputs, acquired with
// state 0, 4 or 5.
bool ShowsStreamAttributes(int32_t sourceType, int32_t acquired);
// The rating line of a channel: the US part (UsRatingLine), then the
// Canadian rating's name when the model has one.
VgString ChannelRatingLine(uint32_t usRating, int32_t canRating);

// ----------------------------------------------------------------- banner

class TimeshiftStatusDialog : public OnTheDisk<NonMenuSystem::QORWidgetClass> {
  VG_CLASS()

 public:
  explicit TimeshiftStatusDialog(XObject* link = nullptr);

  static constexpr int32_t TimeOut = 5000;
  static constexpr int32_t PollMs = 1000;
  static constexpr int32_t BarWidth = 640;

  // Overridden slots.
  XObject* HandleEvent(Core::Event* event) override;
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Refresh(XObject* sender = nullptr) override;

  void LoadSettings();
  void UpdateBanner();
  void HideAllInfo();
  // Reads the buffer and moves the timeline; the status timer's slot.
  void StatusCheckSlot(XObject* sender = nullptr);
  void OnSetPlayState(int32_t value);
  int32_t OnGetPlayState() const { return PlayState; }
  void OnSetPlayRate(int32_t value);
  int32_t OnGetPlayRate() const { return PlayRate; }

  int32_t PlayState = 2;
  // No rate until the first is set, so a first rate of 2 shows "x2".
  int32_t PlayRate = 0;
  int32_t MaxBuffer = 300;  // seconds, also the timeline's span
  VgPtr<Structures::LocalTime> Now;
  VgPtr<Structures::LocalTime> BufferStart;
  bool ProgramPresent = true;
  VgPtr<Structures::EventInfo> Programme;
  Core::Timer statusTimer{this};

  Views::Text clock{this};
  Views::Image logo{this};
  Views::Text channelNumber{this};
  Views::Text channelName{this};
  Views::Text title{this};
  Views::Text programmeTime{this};
  Views::Image inputIcon{this};
  Views::Image dolbyIcon{this};
  Views::Image audioIcon{this};
  Views::Image definitionIcon{this};
  Views::Image linesIcon{this};
  Views::Image captionIcon{this};
  Views::Text ratingText{this};
  Views::Image liveIcon{this};
  SkinBin::ProgressQOR bufferBar{this};
  SkinBin::ProgressQOR positionBar{this};
  Views::Text startText{this};
  Views::Text endText{this};
  Views::Line marker{this};
  Views::Text markerText{this};
  Views::Image stateImage{this};
  Views::Text rateText{this};

 private:
  void LoadProgramme();
  void LayOutAttributes();
};

}  // namespace Record
