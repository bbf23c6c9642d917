// The simulated set's own primitives, on its virtual clock with the test
// thread driving it.
#include <atomic>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "bkni.h"
#include "host_fixture.h"
#include "mplcore.h"
#include "bnrm.h"
#include "ossem.h"

namespace HostTest {
namespace {

// What the set's threads of a test did, in order.
std::mutex g_mutex;
std::vector<std::string> g_log;

void Log(const std::string& line) {
  std::lock_guard guard(g_mutex);
  g_log.push_back(line);
}

std::vector<std::string> TakeLog() {
  std::lock_guard guard(g_mutex);
  return std::exchange(g_log, {});
}

class Sim : public testing::Test {
 protected:
  void SetUp() override {
    (void)simtv_virtual_clock();
    TakeLog();
  }
};

TEST_F(Sim, SleepersWakeInTheOrderOfTheirDeadlines) {
  static uint64_t start;
  start = simtv_now_ms();
  for (int ms : {300, 100, 200}) {
    MPLCore_ThreadCreateNamed(
        "sleeper",
        [](void* argument) {
          const auto ms = unsigned(reinterpret_cast<uintptr_t>(argument));
          BKNI_Sleep(ms);
          Log(std::to_string(ms) + " at " + std::to_string(simtv_now_ms() - start));
        },
        reinterpret_cast<void*>(uintptr_t(ms)), 40);
  }
  simtv_advance(250);
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"100 at 100", "200 at 200"}));
  simtv_advance(250);
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"300 at 300"}));
  EXPECT_EQ(simtv_now_ms() - start, 500u);
}

TEST_F(Sim, TheGivenCountGoesToTheOldestWaiter) {
  // The set's semaphores live as long as the process: one for every run.
  static const OS_SemId lock = OS_SemCreate(1);
  ASSERT_EQ(OS_SemTakeTrack(lock, -1, "sim_test", 1), OS_SEM_OK);
  auto taker = [](void* name) {
    OS_SemTakeTrack(lock, -1, "sim_test", 2);
    Log(static_cast<const char*>(name));
    OS_SemGive(lock);
  };
  MPLCore_ThreadCreateNamed("first", taker, const_cast<char*>("first"), 40);
  simtv_settle();
  MPLCore_ThreadCreateNamed("second", taker, const_cast<char*>("second"), 40);
  simtv_settle();
  EXPECT_TRUE(TakeLog().empty());
  OS_SemGive(lock);
  simtv_settle();
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"first", "second"}));
  // A take that cannot be had times out on the set's clock.
  ASSERT_EQ(OS_SemTakeTrack(lock, 0, "sim_test", 3), OS_SEM_OK);
  const uint64_t before = simtv_now_ms();
  EXPECT_EQ(OS_SemTakeTrack(lock, 10000, "sim_test", 4), OS_SEM_TIMEOUT);
  EXPECT_EQ(simtv_now_ms() - before, 10000u);
  EXPECT_EQ(OS_SemTakeTrack(nullptr, 0, "sim_test", 5), OS_SEM_INVALID);
  OS_SemGive(lock);
}

// Threads due at one moment of the set's clock run one at a time, in the
// order they began to wait, round after round: however the machine
// schedules them, the set does the same.
TEST_F(Sim, ThreadsDueTogetherRunOneAtATimeInTheOrderTheyBeganToWait) {
  static std::atomic<int> inside{0};
  static std::atomic<bool> together{false};
  for (int round = 0; round < 20; ++round) {
    for (const char* name : {"first", "second", "third"}) {
      MPLCore_ThreadCreateNamed(
          "due",
          [](void* argument) {
            BKNI_Sleep(100);
            if (inside.fetch_add(1) != 0) together = true;
            // Room for another thread to run beside this one, were it woken too.
            for (int i = 0; i < 100; ++i) std::this_thread::yield();
            Log(static_cast<const char*>(argument));
            inside.fetch_sub(1);
          },
          const_cast<char*>(name), 40);
      simtv_settle();
    }
    simtv_advance(100);
    ASSERT_EQ(TakeLog(), (std::vector<std::string>{"first", "second", "third"})) << "round " << round;
  }
  EXPECT_FALSE(together) << "two threads of the set ran at once";
}

// What the driving thread changes reaches the set when it settles, all of it
// at once: a reader woken by the first of three posts never runs beside the
// driver and finds all three.
TEST_F(Sim, WhatTheDriverChangesReachesTheSetWhenItSettles) {
  static MPLCore_QueueId queue;
  queue = MPLCore_QueueCreate(0, 8, 1);
  MPLCore_ThreadCreateNamed(
      "reader",
      [](void*) {
        void* entry = nullptr;
        // A deleted queue ends the thread.
        while (MPLCore_QueueWait(queue, &entry, -1) == 0) {
          int taken = 1;
          while (MPLCore_QueueWait(queue, &entry, 0) == 0) ++taken;
          Log("took " + std::to_string(taken));
        }
      },
      nullptr, 40);
  simtv_settle();
  for (int round = 0; round < 20; ++round) {
    for (uintptr_t i = 1; i <= 3; ++i) {
      void* entry = reinterpret_cast<void*>(i);
      ASSERT_EQ(MPLCore_QueuePost(queue, &entry), 0);
    }
    EXPECT_TRUE(TakeLog().empty()) << "round " << round << ": the reader ran beside the driver";
    simtv_settle();
    ASSERT_EQ(TakeLog(), std::vector<std::string>{"took 3"}) << "round " << round;
  }
  MPLCore_QueueDelete(queue);
  simtv_settle();
}

