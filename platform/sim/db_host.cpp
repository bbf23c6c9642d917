#include "db.h"

#include "simkernel.h"

extern "C" {

int32_t DB_update_record_log_starttime(DB_Handle handle, const char* startTime) {
  simk::Record("DB_update_record_log_starttime", simk::CallArgs{}.Int(int64_t(handle)).Text(startTime));
  return 0;
}

int32_t DB_update_record_log_from_standby(DB_Handle handle) {
  simk::Record("DB_update_record_log_from_standby", simk::CallArgs{}.Int(int64_t(handle)));
  return 0;
}

}  // extern "C"
