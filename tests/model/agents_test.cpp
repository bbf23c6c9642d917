#include <gtest/gtest.h>

#include <vector>

#include "Agent/MessageAgent.h"
#include "Events/Events.h"
#include "SkinBin/EventAgent.h"
#include "SkinBin/HistoryAgent.h"
#include "SkinBin/Wrapper.h"
#include "Structures/Boxes.h"
#include "model_test_support.h"
#include "vgclock.h"
#include "vgtimer.h"

namespace ModelTest {
namespace {

using namespace SkinBin;
using Structures::HistoryInfo;

// -------------------------------------------------------------------- history

HistoryInfo* ChannelEntry(int32_t type, int32_t major, int32_t minor, bool withChannel = true) {
  auto* entry = VgNew<HistoryInfo>();
  entry->ItemType = type;
  entry->ChannelInfo = VgNew<Structures::HistoryChannelInfo>();
  entry->ChannelInfo->SourceId = 1;
  if (withChannel) {
    entry->ChannelInfo->Channel = VgNew<Structures::VirtualChannel>();
    entry->ChannelInfo->Channel->Major = major;
    entry->ChannelInfo->Channel->Minor = minor;
  }
  return entry;
}

HistoryInfo* PhotoEntry(const char* path, int32_t value) {
  auto* entry = VgNew<HistoryInfo>();
  entry->ItemType = Constants::HISTORY_ITEM_TYPE_PHOTO;
  entry->PhotoInfo = VgNew<Structures::HistoryMediaInfo>();
  entry->PhotoInfo->Path = VgNewStringAnsi(path);
  entry->PhotoInfo->Value = value;
  return entry;
}

HistoryInfo* SourceEntry(int32_t source) {
  auto* entry = VgNew<HistoryInfo>();
  entry->ItemType = Constants::HISTORY_ITEM_TYPE_NONRF;
  entry->SourceInfo = VgNew<Structures::HistorySourceInfo>();
  entry->SourceInfo->SourceId = source;
  return entry;
}

HistoryInfo* DeviceEntry(int32_t number) {
  auto* entry = VgNew<HistoryInfo>();
  entry->ItemType = Constants::HISTORY_ITEM_TYPE_CEC;
  entry->CECInfo = VgNew<Structures::HistoryCECInfo>();
  entry->CECInfo->DeviceNumber = number;
  return entry;
}

TEST(HistoryMatching, EntriesMatchByKindAndDetail) {
  auto* history = VgNew<HistoryAgent>();
  EXPECT_TRUE(history->MatchCriteria(ChannelEntry(0, 7, 1), ChannelEntry(0, 7, 1)));
  EXPECT_FALSE(history->MatchCriteria(ChannelEntry(0, 7, 1), ChannelEntry(5, 7, 1)));  // antenna and cable
  EXPECT_FALSE(history->MatchCriteria(ChannelEntry(0, 7, 1), ChannelEntry(0, 7, 2)));
  EXPECT_FALSE(history->MatchCriteria(ChannelEntry(0, 7, 1, false), ChannelEntry(0, 7, 1)));
  EXPECT_TRUE(history->MatchCriteria(ChannelEntry(0, 7, 1, false), ChannelEntry(0, 9, 9, false)));
  EXPECT_TRUE(history->MatchCriteria(PhotoEntry("/a.jpg", 1), PhotoEntry("/a.jpg", 1)));
  EXPECT_FALSE(history->MatchCriteria(PhotoEntry("/a.jpg", 1), PhotoEntry("/a.jpg", 2)));
  EXPECT_FALSE(history->MatchCriteria(PhotoEntry("/a.jpg", 1), PhotoEntry("/A.jpg", 1)));
  EXPECT_TRUE(history->MatchCriteria(SourceEntry(5), SourceEntry(5)));
  EXPECT_FALSE(history->MatchCriteria(SourceEntry(5), SourceEntry(6)));
  EXPECT_TRUE(history->MatchCriteria(DeviceEntry(0x104), DeviceEntry(4)));  // the address byte
  EXPECT_TRUE(history->MatchCriteria(nullptr, nullptr));
  EXPECT_FALSE(history->MatchCriteria(SourceEntry(5), nullptr));
  EXPECT_FALSE(history->MatchCriteria(SourceEntry(5), VgNew<Structures::RefInt>()));

  auto* unknown = SourceEntry(5);
  unknown->ItemType = 6;
  EXPECT_FALSE(history->MatchCriteria(unknown, unknown));
  // A kind whose detail is missing on both sides matches; on one side it does not.
  auto* bare = VgNew<HistoryInfo>();
  bare->ItemType = Constants::HISTORY_ITEM_TYPE_MUSIC;
  auto* otherBare = VgNew<HistoryInfo>();
  otherBare->ItemType = Constants::HISTORY_ITEM_TYPE_MUSIC;
  EXPECT_TRUE(history->MatchCriteria(bare, otherBare));
  otherBare->MusicInfo = VgNew<Structures::HistoryMediaInfo>();
  EXPECT_FALSE(history->MatchCriteria(bare, otherBare));
}

TEST(HistoryList, NewestFirstWithoutRepeatsAndAtMostThirtyTwo) {
  auto* history = VgNew<HistoryAgent>();
  history->AddHistory(SourceEntry(5), false);
  history->AddHistory(SourceEntry(6), false);
  history->AddHistory(SourceEntry(5), false);
  ASSERT_EQ(history->GetHistoryNum(), 2);
  EXPECT_EQ(history->GetHistory(1)->SourceInfo->SourceId, 5);
  for (int32_t i = 0; i < 40; ++i) history->AddHistory(ChannelEntry(0, i + 2, 1), false);
  EXPECT_EQ(history->GetHistoryNum(), HistoryAgent::kCapacity);
  EXPECT_EQ(history->GetHistory(1)->ChannelInfo->Channel->Major, 41);
  EXPECT_EQ(history->GetHistory(33), nullptr);
}

TEST(HistoryList, ADelayedEntryWaitsForItsTimer) {
  VgClockSetManual(true);
  auto* history = VgNew<HistoryAgent>();
  history->AddHistory(SourceEntry(5), true);
  history->AddHistory(SourceEntry(6), true);  // replaces the waiting one
  EXPECT_EQ(history->GetHistoryNum(), 0);
  VgClockAdvance(HistoryAgent::kDelayMs);
  VgProcessTimers();
  ASSERT_EQ(history->GetHistoryNum(), 1);
  EXPECT_EQ(history->GetHistory(1)->SourceInfo->SourceId, 6);
  VgClockAdvance(HistoryAgent::kDelayMs);
  VgProcessTimers();
  EXPECT_EQ(history->GetHistoryNum(), 1);
  VgClockSetManual(false);
}

// ---------------------------------------------------------------- the agent

TEST(SkinEventAgent, AChannelFailureIsKeptOnceThenDropped) {
  auto* agent = VgNew<EventAgent>();
  auto* event = VgNew<Events::XPM_EVENT_CHANNEL_ACQUIRED>();
  event->Status = 1;
  EXPECT_TRUE(agent->KeepEventUnhandled(event));
  EXPECT_FALSE(agent->KeepEventUnhandled(event));
  event->RetryCount = 100;
  EXPECT_FALSE(agent->KeepEventUnhandled(event));
  EXPECT_EQ(event->RetryCount, 100);

  for (int32_t status : {0, 48}) {
    auto* done = VgNew<Events::XPM_EVENT_CHANNEL_ACQUIRED>();
    done->Status = status;
    EXPECT_FALSE(agent->KeepEventUnhandled(done));
    EXPECT_EQ(done->RetryCount, 0);
  }
}

TEST(SkinEventAgent, SourceEventsAndOthers) {
  auto* agent = VgNew<EventAgent>();
  auto* present = VgNew<Events::XPM_EVENT_SOURCE_ACQUIRED>();
  present->Status = 16;
  EXPECT_FALSE(agent->KeepEventUnhandled(present));
  auto* noSignal = VgNew<Events::XPM_EVENT_SOURCE_ACQUIRED>();
  noSignal->Status = 17;
  EXPECT_TRUE(agent->KeepEventUnhandled(noSignal));
  EXPECT_FALSE(agent->KeepEventUnhandled(noSignal));
  EXPECT_FALSE(agent->KeepEventUnhandled(VgNew<Events::XPM_EVENT_RATING_REGION_UPDATED>()));
  EXPECT_FALSE(agent->KeepEventUnhandled(nullptr));
}

// The receivers of the tests: each queues again whatever cached event it is
// handed, as the standby group does with acquisitions.
std::vector<XObject*> g_delivered;
Agent::EventAgent* g_requeueInto = nullptr;

void RecordDelivery(XObject*, Structures::Message* message) {
  g_delivered.push_back(message->Payload);
  if (g_requeueInto && message->Code == Constants::MSG_EVENT_CACHED)
    g_requeueInto->InsertEvent(vg_cast<Core::Event>(message->Payload));
}

class AgentDelivery : public testing::Test {
 protected:
  EventAgent* agent = VgNew<EventAgent>();
  Agent::MessageAgent* messages = VgNew<Agent::MessageAgent>();
  Agent::MessageDelivery previous = nullptr;

