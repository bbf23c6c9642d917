// FactorySystem::StatusCheck: the set's identity and test state (model,
// versions, calibration, network addresses, running time, device ids), on
// screen and, row by row, on the factory serial console. The mode's exit
// closes it; a clear-all message does not.
#pragma once

#include <cstdint>

#include "FactorySystem/WidgetClass.h"
#include "Views/Text.h"
#include "vgobject.h"
#include "vgstring.h"

namespace FactorySystem {

class StatusCheck : public WidgetClass {
  VG_CLASS()

 public:
  explicit StatusCheck(XObject* link = nullptr);

  static constexpr int32_t Rows = 17;

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // The exit keys and 9 close it; every other key is kept from the screens
  // behind it.
  XObject* HandleEvent(Core::Event* event) override;
  bool TakesKeys() const override { return true; }
  // The list on the serial console, one line a row.
  void PrintStatusResults();

  // 0xC0A80001 gives "192.168.0.1".
  static VgString GetAddressString(uint32_t address);

  VgString OnGetValue(int32_t row) const;

  Views::Text title{this};
  VgPtrArray<Views::Text, Rows> labels;
  VgPtrArray<Views::Text, Rows> values;
  // The analog-to-digital results, each after its own label in their row.
  VgStr CompResult;
  VgStr PcResult;
};

}  // namespace FactorySystem
