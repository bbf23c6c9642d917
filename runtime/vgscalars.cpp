#include "vgscalars.h"

#include <cmath>

int8_t VgGetVariantOfInt8(const VgConstant* c) { return VgGetVariantOfValue<int8_t>(c); }
bool VgGetVariantOfBool(const VgConstant* c) { return VgGetVariantOfValue<int8_t>(c) != 0; }
int16_t VgGetVariantOfInt16(const VgConstant* c) { return VgGetVariantOfValue<int16_t>(c); }
int32_t VgGetVariantOfInt32(const VgConstant* c) { return VgGetVariantOfValue<int32_t>(c); }
uint8_t VgGetVariantOfUInt8(const VgConstant* c) { return VgGetVariantOfValue<uint8_t>(c); }
uint16_t VgGetVariantOfUInt16(const VgConstant* c) { return VgGetVariantOfValue<uint16_t>(c); }
char16_t VgGetVariantOfChar(const VgConstant* c) { return VgGetVariantOfValue<char16_t>(c); }
uint16_t VgGetVariantOfEnum(const VgConstant* c) { return VgGetVariantOfValue<uint16_t>(c); }
uint32_t VgGetVariantOfUInt32(const VgConstant* c) { return VgGetVariantOfValue<uint32_t>(c); }
uint32_t VgGetVariantOfSet(const VgConstant* c) { return VgGetVariantOfValue<uint32_t>(c); }
int32_t VgGetVariantOfLangId(const VgConstant* c) { return VgGetVariantOfValue<int32_t>(c); }
uint32_t VgGetVariantOfStylesSet(const VgConstant* c) { return VgGetVariantOfValue<uint32_t>(c); }
double VgGetVariantOfFloat(const VgConstant* c) { return VgGetVariantOfValue<double>(c); }

double VgSqrt(double x) { return std::sqrt(x); }

// The constant is the one the generated code has always used; keeping it keeps
// the angles of drawn curves where they were.
double VgSinus(double degrees) { return std::sin(degrees * 3.1415926535 / 180.0); }
double VgCosinus(double degrees) { return std::cos(degrees * 3.1415926535 / 180.0); }