// The GUI's buffer, as the set's wait sees it: DirectFB's own reports of the
// window (an update after a flip, the pointer entering) never wake the loop,
// and go unread; a key behind them does.
TEST_F(Sim, DirectFBsReportsOfTheWindowNeverWakeTheGuiLoop) {
  IDirectFBEventBuffer* events = nullptr;
  ASSERT_EQ(GCM_GetDirectFB()->CreateEventBuffer(GCM_GetDirectFB(), &events), DFB_OK);
  auto post = [events](DFBWindowEventType type) {
    DFBWindowEvent event;
    std::memset(&event, 0, sizeof event);
    event.clazz = DFEC_WINDOW;
    event.type = type;
    event.key_code = 20;
    events->PostEvent(events, DFB_EVENT(&event));
  };
  post(DWET_UPDATE);
  post(DWET_ENTER);
  post(DWET_POSITION_SIZE);
  const uint64_t before = simtv_now_ms();
  EXPECT_EQ(simtv_wait_event_buffer(events, 500), DFB_TIMEOUT);
  EXPECT_EQ(simtv_now_ms() - before, 500u) << "the wait ran its whole time";
  EXPECT_EQ(events->HasEvent(events), DFB_BUFFEREMPTY);
  post(DWET_UPDATE);
  post(DWET_KEYDOWN);
  EXPECT_EQ(simtv_wait_event_buffer(events, 500), DFB_OK);
  EXPECT_EQ(simtv_now_ms() - before, 500u) << "the key was there at once";
  DFBEvent first;
  ASSERT_EQ(events->GetEvent(events, &first), DFB_OK);
  EXPECT_EQ(first.window.type, DWET_KEYDOWN);
  events->Release(events);
}

TEST_F(Sim, TheCommandQueueHoldsFiftyPointers) {
  MPLCore_QueueId queue = MPLCore_QueueCreate(0, 50, 1);
  ASSERT_NE(queue, 0u);
  for (uintptr_t i = 1; i <= 50; ++i) {
    void* entry = reinterpret_cast<void*>(i);
    ASSERT_EQ(MPLCore_QueuePost(queue, &entry), 0);
  }
  void* extra = nullptr;
  EXPECT_NE(MPLCore_QueuePost(queue, &extra), 0);
  void* entry = nullptr;
  ASSERT_EQ(MPLCore_QueueWait(queue, &entry, 0), 0);
  EXPECT_EQ(entry, reinterpret_cast<void*>(1));
  for (int i = 2; i <= 50; ++i) MPLCore_QueueWait(queue, &entry, 0);
  const uint64_t before = simtv_now_ms();
  EXPECT_NE(MPLCore_QueueWait(queue, &entry, 700), 0);
  EXPECT_EQ(simtv_now_ms() - before, 700u);
}

TEST_F(Sim, EventsResetWhenTaken) {
  BKNI_EventHandle event = nullptr;
  ASSERT_EQ(BKNI_CreateEvent(&event), BKNI_SUCCESS);
  BKNI_SetEvent(event);
  BKNI_SetEvent(event);
  EXPECT_EQ(BKNI_WaitForEvent(event, 0), BKNI_SUCCESS);
  EXPECT_EQ(BKNI_WaitForEvent(event, 12000), BKNI_TIMEOUT);
  BKNI_DestroyEvent(event);
}

TEST_F(Sim, AFailureLastsForItsCount) {
  simtv_fail("B_NRM_LockExclusiveResource", 7, 2);
  EXPECT_EQ(B_NRM_LockExclusiveResource(1, -1, 1), 7);
  EXPECT_EQ(B_NRM_LockExclusiveResource(1, -1, 1), 7);
  EXPECT_EQ(B_NRM_LockExclusiveResource(1, -1, 1), 0);
  simtv_fail("B_NRM_LockExclusiveResource", 3, -1);
  EXPECT_EQ(B_NRM_LockExclusiveResource(1, -1, 1), 3);
  simtv_fail("B_NRM_LockExclusiveResource", 0, 0);
  EXPECT_EQ(B_NRM_LockExclusiveResource(1, -1, 1), 0);
}

