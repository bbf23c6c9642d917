// The object runtime: class descriptors, creation, casting, the root set, the
// mark-and-sweep collector, auto objects, variants and the language.
//
// Every GUI object derives from XObject and is created only by VgNewObjectIndirect
// (or embedded as a value member of another GUI object). Nothing deletes an
// object: the collector frees whatever VgReclaimMemory cannot reach from the
// root set or a pending signal.
//
// References between GUI objects are held in traced field types (VgPtr<T>,
// VgSlot, property references). They register themselves with the object under
// construction, so the collector always sees them: no hand-written marker can
// forget one. A class that keeps objects somewhere else (a heap container)
// overrides Mark() and reports them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <type_traits>

class XObject;

// ---------------------------------------------------------------- descriptors

// One {styles mask, descriptor} pair of a variants table. A pair whose mask is 0
// ends the table and is its default; its descriptor may be null (no variant).
struct VgVariant {
  uint32_t mask;
  const void* descriptor;
};

struct VgClass {
  const char* name;              // "Unit::Class"
  const VgClass* ancestor;       // null for XObject
  const VgVariant* variants;     // class variants table (always {0, null} here)
  uint32_t instanceSize;
  XObject* (*construct)(void* memory);  // placement-constructs a zeroed block
};

// Auto-object descriptor: the init procedure is the key of the instance.
struct VgAutoObject {
  void (*init)(XObject* object);
  const VgVariant* variants;  // variant descriptors are VgAutoObject too
};

// Constant with variants (colours, numbers, strings, ...). Each entry starts
// with a 32-bit language id followed by the value.
struct VgConstant {
  const void* entries;
  uint32_t count;
  const VgVariant* variants;
};

inline constexpr VgVariant VgNoVariants[1] = {{0, nullptr}};

// ------------------------------------------------------------------- fields

// The collector's mark, which visits every traced field of every object each
// turn of the GUI loop, on the GUI thread alone and under the GUI lock, is
// kept out of the thread sanitizer's record (VgReclaimMemory hides what it
// reads and writes; this leaves out the calls of its own functions).
// Remembered, it would push out of the sanitizer's history, within a few
// turns, where the GUI thread met a racing memory (the view it was drawing,
// say), and a race's report could no longer show it.
#define VG_UNRECORDED_MARK __attribute__((no_sanitize_thread))

// A traced field: an intrusive node living inside a GUI object. Built while its
// object is under construction, it links itself into that object's field list.
struct VgFieldNode {
  VgFieldNode* fieldNext = nullptr;
  void (*fieldMark)(const VgFieldNode*) = nullptr;

  explicit VgFieldNode(void (*mark)(const VgFieldNode*)) noexcept;
  struct Unlinked {};
  VgFieldNode(void (*mark)(const VgFieldNode*), Unlinked) noexcept : fieldMark(mark) {}
  VgFieldNode(const VgFieldNode&) = delete;
  VgFieldNode& operator=(const VgFieldNode&) = delete;
};

// ------------------------------------------------------------------ XObject

class XObject {
 public:
  static const VgClass Class;
  virtual const VgClass* GetClass() const { return &Class; }

  // Embedded objects pass their outer object as link; created objects pass none.
  explicit XObject(XObject* link = nullptr) noexcept;
  virtual ~XObject();  // __Done: release only this object's own resources
  XObject(const XObject&) = delete;
  XObject& operator=(const XObject&) = delete;

  // __Mark: reports referenced objects. The default marks the link and every
  // traced field; override only to report objects held outside traced fields.
  virtual void Mark();
  // __ReInit: run for every live object after the language changed. The default
  // re-initialises embedded objects; overrides call it first.
  virtual void ReInit();

  XObject* Link() const { return link_; }

  // For an embedded object: the node by which its outer object marks and
  // re-initialises it. Unused in created objects.
  struct EmbedNode : VgFieldNode {
    XObject* self;
    explicit EmbedNode(XObject* s) noexcept;
  };

 private:
  friend struct VgRuntimeAccess;
  XObject* link_;
  XObject* next_ = nullptr;      // global object list, newest first
  uint32_t markCycle_ = 0;
  VgFieldNode* fields_ = nullptr;
  EmbedNode embed_;
};

// ------------------------------------------------------------- class macros

