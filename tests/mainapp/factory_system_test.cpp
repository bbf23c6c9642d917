// The factory sub-system's rules in normal operation, on the real root: what
// a discrete key changes and refuses, the modes' exits, the adjustment
// menu's ranges, the light sensor's read-out and the menu pages it opens.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "FactorySystem/AdjustmentMenu.h"
#include "FactorySystem/DetectLightSensor.h"
#include "FactorySystem/FactoryCommands.h"
#include "FactorySystem/ModeIndicator.h"
#include "FactorySystem/SerialConsole.h"
#include "FactorySystem/StatusCheck.h"
#include "Primitives/KeyRoutingParameter.h"
#include "SkinBin/OptionTypes.h"
#include "Structures/Boxes.h"
#include "SubSystem/MenuClass.h"
#include "SubSystem/Open.h"
#include "WinIDs/WinIDs.h"
#include "mainapp_fixture.h"
#include "simtv.h"
#include "xpm.h"

namespace MainAppTest {

// A page of the menu system that keeps the parameter it was opened with.
class RecordingPage : public SubSystem::MenuClass {
  VG_CLASS()
 public:
  RecordingPage() { SubSystemClass = &MenuSystem::MenuSystem::Class; }
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  static int32_t opened;
};
int32_t RecordingPage::opened = -1;

}  // namespace MainAppTest

VG_DEFINE_CLASS(MainAppTest, RecordingPage, SubSystem::MenuClass)

namespace MainAppTest {

void RecordingPage::Initialize(Primitives::KeyRoutingParameter* parameter) {
  SubSystem::MenuClass::Initialize(parameter);
  auto* item = vg_cast<Structures::RefInt>(parameter ? parameter->Param.get() : nullptr);
  opened = item ? item->Value : -2;
}

namespace {

using Command = Events::XPM_EVENT_FACTORY_COMMAND;

class FactorySystemTest : public MainAppFixture {
 protected:
  void SetUp() override {
    MainAppFixture::SetUp();
    simtv_factory_reset();
    simtv_bkni_skip_sleeps(1);
    StoreSetting("SetupStep", "9");
    BootAndWake();
    ASSERT_NE(App(), nullptr);
    model = MainApp::GetWrapper();
  }

  XObject* Raw(uint32_t code) { return Send(Command::TypeRawCommand, int32_t(code)); }
  XObject* Send(int32_t type, int32_t value, const VgClass* screen = nullptr) {
    auto* command = VgNew<Command>();
    command->Type = type;
    command->Value = value;
    command->ScreenClass = screen;
    return Dispatch(command);
  }
  bool Listed(int32_t id) { return MainApp::GetWidgetManager()->FindForm(id) != nullptr; }
  FactorySystem::FactorySystem* Factory() { return App()->FactorySystem; }

