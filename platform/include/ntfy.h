/* The external application player's notification queue: SysV messages made
 * from a code and two optional texts. */
#ifndef TVUI_PLATFORM_NTFY_H
#define TVUI_PLATFORM_NTFY_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The player's queue, or -1 when it has none. */
int32_t ntfy_get_mqid(void);
/* Makes the message of a code and its texts (either may be null); 0 on
 * success, when the caller owns *message until ntfy_free_sysv_msg. */
int32_t ntfy_convert_strings_to_sysv_msg(int32_t code, const char* first, const char* second, void** message);
/* Sends the message to the queue; 0 on success. The message stays the caller's. */
int32_t ntfy_send_sysv_msg(int32_t queue, void* message);
void ntfy_free_sysv_msg(void* message);

#ifdef __cplusplus
}
#endif

#endif
