// The model data a list reads (the channel table, the recorded shows, the
// timers...) lives in a slot of the television model. The first list that
// needs it makes it there; the slot stays null until then, and the lists
// after it reuse what is there:
//   auto* shows = ListForm::ListModel<&SkinBin::Wrapper::OnGetRecordedShowsList,
//                                     &SkinBin::Wrapper::OnSetRecordedShowsList>();
#pragma once

#include <type_traits>

#include "AppServices/Wrapper.h"

namespace ListForm {

template <auto Get, auto Set>
auto* ListModel(SkinBin::Wrapper* model = MainApp::GetWrapper()) {
  auto* data = (model->*Get)();
  if (!data) {
    data = VgNew<std::remove_pointer_t<decltype(data)>>();
    (model->*Set)(data);
  }
  return data;
}

}  // namespace ListForm
