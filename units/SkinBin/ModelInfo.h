// The model texts that the factory's status check shows.
#pragma once

#include <cstdint>

#include "vgobject.h"
#include "vgstring.h"

namespace SkinBin {

class ModelInfo : public XObject {
  VG_CLASS()

 public:
  explicit ModelInfo(XObject* link = nullptr) : XObject(link) {}

  int32_t Number = 0;
  VgStr ModelName;
  VgStr PanelName;
  int32_t ModelId = 0;
  VgStr Description;
};

}  // namespace SkinBin
