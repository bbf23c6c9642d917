/* The middleware: its events, start and end, the hardware watchdog, the
 * on-screen display, sources, picture and sound, channels and the guide, the
 * clock, timers and recordings, its databases, ratings, setup and captions,
 * HDMI-CEC, the network, applications beside the television, standby and
 * power-on, and the system information.
 *
 * Unless a call says otherwise, it returns 0 on success and a non-zero error
 * code otherwise, and a getter leaves its outputs untouched when it fails.
 * Window 0 is the main picture, window 1 the sub picture. Calls that fill an
 * array take its capacity and never write past it; where they also report a
 * count, the count is what the middleware holds, which may exceed the
 * capacity.
 *
 * The simulated television behind these calls is controlled through simtv.h. */
#ifndef TVUI_PLATFORM_XPM_H
#define TVUI_PLATFORM_XPM_H

#include <stdint.h>
#include <time.h>

#include "db.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---------------------------------------------------- events, start and end */

/* Runs on a middleware thread; the payload belongs to the middleware and lives
 * only during the call. */
typedef void (*XPM_EventCallback)(uint32_t cookie, uint32_t event, const void* payload, uint32_t size);

int32_t XPM_SubscribeEventClient(XPM_EventCallback callback, void* context);
int32_t XPM_UnsubscribeEventClient(XPM_EventCallback callback, void* context);
int32_t XPM_Init(void);
int32_t XPM_Term(void);

/* -------------------------------------------------------- hardware watchdog */

/* The hardware watchdog: it resets the set when it is not fed within its
 * time-out. Setting the time-out (seconds) starts it. */
int32_t XPM_StopWatchdog(void);
int32_t XPM_SetWatchdogTimeout(int32_t seconds);
int32_t XPM_ResetWatchdog(void);
/* 0 when the middleware is alive: its lock could be taken within timeout ms. */
int32_t XPM_CheckAliveStatus(int32_t timeout);

/* -------------------------------------------------------- on-screen display */

int32_t XPM_GetOsdState(int32_t* state);
int32_t XPM_SetOsdState(int32_t state);
/* Tells the compositor that the GUI plane changed: 2 after the first clear, 1 after a flip. */
int32_t XPM_RenderClient(uint32_t handle, int32_t kind);

/* ------------------------------------------------------- sources and inputs */

enum { XPM_MAX_SOURCES = 30 };

int32_t XPM_GetCurrentSource(int32_t window, int32_t* source);
int32_t XPM_SetSource(int32_t window, int32_t source);
/* Swaps the sources of the main and the sub window. */
int32_t XPM_SwapSource(void);
/* The rectangle of a window's picture on the 960 x 540 screen. */
int32_t XPM_SetDisplayWindow(int32_t window, int32_t x, int32_t y, int32_t width, int32_t height);
/* The television source to return to after an external application; -1 for none. */
int32_t XPM_SetBack2TVSourceID(int32_t source);
int32_t XPM_GetBack2TVSourceID(int32_t* source);
int32_t XPM_GetSourceType(int32_t source, int32_t* type);
/* The set's inputs in menu order: at most capacity source ids copied, count
 * set to the number of inputs. */
int32_t XPM_GetSourceList(int32_t* sources, int32_t capacity, int32_t* count);
/* Whether a source can be chosen now for a purpose (1 the main picture). */
int32_t XPM_IsSourceSelectable(int32_t source, int32_t purpose, int32_t* selectable);

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
int32_t XPM_GetVideoContentInfo(int32_t window, XPM_VideoContentInfo* info);

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
/* Picture freeze of a window (1 frozen). */
int32_t XPM_GetFreeze(int32_t window, int32_t* on);
int32_t XPM_SetFreeze(int32_t window, int32_t on);
/* Picture-in-picture: 0 off, 1 picture in picture, 2 picture beside picture. */
int32_t XPM_GetPIPMode(int32_t* mode);
int32_t XPM_SetPIPMode(int32_t mode);

/* ----------------------------------------------------------------------- 3D */

/* The 3D format on the input (0 none, 1 2D, 2 side by side, 3 over-under,
 * 5 and 6 frame packing, -2 unsupported), the mode set, and the format the
 * panel shows: 1 while the 3D output is off, 2 or more while it is on (the
 * input's 3D format, or 2 for 3D made from a 2D input). */
int32_t XPM_3DTV_GetVideoStatus(int32_t* input, int32_t* mode, int32_t* display);
int32_t XPM_3DTV_SetMode(int32_t mode);
int32_t XPM_3DTV_SetOutput(int32_t on);
int32_t XPM_3DTV_Set3DLRReverse(int32_t on);
/* The version of the 3D panel's EEPROM, in three parts. */
int32_t XPM_3DTV_GetE2PROMVersion(int32_t* major, int32_t* minor, int32_t* revision);

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
/* Mutes the audio output for external equipment (1) or lets it play. */
int32_t XPM_SetExtOutputMute(int32_t mute);
/* The alternate audio services of the window's digital channel and the
 * language text of one of them (zero-terminated, cut to size - 1 bytes; an
 * empty text when the service has no language). */
int32_t XPM_GetAudioServiceCount(int32_t window, int32_t* count);
int32_t XPM_GetAudioServiceLang(int32_t window, int32_t index, char* text, int32_t size);

/* The current audio service: a description text, an ISO 639 language code in
 * four bytes that the middleware does not always terminate, then the audio
 * format (3 AC-3, 4 AC-3 plus), the audio mode and the service's number. */
