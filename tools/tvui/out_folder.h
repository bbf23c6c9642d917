// The output folder (--out): the runner's pictures, their page and a walk's
// files go there, beside whatever else the folder holds, and the folder's
// record, .tvui-out, lists them, one name a line (relative to the folder).
// As the run ends, each listed file's size and time of writing join its
// line. A run removes what the record lists, the files of the run before as
// they left them, and nothing else; it never writes over a file that the
// record does not list, or one changed since, which is the user's own.
#pragma once

#include <string>
#include <vector>

// The walk's files in the output folder.
inline constexpr const char* kOutFolderWalkFiles[] = {"walk.scn", "walk-screens.txt"};

// Why the run may not write the files NAMES in the folder (the first that
// holds a file of the user's own), empty when it may. Before the run.
std::string OutFolderRefusal(const std::string& folder, const std::vector<std::string>& names);

// Removes the files that the record lists, as they were left, and empties
// the record; empty, or why not.
std::string OutFolderBegin(const std::string& folder);

// Before the runner writes NAME: empty when it may (no file of that name, or
// one the record lists), the name then joining the record; else why not.
std::string OutFolderClaim(const std::string& folder, const std::string& name);

// As the run ends: each file the record lists is stamped with its size and
// time of writing.
void OutFolderSeal();
