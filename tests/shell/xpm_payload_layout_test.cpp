#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "Events/Events.h"
#include "Events/XpmEventMap.h"
#include "Events/XpmPayloadLayout.h"

namespace {

using Read = std::function<std::string(Core::Event*)>;
using namespace Events;

template <class T>
T* As(Core::Event* e) {
  return static_cast<T*>(e);
}

#define NUMBER(Class, Field, Expr) \
  {#Class, Field, [](Core::Event* e) { return std::to_string(As<Class>(e)->Expr); }}
#define TEXT(Class, Field, Expr) \
  {#Class, Field, [](Core::Event* e) { return VgStringToUtf8(As<Class>(e)->Expr); }}

struct Accessor {
  const char* className;
  const char* field;
  Read read;
};

// How the test reads each field that the layout names from the object: the
// layout is data, and a field it names that the object lacks has no reader
// here, which fails the test.
const std::vector<Accessor>& Accessors() {
  static const std::vector<Accessor> accessors = {
      NUMBER(XPM_EVENT_WAKEUP, "Reason", Reason),
      NUMBER(XPM_EVENT_STANDBY, "Reason", Reason),
      NUMBER(XPM_EVENT_SOURCE_ACQUIRED, "Window", Window),
      NUMBER(XPM_EVENT_SOURCE_ACQUIRED, "SourceId", SourceId),
      NUMBER(XPM_EVENT_SOURCE_ACQUIRED, "Status", Status),
      NUMBER(XPM_EVENT_CHANNEL_SCAN_PROGRESS, "PhysicalChannel", PhysicalChannel),
      NUMBER(XPM_EVENT_CHANNEL_SCAN_PROGRESS, "Info", Info),
      NUMBER(XPM_EVENT_CHANNEL_SCAN_PROGRESS, "Progress", Progress),
      NUMBER(XPM_EVENT_CHANNEL_SCAN_PROGRESS, "Count", Count),
      NUMBER(XPM_EVENT_CHANNEL_ACQUIRED, "Window", Window),
      NUMBER(XPM_EVENT_CHANNEL_ACQUIRED, "Major", Channel.Major),
      NUMBER(XPM_EVENT_CHANNEL_ACQUIRED, "Minor", Channel.Minor),
      NUMBER(XPM_EVENT_CHANNEL_ACQUIRED, "Status", Status),
      NUMBER(XPM_EVENT_RATING_REGION_UPDATED, "Region", Region),
      NUMBER(PVRPerfStatusEvent, "Result", Result),
      NUMBER(PVRPerfStatusEvent, "TestStatus", TestStatus),
      TEXT(PVRPerfStatusEvent, "FileSystem", FileSystem),
      NUMBER(CEC_EVENT_NAME_UPDATED, "SourceId", SourceId),
      TEXT(CEC_EVENT_NAME_UPDATED, "Name", Name),
      NUMBER(CEC_EVENT_SOURCE_DETECTED, "SourceId", SourceId),
      NUMBER(CEC_EVENT_SOURCE_DETECTED, "Detected", Detected),
      NUMBER(CEC_EVENT_UPDATE_STRING, "SourceId", SourceId),
      TEXT(CEC_EVENT_UPDATE_STRING, "Text", Text),
      NUMBER(CEC_EVENT_UPDATE_DECK_STATUS, "Status", Status),
      NUMBER(CEC_EVENT_UPDATE_AUDIO_STATUS, "Status", Status),
      NUMBER(NetworkTestResultsEvent, "Status", Status),
      NUMBER(NetworkTestResultsEvent, "TestKind", TestKind),
      NUMBER(NetworkTestResultsEvent, "Value", Value),
      NUMBER(WlanScanCompleteEvent, "Status", Status),
      NUMBER(WlanConnectCompleteEvent, "Status", Status),
      // The status comes back from the object's class and interface.
      {"NetworkInterfaceUpEvent", "Status",
       [](Core::Event* e) {
         if (vg_is_exactly<NetworkInterfaceUpEvent>(e))
           return std::to_string(As<NetworkInterfaceUpEvent>(e)->Interface ? 3 : 1);
         if (vg_is_exactly<NetworkInterfaceDownEvent>(e))
           return std::to_string(As<NetworkInterfaceDownEvent>(e)->Interface ? 5 : 0);
         return std::string("not a network interface event");
       }},
      // A discrete key (kind 2) makes an event of type 2 that carries the code.
      NUMBER(XPM_EVENT_FACTORY_COMMAND, "Kind", Type),
      NUMBER(XPM_EVENT_FACTORY_COMMAND, "Code", Value),
      NUMBER(XPM_EVENT_REPORT_3DMODE, "PresentationWindow", PresentationWindow),
      NUMBER(XPM_EVENT_REPORT_3DMODE, "SourceId", SourceId),
      NUMBER(XPM_EVENT_REPORT_3DMODE, "TransitionType", TransitionType),
      NUMBER(XPM_EVENT_REPORT_3DMODE, "Value", Value),
      TEXT(XPM_EVENT_REPORT_REGISTER_TABLE_CHANGE, "Name", Name),
      NUMBER(XPM_EVENT_TV101_STATE, "State", State),
      NUMBER(PVRRecordStatusEvent, "TunerId", TunerId),
      NUMBER(PVRRecordStatusEvent, "Status", Status),
      NUMBER(PVRUSBFormatEvent, "Status", Status),
      NUMBER(TimerStandbyEvent, "Value", Value),
      NUMBER(XPM_EVENT_EPG_CHANNEL_SCAN_PROGRESS, "Values[0]", Values[0]),
      NUMBER(XPM_EVENT_EPG_CHANNEL_SCAN_PROGRESS, "Values[1]", Values[1]),
      NUMBER(XPM_EVENT_EPG_CHANNEL_SCAN_PROGRESS, "Major", Channel->Major),
      NUMBER(XPM_EVENT_EPG_CHANNEL_SCAN_PROGRESS, "Minor", Channel->Minor),
      NUMBER(TimerRecordWarningEvent, "Value", Value),
      NUMBER(RecordPlaybackStatusEvent, "Value", Value),
      NUMBER(RecordPlaybackStatusEvent, "DeviceFlag", DeviceFlag),
      NUMBER(RecordPlaybackStatusEvent, "Status", Status),
      NUMBER(TMSCheckEvent, "Status", Status),
  };
  return accessors;
}

#undef NUMBER
#undef TEXT

const Read* FindAccessor(const char* className, const char* field) {
  for (const Accessor& a : Accessors())
    if (std::string(a.className) == className && std::string(a.field) == field) return &a.read;
  return nullptr;
}

// Fields whose values the converter only accepts from a short list.
const std::map<std::pair<uint32_t, std::string>, int64_t> kChosen = {
    {{85, "Status"}, 3},
    {{106, "Kind"}, 2},
};

std::vector<Core::Event*> g_dispatched;

class XpmPayloadLayouts : public ::testing::Test {
 protected:
  void SetUp() override {
    VgXpmEventHost host;
    host.DispatchEvent = [](Core::Event* e) { g_dispatched.push_back(e); };
    previous_ = VgInstallXpmEventHost(host);
    g_dispatched.clear();
  }
  void TearDown() override {
    VgInstallXpmEventHost(previous_);
    g_dispatched.clear();
    VgReclaimMemory();
  }
  VgXpmEventHost previous_;
};

TEST_F(XpmPayloadLayouts, EveryRowRoundTripsThroughTheEventTable) {
  ASSERT_GT(XpmPayloadLayoutCount(), 0u);
  for (size_t r = 0; r < XpmPayloadLayoutCount(); ++r) {
    const XpmPayloadLayout& layout = XpmPayloadLayoutAt(r);
    SCOPED_TRACE(layout.name);
    ASSERT_EQ(FindXpmPayloadLayout(layout.name), &layout);
    ASSERT_EQ(FindXpmPayloadLayout(std::to_string(layout.event)), &layout);

    bool inTable = false;
    for (size_t i = 0; i < XpmEventRowCount(); ++i) {
      const XpmEventRowInfo row = XpmEventRowAt(i);
      if (row.event != layout.event) continue;
      inTable = true;
      EXPECT_GE(layout.size, row.payloadSize) << "a payload built from the layout would be dropped";
    }
    EXPECT_TRUE(inTable) << "the event table has no row for event " << layout.event;

    // Distinct values for every field, each within its width.
    std::vector<uint8_t> payload(layout.size, 0);
    std::vector<std::pair<const XpmPayloadField*, std::string>> expected;
    for (size_t f = 0; f < kXpmPayloadFieldLimit && layout.fields[f].name; ++f) {
      const XpmPayloadField& field = layout.fields[f];
      SCOPED_TRACE(field.name);
      ASSERT_NE(FindAccessor(layout.className, field.name), nullptr) << "no reader for the field";
      const int64_t seed = int64_t(layout.event) * 8 + int64_t(f) + 1;
      auto chosen = kChosen.find({layout.event, field.name});
      switch (field.kind) {
        case XpmFieldKind::Int32: {
          const int64_t value = chosen != kChosen.end() ? chosen->second : 0x10000 * seed + 0x25;
          EncodeXpmPayloadNumber(field, value, &payload);
          expected.push_back({&field, std::to_string(int32_t(uint32_t(value) | field.setBits))});
          break;
        }
        case XpmFieldKind::Uint16: {
          const int64_t value = 0x100 * seed + 0x11;
          EncodeXpmPayloadNumber(field, value, &payload);
          expected.push_back({&field, std::to_string(uint16_t(value))});
          break;
        }
        case XpmFieldKind::Byte: {
          const int64_t value = (seed * 7) % 250 + 1;
          EncodeXpmPayloadNumber(field, value, &payload);
          expected.push_back({&field, std::to_string(uint8_t(value))});
          break;
        }
        case XpmFieldKind::Text: {
          ASSERT_GT(field.width, 1u);
          std::string text = "T" + std::to_string(seed) + std::string(field.width, 'x');
          text.resize(field.width - 1);  // as long as the field holds
          EncodeXpmPayloadText(field, text, &payload);
          expected.push_back({&field, text});
          break;
        }
        case XpmFieldKind::Fixed: expected.push_back({&field, std::to_string(field.fixed)}); break;
      }
      if (field.kind != XpmFieldKind::Fixed) {
        const uint32_t width = field.kind == XpmFieldKind::Int32    ? 4
                               : field.kind == XpmFieldKind::Uint16 ? 2
                               : field.kind == XpmFieldKind::Byte   ? 1
                                                                    : field.width;
        EXPECT_LE(field.offset + width, layout.size) << "the field lies outside the payload";
      }
    }
    ASSERT_EQ(payload.size(), layout.size) << "a field made the payload grow";

    const size_t before = g_dispatched.size();
    vg_xpmEventCallback(0, layout.event, uint32_t(payload.size()), payload.data());
    ASSERT_GT(g_dispatched.size(), before) << "the event table made no event";
    Core::Event* event = g_dispatched[before];
    const std::string className = event->GetClass()->name;
    if (layout.event != 85) {
      EXPECT_EQ(className, std::string("Events::") + layout.className);
    }
    for (const auto& [field, value] : expected) {
      EXPECT_EQ((*FindAccessor(layout.className, field->name))(event), value) << field->name;
    }
  }
}

TEST_F(XpmPayloadLayouts, LookUpByEventNameNumberOrSingleClass) {
  ASSERT_NE(FindXpmPayloadLayout("XPM_EVENT_CHANNEL_ACQUIRED"), nullptr);
  EXPECT_EQ(FindXpmPayloadLayout("XPM_EVENT_CHANNEL_ACQUIRED")->event, 19u);
  EXPECT_EQ(FindXpmPayloadLayout("19")->event, 19u);
  ASSERT_NE(FindXpmPayloadLayout("XPM_EVENT_WAKEUP"), nullptr);
  EXPECT_EQ(FindXpmPayloadLayout("XPM_EVENT_WAKEUP")->event, 3u);
  // Two events make a scan progress object: its class names neither.
  EXPECT_EQ(FindXpmPayloadLayout("XPM_EVENT_CHANNEL_SCAN_PROGRESS"), nullptr);
  EXPECT_EQ(FindXpmPayloadLayout("XPM_EVENT_NO_SUCH"), nullptr);
  EXPECT_EQ(FindXpmPayloadField(*FindXpmPayloadLayout("19"), "Bogus"), nullptr);
}

}  // namespace
