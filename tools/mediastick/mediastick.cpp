// mediastick DIR: writes the media stick (stick.h) into DIR.
#include <cstdio>
#include <string>

#include "stick.h"

int main(int argc, char** argv) {
  constexpr const char* kUsage = "usage: mediastick DIR\n  writes photos, songs, videos and folders of a media stick into DIR\n";
  const std::string first = argc > 1 ? argv[1] : "";
  if (argc == 2 && (first == "--help" || first == "-h")) {
    std::fputs(kUsage, stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  // What was wrong, then the usage. A word that looks like an option is
  // not taken for a folder to fill.
  const std::string wrong = argc < 2                ? "name the folder to write the stick into"
                            : argc > 2              ? "it takes one folder, and " + std::to_string(argc - 1) + " words are given"
                            : first.starts_with("-") ? "unknown option " + first
                                                     : "";
  if (!wrong.empty()) {
    std::fprintf(stderr, "mediastick: %s\n%s", wrong.c_str(), kUsage);
    return 2;
  }
  std::string error;
  if (!MediaStick::Write(argv[1], &error)) {
    std::fprintf(stderr, "mediastick: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
