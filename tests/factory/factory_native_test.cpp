// The factory command processor and the serial console, driven directly on
// the simulated set: what reaches the set, the fixture's end of the serial
// line and the result record.
#include <gtest/gtest.h>

#include <termios.h>

#include <cstring>
#include <string>

#include "FactorySystem/FactoryCommandFamilies.h"
#include "FactorySystem/FactoryCommands.h"
#include "FactorySystem/SerialConsole.h"
#include "oam.h"
#include "sim_calls.h"
#include "simtv.h"

namespace {

using FactoryCommands::kEnterFactoryMode;
using FactoryCommands::kLeaveFactoryMode;

// What the fixture received since the last read; waits for the first byte
// only when some is expected.
std::string Console(bool expectSome = true) {
  std::string text;
  char buffer[1024];
  for (int got; (got = simtv_console_read(buffer, sizeof buffer, expectSome && text.empty() ? 1000 : 0)) > 0;)
    text.append(buffer, size_t(got));
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
    Console(false);
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
  EXPECT_EQ(Console(false), "");
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
  EXPECT_EQ(Console(false), "");
}

}  // namespace
