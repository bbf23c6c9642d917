// Module 2 of the option database: the sound settings of every set.
#pragma once

#include "OptionDatabase/OptionModuleClass.h"

namespace OptionDatabase {

class AudioModule : public OptionModuleClass {
  VG_CLASS()

 public:
  explicit AudioModule(XObject* link = nullptr);
};

}  // namespace OptionDatabase
