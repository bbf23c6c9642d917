// The view tree: stacking, focus, event routing, hit tests, coordinates and
// invalidation of Core::View and Core::Group.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Core/Event.h"
#include "Core/Group.h"
#include "Core/View.h"
#include "vgslot.h"

namespace ViewTest {

std::string& Log() {
  static std::string log;
  return log;
}

// A leaf view with a fixed extent that records what happens to it.
class Probe : public Core::View {
  VG_CLASS()
 public:
  std::string name;
  VgRect extent{0, 0, 10, 10};
  bool takes = false;
  std::vector<VgRect> drawn;

  VgRect GetExtent() override { return extent; }
  void HandleFocus(bool focused) override { Log() += name + (focused ? "+focus " : "-focus "); }
  void HandleSelection(bool selected) override { Log() += name + (selected ? "+sel " : "-sel "); }
  XObject* HandleEvent(Core::Event*) override {
    Log() += name + " ";
    return takes ? this : nullptr;
  }
  Core::View* CursorHitTest(int32_t, VgPoint point, int32_t, Core::View*) override {
    Log() += name + "@" + std::to_string(point.x) + "," + std::to_string(point.y) + " ";
    return takes ? this : nullptr;
  }
  void Draw(Graphics::Canvas*, VgRect clip, VgPoint) override { drawn.push_back(clip); }
};

// A group that records its invalidations, focus calls and events.
class ProbeGroup : public Core::Group {
  VG_CLASS()
 public:
  std::string name;
  bool takes = false;
  std::vector<VgRect> invalidated;
  std::vector<Core::View*> rearranged;

  void Invalidate(VgRect rect) override {
    invalidated.push_back(rect);
    Core::Group::Invalidate(rect);
  }
  void Rearrange(Core::View* view) override { rearranged.push_back(view); }
  void HandleFocus(bool focused) override { Log() += name + (focused ? "+focus " : "-focus "); }
  void HandleSelection(bool selected) override { Log() += name + (selected ? "+sel " : "-sel "); }
  XObject* HandleEvent(Core::Event*) override {
    Log() += name + " ";
    return takes ? this : nullptr;
  }
};

}  // namespace ViewTest

VG_DEFINE_CLASS(ViewTest, Probe, Core::View)
VG_DEFINE_CLASS(ViewTest, ProbeGroup, Core::Group)

namespace {

using ViewTest::Log;
using ViewTest::Probe;
using ViewTest::ProbeGroup;

class ViewTree : public testing::Test {
 protected:
  void SetUp() override {
    Log().clear();
    top = Group("top");
    top->Bounds = {0, 0, 960, 540};
    VgLockObject(top);
  }
  void TearDown() override {
    VgDiscardSignals();
    VgUnlockObject(top);
    VgReclaimMemory();
  }

  static Probe* View(const char* name, VgRect extent = {0, 0, 10, 10}) {
    auto* v = VgNew<Probe>();
    v->name = name;
    v->extent = extent;
    return v;
  }
  static ProbeGroup* Group(const char* name, VgRect bounds = {0, 0, 100, 100}) {
    auto* g = VgNew<ProbeGroup>();
    g->name = name;
    g->Bounds = bounds;
    return g;
  }
  static std::string Order(Core::Group* g) {
    std::string s;
    for (Core::View* v = g->firstView; v; v = v->nextView) {
      if (auto* p = vg_cast<Probe>(v)) s += p->name;
      else if (auto* q = vg_cast<ProbeGroup>(v)) s += q->name;
      // The links must agree in both directions.
      if (v->nextView) EXPECT_EQ(v->nextView->prevView.get(), v);
      else EXPECT_EQ(g->lastView.get(), v);
    }
    return s;
  }

