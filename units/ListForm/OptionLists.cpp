#include "ListForm/OptionLists.h"

#include <algorithm>

#include "AppServices/OptionDB.h"
#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Core/KeyEvent.h"
#include "ListForm/SystemInfoCourier.h"
#include "OptionDatabase/OptionBinding.h"
#include "OptionDatabase/OptionData.h"
#include "OptionDatabase/OptionTypes.h"
#include "Primitives/KeyRoutingParameter.h"
#include "SkinBin/OptionTypes.h"
#include "SkinBin/UserRefInt.h"
#include "Strings.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(ListForm, OptionListItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, OptionList, ListForm::ListClass)
VG_DEFINE_CLASS(ListForm, SystemInfoItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, SystemInfoList, ListForm::ListClass)

namespace ListForm {

namespace {

constexpr char kOptionList[] = "ListForm::OptionList";
constexpr char kSeparator[] = ": ";

constexpr ListDef kOptionListDef{.bounds = {0, 0, 220, 172},
                                   .maxRows = 6,
                                   .rowClass = &OptionListItem::Class,
                                   .itemXOffset = 20,
                                   .itemInterval = 2,
                                   .indicators = Indicators::RightEdge,
                                   .prevBitmap = &Bitmaps::OptionButtonUpArrow,
                                   .nextBitmap = &Bitmaps::OptionButtonDownArrow,
                                   .prevBounds = {180, 0, 200, 20},
                                   .nextBounds = {180, 280, 200, 300}};

constexpr ListDef kSystemInfoListDef{.bounds = {0, 0, 440, 270},
                                       .maxRows = 10,
                                       .rowClass = &SystemInfoItem::Class,
                                       .pageUpKey = Key::PageUp,
                                       .pageDownKey = Key::PageDown,
                                       .itemXOffset = 20,
                                       .indicators = Indicators::RightEdge,
                                       .prevBitmap = &Bitmaps::OptionButtonUpArrow,
                                       .nextBitmap = &Bitmaps::OptionButtonDownArrow,
                                       .prevBounds = {340, -4, 360, 16},
                                       .nextBounds = {340, 174, 360, 194}};

bool IsTimeZone(int32_t optionType) { return optionType == OptionDatabase::OPTION_TYPE_TIME_ZONE_QOR; }

// A channel option reads as a placeholder while the stored value names no
// channel; its rows are the channels they store and read as those.
bool ListsChannels(int32_t optionType) {
  return optionType == SkinBin::OPTION_TYPE_ONTIMER_CHANNEL || optionType == SkinBin::OPTION_TYPE_GUIDE_CHANNEL;
}

SkinBin::SystemInfo& Information() { return MainApp::GetWrapper()->SystemInfo; }

XObject* ReadOption(ListDataSource* source, int32_t index) {
  auto* courier = VgNew<ListCourier>();
  OptionDatabase::OptionBinding option(MainApp::GetOptionDB(), static_cast<int32_t>(source->Param), kOptionList);
  if (!option) return courier;
  courier->Index = index;
  courier->Text = ListsChannels(option.OptionType()) ? option.StoredChoiceText(index) : option.ChoiceText(index);
  return courier;
}

XObject* ReadSystemInfo(ListDataSource*, int32_t index) {
  SkinBin::SystemInfo& information = Information();
  SystemInfoCourier* line = information.Count >= 1 ? information.GetItem(index) : nullptr;
  if (!line) line = VgNew<SystemInfoCourier>();
  line->Index = index;
  return line;
}

}  // namespace

LISTFORM_REGISTER_READER(OptionList, ReadOption)
LISTFORM_REGISTER_READER(SystemInfoList, ReadSystemInfo)

// ------------------------------------------------------------ option list

OptionListItem::OptionListItem(XObject* link) : ListItem(link) {
  OnSetBounds({0, 0, OptionList::WideRowWidth, OptionList::RowHeight});
  OnSetText(VgGetVariantOfString(&Strings::TimeZone8));
  Nonfocused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::TimeZoneListButtonNonfocus);
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::TimeZoneListButtonFocus);
  OnSetTextAlignH(Views::Text::AlignLeft);
  OnSetTextGap(8);
  // The zone names are short enough for the row in every menu language; a
  // longer value would end in "..." at its edge rather than run past it.
  caption.OnSetAutoSize(false);
  caption.OnSetEllipsis(true);
  iconImage.OnSetVisible(false);
}

OptionList::OptionList(XObject* link) : ListClass(kOptionListDef, link) {
  OnActivateOption = VgSlotOf<&OptionList::DoActivate>(this);
}

