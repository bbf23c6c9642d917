#include "Record/TimeshiftStatusDialog.h"

#include <algorithm>
#include <iterator>

#include "AppServices/EventAgent.h"
#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/Look.h"
#include "Record/RecordPieces.h"
#include "Record/TimerRules.h"
#include "Resources/Bitmap.h"
#include "SkinBin/ChannelData.h"
#include "SkinBin/RecordData.h"
#include "Strings.h"
#include "Structures/Channels.h"
#include "Structures/Devices.h"
#include "Structures/LocalTime.h"
#include "WinIDs/WinIDs.h"
#include "vgslot.h"

VG_DEFINE_CLASS(Record, TimeshiftStatusDialog, NonMenuSystem::QORWidgetClass)

namespace Record {

namespace {

namespace Look = NonMenuSystem::Look;

// Seconds of buffer each time-shift duration setting allows.
constexpr int32_t kSpans[] = {300, 1800, 3600, 7200, 14400};
constexpr int32_t kMarkerOffset = 12;

// Inclusive ranges of a value and the icon each shows.
struct IconRange {
  int32_t low;
  int32_t high;
  const VgConstant* icon;
};
constexpr IconRange kAudioModes[] = {
    {1, 1, &Bitmaps::BannerMono},
    {2, 4, &Bitmaps::BannerStereo},
    {5, 8, &Bitmaps::BannerMultiAudio},
};
constexpr int32_t kDolbyDigitalFormat = 3;
constexpr IconRange kLiveStates[] = {
    {Constants::XPM_TV_STATE_RECORDING_LIVE_TV, Constants::XPM_TV_STATE_RECORDING_LIVE_TV, &Bitmaps::BannerRecord},
    {Constants::XPM_TV_STATE_PAUSE_LIVE_TV, Constants::XPM_TV_STATE_PAUSE_LIVE_TV, &Bitmaps::BannerTimeshift},
};
struct HeightIcons {
  int32_t highest;
  PictureIcons icons;
};
constexpr HeightIcons kPictureHeights[] = {
    {600, {&Bitmaps::BannerSD, &Bitmaps::Banner480}},
    {800, {&Bitmaps::BannerHD, &Bitmaps::Banner720}},
    {INT32_MAX, {&Bitmaps::BannerHD, &Bitmaps::Banner1080}},
};
constexpr int32_t kAttributeSources[] = {1, 12};  // the two antenna inputs
constexpr int32_t kAttributeAcquired[] = {0, 4, 5};
constexpr int32_t kLastCanadianIndex = 10;

const VgConstant* IconIn(const IconRange* begin, const IconRange* end, int32_t value) {
  for (const IconRange* row = begin; row != end; ++row)
    if (value >= row->low && value <= row->high) return row->icon;
  return nullptr;
}

template <size_t N>
bool Contains(const int32_t (&values)[N], int32_t value) {
  return std::find(std::begin(values), std::end(values), value) != std::end(values);
}

VgString Ansi(const char* text) { return VgNewStringAnsi(text); }

VgString TimeOf(const Structures::LocalTime* time) { return TimeText(time ? time->Hour : 0, time ? time->Minute : 0); }

// The layout: rows from the top, the timeline's bar and its texts, all
// inside the frame's panel, whose edge lies 12 pixels in from the frame's
// and rounds its corners 14 pixels wide. The texts begin 14 pixels in from
// the banner's side: the frame reaches past both sides by kFrameOut, so that
// its side lines stand clear of them (what it loses there is the faintest
// of its shadow).
constexpr int32_t kWidth = 880;
constexpr int32_t kHeight = 150;
constexpr int32_t kEdge = 14;
constexpr int32_t kFrameOut = 4;
// The clock's right edge keeps clear of the rounded corner above it.
constexpr int32_t kClockRight = kWidth - 24;
constexpr int32_t kTopRow = 18;
constexpr int32_t kRowHeight = 26;
constexpr int32_t kSecondRow = 46;
// The play state's picture, above the rounded corner below it.
constexpr VgRect kState{kEdge + 4, kHeight - 44, kEdge + 31, kHeight - 17};
constexpr int32_t kBarLeft = 120;
constexpr int32_t kBarTop = 86;
constexpr int32_t kBarHeight = 12;
constexpr int32_t kLogoWidth = 36;
constexpr int32_t kLogoGap = 2;
constexpr int32_t kGap = 10;

void StyleText(Views::Text& text, const VgConstant& font, bool autoSize = true) {
  text.OnSetFont(VgLoad<Resources::Font>(font));
  text.OnSetColor(Look::Text);
  text.OnSetAlignV(Views::Text::AlignMiddle);
  text.OnSetAutoSize(autoSize);
}

void ShowIcon(Views::Image& image, const VgConstant* icon) {
  image.OnSetBitmap(icon ? VgLoad<Resources::Bitmap>(*icon) : nullptr);
  image.OnSetVisible(icon != nullptr);
}

}  // namespace

// ------------------------------------------------------------------ rules

int32_t TimeshiftSpan(int32_t durationSetting) {
  if (durationSetting < 0 || durationSetting >= int32_t(std::size(kSpans))) return kSpans[0];
  return kSpans[durationSetting];
}

Timeline PlaceTimeline(int32_t buffered, int32_t position, int32_t span, int32_t barWidth) {
  Timeline line{.buffered = std::max(buffered, 0), .position = position};
  if (span < 1) span = kSpans[0];
  if (line.buffered > span) {
    line.position -= line.buffered - span;
    line.buffered = span;
  }
  line.position = std::clamp(line.position, 0, line.buffered);
  const int64_t share = int64_t(barWidth) * line.position / span;
  line.markerX = int32_t(std::min<int64_t>(share + kMarkerOffset, barWidth));
  return line;
}

const VgConstant* AudioModeIcon(int32_t mode) { return IconIn(std::begin(kAudioModes), std::end(kAudioModes), mode); }

PictureIcons PictureHeightIcons(int32_t height) {
  for (const HeightIcons& row : kPictureHeights)
    if (height <= row.highest) return row.icons;
  return kPictureHeights[std::size(kPictureHeights) - 1].icons;
}

const VgConstant* LiveStateIcon(int32_t state) { return IconIn(std::begin(kLiveStates), std::end(kLiveStates), state); }

bool ShowsStreamAttributes(int32_t sourceType, int32_t acquired) {
  return Contains(kAttributeSources, sourceType) && Contains(kAttributeAcquired, acquired);
}

// The model names no Canadian rating yet: such a rating adds nothing, not
// even the blank before it.
VgString ChannelRatingLine(uint32_t usRating, int32_t canRating) {
  VgString text = UsRatingLine(usRating);
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  if (canRating == 0 || model->GetCanRatingIndex(canRating) > kLastCanadianIndex) return text;
  VgString name = model->GetCanRatingName();
  if (!name || VgGetStringLength(name) == 0) return text;
  if (VgCompString(text, VgGetVariantOfString(&Strings::SID_NONE)) == 0) text = Ansi("");
  if (VgGetStringLength(text) > 0) text = VgConcatString(text, Ansi(" "));
  return VgConcatString(text, name);
}

// ----------------------------------------------------------------- banner

TimeshiftStatusDialog::TimeshiftStatusDialog(XObject* link) : OnTheDisk(link) {
  WinID = WinIDs::WIN_ID_TimeshiftStatusDialog;
  OnSetHasCaption(false);
  OnSetFrameWidth(0);
  OnSetTimeOutValue(TimeOut);
  OnSetBounds({0, 372, kWidth, 372 + kHeight});
  WidgetOrigin = {(960 - kWidth) / 2, 372};

  StyleText(clock, Fonts::MediumFont);
  StyleText(channelNumber, Fonts::BannerBasicInfo);
  StyleText(channelName, Fonts::BannerBasicInfo);
  StyleText(title, Fonts::MediumFont, false);
  title.OnSetEllipsis(true);
  StyleText(programmeTime, Fonts::SmallFont);
  StyleText(ratingText, Fonts::BannerBasicInfo);
  StyleText(startText, Fonts::SmallFont);
  StyleText(endText, Fonts::SmallFont);
  StyleText(markerText, Fonts::SmallFont);
  StyleText(rateText, Fonts::MediumFont);
  logo.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::ChannelLogoBig_12));
  logo.OnSetFrameNumber(2);
  logo.OnSetBounds({kEdge, kTopRow, kEdge + kLogoWidth, kTopRow + kRowHeight});
  for (Views::Text* text : {&clock, &channelNumber, &channelName, &title})
    text->OnSetBounds({kEdge, kTopRow, kEdge + 10, kTopRow + kRowHeight});
  programmeTime.OnSetBounds({kEdge, kSecondRow, kEdge + 10, kSecondRow + kRowHeight});
  for (Views::Image* icon : {&inputIcon, &dolbyIcon, &audioIcon, &definitionIcon, &linesIcon, &captionIcon, &liveIcon})
    icon->OnSetBounds({0, kSecondRow, 44, kSecondRow + kRowHeight});
  ratingText.OnSetBounds({0, kSecondRow, 10, kSecondRow + kRowHeight});

  const int32_t barRight = kBarLeft + BarWidth;
  bufferBar.OnSetBounds({kBarLeft, kBarTop, barRight, kBarTop + kBarHeight});
  positionBar.OnSetBounds({kBarLeft, kBarTop + 3, barRight, kBarTop + kBarHeight - 3});
  for (SkinBin::ProgressQOR* bar : {&bufferBar, &positionBar}) {
    bar->OnSetReadOnly(true);
    bar->OnSetMin(0);
    bar->OnSetMax(MaxBuffer);
  }
  startText.OnSetBounds({kEdge, kBarTop - 8, kBarLeft - kGap, kBarTop + kBarHeight + 8});
  endText.OnSetBounds({barRight + kGap, kBarTop - 8, kWidth - kEdge, kBarTop + kBarHeight + 8});
  marker.OnSetColor(Look::Text);
  marker.OnSetPoint1({kBarLeft, kBarTop - 10});
  marker.OnSetPoint2({kBarLeft, kBarTop + kBarHeight + 10});
  markerText.OnSetBounds({kBarLeft, kBarTop + kBarHeight + 8, kBarLeft + 10, kBarTop + kBarHeight + 30});
  stateImage.OnSetBounds(kState);
  rateText.OnSetBounds({kState.x2 + 7, kState.y1, kState.x2 + 13, kState.y2});
  rateText.OnSetVisible(false);
  OnSetPlayState(PlayState);

  for (Core::View* view : std::initializer_list<Core::View*>{
           &clock,      &logo,      &channelNumber, &channelName,  &title,    &programmeTime, &inputIcon, &dolbyIcon,
           &audioIcon,  &definitionIcon, &linesIcon, &captionIcon, &ratingText, &liveIcon, &bufferBar, &positionBar,
           &startText,  &endText,   &marker,        &markerText,   &stateImage, &rateText})
    Add(view, 0);
  statusTimer.OnSetPeriod(PollMs);
  statusTimer.OnSetBegin(PollMs);
  statusTimer.OnSetOnTrigger(VgSlotOf<&TimeshiftStatusDialog::StatusCheckSlot>(this));
  statusTimer.OnSetEnabled(true);
}

