#include "Structures/TimerData.h"

#include <algorithm>

VG_DEFINE_CLASS(Structures, TimerData, XObject)

namespace Structures {

int32_t TimerData::Difference(const TimerData* other) const {
  if (!other || !StartTime) return 0;
  if (!std::equal(std::begin(Values), std::end(Values), std::begin(other->Values))) return 1;
  if (Flag != other->Flag) return 1;
  if (!std::equal(std::begin(Settings), std::end(Settings), std::begin(other->Settings))) return 1;
  return StartTime->Difference(other->StartTime) > 0 ? 1 : 0;
}

}  // namespace Structures