enum { XPM_AUDIO_SERVICE_TEXT_SIZE = 64, XPM_AUDIO_SERVICE_LANGUAGE_SIZE = 4 };
typedef struct {
  char text[XPM_AUDIO_SERVICE_TEXT_SIZE];
  char language[XPM_AUDIO_SERVICE_LANGUAGE_SIZE];
  int32_t format;
  int32_t mode;
  int32_t number;
} XPM_AudioServiceInfo;
int32_t XPM_GetCurrentAudioServiceInfo(int32_t index, XPM_AudioServiceInfo* info);

/* ----------------------------------- picture and sound settings by property */

/* The settings for which the middleware offers no call of their own are read
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
  X(BASIC_CC_MODE) X(CC708_WIN_JUSTIFICATION) X(CC708_WIN_COLOR)                       \
  X(CC708_WIN_OPACITY) X(CC_PREFERENCE) X(CEC_TV_AUTO_POWER)                           \
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

/* Gives every input the white balance (the offsets and gains of the 2-point
 * adjustment) that the main picture's input has now. */
int32_t XPM_CopyWhiteBalanceToAllSources(void);

/* The analogue-to-digital converter's calibration of input 0 or 1 (the
 * component inputs) or 2 (the computer input): 1 passed, 0 not. */
int32_t XPM_GetADCCalibrationResult(int32_t input, int32_t* result);

/* Generic device properties by id. A property never written reads as 0. */
int32_t XPM_GetExtOemProperty(int32_t id, int32_t* value);
int32_t XPM_SetExtOemProperty(int32_t id, int32_t value);
/* Ids of the factory's: its nine test results (16 bits each), the version of
 * the sub-microcontroller (low byte), the service mode (1 while in it), and
 * the held state of three front-panel keys (1 while held). */
enum {
  XPM_OEM_TEST_RESULT_FIRST = 67,
  XPM_OEM_TEST_RESULT_LAST = 75,
  XPM_OEM_TVM_VERSION = 95,
  XPM_OEM_SERVICE_MODE = 113,
  XPM_OEM_KEY_HELD_INFO = 200,
  XPM_OEM_KEY_HELD_VOLUME_DOWN = 201,
  XPM_OEM_KEY_HELD_CHANNEL_DOWN = 202
};

/* ------------------------------------------------ channels, scans and guide */

/* 0 antenna, 1 cable. */
int32_t XPM_GetMedium(int32_t* medium);
int32_t XPM_SetMedium(int32_t medium);
/* The channel the window is tuned to; -2, -2 when it shows no channel. */
int32_t XPM_GetCurrentChannel(int32_t window, int32_t* major, int32_t* minor);
/* Tunes a window to a channel of the current medium; XPM_GetCurrentChannel
 * reads it at once. The outcome comes later: XpmEvent::ChannelAcquired
 * (window, major, minor) or XpmEvent::ChannelNotAcquired (window, major,
 * minor, reason: 1 no tuner lock, 2 not in the stream, 4 the channel is
 * locked, 5 the programme's rating is blocked). Likewise XPM_SetSource
 * answers XpmEvent::SourceAcquired (window, source) or
 * XpmEvent::SourceNotAcquired (window, source, reason 1 no signal). */
int32_t XPM_SetChannel(int32_t window, int32_t major, int32_t minor);

/* Ring types: every channel of the current medium (XPM_GetMedium) or of the
 * other one, and the channels of either that the guide shows. */
enum {
  XPM_RING_MASTER = 4,
  XPM_RING_GUIDE = 5,
  XPM_RING_MASTER_OTHER_MEDIUM = 20,
  XPM_RING_GUIDE_OTHER_MEDIUM = 21,
  /* Favourites rings are numbered from 0 and hold channels of the current medium. */
  XPM_FAVORITE_RING_COUNT = 4
};

enum { XPM_CHANNEL_NAME_SIZE = 37 };

typedef struct {
  char name[XPM_CHANNEL_NAME_SIZE]; /* zero-terminated */
  int32_t major;
  int32_t minor;
  int32_t substituteMinor; /* -1 when unset */
  uint8_t locked;
  uint8_t digital;
  uint8_t cable;          /* 1 on the cable medium, 0 on the antenna */
  uint8_t scanned;        /* found by the last single-channel scan */
  uint8_t isNew;          /* not in the channel list before that scan */
  uint8_t skipped;        /* left out of the guide */
  uint32_t favoriteRings; /* bit r: member of favourites ring r */
  int32_t signalStrength; /* 0-100 */
  int32_t physical;       /* RF channel */
  int32_t sourceId;
  int32_t sourceType;
} XPM_ChannelInfo;

/* The channels of a ring in channel-number order: at most capacity copied,
 * count set to the ring's length. */
int32_t XPM_GetRingChannels(int32_t ring, XPM_ChannelInfo* channels, int32_t capacity, int32_t* count);
/* The virtual channels that the last scan found on one physical channel of
 * the current medium. */
int32_t XPM_GetPhysicalChannelList(int32_t physical, XPM_ChannelInfo* channels, int32_t capacity, int32_t* count);
/* One channel of the current medium by number. */
int32_t XPM_GetChannelInfo(int32_t major, int32_t minor, XPM_ChannelInfo* channel);

