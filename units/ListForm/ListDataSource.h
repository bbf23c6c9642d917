// ListForm::ListDataSource: the data behind a list: its cursor (the item
// under the focused row), its number of items and what the owning list tells
// the readers. It answers a row's request for the item at an offset from the
// cursor through the reader registered for the asking list's class.
#pragma once

#include <cstdint>

#include "vgobject.h"
#include "vgstring.h"

namespace Resources {
class Bitmap;
}

namespace ListForm {

class ListDataSource;

// Makes the courier of the item at index (already within the items) for the
// lists it is registered for.
using ItemReader = XObject* (*)(ListDataSource* source, int32_t index);

// Registers the reader of the lists of one exact class; a class derived from
// it gets nothing unless it registers too. Run at start-up by
// LISTFORM_REGISTER_READER in the list's own source file; false when the class
// has a reader already or the table is full.
bool RegisterItemReader(const VgClass* list, ItemReader reader);

// In the list's source file, at namespace scope:
//   LISTFORM_REGISTER_READER(ListForm::RecordedShowsList, ReadRecordedShow)
#define LISTFORM_REGISTER_READER(ListCls, reader)                                          \
  [[maybe_unused]] static const bool LISTFORM_READER_NAME(listform_reader_, __LINE__) = \
      ::ListForm::RegisterItemReader(&ListCls::Class, reader);
#define LISTFORM_READER_NAME(a, b) LISTFORM_READER_NAME2(a, b)
#define LISTFORM_READER_NAME2(a, b) a##b

class ListDataSource : public XObject {
  VG_CLASS()

 public:
  explicit ListDataSource(XObject* link = nullptr);

  static constexpr int32_t InputIconCount = 10;
  static constexpr int32_t ThemeCount = 15;

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
  uint32_t OnGetParam() const { return Param; }
  void OnSetParam(uint32_t value) { Param = value; }
  VgString OnGetStringParam() const { return StringParam; }
  void OnSetStringParam(VgString value) { StringParam = value; }
  // The icon of input i (0 to 9) for the input readers; null outside.
  Resources::Bitmap* InputIcon(int32_t i) const;
  // The guide theme name of slot i; empty outside the named slots.
  VgString ThemeName(int32_t i) const;

  // The item under the focused row; -1 when the list is empty.
  int32_t Cursor = 0;
  int32_t Num = 0;
  // A number the owning screen or list gives the readers, such as an option
  // id; its meaning is the list's.
  uint32_t Param = 0;
  VgPtrArray<Resources::Bitmap, InputIconCount> InputIcons;
  VgStr StringParam;
  VgStr ThemeNames[ThemeCount];
};

}  // namespace ListForm
