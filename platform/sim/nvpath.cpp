#include "nvpath.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "simvalues.h"

namespace {

constexpr const char* kDefaultRoot = "rootfs";
constexpr const char* kSerialConsole = "/dev/ttyS0";

bool HasParentStep(const std::string& path) {
  for (size_t start = 0; start <= path.size();) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    if (path.compare(start, end - start, "..") == 0 && end - start == 2) return true;
    start = end + 1;
  }
  return false;
}

// Makes every directory above the file, ignoring those that exist.
void MakeParentDirs(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    std::string dir = path.substr(0, slash);
    if (mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST)
      std::fprintf(stderr, "nvpath: cannot make directory %s: %s\n", dir.c_str(), std::strerror(errno));
  }
}

std::string Root() {
  const char* root = std::getenv("TVUI_ROOT");
  std::string r = root && *root ? root : kDefaultRoot;
  while (r.size() > 1 && r.back() == '/') r.pop_back();
  return r;
}

}  // namespace

const char* NvRootDir(void) {
  static std::string root;
  root = Root();
  return root.c_str();
}

std::string NvPath(const char* path) {
  if (!path || !*path) return {};
  std::string p = path;
  if (HasParentStep(p)) {
    std::fprintf(stderr, "nvpath: refused path %s (it could leave the root)\n", path);
    return {};
  }
  if (p[0] != '/') return p;
  std::string root = Root();
  if (root == "/") return p;
  // The serial port is the set's pseudo-terminal, whatever the root.
  if (p == kSerialConsole) return simtv::ConsoleDevice();
  std::string mapped = root + p;
  MakeParentDirs(mapped);
  return mapped;
}

size_t NvMapPath(const char* path, char* buffer, size_t size) {
  std::string mapped = NvPath(path);
  if (mapped.empty() || mapped.size() >= size) {
    if (buffer && size > 0) buffer[0] = '\0';
    return 0;
  }
  std::memcpy(buffer, mapped.c_str(), mapped.size() + 1);
  return mapped.size();
}