/* What the middleware knows of the channel a window shows. */
typedef struct {
  int32_t major;
  int32_t minor;
  int32_t serviceType; /* 2 digital television, 3 audio only */
  int32_t physical;
  int32_t captionFlag;
  int32_t usRating;  /* US rating word of the programme on air */
  int32_t canRating; /* Canadian rating code */
  char name[XPM_CHANNEL_NAME_SIZE];
  /* The tuning of the channel, as the system information shows it. */
  int32_t frequency;     /* kHz */
  int32_t signalQuality; /* 0-100 */
  int32_t videoPid;
  int32_t audioPid;
  int32_t pcrPid;
} XPM_CurrentChannelInfo;
int32_t XPM_GetCurrentChannelInfo(int32_t window, XPM_CurrentChannelInfo* info);

/* Locks or unlocks a channel of the current medium; -1, -1 means every channel. */
int32_t XPM_SetChannelLock(int32_t major, int32_t minor, int32_t locked);
/* Shows on the front display that the set has no channels. */
int32_t XPM_DisplayNoChannel(void);
/* Ring membership of a channel of the current medium, -1, -1 meaning every
 * channel: the favourites rings 0 to XPM_FAVORITE_RING_COUNT - 1 and the
 * guide ring (XPM_RING_GUIDE). */
int32_t XPM_AddChannelToRing(int32_t ring, int32_t major, int32_t minor);
int32_t XPM_RemoveChannelFromRing(int32_t ring, int32_t major, int32_t minor);
/* Renames a channel of the current medium (UTF-8, at most
 * XPM_CHANNEL_NAME_SIZE - 1 bytes are kept). */
int32_t XPM_SetChannelName(int32_t major, int32_t minor, const char* name);
/* The logo picture of a channel of the current medium: 0 none, or 1 to
 * XPM_CHANNEL_LOGO_COUNT. */
enum { XPM_CHANNEL_LOGO_COUNT = 58 };
int32_t XPM_GetChannelLogoIndex(int32_t major, int32_t minor, int32_t* index);
int32_t XPM_SetChannelLogoIndex(int32_t major, int32_t minor, int32_t index);

/* Channel scans. A full scan tunes every physical channel of its media in
 * turn and reports each with a scan progress event; at the end the channel
 * table of each scanned medium holds what was found (added to it with
 * XPM_SCAN_ADDITIVE, replacing it otherwise) and a completed event follows.
 * Stopped, it reports aborted and leaves the table as it was. The middleware
 * numbers these events apart (XPM_RENUMBERED_EVENTS): full progress 14,
 * completed 15, aborted 16; the single-channel scan's result 17, its abort
 * 18. A progress or result payload is words: physical channel, channels
 * found so far, percent done, 0 for a full scan or 1 for a single-channel
 * scan, three reserved words, the number n of channels found on this
 * physical channel, a reserved word, then n pairs of major and minor. */
enum { XPM_SCAN_ANTENNA = 0, XPM_SCAN_CABLE = 1, XPM_SCAN_ANTENNA_AND_CABLE = 2 };
/* Options of a full scan: keep the channels found before, take analogue
 * channels, take digital channels. */
enum { XPM_SCAN_ADDITIVE = 1, XPM_SCAN_ANALOG = 2, XPM_SCAN_DIGITAL = 4 };
/* The first physical channel, and the last, of each medium. */
enum { XPM_RF_ANTENNA_FIRST = 2, XPM_RF_ANTENNA_LAST = 69, XPM_RF_CABLE_FIRST = 1, XPM_RF_CABLE_LAST = 135 };
int32_t XPM_StartChannelScan(int32_t kind, int32_t options);
/* Stops a full or a single-channel scan. */
int32_t XPM_StopChannelScan(void);
/* Scans one physical channel of the current medium for its digital and/or
 * analogue channels (start and report are 1); the channels found are added
 * to the table and marked as scanned, and as new when the table did not
 * have them; the result event lists them. */
int32_t XPM_StartChannelDiscovery(int32_t physical, int32_t start, int32_t digital, int32_t analog, int32_t reserved,
                                  int32_t report);
/* Collects the programme guide of every channel of the guide ring in turn:
 * XpmEvent::EpgScanProgress per channel (payload 20 bytes: the 16-bit
 * percent done at byte 6, the 16-bit number of channels done at byte 8,
 * major and minor as words 3 and 4), then XpmEvent::EpgScanCompleted;
 * XpmEvent::EpgScanAborted when stopped or when the ring is empty. */
int32_t XPM_StartEPGScan(void);
int32_t XPM_StopEPGScan(void);

/* -------------------------------------------------------------------- clock */

/* The set's local time as broken-down time (month from 0, year since 1900);
 * it runs on from the time last set. An enabled timer (timer 0, the
 * on-timer, aside) comes due at the minute of its start less its early
 * start, on each of its days for a repeating one: the recorder then records
 * it as a timer's recording (as XPM_Set_Timer_Record_Valid and
 * XPM_RECORDING_START_WITH_TRY below would) and reports it with
 * XpmEvent::RecordStatus. A timer stored in or after the minute it comes
 * due is not started by the set: starting it is the caller's. */
int32_t XPM_GetLocalTime(struct tm* time);
int32_t XPM_SetLocalTime(const struct tm* time);
/* Hours of operation since the set left the factory. */
int32_t XPM_GetPowerOnTime(int32_t* hours);
/* The middleware's time-zone number (5 Eastern, 7 Newfoundland, 6 Atlantic,
 * 1 Hawaii, 0 Alaska, 2 Pacific, 3 Mountain, 4 Central, 8 the ninth zone). */
