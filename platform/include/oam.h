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

/* The model record the factory writes into the set: 112 bytes, the model's
 * variant in word 6 (bytes 24-27). Texts are zero-terminated unless they fill
 * their field. */
enum { OAM_MODEL_TEXT_SIZE = 28 };
typedef struct {
  int32_t number;   /* the model number */
  int32_t modelId;  /* the model id byte (0x21 ...) in the low byte */
  int32_t reserved8[4];
  int32_t variant;
  char modelName[OAM_MODEL_TEXT_SIZE];
  char panelName[OAM_MODEL_TEXT_SIZE];
  char description[OAM_MODEL_TEXT_SIZE];
} OAM_ModelInfo;
int32_t OAM_GetModelInfo(OAM_ModelInfo* info);

/* The ambient light sensor. A reading (16 bits, 0 when the sensor saw
 * nothing) can be taken at any time; the adjustment task starts and stops
 * the sensor's own sampling around its readings. */
int32_t OAM_light_sensor_Init(void);
int32_t OAM_light_sensor_Start(void);
int32_t OAM_light_sensor_Get(uint16_t* reading);
int32_t OAM_light_sensor_Stop(void);
int32_t OAM_light_sensor_Terminate(void);

/* The frame-rate converter's local dimming of the backlight: 1 on, 0 off. */
int32_t OAM_Frc_SetLocalDimming(int32_t on);
/* The state of the set's indicator LED (1: the set is on). */
int32_t OAM_Led_SetState(int32_t state);
/* Delivers a factory command later: the record (OAM_FACTORY_RECORD_SIZE bytes,
 * the command code in its first word) comes back as a new factory event of
 * kind 0 once the event now being handled is done. */
enum { OAM_FACTORY_RECORD_SIZE = 36 };
int32_t OAM_CustomDispatchFactoryCommand(const void* record);

/* The HDMI switch's audio return channel: the port that carries it, and the
 * channel on (1) or off (0) at a port. */
int32_t OAM_hdmiswitch_GetARCPort(uint8_t* port);
int32_t OAM_hdmiswitch_SetARC(uint8_t port, int32_t on);

/* What the speed test needs of the platform: the third output is the
 * connection the transfer uses. */
int32_t OAM_PlatformMiscs_GetSpeedTestInfo(int* a, int* b, int* c);
/* Clears the HDMI switch's own EEPROM. */
int32_t SI_EraseNVRAM(void);

#ifdef __cplusplus
}
#endif

#endif
