#include "nvpath.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "simvalues.h"

namespace {

constexpr const char* kDefaultRoot = "rootfs";
constexpr const char* kSerialConsole = "/dev/ttyS0";
// As many links as the kernel follows on one path.
constexpr int kMostLinks = 40;

bool HasParentStep(const std::string& path) {
  for (size_t start = 0; start <= path.size();) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    if (path.compare(start, end - start, "..") == 0 && end - start == 2) return true;
    start = end + 1;
  }
  return false;
}

std::string Root() {
  const char* root = std::getenv("TVUI_ROOT");
  std::string r = root && *root ? root : kDefaultRoot;
  while (r.size() > 1 && r.back() == '/') r.pop_back();
  return r;
}

std::deque<std::string> Parts(const std::string& path) {
  std::deque<std::string> parts;
  for (size_t start = 0; start < path.size();) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// The set's folder as the run took it at its start, and the refusals that
// no one has asked about yet.
struct Held {
  std::mutex mutex;
  std::string root;
  int fd = -1;
  std::vector<std::string> refusals;
  std::string lastSaid;  // the last failure MakeParentDirs printed
};
Held& H() {
  static Held held;
  return held;
}

// Whether the refusal is new since the last question.
bool NoteRefusal(const std::string& refusal) {
  std::lock_guard lock(H().mutex);
  for (const std::string& noted : H().refusals)
    if (noted == refusal) return false;
  H().refusals.push_back(refusal);
  return true;
}

// A handle on the set's folder ROOT: the one held since the start while
// TVUI_ROOT still names it, else the folder opened now, made when missing
// (a test's fresh root).
int RootHandle(const std::string& root, bool make) {
  {
    std::lock_guard lock(H().mutex);
    if (H().fd >= 0 && H().root == root) return fcntl(H().fd, F_DUPFD_CLOEXEC, 0);
  }
  int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0 && errno == ENOENT && make) {
    for (size_t slash = root.find('/', 1); slash != std::string::npos; slash = root.find('/', slash + 1))
      mkdir(root.substr(0, slash).c_str(), 0755);
    mkdir(root.c_str(), 0755);
    fd = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  }
  return fd;
}

// The real path of the folder FD is open on, as it stands now.
std::string RealPath(int fd) {
  char path[PATH_MAX];
  const std::string link = "/proc/self/fd/" + std::to_string(fd);
  const ssize_t n = readlink(link.c_str(), path, sizeof path - 1);
  return n > 0 ? std::string(path, size_t(n)) : std::string();
}

