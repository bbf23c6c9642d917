#include <cstring>

#include "db.h"
#include "host_fixture.h"
#include "oam.h"
#include "tvsm.h"
#include "xpm_events.h"

namespace HostTest {
namespace {

using Bridge = LoopTest;

std::vector<uint8_t> Words(std::initializer_list<uint32_t> words) {
  std::vector<uint8_t> bytes;
  for (uint32_t w : words)
    for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(w >> (8 * i)));
  return bytes;
}

// Whether the buffer holds an event other than the empty ones that wake the
// loop at a stop; those it drops.
bool BufferEmpty() {
  IDirectFBEventBuffer* events = buffer.load();
  DFBEvent next;
  while (events->PeekEvent(events, &next) == DFB_OK) {
    if (next.clazz != DFEC_USER || next.user.data) return false;
    events->GetEvent(events, &next);
  }
  return true;
}

void HandleAll() {
  while (!BufferEmpty()) handleEvent(0);
}

TEST_F(Bridge, ScanEventsAreRenumberedAndCopied) {
  std::vector<uint8_t> payload = Words({1, 2, 3, 4, 0, 0, 0, 1, 0xDEAD, 7, 1});
  xpmEventCallback(7, 14, payload.data(), uint32_t(payload.size()));
  // The middleware's buffer is its own again after the call.
  payload[0] = 99;
  payload[36] = 99;
  HandleAll();
  EXPECT_EQ(TheRoot()->received, (std::vector<std::string>{"scan 1 count 1 7.1"}));
}

TEST_F(Bridge, ScanEventsThatDoNotCarryTheirChannelsAreDropped) {
  std::vector<uint8_t> twoOfThree = Words({1, 2, 3, 4, 0, 0, 0, 3, 0, 7, 1, 7, 2});
  xpmEventCallback(0, 17, twoOfThree.data(), uint32_t(twoOfThree.size()));
  std::vector<uint8_t> hugeCount = Words({1, 2, 3, 4, 0, 0, 0, 0x40000000, 0});
  xpmEventCallback(0, 8, hugeCount.data(), uint32_t(hugeCount.size()));
  // The event table checks scan reports, and drops these two; reports that
  // list no channels pass whatever their size and become reports of no lock,
  // but one cut before its count is dropped.
  std::vector<uint8_t> none = Words({1, 2, 3, 4, 0, 0, 0, 0, 0});
  xpmEventCallback(0, 17, none.data(), uint32_t(none.size()));
  std::vector<uint8_t> cutAfterCount = Words({5, 2, 3, 4, 0, 0, 0, 0});
  xpmEventCallback(0, 14, cutAfterCount.data(), uint32_t(cutAfterCount.size()));
  std::vector<uint8_t> noCount = Words({6, 2, 3});
  xpmEventCallback(0, 14, noCount.data(), uint32_t(noCount.size()));
  HandleAll();
  EXPECT_EQ(TheRoot()->received, (std::vector<std::string>{"scan 1 count 0", "scan 5 count 0"}));
}

TEST_F(Bridge, DroppedAtTheDoor) {
  xpmEventCallback(0, 25, nullptr, 0);
  const uint8_t half[2] = {1, 0};
  xpmEventCallback(0, 85, half, sizeof half);
  gTVProcessKeysandEvents = 0;
  xpmEventCallback(0, 5, nullptr, 0);
  gTVProcessKeysandEvents = 1;
  EXPECT_TRUE(BufferEmpty());
  EXPECT_TRUE(Calls("TVSM_ReportAsyncEvent").empty());
}

TEST_F(Bridge, NetworkStatusIsReportedThenPosted) {
  for (uint32_t status : {1u, 0u, 3u, 5u}) {
    std::vector<uint8_t> payload = Words({status});
    xpmEventCallback(0, 85, payload.data(), uint32_t(payload.size()));
  }
  HandleAll();
  EXPECT_EQ(TheRoot()->received, (std::vector<std::string>{"network up 0", "network down 0", "network up 1",
                                                           "network down 1"}));
  EXPECT_EQ(Calls("TVSM_ReportAsyncEvent"),
            (std::vector<std::string>{"TVSM_ReportAsyncEvent 1 17 0,1 8", "TVSM_ReportAsyncEvent 1 17 0,0 8",
                                      "TVSM_ReportAsyncEvent 1 17 1,1 8"}));
  EXPECT_EQ(Calls("PslNetworkStatusChanged"),
            (std::vector<std::string>{"PslNetworkStatusChanged globalPsl 1", "PslNetworkStatusChanged globalPsl 0",
                                      "PslNetworkStatusChanged globalPsl 3", "PslNetworkStatusChanged globalPsl 5"}));
}

TEST_F(Bridge, QueuedEventsUpToTheFlushMarkerAreDropped) {
  auto post = [](uint32_t event) {
    auto* record = static_cast<XpmEventRecord*>(BKNI_Malloc(sizeof(XpmEventRecord)));
    *record = XpmEventRecord{0, event, 0, nullptr};
    ASSERT_EQ(post_xpm_event(record), 0);
  };
  gTVProcessKeysandEvents = 0;
  gKeyEventFlushMarkerFound = 0;
  post(88);
  post(XpmEvent::FlushMarker);
  post(89);
  HandleAll();
  EXPECT_EQ(TheRoot()->received, (std::vector<std::string>{"notify 0"}));
  EXPECT_EQ(gTVProcessKeysandEvents.load(), 1);
  EXPECT_EQ(gKeyEventFlushMarkerFound.load(), 1);
  // A marker nobody waits for is only an unknown event.
  post(XpmEvent::FlushMarker);
  HandleAll();
  EXPECT_EQ(TheRoot()->received.size(), 1u);
}

TEST_F(Bridge, UnknownEventsAndForeignCookiesAreNotDispatched) {
  xpmEventCallback(0, 87, nullptr, 0);
  xpmEventCallback(0, 2, nullptr, 0);
  const std::vector<uint8_t> source = Words({0, 3});
  xpmEventCallback(0xABCDEF01u, 5, source.data(), uint32_t(source.size()));
  xpmEventCallback(0xAB000000u, 5, source.data(), uint32_t(source.size()));
  // The event table drops a record too short for the fields of its event.
  xpmEventCallback(0, 5, source.data(), 4);
  HandleAll();
  EXPECT_EQ(TheRoot()->received, (std::vector<std::string>{"source 3 status 16"}));
}

// The update service's results come on a path of their own: no event number
// carries them.
TEST_F(Bridge, AScriptedUpdateResultReachesTheRootAtItsTime) {
  simtv_update_result(5000, 5000, 3, "no upgrade");
  simtv_advance(4999);
  HandleAll();
  EXPECT_TRUE(TheRoot()->received.empty());
  simtv_advance(1);
  HandleAll();
  EXPECT_EQ(TheRoot()->received, (std::vector<std::string>{"update 5000 3 no upgrade"}));
}

TEST_F(Bridge, PowerOffSilencesTheRootAfterTheStandbyEvent) {
  const std::vector<uint8_t> standby = Words({1}), source = Words({0, 3}), wakeup = Words({2});
  xpmEventCallback(0, 4, standby.data(), uint32_t(standby.size()));
  xpmEventCallback(0, 5, source.data(), uint32_t(source.size()));
  xpmEventCallback(0, 3, wakeup.data(), uint32_t(wakeup.size()));
  HandleAll();
  EXPECT_EQ(TheRoot()->received, (std::vector<std::string>{"standby 1", "wake-up 2"}));
  EXPECT_EQ(g_IsPowerOn.load(), 1);
  // A wake-up by the timer does none of the power-on bookkeeping.
  EXPECT_TRUE(Calls("TimerWakeupRecord").empty());
  EXPECT_EQ(Calls("XPM_EnableUSBPopupMsg").size(), 1u);
}

TEST_F(Bridge, PowerOnByTheUserDoesTheBookkeepingOnThePlatform) {
  const std::vector<uint8_t> wakeup = Words({1});
  OAM_SetCustomizedProperty(107, 6);
  firstCall_ = simtv_call_count();
  xpmEventCallback(0, 3, wakeup.data(), uint32_t(wakeup.size()));
  HandleAll();
  EXPECT_EQ(TheRoot()->received, (std::vector<std::string>{"wake-up 1"}));
  EXPECT_EQ(Calls("OAM_GetCustomizedProperty"), (std::vector<std::string>{"OAM_GetCustomizedProperty 107"}));
  EXPECT_EQ(Calls("OAM_SetCustomizedProperty"), (std::vector<std::string>{"OAM_SetCustomizedProperty 107 6"}));
  EXPECT_EQ(Calls("TimerWakeupRecord").size(), 1u);
  EXPECT_EQ(Calls("ntfy_send_sysv_msg"), (std::vector<std::string>{"ntfy_send_sysv_msg 1 7"}));
  EXPECT_EQ(Calls("ntfy_free_sysv_msg").size(), 1u);
  EXPECT_EQ(Calls("XPM_EnableUSBPopupMsg").size(), 1u);
  int status = 0;
  ASSERT_EQ(DB_Get_PowerDown_Status(&status), 0);
  EXPECT_EQ(status, 2);
}

class Commands : public LoopTest {
 protected:
  void SetUp() override {
    LoopTest::SetUp();
    command_queue_id = period_.commandQueue = MPLCore_QueueCreate(0, 50, 1);
  }
  // Runs command_task on the test thread until a stop command ends it.
  void RunUntilStop() {
    tvCommandCallback(nullptr, 2, nullptr, 0);
    command_task(&period_);
  }
};

// The next internal event in the GUI's buffer, taken out of it.
std::vector<uint8_t> TakeRecord(uint32_t* event) {
  IDirectFBEventBuffer* events = buffer.load();
  DFBEvent taken;
  if (BufferEmpty()) return {};
  if (events->GetEvent(events, &taken) != DFB_OK || taken.clazz != DFEC_USER) return {};
  auto* record = static_cast<XpmEventRecord*>(taken.user.data);
  *event = record->event;
  auto* bytes = static_cast<uint8_t*>(record->payload);
  std::vector<uint8_t> payload(bytes, bytes + record->size);
  BKNI_Free(record->payload);
  BKNI_Free(record);
  return payload;
}

TEST_F(Commands, TheApplicationRecordCarriesBothTextsCut) {
  std::vector<uint8_t> payload(1028, 'x');
  std::memcpy(payload.data(), Words({2}).data(), 4);
  payload[4 + 40] = 0;
  payload[516 + 300] = 0;
  tvCommandCallback(nullptr, 15, payload.data(), uint32_t(payload.size()));
  RunUntilStop();
  uint32_t event = 0;
  const std::vector<uint8_t> app = TakeRecord(&event);
  EXPECT_EQ(event, 90u);
  ASSERT_EQ(app.size(), 292u);
  EXPECT_EQ(app[0], 2);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&app[4])), std::string(31, 'x'));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&app[36])), std::string(255, 'x'));
  EXPECT_EQ(period_.vgRunning.load(), 0);
}

