/* Control of the simulated television, for tests and the scenario runner.
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

#ifdef __cplusplus
extern "C" {
#endif

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
 * order of its deadline and letting it run before going on. */
void simtv_settle(void);
void simtv_advance(uint32_t ms);

/* Waits up to ms (-1 without limit) on the set's clock for an event in the
 * buffer. DFB_OK when one is there, DFB_TIMEOUT otherwise. */
DFBResult simtv_wait_event_buffer(IDirectFBEventBuffer* buffer, int32_t ms);
/* Blocks the calling thread for good, holding whatever it holds, as a GUI
 * thread halted by a panic; it counts as blocked. */
void simtv_halt_thread(void);

/* Input: where the set's input driver delivers key events (asked at every
 * key: the GUI's event buffer of the moment), and one key as a DirectFB window
 * key event stamped ageMs before now. Returns 0, or -1 when there is no
 * target. */
typedef IDirectFBEventBuffer* (*simtv_key_target)(void);
void simtv_set_key_target(simtv_key_target target);
int simtv_inject_key(uint32_t keyCode, int down, uint32_t ageMs);

/* The middleware's thread delivers the event to the subscribed callback; the
 * state manager's thread delivers commands and on-screen-display states. */
void simtv_inject_event(uint32_t cookie, uint32_t event, const void* payload, uint32_t size);
void simtv_inject_command(uint32_t command, const void* payload, uint32_t size);
void simtv_inject_osd_state(int32_t state);
/* Standby sends the stop command, then ends the period of operation; wake
 * starts the next one; shutdown ends the last one (TVSM_Standby gives 0). */
void simtv_standby(void);
void simtv_wake(void);
void simtv_shutdown(void);

/* Values the platform reports through out-parameters: "factory_mode",
 * "current_source", "back2tv_source", "launched_app" (-1: none), "ext_source",
 * "multimedia_source", "standby_mode", "osd_state", "caption_state". Returns
 * 0, or -1 for an unknown name. */
int simtv_set_value(const char* name, int32_t value);
int simtv_get_value(const char* name, int32_t* value);

/* Every platform call in order, as "NAME ARG ARG ...": integers in decimal,
 * a payload of whole words as its words joined by commas, any other pointer
 * as "-". Calls are numbered from 0 since the last clear; past a large bound
 * the oldest are forgotten, but the numbers of the others stay. */
int simtv_call_count(void);
/* Copies call number index into text; -1 when it is not kept. */
int simtv_call_text(int index, char* text, int size);
void simtv_clear_calls(void);

/* Makes the next count calls of the named function (count -1: every call,
 * 0: none any more) return code instead of doing their work. Calls that
 * return nothing cannot fail; BKNI_Malloc fails by returning null. */
void simtv_fail(const char* name, int32_t code, int32_t count);

/* Called on the GUI thread by XPM_RenderClient, after the GUI plane was
 * cleared (kind 2) or a region of it flipped (kind 1), as the compositor is
 * told; the GUI lock is held then, so the plane can be read whole. */
typedef void (*simtv_render_hook)(int32_t kind);
void simtv_on_render(simtv_render_hook hook);

/* The hardware watchdog: armed, and milliseconds left before it resets the set. */
int simtv_watchdog_armed(void);
int64_t simtv_watchdog_left_ms(void);

#ifdef __cplusplus
}
#endif

#endif
