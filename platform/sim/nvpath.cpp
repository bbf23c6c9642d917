#include "nvpath.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "simvalues.h"

namespace {

constexpr const char* kDefaultRoot = "rootfs";
constexpr const char* kSerialConsole = "/dev/ttyS0";
// The name a file copied onto the set's disk has until it is whole.
constexpr const char* kPartCopy = ".tvui-part-";

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
  std::string given;  // the root's path as TVUI_ROOT gave it, made absolute then
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

// ROOT as an absolute path, its links not followed.
std::string Absolute(const std::string& root) {
  std::error_code error;
  const std::filesystem::path at = std::filesystem::absolute(root, error);
  std::string absolute = (error ? std::filesystem::path(root) : at).lexically_normal().string();
  while (absolute.size() > 1 && absolute.back() == '/') absolute.pop_back();
  return absolute;
}

// The real path of the folder FD is open on, as it stands now.
std::string RealPath(int fd) {
  char path[PATH_MAX];
  const std::string link = "/proc/self/fd/" + std::to_string(fd);
  const ssize_t n = readlink(link.c_str(), path, sizeof path - 1);
  return n > 0 ? std::string(path, size_t(n)) : std::string();
}

// The names by which a link may name the set's folder ROOT (TOP, its
// handle): its real path, and its path as TVUI_ROOT gives it (a link to it,
// say) when that differs.
std::vector<std::deque<std::string>> SetNames(int top, const std::string& root) {
  std::string given;
  {
    std::lock_guard lock(H().mutex);
    if (H().fd >= 0 && H().root == root) given = H().given;
  }
  if (given.empty()) given = Absolute(root);
  std::vector<std::deque<std::string>> names{Parts(RealPath(top))};
  if (Parts(given) != names.front()) names.push_back(Parts(given));
  return names;
}

// Whether the place AT is the folder NAME or lies on the way to it.
bool OnTheWayTo(const std::deque<std::string>& at, const std::deque<std::string>& name) {
  return at.size() <= name.size() && std::equal(at.begin(), at.end(), name.begin());
}

// Where a way below a folder ends: what Follow is asked to reach.
enum class Aim {
  kFolder,  // the folder the parts name, opened (made where MAKE says)
  kPlace,   // where the parts lead, judged: nothing is opened for good, made or needed there
};

// A way below the folder ROOT (a handle, shown as SHOWN in messages), taken
// one name at a time, each opened without following a link: a link met on
// the way is read and followed while it leads through the folder. An
// absolute one, or a relative one that climbs above the folder, leads
// through it only where it names the folder by one of NAMES (its real path,
// and the path it was given by) and goes on inside it; one that names
// anything else, or passes through any other folder or link on its way,
// leads out. A loop of links is told as one. The folders on the way are held
// one at a time, so that a way of any depth takes two handles.
class Way {
 public:
  Way(int root, std::string shown, std::vector<std::deque<std::string>> names)
      : root_(root), shown_(std::move(shown)), names_(std::move(names)) {}
  // The way of a link about to be put at SPOT (a path below the folder),
  // judged as it will stand for good: a way that comes back to SPOT leads
  // round in a loop through the new link itself, and one that climbs ("..")
  // back out of a link, or of a name that is not there or no folder, is
  // refused as unsteady (EAGAIN): what is put in that place later would
  // move where it leads, out of the folder too.
  // The new link counts among the links its way follows.
  Way(int root, std::string shown, std::string spot)
      : root_(root), shown_(std::move(shown)), spot_(std::move(spot)), links_(1) {}
  ~Way() { Close(); }
  Way(const Way&) = delete;
  Way& operator=(const Way&) = delete;

