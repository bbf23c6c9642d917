// The picture and sound pages of the older menus on the booted root: the
// rules that grey and remove their rows by the set's state, their special
// keys and the sound rows that exclude each other and end muting.
#include <gtest/gtest.h>

#include <string>

#include "AppServices/OptionDB.h"
#include "AppServices/Wrapper.h"
#include "Constants/Constants.h"
#include "Core/Keys.h"
#include "MenuSystem/MenuItems.h"
#include "MenuSystem/MenuSystem.h"
#include "MenuSystem/PictureSettings.h"
#include "MenuSystem/SoundSettings.h"
#include "OptionDatabase/OptionBinding.h"
#include "OptionDatabase/OptionTypes.h"
#include "SkinBin/OptionTypes.h"
#include "SubSystem/Open.h"
#include "mainapp_fixture.h"
#include "simtv.h"
#include "xpm.h"

namespace SettingPagesTest {

using namespace MenuSystem;
namespace O = OptionDatabase;
namespace S = SkinBin;

std::string Utf8(VgString text) { return VgStringToUtf8(text); }

class SettingPagesTest : public MainAppTest::MainAppFixture {
 protected:
  void SetUp() override {
    MainAppFixture::SetUp();
    StoreSetting("SetupStep", "9");
    BootAndWake();
    model = root->Wrapper;
  }

  template <class T>
  T* Open(int32_t origin = Constants::MSG_FROM_MENUSYSTEM) {
    auto* page = vg_cast<T>(SubSystem::Open(nullptr, {.screen = &T::Class, .origin = origin}));
    Advance(0);
    return page;
  }
  XObject* Key(uint16_t code, bool frontPanel = false) {
    XObject* taken = Press(code, frontPanel);
    Advance(0);
    return taken;
  }
  template <class T>
  T* Shown() const {
    for (Core::View* view = App()->MenuSystem->firstView; view; view = view->nextView)
      if (auto* page = vg_cast<T>(view)) return page;
    return nullptr;
  }
  static int32_t Option(int32_t id) { return O::OptionBinding(MainApp::GetOptionDB(), id, "test").Read(); }
  static void SetOption(int32_t id, int32_t value) { O::OptionBinding(MainApp::GetOptionDB(), id, "test").Write(value); }
  static bool Disabled(ThirdMenu* page, int32_t row) { return page->Row(row)->IsDisabled; }
  void ShowSource(int32_t type) {
    simtv_av_set_source_type(3, type);
    simtv_set_value("current_source", 3);
  }