TEST_F(Sim, OneRecordHoldsTheTelevisionModelsCallsAndOnlyRealNamesFail) {
  simtv_clear_calls();
  EXPECT_EQ(simtv_fail("XPM_SetPIPMode", 5, 1), 0);
  EXPECT_EQ(XPM_SetPIPMode(1), 5);
  EXPECT_EQ(XPM_WLAN_JoinNetwork("My \"Net\"", 3, ""), 0);
  char text[128];
  ASSERT_EQ(simtv_call_count(), 2);
  ASSERT_EQ(simtv_call_text(0, text, sizeof text), 0);
  EXPECT_STREQ(text, "XPM_SetPIPMode 1");
  ASSERT_EQ(simtv_call_text(1, text, sizeof text), 0);
  EXPECT_STREQ(text, "XPM_WLAN_JoinNetwork \"My \\\"Net\\\"\" 3 \"\"") << "texts split as scenario words";
  EXPECT_EQ(simtv_fail("XPM_NoSuchCall", 1, -1), -1);
  EXPECT_TRUE(simtv_call_known("TVSM_SetRegisterTable"));
  EXPECT_FALSE(simtv_call_known("simtv_fail"));
  // The join answers later on the set's clock, which the tests after move.
  simtv_tv_reset();
}

// Past the bound the oldest calls are forgotten while the numbers go on, and
// every call still kept reads back as made, the repeated ones and the ones
// made once alike.
TEST_F(Sim, ALongRecordForgetsItsOldestCallsAndKeepsEveryOtherText) {
  simtv_clear_calls();
  char text[64];
  int made = 0;
  for (; made < 1000000 && (made == 0 || simtv_call_text(0, text, sizeof text) == 0); ++made) {
    if (made % 3 != 0)
      XPM_SetPIPMode(made);
    else
      B_NRM_LockExclusiveResource(1, -1, made % 2);
  }
  ASSERT_LT(made, 1000000) << "the record never forgets";
  for (int more = 0; more < 5000; ++more, ++made) XPM_SetPIPMode(made);
  EXPECT_EQ(simtv_call_count(), made);
  int kept = 0;
  for (int i = 0; i < made; ++i) {
    if (simtv_call_text(i, text, sizeof text) != 0) {
      ASSERT_EQ(kept, 0) << "call " << i << " forgotten after a kept one";
      continue;
    }
    ++kept;
    const bool pip = i % 3 != 0 || i >= made - 5000;
    const std::string expected =
        pip ? "XPM_SetPIPMode " + std::to_string(i) : "B_NRM_LockExclusiveResource 1 -1 " + std::to_string(i % 2);
    ASSERT_EQ(text, expected) << "call " << i;
  }
  EXPECT_GT(kept, 5000);
  simtv_clear_calls();
  EXPECT_EQ(simtv_call_count(), 0);
  XPM_SetPIPMode(3);
  ASSERT_EQ(simtv_call_text(0, text, sizeof text), 0);
  EXPECT_STREQ(text, "XPM_SetPIPMode 3");
}

TEST_F(Sim, TheHardwareWatchdogCountsFromItsLastFeed) {
  XPM_SetWatchdogTimeout(60);
  simtv_advance(50000);
  EXPECT_EQ(simtv_watchdog_left_ms(), 10000);
  XPM_ResetWatchdog();
  EXPECT_EQ(simtv_watchdog_left_ms(), 60000);
  XPM_StopWatchdog();
  EXPECT_EQ(simtv_watchdog_armed(), 0);
  simtv_advance(120000);
}

// The power key in standby: while the period runs (the interface's own
// standby) the middleware reports the wake-up at once; once a standby is on
// its way, the key begins the next period, and the wake-up waits for the
// interface that listens anew, which hears it once.
TEST_F(Sim, ThePowerKeyAfterAStandbyBeginsTheNextPeriodWhoseInterfaceHearsTheWakeUp) {
  const XPM_EventCallback listen = [](uint32_t, uint32_t event, const void* payload, uint32_t size) {
    int32_t reason = 0;
    if (payload && size >= sizeof reason) std::memcpy(&reason, payload, sizeof reason);
    Log(std::to_string(event) + " reason " + std::to_string(reason));
  };
  ASSERT_EQ(simtv_set_on(), 1);
  XPM_SubscribeEventClient(listen, nullptr);
  simtv_wake_by_power_key();
  simtv_settle();
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"3 reason 1"}));

  simtv_standby();
  EXPECT_EQ(simtv_set_on(), 0);
  simtv_wake_by_power_key();
  simtv_settle();
  XPM_UnsubscribeEventClient(listen, nullptr);
  EXPECT_TRUE(TakeLog().empty());
  EXPECT_EQ(simtv_set_on(), 1);
  for (int period = 0; period < 2; ++period) {
    XPM_SubscribeEventClient(listen, nullptr);
    simtv_settle();
    XPM_UnsubscribeEventClient(listen, nullptr);
  }
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"3 reason 1"}));
}

}  // namespace
}  // namespace HostTest
