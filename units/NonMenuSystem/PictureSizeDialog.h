// NonMenuSystem::PictureSizeDialog: the picture-size chooser. It needs no
// opening record: it always switches the picture size (0x8100001C) among
// the sizes the current signal allows.
#pragma once

#include "NonMenuSystem/ToggleOptionOverlay.h"

namespace NonMenuSystem {

class PictureSizeDialog : public ToggleOptionOverlay {
  VG_CLASS()

 public:
  explicit PictureSizeDialog(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
};

}  // namespace NonMenuSystem
