// The fixed rating screens keep the stricter ratings blocked across the
// set's own scales, and the wizard's time-zone step writes the zone the list
// shows.
#include <gtest/gtest.h>

#include "Core/Keys.h"
#include "InitialSetup/TimeZoneDialog.h"
#include "ParentalLocks/RatingTableDialog.h"
#include "SkinBin/RatingData.h"
#include "nonmenu_fixture.h"
#include "simtv.h"
#include "xpm.h"

namespace NonMenuTest {
namespace {

using ParentalLocks::RatingTableDialog;

class ParentalScreens : public NonMenuFixture {
 protected:
  void SetUp() override {
    NonMenuFixture::SetUp();
    simtv_tv_reset();
    simtv_av_reset();  // the Canadian blocks are kept with the picture and sound
  }

  RatingTableDialog* OpenTable(const VgClass* cls) {
    auto* dialog = vg_cast<RatingTableDialog>(Open(cls));
    EXPECT_NE(dialog, nullptr);
    return dialog;
  }

  // The levels 1-6 whose whole rating (or the letter) the set blocks, as
  // digits.
  static std::string UsTvBlocked(uint32_t part = XPM_US_CONTENT_LEVEL) {
    std::string levels;
    for (int32_t level = 1; level <= 6; ++level) {
      uint32_t blocked = 0;
      XPM_GetUsRatingBlocks(level, &blocked);
      if (blocked & part) levels += char('0' + level);
    }
    return levels;
  }

  // Moves from the first check to row r, column c (for rows that have it).
  void Focus(int32_t r, int32_t c) {
    for (int32_t i = 0; i < r; ++i) Press(Key::Down);
    for (int32_t i = 0; i < c; ++i) Press(Key::Right);
  }
};

TEST_F(ParentalScreens, UsTvBlocksTheStricterRatingsAcrossTheSetsScales) {
  RatingTableDialog* dialog = OpenTable(&ParentalLocks::USTVRatingsDialog::Class);
  ASSERT_EQ(dialog->RowCount, 6);
  EXPECT_EQ(dialog->Cell(0, 1), nullptr) << "TV-Y has no letters";
  ASSERT_NE(dialog->Cell(1, 1), nullptr) << "FV on TV-Y7";
  EXPECT_EQ(dialog->Cell(5, 2), nullptr) << "no D on TV-MA";

  Focus(3, 0);
  Press(Key::Ok);
  EXPECT_EQ(UsTvBlocked(), "456");
  EXPECT_TRUE(dialog->Cell(5, 0)->IsChecked) << "the checks show the set";

  Press(Key::Up);
  Press(Key::Up);
  Press(Key::Up);
  Press(Key::Ok);
  EXPECT_EQ(UsTvBlocked(), "123456") << "TV-Y blocks the age scale too";
  Press(Key::Down);
  Press(Key::Down);
  Press(Key::Down);
  Press(Key::Down);
  Press(Key::Ok);
  EXPECT_EQ(UsTvBlocked(), "6") << "allowing TV-14 allows TV-Y to TV-14";
  EXPECT_FALSE(dialog->Cell(0, 0)->IsChecked);

  // A letter: D on TV-PG, which the set carries to TV-14.
  Press(Key::Up);
  Press(Key::Right);
  EXPECT_EQ(dialog->Focus.get(), dialog->Cell(3, 2)) << "right passes the FV column TV-PG lacks";
  Press(Key::Ok);
  EXPECT_EQ(UsTvBlocked(SkinBin::Ratings::kContentD), "45");
  EXPECT_TRUE(dialog->Cell(4, 2)->IsChecked);
  EXPECT_EQ(Utf8(dialog->helpLine.String), "TV-PG D: Parental guidance suggested");
}

TEST_F(ParentalScreens, CanadianFrenchAndMoviesBlockTheirStricterRatings) {
  RatingTableDialog* french = OpenTable(&ParentalLocks::CANFrenchRatingsDialog::Class);
  ASSERT_EQ(french->RowCount, 6);
  Focus(3, 0);
  EXPECT_EQ(french->Focus.get(), french->Cell(3, 0));
  Press(Key::Ok);
  std::string blocked;
  for (int32_t r = 0; r < 6; ++r) blocked += french->Cell(r, 0)->IsChecked ? 'x' : '.';
  EXPECT_EQ(blocked, "...xxx") << "13 ans+ blocks 16 ans+ and 18 ans+";
  int32_t mildest = 0;
  XPM_GetExtOemProperty(XPM_OEM_PROP_CAN_FRENCH_BLOCK, &mildest);
  EXPECT_EQ(mildest, 64);
  EXPECT_EQ(Utf8(french->helpLine.String), "13 ans+: Pour les 13 ans et plus")
      << "the French ratings keep their own French help";

  Press(Key::Back);
  VgSetLanguage(2);
  RatingTableDialog* movies = OpenTable(&ParentalLocks::USMovieRatingsDialog::Class);
  ASSERT_EQ(movies->RowCount, 7);
  Focus(3, 0);
  Press(Key::Ok);
  blocked.clear();
  for (int32_t r = 0; r < 7; ++r) blocked += movies->Cell(r, 0)->IsChecked ? 'x' : '.';
  EXPECT_EQ(blocked, "...xxx.") << "R blocks NC-17 and X; not-rated films stand apart";
  EXPECT_EQ(Utf8(movies->helpLine.String), "R: Restringido") << "the help follows the menu's language";
  VgSetLanguage(0);
}

TEST_F(ParentalScreens, TheTimeZoneStepShowsWideRowsAndWritesTheZone) {
  XPM_SetTimeZone(1);
  auto* step = VgNew<InitialSetup::TimeZoneDialog>();
  VgLockObject(step);
  step->Initialize(nullptr);
  VgProcessSignals();
  EXPECT_EQ(VgGetRectW(step->zones.GetFirstCtrl()->Bounds), 180);
  auto key = [step](uint16_t code) {
    step->DispatchEvent(RootTest::Key(code));
    VgProcessSignals();
  };
  key(Key::Down);
  key(Key::Down);
  key(Key::Ok);
  int32_t zone = -1;
  XPM_GetTimeZone(&zone);
  EXPECT_EQ(zone, 3);
  key(Key::Up);
  key(Key::Right);
  XPM_GetTimeZone(&zone);
  EXPECT_EQ(zone, 2) << "right takes the zone as OK does";
  VgUnlockObject(step);
}

}  // namespace
}  // namespace NonMenuTest
