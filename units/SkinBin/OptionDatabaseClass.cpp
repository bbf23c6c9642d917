#include "SkinBin/OptionDatabaseClass.h"

VG_DEFINE_CLASS(SkinBin, OptionDatabaseClass, OptionDatabase::OptionDatabaseClass)

namespace SkinBin {

namespace {
constexpr uint32_t kExtendedBase = 0x80;
}

OptionDatabaseClass::OptionDatabaseClass() {
  extended_[kCustomPictureModule1 - kExtendedBase] = &CustomPicture1;
  extended_[kCustomAudioModule - kExtendedBase] = &CustomAudio;
  extended_[kApplicationSetupModule - kExtendedBase] = &ApplicationSetup;
  extended_[kPreferencesModule1 - kExtendedBase] = &Preferences1;
  extended_[kPreferencesModule2 - kExtendedBase] = &Preferences2;
  extended_[kMediaPlayerModule - kExtendedBase] = &MediaPlayer;
  extended_[kCustomPictureModule2 - kExtendedBase] = &CustomPicture2;
}

::OptionDatabase::OptionModuleClass* OptionDatabaseClass::GetModule(uint32_t moduleNumber) {
  if (moduleNumber < kExtendedBase) return ::OptionDatabase::OptionDatabaseClass::GetModule(moduleNumber);
  uint32_t entry = moduleNumber - kExtendedBase;
  return entry < extended_.size() ? extended_[entry] : nullptr;
}

::OptionDatabase::OptionDataClass* OptionDatabaseClass::GetOptionData(int32_t optionId) {
  if (auto* record = ::OptionDatabase::OptionDatabaseClass::GetOptionData(optionId)) return record;
  if (optionId >= 0) return nullptr;
  ::OptionDatabase::OptionModuleClass* module = GetModule(kExtendedBase | ::OptionDatabase::ModuleOf(optionId));
  return module ? module->GetOptionData(::OptionDatabase::IndexOf(optionId)) : nullptr;
}

}  // namespace SkinBin
