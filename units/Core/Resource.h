// The base of bitmap and font resources: keeps the resource data it was made
// from, and is the one object the resource map shares for that data.
#pragma once

#include "vgobject.h"

namespace Core {

class Resource : public XObject {
  VG_CLASS()

 public:
  explicit Resource(XObject* link = nullptr);
  ~Resource() override;

 protected:
  const void* resource = nullptr;
};

}  // namespace Core
