#include "Record/RecordPieces.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "Bitmaps.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Core/Keys.h"
#include "Core/Group.h"
#include "Core/Timer.h"
#include "Events/Events.h"
#include "ListForm/RecordTexts.h"
#include "ListForm/RowColumns.h"
#include "AppServices/MediaWrapper.h"
#include "Media/MediaEvents.h"
#include "AppServices/Messages.h"
#include "AppServices/Wrapper.h"
#include "NonMenuSystem/DirectMessages.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "NonMenuSystem/WidgetClass.h"
#include "Record/TimerRules.h"
#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "SkinBin/RecordData.h"
#include "vgresmap.h"
#include "Strings.h"
#include "Structures/Channels.h"
#include "Structures/LocalTime.h"
#include "Views/Frame.h"
#include "Views/Image.h"
#include "Views/Text.h"
#include "vgdebug.h"

namespace Record {

namespace {

// The advisory letters in the order the rating line spells them.
constexpr const char* kAdvisoryLetters[] = {"D", "L", "S", "V"};
constexpr int32_t kFirstMovieIndex = 7;
constexpr int32_t kLastMovieIndex = 14;

constexpr const VgConstant* kPlayStateIcons[] = {&Bitmaps::MediaStop,    &Bitmaps::MediaPause,
                                                 &Bitmaps::MediaPlay,    &Bitmaps::MediaForward,
                                                 &Bitmaps::MediaForward, &Bitmaps::MediaBackward,
                                                 &Bitmaps::MediaBackward};

constexpr const char* kUsbDevices[] = {"usba", "usbb", "usbc", "usbd"};
constexpr char kRemovableRoot[] = "/mnt/removable/";
constexpr const char* kSizeUnits[] = {"Byte", "KB", "MB"};

// The layout of the banner: gaps in pixels, and the clock frame's right edge.
constexpr int32_t kGap = 10;
constexpr int32_t kFrameGap = 20;
constexpr int32_t kLogoFrame = 2;
constexpr int32_t kClockRight = 950;
constexpr int32_t kVolumeShowMs = 2000;

VgString Ansi(const char* text) { return VgNewStringAnsi(text); }
VgString Text(const VgConstant& constant) { return VgGetVariantOfString(&constant); }

VgString Join(std::initializer_list<VgString> parts) {
  VgString text = Ansi("");
  for (VgString part : parts) text = VgConcatString(text, part);
  return text;
}

bool IsEmpty(VgString text) { return VgGetStringLength(text) == 0; }

// Moves a view's rectangle to start at x, keeping its size.
VgRect AtX(VgRect rect, int32_t x) { return {x, rect.y1, x + (rect.x2 - rect.x1), rect.y2}; }

}  // namespace

// ------------------------------------------------------------ show panels

VgString UsRatingLine(uint32_t rating) {
  if (rating == 0) return Ansi("");
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  const int32_t code = int32_t(rating);
  VgString text = Ansi("");
  const int32_t tvIndex = model->GetUsRatingIndex(int32_t(rating & ~0xFu));
  if (tvIndex >= 0 && tvIndex < kFirstMovieIndex) text = model->GetUsRatingName(tvIndex);
  if (!text) text = Ansi("");
  // Fantasy violence stands for all the letters of its rating.
  if (model->GetUsTVContent(code, Ansi("FV"))) {
    text = VgConcatString(text, Ansi("-FV"));
  } else {
    for (const char* letter : kAdvisoryLetters)
      if (model->GetUsTVContent(code, Ansi(letter))) text = Join({text, Ansi("-"), Ansi(letter)});
  }
  const int32_t movieIndex = model->GetUsRatingIndex(int32_t(rating & 0xFu));
  if (movieIndex >= kFirstMovieIndex && movieIndex <= kLastMovieIndex) {
    if (VgCompString(text, Text(Strings::SID_NONE)) == 0)
      text = Ansi("");
    else if (!IsEmpty(text))
      text = VgConcatString(text, Ansi(" "));
    text = VgConcatString(text, model->GetUsRatingName(movieIndex));
  }
  return text;
}

VgString TimeSpanText(const Structures::LocalTime* start, int32_t minutes) {
  if (!start) return Ansi("");
  return RangeText(start->Hour, start->Minute, minutes * 60);
}

VgString ClockText(const Structures::LocalTime* time) {
  if (!time) return nullptr;
  return Join({ListForm::RecordTexts::ClockDate(time), Ansi(", "), ListForm::RecordTexts::ClockTime(time)});
}

// --------------------------------------------------------------- banner

void ShowBanner(const BannerViews& banner) {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  const int32_t source = model->GetCurrentSource(0);
  const int32_t type = model->GetSourceType(source);
  const VgConstant* icon = ListForm::RecordTexts::SourceIcon(type);
  ListForm::RecordTexts::ShowIcon(banner.inputImage, icon);

  VgString label = model->GetSourceLabel(source);
  if (IsEmpty(label)) label = model->GetSourceName(source);
  if (!label) label = Ansi("");
  const bool tuner =
      type == Constants::XPM_SOURCE_TYPE_RF_TUNER || type == Constants::XPM_SOURCE_TYPE_RF_DIGITAL;
  if (tuner) {
    const VgConstant& medium = model->OnGetAntCableIn() == 1 ? Strings::SID_CABLE_UPPERCASE : Strings::SID_ANT;
    label = Join({label, Ansi(" - "), Text(medium)});
  }
  banner.inputText.OnSetAutoSize(true);
  banner.inputText.OnSetString(label);
  VgRect frame = banner.inputFrame.Bounds;
  frame.x2 = banner.inputText.Bounds.x2 + kGap;
  banner.inputFrame.OnSetBounds(frame);

  banner.channelFrame.OnSetVisible(tuner);
  banner.number.OnSetVisible(tuner);
  banner.name.OnSetVisible(tuner);
  banner.logo.OnSetVisible(false);
  if (tuner) {
    banner.channelFrame.OnSetBounds(AtX(banner.channelFrame.Bounds, frame.x2 + kFrameGap));
    ShowBannerChannel(banner);
  }

  if (VgString clock = ClockText(model->GetCurrentTime(1))) {
    banner.clock.OnSetAutoSize(true);
    banner.clock.OnSetString(clock);
  }
  VgRect clockFrame = banner.clockFrame.Bounds;
  clockFrame.x2 = kClockRight;
  banner.clock.OnSetBounds(AtX(banner.clock.Bounds, clockFrame.x2 - kGap - VgGetRectW(banner.clock.Bounds)));
  clockFrame.x1 = banner.clock.Bounds.x1 - kGap;
  banner.clockFrame.OnSetBounds(clockFrame);
  const int32_t gapLeft = tuner ? banner.channelFrame.Bounds.x2 : frame.x2;
  const int32_t volumeWidth = VgGetRectW(banner.volume.Bounds);
  banner.volume.OnSetBounds(AtX(banner.volume.Bounds, (gapLeft + clockFrame.x1 - volumeWidth) / 2));
}

void PlaceHeadings(std::span<Views::Text> headings, std::span<const int32_t> columns, VgRect band) {
  const size_t count = std::min(headings.size(), columns.size());
  std::vector<int32_t> lefts(count);
  int32_t end = band.x1;  // where the glyphs of the heading before end
  for (size_t i = 0; i < count; ++i) {
    Views::Text& heading = headings[i];
    lefts[i] = band.x1 + columns[i];
    if (!heading.Font) continue;
    const VgRect glyphs = heading.Font->GetTextRect(heading.String);
    if (VgIsRectEmpty(glyphs)) continue;
    // Headings are words ("Hora inicio"): one a column's spacing from the
    // next reads as one more word of it; two spaces part them.
    const int32_t gap = std::max(ListForm::ColumnSpacing(heading.Font), 2 * heading.Font->GetGlyphAdvance(u' ').x);
    if (i > 0) lefts[i] = std::max(lefts[i], end + gap - glyphs.x1);
    end = lefts[i] + glyphs.x2;
  }
  for (size_t i = 0; i < count; ++i)
    headings[i].OnSetBounds({lefts[i], band.y1, i + 1 < count ? lefts[i + 1] : band.x2, band.y2});
}

void AddBannerFrames(Core::Group& screen, const BannerViews& banner, int32_t top, int32_t bottom) {
  Resources::Bitmap* frame = VgLoad<Resources::Bitmap>(Bitmaps::MiniGuideBackground);
  for (Views::Frame* f : {&banner.inputFrame, &banner.channelFrame, &banner.clockFrame}) {
    f->OnSetBitmap(frame);
    f->OnSetOpacity(255);
    f->OnSetBounds({20, top, 200, bottom});
    screen.Add(f, 0);
  }
}

void ShowBannerChannel(const BannerViews& banner) {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  banner.name.OnSetAutoSize(true);
  banner.number.OnSetAutoSize(true);
  banner.name.OnSetString(Ansi(""));
  banner.number.OnSetString(Ansi(""));
  Structures::VirtualChannel* channel = model->GetCurrentChannel();
  const int32_t major = channel ? channel->Major : 0;
  const int32_t minor = channel ? channel->Minor : 0;
  if (Structures::ChannelData* data = channel ? model->GetChannelInfo(major, minor) : nullptr) {
    banner.name.OnSetString(data->Name);
    VgString number = model->GetChannelNumberStr(data->Flags[0] != 0, major, minor);
    if (number && VgCompString(number, Ansi("---")) != 0) banner.number.OnSetString(number);
  }

  const int32_t inside = banner.channelFrame.Bounds.x1 + kGap;
  const int32_t logoIndex = channel ? model->GetChannelLogoIndex(major, minor) : 0;
  auto* logo = logoIndex >= 1 ? vg_cast<Resources::Bitmap>(model->GetBigChannelLogo(logoIndex - 1)) : nullptr;
  int32_t numberX = inside;
  banner.logo.OnSetBitmap(logo);
  banner.logo.OnSetVisible(logo != nullptr);
  if (logo) {
    // The logo's frame stands in the middle of the banner's height.
    banner.logo.OnSetFrameNumber(kLogoFrame);
    const VgPoint size = logo->OnGetFrameSize();
    const VgRect frame = banner.channelFrame.Bounds;
    const int32_t top = frame.y1 + (VgGetRectH(frame) - size.y) / 2;
    banner.logo.OnSetBounds({inside, top, inside + size.x, top + size.y});
    numberX = inside + size.x + kGap;
  }
  banner.number.OnSetBounds(AtX(banner.number.Bounds, numberX));
  banner.name.OnSetBounds(AtX(banner.name.Bounds, banner.number.Bounds.x2 + kFrameGap));
  VgRect frame = banner.channelFrame.Bounds;
  frame.x2 = banner.name.Bounds.x2 + kGap;
  banner.channelFrame.OnSetBounds(frame);
}

// -------------------------------------------------------- volume and mute

void SetUpVolumeTimer(Core::Timer& timer) {
  timer.OnSetBegin(kVolumeShowMs);
  timer.OnSetPeriod(0);
  timer.OnSetEnabled(false);
}

bool VolumeKey(uint16_t keyCode, Views::Text& text, Core::Timer& timer) {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  if (keyCode == Key::Mute) {
    if (model->OnGetMute()) {
      text.OnSetVisible(false);
      timer.OnSetEnabled(false);
      model->OnSetMute(0);
    } else {
      text.OnSetString(Text(Strings::SID_MUTE_FULL));
      text.OnSetVisible(true);
      timer.OnSetEnabled(false);
      timer.OnSetEnabled(true);
      model->OnSetMute(1);
    }
    return true;
  }
  if (keyCode != Key::VolumeUp && keyCode != Key::VolumeDown) return false;
  text.OnSetVisible(true);
  int32_t volume = model->OnGetVolume();
  // The ends stay where they are: the keys of these screens never reach 0
  // or 100 from inside, nor leave them.
  if (volume >= 1 && volume <= 99) {
    volume += keyCode == Key::VolumeUp ? 1 : -1;
    model->OnSetVolume(volume);
  }
  text.OnSetString(
      Join({Text(Strings::SID_VOLUME), Text(Strings::SID_LABEL_COLON), Ansi(" "), VgNewStringInt(volume, 0)}));
  timer.OnSetEnabled(false);
  timer.OnSetEnabled(true);
  return true;
}

void ClearVolume(Views::Text& text, Core::Timer& timer) {
  timer.OnSetEnabled(false);
  text.OnSetVisible(false);
}

// ------------------------------------------------------------ play state

const VgConstant* PlayStateIcon(int32_t state) {
  if (state < 0 || state >= int32_t(std::size(kPlayStateIcons))) return nullptr;
  return kPlayStateIcons[state];
}

VgString RateText(int32_t state, int32_t rate) {
  if (rate < 2 || rate > 9) return nullptr;
  const bool slow = state == PlayForward + 1 || state == PlayBackward + 1;
  return VgConcatString(Ansi(slow ? "x1/" : "x"), VgNewStringInt(1 << (rate - 1), 0));
}

FastStep NextFastStep(int32_t state, int32_t rate, FastDirection direction) {
  const int32_t fastState = direction == FastDirection::Forward ? PlayForward : PlayBackward;
  if (state != fastState) return {fastState, 2};
  return {fastState, rate >= 9 ? 1 : rate + 1};
}

VgString PlayTimeFormat(int32_t seconds) {
  if (seconds < 0) seconds = 0;
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, seconds % 3600 / 60, seconds % 60);
  return Ansi(text);
}

