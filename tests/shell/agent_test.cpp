#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Agent/EventAgent.h"
#include "Agent/MessageAgent.h"
#include "Events/Events.h"
#include "vgclock.h"
#include "vgtimer.h"

namespace ShellTest {

// A receiver that logs what reaches it and can unregister receivers meanwhile.
class Receiver : public XObject {
  VG_CLASS()

 public:
  explicit Receiver(XObject* link = nullptr) : XObject(link) {}
  std::string name;
  std::vector<XObject*> leaveOnMessage;
  std::vector<XObject*> joinOnMessage;
  Agent::MessageAgent* agent = nullptr;
};

class DerivedReceiver : public Receiver {
  VG_CLASS()

 public:
  explicit DerivedReceiver(XObject* link = nullptr) : Receiver(link) {}
};

// An event agent whose handler takes the events named in a list.
class TakingAgent : public Agent::EventAgent {
  VG_CLASS()

 public:
  explicit TakingAgent(XObject* link = nullptr) : Agent::EventAgent(link) {}
  std::vector<const VgClass*> refuse;
  int offers = 0;
  bool HandleEvent(Core::Event* event) override {
    ++offers;
    for (const VgClass* c : refuse)
      if (event->GetClass() == c) return false;
    DeleteEvent(event);
    return true;
  }
};

}  // namespace ShellTest

VG_DEFINE_CLASS(ShellTest, Receiver, XObject)
VG_DEFINE_CLASS(ShellTest, DerivedReceiver, ShellTest::Receiver)
VG_DEFINE_CLASS(ShellTest, TakingAgent, Agent::EventAgent)

using ShellTest::DerivedReceiver;
using ShellTest::Receiver;

namespace {

std::vector<std::string> g_served;

void Serve(XObject* object, Structures::Message*) {
  auto* receiver = vg_cast<Receiver>(object);
  ASSERT_NE(receiver, nullptr);
  g_served.push_back(receiver->name);
  for (XObject* other : receiver->leaveOnMessage) receiver->agent->UnRegister(other);
  receiver->leaveOnMessage.clear();
  for (XObject* other : receiver->joinOnMessage) receiver->agent->Register(other);
  receiver->joinOnMessage.clear();
}

class MessageAgentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_served.clear();
    previous_ = Agent::SetMessageDelivery(&Serve);
    agent = VgNew<Agent::MessageAgent>();
  }
  void TearDown() override { Agent::SetMessageDelivery(previous_); }

  template <class T = Receiver>
  T* Add(const char* name) {
    auto* r = VgNew<T>();
    r->name = name;
    r->agent = agent;
    agent->Register(r);
    return r;
  }

  Agent::MessageAgent* agent = nullptr;
  Agent::MessageDelivery previous_ = nullptr;
};

TEST_F(MessageAgentTest, RegistrationKeepsOrderAndIgnoresRepeatsAndNull) {
  Receiver* a = Add("a");
  Add("b");
  agent->Register(a);
  agent->Register(nullptr);
  agent->UnRegister(nullptr);
  agent->Dispatch(VgNew<Structures::Message>(), nullptr);
  EXPECT_EQ(g_served, (std::vector<std::string>{"a", "b"}));
  agent->Dispatch(nullptr, nullptr);
  EXPECT_EQ(g_served.size(), 2u);
}

TEST_F(MessageAgentTest, AClassReachesOnlyReceiversOfExactlyThatClass) {
  Add("base");
  Add<DerivedReceiver>("derived");
  auto* message = VgNew<Structures::Message>();
  agent->Dispatch(message, &Receiver::Class);
  EXPECT_EQ(message->Target, &Receiver::Class);
  EXPECT_EQ(g_served, std::vector<std::string>{"base"});
  g_served.clear();
  agent->Dispatch(message, &DerivedReceiver::Class);
  EXPECT_EQ(g_served, std::vector<std::string>{"derived"});
}

// Every receiver closes its screens on a clear-all message, and closing
// unregisters forms that may come later in the list.
TEST_F(MessageAgentTest, ReceiversLeavingDuringDispatchAreSkipped) {
  Receiver* a = Add("a");
  Receiver* b = Add("b");
  Receiver* c = Add("c");
  Add("d");
  a->leaveOnMessage = {a, b, c};
  agent->Dispatch(VgNew<Structures::Message>(), nullptr);
  EXPECT_EQ(g_served, (std::vector<std::string>{"a", "d"}));
  EXPECT_EQ(agent->Length(), 1);
}

TEST_F(MessageAgentTest, ReceiversJoiningDuringDispatchWaitForTheNextMessage) {
  Receiver* a = Add("a");
  Receiver* b = Add("b");
  auto* late = VgNew<Receiver>();
  late->name = "late";
  late->agent = agent;
  // a leaves and joins again at the end; b brings in a newcomer.
  a->leaveOnMessage = {a};
  a->joinOnMessage = {a};
  b->joinOnMessage = {late};
  agent->Dispatch(VgNew<Structures::Message>(), nullptr);
  EXPECT_EQ(g_served, (std::vector<std::string>{"a", "b"}));
  g_served.clear();
  agent->Dispatch(VgNew<Structures::Message>(), nullptr);
  EXPECT_EQ(g_served, (std::vector<std::string>{"b", "a", "late"}));
}

