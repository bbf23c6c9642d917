// Rows that show their entry in columns beside the caption: texts and icons
// laid out from the left, each a gap after the one before. The texts take the
// row's height and follow the row's look (its colour and font change with
// the focus); the icons are centred on the row's height. A row whose screen
// sets headings over its columns keeps their places in a table:
//
//   static constexpr ColumnPlace Places[] = {{4, 30}, {6, 65}, {4, 200}, {15, 0}};
//   static constexpr int32_t FileColumn = ColumnLeft(Places, 3);  // 324
//
//   void Row::Refresh(XObject* sender) {
//     ListItem::Refresh(sender);
//     LayOutColumns(this, {{&tunerIcon, Places[0]}, {&channelText, Places[1]}, {&caption, Places[2]},
//                          {&fileText, Places[3]}});
//     FollowRowLook(this, {&channelText, &fileText});
//   }
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "vgobject.h"
#include "vgstring.h"

namespace Resources {
class Font;
}
namespace Views {
class Image;
class Text;
}
namespace Button {
class ButtonClass;
}

namespace ListForm {

class ListItem;
class ListCourier;

// gap: from the right edge of the column before (the row's left edge
// first); width: the column's, 0 reaching the row's right edge.
struct ColumnPlace {
  int32_t gap = 0;
  int32_t width = 0;
};

// Where the column of the table at the index starts in the row.
template <size_t N>
constexpr int32_t ColumnLeft(const ColumnPlace (&places)[N], size_t index) {
  int32_t x = 0;
  for (size_t i = 0; i < N && i < index; ++i) x += places[i].gap + places[i].width;
  return index < N ? x + places[index].gap : x;
}

// The room to keep between the texts of two columns in a font, glyph to
// glyph: a space and a half. The words of a line stand a space apart, so
// columns any closer read as words of one line, or as one word
// ("02:30pm02:00").
int32_t ColumnSpacing(Resources::Font* font);

struct Column {
  // An icon draws its picture at the column's left, centred on the row's
  // height.
  Column(Views::Text* text, int32_t gap, int32_t width = 0) : text(text), gap(gap), width(width) {}
  Column(Views::Image* icon, int32_t gap, int32_t width) : icon(icon), gap(gap), width(width) {}
  Column(Views::Text* text, ColumnPlace place) : Column(text, place.gap, place.width) {}
  Column(Views::Image* icon, ColumnPlace place) : Column(icon, place.gap, place.width) {}

  Views::Text* text = nullptr;
  Views::Image* icon = nullptr;
  int32_t gap = 0;
  int32_t width = 0;
};

void LayOutColumns(ListItem* row, std::initializer_list<Column> columns);

// The widths that the dates and times of the guide's programme rows take
// in the focused row's font.
inline constexpr int32_t kDateWidth = 76;  // "May 04"
inline constexpr int32_t kTimeWidth = 96;  // "01:00am"

// A text column as the recording and guide rows draw it: the list font,
// white, left-aligned on the middle of the row, showing text until the first
// entry arrives.
void StyleColumnText(Views::Text& text, const char* designText);
// An icon column: its picture on the middle of the row, hidden without one.
void StyleColumnIcon(Views::Image& icon);
// The texts take the row's current text colour and font where they differ.
void FollowRowLook(Button::ButtonClass* row, std::initializer_list<Views::Text*> texts);

// A row's GetData when the row and its courier share the field records
// Parts: into the courier given, or a new one when data is none.
template <class Courier, class... Parts, class Row>
Courier* CopyOut(Row* row, XObject* data) {
  auto* courier = vg_cast<Courier>(data);
  if (!courier) courier = VgNew<Courier>();
  row->ListItem::GetData(courier);
  ((static_cast<Parts&>(*courier) = static_cast<const Parts&>(*row)), ...);
  return courier;
}

// A row without an entry: the caption and the description say so, the time
// text goes (the rest stays as it was).
void ShowNoInformation(ListItem* row, Views::Text& timeText, VgStr& description);
// The courier of a list whose model holds no entry says so too.
void SayNoInformation(ListCourier* courier, VgStr& description);

}  // namespace ListForm
