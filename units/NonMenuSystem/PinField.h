// NonMenuSystem::PinField: the four digit cells of a PIN, shown as stars as
// the digits arrive, the next free cell lit. It reports the fourth digit
// through OnCompleteEntry.
#pragma once

#include <cstdint>

#include "PinEntry/PinEntry.h"
#include "Views/Frame.h"
#include "Views/Text.h"
#include "vgslot.h"

namespace NonMenuSystem {

class PinField : public PinEntry::PinEntry {
  VG_CLASS()

 public:
  explicit PinField(XObject* link = nullptr);

  static constexpr int32_t Digits = 4;
  static constexpr int32_t CellSize = 42;
  static constexpr int32_t CellGap = 12;
  static constexpr int32_t Width = Digits * CellSize + (Digits - 1) * CellGap;

  XObject* HandleEvent(Core::Event* event) override;
  void HandleFocus(bool focused) override;
  void refreshPin() override;

  VgSlot OnGetOnCompleteEntry() const { return OnCompleteEntry; }
  void OnSetOnCompleteEntry(VgSlot slot) { OnCompleteEntry = slot; }

  VgSlot OnCompleteEntry;
  // Shown in place of a typed digit.
  char16_t Indicator = u'*';
  Views::Frame cell0{this};
  Views::Frame cell1{this};
  Views::Frame cell2{this};
  Views::Frame cell3{this};
  Views::Text digit0{this};
  Views::Text digit1{this};
  Views::Text digit2{this};
  Views::Text digit3{this};
};

}  // namespace NonMenuSystem