  ::SkinBin::Wrapper* model = nullptr;
};

// ----------------------------------------------------------------- picture

TEST_F(SettingPagesTest, TheAutomaticPictureModeShowsContrastAsAutoAndGreysIt) {
  model->OnSetVideoPreset(0);
  auto* page = Open<PictureMenu>();
  ASSERT_NE(page, nullptr);
  auto* contrast = vg_cast<AdjustItemSlider>(page->Row(4));
  EXPECT_EQ(Utf8(contrast->valueText.String), "Auto");
  EXPECT_EQ(contrast->SliderVisible, 0);
  EXPECT_TRUE(contrast->IsDisabled);
  EXPECT_TRUE(Disabled(page, 10)) << "no expert settings in the automatic mode";

  model->OnSetVideoPreset(2);
  page->Close();
  page = Open<PictureMenu>();
  contrast = vg_cast<AdjustItemSlider>(page->Row(4));
  EXPECT_EQ(contrast->SliderVisible, 1);
  EXPECT_FALSE(contrast->IsDisabled);
  EXPECT_FALSE(Disabled(page, 10));
}

TEST_F(SettingPagesTest, StageholdGreysEveryRowButItselfAndThePictureModeUntilItGoesOff) {
  model->OnSetVideoPreset(2);
  SetOption(S::OPTION_TYPE_STAGEHOLD, 1);
  auto* page = Open<PictureMenu>();
  ASSERT_NE(page, nullptr);
  for (int32_t row = 2; row <= 10; ++row) EXPECT_TRUE(Disabled(page, row)) << "row " << row;
  EXPECT_FALSE(Disabled(page, 1));
  EXPECT_FALSE(Disabled(page, 11));

  // Stagehold off from its own row frees the rows at once.
  page->OnSetFocus(page->Row(11));
  Key(Key::Right);
  ASSERT_EQ(model->OnGetStagehold(), 0);
  for (int32_t row = 3; row <= 10; ++row) EXPECT_FALSE(Disabled(page, row)) << "row " << row;
  EXPECT_EQ(Disabled(page, 2), !model->IsOptionChanged(VgNewString(u"CommonPicture")) &&
                                   !model->IsOptionChanged(VgNewString(u"AdvancedPicture")) &&
                                   !model->IsOptionChanged(VgNewString(u"ExpertPicture")));
}

TEST_F(SettingPagesTest, ReturnEndsTheTestPatternAndThenLeaves) {
  auto* page = Open<PictureMenu>();
  ASSERT_NE(page, nullptr);
  model->OnSetTestPattern(1);
  Key(Key::Back);
  EXPECT_EQ(model->OnGetTestPattern(), 0);
  EXPECT_EQ(Shown<PictureMenu>(), nullptr);

  auto* balance = Open<WhiteBalanceMenu>();
  ASSERT_NE(balance, nullptr);
  EXPECT_EQ(balance->ItemsNum, 3) << "two-point balance only";
  EXPECT_EQ(balance->Row(4), nullptr);
  model->OnSetWB_WindowDisplay(1);
  Key(Key::Back);
  EXPECT_EQ(model->OnGetWB_WindowDisplay(), 0);
  EXPECT_NE(Shown<ExpertPictureMenu>(), nullptr);
}

TEST_F(SettingPagesTest, FromTheQuickMenuTheExpertRowIsGreyAndReturnGoesBackThere) {
  model->OnSetVideoPreset(2);
  auto* page = Open<PictureMenu>(Constants::MSG_FROM_QUICKMENU);
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(Disabled(page, 10));
  EXPECT_STREQ(page->PrevStateName, "QuickMenu::QuickMenu");
  auto* sound = Open<SoundMenu>(Constants::MSG_FROM_QUICKMENU);
  EXPECT_STREQ(sound->PrevStateName, "QuickMenu::QuickMenu");
  auto* plain = Open<SoundMenu>();
  EXPECT_EQ(plain->PrevStateName, nullptr);
}

TEST_F(SettingPagesTest, TheSeriesDecidesTheMotionRowsAndTheColourSensorNeverShows) {
  struct Case {
    int32_t series;
    bool morrable480, morrable240, tessoric, film1, film2, cinema;
  };
  const Case cases[] = {
      {0, false, false, false, false, false, true}, {1, false, false, true, false, true, false},
      {2, false, true, false, false, true, false},  {3, true, false, false, true, false, false},
      {5, false, false, false, false, true, false},
  };
  for (const Case& c : cases) {
    model->OnSetSeriesType(c.series);
    auto* page = Open<AdvancedPictureMenu>();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->Row(5), nullptr) << "series " << c.series;
    EXPECT_EQ(page->Row(11) != nullptr, c.morrable480) << "series " << c.series;
    EXPECT_EQ(page->Row(12) != nullptr, c.morrable240) << "series " << c.series;
    EXPECT_EQ(page->Row(13) != nullptr, c.tessoric) << "series " << c.series;
    EXPECT_EQ(page->Row(14) != nullptr, c.film1) << "series " << c.series;
    EXPECT_EQ(page->Row(15) != nullptr, c.film2) << "series " << c.series;
    EXPECT_EQ(page->Row(16) != nullptr, c.cinema) << "series " << c.series;
    EXPECT_EQ(page->ItemsNum, page->GetCount());
    page->Close();
  }
}

TEST_F(SettingPagesTest, APcSignalGreysNoiseAndEdgeButNotA640By480HdmiOne) {
  XPM_VideoContentInfo video{};
  video.width = 640;
  video.height = 480;
  video.pcSignal = 1;
  simtv_av_set_video_content(0, &video);
  ShowSource(::Wrapper::kSourceTypeHdmi);
  auto* page = Open<AdvancedPictureMenu>();
  ASSERT_NE(page, nullptr);
  EXPECT_FALSE(Disabled(page, 9));
  EXPECT_FALSE(Disabled(page, 10));
  page->Close();

  video.width = 1024;
  video.height = 768;
  simtv_av_set_video_content(0, &video);
  page = Open<AdvancedPictureMenu>();
  EXPECT_TRUE(Disabled(page, 9));
  EXPECT_TRUE(Disabled(page, 10));
  EXPECT_FALSE(Disabled(page, 1));
}

// ------------------------------------------------------------------- sound

