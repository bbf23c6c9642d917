// Module 4 of the option database: control of connected devices over HDMI
// and the wired and wireless network settings.
#pragma once

#include "OptionDatabase/OptionModuleClass.h"

namespace OptionDatabase {

class AdvancedTVModule : public OptionModuleClass {
  VG_CLASS()

 public:
  explicit AdvancedTVModule(XObject* link = nullptr);

  // The key index of a wireless network shows as the numbers 1 to 4.
  void KeyID_GetData(XObject* sender);
};

}  // namespace OptionDatabase
