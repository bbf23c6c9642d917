#include "Events/XpmEventMap.h"

#include <cstring>

#include "Events/Events.h"
#include "vgdebug.h"
#include "vgpayload.h"
#include "vgstring.h"
#include "xpm_events.h"
#include "db.h"
#include "ntfy.h"
#include "oam.h"
#include "xpm.h"

// -------------------------------------------------------------------- host

namespace {

VgXpmEventHost g_host;

int32_t Flag(std::atomic<int32_t>* flag, int32_t absent) { return flag ? flag->load() : absent; }
void SetFlag(std::atomic<int32_t>* flag, int32_t value) {
  if (flag) flag->store(value);
}

void Dispatch(Core::Event* event) {
  if (event && g_host.DispatchEvent) g_host.DispatchEvent(event);
}

}  // namespace

VgXpmEventHost VgInstallXpmEventHost(const VgXpmEventHost& host) {
  VgXpmEventHost previous = g_host;
  g_host = host;
  return previous;
}

int32_t SendAppPlayerNotifyMsg(int32_t code) {
  void* message = nullptr;
  if (ntfy_convert_strings_to_sysv_msg(code, nullptr, nullptr, &message) != 0) {
    VgPrint("Failed to convert the notification message in thread in: %s\n", "SendAppPlayerNotifyMsg");
    return 0;
  }
  const bool sent = ntfy_send_sysv_msg(ntfy_get_mqid(), message) == 0;
  ntfy_free_sysv_msg(message);
  if (!sent) {
    VgPrint("Failed to send the notification message in thread in: %s\n", "SendAppPlayerNotifyMsg");
    return 0;
  }
  return 1;
}

// ------------------------------------------------------------------- makers