// ------------------------------------------------------- USB recordings

namespace {

// The USB device whose name the medium's mount holds; null for none.
const char* DeviceOf(VgString medium) {
  const std::string text = VgStringToUtf8(medium);
  for (const char* device : kUsbDevices)
    if (text.find(device) != std::string::npos) return device;
  return nullptr;
}

}  // namespace

VgString GetUsbPath(VgString medium) {
  const char* device = DeviceOf(medium);
  return Ansi((std::string(kRemovableRoot) + (device ? device : kUsbDevices[0])).c_str());
}

VgString FileSizeText(int32_t sizeWord) {
  const uint32_t word = uint32_t(sizeWord);
  const uint32_t unit = word >> 30;
  const std::string digits = std::to_string(word & 0x3FFFFFFFu);
  std::string grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  const char* unitText = unit < std::size(kSizeUnits) ? kSizeUnits[unit] : "";
  return Ansi(("File Size: " + grouped + unitText).c_str());
}

VgString ShowFileSize(VgString path) { return FileSizeText(MainApp::GetWrapper()->GetFileSize(path)); }

bool IsPlainFileName(VgString name) {
  const std::string text = VgStringToUtf8(name);
  // Only a separator can lead out of the folder; dots inside a name ("Coming
  // soon..._7-1.trp") are a title's own. The end mark would cut the name short.
  return !text.empty() && text != "." && text != ".." && text.find('/') == std::string::npos &&
         text.find('\0') == std::string::npos;
}

