// ParentalLocks::RatingItem: a rating as a check-box row: checked is blocked.
// The row carries the rating's full text for the screen's help line.
// ParentalLocks::QORRatingItem is the same row in the QOR screens' size.
#pragma once

#include "Button/CheckBox.h"
#include "vgstring.h"

namespace ParentalLocks {

class RatingItem : public Button::CheckBox {
  VG_CLASS()

 public:
  explicit RatingItem(XObject* link = nullptr);

  // The check image at the left, the caption after it.
  void Refresh(XObject* sender = nullptr) override;

  VgString OnGetHelpText() const { return HelpText; }
  void OnSetHelpText(VgString value) { HelpText = value; }

  VgStr HelpText;
};

class QORRatingItem : public RatingItem {
  VG_CLASS()

 public:
  explicit QORRatingItem(XObject* link = nullptr);
};

}  // namespace ParentalLocks
