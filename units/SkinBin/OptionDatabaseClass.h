// The application's option database (the class of the auto object
// MainApp::OptionDB): the base modules and this set's extended modules.
#pragma once

#include <cstdint>

#include "OptionDatabase/OptionDatabaseClass.h"
#include "SkinBin/ApplicationSetupModule.h"
#include "SkinBin/CustomAudioModule.h"
#include "SkinBin/CustomPictureModule1.h"
#include "SkinBin/CustomPictureModule2.h"
#include "SkinBin/MediaPlayerModule.h"
#include "SkinBin/OptionTypes.h"
#include "SkinBin/PreferencesModule1.h"
#include "SkinBin/PreferencesModule2.h"

namespace SkinBin {

class OptionDatabaseClass : public ::OptionDatabase::OptionDatabaseClass {
  VG_CLASS()

 public:
  OptionDatabaseClass();

  // The base lookup first; an id with the top bit set that it does not know
  // goes to the extended module of its number.
  ::OptionDatabase::OptionDataClass* GetOptionData(int32_t optionId) override;
  ::OptionDatabase::OptionModuleClass* GetModule(uint32_t moduleNumber) override;

 private:
  CustomPictureModule1 CustomPicture1{this};
  CustomAudioModule CustomAudio{this};
  ApplicationSetupModule ApplicationSetup{this};
  PreferencesModule1 Preferences1{this};
  PreferencesModule2 Preferences2{this};
  MediaPlayerModule MediaPlayer{this};
  CustomPictureModule2 CustomPicture2{this};
  // Indexed by module number less 0x80; entry 0 stays empty.
  VgPtrArray<::OptionDatabase::OptionModuleClass, 8> extended_;
};

}  // namespace SkinBin
