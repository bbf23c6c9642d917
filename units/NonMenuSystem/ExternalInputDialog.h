// NonMenuSystem::ExternalInputDialog: the input selection pop-up of the
// INPUT key, holding the input list. It also takes a key that another
// screen hands it as MSG_EVENT_CACHED (the HDMI-CEC device pop-up passes on
// a step past its ends) and a device-name update passed on to it.
#pragma once

#include "ListForm/InputLists.h"
#include "NonMenuSystem/ListHost.h"
#include "NonMenuSystem/QORWidgetClass.h"

namespace NonMenuSystem {

class ExternalInputDialog : public ListHost<ListForm::ExternalInputList, QORWidgetClass> {
  VG_CLASS()

 public:
  explicit ExternalInputDialog(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // A device's new name shows in the list, whoever has the keys.
  bool FollowsTheWorld(Core::Event* event) const override;
  void HandleListMessage(Structures::Message* message) override;
};

}  // namespace NonMenuSystem
