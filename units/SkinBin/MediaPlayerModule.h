// Module 0x86 of the option database: the media player and its setup pages.
#pragma once

#include "OptionDatabase/OptionModuleClass.h"

namespace SkinBin {

class MediaPlayerModule : public ::OptionDatabase::OptionModuleClass {
  VG_CLASS()

 public:
  explicit MediaPlayerModule(XObject* link = nullptr);

  // The yes/no question has no setting behind it: every read starts at Yes.
  void SelectYesNo_Initialize(XObject* sender);
  // The sort order's first choice is reloaded before every read.
  void MMSortMode_Initialize(XObject* sender);
};

}  // namespace SkinBin