namespace {

using Payload = VgPayloadReader;

VgString Ansi(const std::string& text) { return VgNewStringAnsi(text.c_str()); }

// A disk speed or size reported as a double or an unsigned count, cut to an
// unsigned integer. A value that does not fit (negative, not a number, too
// large) is clamped instead of converted, which C++ leaves undefined.
uint32_t ToUnsigned(double value) {
  if (!(value >= 0)) return 0;
  if (value >= 4294967295.0) return 4294967295u;
  return static_cast<uint32_t>(value);
}

const char* SourceReason(uint32_t reason) {
  switch (reason) {
    case 1: return "No Signal";
    case 2: return "Invalid Format";
    case 4: return "Rating Lock";
    default: return "Unknown";
  }
}

const char* ChannelReason(uint32_t reason) {
  switch (reason) {
    case 1: return "No Tuner Lock";
    case 2: return "Not In Stream";
    case 3: return "No Video";
    case 4: return "Channel Lock";
    case 5: return "Rating Lock";
    default: return "Unknown";
  }
}

template <class T>
Core::Event* Plain(const Payload&) {
  return VgNew<T>();
}

// Events whose one field is payload word 0.
template <class T, auto Field>
Core::Event* FirstWord(const Payload& p) {
  auto* e = VgNew<T>();
  e->*Field = p.Int(0);
  return e;
}

template <int32_t State>
Core::Event* YahooNotify(const Payload&) {
  auto* e = VgNew<Events::YahooNotifyEvent>();
  e->State = State;
  return e;
}

Core::Event* Wakeup(const Payload& p) {
  SetFlag(g_host.g_IsPowerOn, 1);  // before dispatch, so the wake-up itself reaches the root
  return FirstWord<Events::XPM_EVENT_WAKEUP, &Events::XPM_EVENT_WAKEUP::Reason>(p);
}

Core::Event* SourceAcquired(const Payload& p) {
  auto* e = VgNew<Events::XPM_EVENT_SOURCE_ACQUIRED>();
  e->Window = p.Int(0);
  e->SourceId = p.Int(1);
  e->Status = 16;
  return e;
}

Core::Event* SourceNotAcquired(const Payload& p) {
  VgPrint("vg_xpmEventCallback: XPM_EVENT_SOURCE_NOT_ACQUIRED (Reason: %s)\n", SourceReason(p.Word(2)));
  auto* e = VgNew<Events::XPM_EVENT_SOURCE_ACQUIRED>();
  e->Window = p.Int(0);
  e->SourceId = p.Int(1);
  e->Status = p.Int(2) | 16;
  return e;
}

Events::XPM_EVENT_CHANNEL_ACQUIRED* ChannelEvent(int32_t window, int32_t major, int32_t minor, int32_t status) {
  auto* e = VgNew<Events::XPM_EVENT_CHANNEL_ACQUIRED>();
  e->Window = window;
  e->Channel.Major = major;
  e->Channel.Minor = minor;
  e->Status = status;
  return e;
}

Core::Event* ChannelAcquired(const Payload& p) { return ChannelEvent(p.Int(0), p.Int(1), p.Int(2), 0); }

Core::Event* ChannelNotAcquired(const Payload& p) {
  VgPrint("vg_xpmEventCallback: XPM_EVENT_CHANNEL_NOT_ACQUIRED (Reason: %s)\n", ChannelReason(p.Word(3)));
  return ChannelEvent(p.Int(0), p.Int(1), p.Int(2), p.Int(3));
}

Core::Event* ChannelMapEmpty(const Payload& p) {
  VgPrint("vg_xpmEventCallback: XPM_EVENT_CHANNEL_MAP_EMPTY\n");
  return ChannelEvent(p.Int(0), -2, -2, 7);
}

// The scan report's fixed part is 36 bytes; the channel list (major, minor
// per channel) follows it in the payload.
constexpr uint32_t kScanFixedPart = 36;
constexpr uint32_t kScanCountWord = 7;
constexpr int32_t kScanChannelLimit = 99;

// The one check of a scan report: it must carry every channel its count
// announces. A report that lists no channels is one of no lock, whatever
// its size.
Core::Event* ScanProgress(const Payload& p) {
  const uint32_t count = p.Word(kScanCountWord);
  const uint32_t taken = count < uint32_t{kScanChannelLimit} ? count : uint32_t{kScanChannelLimit};
  if (count && kScanFixedPart + uint64_t{count} * 8 > p.Size()) {
    VgPrint("vg_xpmEventCallback: a scan report announces %u channels in %u payload bytes, dropped\n", count,
            p.Size());
    return nullptr;
  }
  VgPrint("Channel[%2lu:] ", static_cast<unsigned long>(p.Word(0)));
  auto* e = VgNew<Events::XPM_EVENT_CHANNEL_SCAN_PROGRESS>();
  e->PhysicalChannel = p.Int(0);
  e->Info = p.Int(1);
  e->Progress = p.Int(2);
  if (count == 0) {
    VgPrint(": No lock\n");
    return e;
  }
  VgPrint(" %ld   NumChannels =%ld \n", static_cast<long>(p.Int(kScanFixedPart / 4)), static_cast<long>(count));
  e->ScanKind = p.Int(3);
  e->Count = static_cast<int32_t>(taken);
  for (uint32_t i = 0; i < taken; ++i) {
    auto* channel = VgNew<Structures::VirtualChannel>();
    channel->Major = p.Int(kScanFixedPart / 4 + 2 * i);
    channel->Minor = p.Int(kScanFixedPart / 4 + 2 * i + 1);
    e->Channels[i] = channel;
  }
  return e;
}

Core::Event* RatingRegion(const Payload& p) {
  auto* e = VgNew<Events::XPM_EVENT_RATING_REGION_UPDATED>();
  e->Region = p.Int(0);
  return e;
}

Core::Event* DiskTest(const Payload& p) {
  const double speed = p.Double(16);
  const std::string fileSystem = p.Text(24);
  VgPrint("Test Status %d\n", p.Int(1));
  VgPrint("Total Space %0.1fGB\n", p.Word(2) / 1048576.0);
  VgPrint("Available Space %0.1fGB\n", p.Word(3) / 1048576.0);
  VgPrint("USB Hard Disk Speed: %lf\n", speed);
  VgPrint("USB File Type: %s\n", fileSystem.c_str());
  auto* e = VgNew<Events::PVRPerfStatusEvent>();
  e->Result = p.Int(0);
  e->TestStatus = p.Int(1);
  e->FileSystem = Ansi(fileSystem);
  e->TotalSpace = static_cast<int32_t>(p.Word(2) / 1024);
  e->AvailableSpace = static_cast<int32_t>(p.Word(3) / 1024);
  e->Speed = static_cast<int32_t>(ToUnsigned(speed));
  return e;
}

Core::Event* CecNameUpdated(const Payload& p) {
  const std::string name = p.Text(4);
  VgPrint("vg_xpmEventCallback: XPM_EVENT_HDMI_SOURCE_NAME_UPDATED [%ld: %s]\n", static_cast<long>(p.Int(0)),
          name.c_str());
  auto* e = VgNew<Events::CEC_EVENT_NAME_UPDATED>();
  e->SourceId = p.Int(0);
  e->Name = Ansi(name);
  return e;
}

Core::Event* CecSourceDetected(const Payload& p) {
  VgPrint("vg_xpmEventCallback: XPM_EVENT_SOURCE_SIGNAL_DETECTED SrcId[%ld]\n", static_cast<long>(p.Int(0)));
  auto* e = VgNew<Events::CEC_EVENT_SOURCE_DETECTED>();
  e->SourceId = p.Int(0);
  e->Detected = p.Byte(4);
  return e;
}

Core::Event* CecOsdString(const Payload& p) {
  const std::string text = p.Text(4);
  VgPrint("vg_xpmEventCallback: XPM_EVENT_UPDATE_OSD_STRING [%ld: %s]\n", static_cast<long>(p.Int(0)),
          text.c_str());
  auto* e = VgNew<Events::CEC_EVENT_UPDATE_STRING>();
  e->SourceId = p.Int(0);
  e->Text = Ansi(text);
  return e;
}

Core::Event* CecDeckStatus(const Payload& p) {
  VgPrint("vg_xpmEventCallback: XPM_EVENT_UPDATE_CEC_DECK_STATUS [%u]\n", p.Word(0));
  return FirstWord<Events::CEC_EVENT_UPDATE_DECK_STATUS, &Events::CEC_EVENT_UPDATE_DECK_STATUS::Status>(p);
}

Core::Event* CecAudioStatus(const Payload& p) {
  VgPrint("vg_xpmEventCallback: XPM_EVENT_PARAMS_CEC_AUDIO_STATUS_UPDATE [%u]\n", p.Word(0));
  return FirstWord<Events::CEC_EVENT_UPDATE_AUDIO_STATUS, &Events::CEC_EVENT_UPDATE_AUDIO_STATUS::Status>(p);
}

Core::Event* NetworkTestResults(const Payload& p) {
  auto* e = VgNew<Events::NetworkTestResultsEvent>();
  e->Status = p.Int(0);
  e->TestKind = p.Int(1);
  e->Value = p.Int(2);
  return e;
}

Core::Event* WlanScanComplete(const Payload& p) {
  VgPrint("XPM_EVENT_PARAMS_WLAN_SCAN_COMPLETE - status = %d\n", p.Int(0));
  auto* e = VgNew<Events::WlanScanCompleteEvent>();
  e->Status = p.Int(0);
  return e;
}

Core::Event* WlanConnectComplete(const Payload& p) {
  VgPrint("XPM_EVENT_PARAMS_WLAN_CONNECT_COMPLETE - status = %d\n", p.Int(0));
  return FirstWord<Events::WlanConnectCompleteEvent, &Events::WlanConnectCompleteEvent::Status>(p);
}

template <class T>
Core::Event* Interface(int32_t which) {
  auto* e = VgNew<T>();
  e->Interface = which;
  return e;
}

Core::Event* NetworkStatus(const Payload& p) {
  const uint16_t status = static_cast<uint16_t>(p.Word(0));
  if (g_host.PslNetworkStatusChanged) g_host.PslNetworkStatusChanged(status);
  switch (status) {
    case 1: return Interface<Events::NetworkInterfaceUpEvent>(0);
    case 3: return Interface<Events::NetworkInterfaceUpEvent>(1);
    case 0: return Interface<Events::NetworkInterfaceDownEvent>(0);
    case 5: return Interface<Events::NetworkInterfaceDownEvent>(1);
    default: return nullptr;
  }
}

Events::XPM_EVENT_FACTORY_COMMAND* FactoryEvent(int32_t type, const VgClass* screen, int32_t value) {
  auto* e = VgNew<Events::XPM_EVENT_FACTORY_COMMAND>();
  e->Type = type;
  e->ScreenClass = screen;
  e->Value = value;
  return e;
}

// A zero-padded text of the result, read no further than its array.
template <size_t N>
VgString ResultText(const char (&text)[N]) {
  return Ansi(std::string(text, strnlen(text, N)));
}

// The factory command record starts at payload word 1. It goes to the
// processor as a full, zero-filled record, so a short payload never lets the
// processor read past it. It is read byte by byte: a text argument need not
// fill its last word, and every byte it carries is kept.
Core::Event* FactoryCommand(const Payload& p) {
  uint32_t record[kFactoryCommandRecordSize / 4] = {};
  for (uint32_t i = 0; i < kFactoryCommandRecordSize / 4; ++i) {
    const uint32_t at = 4 * (1 + i);
    record[i] = uint32_t{p.Byte(at)} | uint32_t{p.Byte(at + 1)} << 8 | uint32_t{p.Byte(at + 2)} << 16 |
                uint32_t{p.Byte(at + 3)} << 24;
  }
  FactoryCommandResult result;
  if (!g_host.FactoryCommandProcess) {
    VgPrint("vg_xpmEventCallback: no factory command processor for 0x%08X\n", record[0]);
    return nullptr;
  }
  g_host.FactoryCommandProcess(record, &result);
  switch (result.kind) {
    case 1: return FactoryEvent(Events::XPM_EVENT_FACTORY_COMMAND::TypeMenu, result.screen, result.value);
    case 2: {
      auto* e = FactoryEvent(Events::XPM_EVENT_FACTORY_COMMAND::TypeValue, nullptr, result.value);
      e->Text = ResultText(result.name);
      return e;
    }
    case 3:
      return FactoryEvent(Events::XPM_EVENT_FACTORY_COMMAND::TypeRawCommand, nullptr,
                          static_cast<int32_t>(result.code));
    case 4: {
      auto* e = FactoryEvent(Events::XPM_EVENT_FACTORY_COMMAND::TypeMessage, result.screen, result.value);
      e->Text = ResultText(result.text);
      return e;
    }
    default: return nullptr;
  }
}

Core::Event* Factory(const Payload& p) {
  switch (p.Word(0)) {
    case 0:
      if (!p.Has(0, 8)) break;
      return FactoryCommand(p);
    case 2:
      if (!p.Has(0, 8)) break;
      VgPrint("OAM_EVENT_CUSTOM_DISCRET_KEY %x\n", p.Word(1));
      return FactoryEvent(Events::XPM_EVENT_FACTORY_COMMAND::TypeRawCommand, nullptr, p.Int(1));
    case 4: {
      if (!p.Has(0, 6)) break;
      auto* e = VgNew<Events::XPM_EVENT_FAN_ERROR>();
      e->Values[1] = p.Byte(4);
      e->Values[0] = p.Byte(5);
      return e;
    }
    default: return nullptr;
  }
  VgPrint("vg_xpmEventCallback: factory event of kind %u with %u bytes of payload; dropped\n", p.Word(0), p.Size());
  return nullptr;
}

Core::Event* Report3DMode(const Payload& p) {
  VgPrint("vg_xpmEventCallback: XPM_EVENT_REPORT_3DMODE PresWindow[%ld], SrcId[%ld], TransitionType[%ld]\n",
          static_cast<long>(p.Int(0)), static_cast<long>(p.Int(1)), static_cast<long>(p.Byte(8)));
  auto* e = VgNew<Events::XPM_EVENT_REPORT_3DMODE>();
  e->PresentationWindow = p.Int(0);
  e->SourceId = p.Int(1);
  e->TransitionType = p.Byte(8);
  e->Value = p.Byte(9);
  return e;
}

Core::Event* RegisterTableChange(const Payload& p) {
  const std::string key = p.Text(0);
  VgPrint("XPM_EVENT_REPORT_REGISTER_TABLE_CHANGED is received for key[%s]\n", key.c_str());
  auto* e = VgNew<Events::XPM_EVENT_REPORT_REGISTER_TABLE_CHANGE>();
  e->Name = Ansi(key);
  return e;
}

Core::Event* TV101State(const Payload& p) {
  VgPrint("vg_xpmEventCallback: XPM_EVENT_TV101_STATE(%d)\n", p.Int(0));
  return FirstWord<Events::XPM_EVENT_TV101_STATE, &Events::XPM_EVENT_TV101_STATE::State>(p);
}

Core::Event* RecordStatus(const Payload& p) {
  VgPrint("Recording Status %d\n", p.Int(2));
  VgPrint("Recording TunerId %d\n", p.Int(0));
  auto* e = VgNew<Events::PVRRecordStatusEvent>();
  e->TunerId = p.Int(0);
  e->Status = p.Int(2);
  return e;
}

Core::Event* UsbFormat(const Payload& p) {
  VgPrint("Recording Status %d\n", p.Int(0));
  return FirstWord<Events::PVRUSBFormatEvent, &Events::PVRUSBFormatEvent::Status>(p);
}

Core::Event* EpgScanProgress(const Payload& p) {
  VgPrint("Channel[%d.%d] ", p.Int(3), p.Int(4));
  auto* e = VgNew<Events::XPM_EVENT_EPG_CHANNEL_SCAN_PROGRESS>();
  e->Values[0] = p.U16(6);
  e->Values[1] = p.U16(8);
  auto* channel = VgNew<Structures::VirtualChannel>();
  channel->Major = p.Int(3);
  channel->Minor = p.Int(4);
  e->Channel = channel;
  return e;
}

Core::Event* PlaybackStatus(const Payload& p) {
  auto* e = VgNew<Events::RecordPlaybackStatusEvent>();
  e->Value = p.Int(0);
  e->Status = p.Int(3);
  e->DeviceFlag = static_cast<uint8_t>(p.Word(2));
  return e;
}

Core::Event* TmsCheck(const Payload& p) {
  VgPrint("TMS Account Status %d\n", p.Int(0));
  return FirstWord<Events::TMSCheckEvent, &Events::TMSCheckEvent::Status>(p);
}

// --------------------------------------------------------- after dispatch

// The customised property that a power-on reads and writes back, the
// power-down statuses of the database (the one written at power-on marks a
// loss of power until the next orderly power-off), and the notification the
// external application player gets.
constexpr int32_t kPowerOnProperty = 107;
constexpr int32_t kPowerDownNormal = 1;
constexpr int32_t kPowerDownLost = 2;
constexpr int32_t kPowerDownCrash = 3;
constexpr int32_t kNotifyPowerOn = 7;

void PowerOnBookkeeping() {
  int32_t value = 0;
  OAM_GetCustomizedProperty(kPowerOnProperty, &value);
  OAM_SetCustomizedProperty(kPowerOnProperty, value);
  TimerWakeupRecord();
  int32_t status = 0;
  if (DB_Get_PowerDown_Status(&status) != 0) status = 0;
  DB_Update_PowerDown_Status(kPowerDownLost);
  switch (status) {
    case kPowerDownNormal:
      VgPrint("Normal Power Off, The time is valid\n");
      XPM_PowerOnUpdateScheduledDataDB();
      break;
    case kPowerDownLost: VgPrint("Lost Power, we need wait time valid, thread\n"); break;
    case kPowerDownCrash:
      VgPrint("System Crash Recovery\n");
      XPM_PowerOnUpdateScheduledDataDB();
      break;
    default: VgPrint("Unknow power status\n"); break;
  }
  SendAppPlayerNotifyMsg(kNotifyPowerOn);
  XPM_EnableUSBPopupMsg();
}

void AfterWakeup(const Payload& p, Core::Event*) {
  if (p.Int(0) == 1)
    PowerOnBookkeeping();
  else
    XPM_EnableUSBPopupMsg();
}

// A standby that the interface refused (a recording keeps the set on) leaves
// the set on: dropping every later key and event would leave it deaf until the
// next wake-up.
void AfterStandby(const Payload&, Core::Event* event) {
  auto* standby = vg_cast<Events::XPM_EVENT_STANDBY>(event);
  if (standby && standby->Refused) return;
  SetFlag(g_host.g_IsPowerOn, 0);
}

// The end of every wireless connection attempt is fed back to the factory
// command processor, whose network test waits for it.
constexpr uint32_t kFactoryWlanConnected = 0x40EA44BB;
constexpr uint32_t kFactoryWlanFailed = 0x40EA45BA;

void AfterWlanConnect(const Payload& p, Core::Event*) {
  const uint32_t code = p.Int(0) == 2 ? kFactoryWlanConnected : kFactoryWlanFailed;
  uint8_t payload[4 + kFactoryCommandRecordSize] = {};
  for (int i = 0; i < 4; ++i) payload[4 + i] = static_cast<uint8_t>(code >> (8 * i));
  vg_xpmEventCallback(0, XpmEvent::Factory, sizeof payload, payload);
}

// ------------------------------------------------------------------- table

struct Row {
  uint32_t event;
  bool log;  // the event's name is printed after "vg_xpmEventCallback: " before it is made
  uint32_t payloadSize;  // bytes the fields are read from
  Core::Event* (*make)(const Payload&);
  void (*after)(const Payload&, Core::Event*);
};

using namespace Events;

constexpr Row kRows[] = {
    {XpmEvent::Wakeup, true, 4, &Wakeup, &AfterWakeup},
    {XpmEvent::Standby, true, 4, &FirstWord<XPM_EVENT_STANDBY, &XPM_EVENT_STANDBY::Reason>, &AfterStandby},
    {XpmEvent::SourceAcquired, true, 8, &SourceAcquired, nullptr},
    {XpmEvent::SourceNotAcquired, false, 12, &SourceNotAcquired, nullptr},
    {XpmEvent::FullScanProgress, true, 32, &ScanProgress, nullptr},
    {XpmEvent::FullScanCompleted, true, 0, &Plain<XPM_EVENT_FULL_SCAN_COMPLETE>, nullptr},
    {XpmEvent::FullScanAborted, true, 0, &Plain<XPM_EVENT_FULL_SCAN_ABORTED>, nullptr},
    {XpmEvent::SingleScanCompleted, true, 32, &ScanProgress, nullptr},
    {XpmEvent::SingleScanAborted, true, 0, &Plain<XPM_EVENT_SINGLE_SCAN_ABORTED>, nullptr},
    {XpmEvent::ChannelAcquired, true, 12, &ChannelAcquired, nullptr},
    {XpmEvent::ChannelNotAcquired, false, 16, &ChannelNotAcquired, nullptr},
    {XpmEvent::ChannelMapFull, true, 0, &Plain<XPM_EVENT_CHANNEL_MAP_FULL>, nullptr},
    {XpmEvent::ChannelMapEmpty, false, 4, &ChannelMapEmpty, nullptr},
    {XpmEvent::RatingRegionUpdated, true, 4, &RatingRegion, nullptr},
    {XpmEvent::Ignored, false, 0, nullptr, nullptr},
    {XpmEvent::VideoResolutionChanged, true, 0, &Plain<VideoResolutionChangedEvent>, nullptr},
    {XpmEvent::PvrPerfStatus, true, 24, &DiskTest, nullptr},
    {XpmEvent::HdmiSourceNameUpdated, false, 4, &CecNameUpdated, nullptr},
    {XpmEvent::SourceSignalDetected, false, 5, &CecSourceDetected, nullptr},
    {XpmEvent::UpdateOsdString, false, 4, &CecOsdString, nullptr},
    {XpmEvent::CecDeckStatus, false, 4, &CecDeckStatus, nullptr},
    {XpmEvent::CecFeaturesStatus, true, 0, &Plain<CEC_EVENT_UPDATE_FEATURES_STATUS>, nullptr},
    {XpmEvent::CecAudioStatus, false, 4, &CecAudioStatus, nullptr},
    {XpmEvent::NetworkTestResults, false, 12, &NetworkTestResults, nullptr},
    {XpmEvent::WlanScanComplete, false, 4, &WlanScanComplete, nullptr},
    {XpmEvent::WlanConnectComplete, false, 4, &WlanConnectComplete, &AfterWlanConnect},
    {XpmEvent::NetworkStatus, false, 4, &NetworkStatus, nullptr},
    {XpmEvent::YahooOn, false, 0, &YahooNotify<1>, nullptr},
    {XpmEvent::YahooOff, false, 0, &YahooNotify<0>, nullptr},
    {XpmEvent::UsbOverCurrent, true, 0, &Plain<XPM_EVENT_USB_OVERCURRENT>, nullptr},
    {XpmEvent::Factory, false, 4, &Factory, nullptr},
    {XpmEvent::Report3DMode, false, 10, &Report3DMode, nullptr},
    {XpmEvent::RegisterTableChanged, false, 1, &RegisterTableChange, nullptr},
    {XpmEvent::TV101State, false, 4, &TV101State, nullptr},
    {XpmEvent::ExternalAppStatus, true, 0, &Plain<XPM_EVENT_UPDATE_EXTERNAL_APP_STATUS>, nullptr},
    {XpmEvent::RecordStatus, true, 12, &RecordStatus, nullptr},
    {XpmEvent::UsbFormat, true, 4, &UsbFormat, nullptr},
    {XpmEvent::TimerStandby, true, 4, &FirstWord<TimerStandbyEvent, &TimerStandbyEvent::Value>, nullptr},
    {XpmEvent::EpgScanProgress, true, 20, &EpgScanProgress, nullptr},
    {XpmEvent::EpgScanCompleted, true, 0, &Plain<XPM_EVENT_EPG_FULL_SCAN_COMPLETE>, nullptr},
    {XpmEvent::EpgScanAborted, true, 0, &Plain<XPM_EVENT_EPG_FULL_SCAN_ABORTED>, nullptr},
    {XpmEvent::TimerRecordWarning, true, 4,
     &FirstWord<TimerRecordWarningEvent, &TimerRecordWarningEvent::Value>, nullptr},
    {XpmEvent::RecordPlaybackStatus, true, 16, &PlaybackStatus, nullptr},
    {XpmEvent::CheckTmsAccount, true, 4, &TmsCheck, nullptr},
};

const Row* FindRow(uint32_t event) {
  for (const Row& row : kRows)
    if (row.event == event) return &row;
  return nullptr;
}

constexpr uint32_t kIgnoredCookie = 0xABCDEF00;

bool WakesDeferredStart(uint32_t event) {
  return event == XpmEvent::SourceAcquired || event == XpmEvent::SourceNotAcquired ||
         event == XpmEvent::ChannelAcquired || event == XpmEvent::ChannelNotAcquired ||
         event == XpmEvent::ChannelMapEmpty;
}

}  // namespace

