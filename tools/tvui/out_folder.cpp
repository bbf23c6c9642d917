#include "out_folder.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <mutex>
#include <string_view>

#include "picture_page.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kRecord = ".tvui-out";

// The runner's page of pictures, by its title; a page written before the
// folder kept a record names the pictures that were the runner's too.
constexpr const char* kPageTitle = "<title>tvui: the pictures of ";

fs::path Folder(const std::string& folder) { return folder.empty() ? fs::path(".") : fs::path(folder); }

// The folder as the options name it, for comparing one name with another.
std::string Key(const std::string& folder) {
  std::string key = Folder(folder).lexically_normal().string();
  while (key.size() > 1 && key.back() == '/') key.pop_back();
  return key;
}

// The run's folder, held from its start: every file is reached through
// the handle, never through the folder's name again, so that the folder
// swapped for a link, or moved, while the run writes is not written through.
// Set once, before the runner's threads start.
struct Held {
  int fd = -1;
  std::string key;
};

Held& H() {
  static Held held;
  return held;
}

// A folder as the runner reaches it (AT, through the held handle when it is
// the run's) and as its messages name it (SHOWN).
struct Place {
  fs::path at;
  fs::path shown;
};

Place PlaceOf(const std::string& folder) {
  const fs::path shown = Folder(folder);
  if (H().fd >= 0 && Key(folder) == H().key) return {OutFolderThrough(H().fd), shown};
  return {shown, shown};
}

// What the runner writes: pictures, their page and the walk's two files.
// A record that names anything else (copied, or edited by hand) is not
// followed for it.
bool RunnerWrites(const fs::path& path) {
  const std::string name = path.string();
  return (name.ends_with(".png") && name.size() > 4) || name == PicturePageFile() ||
         std::find(std::begin(kOutFolderWalkFiles), std::end(kOutFolderWalkFiles), name) != std::end(kOutFolderWalkFiles);
}

// A name below the folder, never past it, and never the record itself. A
// name with a byte 0 is none: the file system would see only the part
// before it ("notes.tex" of "notes.tex\0.png"), a file the runner never wrote.
bool Below(const std::string& name) {
  const fs::path path(name);
  if (name.empty() || HasControlCharacter(name) || !path.is_relative() || name == kRecord || !RunnerWrites(path))
    return false;
  return std::none_of(path.begin(), path.end(), [](const fs::path& part) { return part == ".."; });
}

std::string Normal(const std::string& name) { return fs::path(name).lexically_normal().string(); }

// A file as the runner left it: its size and the time it was last written,
// empty when there is no regular file. The name is not followed unless
// OPEN, where it names a file the process has open (/proc/self/fd/N).
std::string StampOf(const fs::path& file, bool open = false) {
  std::error_code error;
  if (!fs::is_regular_file(open ? fs::status(file, error) : fs::symlink_status(file, error))) return {};
  const uintmax_t size = fs::file_size(file, error);
  if (error) return {};
  const fs::file_time_type written = fs::last_write_time(file, error);
  if (error) return {};
  return std::to_string(size) + '\t' + std::to_string(written.time_since_epoch().count());
}

// The stamp of the file FD is open on, whatever its name holds by now.
std::string StampOfOpen(int fd) { return StampOf(OutFolderThrough(fd), true); }

// The file at PATH (relative to DIR, or DIR itself with AT_EMPTY_PATH) as
// no other file is: its device, inode and time of birth. The inode alone
// would not do, as a file made where one was removed often takes its inode.
// A file system that keeps no time of birth (ramfs) gives every new file a
// number of its own, never one a removed file had: there the inode is the
// file. Empty when it is no regular file: then no file is taken for it.
std::string FileOf(int dir, const char* path, int flags) {
  struct statx info {};
  if (statx(dir, path, flags | AT_SYMLINK_NOFOLLOW, STATX_TYPE | STATX_INO | STATX_BTIME, &info) != 0 ||
      !S_ISREG(info.stx_mode))
    return {};
  const std::string file = std::to_string(info.stx_dev_major) + ':' + std::to_string(info.stx_dev_minor) + ':' +
                           std::to_string(info.stx_ino) + ':';
  if (!(info.stx_mask & STATX_BTIME)) return file;
  return file + std::to_string(info.stx_btime.tv_sec) + '.' + std::to_string(info.stx_btime.tv_nsec);
}

