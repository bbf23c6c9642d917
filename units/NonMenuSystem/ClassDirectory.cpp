#include "NonMenuSystem/ClassDirectory.h"

#include <vector>

#include "NonMenuSystem/ChangePinDialog.h"
#include "NonMenuSystem/ConfirmMultiOptionDialog.h"
#include "NonMenuSystem/ConfirmOneOptionDialog.h"
#include "NonMenuSystem/DirectMessageBar.h"
#include "NonMenuSystem/EnterPinDialog.h"
#include "NonMenuSystem/KeyPad.h"

namespace NonMenuSystem {

namespace {

// This unit's own screens are always there.
const VgClass* const kOwnClasses[] = {
    &ConfirmMultiOptionDialog::Class, &ConfirmOneOptionDialog::Class, &DirectMessageBar::Class,
    &EnterPinDialog::Class,           &ChangePinDialog::Class,        &KeyPad::Class,
};

// Built on first use, so registrations made while other units start up find
// it ready whatever the order of their start-up.
std::vector<const VgClass*>& Registered() {
  static std::vector<const VgClass*> classes;
  return classes;
}

}  // namespace

void RegisterClass(const VgClass* cls) {
  if (!cls) return;
  std::vector<const VgClass*>& classes = Registered();
  for (const VgClass* known : classes)
    if (known == cls) return;
  classes.push_back(cls);
}

const VgClass* FindClass(std::string_view name) {
  for (const VgClass* cls : kOwnClasses)
    if (name == cls->name) return cls;
  for (const VgClass* cls : Registered())
    if (name == cls->name) return cls;
  return nullptr;
}

}  // namespace NonMenuSystem
