#include "vgobject.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <unordered_map>
#include <vector>

#include "vgslot.h"
#include "vgstring.h"

constinit const VgClass XObject::Class = {"XObject", nullptr, VgNoVariants, sizeof(XObject), nullptr};

#if defined(__SANITIZE_THREAD__)
extern "C" {
void AnnotateIgnoreReadsBegin(const char* file, int line);
void AnnotateIgnoreReadsEnd(const char* file, int line);
void AnnotateIgnoreWritesBegin(const char* file, int line);
void AnnotateIgnoreWritesEnd(const char* file, int line);
}
#endif

namespace {

// While it lives, the thread sanitizer neither checks nor remembers what its
// thread reads and writes: the collector's mark (see VG_UNRECORDED_MARK).
// The code that uses a field reads it itself, where the sanitizer sees it.
class UnrecordedByTheRaceSanitizer {
 public:
  UnrecordedByTheRaceSanitizer() {
#if defined(__SANITIZE_THREAD__)
    AnnotateIgnoreReadsBegin(__FILE__, __LINE__);
    AnnotateIgnoreWritesBegin(__FILE__, __LINE__);
#endif
  }
  ~UnrecordedByTheRaceSanitizer() {
#if defined(__SANITIZE_THREAD__)
    AnnotateIgnoreWritesEnd(__FILE__, __LINE__);
    AnnotateIgnoreReadsEnd(__FILE__, __LINE__);
#endif
  }
  UnrecordedByTheRaceSanitizer(const UnrecordedByTheRaceSanitizer&) = delete;
  UnrecordedByTheRaceSanitizer& operator=(const UnrecordedByTheRaceSanitizer&) = delete;
};

constexpr int kRootSetSize = 16;

struct Construction {
  char* begin;
  char* end;
  XObject* object;
};

struct AutoNode {
  AutoNode* next;
  void (*key)(XObject*);
  XObject* instance;
};

XObject* g_objects = nullptr;     // newest first
size_t g_objectCount = 0;
XObject* g_rootSet[kRootSetSize] = {};
AutoNode* g_autoObjects = nullptr;
uint32_t g_markCycle = 0;
int32_t g_langId = 0;
uint32_t g_stylesSet = 0;
int32_t g_initArgument = 0;

// Objects under construction, innermost last; traced fields find their owner here.
std::vector<Construction>& ConstructionStack() {
  static std::vector<Construction> stack;
  return stack;
}

// Objects marked but not yet scanned. Marking runs from this stack rather than
// by recursion, so deep view trees and long lists cannot overflow the C stack.
// A plain array rather than a vector: the mark's own calls are left out of
// the thread sanitizer's record (VG_UNRECORDED_MARK), a vector's would not.
XObject** g_grey = nullptr;
size_t g_greyCount = 0;
size_t g_greyRoom = 0;
bool g_draining = false;

XObject* OwnerOf(const void* address) {
  auto& stack = ConstructionStack();
  for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
    auto* p = static_cast<const char*>(address);
    if (p >= it->begin && p < it->end) return it->object;
  }
  return nullptr;
}

void MarkEmbedded(const VgFieldNode* node);

// Walks a variants chain: fn is called with the thing itself, then with each
// chosen variant in turn. Tables(d) gives a descriptor's own variants table.
template <class D, class Fn>
const D* WalkVariants(const D* start, const VgVariant* (*table)(const D*), Fn&& visit) {
  const D* current = start;
  visit(current);
  const VgVariant* t = table(current);
  while (t && t[0].descriptor) {
    const void* taken = nullptr;
    for (const VgVariant* pair = t;; ++pair) {
      if (pair->mask == 0 || (pair->mask & g_stylesSet)) {
        taken = pair->descriptor;
        break;
      }
    }
    if (!taken) break;
    current = static_cast<const D*>(taken);
    visit(current);
    t = table(current);
  }
  return current;
}

const VgVariant* ClassTable(const VgClass* c) { return c->variants; }
const VgVariant* AutoTable(const VgAutoObject* a) { return a->variants; }
const VgVariant* ConstantTable(const VgConstant* c) { return c->variants; }

