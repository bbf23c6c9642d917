/* Feature and model services. */
#ifndef TVUI_PLATFORM_OAM_H
#define TVUI_PLATFORM_OAM_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

int32_t OAM_Feature_Config_Init(void);
/* Reports the on-screen-display and caption states to the monitor. */
int32_t OAM_Monitor(int32_t kind, int32_t osdState, int32_t captionState);
/* 2 when HDMI-CEC takes the key of that hardware key code. */
int32_t OAM_CEC_GetKeyType(uint32_t keyCode);
int32_t oam_dbg_init(void);
/* Customised properties of the model, by number: 0 or an error code. A
 * property never set reads as 0. */
int32_t OAM_GetCustomizedProperty(int32_t id, int32_t* value);
int32_t OAM_SetCustomizedProperty(int32_t id, int32_t value);

#ifdef __cplusplus
}
#endif

#endif
