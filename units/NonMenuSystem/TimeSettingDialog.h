// NonMenuSystem::TimeSettingDialog: hour (1 to 12), minute and AM/PM
// spinners for the dialog that opened it, which hears every change at once
// through UpdateTimeSettings(hour, minute, "AM" or "PM").
#pragma once

#include <cstdint>

#include "Button/TextSpinner.h"
#include "NonMenuSystem/NumberSpinner.h"
#include "NonMenuSystem/SpinnerPopup.h"

namespace NonMenuSystem {

class TimeSettingDialog : public SpinnerPopup {
  VG_CLASS()

 public:
  explicit TimeSettingDialog(XObject* link = nullptr);

  static constexpr int32_t AM = 0;
  static constexpr int32_t PM = 1;

  void OnSetHourVal(int32_t hour);
  void OnSetMinVal(int32_t minute);
  // AM (0) or PM (1).
  void OnSetAMPMVal(int32_t value);
  int32_t OnGetHourVal() const { return hour.Current; }
  int32_t OnGetMinVal() const { return minute.Current; }
  int32_t OnGetAMPMVal() const { return ampm.Current; }

  // The spinners' change slot.
  void ValueChanged(XObject* sender);

  NumberSpinner hour{this};
  NumberSpinner minute{this};
  Button::TextSpinner ampm{this};
};

}  // namespace NonMenuSystem
