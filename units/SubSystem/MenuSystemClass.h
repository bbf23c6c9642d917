// SubSystem::MenuSystemClass: a sub-system of menu pages, which remembers the
// focused item of each menu level. This base remembers nothing: every level
// starts at its first item.
#pragma once

#include <cstdint>

#include "SubSystem/SubSystemClass.h"

namespace SubSystem {

class MenuSystemClass : public SubSystemClass {
  VG_CLASS()

 public:
  explicit MenuSystemClass(XObject* link = nullptr) : SubSystemClass(link) {}

  // Slots of the menu sub-system; indexes count from 1.
  virtual void SetMenuIndex(int32_t level, int32_t index);
  virtual int32_t GetMenuIndex(int32_t level);

  void MenuTimeout();
};

}  // namespace SubSystem
