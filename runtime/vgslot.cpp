#include "vgslot.h"

#include <cstdio>
#include <cstdlib>

namespace {

struct SignalNode {
  SignalNode* next;
  XObject* object;
  VgMethod method;
  int32_t delivering;
  uint32_t cause;
};

// A first-in first-out list of slots, each at most once.
struct SignalList {
  SignalNode* head = nullptr;
  SignalNode* tail = nullptr;

  bool Empty() const { return head == nullptr; }

  void Append(SignalNode* node) {
    node->next = nullptr;
    if (tail) {
      tail->next = node;
    } else {
      head = node;
    }
    tail = node;
  }

  void Unlink(SignalNode* node, SignalNode* previous) {
    if (previous) {
      previous->next = node->next;
    } else {
      head = node->next;
    }
    if (tail == node) tail = previous;
  }

  void FreeAll() {
    while (head) {
      SignalNode* next = head->next;
      std::free(head);
      head = next;
    }
    tail = nullptr;
  }
};

SignalList g_postSignals;
// Run once the pass's other posted work is done.
SignalList g_lastSignals;
SignalList g_idleSignals;
uint32_t g_cause = 0;

struct Observer {
  Observer* next;
  XObject* object;
  VgMethod method;
  XObject* observed;
  const void* getter;
  uint32_t id;
};

Observer* g_observers = nullptr;  // newest first

// Returns 1 when queued (or moved to the tail), 0 when the slot is being delivered.
int32_t Enqueue(SignalList& list, const VgSlot& slot) {
  if (!slot.object) return 0;
  SignalNode* previous = nullptr;
  for (SignalNode* node = list.head; node; previous = node, node = node->next) {
    if (node->object != slot.object || node->method != slot.method) continue;
    if (node->delivering) return 0;
    list.Unlink(node, previous);
    list.Append(node);
    // Work posted again for a cause is that cause's too.
    if (g_cause) node->cause = g_cause;
    return 1;
  }
  auto* node = static_cast<SignalNode*>(std::malloc(sizeof(SignalNode)));
  if (!node) VgPanicAnsi("Can not post a signal. Out of memory");
  *node = {nullptr, slot.object, slot.method, 0, g_cause};
  list.Append(node);
  return 1;
}

int32_t Attach(const VgSlot& slot, XObject* observed, const void* getter, uint32_t id) {
  if (!slot.object) return 0;
  for (Observer* o = g_observers; o; o = o->next) {
    if (o->object == slot.object && o->method == slot.method && o->observed == observed && o->getter == getter &&
        o->id == id)
      return 0;
  }
  auto* record = static_cast<Observer*>(std::malloc(sizeof(Observer)));
  if (!record) VgPanicAnsi("Can not attach observer. Out of memory");
  *record = {g_observers, slot.object, slot.method, observed, getter, id};
  g_observers = record;
  return 1;
}

int32_t Detach(const VgSlot& slot, XObject* observed, const void* getter, uint32_t id) {
  for (Observer** link = &g_observers; *link; link = &(*link)->next) {
    Observer* o = *link;
    if (o->object == slot.object && o->method == slot.method && o->observed == observed && o->getter == getter &&
        o->id == id) {
      *link = o->next;
      std::free(o);
      return 1;
    }
  }
  return 0;
}

void Notify(XObject* observed, const void* getter, uint32_t id) {
  for (Observer* o = g_observers; o; o = o->next) {
    if (o->observed == observed && o->getter == getter && o->id == id)
      Enqueue(g_postSignals, VgSlot(o->object, o->method));
  }
}

}  // namespace

VgSlot VgNewSlot(XObject* object, VgMethod method) { return VgSlot(object, method); }

int32_t VgCompSlot(const VgSlot& a, const VgSlot& b) { return a == b ? 0 : 1; }

void VgSignal(const VgSlot& slot, XObject* sender) {
  if (slot.object) slot.method(slot.object, sender);
}

