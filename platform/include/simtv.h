/* Control of the simulated television, for tests and the scenario runner: the
 * one header for everything that the set itself does not offer.
 *
 * The set has its own clock. On the real clock everything runs as on the set.
 * On the virtual clock nothing waits for real time: the threads of the set
 * (every thread made with MPLCore_ThreadCreateNamed, the middleware's and the
 * state manager's own threads, and the thread that booted the set) block on
 * the set's clock, and a driving thread (a test or the runner) moves it. A
 * driving thread that itself waits on the set's clock moves it as far as its
 * wait needs, so a test can run a turn of the GUI loop directly. */
#ifndef TVUI_PLATFORM_SIMTV_H
#define TVUI_PLATFORM_SIMTV_H

#include <directfb.h>
#include <stdint.h>
#include <sys/time.h>
#include <termios.h>

#include "ace.h"
#include "db.h"
#include "oam.h"
#include "xpm.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ------------------------------------------------- boot and the set's clock */

/* Starts the set once: its clock (virtual when asked), the GUI lock
 * g_dorn_mutex and the middleware's and state manager's threads. With
 * bootThreadIsSet the calling thread counts as a thread of the set (the
 * process's main thread); otherwise it is a driving thread. */
void simtv_boot(int virtualClock, int bootThreadIsSet);
int simtv_virtual_clock(void);

/* The set's clock: milliseconds since boot, and the time of day as the set's
 * input driver stamps key events. */
uint64_t simtv_now_ms(void);
void simtv_gettimeofday(struct timeval* now);

/* Driving thread only, virtual clock: waits until every thread of the set is
 * blocked, or moves the clock forward by ms, waking every sleeper in the
 * order of its deadline and letting it run before going on. On the virtual
 * clock the set's threads run one at a time, and what a driving thread
 * changes (a key, an event, a command) reaches them only when it settles,
 * advances or waits: the set does the same however fast the machine is. */
void simtv_settle(void);
void simtv_advance(uint32_t ms);

/* Waits up to ms (-1 without limit) on the set's clock for an event in the
 * buffer. DFB_OK when one is there, DFB_TIMEOUT otherwise. DirectFB's own
 * reports of the window (window events but keys) are taken out unread. */
DFBResult simtv_wait_event_buffer(IDirectFBEventBuffer* buffer, int32_t ms);
/* Blocks the calling thread for good, holding whatever it holds, as a GUI
 * thread halted by a panic; it counts as blocked. */
void simtv_halt_thread(void);
/* For the moment before the process ends: joins the set's threads that have
 * ended and leaves the others to end with the process, so that no thread is
 * left ended but unjoined (which the thread sanitizer reports as a leak). */
void simtv_release_threads(void);

/* ------------------------------------------------- keys, events and standby */

/* Input: where the set's input driver delivers key events (asked at every
 * key: the GUI's event buffer of the moment), and one key as a DirectFB window
 * key event stamped ageMs before now. Returns 0, or -1 when there is no
 * target. */
typedef IDirectFBEventBuffer* (*simtv_key_target)(void);
void simtv_set_key_target(simtv_key_target target);
int simtv_inject_key(uint32_t keyCode, int down, uint32_t ageMs);
/* A key held down: pressed now, repeated by the input driver (a fresh key
 * down 500 ms later, then every 100 ms) until it is released. Pressing a
 * held key again changes nothing. Both return 0, or -1 when there is no
 * target; simtv_key_held tells whether a key is held. */
int simtv_press_key(uint32_t keyCode);
int simtv_release_key(uint32_t keyCode);
int simtv_key_held(uint32_t keyCode);

/* The middleware's thread delivers the event to the subscribed callback; the
 * state manager's thread delivers commands and on-screen-display states. */
void simtv_inject_event(uint32_t cookie, uint32_t event, const void* payload, uint32_t size);
/* How many callbacks have subscribed to the middleware's events. */
int simtv_event_clients(void);
void simtv_inject_command(uint32_t command, const void* payload, uint32_t size);
void simtv_inject_osd_state(int32_t state);
/* Standby sends the stop command, then ends the period of operation; wake
 * starts the next one; shutdown ends the last one (TVSM_Standby gives 0). On
 * the real clock XPM_StandbyMode is such a standby too, as on the set. */