// A line of the record: the name and the file's stamp as the runner wrote it
// whole, or while it is being written (the run may end before it is whole),
// the file itself ("writing" and the file), or both while a new page takes
// the place of one stamped before. A file whose stamp has changed since, and
// that is not the file being written, is the user's now (a picture of theirs
// put in the runner's place). An older build's record, and a page of its
// pictures in the folder it wrote them to, name files without a stamp: they
// are taken as the runner's.
struct Entry {
  std::string name;
  std::string stamp;
  bool writing = false;
  std::string file;
};

constexpr std::string_view kWriting = "writing\t";

// The record keeps a name a line, a tab after it.
constexpr const char* kNoControlCharacter =
    "the output folder's record keeps no name with a tab, a line end or another control character";

// The run's record as it is written.
struct Record {
  std::mutex mutex;
  Place folder;
  bool begun = false;
  std::vector<Entry> entries;
};

Record& R() {
  static Record record;
  return record;
}

// Why the runner leaves the file at PATH alone: it is not a regular file
// reached without a link.
std::string NotTaken(const std::string& what) {
  return what +
         ": the runner reads, writes and removes its files in the output folder only as regular files, never "
         "through a link; move it away, or name another --out";
}

std::string NotTaken(const fs::path& path, const std::string& why) { return NotTaken(path.string() + " " + why); }

std::string NotPlain(const Place& folder, const std::string& name) {
  fs::path at = folder.at;
  fs::path shown = folder.shown;
  const fs::path path(name);
  for (auto part = path.begin(); part != path.end(); ++part) {
    at /= *part;
    shown /= *part;
    struct stat info {};
    // Nothing there: nothing to remove, and a write makes no folder.
    if (lstat(at.c_str(), &info) != 0) return {};
    if (std::next(part) == path.end())
      return S_ISREG(info.st_mode) ? std::string() : shown.string() + " is " + FileKind(info.st_mode);
    if (S_ISLNK(info.st_mode)) return (folder.shown / path).string() + " lies below " + shown.string() + ", a link";
    if (!S_ISDIR(info.st_mode)) return {};
  }
  return {};
}

// Why NAME below the folder is not the runner's to remove or write.
std::string Unreachable(const Place& folder, const std::string& name) {
  const std::string why = NotPlain(folder, name);
  return why.empty() ? why : NotTaken(why);
}

// Reads the file at PATH (SHOWN in messages) without following a link or
// waiting on a pipe: empty, or why not. THERE tells whether anything is at
// PATH.
std::string ReadRegular(const fs::path& path, const fs::path& shown, std::string* text, bool* there) {
  text->clear();
  struct stat info {};
  const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  *there = fd >= 0 || errno != ENOENT;
  if (fd < 0) {
    const int reason = errno;
    if (!*there) return {};
    if (lstat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return NotTaken(shown, "is " + FileKind(info.st_mode));
    return "cannot read " + shown.string() + ": " + std::strerror(reason);
  }
  std::string why;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) why = NotTaken(shown, "is " + FileKind(info.st_mode));
  char buffer[4096];
  for (ssize_t got = 0; why.empty() && (got = read(fd, buffer, sizeof buffer)) != 0;) {
    if (got > 0) {
      text->append(buffer, size_t(got));
    } else if (errno != EINTR) {
      why = "cannot read " + shown.string() + ": " + std::strerror(errno);
    }
  }
  close(fd);
  return why;
}

// The pictures a page of the runner's shows, and the page: what a run wrote
// before the folder kept a record. Nothing when the page is another's.
std::vector<Entry> OlderPage(const Place& folder) {
  std::string text;
  bool there = false;
  if (!ReadRegular(folder.at / PicturePageFile(), folder.shown / PicturePageFile(), &text, &there).empty() ||
      text.find(kPageTitle) == std::string::npos)
    return {};
  std::vector<Entry> entries{{PicturePageFile(), {}}};
  constexpr std::string_view kImage = "<img src=\"";
  for (size_t at = text.find(kImage); at != std::string::npos; at = text.find(kImage, at)) {
    at += kImage.size();
    const size_t end = text.find('"', at);
    if (end == std::string::npos) break;
    const std::string name = text.substr(at, end - at);
    if (Below(name) && name.find('&') == std::string::npos) entries.push_back({Normal(name), {}});
  }
  return entries;
}

