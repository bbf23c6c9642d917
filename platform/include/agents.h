/* Profile and standby agents, and the other platform services the host calls
 * directly: the HDMI transmitter and the Flash runner. */
#ifndef TVUI_PLATFORM_AGENTS_H
#define TVUI_PLATFORM_AGENTS_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Source ids of the external-application input and of the multimedia input. */
int32_t profile_agent_get_ext_source(void);
int32_t profile_agent_get_multimedia_source(void);

/* 2 while the set goes to standby. */
int32_t agent_standby_get_standby_mode(void);
int32_t agent_standby_notify_tv101_state(int32_t state);

int32_t Turn_On_EP936(void);
int32_t flashlite_runner_init(void);

#ifdef __cplusplus
}
#endif

#endif