void simtv_standby(void);
void simtv_wake(void);
void simtv_shutdown(void);
/* 1 while the set is on: from the boot or a wake until a standby, which
 * ends the period of operation, is on its way. */
int simtv_set_on(void);
/* The power key pressed in standby, which the middleware keeps: the wake-up
 * event with the reason power, at once while the period of operation goes on
 * (a scenario's program standby ends none); once a standby ends it, the next
 * period begins and its interface receives the event once it listens. */
void simtv_wake_by_power_key(void);

/* ---------------------------------------------------------- reported values */

/* Values the platform reports through out-parameters: "factory_mode",
 * "current_source" (of the main window), "sub_source" (-1: the main window's),
 * "back2tv_source", "launched_app" (-1: none), "ext_source",
 * "multimedia_source", "standby_mode", "osd_state", "caption_state" (caption
 * rendering not suspended, XPM_EnableCaptionRender). Returns 0, or -1 for an
 * unknown name. */
int simtv_set_value(const char* name, int32_t value);
int simtv_get_value(const char* name, int32_t* value);

/* ----------------------------------------------- recorded and failing calls */

/* Every platform call in order, the television model's with the rest, as
 * "NAME ARG ARG ...": integers in decimal, a text as itself (quoted as in a
 * scenario line when it is not one plain word), a payload of whole words as
 * its words joined by commas, a time record as its seconds, a timer record as
 * "enabled=1,channel=9-1,start=SECONDS,duration=SECONDS" followed by
 * "type=1,days=0x7f,source=0,map=0" (how it repeats, where it records), any
 * other pointer as "-". Calls are numbered from 0 since the last clear; past a large bound
 * the oldest are forgotten, but the numbers of the others stay. */
int simtv_call_count(void);
/* Copies call number index into text; -1 when it is not kept. */
int simtv_call_text(int index, char* text, int size);
void simtv_clear_calls(void);

/* Whether a platform family header declares a function of that name. */
int simtv_call_known(const char* name);
/* Makes the next count calls of the named function (count -1: every call,
 * 0: none any more) return code instead of doing their work. Calls that
 * return nothing cannot fail; BKNI_Malloc fails by returning null. Returns
 * -1, changing nothing, for a name that no platform call has. */
int simtv_fail(const char* name, int32_t code, int32_t count);

/* -------------------------------------------------- compositor and watchdog */

/* Called on the GUI thread by XPM_RenderClient, after the GUI plane was
 * cleared (kind 2) or a region of it flipped (kind 1), as the compositor is
 * told; the GUI lock is held then, so the plane can be read whole. */
typedef void (*simtv_render_hook)(int32_t kind);
void simtv_on_render(simtv_render_hook hook);

/* The hardware watchdog: armed, and milliseconds left before it resets the set. */
int simtv_watchdog_armed(void);
int64_t simtv_watchdog_left_ms(void);

/* --------------------------------------------------- kernel sleeps (bkni.h) */

/* With a non-zero argument sleeps only add to the total and return at once. */
void simtv_bkni_skip_sleeps(int skip);
/* Milliseconds asked of BKNI_Sleep since the process started. */
unsigned long simtv_bkni_slept_ms(void);
/* With a handler set, sleeps wait through it (the simulated set's own clock)
   instead of sleeping in real time; null restores real sleeps. */
typedef void (*simtv_bkni_sleep_handler)(unsigned int milliseconds);
void simtv_bkni_set_sleep_handler(simtv_bkni_sleep_handler handler);

/* ------------------------------------------------------- host reset (bcm.h) */

/* The simulated board ends the process with this status at a host reset
 * unless told otherwise. */
enum { SIMTV_HOST_RESET_EXIT_STATUS = 86 };
typedef void (*simtv_reset_hook)(void);
/* Called by every reset before the process ends, e.g. to report the simulated state. */
void simtv_bcm_on_reset(simtv_reset_hook hook);
/* With 0 a reset is only recorded and returns, so what the caller does next can be seen. */
void simtv_bcm_reset_ends_process(int ends);
int simtv_bcm_reset_count(void);

/* --------------------------------------------------- recorder (recording.h) */

int simtv_recording_crash_clean_count(void);

/* --------------------------------------------------- host link (hostlink.h) */

