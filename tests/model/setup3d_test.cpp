#include "SkinBin/Setup3D.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model_test_support.h"
#include "vgslot.h"

namespace ModelTest {
namespace {

using SkinBin::Setup3D;

class ThreeD : public SimulatedSet {
 protected:
  Setup3D* keeper = VgNew<Setup3D>();

  std::vector<std::string> Calls() { return ChangingCalls(); }
};

TEST_F(ThreeD, StateFollowsInputAndDisplay) {
  constexpr struct {
    int32_t input;
    int32_t display;
    int32_t state;
  } kRows[] = {{2, 2, 1}, {3, 1, 4}, {1, 2, 3}, {1, 1, 2}, {0, 0, 2}, {6, 6, 1}, {-2, 3, 3}};
  for (const auto& row : kRows) {
    keeper->MatchInputAndDisplay(row.input, row.display);
    EXPECT_EQ(keeper->State, row.state) << row.input << "/" << row.display;
  }
}

TEST_F(ThreeD, RefreshReadsTheMiddlewareAndTurnsTheLeftRightSwapOff) {
  simtv_tv_set_3d_input(2);
  keeper->ThreeD_LeftRightImage = 1;
  keeper->RefreshState();
  EXPECT_EQ(keeper->InputFormat, 2);
  EXPECT_EQ(keeper->State, Setup3D::kState3DAs2D);  // the output is off
  EXPECT_EQ(keeper->OnGetThreeD_LeftRightImage(), 0);
  EXPECT_EQ(Calls(), std::vector<std::string>{"XPM_3DTV_Set3DLRReverse 0"});

  // With the output on, a side-by-side input is shown in 3D.
  XPM_3DTV_SetOutput(1);
  keeper->RefreshState();
  EXPECT_EQ(keeper->State, Setup3D::kState3D);
  EXPECT_TRUE(keeper->Is3DDisplay(keeper->State));
}

TEST_F(ThreeD, AMadeUp3DPictureKeepsItsLeftRightSetting) {
  XPM_3DTV_SetOutput(1);  // a 2D input made into 3D
  keeper->ThreeD_LeftRightImage = 1;
  simtv_clear_calls();
  keeper->RefreshState();
  EXPECT_EQ(keeper->State, Setup3D::kState2DTo3D);
  EXPECT_EQ(keeper->ThreeD_LeftRightImage, 1);
  EXPECT_TRUE(Calls().empty());
}

TEST_F(ThreeD, SwitchingA3DInputTo2DKeepsItsFormatAsMode) {
  simtv_tv_set_3d_input(2);
  keeper->RefreshState();
  simtv_clear_calls();
  keeper->SwitchTo2DState(false);
  EXPECT_EQ(keeper->Mode, 2);
  EXPECT_EQ(keeper->State, Setup3D::kState3DAs2D);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"XPM_3DTV_SetMode 2", "XPM_3DTV_SetOutput 0"}));
}

TEST_F(ThreeD, SwitchingLaterWaitsForTheIdlePass) {
  keeper->RefreshState();
  simtv_clear_calls();
  keeper->SwitchTo2DState(true);
  EXPECT_EQ(keeper->State, Setup3D::kState2D);
  EXPECT_TRUE(Calls().empty());
  VgProcessSignals();
  VgProcessSignals();
  EXPECT_EQ(Calls(), (std::vector<std::string>{"XPM_3DTV_SetMode 1", "XPM_3DTV_SetOutput 0"}));
}

TEST_F(ThreeD, ApplyingTheStates) {
  keeper->InputFormat = 3;
  keeper->Mode = 1;
  keeper->State = Setup3D::kState3D;
  keeper->ApplyState();
  keeper->State = Setup3D::kState2DTo3D;
  keeper->ApplyState();
  keeper->Mode = -1;
  keeper->State = Setup3D::kState2D;
  keeper->ApplyState();  // a negative mode is never sent
  keeper->State = 5;
  keeper->ApplyState();
  EXPECT_EQ(Calls(), (std::vector<std::string>{"XPM_3DTV_SetMode 3", "XPM_3DTV_SetOutput 1", "XPM_3DTV_SetMode 1",
                                               "XPM_3DTV_SetOutput 1", "XPM_3DTV_SetOutput 0"}));
}

TEST_F(ThreeD, FormatQuestions) {
  EXPECT_FALSE(keeper->IsFormatSupported(-2));
  EXPECT_FALSE(keeper->IsFormatSupported(0));
  EXPECT_TRUE(keeper->IsFormatSupported(1));
  for (int32_t format = -2; format <= 7; ++format) {
    keeper->InputFormat = format;
    EXPECT_EQ(keeper->IsFramePacking(), format == 5 || format == 6) << format;
  }
  EXPECT_TRUE(keeper->IsSourceSupported3D(5));
  EXPECT_TRUE(keeper->IsSourceSupported3D(10));
  EXPECT_FALSE(keeper->IsSourceSupported3D(6));
  keeper->InputFormat = 1;
  keeper->State = Setup3D::kState2DTo3D;
  EXPECT_TRUE(keeper->IsFormatSelected());
  keeper->State = Setup3D::kState2D;
  EXPECT_FALSE(keeper->IsFormatSelected());
}

TEST_F(ThreeD, AFailedStatusReadLeavesA2DPicture) {
  simtv_tv_set_3d_input(2);
  simtv_fail("XPM_3DTV_GetVideoStatus", 1, 1);
  keeper->RefreshState();
  EXPECT_EQ(keeper->InputFormat, 1);
  EXPECT_EQ(keeper->State, Setup3D::kState2D);
}

}  // namespace
}  // namespace ModelTest