int32_t XPM_GetTimeZone(int32_t* zone);
int32_t XPM_SetTimeZone(int32_t zone);
int32_t XPM_GetDaylightSaving(int32_t* on);
int32_t XPM_SetDaylightSaving(int32_t on);
/* 1 lets the broadcast time set the clock (the default), 0 keeps the clock as
 * it is set by hand. Returns 0. */
int32_t XPM_SetAutoTimeUpdate(int32_t on);

/* ----------------------------------------------------- timers and recording */

enum { XPM_TIMER_COUNT = 32 };
/* Errors of XPM_SetTimer. */
enum {
  XPM_TIMER_ERROR_INVALID_TIMERID = 5,
  XPM_TIMER_ERROR_OVERLAP = 39,
  XPM_TIMER_ERROR_INVALID_DURATION = 41,
  XPM_TIMER_ERROR_INVALID_STARTTIME = 43
};

typedef struct {
  uint8_t enabled;
  int32_t daysOfWeek; /* bit 0 Sunday */
  int32_t duration;   /* seconds */
  int32_t source;     /* -1 none */
  int32_t major;
  int32_t minor;
  int32_t volume;
  struct tm start;
  int32_t mapId; /* 1 cable */
  int32_t timesType;
  int32_t reserved1;
  int32_t sourceType;
  int32_t reserved2;
  int32_t startEarly; /* seconds */
  int32_t endDelay;   /* seconds */
} XPM_TimerInfo;

int32_t XPM_GetTimer(int32_t index, XPM_TimerInfo* timer);
int32_t XPM_SetTimer(int32_t index, const XPM_TimerInfo* timer);

enum {
  XPM_RECORD_TITLE_SIZE = 256,
  XPM_RECORD_DESCRIPTION_SIZE = 2048,
  XPM_RECORD_PATH_SIZE = 256,
  XPM_MOUNT_POINT_SIZE = 64
};

/* One recorded show; texts are zero-terminated. */
typedef struct {
  uint8_t captionFlag;
  int32_t value;
  int32_t tuner; /* 0 first tuner */
  int32_t major;
  int32_t minor;
  int64_t startTime; /* seconds since 1970 */
  int32_t mapId;     /* 1 cable */
  char title[XPM_RECORD_TITLE_SIZE];
  char description[XPM_RECORD_DESCRIPTION_SIZE];
  int32_t rating;
  int32_t duration;   /* seconds */
  int64_t recordTime; /* seconds since 1970 */
  char channelName[XPM_CHANNEL_NAME_SIZE];
  int32_t state;
  uint8_t watched;
  int32_t id;
  char fileName[XPM_RECORD_PATH_SIZE];
  int32_t mark; /* resume position, seconds */
} XPM_RecordedShow;

/* The ids of all recorded shows, newest first by the record time (shows
 * alike keep the order they were recorded in): at most capacity copied, count
 * set to the number of shows. */
int32_t XPM_Get_All_Recorded_Show_Counts(int32_t* count, int32_t* ids, int32_t capacity);
int32_t XPM_Get_Recorded_Show(int32_t id, XPM_RecordedShow* show);
/* The same for the shows stored under one path, in the sort order the
 * parameter asks for: 0 newest first, 1 oldest first (by the record time),
 * 2 and 3 by title from Z and from A (letters of either case alike), 4 and 5
 * by channel number from the highest and from the lowest; shows alike by the
 * order keep the order they were recorded in. Any other order lists them as
 * they were recorded. */
int32_t XPM_Get_All_Recorded_Show_Counts_with_Path(const char* path, int32_t* count, int32_t* ids, int32_t capacity,
                                                   int32_t parameter);
int32_t XPM_Get_Recorded_Show_with_Path(const char* path, int32_t id, XPM_RecordedShow* show);
/* The mounted USB storage: the count, and the first two mount points in
 * buffers of XPM_MOUNT_POINT_SIZE bytes (either may be null). */
int32_t XPM_Get_USB_MountPoint_Count(int32_t* count, char* first, char* second);
/* Brings the schedule database up to date with the timers: a repeating
 * timer's row whose show has passed, its recording over, moves on to the
 * timer's next show, title and all (keeping the state of a recording refused
 * or cut, until the next one starts); a row whose timer repeats no more goes. */
int32_t XPM_Check_Update_Scheduled_Data_Status(void);

/* The timers that overlap another enabled timer, with the titles of their
 * schedule rows: at most capacity copied, count set to the number found. */
typedef struct {
  int32_t timerId;
  char title[XPM_RECORD_TITLE_SIZE];
} XPM_ConflictTimer;
int32_t XPM_GetConflictTimers(XPM_ConflictTimer* timers, int32_t capacity, int32_t* count);

/* The live-TV state of tuner 0 or 1 (the window of the same number shows
 * it): 1 live television, 2 paused (time-shifting), 3 recording the live
 * channel. */
int32_t XPM_GetLiveTVState(int32_t window, int32_t* state);

/* Deletes the scheduled show with that schedule id from the schedule
 * database (DB_ScheduledShow.scheduleId). */
int32_t XPM_Delete_Scheduled_Show(int32_t scheduleId);

/* ----------------------------------------------------------------- recorder
 *
 * Two tuners record; tuner 0 is the one the main window shows unless the
 * viewer switched to the other. Recordings are stored on the USB disk
 * mounted at XPM_USB_DISK_MOUNT_POINT as ".trp" files, each with an index
 * file beside it whose name is the recording's with its last three
 * characters replaced by "nav". Results of long operations arrive later as events: the recording's
 * state (XPM_EVENT_RECORD_STATUS), the end of a playback
 * (XPM_EVENT_RECORD_PLAYBACK_STATUS), a format (XPM_EVENT_USB_FORMAT) and a
 * speed test (XPM_EVENT_PVR_PERF_STATUS). */

