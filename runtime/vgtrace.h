// The trace statement of the GUI code: VgTrace("%i%p", count, origin) prints
// "trace: 3, <1,2>". After each "%" one code letter says how the next argument
// is printed; any other character of the code string is skipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "vgcolor.h"
#include "vgobject.h"
#include "vgpoint.h"
#include "vgrect.h"
#include "vgref.h"
#include "vgslot.h"
#include "vgstring.h"

// One argument of a trace, whatever its type. Integers of every width travel
// as one kind: the code letter decides how they are printed.
struct VgTraceArg {
  enum class Kind { Integer, Float, Class, Slot, Object, Ref, Color, Point, Rect, String };
  Kind kind;
  int64_t integer = 0;
  double real = 0;
  const void* pointer = nullptr;  // class, object, string, or the object of a slot or reference
  const void* code1 = nullptr;    // slot method or reference getter
  const void* code2 = nullptr;    // reference setter
  VgColor color{};
  VgPoint point{};
  VgRect rect{};

  template <class T>
    requires(std::is_integral_v<T> || std::is_enum_v<T>)
  VgTraceArg(T v) : kind(Kind::Integer), integer(int64_t(v)) {}  // NOLINT: implicit by design
  VgTraceArg(double v) : kind(Kind::Float), real(v) {}           // NOLINT
  VgTraceArg(const VgClass* c) : kind(Kind::Class), pointer(c) {}  // NOLINT
  VgTraceArg(const VgSlot& s)                                      // NOLINT
      : kind(Kind::Slot), pointer(s.object), code1(reinterpret_cast<const void*>(s.method)) {}
  VgTraceArg(const XObject* o) : kind(Kind::Object), pointer(o) {}  // NOLINT
  VgTraceArg(std::nullptr_t) : kind(Kind::Object) {}                // NOLINT
  template <class T>
  VgTraceArg(const VgRef<T>& r)  // NOLINT
      : kind(Kind::Ref), pointer(r.object), code1(r.GetterKey()), code2(r.SetterKey()) {}
  VgTraceArg(VgColor c) : kind(Kind::Color), color(c) {}      // NOLINT
  VgTraceArg(VgPoint p) : kind(Kind::Point), point(p) {}      // NOLINT
  VgTraceArg(VgRect r) : kind(Kind::Rect), rect(r) {}         // NOLINT
  VgTraceArg(const char16_t* s) : kind(Kind::String), pointer(s) {}  // NOLINT
};

// Prints one trace line. An argument whose kind does not suit its code letter,
// or a code letter without an argument left, prints "?".
void VgTraceArgs(const char* codes, const VgTraceArg* args, size_t count);

template <class... Args>
void VgTrace(const char* codes, const Args&... args) {
  if constexpr (sizeof...(Args) == 0) {
    VgTraceArgs(codes, nullptr, 0);
  } else {
    const VgTraceArg list[] = {VgTraceArg(args)...};
    VgTraceArgs(codes, list, sizeof...(Args));
  }
}

extern "C" {
// Kept for the generated code; there is no profiler.
void VgPrintProfilerStatistic(void);
}
