// Channel records of the tuner and the channel lists.
#pragma once

#include <cstdint>

#include "vgobject.h"
#include "vgstring.h"

namespace Structures {

class VirtualChannel : public XObject {
  VG_CLASS()

 public:
  explicit VirtualChannel(XObject* link = nullptr) : XObject(link) {}
  int32_t Major = 0;
  int32_t Minor = 0;
};

class ChannelData : public XObject {
  VG_CLASS()

 public:
  explicit ChannelData(XObject* link = nullptr) : XObject(link) {}
  uint16_t Kind = 0;
  uint8_t Filled = 0;  // 1 once the television model filled the record
  uint8_t Flags[4] = {};  // the last one goes into the channel history
  VgStr Name;
  int32_t Major = 0;
  int32_t Minor = 0;
  int32_t Values[8] = {};
};

}  // namespace Structures
