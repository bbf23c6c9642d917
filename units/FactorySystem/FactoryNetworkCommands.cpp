// The factory's network and diagnostic tests: the wireless module (identity,
// MAC address, a join with the settings of a file on a USB stick, signal
// strength), the home network's throughput, the wired identity, the
// converter calibration and the HDMI switch's EEPROM. Verdicts go to a
// message box and to the serial console; shell commands run through the
// board's one shell call, whose output is read in bounded tokens.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "FactorySystem/FactoryCommandFamilies.h"
#include "FactorySystem/FactoryCommandTables.h"
#include "FactorySystem/FactoryCommands.h"
#include "FactorySystem/SerialConsole.h"
#include "bcm.h"
#include "bkni.h"
#include "nvpath.h"
#include "oam.h"
#include "vgdebug.h"
#include "vgobject.h"
#include "xpm.h"

namespace FactoryCommands {

namespace {

int32_t bIsFactoryWLANtest = 0;
std::string msg_wlan;
int16_t rssi_main_th = 0;
int16_t rssi_sub_th = 0;

constexpr const char* kLargeMessage = "FactorySystem::LargeMessage";
// Message flags: 3 s, 10 s (the wireless reports), the standard time-out.
constexpr int32_t kShortMessage = 48;
constexpr int32_t kReportMessage = 160;
constexpr int32_t kStandardMessage = 0;
constexpr size_t kReportSize = 256;

constexpr const char* kMountPoint = "/mnt/factory/wlan";
constexpr const char* kTestFile = "/mnt/factory/wlan/wlan_test.txt";
constexpr const char* kDevices[] = {"sda",  "sdb",  "sdc",  "sdd",  "sda1", "sdb1", "sdc1", "sdd1", "sda2", "sdb2",
                                    "sdc2", "sdd2", "sda3", "sdb3", "sdc3", "sdd3", "sda4", "sdb4", "sdc4", "sdd4",
                                    "sda5", "sdb5", "sdc5", "sdd5", "sda6", "sdb6", "sdc6", "sdd6"};
constexpr size_t kTokenMax = 79;
constexpr size_t kSsidMax = 32;
constexpr size_t kKeyMax = 64;
constexpr int32_t kSecurity = 4;
constexpr int32_t kMeasurements = 10;
constexpr int16_t kNoSignal = -90;
constexpr const char* kVendorId = "0x14e4";
constexpr const char* kDeviceId = "0x4346";

constexpr const char* kSpeedServer = "192.168.100.2:10483";
constexpr const char* kSpeedPath = "test/noviq_speed_test.dat";
constexpr int kSpeedTimeout = 2;
constexpr int kNormalTimeout = 30;
constexpr int32_t kSpeedNeeded = 24000;

constexpr int32_t kCalibrationProperty = 140;
constexpr int32_t kCalibrationLow = 3277;
constexpr int32_t kCalibrationHigh = 4914;
constexpr int32_t kRedResult = 20, kGreenResult = 21, kBlueResult = 22;

Outcome Message(const char* text, int32_t flags, FactoryCommandResult* result) {
  SetResultDisplayMessage(VgFindClass(kLargeMessage), text, flags, result);
  return Outcome::Done;
}

void FollowUp(uint32_t code) {
  uint32_t record[OAM_FACTORY_RECORD_SIZE / 4] = {code};
  if (int32_t status = OAM_CustomDispatchFactoryCommand(record); status != 0)
    TraceFailure("OAM_CustomDispatchFactoryCommand", status);
}

// ------------------------------------------------------------------- shell

// A command's output as whitespace-separated tokens; a token longer than the
// readers take ends the reading as an error.
struct Shell {
  bool started = false;
  std::string output;
  size_t at = 0;
  bool overlong = false;

