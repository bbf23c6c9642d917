// The toolkit's scrolling pieces: scroll bars, indicators, labels, and the
// two scroll forms, which share their scrolling and differ in how their bars
// are coupled.
#include <gtest/gtest.h>

#include "Core/Root.h"
#include "Forms/ImageIndicator.h"
#include "Forms/Indicator.h"
#include "Forms/Label.h"
#include "Forms/ScrollBar.h"
#include "Forms/ScrollForm.h"
#include "Primitives/KeyRoutingScrollForm.h"
#include "Resources/Bitmap.h"
#include "root_fixture.h"
#include "views_fixture.h"
#include "widgetbase_fixture.h"

namespace {

using RootTest::ExpectPanic;
using RootTest::RootFixture;
using RootTest::TestCtrl;
using WidgetTest::Listener;
using WidgetTest::TrackedBar;

class Scrolling : public RootFixture {
 protected:
  void SetUp() override {
    RootFixture::SetUp();
    holder = VgNew<Core::Group>();
    holder->Bounds = {0, 0, 960, 540};
    root->Add(holder, 0);
    listener = Lock(VgNew<Listener>());
  }
  void TearDown() override {
    for (XObject* object : locked) VgUnlockObject(object);
    locked.clear();
    RootFixture::TearDown();
  }
  // Keeps an object that lies in no view tree alive for the test.
  template <class T>
  T* Lock(T* object) {
    VgLockObject(object);
    locked.push_back(object);
    return object;
  }

