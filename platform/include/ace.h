/* The middleware's application services: the local time, the time of the
 * set's timer and the channel agent's current channel. */
#ifndef TVUI_PLATFORM_ACE_H
#define TVUI_PLATFORM_ACE_H

#include <stdint.h>
#include <time.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The set's local time as broken-down time (month from 0, year since 1900):
 * the same clock as XPM_GetLocalTime. Returns 0, or -1 for a null pointer. */
int32_t Ace_GetLocalTime(struct tm* time);
/* The time the set's timer is set to, as broken-down time. */
int32_t Ace_GetTimer(struct tm* time);

typedef struct {
  int32_t source;     /* source id */
  int32_t sourceType; /* 1 and 12 the tuner inputs */
  int32_t major;
  int32_t minor;
  int32_t mapId; /* 1 cable */
} Ace_Channel;

/* The channel the main window shows. Returns 0, or -1 for a null pointer. */
int32_t channel_agent_get_current_channel(Ace_Channel* channel);

#ifdef __cplusplus
}
#endif

#endif
