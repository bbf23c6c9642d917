#include "Button/NumberSpinner.h"

#include <algorithm>

#include "Core/KeyEvent.h"

VG_DEFINE_CLASS(Button, NumberSpinner, ::Button::Button)

namespace Button {

namespace {

int32_t DigitCount(int32_t value) {
  int64_t v = value < 0 ? -int64_t(value) : value;
  int32_t n = 1;
  while (v >= 10) {
    v /= 10;
    ++n;
  }
  return n;
}

}  // namespace

// A huge step lands beyond the end of the range rather than wrapping round
// the integer.
int32_t Stepped(int32_t value, int64_t step) {
  const int64_t next = int64_t(value) + step;
  return static_cast<int32_t>(std::clamp<int64_t>(next, INT32_MIN, INT32_MAX));
}

NumberSpinner::NumberSpinner(XObject* link) : Button(link) {
  verifyTimer.OnSetBegin(VerifyDelay);
  verifyTimer.OnSetPeriod(0);
  verifyTimer.OnSetOnTrigger(VgSlotOf<&NumberSpinner::verifySlot>(this));
}

int32_t NumberSpinner::Width() const {
  if (Maximum >= 1000) return 4;
  if (Maximum >= 100) return 3;
  if (Maximum >= 10) return 2;
  return 1;
}

XObject* NumberSpinner::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return Button::HandleEvent(event);
  typing = false;
  if (key->keyCode == IncreaseKey || key->keyCode == DecreaseKey) {
    OnSetCurrent(Stepped(Current, key->keyCode == IncreaseKey ? Step : -int64_t(Step)));
    VgSignal(OnValueChange, this);
    return this;
  }
  if (key->keyCode >= Key::Digit0 && key->keyCode <= Key::Digit9) {
    processDigit(key->keyCode - Key::Digit0);
    return this;
  }
  return Button::HandleEvent(event);
}

// A digit within the entry extends the number while it still fits the digit
// count and the maximum; otherwise it starts a new number. A maximum below 10
// has room for one digit only, so every digit replaces the value.
void NumberSpinner::processDigit(int32_t digit) {
  typing = true;
  int32_t value = digit;
  if (verifyTimer.OnGetEnabled() && Maximum >= 10 && DigitCount(Current) < Width()) {
    const int64_t extended = int64_t(Current) * 10 + digit;
    if (extended <= Maximum) value = static_cast<int32_t>(extended);
  }
  OnSetCurrent(value);
  VgSignal(OnValueChange, this);
  verifyTimer.Activate();
}

void NumberSpinner::verifySlot(XObject*) {
  verifyTimer.OnSetEnabled(false);
  if (Current < Minimum || Current > Maximum) OnSetCurrent(DefaultValue);
}

void NumberSpinner::OnSetCurrent(int32_t value) {
  if (value > Maximum)
    Current = WrapAround ? Minimum : Maximum;
  else if (value < Minimum)
    Current = WrapAround ? Maximum : typing ? value : Minimum;
  else
    Current = value;
  if (Current == -1) {
    OnSetText(VgNewStringAnsi("--"));
    return;
  }
  OnSetText(VgNewStringInt(Current, HasLeadingZeros && Maximum >= 10 ? Width() : 0));
}

void NumberSpinner::OnSetMinimum(int32_t value) { Minimum = value < 0 ? 0 : value < Maximum ? value : Maximum; }

void NumberSpinner::OnSetMaximum(int32_t value) { Maximum = value >= 10000 ? 9999 : value > Minimum ? value : Minimum; }

// A step below 1 would stall the keys or turn them round.
void NumberSpinner::OnSetStep(int32_t value) { Step = value < 1 ? 1 : value; }

}  // namespace Button
