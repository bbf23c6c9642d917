// The pages that guard the Locks topic with the parental PIN, in the shape of
// a page beside the main menu but without rows: a PIN field, its label and a
// message line.
//
// MenuSystem::EnterPinMenu asks for the PIN (type 2) and opens the Locks page
// when it matches; a wrong PIN is cleared and may be tried again, without
// limit. MenuSystem::ChangePinMenu asks for a new PIN twice, when none exists
// yet (type 1) or from the Locks page's change row (type 3), stores it under
// "Password" and opens the Locks page. Both tell the main menu, which keeps
// the Locks page beside it and from then on asks for the PIN.
//
// The arrows do nothing here: Return (or the base page's way back) leaves.
#pragma once

#include <cstdint>

#include "MenuSystem/BrcmSubMenu.h"
#include "SkinBin/PinEntry.h"
#include "Views/MultilineText.h"
#include "Views/Text.h"

namespace MenuSystem {

// What a PIN type makes of a PIN page; a type without a row keeps the
// page's level 2 and leads nowhere.
struct PinPageType {
  int32_t type = 0;
  int32_t level = 2;
  OptionDatabase::TextRef subtitle;
  const char* next = nullptr;
  const char* back = nullptr;
};

class EnterPinMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  EnterPinMenu();

  // Overridden slots.
  XObject* HandleEvent(Core::Event* event) override;
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  // The entry completed four digits.
  void CheckPassword(XObject* sender);
  void EnterNextState(XObject* sender = nullptr);
  void EnterPrevState(XObject* sender = nullptr);
  void OnSetEnterPinType(int32_t type);
  int32_t OnGetEnterPinType() const { return EnterPinType; }

  SkinBin::PinEntry pin{this};
  Views::Text label{this};
  VgStr StoredPin;
  int32_t EnterPinType = 0;
  Views::MultilineText messageLine{this};
};

class ChangePinMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  ChangePinMenu();

  // Overridden slots.
  XObject* HandleEvent(Core::Event* event) override;
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  // The new PIN completed: kept, and the confirmation takes the focus.
  void FirstPassword(XObject* sender);
  // The confirmation completed: stored when it matches and is not 0000.
  void CheckPassword(XObject* sender);
  void EnterNextState(XObject* sender = nullptr);
  void EnterPrevState(XObject* sender = nullptr);
  void OnSetChangePinType(int32_t type);
  int32_t OnGetChangePinType() const { return ChangePinType; }

  SkinBin::PinEntry newPin{this};
  SkinBin::PinEntry confirmPin{this};
  Views::Text newLabel{this};
  Views::Text confirmLabel{this};
  VgStr FirstPin;
  int32_t ChangePinType = 0;
  Views::MultilineText messageLine{this};
};

}  // namespace MenuSystem
