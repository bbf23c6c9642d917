// The television model's factory side on the simulated set: the factory and
// service modes, the model selection, the factory's readings, its serial
// console, and the resets to the factory's values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "FactorySystem/FactoryCommands.h"
#include "FactorySystem/SerialConsole.h"
#include "OptionDatabase/OptionTypes.h"
#include "SkinBin/OptionTypes.h"
#include "SkinBin/FactoryValues.h"
#include "SkinBin/ModelInfo.h"
#include "answering_set.h"
#include "model_app_fixture.h"
#include "oam.h"
#include "sim_calls.h"
#include "simtv.h"
#include "xpm.h"

namespace ModelTest {
namespace {

using SkinBin::FactoryGroup;

class Factory : public ModelApp {
 protected:
  void SetUp() override {
    ModelApp::SetUp();
    FactoryCommands::ResetState();
    char drained[4096];
    while (simtv_console_read(drained, sizeof drained) > 0) {
    }
  }

  // How often the factory's exit steps ran since the calls were cleared: each
  // puts the LED back on.
  static int ModeExits() {
    int exits = 0;
    for (const std::string& call : Calls()) exits += call == "OAM_Led_SetState 1";
    return exits;
  }

  static int32_t DeviceProperty(int32_t id) {
    int32_t value = -1;
    XPM_GetExtOemProperty(id, &value);
    return value;
  }
};

// ------------------------------------------------------------------ modes

TEST_F(Factory, TheModesStopThePowerDownLeaveTheFactoryAndMarkTheServiceMode) {
  model->OnSetAutomaticPowerDown(1);
  model->StartAutoPowerTimer();
  simtv_clear_calls();
  model->OnSetFactoryMode(VgNewStringAnsi("M"));
  EXPECT_EQ(model->OnGetAutoPowerTimer(), 0);
  EXPECT_EQ(ModeExits(), 0);

  model->OnSetFactoryMode(nullptr);  // the root leaves every mode
  EXPECT_EQ(model->OnGetAutoPowerTimer(), 240);
  EXPECT_EQ(ModeExits(), 1);
  EXPECT_EQ(simtv_factory_gpio(75), 0);
  model->OnSetFactoryMode(nullptr);
  EXPECT_EQ(ModeExits(), 1) << "M was left once";

  model->OnSetFactoryMode(VgNewStringAnsi("S"));
  EXPECT_EQ(DeviceProperty(XPM_OEM_SERVICE_MODE), 1);
  model->OnSetFactoryMode(VgNewStringAnsi("M"));  // straight from one mode into the other
  EXPECT_EQ(DeviceProperty(XPM_OEM_SERVICE_MODE), 0);
  model->OnSetFactoryMode(VgNewStringAnsi("S"));
  EXPECT_EQ(DeviceProperty(XPM_OEM_SERVICE_MODE), 1);
  EXPECT_EQ(ModeExits(), 2);
  model->OnSetFactoryMode(nullptr);
  EXPECT_EQ(DeviceProperty(XPM_OEM_SERVICE_MODE), 0);
  EXPECT_EQ(ModeExits(), 2);
}

TEST_F(Factory, AModelIdSelectsItsRowOfTheFactoryTable) {
  constexpr struct {
    int32_t id;
    int32_t row;
  } kCases[] = {{0x21, 0}, {0x33, 5}, {0x41, 7}, {0x53, 12}, {0x44, 6}, {0x99, 6}, {0x24, 6}};
  for (const auto& c : kCases) {
    simtv_clear_calls();
    model->OnSetTVModelId(c.id);
    EXPECT_EQ(model->OnGetTVModelId(), c.id);
    const FactoryCommands::ModelRowValues& row = FactoryCommands::kModelTable[c.row];
    int32_t id = 0, configuration = 0;
    OAM_GetCustomizedProperty(18, &id);
    OAM_GetCustomizedProperty(19, &configuration);
    EXPECT_EQ(id, row.id) << std::hex << c.id;
    EXPECT_EQ(configuration, row.configuration) << std::hex << c.id;
    const std::vector<std::string> calls = RecordedCalls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "BCM_SetModel " + std::to_string(row.group)), calls.end())
        << std::hex << c.id;
  }
}