  void SetUp() override {
    g_delivered.clear();
    g_requeueInto = nullptr;
    previous = Agent::SetMessageDelivery(&RecordDelivery);
    messages->Register(VgNew<Structures::RefInt>());
    agent->OnSetMessageAgent(messages);
  }
  void TearDown() override { Agent::SetMessageDelivery(previous); }
};

TEST_F(AgentDelivery, AcquisitionsAreDeliveredOnceAndStayAsTheWindowsState) {
  auto* event = VgNew<Events::XPM_EVENT_SOURCE_ACQUIRED>();
  event->Status = 17;
  agent->InsertEvent(event);
  agent->ProcessEvents(nullptr);
  agent->ProcessEvents(nullptr);
  ASSERT_EQ(g_delivered.size(), 1u);
  EXPECT_EQ(g_delivered[0], event);
  EXPECT_EQ(agent->GetMainWindowAcquiredStatus(), 17);
  EXPECT_FALSE(agent->QueueTimer.OnGetEnabled());
}

TEST_F(AgentDelivery, AReceiverQueuingTheEventAgainDoesNotGetItTwice) {
  g_requeueInto = agent;
  auto* event = VgNew<Events::XPM_EVENT_CHANNEL_ACQUIRED>();
  event->Status = 1;
  agent->InsertEvent(event);
  agent->ProcessEvents(nullptr);
  agent->ProcessEvents(nullptr);
  EXPECT_EQ(g_delivered.size(), 1u);
  EXPECT_EQ(agent->Length(), 1);
}

TEST_F(AgentDelivery, OtherEventsLeaveTheQueueAndCachedMessagesReachTheirReceivers) {
  auto* region = VgNew<Events::XPM_EVENT_RATING_REGION_UPDATED>();
  auto* cached = VgNew<Events::USER_EVENT_CACHED_MESSAGE>();
  cached->Message = VgNew<Structures::Message>();
  cached->Message->Code = Constants::MSG_SHOW_MESSAGE;
  cached->Message->Payload = region;  // any object to recognise it by
  agent->InsertEvent(region);
  agent->InsertEvent(cached);
  agent->InsertEvent(VgNew<Events::XPM_EVENT_DPMS>());  // not served: dropped
  agent->ProcessEvents(nullptr);
  EXPECT_TRUE(agent->Empty());
  ASSERT_EQ(g_delivered.size(), 2u);
  EXPECT_EQ(g_delivered[0], region);
  EXPECT_EQ(g_delivered[1], region);
}

TEST_F(AgentDelivery, WithoutReceiversAFailureIsKeptForOneMoreTry) {
  agent->OnSetMessageAgent(nullptr);
  auto* event = VgNew<Events::XPM_EVENT_CHANNEL_ACQUIRED>();
  event->Status = 1;
  agent->InsertEvent(event);
  agent->ProcessEvents(nullptr);
  EXPECT_TRUE(agent->QueueTimer.OnGetEnabled());
  agent->ProcessEvents(nullptr);
  EXPECT_FALSE(agent->QueueTimer.OnGetEnabled());
  EXPECT_EQ(event->Handled, 0);  // kept for a later resumption
  EXPECT_EQ(agent->Length(), 1);
}


TEST_F(AgentDelivery, AcquisitionsWaitWhileAnExternalApplicationHasTheScreen) {
  auto* model = VgNew<SkinBin::Wrapper>();
  model->OnSetEventAgent(agent);
  agent->OnSetWrapper(model);
  model->ExternalAppInFront = true;
  auto* event = VgNew<Events::XPM_EVENT_SOURCE_ACQUIRED>();
  event->Status = 17;
  event->SourceId = 1;  // window 0's source, what the set shows
  agent->InsertEvent(event);
  agent->ProcessEvents(nullptr);
  agent->ProcessEvents(nullptr);
  EXPECT_TRUE(g_delivered.empty());
  EXPECT_FALSE(agent->QueueTimer.OnGetEnabled());

  model->ExternalAppInFront = false;
  model->ResumeSignalEvent();
  EXPECT_TRUE(agent->QueueTimer.OnGetEnabled());
  EXPECT_EQ(event->RetryCount, 0);
  agent->ProcessEvents(nullptr);
  ASSERT_EQ(g_delivered.size(), 1u);

  // A picture that came back is not offered again.
  event->Status = 16;
  event->Handled = 0;
  model->ResumeSignalEvent();
  EXPECT_EQ(event->Handled, 0);
  agent->ProcessEvents(nullptr);
  EXPECT_EQ(g_delivered.size(), 2u);  // offered as its own news, once
}

}  // namespace
}  // namespace ModelTest
