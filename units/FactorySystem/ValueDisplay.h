// FactorySystem::ValueDisplay: a factory result as a name and a value, the
// value's low byte shown in hexadecimal ("2CH") and in binary ("00101100").
#pragma once

#include <cstdint>

#include "FactorySystem/WidgetClass.h"
#include "Views/Text.h"
#include "vgstring.h"

namespace FactorySystem {

class ValueDisplay : public WidgetClass {
  VG_CLASS()

 public:
  explicit ValueDisplay(XObject* link = nullptr);

  static constexpr int32_t Width = 260;
  static constexpr int32_t Height = 112;

  VgString OnGetFacName() const { return name.String; }
  void OnSetFacName(VgString value);
  int32_t OnGetFacValue() const { return FacValue; }
  void OnSetFacValue(int32_t value);

  // The digit of 0 to 15, "X" for anything else.
  static VgString Dec2Hex(int32_t n);

  // Shown only once set: the texts start as placeholders.
  int32_t FacValue = 52;
  Views::Text name{this};
  Views::Text dataLabel{this};
  Views::Text binaryLabel{this};
  Views::Text hex{this};
  Views::Text binary{this};
};

}  // namespace FactorySystem