void TimeshiftStatusDialog::Refresh(XObject* sender) {
  NonMenuSystem::QORWidgetClass::Refresh(sender);
  frame.OnSetBounds({-kFrameOut, 0, VgGetRectW(Bounds) + kFrameOut, VgGetRectH(Bounds)});
}

void TimeshiftStatusDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  OnTheDisk::Initialize(parameter);
  if (FromQuickMenu) {
    const VgClass* quickMenu = VgFindClass("QuickMenu::QuickMenu");
    PrevState = quickMenu;
    NextState = quickMenu;
  }
  LoadSettings();
  MaxBuffer = TimeshiftSpan(MainApp::GetWrapper()->OnGetTimeshiftDuration());
  for (SkinBin::ProgressQOR* bar : {&bufferBar, &positionBar}) bar->OnSetMax(MaxBuffer);
  LoadProgramme();
  VgPostSignal(VgSlotOf<&TimeshiftStatusDialog::StatusCheckSlot>(this));
}

void TimeshiftStatusDialog::LoadProgramme() {
  Programme = MainApp::GetWrapper()->DB_GetCurrentProgramInfo();
  ProgramPresent = Programme && Programme->StartTime;
  if (!ProgramPresent) {
    for (Views::Text* text : {&title, &programmeTime}) {
      text->OnSetString(Ansi(""));
      text->OnSetVisible(false);
    }
  } else {
    programmeTime.OnSetString(TimeSpanText(Programme->StartTime, Programme->Duration));
    title.OnSetString(Programme->Title);
    title.OnSetVisible(true);
    programmeTime.OnSetVisible(true);
  }
  // The attributes follow the programme's time, whose width has just changed
  // (longer where the language's afternoon mark is).
  LayOutAttributes();
}

