#include "OptionDatabase/OptionData.h"

VG_DEFINE_CLASS(OptionDatabase, OptionDataClass, XObject)
VG_DEFINE_CLASS(OptionDatabase, OptionCourier, XObject)
VG_DEFINE_CLASS(OptionDatabase, SliderCourier, XObject)

namespace OptionDatabase {

VgString OptionDataClass::OnGetName() { return Name; }
void OptionDataClass::OnSetName(VgString value) { Name = value; }
int32_t OptionDataClass::OnGetNum() { return Num; }
void OptionDataClass::OnSetNum(int32_t value) { Num = value; }
VgRef<int32_t> OptionDataClass::OnGetRefValue() { return RefValue; }
void OptionDataClass::OnSetRefValue(const VgRef<int32_t>& value) { RefValue = value; }
VgSlot OptionDataClass::OnGetSetVal2Id() { return SetVal2Id; }
void OptionDataClass::OnSetSetVal2Id(const VgSlot& value) { SetVal2Id = value; }
VgSlot OptionDataClass::OnGetSetId2Val() { return SetId2Val; }
void OptionDataClass::OnSetSetId2Val(const VgSlot& value) { SetId2Val = value; }
VgSlot OptionDataClass::OnGetDoGetData() { return DoGetData; }
void OptionDataClass::OnSetDoGetData(const VgSlot& value) { DoGetData = value; }
VgSlot OptionDataClass::OnGetDoInitialize() { return DoInitialize; }
void OptionDataClass::OnSetDoInitialize(const VgSlot& value) { DoInitialize = value; }
int32_t OptionDataClass::OnGetOffset() { return Offset; }
void OptionDataClass::OnSetOffset(int32_t value) { Offset = value; }

void OptionDataClass::Initialize(XObject*) {
  if (!DoInitialize.IsNull()) VgSignal(DoInitialize, this);
}

void OptionDataClass::Val2Id(XObject*) {
  if (!SetVal2Id.IsNull())
    VgSignal(SetVal2Id, this);
  else
    Id = Held(int64_t{Value} - Offset);
}

void OptionDataClass::GetData(XObject*) {
  if (!DoGetData.IsNull()) VgSignal(DoGetData, this);
}

void OptionDataClass::Id2Value(XObject*) {
  if (!SetId2Val.IsNull())
    VgSignal(SetId2Val, this);
  else
    Value = Held(int64_t{Id} + Offset);
}

}  // namespace OptionDatabase
