// The television model's data: what the set shows and holds (channels, the
// current audio service, the recording timers, the network applications, the
// network addresses, 3D timers, ratings) and the texts the screens make of it.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iterator>
#include <string>

#include "AppServices/OptionDB.h"
#include "Bitmaps.h"
#include "Events/Events.h"
#include "PersistentData/PersistentData.h"
#include "Resources/Bitmap.h"
#include "SkinBin/MiddlewareText.h"
#include "SkinBin/Wrapper.h"
#include "Strings.h"
#include "Wrapper/TimerRecord.h"
#include "vgdebug.h"
#include "vgresmap.h"
#include "vgslot.h"
#include "vgtrace.h"
#include "xpm.h"

namespace SkinBin {

namespace {

// The acquisition statuses that mean a picture: a channel (0) or a source (16).
constexpr int32_t kChannelAcquired = 0;
constexpr int32_t kSourceAcquired = 16;
constexpr int32_t kSourceNoSignal = 17;
constexpr int32_t kUnknownSeries = 4;
constexpr int32_t kSeriesProperty = 38;
constexpr int32_t kNoChannel = -2;

// The built-in names of the source ids; an empty name reads as unknown.
constexpr const char* kSourceNames[30] = {
    "",        "TV",         "AV",          "Component", "S-Video", "HDMI 1", "HDMI 2", "HDMI 3", "HDMI 4", "PC",
    "DVI",     "AV 2",       "Component 2", "Cable",     "",        "",       "",       "",       "",       "",
    "Network", "Multimedia", "USB",         "",          "",        "",       "",       "",       "",       "",
};

constexpr const VgConstant* kBigChannelLogos[] = {
    &Bitmaps::ChannelLogoBig_0,  &Bitmaps::ChannelLogoBig_1,  &Bitmaps::ChannelLogoBig_2,  &Bitmaps::ChannelLogoBig_3,
    &Bitmaps::ChannelLogoBig_4,  &Bitmaps::ChannelLogoBig_5,  &Bitmaps::ChannelLogoBig_6,  &Bitmaps::ChannelLogoBig_7,
    &Bitmaps::ChannelLogoBig_8,  &Bitmaps::ChannelLogoBig_9,  &Bitmaps::ChannelLogoBig_10, &Bitmaps::ChannelLogoBig_11,
    &Bitmaps::ChannelLogoBig_12, &Bitmaps::ChannelLogoBig_13, &Bitmaps::ChannelLogoBig_14, &Bitmaps::ChannelLogoBig_15,
    &Bitmaps::ChannelLogoBig_16, &Bitmaps::ChannelLogoBig_17, &Bitmaps::ChannelLogoBig_18, &Bitmaps::ChannelLogoBig_19,
    &Bitmaps::ChannelLogoBig_20, &Bitmaps::ChannelLogoBig_21, &Bitmaps::ChannelLogoBig_22, &Bitmaps::ChannelLogoBig_23,
    &Bitmaps::ChannelLogoBig_24, &Bitmaps::ChannelLogoBig_25, &Bitmaps::ChannelLogoBig_26, &Bitmaps::ChannelLogoBig_27,
    &Bitmaps::ChannelLogoBig_28, &Bitmaps::ChannelLogoBig_29, &Bitmaps::ChannelLogoBig_30, &Bitmaps::ChannelLogoBig_31,
    &Bitmaps::ChannelLogoBig_32, &Bitmaps::ChannelLogoBig_33, &Bitmaps::ChannelLogoBig_34, &Bitmaps::ChannelLogoBig_35,
    &Bitmaps::ChannelLogoBig_36, &Bitmaps::ChannelLogoBig_37, &Bitmaps::ChannelLogoBig_38, &Bitmaps::ChannelLogoBig_39,
    &Bitmaps::ChannelLogoBig_40, &Bitmaps::ChannelLogoBig_41, &Bitmaps::ChannelLogoBig_42, &Bitmaps::ChannelLogoBig_43,
    &Bitmaps::ChannelLogoBig_44, &Bitmaps::ChannelLogoBig_45, &Bitmaps::ChannelLogoBig_46, &Bitmaps::ChannelLogoBig_47,
    &Bitmaps::ChannelLogoBig_48, &Bitmaps::ChannelLogoBig_49, &Bitmaps::ChannelLogoBig_50, &Bitmaps::ChannelLogoBig_51,
    &Bitmaps::ChannelLogoBig_52, &Bitmaps::ChannelLogoBig_53, &Bitmaps::ChannelLogoBig_54, &Bitmaps::ChannelLogoBig_55,
    &Bitmaps::ChannelLogoBig_56, &Bitmaps::ChannelLogoBig_57,
};

// Vertical resolutions and the text of each; progressive and interlaced
// differ by the suffix, except for 720 lines, which the set only shows
// progressive.
struct Resolution {
  int32_t from;
  int32_t to;
  const char* text;
  bool suffix;
};

constexpr Resolution kResolutions[] = {
    {480, 549, "480", true},
    {550, 599, "576", true},
    {720, 799, "720p", false},
    {1080, 1099, "1080", true},
};

struct FailReason {
  int32_t status;
  const VgConstant* text;
};

constexpr FailReason kFailReasons[] = {
    {1, &Strings::SID_NO_SIGNAL_MSG},
    {17, &Strings::SID_NO_SIGNAL_MSG},
    {2, &Strings::SID_NO_CHANNELS_WARNING},
    {6, &Strings::SID_NO_CHANNELS_WARNING},
    {7, &Strings::SID_NO_CHANNELS_WARNING},
    {3, &Strings::SID_NO_VIDEO},
    {4, &Strings::SID_CH_BLOCKED},
    {5, &Strings::SID_RATING_OSD_MESG},
    {20, &Strings::SID_RATING_OSD_MESG},
    {18, &Strings::SID_UNSUPPORTED_VIDEO_SIGNAL},
    {19, &Strings::SID_UNSUPPORTED_VIDEO_SIGNAL},
    {23, &Strings::SID_INPUT_LOCK},
    {48, &Strings::SID_RE_TUNE},
};

// Refresh rates of a computer timing by the rate index of the video record.
constexpr int32_t kRefreshRates[] = {0, 23, 24, 25, 29, 30, 50, 56, 59, 60, 67, 70, 72, 75, 85};

// The series from generic device property 38.
struct SeriesOf {
  int32_t property;
  int32_t series;
};

constexpr SeriesOf kSeries[] = {
    {0, 2}, {2, 2}, {3, 2}, {12, 2}, {6, 0}, {7, 0}, {8, 0}, {9, 3}, {10, 3}, {11, 3},
};
constexpr int32_t kOtherSeries = 1;

VgString Ansi(const std::string& text) { return VgNewStringAnsi(text.c_str()); }

// An address value, first octet most significant, into the record's bytes.
void Unpack(uint32_t value, uint8_t (&bytes)[4]) {
  for (int i = 0; i < 4; ++i) bytes[i] = uint8_t(value >> (24 - 8 * i));
}

}  // namespace

// ------------------------------------------------------------------ properties

void Wrapper::OnSetRemain3DContinualTime(int32_t minutes) {
  VgTrace("%s%i", u"Remain 3D Continual Time", minutes);
  remain3DContinualTime_ = minutes;
  const int32_t state = Setup3D.State;
  if (minutes == 0 && state != ::SkinBin::Setup3D::kState3D && state != ::SkinBin::Setup3D::kState2DTo3D)
    Clear3DLockTimer();
}

int32_t Wrapper::OnGetSeriesType() {
  if (seriesType_ != kUnknownSeries) return seriesType_;
  int32_t property = 0;
  if (int32_t status = XPM_GetExtOemProperty(kSeriesProperty, &property); status != 0) {
    // Asked again next time: the series must not stay unknown for good.
    VgPrint("Wrapper: reading the series failed (error %d)\n", status);
    return kOtherSeries;
  }
  int32_t series = kOtherSeries;
  for (const SeriesOf& row : kSeries)
    if (row.property == property) series = row.series;
  seriesType_ = static_cast<int16_t>(series);
  return series;
}

int32_t Wrapper::OnGetCurrentPhysicalChannel() {
  if (currentPhysicalChannel_ != 0) return currentPhysicalChannel_;
  for (int32_t window : {0, 1}) {
    if (!IsRFSourceType(GetSourceType(GetCurrentSource(window)))) continue;
    XPM_CurrentChannelInfo info{};
    if (XPM_GetCurrentChannelInfo(window, &info) == 0) return info.physical;
    break;
  }
  return currentPhysicalChannel_;
}

int32_t Wrapper::OnGetSleepIndex() {
  if (sleepIndex_ != 0) sleepIndex_ = RemainSleepTime;
  return sleepIndex_;
}

int32_t Wrapper::OnGetAutoSetup() {
  if (ifConfiguration_) autoSetup_ = ifConfiguration_->DHCP != 0;
  return autoSetup_ ? 1 : 0;
}

void Wrapper::OnSetAutoSetup(int32_t on) {
  autoSetup_ = on != 0;
  if (ifConfiguration_) ifConfiguration_->DHCP = autoSetup_ ? 1 : 0;
  ApplyAddresses();
}

uint32_t Wrapper::PackedAddress(const uint8_t (&bytes)[4], uint32_t& cache) {
  cache = ((uint32_t(bytes[0]) * 256 + bytes[1]) * 256 + bytes[2]) * 256 + bytes[3];
  return cache;
}

uint32_t Wrapper::OnGetIPAddress() {
  return ifConfiguration_ ? PackedAddress(ifConfiguration_->Address, ipAddress_) : ipAddress_;
}
uint32_t Wrapper::OnGetSubnetMask() {
  return ifConfiguration_ ? PackedAddress(ifConfiguration_->Mask, subnetMask_) : subnetMask_;
}
uint32_t Wrapper::OnGetDefaultGateway() {
  return ifConfiguration_ ? PackedAddress(ifConfiguration_->Gateway, defaultGateway_) : defaultGateway_;
}
uint32_t Wrapper::OnGetDNS1() { return ifConfiguration_ ? PackedAddress(ifConfiguration_->DNS1, dns1_) : dns1_; }
uint32_t Wrapper::OnGetDNS2() { return ifConfiguration_ ? PackedAddress(ifConfiguration_->DNS2, dns2_) : dns2_; }

void Wrapper::SetAddress(uint32_t& cache, uint8_t (::Structures::IF_Configuration::*field)[4], uint32_t value) {
  cache = value;
  if (ifConfiguration_) Unpack(value, (*ifConfiguration_).*field);
  ApplyAddresses();
}

void Wrapper::OnSetIPAddress(uint32_t value) { SetAddress(ipAddress_, &::Structures::IF_Configuration::Address, value); }
void Wrapper::OnSetSubnetMask(uint32_t value) { SetAddress(subnetMask_, &::Structures::IF_Configuration::Mask, value); }
void Wrapper::OnSetDefaultGateway(uint32_t value) {
  SetAddress(defaultGateway_, &::Structures::IF_Configuration::Gateway, value);
}
void Wrapper::OnSetDNS1(uint32_t value) { SetAddress(dns1_, &::Structures::IF_Configuration::DNS1, value); }
void Wrapper::OnSetDNS2(uint32_t value) { SetAddress(dns2_, &::Structures::IF_Configuration::DNS2, value); }

// The screens attach the interface's record before they show its addresses;
// a setter called without one applies the values kept from the last record
// and the setters since, rather than writing through a record that is not
// there.
void Wrapper::ApplyAddresses() {
  // The record's values are kept first, so that a later setter without it
  // applies them too.
  if (ifConfiguration_) {
    OnGetAutoSetup();
    OnGetIPAddress();
    OnGetSubnetMask();
    OnGetDefaultGateway();
    OnGetDNS1();
    OnGetDNS2();
  }
  XPM_IFState state{};
  state.dhcp = autoSetup_ ? 1 : 0;
  Unpack(ipAddress_, state.address);
  Unpack(subnetMask_, state.mask);
  Unpack(defaultGateway_, state.gateway);
  Unpack(dns1_, state.dns1);
  Unpack(dns2_, state.dns2);
  const int32_t device = GetCurrentLanDevId();
  if (int32_t status = XPM_LAN_SetIFConfig(device, &state); status != 0)
    VgPrint("Wrapper: XPM_LAN_SetIFConfig(%d) = 0x%08X Failed\n", device, unsigned(status));
}

int32_t Wrapper::GetCurrentLanDevId() {
  return OnGetNetworkType() == ::SkinBin::NetworkSetup::kWireless ? ::SkinBin::NetworkSetup::kWireless
                                                                  : ::SkinBin::NetworkSetup::kWired;
}

// The on-timer is timer 0.
int32_t Wrapper::OnGetOnTimerVolume() {
  ::Structures::TimerData* timer = EditInPlace && HeldTimer ? HeldTimer.get() : GetTimer(0);
  onTimerVolume_ = timer->Values[::Wrapper::kTimerVolume];
  return onTimerVolume_;
}

void Wrapper::OnSetOnTimerVolume(int32_t volume) {
  onTimerVolume_ = volume;
  if (EditInPlace && HeldTimer) {
    HeldTimer->Values[::Wrapper::kTimerVolume] = volume;
    return;
  }
  // A timer that could not be read is not written back: its stand-in would
  // wipe it.
  bool read = false;
  ::Structures::TimerData* timer = ReadTimer(0, &read);
  if (!read) return;
  timer->Values[::Wrapper::kTimerVolume] = volume;
  SetTimer(timer);
}

// ------------------------------------------------------- aging, light sensor

void Wrapper::ProcessAgingMode(int32_t agingMode, int32_t status) {
  if (agingMode == 0) return;
  const bool picture = status == kChannelAcquired || status == kSourceAcquired;
  if (tvAgingMode_ != 0) {
    if (picture) tvAgingMode_ = 0;
  } else if (!picture) {
    tvAgingMode_ = agingMode;
  }
}

bool Wrapper::StartLumetraThread() {
  if (!lumetraRunning_) lumetraRunning_ = 1;
  return true;
}

void Wrapper::StopLumetraThread() { lumetraRunning_ = 0; }

// ----------------------------------------------------------------- fixed texts

bool Wrapper::IsHDMIAvMuted() {
  VgTrace("%s%i", u"is av muted", 0);
  return false;
}

VgString Wrapper::GetYahooWidgetName() {
  VgTrace("%s", u"GetYahooWidgetName");
  return nullptr;
}

int32_t Wrapper::GetPowerOnTime() {
  int32_t hours = 0;
  XPM_GetPowerOnTime(&hours);
  char text[64];
  std::snprintf(text, sizeof text, "*******  Power On Time is %d hours!", hours);
  VgTrace("%s", VgNewStringAnsi(text));
  return hours;
}

XObject* Wrapper::GetBigChannelLogo(int32_t index) {
  if (index < 0 || index >= int32_t(std::size(kBigChannelLogos))) return nullptr;
  return VgLoadResource(kBigChannelLogos[index], &::Resources::Bitmap::Class);
}

// ---------------------------------------------------------------- applications

void Wrapper::RefreshActiveAppStatus() {
  XPM_AppStatus apps[::Structures::AllActiveAppStatus::kCapacity] = {};
  int32_t count = 0;
  if (int32_t status = XPM_GetActiveAppStatus(apps, ::Structures::AllActiveAppStatus::kCapacity, &count); status != 0) {
    VgPrint("Wrapper: XPM_GetActiveAppStatus = 0x%08X Failed\n", unsigned(status));
    count = 0;
  }
  AppStatus.Count = std::clamp(count, 0, ::Structures::AllActiveAppStatus::kCapacity);
  for (int32_t i = 0; i < AppStatus.Count; ++i) {
    AppStatus.Apps[i].AppId = apps[i].id;
    AppStatus.Apps[i].Name = BufferText(apps[i].name);
    AppStatus.Apps[i].StatusBits = apps[i].flags;
  }
}

::Structures::ActiveAppStatus* Wrapper::GetActiveNetAppStatus() {
  constexpr int32_t kTelevisionApp = 1;
  constexpr int32_t kInBackground = 0x20;
  const int32_t count = std::clamp(AppStatus.Count, 0, ::Structures::AllActiveAppStatus::kCapacity);
  for (int32_t i = 0; i < count; ++i) {
    ::Structures::ActiveAppStatus& app = AppStatus.Apps[i];
    if (app.AppId != kTelevisionApp && !(app.StatusBits & kInBackground)) return &app;
  }
  return nullptr;
}

bool Wrapper::IsYahoo() {
  const ::Structures::ActiveAppStatus* app = GetActiveNetAppStatus();
  return app && app->AppId == 2;
}

bool Wrapper::IsVuduDock() {
  const ::Structures::ActiveAppStatus* app = GetActiveNetAppStatus();
  return app && app->AppId == 6;
}

::Structures::ActiveAppStatus* Wrapper::GetNetAppStatusById(int32_t id) {
  const int32_t count = std::clamp(AppStatus.Count, 0, ::Structures::AllActiveAppStatus::kCapacity);
  for (int32_t i = 0; i < count; ++i)
    if (AppStatus.Apps[i].AppId == id) return &AppStatus.Apps[i];
  return nullptr;
}

// -------------------------------------------------------------------- timers

void Wrapper::CopyTimerData(::Structures::TimerData* target, ::Structures::TimerData* source) {
  if (!target || !source) return;
  target->Flag = source->Flag;
  target->Index = source->Index;
  std::copy(std::begin(source->Values), std::end(source->Values), std::begin(target->Values));
  std::copy(std::begin(source->Settings), std::end(source->Settings), std::begin(target->Settings));
  std::copy(std::begin(source->Extra), std::end(source->Extra), std::begin(target->Extra));
  // The copy gets a start time of its own, so that editing one leaves the other.
  target->StartTime = source->StartTime ? ::Wrapper::LocalTimeOf(::Wrapper::PartsOf(source->StartTime)) : nullptr;
}

int32_t Wrapper::GetDefaultStartEarly() {
  VgPrint("******  XPM_DEFAULT_TIMER_STARTEARLY: %d  *****\n", 0);
  return 0;
}

int32_t Wrapper::GetDefaultEndDelay() {
  VgPrint("******  XPM_DEFAULT_TIMER_ENDDELAY: %d  *****\n", 0);
  return 0;
}

// The timer of that index is reset, also while another one is being edited
// (GetTimer would hand out the edited one); the edited copy of this very
// timer is reset with it.
void Wrapper::ResetTimer(int32_t index) {
  ::Structures::TimerData* timer = HeldTimer && HeldTimer->Index == index ? HeldTimer.get() : ReadTimer(index, nullptr);
  timer->Index = index;
  ::Wrapper::SetTimerDefaults(timer);
  timer->Extra[::Wrapper::kTimerStartEarly] = GetDefaultStartEarly();
  timer->Extra[::Wrapper::kTimerEndDelay] = GetDefaultEndDelay();
  SetTimer(timer);
}

// ----------------------------------------------------------------- 3D timers

void Wrapper::Clear3DLockTimer() {
  VgSignal(VgSlotOf<&Wrapper::Stop3DLockTimerSlot>(this), this);
  remain3DContinualTime_ = 0;
  remain3DTime_ = 0;
}

void Wrapper::Stop3DLockTimerSlot(XObject*) { Stop3DLockTimer(); }

void Wrapper::Stop3DLockTimer() {
  VgTrace("%s%i", u"Stop 3D Lock Timer", 0);
  OnSetRemain3DTime(0);
}

// ------------------------------------------------------------------- options

void Wrapper::SetRefValueFromIndex(int32_t optionId, int32_t index) {
  ::OptionDatabase::OptionDataClass* record = MainApp::GetOptionDB()->GetOptionData(optionId);
  if (!record) return;
  record->Initialize();
  record->Id = index;
  record->Id2Value();
  const VgRef<int32_t> property = record->OnGetRefValue();
  if (!property.IsNull()) VgOnSetInt32(property, record->Value);
}

// --------------------------------------------------------------------- texts

VgString Wrapper::GetChannelNumberStr(bool isDigital, int32_t major, int32_t minor) {
  if (major == kNoChannel) return VgNewStringAnsi("---");
  std::string text = std::to_string(major);
  if (minor > 0 || (minor == 0 && isDigital)) text += "-" + std::to_string(minor);
  return Ansi(text);
}

// ResetTimer stores source -1 for "no source": ids outside the table name nothing.
VgString Wrapper::GetSourceName(int32_t sourceId) {
  if (sourceId < 0) return nullptr;
  if (sourceId >= int32_t(std::size(kSourceNames)) || !*kSourceNames[sourceId])
    return VgGetVariantOfString(&Strings::SID_UNKNOWN);
  return VgNewStringAnsi(kSourceNames[sourceId]);
}

VgString Wrapper::GetResolutionString(::Structures::VideoContentInfo* format) {
  if (!format) return nullptr;
  const int32_t lines = format->Values[::Wrapper::kVideoHeight];
  const char* suffix = format->Values[::Wrapper::kVideoScanType] == 2 ? "p" : "i";
  for (const Resolution& r : kResolutions)
    if (lines >= r.from && lines <= r.to) return Ansi(std::string(r.text) + (r.suffix ? suffix : ""));
  return nullptr;
}

VgString Wrapper::GetFailReasonString(int32_t reason) {
  for (const FailReason& row : kFailReasons)
    if (row.status == reason) return VgGetVariantOfString(row.text);
  return nullptr;
}

VgString Wrapper::GetVGAInfo(::Structures::VideoContentInfo* info) {
  if (!info || static_cast<uint8_t>(info->Values[::Wrapper::kVideoValid]) == 0) return nullptr;
  if (eventAgent_ && eventAgent_->GetMainWindowAcquiredStatus() == kSourceNoSignal) return VgNewStringAnsi("No Signal");
  const int32_t rate = info->Values[::Wrapper::kVideoRateIndex];
  if (rate < 0 || rate >= int32_t(std::size(kRefreshRates))) {
    VgPrint("Wrapper: no refresh rate of index %d\n", rate);
    return nullptr;
  }
  char text[48];
  std::snprintf(text, sizeof text, "%ldx%ld/%dHz", long(info->Values[::Wrapper::kVideoWidth]),
                long(info->Values[::Wrapper::kVideoHeight]), kRefreshRates[rate]);
  return VgNewStringAnsi(text);
}

CurrentAudioServiceInfo* Wrapper::GetCurrentAudioServiceInfo(int32_t index) {
  auto* info = VgNew<CurrentAudioServiceInfo>();
  if (index < 0) return info;
  XPM_AudioServiceInfo buffer{};
  XPM_GetCurrentAudioServiceInfo(index, &buffer);
  info->Description = BufferText(buffer.text);
  info->AudioFormat = buffer.format;
  // The language code fills its four bytes without a terminating zero when
  // it has four letters; it is read no further than its field.
  info->Language = BufferText(buffer.language);
  info->AudioMode = buffer.mode;
  info->ServiceNumber = buffer.number;
  return info;
}

// ------------------------------------------------------------------- ratings

int32_t Wrapper::GetUsRatingIndex(int32_t code) { return Ratings::UsRatingIndex(uint32_t(code)); }
VgString Wrapper::GetUsRatingName(int32_t index) { return Ratings::UsRatingName(index); }
VgString Wrapper::GetUsRatingText(int32_t code) { return Ratings::UsRatingText(uint32_t(code)); }
bool Wrapper::GetUsTVContent(int32_t code, VgString letter) { return Ratings::UsTVContent(uint32_t(code), letter); }
int32_t Wrapper::GetCanRatingIndex(int32_t code) { return Ratings::CanRatingIndex(code); }
VgString Wrapper::GetCanRatingText(int32_t code) { return Ratings::CanRatingText(code); }

// --------------------------------------------------------- channels, picture

::Structures::ChannelData* Wrapper::GetChannelInfo(int32_t major, int32_t minor) {
  XPM_ChannelInfo info{};
  if (XPM_GetChannelInfo(major, minor, &info) != 0) return nullptr;
  auto* channel = VgNew<::Structures::ChannelData>();
  channel->Filled = 1;
  channel->Name = BufferText(info.name);
  channel->Major = info.major;
  channel->Minor = info.minor;
  channel->Flags[0] = info.digital;
  channel->Flags[1] = info.locked;
  channel->Flags[2] = info.cable;
  // The type value that goes into the channel history: 1 digital, 0 analogue.
  channel->Flags[3] = info.digital;
  return channel;
}

CurrentChannelInfo* Wrapper::GetCurrentChannelDetailInfo() {
  auto* detail = VgNew<CurrentChannelInfo>();
  int32_t window = -1;
  for (int32_t w : {0, 1}) {
    if (IsRFSourceType(GetSourceType(GetCurrentSource(w)))) {
      window = w;
      break;
    }
  }
  if (window < 0) return detail;
  XPM_CurrentChannelInfo info{};
  if (int32_t status = XPM_GetCurrentChannelInfo(window, &info); status != 0) {
    VgPrint("Wrapper: XPM_GetCurrentChannelInfo = 0x%08X Failed\n", unsigned(status));
    return detail;
  }
  detail->Major = info.major;
  detail->Minor = info.minor;
  detail->Name = BufferText(info.name);
  detail->ServiceType = info.serviceType;
  detail->Digital = info.minor > 0;
  detail->CaptionFlag = info.captionFlag;
  detail->UsRating = info.usRating;
  detail->CanRating = info.canRating;
  detail->PhysicalChannel = info.physical;
  detail->SourceId = GetCurrentSource(window);
  return detail;
}

void Wrapper::ResumeSignalEvent() {
  if (!eventAgent_) return;
  ::Structures::VirtualChannel* channel = GetCurrentChannel();
  for (Structures::DuLinkNode* node = eventAgent_->Sentinel()->next; node && node != eventAgent_->Sentinel();
       node = node->next) {
    XObject* queued = node->data;
    if (vg_is_exactly<::Events::XPM_EVENT_SOURCE_ACQUIRED>(queued)) {
      auto* e = static_cast<::Events::XPM_EVENT_SOURCE_ACQUIRED*>(queued);
      if (e->Status == kSourceAcquired || e->SourceId != GetCurrentSource(e->Window)) continue;
      e->Handled = 0;
      e->RetryCount = 0;
    } else if (vg_is_exactly<::Events::XPM_EVENT_CHANNEL_ACQUIRED>(queued)) {
      auto* e = static_cast<::Events::XPM_EVENT_CHANNEL_ACQUIRED*>(queued);
      if (e->Status == kChannelAcquired || e->Channel.Major != channel->Major || e->Channel.Minor != channel->Minor)
        continue;
      e->Handled = 0;
      e->RetryCount = 0;
    }
  }
  eventAgent_->PostProcessEvents();
}

int32_t Wrapper::GetLiveTVState(int32_t window) {
  int32_t state = 1;
  if (XPM_GetLiveTVState(window, &state) != 0) return 1;
  return state;
}

}  // namespace SkinBin
