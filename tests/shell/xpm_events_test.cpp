#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "Events/Events.h"
#include "Events/XpmEventMap.h"
#include "db.h"
#include "oam.h"
#include "simtv.h"

namespace {

// The host as the mapping sees it, recording every call.
struct FakeHost {
  std::atomic<int32_t> process{1}, flushFound{1}, ctvInited{1}, powerOn{1};
  std::vector<Core::Event*> dispatched;
  std::vector<int32_t> powerAtDispatch;
  int ctvWakes = 0;
  std::vector<uint32_t> factoryCodes;
  // The text argument of the last command record.
  std::string factoryText;
  FactoryCommandResult nextResult;
  std::vector<int> networkStatuses;
};
FakeHost* g_fake = nullptr;

VgXpmEventHost MakeHost(FakeHost& f) {
  VgXpmEventHost h;
  h.gTVProcessKeysandEvents = &f.process;
  h.gKeyEventFlushMarkerFound = &f.flushFound;
  h.ctvInited = &f.ctvInited;
  h.g_IsPowerOn = &f.powerOn;
  h.DispatchEvent = [](Core::Event* e) {
    g_fake->dispatched.push_back(e);
    g_fake->powerAtDispatch.push_back(g_fake->powerOn.load());
  };
  h.SetCtvEvent = [] { ++g_fake->ctvWakes; };
  h.PslNetworkStatusChanged = [](uint16_t s) { g_fake->networkStatuses.push_back(s); };
  h.FactoryCommandProcess = [](const uint32_t* command, FactoryCommandResult* result) {
    g_fake->factoryCodes.push_back(command[0]);
    const char* text = reinterpret_cast<const char*>(command + 1);
    g_fake->factoryText.assign(text, strnlen(text, kFactoryCommandRecordSize - 4));
    *result = g_fake->nextResult;
  };
  return h;
}

struct Payload {
  std::vector<uint8_t> bytes;
  Payload& Words(std::initializer_list<uint32_t> words) {
    for (uint32_t w : words)
      for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(w >> (8 * i)));
    return *this;
  }
  Payload& Text(const char* text, bool terminate = true) {
    bytes.insert(bytes.end(), text, text + std::strlen(text) + (terminate ? 1 : 0));
    return *this;
  }
};

class XpmEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    g_fake = &fake;
    previous_ = VgInstallXpmEventHost(MakeHost(fake));
  }
  void TearDown() override {
    VgInstallXpmEventHost(previous_);
    g_fake = nullptr;
    VgReclaimMemory();
  }
  void Send(uint32_t event, const Payload& p = {}, uint32_t cookie = 0) {
    const void* data = p.bytes.empty() ? nullptr : p.bytes.data();
    vg_xpmEventCallback(cookie, event, static_cast<uint32_t>(p.bytes.size()), data);
  }
  template <class T>
  T* Last() {
    if (fake.dispatched.empty()) return nullptr;
    Core::Event* e = fake.dispatched.back();
    return vg_is_exactly<T>(e) ? static_cast<T*>(e) : nullptr;
  }

  FakeHost fake;
  VgXpmEventHost previous_;
};

TEST_F(XpmEvents, ScanReportCarriesAtMost99Channels) {
  Payload p;
  p.Words({14, 2, 60, 1, 0, 0, 0, 150, 0});
  for (uint32_t i = 0; i < 150; ++i) p.Words({100 + i, i});
  Send(8, p);
  auto* e = Last<Events::XPM_EVENT_CHANNEL_SCAN_PROGRESS>();
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->PhysicalChannel, 14);
  EXPECT_EQ(e->Progress, 60);
  EXPECT_EQ(e->ScanKind, 1);
  EXPECT_EQ(e->Count, 99);
  EXPECT_EQ(e->Channels[0]->Major, 100);
  EXPECT_EQ(e->Channels[98]->Major, 198);
  EXPECT_EQ(e->Channels[98]->Minor, 98);
  EXPECT_EQ(e->Channels[99], nullptr);
}

TEST_F(XpmEvents, ScanReportWithoutLockOrWithAShortListAddsNoChannels) {
  Send(12, Payload{}.Words({7, 0, 100, 1, 0, 0, 0, 0}));
  auto* e = Last<Events::XPM_EVENT_CHANNEL_SCAN_PROGRESS>();
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Count, 0);
  EXPECT_EQ(e->ScanKind, 0);
  EXPECT_EQ(e->Channels[0], nullptr);
  // Three channels announced, two present: the report is dropped.
  Send(8, Payload{}.Words({7, 0, 100, 1, 0, 0, 0, 3, 0, 5, 1, 6, 1}));
  EXPECT_EQ(fake.dispatched.size(), 1u);
}

