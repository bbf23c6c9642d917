#include "ListForm/RatingRegionLists.h"

#include <algorithm>
#include <string>

#include "AppServices/PersistentData.h"
#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "PersistentData/PersistentData.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "SkinBin/RatingData.h"
#include "Strings.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(ListForm, RRTLevelCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, RatingLevelListBase, ListForm::ListClass)
VG_DEFINE_CLASS(ListForm, RRTLevelItem, ::ParentalLocks::RatingItem)
VG_DEFINE_CLASS(ListForm, QORRRTLevelItem, ::ParentalLocks::QORRatingItem)
VG_DEFINE_CLASS(ListForm, RRTLevelList, ListForm::RatingLevelListBase)
VG_DEFINE_CLASS(ListForm, QORRRTLevelList, ListForm::RatingLevelListBase)
VG_DEFINE_CLASS(ListForm, RRTDimensionItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, RRTDimensionList, ListForm::ListClass)
VG_DEFINE_CLASS(ListForm, QORRRTDimensionItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, QORRRTDimensionList, ListForm::ListClass)

namespace ListForm {

namespace {

constexpr char16_t kRegionKey[] = u"RRTRegion";
constexpr int32_t kCaptionHeight = 20;

constexpr ListDef kLevelListDef{.bounds = {0, 24, 122, 276},
                                  .maxRows = 8,
                                  .rowClass = &RRTLevelItem::Class,
                                  .itemInterval = 4,
                                  .wrapAround = false};

// The QOR lists have the option pop-up's arrows above and below their rows.
constexpr ListDef WithArrows(ListDef def) {
  def.indicators = Indicators::RightEdge;
  def.prevBitmap = &Bitmaps::OptionButtonUpArrow;
  def.nextBitmap = &Bitmaps::OptionButtonDownArrow;
  def.prevBounds = {180, 0, 200, 20};
  def.nextBounds = {180, 200, 200, 220};
  return def;
}

constexpr ListDef kQORLevelListDef = WithArrows({.bounds = {0, 0, 220, 222},
                                                 .maxRows = 6,
                                                 .rowClass = &QORRRTLevelItem::Class,
                                                 .itemXOffset = 20,
                                                 .itemInterval = 6,
                                                 .wrapAround = false});

constexpr ListDef kDimensionListDef{.bounds = {0, 0, 634, 280},
                                      .maxRows = 5,
                                      .rowClass = &RRTDimensionItem::Class,
                                      .decreaseKey = Key::Left,
                                      .increaseKey = Key::Right,
                                      .itemXOffset = 4,
                                      .itemInterval = 4,
                                      .wrapAround = false};

constexpr ListDef kQORDimensionListDef = WithArrows({.bounds = {0, 0, 290, 224},
                                                     .maxRows = 8,
                                                     .rowClass = &QORRRTDimensionItem::Class,
                                                     .itemXOffset = 20,
                                                     .wrapAround = false});

SkinBin::DynamicRatingData& Ratings() { return MainApp::GetWrapper()->DynamicRatingData; }

// The number of dimensions of the region, with the cursor on its first.
int32_t DimensionCount() {
  const int32_t region = RatingRegion();
  if (region == 0) return 0;
  SkinBin::DynamicRatingData& ratings = Ratings();
  ratings.SetRegionDimension(region, 0);
  ratings.GetRegionInfo();
  return ratings.NumDimensions;
}

XObject* ReadDimension(ListDataSource*, int32_t index) {
  auto* courier = VgNew<ListCourier>();
  courier->Index = index;
  courier->Text = DimensionName(index);
  // Broadcasts may rename a dimension; its number stays.
  courier->Key = VgNewStringInt(index, 0);
  return courier;
}

XObject* ReadLevel(ListDataSource* source, int32_t index) {
  auto* courier = VgNew<RRTLevelCourier>();
  courier->Index = index;
  courier->Key = VgNewStringInt(index, 0);
  SkinBin::DynamicRatingData& ratings = Ratings();
  const auto dimension = static_cast<int32_t>(source->Param);
  ratings.SetRegionDimension(ratings.Region, dimension);
  ratings.SetLevel(index);
  ratings.GetLevelInfo();
  if (ratings.LevelAbbreviation && VgGetStringLength(ratings.LevelAbbreviation) > 0)
    courier->Text = ratings.LevelAbbreviation;
  else
    courier->Text = VgGetVariantOfString(&Strings::SID_NONE);
  courier->FullText = ratings.LevelText;
  courier->Blocked = ratings.GetRRTArray(dimension, index) != 0;
  return courier;
}

// A level row shows a level courier and hides without one.
template <class Row>
XObject* SetLevelRow(Row* row, XObject* data) {
  auto* courier = vg_cast<RRTLevelCourier>(data);
  if (!courier) {
    row->OnSetVisible(false);
    return nullptr;
  }
  row->OnSetText(courier->Text);
  row->Level = courier->Index;
  row->HelpText = courier->FullText;
  row->OnSetIsChecked(courier->Blocked);
  row->OnSetVisible(true);
  return courier;
}

template <class Row>
XObject* GetLevelRow(Row* row, XObject* data) {
  auto* courier = vg_cast<RRTLevelCourier>(data);
  if (!courier) courier = VgNew<RRTLevelCourier>();
  courier->Text = row->Text;
  courier->Index = row->Level;
  courier->FullText = row->HelpText;
  courier->Blocked = row->IsChecked;
  return courier;
}

}  // namespace

LISTFORM_REGISTER_READER(RRTDimensionList, ReadDimension)
LISTFORM_REGISTER_READER(QORRRTDimensionList, ReadDimension)
LISTFORM_REGISTER_READER(RRTLevelList, ReadLevel)
LISTFORM_REGISTER_READER(QORRRTLevelList, ReadLevel)

int32_t RatingRegion() { return MainApp::GetPersistentData()->GetInteger(VgNewString(kRegionKey)); }

// Broadcasts leave dimensions unnamed at times.
VgString DimensionName(int32_t dimension) {
  SkinBin::DynamicRatingData& ratings = Ratings();
  ratings.SetRegionDimension(RatingRegion(), dimension);
  ratings.GetDimensionInfo();
  if (ratings.DimensionName && VgGetStringLength(ratings.DimensionName) > 0) return ratings.DimensionName;
  return VgNewStringAnsi(("Dim " + std::to_string(dimension)).c_str());
}

// ------------------------------------------------------------ level lists

RatingLevelListBase::RatingLevelListBase(const ListDef& def, int32_t rowHeight, XObject* link)
    : ListClass(def, link), rowHeight(rowHeight) {
  OnActivateOption = VgSlotOf<&RatingLevelListBase::SetRatingBlock>(this);
}

void RatingLevelListBase::Initialize(Primitives::KeyRoutingParameter* parameter) {
  if (!DataSource) OnSetDataSource(VgNew<ListDataSource>());
  DataSource->Param = static_cast<uint32_t>(Dimension);
  ListClass::Initialize(parameter);
  ShrinkToRows(rowHeight);
}

int32_t RatingLevelListBase::GetItemsNum() {
  const int32_t region = RatingRegion();
  if (region == 0) return 0;
  SkinBin::DynamicRatingData& ratings = Ratings();
  ratings.SetRegionDimension(region, Dimension);
  ratings.GetDimensionInfo();
  return ratings.NumLevels;
}

void RatingLevelListBase::SetRatingBlock(XObject* sender) {
  auto* row = vg_cast<ParentalLocks::RatingItem>(sender);
  if (!row) return;
  int32_t level = 0;
  if (auto* grid = vg_cast<RRTLevelItem>(row))
    level = grid->Level;
  else if (auto* qor = vg_cast<QORRRTLevelItem>(row))
    level = qor->Level;
  else
    return;
  SkinBin::DynamicRatingData& ratings = Ratings();
  ratings.SetRegionDimension(RatingRegion(), Dimension);
  ratings.GetDimensionInfo();
  const bool blocked = row->IsChecked;
  ratings.SetRRTArray(Dimension, level, blocked);
  if (ratings.DimensionGraduated) {
    // A stricter level is never allowed while a milder one is blocked.
    if (blocked)
      for (int32_t l = level; l < ratings.NumLevels; ++l) ratings.SetRRTArray(Dimension, l, 1);
    else
      for (int32_t l = 0; l < level; ++l) ratings.SetRRTArray(Dimension, l, 0);
  }
  Reload();
}

// Read from the region rather than the row, which takes its level only in
// the signal pass after a refill.
VgString RatingLevelListBase::GetButtonHelp() {
  if (!vg_cast<ParentalLocks::RatingItem>(Focus.get()) || !DataSource || DataSource->Cursor < 0 ||
      DataSource->Cursor >= DataSource->Num)
    return nullptr;
  auto* level = vg_cast<RRTLevelCourier>(ReadLevel(DataSource, DataSource->Cursor));
  return level ? VgString(level->FullText) : nullptr;
}

RRTLevelItem::RRTLevelItem(XObject* link) : RatingItem(link) {
  OnSetBounds({0, 0, 122, 28});
  Nonfocused_TextColor = Colors::InputLabelStandardTextColor;
  Default_TextColor = Colors::InputLabelStandardTextColor;
}

XObject* RRTLevelItem::SetData(XObject* data) { return SetLevelRow(this, data); }
XObject* RRTLevelItem::GetData(XObject* data) { return GetLevelRow(this, data); }

QORRRTLevelItem::QORRRTLevelItem(XObject* link) : QORRatingItem(link) {}

XObject* QORRRTLevelItem::SetData(XObject* data) { return SetLevelRow(this, data); }
XObject* QORRRTLevelItem::GetData(XObject* data) { return GetLevelRow(this, data); }

RRTLevelList::RRTLevelList(XObject* link) : RatingLevelListBase(kLevelListDef, 28, link) {}

XObject* RRTLevelList::HandleEvent(Core::Event* event) {
  if (PressedKey(event) == IncreaseKey && DataSource && DataSource->Cursor >= DataSource->Num - 1) return nullptr;
  return RatingLevelListBase::HandleEvent(event);
}

QORRRTLevelList::QORRRTLevelList(XObject* link) : RatingLevelListBase(kQORLevelListDef, 32, link) {}

// -------------------------------------------------------------- the grid

RRTDimensionItem::RRTDimensionItem(XObject* link) : ListItem(link) {
  OnSetBounds({0, 0, RRTDimensionList::ColumnWidth, 280});
  Resources::Font* small = VgLoad<Resources::Font>(Fonts::SmallFont);
  OnSetTextFont(small);
  Default_TextFont = small;
  Disabled_TextFont = small;
  Nonfocused_TextFont = small;
  Focused_TextFont = small;
  OnSetTextAlignH(Views::Text::AlignLeft);
  caption.OnSetAutoSize(false);
  caption.OnSetEllipsis(true);
  iconImage.OnSetVisible(false);
  levels.OnSetFocusMove(VgSlotOf<&RRTDimensionItem::DoFocusMove>(this));
  Add(&levels, 0);
  OnSetFocus(&levels);
}

XObject* RRTDimensionItem::SetData(XObject* data) {
  XObject* taken = ListItem::SetData(data);
  if (!taken) return nullptr;
  Dimension = Index;
  levels.Dimension = Index;
  // A level that takes the focus tells the screen above, as the column does.
  levels.OnFocusOption = OnFocus;
  auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
  parameter->Parent = this;
  levels.Initialize(parameter);
  return taken;
}

XObject* RRTDimensionItem::GetData(XObject* data) {
  XObject* courier = ListItem::GetData(data);
  if (auto* plain = vg_cast<ListCourier>(courier)) plain->Index = Dimension;
  return courier;
}

void RRTDimensionItem::Refresh(XObject* sender) {
  ListItem::Refresh(sender);
  caption.OnSetBounds({2, 0, VgGetRectW(Bounds), kCaptionHeight});
}

void RRTDimensionItem::DoFocusMove(XObject*) { VgSignal(FocusMove, this); }

RRTDimensionList::RRTDimensionList(XObject* link) : ListClass(kDimensionListDef, link) {
  ArrangeMode = ArrangeLeftToRight;
  background.OnSetColor(Colors::DefaultBgColor);
  Add(&background, 0);
}

void RRTDimensionList::Initialize(Primitives::KeyRoutingParameter* parameter) {
  if (fullWidth < 0) {
    fullWidth = VgGetRectW(Bounds);
    fullHeight = VgGetRectH(Bounds);
  }
  SkinBin::DynamicRatingData& ratings = Ratings();
  ratings.SetRegionDimension(RatingRegion(), 0);
  // The columns read the scratch table, so it is loaded before them.
  ratings.LoadRRTArray();
  ListClass::Initialize(parameter);
  const int32_t columns = std::clamp(ItemNum, 0, MaxItemNum);
  const int32_t width = fullWidth - (MaxItemNum - columns) * (ItemInterval + ColumnWidth);
  const int32_t levels = std::clamp(ratings.MaxLevels, 0, FullLevels);
  const int32_t height = fullHeight - (FullLevels - levels) * LevelPitch;
  OnSetBounds({Bounds.x1, Bounds.y1, Bounds.x1 + width, Bounds.y1 + height});
  OnSetVisible(ratings.MaxLevels > 0);
}

int32_t RRTDimensionList::GetItemsNum() { return DimensionCount(); }

void RRTDimensionList::InitializeItems() {
  for (Core::View* view = firstView; view; view = view->nextView)
    if (auto* column = vg_cast<RRTDimensionItem>(view)) column->FocusMove = FocusMove;
}

void RRTDimensionList::Refresh(XObject* sender) {
  ListClass::Refresh(sender);
  background.OnSetBounds({0, kCaptionHeight, VgGetRectW(Bounds), VgGetRectH(Bounds)});
}

void ApplyRatingChanges() {
  SkinBin::DynamicRatingData& ratings = Ratings();
  ratings.SetRegionDimension(RatingRegion(), 0);
  ratings.ApplyRRTArray();
}

VgString RRTDimensionList::GetButtonHelp() {
  auto* column = vg_cast<RRTDimensionItem>(Focus.get());
  return column ? column->GetButtonHelp() : nullptr;
}

// ---------------------------------------------------------- the QOR pair

QORRRTDimensionItem::QORRRTDimensionItem(XObject* link) : ListItem(link) {
  OnSetBounds({0, 0, 250, 28});
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::CECInputDialogButtonFocus);
  Default_TextColor = Colors::InputListDefaultTextColor;
  Nonfocused_TextColor = Colors::StandardTextColor;
  Disabled_TextColor = Colors::DisableTextColor;
  OnSetTextAlignH(Views::Text::AlignLeft);
  caption.OnSetAutoSize(false);
  caption.OnSetEllipsis(true);
  iconImage.OnSetVisible(false);
}

void QORRRTDimensionItem::Refresh(XObject* sender) {
  ListItem::Refresh(sender);
  caption.OnSetBounds({8, 0, VgGetRectW(Bounds), VgGetRectH(Bounds)});
}

QORRRTDimensionList::QORRRTDimensionList(XObject* link) : ListClass(kQORDimensionListDef, link) {
  OnActivateOption = VgSlotOf<&QORRRTDimensionList::DoActivate>(this);
}

void QORRRTDimensionList::Initialize(Primitives::KeyRoutingParameter* parameter) {
  SkinBin::DynamicRatingData& ratings = Ratings();
  ratings.SetRegionDimension(RatingRegion(), 0);
  if (!KeepScratch || !ratings.Levels) ratings.LoadRRTArray();
  ListClass::Initialize(parameter);
  ShrinkToRows(28);
}

int32_t QORRRTDimensionList::GetItemsNum() { return DimensionCount(); }

void QORRRTDimensionList::DoActivate(XObject* sender) {
  if (vg_cast<QORRRTDimensionItem>(sender)) VgSignal(OnOpenDimension, sender);
}

}  // namespace ListForm
