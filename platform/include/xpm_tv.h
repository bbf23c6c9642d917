/* Middleware calls behind the television model's lists and records: the clock,
 * channel rings, the current audio service, recording timers, recorded shows
 * on USB storage, downloadable rating regions, HDMI-CEC devices and their
 * control, the network interfaces and wireless networks, the 3D state, timer
 * conflicts, and the set as a whole (freeze, picture-in-picture, standby,
 * factory reset, menu language).
 *
 * Every call returns 0 on success and a non-zero error code otherwise; a
 * getter leaves its outputs untouched when it fails. Calls that fill an array
 * take its capacity and never write past it; where they also report a count,
 * the count is what the middleware holds, which may exceed the capacity.
 *
 * The simulated television behind these calls keeps its state in memory. A
 * fresh set has no channels, recordings, storage or devices; tests build the
 * state they need, and simtv_tv_load_demo gives a set in everyday use. */
#ifndef TVUI_PLATFORM_XPM_TV_H
#define TVUI_PLATFORM_XPM_TV_H

#include <stdint.h>
#include <time.h>

#ifdef __cplusplus
extern "C" {
#endif

/* -------------------------------------------------------------------- clock */

/* The set's local time as broken-down time (month from 0, year since 1900). */
int32_t XPM_GetLocalTime(struct tm* time);
int32_t XPM_SetLocalTime(const struct tm* time);
/* Hours of operation since the set left the factory. */
int32_t XPM_GetPowerOnTime(int32_t* hours);

/* ----------------------------------------------------------------- channels */

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

/* ------------------------------------------------------------- audio service */

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

/* ------------------------------------------------------------------- timers */

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

/* --------------------------------------------------------------- recordings */

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

/* The ids of all recorded shows, oldest first: at most capacity copied, count
 * set to the number of shows. */
int32_t XPM_Get_All_Recorded_Show_Counts(int32_t* count, int32_t* ids, int32_t capacity);
int32_t XPM_Get_Recorded_Show(int32_t id, XPM_RecordedShow* show);
/* The same for the shows stored under one path; the parameter is the sort
 * order the list asks for, which the simulated recorder does not apply. */
int32_t XPM_Get_All_Recorded_Show_Counts_with_Path(const char* path, int32_t* count, int32_t* ids, int32_t capacity,
                                                   int32_t parameter);
int32_t XPM_Get_Recorded_Show_with_Path(const char* path, int32_t id, XPM_RecordedShow* show);
/* The mounted USB storage: the count, and the first two mount points in
 * buffers of XPM_MOUNT_POINT_SIZE bytes (either may be null). */
int32_t XPM_Get_USB_MountPoint_Count(int32_t* count, char* first, char* second);
/* Brings the schedule database up to date with the timers. */
int32_t XPM_Check_Update_Scheduled_Data_Status(void);

/* ------------------------------------------------- downloadable rating regions */

enum { XPM_RATING_TEXT_SIZE = 64 };
int32_t XPM_GetRatingRegionInfo(int32_t region, char* name, int32_t size, int32_t* dimensions);
int32_t XPM_GetRatingDimensionInfo(int32_t region, int32_t dimension, char* name, int32_t size, uint8_t* graduated,
                                   int32_t* levels);
int32_t XPM_GetRatingLevelInfo(int32_t region, int32_t dimension, int32_t level, char* abbreviation,
                               int32_t abbreviationSize, char* text, int32_t textSize);
/* The lock setting of one level: 1 blocked, 0 allowed. */
int32_t XPM_GetRatingLevel(int32_t region, int32_t dimension, int32_t level, int8_t* value);
int32_t XPM_SetRatingLevel(int32_t region, int32_t dimension, int32_t level, int8_t value);

/* ------------------------------------------------------------------ HDMI-CEC */

enum { XPM_CEC_NAME_SIZE = 15 };
typedef struct {
  uint8_t logicalAddress; /* 0-15 */
  uint16_t physicalAddress;
  int32_t sourceId;             /* the input the device is on */
  char name[XPM_CEC_NAME_SIZE]; /* OSD name, may be empty */
} XPM_CECDevice;

/* Whether HDMI-CEC control is on (1). */
int32_t XPM_CEC_GetEnable(int32_t* on);
int32_t XPM_CEC_StartDiscovery(void);
int32_t XPM_CEC_GetDeviceList(XPM_CECDevice* devices, int32_t capacity, int32_t* count);
/* Selects a device on an input; extra is passed on with the request. */
int32_t XPM_CEC_SelectDevice(int32_t source, int32_t logicalAddress, int32_t extra);

/* ------------------------------------------------------- network interfaces */

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

/* ----------------------------------------------------------------------- 3D */

/* The 3D format on the input (0 none, 1 2D, 2 side by side, 3 over-under,
 * 5 and 6 frame packing, -2 unsupported), the mode set, and the format the
 * panel shows: 1 while the 3D output is off, 2 or more while it is on (the
 * input's 3D format, or 2 for 3D made from a 2D input). */
int32_t XPM_3DTV_GetVideoStatus(int32_t* input, int32_t* mode, int32_t* display);
int32_t XPM_3DTV_SetMode(int32_t mode);
int32_t XPM_3DTV_SetOutput(int32_t on);
int32_t XPM_3DTV_Set3DLRReverse(int32_t on);

/* -------------------------------------------------------------- applications */

/* The network applications that run beside the television: an id, a name
 * and status bits (0x20: in the background). */
enum { XPM_APP_NAME_SIZE = 32, XPM_APP_STATUS_COUNT = 8 };
typedef struct {
  int32_t id;
  char name[XPM_APP_NAME_SIZE];
  int32_t flags;
} XPM_AppStatus;
int32_t XPM_GetActiveAppStatus(XPM_AppStatus* apps, int32_t capacity, int32_t* count);

/* 1 live television, 2 paused (time-shifting), 3 recording the live channel. */
int32_t XPM_GetLiveTVState(int32_t window, int32_t* state);

/* ------------------------------------------------------- the set as a whole */

/* Picture freeze of a window (1 frozen). */
int32_t XPM_GetFreeze(int32_t window, int32_t* on);
int32_t XPM_SetFreeze(int32_t window, int32_t on);
/* Picture-in-picture: 0 off, 1 picture in picture, 2 picture beside picture. */
int32_t XPM_GetPIPMode(int32_t* mode);
int32_t XPM_SetPIPMode(int32_t mode);
/* Puts the set into standby; the reason is one of the standby event's. */
int32_t XPM_StandbyMode(int32_t mode, int32_t reason);
/* Returns every setting the middleware keeps to its factory value. */
int32_t XPM_ResetFactoryDefaults(void);
/* Locks or unlocks a channel of the current medium; -1, -1 means every channel. */
int32_t XPM_SetChannelLock(int32_t major, int32_t minor, int32_t locked);
/* Mutes the audio output for external equipment (1) or lets it play. */
int32_t XPM_SetExtOutputMute(int32_t mute);
/* Shows on the front display that the set has no channels. */
int32_t XPM_DisplayNoChannel(void);
/* The menu language: 0 English, 1 Spanish, 2 French. */
int32_t XPM_SetMenuLanguage(int32_t language);
/* The firmware version text, zero-terminated and cut to size - 1 bytes. */
int32_t XPM_GetFirmwareVersion(char* text, int32_t size);

/* ------------------------------------------------------ HDMI-CEC control */

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

/* --------------------------------------------------------------- wireless */

/* One access point of a scan in the 64-byte entry of the scan buffer. */
enum { XPM_WLAN_SSID_SIZE = 33, XPM_WLAN_SCAN_BUFFER_SIZE = 1280, XPM_WLAN_PIN_SIZE = 9 };
typedef struct {
  char ssid[XPM_WLAN_SSID_SIZE]; /* zero-terminated, empty for a hidden network */
  uint8_t bssid[6];
  uint8_t channel;
  uint8_t level;    /* 0-4 */
  uint8_t mode;     /* bits: 1 802.11a, 2 b, 4 g, 8 n */
  uint8_t security; /* 0 none, 1 WEP, 2 WPA, 3 WPA2, 4 WPA and WPA2, 5 WPS, 6 other */
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
/* Joins a network with a security method (255 none) and a key; the outcome
 * is announced by the connect-complete event. */
int32_t XPM_WLAN_JoinNetwork(const char* ssid, int32_t security, const char* key);
int32_t XPM_WLAN_QuitNetwork(void);
/* The current link: state 1 up, 0 no link, 255 no device; the access point's
 * entry when the link is up. */
int32_t XPM_WLAN_GetLinkStatus(int32_t* state, XPM_WLAN_AccessPoint* link);
/* WPS: the push-button method, or a PIN with the network's name. */
int32_t XPM_WPS_PushButton(void);
int32_t XPM_WPS_PinJoin(const char* ssid, const char* pin);
/* A new eight-digit PIN for the router. */
int32_t XPM_WPS_GeneratePin(int32_t* pin);

/* ---------------------------------------------------------- timer conflicts */

/* The timers that overlap another enabled timer, with the titles of their
 * schedule rows: at most capacity copied, count set to the number found. */
typedef struct {
  int32_t timerId;
  char title[XPM_RECORD_TITLE_SIZE];
} XPM_ConflictTimer;
int32_t XPM_GetConflictTimers(XPM_ConflictTimer* timers, int32_t capacity, int32_t* count);

/* ------------------------------------------- simulation control (tests, tools) */

/* A set fresh from the factory: no channels, timers, recordings, storage,
 * rating region, CEC devices or network link, the clock at its default. The
 * record of calls is cleared. */
void simtv_tv_reset(void);
/* A set in everyday use: channels on both media, timers, recordings on a USB
 * disk, a downloadable rating region, CEC devices, a wired link, and guide
 * events and scheduled shows in the database around the set's time. */
void simtv_tv_load_demo(void);

void simtv_tv_set_local_time(int64_t seconds);
int64_t simtv_tv_local_time(void);
void simtv_tv_set_power_on_time(int32_t hours);

/* Adds a channel to the table of its medium (info->cable), replacing one of
 * the same numbers. */
void simtv_tv_add_channel(const XPM_ChannelInfo* channel);
void simtv_tv_clear_channels(void);
void simtv_tv_set_current_channel_info(int32_t window, const XPM_CurrentChannelInfo* info);

/* index -1 clears every service. */
void simtv_tv_set_audio_service(int32_t index, const XPM_AudioServiceInfo* info);

/* Stores a recording under a path and returns its id (ids count from 1). */
int32_t simtv_tv_add_recording(const char* path, const XPM_RecordedShow* show);
void simtv_tv_clear_recordings(void);
/* An unreadable recording is listed but its details cannot be read. */
void simtv_tv_set_recording_unreadable(int32_t id, int32_t unreadable);
void simtv_tv_set_mount_points(int32_t count, const char* first, const char* second);

/* A downloadable region with dimensions x levels, named "Dimension n" and
 * "Level n", every level allowed; the last dimension is graduated. */
void simtv_tv_set_rating_region(int32_t region, const char* name, int32_t dimensions, int32_t levels);

void simtv_tv_set_cec_enable(int32_t on);
void simtv_tv_add_cec_device(const XPM_CECDevice* device);
void simtv_tv_clear_cec_devices(void);

void simtv_tv_set_lan(int32_t wireless, int32_t state, const XPM_IFState* config);

/* The 3D format the input delivers. */
void simtv_tv_set_3d_input(int32_t format);

void simtv_tv_set_app_status(int32_t count, const XPM_AppStatus* apps);
void simtv_tv_set_live_tv_state(int32_t window, int32_t state);

/* The set as a whole: what the calls above left. */
int32_t simtv_tv_freeze(int32_t window);
int32_t simtv_tv_pip_mode(void);
void simtv_tv_set_firmware_version(const char* text);

/* The access points a scan finds, and the PIN the WPS generator gives. */
void simtv_tv_add_access_point(const XPM_WLAN_AccessPoint* point);
void simtv_tv_clear_access_points(void);
void simtv_tv_set_wps_pin(int32_t pin);

/* The state manager's register table (tvsm.h): an entry's text, and whether
 * the program asked to hear of its changes. */
void simtv_tv_set_register(const char* name, const char* text);
int32_t simtv_tv_register_notified(const char* name);

/* Makes the next count calls of the named function (-1: every call, 0: none
 * any more) fail with code. */
void simtv_tv_fail(const char* name, int32_t code, int32_t count);

/* The calls that changed the set, oldest first, as text such as
 * "XPM_3DTV_SetMode(2)". At most the last 256 are kept. */
int32_t simtv_tv_call_count(void);
const char* simtv_tv_call(int32_t index);
void simtv_tv_clear_calls(void);

#ifdef __cplusplus
}
#endif

#endif
