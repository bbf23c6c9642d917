#include "FactorySystem/SerialConsole.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cstring>
#include <mutex>

#include "nvpath.h"

namespace SerialConsole {
namespace {

constexpr int32_t kFailed = 2;
constexpr const char* kDevice = "/dev/ttyS0";

struct Line {
  std::mutex mutex;
  int fd = -1;
  // The settings the line had before it was opened, put back at the close.
  termios saved{};
};

Line& L() {
  static Line& line = *new Line;
  return line;
}

// 115200 baud, 8 data bits, no parity, receiver on, modem lines ignored,
// parity errors ignored, no output processing, no local modes; a read
// returns after one byte.
termios RawSettings() {
  termios raw;
  std::memset(&raw, 0, sizeof raw);
  raw.c_cflag = CS8 | CLOCAL | CREAD;
  raw.c_iflag = IGNPAR;
  raw.c_oflag = 0;
  raw.c_lflag = 0;
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  cfsetispeed(&raw, B115200);
  cfsetospeed(&raw, B115200);
  return raw;
}

}  // namespace

bool IsOpen() {
  std::lock_guard lock(L().mutex);
  return L().fd >= 0;
}

void WriteLine(const char* text) {
  if (XPM_OpenUART() != 0) return;
  XPM_PrintStringUART(text);
  XPM_CloseUART();
}

}  // namespace SerialConsole

extern "C" {

// A second open replaces the descriptor but not the saved settings: those in
// force now are the raw ones of the first open, and restoring them at the
// close would leave the port raw for good.
int32_t XPM_OpenUART(void) {
  using namespace SerialConsole;
  const std::string path = NvPath(kDevice);
  const int fd = path.empty() ? -1 : open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return kFailed;
  std::lock_guard lock(L().mutex);
  if (L().fd >= 0) {
    close(L().fd);
  } else if (tcgetattr(fd, &L().saved) != 0) {
    std::memset(&L().saved, 0, sizeof L().saved);
  }
  L().fd = fd;
  const termios raw = RawSettings();
  tcflush(fd, TCIFLUSH);
  tcsetattr(fd, TCSANOW, &raw);
  return 0;
}

int32_t XPM_CloseUART(void) {
  using namespace SerialConsole;
  std::lock_guard lock(L().mutex);
  if (L().fd < 0) return 0;
  tcsetattr(L().fd, TCSANOW, &L().saved);
  close(L().fd);
  L().fd = -1;
  return 0;
}

int32_t XPM_PrintStringUART(const char* text) {
  using namespace SerialConsole;
  std::lock_guard lock(L().mutex);
  if (L().fd < 0 || !text) return kFailed;
  const size_t length = std::strlen(text);
  if (length == 0) return 0;
  const ssize_t written = write(L().fd, text, length);
  return written == static_cast<ssize_t>(length) ? 0 : kFailed;
}

}  // extern "C"
