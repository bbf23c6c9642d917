// Module 0x85 of the option database: the inputs and audio that share a
// connector, HDMI, automatic input selection, the television model id and
// the caption key.
#pragma once

#include <cstdint>
#include <vector>

#include "OptionDatabase/OptionModuleClass.h"
#include "vgstring.h"

namespace SkinBin {

class PreferencesModule2 : public ::OptionDatabase::OptionModuleClass {
  VG_CLASS()

 public:
  explicit PreferencesModule2(XObject* link = nullptr);

  // The rear audio connector serves the second component input instead of
  // the computer input when that input is shared.
  void RearShared_Initialize(XObject* sender);
  // The automatic input rows choose among the set's inputs; choice 0 is none
  // (value -1), choice i the input at index i - 1.
  void AutoInput_Initialize(XObject* sender);
  void AutoInput_Val2Id(XObject* sender);
  void AutoInput_Id2Val(XObject* sender);
  void AutoInput_GetData(XObject* sender);
  // The caption key chooses among the caption services of a digital channel,
  // or among the fixed analogue services.
  void CCKey_Initialize(XObject* sender);
  void CCKey_Val2Id(XObject* sender);
  void CCKey_Id2Val(XObject* sender);
  void CCKey_GetData(XObject* sender);

 private:
  void SetAutoInputCount(::OptionDatabase::OptionDataClass* record);
  void UseAnalogCCKeys();
  void UseDigitalCCKeys();

  std::vector<VgStr> ccKeyTexts_;
  std::vector<int32_t> ccKeyValues_;
};

}  // namespace SkinBin