std::unordered_map<XObject*, std::pair<const VgClass*, void*>>& AttachedVariants() {
  static std::unordered_map<XObject*, std::pair<const VgClass*, void*>> map;
  return map;
}

}  // namespace

// Exposes the header to the collector without making it public.
struct VgRuntimeAccess {
  static XObject*& Next(XObject* o) { return o->next_; }
  static uint32_t& Cycle(XObject* o) { return o->markCycle_; }
  static VgFieldNode*& Fields(XObject* o) { return o->fields_; }
};

// ------------------------------------------------------------- traced fields

VgFieldNode::VgFieldNode(void (*mark)(const VgFieldNode*)) noexcept : fieldMark(mark) {
  if (XObject* owner = OwnerOf(this)) {
    VgFieldNode*& head = VgRuntimeAccess::Fields(owner);
    fieldNext = head;
    head = this;
  }
}

namespace {
VG_UNRECORDED_MARK void MarkEmbedded(const VgFieldNode* node) {
  VgMarkObject(static_cast<const XObject::EmbedNode*>(node)->self);
}
}  // namespace

XObject::EmbedNode::EmbedNode(XObject* s) noexcept : VgFieldNode(&MarkEmbedded, Unlinked{}), self(s) {}

XObject::XObject(XObject* link) noexcept : link_(link), embed_(this) {
  if (!link) return;
  // An embedded object is marked and re-initialised by the object it lives in.
  if (XObject* owner = OwnerOf(this)) {
    VgFieldNode*& head = owner->fields_;
    embed_.fieldNext = head;
    head = &embed_;
  }
}

XObject::~XObject() = default;

VG_UNRECORDED_MARK void XObject::Mark() {
  VgMarkObject(link_);
  for (VgFieldNode* f = fields_; f; f = f->fieldNext) f->fieldMark(f);
}

void XObject::ReInit() {
  for (VgFieldNode* f = fields_; f; f = f->fieldNext)
    if (f->fieldMark == &MarkEmbedded) static_cast<EmbedNode*>(f)->self->ReInit();
}

// ------------------------------------------------------------- class list

namespace {
// Filled by the static initialisers of the defining files; constant-
// initialised itself, so the order of those files does not matter.
constinit const vg_detail::ClassEntry* g_classes = nullptr;
}  // namespace

vg_detail::ClassEntry::ClassEntry(const VgClass* c) noexcept : cls(c), next(g_classes) { g_classes = this; }

const VgClass* VgFindClass(const char* name) {
  if (!name) return nullptr;
  for (const vg_detail::ClassEntry* entry = g_classes; entry; entry = entry->next)
    if (std::strcmp(entry->cls->name, name) == 0) return entry->cls;
  return nullptr;
}

void VgForEachClass(void (*visit)(const VgClass* cls, void* context), void* context) {
  for (const vg_detail::ClassEntry* entry = g_classes; entry; entry = entry->next) visit(entry->cls, context);
}

// ---------------------------------------------------------------- creation

XObject* VgNewObjectIndirect(const VgClass* cls, int32_t argument) {
  if (!cls) VgPanicAnsi("Invalid class (null)");
  void* memory = std::calloc(1, cls->instanceSize);
  if (!memory) VgPanicAnsi("Can not create an object. Out of memory");
  char* begin = static_cast<char*>(memory);
  auto& stack = ConstructionStack();
  // XObject is the first and only polymorphic base, so the object starts the block.
  stack.push_back({begin, begin + cls->instanceSize, static_cast<XObject*>(memory)});
  int32_t savedArgument = g_initArgument;
  g_initArgument = argument;
  XObject* object;
  try {
    object = cls->construct(memory);
  } catch (...) {
    stack.pop_back();
    g_initArgument = savedArgument;
    std::free(memory);
    throw;
  }
  stack.pop_back();
  g_initArgument = savedArgument;
  VgRuntimeAccess::Next(object) = g_objects;
  g_objects = object;
  ++g_objectCount;
  return object;
}

