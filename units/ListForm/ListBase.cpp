#include "ListForm/ListBase.h"

#include <algorithm>
#include <cstdio>

#include "AppServices/MessageAgent.h"
#include "Core/KeyEvent.h"
#include "ListForm/ListItem.h"
#include "Primitives/KeyRoutingCtrl.h"

VG_DEFINE_CLASS(ListForm, ListBase, Primitives::KeyRoutingListForm)

namespace ListForm {

ListBase::ListBase(XObject* link) : KeyRoutingListForm(link) { OnSetOnTimeOut(VgNullSlot); }

// Opened again, a list is still registered once.
void ListBase::Initialize(Primitives::KeyRoutingParameter* parameter) {
  KeyRoutingListForm::Initialize(parameter);
  if (HearsMessages) MainApp::GetMessageAgent()->Register(this);
}

XObject* ListBase::DispatchEvent(Core::Event* event) {
  if (PressedKey(event) != 0) standIn_ = nullptr;
  return KeyRoutingListForm::DispatchEvent(event);
}

void ListBase::Close(XObject* sender) {
  KeyRoutingListForm::Close(sender);
  if (HearsMessages) MainApp::GetMessageAgent()->UnRegister(this);
}

void ListBase::OnSetBounds(VgRect rect) {
  const bool resized = VgGetRectW(rect) != VgGetRectW(Bounds) || VgGetRectH(rect) != VgGetRectH(Bounds);
  KeyRoutingListForm::OnSetBounds(rect);
  if (resized) VgPostSignal(VgSlotOf<&KeyRoutingForm::Refresh>(static_cast<KeyRoutingForm*>(this)));
}

int32_t ListBase::MoveCursor(int32_t delta, uint16_t mode) {
  return DataSource ? DataSource->MoveCursor(delta, mode) : 0;
}

XObject* ListBase::GetItemData(int32_t offset) {
  return DataSource ? DataSource->GetItemData(GetClass(), offset) : nullptr;
}

int32_t ListBase::GetItemsCount() { return DataSource ? DataSource->Num : 0; }

int32_t ListBase::GetCursor() { return DataSource ? DataSource->Cursor : -1; }

void ListBase::OnSetDataSource(ListDataSource* source) {
  if (source == DataSource.get()) return;
  DataSource = source;
  Reload();
}

int32_t ListBase::PoolSize() { return 0; }

void ListBase::AddRow(Forms::Ctrl* row) { Add(row, 0); }

void ListBase::OnSetItemNum(int32_t n) {
  if (n == ItemNum) return;
  int32_t old = ItemNum;
  ItemNum = n;
  if (!ItemClass) return;
  if (old < 0) {
    if (!VgCastClass(ItemClass, &Primitives::KeyRoutingCtrl::Class)) {
      std::printf("%s: the row class %s is no key-routing control; no rows\n", GetClass()->name, ItemClass->name);
      return;
    }
    old = PoolSize();
    for (int32_t i = 0; i < old; ++i) {
      auto* row = static_cast<Primitives::KeyRoutingCtrl*>(VgNewObjectIndirect(ItemClass, 0));
      row->OnSetTag(i);
      row->OnSetOnActivate(OnActivateOption);
      row->OnSetOnFocus(OnFocusOption);
      row->OnSetOnUnfocus(OnUnfocusOption);
      AddRow(row);
    }
    Refresh(this);
  }
  for (int32_t i = n; i < old; ++i) {
    if (Forms::Ctrl* row = GetCtrlAt(i)) {
      row->OnSetVisible(false);
      row->OnSetEnabled(false);
    }
  }
  for (int32_t i = old; i < n; ++i) {
    if (Forms::Ctrl* row = GetCtrlAt(i)) {
      row->OnSetVisible(true);
      row->OnSetEnabled(true);
    }
  }
}

int32_t ListBase::FocusedIndex() { return GetIndexOf(vg_cast<Forms::Ctrl>(Focus.get())); }

int32_t ListBase::OnGetCurrentItemIndex() {
  const int32_t f = FocusedIndex();
  if (f < 0) {
    CurrentItemIndex = 0;
    return 0;
  }
  if (CurrentItemIndex != f + 1) LastItemIndex = CurrentItemIndex;
  CurrentItemIndex = f + 1;
  return CurrentItemIndex;
}

namespace {

VgString KeyOf(XObject* data) {
  auto* courier = vg_cast<ListCourier>(data);
  if (!courier) return nullptr;
  return courier->Key ? courier->Key.get() : courier->Text.get();
}

}  // namespace

VgString ListBase::FocusedKey() {
  if (!DataSource || DataSource->Num < 1 || DataSource->Cursor < 0) return nullptr;
  auto* focused = vg_cast<Forms::Ctrl>(Focus.get());
  if (!focused || !focused->Visible) return nullptr;
  // A row of another kind (a rating level's check box) keeps no key: the
  // model's entry under the cursor stands for it.
  auto* row = vg_cast<ListItem>(focused);
  VgString key = row ? row->Key.get() : KeyOf(GetItemData(0));
  return VgGetStringLength(key) > 0 ? key : nullptr;
}

int32_t ListBase::EntryOf(VgString key) {
  if (!DataSource || VgGetStringLength(key) < 1) return -1;
  for (int32_t i = 0; i < DataSource->Num; ++i)
    if (VgString at = KeyOf(DataSource->GetItemData(GetClass(), i - DataSource->Cursor)); at && VgCompString(at, key) == 0)
      return i;
  return -1;
}

ListBase::Kept ListBase::NoteFocus() {
  Kept kept;
  kept.key = FocusedKey();
  if (kept.key) kept.at = DataSource->Cursor;
  if (kept.key && standIn_) kept.key = standIn_;
  return kept;
}

bool ListBase::FocusAgain(const Kept& kept) {
  if (!kept.key || !DataSource || DataSource->Num < 1) return false;
  const int32_t found = EntryOf(kept.key);
  FocusKeptEntry(found >= 0 ? found : std::clamp(kept.at, 0, DataSource->Num - 1));
  standIn_ = found >= 0 ? nullptr : kept.key.get();
  return true;
}

void ListBase::FocusKeptEntry(int32_t i) {
  FocusEntry(i);
  readAfreshAt_ = 0;
}

void ListBase::FocusEntry(int32_t) {}

uint16_t ListBase::PressedKey(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  return key && key->down ? key->keyCode : 0;
}

XObject* ListBase::KeyHandled() {
  VgSignal(FocusMove, this);
  return this;
}

}  // namespace ListForm