void TimeshiftStatusDialog::HideAllInfo() {
  for (Views::Image* icon : {&dolbyIcon, &audioIcon, &definitionIcon, &captionIcon, &linesIcon, &liveIcon})
    icon->OnSetVisible(false);
  ratingText.OnSetString(Ansi(""));
  ratingText.OnSetVisible(false);
}

void TimeshiftStatusDialog::LoadSettings() {
  UpdateBanner();
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  clock.OnSetString(ClockText(model->GetCurrentTime(1)));
  const int32_t sourceType = model->GetSourceType(model->GetCurrentSource(0));
  const int32_t acquired = MainApp::GetEventAgent()->GetMainWindowAcquiredStatus();
  HideAllInfo();
  ShowIcon(inputIcon, sourceType == 1 ? &Bitmaps::BannerRF1Input : sourceType == 12 ? &Bitmaps::BannerRF2Input : nullptr);
  if (ShowsStreamAttributes(sourceType, acquired)) {
    if (SkinBin::CurrentAudioServiceInfo* audio = model->GetCurrentAudioServiceInfo(0)) {
      ShowIcon(dolbyIcon, audio->AudioFormat == kDolbyDigitalFormat ? &Bitmaps::BannerDolbyDigital : nullptr);
      ShowIcon(audioIcon, AudioModeIcon(audio->AudioMode));
    }
    if (Structures::VideoContentInfo* video = model->GetVideoContentInfo(0)) {
      const PictureIcons icons = PictureHeightIcons(video->Values[::Wrapper::kVideoHeight]);
      ShowIcon(definitionIcon, icons.definition);
      ShowIcon(linesIcon, icons.lines);
    }
    if (SkinBin::CurrentChannelInfo* detail = model->GetCurrentChannelDetailInfo()) {
      ShowIcon(captionIcon, detail->CaptionFlag ? &Bitmaps::BannerCC : nullptr);
      ratingText.OnSetString(ChannelRatingLine(uint32_t(detail->UsRating), detail->CanRating));
      ratingText.OnSetVisible(VgGetStringLength(ratingText.String) > 0);
    }
    ShowIcon(liveIcon, LiveStateIcon(model->GetLiveTVState(model->GetCurrentTunerId())));
  }
  LayOutAttributes();
}

