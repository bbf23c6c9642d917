// The one way to open a screen. Name the screen by class, or by its class
// name when the class lives in a unit that the opener does not build on; give
// the way back and the opening record, and the sub-system that owns the
// screen's family opens it:
//
//   SubSystem::Open(owner, {.screen = &NonMenuSystem::KeyPad::Class, .back = GetClass(), .value = 3});
//   SubSystem::Open(owner, "Record::RecordOptionsDialog", {.origin = Constants::MSG_FROM_MENUSYSTEM});
//
// A pop-up that answers the screen (or list) opening it names that screen as
// its asker, and closes when the asker does, as when a screen of the
// asker's layer takes its place:
//
//   SubSystem::Open(system, {.screen = &NonMenuSystem::KeyPad::Class, .back = GetClass(), .value = 12, .asker = this});
//
// A class name that no class of the program has (a screen not built yet)
// logs "would open X, which is not built" and leaves the screens as they are.
// The screen reads value, origin, text and flag in its Initialize from the
// SkinBin::UserRefInt that is its parameter.
//
// A screen behind the parental PIN names the PIN type whose correct entry
// leads on to it (the type's row in NonMenuSystem/PinTypes.h opens it then):
// while a PIN is set, NonMenuSystem::EnterPinDialog of that type opens in its
// place, with the same way back and origin; without a PIN the screen opens:
//
//   SubSystem::Open(system, "Channels::AutoTuningConfirmDialog", {.back = GetClass(), .value = 3, .pinType = 3});
#pragma once

#include <cstdint>

#include "SubSystem/State.h"
#include "vgstring.h"

namespace Primitives {
class KeyRoutingForm;
}

namespace SubSystem {

class SubSystemClass;

struct Opening {
  const VgClass* screen = nullptr;
  // The screen's PrevState and NextState when it has none of its own.
  const VgClass* back = nullptr;
  const VgClass* next = nullptr;
  // The opening record. A SkinBin::UserRefInt carries them when any is set.
  int32_t value = 0;
  int32_t origin = 0;  // who opens it: Constants::MSG_FROM_*
  VgString text = nullptr;
  bool flag = false;
  // An opening record of another class, handed over as it is instead.
  XObject* param = nullptr;
  // Non-zero: the screen is behind the parental PIN, checked by this PIN type.
  int32_t pinType = 0;
  // The screen or list that hears the screen's answer (a pop-up's opener):
  // the screen closes when it closes.
  Primitives::KeyRoutingForm* asker = nullptr;
};

// The class name of the dialog that asks for the PIN of a guarded opening.
inline constexpr const char* PinDialogClass = "NonMenuSystem::EnterPinDialog";

// The request record of an opening, for a sub-system's ChangeState.
State* MakeState(const Opening& opening);

// Opens the screen through via, which hands a screen of another family on to
// that family's sub-system; with via null the screen's own family is asked
// directly. Returns the screen, or null when there is none to open.
Primitives::KeyRoutingForm* Open(SubSystemClass* via, const Opening& opening);
// The same with the screen named by its class name ("Unit::Class").
Primitives::KeyRoutingForm* Open(SubSystemClass* via, const char* screenName, Opening opening = {});

}  // namespace SubSystem
