#include "out_folder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

#include "picture_page.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kRecord = ".tvui-out";

// The runner's page of pictures, by its title; a page written before the
// folder kept a record names the pictures that were the runner's too.
constexpr const char* kPageTitle = "<title>tvui: the pictures of ";

// The folder whose record the run keeps, sealed as the run ends.
std::string g_folder;

fs::path Folder(const std::string& folder) { return folder.empty() ? fs::path(".") : fs::path(folder); }

// What the runner writes: pictures, their page and the walk's two files.
// A record that names anything else (copied, or edited by hand) is not
// followed for it.
bool RunnerWrites(const fs::path& path) {
  const std::string name = path.string();
  return (name.ends_with(".png") && name.size() > 4) || name == PicturePageFile() ||
         std::find(std::begin(kOutFolderWalkFiles), std::end(kOutFolderWalkFiles), name) != std::end(kOutFolderWalkFiles);
}

// A name below the folder, never past it, and never the record itself.
bool Below(const std::string& name) {
  const fs::path path(name);
  if (name.empty() || !path.is_relative() || name == kRecord || !RunnerWrites(path)) return false;
  return std::none_of(path.begin(), path.end(), [](const fs::path& part) { return part == ".."; });
}

std::string Normal(const std::string& name) { return fs::path(name).lexically_normal().string(); }

// A file as the runner left it: its size and the time it was last written,
// empty when there is no regular file.
std::string StampOf(const fs::path& file) {
  std::error_code error;
  if (!fs::is_regular_file(fs::symlink_status(file, error))) return {};
  const uintmax_t size = fs::file_size(file, error);
  if (error) return {};
  const fs::file_time_type written = fs::last_write_time(file, error);
  if (error) return {};
  return std::to_string(size) + '\t' + std::to_string(written.time_since_epoch().count());
}

// A line of the record: the name, and once the run that wrote it has ended,
// the file's stamp then. A file whose stamp has changed since is the user's
// now (a picture of theirs put in the runner's place).
struct Entry {
  std::string name;
  std::string stamp;
};

// The pictures a page of the runner's shows, and the page: what a run wrote
// before the folder kept a record. Nothing when the page is another's.
std::vector<Entry> OlderPage(const fs::path& folder) {
  std::ifstream page(folder / PicturePageFile());
  std::string text((std::istreambuf_iterator<char>(page)), std::istreambuf_iterator<char>());
  if (text.find(kPageTitle) == std::string::npos) return {};
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

std::vector<Entry> Recorded(const fs::path& folder) {
  std::ifstream record(folder / kRecord);
  if (!record) return OlderPage(folder);
  std::vector<Entry> entries;
  for (std::string line; std::getline(record, line);) {
    const size_t tab = line.find('\t');
    const std::string name = line.substr(0, tab);
    if (Below(name)) entries.push_back({Normal(name), tab == std::string::npos ? std::string() : line.substr(tab + 1)});
  }
  return entries;
}

const Entry* Find(const std::vector<Entry>& entries, const std::string& name) {
  auto at = std::find_if(entries.begin(), entries.end(), [&name](const Entry& e) { return e.name == name; });
  return at == entries.end() ? nullptr : &*at;
}

// The runner's file: listed, and as the run that wrote it left it.
bool Runners(const fs::path& folder, const Entry* entry) {
  return entry && (entry->stamp.empty() || entry->stamp == StampOf(folder / entry->name));
}

// A file of that name that the record does not list, or that changed since
// the runner wrote it: the user's.
std::string UsersOwn(const fs::path& folder, const std::vector<Entry>& recorded, const std::string& name) {
  std::error_code error;
  if (!fs::exists(fs::symlink_status(folder / name, error))) return {};
  const Entry* entry = Find(recorded, name);
  if (Runners(folder, entry)) return {};
  return (folder / name).string() +
         (entry ? " has changed since the runner wrote it" : " is not one the runner wrote") +
         ", and the runner never writes over a file it did not write: move it away, or name another --out";
}

}  // namespace

std::string OutFolderRefusal(const std::string& folder, const std::vector<std::string>& names) {
  const fs::path at = Folder(folder);
  const std::vector<Entry> recorded = Recorded(at);
  for (const std::string& name : names)
    if (std::string refusal = UsersOwn(at, recorded, Normal(name)); !refusal.empty()) return refusal;
  return {};
}

std::string OutFolderBegin(const std::string& folder) {
  const fs::path at = Folder(folder);
  std::error_code error;
  for (const Entry& entry : Recorded(at)) {
    // A folder in a file's place is not the runner's to remove, nor a file
    // changed since: it stays, and the run will not write over it.
    if (fs::is_directory(fs::symlink_status(at / entry.name, error)) || !Runners(at, &entry)) continue;
    fs::remove(at / entry.name, error);
    if (error) return "cannot remove " + (at / entry.name).string() + ": " + error.message();
  }
  if (!std::ofstream(at / kRecord, std::ios::trunc)) return "cannot write " + (at / kRecord).string();
  g_folder = at.string();
  return {};
}

std::string OutFolderClaim(const std::string& folder, const std::string& name) {
  const fs::path at = Folder(folder);
  const std::string normal = Normal(name);
  const std::vector<Entry> recorded = Recorded(at);
  if (std::string refusal = UsersOwn(at, recorded, normal); !refusal.empty()) return refusal;
  if (Find(recorded, normal)) return {};
  std::ofstream record(at / kRecord, std::ios::app);
  record << normal << '\n';
  return record ? std::string() : "cannot write " + (at / kRecord).string();
}

void OutFolderSeal() {
  if (g_folder.empty()) return;
  const fs::path at(g_folder);
  std::string text;
  for (const Entry& entry : Recorded(at))
    if (std::string stamp = StampOf(at / entry.name); !stamp.empty()) text += entry.name + '\t' + stamp + '\n';
  std::ofstream(at / kRecord, std::ios::trunc) << text;
}
