// Module 0x82 of the option database: this set's own sound settings.
#pragma once

#include "OptionDatabase/OptionModuleClass.h"

namespace SkinBin {

class CustomAudioModule : public ::OptionDatabase::OptionModuleClass {
  VG_CLASS()

 public:
  explicit CustomAudioModule(XObject* link = nullptr);

  // The MTS key chooses among the audio services of a digital channel, or
  // between mono, stereo and the second programme of an analogue one.
  void MTSKey_Initialize(XObject* sender);
};

}  // namespace SkinBin
