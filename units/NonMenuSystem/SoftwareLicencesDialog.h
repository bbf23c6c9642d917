// NonMenuSystem::SoftwareLicencesDialog: the licences of the software in the
// set, a page of text that UP, DOWN and the page keys scroll. BACK returns
// to the set-up page.
#pragma once

#include "NonMenuSystem/QORWidgetClass.h"
#include "SkinBin/TextForm.h"

namespace NonMenuSystem {

class SoftwareLicencesDialog : public QORWidgetClass {
  VG_CLASS()

 public:
  explicit SoftwareLicencesDialog(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  SkinBin::TextForm text{this};
};

}  // namespace NonMenuSystem
