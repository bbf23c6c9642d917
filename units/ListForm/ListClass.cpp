#include "ListForm/ListClass.h"

VG_DEFINE_CLASS(ListForm, ListClass, Primitives::KeyRoutingListForm)

namespace ListForm {

// The screen that holds a list owns the time-out; the list never acts on its
// own.
ListClass::ListClass(XObject* link) : KeyRoutingListForm(link) { OnSetOnTimeOut(VgNullSlot); }

int32_t ListClass::MoveCursor(int32_t delta, uint16_t mode) {
  return DataSource ? DataSource->MoveCursor(delta, mode) : 0;
}

XObject* ListClass::GetItemData(int32_t offset) {
  return DataSource ? DataSource->GetItemData(GetClass(), offset) : nullptr;
}

int32_t ListClass::GetItemsCount() { return DataSource ? DataSource->Num : 0; }

void ListClass::OnSetDataSource(ListDataSource* source) {
  if (source == DataSource.get()) return;
  DataSource = source;
  Reload();
}

}  // namespace ListForm
