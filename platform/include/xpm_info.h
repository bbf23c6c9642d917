/* Middleware calls behind the system information list: the signal quality of
 * the tuner, the video output, the software versions of the middleware and
 * the frame-rate converter, and the network interfaces' MAC addresses.
 *
 * Every call returns 0 on success and a non-zero error code otherwise; a
 * getter leaves its outputs untouched when it fails. Calls are recorded with
 * the rest of the set's (simtv_call_text) and fail on demand (simtv_fail). */
#ifndef TVUI_PLATFORM_XPM_INFO_H
#define TVUI_PLATFORM_XPM_INFO_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

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

/* The MAC address of interface 0 (wired) or 1 (wireless) as text
 * ("00:11:22:33:44:55"), zero-terminated, into a buffer of XPM_MAC_TEXT_SIZE
 * bytes. */
enum { XPM_MAC_TEXT_SIZE = 48 };
int32_t XPM_LAN_GetMacAddr(int32_t wireless, char* text);

/* ------------------------------------------- simulation control (tests, tools) */

/* Back to a set fresh from the factory: no signal, a 1920 x 1080 progressive
 * output at index 9, the factory's version texts and MAC addresses. */
void simtv_info_reset(void);
void simtv_info_set_signal_quality(int32_t quality);
void simtv_info_set_output(const XPM_VideoOutputProps* props);
/* Either text may be null to keep it. */
void simtv_info_set_versions(const char* tvm, const char* frc);
void simtv_info_set_mac(int32_t wireless, const char* text);

#ifdef __cplusplus
}
#endif

#endif