// The attributes stand side by side after the programme's time, the hidden
// ones taking no room.
void TimeshiftStatusDialog::LayOutAttributes() {
  int32_t x = std::max(programmeTime.Bounds.x2, kEdge + 150) + kGap * 2;
  auto place = [&x](auto& view, int32_t width) {
    if (!view.Visible) return;
    view.OnSetBounds({x, kSecondRow, x + width, kSecondRow + VgGetRectH(view.Bounds)});
    x += width + kGap / 2;
  };
  // An icon as wide as its picture, which narrower bounds would cut.
  auto width = [](Views::Image* icon) {
    return icon->Bitmap ? icon->Bitmap->OnGetFrameSize().x : VgGetRectW(icon->Bounds);
  };
  for (Views::Image* icon : {&inputIcon, &dolbyIcon, &audioIcon, &definitionIcon, &linesIcon, &captionIcon})
    place(*icon, width(icon));
  place(ratingText, VgGetRectW(ratingText.Bounds));
  place(liveIcon, width(&liveIcon));
}

void TimeshiftStatusDialog::UpdateBanner() {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  Structures::VirtualChannel* channel = model->GetCurrentChannel();
  const int32_t major = channel ? channel->Major : 0;
  const int32_t minor = channel ? channel->Minor : 0;
  channelName.OnSetString(Ansi(""));
  channelNumber.OnSetString(Ansi(""));
  if (Structures::ChannelData* data = channel ? model->GetChannelInfo(major, minor) : nullptr) {
    channelName.OnSetString(data->Name);
    VgString number = model->GetChannelNumberStr(data->Flags[0] != 0, major, minor);
    if (number && VgCompString(number, Ansi("---")) != 0) channelNumber.OnSetString(number);
  }
  const int32_t logoIndex = channel ? model->GetChannelLogoIndex(major, minor) : 0;
  auto* bitmap = logoIndex >= 1 ? vg_cast<Resources::Bitmap>(model->GetBigChannelLogo(logoIndex - 1)) : nullptr;
  if (bitmap) logo.OnSetBitmap(bitmap);
  logo.OnSetVisible(bitmap != nullptr);
  const int32_t numberX = bitmap ? logo.Bounds.x2 + kLogoGap : kEdge;
  const VgPoint numberSize = VgGetRectSize(channelNumber.Bounds);
  channelNumber.OnSetBounds({numberX, kTopRow, numberX + numberSize.x, kTopRow + kRowHeight});
  const int32_t nameX = channelNumber.Bounds.x2 + (numberSize.x > 0 ? kGap : 0);
  const VgPoint nameSize = VgGetRectSize(channelName.Bounds);
  channelName.OnSetBounds({nameX, kTopRow, nameX + nameSize.x, kTopRow + kRowHeight});
}