/* The presses since the last reset, oldest first, one entry per press. */
int32_t simtv_hostlink_key_count(void);
/* The key of that press, or null outside the record. */
const char* simtv_hostlink_key(int32_t index);
void simtv_hostlink_reset(void);

/* --------------------------------------------- application services (ace.h) */

/* Until a timer time is set, Ace_GetTimer reads the local time. */
void simtv_ace_set_timer_time(int64_t seconds);
void simtv_ace_set_current_channel(const Ace_Channel* channel);
/* Back to no timer time and the first antenna channel, 2-1. */
void simtv_ace_reset(void);

/* ---------------------------------------------------------- database (db.h) */

enum { SIMTV_DB_SYSTEM_LOG_CAPACITY = 64 };
/* Entries written since the last reset; entries past the capacity are counted but not kept. */
int simtv_db_system_log_count(void);
/* The entry written at that position, or -1 when it is not kept. */
int simtv_db_system_log_entry(int index);
/* Forgets the power-down status and the system log. */
void simtv_db_reset(void);

/* The programme data. */
void simtv_db_clear_programmes(void);
/* Adds a guide event to a channel; a theme text files it under that theme
 * too. Returns the event id. */
int32_t simtv_db_add_event(int32_t medium, int32_t major, int32_t minor, const char* station,
                           const char* theme, const DB_EventRecord* event);
int32_t simtv_db_scheduled_count(void);
/* Whether a timer id of the pool is checked out (db.h); 0 outside it. */
int32_t simtv_db_timer_id_out(int32_t id);

/* -------------------------------------------- middleware: picture and sound */

/* The picture and sound calls are recorded and made to fail with the rest of
 * the set's; the current source is the "current_source" value. */

/* Back to the picture and sound state of a set fresh from the factory. */
void simtv_av_reset(void);
/* The source of the pattern generator (type 11), which the main window shows
 * while the test pattern or the white-balance window is on. */
enum { SIMTV_PATTERN_SOURCE = 23 };
/* A fresh set gives its built-in inputs their types (2 AV composite, 3
 * component, 4 S-Video, 5-8 HDMI, 9 PC, 10 DVI, 11 composite, 12 component);
 * any other id is a tuner input until a type is set. */
void simtv_av_set_source_type(int32_t source, int32_t type);
void simtv_av_set_video_content(int32_t window, const XPM_VideoContentInfo* info);
void simtv_av_set_channel(int32_t window, int32_t major, int32_t minor);
/* The alternate audio services of the current channel: count languages. */
void simtv_av_set_audio_services(int32_t count, const char* const* languages);
/* The white balance (red, green, blue offset, then red, green, blue gain)
 * that the last XPM_CopyWhiteBalanceToAllSources gave every input; 0 when
 * none was copied since the reset. */
int32_t simtv_av_copied_white_balance(int32_t values[6]);

/* ------------------------------- middleware: inputs, time zone and captions */

/* Back to a set fresh from the factory: the inputs 1 to 9, all selectable,
 * the Eastern zone without daylight saving, no caption service on air. */
void simtv_setup_reset(void);
/* Replaces the set's inputs (at most XPM_MAX_SOURCES). */
void simtv_setup_set_sources(int32_t count, const int32_t* sources);
void simtv_setup_set_selectable(int32_t source, int32_t selectable);
/* Puts a caption service on air with a language code, or takes it off with
 * a null language. */
void simtv_setup_set_caption_service(int32_t digital, int32_t service, const char* language);

/* ----------------------------------------------- middleware: broadcast time */

/* Whether the broadcast time sets the clock (XPM_SetAutoTimeUpdate): the
 * setting in force, 1 after a reset. */
int32_t simtv_xpm_auto_time_update(void);
void simtv_xpm_timer_reset(void);

/* ------------------------------------------- middleware: system information */

/* Back to a set fresh from the factory: no signal, a 1920 x 1080 progressive
 * output at index 9, the factory's version texts, MAC addresses and device
 * ids. */
void simtv_info_reset(void);
void simtv_info_set_signal_quality(int32_t quality);
void simtv_info_set_output(const XPM_VideoOutputProps* props);
/* Either text may be null to keep it. */
void simtv_info_set_versions(const char* tvm, const char* frc);
void simtv_info_set_mac(int32_t wireless, const char* text);
/* The device ids of the streaming service and the content protection;
 * either may be null to keep it. */
void simtv_info_set_device_ids(const char* esn, const char* widevine);

