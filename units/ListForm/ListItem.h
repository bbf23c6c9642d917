// ListForm::ListItem: the row of the lists and grids: an icon button that
// shows the courier of one entry. The row knows nothing of the model; what it
// shows arrives through SetData, and GetData hands its values back.
#pragma once

#include <cstdint>
#include <type_traits>

#include "Button/IconButton.h"
#include "ListForm/ListCourier.h"

namespace ListForm {

class ListItem : public Button::IconButton {
  VG_CLASS()

 public:
  explicit ListItem(XObject* link = nullptr);

  // A courier gives the row its text and index and is returned; anything
  // else (null for a position without an entry) changes nothing and gives
  // null, so the row keeps its previous text.
  XObject* SetData(XObject* data) override;
  // Writes the row's text and index into the courier given, or into a new
  // ListCourier when data is none.
  XObject* GetData(XObject* data) override;

  int32_t OnGetIndex() const { return Index; }
  void OnSetIndex(int32_t value) { Index = value; }

  // The data position of the entry the row shows.
  int32_t Index = 0;
  // The entry's key as its courier gave it (its caption without one): what
  // the row showed when the model changed under it.
  VgStr Key;
};

// A text of a row's column: the medium font in the colour, left-aligned,
// vertically centred, cut with an ellipsis.
void SetUpColumnText(Views::Text& text, VgColor colour);

// One courier field and where a row keeps it: a data member of the row
// (copied both ways), or a setter, with an optional getter for GetData.
template <auto CourierField, auto RowField, auto RowGetter = nullptr>
struct Field {
  template <class Row, class Courier>
  static void In(Row* row, const Courier* courier) {
    if constexpr (std::is_member_function_pointer_v<decltype(RowField)>)
      (row->*RowField)(courier->*CourierField);
    else
      row->*RowField = courier->*CourierField;
  }
  template <class Row, class Courier>
  static void Out(Row* row, Courier* courier) {
    if constexpr (!std::is_member_function_pointer_v<decltype(RowField)>)
      courier->*CourierField = row->*RowField;
    else if constexpr (!std::is_null_pointer_v<decltype(RowGetter)>)
      courier->*CourierField = (row->*RowGetter)();
  }
};

// The fields a row copies from and to its courier class. A row's SetData
// calls its base and then In; its GetData passes Make's courier to its base
// and then calls Out:
//   using Copied = ListForm::Fields<InputCourier, ListForm::Field<&InputCourier::SourceId,
//                                                                 &InputItem::SourceId>>;
template <class Courier, class... F>
struct Fields {
  template <class Row>
  static void In(Row* row, XObject* data) {
    if (auto* courier = vg_cast<Courier>(data)) (F::In(row, courier), ...);
  }
  template <class Row>
  static void Out(Row* row, XObject* data) {
    if (auto* courier = vg_cast<Courier>(data)) (F::Out(row, courier), ...);
  }
  // The courier given when it is one, else a new one.
  static Courier* Make(XObject* data) {
    auto* courier = vg_cast<Courier>(data);
    return courier ? courier : VgNew<Courier>();
  }
};

}  // namespace ListForm
