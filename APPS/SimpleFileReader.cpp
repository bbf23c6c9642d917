#include "SimpleFileReader.h"

#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "nvpath.h"
#include "storageEntry.h"

namespace {

// Room behind the data for a UTF-16 terminator even after an odd byte count:
// two zero bytes at an odd count would leave the last character unterminated.
alignas(char16_t) uint8_t g_buffer[kSimpleFileBufferSize + 4];
int32_t g_readCount = 0;

void Terminate(int32_t at) { std::memset(g_buffer + at, 0, 3); }

bool IsHigh(uint8_t b) { return (b & 0x80) != 0; }

std::string MappedPath(VgString path) { return NvPath(StorageText(path).c_str()); }

}  // namespace

int32_t SimpleLoadFile(const char* path) {
  FILE* file = path && *path ? std::fopen(path, "rt") : nullptr;
  if (!file) return -1;
  auto n = static_cast<int32_t>(std::fread(g_buffer, 1, kSimpleFileBufferSize, file));
  std::fclose(file);
  Terminate(n);
  return n;
}

int32_t SimpleFileLength(const char* path) {
  FILE* file = path && *path ? std::fopen(path, "rt") : nullptr;
  if (!file) return 0;
  struct stat info;
  long length = fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode) && std::fseek(file, 0, SEEK_END) == 0
                    ? std::ftell(file)
                    : 0;
  std::fclose(file);
  return length < 0 ? 0 : length > INT32_MAX ? INT32_MAX : static_cast<int32_t>(length);
}

bool SimpleReadFile(const char* path, int32_t offset, int32_t length, int32_t mode) {
  // A failed read delivers nothing: the count of an earlier read must not survive it.
  g_readCount = 0;
  FILE* file = path && *path ? std::fopen(path, "rb") : nullptr;
  if (!file) {
    Terminate(0);
    return false;
  }
  if (length < 0) length = 0;
  if (length > kSimpleFileBufferSize) length = kSimpleFileBufferSize;
  int32_t n = 0;
  if (std::fseek(file, offset, SEEK_SET) == 0)
    n = static_cast<int32_t>(std::fread(g_buffer, 1, static_cast<size_t>(length), file));
  std::fclose(file);

  if (mode == 1) {
    // Double-byte text: an odd run of lead and trail bytes at the end is a character cut in two.
    int32_t run = 0;
    while (run < n && IsHigh(g_buffer[n - 1 - run])) ++run;
    if (run % 2) --n;
  } else if (mode == 2) {
    int32_t run = 0;
    while (run < n && IsHigh(g_buffer[run])) ++run;
    Terminate(n);
    g_readCount = run % 2 ? n - 1 : n;
    return true;
  }
  Terminate(n);
  g_readCount = n;
  return true;
}

const uint8_t* SimpleFileBuffer() { return g_buffer; }

VgString LoadStringFromFile(VgString path) {
  if (SimpleLoadFile(MappedPath(path).c_str()) < 0) return nullptr;
  return VgNewStringAnsi(reinterpret_cast<const char*>(g_buffer));
}

int32_t GetFileLength(VgString path) { return SimpleFileLength(MappedPath(path).c_str()); }

VgString ReadFromFile(VgString path, int32_t offset, int32_t length, int32_t mode) {
  if (!SimpleReadFile(MappedPath(path).c_str(), offset, length, mode)) return nullptr;
  if (mode != 0) return nullptr;
  return VgNewString(reinterpret_cast<const char16_t*>(g_buffer));
}

int32_t GetNumReadByte() { return g_readCount; }

void AllocBuffer() {}
void FreeBuffer() {}