size_t XpmEventRowCount() { return std::size(kRows); }
XpmEventRowInfo XpmEventRowAt(size_t index) {
  return index < std::size(kRows) ? XpmEventRowInfo{kRows[index].event, kRows[index].payloadSize}
                                  : XpmEventRowInfo{0, 0};
}

// ------------------------------------------------------------------- entry

void vg_xpmEventCallback(uint32_t cookie, uint32_t event, uint32_t size, const void* payload) {
  // After a streaming disable every queued event is dropped until the flush
  // marker that the disable posted comes through.
  if (!Flag(g_host.gTVProcessKeysandEvents, 1) || !Flag(g_host.gKeyEventFlushMarkerFound, 1)) {
    if (event == XpmEvent::FlushMarker) {
      SetFlag(g_host.gTVProcessKeysandEvents, 1);
      SetFlag(g_host.gKeyEventFlushMarkerFound, 1);
    }
    return;
  }
  VgPrint("vg_xpmEventCallback: Cookie = %x, Event = %x\n", cookie, event);
  if ((cookie & kIgnoredCookie) == kIgnoredCookie) return;
  if (!Flag(g_host.ctvInited, 1) && WakesDeferredStart(event) && g_host.SetCtvEvent) g_host.SetCtvEvent();

  const Row* row = FindRow(event);
  if (!row) {
    VgPrint("vg_xpmEventCallback: 0x%08X unhandled\n", event);
    return;
  }
  if (!row->make) return;
  const VgPayloadReader p(payload, size);
  if (!p.Has(0, row->payloadSize)) {
    VgPrint("vg_xpmEventCallback: event %u needs %u bytes of payload, got %u; dropped\n", event, row->payloadSize,
            p.Size());
    return;
  }
  if (row->log) VgPrint("vg_xpmEventCallback: %s\n", XpmEventName(event));
  Core::Event* created = row->make(p);
  if (!created) return;
  // The event must outlive its dispatch: the step after it reads what the
  // screens wrote into it, and the loop may collect inside the dispatch.
  VgLockObject(created);
  Dispatch(created);
  if (row->after) row->after(p, created);
  VgUnlockObject(created);
}

void vg_ubnResultCallback(int32_t result, int32_t value, const char* text) {
  VgPrint("vg_ubnResultCallback: result %d, value %d\n", result, value);
  auto* event = VgNew<Events::XPM_EVENT_UBN_RESULT>();
  event->Result = result;
  event->Value = value;
  event->Text = VgNewStringAnsi(text ? text : "");
  VgLockObject(event);
  Dispatch(event);
  VgUnlockObject(event);
}
