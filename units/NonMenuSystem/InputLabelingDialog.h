// NonMenuSystem::InputLabelingDialog: the labels and the disabled marks of
// the inputs, holding the labelling list. It hears the messages of the
// message agent while open, for the label the on-screen keyboard sends
// back, and returns to the input settings page unless its opener named
// another.
#pragma once

#include "NonMenuSystem/ListHost.h"
#include "ListForm/InputLists.h"
#include "NonMenuSystem/QORWidgetClass.h"

namespace NonMenuSystem {

class InputLabelingDialog : public ListHost<ListForm::InputLabelingList, QORWidgetClass> {
  VG_CLASS()

 public:
  explicit InputLabelingDialog(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
};

}  // namespace NonMenuSystem
