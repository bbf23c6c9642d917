// picture_page_check: the page of pictures that a run wrote beside them
// (index.html), read as a browser would need it: every element closed in
// order and every attribute quoted, every picture of the folder shown once
// with a caption that names its screen and its keys, no two pictures alike.
//
//   picture_page_check FOLDER MIN_PICTURES
//
// Prints what is wrong; exit status 0 when nothing is, 1 otherwise, 2 usage.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

int g_faults = 0;

void Fault(const std::string& what) {
  std::fprintf(stderr, "picture_page_check: %s\n", what.c_str());
  ++g_faults;
}

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Tag {
  std::string name;
  bool closing = false;
  std::map<std::string, std::string> attributes;
  size_t at = 0;
};

bool IsVoid(const std::string& name) {
  return name == "meta" || name == "img" || name == "br" || name == "hr" || name == "link";
}

// The tags of the page in order, with the text between them; false after a
// fault when a tag cannot be read.
bool ReadTags(const std::string& html, std::vector<Tag>* tags, std::vector<std::string>* texts) {
  size_t i = 0;
  std::string text;
  while (i < html.size()) {
    if (html[i] != '<') {
      text += html[i++];
      continue;
    }
    texts->push_back(text);
    text.clear();
    const size_t end = html.find('>', i);
    if (end == std::string::npos) {
      Fault("a tag at byte " + std::to_string(i) + " is never closed");
      return false;
    }
    const std::string inside = html.substr(i + 1, end - i - 1);
    Tag tag;
    tag.at = i;
    i = end + 1;
    if (inside.rfind("!DOCTYPE", 0) == 0) continue;
    size_t k = 0;
    if (k < inside.size() && inside[k] == '/') {
      tag.closing = true;
      ++k;
    }
    while (k < inside.size() && std::isalnum(static_cast<unsigned char>(inside[k]))) tag.name += inside[k++];
    if (tag.name.empty()) {
      Fault("a tag without a name at byte " + std::to_string(tag.at));
      return false;
    }
    for (;;) {
      while (k < inside.size() && inside[k] == ' ') ++k;
      if (k >= inside.size()) break;
      std::string key;
      while (k < inside.size() && (std::isalnum(static_cast<unsigned char>(inside[k])) || inside[k] == '-'))
        key += inside[k++];
      if (key.empty() || k + 1 >= inside.size() || inside[k] != '=' || inside[k + 1] != '"') {
        Fault("<" + tag.name + "> at byte " + std::to_string(tag.at) + " has an attribute that is not key=\"value\"");
        return false;
      }
      const size_t close = inside.find('"', k + 2);
      if (close == std::string::npos) {
        Fault("<" + tag.name + "> at byte " + std::to_string(tag.at) + " leaves a quote open");
        return false;
      }
      tag.attributes[key] = inside.substr(k + 2, close - k - 2);
      k = close + 1;
    }
    tags->push_back(tag);
  }
  texts->push_back(text);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: picture_page_check FOLDER MIN_PICTURES\n");
    return 2;
  }
  const fs::path folder = argv[1];
  const size_t least = std::strtoul(argv[2], nullptr, 10);
  const std::string html = Read(folder / "index.html");
  if (html.rfind("<!DOCTYPE html>", 0) != 0) Fault("index.html is missing or does not begin with <!DOCTYPE html>");

  std::vector<Tag> tags;
  std::vector<std::string> texts;
  if (!ReadTags(html, &tags, &texts)) return 1;
  // Elements close in the order they opened.
  std::vector<const Tag*> open;
  for (const Tag& tag : tags) {
    if (IsVoid(tag.name)) continue;
    if (!tag.closing) {
      open.push_back(&tag);
    } else if (open.empty() || open.back()->name != tag.name) {
      Fault("</" + tag.name + "> at byte " + std::to_string(tag.at) + " closes " +
            (open.empty() ? std::string("nothing") : "<" + open.back()->name + ">"));
      return 1;
    } else {
      open.pop_back();
    }
  }
  if (!open.empty()) Fault("<" + open.back()->name + "> is never closed");

  // Each figure: one picture and a caption that names the screen and the keys.
  std::vector<std::string> shown;
  std::string caption;
  bool inCaption = false;
  for (size_t i = 0; i < tags.size(); ++i) {
    const Tag& tag = tags[i];
    if (tag.name == "img" && !tag.closing) shown.push_back(tag.attributes.count("src") ? tag.attributes.at("src") : "");
    if (tag.name == "figcaption") {
      if (!tag.closing) {
        inCaption = true;
        caption.clear();
      } else {
        inCaption = false;
        const size_t keys = caption.find("Keys: ");
        if (keys == std::string::npos || keys < 4 || caption.size() <= keys + 6)
          Fault("the caption of " + (shown.empty() ? std::string("?") : shown.back()) +
                " does not name both its screen and its keys: \"" + caption + "\"");
      }
    }
    if (inCaption) caption += texts[i + 1];
  }

  std::set<std::string> named;
  std::map<std::string, std::string> contents;
  for (const std::string& src : shown) {
    if (src.empty() || !named.insert(src).second) {
      Fault("a picture is shown twice or without a source: \"" + src + "\"");
      continue;
    }
    const std::string bytes = Read(folder / src);
    if (bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) {
      Fault(src + " is not a PNG file in the folder");
      continue;
    }
    if (auto [it, fresh] = contents.emplace(bytes, src); !fresh) Fault(src + " is the same picture as " + it->second);
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    if (entry.path().extension() == ".png" && !named.count(entry.path().filename().string()))
      Fault("the page does not show " + entry.path().filename().string());
  if (shown.size() < least)
    Fault("the page shows " + std::to_string(shown.size()) + " pictures, fewer than " + std::to_string(least));
  if (g_faults == 0) std::printf("index.html shows %zu distinct pictures, each captioned\n", shown.size());
  return g_faults == 0 ? 0 : 1;
}
