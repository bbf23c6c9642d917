// Button::CheckBox: an icon button that the activate key checks and unchecks;
// its icons show the check mark or the empty box in every look.
#pragma once

#include "Button/IconButton.h"

namespace Button {

class CheckBox : public IconButton {
  VG_CLASS()

 public:
  explicit CheckBox(XObject* link = nullptr);

  // Toggles on the activate key unless the box is disabled.
  XObject* HandleEvent(Core::Event* event) override;

  bool OnGetIsChecked() const { return IsChecked; }
  // Also hands the matching bitmap to all four icons, so screens call it to
  // show the state even when it has not changed.
  void OnSetIsChecked(bool value);
  Resources::Bitmap* OnGetUnCheck_Bitmap() const { return UnCheck_Bitmap; }
  void OnSetUnCheck_Bitmap(Resources::Bitmap* value) { UnCheck_Bitmap = value; }
  Resources::Bitmap* OnGetChecked_Bitmap() const { return Checked_Bitmap; }
  void OnSetChecked_Bitmap(Resources::Bitmap* value) { Checked_Bitmap = value; }

  bool IsChecked = false;
  VgPtr<Resources::Bitmap> UnCheck_Bitmap;
  VgPtr<Resources::Bitmap> Checked_Bitmap;
};

}  // namespace Button
