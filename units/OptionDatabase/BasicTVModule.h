// Module 3 of the option database: timers, clock, menu language, antenna or
// cable, picture aspect, locks, closed captions, channel scan and the screen
// saver.
#pragma once

#include "OptionDatabase/OptionModuleClass.h"

namespace OptionDatabase {

class BasicTVModule : public OptionModuleClass {
  VG_CLASS()

 public:
  explicit BasicTVModule(XObject* link = nullptr);

  // The yes/no question has no setting behind it: every read starts at No.
  void SelectYesNo_Initialize(XObject* sender);
};

}  // namespace OptionDatabase
