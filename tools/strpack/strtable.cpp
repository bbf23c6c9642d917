#include "strtable.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unordered_set>

namespace strpack {
namespace {

bool IsKey(std::string_view key) {
  if (key.empty()) return false;
  for (size_t i = 0; i < key.size(); ++i) {
    char c = key[i];
    bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    bool digit = c >= '0' && c <= '9';
    if (!letter && !(digit && i > 0)) return false;
  }
  return true;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Decodes UTF-8 with the table's escapes into UTF-16. Returns an error message,
// empty on success.
std::string Decode(std::string_view in, std::u16string& out) {
  for (size_t i = 0; i < in.size();) {
    auto c = static_cast<unsigned char>(in[i]);
    if (c == '\\') {
      if (i + 1 >= in.size()) return "a backslash ends the line (write \\\\ for a backslash)";
      char e = in[i + 1];
      if (e == 'n') {
        out += u'\n';
      } else if (e == 't') {
        out += u'\t';
      } else if (e == '\\') {
        out += u'\\';
      } else if (e == 'u') {
        if (i + 6 > in.size()) return "\\u needs four hexadecimal digits";
        uint32_t v = 0;
        for (size_t k = 2; k < 6; ++k) {
          int h = HexValue(in[i + k]);
          if (h < 0) return "\\u needs four hexadecimal digits";
          v = v * 16 + static_cast<uint32_t>(h);
        }
        if (v == 0) return "\\u0000 would end the string";
        out += static_cast<char16_t>(v);
        i += 6;
        continue;
      } else {
        return std::string("unknown escape \\") + e;
      }
      i += 2;
      continue;
    }
    int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
    if (extra < 0 || i + static_cast<size_t>(extra) >= in.size()) return "invalid UTF-8";
    uint32_t v = extra == 0 ? c : (c & (0x3F >> extra));
    for (int k = 1; k <= extra; ++k) {
      auto d = static_cast<unsigned char>(in[i + static_cast<size_t>(k)]);
      if ((d & 0xC0) != 0x80) return "invalid UTF-8";
      v = (v << 6) | (d & 0x3F);
    }
    uint32_t min = extra == 0 ? 0 : extra == 1 ? 0x80 : extra == 2 ? 0x800 : 0x10000;
    if (v < min || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) return "invalid UTF-8";
    if (v == 0) return "a NUL character would end the string";
    if (v >= 0x10000) {
      v -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (v >> 10));
      out += static_cast<char16_t>(0xDC00 + (v & 0x3FF));
    } else {
      out += static_cast<char16_t>(v);
    }
    i += static_cast<size_t>(extra) + 1;
  }
  return {};
}

}  // namespace

Table ParseTable(std::string_view content, const std::string& name) {
  Table table;
  std::unordered_set<std::string> keys;
  int lineNumber = 0;
  size_t pos = 0;
  if (content.substr(0, 3) == "\xEF\xBB\xBF") pos = 3;  // a byte order mark
  while (pos < content.size()) {
    size_t end = content.find('\n', pos);
    if (end == std::string_view::npos) end = content.size();
    std::string_view line = content.substr(pos, end - pos);
    pos = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] == '#') continue;

    auto error = [&](const std::string& message) {
      table.errors.push_back(name + ":" + std::to_string(lineNumber) + ": " + message);
    };
    size_t tab = line.find('\t');
    if (tab == std::string_view::npos) {
      error("expected KEY<TAB>text");
      continue;
    }
    std::string key(line.substr(0, tab));
    if (!IsKey(key)) {
      error("invalid key '" + key + "'");
      continue;
    }
    if (!keys.insert(key).second) {
      error("duplicate key " + key);
      continue;
    }
    TextEntry entry{key, {}, lineNumber};
    std::string message = Decode(line.substr(tab + 1), entry.text);
    if (!message.empty()) {
      error(key + ": " + message);
      continue;
    }
    table.entries.push_back(std::move(entry));
  }
  return table;
}

Table ReadTable(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    Table table;
    table.errors.push_back(path + ": cannot be read");
    return table;
  }
  std::stringstream content;
  content << in.rdbuf();
  return ParseTable(content.str(), path);
}

Layout LayOut(const std::vector<std::u16string>& texts, size_t chunkBytes) {
  constexpr size_t kMaxText = 0xFFFF - 3;
  constexpr size_t kTerminator = 2;  // the record {0, 0}
  Layout layout;
  std::vector<uint16_t> chunk;
  auto close = [&] {
    chunk.push_back(0);
    chunk.push_back(0);
    layout.chunks.push_back(std::move(chunk));
    chunk.clear();
  };
  for (const std::u16string& text : texts) {
    if (text.size() > kMaxText) throw std::length_error("a text is longer than 65532 code units");
    size_t distance = 2 + text.size() + 1;
    if (!chunk.empty() && (chunk.size() + distance + kTerminator) * 2 > chunkBytes) close();
    layout.placements.push_back({layout.chunks.size(), static_cast<uint32_t>(chunk.size() + 2)});
    chunk.push_back(static_cast<uint16_t>(distance));
    chunk.push_back(0);  // lock count
    chunk.insert(chunk.end(), text.begin(), text.end());
    chunk.push_back(0);
  }
  if (!chunk.empty()) close();
  return layout;
}

std::vector<uint8_t> ToBytes(const std::vector<uint16_t>& words) {
  std::vector<uint8_t> bytes;
  bytes.reserve(words.size() * 2);
  for (uint16_t w : words) {
    bytes.push_back(static_cast<uint8_t>(w & 0xFF));
    bytes.push_back(static_cast<uint8_t>(w >> 8));
  }
  return bytes;
}

}  // namespace strpack
