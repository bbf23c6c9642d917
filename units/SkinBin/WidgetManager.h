// This set's list of open screens: beside the layering rule of the base, it
// keeps the state manager told whether a screen of the program is open, so
// that the platform knows when the interface has the screen.
#pragma once

#include <cstdint>

#include "WidgetManager/WidgetManager.h"

namespace SkinBin {

class WidgetManager : public ::WidgetManager::WidgetManager {
  VG_CLASS()

 public:
  explicit WidgetManager(XObject* link = nullptr) : ::WidgetManager::WidgetManager(link) {}

  void InsertForm(Primitives::KeyRoutingForm* form) override;
  void DeleteForm(Primitives::KeyRoutingForm* form) override;
  // Reports whether a screen is open when that changed since the last report.
  void UpdateUIStatus();

  // Set by every insertion into an empty list: a first screen was opened.
  bool FirstFormOpened = false;

 private:
  int32_t reportedOpen_ = 0;
};

}  // namespace SkinBin
