// Scalar constants by language, and the GUI's mathematical functions.
//
// A constant with variants (vgobject.h) points to an array of entries, each a
// 32-bit language id followed by the value. VgConstEntry<T> is that entry for a
// value of type T; the generated constants are arrays of it.
#pragma once

#include <cstdint>

#include "vgobject.h"

template <class T>
struct VgConstEntry {
  int32_t language;
  T value;
};

// The entry sizes the packed constant data relies on.
static_assert(sizeof(VgConstEntry<int32_t>) == 8);
static_assert(sizeof(VgConstEntry<double>) == 16);

// The value of the entry chosen for the current language and styles (the
// default language's when the current one has none); a zero value when the
// constant is null or has neither.
template <class T>
T VgGetVariantOfValue(const VgConstant* constant) {
  auto* entry = static_cast<const VgConstEntry<T>*>(VgGetVariantOf(constant, sizeof(VgConstEntry<T>)));
  return entry ? entry->value : T{};
}

extern "C" {
int8_t VgGetVariantOfInt8(const VgConstant* constant);
bool VgGetVariantOfBool(const VgConstant* constant);
int16_t VgGetVariantOfInt16(const VgConstant* constant);
int32_t VgGetVariantOfInt32(const VgConstant* constant);
uint8_t VgGetVariantOfUInt8(const VgConstant* constant);
uint16_t VgGetVariantOfUInt16(const VgConstant* constant);
char16_t VgGetVariantOfChar(const VgConstant* constant);
uint16_t VgGetVariantOfEnum(const VgConstant* constant);
uint32_t VgGetVariantOfUInt32(const VgConstant* constant);
uint32_t VgGetVariantOfSet(const VgConstant* constant);
int32_t VgGetVariantOfLangId(const VgConstant* constant);
uint32_t VgGetVariantOfStylesSet(const VgConstant* constant);
double VgGetVariantOfFloat(const VgConstant* constant);

double VgSqrt(double x);
// Angles in degrees.
double VgSinus(double degrees);
double VgCosinus(double degrees);
}