  Listener* listener = nullptr;
  Core::Group* holder = nullptr;
  std::vector<XObject*> locked;
};

// ---------------------------------------------------------------- the bar

TEST_F(Scrolling, ABarClampsItsPositionAndSignalsOnlyRealMoves) {
  auto* bar = VgNew<Forms::ScrollBar>();
  holder->Add(bar, 0);
  bar->OnSetOnScroll(listener->Slot());
  bar->OnSetPos(30);
  EXPECT_TRUE(bar->Scroll(80));
  EXPECT_EQ(bar->Pos, 50) << "content 100, page 50";
  EXPECT_EQ(listener->count, 1);
  EXPECT_EQ(listener->sender, bar);
  EXPECT_TRUE(bar->Scroll(1)) << "at the end the bar still answers";
  EXPECT_EQ(listener->count, 1);
  EXPECT_TRUE(bar->Scroll(-200));
  EXPECT_EQ(bar->Pos, 0);
  EXPECT_EQ(listener->count, 2);

  bar->OnSetEnabled(false);
  EXPECT_FALSE(bar->Scroll(10));
  bar->OnSetEnabled(true);
  bar->OnSetOnScroll(VgNullSlot);
  EXPECT_FALSE(bar->Scroll(10));
  EXPECT_EQ(bar->Pos, 0);
}

TEST_F(Scrolling, ABarWithNothingToScrollHidesOnlyWhenAutoHide) {
  auto* bar = VgNew<TrackedBar>();
  holder->Add(bar, 0);
  bar->OnSetPos(80);
  EXPECT_EQ(bar->tracker, (std::array<int32_t, 3>{50, 50, 100})) << "the thumb is clamped, the field is not";
  bar->OnSetPage(100);
  EXPECT_TRUE(bar->Visible);
  EXPECT_EQ(bar->tracker, (std::array<int32_t, 3>{0, 0, 0})) << "an empty tracker";
  bar->OnSetAutoHide(true);
  EXPECT_FALSE(bar->Visible);
  bar->OnSetContent(300);
  EXPECT_TRUE(bar->Visible) << "something to scroll again";
  bar->OnSetContent(0);
  EXPECT_FALSE(bar->Visible);
}

TEST_F(Scrolling, ABarTakesPressesOnlyWhenSomeoneListens) {
  auto* bar = VgNew<Forms::ScrollBar>();
  holder->Add(bar, 0);
  bar->OnSetBounds({100, 100, 130, 170});
  EXPECT_FALSE(root->DriveCursorHitting(true, 0, 110, 110));
  bar->OnSetOnScroll(listener->Slot());
  Advance(1000);  // a first press again, not a repeat
  EXPECT_TRUE(root->DriveCursorHitting(true, 0, 110, 110));
  EXPECT_TRUE(bar->thumbDragging) << "the toolkit's bar is all thumb";
  EXPECT_TRUE(root->DriveCursorHitting(false, 0, 110, 150));
  EXPECT_FALSE(bar->thumbDragging);
  EXPECT_EQ(bar->Pos, 0) << "a toolkit thumb does not follow the pointer";
}

// ------------------------------------------------------------ indicators

TEST_F(Scrolling, AHeldIndicatorRepeatsSlowlyAndThenAtTheHoldRate) {
  auto* up = VgNew<Forms::Indicator>();
  holder->Add(up, 0);
  up->OnSetBounds({10, 10, 50, 50});
  up->OnSetOnScroll(listener->Slot());
  EXPECT_FALSE(up->Scroll()) << "disabled after construction";
  EXPECT_TRUE(root->DriveCursorHitting(true, 0, 20, 20));
  EXPECT_EQ(listener->count, 0) << "a disabled indicator does nothing";
  root->DriveCursorHitting(false, 0, 20, 20);

  up->OnSetEnabled(true);
  Advance(1000);  // past the repeat window of the first press
  root->DriveCursorHitting(true, 0, 20, 20);
  std::vector<int32_t> at;
  int seen = listener->count;
  EXPECT_EQ(seen, 1) << "the press scrolls at once";
  for (int32_t t = 100; t <= 1700; t += 100) {
    Advance(100);
    if (listener->count != seen) at.push_back(t);
    seen = listener->count;
  }
  EXPECT_EQ(at, (std::vector<int32_t>{500, 900, 1200, 1400, 1500, 1600, 1700}));

  // Off the arrow the repetition pauses; the release ends it.
  root->DriveCursorMovement(200, 200);
  Advance(100);
  EXPECT_EQ(listener->count, seen);
  root->DriveCursorHitting(false, 0, 200, 200);
  EXPECT_FALSE(up->pressed);
}

TEST_F(Scrolling, AnImageIndicatorShowsTheBitmapOfItsState) {
  auto* indicator = VgNew<Forms::ImageIndicator>();
  holder->Add(indicator, 0);
  auto* on = Lock(VgNew<ViewsTest::Strip>());
  auto* off = Lock(VgNew<ViewsTest::Strip>());
  on->Make({8, 8}, {{255, 0, 0, 255}}, 0);
  off->Make({8, 8}, {{0, 0, 255, 255}}, 0);
  indicator->OnSetEnabledBitmap(on);
  EXPECT_EQ(indicator->image.Bitmap.get(), nullptr) << "the enabled look waits for enabling";
  indicator->OnSetDisabledBitmap(off);
  EXPECT_EQ(indicator->image.Bitmap.get(), off);
  indicator->OnSetEnabled(true);
  EXPECT_EQ(indicator->image.Bitmap.get(), on);
  indicator->OnSetBounds({5, 5, 45, 25});
  EXPECT_EQ(indicator->image.Bounds, (VgRect{0, 0, 40, 20}));
  EXPECT_EQ(indicator->image.AlignH, 1);
}

// ----------------------------------------------------------------- labels

TEST_F(Scrolling, ALabelEntersItsControlWhenReleasedOnIt) {
  auto* form = MakeForm("form", {0, 0, 400, 300}, holder);
  root->OnSetFocus(holder);
  holder->OnSetFocus(form);
  TestCtrl* ctrl = MakeCtrl("ctrl", {100, 0, 300, 40}, form);
  form->OnSetFocus(ctrl);
  auto* label = VgNew<Forms::Label>();
  label->OnSetBounds({0, 0, 90, 40});
  form->Add(label, 0);
  ctrl->OnSetLabel(label);

  root->DriveCursorHitting(true, 0, 10, 10);
  root->DriveCursorHitting(false, 0, 200, 200);  // slid off: taken back
  EXPECT_FALSE(ctrl->Active);
  Advance(1000);
  root->DriveCursorHitting(true, 0, 10, 10);
  root->DriveCursorHitting(false, 0, 12, 12);
  EXPECT_TRUE(ctrl->Active);

  ctrl->Activate(false);
  ctrl->OnSetEnabled(false);
  Advance(1000);
  EXPECT_FALSE(root->DriveCursorHitting(true, 0, 10, 10)) << "the label of a disabled control is dead";
}

// ---------------------------------------------------- the two scroll forms

// Both scroll forms behave alike except for their bars: the typed tests run
// on each.
template <class F>
class ScrollForms : public Scrolling {
 protected:
  void SetUp() override {
    Scrolling::SetUp();
    form = VgNew<F>();
    form->OnSetBounds({100, 50, 500, 350});  // a 400 x 300 page
    holder->Add(form, 0);
    root->OnSetFocus(holder);
    holder->OnSetFocus(form);
  }
  // A column of 40-pixel-high controls from y = 0 with 10 pixels between.
  std::vector<TestCtrl*> Column(int n) {
    std::vector<TestCtrl*> ctrls;
    for (int i = 0; i < n; ++i) ctrls.push_back(MakeCtrl("c" + std::to_string(i), {0, 50 * i, 200, 50 * i + 40}, form));
    VgProcessSignals();
    return ctrls;
  }
  F* form = nullptr;
};

using FormTypes = testing::Types<Forms::ScrollForm, Primitives::KeyRoutingScrollForm>;
TYPED_TEST_SUITE(ScrollForms, FormTypes);

TYPED_TEST(ScrollForms, ContentSmallerThanThePageCannotScroll) {
  auto ctrls = this->Column(3);
  EXPECT_EQ(this->form->OnGetMaxScrollPos(), (VgPoint{-200, -160}));
  this->form->OnSetScrollPos({50, 50});
  EXPECT_EQ(this->form->ScrollPos, (VgPoint{0, 0}));
  EXPECT_EQ(ctrls[0]->Bounds, (VgRect{0, 0, 200, 40}));
  ExpectPanic([&] { this->form->OnSetMaxScrollPos({1, 1}); }, "The property 'MaxScrollPos' is READ ONLY.");
}

TYPED_TEST(ScrollForms, PagesAndLinesMoveTheContentWithinItsEnd) {
  auto ctrls = this->Column(14);  // 690 pixels high: the end is at 390
  this->form->ScrollPages(0, 1);
  EXPECT_EQ(this->form->ScrollPos, (VgPoint{0, 300}));
  EXPECT_EQ(ctrls[0]->Bounds.y1, -300);
  this->form->ScrollPages(0, 1);
  EXPECT_EQ(this->form->ScrollPos, (VgPoint{0, 390}));
  EXPECT_EQ(ctrls[13]->Bounds, (VgRect{0, 260, 200, 300})) << "the last control ends at the page's end";
  this->form->OnSetPixelPerLine({10, 7});
  this->form->ScrollLines(0, -2);
  EXPECT_EQ(this->form->ScrollPos, (VgPoint{0, 376}));
  EXPECT_EQ(ctrls[0]->Bounds.y1, -376);
  this->form->OnSetScrollPos({0, 0});
  EXPECT_EQ(ctrls[0]->Bounds, (VgRect{0, 0, 200, 40}));
}

TYPED_TEST(ScrollForms, AMarginAboveTheContentComesBackWithThePage) {
  std::vector<TestCtrl*> ctrls;
  for (int i = 0; i < 10; ++i)
    ctrls.push_back(this->MakeCtrl("c" + std::to_string(i), {0, 20 + 50 * i, 200, 60 + 50 * i}, this->form));
  VgProcessSignals();
  this->form->OnSetScrollPos({0, 50});
  EXPECT_EQ(ctrls[0]->Bounds.y1, -30);
  this->form->OnSetScrollPos({0, 0});
  EXPECT_EQ(ctrls[0]->Bounds.y1, 20) << "the 20-pixel margin is kept";
  this->form->OnSetScrollPos({0, 30});
  this->form->OnSetScrollPos({0, 10});
  EXPECT_EQ(ctrls[0]->Bounds.y1, 10);
}

TYPED_TEST(ScrollForms, ShrinkingContentPullsThePositionBack) {
  auto ctrls = this->Column(14);
  this->form->OnSetScrollPos({0, 390});
  VgProcessSignals();
  for (int i = 10; i < 14; ++i) this->form->Remove(ctrls[i]);
  VgProcessSignals();
  EXPECT_EQ(this->form->ScrollPos, (VgPoint{0, 190})) << "10 controls: 490 high";
  EXPECT_EQ(ctrls[9]->Bounds.y2, 300);
}

TYPED_TEST(ScrollForms, AutoScrollKeepsTheFocusedControlInView) {
  auto ctrls = this->Column(14);
  this->form->OnSetAutoScroll(true);
  this->form->OnSetFocus(ctrls[6]);  // 300..340: half below the page
  EXPECT_EQ(this->form->ScrollPos, (VgPoint{0, 40}));
  this->form->OnSetFocus(ctrls[1]);  // now 10..50: inside
  EXPECT_EQ(this->form->ScrollPos, (VgPoint{0, 40}));
  this->form->OnSetFocus(ctrls[0]);  // now -40..0
  EXPECT_EQ(this->form->ScrollPos, (VgPoint{0, 0}));

  // Past the last control the page runs on to the content's end.
  this->form->OnSetFocus(ctrls[13]);
  this->form->OnSetScrollPos({0, 300});
  EXPECT_EQ(this->form->SelectLower(), nullptr);
  EXPECT_EQ(this->form->ScrollPos, (VgPoint{0, 390}));
  this->form->OnSetFocus(ctrls[0]);
  this->form->OnSetScrollPos({0, 100});
  EXPECT_EQ(this->form->SelectUpper(), nullptr);
  EXPECT_EQ(this->form->ScrollPos, (VgPoint{0, 0}));
}

TYPED_TEST(ScrollForms, BarsAreNeitherContentNorScrolled) {
  auto ctrls = this->Column(14);
  auto* vert = VgNew<Forms::ScrollBar>();
  vert->OnSetBounds({380, 0, 400, 2000});  // would make the content far higher
  this->form->Add(vert, 0);
  this->form->OnSetVertScrollBar(vert);
  VgProcessSignals();
  EXPECT_EQ(this->form->OnGetMaxScrollPos(), (VgPoint{-200, 390}));
  this->form->OnSetScrollPos({0, 100});
  VgProcessSignals();
  EXPECT_EQ(vert->Bounds, (VgRect{380, 0, 400, 2000}));
  EXPECT_EQ(vert->Content, 690);
  EXPECT_EQ(vert->Page, 300);
  EXPECT_EQ(vert->Pos, 100);

  // Disabling the form disables its bar.
  this->form->OnSetEnabled(false);
  VgProcessSignals();
  EXPECT_FALSE(vert->Enabled);
}

// The rule that differs: a scroll form's bar moves the content, a key-routing
// scroll form's bar only shows it.
TEST_F(Scrolling, OnlyThePlainScrollFormIsDrivenByItsBars) {
  auto* plain = VgNew<Forms::ScrollForm>();
  auto* screen = VgNew<Primitives::KeyRoutingScrollForm>();
  for (Forms::Form* f : {static_cast<Forms::Form*>(plain), static_cast<Forms::Form*>(screen)}) {
    f->OnSetBounds({0, 0, 400, 300});
    holder->Add(f, 0);
    for (int i = 0; i < 14; ++i) MakeCtrl("c", {0, 50 * i, 200, 50 * i + 40}, f);
  }
  auto* plainBar = Lock(VgNew<Forms::ScrollBar>());
  auto* screenBar = Lock(VgNew<Forms::ScrollBar>());
  plain->OnSetVertScrollBar(plainBar);
  screen->OnSetVertScrollBar(screenBar);
  VgProcessSignals();

  EXPECT_TRUE(plainBar->Scroll(120));
  EXPECT_EQ(plain->ScrollPos, (VgPoint{0, 120}));
  EXPECT_FALSE(screenBar->Scroll(120)) << "nobody listens to the screen's bar";
  screen->ScrollLines(0, 12);
  VgProcessSignals();
  EXPECT_EQ(screenBar->Pos, 120);

  // A bar given up by the plain form no longer drives it.
  plain->OnSetVertScrollBar(nullptr);
  EXPECT_TRUE(plainBar->OnScroll.IsNull());
}

TEST_F(Scrolling, DraggingTheBarePageMovesTheContentWithTheFinger) {
  auto* form = VgNew<Forms::ScrollForm>();
  form->OnSetBounds({100, 100, 500, 400});
  holder->Add(form, 0);
  for (int i = 0; i < 14; ++i) MakeCtrl("c", {0, 50 * i, 200, 50 * i + 40}, form);
  form->OnSetScrollPos({0, 200});
  EXPECT_TRUE(root->DriveCursorHitting(true, 0, 450, 200)) << "right of the controls: the page";
  EXPECT_TRUE(form->dragging);
  root->DriveCursorMovement(450, 170);
  EXPECT_EQ(form->ScrollPos, (VgPoint{0, 230}));
  root->DriveCursorHitting(false, 0, 450, 170);
  EXPECT_FALSE(form->dragging);
  root->DriveCursorMovement(450, 100);
  EXPECT_EQ(form->ScrollPos, (VgPoint{0, 230}));
}

}  // namespace