TEST_F(SettingPagesTest, DynamicVolumeAndRangeControlExcludeEachOther) {
  ShowSource(::Wrapper::kSourceTypeHdmi);
  XPM_AudioServiceInfo audio{};
  audio.format = 3;
  simtv_tv_set_audio_service(0, &audio);
  model->OnSetDynamicVolume(0);
  model->OnSetDynamicRangeControl(1);
  auto* page = Open<SoundMenu>();
  ASSERT_NE(page, nullptr);
  auto* volume = vg_cast<SubMenuItemValue>(page->Row(6));
  auto* range = vg_cast<SubMenuItemValue>(page->Row(7));
  ASSERT_FALSE(range->IsDisabled);

  page->OnSetFocus(volume);
  Key(Key::Right);
  EXPECT_EQ(model->OnGetDynamicVolume(), 1);
  EXPECT_EQ(model->OnGetDynamicRangeControl(), 0);
  EXPECT_EQ(range->Value, 0) << "the row shows the change at once";
  EXPECT_EQ(volume->Value, 1);

  page->OnSetFocus(range);
  Key(Key::Right);
  EXPECT_EQ(model->OnGetDynamicRangeControl(), 1);
  EXPECT_EQ(model->OnGetDynamicVolume(), 0);
  EXPECT_EQ(volume->Value, 0);
}

TEST_F(SettingPagesTest, AnySoundChangeEndsMuting) {
  auto* page = Open<SoundMenu>();
  ASSERT_NE(page, nullptr);
  model->OnSetMute(1);
  page->OnSetFocus(page->Row(2));
  Key(Key::Right);
  EXPECT_EQ(model->OnGetMute(), 0);

  auto* advanced = Open<AdvancedSoundSettingsMenu>();
  ASSERT_NE(advanced, nullptr);
  model->OnSetMute(1);
  Key(Key::Right);
  EXPECT_EQ(model->OnGetMute(), 0);
}

TEST_F(SettingPagesTest, RangeControlNeedsADigitalAc3Signal) {
  XPM_AudioServiceInfo audio{};
  audio.format = 3;
  simtv_tv_set_audio_service(0, &audio);
  ShowSource(::Wrapper::kSourceTypeHdmi);
  auto* page = Open<SoundMenu>();
  EXPECT_FALSE(Disabled(page, 7));
  page->Close();

  audio.format = 2;
  simtv_tv_set_audio_service(0, &audio);
  page = Open<SoundMenu>();
  EXPECT_TRUE(Disabled(page, 7)) << "not AC-3";
  page->Close();

  audio.format = 4;
  simtv_tv_set_audio_service(0, &audio);
  ShowSource(::Wrapper::kSourceTypeTuner);
  simtv_av_set_channel(0, 4, 0);
  page = Open<SoundMenu>();
  EXPECT_TRUE(Disabled(page, 7)) << "an analogue channel";
  page->Close();

  simtv_av_set_channel(0, 4, 1);
  page = Open<SoundMenu>();
  EXPECT_FALSE(Disabled(page, 7));
}

TEST_F(SettingPagesTest, OnlyTheFrontPanelCombinationOpensTheEqualiser) {
  auto* page = Open<AdvancedSoundSettingsMenu>();
  ASSERT_NE(page, nullptr);
  const int32_t voice = Option(S::OPTION_TYPE_VOICE_ENHANCEMENT);
  XPM_SetExtOemProperty(XPM_OEM_KEY_HELD_CHANNEL_DOWN, 1);
  Key(Key::Right);
  EXPECT_NE(Option(S::OPTION_TYPE_VOICE_ENHANCEMENT), voice) << "the remote's key steps the row";
  ASSERT_EQ(Shown<AudysseyEQMenu>(), nullptr);

  XPM_SetExtOemProperty(XPM_OEM_KEY_HELD_CHANNEL_DOWN, 0);
  Key(Key::Right, true);
  EXPECT_EQ(Shown<AudysseyEQMenu>(), nullptr) << "nothing held";

  XPM_SetExtOemProperty(XPM_OEM_KEY_HELD_CHANNEL_DOWN, 1);
  const int32_t before = Option(S::OPTION_TYPE_VOICE_ENHANCEMENT);
  Key(Key::Right, true);
  EXPECT_EQ(Option(S::OPTION_TYPE_VOICE_ENHANCEMENT), before);
  ASSERT_NE(Shown<AudysseyEQMenu>(), nullptr);
  EXPECT_EQ(Shown<AdvancedSoundSettingsMenu>(), nullptr);

  Key(Key::Back);
  EXPECT_NE(Shown<AdvancedSoundSettingsMenu>(), nullptr);
  EXPECT_EQ(Shown<AudysseyEQMenu>(), nullptr);
}

}  // namespace SettingPagesTest