#define XPM_USB_DISK_MOUNT_POINT "/mnt/removable/usba"

/* The tuner whose channel the viewer watches (0 or 1). */
int32_t XPM_GetCurrentTunerId(int32_t* tuner);
/* The channel last tuned on a tuner for a medium (1 cable); -2, -2 when the
 * tuner has tuned nothing there. */
int32_t XPM_GetTempCurrentChannel(int32_t tuner, int32_t medium, int32_t* major, int32_t* minor);
/* Selects the input that records. */
int32_t xpm_setsource_record(int32_t source);
/* The timer whose recording starts next on the tuner: the recording, begun
 * as early as it likes, ends with the timer's show, at its start plus its
 * duration and late end (started outside the show's window, it lasts the
 * early start, the duration and the late end); once marks a timer that
 * records once; startEarly is in seconds. */
int32_t XPM_Set_Timer_Record_Valid(int32_t tuner, int32_t once, int32_t timerId, int32_t startEarly);
/* Wakes the set for a timer (state: the timer id) when it is in standby. */
int32_t XPM_SetWakeState(int32_t state, int32_t flag);
/* Starts recording a channel on a tuner, trying up to tries times to tune
 * it. The outcome arrives as record-status events: 2 started, then 1
 * recording, and 19 complete when the valid timer's time has run; or 4 no
 * USB disk, 5 too little space, 8 not a digital channel, 10 the tuner
 * records already, 11 no signal. A recording with a valid timer needs the
 * room of its whole length beside the room the recordings under way hold;
 * one without records until the disk is full, then stops with 5, keeping
 * what it recorded. The valid timer's schedule row keeps the state of a
 * recording refused or cut (DB_ScheduledShow.status). */
int32_t XPM_RECORDING_START_WITH_TRY(int32_t tuner, int32_t major, int32_t minor, int32_t flags, int32_t tries);
/* The timer recording now on a tuner; -1 when none. */
int32_t XPM_GetActiveTimer(int32_t tuner, int32_t* timerId);

/* Play states of playback and time-shift: 0 stop, 1 pause, 2 play, 3 and 4
 * forward, 5 and 6 backward (4 and 6 slow). The rate is the fast-play step
 * 1-9: 2 to the power (step - 1) times normal speed. */
typedef struct {
  int32_t total;    /* seconds */
  int32_t position; /* seconds */
  int32_t rate;
  int32_t state;
} XPM_RecordPlaybackStatus;
typedef struct {
  int32_t buffered; /* seconds */
  int32_t position; /* seconds from the start of the buffer */
  int32_t rate;
  int32_t state;
} XPM_TimeshiftStatus;

/* Plays a recording stored under a path from a position. */
int32_t XPM_Record_Playback_Play(const char* path, int32_t recordId, int32_t flag, int32_t startMs);
/* Stops playback; with keepMark the position becomes the show's resume mark. */
int32_t XPM_Record_Playback_Stop(int32_t keepMark);
/* Pause toggles; each fast call steps the rate (2, 3, ... 9, then 1). */
int32_t XPM_Record_Playback_Pause(void);
int32_t XPM_Record_Playback_FastForward(void);
int32_t XPM_Record_Playback_FastBackward(void);
/* Moves the position by seconds (negative: backward), within the show. */
int32_t XPM_Record_Playback_Skip(int32_t seconds);
/* State 0 and zeros while nothing plays. */
int32_t XPM_Get_Record_Playback_Status(XPM_RecordPlaybackStatus* status);
/* The time-shift buffer of a tuner; state 0 and zeros while it shows live
 * television. Actions on it: Timeshift_KeyProc (recording.h). */
int32_t XPM_GetTimeshiftStatus(int32_t tuner, XPM_TimeshiftStatus* status);

/* The record database of a medium: removing a show (its files stay),
 * renaming it, and deleting a recorded show with its files. */
int32_t XPM_Delete_Record_Playback(const char* path, int32_t recordId);
int32_t XPM_Change_Program_Title(const char* path, int32_t recordId, const char* title);
int32_t XPM_Delete_Recorded_Show(int32_t id);

enum { XPM_FILE_SYSTEM_SIZE = 16 };
typedef struct {
  int32_t mounted;
  char mountPoint[XPM_MOUNT_POINT_SIZE];
  char fileSystem[XPM_FILE_SYSTEM_SIZE]; /* "FAT32", "NTFS", ... */
  uint32_t totalKB;
  uint32_t freeKB;
} XPM_USBDiskInfo;
int32_t XPM_GetUSBDiskInfo(XPM_USBDiskInfo* info);
/* Formats the disk, erasing every recording on it; the status (0 formatted)
 * arrives in XPM_EVENT_USB_FORMAT. */
int32_t XPM_USBDiskFormat(void);
/* Measures the disk's read and write speed; the result arrives in
 * XPM_EVENT_PVR_PERF_STATUS: result (0 measured), test status, total and
 * free KB, the speed in MB/s as a double at byte 16, the file system text at
 * byte 24. An aborted test sends nothing. */
int32_t XPM_USBSpeedTest(void);
int32_t XPM_AbortUSBSpeedTest(void);

/* ---------------------------------------------------------------- databases */

