// The factory command processor and the serial console, driven directly on
// the simulated set: what reaches the set, the fixture's end of the serial
// line and the result record.
#include <gtest/gtest.h>

#include <termios.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "FactorySystem/FactoryCommandFamilies.h"
#include "FactorySystem/FactoryCommands.h"
#include "FactorySystem/SerialConsole.h"
#include "nvpath.h"
#include "oam.h"
#include "sim_calls.h"
#include "simtv.h"

namespace {

using FactoryCommands::kEnterFactoryMode;
using FactoryCommands::kLeaveFactoryMode;

// What the fixture received since the last read.
std::string Console() {
  std::string text;
  char buffer[1024];
  for (int got; (got = simtv_console_read(buffer, sizeof buffer)) > 0;) text.append(buffer, size_t(got));
  return text;
}

int Count(const std::string& call) {
  int n = 0;
  for (const std::string& c : RecordedCalls()) n += c == call || c.rfind(call + " ", 0) == 0;
  return n;
}

class FactoryCommandsTest : public testing::Test {
 protected:
  void SetUp() override {
    simtv_tv_reset();
    simtv_factory_reset();
    simtv_bkni_skip_sleeps(1);
    FactoryCommands::ResetState();
    XPM_CloseUART();
    Console();
    OAM_SetCustomizedProperty(26, 0);
    simtv_clear_calls();
  }

