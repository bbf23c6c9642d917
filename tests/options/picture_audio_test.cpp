// The picture and sound options over the simulated set.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "options_fixture.h"

namespace {

using OptionDatabase::OptionCourier;
using OptionDatabase::OptionDataClass;
using OptionDatabase::SliderCourier;
namespace O = OptionDatabase;
namespace S = SkinBin;

constexpr int32_t kVga = 6;
constexpr int32_t kHdmi = 5;
constexpr int32_t kTuner = 1;

XPM_VideoContentInfo Video(int32_t width, int32_t height, int32_t rate, int32_t pc) {
  XPM_VideoContentInfo info{};
  info.width = width;
  info.height = height;
  info.scanType = 2;
  info.rateIndex = rate;
  info.pcRateIndex = rate;
  info.pcSignal = pc;
  return info;
}

SliderCourier* Slider(OptionDataClass* record) { return vg_cast<SliderCourier>(record->Courier); }

TEST_F(Options, HorizontalPositionMovesInStepsOfFiveAroundFifty) {
  OptionDataClass* record = Record(O::OPTION_TYPE_HORIZONTAL_POSITION);
  EXPECT_EQ(record->OnGetOffset(), 10);
  struct Case {
    int32_t id;
    int32_t value;
  };
  for (Case c : {Case{-10, 0}, Case{10, 100}, Case{0, 50}, Case{1, 55}}) {
    record->Id = c.id;
    record->Id2Value();
    EXPECT_EQ(record->Value, c.value) << c.id;
  }
  for (Case c : {Case{0, 52}, Case{0, 48}, Case{-1, 44}, Case{2, 60}}) {
    record->Value = c.value;
    record->Val2Id();
    EXPECT_EQ(record->Id, c.id) << c.value;
  }
}

TEST_F(Options, VerticalPositionFollowsTheSourceMode) {
  struct Case {
    int32_t type;
    int32_t rate;
    int32_t mode;
    int32_t min, max;
    int32_t id, value;
  };
  const Case cases[] = {
      {kTuner, 9, 5, -5, 10, -5, 11},
      {kHdmi, 9, 5, -5, 10, 10, 26},
      {kVga, 9, 10, -10, 10, 0, 50},
      {kVga, 13, 8, -8, 8, -8, 42},
  };
  for (const Case& c : cases) {
    ShowSource(3, c.type);
    XPM_VideoContentInfo info = Video(1024, 768, c.rate, 1);
    simtv_av_set_video_content(0, &info);
    OptionDataClass* record = Read(O::OPTION_TYPE_VERTICAL_POSITION);
    EXPECT_EQ(record->OnGetOffset(), c.mode) << c.type << "/" << c.rate;
    EXPECT_EQ(Slider(record)->OnGetMin(), c.min);
    EXPECT_EQ(Slider(record)->OnGetMax(), c.max);
    record->Id = c.id;
    record->Id2Value();
    EXPECT_EQ(record->Value, c.value);
    record->Val2Id();
    EXPECT_EQ(record->Id, c.id);
  }
}

TEST_F(Options, PictureModeOffersEveryModeButAutomatic) {
  XPM_SetVideoPreset(0, 3);
  OptionDataClass* record = Read(S::OPTION_TYPE_PICTURE_MODE);
  EXPECT_EQ(record->OnGetNum(), 7);
  EXPECT_EQ(record->Id, 2);
  EXPECT_EQ(ChoiceText(record), Text(Strings::SID_MOVIE_1));
  EXPECT_EQ(vg_cast<OptionCourier>(record->Courier)->Index, 3);

  // The automatic mode is not in the list: the row keeps its choice.
  XPM_SetVideoPreset(0, 0);
  record = Read(S::OPTION_TYPE_PICTURE_MODE);
  EXPECT_EQ(record->Id, 2);

  Change(record, 6);
  int32_t preset = -1;
  XPM_GetVideoPreset(0, &preset);
  EXPECT_EQ(preset, 7);
  EXPECT_EQ(ChoiceText(record), Text(Strings::SID_PC));
}

TEST_F(Options, PictureSizeListsTheSizesOfTheSignal) {
  struct Case {
    int32_t type;
    XPM_VideoContentInfo video;
    const char* texts[7];
  };
  const VgConstant* computer[7] = {&Strings::SID_FULL, &Strings::SID_NORMAL, &Strings::SID_DOT_BY_DOT};
  const VgConstant* video[7] = {&Strings::SID_NATIVE,     &Strings::SID_FULL,       &Strings::SID_PANORELL_1,
                                &Strings::SID_PANORELL_2, &Strings::SID_PANORELL_3, &Strings::SID_ASPECT_RATION_4_TO_3,
                                &Strings::SID_DOT_BY_DOT};
  const Case cases[] = {
      {kVga, Video(1024, 768, 9, 0), {}},
      {kHdmi, Video(1280, 1024, 9, 1), {}},
      {kHdmi, Video(640, 480, 9, 1), {}},  // a video format, whatever the flag says
      {9, Video(1024, 768, 9, 1), {}},      // external inputs carry no computer signal
      {kTuner, Video(1920, 1080, 9, 0), {}},
  };
  const bool isComputer[] = {true, true, false, false, false};
  for (size_t i = 0; i < std::size(cases); ++i) {
    ShowSource(4, cases[i].type);
    simtv_av_set_video_content(0, &cases[i].video);
    OptionDataClass* record = Read(S::OPTION_TYPE_PICTURE_SIZE);
    const VgConstant* const* texts = isComputer[i] ? computer : video;
    int32_t count = isComputer[i] ? 3 : 7;
    ASSERT_EQ(record->OnGetNum(), count) << i;
    for (int32_t id = 0; id < count; ++id) {
      record->Id = id;
      record->GetData();
      EXPECT_EQ(ChoiceText(record), Text(*texts[id])) << i << "/" << id;
    }
  }
}

TEST_F(Options, PictureSizeBindsThePreferredModeUnlessAspectIsAutomatic) {
  OptionDataClass* record = Read(S::OPTION_TYPE_PICTURE_SIZE);
  Change(record, 2);  // Panorell 1
  int32_t preferred = -1;
  int32_t current = -1;
  XPM_GetAvProperty(0, XPM_AV_PROP_PREFER_VIEW_MODE, &preferred);
  XPM_GetViewMode(0, &current);
  EXPECT_EQ(preferred, 2);
  EXPECT_EQ(current, 0);

  // With automatic aspect on, the current view mode is shown and changed;
  // the flag bits of the preferred mode are not disturbed.
  XPM_SetAvProperty(0, XPM_AV_PROP_PREFER_VIEW_MODE, 0x302);
  record = Read(S::OPTION_TYPE_PICTURE_SIZE);
  Change(record, 1);
  XPM_GetViewMode(0, &current);
  XPM_GetAvProperty(0, XPM_AV_PROP_PREFER_VIEW_MODE, &preferred);
  EXPECT_EQ(current, 1);
  EXPECT_EQ(preferred, 0x302);
  EXPECT_EQ(model->OnGetPreferViewMode(), 2);
}

TEST_F(Options, SlidersReadTheirRangesAndStepFasterInFactoryMode) {
  struct Case {
    int32_t id;
    int32_t min, max;
  };
  for (Case c : {Case{O::OPTION_TYPE_VOLUME, 0, 100}, Case{O::OPTION_TYPE_BALANCE, -50, 50},
                 Case{O::OPTION_TYPE_LIP_SYNC, -3, 3}, Case{S::OPTION_TYPE_AMPLIFIER_VOLUME, 0, 100},
                 Case{S::OPTION_TYPE_WHITE_BALANCE_IRE, 10, 100}, Case{S::OPTION_TYPE_SRV_BLUE_GAIN, 0, 255},
                 Case{S::OPTION_TYPE_BASECOLOR_ADJUST_CYAN_BRIGHTNESS, -15, 15}}) {
    OptionDataClass* record = Read(c.id);
    ASSERT_NE(Slider(record), nullptr) << std::hex << c.id;
    EXPECT_EQ(record->OnGetNum(), 0);
    EXPECT_EQ(Slider(record)->OnGetMin(), c.min) << std::hex << c.id;
    EXPECT_EQ(Slider(record)->OnGetMax(), c.max) << std::hex << c.id;
    EXPECT_EQ(Slider(record)->OnGetStep(), 1);
  }
  XPM_SetVolume(42);
  EXPECT_EQ(Slider(Read(O::OPTION_TYPE_VOLUME))->OnGetValue(), 42);

  model->OnSetFactoryMode(VgNewStringAnsi("M"));
  EXPECT_EQ(Slider(Read(O::OPTION_TYPE_VOLUME))->OnGetStep(), 4);
  model->OnSetFactoryMode(VgNewStringAnsi("S"));
  EXPECT_EQ(Slider(Read(O::OPTION_TYPE_VOLUME))->OnGetStep(), 1);
}

TEST_F(Options, ManualTuningRangeFollowsTheMedium) {
  int32_t max = 0, min = 0;
  auto* box = VgNew<SliderCourier>();
  auto maxRef = VgRefOf<&SliderCourier::OnGetMax, &SliderCourier::OnSetMax>(box);
  auto minRef = VgRefOf<&SliderCourier::OnGetMin, &SliderCourier::OnSetMin>(box);
  const int32_t manualTuning = S::OptionId(0x83, 0);
  model->GetAdjustBarRange(manualTuning, maxRef, minRef, VgNullRef);
  max = box->OnGetMax();
  min = box->OnGetMin();
  EXPECT_EQ(min, 2);
  EXPECT_EQ(max, 69);
  model->OnSetAntCableIn(1);
  model->GetAdjustBarRange(manualTuning, maxRef, minRef, VgNullRef);
  EXPECT_EQ(box->OnGetMin(), 1);
  EXPECT_EQ(box->OnGetMax(), 135);
}

TEST_F(Options, SettingAnOptionChangesTheSetAndReadsBack) {
  OptionDataClass* volume = Read(O::OPTION_TYPE_VOLUME);
  volume->Id = 37;  // screens move sliders by position, converted through Id2Value
  volume->Id2Value();
  VgOnSetInt32(volume->OnGetRefValue(), volume->Value);
  int32_t level = 0;
  XPM_GetVolume(&level);
  EXPECT_EQ(level, 37);
  EXPECT_EQ(Slider(Read(O::OPTION_TYPE_VOLUME))->OnGetValue(), 37);

  OptionDataClass* equalizer = Read(O::OPTION_TYPE_EQUALIZER);
  simtv_clear_calls();
  Change(equalizer, 4);
  EXPECT_EQ(Calls(), std::vector<std::string>{"XPM_SetEqualizerPreset 4"});
  EXPECT_EQ(ChoiceText(Read(O::OPTION_TYPE_EQUALIZER)), Text(Strings::AudioEqualizerClassical));

  OptionDataClass* mute = Read(S::OptionId(0x82, 0));
  Change(mute, 1);
  EXPECT_EQ(ChoiceText(mute), Text(Strings::SID_MUTE_HALF));
  EXPECT_EQ(model->OnGetMute(), 1);
}

TEST_F(Options, EveryChoiceOfEveryOptionRoundTripsThroughTheSet) {
  for (uint32_t module : {1u, 2u, 0x81u, 0x82u, 0x87u}) {
    for (int32_t index = 0; index < db->GetModule(module)->OptionCount(); ++index) {
      int32_t option = O::OptionId(module, static_cast<uint32_t>(index));
      OptionDataClass* record = Read(option);
      ASSERT_NE(record->Courier.get(), nullptr) << std::hex << option;
      if (record->OnGetNum() == 0) {
        // A slider: a value written through the record is the value read back.
        ASSERT_NE(Slider(record), nullptr) << std::hex << option;
        VgOnSetInt32(record->OnGetRefValue(), 7);
        EXPECT_EQ(Slider(Read(option))->OnGetValue(), 7) << std::hex << option;
        continue;
      }
      ASSERT_NE(vg_cast<OptionCourier>(record->Courier), nullptr) << std::hex << option;
      for (int32_t id = record->OnGetNum() - 1; id >= 0; --id) {
        Change(record, id);
        OptionDataClass* again = Read(option);
        EXPECT_EQ(again->Id, id) << std::hex << option << " choice " << id;
      }
    }
  }
}

// A slider that shows the stored value less its offset (bass and treble, the
// clock phase, lip sync, brightness and the rest) stands at its middle on a
// fresh set and after the resets of its settings: a value kept around a
// middle that started at 0 would show the slider's floor. Dynamic contrast
// and colour temperature are kept from 0 up, as their sliders and list show
// them in every mode a viewer can choose; only the light sensor's own mode
// shows them around a middle, and it starts at their floor.
TEST_F(Options, EverySliderAroundAMiddleStartsThere) {
  auto offMiddle = [&] {
    std::vector<std::string> off;
    for (uint32_t module : {1u, 2u, 3u, 4u, 0x81u, 0x82u, 0x83u, 0x84u, 0x85u, 0x86u, 0x87u}) {
      for (int32_t index = 0; index < db->GetModule(module)->OptionCount(); ++index) {
        const int32_t option = O::OptionId(module, static_cast<uint32_t>(index));
        OptionDataClass* record = Read(option);
        if (!Slider(record) || record->OnGetOffset() == 0) continue;
        if (option == S::OPTION_TYPE_DYNAMIC_CONTRAST_AUTO || option == S::OPTION_TYPE_COLOR_TEMPERATURE_AUTO)
          continue;
        if (record->Id != 0) {
          char line[64];
          std::snprintf(line, sizeof line, "0x%08X at %d", static_cast<uint32_t>(option), record->Id);
          off.emplace_back(line);
        }
      }
    }
    return off;
  };
  EXPECT_EQ(offMiddle(), std::vector<std::string>{});

  for (int32_t option : {O::OPTION_TYPE_BASS, O::OPTION_TYPE_TREBLE, O::OPTION_TYPE_LIP_SYNC, O::OPTION_TYPE_VGA_PHASE,
                         O::OPTION_TYPE_BRIGHTNESS, O::OPTION_TYPE_SHARPNESS})
    VgOnSetInt32(Read(option)->OnGetRefValue(), 1);
  model->ResetGroup(51);  // RESET AUDIO
  model->ResetGroup(42);  // the PC settings' reset
  model->ResetGroup(17);  // the picture's
  EXPECT_EQ(offMiddle(), std::vector<std::string>{});
}

TEST_F(Options, AValueOutsideTheListShowsNoChoiceAndChangesNothing) {
  XPM_SetAvProperty(0, XPM_AV_PROP_ROOM_LIGHTING, 9);
  OptionDataClass* record = Read(S::OPTION_TYPE_ROOM_LIGHTING);
  EXPECT_EQ(record->Id, 9);
  EXPECT_EQ(ChoiceText(record), "");
  XPM_SetAvProperty(0, XPM_AV_PROP_ROOM_LIGHTING, -3);
  EXPECT_EQ(ChoiceText(Read(S::OPTION_TYPE_ROOM_LIGHTING)), "");

  // A table conversion leaves the value alone for an index it has no entry for.
  OptionDataClass* mode = Read(O::OptionId(1, 0));
  mode->Id = 8;
  mode->Id2Value();
  EXPECT_EQ(mode->Value, 2);
  mode->GetData();
  EXPECT_EQ(ChoiceText(mode), "");
  EXPECT_EQ(vg_cast<OptionCourier>(mode->Courier)->Index, 8);
}

TEST_F(Options, MtsKeyListsTheAudioServicesOfADigitalChannel) {
  OptionDataClass* record = Read(S::OPTION_TYPE_MTS_KEY);
  EXPECT_EQ(VgStringToUtf8(record->OnGetName()), Text(Strings::SID_ANALOG_AUDIO));
  EXPECT_EQ(record->OnGetNum(), 3);

  simtv_av_set_channel(0, 7, 1);
  const char* languages[] = {"English", "", "French"};
  simtv_av_set_audio_services(3, languages);
  XPM_SetAvProperty(0, XPM_AV_PROP_MTS_KEY_DIGITAL, 2);
  record = Read(S::OPTION_TYPE_MTS_KEY);
  EXPECT_EQ(VgStringToUtf8(record->OnGetName()), Text(Strings::SID_DIGITAL_AUDIO));
  EXPECT_EQ(record->OnGetNum(), 3);
  EXPECT_EQ(ChoiceText(record), "French");
  record->Id = 1;
  record->GetData();
  EXPECT_EQ(ChoiceText(record), "Unknown AC3");
  Change(record, 0);
  int32_t stored = -1;
  XPM_GetAvProperty(0, XPM_AV_PROP_MTS_KEY_DIGITAL, &stored);
  EXPECT_EQ(stored, 0);

  simtv_av_set_audio_services(0, nullptr);
  record = Read(S::OPTION_TYPE_MTS_KEY);
  EXPECT_EQ(record->OnGetNum(), 1);
  record->Id = 0;
  record->GetData();
  EXPECT_EQ(ChoiceText(record), "No Track Available");

  // Back on an analogue channel the three fixed choices return.
  simtv_av_set_channel(0, 7, 0);
  record = Read(S::OPTION_TYPE_MTS_KEY);
  EXPECT_EQ(record->OnGetNum(), 3);
  EXPECT_EQ(ChoiceText(record), Text(Strings::SID_MONO));
}

}  // namespace
