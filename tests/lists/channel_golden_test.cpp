// The channel option list and the channel logo grid drawn through the view
// tree and compared pixel for pixel with golden/channel_options.png and
// golden/logo_grid.png.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Core/Keys.h"
#include "ListForm/ChannelLists.h"
#include "ListForm/ChannelLogos.h"
#include "golden.h"
#include "list_host.h"
#include "simtv.h"
#include "xpm.h"

namespace {

std::string GoldenPath(const std::string& name) {
  const char* root = std::getenv("TVUI_SOURCE_DIR");
  return std::string(root ? root : ".") + "/tests/lists/golden/" + name;
}

class ChannelGolden : public ListTest::ListFixture {
 protected:
  void SetUp() override {
    ListFixture::SetUp();
    UseModel();
  }
};

TEST_F(ChannelGolden, TheChannelOptionListWithItsRingAndTheFocusedChannel) {
  const char* names[] = {"KABC", "KDEF-HD", "Weather", "WXYZ", "Public", "Sports 2", "Kids", "Music", "Shop", "News"};
  for (int i = 0; i < 10; ++i) {
    XPM_ChannelInfo channel{};
    std::snprintf(channel.name, sizeof channel.name, "%s", names[i]);
    channel.major = 2 + i;
    channel.minor = i % 3 == 2 ? 0 : 1;
    channel.substituteMinor = -1;
    channel.digital = channel.minor > 0;
    channel.favoriteRings = i % 2 == 0 ? 1u : 0u;
    simtv_tv_add_channel(&channel);
  }
  simtv_av_set_channel(0, 4, 0);
  auto* list = Embed(VgNew<ListForm::ChannelOptionList>());
  list->OnSetBounds(VgSetRectOrigin(list->Bounds, {300, 160}));
  VgProcessSignals();
  Press(Key::Down);
  ASSERT_EQ(Cursor(), 3);
  ExpectGolden(ViewsTest::Pixels(Render()), GoldenPath("channel_options.png"));
}

TEST_F(ChannelGolden, TheSecondPageOfTheLogoGrid) {
  auto* grid = Embed(VgNew<ListForm::ChannelLogoGridView>());
  grid->OnSetBounds(VgSetRectOrigin(grid->Bounds, {205, 136}));
  VgProcessSignals();
  Press(Key::GridPageDown);
  Press(Key::Right);
  Press(Key::Down);
  ASSERT_EQ(Cursor(), 49);
  ExpectGolden(ViewsTest::Pixels(Render()), GoldenPath("logo_grid.png"));
}

}  // namespace
