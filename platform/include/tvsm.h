/* Platform state manager: starts the program's periods of normal operation,
 * tells it about standby, sends it commands and takes its reports. */
#ifndef TVUI_PLATFORM_TVSM_H
#define TVUI_PLATFORM_TVSM_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The payload belongs to the state manager and lives only during the call. */
typedef void (*TVSM_CommandCallback)(void* context, uint32_t command, const void* payload, uint32_t size);
typedef void (*TVSM_KeyReceivedCallback)(void);
typedef void (*TVSM_OsdStateCallback)(void* context, int32_t state);

/* Blocks while the set is in standby; 1 when a period of normal operation
 * begins, 0 when the program is to run no more periods. */
int32_t TVSM_Standby(void);
/* Blocks until the current period of normal operation ends. Returns 0. */
int32_t TVSM_WaitForStandby(void);

int32_t TVSM_RegisterProcessCommandCallback(void* context, int32_t flag, TVSM_CommandCallback callback);
int32_t TVSM_RegisterKeyReceivedCallback(void* context, int32_t flag, TVSM_KeyReceivedCallback callback);
int32_t TVSM_RegisterOsdStateCallback(void* context, int32_t flag, TVSM_OsdStateCallback callback);
int32_t TVSM_RegisterWindowID(int32_t kind, uint32_t windowId);

/* Reports of kind 1, by code: */
enum {
  TVSM_ASYNC_GUI_STOPPED = 2,      /* no data */
  TVSM_ASYNC_COMMAND_REPLY = 3,    /* two words: 1 after an enable, 0 after a disable; 0 */
  TVSM_ASYNC_ENABLE_REFUSED = 5,   /* one word, 0 */
  TVSM_ASYNC_NETWORK_STATUS = 17,  /* two words: wireless, link up */
};
int32_t TVSM_ReportAsyncEvent(int32_t kind, int32_t code, const void* data, uint32_t size);
/* Non-zero when an external application runs; its id is stored then. */
int32_t TVSM_GetLaunchedAppId(int32_t* id);

/* Further codes of TVSM_ReportAsyncEvent(1, ...): a Flash command line to
 * start (zero-terminated text), the end of the Flash application that runs
 * (no data), and the first-time setup status (one int32: 0 will not run,
 * 1 will run, 2 finished). */
enum { TVSM_ASYNC_LAUNCH_FLASH = 20, TVSM_ASYNC_TERMINATE_FLASH = 21, TVSM_ASYNC_SETUP_STATUS = 22 };

/* The commands the state manager sends through the command callback; code
 * names them TvsmCommand::EnableStreaming and so on. Those without a name of
 * their own are passed on as internal events of the same names (xpm_events.h). */
#define TVSM_COMMANDS(X)          \
  X(Stop, 2)                      \
  X(DisableStreaming, 3)          \
  X(EnableStreaming, 4)           \
  X(OsdOfOtherProcess, 7)         \
  X(CommandText, 8)               \
  X(YahooNotify, 12)              \
  X(CommandApp, 15)               \
  X(Command16, 16)                \
  X(Command17, 17)                \
  X(RegisterTableChanged, 20)     \
  X(ExternalAppStatus, 21)

/* The network applications: launching one by id and name (a TVSM_AppLaunch;
 * the argument is the application's own, such as the widget application's
 * start page), ending one by id (one int32), handing the television's
 * resources back from the application in front (no data), and whether a
 * screen of the program is open (one int32, 1 open). The state manager
 * answers a launch or an end with the application-status command, and for
 * the widget application (id 2) also with its front/back notification. */
enum {
  TVSM_ASYNC_LAUNCH_APP = 23,
  TVSM_ASYNC_TERMINATE_APP = 24,
  TVSM_ASYNC_RELEASE_TV_RESOURCES = 25,
  TVSM_ASYNC_UI_STATUS = 26
};
enum { TVSM_APP_NAME_SIZE = 32 };
typedef struct {
  int32_t id;
  char name[TVSM_APP_NAME_SIZE]; /* zero-terminated */
  int32_t argument;
} TVSM_AppLaunch;

/* The register table of named texts that the state manager shares with the
 * applications. Get copies the text (zero-terminated, cut to size - 1
 * bytes); a change of an entry for which notification was asked for (on 1)
 * arrives as the middleware's register-table change event. */
int32_t TVSM_GetRegisterTable(const char* name, char* text, int32_t size);
int32_t TVSM_SetRegisterTable(const char* name, const char* text);
int32_t TVSM_RegisterTableChangeNotify(const char* name, int32_t on);

#ifdef __cplusplus
}

namespace TvsmCommand {
#define TVSM_COMMAND_CONSTANT(id, number) inline constexpr uint32_t id = number;
TVSM_COMMANDS(TVSM_COMMAND_CONSTANT)
#undef TVSM_COMMAND_CONSTANT
}  // namespace TvsmCommand
#endif

#endif
