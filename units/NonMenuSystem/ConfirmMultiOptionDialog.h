// NonMenuSystem::ConfirmMultiOptionDialog: the Yes/No question of a
// confirmation type. Yes does what the type's row says and moves on, No and
// Return go back.
#pragma once

#include "Button/Button.h"
#include "NonMenuSystem/ConfirmOptionDialog.h"
#include "NonMenuSystem/ConfirmTypes.h"

namespace NonMenuSystem {

class ConfirmMultiOptionDialog : public ConfirmOptionDialog {
  VG_CLASS()

 public:
  explicit ConfirmMultiOptionDialog(XObject* link = nullptr);

  // Left, right, up and down move between Yes and No; a question over a
  // screen keeps every other key the base passes on.
  XObject* HandleEvent(Core::Event* event) override;
  // Places Yes and No side by side over the bottom of the frame.
  void Refresh(XObject* sender = nullptr) override;
  void OnSetYesButtonLabel(VgString text) override;
  void OnSetNoButtonLabel(VgString text) override;
  // Takes caption, question and ways forward and back from the type's row.
  void OnSetConfirmType(int32_t type) override;
  // Forward only when the screen it leads to is built; otherwise the dialog
  // stays as it is.
  void EnterNextState() override;

  void OnYes(XObject* sender);
  void OnNo(XObject* sender);

  // The deletions of the recording screens, by their item kinds.
  void DeleteScheduledRecord();
  void DeleteEPGRecord();
  void DeleteChannelLogo();

  Button::Button yesButton{this};
  Button::Button noButton{this};

 private:
  // Runs the row's action; false when the action already moved on.
  bool RunAction();
  void DeleteItem(int32_t kind, const char* target);

  const ::NonMenuSystem::ConfirmType* row_ = nullptr;
};

}  // namespace NonMenuSystem