TEST_F(Factory, LocalDimmingIsOffAtTheConverterOnlyInModeZero) {
  model->OnSetFactoryLocalDimming(0);
  EXPECT_EQ(simtv_factory_local_dimming(), 0);
  model->OnSetFactoryLocalDimming(2);
  EXPECT_EQ(simtv_factory_local_dimming(), 1);
  EXPECT_EQ(model->OnGetFactoryLocalDimming(), 2);
  model->OnSetFactoryLocalDimming(3);
  EXPECT_EQ(model->OnGetFactoryLocalDimming(), 2) << "no mode 3";
  model->OnSetFactoryLocalDimming(-1);
  EXPECT_EQ(simtv_factory_local_dimming(), 1);
}

// -------------------------------------------------------------- readings

TEST_F(Factory, TestStatusKeepsFourDigitsAndVersionItsLowByte) {
  EXPECT_EQ(Utf8(model->GetFactoryTestStatus()), "0x0000H");
  for (int32_t id = XPM_OEM_TEST_RESULT_FIRST; id <= XPM_OEM_TEST_RESULT_LAST; ++id)
    XPM_SetExtOemProperty(id, 0x2000);
  EXPECT_EQ(Utf8(model->GetFactoryTestStatus()), "0x2000H");  // 0x12000 in full
  simtv_fail("XPM_GetExtOemProperty", 5, 1);
  EXPECT_EQ(Utf8(model->GetFactoryTestStatus()), "0x0000H") << "the unread result counts as 0";

  XPM_SetExtOemProperty(XPM_OEM_TVM_VERSION, 0x1234);
  EXPECT_EQ(model->GetTvmVersion(), 0x34);
}

TEST_F(Factory, AKeyIsHeldWhileItsPropertyIsOne) {
  EXPECT_FALSE(model->GetKeyHeld(SkinBin::kHeldKeyInfo));
  XPM_SetExtOemProperty(XPM_OEM_KEY_HELD_INFO, 1);
  EXPECT_TRUE(model->GetKeyHeld(SkinBin::kHeldKeyInfo));
  EXPECT_FALSE(model->GetKeyHeld(SkinBin::kHeldKeyServiceMode)) << "each key has its own property";
  simtv_fail("XPM_GetExtOemProperty", 5, 1);
  EXPECT_FALSE(model->GetKeyHeld(SkinBin::kHeldKeyInfo));
  XPM_SetExtOemProperty(XPM_OEM_KEY_HELD_INFO, 2);
  EXPECT_FALSE(model->GetKeyHeld(SkinBin::kHeldKeyInfo));
  XPM_SetExtOemProperty(XPM_OEM_KEY_HELD_CHANNEL_DOWN, 1);
  EXPECT_TRUE(model->GetKeyHeld(SkinBin::kHeldKeyHiddenPage));
  simtv_clear_calls();
  EXPECT_FALSE(model->GetKeyHeld(1));
  EXPECT_EQ(simtv_call_count(), 0) << "an unknown key asks the set nothing";
}

TEST_F(Factory, CalibrationSensorAndEepromFromTheSet) {
  simtv_factory_set_adc_result(1, 0);
  EXPECT_EQ(model->GetADCCalibResult(0), 1);
  EXPECT_EQ(model->GetADCCalibResult(1), 0);
  EXPECT_EQ(model->GetADCCalibResult(3), 0);
  simtv_fail("XPM_GetADCCalibrationResult", 5, 1);
  EXPECT_EQ(model->GetADCCalibResult(2), 0);

  simtv_factory_set_light_sensor(0xFFFE);
  EXPECT_EQ(model->GetLightSensor(), 0xFFFE);
  simtv_fail("OAM_light_sensor_Get", 5, 1);
  EXPECT_EQ(model->GetLightSensor(), 0);

  EXPECT_EQ(Utf8(model->Get3DE2PROMVersion()), "1 2 3");
  simtv_factory_set_3d_eeprom_version(2, 0, 17);
  EXPECT_EQ(Utf8(model->Get3DE2PROMVersion()), "2 0 17");
  simtv_fail("XPM_3DTV_GetE2PROMVersion", 5, 1);
  EXPECT_EQ(model->Get3DE2PROMVersion(), nullptr);
}

TEST_F(Factory, TheModelRecordsTextsStopAtTheirFields) {
  OAM_ModelInfo record{};
  record.number = 7;
  record.modelId = 0x1F53;
  std::memset(record.modelName, 'N', sizeof record.modelName);  // no end mark
  std::snprintf(record.panelName, sizeof record.panelName, "Panel");
  simtv_factory_set_model_info(&record);
  SkinBin::ModelInfo* info = model->GetModelInfo();
  EXPECT_EQ(Utf8(info->ModelName), std::string(OAM_MODEL_TEXT_SIZE, 'N'));
  EXPECT_EQ(Utf8(info->PanelName), "Panel");
  EXPECT_EQ(Utf8(info->Description), "");
  EXPECT_EQ(info->ModelId, 0x53);
  EXPECT_EQ(info->Number, 7);

  simtv_fail("OAM_GetModelInfo", 5, 1);
  info = model->GetModelInfo();
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->ModelName, nullptr);
  EXPECT_EQ(info->ModelId, 0);
}

