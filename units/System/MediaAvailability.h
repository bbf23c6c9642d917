// What kinds of media a medium holds, as four counts per kind, with switches
// that pretend a kind is present for debugging.
#pragma once

#include <cstdint>

#include "vgobject.h"

namespace System {

class MediaCount : public XObject {
  VG_CLASS()

 public:
  explicit MediaCount(XObject* link = nullptr) : XObject(link) {}
  int32_t Counts[4] = {};
};

class MediaAvailability : public XObject {
  VG_CLASS()

 public:
  explicit MediaAvailability(XObject* link = nullptr) : XObject(link) {}

  bool isMusicAvailable() const;
  bool arePicturesAvailable() const;
  bool areMoviesAvailable() const;
  bool isFlashAvailable() const;
  bool isAVCHDAvailable() const;
  bool debugMusicEnable(bool on);
  bool debugPicturesEnable(bool on);
  bool debugMoviesEnable(bool on);
  bool debugFlashEnable(bool on);

  int32_t Value = 0;
  MediaCount Music{this};
  MediaCount Pictures{this};
  MediaCount Movies{this};
  MediaCount Flash{this};
  MediaCount AVCHD{this};
};

}  // namespace System