void VgPostSignal(const VgSlot& slot) {
  if (!slot.object) return;
  if (!Enqueue(g_postSignals, slot)) std::printf("'postsignal' is failed. The signal is just delivered\n");
}

void VgPostSignalLast(const VgSlot& slot) {
  if (!slot.object) return;
  if (!Enqueue(g_lastSignals, slot)) std::printf("'postsignal' is failed. The signal is just delivered\n");
}

int32_t VgIdleSignal(const VgSlot& slot) { return Enqueue(g_idleSignals, slot); }

int32_t VgProcessSignals() {
  bool any = !g_postSignals.Empty() || !g_lastSignals.Empty();
  for (;;) {
    SignalList& list = g_postSignals.Empty() ? g_lastSignals : g_postSignals;
    SignalNode* node = list.head;
    if (!node) break;
    node->delivering = 1;
    const uint32_t outer = VgSetSignalCause(node->cause);
    node->method(node->object, nullptr);
    VgSetSignalCause(outer);
    // Slots posted meanwhile went to the tail; the head is still this node.
    list.Unlink(node, nullptr);
    std::free(node);
  }
  g_postSignals = g_idleSignals;
  g_idleSignals = SignalList{};
  return any ? 1 : 0;
}

uint32_t VgSignalCause() { return g_cause; }

uint32_t VgSetSignalCause(uint32_t cause) {
  const uint32_t was = g_cause;
  g_cause = cause;
  return was;
}

int32_t VgAnyPendingSignals() {
  return (!g_postSignals.Empty() || !g_lastSignals.Empty() || !g_idleSignals.Empty()) ? 1 : 0;
}

void VgDiscardSignals() {
  g_postSignals.FreeAll();
  g_lastSignals.FreeAll();
  g_idleSignals.FreeAll();
  g_cause = 0;
}

void VgMarkSignals() {
  for (SignalNode* n = g_postSignals.head; n; n = n->next) VgMarkObject(n->object);
  for (SignalNode* n = g_lastSignals.head; n; n = n->next) VgMarkObject(n->object);
  for (SignalNode* n = g_idleSignals.head; n; n = n->next) VgMarkObject(n->object);
}

void VgMarkSlot(const VgSlot& slot) { VgMarkObject(slot.object); }

void VgMarkSlots(const VgSlot* slots, int32_t count) {
  for (int32_t i = 0; i < count; ++i) VgMarkObject(slots[i].object);
}

int32_t VgAttachObserver(const VgSlot& slot, uint32_t id) { return Attach(slot, nullptr, nullptr, id); }

int32_t VgAttachObjObserver(const VgSlot& slot, XObject* object, uint32_t id) {
  return object ? Attach(slot, object, nullptr, id) : 0;
}

int32_t VgAttachRefObserver(const VgSlot& slot, XObject* object, const void* getter, uint32_t id) {
  return object ? Attach(slot, object, getter, id) : 0;
}

int32_t VgDetachObserver(const VgSlot& slot, uint32_t id) { return Detach(slot, nullptr, nullptr, id); }

int32_t VgDetachObjObserver(const VgSlot& slot, XObject* object, uint32_t id) {
  return Detach(slot, object, nullptr, id);
}

int32_t VgDetachRefObserver(const VgSlot& slot, XObject* object, const void* getter, uint32_t id) {
  return Detach(slot, object, getter, id);
}

void VgNotifyObservers(uint32_t id) { Notify(nullptr, nullptr, id); }

void VgNotifyObjObservers(XObject* object, uint32_t id) {
  if (object) Notify(object, nullptr, id);
}

void VgNotifyRefObservers(XObject* object, const void* getter, uint32_t id) {
  if (object) Notify(object, getter, id);
}

void VgDisposeObservers(uint32_t) {
  // The collector calls this inside its cycle, so "marked" means marked now.
  for (Observer** link = &g_observers; *link;) {
    Observer* o = *link;
    if (VgIsMarked(o->object) && (!o->observed || VgIsMarked(o->observed))) {
      link = &o->next;
    } else {
      *link = o->next;
      std::free(o);
    }
  }
}
