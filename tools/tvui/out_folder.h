// The output folder (--out): the runner's pictures, their page and a walk's
// files go there, beside whatever else the folder holds, and the folder's
// record, .tvui-out, lists them, one name a line (relative to the folder).
// A file joins the record before the runner writes it, as being written:
// by the file itself (its device, inode and time of birth), for its size and
// time change until it is whole, and the process may end before (Ctrl-C
// mid-walk, or ctest's SIGKILL); whole, it is stamped with its size and time
// of writing. A run removes what the record lists, the files of the run
// before as they left them (a file being written, as long as it is the file
// the runner made), and nothing else; it never writes over a file that the
// record does not list, or one changed since, which is the user's own. The
// record, and every file the runner removes or writes, is a regular file
// below the folder reached without a link (the folder itself may be one): a
// link, a pipe or a folder in the place of one is refused, and never read,
// written or followed. Every write is checked: a file that a full or failing
// folder cut is never stamped whole, and the record itself is replaced whole
// or not at all.
#pragma once

#include <sys/types.h>

#include <climits>
#include <cstddef>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The longest name of a file the runner writes in the output folder: it
// writes the file first under a longer one beside it, .tvui-NAME.PID-N,
// which the file system must take too.
inline constexpr size_t kOutFolderLongestName = NAME_MAX - (sizeof ".tvui-" - 1) - (sizeof ".4194304-99" - 1);

// The walk's files in the output folder.
inline constexpr const char* kOutFolderWalkFiles[] = {"walk.scn", "walk-screens.txt"};

// Holds the run's folder FOLDER, as it stands now, for the rest of the run:
// every later call that names it reaches its files through the handle,
// whatever is put in place of its name (a link to another folder) or
// wherever it is moved. Empty, or why not; *FD is the handle (the
// folder's to keep).
std::string OutFolderHold(const std::string& folder, int* fd);

// Why the run may not read the folder's record, remove what it lists or
// write the files NAMES in the folder (the first that holds a file of the
// user's own, or lies through a link), empty when it may. Before the run.
// OLDERPAGE: the folder is the one where a build from before the record
// wrote its pictures, and a page of its pictures there, without a record,
// shows what it wrote; in any other folder such a page (a copy of one, say)
// is the user's.
std::string OutFolderRefusal(const std::string& folder, const std::vector<std::string>& names, bool olderPage);

// Removes the files that the record lists, as they were left, and the new
// files that a killed run left beside them, and empties the record; empty,
// or why not. NAMES and OLDERPAGE as for OutFolderRefusal. A line of the
// record naming a file that cannot exist (a name too long, with a control
// character, or below a regular file) is no file of the runner's: it is
// dropped, removing nothing, and DROPPED says why.
std::string OutFolderBegin(const std::string& folder, const std::vector<std::string>& names, bool olderPage,
                           std::vector<std::string>* dropped);

// Before the runner writes NAME through a descriptor as it goes (a walk's
// journal): empty when it may (no file of that name, or one the run wrote),
// else why not. A file of that name that the run wrote goes (a hard link to
// it elsewhere keeps its content), a new one takes its place and joins the
// record as being written, and *FD is open on it for writing.
std::string OutFolderClaim(const std::string& folder, const std::string& name, int* fd);

// Writes TEXT through FD, open on PATH (for the message); empty, or why not.
std::string OutFolderWrite(int fd, const std::string& text, const std::string& path);

// After the runner wrote NAME whole through FD, its claim's: it is stamped
// in the record as the file FD is open on; empty, or why the record could
// not be written.
std::string OutFolderStamp(const std::string& name, int fd);

// Writes NAME in the run's folder whole (a picture, the pictures' page, the
// walk's list of screens), as a file of the runner's own making beside it
// under a new name, put in its place and stamped: a reader never finds half
// a file, one that a hard link elsewhere shares keeps its content, and no
// file the runner did not make is written. WRITE fills the new file through
// its descriptor (PATH names it for a message) and returns empty, or why
// not. Empty, or why not.
using OutFolderWriter = std::function<std::string(int fd, const std::string& path)>;
std::string OutFolderPut(const std::string& folder, const std::string& name, const OutFolderWriter& write);
std::string OutFolderPut(const std::string& folder, const std::string& name, const std::string& text);

// A name that reaches the very file FD is open on, for a writer that takes
// a name: what the folder's name holds by then makes no difference.
std::string OutFolderThrough(int fd);

// Why NAME below FOLDER is not a regular file reached without a link (a
// folder on its way is a link, or it is a link, a folder or a pipe), naming
// it; empty when it is one, or nothing is there.
std::string NotPlainBelow(const std::string& folder, const std::string& name);

// What a file that is not a regular one is, in plain words ("a folder").
std::string FileKind(mode_t mode);

// Whether the name holds a tab, a line end or another control character,
// which no line of the record keeps.
bool HasControlCharacter(std::string_view name);