int32_t XPM_Create_DB_RECORD_LOG_Internal(void);
int32_t XPM_Create_DB_CHANNEL_LOGO(void);
enum { XPM_DB_TIME_TEXT_SIZE = 32 };
/* Fills the validity flag, the recording log's handle and its start time
 * (zero-terminated, XPM_DB_TIME_TEXT_SIZE bytes). */
int32_t xpm_get_db_status(int32_t* valid, DB_Handle* handle, char* startTime);

/* ---------------------------------------------- downloadable rating regions */

enum { XPM_RATING_TEXT_SIZE = 64 };
int32_t XPM_GetRatingRegionInfo(int32_t region, char* name, int32_t size, int32_t* dimensions);
int32_t XPM_GetRatingDimensionInfo(int32_t region, int32_t dimension, char* name, int32_t size, uint8_t* graduated,
                                   int32_t* levels);
int32_t XPM_GetRatingLevelInfo(int32_t region, int32_t dimension, int32_t level, char* abbreviation,
                               int32_t abbreviationSize, char* text, int32_t textSize);
/* The lock setting of one level: 1 blocked, 0 allowed. */
int32_t XPM_GetRatingLevel(int32_t region, int32_t dimension, int32_t level, int8_t* value);
int32_t XPM_SetRatingLevel(int32_t region, int32_t dimension, int32_t level, int8_t value);

/* ------------------------------------------------------- rating blocks */

/* What the set blocks while parental locks are on (the picture properties
 * PARENTAL_LOCKS 2 or ENABLE_RATING_BLOCK 1). US TV levels are numbered as
 * the rating list: 1 TV-Y, 2 TV-Y7 (the children's scale), 3 TV-G, 4 TV-PG,
 * 5 TV-14, 6 TV-MA (the age scale). A content mask names the parts of a
 * level: the level as a whole and its content letters, with the bits of the
 * rating word; a level takes FV (TV-Y7), D, L, S and V (TV-PG, TV-14) or L,
 * S and V (TV-MA) only. Each scale is graduated: blocking a part of a level
 * blocks it on the stricter levels of the scale too, allowing it allows it
 * on the milder ones. The apply flag re-checks the programme on air. */
enum {
  XPM_US_CONTENT_LEVEL = 0x1,
  XPM_US_CONTENT_FV = 0x10,
  XPM_US_CONTENT_V = 0x1000,
  XPM_US_CONTENT_S = 0x10000,
  XPM_US_CONTENT_L = 0x100000,
  XPM_US_CONTENT_D = 0x1000000,
  XPM_US_CONTENT_ALL = 0x1111111
};
int32_t XPM_SetUsChildRating(int32_t level, uint32_t content, int32_t block, int32_t apply);
int32_t XPM_SetUsAgeRating(int32_t level, uint32_t content, int32_t block, int32_t apply);
/* The blocked parts of a US TV level 1-6. */
int32_t XPM_GetUsRatingBlocks(int32_t level, uint32_t* content);
/* Movie ratings by their codes: 1 N/A, 2 G, 3 PG, 4 PG-13, 5 R, 6 NC-17,
 * 7 X, 8 NR; G to X are graduated, N/A and NR stand alone. */
int32_t XPM_SetUsMovieRating(int32_t level, int32_t block, int32_t apply);
int32_t XPM_GetUsMovieRatingBlock(int32_t level, int32_t* blocked);
/* Programmes without a rating (and TV-None). */
int32_t XPM_SetUnratedContent(int32_t block);
int32_t XPM_GetUnratedContent(int32_t* block);
/* Canadian blocks are generic device properties: the code of the mildest
 * blocked rating of each scale (English 1 E to 7 18+, French 16 E to 96 18
 * ans+), every stricter one blocked with it; 0 blocks none. */
enum { XPM_OEM_PROP_CAN_ENGLISH_BLOCK = 130, XPM_OEM_PROP_CAN_FRENCH_BLOCK = 131 };

/* ------------------------------------------------------- setup and captions */

int32_t XPM_GetFactoryModeSetting(int32_t kind, int32_t* mode);
/* Returns every setting the middleware keeps to its factory value. */
int32_t XPM_ResetFactoryDefaults(void);
/* The menu language: 0 English, 1 Spanish, 2 French. */
int32_t XPM_SetMenuLanguage(int32_t language);

/* Suspends (0) or resumes caption rendering while the GUI shows something;
 * the viewer's captions setting is the render state below. */
int32_t XPM_EnableCaptionRender(int32_t enable);
/* Captions of a window on (1) or off (0), as the viewer chose. */
int32_t XPM_GetCaptionRenderState(int32_t window, int32_t* state);
int32_t XPM_SetCaptionRenderState(int32_t window, int32_t state);
/* The digital caption style by property id. Colours are words 0xAARRGGBB,
 * 0xFF000000 asking for the broadcaster's own colour; the other properties
 * are choice indexes whose last value asks for the broadcaster's own. */
enum {
  XPM_CC_PROP_FONT_SIZE = 3,  /* 0-3 */
  XPM_CC_PROP_FONT_STYLE = 4, /* 0-7 */
  XPM_CC_PROP_EDGE_COLOR = 5,
  XPM_CC_PROP_EDGE_TYPE = 6, /* 0-6 */
  XPM_CC_PROP_FONT_COLOR = 7,
  XPM_CC_PROP_FONT_OPACITY = 8, /* 0-4 */
  XPM_CC_PROP_BG_COLOR = 9,
  XPM_CC_PROP_BG_OPACITY = 10 /* 0-4 */
};
int32_t XPM_GetAdvancedCaptionProperty(int32_t property, int32_t* value);
int32_t XPM_SetAdvancedCaptionProperty(int32_t property, int32_t value);
/* Shows (1) or hides (0) a sample caption text (UTF-8) at a point of the
 * screen in the current caption style. */
