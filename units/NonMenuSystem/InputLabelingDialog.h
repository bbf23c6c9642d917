// NonMenuSystem::InputLabelingDialog: the labels and the disabled marks of
// the inputs, holding the labelling list. The list itself hears the label
// the on-screen keyboard sends back, from its opening until the dialog
// closes. The dialog returns to the input settings page unless its opener
// named another.
#pragma once

#include "ListForm/InputLists.h"
#include "NonMenuSystem/ListHost.h"
#include "NonMenuSystem/QORWidgetClass.h"

namespace NonMenuSystem {

class InputLabelingDialog : public ListHost<ListForm::InputLabelingList, QORWidgetClass> {
  VG_CLASS()

 public:
  explicit InputLabelingDialog(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
};

}  // namespace NonMenuSystem
