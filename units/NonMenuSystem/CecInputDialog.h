// NonMenuSystem::CecInputDialog: the HDMI-CEC devices of one input, opened
// from the input list with the number of devices as its value and the
// input's source id as its kind; the list's exit (LEFT) closes it.
#pragma once

#include "ListForm/InputLists.h"
#include "NonMenuSystem/ListHost.h"
#include "NonMenuSystem/QORWidgetClass.h"

namespace NonMenuSystem {

class CecInputDialog : public ListHost<ListForm::CecInputList, QORWidgetClass> {
  VG_CLASS()

 public:
  explicit CecInputDialog(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // A device's new name shows in the list, whoever has the keys.
  bool FollowsTheWorld(Core::Event* event) const override;
};

}  // namespace NonMenuSystem