  // Follows PARTS from the folder itself. kFolder: a handle on the folder
  // reached, or -1 with errno and *WHY. kPlace: 0, or -1 with errno (EXDEV
  // out, ELOOP a loop, another where a link cannot be read) and *WHY. A way
  // refused leaves the last link followed in link_ and target_, and a loop's
  // links in loop_.
  int Follow(std::deque<std::string> parts, Aim aim, bool make, std::string* why) {
    fd_ = fcntl(root_, F_DUPFD_CLOEXEC, 0);
    if (fd_ < 0) return Fail(errno, shown_ + ": " + std::strerror(errno), why);
    while (!parts.empty()) {
      const std::string name = parts.front();
      parts.pop_front();
      if (name.empty() || name == ".") continue;
      if (outside_) {
        if (name == "..") {
          if (!at_.empty()) at_.pop_back();
          continue;
        }
        at_.push_back(name);
        if (std::find(names_.begin(), names_.end(), at_) != names_.end()) {
          // Back in the folder by its own name.
          outside_ = false;
          if (!Enter()) return Fail(errno, shown_ + ": " + std::strerror(errno), why);
          continue;
        }
        if (std::none_of(names_.begin(), names_.end(), [this](const auto& n) { return OnTheWayTo(at_, n); }))
          return Out(why);
        continue;
      }
      if (name == "..") {
        if (!spot_.empty() && !levels_.empty() && (levels_.back().missing || parts.size() < unsteady_)) {
          // The name climbed out of is not the folder it may be once put
          // there: what the copy of a link through it leaves is unsteady.
          if (!levels_.back().missing) {
            link_ = shown_ + "/" + followed_.back();
            target_ = followedTo_;
          } else {
            link_ = Shown();
            target_.clear();
          }
          return Fail(EAGAIN, link_ + " is climbed back out of", why);
        }
        if (!levels_.empty()) {
          if (!Up()) return Fail(errno, Shown() + ": " + std::strerror(errno), why);
          continue;
        }
        if (names_.empty()) return Out(why, name);
        // Above the folder, where only its own name leads back.
        outside_ = true;
        at_ = names_.front();
        at_.pop_back();
        continue;
      }
      if (!levels_.empty() && levels_.back().missing) {
        levels_.push_back({name, true});
        continue;
      }
      if (!spot_.empty() && Below(name) == spot_) {
        // Back at the new link's own place.
        for (const std::string& at : followed_) loop_.push_back(shown_ + "/" + at);
        loop_.insert(loop_.begin(), shown_ + "/" + spot_);
        loop_.push_back(shown_ + "/" + spot_);
        link_ = shown_ + "/" + spot_;
        return Fail(ELOOP, link_ + " would lead round in a loop of links", why);
      }
      int next = openat(fd_, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (next < 0 && errno == ENOENT) {
        if (aim == Aim::kPlace) {
          // Nothing there yet: the rest of the way is taken as written.
          levels_.push_back({name, true});
          continue;
        }
        if (!make) return Fail(ENOENT, At(name) + ": " + std::strerror(ENOENT), why);
        if (mkdirat(fd_, name.c_str(), 0755) != 0 && errno != EEXIST)
          return Fail(errno, "cannot make " + At(name) + ": " + std::strerror(errno), why);
        next = openat(fd_, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      }
      if (next >= 0) {
        close(fd_);
        fd_ = next;
        levels_.push_back({name, false});
        continue;
      }
      const int error = errno;
      char target[PATH_MAX];
      const ssize_t length =
          (error == ELOOP || error == ENOTDIR) ? readlinkat(fd_, name.c_str(), target, sizeof target - 1) : -1;
      if (length < 0 && aim == Aim::kPlace && error == ENOTDIR) {
        // A file, or another thing that is no folder: the way ends there.
        levels_.push_back({name, true});
        continue;
      }
      if (length <= 0) {
        // A link that changed as it was read is no loop.
        const int reason = error == ELOOP && length < 0 ? errno : error;
        return Fail(reason, At(name) + ": " + std::strerror(reason), why);
      }
      const std::string to(target, size_t(length));
      const std::string link = Below(name);
      link_ = At(name);
      target_ = to;
      // The same link with the same way after it: round in a loop.
      std::string state = link + '\n';
      for (const std::string& part : parts) state += part + '/';
      const auto again = std::find(states_.begin(), states_.end(), state);
      if (again != states_.end() || ++links_ > NvMostLinks) {
        if (again == states_.end() && std::find(followed_.begin(), followed_.end(), link) == followed_.end()) {
          // Every link on the way a new one: no loop, a chain longer than
          // the system follows.
          chain_ = true;
          if (!spot_.empty()) loop_.push_back(shown_ + "/" + spot_);
          for (const std::string& at : followed_) loop_.push_back(shown_ + "/" + at);
          loop_.push_back(link_);
          return Fail(ELOOP, link_ + " is a link to " + to + ", the last of a chain of more than " +
                                 std::to_string(NvMostLinks) + " links, longer than the system follows", why);
        }
        Loop(link, again == states_.end() ? -1 : again - states_.begin());
        return Fail(ELOOP, link_ + " is a link to " + to + ", which leads round in a loop of links", why);
      }
      states_.push_back(state);
      followed_.push_back(link);
      followedTo_ = to;
      // What comes after the link in the way is taken from wherever the
      // link leads now.
      unsteady_ = std::max(unsteady_, parts.size());
      std::deque<std::string> next_parts = Parts(to);
      if (to[0] == '/') {
        if (names_.empty()) return Out(why);
        outside_ = true;
        at_.clear();
        if (!Enter()) return Fail(errno, shown_ + ": " + std::strerror(errno), why);
      }
      parts.insert(parts.begin(), next_parts.begin(), next_parts.end());
    }
    if (outside_) return Out(why);
    if (aim == Aim::kPlace) return 0;
    const int folder = fd_;
    fd_ = -1;
    return folder;
  }

  // What Follow found on a way it refused.
  std::string link_;
  std::string target_;
  std::vector<std::string> loop_;
  bool chain_ = false;  // an ELOOP of a chain too long, not a loop

 private:
  struct Level {
    std::string name;
    bool missing;  // not there (or no folder): taken as written
  };

  void Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }
  // Back at the folder itself.
  bool Enter() {
    Close();
    levels_.clear();
    fd_ = fcntl(root_, F_DUPFD_CLOEXEC, 0);
    return fd_ >= 0;
  }
  // One folder up: opened again from the folder, without a link.
  bool Up() {
    const Level left = levels_.back();
    levels_.pop_back();
    if (left.missing) return true;
    std::vector<Level> way;
    way.swap(levels_);
    if (!Enter()) return false;
    for (const Level& level : way) {
      const int next = openat(fd_, level.name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (next < 0) return false;
      close(fd_);
      fd_ = next;
      levels_.push_back(level);
    }
    return true;
  }
  // The path below the folder of NAME here.
  std::string Below(const std::string& name) const {
    std::string path;
    for (const Level& level : levels_) path += level.name + "/";
    return path + name;
  }
  std::string At(const std::string& name) const { return shown_ + "/" + Below(name); }
  std::string Shown() const {
    std::string path = shown_;
    for (const Level& level : levels_) path += "/" + level.name;
    return path;
  }
  // The links of the loop that LINK closes: from the one it came round to
  // (AGAIN, an index of the links followed) on, and that one again; or,
  // where the way grows at each round (a link to a folder below itself),
  // from LINK's last round on.
  void Loop(const std::string& link, std::ptrdiff_t again) {
    std::ptrdiff_t from = again;
    if (from < 0) {
      const auto last = std::find(followed_.rbegin(), followed_.rend(), link);
      from = last == followed_.rend() ? std::ptrdiff_t(followed_.size()) : followed_.rend() - last - 1;
    }
    for (auto it = followed_.begin() + from; it != followed_.end(); ++it) loop_.push_back(shown_ + "/" + *it);
    if (again >= 0 || loop_.empty()) loop_.push_back(shown_ + "/" + link);
  }
  int Out(std::string* why, const std::string& climbed = {}) {
    if (link_.empty()) return Fail(EXDEV, Shown() + "/" + climbed + " leads out of the set's folder " + shown_, why);
    return Fail(EXDEV, link_ + " is a link to " + target_ + ", which leads out of the set's folder " + shown_, why);
  }
  int Fail(int error, const std::string& reason, std::string* why) {
    Close();
    *why = reason;
    errno = error;
    return -1;
  }

  int root_;
  std::string shown_;
  std::vector<std::deque<std::string>> names_;
  std::string spot_;       // the place of the link judged before it is there
  size_t unsteady_ = 0;    // how many of the last parts come after a link on the way
  std::string followedTo_;  // what the last link followed says
  int fd_ = -1;
  std::vector<Level> levels_;
  bool outside_ = false;
  std::deque<std::string> at_;  // where the way is, outside the folder
  int links_ = 0;
  std::vector<std::string> states_;
  std::vector<std::string> followed_;
};

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
  H().given = Absolute(root);
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
  const int folder = Way(top, root, SetNames(top, root)).Follow(Parts(below), Aim::kFolder, make, why);
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

namespace {

NvLinkWay::End Looped(const Way& way) { return way.chain_ ? NvLinkWay::kChain : NvLinkWay::kLoop; }

NvLinkWay Judge(int top, const std::string& shown, std::vector<std::deque<std::string>> names, const std::string& link) {
  Way way(top, shown, std::move(names));
  NvLinkWay judged;
  if (way.Follow(Parts(link), Aim::kPlace, false, &judged.why) == 0) return judged;
  judged.end = errno == EXDEV ? NvLinkWay::kOut : errno == ELOOP ? Looped(way) : NvLinkWay::kUnreadable;
  judged.link = way.link_.empty() ? shown + "/" + link : way.link_;
  judged.target = way.target_;
  judged.loop = way.loop_;
  return judged;
}

}  // namespace

NvLinkWay NvFollowLink(int folder, const std::string& shown, const std::string& link) {
  return Judge(folder, shown, {}, link);
}

NvLinkWay NvJudgeSetLink(const std::string& link) {
  const std::string root = Root();
  const int top = RootHandle(root, false);
  if (top < 0) {
    NvLinkWay judged;
    judged.end = NvLinkWay::kUnreadable;
    judged.link = root;
    judged.why = root + ": " + std::strerror(errno);
    return judged;
  }
  NvLinkWay judged = Judge(top, root, SetNames(top, root), link);
  close(top);
  return judged;
}

NvLinkWay NvJudgeNewLink(int folder, const std::string& shown, const std::string& place, const std::string& target) {
  NvLinkWay judged;
  if (target.empty() || target[0] == '/') {
    judged.end = NvLinkWay::kOut;
    judged.link = shown + "/" + place;
    judged.target = target;
    return judged;
  }
  std::deque<std::string> parts = Parts(place);
  parts.pop_back();
  for (const std::string& part : Parts(target)) parts.push_back(part);
  Way way(folder, shown, place);
  if (way.Follow(parts, Aim::kPlace, false, &judged.why) == 0) return judged;
  judged.end = errno == EXDEV    ? NvLinkWay::kOut
               : errno == ELOOP  ? Looped(way)
               : errno == EAGAIN ? NvLinkWay::kUnsteady
                                 : NvLinkWay::kUnreadable;
  judged.link = way.link_.empty() ? shown + "/" + place : way.link_;
  judged.target = way.link_.empty() ? target : way.target_;
  judged.loop = way.loop_;
  return judged;
}

std::vector<NvFolderId> NvFoldersUp(int folder) {
  std::vector<NvFolderId> way;
  int at = fcntl(folder, F_DUPFD_CLOEXEC, 0);
  struct stat info {};
  while (at >= 0 && fstat(at, &info) == 0) {
    const NvFolderId id{info.st_dev, info.st_ino};
    // The system's root is its own "..".
    if (!way.empty() && way.back().dev == id.dev && way.back().ino == id.ino) break;
    way.push_back(id);
    const int up = openat(at, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    close(at);
    at = up;
  }
  if (at >= 0) close(at);
  return way;
}

bool NvAmong(const std::vector<NvFolderId>& folders, const struct stat& info) {
  return std::any_of(folders.begin(), folders.end(),
                     [&](const NvFolderId& id) { return id.dev == info.st_dev && id.ino == info.st_ino; });
}

std::string NvPartCopyName(unsigned number) { return std::string(kPartCopy) + std::to_string(number); }

bool NvIsPartCopy(const std::string& name) {
  const size_t prefix = std::strlen(kPartCopy);
  return name.size() > prefix && name.compare(0, prefix, kPartCopy) == 0 &&
         std::all_of(name.begin() + std::ptrdiff_t(prefix), name.end(), [](char c) { return c >= '0' && c <= '9'; });
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
  // the way back up ("..") is known to lead to it. The path below the top is
  // one text that grows and shrinks with the way, so that a walk a thousand
  // folders deep costs no more per entry than one at the top.
  struct Level {
    std::vector<std::string> names;
    size_t next = 0;
    struct stat info {};
    size_t above = 0;  // the length of the path below the top of the folder it lies in
    std::string name;
  };
  std::vector<Level> levels(1);
  std::string below;
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
      const std::string name = std::move(levels.back().name);
      below.resize(levels.back().above);
      levels.pop_back();
      const int up = openat(fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      struct stat info {};
      if (up < 0 || fstat(up, &info) != 0 || !SameFile(info, levels.back().info)) {
        *why = below + name + " moved away while it was walked";
        if (up >= 0) close(up);
        good = false;
        break;
      }
      close(fd);
      fd = up;
      if (!walker.Left(fd, below, name)) {
        good = false;
        break;
      }
      continue;
    }
    Level& level = levels.back();
    const std::string name = std::move(level.names[level.next++]);
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
    inside.above = below.size();
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
    below += name;
    below += '/';
  }
  close(fd);
  return good;
}

bool NvPlacementOf(int folder, const std::string& name, bool follow, NvPlacement* placement) {
  struct statx info {};
  const int flags = (follow ? 0 : AT_SYMLINK_NOFOLLOW) | (name.empty() ? AT_EMPTY_PATH : 0);
  if (statx(folder, name.c_str(), flags, STATX_BASIC_STATS | STATX_MNT_ID, &info) != 0) return false;
  *placement = {makedev(info.stx_dev_major, info.stx_dev_minor), (info.stx_mask & STATX_MNT_ID) ? info.stx_mnt_id : 0};
  return true;
}

bool NvEmptyFolder(int folder, std::string* why) {
  struct Emptier final : NvWalker {
    NvPlacement top{};
    bool good = true;
    std::string stays;
    void Stays(const std::string& path, const std::string& reason) {
      if (stays.empty()) stays = path + ": " + reason;
      good = false;
    }
    Step Entry(int at, const std::string& below, const std::string& name, const struct stat& info) override {
      // A folder of another mount holds files that are not the emptier's:
      // the mount's own folder is its way in, and stays with all it holds.
      NvPlacement here{info.st_dev, top.mount};
      if (S_ISDIR(info.st_mode) && !NvPlacementOf(at, name, false, &here)) {
        Stays(below + name, std::strerror(errno));
        return kSkip;
      }
      if (!(here == top)) {
        Stays(below + name, "a mount inside the folder, whose files are not its to remove");
        return kSkip;
      }
      if (S_ISDIR(info.st_mode)) return kEnter;
      if (unlinkat(at, name.c_str(), 0) != 0 && errno != ENOENT) Stays(below + name, std::strerror(errno));
      return kSkip;
    }
    bool Left(int at, const std::string& below, const std::string& name) override {
      if (unlinkat(at, name.c_str(), AT_REMOVEDIR) != 0 && errno != ENOENT) Stays(below + name, std::strerror(errno));
      return true;
    }
  } emptier;
  std::string unread;
  if (!NvPlacementOf(folder, "", false, &emptier.top)) {
    if (why) *why = std::string("the folder cannot be read: ") + std::strerror(errno);
    return false;
  }
  const bool walked = NvWalk(folder, emptier, &unread);
  if (why) *why = !emptier.stays.empty() ? emptier.stays : unread;
  return walked && emptier.good;
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

namespace {

struct Unwritten {
  std::mutex mutex;
  std::vector<std::string> notes;
};
Unwritten& U() {
  static Unwritten& unwritten = *new Unwritten;
  return unwritten;
}

}  // namespace

void NvNoteUnwritten(const std::string& path, const std::string& why) {
  const std::string note = path + ": " + why;
  std::lock_guard lock(U().mutex);
  if (std::find(U().notes.begin(), U().notes.end(), note) == U().notes.end()) U().notes.push_back(note);
}

std::string NvTakeUnwritten() {
  std::lock_guard lock(U().mutex);
  std::string all;
  for (const std::string& note : U().notes) all += (all.empty() ? "" : "\n") + note;
  U().notes.clear();
  return all;
}