// ---------------------------------------------------------------- console

TEST_F(Factory, TheConsoleTakesAtMostALineOfTextAndEndsIt) {
  EXPECT_NE(model->PrintVgString(VgNewStringAnsi("lost")), 0) << "the console is closed";
  ASSERT_TRUE(model->OpenUART(true));
  EXPECT_EQ(model->PrintVgString(VgNewStringAnsi(std::string(300, 'x').c_str())), 0);
  EXPECT_EQ(model->PrintVgString(VgNewStringUtf8("SEN: 42 \xE2\x82\xAC")), 0);
  EXPECT_EQ(model->PrintVgString(nullptr), 0);
  EXPECT_TRUE(model->OpenUART(false));
  EXPECT_FALSE(SerialConsole::IsOpen());
  const std::string expected = std::string(256, 'x') + "\r\nSEN: 42 ?\r\n\r\n";
  std::string written;
  char buffer[512];
  for (int got; written.size() < expected.size() && (got = simtv_console_read(buffer, sizeof buffer)) > 0;)
    written.append(buffer, size_t(got));
  EXPECT_EQ(written, expected);
}

// ----------------------------------------------------------------- resets

// The model's tables and the simulated set agree on what leaves the factory:
// a reset of a fresh set changes nothing.
TEST_F(Factory, AFreshSetHoldsEveryFactoryValue) {
  for (int32_t group = int32_t(FactoryGroup::CommonPicture); group <= int32_t(FactoryGroup::ScaleWindow); ++group) {
    auto values = SkinBin::FactoryValues(FactoryGroup(group));
    EXPECT_FALSE(values.empty()) << group;
    for (const SkinBin::FactoryValue& row : values) EXPECT_EQ((model->*row.get)(), row.value) << row.name;
  }
  for (int32_t mode = 0; mode < SkinBin::kPictureModes; ++mode)
    EXPECT_EQ(SkinBin::FactoryValues(FactoryGroup::CommonPicture, mode).size(), 7u) << mode;
  EXPECT_TRUE(SkinBin::FactoryValues(FactoryGroup::CommonPicture, SkinBin::kPictureModes).empty());
}

TEST_F(Factory, ResetsTouchOnlyTheirGroup) {
  auto change = [&] {
    model->OnSetBrightness(80);
    model->OnSetRedHue(5);
    model->OnSetVolume(70);
    model->OnSetBass(-10);
    model->OnSetCC708_FontSize(1);
    model->OnSetPanelLock(1);
  };
  change();
  model->OnSetVideoPreset(4);
  model->ResetAudioVideoSettings();
  EXPECT_EQ(model->OnGetVideoPreset(), SkinBin::kFactoryPictureMode);
  EXPECT_EQ(model->OnGetBrightness(), 50);
  EXPECT_EQ(model->OnGetRedHue(), 0);
  EXPECT_EQ(model->OnGetVolume(), 20);
  EXPECT_EQ(model->OnGetBass(), 50);
  EXPECT_EQ(model->OnGetCC708_FontSize(), 1) << "captions are not picture or sound";
  EXPECT_EQ(model->OnGetPanelLock(), 1);

  change();
  model->ResetGroup(51);
  EXPECT_EQ(model->OnGetVolume(), 20);
  EXPECT_EQ(model->OnGetBass(), 50);
  EXPECT_EQ(model->OnGetBrightness(), 80);
  EXPECT_EQ(model->OnGetCC708_FontSize(), 1);

  model->ResetGroup(40);
  EXPECT_EQ(model->OnGetCC708_FontSize(), 3);
  model->ResetGroup(22);
  EXPECT_EQ(model->OnGetRedHue(), 0);
  EXPECT_EQ(model->OnGetBrightness(), 80);

  // The picture reset takes the values of the picture mode shown.
  model->OnSetVideoPreset(1);
  model->ResetGroup(17);
  EXPECT_EQ(model->OnGetContrast(), 90);
  EXPECT_EQ(model->OnGetVideoPreset(), 1);

  simtv_clear_calls();
  model->ResetGroup(17);
  for (const std::string& call : Calls())
    EXPECT_NE(call.rfind("XPM_Set", 0), 0u) << call << ": nothing differs, nothing is written";
}

