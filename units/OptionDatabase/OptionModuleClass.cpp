#include "OptionDatabase/OptionModuleClass.h"

#include <algorithm>

#include "AppServices/Wrapper.h"
#include "OptionDatabase/OptionTypes.h"
#include "SkinBin/Wrapper.h"
#include "Strings.h"
#include "Structures/Channels.h"
#include "vgdebug.h"

VG_DEFINE_CLASS(OptionDatabase, OptionModuleClass, XObject)

namespace OptionDatabase {

VgString LoadText(const TextRef& text) {
  if (text.constant) return VgGetVariantOfString(text.constant);
  if (text.fixed) return VgNewStringUtf8(text.fixed);
  return nullptr;
}

namespace {

OptionDataClass* RecordOf(XObject* sender) { return vg_cast<OptionDataClass>(sender); }

bool InRange(int32_t id, size_t count) { return id >= 0 && static_cast<size_t>(id) < count; }

// The shared lists as the courier builders take them.
template <size_t N>
std::span<const VgStr> Texts(const VgStr (&texts)[N]) {
  return {texts, N};
}

}  // namespace

OptionModuleClass::OptionModuleClass(XObject* link) : XObject(link) { LoadSharedTexts(); }

void OptionModuleClass::LoadSharedTexts() {
  offOn_[0] = VgGetVariantOfString(&Strings::SID_OFF);
  offOn_[1] = VgGetVariantOfString(&Strings::SID_ON);
  offLowHigh_[0] = VgGetVariantOfString(&Strings::SID_OFF);
  offLowHigh_[1] = VgGetVariantOfString(&Strings::SID_LOW);
  offLowHigh_[2] = VgGetVariantOfString(&Strings::SID_HIGH);
  offLowMiddleHigh_[0] = VgGetVariantOfString(&Strings::SID_OFF);
  offLowMiddleHigh_[1] = VgGetVariantOfString(&Strings::SID_LOW);
  offLowMiddleHigh_[2] = VgGetVariantOfString(&Strings::SID_MIDDLE);
  offLowMiddleHigh_[3] = VgGetVariantOfString(&Strings::SID_HIGH);
}

void OptionModuleClass::BuildRecords(uint32_t moduleNumber, std::span<const OptionRow> rows) {
  number_ = moduleNumber;
  rows_ = rows;
  model_ = MainApp::GetWrapper();
  size_t count = 0;
  for (const OptionRow& row : rows)
    if (static_cast<size_t>(row.index) + 1 > count) count = static_cast<size_t>(row.index) + 1;
  records_.assign(count, nullptr);
  rowByIndex_.assign(count, nullptr);
  choices_.assign(count, {});

  for (const OptionRow& row : rows) {
    auto index = static_cast<size_t>(row.index);
    auto* record = VgNew<OptionDataClass>();
    records_[index] = record;
    rowByIndex_[index] = &row;
    record->OnSetName(LoadText(row.name));
    if (row.property.get) record->OnSetRefValue(VgRef<int32_t>(model_, row.property.get, row.property.set));
    record->OnSetOffset(row.offset);

    VgSlot getData;
    switch (row.kind) {
      case OptionKind::OffOn:
        record->OnSetNum(2);
        getData = VgSlotOf<&OptionModuleClass::GetOffOnData>(this);
        break;
      case OptionKind::OffLowHigh:
        record->OnSetNum(3);
        getData = VgSlotOf<&OptionModuleClass::GetOLHData>(this);
        break;
      case OptionKind::OffLowMiddleHigh:
        record->OnSetNum(4);
        getData = VgSlotOf<&OptionModuleClass::GetOLMHData>(this);
        break;
      case OptionKind::Slider:
        record->OnSetNum(0);
        getData = VgSlotOf<&OptionModuleClass::GetSliderData>(this);
        break;
      case OptionKind::List:
        record->OnSetNum(static_cast<int32_t>(row.choices.size()));
        getData = VgSlotOf<&OptionModuleClass::GetListData>(this);
        LoadChoices(index);
        break;
    }
    if (row.getData) getData = VgSlot(this, row.getData.method);
    record->OnSetDoGetData(getData);
    if (!row.values.empty()) {
      record->OnSetSetVal2Id(VgSlotOf<&OptionModuleClass::TableVal2Id>(this));
      record->OnSetSetId2Val(VgSlotOf<&OptionModuleClass::TableId2Val>(this));
    }
    if (row.val2Id) record->OnSetSetVal2Id(VgSlot(this, row.val2Id.method));
    if (row.id2Val) record->OnSetSetId2Val(VgSlot(this, row.id2Val.method));
    if (row.initialize) record->OnSetDoInitialize(VgSlot(this, row.initialize.method));
  }
}

void OptionModuleClass::LoadChoices(size_t index) {
  const OptionRow& row = *rowByIndex_[index];
  Choices& c = choices_[index];
  c.texts.clear();
  c.values.clear();
  c.generated = false;
  for (size_t i = 0; i < row.choices.size(); ++i) {
    if (i < 32 && !(c.mask & (1u << i))) continue;
    c.texts.emplace_back(LoadText(row.choices[i]));
    if (i < row.values.size()) c.values.push_back(row.values[i]);
  }
}

OptionDataClass* OptionModuleClass::GetOptionData(int32_t index) {
  if (!InRange(index, records_.size()) || !records_[static_cast<size_t>(index)]) return nullptr;
  OptionDataClass* record = records_[static_cast<size_t>(index)];
  record->OptionType = OptionId(number_, static_cast<uint32_t>(index));
  return record;
}

const OptionRow* OptionModuleClass::RowOf(const OptionDataClass* record, int32_t* index) const {
  for (size_t i = 0; i < records_.size(); ++i) {
    if (records_[i] == record) {
      if (index) *index = static_cast<int32_t>(i);
      return rowByIndex_[i];
    }
  }
  return nullptr;
}

void OptionModuleClass::MakeCourier(OptionDataClass* record, std::span<const VgStr> texts,
                                    std::span<const int32_t> values, bool indexIsValue) {
  auto* courier = VgNew<OptionCourier>();
  int32_t id = record->Id;
  courier->Index = id;
  // A value the middleware reports outside the list shows as no choice rather
  // than reading past the table.
  if (InRange(id, texts.size())) {
    courier->Text = texts[static_cast<size_t>(id)];
  } else {
    VgPrint("OptionDatabase: option 0x%08x has no choice %d\n", static_cast<uint32_t>(record->OptionType), id);
  }
  if (indexIsValue && InRange(id, values.size())) courier->Index = values[static_cast<size_t>(id)];
  record->Courier = courier;
}

void OptionModuleClass::GetOffOnData(XObject* sender) {
  if (auto* record = RecordOf(sender)) MakeCourier(record, Texts(offOn_), {}, false);
}

void OptionModuleClass::GetOLHData(XObject* sender) {
  if (auto* record = RecordOf(sender)) MakeCourier(record, Texts(offLowHigh_), {}, false);
}

void OptionModuleClass::GetOLMHData(XObject* sender) {
  if (auto* record = RecordOf(sender)) MakeCourier(record, Texts(offLowMiddleHigh_), {}, false);
}

void OptionModuleClass::GetListData(XObject* sender) {
  auto* record = RecordOf(sender);
  int32_t index = 0;
  const OptionRow* row = record ? RowOf(record, &index) : nullptr;
  if (!row) return;
  const Choices& c = choices_[static_cast<size_t>(index)];
  MakeCourier(record, c.texts, c.values, row->indexIsValue);
}

void OptionModuleClass::GetSliderData(XObject* sender) {
  auto* record = RecordOf(sender);
  if (!record) return;
  auto* courier = VgNew<SliderCourier>();
  if (model_) {
    model_->GetAdjustBarRange(record->OptionType, VgRefOf<&SliderCourier::OnGetMax, &SliderCourier::OnSetMax>(courier),
                              VgRefOf<&SliderCourier::OnGetMin, &SliderCourier::OnSetMin>(courier),
                              VgRefOf<&SliderCourier::OnGetStep, &SliderCourier::OnSetStep>(courier));
  }
  courier->Text = nullptr;
  VgRef<int32_t> ref = record->OnGetRefValue();
  if (!ref.IsNull()) courier->OnSetValue(VgOnGetInt32(ref));
  record->Courier = courier;
}

void OptionModuleClass::TableVal2Id(XObject* sender) {
  auto* record = RecordOf(sender);
  int32_t index = 0;
  if (!record || !RowOf(record, &index)) return;
  const Choices& c = choices_[static_cast<size_t>(index)];
  int32_t num = record->OnGetNum();
  if (num < 1) return;
  size_t count = std::min(static_cast<size_t>(num), c.values.size());
  for (size_t i = 0; i < count; ++i) {
    if (c.values[i] == record->Value) {
      record->Id = static_cast<int32_t>(i);
      return;
    }
  }
}

void OptionModuleClass::TableId2Val(XObject* sender) {
  auto* record = RecordOf(sender);
  int32_t index = 0;
  if (!record || !RowOf(record, &index)) return;
  const Choices& c = choices_[static_cast<size_t>(index)];
  if (!InRange(record->Id, c.values.size())) {
    VgPrint("OptionDatabase: option 0x%08x has no value for choice %d\n", static_cast<uint32_t>(record->OptionType),
            record->Id);
    return;
  }
  record->Value = c.values[static_cast<size_t>(record->Id)];
}

void OptionModuleClass::FilterChoices(OptionDataClass* record, uint32_t mask) {
  int32_t index = 0;
  if (!RowOf(record, &index)) return;
  Choices& c = choices_[static_cast<size_t>(index)];
  c.mask = mask;
  LoadChoices(static_cast<size_t>(index));
  record->OnSetNum(static_cast<int32_t>(c.texts.size()));
}

void OptionModuleClass::SetChoiceTexts(OptionDataClass* record, std::vector<VgStr> texts) {
  int32_t index = 0;
  if (!RowOf(record, &index)) return;
  Choices& c = choices_[static_cast<size_t>(index)];
  c.texts = std::move(texts);
  c.values.clear();
  c.generated = true;
}

bool OptionModuleClass::OnDigitalChannel() const {
  if (!model_ || !model_->IsRFSourceType(model_->GetSourceType(model_->GetCurrentSource(0)))) return false;
  ::Structures::VirtualChannel* channel = model_->GetCurrentChannel();
  return model_->IsDigitalChannel(channel->Major, channel->Minor);
}

VG_UNRECORDED_MARK void OptionModuleClass::Mark() {
  XObject::Mark();
  for (OptionDataClass* record : records_) VgMarkObject(record);
}

void OptionModuleClass::ReInit() {
  XObject::ReInit();
  LoadSharedTexts();
  for (size_t i = 0; i < records_.size(); ++i) {
    if (!records_[i]) continue;
    const OptionRow& row = *rowByIndex_[i];
    records_[i]->OnSetName(LoadText(row.name));
    // Lists made at run time are rebuilt by their option's Initialize before
    // the next read; the others reload in the new language.
    if (row.kind == OptionKind::List && !choices_[i].generated) LoadChoices(i);
  }
}

}  // namespace OptionDatabase
