// ListForm::ListCourier: the data of one list row, made by the data source
// for the row that asks and dropped once the row has taken what it shows.
//
// A courier class is a plain record: its fields are declared once, in the
// courier, and a row copies them by a list of fields (ListForm::Fields in
// ListForm/ListItem.h) rather than by hand.
#pragma once

#include <cstdint>

#include "vgobject.h"
#include "vgstring.h"

namespace ListForm {

class ListCourier : public XObject {
  VG_CLASS()

 public:
  explicit ListCourier(XObject* link = nullptr) : XObject(link) {}

  // Set for an entry that cannot be chosen now; rows that honour it show
  // themselves disabled.
  bool disabled = false;
  // The row's caption.
  VgStr Text;
  // The item's position in the list.
  int32_t Index = 0;
  // What tells the entry from every other entry of its list, whatever row it
  // stands on (a show's record id, a channel's number); the caption stands
  // for it when the reader sets none.
  VgStr Key;
};

}  // namespace ListForm