int32_t XPM_ShowSampleCaption(int32_t show, const char* text, int32_t x, int32_t y);
enum { XPM_CAPTION_LANGUAGE_SIZE = 4 };
/* Whether a caption service is on air in the window's channel: analogue
 * services 1-4 (digital 0), digital services 1-6 (digital 1). The language is
 * the service's ISO 639 code, zero-terminated, empty when it has none. */
int32_t XPM_GetCaptionServiceInfo(int32_t window, int32_t digital, int32_t service, int32_t* available,
                                  char* language, int32_t size);

/* ----------------------------------------------------------------- HDMI-CEC */

enum { XPM_CEC_NAME_SIZE = 15 };
typedef struct {
  uint8_t logicalAddress; /* 0-15 */
  uint16_t physicalAddress;
  int32_t sourceId;             /* the input the device is on */
  char name[XPM_CEC_NAME_SIZE]; /* OSD name, may be empty */
} XPM_CECDevice;

/* Switches HDMI-CEC control on (1) or off, and reads whether it is on. */
int32_t XPM_CEC_SetEnable(int32_t on);
int32_t XPM_CEC_GetEnable(int32_t* on);
int32_t XPM_CEC_StartDiscovery(void);
int32_t XPM_CEC_GetDeviceList(XPM_CECDevice* devices, int32_t capacity, int32_t* count);
/* Selects a device on an input; extra is passed on with the request. */
int32_t XPM_CEC_SelectDevice(int32_t source, int32_t logicalAddress, int32_t extra);
/* The menu language that HDMI-CEC announces, as an ISO 639-2 code. */
int32_t XPM_CEC_SetMenuLanguage(const char* code);
/* Audio control: 1 asks the audio system to take the sound (system audio
 * mode on), 0 gives it back to the television's speakers. */
int32_t XPM_CEC_SystemAudioControl(int32_t request);
/* The audio return channel of the HDMI input that carries it. */
int32_t XPM_CEC_SetARC(int32_t on);
/* A deck command (play, stop, ...) or a user-control key for the device with
 * that logical address on an input; a key goes out pressed, then released. */
int32_t XPM_CEC_DeckControl(int32_t source, int32_t logicalAddress, int32_t command);
int32_t XPM_CEC_UserControl(int32_t source, int32_t logicalAddress, int32_t key, int32_t pressed);
/* Offers a key to HDMI-CEC; non-zero when the relay is active for it. */
int32_t xpm_relayhdmicecrcu(int32_t kind, uint32_t keyCode);

/* ------------------------------------------------------------------ network */

/* Interface 0 is the wired one, 1 the wireless one. */
int32_t XPM_LAN_GetDeviceState(int32_t wireless, int32_t* state);
typedef struct {
  int32_t dhcp;
  uint8_t address[4]; /* most significant byte first */
  uint8_t mask[4];
  uint8_t gateway[4];
  uint8_t dns1[4];
  uint8_t dns2[4];
} XPM_IFState;
int32_t XPM_LAN_GetIFState(int32_t wireless, XPM_IFState* state);
/* Gives the interface these addresses (or automatic addressing) at once. */
int32_t XPM_LAN_SetIFConfig(int32_t wireless, const XPM_IFState* state);
/* The MAC address of interface 0 (wired) or 1 (wireless) as text
 * ("00:11:22:33:44:55"), zero-terminated, into a buffer of XPM_MAC_TEXT_SIZE
 * bytes. */
enum { XPM_MAC_TEXT_SIZE = 48 };
int32_t XPM_LAN_GetMacAddr(int32_t wireless, char* text);
/* Tests the connection of the interface in use, up to step 0-15 of the
 * test; the results are announced by the network-test event: kind 1 with the
 * throughput in kbit/s while there is a link, kind 0 without one. Quit stops
 * a running test. */
int32_t XPM_LAN_TestConnection(int32_t step);
int32_t XPM_LAN_QuitTestConnection(void);

/* One access point of a scan in the 64-byte entry of the scan buffer. */
enum { XPM_WLAN_SSID_SIZE = 33, XPM_WLAN_SCAN_BUFFER_SIZE = 1280, XPM_WLAN_PIN_SIZE = 9 };
typedef struct {
  char ssid[XPM_WLAN_SSID_SIZE]; /* zero-terminated, empty for a hidden network */
  uint8_t bssid[6];
  uint8_t channel;
  uint8_t level;    /* 0-4 */
  uint8_t mode;     /* bits: 1 802.11a, 2 b, 4 g, 8 n */
  uint8_t security; /* kind: 0 none, 1 WEP, 2 WPA, 3 WPA2, 4 WPA and WPA2, 5 WPS, 6 other */
  uint8_t reserved[15];
  int32_t rate; /* 500 kbit/s */
} XPM_WLAN_AccessPoint;

/* Starts a scan for every network (name null) or for one; the result is
 * announced by the middleware's scan-complete event. */
int32_t XPM_WLAN_ScanAccessPoints(const char* name);
int32_t XPM_WLAN_StopScan(void);
/* Copies the access points of the last scan into the buffer as whole
 * entries (at most size / 64 of them); count is the number the scan found. */
