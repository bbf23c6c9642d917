#include "Core/Resource.h"

#include "vgresmap.h"

VG_DEFINE_CLASS(Core, Resource, XObject)

namespace Core {

// The data comes from VgLoadResource; an object made otherwise (a canvas) has none.
Resource::Resource(XObject* link) : XObject(link), resource(VgTakeResourceData()) {
  if (resource) VgRegisterResource(this, resource);
}

Resource::~Resource() {
  if (resource) VgDeregisterResource(this);
  resource = nullptr;
}

}  // namespace Core
