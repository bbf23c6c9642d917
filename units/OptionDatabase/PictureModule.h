// Module 1 of the option database: the picture settings of every set.
#pragma once

#include "OptionDatabase/OptionModuleClass.h"

namespace OptionDatabase {

class PictureModule : public OptionModuleClass {
  VG_CLASS()

 public:
  explicit PictureModule(XObject* link = nullptr);

  // The vertical position moves in steps that depend on the input: the
  // record's Offset holds the mode (10 or 8 for a computer input, 5 for the
  // others) that Initialize works out from the current source.
  void VerticalPosition_Initialize(XObject* sender);
  void VerticalPosition_Val2Id(XObject* sender);
  void VerticalPosition_Id2Val(XObject* sender);
  // The horizontal position is kept in steps of 5 around 50.
  void HorizontalPosition_Val2Id(XObject* sender);
  void HorizontalPosition_Id2Val(XObject* sender);
};

}  // namespace OptionDatabase
