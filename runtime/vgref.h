// Property references: {object, getter, setter}. A reference is typed by the
// property's value and built from member functions through trampolines, so two
// references to the same property of the same object compare equal (which the
// observers of a property rely on). A reference held in a GUI object's field
// is traced like a slot.
#pragma once

#include <cstdint>
#include <type_traits>

#include "vgcolor.h"
#include "vgobject.h"
#include "vgpoint.h"
#include "vgrect.h"
#include "vgslot.h"
#include "vgstring.h"

struct VgNullRefTag {};
inline constexpr VgNullRefTag VgNullRef{};

template <class T>
class VgRef : private VgFieldNode {
 public:
  using Value = T;
  using Getter = T (*)(XObject* object);
  using Setter = void (*)(XObject* object, T value);

  XObject* object = nullptr;
  Getter getter = nullptr;
  Setter setter = nullptr;

  VgRef() noexcept : VgFieldNode(&MarkField) {}
  VgRef(VgNullRefTag) noexcept : VgFieldNode(&MarkField) {}  // NOLINT: implicit by design
  VgRef(XObject* o, Getter g, Setter s) noexcept : VgFieldNode(&MarkField), object(o), getter(g), setter(s) {}
  VgRef(const VgRef& r) noexcept : VgFieldNode(&MarkField), object(r.object), getter(r.getter), setter(r.setter) {}
  VgRef& operator=(const VgRef& r) noexcept {
    object = r.object;
    getter = r.getter;
    setter = r.setter;
    return *this;
  }
  bool operator==(const VgRef& r) const { return object == r.object && getter == r.getter && setter == r.setter; }
  bool IsNull() const { return object == nullptr; }

  // The words by which observers and the trace identify the accessors.
  const void* GetterKey() const { return reinterpret_cast<const void*>(getter); }
  const void* SetterKey() const { return reinterpret_cast<const void*>(setter); }

 private:
  VG_UNRECORDED_MARK static void MarkField(const VgFieldNode* node) { VgMarkObject(static_cast<const VgRef*>(node)->object); }
};

// ------------------------------------------------------------- construction

namespace vg_detail {
template <class M>
struct RefGetterOf;
template <class C, class R>
struct RefGetterOf<R (C::*)()> {
  using Class = C;
  using Value = std::remove_cvref_t<R>;
};
template <class C, class R>
struct RefGetterOf<R (C::*)() const> {
  using Class = C;
  using Value = std::remove_cvref_t<R>;
};
template <class C, class R>
struct RefGetterOf<R (C::*)() noexcept> : RefGetterOf<R (C::*)()> {};
template <class C, class R>
struct RefGetterOf<R (C::*)() const noexcept> : RefGetterOf<R (C::*)() const> {};

template <class M>
struct RefSetterOf;
template <class C, class P>
struct RefSetterOf<void (C::*)(P)> {
  using Class = C;
};
template <class C, class P>
struct RefSetterOf<void (C::*)(P) noexcept> {
  using Class = C;
};

template <auto G>
typename RefGetterOf<decltype(G)>::Value RefGet(XObject* object) {
  using C = typename RefGetterOf<decltype(G)>::Class;
  return (static_cast<C*>(object)->*G)();
}
template <auto S, class T>
void RefSet(XObject* object, T value) {
  using C = typename RefSetterOf<decltype(S)>::Class;
  (static_cast<C*>(object)->*S)(value);
}
}  // namespace vg_detail

// VgRefOf<&Core::Timer::OnGetPeriod, &Core::Timer::OnSetPeriod>(timer): the
// reference to the timer's Period. Leave out the setter for a read-only one.
template <auto Getter, auto Setter = nullptr, class C>
VgRef<typename vg_detail::RefGetterOf<decltype(Getter)>::Value> VgRefOf(C* object) {
  using T = typename vg_detail::RefGetterOf<decltype(Getter)>::Value;
  typename VgRef<T>::Setter setter = nullptr;
  if constexpr (!std::is_null_pointer_v<decltype(Setter)>) setter = &vg_detail::RefSet<Setter, T>;
  return VgRef<T>(object, &vg_detail::RefGet<Getter>, setter);
}

template <class T>
VgRef<T> VgNewRef(XObject* object, T (*getter)(XObject*), std::type_identity_t<void (*)(XObject*, T)> setter) {
  return VgRef<T>(object, getter, setter);
}

// 0 when object, getter and setter are equal, else 1.
template <class T>
int32_t VgCompRef(const VgRef<T>& a, const VgRef<T>& b) {
  return a == b ? 0 : 1;
}

template <class T>
void VgMarkRef(const VgRef<T>& ref) {
  VgMarkObject(ref.object);
}
template <class T>
void VgMarkRefs(const VgRef<T>* refs, int32_t count) {
  for (int32_t i = 0; i < count; ++i) VgMarkObject(refs[i].object);
}

// ------------------------------------------------------------ access

// Prints the line that reports the use of a null reference.
void VgReportNullRef(const char* operation);

// A reference without object or getter reads as the zero value; one without
// object or setter ignores the write. Either is reported on the console.
template <class T>
T VgOnGet(const VgRef<T>& ref) {
  if (!ref.object || !ref.getter) {
    VgReportNullRef("VgOnGet");
    return T{};
  }
  return ref.getter(ref.object);
}
template <class T>
void VgOnSet(const VgRef<T>& ref, std::type_identity_t<T> value) {
  if (!ref.object || !ref.setter) {
    VgReportNullRef("VgOnSet");
    return;
  }
  ref.setter(ref.object, value);
}

