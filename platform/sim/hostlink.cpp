// The simulated key injector records the presses, for tests to read back.
#include "hostlink.h"

#include <mutex>
#include <string>
#include <vector>

#include "simkernel.h"
#include "simtv.h"

namespace {

// Enough for any script; a runaway caller cannot grow the record without bound.
constexpr size_t kMaxPresses = 4096;

simk::StateMutex g_mutex;
std::vector<std::string> g_presses;

}  // namespace

int32_t bcm_hostlink_parser_kb_Decoder(const char* key, int32_t count) {
  if (!key || !*key) return -1;
  std::lock_guard lock(g_mutex);
  for (int32_t i = 0; i < count && g_presses.size() < kMaxPresses; ++i) g_presses.emplace_back(key);
  return 0;
}

int32_t simtv_hostlink_key_count(void) {
  std::lock_guard lock(g_mutex);
  return static_cast<int32_t>(g_presses.size());
}

const char* simtv_hostlink_key(int32_t index) {
  std::lock_guard lock(g_mutex);
  if (index < 0 || static_cast<size_t>(index) >= g_presses.size()) return nullptr;
  return g_presses[static_cast<size_t>(index)].c_str();
}

void simtv_hostlink_reset(void) {
  std::lock_guard lock(g_mutex);
  g_presses.clear();
}
