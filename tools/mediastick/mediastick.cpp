// mediastick DIR: writes the media stick (stick.h) into DIR.
#include <cstdio>
#include <string>

#include "stick.h"

int main(int argc, char** argv) {
  if (argc != 2 || std::string(argv[1]) == "--help") {
    std::fprintf(stderr, "usage: mediastick DIR\n  writes photos, songs, videos and folders of a media stick into DIR\n");
    return argc == 2 ? 0 : 2;
  }
  std::string error;
  if (!MediaStick::Write(argv[1], &error)) {
    std::fprintf(stderr, "mediastick: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
