// NonMenuSystem::BorderWidgetClass: a widget on a black ground inside a thin
// border, with a caption along its top.
#pragma once

#include "NonMenuSystem/WidgetClass.h"
#include "Views/Border.h"
#include "Views/Text.h"

namespace NonMenuSystem {

class BorderWidgetClass : public WidgetClass {
  VG_CLASS()

 public:
  explicit BorderWidgetClass(XObject* link = nullptr);

  static constexpr int32_t CaptionHeight = 40;

  void OnSetBounds(VgRect rect) override;
  virtual void OnSetCaption(VgString value);
  VgString OnGetCaption() const { return caption.String; }

  Views::Border border{this};
  Views::Text caption{this};
};

}  // namespace NonMenuSystem
