#include "ListForm/ListDataSource.h"

#include <algorithm>
#include <span>

VG_DEFINE_CLASS(ListForm, ListDataSource, XObject)

namespace ListForm {

int32_t ListDataSource::MoveCursor(int32_t delta, uint16_t mode) {
  int64_t target;
  switch (mode) {
    case 0:
      target = delta;
      break;
    case 1:
      target = int64_t(Cursor) + delta;
      break;
    case 2:
      target = int64_t(Num) - 1 + delta;
      break;
    default:
      target = 0;
      break;
  }
  target = std::min<int64_t>(std::max<int64_t>(target, 0), int64_t(Num) - 1);
  const int32_t old = Cursor;
  Cursor = static_cast<int32_t>(target);
  return static_cast<int32_t>(int64_t(Cursor) - old);
}

namespace {

// Each concrete list reads its items from the television model through a
// reader of its own, chosen by the list's exact class (a derived list does not
// inherit its base's reader). The readers join this table with their lists;
// a list without one shows no items.
struct ItemReader {
  const VgClass* list;
  XObject* (*read)(ListDataSource* source, int32_t index);
};
constexpr std::span<const ItemReader> kItemReaders{};

}  // namespace

XObject* ListDataSource::GetItemData(const VgClass* listClass, int32_t offset) {
  const int64_t index = int64_t(Cursor) + offset;
  if (index < 0 || index > int64_t(Num) - 1) return nullptr;
  for (const ItemReader& reader : kItemReaders)
    if (reader.list == listClass) return reader.read(this, static_cast<int32_t>(index));
  return nullptr;
}

}  // namespace ListForm
