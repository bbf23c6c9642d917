// The base of every event: the host, the root and the screens create one per
// occurrence, hand it to HandleEvent and leave it to the collector.
#pragma once

#include "vgobject.h"

namespace Core {

class Event : public XObject {
  VG_CLASS()

 public:
  explicit Event(XObject* link = nullptr) : XObject(link) {}
};

}  // namespace Core
