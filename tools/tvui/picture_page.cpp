#include "picture_page.h"

#include <cstdint>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <vector>

#include "out_folder.h"

namespace {

struct Entry {
  std::string file;
  std::string caption;
  std::string keys;
};

// A key pressed several times in a row, once with the count.
struct KeyRun {
  std::string key;
  int64_t count;
};

// The runs kept for the next picture: a long stretch without one (a soak of
// many thousand keys) keeps only its last runs and counts the keys before.
constexpr size_t kKeptRuns = 64;

struct Page {
  std::vector<Entry> entries;
  std::deque<KeyRun> keys;
  int64_t keysBefore = 0;
};

Page& P() {
  static Page& page = *new Page;
  return page;
}

std::string Escape(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      default: escaped += c; break;
    }
  }
  return escaped;
}

// A key pressed several times in a row is named once, with the count:
// "DOWN x3".
std::string KeyList(const Page& page) {
  std::string list = page.keysBefore > 0 ? std::to_string(page.keysBefore) + " keys before" : "";
  for (const KeyRun& run : page.keys)
    list += (list.empty() ? "" : ", ") + run.key + (run.count > 1 ? " x" + std::to_string(run.count) : "");
  return list.empty() ? "none" : list;
}

std::string PageText(const std::string& title) {
  const Page& page = P();
  std::string html =
      "<!DOCTYPE html>\n"
      "<html lang=\"en\">\n"
      "<head>\n"
      "<meta charset=\"utf-8\">\n"
      "<title>" + Escape(title) + "</title>\n"
      "<style>\n"
      "body { background: #17171d; color: #e6e6ec; font-family: sans-serif; margin: 2em; }\n"
      "figure { margin: 0 0 2.5em 0; }\n"
      "img { display: block; border: 1px solid #555; max-width: 100%; height: auto; }\n"
      "figcaption { margin-top: 0.6em; }\n"
      ".keys { color: #9fb4c8; }\n"
      "</style>\n"
      "</head>\n"
      "<body>\n"
      "<h1>" + Escape(title) + "</h1>\n"
      "<p>" + std::to_string(page.entries.size()) +
      " pictures of the screen, in the order they were taken. Each caption names the screen and the remote "
      "control's keys that led there from the picture before, with the set's own happenings among them (an "
      "event, a USB stick put in).</p>\n";
  int number = 0;
  for (const Entry& entry : page.entries) {
    ++number;
    const std::string id = std::filesystem::path(entry.file).stem().string();
    html += "<figure id=\"" + Escape(id) + "\">\n"
            "<img src=\"" + Escape(entry.file) + "\" alt=\"" + Escape(entry.caption) + "\" width=\"960\" height=\"540\">\n"
            "<figcaption><strong>" + std::to_string(number) + ". " + Escape(entry.caption) +
            "</strong><br><span class=\"keys\">Keys: " + Escape(entry.keys) + "</span></figcaption>\n"
            "</figure>\n";
  }
  html += "</body>\n</html>\n";
  return html;
}

}  // namespace

const char* PicturePageFile() { return "index.html"; }

void PicturePageNoteKey(const std::string& key) {
  Page& page = P();
  if (!page.keys.empty() && page.keys.back().key == key) {
    ++page.keys.back().count;
    return;
  }
  page.keys.push_back({key, 1});
  if (page.keys.size() <= kKeptRuns) return;
  page.keysBefore += page.keys.front().count;
  page.keys.pop_front();
}

std::string PicturePageAdd(const std::string& folder, const std::string& title, const std::string& file,
                           const std::string& caption) {
  Page& page = P();
  const std::string keys = KeyList(page);
  page.keys.clear();
  page.keysBefore = 0;
  if (caption.empty()) return {};
  page.entries.push_back({file, caption, keys});
  return OutFolderPut(folder, PicturePageFile(), PageText(title));
}
