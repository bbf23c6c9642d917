// Files for the storage tests: a fresh directory per test, which is also the
// root of the simulated set, and whole-file reads and writes.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

class TestDir {
 public:
  TestDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tvui-settings-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    setenv("TVUI_ROOT", path_.c_str(), 1);
  }
  ~TestDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    unsetenv("TVUI_ROOT");
  }
  TestDir(const TestDir&) = delete;
  TestDir& operator=(const TestDir&) = delete;

  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

inline std::vector<uint8_t> ReadBytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& file, const std::vector<uint8_t>& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline void WriteText(const std::string& file, const std::string& text) {
  WriteBytes(file, std::vector<uint8_t>(text.begin(), text.end()));
}

inline bool FileExists(const std::string& file) { return std::filesystem::exists(file); }