VgString IndexFileName(VgString name) {
  // The name's own characters are kept as they are: a title beyond ASCII
  // must name the same file as the recording's name does.
  const int32_t length = VgGetStringLength(name);
  if (!IsPlainFileName(name) || length < 5 || VgGetStringChar(name, length - 4) != u'.') return nullptr;
  return VgConcatString(VgStringLeft(name, length - 3), Ansi("nav"));
}

int32_t DeleteRecordingFiles(VgString folder, VgString name) {
  if (!IsPlainFileName(name)) {
    VgPrint("Record: the recording name %s is refused; no file is deleted\n", VgStringToUtf8(name).c_str());
    return 0;
  }
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  VgString prefix = VgConcatString(folder, Ansi("/"));
  int32_t deleted = model->DeleteFile(VgConcatString(prefix, name)) == 0 ? 1 : 0;
  // Only a name of the recorder's form has an index file beside it; any
  // other name's last three letters would be another file's.
  if (VgString index = IndexFileName(name); index && model->DeleteFile(VgConcatString(prefix, index)) == 0) ++deleted;
  return deleted;
}

bool IsMediumRemoval(Core::Event* event, VgString medium) {
  if (auto* playback = vg_cast<Events::RecordPlaybackStatusEvent>(event)) return playback->DeviceFlag != 0;
  auto* status = vg_cast<Events::StatusEvent>(event);
  if (!status || status->Code != Media::MediaStatus::Device || status->SubCode0 != Media::MediaStatus::DeviceRemoved)
    return false;
  VgString device = Media::MediaWrapper::ConvertRemovableCode(status->SubCode2);
  if (!device) return false;
  return VgStringFind(medium, device, 0) >= 0;
}