int32_t VgInitArgument() { return g_initArgument; }
size_t VgObjectCount() { return g_objectCount; }

// ------------------------------------------------------------------ classes

const VgClass* VgCastClass(const VgClass* a, const VgClass* b) {
  if (!a || !b || a == b) return a;
  for (const VgClass* c = a->ancestor; c; c = c->ancestor)
    if (c == b) return a;
  return nullptr;
}

XObject* VgCastObject(XObject* object, const VgClass* cls) {
  if (!cls) VgPanicAnsi("Invalid class (null)");
  if (!object) return nullptr;
  for (const VgClass* c = object->GetClass(); c; c = c->ancestor)
    if (c == cls) return object;
  return nullptr;
}

const VgClass* VgClassOf(const XObject* object) { return object ? object->GetClass() : nullptr; }

// ----------------------------------------------------------------- root set

void VgLockObject(XObject* object) {
  if (!object) return;
  for (XObject*& entry : g_rootSet) {
    if (!entry) {
      entry = object;
      return;
    }
  }
  VgPanicAnsi("Rootset is full");
}

void VgUnlockObject(XObject* object) {
  if (!object) return;
  for (XObject*& entry : g_rootSet) {
    if (entry == object) {
      entry = nullptr;
      return;
    }
  }
  VgPanicAnsi("Object is not in the rootset");
}

// ---------------------------------------------------------------- collector

VG_UNRECORDED_MARK bool VgIsMarked(const XObject* object) {
  return object && VgRuntimeAccess::Cycle(const_cast<XObject*>(object)) == g_markCycle;
}

VG_UNRECORDED_MARK void VgMarkObject(XObject* object) {
  if (!object || VgRuntimeAccess::Cycle(object) == g_markCycle) return;
  VgRuntimeAccess::Cycle(object) = g_markCycle;
  if (g_greyCount == g_greyRoom) {
    g_greyRoom = g_greyRoom ? g_greyRoom * 2 : 256;
    g_grey = static_cast<XObject**>(std::realloc(g_grey, g_greyRoom * sizeof *g_grey));
    if (!g_grey) VgPanicAnsi("The collector has no room to mark");
  }
  g_grey[g_greyCount++] = object;
  if (g_draining) return;
  g_draining = true;
  while (g_greyCount > 0) g_grey[--g_greyCount]->Mark();
  g_draining = false;
}

void VgMarkObjects(XObject* const* objects, int32_t count) {
  for (int32_t i = 0; i < count; ++i) VgMarkObject(objects[i]);
}

void VgReclaimMemory(void) {
  ++g_markCycle;
  if (g_markCycle == 0) g_markCycle = 1;  // 0 is the mark of a new object

  const bool rootSetEmpty = std::none_of(std::begin(g_rootSet), std::end(g_rootSet), [](XObject* e) { return e; });
  if (rootSetEmpty) VgDiscardSignals();
  {
    UnrecordedByTheRaceSanitizer mark;
    for (XObject* entry : g_rootSet) VgMarkObject(entry);
    VgMarkSignals();
  }
  VgDisposeObservers(g_markCycle);

  // Auto objects are not roots: a node survives while its instance is reachable
  // (or still being made); otherwise the next access makes a new instance.
  for (AutoNode** link = &g_autoObjects; *link;) {
    AutoNode* node = *link;
    if (!node->instance || VgIsMarked(node->instance)) {
      link = &node->next;
    } else {
      *link = node->next;
      std::free(node);
    }
  }

  for (XObject** link = &g_objects; *link;) {
    XObject* object = *link;
    if (VgIsMarked(object)) {
      link = &VgRuntimeAccess::Next(object);
      continue;
    }
    *link = VgRuntimeAccess::Next(object);
    --g_objectCount;
    VgDetachObjectVariant(object, 0, 0);
    object->~XObject();
    std::free(object);
  }

  VgDisposeStrings();
  if (rootSetEmpty) VgClearStringCache();
}

// --------------------------------------------------------- language, styles

void VgReconstructObjects(void) {
  for (XObject* o = g_objects; o; o = VgRuntimeAccess::Next(o)) o->ReInit();
}