  struct Run {
    int32_t returned;
    FactoryCommandResult result;
  };
  static Run Process(uint32_t code, const char* argument = "", uint32_t skip = 0) {
    uint32_t record[kFactoryCommandRecordSize / 4] = {code};
    std::memcpy(&record[1], argument, std::min<size_t>(std::strlen(argument), 20));
    record[6] = skip;
    Run run;
    run.result.kind = 99;
    run.returned = FactoryCommandProcess(record, &run.result);
    return run;
  }
};

TEST_F(FactoryCommandsTest, EntryGreetsTheFixtureRaisesThePinAndMarksTheMode) {
  const unsigned long slept = simtv_bkni_slept_ms();
  Run run = Process(kEnterFactoryMode);
  EXPECT_EQ(run.returned, 1);
  EXPECT_EQ(run.result.kind, 3);
  EXPECT_EQ(run.result.code, kEnterFactoryMode);
  EXPECT_EQ(bInFactoryMode, 1);
  EXPECT_EQ(simtv_factory_gpio(75), 1);
  EXPECT_EQ(simtv_bkni_slept_ms() - slept, 100u);
  EXPECT_EQ(simtv_factory_console_printing(), 0);
  EXPECT_EQ(Console(), "Hello! Serial is now active\r\n");
  EXPECT_FALSE(SerialConsole::IsOpen()) << "opened and closed around the message";
  int32_t property = 0;
  OAM_GetCustomizedProperty(26, &property);
  EXPECT_EQ(property, 1);
  EXPECT_EQ(FactoryCommands::PreviousRawFactoryCommand, kEnterFactoryMode);

  // Again: the property is not written a second time.
  simtv_clear_calls();
  Process(kEnterFactoryMode);
  EXPECT_EQ(Count("OAM_SetCustomizedProperty"), 0);
  Console();

  // The model variant 3 keeps the board printing.
  OAM_ModelInfo info{};
  info.variant = 3;
  simtv_factory_set_model_info(&info);
  simtv_clear_calls();
  Process(kEnterFactoryMode);
  EXPECT_EQ(Count("BCM_ControlPrintf"), 0);
  Console();
}

TEST_F(FactoryCommandsTest, ExitUndoesTheEntryAndRepeatsWhileOff) {
  Process(kEnterFactoryMode);
  Console();
  Run run = Process(kLeaveFactoryMode);
  EXPECT_EQ(run.returned, 1);
  EXPECT_EQ(run.result.kind, 3);
  EXPECT_EQ(run.result.code, kLeaveFactoryMode);
  EXPECT_EQ(bInFactoryMode, 0);
  EXPECT_EQ(simtv_factory_gpio(75), 0);
  EXPECT_EQ(simtv_factory_led(), 1);
  EXPECT_EQ(simtv_factory_console_printing(), 1);
  int32_t property = -1;
  OAM_GetCustomizedProperty(26, &property);
  EXPECT_EQ(property, 0);

  // While off the steps run again; the property, 0 already, is left.
  simtv_clear_calls();
  EXPECT_EQ(Process(kLeaveFactoryMode).result.kind, 3);
  EXPECT_EQ(Count("OAM_Led_SetState 1"), 1);
  EXPECT_EQ(Count("MPLCore_GpioSetPin 75 0"), 1);
  EXPECT_EQ(Count("OAM_SetCustomizedProperty"), 0);
  // The model's call when its factory mode setting is left does the same.
  simtv_clear_calls();
  EXPECT_EQ(FactoryCommandExitMMode(), 1);
  EXPECT_EQ(Count("OAM_Led_SetState 1"), 1);
  EXPECT_EQ(Console(), "");
}

// A failing platform call is traced and the steps go on; a console that
// cannot be written loses only its message.
TEST_F(FactoryCommandsTest, FailuresOfTheStepsAreTracedAndPassedOver) {
  simtv_fail("OAM_GetModelInfo", 5, 1);
  simtv_fail("MPLCore_GpioSetPin", 7, 1);
  Run run = Process(kEnterFactoryMode);
  EXPECT_EQ(run.returned, 1);
  EXPECT_EQ(run.result.kind, 3);
  EXPECT_EQ(bInFactoryMode, 1);
  EXPECT_EQ(Count("BCM_ControlPrintf"), 0);
  Console();
}

// Codes without a command, and guarded or skipped ones, take the default:
// no result, recorded as the previous command, 1. The white-balance drive is
// chosen before any of that.
TEST_F(FactoryCommandsTest, TheDefaultAndTheWhiteBalanceDrive) {
  Run run = Process(0x40E23380);  // a red-drive value, factory mode off
  EXPECT_EQ(run.returned, 1);
  EXPECT_EQ(run.result.kind, 0);
  EXPECT_EQ(FactoryCommands::PreviousRawFactoryCommand, 0x40E23380u);
  EXPECT_EQ(FactoryCommands::wb_status, FactoryCommands::kDriveRed);
  Process(0x40EE1CE3);
  EXPECT_EQ(FactoryCommands::wb_status, FactoryCommands::kDriveRed) << "a step keeps the drive";
  Process(0x40E334CB);
  EXPECT_EQ(FactoryCommands::wb_status, FactoryCommands::kDriveBlue);
  Process(0x12345678);
  EXPECT_EQ(FactoryCommands::wb_status, FactoryCommands::kDriveNone);
  EXPECT_EQ(FactoryCommands::PreviousRawFactoryCommand, 0x12345678u);

  run = Process(0x40BF7F80, "", 1);  // the power-off with the skip flag
  EXPECT_EQ(run.returned, 1);
  EXPECT_EQ(run.result.kind, 0);
  EXPECT_EQ(simtv_call_count(), 0) << "nothing reaches the set";
}

TEST_F(FactoryCommandsTest, NoCodeLiesInTwoRowsAndEveryRowHasAHandler) {
  for (const FactoryCommands::CommandFamily& family : FactoryCommands::kCommandFamilies) {
    EXPECT_NE(family.run, nullptr) << family.name;
    for (const FactoryCommands::CodeRange& range : family.codes) {
      EXPECT_LE(range.first, range.last) << family.name;
      EXPECT_EQ(FactoryCommands::FindFamily(range.first), &family) << family.name;
    }
  }
  EXPECT_EQ(FactoryCommands::FindFamily(kEnterFactoryMode)->name, std::string("mode entry"));
}

// The record's argument is read within its 20 bytes; the writers copy a
// text up to its end and zero the rest of the field, and cut one too long.
TEST_F(FactoryCommandsTest, RecordsAreReadAndWrittenWithinTheirFields) {
  uint32_t record[kFactoryCommandRecordSize / 4] = {};
  std::memset(&record[1], 'a', 20);
  record[6] = 0x61616161;  // no end mark before the skip flag
  const FactoryCommands::Command command = FactoryCommands::ReadCommand(record);
  EXPECT_EQ(std::string(command.argument), std::string(20, 'a'));
  EXPECT_TRUE(command.skip);
  std::memcpy(&record[1], "00:11:22\0zz", 11);
  EXPECT_EQ(std::string(FactoryCommands::ReadCommand(record).argument), "00:11:22");

  FactoryCommandResult result;
  std::memset(result.name, 'x', sizeof result.name);
  std::memset(result.text, 'x', sizeof result.text);
  FactoryCommands::SetResultDisplayValue("RDRV", 128, &result);
  EXPECT_EQ(result.kind, 2);
  EXPECT_EQ(std::string(result.name), "RDRV");
  EXPECT_EQ(result.name[31], '\0');
  EXPECT_EQ(result.value, 128);
  FactoryCommands::SetResultDisplayMessage(nullptr, "WLAN:testing", 160, &result);
  EXPECT_EQ(result.kind, 4);
  EXPECT_EQ(std::string(result.text), "WLAN:testing");
  EXPECT_EQ(result.text[255], '\0');
  const std::string longName(40, 'n');
  FactoryCommands::SetResultDisplayValue(longName.c_str(), 1, &result);
  EXPECT_EQ(std::string(result.name, sizeof result.name), longName.substr(0, 32));
}

// -------------------------------------------------------------- the console

TEST_F(FactoryCommandsTest, TheConsoleRunsRawWhileOpenAndRestoresTheLine) {
  termios before{};
  ASSERT_EQ(simtv_console_settings(&before), 0);
  EXPECT_EQ(XPM_PrintStringUART("lost"), 2) << "closed";

  ASSERT_EQ(XPM_OpenUART(), 0);
  termios open{};
  ASSERT_EQ(simtv_console_settings(&open), 0);
  EXPECT_EQ(cfgetospeed(&open), speed_t(B115200));
  EXPECT_EQ(open.c_cflag & CSIZE, tcflag_t(CS8));
  EXPECT_EQ(open.c_cflag & (PARENB | CLOCAL | CREAD), tcflag_t(CLOCAL | CREAD));
  EXPECT_EQ(open.c_oflag & OPOST, 0u);
  EXPECT_EQ(open.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(open.c_cc[VMIN], 1);
  EXPECT_EQ(open.c_cc[VTIME], 0);
  EXPECT_EQ(XPM_PrintStringUART(""), 0);
  EXPECT_EQ(XPM_PrintStringUART("Hello! Serial is now active\r\n"), 0);
  EXPECT_EQ(XPM_PrintStringUART(nullptr), 2);
  EXPECT_EQ(Console(), "Hello! Serial is now active\r\n") << "29 bytes, as they were";

  // Opened twice, closed once: closed, with the line's own settings back.
  ASSERT_EQ(XPM_OpenUART(), 0);
  EXPECT_EQ(XPM_CloseUART(), 0);
  EXPECT_FALSE(SerialConsole::IsOpen());
  EXPECT_EQ(XPM_PrintStringUART("after"), 2);
  termios after{};
  ASSERT_EQ(simtv_console_settings(&after), 0);
  EXPECT_EQ(after.c_lflag, before.c_lflag);
  EXPECT_EQ(after.c_oflag, before.c_oflag);
  EXPECT_EQ(cfgetospeed(&after), cfgetospeed(&before));
  EXPECT_EQ(Console(), "");
}

// --------------------------------------------------- picture, sound, input

// A value the command reads back from a customised property.
int32_t Property(int32_t id) {
  int32_t value = 0;
  OAM_GetCustomizedProperty(id, &value);
  return value;
}

// Settings within their ranges, and the drives, which stop at their ends.
TEST_F(FactoryCommandsTest, ParametersStayInTheirRangesAndDrivesStopAtTheirEnds) {
  Process(kEnterFactoryMode);
  simtv_clear_calls();
  Run run = Process(0x40E20232);
  EXPECT_EQ(Count("XPM_SetSaturation 0 50"), 1);
  EXPECT_EQ(run.result.kind, 1);
  EXPECT_EQ(run.result.value, 5) << "the sub-system opens the page at the next item";
  EXPECT_EQ(Process(0x40E20264).result.kind, 1);
  EXPECT_EQ(Count("XPM_SetSaturation 0 100"), 1);
  run = Process(0x40E20265);  // 101: no command
  EXPECT_EQ(run.result.kind, 0);
  EXPECT_EQ(Count("XPM_SetSaturation"), 2);
  Process(0x40E20300);
  EXPECT_EQ(Count("XPM_SetHue 0 -50"), 1) << "tint -50 to +50";

  run = Process(0x40E23380);
  EXPECT_EQ(run.result.kind, 2);
  EXPECT_EQ(std::string(run.result.name), "RDRV");
  EXPECT_EQ(run.result.value, 128);
  EXPECT_EQ(Property(57), 128);

  OAM_SetCustomizedProperty(59, 255);
  EXPECT_EQ(Process(0x40E334CB).result.value, 255);
  simtv_clear_calls();
  EXPECT_EQ(Process(0x40EE1CE3).result.kind, 0) << "+1 past 255";
  EXPECT_EQ(Process(0x40EE1EE1).result.kind, 0) << "+4 past 255";
  EXPECT_EQ(Count("OAM_SetCustomizedProperty"), 0);
  run = Process(0x40EE1FE0);
  EXPECT_EQ(std::string(run.result.name), "BDRV");
  EXPECT_EQ(run.result.value, 251);
  OAM_SetCustomizedProperty(59, 2);
  EXPECT_EQ(Process(0x40EE1FE0).result.kind, 0) << "-4 below 0";
  EXPECT_EQ(Property(59), 2);

  Process(0x12345678);  // clears the drive
  EXPECT_EQ(Process(0x40EE1CE3).result.kind, 0);
  EXPECT_EQ(Property(59), 2);

  // Outside the factory mode the settings are not touched.
  Process(kLeaveFactoryMode);
  simtv_clear_calls();
  EXPECT_EQ(Process(0x40E20232).result.kind, 0);
  EXPECT_EQ(Count("XPM_SetSaturation"), 0);
}

TEST_F(FactoryCommandsTest, TogglesAndCyclesFollowWhatTheSetHolds) {
  XPM_SetAdvancedCaptionProperty(7, 0x00AB00AB);  // magenta, the last colour
  Run run = Process(0x40BFF708);
  int32_t colour = 1;
  XPM_GetAdvancedCaptionProperty(7, &colour);
  EXPECT_EQ(uint32_t(colour), 0xFF000000u) << "back to the broadcaster's colour";
  EXPECT_EQ(run.result.kind, 1);
  EXPECT_EQ(run.result.value, 3);
  XPM_SetAdvancedCaptionProperty(7, 0x123456);
  Process(0x40BFF708);
  XPM_GetAdvancedCaptionProperty(7, &colour);
  EXPECT_EQ(colour, 0) << "an unknown colour goes to black";
  XPM_SetAdvancedCaptionProperty(3, 3);
  Process(0x40BFF40B);
  int32_t size = 9;
  XPM_GetAdvancedCaptionProperty(3, &size);
  EXPECT_EQ(size, 0) << "past the largest size";

  auto equaliser = [](int32_t from, std::initializer_list<int32_t> expected) {
    XPM_SetEqualizerPreset(from);
    for (int32_t want : expected) {
      Process(0x40EE738C);
      int32_t preset = -1;
      XPM_GetEqualizerPreset(&preset);
      EXPECT_EQ(preset, want) << "from " << from;
    }
  };
  equaliser(1, {5, 1});
  equaliser(2, {0, 4});

  for (int32_t state : {11, 12, 1, 11}) {
    Process(0x40EE3CC3);
    EXPECT_EQ(simtv_factory_led(), state);
  }

  EXPECT_EQ(Process(0x40BFD22D).result.code, 0x0040BE50u) << "picture mode 0 as its discrete key";
  run = Process(0x40EE609F);
  EXPECT_EQ(run.result.kind, 4);
  EXPECT_EQ(std::string(run.result.text), "Keldrix+ :enable");
  EXPECT_EQ(run.result.value, 48);
  EXPECT_EQ(std::string(Process(0x40EE609F).result.text), "Keldrix+ :disable");

  // A read a toggle needs stops it: no result, not recorded.
  simtv_fail("XPM_GetDolbyDRC", 3, 1);
  run = Process(0x40EE6A95);
  EXPECT_EQ(run.returned, 0);
  EXPECT_EQ(run.result.kind, 0);
  EXPECT_EQ(FactoryCommands::PreviousRawFactoryCommand, 0x40EE609Fu);
}

// The preparation switches to the pattern and the end switches back; on the
// pattern source there is nothing to prepare.
TEST_F(FactoryCommandsTest, WhiteBalancePreparationAndEnd) {
  Process(kEnterFactoryMode);
  XPM_SetSource(0, 4);
  simtv_clear_calls();
  Run run = Process(0xCFA90FFF);
  EXPECT_EQ(run.result.kind, 3);
  EXPECT_EQ(run.result.code, 0xCFA90FFFu);
  EXPECT_EQ(Count("XPM_SetExtOemPathProperty 0 122 18") + Count("XPM_SetVideoPreset 0 4") +
                Count("XPM_SetBacklight 100") + Count("XPM_SetDCRBacklight 0") + Count("XPM_SetColorTemperature 10"),
            5);
  XPM_SetSource(0, 7);
  simtv_clear_calls();
  Process(0xD0000000);
  EXPECT_EQ(Count("XPM_SetSource 0 4"), 1);
  EXPECT_EQ(Count("OAM_CustomDispatchFactoryCommand " + std::to_string(0x40EA42BD)), 1);

  XPM_SetSource(0, SIMTV_PATTERN_SOURCE);
  simtv_fail("XPM_SetBacklight", 3, 1);
  run = Process(0xCFA90FFF);
  EXPECT_EQ(run.returned, 0) << "nothing to do on the pattern";
  EXPECT_EQ(run.result.kind, 0);

  simtv_fail("XPM_GetSourceID", 3, 1);
  simtv_clear_calls();
  EXPECT_EQ(Process(0x40EB827D).result.value, 2);
  EXPECT_EQ(Count("XPM_SetSource"), 0) << "no id, no switch";
}

// ------------------------------------------------------------------ tuning

class FactoryTuning : public FactoryCommandsTest {
 protected:
  void SetUp() override {
    simtv_boot(1, 0);
    FactoryCommandsTest::SetUp();
    FactoryCommands::InstallClock(&simtv_gettimeofday);
  }
  void TearDown() override { FactoryCommands::InstallClock(nullptr); }
};

TEST_F(FactoryTuning, AGuardedPresetRunsAgainOnlyAfterSixSeconds) {
  auto tunes = [] { return Count("XPM_SetChannel 0 2 0"); };
  Process(0x40AAFF00);
  EXPECT_EQ(tunes(), 1);
  EXPECT_EQ(Count("XPM_StartChannelDiscovery 2 1 0 1 0 1"), 1);
  simtv_advance(5000);
  Process(0x40AAFF00);
  EXPECT_EQ(tunes(), 1) << "within 5 s";
  simtv_advance(1000);
  Process(0x40AAFF00);
  EXPECT_EQ(tunes(), 2) << "6 s after the first";

  simtv_advance(1000);
  Process(0x40EEF00F);  // a digital preset does not record itself
  EXPECT_EQ(Count("XPM_SetChannel 0 2 1"), 1);
  simtv_advance(1000);
  Process(0x40AAFF00);
  EXPECT_EQ(tunes(), 2);
  Process(0x12345678);  // an unmatched code does
  simtv_advance(1000);
  Process(0x40AAFF00);
  EXPECT_EQ(tunes(), 3);
}

TEST_F(FactoryTuning, FailedTunesPauseChannelsAndModels) {
  Process(kEnterFactoryMode);
  simtv_fail("XPM_SetChannel", 1, 3);
  simtv_clear_calls();
  const unsigned long slept = simtv_bkni_slept_ms();
  EXPECT_EQ(Process(0x40EEF10E).returned, 1);
  EXPECT_EQ(Count("XPM_SetMedium 1"), 1);
  EXPECT_EQ(Count("XPM_SetChannel 0 17 1"), 4);
  EXPECT_EQ(simtv_bkni_slept_ms() - slept, 3u * 400) << "a pause after each further attempt";

  simtv_advance(1000);
  simtv_clear_calls();
  const unsigned long before = simtv_bkni_slept_ms();
  Process(0x40EB0AF5);
  EXPECT_EQ(Count("XPM_StartChannelDiscovery 10 1 0 1 0 1"), 1);
  EXPECT_EQ(Count("XPM_SetChannel 0 10 0"), 1);
  EXPECT_EQ(simtv_bkni_slept_ms(), before) << "tuned at once";

  Process(0x40F244BB);
  EXPECT_EQ(Property(18), 0x44);
  EXPECT_EQ(Property(19), 12);
  EXPECT_EQ(Count("BCM_SetModel 0"), 1);

  simtv_fail("XPM_StartChannelDiscovery", 3, 1);
  EXPECT_EQ(Process(0x40EEF00F).returned, 0) << "a digital preset returns what the tuning gave";
}

// ------------------------------------------------------- network and tests

class FactoryNetwork : public FactoryCommandsTest {
 protected:
  void SetUp() override {
    FactoryCommandsTest::SetUp();
    std::filesystem::remove(NvPath(kTestFile));
  }
  void TearDown() override { std::filesystem::remove(NvPath(kTestFile)); }
  static void PutTestFile(const char* text) {
    const std::string path = NvPath(kTestFile);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << text;
  }
  static constexpr const char* kTestFile = "/mnt/factory/wlan/wlan_test.txt";
};

TEST_F(FactoryNetwork, WithoutAStickTheWirelessTestReportsTheMissingFile) {
  Run run = Process(0x40EE04FB);
  EXPECT_EQ(std::string(run.result.text), "WLAN:testing");
  EXPECT_EQ(Count("OAM_CustomDispatchFactoryCommand " + std::to_string(0x40EA43BC)), 1);
  EXPECT_EQ(Console(), "WLAN:testing\r\n");
  run = Process(0x40EA43BC);
  EXPECT_EQ(run.returned, 0);
  EXPECT_EQ(run.result.kind, 4);
  EXPECT_EQ(run.result.value, 160);
  EXPECT_EQ(std::string(run.result.text), "File Not Found:wlan_test.txt\n");
  EXPECT_EQ(Console(), "Check VID,PID:OK\r\nCheck MacAddress:OK\r\nFile Not Found:wlan_test.txt\r\n");
  EXPECT_EQ(Count("BCM_syscall_run \"mkdir -p /mnt/factory/wlan && mount"), 28);

  // A leading part of the vendor id is not the module.
  simtv_factory_shell_answer("wl revinfo", 0, "vendorid 0x deviceid 0x4346");
  run = Process(0x40EA43BC);
  EXPECT_EQ(std::string(run.result.text), "Check VID,PID:NG\n");
  EXPECT_EQ(Console(), "Check VID,PID:NG\r\n");
}

TEST_F(FactoryNetwork, TheWirelessTestJoinsWithTheFileAndReportsSixLines) {
  PutTestFile("ant_b -80\nssid BenchAP\nkey secret99\nant_a -80\n");
  Run run = Process(0x40EA43BC);
  EXPECT_EQ(run.returned, 1);
  EXPECT_EQ(run.result.kind, 0);
  EXPECT_EQ(Count("XPM_WLAN_JoinNetwork BenchAP 4 secret99"), 1);
  EXPECT_EQ(FactoryCommands::PreviousRawFactoryCommand, 0u) << "the join does not record itself";
  Console();
  run = Process(0x40EA44BB);
  EXPECT_EQ(std::string(run.result.text),
            "Check VID,PID:OK\nCheck MacAddress:OK\nAP Connect:OK\ncheck RSSI: OK\n RSSI Main: -50 Sub: -55\n"
            "AP Disconnect:OK\n");
  EXPECT_EQ(Console(), "AP Connect:OK\r\ncheck RSSI:OK\r\nRSSI Main: -50 Sub: -55\r\nAP Disconnect:OK\r\n");
  EXPECT_EQ(Process(0x40EA44BB).returned, 0) << "no test waits any more";

  // A module whose readings cannot be taken gives -90 on both antennas.
  simtv_factory_shell_answer("wl phy_rssi_ant", -1, "");
  Process(0x40EA43BC);
  run = Process(0x40EA44BB);
  EXPECT_NE(std::string(run.result.text).find("check RSSI: NG\n RSSI Main: -90 Sub: -90\n"), std::string::npos);

  // A bssid among the four pairs is a format error, as is an SSID too long.
  PutTestFile("bssid 00:11 ssid BenchAP key secret99 ant_a -80");
  EXPECT_EQ(std::string(Process(0x40EA43BC).result.text), "File Not Found:wlan_test.txt\n");
  PutTestFile(("ssid " + std::string(33, 's') + " key k ant_a -80 ant_b -80").c_str());
  EXPECT_EQ(std::string(Process(0x40EA43BC).result.text), "File Not Found:wlan_test.txt\n");
  Console();
  run = Process(0x40EA45BA);
  EXPECT_EQ(run.returned, 0) << "the failed starts left no test waiting";
}

TEST_F(FactoryNetwork, ThroughputCalibrationAndTheWiredAddress) {
  for (const auto& [speed, verdict] : {std::pair{24001, "DLNA:OK"}, std::pair{24000, "DLNA:NG(Performance)"},
                                       std::pair{23999, "DLNA:NG(Performance)"}, std::pair{0, "DLNA:NG(Connection)"}}) {
    simtv_factory_set_speed(speed);
    EXPECT_EQ(std::string(Process(0x40EE7F81).result.text), verdict) << speed;
  }
  EXPECT_EQ(Count("BCM_Set_http_timeout 2"), 4);
  EXPECT_EQ(Count("BCM_Set_http_timeout 30"), 4);

  OAM_SetCustomizedProperty(20, 3277);
  OAM_SetCustomizedProperty(22, 4914);
  EXPECT_EQ(std::string(Process(0x40EEA35C).result.text), "ADC Adjust : OK");
  OAM_SetCustomizedProperty(20, 3276);
  EXPECT_EQ(std::string(Process(0x40EEA35C).result.text), "ADC Adjust : NG! Make sure you are using 100% Colorbar!");

  Console();
  simtv_clear_calls();
  Process(0x40EA41BE, "zz");
  EXPECT_EQ(Count("XPM_LAN_SetMacAddr"), 0);
  EXPECT_EQ(Console(), "The MAC address was NOT changed to zz.\r\n");
  Process(0x40EA41BE, "00:1a:2B:3c:4D:99");
  EXPECT_EQ(Console(), "The MAC address was changed OK to 00:1a:2B:3c:4D:99.\r\n");
  simtv_fail("XPM_LAN_SetMacAddr", 3, 1);
  Process(0x40EA41BE, "00:1a:2B:3c:4D:98");
  EXPECT_EQ(Console(), "The MAC address was NOT changed to 00:1a:2B:3c:4D:98.\r\n");

  // The audio dump and the serial test write on the console alone.
  Console();
  simtv_fail("XPM_GetBass", 3, 1);
  EXPECT_EQ(Process(0x40EA40BF).result.kind, 0);
  const std::string dump = Console();
  EXPECT_NE(dump.find("[                   Volume]:[        20]\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("[                     Bass]:[         -]\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("[                      MTS]:[    STEREO]\n"), std::string::npos) << dump;
  Process(0x00000111);
  EXPECT_EQ(Console(), "TEST MESSAGEA\r\nTEST MESSAGEB\r\n");

  // A failed read is not applied as it stood.
  simtv_fail("XPM_LAN_GetIFState", 3, 1);
  simtv_clear_calls();
  EXPECT_EQ(std::string(Process(0x40EE9F60).result.text), "Default MAC address/IP address writing");
  std::string applied;
  for (const std::string& call : RecordedCalls())
    if (call.rfind("XPM_LAN_SetIFConfig 0 ", 0) == 0) applied = call;
  EXPECT_NE(applied.find("192.168.1.10"), std::string::npos) << applied;
  EXPECT_NE(applied.find("255.255.255.0"), std::string::npos) << applied;
  EXPECT_NE(applied.find("0.0.0.0"), std::string::npos) << "the gateway from zero: " << applied;
}

}  // namespace
