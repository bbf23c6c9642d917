// The 3D choosers: small dialogs of icon buttons with which the viewer
// chooses how 3D is shown. ThreeD::SelectMode_Flag is offered when a 3D
// signal is detected (3D or 2D), ThreeD::SelectMode_Button offers 3D or 2D
// made into 3D, ThreeD::SelectFormat side by side or top and bottom for a 3D
// picture (previewed as the focus moves), ThreeD::Select2DFormat how a 3D
// input is shown in 2D. Each choice goes to the television model's 3D state
// keeper, which applies it.
#pragma once

#include <cstdint>

#include "Button/IconButton.h"
#include "NonMenuSystem/BorderWidgetClass.h"
#include "Views/MultilineText.h"
#include "vgslot.h"

namespace ThreeD {

class IconButton : public ::Button::IconButton {
  VG_CLASS()

 public:
  explicit IconButton(XObject* link = nullptr);
};

class SelectMode : public NonMenuSystem::BorderWidgetClass {
  VG_CLASS()

 public:
  explicit SelectMode(XObject* link = nullptr);

  static constexpr int32_t MaxButtons = 3;

  // OK is the focused button's; the exit keys signal OnExit; LEFT and RIGHT
  // move the focus round the buttons. Each restarts the time-out.
  XObject* HandleEvent(Core::Event* event) override;
  // "OK" and "Exit" on the help bar.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  VgSlot OnGetOnExit() const { return OnExit; }
  void OnSetOnExit(VgSlot slot) { OnExit = slot; }

  // The button numbered n (from 1); null past the last.
  IconButton* Button(int32_t n);
  // Which button the sender is (from 1), 0 for none.
  int32_t ButtonNumber(XObject* sender) const;

  Views::MultilineText text{this};
  IconButton button1{this};
  IconButton button2{this};
  IconButton button3{this};
  int32_t ButtonCount = 0;
  VgSlot OnExit;

 protected:
  struct ButtonDef {
    const VgConstant* caption;  // null: an icon only
    const VgConstant* icon;
    const VgConstant* focusedIcon;
    const VgConstant* disabledIcon;
    VgRect bounds;
  };
  // Lays out the buttons, each acting and previewing through the slots given.
  void SetButtons(std::initializer_list<ButtonDef> defs, VgSlot activate, VgSlot focus);
  void MoveFocus(int32_t by);
};

class SelectMode_Flag : public SelectMode {
  VG_CLASS()

 public:
  explicit SelectMode_Flag(XObject* link = nullptr);

  // Return is swallowed. A 3D report that the signal is 2D again ends the
  // question, under any screen with the keys: the picture never left 2D,
  // so nothing is switched and no display-mode banner follows.
  XObject* HandleEvent(Core::Event* event) override;
  bool FollowsTheWorld(Core::Event* event) const override;
  bool WaitsUnderTheKeys() const override { return true; }
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // 3D goes on with the start sequence; 2D (or leaving) switches to 2D, and
  // shows the banner when the picture was in 3D.
  void Choose(XObject* sender);
};

class SelectMode_Button : public SelectMode {
  VG_CLASS()

 public:
  explicit SelectMode_Button(XObject* link = nullptr);

  // Return is swallowed, and key 95 leaves as the exit keys do.
  XObject* HandleEvent(Core::Event* event) override;
  // Focuses 3D when the viewer chose it last.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // 3D, or 2D made into 3D; then the start sequence goes on.
  void Choose(XObject* sender);
};

class SelectFormat : public SelectMode {
  VG_CLASS()

 public:
  explicit SelectFormat(XObject* link = nullptr);

  static constexpr int32_t TimeOut = 8000;

  // Return is swallowed, unless the quick menu opened the chooser.
  XObject* HandleEvent(Core::Event* event) override;
  // From the quick menu the chooser only closes; the focus starts on the
  // format shown or chosen last.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // The focused button's format is shown at once.
  void Preview(XObject* sender);
  // Closes everything and goes on with the start sequence.
  void ExitSlot(XObject* sender = nullptr);
};

class Select2DFormat : public SelectMode {
  VG_CLASS()

 public:
  explicit Select2DFormat(XObject* link = nullptr);

  static constexpr int32_t TimeOut = 8000;

  // The half of the picture that the input does not have is disabled; the
  // focus starts on the mode shown.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // The focused button's mode is shown at once; a disabled one changes nothing.
  void Preview(XObject* sender);
};

}  // namespace ThreeD
