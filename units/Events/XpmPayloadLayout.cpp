#include "Events/XpmPayloadLayout.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>

#include "xpm_events.h"

namespace {

using K = XpmFieldKind;

constexpr XpmPayloadField I32(const char* name, uint32_t offset, uint32_t setBits = 0) {
  return {name, offset, K::Int32, 0, 0, setBits};
}
constexpr XpmPayloadField U16(const char* name, uint32_t offset) { return {name, offset, K::Uint16, 0, 0, 0}; }
constexpr XpmPayloadField Byte(const char* name, uint32_t offset) { return {name, offset, K::Byte, 0, 0, 0}; }
constexpr XpmPayloadField Text(const char* name, uint32_t offset, uint32_t width) {
  return {name, offset, K::Text, width, 0, 0};
}
constexpr XpmPayloadField Fixed(const char* name, int32_t value) { return {name, 0, K::Fixed, 0, value, 0}; }

constexpr XpmPayloadLayout L(uint32_t event, const char* className, uint32_t size,
                            std::initializer_list<XpmPayloadField> fields) {
  XpmPayloadLayout layout{event, XpmEventName(event), className, size, {}};
  size_t i = 0;
  for (const XpmPayloadField& field : fields) layout.fields[i++] = field;
  return layout;
}

// Mirrors the makers of XpmEventMap.cpp. Fields that a converter derives from
// a payload value in another way (a disk size in KB turned into GB, a scan's
// channel list) are left out: a scenario that needs them sends raw words.
constexpr XpmPayloadLayout kLayouts[] = {
    L(XpmEvent::Wakeup, "XPM_EVENT_WAKEUP", 4, {I32("Reason", 0)}),
    L(XpmEvent::Standby, "XPM_EVENT_STANDBY", 4, {I32("Reason", 0)}),
    L(XpmEvent::SourceAcquired, "XPM_EVENT_SOURCE_ACQUIRED", 8,
      {I32("Window", 0), I32("SourceId", 4), Fixed("Status", 16)}),
    // The reason (1 no signal, 2 invalid format, 4 rating lock) lands in
    // Status beside the acquired bit.
    L(XpmEvent::SourceNotAcquired, "XPM_EVENT_SOURCE_ACQUIRED", 12,
      {I32("Window", 0), I32("SourceId", 4), I32("Status", 8, 16)}),
    // Built with no channel list (word 7, the channel count, stays 0), the
    // report is one of a channel without lock; it has the whole 36-byte fixed
    // part that the middleware sends.
    L(XpmEvent::FullScanProgress, "XPM_EVENT_CHANNEL_SCAN_PROGRESS", 36,
      {I32("PhysicalChannel", 0), I32("Info", 4), I32("Progress", 8), Fixed("Count", 0)}),
    L(XpmEvent::SingleScanCompleted, "XPM_EVENT_CHANNEL_SCAN_PROGRESS", 36,
      {I32("PhysicalChannel", 0), I32("Info", 4), I32("Progress", 8), Fixed("Count", 0)}),
    // Major and Minor are the fields of the event's Channel.
    L(XpmEvent::ChannelAcquired, "XPM_EVENT_CHANNEL_ACQUIRED", 12,
      {I32("Window", 0), I32("Major", 4), I32("Minor", 8), Fixed("Status", 0)}),
    L(XpmEvent::ChannelNotAcquired, "XPM_EVENT_CHANNEL_ACQUIRED", 16,
      {I32("Window", 0), I32("Major", 4), I32("Minor", 8), I32("Status", 12)}),
    L(XpmEvent::ChannelMapEmpty, "XPM_EVENT_CHANNEL_ACQUIRED", 4,
      {I32("Window", 0), Fixed("Major", -2), Fixed("Minor", -2), Fixed("Status", 7)}),
    L(XpmEvent::RatingRegionUpdated, "XPM_EVENT_RATING_REGION_UPDATED", 4, {I32("Region", 0)}),
    L(XpmEvent::PvrPerfStatus, "PVRPerfStatusEvent", 40,
      {I32("Result", 0), I32("TestStatus", 4), Text("FileSystem", 24, 16)}),
    L(XpmEvent::HdmiSourceNameUpdated, "CEC_EVENT_NAME_UPDATED", 36,
      {I32("SourceId", 0), Text("Name", 4, 32)}),
    L(XpmEvent::SourceSignalDetected, "CEC_EVENT_SOURCE_DETECTED", 5,
      {I32("SourceId", 0), Byte("Detected", 4)}),
    L(XpmEvent::UpdateOsdString, "CEC_EVENT_UPDATE_STRING", 68, {I32("SourceId", 0), Text("Text", 4, 64)}),
    L(XpmEvent::CecDeckStatus, "CEC_EVENT_UPDATE_DECK_STATUS", 4, {I32("Status", 0)}),
    L(XpmEvent::CecAudioStatus, "CEC_EVENT_UPDATE_AUDIO_STATUS", 4, {I32("Status", 0)}),
    L(XpmEvent::NetworkTestResults, "NetworkTestResultsEvent", 12,
      {I32("Status", 0), I32("TestKind", 4), I32("Value", 8)}),
    L(XpmEvent::WlanScanComplete, "WlanScanCompleteEvent", 4, {I32("Status", 0)}),
    L(XpmEvent::WlanConnectComplete, "WlanConnectCompleteEvent", 4, {I32("Status", 0)}),
    // The status picks the object rather than filling it: 1 and 3 make a
    // NetworkInterfaceUpEvent, 0 and 5 a NetworkInterfaceDownEvent, of the
    // wired (0, 1) or the wireless (3, 5) interface.
    L(XpmEvent::NetworkStatus, "NetworkInterfaceUpEvent", 4, {I32("Status", 0)}),
    // Kind 0 hands the command Code to the factory command processor, whose
    // result makes the event; kind 2, a discrete key, makes an event of Type 2
    // whose Value is the Code.
    L(XpmEvent::Factory, "XPM_EVENT_FACTORY_COMMAND", 8, {I32("Kind", 0), I32("Code", 4)}),
    L(XpmEvent::Report3DMode, "XPM_EVENT_REPORT_3DMODE", 10,
      {I32("PresentationWindow", 0), I32("SourceId", 4), Byte("TransitionType", 8), Byte("Value", 9)}),
    L(XpmEvent::RegisterTableChanged, "XPM_EVENT_REPORT_REGISTER_TABLE_CHANGE", 32,
      {Text("Name", 0, 32)}),
    L(XpmEvent::TV101State, "XPM_EVENT_TV101_STATE", 4, {I32("State", 0)}),
    L(XpmEvent::RecordStatus, "PVRRecordStatusEvent", 12, {I32("TunerId", 0), I32("Status", 8)}),
    L(XpmEvent::UsbFormat, "PVRUSBFormatEvent", 4, {I32("Status", 0)}),
    L(XpmEvent::TimerStandby, "TimerStandbyEvent", 4, {I32("Value", 0)}),
    // Major and Minor are the fields of the event's Channel.
    L(XpmEvent::EpgScanProgress, "XPM_EVENT_EPG_CHANNEL_SCAN_PROGRESS", 20,
      {U16("Values[0]", 6), U16("Values[1]", 8), I32("Major", 12), I32("Minor", 16)}),
    L(XpmEvent::TimerRecordWarning, "TimerRecordWarningEvent", 4, {I32("Value", 0)}),
    L(XpmEvent::RecordPlaybackStatus, "RecordPlaybackStatusEvent", 16,
      {I32("Value", 0), Byte("DeviceFlag", 8), I32("Status", 12)}),
    L(XpmEvent::CheckTmsAccount, "TMSCheckEvent", 4, {I32("Status", 0)}),
};

void Put(std::vector<uint8_t>* payload, uint32_t offset, uint64_t value, uint32_t bytes) {
  if (payload->size() < offset + bytes) payload->resize(offset + bytes);
  for (uint32_t i = 0; i < bytes; ++i) (*payload)[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

size_t XpmPayloadLayoutCount() { return std::size(kLayouts); }
const XpmPayloadLayout& XpmPayloadLayoutAt(size_t index) { return kLayouts[index]; }

const XpmPayloadLayout* FindXpmPayloadLayout(std::string_view name) {
  for (const XpmPayloadLayout& layout : kLayouts)
    if (name == layout.name || name == std::to_string(layout.event)) return &layout;
  const XpmPayloadLayout* byClass = nullptr;
  for (const XpmPayloadLayout& layout : kLayouts) {
    if (name != layout.className) continue;
    if (byClass) return nullptr;  // several events make the class: the event must be named
    byClass = &layout;
  }
  return byClass;
}

const XpmPayloadField* FindXpmPayloadField(const XpmPayloadLayout& layout, std::string_view name) {
  for (const XpmPayloadField& field : layout.fields)
    if (field.name && name == field.name) return &field;
  return nullptr;
}

void EncodeXpmPayloadNumber(const XpmPayloadField& field, int64_t value, std::vector<uint8_t>* payload) {
  switch (field.kind) {
    case K::Int32: Put(payload, field.offset, static_cast<uint64_t>(value), 4); break;
    case K::Uint16: Put(payload, field.offset, static_cast<uint64_t>(value), 2); break;
    case K::Byte: Put(payload, field.offset, static_cast<uint64_t>(value), 1); break;
    case K::Text:
    case K::Fixed: break;
  }
}

void EncodeXpmPayloadText(const XpmPayloadField& field, const std::string& text, std::vector<uint8_t>* payload) {
  if (field.kind != K::Text || field.width == 0) return;
  // The last byte of the field stays the end mark.
  const size_t length = std::min<size_t>(text.size(), field.width - 1);
  if (payload->size() < field.offset + field.width) payload->resize(field.offset + field.width);
  std::fill_n(payload->begin() + field.offset, field.width, uint8_t{0});
  std::copy_n(text.begin(), length, payload->begin() + field.offset);
}
