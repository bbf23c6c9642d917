/* Guide and recording database: the recording log's start-up entries. */
#ifndef TVUI_PLATFORM_DB_HOST_H
#define TVUI_PLATFORM_DB_HOST_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef uintptr_t DB_Handle;

int32_t DB_update_record_log_starttime(DB_Handle handle, const char* startTime);
int32_t DB_update_record_log_from_standby(DB_Handle handle);

#ifdef __cplusplus
}
#endif

#endif
