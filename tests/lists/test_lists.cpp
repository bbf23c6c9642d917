#include "test_lists.h"

#include "Bitmaps.h"
#include "ListForm/ListItem.h"
#include "Resources/Bitmap.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(ListTest, NumberList, ListForm::ListClass)
VG_DEFINE_CLASS(ListTest, NamedList, ListTest::NumberList)
VG_DEFINE_CLASS(ListTest, NamedGrid, ListTest::NumberGrid)
VG_DEFINE_CLASS(ListTest, DerivedList, ListTest::NumberList)
VG_DEFINE_CLASS(ListTest, NumberGrid, ListForm::GridView)
VG_DEFINE_CLASS(ListTest, Row, ListForm::ListItem)
VG_DEFINE_CLASS(ListTest, Cell, ListForm::ListItem)

namespace ListTest {

namespace {

XObject* ReadNumber(ListForm::ListDataSource*, int32_t index) {
  auto* courier = VgNew<ListForm::ListCourier>();
  courier->Index = index;
  courier->Text = VgConcatString(VgNewStringAnsi("Entry "), VgNewStringInt(index, 0));
  return courier;
}

// A cell has room for the number only.
XObject* ReadCell(ListForm::ListDataSource*, int32_t index) {
  auto* courier = VgNew<ListForm::ListCourier>();
  courier->Index = index;
  courier->Text = VgNewStringInt(index, 0);
  return courier;
}

XObject* ReadName(ListForm::ListDataSource*, int32_t index) {
  auto* courier = VgNew<ListForm::ListCourier>();
  courier->Index = index;
  if (index < 0 || size_t(index) >= NamedList::Names.size()) return courier;
  const std::string& name = NamedList::Names[size_t(index)];
  courier->Text = VgNewStringAnsi(name.c_str());
  courier->Key = VgNewStringAnsi(("key " + name).c_str());
  return courier;
}

constexpr ListForm::ListDef kNumberList{
    .bounds = {40, 60, 360, 240},
    .maxRows = 6,
    .rowClass = &Row::Class,
    .pageUpKey = Key::PageUp,
    .pageDownKey = Key::PageDown,
    .itemXOffset = 20,
    .itemInterval = 2,
    .indicators = ListForm::Indicators::RightEdge,
    .prevBitmap = &Bitmaps::OptionButtonUpArrow,
    .nextBitmap = &Bitmaps::OptionButtonDownArrow,
    .prevBounds = {0, 0, 20, 20},
    .nextBounds = {0, 0, 20, 20},
};

}  // namespace

LISTFORM_REGISTER_READER(NumberList, ReadNumber)
LISTFORM_REGISTER_READER(NamedList, ReadName)
LISTFORM_REGISTER_READER(NamedGrid, ReadName)

std::vector<std::string> NamedList::Names;

void NamedGrid::Initialize(Primitives::KeyRoutingParameter* parameter) {
  GridView::Initialize(parameter);
  LoadPages(int32_t(NamedList::Names.size()));
}
LISTFORM_REGISTER_READER(NumberGrid, ReadCell)

NumberList::NumberList() : ListClass(kNumberList) {}

Row::Row() {
  OnSetTextAlignH(Views::Text::AlignLeft);
  OnSetTextGap(10);
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::ChannelListButtonFocus);
}

Cell::Cell() {
  OnSetBounds({0, 0, 70, 40});
  OnSetTextAlignH(Views::Text::AlignCentre);
  Nonfocused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::DialogButtonNonfocus);
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::DialogButtonFocus);
}

NumberGrid::NumberGrid() {
  OnSetBounds({380, 60, 380 + 7 * 80 - 10, 60 + 4 * 48 - 8});
  ItemClass = &Cell::Class;
  ItemXInterval = 10;
  ItemYInterval = 8;
}

void NumberGrid::Initialize(Primitives::KeyRoutingParameter* parameter) {
  GridView::Initialize(parameter);
  LoadPages(entries);
}

}  // namespace ListTest
