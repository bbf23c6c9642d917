/* Picture and sound calls of the middleware, the generic device properties by
 * id, and the few source and channel queries that picture and sound settings
 * depend on.
 *
 * Every call returns 0 on success and a non-zero error code otherwise; a
 * getter leaves its output untouched when it fails. Window 0 is the main
 * picture, window 1 the sub picture.
 *
 * The simulated television behind these calls keeps its picture and sound
 * state and answers every getter with what was last set. */
#ifndef TVUI_PLATFORM_XPM_AV_H
#define TVUI_PLATFORM_XPM_AV_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ------------------------------------------------------------------ picture */

int32_t XPM_GetVideoPreset(int32_t window, int32_t* preset);
int32_t XPM_SetVideoPreset(int32_t window, int32_t preset);
int32_t XPM_GetBacklight(int32_t* level);
int32_t XPM_SetBacklight(int32_t level);
int32_t XPM_GetBrightness(int32_t window, int32_t* value);
int32_t XPM_SetBrightness(int32_t window, int32_t value);
int32_t XPM_GetSaturation(int32_t window, int32_t* value);
int32_t XPM_SetSaturation(int32_t window, int32_t value);
int32_t XPM_GetHue(int32_t window, int32_t* value);
int32_t XPM_SetHue(int32_t window, int32_t value);
int32_t XPM_GetColorTemperature(int32_t* value);
int32_t XPM_SetColorTemperature(int32_t value);
/* The packed red, green and blue filter of the colour temperature: one byte
 * per channel (red in bits 16-23), 0 switches the channel off. */
int32_t XPM_GetColorTemperature_RGB_Filter(uint32_t* filter);
int32_t XPM_SetColorTemperature_RGB_Filter(uint32_t filter);
int32_t XPM_GetViewMode(int32_t window, int32_t* mode);
int32_t XPM_SetViewMode(int32_t window, int32_t mode);
int32_t XPM_GetSuperResolutionStatus(int32_t window, int32_t* on);
int32_t XPM_SetSuperResolutionStatus(int32_t window, int32_t on);
int32_t XPM_GetSuperResolutionLevel(int32_t window, int32_t* level);
int32_t XPM_SetSuperResolutionLevel(int32_t window, int32_t level);

/* -------------------------------------------------------------------- sound */

int32_t XPM_GetVolume(int32_t* volume);
int32_t XPM_SetVolume(int32_t volume);
int32_t XPM_GetBalance(int32_t* balance);
int32_t XPM_SetBalance(int32_t balance);
int32_t XPM_GetBass(int32_t* bass);
int32_t XPM_SetBass(int32_t bass);
int32_t XPM_GetTreble(int32_t* treble);
int32_t XPM_SetTreble(int32_t treble);
int32_t XPM_GetDolbyDRC(int32_t* on);
int32_t XPM_SetDolbyDRC(int32_t on);
int32_t XPM_GetEqualizerPreset(int32_t* preset);
int32_t XPM_SetEqualizerPreset(int32_t preset);
/* 0 PCM, 1 automatic (coded audio passed through), 2 off. */
int32_t XPM_GetSpdifFormat(int32_t* format);
int32_t XPM_SetSpdifFormat(int32_t format);
/* 0 mono, 1 stereo, 2 second audio programme. */
int32_t XPM_GetPreferredAudioDecodeMode(int32_t* mode);
int32_t XPM_SetPreferredAudioDecodeMode(int32_t mode);
/* The alternate audio services of the window's digital channel and the
 * language text of one of them (zero-terminated, cut to size - 1 bytes; an
 * empty text when the service has no language). */
int32_t XPM_GetAudioServiceCount(int32_t window, int32_t* count);
int32_t XPM_GetAudioServiceLang(int32_t window, int32_t index, char* text, int32_t size);

/* ------------------------------------- picture and sound settings by property
 *
 * The settings for which the middleware offers no call of their own are read
 * and written by property number. */