// Opens the folder PARTS below the folder ROOT (a handle, shown as SHOWN),
// one folder at a time, each opened without following a link: a link met on
// the way is read and followed only while it stays below ROOT (an absolute
// one is judged by ROOT's real path), and a link that leads out of it, or
// round in a loop, is refused, naming it. Missing folders are made when MAKE
// says so. A handle, or -1 with errno and WHY.
int OpenBeneath(int root, const std::string& shown, std::deque<std::string> parts, bool make, std::string* why) {
  std::vector<int> way{fcntl(root, F_DUPFD_CLOEXEC, 0)};
  std::vector<std::string> names;
  auto close_all = [&way] {
    for (int fd : way) close(fd);
    way.clear();
  };
  auto at = [&](const std::string& name) {
    std::string path = shown;
    for (const std::string& n : names) path += "/" + n;
    return path + "/" + name;
  };
  auto fail = [&](int error, const std::string& reason) {
    close_all();
    *why = reason;
    errno = error;
    return -1;
  };
  if (way[0] < 0) {
    way.clear();
    return fail(errno, shown + ": " + std::strerror(errno));
  }
  int links = 0;
  while (!parts.empty()) {
    const std::string name = parts.front();
    parts.pop_front();
    if (name == ".") continue;
    if (name == "..") {
      if (way.size() == 1) return fail(EXDEV, at(name) + " leads out of the set's folder " + shown);
      close(way.back());
      way.pop_back();
      names.pop_back();
      continue;
    }
    int fd = openat(way.back(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT && make) {
      if (mkdirat(way.back(), name.c_str(), 0755) != 0 && errno != EEXIST)
        return fail(errno, "cannot make " + at(name) + ": " + std::strerror(errno));
      fd = openat(way.back(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    }
    if (fd >= 0) {
      way.push_back(fd);
      names.push_back(name);
      continue;
    }
    const int error = errno;
    char target[PATH_MAX];
    const ssize_t length = (error == ELOOP || error == ENOTDIR)
                               ? readlinkat(way.back(), name.c_str(), target, sizeof target - 1)
                               : -1;
    if (length <= 0) return fail(error, at(name) + ": " + std::strerror(error));
    const std::string link = at(name);
    const std::string to(target, size_t(length));
    if (++links > kMostLinks)
      return fail(ELOOP, link + " is a link to " + to + ", which leads round in a loop of links");
    std::deque<std::string> next = Parts(to);
    if (to[0] == '/') {
      // Absolute: below the set's folder's real path, or out of it.
      const std::string real = RealPath(root);
      const bool below = !real.empty() && (to == real || to.compare(0, real.size() + 1, real + "/") == 0);
      if (!below) return fail(EXDEV, link + " is a link to " + to + ", which leads out of the set's folder " + shown);
      next = Parts(to.substr(real.size()));
      while (way.size() > 1) {
        close(way.back());
        way.pop_back();
        names.pop_back();
      }
    } else {
      // A ".." that climbs above the set's folder fails where it is met.
      int depth = int(names.size());
      for (const std::string& step : next) {
        depth += step == ".." ? -1 : step == "." ? 0 : 1;
        if (depth < 0)
          return fail(EXDEV, link + " is a link to " + to + ", which leads out of the set's folder " + shown);
      }
    }
    parts.insert(parts.begin(), next.begin(), next.end());
  }
  const int folder = way.back();
  way.pop_back();
  close_all();
  return folder;
}

// Makes every folder above the file below the set's folder, through no link
// that leads out of it.
void MakeParentDirs(const std::string& root, const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos || slash == 0) return;
  std::string why;
  const int folder = NvOpenFolder(root + path.substr(0, slash), true, &why);
  if (folder >= 0) {
    close(folder);
  } else if (errno != EXDEV && errno != ELOOP) {
    // Said once, not at every look at the same path.
    std::lock_guard lock(H().mutex);
    if (why == H().lastSaid) return;
    H().lastSaid = why;
    std::fprintf(stderr, "nvpath: %s\n", why.c_str());
  }
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
  MakeParentDirs(root, p);
  return root + p;
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

int NvHoldRoot() {
  const std::string root = Root();
  const int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return -1;
  std::lock_guard lock(H().mutex);
  if (H().fd >= 0) close(H().fd);
  H().fd = fd;
  H().root = root;
  return 0;
}

int NvOpenFolder(const std::string& path, bool make, std::string* why) {
  std::string ignored;
  if (!why) why = &ignored;
  const std::string root = Root();
  std::string below;
  if (root == "/" && !path.empty() && path[0] == '/') {
    below = path;
  } else if (path == root) {
    below = "/";
  } else if (path.compare(0, root.size() + 1, root + "/") == 0) {
    below = path.substr(root.size());
  } else {
    // Not the set's: the folder as its path names it.
    const int fd = open(path.empty() ? "." : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) *why = path + ": " + std::strerror(errno);
    return fd;
  }
  const int top = RootHandle(root, make);
  if (top < 0) {
    *why = root + ": " + std::strerror(errno);
    return -1;
  }
  const int folder = OpenBeneath(top, root, Parts(below), make, why);
  const int error = errno;
  close(top);
  if (folder < 0 && (error == EXDEV || error == ELOOP) && NoteRefusal(*why))
    std::fprintf(stderr, "nvpath: %s: the set writes its files only below its folder, never through such a link\n",
                 why->c_str());
  errno = error;
  return folder;
}

int NvOpenFolderOf(const std::string& path, std::string* name, bool make, std::string* why) {
  const size_t slash = path.rfind('/');
  *name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  return NvOpenFolder(folder, make, why);
}

std::string NvTakeRefusals() {
  std::lock_guard lock(H().mutex);
  std::string all;
  for (const std::string& refusal : H().refusals) all += (all.empty() ? "" : "\n") + refusal;
  H().refusals.clear();
  return all;
}

namespace {

// The names in the folder FD is open on (no "." or ".."): false when it
// cannot be read.
bool NamesIn(int fd, std::vector<std::string>* names) {
  const int dup = openat(fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DIR* dir = dup < 0 ? nullptr : fdopendir(dup);
  if (!dir) {
    if (dup >= 0) close(dup);
    return false;
  }
  names->clear();
  for (dirent* entry; (entry = readdir(dir)) != nullptr;) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names->push_back(name);
  }
  closedir(dir);
  return true;
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

}  // namespace

bool NvWalk(int top, NvWalker& walker, std::string* why) {
  std::string ignored;
  if (!why) why = &ignored;
  // A folder on the way: what is left of it, and the folder itself, so that
  // the way back up ("..") is known to lead to it.
  struct Level {
    std::vector<std::string> names;
    size_t next = 0;
    struct stat info {};
    std::string below;  // its path below the top, ending in "/"
    std::string name;
  };
  std::vector<Level> levels(1);
  int fd = fcntl(top, F_DUPFD_CLOEXEC, 0);
  if (fd < 0 || fstat(fd, &levels[0].info) != 0 || !NamesIn(fd, &levels[0].names)) {
    *why = std::string("the folder cannot be read: ") + std::strerror(errno);
    if (fd >= 0) close(fd);
    return false;
  }
  bool good = true;
  while (true) {
    if (levels.back().next == levels.back().names.size()) {
      if (levels.size() == 1) break;
      const std::string name = levels.back().name;
      levels.pop_back();
      const int up = openat(fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      struct stat info {};
      if (up < 0 || fstat(up, &info) != 0 || !SameFile(info, levels.back().info)) {
        *why = levels.back().below + name + " moved away while it was walked";
        if (up >= 0) close(up);
        good = false;
        break;
      }
      close(fd);
      fd = up;
      if (!walker.Left(fd, levels.back().below, name)) {
        good = false;
        break;
      }
      continue;
    }
    Level& level = levels.back();
    const std::string name = level.names[level.next++];
    const std::string below = level.below;
    struct stat info {};
    if (fstatat(fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      // Gone since the folder was read: nothing to walk.
      if (errno != ENOENT) {
        *why = below + name + ": " + std::strerror(errno);
        good = false;
      }
      continue;
    }
    const NvWalker::Step step = walker.Entry(fd, below, name, info);
    if (step == NvWalker::kStop) {
      good = false;
      break;
    }
    if (step != NvWalker::kEnter || !S_ISDIR(info.st_mode)) continue;
    Level inside;
    inside.below = below + name + "/";
    inside.name = name;
    const int next = openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (next < 0 || fstat(next, &inside.info) != 0 || !NamesIn(next, &inside.names)) {
      *why = below + name + " cannot be read: " + std::strerror(errno);
      if (next >= 0) close(next);
      good = false;
      continue;
    }
    if (!walker.Entered(next, below, name)) {
      close(next);
      good = false;
      break;
    }
    close(fd);
    fd = next;
    levels.push_back(std::move(inside));
  }
  close(fd);
  return good;
}

bool NvEmptyFolder(int folder) {
  struct Emptier final : NvWalker {
    bool good = true;
    Step Entry(int at, const std::string&, const std::string& name, const struct stat& info) override {
      if (S_ISDIR(info.st_mode)) return kEnter;
      if (unlinkat(at, name.c_str(), 0) != 0 && errno != ENOENT) good = false;
      return kSkip;
    }
    bool Left(int at, const std::string&, const std::string& name) override {
      if (unlinkat(at, name.c_str(), AT_REMOVEDIR) != 0 && errno != ENOENT) good = false;
      return true;
    }
  } emptier;
  return NvWalk(folder, emptier, nullptr) && emptier.good;
}

uint64_t NvKilobytesIn(int folder) {
  struct Counter final : NvWalker {
    uint64_t kb = 0;
    Step Entry(int, const std::string&, const std::string&, const struct stat& info) override {
      if (S_ISREG(info.st_mode)) kb += (uint64_t(info.st_size) + 1023) / 1024;
      return kEnter;
    }
  } counter;
  NvWalk(folder, counter, nullptr);
  return counter.kb;
}
