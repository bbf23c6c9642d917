// Module 0x81 of the option database: this set's own picture settings.
#pragma once

#include "OptionDatabase/OptionModuleClass.h"

namespace SkinBin {

class CustomPictureModule1 : public ::OptionDatabase::OptionModuleClass {
  VG_CLASS()

 public:
  explicit CustomPictureModule1(XObject* link = nullptr);

  // The picture mode offers every mode but the automatic one.
  void PictureMode_Initialize(XObject* sender);
  // The picture size binds the preferred or the current view mode and offers
  // the sizes that suit the signal.
  void PictureSize_Initialize(XObject* sender);
};

}  // namespace SkinBin
