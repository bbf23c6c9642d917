// Module 0x84 of the option database: 3D, input locks, home-network media,
// LEDs, the channel-browser lists and the game timer.
#pragma once

#include "OptionDatabase/OptionModuleClass.h"

namespace SkinBin {

class PreferencesModule1 : public ::OptionDatabase::OptionModuleClass {
  VG_CLASS()

 public:
  explicit PreferencesModule1(XObject* link = nullptr);

  // The channel browser offers only the list kinds that suit the current
  // input: the channel lists only on a tuner input.
  void CurrentCBList_Initialize(XObject* sender);
};

}  // namespace SkinBin