TEST_F(XpmEvents, AcquisitionStatusesAndTheDeferredStart) {
  fake.ctvInited = 0;
  Send(5, Payload{}.Words({0, 3}));
  EXPECT_EQ(Last<Events::XPM_EVENT_SOURCE_ACQUIRED>()->Status, 16);
  EXPECT_EQ(Last<Events::XPM_EVENT_SOURCE_ACQUIRED>()->SourceId, 3);
  Send(6, Payload{}.Words({1, 3, 4}));
  EXPECT_EQ(Last<Events::XPM_EVENT_SOURCE_ACQUIRED>()->Status, 20);
  EXPECT_EQ(Last<Events::XPM_EVENT_SOURCE_ACQUIRED>()->Window, 1);
  Send(20, Payload{}.Words({0, 7, 1, 5}));
  auto* channel = Last<Events::XPM_EVENT_CHANNEL_ACQUIRED>();
  EXPECT_EQ(channel->Channel.Major, 7);
  EXPECT_EQ(channel->Status, 5);
  Send(22, Payload{}.Words({0}));
  channel = Last<Events::XPM_EVENT_CHANNEL_ACQUIRED>();
  EXPECT_EQ(channel->Channel.Major, -2);
  EXPECT_EQ(channel->Channel.Minor, -2);
  EXPECT_EQ(channel->Status, 7);
  Send(24, Payload{}.Words({2}));
  EXPECT_EQ(fake.ctvWakes, 4);
  fake.ctvInited = 1;
  Send(19, Payload{}.Words({0, 7, 1}));
  EXPECT_EQ(fake.ctvWakes, 4);
  EXPECT_EQ(Last<Events::XPM_EVENT_CHANNEL_ACQUIRED>()->Status, 0);
}

TEST_F(XpmEvents, WirelessResultIsFedBackToTheFactoryProcessor) {
  fake.nextResult.kind = 2;
  std::memset(fake.nextResult.name, 'N', sizeof fake.nextResult.name);  // no terminator
  fake.nextResult.value = 9;
  Send(84, Payload{}.Words({2}));
  ASSERT_EQ(fake.dispatched.size(), 2u);
  EXPECT_EQ(vg_cast<Events::WlanConnectCompleteEvent>(fake.dispatched[0])->Status, 2);
  EXPECT_EQ(fake.factoryCodes, std::vector<uint32_t>{0x40EA44BB});
  auto* factory = Last<Events::XPM_EVENT_FACTORY_COMMAND>();
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(factory->Type, 1);
  EXPECT_EQ(factory->Value, 9);
  EXPECT_EQ(VgStringToUtf8(factory->Text), std::string(32, 'N'));

  fake.nextResult = {};
  Send(84, Payload{}.Words({0}));
  EXPECT_EQ(fake.factoryCodes.back(), 0x40EA45BAu);
  EXPECT_EQ(fake.dispatched.size(), 3u);  // kind 0 shows nothing
}

TEST_F(XpmEvents, FactoryEventKinds) {
  fake.nextResult.kind = 4;
  fake.nextResult.screen = &Core::Event::Class;
  std::strcpy(fake.nextResult.text, "WLAN:testing");
  fake.nextResult.value = 48;
  Send(106, Payload{}.Words({0, 0x40BF7F80}));
  auto* e = Last<Events::XPM_EVENT_FACTORY_COMMAND>();
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(fake.factoryCodes.back(), 0x40BF7F80u);
  EXPECT_EQ(e->Type, 3);
  EXPECT_EQ(e->ScreenClass, &Core::Event::Class);
  EXPECT_EQ(VgStringToUtf8(e->Text), "WLAN:testing");
  EXPECT_EQ(e->Value, 48);

  Send(106, Payload{}.Words({2, 0x1234}));
  EXPECT_EQ(Last<Events::XPM_EVENT_FACTORY_COMMAND>()->Type, 2);
  EXPECT_EQ(Last<Events::XPM_EVENT_FACTORY_COMMAND>()->Value, 0x1234);
  EXPECT_EQ(fake.factoryCodes.size(), 1u);  // discrete keys skip the processor

  Send(106, Payload{}.Words({4, 0x00000201}));
  auto* fan = Last<Events::XPM_EVENT_FAN_ERROR>();
  ASSERT_NE(fan, nullptr);
  EXPECT_EQ(fan->Values[0], 2);  // the sixth byte
  EXPECT_EQ(fan->Values[1], 1);  // the fifth byte
  const size_t count = fake.dispatched.size();
  Send(106, Payload{}.Words({3, 1}));
  Send(106, Payload{}.Words({0}));  // no command code
  EXPECT_EQ(fake.dispatched.size(), count);
}

