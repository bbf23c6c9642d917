// Primitives::KeyRoutingScrollForm: a screen whose content moves under a
// fixed page (the form's own bounds), such as every menu page. Keys move it;
// its scroll bars only show where the page stands.
#pragma once

#include "Forms/Scrolling.h"
#include "Primitives/KeyRoutingForm.h"

namespace Forms {
extern template class Scrolling<Primitives::KeyRoutingForm, BarCoupling::Showing>;
}  // namespace Forms

namespace Primitives {

class KeyRoutingScrollForm : public Forms::Scrolling<KeyRoutingForm, Forms::BarCoupling::Showing> {
  VG_CLASS()

 public:
  explicit KeyRoutingScrollForm(XObject* link = nullptr);
};

}  // namespace Primitives