int32_t XPM_WLAN_GetScanResults(void* buffer, int32_t size, int32_t* count);
/* Joins a network with a security method (0 open, 1 WEP, 2-3 WPA-PSK with AES
 * or TKIP, 4-5 WPA2-PSK with AES or TKIP; 255 none given) and a key; the outcome
 * is announced by the connect-complete event. */
int32_t XPM_WLAN_JoinNetwork(const char* ssid, int32_t security, const char* key);
int32_t XPM_WLAN_QuitNetwork(void);
/* The current link: state 1 up, 0 no link, 255 no device; the access point's
 * entry when the link is up. */
int32_t XPM_WLAN_GetLinkStatus(int32_t* state, XPM_WLAN_AccessPoint* link);
/* WPS: the push-button method, or a PIN with the network's name, the flag
 * telling whether the PIN is one the set generated. Either joins once the
 * router agrees (its button pressed within two minutes of the set's, or the
 * PIN registered with it); the outcome is announced by the connect-complete
 * event. */
int32_t XPM_WPS_PushButton(void);
int32_t XPM_WPS_PinJoin(const char* ssid, const char* pin, int32_t generated);
/* A new eight-digit PIN for the router. */
int32_t XPM_WPS_GeneratePin(int32_t* pin);

/* --------------------------------------- applications beside the television */

/* The network applications that run beside the television: an id, a name
 * and status bits (0x20: in the background). */
enum { XPM_APP_NAME_SIZE = 32, XPM_APP_STATUS_COUNT = 8 };
typedef struct {
  int32_t id;
  char name[XPM_APP_NAME_SIZE];
  int32_t flags;
} XPM_AppStatus;
int32_t XPM_GetActiveAppStatus(XPM_AppStatus* apps, int32_t capacity, int32_t* count);
/* The device ids of the streaming service and of the content protection,
 * zero-terminated and cut to size - 1 bytes. */
int32_t XPM_GetNetflixESN(char* text, int32_t size);
int32_t XPM_GetWidevineDeviceId(char* text, int32_t size);

/* ----------------------------------------------------- standby and power-on */

/* Puts the set into standby; the reason is one of the standby event's. */
int32_t XPM_StandbyMode(int32_t mode, int32_t reason);
/* After a power-on by the user: notes the wake-up for the recording timers,
 * brings the scheduled recordings up to date, and lets the USB pop-up show
 * again (the last also after every other wake-up). */
void TimerWakeupRecord(void);
void XPM_PowerOnUpdateScheduledDataDB(void);
void XPM_EnableUSBPopupMsg(void);

/* ------------------------------------------------------- system information */

/* The signal quality of the window's tuner, 0-100. */
int32_t XPM_GetSignalQuality(int32_t window, int32_t* quality);

/* What the panel is driven with. */
typedef struct {
  int32_t width;       /* pixels */
  int32_t height;      /* lines */
  int32_t scanType;    /* 1 interlaced, 2 progressive */
  int32_t rateIndex;   /* frame rate index, as in the video content record */
  int32_t reserved16;
  int32_t formatIndex; /* output video format index */
} XPM_VideoOutputProps;
int32_t XPM_GetVideoOutputProps(int32_t window, XPM_VideoOutputProps* props);

/* The middleware's version text, zero-terminated, into a buffer of
 * XPM_TVM_VERSION_SIZE bytes. */
enum { XPM_TVM_VERSION_SIZE = 16 };
int32_t XPM_GetTVMVersion(char* text);
/* The frame-rate converter's version text; never null. */
const char* XPM_GetFrcVersion(void);
/* The firmware version text, zero-terminated and cut to size - 1 bytes. */
int32_t XPM_GetFirmwareVersion(char* text, int32_t size);

/* -------------------------------------------------- the factory's own calls */

/* The source id of input number n (0 the tuner, then the external inputs in
 * the order of the source list). */
int32_t XPM_GetSourceID(int32_t input, int32_t* source);
/* The analog caption service that captions prefer (1-4 CC, 5-8 text). */
int32_t XPM_SetPreferredBasicCaptionService(int32_t service);
/* A property of the video path of a window by the board's own id: 122 the
 * test pattern (0 none), 140 the converter's automatic calibration. */
int32_t XPM_SetExtOemPathProperty(int32_t window, int32_t property, int32_t value);
/* The dynamic contrast's control of the backlight, 1 on. */
int32_t XPM_SetDCRBacklight(int32_t on);
/* The frame-rate converter's mode and its video strength (0 off). */
int32_t XPM_SetFrcMode(int32_t mode);
int32_t XPM_GetFrcVideoStrength(int32_t* strength);
int32_t XPM_SetFrcVideoStrength(int32_t strength);
/* The parental locks as a whole: a mask of locked kinds and the state (0 off,
 * 2 on). */
int32_t XPM_GetParentalLocksMask(uint8_t* mask);
int32_t XPM_SetParentalLocksMask(uint8_t mask);
int32_t XPM_SetParentalLocksState(int32_t state);

/* An offset to a video property (80 backlight, 131-133 the gains, 68 the
 * dynamic contrast, 57 colour, 56 tint, 58 sharpness, 60 super resolution)
 * on top of what the picture settings give it. */
int32_t XPM_SetVideoPropertyOffset(int32_t property, int32_t offset);

/* Writes the MAC address of interface 0 or 1, as "00:11:22:33:44:55". */
int32_t XPM_LAN_SetMacAddr(int32_t wireless, const char* text);

#ifdef __cplusplus
}
#endif

#endif
