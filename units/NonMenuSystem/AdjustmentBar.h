// NonMenuSystem::AdjustmentBar: the bar over the picture that changes one
// option, opened by a menu row with the option id as its value and the
// row's slider middle point as its flag. LEFT and RIGHT step the option and
// each step reaches the television at once; OK or BACK return to the page
// that opened it (a page hidden meanwhile shows itself again), the time-out
// closes everything.
#pragma once

#include <cstdint>

#include "NonMenuSystem/AdjustmentRow.h"
#include "NonMenuSystem/PanelFill.h"
#include "NonMenuSystem/WidgetClass.h"
#include "Views/Frame.h"

namespace NonMenuSystem {

class AdjustmentBar : public WidgetClass {
  VG_CLASS()

 public:
  explicit AdjustmentBar(XObject* link = nullptr);

  static constexpr int32_t Width = 640;
  static constexpr int32_t Height = 64;
  // The bar stands low over the picture; the owner centres it across.
  static constexpr int32_t Top = 446;

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  XObject* HandleEvent(Core::Event* event) override;
  // The framed look's panel lies inside the frame's shadow.
  int32_t PanelEdge() const override { return frame.Visible ? PanelFill::Edge : 0; }
  void OnSetBounds(VgRect rect) override;

  // Shows and adjusts the option.
  void Bind(int32_t optionType);
  // One step of the option; the time-out starts again.
  void Step(int32_t direction);

  AdjustmentRow row{this};
  // Drawn by the framed bars only.
  Views::Frame frame{this};

 protected:
  // The framed look of the quick-menu family: the dialog frame around the
  // row, the groove slider, a transparent ground.
  void UseFrame(int32_t width, int32_t height);
  // The row's inset from the bar's edges.
  int32_t Inset = 20;
};

}  // namespace NonMenuSystem