namespace vg_detail {
template <class T>
XObject* Construct(void* memory) {
  T* object = new (memory) T();
  return object;
}
}  // namespace vg_detail

// In the class body: gives the class its descriptor and its class accessor.
#define VG_CLASS()                                              \
 public:                                                        \
  static const ::VgClass Class;                                 \
  const ::VgClass* GetClass() const override { return &Class; } \
                                                                \
 private:

// In one source file, at namespace scope: defines the descriptor, checks that
// the named ancestor is a C++ base and that the class has VG_CLASS() of its
// own, and makes the class findable by name (VgFindClass).
// VG_DEFINE_CLASS(Core, Group, Core::View)
#define VG_DEFINE_CLASS(Unit, Cls, Base)                                                                 \
  static_assert(::vg_detail::IsVgBase<Base, ::Unit::Cls>(),                                             \
                "VG_DEFINE_CLASS(" #Unit ", " #Cls ", " #Base "): " #Base " is not the base of " #Cls);  \
  static_assert(::vg_detail::HasOwnVgClass<::Unit::Cls>(), #Unit "::" #Cls " lacks VG_CLASS()");          \
  constinit const ::VgClass Unit::Cls::Class = {#Unit "::" #Cls, &Base::Class, ::VgNoVariants,         \
                                               sizeof(::Unit::Cls), &::vg_detail::Construct<::Unit::Cls>}; \
  VG_CLASS_ANCHOR(Unit, Cls)

// Every defined class registers itself, and leaves an anchor symbol that the
// build's list of all classes refers to, so that a class that nothing names
// but a table (a screen opened by its name) is still linked into the program.
#define VG_CLASS_ANCHOR(Unit, Cls)                                                                   \
  extern "C" {                                                                                        \
  [[gnu::weak]] extern const ::VgClass* const vg_class_##Unit##_##Cls = &::Unit::Cls::Class;         \
  }                                                                                                   \
  [[maybe_unused]] static ::vg_detail::ClassEntry vgClassEntry_##Unit##_##Cls{&::Unit::Cls::Class};

namespace vg_detail {
template <class T>
constexpr bool HasOwnVgClass();
#if defined(__GNUC__) && !defined(__clang__)
template <class... Bases>
struct BaseList {};
template <class Base, class B>
constexpr bool NearestVgBaseThrough();
template <class Base, class... Bases>
constexpr bool NearestVgBaseAmong(BaseList<Bases...>) {
  return (NearestVgBaseThrough<Base, Bases>() || ...);
}
// Walks up from a direct base through helper classes without a descriptor of
// their own (scrolling mix-ins) to the first class with one.
template <class Base, class B>
constexpr bool NearestVgBaseThrough() {
  if constexpr (std::is_same_v<Base, B>)
    return true;
  else if constexpr (HasOwnVgClass<B>())
    return false;
  else
    return NearestVgBaseAmong<Base>(BaseList<__direct_bases(B)...>{});
}
#endif
// Base is the nearest class above T with a descriptor: the ancestor of the
// descriptor must be that class, or casts along the descriptors skip one.
template <class Base, class T>
constexpr bool IsVgBase() {
#if defined(__GNUC__) && !defined(__clang__)
  return NearestVgBaseAmong<Base>(BaseList<__direct_bases(T)...>{});
#else
  return std::is_base_of_v<Base, T> && !std::is_same_v<Base, T>;
#endif
}
// An interface a screen takes on beside its class (ListForm::ItemOwner) has
// no GetClass at all.
template <class T>
constexpr bool HasOwnVgClass() {
  if constexpr (requires { &T::GetClass; })
    return std::is_same_v<decltype(&T::GetClass), const VgClass* (T::*)() const>;
  else
    return false;
}
struct ClassEntry {
  explicit ClassEntry(const VgClass* cls) noexcept;
  const VgClass* cls;
  const ClassEntry* next;
};
}  // namespace vg_detail

// The class of that name ("Unit::Class") among the classes of the program;
// null for a name that no class has (a screen not built yet, a typo).
const VgClass* VgFindClass(const char* name);
// Calls visit for every class of the program (tests, diagnostics).
void VgForEachClass(void (*visit)(const VgClass* cls, void* context), void* context);

// --------------------------------------------------------------- the runtime

extern "C" {
XObject* VgNewObjectIndirect(const VgClass* cls, int32_t argument);
XObject* VgCastObject(XObject* object, const VgClass* cls);
const VgClass* VgCastClass(const VgClass* a, const VgClass* b);
const VgClass* VgClassOf(const XObject* object);
void VgLockObject(XObject* object);
void VgUnlockObject(XObject* object);
void VgMarkObject(XObject* object);
void VgMarkObjects(XObject* const* objects, int32_t count);
void VgReclaimMemory(void);
void VgReconstructObjects(void);
void VgSetLanguage(int32_t id);
int32_t VgGetLanguage(void);
void VgSetStyles(uint32_t styles);
uint32_t VgGetStyles(void);
int32_t VgStylesContains(uint32_t set, uint32_t subset);
int32_t VgSetContains(uint32_t set, uint32_t subset);
const void* VgGetVariantOf(const VgConstant* constant, uint32_t entrySize);
XObject* VgGetAutoObject(const VgAutoObject* descriptor, const VgClass* cls);
void VgAttachObjectVariant(XObject* object, intptr_t a, intptr_t b);
void VgDetachObjectVariant(XObject* object, intptr_t a, intptr_t b);
void* VgAlloc(size_t size);
void VgFree(void* block);
}

// The auto object's instance when it exists now, without making one (for
// observers outside the GUI thread while it is blocked, and diagnostics).
XObject* VgFindAutoObject(const VgAutoObject* descriptor);

// The argument given to VgNewObjectIndirect, readable by the constructor of the
// object being created (the __Init argument). 0 outside construction.
int32_t VgInitArgument();

// The number of objects in the object list (diagnostics, tests, benchmarks).
size_t VgObjectCount();

// Is the object marked in the collection running now (used by the collector's
// own steps: observers, signals)?
bool VgIsMarked(const XObject* object);

// Checked down-cast through the descriptors: null when the object is not a T.
template <class T>
T* vg_cast(XObject* object) {
  return static_cast<T*>(VgCastObject(object, &T::Class));
}
template <class T>
bool vg_is_exactly(const XObject* object) {
  return object && object->GetClass() == &T::Class;
}

template <class T>
T* VgNew(int32_t argument = 0) {
  return static_cast<T*>(VgNewObjectIndirect(&T::Class, argument));
}

// ------------------------------------------------------------ traced pointer

// A reference to a GUI object held by another GUI object. Copies made outside an
// object under construction (locals, temporaries) are plain untraced pointers.
template <class T>
class VgPtr : private VgFieldNode {
 public:
  VgPtr() noexcept : VgFieldNode(&MarkField) {}
  VgPtr(T* p) noexcept : VgFieldNode(&MarkField), p_(p) {}  // NOLINT: implicit by design
  VgPtr(const VgPtr& o) noexcept : VgFieldNode(&MarkField), p_(o.p_) {}
  VgPtr& operator=(const VgPtr& o) noexcept {
    p_ = o.p_;
    return *this;
  }
  VgPtr& operator=(T* p) noexcept {
    p_ = p;
    return *this;
  }
  T* get() const { return p_; }
  operator T*() const { return p_; }  // NOLINT: reads like a raw pointer
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }

 private:
  VG_UNRECORDED_MARK static void MarkField(const VgFieldNode* node) {
    VgMarkObject(const_cast<std::remove_const_t<T>*>(static_cast<const VgPtr*>(node)->p_));
  }
  T* p_ = nullptr;
};

// A fixed array of traced references (e.g. a class's table of child views).
template <class T, size_t N>
class VgPtrArray : private VgFieldNode {
 public:
  VgPtrArray() noexcept : VgFieldNode(&MarkField) {}
  T*& operator[](size_t i) { return items_[i]; }
  T* operator[](size_t i) const { return items_[i]; }
  static constexpr size_t size() { return N; }

 private:
  VG_UNRECORDED_MARK static void MarkField(const VgFieldNode* node) {
    auto* self = static_cast<const VgPtrArray*>(node);
    for (T* p : self->items_) VgMarkObject(p);
  }
  T* items_[N] = {};
};

// ------------------------------------------------------------------- panics

// VgPanic never returns. The product prints the panic lines and halts the GUI
// thread; tests install a handler that throws VgPanicError.
#include "vgdebug.h"