/* ------------------------------------------------------ the factory devices */

/* The model record, the light sensor, the calibration results of the
 * analogue-to-digital converter, the 3D panel's EEPROM, the local dimming, the
 * pins, the LED and the board's console printing (oam.h, xpm.h, mplcore.h,
 * bcm.h). Back to a set fresh from the factory: model 0x21, a light reading
 * of 0x180, every calibration passed, EEPROM version 1 2 3, local dimming on,
 * every pin low, the LED on, the board printing. The held front-panel keys
 * Vol- and CH- and the remote's INFO key (simtv_press_key) read as held
 * through their device properties (XPM_OEM_KEY_HELD_*). */
void simtv_factory_reset(void);
void simtv_factory_set_model_info(const OAM_ModelInfo* info);
void simtv_factory_set_light_sensor(uint16_t reading);
/* What the light sensor's Init, Start, Stop and Terminate left. */
enum { SIMTV_LIGHT_SENSOR_OFF = 0, SIMTV_LIGHT_SENSOR_READY = 1, SIMTV_LIGHT_SENSOR_RUNNING = 2 };
int32_t simtv_factory_light_sensor_state(void);
/* Input 0-2; 1 passed. */
void simtv_factory_set_adc_result(int32_t input, int32_t result);
void simtv_factory_set_3d_eeprom_version(int32_t major, int32_t minor, int32_t revision);
/* 1 while the frame-rate converter dims the backlight locally. */
int32_t simtv_factory_local_dimming(void);
/* What the factory's calls left: a pin's level (MPLCore_GpioSetPin, 0 until
 * set), the LED's state (OAM_Led_SetState, 1 on a fresh set) and whether the
 * board prints on its console (BCM_ControlPrintf, 1 on a fresh set). A
 * factory command handed to OAM_CustomDispatchFactoryCommand comes back as
 * event 106 of kind 0 from the middleware's thread. */
int32_t simtv_factory_gpio(int32_t pin);
/* A register of the video path as MPLCore_ReadReg32 reads it (0 until set),
 * and a point 0-10 of the backlight curve that customised property 49 gives
 * (a straight line from 0 to 100 on a fresh set). */
void simtv_factory_set_register(uint32_t address, uint32_t value);
void simtv_factory_set_backlight_point(int32_t point, int32_t level);
/* The board's shell (BCM_syscall_run): the answer to every command that
 * begins with prefix, the latest given winning; status -1 is a command that
 * cannot be started. A fresh set knows "wl revinfo" (the wireless module's
 * ids), "wl phy_rssi_ant" (-50 and -55 dBm), "umount", "ls" and "mkdir -p"
 * with a mount, which fails (no USB stick); "cat PATH" gives the file below
 * the simulated root, or fails. Anything else fails with 127. */
void simtv_factory_shell_answer(const char* prefix, int status, const char* output);
/* The throughput BCM_HTTP_Speed measures, KB/s (30000 on a fresh set). */
void simtv_factory_set_speed(int kbps);
int32_t simtv_factory_led(void);
int32_t simtv_factory_console_printing(void);

/* ------------------------------------------ the factory serial console */

/* The board's first serial port, "/dev/ttyS0", is the slave of a
 * pseudo-terminal that the set opens on first use; NvMapPath maps the device
 * to it below every simulated root. The test fixture's end: what the program
 * wrote to the line since the last read, all of it that a write has returned
 * from (it never waits), and the line's terminal settings now. Both return -1
 * when the set could not open the terminal. */
int simtv_console_read(char* buffer, int size);
int simtv_console_settings(struct termios* settings);

/* ----------------------------------------- middleware: the television model */

/* The state behind the channel, timer, recording, rating, HDMI-CEC, network,
 * 3D and application calls and the set as a whole. A fresh set has no
 * channels, recordings, storage or devices; tests build the state they need,
 * and simtv_tv_load_demo gives a set in everyday use. */

/* A set fresh from the factory: no channels, timers, recordings, storage,
 * rating region, CEC devices or network link, the clock at its default, the
 * reported values (the windows' sources among them) at theirs. The
 * record of calls and every failure asked for are cleared. */
void simtv_tv_reset(void);
/* A set in everyday use: channels on both media, timers, recordings on a USB
 * disk, a downloadable rating region, CEC devices, a wired link, and guide
 * events and scheduled shows in the database around the set's time. */
