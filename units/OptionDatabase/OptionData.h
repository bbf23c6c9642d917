// The record of one option and the couriers that carry what a screen shows
// of it. A screen reads a row by fetching the record, signalling Initialize,
// reading RefValue into Value, signalling Val2Id and GetData and showing the
// courier; it changes a row by setting Id, signalling Id2Value, writing Value
// through RefValue and signalling GetData again.
#pragma once

#include <algorithm>
#include <cstdint>

#include "vgobject.h"
#include "vgref.h"
#include "vgslot.h"
#include "vgstring.h"

namespace OptionDatabase {

// A conversion's result, worked out in 64 bits and held within the 32-bit
// range: a value read from the set or the settings store may lie anywhere in
// that range, and no step of a conversion may overflow. A result outside the
// list names no choice, as a value outside it does.
constexpr int32_t Held(int64_t value) { return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

class OptionDataClass : public XObject {
  VG_CLASS()

 public:
  OptionDataClass() = default;

  VgString OnGetName();
  void OnSetName(VgString value);
  int32_t OnGetNum();
  void OnSetNum(int32_t value);
  VgRef<int32_t> OnGetRefValue();
  void OnSetRefValue(const VgRef<int32_t>& value);
  VgSlot OnGetSetVal2Id();
  void OnSetSetVal2Id(const VgSlot& value);
  VgSlot OnGetSetId2Val();
  void OnSetSetId2Val(const VgSlot& value);
  VgSlot OnGetDoGetData();
  void OnSetDoGetData(const VgSlot& value);
  VgSlot OnGetDoInitialize();
  void OnSetDoInitialize(const VgSlot& value);
  int32_t OnGetOffset();
  void OnSetOffset(int32_t value);

  // The record operations; each is a slot method too, so screens can signal
  // them. The sender is not used.
  virtual void Initialize(XObject* sender = nullptr);
  virtual void Val2Id(XObject* sender = nullptr);
  virtual void GetData(XObject* sender = nullptr);
  virtual void Id2Value(XObject* sender = nullptr);

  int32_t Value = 0;
  int32_t Id = 0;
  VgPtr<XObject> Courier;
  int32_t OptionType = 0;

 private:
  VgStr Name;
  int32_t Num = 0;
  VgRef<int32_t> RefValue;
  VgSlot SetVal2Id;
  VgSlot SetId2Val;
  VgSlot DoGetData;
  VgSlot DoInitialize;
  int32_t Offset = 0;
};

// The text of a choice option's current choice.
class OptionCourier : public XObject {
  VG_CLASS()

 public:
  OptionCourier() = default;

  VgStr Text;
  VgStr SubText;
  int32_t Index = 0;
};

// The range and position of a slider option.
class SliderCourier : public XObject {
  VG_CLASS()

 public:
  SliderCourier() = default;

  int32_t OnGetMax() { return Max; }
  void OnSetMax(int32_t value) { Max = value; }
  int32_t OnGetMin() { return Min; }
  void OnSetMin(int32_t value) { Min = value; }
  int32_t OnGetStep() { return Step; }
  void OnSetStep(int32_t value) { Step = value; }
  int32_t OnGetValue() { return Value; }
  void OnSetValue(int32_t value) { Value = value; }

  VgStr Text;

 private:
  int32_t Max = 0;
  int32_t Min = 0;
  int32_t Step = 0;
  int32_t Value = 0;
};

}  // namespace OptionDatabase
