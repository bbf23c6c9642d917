// Whole pages drawn through the view tree, compared pixel for pixel with the
// reference PNGs in golden/. On a mismatch <name>_diff.png is written beside
// the reference (differing pixels red over a dimmed copy of the result).
// TVUI_UPDATE_GOLDENS=1 rewrites the references instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Views/Border.h"
#include "Views/Frame.h"
#include "Views/Image.h"
#include "Views/ImageList.h"
#include "Views/Line.h"
#include "Views/MultilineText.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"
#include "golden.h"
#include "views_fixture.h"

namespace {

using ViewsTest::LoadFont;
using ViewsTest::Strip;

constexpr VgColor kWhite{255, 255, 255, 255};
constexpr VgColor kPanel{24, 48, 96, 255};
constexpr VgColor kEdge{140, 180, 230, 255};
constexpr VgColor kFill{40, 70, 130, 200};
constexpr VgColor kYellow{250, 210, 60, 255};

std::string GoldenPath(const std::string& name) {
  const char* root = std::getenv("TVUI_SOURCE_DIR");
  return std::string(root ? root : ".") + "/tests/views/golden/" + name;
}

// A 24 x 24 frame bitmap: a two-pixel edge with cut corners round a
// translucent interior, so every one of the nine cells is told apart.
Strip* PanelBitmap() {
  auto* s = VgNew<Strip>();
  s->OnSetSize({24, 24});
  s->DrawRectangle({0, 0, 24, 24}, {2, 2, 22, 22}, kFill, 0);
  s->DrawBorder({0, 0, 24, 24}, {0, 0, 24, 24}, kEdge, 2, 0);
  for (int i = 0; i < 3; ++i) {
    const VgColor clear{0, 0, 0, 0};
    s->DrawRectangle({0, 0, 24, 24}, {0, i, 3 - i, i + 1}, clear, 0);
    s->DrawRectangle({0, 0, 24, 24}, {21 + i, i, 24, i + 1}, clear, 0);
    s->DrawRectangle({0, 0, 24, 24}, {0, 23 - i, 3 - i, 24 - i}, clear, 0);
    s->DrawRectangle({0, 0, 24, 24}, {21 + i, 23 - i, 24, 24 - i}, clear, 0);
  }
  s->DrawRectangle({0, 0, 24, 24}, {10, 0, 14, 2}, kYellow, 0);  // marks the upper edge's tiling
  s->SetFrames({24, 24}, 0);
  return s;
}

// Four 32 x 32 icons side by side: a square, a bar, a cross and a dot.
Strip* IconStrip() {
  auto* s = VgNew<Strip>();
  s->OnSetSize({128, 32});
  const VgRect all{0, 0, 128, 32};
  s->DrawRectangle(all, {4, 4, 28, 28}, kYellow, 0);
  s->DrawRectangle(all, {36, 12, 60, 20}, kEdge, 0);
  s->DrawRectangle(all, {68, 14, 92, 18}, kWhite, 0);
  s->DrawRectangle(all, {78, 4, 82, 28}, kWhite, 0);
  s->DrawRectangle(all, {108, 8, 116, 24}, {230, 90, 90, 255}, 0);
  s->DrawRectangle(all, {104, 12, 120, 20}, {230, 90, 90, 255}, 0);
  s->SetFrames({32, 32}, 0);
  return s;
}

class Golden : public ViewsTest::ViewsFixture {
 protected:
  void SetUp() override {
    ViewsFixture::SetUp();
    top->Bounds = {0, 0, 960, 540};
    auto* background = VgNew<Views::Rectangle>();
    background->OnSetBounds(top->Bounds);
    background->OnSetColor({10, 16, 32, 255});
    top->Add(background, 0);
  }

  template <class V>
  V* Add(Core::Group* owner, VgRect bounds) {
    auto* v = VgNew<V>();
    v->OnSetBounds(bounds);
    owner->Add(v, 0);
    return v;
  }
  Views::Text* AddText(Core::Group* owner, VgRect bounds, const char16_t* text, const VgConstant& font) {
    auto* t = Add<Views::Text>(owner, bounds);
    t->OnSetFont(LoadFont(font));
    t->OnSetString(VgNewString(text));
    return t;
  }