bool ConcernsThePlayback(Core::Event* event) {
  return vg_cast<Events::RecordPlaybackStatusEvent>(event) || vg_cast<Events::StatusEvent>(event) ||
         vg_cast<Events::XPM_EVENT_STANDBY>(event);
}

Core::KeyEvent* PressedKey(uint16_t code) {
  auto* key = VgNew<Core::KeyEvent>();
  key->keyCode = code;
  key->down = true;
  return key;
}

namespace {

// Whether the form shows a medium of the device (MediumShown): its
// recordings, the disk itself, a film or a song from it.
bool OfTheDevice(Primitives::KeyRoutingForm* form, const char* device) {
  VgString shown = form->MediumShown();
  const char* of = shown ? DeviceOf(shown) : nullptr;
  return of && device && std::strcmp(of, device) == 0;
}

// Asked before the screen closes: whether the rest goes with it.
bool ClearsWith(NonMenuSystem::WidgetClass* screen) {
  const char* device = screen ? DeviceOf(screen->MediumShown()) : nullptr;
  return NonMenuSystem::NonMenuSystem::ClearsWithADevice(
      [screen, device](Primitives::KeyRoutingForm* form) { return form == screen || OfTheDevice(form, device); });
}

void SayTheDeviceIsGone(bool clear) {
  if (clear) MainApp::SendMessage(Constants::MSG_CLEAR_ALL);
  MainApp::SendMessage(Constants::MSG_SHOW_MESSAGE, &NonMenuSystem::NonMenuSystem::Class,
                       NonMenuSystem::DirectMsgTypeDeviceRemoved);
}

}  // namespace

void ExitByDeviceRemoved(NonMenuSystem::WidgetClass* screen, bool stopPlayback) {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  const bool clear = ClearsWith(screen);
  if (stopPlayback) model->RecordPlaybackStop(0);
  if (screen) screen->Close();
  model->SetLastSource();
  SayTheDeviceIsGone(clear);
}

VgString DiskMount() {
  SkinBin::USBDiskStatus* disk = MainApp::GetWrapper()->GetUSBDiskStatus();
  return disk && disk->Mounted && VgGetStringLength(disk->MountPoint) > 0 ? VgString(disk->MountPoint) : nullptr;
}

bool IsDiskRemoval(Core::Event* event, VgString disk) { return disk && IsMediumRemoval(event, disk); }

bool MayTellOfADisk(Core::Event* event) {
  return vg_cast<Events::StatusEvent>(event) || vg_cast<Events::RecordPlaybackStatusEvent>(event);
}

void LeaveWithTheDisk(NonMenuSystem::WidgetClass* screen) {
  const bool clear = ClearsWith(screen);
  if (screen) screen->Close();
  SayTheDeviceIsGone(clear);
}

}  // namespace Record
