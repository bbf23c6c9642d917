// The option database: the record of every adjustable setting by option id.
#pragma once

#include <cstdint>

#include "OptionDatabase/AdvancedTVModule.h"
#include "OptionDatabase/AudioModule.h"
#include "OptionDatabase/BasicTVModule.h"
#include "OptionDatabase/OptionData.h"
#include "OptionDatabase/OptionModuleClass.h"
#include "OptionDatabase/OptionTypes.h"
#include "OptionDatabase/PictureModule.h"
#include "vgobject.h"

namespace OptionDatabase {

class OptionDatabaseClass : public XObject {
  VG_CLASS()

 public:
  OptionDatabaseClass();

  // The record of an option id, or null when no module has it. Ids with the
  // top bit set belong to the extended modules and are null here.
  virtual OptionDataClass* GetOptionData(int32_t optionId);

  // The module of a module number, or null.
  virtual OptionModuleClass* GetModule(uint32_t moduleNumber);

 private:
  PictureModule Picture{this};
  AudioModule Audio{this};
  BasicTVModule BasicTV{this};
  AdvancedTVModule AdvancedTV{this};
  // Entry 0 stays empty: module number 0 has no module.
  VgPtrArray<OptionModuleClass, 5> modules_;
};

}  // namespace OptionDatabase
