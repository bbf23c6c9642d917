// ListForm::ListClass: the base of the lists and grids of the screens. It
// answers the key-routing list form's questions about the items from its data
// source.
#pragma once

#include <cstdint>

#include "ListForm/ListDataSource.h"
#include "Primitives/KeyRoutingListForm.h"

namespace ListForm {

class ListClass : public Primitives::KeyRoutingListForm {
  VG_CLASS()

 public:
  explicit ListClass(XObject* link = nullptr);

  // Without a data source the list has no items: the cursor does not move
  // and no item exists.
  int32_t MoveCursor(int32_t delta, uint16_t mode) override;
  XObject* GetItemData(int32_t offset) override;
  int32_t GetItemsCount() override;

  ListDataSource* OnGetDataSource() const { return DataSource; }
  // A new source refills the rows in the next signal pass.
  void OnSetDataSource(ListDataSource* source);

  VgPtr<ListDataSource> DataSource;
};

}  // namespace ListForm
