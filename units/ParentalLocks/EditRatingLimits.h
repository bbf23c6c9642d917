// ParentalLocks::EditRatingLimits: the four fixed rating screens as a list of
// buttons; OK opens one, which comes back here. Back returns to the parental
// locks page.
#pragma once

#include "Button/Button.h"
#include "NonMenuSystem/QORWidgetClass.h"

namespace ParentalLocks {

class EditRatingLimits : public NonMenuSystem::QORWidgetClass {
  VG_CLASS()

 public:
  explicit EditRatingLimits(XObject* link = nullptr);

  static constexpr int32_t ScreenCount = 4;

  // Up and down move among the buttons.
  XObject* HandleEvent(Core::Event* event) override;
  // A button's OnActivate: opens its screen.
  void DoOpen(XObject* sender = nullptr);

  Button::Button buttons[ScreenCount] = {Button::Button{this}, Button::Button{this}, Button::Button{this},
                                         Button::Button{this}};
};

}  // namespace ParentalLocks
