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
 *
 * The set writes its files only below its root, whatever is put in place of
 * its folders while it runs: every file it writes is reached from a handle on
 * the root, one folder at a time (NvOpenFolder), and a link on the way that
 * leads out of the root is refused, never followed. The start check judges
 * the links it finds as the writes follow them (NvJudgeSetLink). The run holds the root
 * from its start (NvHoldRoot), so that the root itself moved or replaced by a
 * link still takes the files where it stood when the run checked it.
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

#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <vector>

/* The mapped path, or the empty string for a refused path. */
std::string NvPath(const char* path);

/* Holds the root that TVUI_ROOT names now, for every later NvOpenFolder while
 * TVUI_ROOT names it: 0, or -1 with errno when it cannot be opened. */
int NvHoldRoot();

/* Opens the folder at a mapped path, as NvPath gives it, for the *at calls
 * (openat, renameat, unlinkat, ...) of the files in it. Below the root it is
 * reached from the root's handle one folder at a time, the missing ones made
 * when make is set; a link on the way is followed only where it leads
 * through the root (NvLinkWay). A link that leads out of the root (EXDEV) or
 * round in a loop (ELOOP) is refused, and noted for NvTakeRefusals. Any other path is opened
 * as it names the folder. A handle to close, or -1 with errno and, in why,
 * the reason in words, naming the path or the link. */
int NvOpenFolder(const std::string& path, bool make, std::string* why);
/* The same for the folder of the file at path; name is the file's name in it. */
int NvOpenFolderOf(const std::string& path, std::string* name, bool make, std::string* why);

/* Where a link leads, followed link by link as NvOpenFolder follows one:
 * through the folder it lies in (a relative target, or one that climbs out
 * and straight back by the folder's own name), out of it, or round in a
 * loop. A place that is not there yet, or is no folder, ends the way. */
/* As many links as the kernel follows on one path. */
inline constexpr int NvMostLinks = 40;
struct NvLinkWay {
  /* kChain: a chain of more links than the system follows on one path
   * (40), each a new one, which the system refuses as it refuses a loop. */
  enum End { kInside, kOut, kLoop, kUnreadable, kUnsteady, kChain } end = kInside;
  /* the link that leads out, or cannot be read; kUnsteady: the link, or
   * the name that is not there, that the way climbs back out of */
  std::string link;
  std::string target;             /* what that link says */
  /* The links of a loop in their order, the first again at the end; or,
   * where the way grows at each round (a link to a folder below itself),
   * without it, the last leading to target. kChain: the links of the
   * chain, the one past what the system follows last. */
  std::vector<std::string> loop;
  std::string why;                /* the reason in words */
};
/* The link at LINK, a path below the folder FOLDER (a handle, shown as
 * SHOWN in the paths named): an absolute target leads out of it, whatever it
 * names. */
NvLinkWay NvFollowLink(int folder, const std::string& shown, const std::string& link);
/* The link at LINK below the set's folder, judged as every write of the set
 * judges it: an absolute target may name the folder by its real path or by
 * TVUI_ROOT's. */
NvLinkWay NvJudgeSetLink(const std::string& link);

/* The link that a copy is about to put at PLACE, a path below the folder
 * FOLDER (a handle, shown as SHOWN) whose folders are there, saying TARGET,
 * judged where it will stand and for good, whatever is put beside it later:
 * kOut where it is absolute or climbs out of FOLDER, kLoop where its way,
 * through the links there now, comes back to PLACE, and kUnsteady where it
 * climbs ("..") back out of a link or of a name that is not there (or no
 * folder), which a later copy may fill with a link that leads elsewhere. */
NvLinkWay NvJudgeNewLink(int folder, const std::string& shown, const std::string& place, const std::string& target);

/* A folder by its device and inode. */
struct NvFolderId {
  dev_t dev;
  ino_t ino;
};
/* The folder FOLDER (a handle) is open on and every folder above it, up to
 * the system's root. */
std::vector<NvFolderId> NvFoldersUp(int folder);
/* Whether the folder that INFO tells is one of FOLDERS. */
bool NvAmong(const std::vector<NvFolderId>& folders, const struct stat& info);

/* A file copied onto the set's disk takes the name NvPartCopyName gives
 * until it is whole; a name NvIsPartCopy knows at the set's start is what a
 * copy cut short left, for no one else's file takes it. */
std::string NvPartCopyName(unsigned number);
bool NvIsPartCopy(const std::string& name);

/* Walks a folder and the folders below it, following no link, without
 * recursion and holding two handles at a time, however deep it goes. */
class NvWalker {
 public:
  enum Step { kSkip, kEnter, kStop };
  /* An entry NAME of the folder FOLDER (a handle; BELOW is its path below the
   * top, "" or ending in "/"), as lstat tells it: kEnter goes into it when it
   * is a folder, kStop ends the walk. */
  virtual Step Entry(int folder, const std::string& below, const std::string& name, const struct stat& info) = 0;
  /* Into the folder NAME of BELOW, now FOLDER: false ends the walk. */
  virtual bool Entered(int folder, const std::string& below, const std::string& name) {
    (void)folder, (void)below, (void)name;
    return true;
  }
  /* Out of the folder NAME, walked whole, back in FOLDER: false ends the walk. */
  virtual bool Left(int folder, const std::string& below, const std::string& name) {
    (void)folder, (void)below, (void)name;
    return true;
  }

 protected:
  ~NvWalker() = default;
};
/* False when a folder could not be read, one moved away as it was walked, or
 * the walker ended the walk; WHY (may be null) then says which, but for the
 * walker's own end. */
bool NvWalk(int top, NvWalker& walker, std::string* why);

/* Where an entry lies: its file system and its mount. A folder of the same
 * file system bound in place differs in its mount alone; a kernel that does
 * not tell the mount leaves it 0. */
struct NvPlacement {
  dev_t device;
  uint64_t mount;
  bool operator==(const NvPlacement&) const = default;
};
/* Where NAME in FOLDER (a handle, or AT_FDCWD) lies, a link followed only
 * where FOLLOW says; an empty NAME tells FOLDER itself. False with errno. */
bool NvPlacementOf(int folder, const std::string& name, bool follow, NvPlacement* placement);

/* Removes everything in the folder (a handle), following no link and
 * keeping to the folder's own mount: a folder mounted inside it (a user's
 * files bound there, another disk) is neither entered nor removed. False
 * when something stays; WHY (may be null) then names the first that did,
 * by its path below the folder. */
bool NvEmptyFolder(int folder, std::string* why = nullptr);
/* What the regular files in the folder and the folders below it take, each
 * in whole KB, following no link. */
uint64_t NvKilobytesIn(int folder);

/* The refusals of links out of the root since the last call, one a line, and
 * forgets them: the runner fails the line that met one. */
std::string NvTakeRefusals();

/* A file of the set's that it could not write, made or removed (its path, and
 * why: "Read-only file system"), noted by the code that failed to, and the
 * notes since the last call, one a line ("PATH: why"), forgotten as they are
 * taken: the runner fails the line that ran then, as it does for a refusal. */
void NvNoteUnwritten(const std::string& path, const std::string& why);
std::string NvTakeUnwritten();
#endif

#endif
