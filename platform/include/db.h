/* Guide and recording database: the power-down status, the system log, the
 * recording log's start-up entries, scheduled shows and the guide. */
#ifndef TVUI_PLATFORM_DB_H
#define TVUI_PLATFORM_DB_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Power-down status values the host writes: 2 after a clean power-on, 3 after a crash. */
int DB_Update_PowerDown_Status(int status);
/* Reads the last status written (0 when none was). Returns 0, or -1 for a null pointer. */
int DB_Get_PowerDown_Status(int* status);
int DB_Update_System_Log(int entry);

/* The recording log's start-up entries. */
typedef uintptr_t DB_Handle;

int32_t DB_update_record_log_starttime(DB_Handle handle, const char* startTime);
int32_t DB_update_record_log_from_standby(DB_Handle handle);

/* ------------------------------------------------------------------------
 * Scheduled shows, guide events and theme search.
 *
 * Times are seconds since 1970. Texts are zero-terminated and cut to their
 * buffers. Calls that fill an array take its capacity and never write past it. */

enum {
  DB_TITLE_SIZE = 256,
  DB_DESCRIPTION_SIZE = 2048,
  DB_STATION_SIZE = 37,
  DB_RATING_TEXT_SIZE = 32,
  DB_THEME_TEXT_SIZE = 64
};

/* One scheduled recording or reminder, as the timer screens store it. */
typedef struct {
  int32_t timerId;
  int32_t enabled; /* above 0 when the timer is on */
  int32_t tuner;   /* 0 first tuner */
  int32_t major;
  int32_t minor;
  int32_t startTime;
  int32_t mapId; /* 1 cable */
  int32_t duration; /* seconds */
  int32_t rating;
  int32_t repetition; /* the timer's times type; 0 once */
  int32_t captionFlag;
  char title[DB_TITLE_SIZE];
  char description[DB_DESCRIPTION_SIZE];
  char station[DB_STATION_SIZE];
  int32_t scheduleId; /* given by the database when the row is first stored */
  int32_t status;     /* the recorder's: 1 while its timer records, 0 when its
                         recording waits or completed, else the record state
                         that refused or cut its last one (4 no USB disk, 5
                         the disk full, 8, 10, 11 no channel, tuner or signal) */
} DB_ScheduledShow;

/* Removes the shows that record once and started before now, but not one
 * recording now or one whose recording was refused or cut (status above 1),
 * and gives their timer ids back to the pool. A repeating show stays:
 * XPM_Check_Update_Scheduled_Data_Status moves it on to its next start. */
int DB_Delete_Scheduled_Event_Via_Starttime(int32_t now);
/* The first show recording now, refused or cut, or starting at or after now,
 * in order of start time and then timer id. Returns 0, or -1 when there is
 * none. */
int DB_Get_First_Scheduled_Show(int32_t now, DB_ScheduledShow* show);
/* The show after the one that starts at previousStart with previousTimerId:
 * the timer id tells apart shows of two tuners that start together. */
int DB_Get_Scheduled_Show_Next(int32_t previousStart, int32_t previousTimerId, DB_ScheduledShow* show);
/* Stores the show under the timer id, replacing an earlier one of that id
 * (which keeps its schedule id, and its status unless the new show starts at
 * another time or on another channel while the timer does not record). */
int DB_Insert_Scheduled_Data(int32_t timerId, const DB_ScheduledShow* show);
/* The row of a timer. Returns 0, or -1 when the timer has none. */
int DB_Get_Scheduled_Show_By_Timer_Id(int32_t timerId, DB_ScheduledShow* show);
/* Removes the row with that schedule id. Returns 0, or -1 when there is none. */
int DB_Delete_Scheduled_Show(int32_t scheduleId);

/* The pool of timer ids: 32 ids, of which the first four are no recording
 * timers (timer 0 is the on-timer), so the pool hands out 4 to 31. An id is
 * checked out while a schedule row uses it. */
enum { DB_TIMER_ID_COUNT = 32, DB_FIRST_RECORDING_TIMER_ID = 4 };
/* The lowest recording timer id not checked out. Returns 0, or -1 when every
 * one is out. */
int DB_Get_Free_Timer_Id(int32_t* id);
/* Mark an id used or free. Return 0, or -1 for an id outside 0-31. */
int DB_Check_Out_Timer_Id(int32_t id);
int DB_Check_In_Timer_Id(int32_t id);

/* One programme of the guide. */
typedef struct {
  int32_t eventId;
  int32_t startTime;
  int32_t duration; /* minutes */
  int32_t usRating;
  int32_t canRating;
  int32_t captionFlag;
  int32_t theme;
  char title[DB_TITLE_SIZE];
  char description[DB_DESCRIPTION_SIZE];
  char ratingText[DB_RATING_TEXT_SIZE];
} DB_EventRecord;

/* The programmes of a channel (medium 1 cable) that have not ended at from,
 * in order of start: skip them, then copy at most capacity; count is the
 * number copied and remaining the number after them. Returns 0, or -1 when
 * the guide knows nothing of the channel. */
int DB_Get_EPG_Events(int32_t medium, int32_t major, int32_t minor, int32_t from, int32_t skip,
                      DB_EventRecord* events, int32_t capacity, int32_t* count, int32_t* remaining);

/* A programme found by theme search. */
typedef struct {
  DB_EventRecord event;
  int32_t programId;
  int32_t medium;
  int32_t major;
  int32_t minor;
  char station[DB_STATION_SIZE];
  char theme[DB_THEME_TEXT_SIZE];
  char subtitle[DB_TITLE_SIZE];
  char episode[DB_TITLE_SIZE];
} DB_ThemeProgram;

/* The ids of the programmes of a theme that have not ended at from, in order
 * of start: at most capacity copied, count set to the number found. */
int DB_Search_Theme(const char* theme, int32_t from, int32_t* ids, int32_t capacity, int32_t* count);
int DB_Get_Theme_Program(int32_t programId, DB_ThemeProgram* program);

#ifdef __cplusplus
}
#endif

#endif