// Why no file below the folder can bear NAME, empty when one can: a part of
// it is longer than a file system keeps, or something that is no folder
// lies on its way. No run wrote such a file: the line that names it was
// copied or edited by hand.
std::string Impossible(const Place& folder, const std::string& name) {
  const fs::path path(name);
  if ((folder.shown / path).string().size() >= PATH_MAX) return "it is longer than a path the system takes";
  for (const fs::path& part : path)
    if (part.string().size() > NAME_MAX)
      return "a name in it is longer than the " + std::to_string(NAME_MAX) + " characters a file system keeps";
  fs::path at = folder.at;
  fs::path shown = folder.shown;
  for (auto part = path.begin(); std::next(part) != path.end(); ++part) {
    at /= *part;
    shown /= *part;
    struct stat info {};
    // Nothing there, or a link, which the run refuses to follow.
    if (lstat(at.c_str(), &info) != 0 || S_ISLNK(info.st_mode)) return {};
    if (!S_ISDIR(info.st_mode)) return "it lies below " + shown.string() + ", which is not a folder";
  }
  return {};
}

// A name as a message shows it: a control character, a byte 0 too, as \xNN.
std::string Shown(const std::string& name) {
  std::string shown;
  for (char c : name) {
    if (!HasControlCharacter(std::string_view(&c, 1))) {
      shown += c;
      continue;
    }
    char escaped[5];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", unsigned(uint8_t(c)));
    shown += escaped;
  }
  return shown;
}

// The files the record lists, or where the folder has none, those of an
// older build's page where OLDERPAGE says the folder is the one such a
// build wrote: empty, or why the record cannot be read. A line that names a
// file no folder can hold is left out, and DROPPED (when given) says why.
std::string Recorded(const Place& folder, bool olderPage, std::vector<Entry>* entries,
                     std::vector<std::string>* dropped = nullptr) {
  std::string text;
  bool there = false;
  if (std::string why = ReadRegular(folder.at / kRecord, folder.shown / kRecord, &text, &there); !why.empty())
    return why;
  entries->clear();
  if (!there) {
    if (olderPage) *entries = OlderPage(folder);
    return {};
  }
  for (size_t at = 0, end = 0; at < text.size(); at = end + 1) {
    end = std::min(text.find('\n', at), text.size());
    const std::string line = text.substr(at, end - at);
    const size_t tab = line.find('\t');
    const std::string name = line.substr(0, tab);
    // The runner writes no such name, and the file system would take only
    // the part before a byte 0 of it, a file the runner never wrote.
    const std::string why = HasControlCharacter(name) ? "a control character is in its name, as in no file the "
                                                        "runner writes"
                            : Below(name)             ? Impossible(folder, name)
                                                      : std::string();
    if (!why.empty()) {
      if (dropped)
        dropped->push_back("the record " + (folder.shown / kRecord).string() + " names " +
                           Shown((folder.shown / name).string()) +
                           ", which cannot be a file (" + why + "): its line is dropped, and nothing removed");
      continue;
    }
    if (!Below(name)) continue;
    Entry entry{Normal(name), tab == std::string::npos ? std::string() : line.substr(tab + 1)};
    const size_t writing = ("\t" + entry.stamp).find("\t" + std::string(kWriting));
    if (writing != std::string::npos) {
      entry.writing = true;
      entry.file = entry.stamp.substr(writing + kWriting.size());
      entry.stamp.erase(writing == 0 ? 0 : writing - 1);
    }
    entries->push_back(entry);
  }
  return {};
}

const Entry* Find(const std::vector<Entry>& entries, const std::string& name) {
  auto at = std::find_if(entries.begin(), entries.end(), [&name](const Entry& e) { return e.name == name; });
  return at == entries.end() ? nullptr : &*at;
}

// The runner's file: listed, and as the run that wrote it left it, or the
// very file it was writing. A file being written that the user has since
// changed in place is still that file.
bool Runners(const Place& folder, const Entry* entry) {
  if (!entry) return false;
  const fs::path path = folder.at / entry->name;
  return (entry->stamp.empty() && !entry->writing) || (!entry->stamp.empty() && entry->stamp == StampOf(path)) ||
         (!entry->file.empty() && entry->file == FileOf(AT_FDCWD, path.c_str(), 0));
}