  SkinBin::Wrapper* model = nullptr;
};

// Before a discrete key acts the picture is unfrozen; a picture mode the
// option does not offer, or the one in force, changes nothing else.
TEST_F(FactorySystemTest, DiscreteKeysUnfreezeThePictureAndChangeOnlyWhatTheyMay) {
  const int32_t mode = model->OnGetVideoPreset();
  SubSystem::Open(Factory(), {.screen = &FactorySystem::ValueDisplay::Class});
  for (uint32_t code : {0x40BE50u /* automatic: not offered */, 0x40BFCEu /* standard: in force */, 0x40BF3Cu}) {
    model->OnSetIsFrozen(true);
    Raw(code);
    EXPECT_EQ(simtv_tv_freeze(0), 0) << std::hex << code;
    EXPECT_EQ(model->OnGetVideoPreset(), mode) << std::hex << code;
    EXPECT_TRUE(Listed(WinIDs::WIN_ID_ValueDisplay)) << std::hex << code << ": no screen closes";
  }
  EXPECT_EQ(CountTvCalls("XPM_SetSource"), 0);

  // With the inputs locked, a locked input is refused and the viewer told.
  model->OnSetInputLock(1);
  TakeDelivered();
  Raw(0x40BF3C);
  EXPECT_TRUE(WasDelivered("NonMenuSystem::NonMenuSystem", Constants::MSG_SHOW_MESSAGE, 4));
  // Mute is never refused.
  Raw(0x40BE82);
  EXPECT_EQ(model->OnGetMute(), 1);
}

TEST_F(FactorySystemTest, EachModeEndsOnlyByItsOwnExit) {
  Raw(FactoryCommands::kEnterFactoryMode);
  ASSERT_TRUE(Factory()->IsInFactoryMode());
  ASSERT_NE(Factory()->modeIndicator.get(), nullptr);
  EXPECT_FALSE(Listed(WinIDs::WIN_ID_ModeIndicator)) << "the indicator is no screen of the widget manager";
  Raw(FactoryCommands::kLeaveServiceMode);
  EXPECT_TRUE(Factory()->IsInFactoryMode());
  EXPECT_EQ(Factory()->modeIndicator->owner.get(), Factory());

  // The service mode's entry takes over the indicator and the marker.
  FactorySystem::ModeIndicator* indicator = Factory()->modeIndicator;
  Raw(FactoryCommands::kEnterServiceMode);
  EXPECT_TRUE(Factory()->IsInServiceMode());
  EXPECT_EQ(Factory()->modeIndicator.get(), indicator);
  EXPECT_TRUE(Listed(WinIDs::WIN_ID_AdjustmentMenu));
  Raw(FactoryCommands::kLeaveFactoryMode);
  EXPECT_TRUE(Factory()->IsInServiceMode());
  Raw(FactoryCommands::kLeaveServiceMode);
  EXPECT_FALSE(Factory()->IsInServiceMode());
  EXPECT_EQ(Factory()->modeIndicator.get(), nullptr);
  EXPECT_EQ(indicator->owner.get(), nullptr);
  EXPECT_FALSE(Listed(WinIDs::WIN_ID_AdjustmentMenu));
}

// In the factory mode the sliders step by four; a step past an end stops there.
TEST_F(FactorySystemTest, SlidersStopAtTheirEnds) {
  model->OnSetFactoryMode(VgNewStringAnsi("M"));
  model->OnSetSRV_Red_Offset(253);
  auto* menu = vg_cast<FactorySystem::AdjustmentMenu>(
      SubSystem::Open(Factory(), {.screen = &FactorySystem::AdjustmentMenu::Class}));
  ASSERT_NE(menu, nullptr);
  App()->OnSetFocus(Factory());
  EXPECT_EQ(menu->FacValue, 253);
  Press(Key::VolumeUp);
  EXPECT_EQ(menu->FacValue, 255);
  EXPECT_EQ(model->OnGetSRV_Red_Offset(), 255);
  Press(Key::VolumeUp);
  EXPECT_EQ(model->OnGetSRV_Red_Offset(), 255);
  model->OnSetSRV_Red_Offset(2);
  menu->SetOptionType(SkinBin::OPTION_TYPE_SRV_RED_OFFSET);
  Press(Key::VolumeDown);
  EXPECT_EQ(model->OnGetSRV_Red_Offset(), 0);
  // Key releases are not the menu's.
  auto* release = KeyOf(Key::ChannelUp);
  release->down = false;
  Dispatch(release);
  EXPECT_EQ(menu->CurrentEntry, 0);
}

// The read-out holds the console from its opening to its closing, and reads
// the sensor only while it is open.
TEST_F(FactorySystemTest, TheLightSensorReadOutHoldsTheConsoleWhileOpen) {
  Raw(0x40EE54AB);
  auto* readOut = vg_cast<FactorySystem::DetectLightSensor>(
      MainApp::GetWidgetManager()->FindForm(WinIDs::WIN_ID_FactoryMessage));
  ASSERT_NE(readOut, nullptr);
  EXPECT_EQ(model->OnGetAutoBrightnessSensor(), 1);
  EXPECT_TRUE(SerialConsole::IsOpen());
  simtv_factory_set_light_sensor(77);
  Advance(1500);
  EXPECT_EQ(readOut->LightSensor, 77);
  Advance(9000);
  EXPECT_TRUE(Listed(WinIDs::WIN_ID_FactoryMessage)) << "its time-out does not close it";
  readOut->Close();
  EXPECT_FALSE(SerialConsole::IsOpen());
  simtv_clear_calls();
  Advance(3000);
  EXPECT_EQ(CountTvCalls("OAM_light_sensor_Get"), 0);
}

// A menu page asked for by a command opens in the menu system with the
// item after the one the command names.
TEST_F(FactorySystemTest, AMenuPageOpensWithTheNextItem) {
  Send(Command::TypeMenu, 4, &RecordingPage::Class);
  EXPECT_EQ(RecordingPage::opened, 5);
}

// Without a series the console gets only the network identity; a converter
// that failed on either component input makes COMP NG.
TEST_F(FactorySystemTest, TheStatusCheckFollowsTheSeriesAndTheCalibration) {
  XPM_SetExtOemProperty(38, 6);  // a set of series 0
  simtv_factory_set_adc_result(1, 0);
  char drained[4096];
  while (simtv_console_read(drained, sizeof drained) > 0) {
  }
  Raw(0x40BFAB54);
  auto* check =
      vg_cast<FactorySystem::StatusCheck>(MainApp::GetWidgetManager()->FindForm(WinIDs::WIN_ID_StatusCheck));
  ASSERT_NE(check, nullptr);
  EXPECT_EQ(VgStringToUtf8(check->CompResult), "NG");
  EXPECT_EQ(VgStringToUtf8(check->PcResult), "OK");
  std::string console;
  char buffer[1024];
  for (int got; (got = simtv_console_read(buffer, sizeof buffer)) > 0;)
    console.append(buffer, size_t(got));
  EXPECT_EQ(console.rfind("MAC Address 00:1A:2B:3C:4D:5E\r\nNetflix ESN ", 0), 0u) << console;
  EXPECT_EQ(std::count(console.begin(), console.end(), '\n'), 3);
  EXPECT_FALSE(SerialConsole::IsOpen());

  EXPECT_EQ(VgStringToUtf8(FactorySystem::StatusCheck::GetAddressString(0xC0A80001)), "192.168.0.1");
  EXPECT_EQ(VgStringToUtf8(FactorySystem::StatusCheck::GetAddressString(0)), "0.0.0.0");
}

}  // namespace
}  // namespace MainAppTest