void simtv_tv_load_demo(void);
/* Adds the content of a fixture file to the set: channels, the current
 * channel, audio services, recordings, timers with their schedule, guide
 * programmes, disks, a rating region, CEC devices, network links and access
 * points, one record a line (platform/sim/content.cpp describes the records;
 * tests/scenarios/fixtures/ holds examples). Returns 0, or -1 with a message
 * naming the file, line and the record's form in error (size bytes). The
 * whole file is checked before the set takes any of it, and its recordings
 * go on the disk last: a fixture refused writes no file, and adds nothing
 * but where the set refuses a record as it is added (every timer in use),
 * when the records before that one stay. */
int simtv_tv_load_fixture(const char* path, char* error, int size);
/* Checks every record of a fixture as simtv_tv_load_fixture does, changing
 * nothing of the set: 0, or -1 with the message in error. */
int simtv_tv_check_fixture(const char* path, char* error, int size);

/* The set's local time, seconds since 1970: set, it runs on with the set's
 * clock from there (the scenario's virtual time, the real time otherwise),
 * as XPM_GetLocalTime reads it; timers come due by it. */
void simtv_tv_set_local_time(int64_t seconds);
int64_t simtv_tv_local_time(void);
/* The local second at which the next of the set's timers comes due (its
 * recording starts), within the week from now; -1 when none does. */
int64_t simtv_tv_next_timer_due(void);
void simtv_tv_set_power_on_time(int32_t hours);

/* Adds a channel to the table of its medium (info->cable), replacing one of
 * the same numbers. */
void simtv_tv_add_channel(const XPM_ChannelInfo* channel);
void simtv_tv_clear_channels(void);
void simtv_tv_set_current_channel_info(int32_t window, const XPM_CurrentChannelInfo* info);

/* index -1 clears every service. */
void simtv_tv_set_audio_service(int32_t index, const XPM_AudioServiceInfo* info);

/* Stores a recording under a path and returns its id (ids count from 1).
 * Under the USB disk's mount point the recording's file (its fileName,
 * relative to the path) and its index file are written on the disk too, as
 * long as the show's duration at SIMTV_RECORD_BYTES_PER_SECOND. */
int32_t simtv_tv_add_recording(const char* path, const XPM_RecordedShow* show);
/* A recording's file name as the set's recorder makes it, written into name
 * (size bytes): the prefix, then the title with its separators, spaces and
 * dots made underscores, then ".trp". A title too long for the name is cut
 * first, between two characters, so the name keeps its extension. */
void simtv_recording_file_name(const char* prefix, const char* title, char* name, size_t size);
/* What keeps a title (UTF-8) from a recording, whose rows show it and whose
 * files are named after it: SIMTV_TITLE_BLANK for one that is empty or draws
 * nothing (white space of any kind, the no-break and ideographic spaces
 * among it, and the invisible format characters), SIMTV_TITLE_CONTROL for
 * one that holds a control character (C0, DEL or C1) or a line or paragraph
 * separator; SIMTV_TITLE_OK for any other. */
enum { SIMTV_TITLE_OK = 0, SIMTV_TITLE_BLANK = 1, SIMTV_TITLE_CONTROL = 2 };
int simtv_recording_title_fault(const char* title);
void simtv_tv_clear_recordings(void);
/* An unreadable recording is listed but its details cannot be read. */
void simtv_tv_set_recording_unreadable(int32_t id, int32_t unreadable);
void simtv_tv_set_mount_points(int32_t count, const char* first, const char* second);

/* A downloadable region with dimensions x levels, named "Dimension n" and
 * "Level n", every level allowed; the last dimension is graduated. */
void simtv_tv_set_rating_region(int32_t region, const char* name, int32_t dimensions, int32_t levels);
/* Renames a dimension (level -1) or sets a level's abbreviation; an empty
 * text leaves the dimension unnamed or the level unabbreviated. */
void simtv_tv_set_rating_text(int32_t region, int32_t dimension, int32_t level, const char* text);

void simtv_tv_set_cec_enable(int32_t on);
void simtv_tv_add_cec_device(const XPM_CECDevice* device);
void simtv_tv_clear_cec_devices(void);

void simtv_tv_set_lan(int32_t wireless, int32_t state, const XPM_IFState* config);