void TimeshiftStatusDialog::StatusCheckSlot(XObject*) {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  Structures::LocalTime* now = model->GetCurrentTime(1);
  SkinBin::TimeshiftStatus* status = model->GetTimeshiftStatus();
  if (!now || !status) return;
  Now = now;
  clock.OnSetString(ClockText(now));
  const VgPoint clockSize = VgGetRectSize(clock.Bounds);
  clock.OnSetBounds({kClockRight - clockSize.x, kTopRow, kClockRight, kTopRow + kRowHeight});
  title.OnSetBounds({channelName.Bounds.x2 + kGap * 2, kTopRow, clock.Bounds.x1 - kGap, kTopRow + kRowHeight});
  OnSetPlayState(status->State);
  OnSetPlayRate(status->Rate);

  const Timeline line = PlaceTimeline(status->BufferedTime, status->Position, MaxBuffer, BarWidth);
  BufferStart = now->AddTicks(-line.buffered);
  startText.OnSetString(TimeOf(BufferStart));
  endText.OnSetString(TimeOf(BufferStart->AddTicks(MaxBuffer)));
  bufferBar.OnSetValue(line.buffered);
  positionBar.OnSetValue(line.position);
  const int32_t x = kBarLeft + line.markerX;
  marker.OnSetPoint1({x, marker.Point1.y});
  marker.OnSetPoint2({x, marker.Point2.y});
  markerText.OnSetString(TimeOf(BufferStart->AddTicks(line.position)));
  const VgPoint size = VgGetRectSize(markerText.Bounds);
  markerText.OnSetBounds({x, markerText.Bounds.y1, x + size.x, markerText.Bounds.y1 + size.y});
}

void TimeshiftStatusDialog::OnSetPlayState(int32_t value) {
  PlayState = value;
  if (const VgConstant* icon = PlayStateIcon(value); icon && value != PlayStop)
    stateImage.OnSetBitmap(VgLoad<Resources::Bitmap>(*icon));
}

void TimeshiftStatusDialog::OnSetPlayRate(int32_t value) {
  if (value == PlayRate) return;
  PlayRate = value;
  VgString text = RateText(PlayState, value);
  if (text) rateText.OnSetString(text);
  rateText.OnSetVisible(text != nullptr);
}

XObject* TimeshiftStatusDialog::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return OnTheDisk::HandleEvent(event);
  const TimeshiftKey* row = nullptr;
  for (const TimeshiftKey& entry : kTimeshiftKeys)
    if (entry.key == key->keyCode) row = &entry;
  if (!row) return OnTheDisk::HandleEvent(event);
  switch (key->keyCode) {
    case Key::Play:
      OnSetPlayState(PlayPlay);
      OnSetPlayRate(1);
      break;
    case Key::Pause:
      OnSetPlayState(PlayState == PlayPause ? PlayPlay : PlayPause);
      OnSetPlayRate(1);
      break;
    case Key::Rewind:
    case Key::FastForward: {
      const FastStep step = NextFastStep(
          PlayState, PlayRate, key->keyCode == Key::Rewind ? FastDirection::Backward : FastDirection::Forward);
      OnSetPlayState(step.state);
      OnSetPlayRate(step.rate);
      break;
    }
    default:
      break;
  }
  MainApp::GetWrapper()->TimeshiftKeyProc(row->action);
  VgPostSignal(VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(this));
  return this;
}

}  // namespace Record
