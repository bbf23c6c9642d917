// NonMenuSystem::SystemInfoDialog: the set-up page's system information,
// the same list as QORSystemInfoDialog; it returns to the set-up page, and
// from it the service page of the cable card's setting opens
// (ShowZoltaDCRMenu), which comes back here.
#pragma once

#include "ListForm/OptionLists.h"
#include "NonMenuSystem/ListHost.h"
#include "NonMenuSystem/QORWidgetClass.h"

namespace NonMenuSystem {

class SystemInfoDialog : public ListHost<ListForm::SystemInfoList, QORWidgetClass> {
  VG_CLASS()

 public:
  explicit SystemInfoDialog(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  // Closes and opens MenuSystem::ZoltaDCRMenu with this dialog as its way back.
  void ShowZoltaDCRMenu();
};

}  // namespace NonMenuSystem
