// Drawing a group: clipping to the update area, translucent groups composed
// off-screen, and buffered groups that redraw only their dirty part.
#include <gtest/gtest.h>

#include <vector>

#include "Views/Image.h"
#include "Views/Rectangle.h"
#include "views_fixture.h"

namespace ViewsTest {

// A rectangle that remembers the clip of every draw.
class Recorder : public Views::Rectangle {
  VG_CLASS()
 public:
  void Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) override {
    clips.push_back(clip);
    Views::Rectangle::Draw(canvas, clip, offset);
  }
  std::vector<VgRect> clips;
};

}  // namespace ViewsTest

VG_DEFINE_CLASS(ViewsTest, Recorder, Views::Rectangle)

namespace {

using ViewsTest::Engine;
using ViewsTest::Pixels;
using ViewsTest::Recorder;

constexpr VgColor kRed{255, 0, 0, 255};
constexpr VgColor kBlue{0, 0, 255, 255};

class GroupDraw : public ViewsTest::ViewsFixture {
 protected:
  Recorder* MakeRect(Core::Group* owner, VgRect bounds, VgColor colour) {
    auto* r = VgNew<Recorder>();
    r->OnSetBounds(bounds);
    r->OnSetColor(colour);
    owner->Add(r, 0);
    return r;
  }
  Core::Group* MakeGroup(VgRect bounds) {
    auto* g = VgNew<Core::Group>();
    g->OnSetBounds(bounds);
    top->Add(g, 0);
    return g;
  }
};

TEST_F(GroupDraw, ABufferedGroupRedrawsOnlyItsDirtyPartAndAllOfItWhenResized) {
  Core::Group* g = MakeGroup({10, 10, 50, 50});
  Recorder* r = MakeRect(g, {0, 0, 100, 100}, kRed);
  g->OnSetBuffered(true);
  ASSERT_NE(g->bufferCanvas.get(), nullptr);
  EXPECT_EQ(g->bufferCanvas->OnGetSize(), (VgPoint{40, 40}));
  VgProcessSignals();
  ASSERT_EQ(r->clips.size(), 1u);
  EXPECT_EQ(r->clips.back(), (VgRect{0, 0, 40, 40}));

  r->InvalidateRect({5, 5, 8, 9}, false);
  r->InvalidateRect({20, 20, 22, 22}, false);
  EXPECT_EQ(r->clips.size(), 1u) << "nothing is drawn before the signal pass";
  VgProcessSignals();
  ASSERT_EQ(r->clips.size(), 2u) << "two invalidations, one update";
  EXPECT_EQ(r->clips.back(), (VgRect{5, 5, 22, 22}));

  g->OnSetBounds({10, 10, 80, 60});
  VgReclaimMemory();
  VgProcessSignals();
  EXPECT_EQ(g->bufferCanvas->OnGetSize(), (VgPoint{70, 50}));
  ASSERT_EQ(r->clips.size(), 3u);
  EXPECT_EQ(r->clips.back(), (VgRect{0, 0, 70, 50})) << "the whole resized buffer";

  // Drawn from the buffer, not from the children.
  GenImage pixels = Pixels(Render());
  EXPECT_EQ(r->clips.size(), 3u);
  EXPECT_EQ(pixels.At(79, 59), Engine(kRed));
  EXPECT_EQ(pixels.At(80, 59), 0u);

  g->OnSetBuffered(false);
  EXPECT_EQ(g->bufferCanvas.get(), nullptr);
  Render();
  EXPECT_EQ(r->clips.size(), 4u);
}

TEST_F(GroupDraw, AnImageShowingABufferFollowsItsUpdates) {
  Core::Group* g = MakeGroup({0, 0, 20, 20});
  g->OnSetVisible(false);
  Recorder* r = MakeRect(g, {0, 0, 20, 20}, kRed);
  g->OnSetBuffered(true);
  VgProcessSignals();
  auto* image = VgNew<Views::Image>();
  image->OnSetBounds({50, 0, 70, 20});
  image->OnSetBitmap(g->bufferCanvas);
  top->Add(image, 0);
  EXPECT_EQ(Pixels(Render()).At(55, 5), Engine(kRed));

  auto* spy = VgNew<Core::Group>();
  spy->OnSetBounds({0, 0, 120, 80});
  top->Remove(image);
  spy->Add(image, 0);
  top->Add(spy, 0);
  spy->OnSetBuffered(true);
  VgProcessSignals();
  ASSERT_TRUE(VgIsRectEmpty(spy->bufferDirty));

  r->OnSetColor(kBlue);
  VgProcessSignals();
  // The source buffer announced its new content, so the image asked its own
  // buffered owner to redraw it within the same pass.
  EXPECT_EQ(Pixels(spy->bufferCanvas).At(55, 5), Engine(kBlue));
}

// A translucent group drawn whole, or a part of it, gives the pixels of its
// children composed in one layer of its size and blended at its opacity:
// also where a child crosses from one band of rows to the next, and where a
// later band has nothing to draw. At no opacity nothing of it is drawn.
TEST_F(GroupDraw, ATranslucentGroupBlendsItsChildrenAsOneLayer) {
  top->Bounds = {0, 0, 120, 100};
  MakeRect(top, {0, 0, 120, 100}, kBlue);
  Core::Group* g = MakeGroup({10, 5, 115, 95});
  MakeRect(g, {0, 0, 105, 12}, kRed);
  MakeRect(g, {20, 6, 60, 80}, {0, 200, 0, 140});  // over the first, across bands
  Recorder* low = MakeRect(g, {0, 62, 50, 75}, {250, 250, 0, 255});
  g->OnSetOpacity(128);

  // The same group composed as a single layer of its size.
  auto* expected = VgNew<Graphics::Canvas>();
  expected->OnSetSize({120, 100});
  expected->DrawRectangle({0, 0, 120, 100}, {0, 0, 120, 100}, kBlue, 0);
  auto* layer = VgNew<Graphics::Canvas>();
  layer->OnSetSize({105, 90});
  g->DrawContent(layer, {0, 0, 105, 90}, {0, 0});
  expected->DrawBitmap({0, 0, 120, 100}, {10, 5}, layer, Core::View::ModeBlend, 128);
  const GenImage want = Pixels(expected);

  EXPECT_EQ(Pixels(Render()).pixels, want.pixels);
  // Parts whose bands start elsewhere: drawn over the whole picture, each
  // leaves it as it was.
  for (const VgRect part : {VgRect{0, 40, 120, 77}, VgRect{33, 1, 71, 99}, VgRect{12, 70, 14, 71}}) {
    auto* canvas = VgNew<Graphics::Canvas>();
    canvas->OnSetSize({120, 100});
    canvas->DrawBitmap({0, 0, 120, 100}, {0, 0}, expected, 0, 255);
    top->Draw(canvas, part, {0, 0});
    EXPECT_EQ(Pixels(canvas).pixels, want.pixels) << part.x1 << "," << part.y1 << " " << part.x2 << "," << part.y2;
  }

  g->OnSetOpacity(0);
  const size_t draws = low->clips.size();
  const GenImage hidden = Pixels(Render());
  EXPECT_EQ(low->clips.size(), draws) << "a group at no opacity drew its children";
  EXPECT_EQ(hidden.At(5, 50), Engine(kBlue));
  EXPECT_EQ(hidden.At(30, 70), Engine(kBlue));
  EXPECT_EQ(hidden.At(100, 8), Engine(kBlue));
}

}  // namespace