/* The 3D format the input delivers. */
void simtv_tv_set_3d_input(int32_t format);

void simtv_tv_set_app_status(int32_t count, const XPM_AppStatus* apps);
/* The live-TV state of a tuner while it neither records nor time-shifts. */
void simtv_tv_set_live_tv_state(int32_t window, int32_t state);

/* What is on air: the channels that scans find and that tuning acquires,
 * each with the rating of the programme it shows. The air does not belong to
 * the set: a reset set receives the default broadcast, the channels of the
 * demo set on both media. */
typedef struct {
  XPM_ChannelInfo channel; /* medium (cable), physical, numbers, name, digital, signal */
  int32_t usRating;        /* rating word of the programme on air, 0 unrated */
  int32_t canRating;       /* Canadian rating code, 0 none */
} simtv_broadcast_channel;
void simtv_tv_clear_broadcast(void);
/* Puts a channel on air, replacing one of the same medium and numbers. */
void simtv_tv_add_broadcast(const simtv_broadcast_channel* channel);
/* An input without signal answers XPM_SetSource with "not acquired"; every
 * input has a signal until told otherwise. */
void simtv_tv_set_source_signal(int32_t source, int32_t signal);
/* The scan running: 0 none, 1 full, 2 single channel, 3 guide. */
int32_t simtv_tv_scan_state(void);
/* How long the set takes, on its clock: to acquire a channel or a source, to
 * scan one physical channel in a full scan, to scan the one channel of a
 * single-channel scan, to collect the guide of one channel. */
enum {
  SIMTV_ACQUIRE_MS = 300,
  SIMTV_SCAN_STEP_MS = 50,
  SIMTV_SINGLE_SCAN_MS = 500,
  SIMTV_EPG_STEP_MS = 500
};

/* The set as a whole: what the calls above left. */
int32_t simtv_tv_freeze(int32_t window);
int32_t simtv_tv_pip_mode(void);
void simtv_tv_set_firmware_version(const char* text);

/* The access points a scan finds, and the PIN the WPS generator gives. */
void simtv_tv_add_access_point(const XPM_WLAN_AccessPoint* point);
void simtv_tv_clear_access_points(void);
void simtv_tv_set_wps_pin(int32_t pin);
/* The key a secured network takes (without one it takes any key). */
void simtv_tv_set_wlan_key(const char* ssid, const char* key);
/* The router of a network: its WPS button pressed now (it then waits two
 * minutes for the set's), and the PIN registered with it (its own, or the
 * set's one that the viewer typed into it). */
void simtv_tv_press_wps_button(const char* ssid);
void simtv_tv_set_wps_router_pin(const char* ssid, const char* pin);
/* The throughput that the connection test measures over a link, kbit/s. */
void simtv_tv_set_lan_speed(int32_t kbps);

/* What the set answers later, on its own clock (the answering thread starts
 * with simtv_boot): a scan ends after 2 s with the scan-complete event; a
 * join after 3 s with the connect-complete event (2 joined, then the
 * network-status event of the wireless link; 0 no such network; 1 a key or
 * PIN the network refuses); a WPS push button only once the router's button
 * was pressed too, or with 0 when two minutes pass without it; the
 * connection test after 1.5 s; an HDMI-CEC discovery with the name and
 * detection events of each device, 0.2 s apart; a system-audio request after
 * 0.3 s with the audio-status event; a launch or end of an application after
 * 1 s with the state manager's application-status command (and the widget
 * application's notification); a change of a register-table entry whose
 * changes were asked for, after 0.1 s with the state manager's change
 * command. simtv_tv_reset forgets every answer still to come. */

/* The update service (update.h): reports a result to its listener ms from
 * now on the set's clock. */
void simtv_update_result(uint32_t ms, int32_t result, int32_t value, const char* text);

/* The state manager's register table (tvsm.h): an entry's text, and whether
 * the program asked to hear of its changes. */
void simtv_tv_set_register(const char* name, const char* text);
int32_t simtv_tv_register_notified(const char* name);

/* ---------------------------------------------- middleware: the recorder */

