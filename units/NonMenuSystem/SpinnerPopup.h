// NonMenuSystem::SpinnerPopup: the small framed pop-up of a row of spinners
// over the dialog that opened it (Layers::PopUp). LEFT and RIGHT go round the
// spinners, UP and DOWN step the focused one (its arrows show which), OK
// on a spinner or BACK close the pop-up, and so does its time-out, leaving
// the dialog below open. The date and time pop-ups are built on it.
#pragma once

#include <cstdint>

#include "Button/Button.h"
#include "NonMenuSystem/QORWidgetClass.h"
#include "SkinBin/Navigator.h"
#include "Views/Text.h"

namespace NonMenuSystem {

class SpinnerPopup : public QORWidgetClass {
  VG_CLASS()

 public:
  explicit SpinnerPopup(XObject* link = nullptr);

  static constexpr int32_t MaxSpinners = 3;
  static constexpr int32_t SpinnerHeight = 40;
  static constexpr int32_t Top = 220;

  XObject* HandleEvent(Core::Event* event) override;

  // The screen whose values the pop-up edits; it hears every change, and
  // the pop-up closes when it closes (it is the pop-up's Asker).
  XObject* OnGetOwner() const { return Owner; }
  void OnSetOwner(XObject* value) {
    Owner = value;
    Asker = vg_cast<Primitives::KeyRoutingForm>(value);
  }

  VgPtr<XObject> Owner;
  SkinBin::Navigator navigator{this};

 protected:
  // Places the spinners side by side with the separator texts between them,
  // sizes the pop-up round them and focuses the first.
  void Arrange(Button::Button* const* spinners, const int32_t* widths, int32_t count, const char* separator);
  // Moves the focus to the spinner before (-1) or after (+1), round.
  void MoveFocus(int32_t direction);

  int32_t SpinnerCount = 0;
  VgPtrArray<Button::Button, MaxSpinners> spinners;
  Views::Text separator1{this};
  Views::Text separator2{this};

 private:
  Views::Text* Separator(int32_t index) { return index == 0 ? &separator1 : &separator2; }
};

}  // namespace NonMenuSystem
