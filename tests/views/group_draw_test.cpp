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

}  // namespace
