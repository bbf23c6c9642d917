#include <gtest/gtest.h>

#include <string>

#include "vgobject.h"
#include "vgslot.h"

namespace SlotTest {

std::string& Log() {
  static std::string log;
  return log;
}

class Recorder : public XObject {
  VG_CLASS()
 public:
  void A(XObject*) { Log() += name + "A" + Cause() + " "; }
  void B(XObject*) { Log() += name + "B" + Cause() + " "; }
  static std::string Cause() { return VgSignalCause() ? "@" + std::to_string(VgSignalCause()) : ""; }
  void PostsB(XObject*) {
    Log() += name + "posts ";
    VgPostSignal(VgSlotOf<&Recorder::B>(this));
  }
  void PostsSelf(XObject*) {
    Log() += name + "self ";
    VgPostSignal(VgSlotOf<&Recorder::PostsSelf>(this));
  }
  void Sender(XObject* sender) { lastSender = sender; }
  VgPtr<Recorder> next;
  std::string name;
  XObject* lastSender = reinterpret_cast<XObject*>(1);
};

}  // namespace SlotTest

VG_DEFINE_CLASS(SlotTest, Recorder, XObject)

namespace {

using SlotTest::Log;
using SlotTest::Recorder;

class Signals : public testing::Test {
 protected:
  void SetUp() override {
    Log().clear();
    r = VgNew<Recorder>();
    VgLockObject(r);
  }
  void TearDown() override {
    VgDiscardSignals();
    VgUnlockObject(r);
    VgReclaimMemory();
  }
  Recorder* r = nullptr;
};

TEST_F(Signals, SlotsCompareByObjectAndMethod) {
  EXPECT_EQ(VgCompSlot(VgSlotOf<&Recorder::A>(r), VgSlotOf<&Recorder::A>(r)), 0);
  EXPECT_NE(VgCompSlot(VgSlotOf<&Recorder::A>(r), VgSlotOf<&Recorder::B>(r)), 0);
  EXPECT_TRUE(VgNullSlot.IsNull());
  VgSignal(VgNullSlot, nullptr);  // does nothing
}

TEST_F(Signals, SignalCallsAtOnceWithItsSender) {
  VgSignal(VgSlotOf<&Recorder::Sender>(r), r);
  EXPECT_EQ(r->lastSender, r);
  VgPostSignal(VgSlotOf<&Recorder::Sender>(r));
  VgProcessSignals();
  EXPECT_EQ(r->lastSender, nullptr) << "posted signals have no sender";
}

TEST_F(Signals, RepostMovesTheSlotToTheTail) {
  VgPostSignal(VgSlotOf<&Recorder::A>(r));
  VgPostSignal(VgSlotOf<&Recorder::B>(r));
  VgPostSignal(VgSlotOf<&Recorder::A>(r));
  EXPECT_EQ(VgProcessSignals(), 1);
  EXPECT_EQ(Log(), "B A ");
  EXPECT_EQ(VgProcessSignals(), 0);
}

TEST_F(Signals, PostedDuringAPassIsDeliveredInThatPass) {
  VgPostSignal(VgSlotOf<&Recorder::PostsB>(r));
  VgProcessSignals();
  EXPECT_EQ(Log(), "posts B ");
  EXPECT_EQ(VgAnyPendingSignals(), 0);
}

TEST_F(Signals, ASlotThatPostsItselfIsRefusedWithALine) {
  testing::internal::CaptureStdout();
  VgPostSignal(VgSlotOf<&Recorder::PostsSelf>(r));
  VgProcessSignals();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "'postsignal' is failed. The signal is just delivered\n");
  EXPECT_EQ(Log(), "self ");
}

TEST_F(Signals, ASlotPostedLastRunsOnceAfterThePassesOtherWorkEvenWorkPostedMeanwhile) {
  Recorder* x = VgNew<Recorder>();
  x->name = "x";
  r->next = x;
  VgPostSignalLast(VgSlotOf<&Recorder::A>(x));
  VgPostSignal(VgSlotOf<&Recorder::PostsB>(r));
  VgPostSignalLast(VgSlotOf<&Recorder::A>(x));
  EXPECT_EQ(VgAnyPendingSignals(), 1);
  EXPECT_EQ(VgProcessSignals(), 1);
  EXPECT_EQ(Log(), "posts B xA ");
  EXPECT_EQ(VgAnyPendingSignals(), 0);
}

