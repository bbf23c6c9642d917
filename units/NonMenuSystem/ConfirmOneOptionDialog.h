// NonMenuSystem::ConfirmOneOptionDialog: a notice with one button, which
// moves on to the next screen.
#pragma once

#include "Button/Button.h"
#include "NonMenuSystem/ConfirmOptionDialog.h"

namespace NonMenuSystem {

class ConfirmOneOptionDialog : public ConfirmOptionDialog {
  VG_CLASS()

 public:
  explicit ConfirmOneOptionDialog(XObject* link = nullptr);

  // Centres the button over the bottom of the frame.
  void Refresh(XObject* sender = nullptr) override;
  // The button shows the label too.
  void OnSetYesButtonLabel(VgString text) override;

  void OnButton(XObject* sender);

  Button::Button button{this};
};

}  // namespace NonMenuSystem