// A file of that name that the record does not list, or that changed since
// the runner wrote it: the user's.
std::string UsersOwn(const Place& folder, const std::vector<Entry>& recorded, const std::string& name) {
  if (std::string why = Unreachable(folder, name); !why.empty()) return why;
  std::error_code error;
  if (!fs::exists(fs::symlink_status(folder.at / name, error))) return {};
  const Entry* entry = Find(recorded, name);
  if (Runners(folder, entry)) return {};
  return (folder.shown / name).string() +
         (entry ? " has changed since the runner wrote it" : " is not one the runner wrote") +
         ", and the runner never writes over a file it did not write: move it away, or name another --out";
}

Entry& EntryOf(Record& record, const std::string& name) {
  auto at =
      std::find_if(record.entries.begin(), record.entries.end(), [&name](const Entry& e) { return e.name == name; });
  return at != record.entries.end() ? *at : record.entries.emplace_back(Entry{name, {}});
}

// The file joins the record as being written.
void MarkWriting(Record& record, const std::string& name, const std::string& file) {
  Entry& entry = EntryOf(record, name);
  entry.writing = true;
  entry.file = file;
}

// The file's stamp joins the record, or its line goes when there is none.
void StampIn(Record& record, const std::string& name, const std::string& stamp) {
  Entry& entry = EntryOf(record, name);
  entry = {name, stamp};
  if (stamp.empty()) record.entries.erase(record.entries.begin() + (&entry - record.entries.data()));
}

// Writes TEXT through FD, opened on PATH; empty, or why not.
std::string WriteAll(int fd, const std::string& text, const std::string& path) {
  for (size_t done = 0; done < text.size();) {
    const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
    if (wrote > 0) {
      done += size_t(wrote);
    } else if (wrote == 0 || errno != EINTR) {
      return "cannot write " + path + ": " + std::strerror(wrote == 0 ? EIO : errno);
    }
  }
  return {};
}

// A new file beside PATH, under a name no file had (one there already, the
// user's or left by a killed run, is neither written nor put in PATH's
// place): its descriptor, open for writing, or -1 with errno set.
int NewFileBeside(const fs::path& path, fs::path* fresh) {
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    *fresh = path.parent_path() / (".tvui-" + path.filename().string() + "." + std::to_string(getpid()) + "-" +
                                   std::to_string(attempt));
    fd = open(fresh->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0 && errno != EEXIST) break;
  }
  return fd;
}

// Writes a new file beside PATH (SHOWN in messages) through WRITE, and
// closes it; its stamp in *STAMP and the file itself in *FILE. Empty, or
// why not, the new file gone: a close can be the first to tell that the
// folder is full.
std::string WriteBeside(const fs::path& path, const fs::path& shown, const OutFolderWriter& write, fs::path* fresh,
                        std::string* stamp, std::string* file) {
  const int fd = NewFileBeside(path, fresh);
  if (fd < 0) return "cannot write " + shown.string() + ": " + std::strerror(errno);
  // Messages name the file the user will look for, not its new name.
  std::string why = write(fd, shown.string());
  *stamp = StampOfOpen(fd);
  *file = FileOf(fd, "", AT_EMPTY_PATH);
  if (close(fd) != 0 && why.empty()) why = "cannot write " + shown.string() + ": " + std::strerror(errno);
  if (!why.empty()) unlink(fresh->c_str());
  return why;
}

