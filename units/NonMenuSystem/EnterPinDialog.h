// NonMenuSystem::EnterPinDialog: asks for the parental or the 3D PIN before a
// screen that the PIN guards. Its PIN type (the opening value) says which PIN
// it checks and which screen a correct PIN opens; a wrong PIN is cleared and
// may be tried again.
#pragma once

#include <cstdint>

#include "NonMenuSystem/PinField.h"
#include "NonMenuSystem/PinTypes.h"
#include "NonMenuSystem/QORWidgetClass.h"
#include "Views/MultilineText.h"
#include "Views/Text.h"

namespace NonMenuSystem {

class EnterPinDialog : public QORWidgetClass {
  VG_CLASS()

 public:
  explicit EnterPinDialog(XObject* link = nullptr);

  static constexpr int32_t Width = 520;
  static constexpr int32_t Height = 250;

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void OnSetMenuTriggered(bool value) override;
  void Refresh(XObject* sender = nullptr) override;
  // Opens the type's screen with the type's value and way back; a screen
  // that is not built leaves the dialog as it is.
  void EnterNextState() override;

  virtual void OnSetEnterPinType(int32_t type);
  int32_t OnGetEnterPinType() const { return EnterPinType; }

  // The fourth digit arrived: compares the entry with the stored PIN.
  void CheckPassword(XObject* sender);
  void GoBack(XObject* sender);

  PinField pin{this};
  Views::Text label{this};
  Views::MultilineText messageLine{this};
  int32_t EnterPinType = 0;
  VgStr StoredPin;

 private:
  void ApplyTimeOut();

  const PinType* row_ = nullptr;
};

}  // namespace NonMenuSystem