TEST_F(Signals, IdleSignalsWaitOnePass) {
  EXPECT_EQ(VgIdleSignal(VgSlotOf<&Recorder::A>(r)), 1);
  EXPECT_EQ(VgAnyPendingSignals(), 1);
  VgProcessSignals();
  EXPECT_EQ(Log(), "");
  VgProcessSignals();
  EXPECT_EQ(Log(), "A ");
}

// Work left for a later pass is known for what caused it, however far it is
// passed on, and work of no cause stays so beside it.
TEST_F(Signals, PostedWorkRunsWithTheCauseItWasPostedFor) {
  Recorder* x = VgNew<Recorder>();
  x->name = "x";
  r->next = x;
  ASSERT_EQ(VgAttachObjObserver(VgSlotOf<&Recorder::A>(x), r, 1), 1);
  EXPECT_EQ(VgSetSignalCause(7), 0u);
  VgPostSignal(VgSlotOf<&Recorder::PostsB>(r));
  VgIdleSignal(VgSlotOf<&Recorder::A>(r));
  VgNotifyObjObservers(r, 1);
  EXPECT_EQ(VgSetSignalCause(0), 7u);
  VgPostSignal(VgSlotOf<&Recorder::PostsB>(x));
  VgProcessSignals();
  EXPECT_EQ(Log(), "posts xA@7 xposts B@7 xB ");
  EXPECT_EQ(VgSignalCause(), 0u) << "the pass leaves no cause behind";
  Log().clear();
  // Posted again for another cause, the slot runs for the newer one; posted
  // again for none, it keeps its own.
  VgSetSignalCause(8);
  VgPostSignal(VgSlotOf<&Recorder::B>(x));
  VgSetSignalCause(0);
  VgPostSignal(VgSlotOf<&Recorder::B>(r));
  VgPostSignal(VgSlotOf<&Recorder::B>(x));
  VgSetSignalCause(9);
  VgPostSignal(VgSlotOf<&Recorder::B>(r));
  VgSetSignalCause(0);
  VgProcessSignals();
  EXPECT_EQ(Log(), "A@7 xB@8 B@9 ");
  VgDetachObjObserver(VgSlotOf<&Recorder::A>(x), r, 1);
}

TEST_F(Signals, ObserversAreNotifiedNewestFirstOncePerPass) {
  Recorder* x = VgNew<Recorder>();
  Recorder* y = VgNew<Recorder>();
  x->name = "x";
  y->name = "y";
  r->next = x;
  x->next = y;
  ASSERT_EQ(VgAttachObjObserver(VgSlotOf<&Recorder::A>(x), r, 1), 1);
  ASSERT_EQ(VgAttachObjObserver(VgSlotOf<&Recorder::A>(y), r, 1), 1);
  EXPECT_EQ(VgAttachObjObserver(VgSlotOf<&Recorder::A>(y), r, 1), 0) << "no duplicates";
  EXPECT_EQ(VgAttachObjObserver(VgSlotOf<&Recorder::A>(y), nullptr, 1), 0);
  VgNotifyObjObservers(r, 1);
  VgNotifyObjObservers(r, 1);
  VgNotifyObjObservers(r, 2);  // another id: nobody
  VgProcessSignals();
  EXPECT_EQ(Log(), "yA xA ");

  EXPECT_EQ(VgDetachObjObserver(VgSlotOf<&Recorder::A>(y), r, 1), 1);
  EXPECT_EQ(VgDetachObjObserver(VgSlotOf<&Recorder::A>(y), r, 1), 0);
  EXPECT_EQ(VgDetachObserver(VgSlotOf<&Recorder::A>(x), 1), 0) << "a global detach does not match an object one";
  VgDetachObjObserver(VgSlotOf<&Recorder::A>(x), r, 1);
}

TEST_F(Signals, PropertyObserversMatchTheGetter) {
  static const int getterA = 0, getterB = 0;
  ASSERT_EQ(VgAttachRefObserver(VgSlotOf<&Recorder::A>(r), r, &getterA, 3), 1);
  VgNotifyRefObservers(r, &getterB, 3);
  VgProcessSignals();
  EXPECT_EQ(Log(), "");
  VgNotifyRefObservers(r, &getterA, 3);
  VgProcessSignals();
  EXPECT_EQ(Log(), "A ");
  EXPECT_EQ(VgDetachRefObserver(VgSlotOf<&Recorder::A>(r), r, &getterA, 3), 1);
}

}  // namespace