// A text argument that does not fill its last word arrives whole.
TEST_F(XpmEvents, AFactoryCommandKeepsEveryByteOfItsText) {
  Send(106, Payload{}.Words({0, 0x40EA41BE}).Text("00:11:22:33:44:55", false));
  EXPECT_EQ(fake.factoryCodes.back(), 0x40EA41BEu);
  EXPECT_EQ(fake.factoryText, "00:11:22:33:44:55");
  Send(106, Payload{}.Words({0, 0x40EA41BE}).Text("a", false));
  EXPECT_EQ(fake.factoryText, "a");
}

TEST_F(XpmEvents, FlushMarkerEndsTheDropAfterAStreamingDisable) {
  fake.process = 0;
  fake.flushFound = 0;
  Send(24, Payload{}.Words({1}));
  fake.process = 1;  // an enable alone does not end the drop
  Send(24, Payload{}.Words({1}));
  EXPECT_TRUE(fake.dispatched.empty());
  Send(86);
  EXPECT_EQ(fake.flushFound.load(), 1);
  EXPECT_TRUE(fake.dispatched.empty());
  Send(109, Payload{}.Words({1}));
  EXPECT_EQ(Last<Events::XPM_EVENT_TV101_STATE>()->State, 1);
  Send(86);  // a marker with nothing to flush is just an unknown event
  Send(109);  // without its state word nothing is made
  Send(24, Payload{}.Words({1}), 0xABCDEF00);
  Send(24, Payload{}.Words({1}), 0xFBCDEF55);
  Send(25);
  Send(3000);
  EXPECT_EQ(fake.dispatched.size(), 1u);
  Send(24, Payload{}.Words({1}), 0xABCDE000);
  EXPECT_EQ(fake.dispatched.size(), 2u);
}

// The set's calls since the last clear, each "NAME ARG ...".
std::vector<std::string> Calls() {
  std::vector<std::string> calls;
  char text[256];
  for (int i = 0; i < simtv_call_count(); ++i)
    if (simtv_call_text(i, text, sizeof text) == 0) calls.emplace_back(text);
  return calls;
}
int CallsNamed(const std::string& name) {
  int count = 0;
  for (const std::string& call : Calls())
    if (call == name || call.rfind(name + " ", 0) == 0) ++count;
  return count;
}

TEST_F(XpmEvents, WakeUpAndStandbyMoveThePowerFlagAroundTheirDispatch) {
  fake.powerOn = 0;
  DB_Update_PowerDown_Status(3);
  OAM_SetCustomizedProperty(107, 5);
  simtv_clear_calls();
  Send(3, Payload{}.Words({1}));
  ASSERT_EQ(fake.powerAtDispatch, std::vector<int32_t>{1});
  EXPECT_EQ(Last<Events::XPM_EVENT_WAKEUP>()->Reason, 1);
  EXPECT_EQ(CallsNamed("OAM_SetCustomizedProperty 107 5"), 1);
  EXPECT_EQ(CallsNamed("TimerWakeupRecord"), 1);
  int32_t powerDown = 0;
  DB_Get_PowerDown_Status(&powerDown);
  EXPECT_EQ(powerDown, 2);
  EXPECT_EQ(CallsNamed("XPM_PowerOnUpdateScheduledDataDB"), 1);
  EXPECT_EQ(CallsNamed("ntfy_convert_strings_to_sysv_msg 7"), 1);
  EXPECT_EQ(CallsNamed("ntfy_free_sysv_msg"), 1);
  EXPECT_EQ(CallsNamed("XPM_EnableUSBPopupMsg"), 1);

  Send(3, Payload{}.Words({2}));  // a timer wake-up only re-enables the USB pop-up
  EXPECT_EQ(CallsNamed("TimerWakeupRecord"), 1);
  EXPECT_EQ(CallsNamed("XPM_EnableUSBPopupMsg"), 2);

  Send(4, Payload{}.Words({5}));
  EXPECT_EQ(fake.powerAtDispatch.back(), 1);
  EXPECT_EQ(fake.powerOn.load(), 0);
  EXPECT_EQ(Last<Events::XPM_EVENT_STANDBY>()->Reason, 5);
}

TEST_F(XpmEvents, NotificationFailuresAreReported) {
  simtv_clear_calls();
  simtv_fail("ntfy_convert_strings_to_sysv_msg", -1, 1);
  EXPECT_EQ(SendAppPlayerNotifyMsg(7), 0);
  simtv_fail("ntfy_send_sysv_msg", -1, 1);
  EXPECT_EQ(SendAppPlayerNotifyMsg(7), 0);
  EXPECT_EQ(CallsNamed("ntfy_free_sysv_msg"), 1);
  EXPECT_EQ(SendAppPlayerNotifyMsg(7), 1);
}

