// The language tables of the Strings unit and the layout of their string blocks.
//
// Table format (UTF-8, one entry a line):
//   # a comment line (the first non-blank character is '#'); blank lines are skipped
//   SID_NAME<TAB>text
// The text runs to the end of the line, spaces included. Escapes: \n (new line),
// \t (tab), \\ (backslash), \uXXXX (a UTF-16 code unit, four hex digits).
//
// Block layout: a chain of records {distance = 2 + length + 1,
// lock count 0, characters, 0}, ended by the record {0, 0}; a string's offset is
// the word index of its first character. Records are split into chunks of about
// `chunkBytes` unpacked bytes, each packed as one block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace strpack {

struct TextEntry {
  std::string key;
  std::u16string text;
  int line = 0;
};

struct Table {
  std::vector<TextEntry> entries;   // in file order
  std::vector<std::string> errors;  // "file:line: message"
};

// Parses a table's content; `name` is used in the error messages.
Table ParseTable(std::string_view content, const std::string& name);
// Reads and parses a file; a file that cannot be read is an error of the result.
Table ReadTable(const std::string& path);

struct Placement {
  size_t chunk = 0;     // index of the chunk holding the record
  uint32_t offset = 0;  // word index of the first character inside the chunk
};

struct Layout {
  std::vector<std::vector<uint16_t>> chunks;  // unpacked words of each chunk
  std::vector<Placement> placements;          // one per text, in order
};

// Lays the texts out into record chains. Throws std::length_error for a text
// longer than a record can hold (65532 code units).
Layout LayOut(const std::vector<std::u16string>& texts, size_t chunkBytes);

// The unpacked bytes of a chunk (words little-endian, as the target reads them).
std::vector<uint8_t> ToBytes(const std::vector<uint16_t>& words);

}  // namespace strpack
