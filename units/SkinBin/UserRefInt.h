// The parameter a screen hands to the screen it opens, through a
// SubSystem::State or a message; the opened screen casts it back.
#pragma once

#include <cstdint>

#include "vgobject.h"
#include "vgstring.h"

namespace SkinBin {

class UserRefInt : public XObject {
  VG_CLASS()

 public:
  explicit UserRefInt(XObject* link = nullptr) : XObject(link) {}

  bool Flag = false;
  int32_t Value = 0;
  int32_t Kind = 0;  // the opener's origin tag, or a code of the opened screen's own
  VgStr Text;
  VgPtr<XObject> Object;
};

}  // namespace SkinBin
