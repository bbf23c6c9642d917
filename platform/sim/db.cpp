// The simulated database keeps its records in memory. The crash handler writes
// here from a signal handler, so the state is lock-free: atomics and a fixed table.
#include "db.h"

#include <atomic>

namespace {

std::atomic<int> g_powerDownStatus{0};
std::atomic<int> g_systemLogCount{0};
std::atomic<int> g_systemLog[SIMTV_DB_SYSTEM_LOG_CAPACITY];

}  // namespace

int DB_Update_PowerDown_Status(int status) {
  g_powerDownStatus.store(status);
  return 0;
}

int DB_Get_PowerDown_Status(int* status) {
  if (status == nullptr) return -1;
  *status = g_powerDownStatus.load();
  return 0;
}

int DB_Update_System_Log(int entry) {
  const int index = g_systemLogCount.fetch_add(1);
  if (index < SIMTV_DB_SYSTEM_LOG_CAPACITY) g_systemLog[index].store(entry);
  return 0;
}

int simtv_db_system_log_count(void) { return g_systemLogCount.load(); }

int simtv_db_system_log_entry(int index) {
  if (index < 0 || index >= SIMTV_DB_SYSTEM_LOG_CAPACITY || index >= g_systemLogCount.load()) return -1;
  return g_systemLog[index].load();
}

void simtv_db_reset(void) {
  g_powerDownStatus.store(0);
  g_systemLogCount.store(0);
}
