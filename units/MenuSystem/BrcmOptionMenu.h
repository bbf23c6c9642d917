// MenuSystem::BrcmOptionMenu: the option pop-up, the narrow list of an
// option's choices that stands right of a second-level page while one of its
// value rows has the focus. It opens without the focus on the current choice;
// once it has the focus, every choice the focus lands on is written at once
// (there is no confirmation) and every open page shows the new value. LEFT
// and Return hand the focus back to the page, the pop-up staying beside it.
#pragma once

#include <cstdint>

#include "SubSystem/MenuClass.h"
#include "Views/Border.h"
#include "Views/Rectangle.h"

namespace MenuSystem {

class BrcmOptionMenu : public SubSystem::MenuClass {
  VG_CLASS()

 public:
  BrcmOptionMenu();

  static constexpr int32_t RowWidth = 200;
  static constexpr int32_t RowHeight = 35;

  // Whether the option has choices to list: a pop-up of none is not opened.
  static bool HasChoices(int32_t optionType);

  // Overridden slots.
  XObject* HandleEvent(Core::Event* event) override;
  void HandleFocus(bool focused) override;
  // Takes the option id from the SkinBin::UserRefInt parameter.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Refresh(XObject* sender = nullptr) override;
  // A choice got the focus: it becomes the option's value.
  void DoFocus(XObject* sender) override;
  void DoTimeout(XObject* sender) override;

  // A row per choice, the current one focused, and the size to fit them.
  void LoadingSettings();

  Views::Rectangle background{this};
  Views::Border border{this};
  int32_t OptionType = 0;
  int32_t ItemNum = 0;
};

}  // namespace MenuSystem
