// ListForm::SystemInfoCourier: one line of the system information list: a
// label and its value, or a heading or blank line.
#pragma once

#include <cstdint>

#include "ListForm/ListCourier.h"

namespace ListForm {

class SystemInfoCourier : public ListCourier {
  VG_CLASS()

 public:
  explicit SystemInfoCourier(XObject* link = nullptr) : ListCourier(link) {}

  static constexpr int32_t KindHeading = 0;  // a heading or a blank line
  static constexpr int32_t KindValue = 1;

  VgStr Value;
  int32_t Kind = KindValue;
  VgStr Label;
};

}  // namespace ListForm
