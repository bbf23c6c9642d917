// The resource map: one shared resource object per resource data (a bitmap or
// font record). The map does not keep its objects alive; a resource object
// leaves it from its destructor, so a collected resource is made anew on the
// next VgLoadResource.
#pragma once

#include <cstddef>
#include <cstdint>

#include "vgobject.h"
#include "vgscalars.h"

// One entry of a resource constant: {language, resource data}.
using VgResourceEntry = VgConstEntry<const void*>;

inline constexpr size_t VgResourceMapCapacity = 256;

extern "C" {
// The object for the constant's data in the current language: the registered
// one, or a new object of the class made from the data. Null for a null
// constant or one without an entry.
XObject* VgLoadResource(const VgConstant* constant, const VgClass* cls);
// Appends {data, object}; null arguments are ignored; a full map panics.
void VgRegisterResource(XObject* object, const void* data);
// Removes the first pair of the object, keeping the order of the others.
void VgDeregisterResource(XObject* object);
}

// The data of the resource object under construction by VgLoadResource, handed
// to the first caller only (the resource base class's constructor), so that
// objects the resource makes while it is built do not take it as well.
// Null outside such a construction.
const void* VgTakeResourceData();

// The object registered first for the data, or null (diagnostics and tests).
XObject* VgFindResource(const void* data);
size_t VgResourceMapSize();

// The resource of class T for a constant: VgLoad<Resources::Bitmap>(Bitmaps::Point).
template <class T>
T* VgLoad(const VgConstant& constant) {
  return static_cast<T*>(VgLoadResource(&constant, &T::Class));
}