  ProbeGroup* top = nullptr;
};

TEST_F(ViewTree, AddAndRemoveKeepTheStackingOrderAndPanicOnMisuse) {
  Probe* a = View("a");
  Probe* b = View("b");
  Probe* c = View("c");
  top->Add(a, 0);
  top->Add(c, 0);
  top->AddBehind(b, c);
  EXPECT_EQ(Order(top), "abc");
  EXPECT_EQ(a->owner.get(), top);
  VgReclaimMemory();  // the tree lives through its locked top alone

  EXPECT_THROW(top->Add(b, 0), VgPanicError);
  ProbeGroup* other = Group("o");
  EXPECT_THROW(other->Add(b, 0), VgPanicError);
  EXPECT_THROW(other->AddBehind(View("x"), a), VgPanicError);
  EXPECT_THROW(other->Remove(a), VgPanicError);
  EXPECT_THROW(top->Remove(nullptr), VgPanicError);

  top->Remove(b);
  EXPECT_EQ(Order(top), "ac");
  EXPECT_EQ(b->owner.get(), nullptr);
  EXPECT_EQ(b->nextView.get(), nullptr);
  other->Add(b, 0);  // free again after removal
  EXPECT_EQ(b->owner.get(), other);

  top->AddBehind(View("d"), nullptr);  // no sibling: on top
  EXPECT_EQ(Order(top), "acd");
  top->Add(View("e"), -2);  // added, then moved down two steps
  EXPECT_EQ(Order(top), "aecd");
}

TEST_F(ViewTree, RestackMovesByStepsAndStopsAtTheEnds) {
  Probe* a = View("a");
  Probe* b = View("b");
  Probe* c = View("c");
  for (Probe* v : {a, b, c}) top->Add(v, 0);

  top->Restack(a, 100);
  EXPECT_EQ(Order(top), "bca");
  top->Restack(a, -100);
  EXPECT_EQ(Order(top), "abc");
  top->Restack(a, 1);
  EXPECT_EQ(Order(top), "bac");
  top->Restack(c, -1);
  EXPECT_EQ(Order(top), "bca");

  top->invalidated.clear();
  top->Restack(a, 5);  // already on top
  top->Restack(b, -1);  // already at the bottom
  top->Restack(c, 0);
  top->RestackTop(a);
  top->RestackBack(b);
  top->RestackBehind(b, c);
  top->RestackBehind(a, nullptr);
  top->RestackBehind(a, a);
  EXPECT_EQ(Order(top), "bca");
  EXPECT_TRUE(top->invalidated.empty()) << "a view that does not move is not redrawn";

  top->RestackTop(b);
  EXPECT_EQ(Order(top), "cab");
  top->RestackBack(b);
  EXPECT_EQ(Order(top), "bca");
  top->RestackBehind(b, a);
  EXPECT_EQ(Order(top), "cba");
  top->RestackBehind(c, nullptr);
  EXPECT_EQ(Order(top), "bac");
  EXPECT_EQ(top->invalidated.size(), 4u);

  Probe* stranger = View("s");
  EXPECT_THROW(top->Restack(stranger, 1), VgPanicError);
  EXPECT_THROW(top->RestackTop(stranger), VgPanicError);
  EXPECT_THROW(top->RestackBack(stranger), VgPanicError);
  EXPECT_THROW(top->RestackBehind(stranger, a), VgPanicError);
  EXPECT_THROW(top->RestackBehind(a, stranger), VgPanicError);
}

TEST_F(ViewTree, FocusGainRunsOutsideInAndLossInsideOut) {
  ProbeGroup* form = Group("F");
  Probe* a = View("a");
  form->Add(a, 0);
  top->Add(form, 0);
  form->OnSetFocus(a);
  EXPECT_EQ(Log(), "a+sel ") << "a group off the focus path only selects";
  EXPECT_FALSE(a->Focused);

  Log().clear();
  top->OnSetFocus(form);
  top->UpdateFocus(true);
  EXPECT_EQ(Log(), "F+sel top+focus F+focus a+focus ");
  EXPECT_TRUE(a->Focused);

  Log().clear();
  top->UpdateFocus(false);
  EXPECT_EQ(Log(), "a-focus F-focus top-focus ");
  top->UpdateFocus(false);  // no change, no calls
  EXPECT_EQ(Log(), "a-focus F-focus top-focus ");

  EXPECT_THROW(top->OnSetFocus(a), VgPanicError);
}

TEST_F(ViewTree, RemovingTheFocusedChildMovesTheFocusAboveElseBelow) {
  Probe* a = View("a");
  Probe* b = View("b");
  Probe* c = View("c");
  for (Probe* v : {a, b, c}) top->Add(v, 0);
  top->UpdateFocus(true);
  top->OnSetFocus(b);
  Log().clear();

  top->Remove(b);
  EXPECT_EQ(top->Focus.get(), c);
  EXPECT_EQ(Log(), "b-focus b-sel c+sel c+focus ");
  EXPECT_FALSE(b->Focused);

  Log().clear();
  top->Remove(c);  // the top view: the focus goes below
  EXPECT_EQ(top->Focus.get(), a);
  EXPECT_EQ(Log(), "c-focus c-sel a+sel a+focus ");

  top->Remove(a);  // the last one: no focus is left
  EXPECT_EQ(top->Focus.get(), nullptr);
  EXPECT_FALSE(a->Focused);
}

TEST_F(ViewTree, HidingInvalidatesTheExtentOnceAndShowingAgainOnce) {
  Probe* a = View("a", {5, 6, 15, 16});
  top->Add(a, 0);
  top->invalidated.clear();

  a->OnSetVisible(false);
  a->OnSetVisible(false);
  ASSERT_EQ(top->invalidated.size(), 1u);
  EXPECT_EQ(top->invalidated[0], (VgRect{5, 6, 15, 16}));

  a->OnSetMode(0);  // invisible: nothing to redraw
  EXPECT_EQ(top->invalidated.size(), 1u);
  a->OnSetVisible(true);
  a->OnSetVisible(true);
  EXPECT_EQ(top->invalidated.size(), 2u);
  a->OnSetMode(0);  // unchanged
  EXPECT_EQ(top->invalidated.size(), 2u);
}

TEST_F(ViewTree, InvalidationClimbsMovedAndClippedToEachGroup) {
  ProbeGroup* outer = Group("o", {100, 100, 300, 300});
  ProbeGroup* inner = Group("i", {10, 20, 60, 70});
  outer->Add(inner, 0);
  top->Add(outer, 0);
  top->invalidated.clear();

  inner->Invalidate({40, 40, 80, 80});  // spills over the inner group's edge
  ASSERT_EQ(top->invalidated.size(), 1u);
  EXPECT_EQ(top->invalidated[0], (VgRect{150, 160, 160, 170}));

  inner->Invalidate({60, 60, 80, 80});  // wholly outside: nothing reaches the top
  EXPECT_EQ(top->invalidated.size(), 1u);

  outer->OnSetVisible(false);
  top->invalidated.clear();
  inner->Invalidate({0, 0, 5, 5});
  EXPECT_TRUE(top->invalidated.empty()) << "a hidden group keeps its changes to itself";
}

TEST_F(ViewTree, DispatchFollowsTheFocusPathAndBubblesUp) {
  auto* event = VgNew<Core::Event>();
  ProbeGroup* form = Group("F");
  Probe* a = View("a");
  Probe* b = View("b");
  form->Add(a, 0);
  form->Add(b, 0);
  top->Add(form, 0);

  EXPECT_EQ(top->DispatchEvent(event), nullptr);
  EXPECT_EQ(Log(), "top ") << "without a focused child only the group is asked";

  Log().clear();
  top->OnSetFocus(form);
  form->OnSetFocus(a);
  Log().clear();
  EXPECT_EQ(CoreGroup__DispatchEvent(top, event), nullptr);
  EXPECT_EQ(Log(), "a F top ");

  Log().clear();
  form->takes = true;
  EXPECT_EQ(top->DispatchEvent(event), form);
  EXPECT_EQ(Log(), "a F ");

  Log().clear();
  a->takes = true;
  form->OnSetOpacity(0);
  form->OnSetVisible(false);
  EXPECT_EQ(top->DispatchEvent(event), a) << "a transparent, hidden group still routes";
  EXPECT_EQ(Log(), "a ");
}

TEST_F(ViewTree, BroadcastWalksEveryChildFromTheTopDown) {
  auto* event = VgNew<Core::Event>();
  ProbeGroup* form = Group("F");
  Probe* a = View("a");
  Probe* b = View("b");
  Probe* c = View("c");
  form->Add(a, 0);
  form->Add(b, 0);
  top->Add(form, 0);
  top->Add(c, 0);
  b->OnSetVisible(false);

  EXPECT_EQ(CoreGroup__Broadcast(top, event), nullptr);
  EXPECT_EQ(Log(), "c b a F top ");

  Log().clear();
  a->takes = true;
  EXPECT_EQ(top->Broadcast(event), a);
  EXPECT_EQ(Log(), "c b a ");
  EXPECT_EQ(CoreGroup__Broadcast(nullptr, event), nullptr);
}

TEST_F(ViewTree, HitTestAsksVisibleChildrenFromTheTopWithLocalPoints) {
  ProbeGroup* g = Group("g", {100, 100, 200, 200});
  Probe* low = View("low", {0, 0, 50, 50});
  Probe* high = View("high", {10, 10, 30, 30});
  Probe* hidden = View("hidden", {0, 0, 100, 100});
  g->Add(low, 0);
  g->Add(high, 0);
  g->Add(hidden, 0);
  hidden->OnSetVisible(false);
  top->Add(g, 0);

  EXPECT_EQ(top->CursorHitTest(0, {120, 125}, 0, nullptr), nullptr);
  EXPECT_EQ(Log(), "high@10,15 low@20,25 ");

  Log().clear();
  low->takes = true;
  high->takes = true;
  EXPECT_EQ(top->CursorHitTest(0, {120, 125}, 0, nullptr), high);
  EXPECT_EQ(Log(), "high@10,15 ");

  Log().clear();
  EXPECT_EQ(g->CursorHitTest(0, {20, 25}, 0, low), low);
  EXPECT_EQ(Log(), "low@20,25 ");
  EXPECT_EQ(top->CursorHitTest(0, {300, 300}, 0, nullptr), nullptr);
}

TEST_F(ViewTree, LocalAndGlobalCoordinatesAddEveryOwnerOnTheWay) {
  ProbeGroup* outer = Group("o", {100, 50, 400, 400});
  ProbeGroup* inner = Group("i", {10, 20, 100, 100});
  outer->Add(inner, 0);
  top->Add(outer, 0);
  top->Bounds = {0, 0, 960, 540};
  EXPECT_EQ(inner->MakeGlobal({1, 2}), (VgPoint{111, 72}));
  EXPECT_EQ(inner->MakeLocal({111, 72}), (VgPoint{1, 2}));
  EXPECT_EQ(inner->GetRoot(), nullptr);  // no root above this tree
}

}  // namespace
