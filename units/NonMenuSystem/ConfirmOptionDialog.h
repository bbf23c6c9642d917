// NonMenuSystem::ConfirmOptionDialog: the base of the dialogs that ask the
// viewer something: a caption, the question under it, and the labels of the
// buttons its descendants place. The dialog grows with its question.
#pragma once

#include <cstdint>

#include "NonMenuSystem/QORWidgetClass.h"
#include "Views/MultilineText.h"
#include "vgstring.h"

namespace Button {
class Button;
}

namespace NonMenuSystem {

class ConfirmOptionDialog : public QORWidgetClass {
  VG_CLASS()

 public:
  explicit ConfirmOptionDialog(XObject* link = nullptr);

  static constexpr int32_t DefaultWidth = 560;
  // Room for the buttons and the gaps around the question.
  static constexpr int32_t ButtonArea = 80;
  static constexpr int32_t CaptionArea = 30;

  // The opening value is the confirmation type.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Refresh(XObject* sender = nullptr) override;

  // Sets the question; a question of another height resizes the dialog to
  // it, keeping the dialog's top.
  virtual void OnSetWarningInfo(VgString text);
  VgString OnGetWarningInfo() const { return warning.String; }
  virtual void OnSetYesButtonLabel(VgString text);
  VgString OnGetYesButtonLabel() const { return YesButtonLabel; }
  virtual void OnSetNoButtonLabel(VgString text);
  VgString OnGetNoButtonLabel() const { return NoButtonLabel; }
  virtual void OnSetConfirmType(int32_t type);
  int32_t OnGetConfirmType() const { return ConfirmType; }
  int32_t OnGetButtonWidth() const { return ButtonWidth; }
  void OnSetButtonWidth(int32_t value);
  int32_t OnGetButtonHeight() const { return ButtonHeight; }
  void OnSetButtonHeight(int32_t value);

  // A button in the dialogs' look.
  static void StyleButton(Button::Button* button);

  Views::MultilineText warning{this};
  VgStr YesButtonLabel;
  VgStr NoButtonLabel;
  int32_t ButtonWidth = 160;
  int32_t ButtonHeight = 36;
  int32_t ConfirmType = 0;

 private:
  int32_t textHeight_ = -1;
};

}  // namespace NonMenuSystem