TEST_F(XpmEvents, TextsEndWithinThePayload) {
  Send(70, Payload{}.Words({4}).Text("Blu-ray", false));
  auto* name = Last<Events::CEC_EVENT_NAME_UPDATED>();
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->SourceId, 4);
  EXPECT_EQ(VgStringToUtf8(name->Name), "Blu-ray");
  Send(108, Payload{}.Text("LANGUAGE_2").Text("rest"));
  EXPECT_EQ(VgStringToUtf8(Last<Events::XPM_EVENT_REPORT_REGISTER_TABLE_CHANGE>()->Name), "LANGUAGE_2");
  Send(73, Payload{}.Words({1}));
  EXPECT_TRUE(Last<Events::CEC_EVENT_UPDATE_STRING>()->Text.empty());
}

TEST_F(XpmEvents, DiskTestConvertsSizesAndClampsTheSpeed) {
  auto disk = [](double speed) {
    Payload p;
    p.Words({1, 0, 2048u * 1024, 0xFFFFFFFF});
    uint64_t bits;
    std::memcpy(&bits, &speed, 8);
    p.Words({static_cast<uint32_t>(bits), static_cast<uint32_t>(bits >> 32)});
    return p.Text("vfat");
  };
  Send(57, disk(35.7));
  auto* e = Last<Events::PVRPerfStatusEvent>();
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->TotalSpace, 2048);
  EXPECT_EQ(static_cast<uint32_t>(e->AvailableSpace), 0xFFFFFFFFu / 1024);
  EXPECT_EQ(e->Speed, 35);
  EXPECT_EQ(VgStringToUtf8(e->FileSystem), "vfat");
  Send(57, disk(-3));
  EXPECT_EQ(Last<Events::PVRPerfStatusEvent>()->Speed, 0);
  Send(57, disk(std::nan("")));
  EXPECT_EQ(Last<Events::PVRPerfStatusEvent>()->Speed, 0);
}

TEST_F(XpmEvents, NetworkStatusInformsTheMediaLibraryFirst) {
  Send(85, Payload{}.Words({3}));
  EXPECT_EQ(Last<Events::NetworkInterfaceUpEvent>()->Interface, 1);
  Send(85, Payload{}.Words({5}));
  EXPECT_EQ(Last<Events::NetworkInterfaceDownEvent>()->Interface, 1);
  Send(85, Payload{}.Words({2}));
  Send(85, Payload{}.Words({0x10004}));  // only the low 16 bits count
  EXPECT_EQ(fake.networkStatuses, (std::vector<int>{3, 5, 2, 4}));
  EXPECT_EQ(fake.dispatched.size(), 2u);
}

TEST_F(XpmEvents, PlaybackAnd3DReportsTakeTheirBytes) {
  Send(118, Payload{}.Words({11, 0, 0x1FF, 5}));
  auto* playback = Last<Events::RecordPlaybackStatusEvent>();
  EXPECT_EQ(playback->DeviceFlag, 0xFF);
  EXPECT_EQ(playback->Value, 11);
  EXPECT_EQ(playback->Status, 5);
  Send(107, Payload{}.Words({0, 6, 0x0302}));
  auto* mode = Last<Events::XPM_EVENT_REPORT_3DMODE>();
  EXPECT_EQ(mode->SourceId, 6);
  EXPECT_EQ(mode->TransitionType, 2);
  EXPECT_EQ(mode->Value, 3);
  Send(114, Payload{}.Words({0, 0x00070000, 0x0009, 45, 3}));
  auto* epg = Last<Events::XPM_EVENT_EPG_CHANNEL_SCAN_PROGRESS>();
  EXPECT_EQ(epg->Values[0], 7);
  EXPECT_EQ(epg->Values[1], 9);
  EXPECT_EQ(epg->Channel->Major, 45);
}

// Every row drops a payload one byte short of what its fields are read from,
// and no payload of any size makes the mapping read outside it (the address
// sanitizer watches the random sweep).
TEST_F(XpmEvents, ShortPayloadsAreDroppedAndNoPayloadIsOverread) {
  for (size_t i = 0; i < XpmEventRowCount(); ++i) {
    const XpmEventRowInfo row = XpmEventRowAt(i);
    if (row.payloadSize == 0) continue;
    Payload p;
    p.bytes.assign(row.payloadSize - 1, 0);
    Send(row.event, p);
    EXPECT_TRUE(fake.dispatched.empty()) << "event " << row.event;
  }
  std::mt19937 random(7);
  fake.nextResult.kind = 4;
  for (size_t i = 0; i < XpmEventRowCount(); ++i) {
    for (uint32_t size = 0; size < 80; ++size) {
      auto* block = static_cast<uint8_t*>(std::malloc(size ? size : 1));
      for (uint32_t b = 0; b < size; ++b) block[b] = static_cast<uint8_t>(random());
      if (size > 28 && random() % 2) block[28] = static_cast<uint8_t>(random() % 4);  // small channel counts
      vg_xpmEventCallback(0, XpmEventRowAt(i).event, size, size ? block : nullptr);
      std::free(block);
    }
  }
}

}  // namespace
