// MediaPlayer::SelectedParam: what a media screen is opened with: the entry,
// the class of the screen that chose it, and two strings. The first string
// carries the mount string of the medium, as the recording screens read it;
// the second repeats it.
#pragma once

#include <cstdint>

#include "vgobject.h"
#include "vgstring.h"

namespace MediaPlayer {

class SelectedParam : public XObject {
  VG_CLASS()

 public:
  explicit SelectedParam(XObject* link = nullptr) : XObject(link) {}

  static SelectedParam* Make(int32_t index, const VgClass* from, VgString mountString);

  int32_t Index = 0;
  // The screen that chose the entry (its "class").
  const VgClass* From = nullptr;
  VgStr FileName;
  VgStr MountString;
};

}  // namespace MediaPlayer
