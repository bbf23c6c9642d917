/* Guide and recording database: the power-down status and the system log. */
#ifndef TVUI_PLATFORM_DB_H
#define TVUI_PLATFORM_DB_H

#ifdef __cplusplus
extern "C" {
#endif

/* Power-down status values the host writes: 2 after a clean power-on, 3 after a crash. */
int DB_Update_PowerDown_Status(int status);
/* Reads the last status written (0 when none was). Returns 0, or -1 for a null pointer. */
int DB_Get_PowerDown_Status(int* status);
int DB_Update_System_Log(int entry);

/* Simulation control, for tests and the runner. */
enum { SIMTV_DB_SYSTEM_LOG_CAPACITY = 64 };
/* Entries written since the last reset; entries past the capacity are counted but not kept. */
int simtv_db_system_log_count(void);
/* The entry written at that position, or -1 when it is not kept. */
int simtv_db_system_log_entry(int index);
/* Forgets the power-down status and the system log. */
void simtv_db_reset(void);

#ifdef __cplusplus
}
#endif

#endif
