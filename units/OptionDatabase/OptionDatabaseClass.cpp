#include "OptionDatabase/OptionDatabaseClass.h"

VG_DEFINE_CLASS(OptionDatabase, OptionDatabaseClass, XObject)

namespace OptionDatabase {

OptionDatabaseClass::OptionDatabaseClass() {
  modules_[kPictureModule] = &Picture;
  modules_[kAudioModule] = &Audio;
  modules_[kBasicTVModule] = &BasicTV;
  modules_[kAdvancedTVModule] = &AdvancedTV;
}

OptionModuleClass* OptionDatabaseClass::GetModule(uint32_t moduleNumber) {
  return moduleNumber < modules_.size() ? modules_[moduleNumber] : nullptr;
}

OptionDataClass* OptionDatabaseClass::GetOptionData(int32_t optionId) {
  if (optionId < 0) return nullptr;
  OptionModuleClass* module = GetModule(ModuleOf(optionId));
  return module ? module->GetOptionData(IndexOf(optionId)) : nullptr;
}

}  // namespace OptionDatabase
