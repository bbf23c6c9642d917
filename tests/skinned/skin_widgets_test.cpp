// The skin's buttons, text page, scroll bar, sliders, focus frames and menu
// effect: the looks they start with and the one or two rules each adds to
// its base.
#include <gtest/gtest.h>

#include <string>

#include "Effects/Effect.h"
#include "SkinBin/Button.h"
#include "SkinBin/CBFocusFrame.h"
#include "SkinBin/CheckBoxWithCaption.h"
#include "SkinBin/ColorButton.h"
#include "SkinBin/FocusFrame.h"
#include "SkinBin/MenuEffect.h"
#include "SkinBin/MultilineText.h"
#include "SkinBin/Progress.h"
#include "SkinBin/ProgressQOR.h"
#include "SkinBin/ScrollBar.h"
#include "SkinBin/TextForm.h"
#include "Views/MultilineText.h"
#include "widgets_fixture.h"

namespace WidgetsTest {
namespace {

// Forty numbered lines of text, each ending in a line feed.
VgString LongText() {
  std::string text;
  for (int i = 1; i <= 40; ++i) text += "Line " + std::to_string(i) + " of the page\n";
  return VgNewStringAnsi(text.c_str());
}

using SkinWidgets = Widgets;

TEST_F(SkinWidgets, ButtonCaptionSitsTwoPixelsDown) {
  auto* button = VgNew<SkinBin::Button>();
  top->Add(button, 0);
  VgProcessSignals();
  EXPECT_EQ(button->Bounds, (VgRect{0, 0, 110, 27}));
  EXPECT_EQ(Utf8(button->Text), "Text");
  EXPECT_EQ(Utf8(button->HelpString), "Help");
  EXPECT_EQ(button->caption.Bounds, (VgRect{0, 2, 110, 27}));
  EXPECT_EQ(button->TextColor, (VgColor{200, 200, 200, 255}));
  FocusInTop(button);
  EXPECT_EQ(button->TextColor, (VgColor{40, 188, 249, 255}));
  EXPECT_EQ(button->TextFont.get(), button->Focused_TextFont.get());
  EXPECT_NE(button->Focused_TextFont.get(), button->Nonfocused_TextFont.get());
}

TEST_F(SkinWidgets, ColorButtonKeepsItsSwatchInsideTheInset) {
  auto* button = VgNew<SkinBin::ColorButton>();
  top->Add(button, 0);
  button->OnSetBounds({10, 10, 50, 40});
  VgProcessSignals();
  EXPECT_EQ(button->colorRect.Bounds, (VgRect{5, 5, 35, 25}));
  button->OnSetColor({0, 128, 0, 255});
  EXPECT_EQ(button->OnGetColor(), (VgColor{0, 128, 0, 255}));
  EXPECT_EQ(button->colorRect.Color, (VgColor{0, 128, 0, 255}));
  button->OnSetInset(30);  // wider than half the button: an empty swatch, never an inverted one
  button->Refresh();
  EXPECT_EQ(button->colorRect.Bounds, (VgRect{30, 30, 30, 30}));
}

TEST_F(SkinWidgets, CheckBoxCaptionFollowsTheBox) {
  auto* box = VgNew<SkinBin::CheckBoxWithCaption>();
  box->OnSetBounds({0, 0, 300, 27});
  box->OnSetText(VgNewStringAnsi("Auto"));
  top->Add(box, 0);
  VgProcessSignals();
  EXPECT_EQ(box->backgroundFrame.Bounds, (VgRect{0, 0, 27, 27}));
  EXPECT_EQ(box->iconImage.Bounds.x1, 5);
  EXPECT_EQ(box->caption.Bounds.x1, 33);
  EXPECT_EQ(box->caption.Bounds.y1, 2);
  EXPECT_TRUE(box->caption.Visible);

  FocusInTop(box);
  EXPECT_EQ(box->TextColor, (VgColor{40, 188, 249, 255}));
  box->OnSetIsDisabled(true);
  VgProcessSignals();
  EXPECT_EQ(box->TextColor, (VgColor{88, 88, 88, 255}));  // focused but disabled
}

class TextPage : public Widgets {
 protected:
  void SetUp() override {
    Widgets::SetUp();
    page = VgNew<SkinBin::TextForm>();
    top->Add(page, 0);
    page->OnSetBounds({100, 100, 400, 200});
    page->OnSetFont(ViewsTest::LoadFont(Fonts::MediumFont));
    page->OnSetString(LongText());
    page->OnSetOnResetTimeout(listener->Slot());
    VgProcessSignals();
  }
  SkinBin::TextForm* page = nullptr;
};

TEST_F(TextPage, PageKeysScrollOnlyWhileThereIsSomewhereToGo) {
  page->OnSetPageUpKey(30);
  page->OnSetPageDownKey(31);
  EXPECT_EQ(page->textView.Bounds.x2 - page->textView.Bounds.x1, 300);
  EXPECT_GT(VgGetRectH(page->textView.Bounds), 100);

  EXPECT_EQ(page->HandleEvent(Press(30)), nullptr);  // already at the top
  EXPECT_EQ(listener->count, 0);
  EXPECT_EQ(page->HandleEvent(Press(31)), page);
  EXPECT_EQ(page->ScrollPos, (VgPoint{0, 100}));
  EXPECT_EQ(page->textView.Bounds.y1, -100);
  EXPECT_EQ(page->HandleEvent(Press(4)), page);  // a line up
  EXPECT_EQ(page->ScrollPos, (VgPoint{0, 90}));
  EXPECT_EQ(listener->count, 2);
  EXPECT_EQ(page->HandleEvent(Release(31)), nullptr);  // releases do not scroll again
  EXPECT_EQ(page->ScrollPos, (VgPoint{0, 90}));
}

TEST_F(TextPage, SidewaysKeysAreAlwaysTakenAndPageKeyZeroIsNone) {
  EXPECT_EQ(page->HandleEvent(Press(6)), page);
  EXPECT_EQ(page->HandleEvent(Press(7)), page);
  EXPECT_EQ(listener->count, 2);
  EXPECT_EQ(page->HandleEvent(Press(0)), nullptr);
  for (int i = 0; i < 200; ++i) page->HandleEvent(Press(5));
  const VgPoint bottom = page->ScrollPos;
  EXPECT_EQ(bottom.y, page->OnGetMaxScrollPos().y);
  const int before = listener->count;
  EXPECT_EQ(page->HandleEvent(Press(5)), nullptr);  // at the bottom a line down is left to the screen
  EXPECT_EQ(listener->count, before);
}

TEST_F(TextPage, PropertiesReachTheTextViewAndShadowIsClamped) {
  page->OnSetShadow(7);
  EXPECT_EQ(page->OnGetShadow(), 3);
  EXPECT_EQ(page->textView.Shadow, 3);
  page->OnSetShadow(-2);
  EXPECT_EQ(page->OnGetShadow(), 0);
  page->OnSetColor({1, 2, 3, 255});
  page->OnSetAlignH(2);
  page->OnSetShadowColor({9, 9, 9, 9});
  EXPECT_EQ(page->textView.Color, (VgColor{1, 2, 3, 255}));
  EXPECT_EQ(page->textView.AlignH, 2);
  EXPECT_EQ(page->textView.ShadowColor, (VgColor{9, 9, 9, 9}));
}

TEST_F(TextPage, ANarrowerPageWrapsAndKeepsItsPlace) {
  page->HandleEvent(Press(5));
  page->HandleEvent(Press(5));
  const int32_t tall = VgGetRectH(page->textView.Bounds);
  page->OnSetBounds({100, 100, 160, 200});
  VgProcessSignals();
  EXPECT_EQ(VgGetRectW(page->textView.Bounds), 60);
  EXPECT_GT(VgGetRectH(page->textView.Bounds), tall);  // the lines wrap now
  EXPECT_EQ(page->textView.Bounds.y1, -page->ScrollPos.y);
  EXPECT_EQ(page->ScrollPos.y, 20);
}

// The fast text draws exactly what the toolkit's multi-line text draws, for
// every alignment, with the text partly above the area and a clip inside it.
TEST_F(SkinWidgets, FastTextDrawsTheSameLines) {
  Resources::Font* font = ViewsTest::LoadFont(Fonts::MediumFont);
  VgString text = VgNewStringAnsi(
      "A long paragraph of text that wraps over several lines of the view, so that the justified lines spread.\n"
      "Second paragraph.\n\nAfter a blank line, more text to wrap at the edge of the view once more.");
  for (uint16_t alignH : {0, 1, 2, 3}) {
    for (uint16_t alignV : {0, 1, 2}) {
      Graphics::Canvas* pictures[2];
      Views::MultilineText* views[2] = {VgNew<Views::MultilineText>(), VgNew<SkinBin::MultilineText>()};
      for (int k = 0; k < 2; ++k) {
        Views::MultilineText* view = views[k];
        view->OnSetFont(font);
        view->OnSetShadow(1);
        view->OnSetAlignH(alignH);
        view->OnSetAlignV(alignV);
        view->OnSetBounds({10, -37, 250, 150});
        view->OnSetString(text);
        auto* canvas = VgNew<Graphics::Canvas>();
        canvas->OnSetSize({260, 160});
        view->Draw(canvas, {0, 20, 260, 120}, {0, 0});
        view->Draw(canvas, {0, 20, 260, 120}, {0, 0});  // the second draw reads the line index
        pictures[k] = canvas;
      }
      const GenImage expected = ViewsTest::Pixels(pictures[0]);
      const GenImage actual = ViewsTest::Pixels(pictures[1]);
      EXPECT_EQ(actual.pixels, expected.pixels) << "alignment " << alignH << "/" << alignV;
    }
  }
}

TEST_F(SkinWidgets, ScrollBarTrackerFollowsThePosition) {
  auto* bar = VgNew<SkinBin::ScrollBar>();
  EXPECT_EQ(bar->Bounds, (VgRect{0, 0, 16, 331}));
  EXPECT_EQ(bar->downArrow.Bounds, (VgRect{0, 315, 16, 331}));
  // Track 331 - 2 x 16 - 80 = 219 pixels; content 1000, page 300, position 350:
  // (219 x 1000) / 700 = 312, x 350 / 1000 = 109.2.
  bar->ArrangeTracker(350, 300, 1000);
  EXPECT_EQ(bar->tracker.Bounds, (VgRect{0, 125, 16, 205}));
  bar->ArrangeTracker(700, 300, 1000);
  EXPECT_EQ(bar->tracker.Bounds.y1, 16 + 218);  // the integer step loses a pixel at the end
  for (auto [page, content] : {std::pair{0, 100}, std::pair{100, 0}, std::pair{100, 100}, std::pair{150, 100}}) {
    bar->ArrangeTracker(40, page, content);
    EXPECT_EQ(bar->tracker.Bounds.y1, 16) << page << "/" << content;
  }
  bar->OnSetBounds({0, 0, 16, 200});
  EXPECT_EQ(bar->downArrow.Bounds, (VgRect{0, 184, 16, 200}));
  // Through the bar's own properties: the whole content fits.
  bar->OnSetContent(50);
  bar->OnSetPage(50);
  EXPECT_EQ(bar->tracker.Bounds.y1, 16);
}

TEST_F(SkinWidgets, SlidersStartHalfWay) {
  auto* qor = VgNew<SkinBin::ProgressQOR>();
  top->Add(qor, 0);
  VgProcessSignals();
  EXPECT_EQ(qor->Bounds, (VgRect{0, 0, 200, 12}));
  EXPECT_EQ(qor->OnGetValue(), 50);
  EXPECT_EQ(qor->indicatorFrame.Bounds.y1, 0);
  EXPECT_EQ(qor->indicatorFrame.Bounds.y2, 12);
  EXPECT_EQ(qor->indicatorFrame.Bounds.x1, 0);
  EXPECT_GT(VgGetRectW(qor->indicatorFrame.Bounds), 90);  // grows from the left to the middle
  EXPECT_FALSE(qor->indicatorImage.Visible);
  EXPECT_FALSE(qor->markA.Visible);

  auto* slider = VgNew<SkinBin::Progress>();
  EXPECT_EQ(slider->OnGetValue(), 50);
  EXPECT_EQ(slider->OnGetIndicatorTopLeft(), (VgPoint{4, 4}));
  EXPECT_TRUE(slider->IndicatorImageBitmap);
}

TEST_F(SkinWidgets, FocusFramesFrameTheirClients) {
  auto* tile = VgNew<SkinBin::FocusFrame>();
  auto* cursor = VgNew<SkinBin::CBFocusFrame>();
  top->Add(tile, 0);
  top->Add(cursor, 0);
  VgProcessSignals();
  EXPECT_EQ(tile->Bounds, (VgRect{0, 0, 77, 77}));
  EXPECT_EQ(cursor->OnGetBorderWidth(), 4);
  EXPECT_EQ(cursor->Bounds, (VgRect{-4, -4, 134, 44}));
  EXPECT_TRUE(cursor->FrameBitmap);
}

TEST_F(SkinWidgets, MenuEffectMovesItsRectangleAndEnds) {
  auto* effect = VgNew<SkinBin::MenuEffect>();
  VgLockObject(effect);
  auto* view = VgNew<Views::Rectangle>();
  top->Add(view, 0);
  effect->OnSetView(view);
  effect->OnSetGroup(top);
  effect->OnSetActor(VgRefOf<&Views::Rectangle::OnGetBounds, &Views::Rectangle::OnSetBounds>(view));
  effect->OnSetStartValue({0, 0, 10, 10});
  effect->OnSetEndValue({100, 0, 110, 10});
  effect->OnSetNoOfFrames(4);
  effect->OnSetOnFinished(listener->Slot());
  effect->OnSetPeriod(10);
  effect->OnSetEnabled(true);
  for (int i = 0; i < 10; ++i) Advance(10);
  EXPECT_EQ(view->Bounds, (VgRect{100, 0, 110, 10}));
  EXPECT_EQ(listener->count, 1);
  EXPECT_EQ(effect->OnGetView(), view);
  EXPECT_EQ(effect->OnGetGroup(), top);
  VgUnlockObject(effect);
}

}  // namespace
}  // namespace WidgetsTest
