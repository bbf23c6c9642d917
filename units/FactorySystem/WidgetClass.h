// FactorySystem::WidgetClass: the base of the factory's small screens (the
// mode indicator, the value display, the adjustment menu, the message boxes,
// the light-sensor read-out and the status check). Each opens inside the
// factory sub-system, which places it at its WidgetOrigin; a background
// rectangle and a frame cover it whatever its size. The time-out runs from
// the opening, but only the screens that bind it to DismissSlot close by it.
#pragma once

#include <cstdint>

#include "Primitives/KeyRoutingForm.h"
#include "Views/Frame.h"
#include "Views/Rectangle.h"
#include "WidgetManager/Layers.h"
#include "vgpoint.h"

namespace FactorySystem {

class FactorySystem;

class WidgetClass : public Primitives::KeyRoutingForm {
  VG_CLASS()

 public:
  explicit WidgetClass(XObject* link = nullptr);

  // The layers of the factory's screens.
  static constexpr int32_t WidgetLayer = Layers::Factory;
  static constexpr int32_t IndicatorLayer = Layers::FactoryIndicator;
  static constexpr int32_t FactoryOnlyLayer = Layers::FactoryOnly;

  // The factory's displays hold the focus but take no key: every key goes on
  // to the other sub-systems. The screens that take keys say so.
  bool TakesKeys() const override { return false; }
  // Those that take keys keep every press from the screens behind them,
  // CLEAR as EXIT (the status check closes on both, the service menu keeps
  // both): CLEAR there closes no more than EXIT.
  bool TakesClearAsExit() const final { return true; }

  // Over the picture the background lets a little of it show through; over
  // another screen it opens solid, so that no text below reads through it.
  void Open(XObject* sender = nullptr) override;
  // A change of size posts Refresh, which spans background and frame over
  // the widget.
  void OnSetBounds(VgRect rect) override;
  void Refresh(XObject* sender = nullptr) override;

  // The closing time-out of the message boxes.
  void DismissSlot(XObject* sender = nullptr);
  // The widget's bounds: that size at WidgetOrigin, or its own size there.
  void SizeAtOrigin(int32_t width, int32_t height);
  void MoveToOrigin();

  ::FactorySystem::FactorySystem* OnGetFactorySystem() const { return FactorySystem; }
  void OnSetFactorySystem(::FactorySystem::FactorySystem* value) { FactorySystem = value; }
  VgPoint OnGetWidgetOrigin() const { return WidgetOrigin; }
  void OnSetWidgetOrigin(VgPoint value) { WidgetOrigin = value; }

  // Set by the sub-system that opens the widget.
  VgPtr<::FactorySystem::FactorySystem> FactorySystem;
  VgPoint WidgetOrigin{100, 100};
  Views::Rectangle background{this};
  Views::Frame frame{this};
};

}  // namespace FactorySystem
