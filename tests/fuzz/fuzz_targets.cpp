#include "fuzz_targets.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "SimpleFileReader.h"
#include "storageFunction.h"

namespace {

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz property broken: %s\n", what);
  std::abort();
}

// A scratch file per process in the temporary directory.
std::string ScratchFile(const char* name) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir && *dir ? dir : "/tmp") + "/tvui-fuzz-" + std::to_string(getpid()) + "-" + name;
}

using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs PairsOf(StorageContext* context) {
  Pairs pairs;
  DoubleChain* chain = StorageChain(context);
  const char* key;
  const char* value;
  DC_Dump(chain, nullptr, nullptr);
  while (DC_Dump(chain, &key, &value) == DC_OK) pairs.emplace_back(key, value);
  return pairs;
}

}  // namespace

int FuzzSettingsFile(const uint8_t* data, size_t size) {
  if (size > kStorageFileLimit + 16) return 0;
  const auto length = static_cast<int32_t>(size);

  StorageContext* raw = StorageInit();
  int32_t code = StorageLoadImage(raw, data, length);
  Require(code == STORAGE_OK || code == STORAGE_BAD_CHECKSUM || code == STORAGE_TOO_LARGE, "raw load code");
  Require(code == STORAGE_OK || DC_GetNum(StorageChain(raw)) == 0, "a failed load added pairs");
  StorageDone(raw);

  std::vector<uint8_t> image(data, data + size);
  uint16_t fcs = CalculateChecksum(image.data(), length);
  image.push_back(static_cast<uint8_t>(fcs));
  image.push_back(static_cast<uint8_t>(fcs >> 8));
  StorageContext* loaded = StorageInit();
  code = StorageLoadImage(loaded, image.data(), static_cast<int32_t>(image.size()));
  Require(code == (image.size() > static_cast<size_t>(kStorageFileLimit) ? STORAGE_TOO_LARGE : STORAGE_OK),
          "load code of a checked image");
  const Pairs pairs = PairsOf(loaded);
  for (const auto& [key, value] : pairs)
    Require(CheckStorablePair(key.c_str(), value.c_str()) == STORAGE_OK, "a loaded pair cannot be saved");

  // Saved and loaded again, the pairs come back the same and in the same order.
  const std::string file = ScratchFile("settings");
  std::remove(file.c_str());
  StorageLoad(loaded, file.c_str());  // missing: names the file only
  code = StorageSave(loaded);
  Require(code == STORAGE_OK || code == STORAGE_TOO_LARGE, "save code");
  if (code == STORAGE_OK) {
    StorageContext* again = StorageInit();
    Require(StorageLoad(again, file.c_str()) == STORAGE_OK, "reload of a saved file");
    Require(PairsOf(again) == pairs, "pairs changed by a save and a load");
    StorageDone(again);
  }
  StorageDone(loaded);
  std::remove(file.c_str());
  return 0;
}

int FuzzFileReader(const uint8_t* data, size_t size) {
  if (size < 9) return 0;
  int32_t offset;
  int32_t length;
  std::memcpy(&offset, data, 4);
  std::memcpy(&length, data + 4, 4);
  // Mostly small offsets and the four meaningful modes, sometimes anything.
  if (!(data[8] & 0x80)) offset %= 8192;
  const int32_t mode = (data[8] & 0x40) ? static_cast<int8_t>(data[8]) : data[8] % 4;
  const uint8_t* content = data + 9;
  const size_t contentSize = size - 9;

  // The buffer first holds non-zero bytes, as after some earlier read: a
  // missing terminator then shows in every run, not only after certain others.
  const std::string junk = ScratchFile("junk");
  static bool junkWritten = false;
  if (!junkWritten) {
    std::vector<uint8_t> bytes(80000, 0xEE);
    FILE* j = std::fopen(junk.c_str(), "wb");
    Require(j != nullptr, "junk file");
    std::fwrite(bytes.data(), 1, bytes.size(), j);
    std::fclose(j);
    junkWritten = true;
  }
  SimpleReadFile(junk.c_str(), 0, 80000, 3);

  const std::string file = ScratchFile("reader");
  FILE* out = std::fopen(file.c_str(), "wb");
  Require(out != nullptr, "scratch file");
  std::fwrite(content, 1, contentSize, out);
  std::fclose(out);

  Require(SimpleReadFile(file.c_str(), offset, length, mode), "read of an existing file");
  const int32_t count = GetNumReadByte();
  const int32_t available = offset < 0 || static_cast<size_t>(offset) >= contentSize
                                ? 0
                                : static_cast<int32_t>(contentSize - static_cast<size_t>(offset));
  int32_t expected = length < 0 ? 0 : length > kSimpleFileBufferSize ? kSimpleFileBufferSize : length;
  if (expected > available) expected = available;
  Require(count >= 0 && count <= expected && count >= expected - 1, "byte count");
  if (count > 0 && offset >= 0)
    Require(std::memcmp(SimpleFileBuffer(), content + offset, static_cast<size_t>(count)) == 0, "data");
  // Mode 0 hands the data on as UTF-16 text: it must end inside the buffer.
  const auto* text = reinterpret_cast<const char16_t*>(SimpleFileBuffer());
  int32_t units = 0;
  while (text[units] != 0) ++units;
  Require(units * 2 <= expected + 1, "UTF-16 terminator");

  Require(SimpleLoadFile(file.c_str()) == static_cast<int32_t>(std::min<size_t>(contentSize, kSimpleFileBufferSize)),
          "whole-file load");
  Require(SimpleFileLength(file.c_str()) == static_cast<int32_t>(contentSize), "file length");
  std::remove(file.c_str());
  return 0;
}