// One getter and one setter per value type. The setters take the value as the
// generated code passes it, in a full word, and narrow it to the property's width.
inline int8_t VgOnGetInt8(const VgRef<int8_t>& r) { return VgOnGet(r); }
inline void VgOnSetInt8(const VgRef<int8_t>& r, int32_t v) { VgOnSet(r, int8_t(v)); }
inline bool VgOnGetBool(const VgRef<bool>& r) { return VgOnGet(r); }
inline void VgOnSetBool(const VgRef<bool>& r, int32_t v) { VgOnSet(r, int8_t(v) != 0); }
inline int16_t VgOnGetInt16(const VgRef<int16_t>& r) { return VgOnGet(r); }
inline void VgOnSetInt16(const VgRef<int16_t>& r, int32_t v) { VgOnSet(r, int16_t(v)); }
inline int32_t VgOnGetInt32(const VgRef<int32_t>& r) { return VgOnGet(r); }
inline void VgOnSetInt32(const VgRef<int32_t>& r, int32_t v) { VgOnSet(r, v); }
inline uint8_t VgOnGetUInt8(const VgRef<uint8_t>& r) { return VgOnGet(r); }
inline void VgOnSetUInt8(const VgRef<uint8_t>& r, uint32_t v) { VgOnSet(r, uint8_t(v)); }
inline uint16_t VgOnGetUInt16(const VgRef<uint16_t>& r) { return VgOnGet(r); }
inline void VgOnSetUInt16(const VgRef<uint16_t>& r, uint32_t v) { VgOnSet(r, uint16_t(v)); }
inline char16_t VgOnGetChar(const VgRef<char16_t>& r) { return VgOnGet(r); }
inline void VgOnSetChar(const VgRef<char16_t>& r, uint32_t v) { VgOnSet(r, char16_t(v)); }
inline uint32_t VgOnGetUInt32(const VgRef<uint32_t>& r) { return VgOnGet(r); }
inline void VgOnSetUInt32(const VgRef<uint32_t>& r, uint32_t v) { VgOnSet(r, v); }
inline double VgOnGetFloat(const VgRef<double>& r) { return VgOnGet(r); }
inline void VgOnSetFloat(const VgRef<double>& r, double v) { VgOnSet(r, v); }
inline VgString VgOnGetString(const VgRef<VgString>& r) { return VgOnGet(r); }
inline void VgOnSetString(const VgRef<VgString>& r, VgString v) { VgOnSet(r, v); }
inline VgPoint VgOnGetPoint(const VgRef<VgPoint>& r) { return VgOnGet(r); }
inline void VgOnSetPoint(const VgRef<VgPoint>& r, VgPoint v) { VgOnSet(r, v); }
inline VgRect VgOnGetRect(const VgRef<VgRect>& r) { return VgOnGet(r); }
inline void VgOnSetRect(const VgRef<VgRect>& r, VgRect v) { VgOnSet(r, v); }
inline VgColor VgOnGetColor(const VgRef<VgColor>& r) { return VgOnGet(r); }
inline void VgOnSetColor(const VgRef<VgColor>& r, VgColor v) { VgOnSet(r, v); }
inline uint32_t VgOnGetSet(const VgRef<uint32_t>& r) { return VgOnGet(r); }
inline void VgOnSetSet(const VgRef<uint32_t>& r, uint32_t v) { VgOnSet(r, v); }
inline VgSlot VgOnGetSlot(const VgRef<VgSlot>& r) { return VgOnGet(r); }
inline void VgOnSetSlot(const VgRef<VgSlot>& r, const VgSlot& v) { VgOnSet(r, v); }
inline int32_t VgOnGetLangId(const VgRef<int32_t>& r) { return VgOnGet(r); }
inline void VgOnSetLangId(const VgRef<int32_t>& r, int32_t v) { VgOnSet(r, v); }
inline uint32_t VgOnGetStylesSet(const VgRef<uint32_t>& r) { return VgOnGet(r); }
inline void VgOnSetStylesSet(const VgRef<uint32_t>& r, uint32_t v) { VgOnSet(r, v); }
inline const VgClass* VgOnGetClass(const VgRef<const VgClass*>& r) { return VgOnGet(r); }
inline void VgOnSetClass(const VgRef<const VgClass*>& r, const VgClass* v) { VgOnSet(r, v); }

// Enumerations are 16-bit; a property may use a C++ enumeration of that width.
template <class E>
  requires(sizeof(E) == 2)
E VgOnGetEnum(const VgRef<E>& r) {
  return VgOnGet(r);
}
template <class E>
  requires(sizeof(E) == 2)
void VgOnSetEnum(const VgRef<E>& r, uint32_t v) {
  VgOnSet(r, E(uint16_t(v)));
}

// Object properties keep their class: a getter returning Views::Text* gives a
// VgRef<Views::Text*>.
template <class T>
  requires std::is_base_of_v<XObject, T>
T* VgOnGetObject(const VgRef<T*>& r) {
  return VgOnGet(r);
}
template <class T>
  requires std::is_base_of_v<XObject, T>
void VgOnSetObject(const VgRef<T*>& r, T* v) {
  VgOnSet(r, v);
}

// ------------------------------------------------------------ observers

// Observers of a property, identified by the reference's object and getter.
template <class T>
int32_t VgAttachRefObserver(const VgSlot& slot, const VgRef<T>& ref, uint32_t id) {
  return VgAttachRefObserver(slot, ref.object, ref.GetterKey(), id);
}
template <class T>
int32_t VgDetachRefObserver(const VgSlot& slot, const VgRef<T>& ref, uint32_t id) {
  return VgDetachRefObserver(slot, ref.object, ref.GetterKey(), id);
}
template <class T>
void VgNotifyRefObservers(const VgRef<T>& ref, uint32_t id) {
  VgNotifyRefObservers(ref.object, ref.GetterKey(), id);
}
