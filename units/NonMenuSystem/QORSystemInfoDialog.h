// NonMenuSystem::QORSystemInfoDialog: the set's information (model,
// versions, signal) as the settings page shows it: the system-information
// list under a caption, paged by the list's keys.
#pragma once

#include "ListForm/OptionLists.h"
#include "NonMenuSystem/ListHost.h"
#include "NonMenuSystem/QORWidgetClass.h"

namespace NonMenuSystem {

class QORSystemInfoDialog : public ListHost<ListForm::SystemInfoList, QORWidgetClass> {
  VG_CLASS()

 public:
  explicit QORSystemInfoDialog(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
};

}  // namespace NonMenuSystem
