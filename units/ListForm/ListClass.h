// ListForm::ListClass: the base of every scrolling list. A fixed pool of rows
// shows a window of the data source's entries; four keys move the focus or
// the data (previous and next entry, page up and page down), the ends may
// wrap round, and the owning screen hears of every move through slots.
//
// A concrete list describes itself in a ListDef (its size, rows, keys,
// offsets, wrap and scroll indicators), registers the reader of its entries
// (LISTFORM_REGISTER_READER) and overrides the hooks it needs.
#pragma once

#include <cstdint>

#include "Core/Keys.h"
#include "ListForm/ListBase.h"
#include "vgrect.h"

namespace Forms {
class ImageIndicator;
}

namespace ListForm {

// Where a list's two scroll indicators stand.
enum class Indicators : uint8_t {
  None,         // the list has none
  AsBuilt,      // at the bounds it was built with, never moved
  BottomRight,  // side by side in the bottom-right corner: (w - 40, h - 14) and (w - 20, h - 14)
  RightEdge,    // above and below the rows: (w - ItemXOffset, -4) and (w - ItemXOffset, h - 16)
  RightColumn,  // beside the first and the last row: (w - 20, ItemYOffset - 4) and (w - 20, h - 16)
};

// A list as its constructor sets it up, written once per concrete list with
// designated initialisers:
//   constexpr ListForm::ListDef kDef{.bounds = {0, 0, 620, 228}, .maxRows = 8,
//                                      .rowClass = &EPGThemeProgramListItem::Class, ...};
struct ListDef {
  VgRect bounds{0, 0, 0, 0};
  int32_t maxRows = 0;
  const VgClass* rowClass = nullptr;
  uint16_t pageUpKey = Key::None;
  uint16_t pageDownKey = Key::None;
  uint16_t decreaseKey = Key::Up;
  uint16_t increaseKey = Key::Down;
  int32_t itemXOffset = 0;
  int32_t itemYOffset = 0;
  int32_t itemInterval = 0;
  bool wrapAround = true;
  bool listMode = true;
  Indicators indicators = Indicators::None;
  // The enabled looks of the previous and the next indicator (none: the
  // indicator is there but draws nothing), and where they are built; their
  // size is kept when Refresh moves them.
  const VgConstant* prevBitmap = nullptr;
  const VgConstant* nextBitmap = nullptr;
  VgRect prevBounds{0, 0, 16, 10};
  VgRect nextBounds{0, 0, 16, 10};
};

class ListClass : public ListBase {
  VG_CLASS()

 public:
  explicit ListClass(XObject* link = nullptr);
  explicit ListClass(const ListDef& def, XObject* link = nullptr);

  // Arrangements of the rows.
  static constexpr uint16_t ArrangeLeftToRight = 0;
  static constexpr uint16_t ArrangeTopToBottom = 1;

  // Overridden slots.
  // Handles key presses of the four keys; the rest goes to the form.
  XObject* HandleEvent(Core::Event* event) override;
  // Fills the list afresh: the count and text parameter from the hooks, the
  // rows shown, the data source, the list's own model, and the focus on the
  // entry GetFocusItemIndex names.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Lays the rows out and places the indicators.
  void Refresh(XObject* sender = nullptr) override;

  // Slots of the list, the hooks of the concrete lists, in order.
  // Called with true before and false after the rows are laid out.
  virtual void LockDisabledItems(bool lock);
  // The row before (direction below 1) or after the given row, round from
  // one end to the other; disabled rows are passed over. Null for none.
  virtual Forms::Ctrl* GetScrolledItem(Forms::Ctrl* row, int32_t direction);
  // Loads the list's own model.
  virtual void InitializeItems();
  // The 0-based entry to focus first.
  virtual int32_t GetFocusItemIndex();
  // The number of entries.
  virtual int32_t GetItemsNum();
  // The text the readers find in the data source's StringParam.
  virtual VgString GetStringParam();
  // Lists whose entries arrive a page at a time: loads the next page when
  // the focus cannot move past the last entry (the next or page-down key),
  // which then moves again. False when there is no more to load.
  virtual bool LoadNextPage();