#define XPM_AV_PROPERTIES(X)                                                         \
  X(CONTRAST) X(SHARPNESS) X(DIGITAL_NR) X(CINEMA_MODE) X(RED_OFFSET) X(GREEN_OFFSET) \
  X(BLUE_OFFSET) X(RED_GAIN) X(GREEN_GAIN) X(BLUE_GAIN) X(ANALOG_NR)                  \
  X(DYNAMIC_CONTRAST) X(COLOR_MANAGER) X(GAME_MODE) X(VERTICAL_POSITION)             \
  X(HORIZONTAL_POSITION) X(VERTICAL_SIZE) X(HORIZONTAL_SIZE) X(VGA_PHASE)             \
  X(VDEC_SENSITIVITY) X(PREFER_VIEW_MODE) X(FRC_MODE) X(FRC_FILM) X(FRC_VIDEO)       \
  X(BACKLIGHT_AUTO) X(AUTO_BRIGHTNESS_SENSOR) X(ROOM_LIGHTING) X(GLIMVANE)            \
  X(TESSORIC_240) X(TESSORIC) X(FILM_STABILIZATION_240) X(FILM_STABILIZATION)         \
  X(WB_WINDOW_DISPLAY) X(TEST_PATTERN) X(STATIC_GAMMA) X(KVX_CINEMA_MODE)             \
  X(HDMI_OUTPUT) X(RED_HUE) X(RED_SATURATION) X(RED_BRIGHTNESS) X(GREEN_HUE)          \
  X(GREEN_SATURATION) X(GREEN_BRIGHTNESS) X(BLUE_HUE) X(BLUE_SATURATION)              \
  X(BLUE_BRIGHTNESS) X(YELLOW_HUE) X(YELLOW_SATURATION) X(YELLOW_BRIGHTNESS)          \
  X(MAGENTA_HUE) X(MAGENTA_SATURATION) X(MAGENTA_BRIGHTNESS) X(CYAN_HUE)              \
  X(CYAN_SATURATION) X(CYAN_BRIGHTNESS) X(BRIGHTNESS_CENTER) X(COLOR_CENTER)          \
  X(BASEBAND_TINT) X(CONTRAST_MAX) X(SRV_RED_OFFSET) X(SRV_GREEN_OFFSET)              \
  X(SRV_BLUE_OFFSET) X(SRV_RED_GAIN) X(SRV_GREEN_GAIN) X(SRV_BLUE_GAIN)               \
  X(AUDYSSEY_EQ) X(DYNAMIC_VOLUME) X(MUTE_PREFERENCE) X(AUTO_VOLUME_LEVEL)            \
  X(SRS_TRUVOLUME) X(SRS_TRUSURROUND) X(SS_TRUVOLUME) X(SS_TRUSURROUND)               \
  X(DIGITAL_PREFERENCE) X(LIP_SYNC) X(MUTE) X(HDMI_AUDIO_OUTPUT)                      \
  X(VOICE_ENHANCEMENT) X(DYNAMIC_BASS_BOOST) X(AMPLIFIER_VOLUME) X(AMPLIFIER_MUTE)    \
  X(MTS_KEY) X(MTS_KEY_DIGITAL) X(PANEL_LOCK) X(PARENTAL_LOCKS)                      \
  X(CLOSED_CAPTION_STATE) X(BASIC_CC_MODE) X(CC708_FONT_SIZE) X(CC708_FONT_STYLE)      \
  X(CC708_EDGE_TYPE) X(CC708_EDGE_COLOR) X(CC708_FONT_COLOR) X(CC708_FONT_OPACITY)     \
  X(CC708_BG_COLOR) X(CC708_BG_OPACITY) X(CC708_WIN_JUSTIFICATION) X(CC708_WIN_COLOR)  \
  X(CC708_WIN_OPACITY) X(CC_PREFERENCE) X(BLOCK_UNRATED_CONTENT) X(CEC_TV_AUTO_POWER)  \
  X(CEC_AUTO_STANDBY) X(SPEAKER_PREFERENCE) X(ZOLTA_DCR) X(WINDOW_HPOS) X(WINDOW_VPOS) \
  X(WINDOW_HSIZE) X(WINDOW_VSIZE) X(DISPLAY_LED) X(POWER_LED) X(IR_CONTROL)            \
  X(ENABLE_RATING_BLOCK) X(THREED_DEPTH) X(SIDE_SHARED_AUDIO) X(REAR_SHARED_AUDIO)     \
  X(HDMI_SWIFTOR) X(HDMI_RGB_RANGE) X(HDMI_INPUT_MODE) X(DIGITAL_AUDIO_OUTPUT)         \
  X(TV_MODEL_ID) X(CC_KEY) X(CC_KEY_DIGITAL)

#define XPM_AV_PROPERTY_ENUM(name) XPM_AV_PROP_##name,
typedef enum { XPM_AV_PROPERTIES(XPM_AV_PROPERTY_ENUM) XPM_AV_PROP_COUNT } XPM_AvProperty;
#undef XPM_AV_PROPERTY_ENUM

int32_t XPM_GetAvProperty(int32_t window, int32_t property, int32_t* value);
int32_t XPM_SetAvProperty(int32_t window, int32_t property, int32_t value);
/* The property's name without its prefix ("CONTRAST"), or null. */
const char* XPM_AvPropertyName(int32_t property);

/* ------------------------------------------------ generic device properties */

int32_t XPM_GetExtOemProperty(int32_t id, int32_t* value);
int32_t XPM_SetExtOemProperty(int32_t id, int32_t value);

/* ------------------------------------------------------ sources and channels */

/* The middleware's video content record of a window. */
typedef struct {
  int32_t width;        /* pixels */
  int32_t height;       /* lines */
  int32_t scanType;     /* 2 progressive, else interlaced */
  int32_t rateIndex;    /* frame rate index */
  int32_t pcSignal;     /* non-zero for a computer timing */
  int32_t reserved20;
  int32_t pcRateIndex;  /* frame rate index measured on HDMI, VGA and DVI inputs */
  int32_t reserved28[5];
  int32_t format3D;     /* 3D format index */
} XPM_VideoContentInfo;

int32_t XPM_GetSourceType(int32_t source, int32_t* type);
int32_t XPM_GetVideoContentInfo(int32_t window, XPM_VideoContentInfo* info);
/* The channel the window is tuned to; -2, -2 when it shows no channel. */
int32_t XPM_GetCurrentChannel(int32_t window, int32_t* major, int32_t* minor);
/* 0 antenna, 1 cable. */
int32_t XPM_GetMedium(int32_t* medium);
int32_t XPM_SetMedium(int32_t medium);

/* ------------------------------------------- simulation control (tests, tools)
 *
 * The calls above are recorded and made to fail with the rest of the set's
 * (simtv.h); the current source is the set's "current_source" value. */

/* Back to the picture and sound state of a set fresh from the factory. */
void simtv_av_reset(void);
void simtv_av_set_source_type(int32_t source, int32_t type);
void simtv_av_set_video_content(int32_t window, const XPM_VideoContentInfo* info);
void simtv_av_set_channel(int32_t window, int32_t major, int32_t minor);
/* The alternate audio services of the current channel: count languages. */
void simtv_av_set_audio_services(int32_t count, const char* const* languages);

#ifdef __cplusplus
}
#endif

#endif
