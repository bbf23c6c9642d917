// Reads a whole file, or a stretch of one, into one static buffer and hands it
// to the GUI as a string. Paths are platform paths (nvpath.h maps them).
#pragma once

#include <cstdint>

#include "vgstring.h"

inline constexpr int32_t kSimpleFileBufferSize = 262144;

// The file's first 262144 bytes as 8-bit text, one character per byte (it ends
// at the first zero byte); the empty string when the file cannot be opened.
VgString LoadStringFromFile(VgString path);
// The file's length in bytes; 0 when it cannot be opened.
int32_t GetFileLength(VgString path);
// Reads length bytes (0 to 262144) from offset. Mode 0 returns them as UTF-16
// text; mode 1 drops a double-byte character cut at the end of the data, mode 2
// does not count one cut at its start, and both, like any other mode, return
// null and leave the data in the buffer. The empty string when the file cannot
// be opened.
VgString ReadFromFile(VgString path, int32_t offset, int32_t length, int32_t mode);
// The bytes delivered by the last ReadFromFile.
int32_t GetNumReadByte();
// The buffer is static: these do nothing.
void AllocBuffer();
void FreeBuffer();

// The same on real paths, without GUI strings (tools, tests, fuzzing).
// SimpleReadFile leaves the data, terminated as the mode says, in the buffer
// and returns false when the file cannot be opened; SimpleLoadFile returns the
// bytes read, or -1.
bool SimpleReadFile(const char* path, int32_t offset, int32_t length, int32_t mode);
int32_t SimpleLoadFile(const char* path);
int32_t SimpleFileLength(const char* path);
const uint8_t* SimpleFileBuffer();
