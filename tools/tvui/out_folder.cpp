#include "out_folder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

namespace fs = std::filesystem;

namespace {

constexpr const char* kRecord = ".tvui-out";

// The runner's page of pictures, by its title; a page written before the
// folder kept a record names the pictures that were the runner's too.
constexpr const char* kPage = "index.html";
constexpr const char* kPageTitle = "<title>tvui: the pictures of ";

fs::path Folder(const std::string& folder) { return folder.empty() ? fs::path(".") : fs::path(folder); }

// A name below the folder, never past it, and never the record itself.
bool Below(const std::string& name) {
  const fs::path path(name);
  if (name.empty() || !path.is_relative() || name == kRecord) return false;
  return std::none_of(path.begin(), path.end(), [](const fs::path& part) { return part == ".."; });
}

std::string Normal(const std::string& name) { return fs::path(name).lexically_normal().string(); }

// The pictures a page of the runner's shows, and the page: what a run wrote
// before the folder kept a record. Nothing when the page is another's.
std::vector<std::string> OlderPage(const fs::path& folder) {
  std::ifstream page(folder / kPage);
  std::string text((std::istreambuf_iterator<char>(page)), std::istreambuf_iterator<char>());
  if (text.find(kPageTitle) == std::string::npos) return {};
  std::vector<std::string> names{kPage};
  constexpr std::string_view kImage = "<img src=\"";
  for (size_t at = text.find(kImage); at != std::string::npos; at = text.find(kImage, at)) {
    at += kImage.size();
    const size_t end = text.find('"', at);
    if (end == std::string::npos) break;
    const std::string name = text.substr(at, end - at);
    if (Below(name) && name.find('&') == std::string::npos) names.push_back(Normal(name));
  }
  return names;
}

std::vector<std::string> Recorded(const fs::path& folder) {
  std::ifstream record(folder / kRecord);
  if (!record) return OlderPage(folder);
  std::vector<std::string> names;
  for (std::string line; std::getline(record, line);)
    if (Below(line)) names.push_back(Normal(line));
  return names;
}

bool Holds(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// A file of that name that the record does not list: the user's.
std::string UsersOwn(const fs::path& folder, const std::vector<std::string>& recorded, const std::string& name) {
  std::error_code error;
  if (Holds(recorded, name) || !fs::exists(fs::symlink_status(folder / name, error))) return {};
  return (folder / name).string() +
         " is not one the runner wrote, and the runner never writes over a file it did not write: move it "
         "away, or name another --out";
}

}  // namespace

std::string OutFolderSystemPlace(const std::string& folder) {
  std::error_code error;
  const fs::path at = fs::weakly_canonical(fs::absolute(Folder(folder), error), error);
  if (error) return {};
  if (at == at.root_path()) return "it is the system's root";
  if (at.parent_path() == at.root_path()) return "it is one of the system's own folders";
  // The folders of the system's programs, libraries, settings and devices,
  // and the kernel's views, however deep.
  static constexpr const char* kSystemTrees[] = {"bin", "boot", "dev",  "etc", "lib", "lib32", "lib64",
                                                 "libx32", "proc", "run", "sbin", "sys", "usr"};
  const std::string top = std::next(at.begin())->string();
  if (std::find(std::begin(kSystemTrees), std::end(kSystemTrees), top) != std::end(kSystemTrees))
    return "it lies in /" + top + ", one of the system's own folders";
  return {};
}

std::string OutFolderRefusal(const std::string& folder, const std::vector<std::string>& names) {
  const fs::path at = Folder(folder);
  const std::vector<std::string> recorded = Recorded(at);
  for (const std::string& name : names)
    if (std::string refusal = UsersOwn(at, recorded, Normal(name)); !refusal.empty()) return refusal;
  return {};
}

std::string OutFolderBegin(const std::string& folder) {
  const fs::path at = Folder(folder);
  std::error_code error;
  for (const std::string& name : Recorded(at)) {
    // A folder in a file's place is not the runner's to remove.
    if (fs::is_directory(fs::symlink_status(at / name, error))) continue;
    fs::remove(at / name, error);
    if (error) return "cannot remove " + (at / name).string() + ": " + error.message();
  }
  if (!std::ofstream(at / kRecord, std::ios::trunc)) return "cannot write " + (at / kRecord).string();
  return {};
}

std::string OutFolderClaim(const std::string& folder, const std::string& name) {
  const fs::path at = Folder(folder);
  const std::string normal = Normal(name);
  const std::vector<std::string> recorded = Recorded(at);
  if (Holds(recorded, normal)) return {};
  if (std::string refusal = UsersOwn(at, recorded, normal); !refusal.empty()) return refusal;
  std::ofstream record(at / kRecord, std::ios::app);
  record << normal << '\n';
  return record ? std::string() : "cannot write " + (at / kRecord).string();
}