// The record is replaced whole: a full folder leaves the one before as it
// was, never half of a new one.
std::string WriteRecord(const Record& record) {
  std::string text;
  for (const Entry& entry : record.entries) {
    text += entry.name + '\t' + entry.stamp;
    if (entry.writing) text += (entry.stamp.empty() ? "" : "\t") + std::string(kWriting) + entry.file;
    text += '\n';
  }
  const fs::path path = record.folder.at / kRecord;
  const fs::path shown = record.folder.shown / kRecord;
  // A link or a pipe put in its place since the run began is not the
  // runner's to replace either.
  struct stat info {};
  if (lstat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return NotTaken(shown, "is " + FileKind(info.st_mode));
  fs::path fresh;
  std::string stamp;
  std::string file;
  const auto put = [&text](int fd, const std::string& at) { return WriteAll(fd, text, at); };
  if (std::string why = WriteBeside(path, shown, put, &fresh, &stamp, &file); !why.empty()) return why;
  if (rename(fresh.c_str(), path.c_str()) == 0) return {};
  const std::string why = "cannot write " + shown.string() + ": " + std::strerror(errno);
  unlink(fresh.c_str());
  return why;
}

// The process that wrote a file of NewFileBeside's naming, .tvui-NAME.PID-N,
// where NAME is one the runner writes (or the record); 0 for any other name.
pid_t WriterOfNewFile(const std::string& file) {
  constexpr std::string_view kPrefix = ".tvui-";
  const size_t dash = file.rfind('-');
  const size_t dot = dash == std::string::npos ? dash : file.rfind('.', dash);
  if (!file.starts_with(kPrefix) || dot == std::string::npos || dot <= kPrefix.size() || dash + 1 == file.size() ||
      dash == dot + 1)
    return 0;
  const auto digits = [&file](size_t from, size_t to) {
    return std::all_of(file.begin() + std::ptrdiff_t(from), file.begin() + std::ptrdiff_t(to),
                       [](char c) { return c >= '0' && c <= '9'; });
  };
  const std::string name = file.substr(kPrefix.size(), dot - kPrefix.size());
  if (!digits(dot + 1, dash) || !digits(dash + 1, file.size()) || dash - dot > 10 ||
      (name != kRecord && !RunnerWrites(name)))
    return 0;
  return pid_t(std::stol(file.substr(dot + 1, dash - dot - 1)));
}

// Removes the new files that a run killed before it put them in place left
// in FOLDER (below AT, reached without a link): regular files of the
// runner's naming whose process is gone. A file of a run still going, or
// of a process of another user, stays.
void RemoveLeftNewFiles(const fs::path& at, const fs::path& folder) {
  fs::path way = at;
  for (const fs::path& part : folder) {
    way /= part;
    struct stat info {};
    if (lstat(way.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return;
  }
  std::error_code error;
  for (fs::directory_iterator it(way, error), end; !error && it != end; it.increment(error)) {
    const pid_t writer = WriterOfNewFile(it->path().filename().string());
    if (writer <= 0 || writer == getpid() || kill(writer, 0) == 0 || errno != ESRCH) continue;
    std::error_code kind;
    if (it->symlink_status(kind).type() == fs::file_type::regular) unlink(it->path().c_str());
  }
}

}  // namespace

std::string OutFolderHold(const std::string& folder, int* fd) {
  const std::string at = Folder(folder).string();
  const int held = open(at.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (held < 0) return "cannot open the output folder " + at + ": " + std::strerror(errno);
  if (H().fd >= 0) close(H().fd);
  H().fd = held;
  H().key = Key(folder);
  *fd = held;
  return {};
}

std::string OutFolderRefusal(const std::string& folder, const std::vector<std::string>& names, bool olderPage) {
  const Place at = PlaceOf(folder);
  std::vector<Entry> recorded;
  if (std::string why = Recorded(at, olderPage, &recorded); !why.empty()) return why;
  // What the run will remove: a link among it is neither followed nor taken.
  for (const Entry& entry : recorded)
    if (std::string why = Unreachable(at, entry.name); !why.empty()) return why;
  for (const std::string& name : names)
    if (std::string refusal = UsersOwn(at, recorded, Normal(name)); !refusal.empty()) return refusal;
  return {};
}

std::string OutFolderBegin(const std::string& folder, const std::vector<std::string>& names, bool olderPage,
                           std::vector<std::string>* dropped) {
  const Place at = PlaceOf(folder);
  std::vector<Entry> recorded;
  if (std::string why = Recorded(at, olderPage, &recorded, dropped); !why.empty()) return why;
  std::error_code error;
  std::vector<fs::path> folders{fs::path()};
  for (const Entry& entry : recorded) {
    folders.push_back(fs::path(entry.name).parent_path());
    // A file changed since the runner wrote it stays, and the run will not
    // write over it; a link or a folder on its way was refused before.
    if (!Unreachable(at, entry.name).empty() || !Runners(at, &entry)) continue;
    fs::remove(at.at / entry.name, error);
    if (error) return "cannot remove " + (at.shown / entry.name).string() + ": " + error.message();
  }
  for (const std::string& name : names) folders.push_back(fs::path(Normal(name)).parent_path());
  std::sort(folders.begin(), folders.end());
  folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
  for (const fs::path& below : folders) RemoveLeftNewFiles(at.at, below);
  Record& record = R();
  std::lock_guard guard(record.mutex);
  record.folder = at;
  record.entries.clear();
  record.begun = true;
  return WriteRecord(record);
}

std::string OutFolderClaim(const std::string& folder, const std::string& name, int* fd) {
  *fd = -1;
  const std::string normal = Normal(name);
  if (HasControlCharacter(normal))
    return kNoControlCharacter;
  Record& record = R();
  std::lock_guard guard(record.mutex);
  const Place at = PlaceOf(folder);
  if (std::string refusal = UsersOwn(at, record.entries, normal); !refusal.empty()) return refusal;
  const fs::path path = at.at / normal;
  const fs::path shown = at.shown / normal;
  // The run's own file of that name, if any, goes rather than being written
  // into: a hard link to it elsewhere keeps what it held.
  if (unlink(path.c_str()) != 0 && errno != ENOENT)
    return "cannot write " + shown.string() + ": " + std::strerror(errno);
  // Made now, to be in the record by the file itself before the runner
  // writes a byte of it.
  const int made = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (made < 0) return "cannot write " + shown.string() + ": " + std::strerror(errno);
  if (record.begun) {
    MarkWriting(record, normal, FileOf(made, "", AT_EMPTY_PATH));
    if (std::string why = WriteRecord(record); !why.empty()) {
      // Not in the record, it would be taken for the user's: it goes.
      close(made);
      unlink(path.c_str());
      record.entries.erase(record.entries.begin() + (&EntryOf(record, normal) - record.entries.data()));
      return why;
    }
  }
  *fd = made;
  return {};
}

std::string OutFolderWrite(int fd, const std::string& text, const std::string& path) {
  return WriteAll(fd, text, path);
}

std::string OutFolderStamp(const std::string& name, int fd) {
  Record& record = R();
  std::lock_guard guard(record.mutex);
  if (!record.begun) return {};
  StampIn(record, Normal(name), StampOfOpen(fd));
  return WriteRecord(record);
}

std::string OutFolderPut(const std::string& folder, const std::string& name, const OutFolderWriter& write) {
  const std::string normal = Normal(name);
  if (HasControlCharacter(normal))
    return kNoControlCharacter;
  Record& record = R();
  std::lock_guard guard(record.mutex);
  const Place at = PlaceOf(folder);
  if (std::string refusal = UsersOwn(at, record.entries, normal); !refusal.empty()) return refusal;
  const fs::path path = at.at / normal;
  const fs::path shown = at.shown / normal;
  fs::path fresh;
  std::string stamp;
  std::string file;
  std::string why = WriteBeside(path, shown, write, &fresh, &stamp, &file);
  if (!why.empty()) return why;
  // In the record before it takes the place of the file before, which stays
  // the runner's by its stamp until then.
  if (record.begun) {
    MarkWriting(record, normal, file);
    why = WriteRecord(record);
  }
  if (why.empty() && rename(fresh.c_str(), path.c_str()) != 0)
    why = "cannot write " + shown.string() + ": " + std::strerror(errno);
  if (!why.empty()) {
    unlink(fresh.c_str());
    return why;
  }
  if (!record.begun) return {};
  StampIn(record, normal, stamp);
  return WriteRecord(record);
}

std::string OutFolderPut(const std::string& folder, const std::string& name, const std::string& text) {
  return OutFolderPut(folder, name, [&text](int fd, const std::string& path) { return WriteAll(fd, text, path); });
}

std::string OutFolderThrough(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

std::string FileKind(mode_t mode) {
  return S_ISLNK(mode)                    ? "a link"
         : S_ISDIR(mode)                  ? "a folder"
         : S_ISFIFO(mode)                 ? "a pipe"
         : S_ISCHR(mode) || S_ISBLK(mode) ? "a device"
         : S_ISSOCK(mode)                 ? "a socket"
         : S_ISREG(mode)                  ? "a regular file"
                                          : "a file of an unknown kind";
}

bool HasControlCharacter(std::string_view name) {
  return std::any_of(name.begin(), name.end(), [](char c) { return uint8_t(c) < 0x20 || c == 0x7F; });
}

std::string NotPlainBelow(const std::string& folder, const std::string& name) { return NotPlain(PlaceOf(folder), name); }
