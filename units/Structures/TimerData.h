// A recording timer as the timer screens edit it and the television model
// sends it to the middleware.
#pragma once

#include <cstdint>

#include "Structures/LocalTime.h"
#include "vgobject.h"

namespace Structures {

class TimerData : public XObject {
  VG_CLASS()

 public:
  explicit TimerData(XObject* link = nullptr) : XObject(link) { Settings[3] = 1; }

  // 0 without another record or without a start time here; 1 when a compared
  // field differs; otherwise 1 when this record starts after the other.
  int32_t Difference(const TimerData* other) const;

  uint8_t Flag = 0;
  int32_t Index = 0;  // the timer the model was asked for; not compared
  int32_t Values[6] = {};
  VgPtr<LocalTime> StartTime;
  int32_t Settings[5] = {};
  int32_t Extra[2] = {};  // not compared
};

}  // namespace Structures