/* The USB disk at XPM_USB_DISK_MOUNT_POINT; its files live below the
 * simulated root (nvpath.h), so the program sees them at their paths. A fresh
 * set has no disk. Inserting mounts it (its mount point joins those of
 * simtv_tv_set_mount_points, which may also mount it, with the default size)
 * with a size in KB and a file-system name. Removing it unmounts it, ends a
 * playback from it (XPM_EVENT_RECORD_PLAYBACK_STATUS with the device flag),
 * fails its recordings (record status 4) and ends the time-shift buffers.
 * A recording of SIMTV_RECORD_BYTES_PER_SECOND (its index file 64 bytes a
 * second beside it) takes its room as XPM_RECORDING_START_WITH_TRY tells;
 * the free space reported counts what the recordings under way recorded. */
enum {
  SIMTV_USB_DEFAULT_KB = 2000000,
  SIMTV_RECORD_BYTES_PER_SECOND = 1048576,
  SIMTV_USB_FORMAT_MS = 3000,
  SIMTV_USB_SPEED_TEST_MS = 5000
};
void simtv_usb_insert(uint32_t totalKB, const char* fileSystem);
void simtv_usb_remove(void);
/* Whether the USB disk is in (mounted). */
int simtv_usb_present(void);
uint32_t simtv_usb_free_kb(void);
/* A file of so many bytes (holes, not data) below the disk's mount point;
 * name is relative to it. Returns 0, or -1 when it cannot be written. */
int simtv_usb_write_file(const char* name, uint64_t bytes);
int simtv_usb_file_exists(const char* name);
/* The speed that a speed test measures, in MB/s (25 on a fresh set). */
void simtv_usb_set_speed(int32_t mbPerSecond);
/* The long operations of the recorder fail in their result: a failure made
 * with simtv_fail for XPM_USBDiskFormat or XPM_USBSpeedTest lets the call
 * accept and puts the code in the result event. */

/* ------------------------------------------------ the media library (psl.h) */

/* The media library serves the USB disk as medium "usba", two media servers
 * of the home network (none registered on a fresh set) and one media
 * controller allowed to play. It answers on its own thread on the set's
 * clock: folders, metadata and pictures at once, playback progress every
 * SIMTV_PSL_PROGRESS_MS. Taking the disk out (simtv_usb_remove) closes what
 * the library browsed and played from it and tells the program. */
enum { SIMTV_PSL_PROGRESS_MS = 1000 };
/* The USB disk goes in (with the default size) holding only a copy of the
 * directory tree at dir; a disk in already takes the copy beside what it
 * holds. Links are copied as links.
 * Returns 0, or -1 when dir is no directory or cannot be copied. */
int simtv_media_insert(const char* dir);
/* The same, with why it was refused (the folder missing, a file, a stick
 * that holds the set's own folder, a copy that stopped) written into
 * reason (size bytes, cut to fit), or an empty text. */
int simtv_media_insert_why(const char* dir, char* reason, size_t size);
/* The same for the folder at dir named shown in every message and log line
 * (dir a /proc/self/fd/N path the caller holds, shown the path the user
 * knows it by). */
int simtv_media_insert_as(const char* dir, const char* shown, char* reason, size_t size);
/* The library of a set fresh from the factory; simtv_tv_reset does this too. */
void simtv_media_reset(void);
/* A further media server (with an empty tree, its id "uuid:" and the name)
 * or media controller on the home network. */
void simtv_media_add_server(const char* name);
void simtv_media_add_controller(const char* name, const char* mac, int32_t access);
/* The entry playing (-1 nothing), its cursor, whether it is paused and the
 * seconds played. */
int32_t simtv_media_playing(int32_t* cursor, int32_t* paused, int32_t* seconds);

/* The tuner the viewer watches (0 on a fresh set), and the channel a tuner
 * last tuned for a medium (1 cable). */
void simtv_tv_set_current_tuner(int32_t tuner);
void simtv_tv_set_tuner_channel(int32_t tuner, int32_t medium, int32_t major, int32_t minor);
/* The tuner's time-shift buffer as if it began buffered seconds ago, at a
 * position (seconds from its start) that stays (state 1, paused) or moves on
 * at normal speed (state 2). */
void simtv_tv_set_timeshift(int32_t tuner, int32_t buffered, int32_t position, int32_t state);
/* 1 while the tuner records, with the channel; 0 otherwise. */
int32_t simtv_tv_recording(int32_t tuner, int32_t* major, int32_t* minor);

#ifdef __cplusplus
}
#endif

#endif