  // Brings the 1-based entry i under the focus: from the first entry on the
  // first row, it scrolls by i - 1. The entry named by its place, the list
  // is read afresh (ListBase::ReadAfreshAt) unless its entry is then kept,
  // or the list keeps its entry by identity (ListBase::KeepsTheEntry).
  void OnSetCurrentItemIndex(int32_t i);
  void FocusEntry(int32_t i) override;
  // With fewer rows shown than the most the list has, its height drops by one
  // row pitch (rowHeight + ItemInterval) for every row missing, so a pop-up
  // fits its rows. Taken from the full height each time, so running
  // Initialize again never shrinks it twice.
  void ShrinkToRows(int32_t rowHeight);

  bool OnGetWrapAround() const { return WrapAround; }
  void OnSetWrapAround(bool value) { WrapAround = value; }
  bool OnGetListMode() const { return ListMode; }
  void OnSetListMode(bool value) { ListMode = value; }
  uint16_t OnGetPageDownKey() const { return PageDownKey; }
  void OnSetPageDownKey(uint16_t value) { PageDownKey = value; }
  uint16_t OnGetPageUpKey() const { return PageUpKey; }
  void OnSetPageUpKey(uint16_t value) { PageUpKey = value; }
  uint16_t OnGetIncreaseKey() const { return IncreaseKey; }
  void OnSetIncreaseKey(uint16_t value) { IncreaseKey = value; }
  uint16_t OnGetDecreaseKey() const { return DecreaseKey; }
  void OnSetDecreaseKey(uint16_t value) { DecreaseKey = value; }
  uint16_t OnGetArrangeMode() const { return ArrangeMode; }
  void OnSetArrangeMode(uint16_t value) { ArrangeMode = value; }
  int32_t OnGetItemXOffset() const { return ItemXOffset; }
  void OnSetItemXOffset(int32_t value) { ItemXOffset = value; }
  int32_t OnGetItemYOffset() const { return ItemYOffset; }
  void OnSetItemYOffset(int32_t value) { ItemYOffset = value; }
  int32_t OnGetItemInterval() const { return ItemInterval; }
  void OnSetItemInterval(int32_t value) { ItemInterval = value; }

  // At either end the previous or next key jumps to the other end.
  bool WrapAround = true;
  // The previous and next keys scroll the data; without list mode they only
  // move the focus among the rows, and the page keys do nothing.
  bool ListMode = true;
  // Key::None: the list does not page.
  uint16_t PageDownKey = Key::None;
  uint16_t PageUpKey = Key::None;
  uint16_t IncreaseKey = Key::Down;
  uint16_t DecreaseKey = Key::Up;
  // A key of the list's own that moves the focus on as IncreaseKey does (the
  // input key over the input lists); Key::None for none.
  uint16_t StepKey = Key::None;
  uint16_t ArrangeMode = ArrangeTopToBottom;
  int32_t ItemXOffset = 0;
  int32_t ItemYOffset = 0;
  int32_t ItemInterval = 0;
  // The rows of the pool.
  int32_t MaxItemNum = 0;
  Indicators IndicatorPlacement = Indicators::None;

 protected:
  int32_t PoolSize() override;

 private:
  // The entry one step before (-1) or after (+1) without list mode: the focus
  // moves, the rows keep their entries and the cursor follows the focus.
  void StepFocus(int32_t direction);
  Forms::ImageIndicator* MakeIndicator(const VgConstant* bitmap, VgRect bounds);
  void PlaceIndicators();

  // The height before ShrinkToRows first took rows off; -1 until then.
  int32_t fullHeight = -1;
};

}  // namespace ListForm
