// ListForm::ListBase: what the list and the grid share: the data source
// behind their rows, the pool of row controls made once from the row class,
// the slots every row and the owning screen are given, and the 1-based
// position of the focused row.
#pragma once

#include <cstdint>

#include "ListForm/ListDataSource.h"
#include "Primitives/KeyRoutingListForm.h"
#include "vgslot.h"

namespace Core {
class Event;
}

namespace ListForm {

class ListBase : public Primitives::KeyRoutingListForm {
  VG_CLASS()

 public:
  // The screen that holds a list owns the time-out; the list never acts on
  // its own.
  explicit ListBase(XObject* link = nullptr);

  // Overridden slots.
  // A key that reaches the list is the viewer's doing on the entry the focus
  // is on (a step, OK): that entry is the choice from then on.
  XObject* DispatchEvent(Core::Event* event) override;
  // A list that hears messages registers with the message agent here and
  // leaves it in Close; the screen that hosts the list closes it with itself.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Close(XObject* sender = nullptr) override;
  // A new size lays the rows out again in the next signal pass.
  void OnSetBounds(VgRect rect) override;
  // Without a data source the list has no items: the cursor does not move
  // and no item exists.
  int32_t MoveCursor(int32_t delta, uint16_t mode) override;
  XObject* GetItemData(int32_t offset) override;
  int32_t GetItemsCount() override;
  int32_t GetCursor() override;

  // Shows n rows. The first call with a row class makes the whole pool
  // (PoolSize rows) and lays it out at once; later calls hide and disable the
  // rows from n on, or show and enable them again.
  void OnSetItemNum(int32_t n);
  int32_t OnGetItemNum() const { return ItemNum; }
  const VgClass* OnGetItemClass() const { return ItemClass; }
  void OnSetItemClass(const VgClass* value) { ItemClass = value; }
  ListDataSource* OnGetDataSource() const { return DataSource; }
  // A new source refills the rows in the next signal pass.
  void OnSetDataSource(ListDataSource* source);
  // The 1-based position of the focused row among the rows, 0 without one;
  // the value it replaces is kept in LastItemIndex.
  int32_t OnGetCurrentItemIndex();
  int32_t OnGetLastItemIndex() const { return LastItemIndex; }

  VgSlot OnGetOnActivateOption() const { return OnActivateOption; }
  void OnSetOnActivateOption(VgSlot slot) { OnActivateOption = slot; }
  VgSlot OnGetOnFocusOption() const { return OnFocusOption; }
  void OnSetOnFocusOption(VgSlot slot) { OnFocusOption = slot; }
  VgSlot OnGetOnUnfocusOption() const { return OnUnfocusOption; }
  void OnSetOnUnfocusOption(VgSlot slot) { OnUnfocusOption = slot; }
  VgSlot OnGetFocusMove() const { return FocusMove; }
  void OnSetFocusMove(VgSlot slot) { FocusMove = slot; }
  VgSlot OnGetOnExit() const { return OnExit; }
  void OnSetOnExit(VgSlot slot) { OnExit = slot; }

  // Given to every row as its OnActivate, OnFocus and OnUnfocus slots.
  VgSlot OnActivateOption;
  VgSlot OnFocusOption;
  VgSlot OnUnfocusOption;
  // Rows shown and enabled; -1 until the pool exists.
  int32_t ItemNum = -1;
  const VgClass* ItemClass = nullptr;
  VgPtr<ListDataSource> DataSource;
  // Signalled after every key the list handled.
  VgSlot FocusMove;
  // Kept for the owning screen; the list never signals it.
  VgSlot OnExit;
  int32_t CurrentItemIndex = 0;
  int32_t LastItemIndex = 0;
  // Set by a list that takes an answer through the message agent (the
  // keyboard's, the logo panel's, a confirmation's) while it is open.
  bool HearsMessages = false;

  // A list is read afresh or again. Afresh, as its screen's rules initialise
  // it, the focus goes where they put it (its first entry, its last, the
  // channel on air), whatever it was on. Again, where the rules mean the
  // same entry and a row number would name another (back from the playback
  // of a show, a timer saved, the set's news of the entries), the focus
  // stays on the entry the viewer had chosen, found by its key, not on the
  // row where it stood; when that entry is gone, on its neighbour that took
  // the row (the last entry when the list got shorter than that). The
  // neighbour stands in for the choice: read again with the chosen entry
  // back (a disk out and in again) before a key reached the list, the list
  // focuses the chosen one again.
  struct Kept {
    VgStr key;       // null: no entry had the focus
    int32_t at = -1;  // the entry's place when it was noted
  };
  // The key of the focused entry (ListCourier::Key) as its row shows it; null
  // while the list has no entry under the focus.
  VgString FocusedKey();
  // The entry (from 0) that has the key now, -1 when none has.
  int32_t EntryOf(VgString key);
  Kept NoteFocus();
  // Brings the entry noted back under the focus, or its neighbour. Nothing
  // noted, or no entries: nothing changes, and false.
  bool FocusAgain(const Kept& kept);
  // Reads the list again through read, a function that refills it from the
  // model as it is now, and keeps the focus by the rule above.
  template <typename Read>
  void ReadAgain(Read read) {
    const Kept kept = NoteFocus();
    read();
    FocusAgain(kept);
  }
  // Brings entry i, which its opener found for the entry the viewer had
  // (the show a playback went back on), under the focus: a read again.
  void FocusKeptEntry(int32_t i);
  // The number of the list's last read afresh, on one count of every list's
  // reads afresh; 0 when it was last read again or never read afresh. So
  // whoever noted the focused entry at FreshReads() knows whether the list
  // was read afresh since, and has good reason to focus another.
  uint64_t ReadAfreshAt() const { return readAfreshAt_; }
  static uint64_t FreshReads() { return freshReads_; }
  // The focus went where the list's rules put it: a read afresh. A list
  // that keeps the viewer's entry by identity (KeepsTheEntry) is read
  // afresh only where its screen says so, and on its first read.
  void StartsAfresh() { readAfreshAt_ = ++freshReads_; }
  // Brings entry i (from 0) under the focus, the rows refilled at once so
  // that they show the model as it is now.
  virtual void FocusEntry(int32_t i);

 protected:
  // Whether the list's screen keeps the viewer's entry by identity when it
  // reads the list again (the schedules, the recorded shows, the library):
  // then a focus set by a read is no read afresh unless the screen says so.
  virtual bool KeepsTheEntry() { return false; }
  // A read set the focus where the list's rules put it: afresh, but for a
  // list that keeps its entry once it has been read.
  void FocusSetByARead() {
    if (!KeepsTheEntry() || !readOnce_) StartsAfresh();
    readOnce_ = true;
  }
  // The number of rows the pool holds.
  virtual int32_t PoolSize();
  // Adds a new row of the pool to the list.
  virtual void AddRow(Forms::Ctrl* row);
  // The code of a key press, Key::None for releases and every other event,
  // so that a key property left at Key::None never matches.
  static uint16_t PressedKey(Core::Event* event);
  // Signals FocusMove and gives the list as the handler of the key.
  XObject* KeyHandled();
  // The focused row's index among the rows, -1 without one.
  int32_t FocusedIndex();

 private:
  // The entry chosen while its neighbour stands in for it, until a key
  // reaches the list; null otherwise.
  VgStr standIn_;
  uint64_t readAfreshAt_ = 0;
  bool readOnce_ = false;
  inline static uint64_t freshReads_ = 0;
};

}  // namespace ListForm