TEST_F(Commands, ShortPayloadsAreDroppedAndTheRestGoesOn) {
  std::vector<uint8_t> shortText(511, 'a');
  tvCommandCallback(nullptr, 8, shortText.data(), uint32_t(shortText.size()));
  std::vector<uint8_t> shortApp(1027, 0);
  tvCommandCallback(nullptr, 15, shortApp.data(), uint32_t(shortApp.size()));
  tvCommandCallback(nullptr, 12, shortText.data(), 3);
  tvCommandCallback(nullptr, 7, nullptr, 0);
  tvCommandCallback(nullptr, 15, nullptr, 0);
  RunUntilStop();
  uint32_t event = 0;
  EXPECT_TRUE(TakeRecord(&event).empty());
  EXPECT_EQ(event, 90u);
  EXPECT_TRUE(BufferEmpty());
}

TEST_F(Commands, AnAllocationFailureCostsOneCommandNotTheTask) {
  tvCommandCallback(nullptr, 21, nullptr, 0);
  tvCommandCallback(nullptr, 2, nullptr, 0);
  simtv_fail("BKNI_Malloc", 0, 1);
  command_task(&period_);
  EXPECT_EQ(period_.vgRunning.load(), 0);
  EXPECT_EQ(Calls("XPM_Term").size(), 1u);
  EXPECT_TRUE(BufferEmpty());
}

TEST_F(Commands, ACommandThatCannotBeCopiedIsDroppedAlone) {
  simtv_fail("BKNI_Malloc", 0, 1);
  tvCommandCallback(nullptr, 21, nullptr, 0);
  RunUntilStop();
  HandleAll();
  EXPECT_TRUE(TheRoot()->received.empty());
  EXPECT_EQ(period_.vgRunning.load(), 0);
}

}  // namespace
}  // namespace HostTest
