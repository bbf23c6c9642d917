#include "OptionDatabase/OptionBinding.h"

#include "OptionDatabase/OptionData.h"
#include "OptionDatabase/OptionDatabaseClass.h"
#include "vgdebug.h"
#include "vgref.h"

namespace OptionDatabase {

OptionBinding::OptionBinding(OptionDatabaseClass* database, int32_t optionType, const char* screen)
    : record_(database ? database->GetOptionData(optionType) : nullptr), optionType_(optionType) {
  if (!record_) VgPrint("%s: no option 0x%08X\n", screen, static_cast<unsigned>(optionType));
}

int32_t OptionBinding::Read() {
  if (!record_) return 0;
  record_->Initialize();
  const VgRef<int32_t> value = record_->OnGetRefValue();
  if (!value.IsNull()) record_->Value = VgOnGetInt32(value);
  record_->Val2Id();
  return record_->Id;
}

int32_t OptionBinding::Count() const { return record_ ? record_->OnGetNum() : 0; }

VgString OptionBinding::Name() const { return record_ ? record_->OnGetName() : nullptr; }

VgString OptionBinding::ChoiceText() {
  if (!record_) return nullptr;
  record_->GetData();
  auto* courier = vg_cast<OptionCourier>(record_->Courier.get());
  return courier ? courier->Text.get() : nullptr;
}

VgString OptionBinding::ChoiceText(int32_t id) {
  if (!record_) return nullptr;
  const int32_t current = record_->Id;
  record_->Id = id;
  VgString text = ChoiceText();
  record_->Id = current;
  return text;
}

VgString OptionBinding::StoredChoiceText(int32_t id) {
  if (!record_) return nullptr;
  const int32_t value = record_->Value;
  const int32_t current = record_->Id;
  record_->Id = id;
  record_->Id2Value();
  VgString text = ChoiceText();
  record_->Id = current;
  record_->Value = value;
  return text;
}

SliderRange OptionBinding::Range() {
  if (!record_) return {};
  record_->GetData();
  auto* slider = vg_cast<SliderCourier>(record_->Courier.get());
  if (!slider) return {};
  return {slider->OnGetMin(), slider->OnGetMax(), slider->OnGetStep(), slider->OnGetValue()};
}

void OptionBinding::Write(int32_t id) {
  if (!record_) return;
  record_->Id = id;
  record_->Id2Value();
  const VgRef<int32_t> value = record_->OnGetRefValue();
  if (!value.IsNull()) VgOnSetInt32(value, record_->Value);
}

}  // namespace OptionDatabase