void OptionList::Initialize(Primitives::KeyRoutingParameter* parameter) {
  if (auto* ref = vg_cast<SkinBin::UserRefInt>(parameter ? parameter->Param.get() : nullptr)) OptionType = ref->Value;
  // The readers find the option in the source before the base reads a row.
  if (!DataSource) OnSetDataSource(VgNew<ListDataSource>());
  DataSource->Param = static_cast<uint32_t>(OptionType);
  ListClass::Initialize(parameter);
  const int32_t rows = std::min(std::max(ItemNum, 0), MaxItemNum);
  const int32_t width = 2 * ItemXOffset + GetItemsWidth();
  const int32_t height = std::max(rows * (ItemInterval + GetItemsHeight()) - ItemInterval, 0);
  OnSetBounds({Bounds.x1, Bounds.y1, Bounds.x1 + width, Bounds.y1 + height});
}

int32_t OptionList::GetItemsNum() {
  OptionDatabase::OptionBinding option(MainApp::GetOptionDB(), OptionType, kOptionList);
  if (!option) return 0;
  option.Record()->Initialize(this);
  return option.Count();
}

int32_t OptionList::GetFocusItemIndex() {
  OptionDatabase::OptionDataClass* record = MainApp::GetOptionDB()->GetOptionData(OptionType);
  return record ? OptionDatabase::OptionBinding(MainApp::GetOptionDB(), OptionType, kOptionList).Read() : 0;
}

void OptionList::InitializeItems() {
  Resources::Bitmap* focus =
      VgLoad<Resources::Bitmap>(IsTimeZone(OptionType) ? Bitmaps::TimeZoneListButtonFocus : Bitmaps::NetworkButtonFocus);
  for (Core::View* view = firstView; view; view = view->nextView) {
    auto* row = vg_cast<OptionListItem>(view);
    if (!row) continue;
    row->OnSetBounds(VgSetRectSize(row->Bounds, {GetItemsWidth(), GetItemsHeight()}));
    row->OnSetNonfocused_Bitmap(nullptr);
    row->OnSetFocused_Bitmap(focus);
  }
}

int32_t OptionList::GetItemsWidth() const { return IsTimeZone(OptionType) ? WideRowWidth : RowWidth; }

void OptionList::DoActivate(XObject* sender) {
  auto* row = vg_cast<OptionListItem>(sender);
  if (!row) row = vg_cast<OptionListItem>(Focus.get());
  if (row && MainApp::GetOptionDB()->GetOptionData(OptionType))
    OptionDatabase::OptionBinding(MainApp::GetOptionDB(), OptionType, kOptionList).Write(row->Index);
  VgSignal(OnValueChanged, this);
}

// ------------------------------------------------- system-information list

SystemInfoItem::SystemInfoItem(XObject* link) : ListItem(link) {
  OnSetBounds({0, 0, 400, 27});
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::ChannelOptionButtonFocus);
  OnSetTextAlignH(Views::Text::AlignLeft);
  OnSetTextGap(10);
  caption.OnSetEllipsis(true);
  iconImage.OnSetVisible(false);
}

XObject* SystemInfoItem::SetData(XObject* data) {
  XObject* taken = ListItem::SetData(data);
  if (auto* line = vg_cast<SystemInfoCourier>(data)) OnSetText(VgConcatString(line->Label, line->Value));
  return taken;
}

XObject* SystemInfoItem::GetData(XObject* data) {
  auto* line = vg_cast<SystemInfoCourier>(data);
  if (!line) line = VgNew<SystemInfoCourier>();
  ListItem::GetData(line);
  const VgStr separator = VgNewStringAnsi(kSeparator);
  const int32_t at = VgStringFind(Text, separator, 0);
  if (at < 0) {
    line->Label = Text;
    line->Value = nullptr;
  } else {
    const int32_t split = at + VgGetStringLength(separator);
    line->Label = VgStringLeft(Text, split);
    line->Value = VgStringRight(Text, VgGetStringLength(Text) - split);
  }
  return line;
}

XObject* SystemInfoItem::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (key && key->down && key->keyCode == ActivateKey) return this;
  return nullptr;
}

SystemInfoList::SystemInfoList(XObject* link) : ListClass(kSystemInfoListDef, link) {}

int32_t SystemInfoList::GetItemsNum() {
  SkinBin::SystemInfo& information = Information();
  information.Initialize();
  information.Refresh();
  return information.Count;
}

}  // namespace ListForm
