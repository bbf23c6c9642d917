// Button::TextSpinner: one of up to twelve texts, stepped through by the
// increase and decrease keys. The descendant fills Texts and keeps Minimum
// and Maximum within 0 to 11.
#pragma once

#include <cstdint>

#include "Button/Button.h"
#include "Core/Keys.h"
#include "vgslot.h"
#include "vgstring.h"

namespace Button {

class TextSpinner : public Button {
  VG_CLASS()

 public:
  explicit TextSpinner(XObject* link = nullptr);

  static constexpr int32_t TextCount = 12;

  XObject* HandleEvent(Core::Event* event) override;

  int32_t OnGetCurrent() const { return Current; }
  // Clamps or wraps into the range and shows the entry's text.
  void OnSetCurrent(int32_t value);
  int32_t OnGetMinimum() const { return Minimum; }
  void OnSetMinimum(int32_t value) { Minimum = value; }
  int32_t OnGetMaximum() const { return Maximum; }
  void OnSetMaximum(int32_t value) { Maximum = value; }
  int32_t OnGetStep() const { return Step; }
  void OnSetStep(int32_t value) { Step = value; }
  bool OnGetWrapAround() const { return WrapAround; }
  void OnSetWrapAround(bool value) { WrapAround = value; }
  uint16_t OnGetDecreaseKey() const { return DecreaseKey; }
  void OnSetDecreaseKey(uint16_t value) { DecreaseKey = value; }
  uint16_t OnGetIncreaseKey() const { return IncreaseKey; }
  void OnSetIncreaseKey(uint16_t value) { IncreaseKey = value; }
  VgSlot OnGetOnValueChange() const { return OnValueChange; }
  void OnSetOnValueChange(VgSlot slot) { OnValueChange = slot; }

  bool WrapAround = false;
  uint16_t DecreaseKey = Key::Down;
  uint16_t IncreaseKey = Key::Up;
  int32_t Minimum = 0;
  int32_t Maximum = 11;
  int32_t Current = 0;
  int32_t Step = 1;
  VgSlot OnValueChange;
  VgStr Texts[TextCount];
};

}  // namespace Button
