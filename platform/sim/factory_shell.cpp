// The simulated board's shell and network bench for the factory's tests: a
// script of answers by command prefix instead of real commands (nothing is
// mounted), the HTTP throughput, the speed test's information and the HDMI
// switch's EEPROM. Calls are recorded and fail on demand like the others.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "bcm.h"
#include "nvpath.h"
#include "oam.h"
#include "simkernel.h"
#include "simtv.h"
#include "simvalues.h"

namespace {

constexpr int kNotFound = 127;
constexpr int kMountFailed = 32;

struct Answer {
  std::string prefix;
  int status;
  std::string output;
};

struct State {
  std::vector<Answer> answers;
  int speed = 30000;
  int timeout = 30;
};

simk::StateMutex g_mutex;

State Fresh() {
  State s;
  s.answers = {
      {"wl revinfo", 0, "vendorid 0x14e4\ndeviceid 0x4346\nradiorev 0x42\n"},
      {"wl phy_rssi_ant", 0, "rssi[0] -50 rssi[1] -55\n"},
      {"mkdir -p ", kMountFailed, ""},
      {"umount ", 0, ""},
      {"ls ", 0, ""},
  };
  return s;
}

State& S() {
  static State state = Fresh();
  return state;
}

void Copy(const std::string& text, char* output, int size) {
  if (!output || size <= 0) return;
  const size_t n = std::min(text.size(), size_t(size - 1));
  std::memcpy(output, text.data(), n);
  output[n] = '\0';
}

}  // namespace

namespace simtv {

void ResetFactoryShell() {
  std::lock_guard lock(g_mutex);
  S() = Fresh();
}

}  // namespace simtv

extern "C" {

int BCM_syscall_run(const char* command, char* output, int size) {
  int32_t code = 0;
  Copy("", output, size);
  if (simk::Refused("BCM_syscall_run", simk::CallArgs{}.Text(command), &code)) return code;
  if (!command) return -1;
  const std::string line(command);
  {
    std::lock_guard lock(g_mutex);
    for (auto it = S().answers.rbegin(); it != S().answers.rend(); ++it) {
      if (line.rfind(it->prefix, 0) != 0) continue;
      Copy(it->output, output, size);
      return it->status;
    }
  }
  if (line.rfind("cat ", 0) == 0) {
    std::ifstream file(NvPath(line.substr(4).c_str()));
    if (!file) return 1;
    std::stringstream text;
    text << file.rdbuf();
    Copy(text.str(), output, size);
    return 0;
  }
  return kNotFound;
}

int BCM_Set_http_timeout(int seconds) {
  int32_t code = 0;
  if (simk::Refused("BCM_Set_http_timeout", simk::CallArgs{}.Int(seconds), &code)) return code;
  std::lock_guard lock(g_mutex);
  S().timeout = seconds;
  return 0;
}

int BCM_HTTP_Speed(const char* server, const char* path, int connection) {
  int32_t code = 0;
  if (simk::Refused("BCM_HTTP_Speed", simk::CallArgs{}.Text(server).Text(path).Int(connection), &code)) return 0;
  std::lock_guard lock(g_mutex);
  return S().speed;
}

int32_t OAM_PlatformMiscs_GetSpeedTestInfo(int* a, int* b, int* c) {
  int32_t code = 0;
  if (simk::Refused("OAM_PlatformMiscs_GetSpeedTestInfo", simk::CallArgs{}.Ptr().Ptr().Ptr(), &code)) return code;
  if (!a || !b || !c) return 2;
  *a = 1;
  *b = 0;
  *c = 3;
  return 0;
}

int32_t SI_EraseNVRAM(void) {
  int32_t code = 0;
  simk::Refused("SI_EraseNVRAM", {}, &code);
  return code;
}

void simtv_factory_shell_answer(const char* prefix, int status, const char* output) {
  if (!prefix) return;
  std::lock_guard lock(g_mutex);
  S().answers.push_back({prefix, status, output ? output : ""});
}

void simtv_factory_set_speed(int kbps) {
  std::lock_guard lock(g_mutex);
  S().speed = kbps;
}

}  // extern "C"
