#include "ListForm/RowColumns.h"

#include "Button/ButtonClass.h"
#include "Colors/Colors.h"
#include "Fonts/Fonts.h"
#include "ListForm/ListItem.h"
#include "ListForm/RecordTexts.h"
#include "Resources/Font.h"
#include "Views/Image.h"
#include "Views/Text.h"
#include "vgresmap.h"

namespace ListForm {

void LayOutColumns(ListItem* row, std::initializer_list<Column> columns) {
  const int32_t w = VgGetRectW(row->Bounds);
  const int32_t h = VgGetRectH(row->Bounds);
  int32_t x = 0;
  for (const Column& column : columns) {
    const int32_t left = x + column.gap;
    const int32_t right = column.width > 0 ? left + column.width : w;
    const VgRect rect{left, 0, right, h};
    if (column.text) column.text->OnSetBounds(rect);
    if (column.icon) column.icon->OnSetBounds(rect);
    x = right;
  }
}

int32_t ColumnSpacing(Resources::Font* font) { return font ? (3 * font->GetGlyphAdvance(u' ').x + 1) / 2 : 0; }

void StyleColumnText(Views::Text& text, const char* designText) {
  text.OnSetFont(VgLoad<Resources::Font>(Fonts::EPGListFont));
  text.OnSetColor(Colors::White);
  text.OnSetAlignH(Views::Text::AlignLeft);
  text.OnSetAlignV(Views::Text::AlignMiddle);
  text.OnSetEllipsis(true);
  text.OnSetString(VgNewStringAnsi(designText));
}

void StyleColumnIcon(Views::Image& icon) {
  icon.OnSetAlignV(1);
  icon.OnSetVisible(false);
}

void FollowRowLook(Button::ButtonClass* row, std::initializer_list<Views::Text*> texts) {
  for (Views::Text* text : texts) {
    if (text->Color != row->TextColor) text->OnSetColor(row->TextColor);
    if (text->Font.get() != row->TextFont.get()) text->OnSetFont(row->TextFont);
  }
}

void ShowNoInformation(ListItem* row, Views::Text& timeText, VgStr& description) {
  timeText.OnSetString(nullptr);
  row->OnSetText(RecordTexts::NoInformation());
  description = RecordTexts::NoInformation();
  row->Index = 0;
}

void SayNoInformation(ListCourier* courier, VgStr& description) {
  courier->Text = RecordTexts::NoInformation();
  description = RecordTexts::NoInformation();
}

}  // namespace ListForm
