// ThreeD::ImportantInfoDialog: the viewing-safety text before 3D, with the
// choice of seeing it every time. The 3D page offers it, and the 3D start
// sequence shows it before the first 3D viewing: there OK on the choice goes
// on with the sequence, EXIT leaves the picture in 2D, and Return gives up
// 3D. It never times out.
#pragma once

#include "NonMenuSystem/BorderWidgetClass.h"
#include "SkinBin/OptionButton.h"
#include "SkinBin/ScrollBar.h"
#include "SkinBin/TextForm.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"

namespace ThreeD {

class ImportantInfoDialog : public NonMenuSystem::BorderWidgetClass {
  VG_CLASS()

 public:
  explicit ImportantInfoDialog(XObject* link = nullptr);

  XObject* HandleEvent(Core::Event* event) override;
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // The help bar for the text ("Page", "Back") or the choice.
  void UpdateHelp(XObject* sender = nullptr);

  // Opened by the 3D page rather than by the start sequence.
  bool FromPage() const;

  Views::Rectangle panel{this};
  SkinBin::TextForm text{this};
  SkinBin::ScrollBar scrollBar{this};
  Views::Text label{this};
  SkinBin::OptionButton everyTime{this};
};

}  // namespace ThreeD