  void AddLine(Core::Group* owner, VgPoint p1, VgPoint p2, VgColor colour) {
    auto* line = VgNew<Views::Line>();
    line->OnSetPoint1(p1);
    line->OnSetPoint2(p2);
    line->OnSetColor(colour);
    owner->Add(line, 0);
  }

  void Compare(const std::string& name) {
    Graphics::Canvas* canvas = Render();
    ExpectGolden(ViewsTest::Pixels(canvas), GoldenPath(name + ".png"));
  }
};

TEST_F(Golden, TextPage) {
  auto* panel = Add<Views::Frame>(top, {30, 30, 930, 510});
  panel->OnSetBitmap(PanelBitmap());

  Views::Text* title = AddText(top, {60, 50, 900, 90}, u"Picture Settings", Fonts::LargeFont);
  title->OnSetAlignH(Views::Text::AlignCentre);
  title->OnSetAlignV(Views::Text::AlignMiddle);
  title->OnSetShadow(2);
  title->OnSetShadowColor({0, 0, 0, 160});
  AddLine(top, {60, 96}, {899, 96}, kEdge);

  // One row per alignment and cut, each inside a border showing its bounds.
  const char16_t* sentence = u"Backlight adjusts the overall brightness of the screen";
  struct Row {
    uint16_t alignH;
    bool ellipsis;
    int32_t shadow;
  };
  const Row rows[] = {{0, false, 0}, {0, true, 0}, {1, true, 1}, {2, true, 0}, {3, false, 0}, {3, true, 3}};
  int32_t y = 110;
  for (const Row& row : rows) {
    auto* frame = Add<Views::Border>(top, {58, y - 2, 462, y + 30});
    frame->OnSetColor({70, 90, 130, 255});
    Views::Text* t = AddText(top, {60, y, 460, y + 28}, sentence, Fonts::SmallFont);
    t->OnSetAlignH(row.alignH);
    t->OnSetAlignV(Views::Text::AlignMiddle);
    t->OnSetEllipsis(row.ellipsis);
    t->OnSetShadow(row.shadow);
    t->OnSetColor(row.alignH == 3 ? kYellow : kWhite);
    y += 38;
  }

  // Auto-sized labels anchored at their right and bottom edges.
  for (int i = 0; i < 3; ++i) {
    Views::Text* label = AddText(top, {700, 110 + 40 * i, 900, 140 + 40 * i},
                                 i == 0 ? u"On" : i == 1 ? u"Standard" : u"Custom 3", Fonts::MediumFont);
    label->OnSetAlignH(Views::Text::AlignRight);
    label->OnSetAlignV(Views::Text::AlignBottom);
    label->OnSetAutoSize(true);
    auto* box = Add<Views::Border>(top, VgInflateRect(label->Bounds, {2, 2}));
    box->OnSetColor(kEdge);
  }

  // Wrapped paragraphs: justified, and overflowing with a cut at either end.
  const char16_t* paragraph =
      u"Energy saving lowers the backlight when the room is dark. The picture keeps its contrast, "
      u"and the set uses less power.\nPress OK to change the setting.";
  auto* justified = Add<Views::MultilineText>(top, {500, 240, 900, 380});
  justified->OnSetFont(LoadFont(Fonts::SmallestFont));
  justified->OnSetAlignH(Views::Text::AlignJustified);
  justified->OnSetString(VgNewString(paragraph));
  for (int i = 0; i < 2; ++i) {
    const VgRect bounds{500 + 205 * i, 400, 695 + 205 * i, 480};
    Add<Views::Border>(top, VgInflateRect(bounds, {1, 1}))->OnSetColor({70, 90, 130, 255});
    auto* cut = Add<Views::MultilineText>(top, bounds);
    cut->OnSetFont(LoadFont(Fonts::ExtraSmallFont));
    cut->OnSetAlignV(i == 0 ? Views::Text::AlignTop : Views::Text::AlignBottom);
    cut->OnSetAlignH(i == 0 ? Views::Text::AlignLeft : Views::Text::AlignCentre);
    cut->OnSetEllipsis(true);
    cut->OnSetShadow(1);
    cut->OnSetString(VgNewString(paragraph));
  }
  Compare("texts");
}

TEST_F(Golden, PicturePage) {
  Strip* panel = PanelBitmap();
  Strip* icons = IconStrip();

  // Frames: all edges, then each edge switched off in turn, then interior only.
  for (int i = 0; i < 6; ++i) {
    auto* frame = Add<Views::Frame>(top, {40 + 150 * i, 30, 170 + 150 * i, 130});
    frame->OnSetBitmap(panel);
    frame->OnSetDrawUpperEdge(i != 1 && i != 5);
    frame->OnSetDrawRightEdge(i != 2 && i != 5);
    frame->OnSetDrawBottomEdge(i != 3 && i != 5);
    frame->OnSetDrawLeftEdge(i != 4 && i != 5);
  }
  Add<Views::Frame>(top, {40, 150, 920, 170})->OnSetBitmap(panel);  // lower than two cells

  // Images in every alignment, each inside a border showing its bounds.
  for (int v = 0; v < 3; ++v) {
    for (int h = 0; h < 3; ++h) {
      const VgRect bounds{40 + 70 * h, 200 + 70 * v, 100 + 70 * h, 260 + 70 * v};
      Add<Views::Border>(top, VgInflateRect(bounds, {1, 1}))->OnSetColor({70, 90, 130, 255});
      auto* image = Add<Views::Image>(top, bounds);
      image->OnSetBitmap(icons);
      image->OnSetAlignH(static_cast<uint16_t>(h));
      image->OnSetAlignV(static_cast<uint16_t>(v));
      image->OnSetFrameNumber((3 * v + h) % 4);
    }
  }
  auto* faded = Add<Views::Image>(top, {260, 200, 292, 232});
  faded->OnSetBitmap(icons);
  faded->OnSetOpacity(96);

  // The icon strip as a 2-row grid of 64 x 16 images.
  for (int n = 0; n < 4; ++n) {
    auto* list = Add<Views::ImageList>(top, {330 + 80 * n, 200, 394 + 80 * n, 216});
    list->OnSetBitmap(icons);
    list->OnSetImageSize({64, 16});
    list->OnSetImageNumber(n);
  }

  // Rectangles, a translucent group and lines.
  auto* group = VgNew<Core::Group>();
  group->OnSetBounds({330, 240, 650, 440});
  top->Add(group, 0);
  Add<Views::Rectangle>(group, {0, 0, 320, 200})->OnSetColor({200, 60, 60, 255});
  Add<Views::Rectangle>(group, {40, 40, 280, 160})->OnSetColor({60, 200, 90, 255});
  auto* label = Add<Views::Text>(group, {0, 80, 320, 120});
  label->OnSetFont(LoadFont(Fonts::MediumFont));
  label->OnSetAlignH(Views::Text::AlignCentre);
  label->OnSetString(VgNewString(u"Opacity 160"));
  group->OnSetOpacity(160);

  auto* buffered = VgNew<Core::Group>();
  buffered->OnSetBounds({680, 240, 920, 440});
  top->Add(buffered, 0);
  Add<Views::Frame>(buffered, {0, 0, 240, 200})->OnSetBitmap(panel);
  auto* inside = Add<Views::Text>(buffered, {10, 10, 230, 40});
  inside->OnSetFont(LoadFont(Fonts::SmallFont));
  inside->OnSetString(VgNewString(u"Buffered group"));
  buffered->OnSetBuffered(true);
  buffered->OnSetOpacity(200);
  VgProcessSignals();

  for (int i = 0; i < 8; ++i) {
    AddLine(top, {40 + 30 * i, 470}, {40 + 60 * i, 510 - 5 * i}, i % 2 ? kYellow : kEdge);
  }
  auto* outline = Add<Views::Border>(top, {520, 460, 920, 520});
  outline->OnSetWidth(6);
  outline->OnSetColor({230, 90, 90, 180});
  Compare("pictures");
}

}  // namespace
