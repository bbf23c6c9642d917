/* Platform paths of the set ("/mnt/nvram/APP_NVRAM.dat", ...) mapped below a
 * root directory, so that tests, tools and the simulated set never touch the
 * real root file system.
 *
 * The root is the environment variable TVUI_ROOT when it is set and not empty,
 * else the directory "rootfs" below the working directory. On the set itself
 * TVUI_ROOT is "/", and every path maps to itself. The variable is read at
 * each call, so a test can point it at its own temporary directory.
 *
 * Below any root other than "/" the directories of a mapped path are made on
 * demand: the simulated set has no partitions mounted at /mnt/nvram and the
 * like. Relative paths are already below the working directory and stay as
 * they are. A path with a ".." component could leave the root and is refused.
 * The board's serial port "/dev/ttyS0" maps to the simulated set's
 * pseudo-terminal (simtv.h), or is refused when the set has none. */
#ifndef TVUI_NVPATH_H
#define TVUI_NVPATH_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The root directory in force. The text lives until the next call. */
const char* NvRootDir(void);

/* Writes the mapped path of path, zero-terminated, into buffer (size bytes).
 * Returns the length of the mapped path, or 0 for a missing, empty or refused
 * path or one that does not fit (buffer then holds an empty text). */
size_t NvMapPath(const char* path, char* buffer, size_t size);

#ifdef __cplusplus
}

#include <string>

/* The mapped path, or the empty string for a refused path. */
std::string NvPath(const char* path);
#endif

#endif
