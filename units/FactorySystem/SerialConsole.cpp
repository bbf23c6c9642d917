// The line is kept in memory: what is written while it is open is collected
// for whoever looks at the fixture's side.
#include "FactorySystem/SerialConsole.h"

#include <mutex>

namespace SerialConsole {
namespace {

constexpr int32_t kFailed = 2;

struct Line {
  std::mutex mutex;
  bool open = false;
  std::string written;
};

Line& L() {
  static Line& line = *new Line;
  return line;
}

}  // namespace

std::string Written() {
  std::lock_guard lock(L().mutex);
  return L().written;
}

bool IsOpen() {
  std::lock_guard lock(L().mutex);
  return L().open;
}

void Reset() {
  std::lock_guard lock(L().mutex);
  L().open = false;
  L().written.clear();
}

}  // namespace SerialConsole

extern "C" {

// Opening an open line keeps it open: the next close closes it.
int32_t XPM_OpenUART(void) {
  std::lock_guard lock(SerialConsole::L().mutex);
  SerialConsole::L().open = true;
  return 0;
}

int32_t XPM_CloseUART(void) {
  std::lock_guard lock(SerialConsole::L().mutex);
  SerialConsole::L().open = false;
  return 0;
}

int32_t XPM_PrintStringUART(const char* text) {
  std::lock_guard lock(SerialConsole::L().mutex);
  if (!SerialConsole::L().open || !text) return SerialConsole::kFailed;
  SerialConsole::L().written += text;
  return 0;
}

}  // extern "C"
