// ListForm::ListDataSource: the data behind a list: its cursor (the item
// under the focused row) and its number of items. It answers a row's request
// for the item at an offset from the cursor.
#pragma once

#include <cstdint>

#include "vgobject.h"

namespace ListForm {

class ListDataSource : public XObject {
  VG_CLASS()

 public:
  explicit ListDataSource(XObject* link = nullptr) : XObject(link) {}

  // Moves the cursor (mode 0: to item delta, 1: by delta, 2: to item delta
  // counted back from the last item; any other mode: to the first item),
  // clamped to the items, and returns how far it really moved. An empty list
  // leaves the cursor at -1.
  int32_t MoveCursor(int32_t delta, uint16_t mode);
  // The courier of the item at the offset from the cursor for a list of the
  // given exact class; null outside the items or for a list without a reader.
  XObject* GetItemData(const VgClass* listClass, int32_t offset);

  int32_t OnGetCursor() const { return Cursor; }
  // Stored as given: the lists set it only to positions they took from here.
  void OnSetCursor(int32_t value) { Cursor = value; }
  int32_t OnGetNum() const { return Num; }
  void OnSetNum(int32_t value) { Num = value; }

  // The item under the focused row; -1 when the list is empty.
  int32_t Cursor = 0;
  int32_t Num = 0;
};

}  // namespace ListForm
