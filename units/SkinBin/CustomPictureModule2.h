// Module 0x87 of the option database: the base-colour adjustments, the
// factory picture adjustments and the service white balance, all sliders.
#pragma once

#include "OptionDatabase/OptionModuleClass.h"

namespace SkinBin {

class CustomPictureModule2 : public ::OptionDatabase::OptionModuleClass {
  VG_CLASS()

 public:
  explicit CustomPictureModule2(XObject* link = nullptr);
};

}  // namespace SkinBin
