// PinEntry::PinEntry: collects the digits of a PIN up to MaxNumDigits. The
// delete key takes back the last digit, and on an empty entry asks the
// owner to go back to the previous PIN field. Every key it takes is reported
// through OnResetTimeout, so the screen can restart its time-out. How the
// digits look is the descendant's, in refreshPin.
#pragma once

#include <cstdint>

#include "Core/Keys.h"
#include "Primitives/KeyRoutingForm.h"
#include "vgslot.h"
#include "vgstring.h"

namespace Core {
class KeyEvent;
}

namespace PinEntry {

class PinEntry : public Primitives::KeyRoutingForm {
  VG_CLASS()

 public:
  explicit PinEntry(XObject* link = nullptr);

  XObject* HandleEvent(Core::Event* event) override;
  // While it holds a digit.
  bool TypedInto() const override { return digitCount > 0; }
  // Slot of the entry: redraws the digit cells from CurrentPin and the count.
  virtual void refreshPin();

  // The digits entered so far, null when there are none.
  VgString CurrentPin() const { return pin; }
  int32_t DigitCount() const { return digitCount; }
  void Clear();
  void DeleteCurrentDigit();
  // Appends the key's digit while the entry has room.
  void processDigitKeyEvent(Core::KeyEvent* event);

  uint16_t OnGetDeleteKey() const { return DeleteKey; }
  void OnSetDeleteKey(uint16_t value) { DeleteKey = value; }
  int32_t OnGetMaxNumDigits() const { return MaxNumDigits; }
  void OnSetMaxNumDigits(int32_t value) { MaxNumDigits = value; }
  VgSlot OnGetOnResetTimeout() const { return OnResetTimeout; }
  void OnSetOnResetTimeout(VgSlot slot) { OnResetTimeout = slot; }
  VgSlot OnGetOnPrevPin() const { return OnPrevPin; }
  void OnSetOnPrevPin(VgSlot slot) { OnPrevPin = slot; }

  uint16_t DeleteKey = Key::Left;
  VgStr pin;
  int32_t digitCount = 0;
  VgSlot OnResetTimeout;
  // The descendant sets it; 0 accepts no digit.
  int32_t MaxNumDigits = 0;
  VgSlot OnPrevPin;
};

}  // namespace PinEntry
