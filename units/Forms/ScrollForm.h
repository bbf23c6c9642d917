// Forms::ScrollForm: a form whose controls may lie outside its visible page.
// Its scroll bars drive it as well as show it, and a finger dragged over the
// page moves the content along.
#pragma once

#include <cstdint>

#include "Forms/Form.h"
#include "Forms/Scrolling.h"

namespace Forms {

extern template class Scrolling<Form, BarCoupling::Driving>;

class ScrollForm : public Scrolling<Form, BarCoupling::Driving> {
  VG_CLASS()

 public:
  explicit ScrollForm(XObject* link = nullptr);

  // The children answer first; a press on the bare page goes to the form.
  Core::View* CursorHitTest(int32_t cursor, VgPoint point, int32_t repeatCount, Core::View* onlyView) override;
  XObject* HandleEvent(Core::Event* event) override;

  // A press on the page is being dragged.
  bool dragging = false;
};

}  // namespace Forms