void VgSetLanguage(int32_t id) {
  if (id == g_langId) return;
  g_langId = id;
  VgReconstructObjects();
}

int32_t VgGetLanguage(void) { return g_langId; }
void VgSetStyles(uint32_t styles) { g_stylesSet = styles; }
uint32_t VgGetStyles(void) { return g_stylesSet; }
int32_t VgSetContains(uint32_t set, uint32_t subset) { return subset != 0 && (set & subset) == subset; }
int32_t VgStylesContains(uint32_t set, uint32_t subset) { return VgSetContains(set, subset); }

// ------------------------------------------------------------------ variants

const void* VgGetVariantOf(const VgConstant* constant, uint32_t entrySize) {
  if (!constant) return nullptr;
  const void* current = nullptr;
  const void* fallback = nullptr;
  WalkVariants<VgConstant>(constant, &ConstantTable, [&](const VgConstant* c) {
    auto* base = static_cast<const char*>(c->entries);
    for (uint32_t i = 0; i < c->count; ++i) {
      const char* entry = base + size_t(i) * entrySize;
      int32_t language;
      std::memcpy(&language, entry, sizeof language);
      if (language == g_langId) current = entry;
      if (language == 0) fallback = entry;
    }
  });
  return current ? current : fallback;
}

XObject* VgGetAutoObject(const VgAutoObject* descriptor, const VgClass* cls) {
  const VgAutoObject* chosen = WalkVariants<VgAutoObject>(descriptor, &AutoTable, [](const VgAutoObject*) {});
  auto key = chosen->init;
  AutoNode* node = nullptr;
  for (AutoNode** link = &g_autoObjects; *link; link = &(*link)->next) {
    if ((*link)->key == key) {
      node = *link;
      *link = node->next;
      break;
    }
  }
  if (node && !node->instance) {
    node->next = g_autoObjects;
    g_autoObjects = node;
    VgPanicAnsi("Recursive access to an auto object performing the initialization");
  }
  if (!node) {
    node = static_cast<AutoNode*>(std::calloc(1, sizeof(AutoNode)));
    if (!node) VgPanicAnsi("Out of memory");
    node->key = key;
  }
  node->next = g_autoObjects;
  g_autoObjects = node;
  if (node->instance) return node->instance;

  XObject* object = VgNewObjectIndirect(cls, 0);
  try {
    key(object);
  } catch (...) {
    // A panic inside the init procedure (tests only): forget the half-made node.
    for (AutoNode** link = &g_autoObjects; *link; link = &(*link)->next) {
      if (*link == node) {
        *link = node->next;
        std::free(node);
        break;
      }
    }
    throw;
  }
  node->instance = object;
  return object;
}

XObject* VgFindAutoObject(const VgAutoObject* descriptor) {
  const VgAutoObject* chosen = WalkVariants<VgAutoObject>(descriptor, &AutoTable, [](const VgAutoObject*) {});
  for (AutoNode* node = g_autoObjects; node; node = node->next)
    if (node->key == chosen->init) return node->instance;
  return nullptr;
}

void VgAttachObjectVariant(XObject* object, intptr_t, intptr_t) {
  if (!object) return;
  const VgClass* own = object->GetClass();
  const VgClass* variant = WalkVariants<VgClass>(own, &ClassTable, [](const VgClass*) {});
  if (variant == own || !variant->construct) return;  // no class of this program has a variant
  void* block = std::calloc(1, variant->instanceSize);
  if (!block) VgPanicAnsi("Can not create an object. Out of memory");
  variant->construct(block);
  AttachedVariants()[object] = {variant, block};
}

void VgDetachObjectVariant(XObject* object, intptr_t, intptr_t) {
  auto& map = AttachedVariants();
  auto it = map.find(object);
  if (it == map.end()) return;
  static_cast<XObject*>(it->second.second)->~XObject();
  std::free(it->second.second);
  map.erase(it);
}

void* VgAlloc(size_t size) { return std::malloc(size); }
void VgFree(void* block) { std::free(block); }
