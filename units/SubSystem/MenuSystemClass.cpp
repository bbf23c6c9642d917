#include "SubSystem/MenuSystemClass.h"

VG_DEFINE_CLASS(SubSystem, MenuSystemClass, SubSystem::SubSystemClass)

namespace SubSystem {

void MenuSystemClass::SetMenuIndex(int32_t, int32_t) {}

int32_t MenuSystemClass::GetMenuIndex(int32_t) { return 1; }

void MenuSystemClass::MenuTimeout() {}

}  // namespace SubSystem
