/* Resource manager: exclusive resources shared with external applications. */
#ifndef TVUI_PLATFORM_BNRM_H
#define TVUI_PLATFORM_BNRM_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* 0 when the resource is now held; 1 when another holder keeps it; other
 * values are failures. */
int32_t B_NRM_LockExclusiveResource(int32_t resource, int32_t timeout, int32_t flags);
int32_t B_NRM_UnlockExclusiveResource(int32_t resource);

#ifdef __cplusplus
}
#endif

#endif