// ------------------------------------------------------------- event agent

template <class T>
T* Acquired(int32_t window, int32_t status) {
  auto* e = VgNew<T>();
  e->Window = window;
  e->Status = status;
  return e;
}

using Source = Events::XPM_EVENT_SOURCE_ACQUIRED;
using Channel = Events::XPM_EVENT_CHANNEL_ACQUIRED;
using Rating = Events::XPM_EVENT_RATING_REGION_UPDATED;

TEST(EventAgent, NewerEventsSupersedeQueuedOnes) {
  auto* agent = VgNew<Agent::EventAgent>();
  auto* first = VgNew<Rating>();
  auto* second = VgNew<Rating>();
  agent->InsertEvent(first);
  agent->InsertEvent(VgNew<Events::USER_EVENT_LAST_CHANNEL>());
  agent->InsertEvent(second);
  EXPECT_EQ(agent->Length(), 2);
  EXPECT_EQ(agent->FindEvent(&Rating::Class, 0), second);

  agent->InsertEvent(Acquired<Channel>(0, 0));
  auto* source = Acquired<Source>(0, 16);
  agent->InsertEvent(source);
  EXPECT_EQ(agent->FindEvent(&Channel::Class, 0), nullptr);
  EXPECT_EQ(agent->GetMainWindowAcquiredEvent(), source);

  auto* sub = Acquired<Source>(1, 17);
  agent->InsertEvent(sub);
  EXPECT_EQ(agent->GetMainWindowAcquiredEvent(), source);
  EXPECT_EQ(agent->GetSubWindowAcquiredEvent(), sub);
  EXPECT_EQ(agent->Length(), 4);
  agent->InsertEvent(nullptr);
  agent->DeleteEvent(nullptr);
  EXPECT_EQ(agent->Length(), 4);
}

TEST(EventAgent, MainWindowStatusPrefersTheChannelEvent) {
  auto* agent = VgNew<Agent::EventAgent>();
  EXPECT_EQ(agent->GetMainWindowAcquiredStatus(), 0);
  EXPECT_FALSE(agent->IsMainWindowSignalAcquired());
  agent->InsertEvent(Acquired<Source>(0, 17));  // no signal
  EXPECT_EQ(agent->GetMainWindowAcquiredStatus(), 17);
  EXPECT_FALSE(agent->IsMainWindowSignalAcquired());
  agent->InsertEvent(Acquired<Source>(0, 16));
  EXPECT_TRUE(agent->IsMainWindowSignalAcquired());
  agent->InsertEvent(Acquired<Channel>(0, 4));  // channel lock
  EXPECT_EQ(agent->GetMainWindowAcquiredStatus(), 4);
  EXPECT_FALSE(agent->IsMainWindowSignalAcquired());
  agent->InsertEvent(Acquired<Channel>(1, 0));
  EXPECT_FALSE(agent->IsMainWindowSignalAcquired());
}

class EventAgentTimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VgClockSetManual(true);
    agent = VgNew<ShellTest::TakingAgent>();
    VgLockObject(agent);
  }
  void TearDown() override {
    VgUnlockObject(agent);
    VgReclaimMemory();
    VgClockSetManual(false);
  }
  void Advance(uint32_t ms) {
    VgClockAdvance(ms);
    VgProcessTimers();
  }
  ShellTest::TakingAgent* agent = nullptr;
};

TEST_F(EventAgentTimerTest, QueueIsOfferedUntilEveryEventIsTaken) {
  agent->refuse = {&Source::Class};
  agent->InsertEvent(Acquired<Source>(0, 16));
  agent->InsertEvent(VgNew<Rating>());
  agent->SetTimer(0);
  agent->PostProcessEvents();
  Advance(999);
  EXPECT_EQ(agent->offers, 0);
  Advance(1);
  EXPECT_EQ(agent->offers, 2);  // the rating event is taken, the source event stays
  EXPECT_EQ(agent->Length(), 1);
  EXPECT_TRUE(agent->NotDone);
  Advance(2999);
  EXPECT_EQ(agent->offers, 2);
  Advance(1);
  EXPECT_EQ(agent->offers, 3);
  agent->refuse.clear();
  Advance(3000);
  EXPECT_EQ(agent->offers, 4);
  EXPECT_TRUE(agent->Empty());
  EXPECT_FALSE(agent->QueueTimer.OnGetEnabled());
  Advance(9000);
  EXPECT_EQ(agent->offers, 4);
}

TEST_F(EventAgentTimerTest, AnEmptyPassStopsTheTimer) {
  agent->SetTimer(500);
  EXPECT_EQ(agent->QueueTimer.OnGetPeriod(), 500);
  agent->ProcessEvents(nullptr);
  EXPECT_FALSE(agent->NotDone);
  EXPECT_FALSE(agent->QueueTimer.OnGetEnabled());
}

}  // namespace
