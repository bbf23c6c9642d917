// Primitives::KeyRoutingCtrl: the base of every button and bar of the
// screens. It takes one key, its activate key, and reports that key and its
// focus changes through slots, so the screen holding it decides what happens.
#pragma once

#include <cstdint>

#include "Core/Keys.h"
#include "Forms/Ctrl.h"
#include "vgslot.h"

namespace Primitives {

class KeyRoutingCtrl : public Forms::Ctrl {
  VG_CLASS()

 public:
  explicit KeyRoutingCtrl(XObject* link = nullptr);

  // The GUI key code of OK, the activate key of every control by default.
  static constexpr uint16_t KeyActivate = Key::Ok;

  // Overridden slots.
  // Takes a press of ActivateKey when someone listens to OnActivate; every
  // other event goes on to the form.
  XObject* HandleEvent(Core::Event* event) override;
  void HandleFocus(bool focused) override;
  // Slot of the control: descendants lay themselves out here.
  virtual void Refresh(XObject* sender = nullptr);

  bool OnGetRight() const { return Right; }
  void OnSetRight(bool value) { Right = value; }
  bool OnGetDown() const { return Down; }
  void OnSetDown(bool value) { Down = value; }
  bool OnGetLeft() const { return Left; }
  void OnSetLeft(bool value) { Left = value; }
  bool OnGetUp() const { return Up; }
  void OnSetUp(bool value) { Up = value; }
  uint16_t OnGetActivateKey() const { return ActivateKey; }
  void OnSetActivateKey(uint16_t value) { ActivateKey = value; }
  VgSlot OnGetOnActivate() const { return OnActivate; }
  void OnSetOnActivate(VgSlot slot) { OnActivate = slot; }
  VgSlot OnGetOnFocus() const { return OnFocus; }
  void OnSetOnFocus(VgSlot slot) { OnFocus = slot; }
  VgSlot OnGetOnUnfocus() const { return OnUnfocus; }
  void OnSetOnUnfocus(VgSlot slot) { OnUnfocus = slot; }
  const VgClass* OnGetNextState() const { return NextState; }
  void OnSetNextState(const VgClass* value) { NextState = value; }

  // Direction flags that a focused button hands to its navigator's arrows.
  bool Right = false;
  bool Down = false;
  bool Left = false;
  bool Up = false;
  uint16_t ActivateKey = KeyActivate;
  VgSlot OnActivate;
  VgSlot OnFocus;
  VgSlot OnUnfocus;
  // The class of the screen this control leads to; kept for descendants.
  const VgClass* NextState = nullptr;
};

}  // namespace Primitives