TEST_F(Factory, APictureResetClearsTheChangedMarksOfItsGroupsInThatMode) {
  auto changed = [&](const char* group) { return model->IsOptionChanged(VgNewStringAnsi(group)); };
  model->OnSetVideoPreset(3);
  model->MarkOptionChange(OptionDatabase::OPTION_TYPE_BRIGHTNESS);
  model->MarkOptionChange(SkinBin::OPTION_TYPE_BASECOLOR_ADJUST_RED_HUE);
  model->MarkOptionChange(OptionDatabase::OPTION_TYPE_RED_GAIN);
  model->OnSetVideoPreset(4);
  model->MarkOptionChange(OptionDatabase::OPTION_TYPE_BRIGHTNESS);

  model->OnSetVideoPreset(3);
  model->ResetGroup(18);
  EXPECT_FALSE(changed("AdvancedPicture"));
  EXPECT_TRUE(changed("CommonPicture"));
  EXPECT_TRUE(changed("ExpertPicture"));
  model->ResetGroup(17);
  EXPECT_FALSE(changed("CommonPicture"));
  EXPECT_FALSE(changed("ExpertPicture"));
  model->OnSetVideoPreset(4);
  EXPECT_TRUE(changed("CommonPicture")) << "another mode keeps its mark";
}

TEST_F(Factory, TheLockResetUnlocksEveryChannelAndKeepsThePin) {
  XPM_ChannelInfo locked = Channel(7, 1);
  locked.locked = 1;
  simtv_tv_add_channel(&locked);
  store->PutString(Key("Password"), Key("1234"));
  model->OnSetInputLock(1);
  model->OnSetParentalLocks(1);

  model->ResetGroup(53);
  XPM_ChannelInfo channel{};
  ASSERT_EQ(XPM_GetChannelInfo(7, 1, &channel), 0);
  EXPECT_EQ(channel.locked, 0);
  EXPECT_EQ(model->OnGetInputLock(), 0);
  EXPECT_EQ(model->OnGetParentalLocks(), 0);
  EXPECT_EQ(Utf8(store->GetString(Key("Password"))), "1234");
}

TEST_F(Factory, TheScreenSaverWhiteBalanceAndDeactivationResets) {
  model->OnSetScreenSaverDelay(5);
  store->PutString(Key("ScreenSaverColor"), Key("00000000000"));
  model->ResetGroup(54);
  EXPECT_EQ(store->GetInteger(Key("ScreenSaverActivationDelay")), 30);
  EXPECT_EQ(Utf8(store->GetString(Key("ScreenSaverColor"))), SkinBin::kFactoryScreenSaverColor);

  int32_t copied[6] = {};
  EXPECT_EQ(simtv_av_copied_white_balance(copied), 0);
  model->OnSetRed_Offset(3);
  model->OnSetBlue_Gain(-2);
  model->ResetGroup(21);
  ASSERT_EQ(simtv_av_copied_white_balance(copied), 1);
  EXPECT_EQ(copied[0], 3);
  EXPECT_EQ(copied[5], -2);
  EXPECT_EQ(model->OnGetRed_Offset(), 3) << "copied, not reset";

  simtv_clear_calls();
  model->ResetGroup(43);
  model->ResetGroup(99);
  EXPECT_EQ(simtv_call_count(), 0);
}

// ---------------------------------------------------------- follow-ups

// A factory command handed to the platform comes back from the middleware's
// thread as a factory event of kind 0 carrying the record.
TEST(FactoryFollowUp, AFollowUpCommandComesBackAsAFactoryEvent) {
  SetAnswers::Start();
  uint32_t record[OAM_FACTORY_RECORD_SIZE / 4] = {0x40EA43BC};
  ASSERT_EQ(OAM_CustomDispatchFactoryCommand(record), 0);
  std::vector<SetAnswer> answers = SetAnswers::Advance(0);
  ASSERT_EQ(SetAnswers::Briefly(answers), std::vector<std::string>{"event 106 0"});
  EXPECT_EQ(answers[0].payload.size(), 4u + OAM_FACTORY_RECORD_SIZE);
  EXPECT_EQ(uint32_t(answers[0].Word(1)), 0x40EA43BCu);

  simtv_fail("OAM_CustomDispatchFactoryCommand", 3, 1);
  EXPECT_EQ(OAM_CustomDispatchFactoryCommand(record), 3);
  EXPECT_TRUE(SetAnswers::Advance(0).empty());
  SetAnswers::Stop();
}

}  // namespace
}  // namespace ModelTest
