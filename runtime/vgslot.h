// Slots, signals and observers. A slot is an object and a method; signalling
// calls it at once, posting queues it for the next signal pass of the GUI loop,
// posting last queues it to run once the rest of that pass's work (posted
// meanwhile too) is done, idling for the pass after. A slot held in a GUI
// object's field is traced.
#pragma once

#include <cstdint>

#include "vgobject.h"

using VgMethod = void (*)(XObject* object, XObject* sender);

class VgSlot : private VgFieldNode {
 public:
  XObject* object = nullptr;
  VgMethod method = nullptr;

  VgSlot() noexcept : VgFieldNode(&MarkField) {}
  VgSlot(XObject* o, VgMethod m) noexcept : VgFieldNode(&MarkField), object(o), method(m) {}
  VgSlot(const VgSlot& s) noexcept : VgFieldNode(&MarkField), object(s.object), method(s.method) {}
  VgSlot& operator=(const VgSlot& s) noexcept {
    object = s.object;
    method = s.method;
    return *this;
  }
  bool operator==(const VgSlot& s) const { return object == s.object && method == s.method; }
  bool IsNull() const { return object == nullptr; }

 private:
  VG_UNRECORDED_MARK static void MarkField(const VgFieldNode* node) { VgMarkObject(static_cast<const VgSlot*>(node)->object); }
};

inline const VgSlot VgNullSlot{};

namespace vg_detail {
template <class C>
struct MemberClass;
template <class C>
struct MemberClass<void (C::*)(XObject*)> {
  using type = C;
};
template <auto M>
void SlotTrampoline(XObject* object, XObject* sender) {
  using C = typename MemberClass<decltype(M)>::type;
  (static_cast<C*>(object)->*M)(sender);
}
}  // namespace vg_detail

// VgSlotOf<&Views::Image::OnTimer>(image): the slot calling image->OnTimer(sender).
// Two slots of the same object and method compare equal.
template <auto M, class C>
VgSlot VgSlotOf(C* object) {
  return VgSlot(object, &vg_detail::SlotTrampoline<M>);
}

VgSlot VgNewSlot(XObject* object, VgMethod method);
int32_t VgCompSlot(const VgSlot& a, const VgSlot& b);  // 0 when equal
void VgSignal(const VgSlot& slot, XObject* sender);
void VgPostSignal(const VgSlot& slot);
// A slot that settles what the pass's work leaves (the key owner's) runs
// once, after it: posted again meanwhile, it keeps its one place at the end.
void VgPostSignalLast(const VgSlot& slot);
int32_t VgIdleSignal(const VgSlot& slot);
int32_t VgProcessSignals();
int32_t VgAnyPendingSignals();
// The cause of the work that runs now, a number its caller chose (0: none):
// a slot posted, idled or notified while a cause is set carries it, and runs
// with it set, so work left for a later pass is still known for what caused
// it. A slot posted again takes the newer cause, when there is one.
uint32_t VgSignalCause();
// Sets the cause of the work that runs now; returns the one before.
uint32_t VgSetSignalCause(uint32_t cause);
void VgDiscardSignals();
void VgMarkSignals();
void VgMarkSlot(const VgSlot& slot);
void VgMarkSlots(const VgSlot* slots, int32_t count);

// Observers. The observed property is identified by its object and getter.
int32_t VgAttachObserver(const VgSlot& slot, uint32_t id);
int32_t VgAttachObjObserver(const VgSlot& slot, XObject* object, uint32_t id);
int32_t VgAttachRefObserver(const VgSlot& slot, XObject* object, const void* getter, uint32_t id);
int32_t VgDetachObserver(const VgSlot& slot, uint32_t id);
int32_t VgDetachObjObserver(const VgSlot& slot, XObject* object, uint32_t id);
int32_t VgDetachRefObserver(const VgSlot& slot, XObject* object, const void* getter, uint32_t id);
void VgNotifyObservers(uint32_t id);
void VgNotifyObjObservers(XObject* object, uint32_t id);
void VgNotifyRefObservers(XObject* object, const void* getter, uint32_t id);
void VgDisposeObservers(uint32_t cycle);