  explicit Shell(const std::string& command) {
    std::string buffer(4096, '\0');
    const int status = BCM_syscall_run(command.c_str(), buffer.data(), static_cast<int>(buffer.size()));
    started = status >= 0;
    if (status != 0) VgPrint("shell \"%s\" gave %d\n", command.c_str(), status);
    output.assign(buffer.c_str());
  }
  // The next token, empty at the end or past an overlong one.
  std::string Next() {
    if (overlong) return {};
    const size_t begin = output.find_first_not_of(" \t\r\n", at);
    if (begin == std::string::npos) return {};
    size_t end = output.find_first_of(" \t\r\n", begin);
    if (end == std::string::npos) end = output.size();
    at = end;
    if (end - begin > kTokenMax) {
      overlong = true;
      return {};
    }
    return output.substr(begin, end - begin);
  }
};

int RunShell(const std::string& command) {
  char none[1] = {};
  return BCM_syscall_run(command.c_str(), none, sizeof none);
}

void Unmount() {
  if (RunShell(std::string("umount ") + kMountPoint) == 0)
    VgPrint("umount success\n");
  else
    VgPrint("umount fail\n");
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

bool FileThere() {
  if (FILE* file = std::fopen(NvPath(kTestFile).c_str(), "r")) {
    std::fclose(file);
    return true;
  }
  return false;
}

// ----------------------------------------------------------- wireless test

void Report(const char* line) {
  msg_wlan += line;
  msg_wlan += '\n';
  SerialConsole::WriteLine((std::string(line) + "\r\n").c_str());
}

Outcome ReportMessage(FactoryCommandResult* result) {
  SetResultDisplayMessage(VgFindClass(kLargeMessage), msg_wlan.substr(0, kReportSize - 1).c_str(), kReportMessage,
                          result);
  return Outcome::Done;
}

// Both identities must match the module's whole texts: a leading part of
// one ("0x") is not the module.
bool IdentityMatches() {
  Shell shell("wl revinfo");
  if (!shell.started) return false;
  bool vendor = false, device = false;
  for (int pair = 0; pair < 2; ++pair) {
    const std::string key = shell.Next();
    const std::string value = shell.Next();
    if (StartsWith(key, "vendorid"))
      vendor = value == kVendorId;
    else if (StartsWith(key, "deviceid"))
      device = value == kDeviceId;
    else
      return false;
  }
  return vendor && device;
}

bool FindTestFile() {
  char command[128];
  for (const char* device : kDevices) {
    std::snprintf(command, sizeof command, "mkdir -p %s && mount -t vfat /dev/%s %s", kMountPoint, device,
                  kMountPoint);
    if (RunShell(command) != 0) {
      VgPrint("failed to mount %s\n", device);
      continue;
    }
    std::snprintf(command, sizeof command, "ls %s", kMountPoint);
    RunShell(command);
    if (FileThere()) return true;
    VgPrint("file not found\n");
    Unmount();
  }
  if (FileThere()) return true;
  VgPrint("file not found\n");
  Unmount();
  return false;
}

struct Settings {
  std::string ssid;
  std::string key;
};

// The four pairs in any order; a key of another name, a value too long for
// its field or a pair missing is a format error.
bool ReadSettings(Settings* settings) {
  Shell shell(std::string("cat ") + kTestFile);
  if (!shell.started) {
    VgPrint("popen failed\n");
    return false;
  }
  for (int pair = 0; pair < 4; ++pair) {
    const std::string key = shell.Next();
    const std::string value = shell.Next();
    bool fits = !value.empty();
    if (fits && StartsWith(key, "ssid"))
      fits = value.size() <= kSsidMax, settings->ssid = value;
    else if (fits && StartsWith(key, "key"))
      fits = value.size() <= kKeyMax, settings->key = value;
    else if (fits && StartsWith(key, "ant_a"))
      rssi_main_th = static_cast<int16_t>(std::atoi(value.c_str()));
    else if (fits && StartsWith(key, "ant_b"))
      rssi_sub_th = static_cast<int16_t>(std::atoi(value.c_str()));
    else
      fits = false;
    if (!fits) {
      VgPrint("File format error %d\n", pair);
      return false;
    }
  }
  return true;
}

Outcome MissingFile(FactoryCommandResult* result) {
  msg_wlan = "File Not Found:wlan_test.txt\n";
  SerialConsole::WriteLine("File Not Found:wlan_test.txt\r\n");
  ReportMessage(result);
  VgPrint("USB DATA READ FAILED\n");
  return Outcome::Failed;
}

// The readings of one measurement; one not found counts as 0.
bool Measure(int16_t* main, int16_t* sub) {
  Shell shell("wl phy_rssi_ant");
  if (!shell.started) return false;
  *main = *sub = 0;
  int found = 0;
  for (std::string token = shell.Next(); found < 2 && !token.empty(); token = shell.Next()) {
    if (token.find("rssi[0]") != std::string::npos) {
      *main = static_cast<int16_t>(std::atoi(shell.Next().c_str()));
      ++found;
    } else if (token.find("rssi[1]") != std::string::npos) {
      *sub = static_cast<int16_t>(std::atoi(shell.Next().c_str()));
      ++found;
    }
  }
  return true;
}

// "xx:xx:xx:xx:xx:xx" in hexadecimal digits.
bool IsMacAddress(std::string_view text) {
  if (text.size() != 17) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool colon = i % 3 == 2;
    if (colon ? text[i] != ':' : !std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
  }
  return true;
}

}  // namespace

Outcome AnnounceWlanTest(const Command&, FactoryCommandResult* result) {
  SerialConsole::WriteLine("WLAN:testing\r\n");
  FollowUp(Tables::kWlanRun);
  return Message("WLAN:testing", kStandardMessage, result);
}

Outcome RunWlanTest(const Command&, FactoryCommandResult* result) {
  msg_wlan.clear();
  VgPrint("======== CHECK VID,PID\n");
  if (!IdentityMatches()) {
    BKNI_Sleep(1000);
    msg_wlan = "Check VID,PID:NG\n";
    ReportMessage(result);
    SerialConsole::WriteLine("Check VID,PID:NG\r\n");
    return Outcome::Failed;
  }
  msg_wlan = "Check VID,PID:OK\n";
  SerialConsole::WriteLine("Check VID,PID:OK\r\n");

  VgPrint("======== CHECK MAC ADDRESS\n");
  char mac[XPM_MAC_TEXT_SIZE] = {};
  if (int32_t status = XPM_LAN_GetMacAddr(1, mac); status != 0) {
    VgPrint("failed to Get MAC address\n");
    return Outcome::Failed;
  }
  const std::string_view address(mac, strnlen(mac, sizeof mac));
  Report(address == "00:00:00:00:00:00" || address == "FF:FF:FF:FF:FF:FF" ? "Check MacAddress:NG"
                                                                           : "Check MacAddress:OK");

  if (!FindTestFile()) return MissingFile(result);
  Settings settings;
  const bool read = ReadSettings(&settings);
  Unmount();
  if (!read) return MissingFile(result);
  VgPrint("USB DATA READ OK\n");

  VgPrint("======== CHECK AP CONNECT\n");
  XPM_WLAN_QuitNetwork();
  if (int32_t status = XPM_WLAN_JoinNetwork(settings.ssid.c_str(), kSecurity, settings.key.c_str()); status != 0)
    return TraceFailure("XPM_WLAN_JoinNetwork", status);
  bIsFactoryWLANtest = 1;
  return Outcome::Unrecorded;
}

Outcome WlanConnected(const Command&, FactoryCommandResult* result) {
  if (bIsFactoryWLANtest == 0) return Outcome::Failed;
  Report("AP Connect:OK");
  VgPrint("======== CHECK RSSI\n");
  int16_t mainSum = 0, subSum = 0;
  int16_t mainAverage = kNoSignal, subAverage = kNoSignal;
  bool measured = true;
  for (int32_t i = 0; i < kMeasurements && measured; ++i) {
    int16_t main = 0, sub = 0;
    measured = Measure(&main, &sub);
    mainSum = static_cast<int16_t>(mainSum + main);
    subSum = static_cast<int16_t>(subSum + sub);
  }
  if (measured) {
    mainAverage = static_cast<int16_t>(mainSum / kMeasurements);
    subAverage = static_cast<int16_t>(subSum / kMeasurements);
  } else {
    VgPrint("  popen failed\n");
  }
  VgPrint("Antenna[0]= %d dbm Antenna[1]= %d dbm \n", mainAverage, subAverage);
  const bool ng = mainAverage < rssi_main_th || subAverage < rssi_sub_th;
  char line[64];
  std::snprintf(line, sizeof line, "check RSSI: %s\n RSSI Main: %d Sub: %d\n", ng ? "NG" : "OK", mainAverage,
                subAverage);
  msg_wlan += line;
  std::snprintf(line, sizeof line, "check RSSI:%s\r\nRSSI Main: %d Sub: %d\r\n", ng ? "NG" : "OK", mainAverage,
                subAverage);
  SerialConsole::WriteLine(line);

  VgPrint("======== CHECK AP DISCONNECT\n");
  Report(XPM_WLAN_QuitNetwork() == 0 ? "AP Disconnect:OK" : "AP Disconnect:NG");
  ReportMessage(result);
  bIsFactoryWLANtest = 0;
  return Outcome::Done;
}

Outcome WlanNotConnected(const Command&, FactoryCommandResult* result) {
  if (bIsFactoryWLANtest == 0) return Outcome::Failed;
  Report("AP Connect:NG");
  ReportMessage(result);
  bIsFactoryWLANtest = 0;
  return Outcome::Done;
}

Outcome AnnounceSpeedTest(const Command&, FactoryCommandResult* result) {
  FollowUp(Tables::kSpeedMeasure);
  return Message("DLNA:testing", kShortMessage, result);
}

// Exactly 24000 KB/s falls short of the throughput needed.
Outcome MeasureSpeed(const Command&, FactoryCommandResult* result) {
  BCM_Set_http_timeout(kSpeedTimeout);
  int a = 0, b = 0, c = 0;
  int speed = 0;
  if (int status = OAM_PlatformMiscs_GetSpeedTestInfo(&a, &b, &c); status == 0)
    speed = BCM_HTTP_Speed(kSpeedServer, kSpeedPath, c);
  else
    TraceFailure("OAM_PlatformMiscs_GetSpeedTestInfo", status);
  BCM_Set_http_timeout(kNormalTimeout);
  VgPrint("============================ SPEED KB SEC %d\n", speed);
  return Message(speed > kSpeedNeeded ? "DLNA:OK" : speed > 0 ? "DLNA:NG(Performance)" : "DLNA:NG(Connection)",
                 kShortMessage, result);
}

// Only an address in its written form is set, and the console says whether
// it was.
Outcome WriteMacAddress(const Command& command, FactoryCommandResult*) {
  VgPrint("+++++++++ %s ++++++++++\n", command.argument);
  bool changed = IsMacAddress(command.argument);
  if (changed) {
    if (int32_t status = XPM_LAN_SetMacAddr(0, command.argument); status != 0) {
      VgPrint("failed to set MAC address\n");
      changed = false;
    }
  }
  char line[64];
  if (changed)
    std::snprintf(line, sizeof line, "The MAC address was changed OK to %s.\r\n", command.argument);
  else
    std::snprintf(line, sizeof line, "The MAC address was NOT changed to %s.\r\n", command.argument);
  SerialConsole::WriteLine(line);
  return Outcome::Done;
}

// A record whose read failed is applied from zero, not from what the stack
// held.
Outcome WriteDefaultAddress(const Command&, FactoryCommandResult* result) {
  XPM_IFState state{};
  if (XPM_LAN_GetIFState(0, &state) != 0) state = XPM_IFState{};
  state.dhcp = 0;
  const uint8_t address[4] = {192, 168, 1, 10};
  const uint8_t mask[4] = {255, 255, 255, 0};
  std::memcpy(state.address, address, sizeof address);
  std::memcpy(state.mask, mask, sizeof mask);
  if (XPM_LAN_SetIFConfig(0, &state) != 0) VgPrint("failed XPM_LAN_SetIFConfig\n");
  return Message("Default MAC address/IP address writing", kShortMessage, result);
}

Outcome CalibrateConverter(const Command&, FactoryCommandResult* result) {
  if (int32_t status = XPM_SetViewMode(0, 1); status != 0) TraceFailure("XPM_SetViewMode", status);
  if (int32_t status = XPM_SetExtOemPathProperty(0, kCalibrationProperty, 0); status != 0)
    return Message("ADC Adjust : NG", kShortMessage, result);
  int32_t red = 0, green = 0, blue = 0;
  OAM_GetCustomizedProperty(kRedResult, &red);
  OAM_GetCustomizedProperty(kGreenResult, &green);
  OAM_GetCustomizedProperty(kBlueResult, &blue);
  VgPrint("ADC calibration R %d G %d B %d\n", red, green, blue);
  auto within = [](int32_t v) { return v >= kCalibrationLow && v <= kCalibrationHigh; };
  return Message(within(red) && within(blue) ? "ADC Adjust : OK"
                                             : "ADC Adjust : NG! Make sure you are using 100% Colorbar!",
                 kShortMessage, result);
}

Outcome EraseSwitchEeprom(const Command&, FactoryCommandResult* result) {
  SI_EraseNVRAM();
  return Message("Silicon Image E2P CLEAR", kShortMessage, result);
}

namespace {

void DumpText(const char* label, const char* value) {
  char line[64];
  std::snprintf(line, sizeof line, "[%25s]:[%10s]\n", label, value);
  SerialConsole::WriteLine(line);
}

void DumpNumber(const char* label, int32_t (*read)(int32_t*)) {
  int32_t value = 0;
  if (read(&value) != 0) return DumpText(label, "-");
  char line[64];
  std::snprintf(line, sizeof line, "[%25s]:[%10ld]\n", label, long(value));
  SerialConsole::WriteLine(line);
}

// The text of a setting's value by a table; "-" for a failed read or a
// value the table lacks.
struct Named {
  int32_t value;
  const char* text;
};
template <size_t N>
void DumpNamed(const char* label, int32_t (*read)(int32_t*), const Named (&names)[N]) {
  int32_t value = 0;
  const char* text = "-";
  if (read(&value) == 0)
    for (const Named& name : names)
      if (name.value == value) text = name.text;
  DumpText(label, text);
}

constexpr Named kDecodeModeNames[] = {{1, "STEREO"}, {0, "MONO"}, {2, "SAP"}};
constexpr Named kSpdifNames[] = {{1, "AUTO"}, {0, "PCM"}, {2, "OFF"}};
constexpr int32_t kRearSharedAudio = 36;
constexpr int32_t kSideSharedAudio = 37;

void DumpShared(const char* label, int32_t property) {
  int32_t value = 0;
  char text[16] = "-";
  if (XPM_GetExtOemProperty(property, &value) == 0) std::snprintf(text, sizeof text, "%d", int(value));
  char line[64];
  std::snprintf(line, sizeof line, "[%25s]:[%25s]\n", label, text);
  SerialConsole::WriteLine(line);
}

}  // namespace

Outcome DumpAudioStatus(const Command&, FactoryCommandResult*) {
  DumpText(" MMode", bInFactoryMode == 1 ? "active" : "not active");
  DumpNumber("Volume", &XPM_GetVolume);
  XPM_AudioServiceInfo service{};
  const bool stereo = XPM_GetCurrentAudioServiceInfo(0, &service) == 0 && service.mode >= 2 && service.mode <= 7;
  DumpText(" MTS Digital Audio", stereo ? " Stereo" : "");
  int32_t drc = 0;
  DumpText("DynamicRangeControl", XPM_GetDolbyDRC(&drc) != 0 ? "-" : drc ? "On" : "Off");
  DumpNamed("MTS", &XPM_GetPreferredAudioDecodeMode, kDecodeModeNames);
  DumpNamed("Optical Output Format", &XPM_GetSpdifFormat, kSpdifNames);
  DumpNumber("Bass", &XPM_GetBass);
  DumpNumber("Treble", &XPM_GetTreble);
  DumpNumber("Balance", &XPM_GetBalance);
  DumpShared("Rear Shared Audio", kRearSharedAudio);
  DumpShared("Side Shared Audio", kSideSharedAudio);
  return Outcome::Done;
}

Outcome WriteSerialTest(const Command&, FactoryCommandResult*) {
  XPM_OpenUART();
  XPM_PrintStringUART("TEST MESSAGEA\r\n");
  XPM_PrintStringUART("TEST MESSAGEB\r\n");
  XPM_CloseUART();
  return Outcome::Done;
}

void ResetNetworkState() {
  bIsFactoryWLANtest = 0;
  msg_wlan.clear();
  rssi_main_th = rssi_sub_th = 0;
}

}  // namespace FactoryCommands
