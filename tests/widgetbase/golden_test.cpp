// A list page drawn through the view tree and compared pixel for pixel with
// golden/list.png: a hundred-item list scrolled into its middle, its focused
// row, its bar and both arrows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Bitmaps.h"
#include "Forms/ImageIndicator.h"
#include "golden.h"
#include "Resources/Bitmap.h"
#include "Views/Image.h"
#include "Views/Rectangle.h"
#include "views_fixture.h"
#include "widgetbase_fixture.h"

namespace WidgetTest {

Resources::Bitmap* LoadBitmap(const VgConstant& constant) {
  return static_cast<Resources::Bitmap*>(VgLoadResource(&constant, &Resources::Bitmap::Class));
}

// The bar as the screens draw it: a track and a thumb that slides along it.
class TrackBar : public Forms::ScrollBar {
  VG_CLASS()
 public:
  TrackBar() {
    track.OnSetBitmap(LoadBitmap(Bitmaps::ScrollBackground));
    thumb.OnSetBitmap(LoadBitmap(Bitmaps::ScrollBar));
    track.OnSetBounds({0, 0, 16, 331});
    Add(&track, 0);
    Add(&thumb, 0);
  }
  void ArrangeTracker(int32_t position, int32_t page, int32_t content) override {
    const int32_t height = VgGetRectH(Bounds);
    const int32_t top = content > page ? position * (height - 80) / (content - page) : 0;
    thumb.OnSetBounds({0, top, 16, top + 80});
    thumb.OnSetVisible(content > 0);
  }
  Views::Image track{this};
  Views::Image thumb{this};
};

// A list that knows its cursor shows the window of its rows on the bar.
class BarList : public NumberList {
  VG_CLASS()
 public:
  void updateScrollBars(XObject* sender) override {
    NumberList::updateScrollBars(sender);
    auto* focused = vg_cast<Forms::Ctrl>(Focus.get());
    if (!ScrollBar || !DataSource || !focused) return;
    ScrollBar->OnSetContent(DataSource->Num);
    ScrollBar->OnSetPage(GetCount());
    ScrollBar->OnSetPos(DataSource->Cursor - GetIndexOf(focused));
  }
};

}  // namespace WidgetTest

VG_DEFINE_CLASS(WidgetTest, TrackBar, Forms::ScrollBar)
VG_DEFINE_CLASS(WidgetTest, BarList, WidgetTest::NumberList)

namespace {

using WidgetTest::LoadBitmap;

std::string GoldenPath(const std::string& name) {
  const char* root = std::getenv("TVUI_SOURCE_DIR");
  return std::string(root ? root : ".") + "/tests/widgetbase/golden/" + name;
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
};

TEST_F(Golden, AScrolledListWithItsBarAndArrows) {
  auto* panel = VgNew<Views::Rectangle>();
  panel->OnSetBounds({250, 40, 740, 500});
  panel->OnSetColor({24, 40, 72, 255});
  top->Add(panel, 0);

  auto* list = VgNew<WidgetTest::BarList>();
  list->OnSetBounds({280, 90, 720, 450});
  list->OnSetItemInterval(2);  // the list lays its rows out 36 pixels apart
  top->Add(list, 0);
  Resources::Font* font = ViewsTest::LoadFont(Fonts::MediumFont);
  Resources::Bitmap* focusFrame = LoadBitmap(Bitmaps::ChannelListButtonFocus);
  for (int32_t i = 0; i < 10; ++i) {
    auto* row = VgNew<WidgetTest::Row>();
    row->OnSetBounds({0, 36 * i, 400, 36 * i + 34});
    row->frame.OnSetBounds({0, 0, 400, 34});
    row->frame.OnSetBitmap(focusFrame);
    row->caption.OnSetFont(font);
    row->caption.OnSetBounds({14, 0, 390, 34});
    list->Add(row, 0);
  }

  auto* bar = VgNew<WidgetTest::TrackBar>();
  bar->OnSetBounds({410, 14, 426, 345});
  list->Add(bar, 0);
  list->OnSetScrollBar(bar);

  auto* prev = VgNew<Forms::ImageIndicator>();
  auto* next = VgNew<Forms::ImageIndicator>();
  prev->OnSetBounds({450, 56, 530, 80});
  next->OnSetBounds({450, 460, 530, 484});
  prev->OnSetEnabledBitmap(LoadBitmap(Bitmaps::EPG_ListScrollUp));
  next->OnSetEnabledBitmap(LoadBitmap(Bitmaps::EPG_ListScrollDown));
  top->Add(prev, 0);
  top->Add(next, 0);
  list->OnSetPrevIndicator(prev);
  list->OnSetNextIndicator(next);

  auto* source = VgNew<ListForm::ListDataSource>();
  source->OnSetNum(100);
  list->OnSetDataSource(source);
  top->OnSetFocus(list);
  top->UpdateFocus(true);  // the top group stands in for the root's focus path
  VgProcessSignals();

  list->ScrollItems(40);
  VgProcessSignals();
  list->ScrollItems(-6);
  VgProcessSignals();
  ASSERT_EQ(source->Cursor, 34);
  ASSERT_EQ(list->GetIndexOf(vg_cast<Forms::Ctrl>(list->Focus.get())), 3);
  ASSERT_TRUE(prev->Enabled);
  ASSERT_TRUE(next->Enabled);
  ASSERT_EQ(bar->Pos, 31);
  ExpectGolden(ViewsTest::Pixels(Render()), GoldenPath("list.png"));
}

}  // namespace
