// The television model's picture settings, captions and sources over the
// simulated set: changed marks per picture mode, the pattern sources, the
// light sensor, the caption style and sample, and switching between inputs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OptionDatabase/OptionTypes.h"
#include "SkinBin/OptionTypes.h"
#include "model_app_fixture.h"
#include "simtv.h"
#include "xpm.h"

namespace ModelTest {
namespace {

class Picture : public ModelApp {
 protected:
  void SetUp() override {
    ModelApp::SetUp();
    simtv_setup_reset();
    simtv_set_value("current_source", 1);
    simtv_set_value("sub_source", -1);
  }

  static int32_t Source(int32_t window) {
    int32_t source = 0;
    XPM_GetCurrentSource(window, &source);
    return source;
  }
  static int32_t CaptionStyle(int32_t id) {
    int32_t value = 0;
    XPM_GetAdvancedCaptionProperty(id, &value);
    return value;
  }
  static bool CalledSince(const std::string& prefix) { return Called(Calls(), prefix); }
};

TEST_F(Picture, ChangesAreMarkedPerGroupForTheCurrentPictureModeOnly) {
  model->OnSetVideoPreset(3);
  model->MarkOptionChange(OptionDatabase::OPTION_TYPE_BRIGHTNESS);
  EXPECT_TRUE(model->IsOptionChanged(Key("CommonPicture")));
  EXPECT_FALSE(model->IsOptionChanged(Key("AdvancedPicture")));
  EXPECT_FALSE(model->IsOptionChanged(Key("ExpertPicture")));

  model->OnSetVideoPreset(4);
  EXPECT_FALSE(model->IsOptionChanged(Key("CommonPicture"))) << "another picture mode";
  model->MarkOptionChange(SkinBin::OPTION_TYPE_BASECOLOR_ADJUST_CYAN_HUE);
  model->MarkOptionChange(OptionDatabase::OPTION_TYPE_GREEN_GAIN);
  model->MarkOptionChange(OptionDatabase::OPTION_TYPE_BALANCE);  // a sound option marks nothing
  EXPECT_TRUE(model->IsOptionChanged(Key("AdvancedPicture")));
  EXPECT_TRUE(model->IsOptionChanged(Key("ExpertPicture")));
  EXPECT_FALSE(model->IsOptionChanged(Key("CommonPicture")));
  EXPECT_FALSE(model->IsOptionChanged(Key("Sound")));

  // The marks outlive the model: they are kept in the settings file.
  auto* again = VgNew<SkinBin::Wrapper>();
  again->OnSetPersistentData(store);
  model->OnSetVideoPreset(3);
  EXPECT_TRUE(again->IsOptionChanged(Key("CommonPicture")));
  model->ResetAll();
  EXPECT_FALSE(model->IsOptionChanged(Key("CommonPicture")));
}

TEST_F(Picture, ThePatternSourcesReturnToTheSourceShownBefore) {
  EXPECT_EQ(model->SetLastSource(), 0) << "nothing remembered yet";
  simtv_set_value("current_source", 5);
  model->OnSetTestPattern(1);
  EXPECT_EQ(Source(0), SIMTV_PATTERN_SOURCE);
  model->OnSetWB_WindowDisplay(1);
  model->OnSetTestPattern(0);
  EXPECT_EQ(Source(0), SIMTV_PATTERN_SOURCE) << "the white-balance window still shows";
  model->OnSetWB_WindowDisplay(0);
  EXPECT_EQ(Source(0), 5);
  EXPECT_EQ(model->OnGetTestPattern(), 0);
  EXPECT_EQ(model->SetLastSource(), 0) << "the source is given back once";
}

// A set reset between tests shows no pattern that an earlier test left on.
TEST_F(Picture, AResetSetShowsItsOwnSourcesAgain) {
  model->OnSetTestPattern(1);
  simtv_set_value("sub_source", 4);
  simtv_tv_reset();
  EXPECT_EQ(Source(0), 1) << "the tuner";
  EXPECT_EQ(Source(1), 1) << "the sub window shows the main window's";
}

TEST_F(Picture, SwitchingTheMainWindowRemembersItsSourceForSetLastSource) {
  model->SetSource(0, 22);
  EXPECT_EQ(Source(0), 22);
  model->SetSource(1, 7);  // the sub window remembers nothing
  EXPECT_EQ(model->SetLastSource(), 1);
  EXPECT_EQ(Source(0), 1);
  EXPECT_EQ(Source(1), 7);
  EXPECT_FALSE(model->IsPipEnabled());
}

TEST_F(Picture, TheLightSensorSetsItsFlagAndGivesTheBacklightBackWhenOff) {
  model->OnSetBacklight(70);
  model->OnSetAutoBrightnessSensor(1);
  EXPECT_EQ(model->OnGetAutoBrightnessSensor(), 1);
  bool applied = false;
  static bool* seen;
  seen = &applied;
  SkinBin::Wrapper::LumetraForceApply = [] {
    *seen = true;
    return 0;
  };
  model->ForceApplyLumetra();
  EXPECT_TRUE(applied) << "the flag is set";
  simtv_clear_calls();
  model->OnSetAutoBrightnessSensor(0);
  EXPECT_TRUE(CalledSince("XPM_SetBacklight 70"));
  applied = false;
  model->ForceApplyLumetra();
  EXPECT_FALSE(applied);
  SkinBin::Wrapper::LumetraForceApply = nullptr;
}

TEST_F(Picture, TheRGBFilterIsOnePackedWord) {
  model->SetRGBFilter(0x110011);
  EXPECT_EQ(model->GetRGBFilter(), 0x110011);
  EXPECT_EQ(model->OnGetRGBFilterGreen(), 0);
  EXPECT_EQ(model->OnGetRGBFilterBlue(), 1);
}

TEST_F(Picture, CaptionsGoToTheRenderStateAndTheAdvancedStyle) {
  EXPECT_EQ(model->OnGetClosedCaptionState(), 2) << "a fresh set shows no captions";
  model->OnSetClosedCaptionState(1);
  int32_t state = 0;
  XPM_GetCaptionRenderState(0, &state);
  EXPECT_EQ(state, 1);
  model->OnSetClosedCaptionState(2);
  XPM_GetCaptionRenderState(0, &state);
  EXPECT_EQ(state, 0);

  model->OnSetCC708_FontSize(1);
  model->OnSetCC708_EdgeColor(0x00AB0000);
  model->OnSetCC708_BgOpacity(0);
  EXPECT_EQ(CaptionStyle(XPM_CC_PROP_FONT_SIZE), 1);
  EXPECT_EQ(CaptionStyle(XPM_CC_PROP_EDGE_COLOR), 0x00AB0000);
  model->ResetAdvanceCaptionProperty();
  const std::vector<int32_t> broadcasters = {3, 7, int32_t(0xFF000000u), 6, int32_t(0xFF000000u),
                                             4, int32_t(0xFF000000u), 4};
  for (int32_t id = XPM_CC_PROP_FONT_SIZE; id <= XPM_CC_PROP_BG_OPACITY; ++id)
    EXPECT_EQ(CaptionStyle(id), broadcasters[size_t(id - XPM_CC_PROP_FONT_SIZE)]) << id;
  EXPECT_EQ(model->OnGetCC708_FontSize(), 3);
}

TEST_F(Picture, TheOSDLockHoldsBackTheSampleAndTheSwap) {
  model->SetSource(1, 6);
  model->OSDLock = true;
  simtv_clear_calls();
  model->ShowSampleCCText(true, Key("ABC123"), 350, 50);
  model->SwapSource();
  EXPECT_TRUE(Calls().empty());
  model->OSDLock = false;
  model->ShowSampleCCText(true, Key("ABC123"), 350, 50);
  EXPECT_TRUE(CalledSince("XPM_ShowSampleCaption 1 ABC123 350 50"));
  model->SwapSource();
  EXPECT_EQ(Source(0), 6);
  EXPECT_EQ(Source(1), 1);
}

TEST_F(Picture, SourcesByTypeCountDVIAsHDMI) {
  const int32_t sources[] = {1, 10, 2, 5, 6, 7};
  simtv_setup_set_sources(6, sources);
  simtv_av_set_source_type(10, Wrapper::kSourceTypeDvi);
  simtv_av_set_source_type(2, 2);
  simtv_av_set_source_type(5, Wrapper::kSourceTypeHdmi);
  simtv_av_set_source_type(6, Wrapper::kSourceTypeVga);
  simtv_av_set_source_type(7, Wrapper::kSourceTypeHdmi);
  EXPECT_EQ(model->GetSourceByType(0, Wrapper::kSourceTypeDvi, 1), 10);
  EXPECT_EQ(model->GetSourceByType(0, Wrapper::kSourceTypeHdmi, 2), 5);
  EXPECT_EQ(model->GetSourceByType(2, Wrapper::kSourceTypeHdmi, 0), 5) << "from index 2, n below 1 is the first";
  EXPECT_EQ(model->GetSourceByType(0, Wrapper::kSourceTypeHdmi, 4), -1);
  EXPECT_EQ(model->GetSourceByType(0, Wrapper::kSourceTypeVga, 1), 6);
  simtv_set_value("current_source", 6);
  EXPECT_FALSE(model->IsTunerSource());
  simtv_set_value("current_source", 1);
  EXPECT_TRUE(model->IsTunerSource());
}

TEST_F(Picture, String2IntWrapsAroundInThirtyTwoBits) {
  EXPECT_EQ(SkinBin::Wrapper::String2Int(Key("-12")), -12);
  EXPECT_EQ(SkinBin::Wrapper::String2Int(Key("")), 0);
  EXPECT_EQ(SkinBin::Wrapper::String2Int(Key("99999999999")), 1215752191);
}

}  // namespace
}  // namespace ModelTest
