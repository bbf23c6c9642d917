#include "ListForm/ChannelLists.h"

#include <algorithm>
#include <type_traits>

#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "ListForm/ChannelRecords.h"
#include "ListForm/ListWidget.h"
#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "Strings.h"
#include "Structures/Channels.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(ListForm, ChannelCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, ChannelOptionCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, ChannelLockCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, ManualChannelCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, ChannelItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, ChannelOptionItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, ChannelLockItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, ManualChannelItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, MasterChannelList, ListForm::ListClass)
VG_DEFINE_CLASS(ListForm, ChannelOptionList, ListForm::ListClass)
VG_DEFINE_CLASS(ListForm, ChannelLockList, ListForm::ListClass)
VG_DEFINE_CLASS(ListForm, ManualChannelList, ListForm::ListClass)

namespace ListForm {

namespace {

// Only a channel the focus rests on this long is tuned.
constexpr int32_t kTuneRest = 1500;
// Favourites ring 0 is the one the channel options edit.
constexpr int32_t kRing = 0;
// Channel -1/-1 stands for every channel in the ring and lock calls.
constexpr int32_t kAllChannels = -1;
// Between one column of a row and the next.
constexpr int32_t kColumnGap = 2;
constexpr int32_t kCaptionGap = 4;

constexpr ListDef Def(VgRect bounds, int32_t rows, const VgClass* rowClass) {
  return {.bounds = bounds,
          .maxRows = rows,
          .rowClass = rowClass,
          .pageUpKey = Key::PageUp,
          .pageDownKey = Key::PageDown,
          .itemXOffset = 20,
          .indicators = Indicators::RightEdge,
          .prevBitmap = &Bitmaps::OptionButtonUpArrow,
          .nextBitmap = &Bitmaps::OptionButtonDownArrow,
          .prevBounds = {0, 0, 20, 20},
          .nextBounds = {0, 0, 20, 20}};
}

const ListDef kMasterDef = Def({0, 0, 360, 176}, 8, &ChannelItem::Class);
const ListDef kOptionDef = Def({0, 0, 340, 216}, 8, &ChannelOptionItem::Class);
const ListDef kLockDef = Def({0, 0, 290, 216}, 8, &ChannelLockItem::Class);
const ListDef kManualDef = Def({0, 0, 400, 125}, 5, &ManualChannelItem::Class);

SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }

Resources::Font* Medium() { return VgLoad<Resources::Font>(Fonts::MediumFont); }

Resources::Bitmap* TypeIcon(bool digital) { return VgLoad<Resources::Bitmap>(digital ? Bitmaps::DTV : Bitmaps::ATV); }

Structures::VirtualChannel* Channel(int32_t major, int32_t minor) {
  auto* channel = VgNew<Structures::VirtualChannel>();
  channel->Major = major;
  channel->Minor = minor;
  return channel;
}

// A row of the list's width less its offset and indicator column.
void SizeRow(ListItem* row, const ListDef& def) {
  const int32_t width = VgGetRectW(def.bounds) - 2 * def.itemXOffset;
  row->OnSetBounds({0, 0, width, VgGetRectH(def.bounds) / def.maxRows});
  row->OnSetTextAlignH(Views::Text::AlignLeft);
  row->OnSetTextGap(kCaptionGap);
  row->caption.OnSetAutoSize(false);
}

void StyleText(Views::Text* text, VgColor colour, uint16_t alignH = Views::Text::AlignLeft) {
  text->OnSetFont(Medium());
  text->OnSetColor(colour);
  text->OnSetAlignH(alignH);
  text->OnSetAlignV(Views::Text::AlignMiddle);
}

void StyleImage(Views::Image* image, const VgConstant* bitmap = nullptr) {
  image->OnSetAlignH(1);
  image->OnSetAlignV(1);
  if (bitmap) image->OnSetBitmap(VgLoad<Resources::Bitmap>(*bitmap));
}

// The column from x to the next column's start, as tall as the row.
VgRect Column(int32_t x1, int32_t x2, const ListItem* row) { return {x1, 0, x2, VgGetRectH(row->Bounds)}; }

// A name shown beside the number looks like the row's caption.
void FollowCaption(Views::Text* text, const ListItem* row) {
  text->OnSetFont(row->TextFont);
  text->OnSetColor(row->TextColor);
}

// The courier class of a row's field list.
template <class Copied>
using CourierOf = std::remove_pointer_t<decltype(Copied::Make(nullptr))>;

// After the base took caption and index: the row's fields from its own
// courier, and the channel number as the caption. False for another courier.
template <class Copied, class Row>
bool TakeChannel(Row* row, XObject* data) {
  auto* courier = vg_cast<CourierOf<Copied>>(data);
  if (!courier) return false;
  Copied::In(row, courier);
  row->OnSetText(Model()->GetChannelNumberStr(row->IsDigital, row->ChannelMajor, row->ChannelMinor));
  return true;
}

// The row's fields into a courier of its own class.
template <class Copied, class Row>
CourierOf<Copied>* GiveChannel(Row* row, XObject* data) {
  CourierOf<Copied>* courier = Copied::Make(data);
  row->ListItem::GetData(courier);
  Copied::Out(row, courier);
  return courier;
}

// Tunes the channel of the focused row, unless it is on air already.
template <class Row>
void TuneFocused(ListBase* list) {
  auto* row = vg_cast<Row>(list->Focus.get());
  SkinBin::ChannelData* record = row ? ChannelAt(row->Index) : nullptr;
  if (!record || IsChannelOnAir(record)) return;
  Model()->SetChannel(record->Major, record->Minor, 1, 0);
}

// ------------------------------------------------------------------ readers

XObject* ReadMasterChannel(ListDataSource*, int32_t index) {
  return ReadChannel<ChannelCourier>(
      index,
      [](ChannelCourier* courier, SkinBin::ChannelData* record) {
        courier->IsSkip = !record->Ring;
        courier->PhysicalChNum = record->PhysicalChannel;
      },
      [](ChannelCourier* courier) {
        courier->IsSkip = 0;
        courier->PhysicalChNum = 2;
      });
}

XObject* ReadChannelOption(ListDataSource*, int32_t index) {
  return ReadChannel<ChannelOptionCourier>(
      index, [](ChannelOptionCourier* courier, SkinBin::ChannelData* record) { courier->IsEnabled = record->Ring; },
      [](ChannelOptionCourier* courier) { courier->IsEnabled = 1; });
}

XObject* ReadChannelLock(ListDataSource*, int32_t index) {
  return ReadChannel<ChannelLockCourier>(
      index, [](ChannelLockCourier* courier, SkinBin::ChannelData* record) { courier->IsLocked = record->Lock; },
      [](ChannelLockCourier* courier) { courier->IsLocked = 0; });
}

XObject* ReadManualChannel(ListDataSource*, int32_t index) {
  return ReadChannel<ManualChannelCourier>(
      index,
      [](ManualChannelCourier* courier, SkinBin::ChannelData* record) {
        courier->IsNew = record->New;
        courier->IsScaned = record->Scanned;
        courier->SignalStrength = record->SignalStrength;
      },
      [](ManualChannelCourier* courier) {
        courier->IsScaned = 1;
        courier->IsNew = 1;
        courier->SignalStrength = 70;
      });
}

using ChannelFields =
    Fields<ChannelCourier, Field<&ChannelCourier::IsDigital, &ChannelItem::OnSetIsDigital, &ChannelItem::OnGetIsDigital>,
           Field<&ChannelCourier::IsSkip, &ChannelItem::OnSetIsSkip, &ChannelItem::OnGetIsSkip>,
           Field<&ChannelCourier::ChannelMajor, &ChannelItem::ChannelMajor>,
           Field<&ChannelCourier::ChannelMinor, &ChannelItem::ChannelMinor>,
           Field<&ChannelCourier::PhysicalChNum, &ChannelItem::OnSetPhysicalChNum, &ChannelItem::OnGetPhysicalChNum>>;

using OptionFields = Fields<
    ChannelOptionCourier,
    Field<&ChannelOptionCourier::IsDigital, &ChannelOptionItem::OnSetIsDigital, &ChannelOptionItem::OnGetIsDigital>,
    Field<&ChannelOptionCourier::IsEnabled, &ChannelOptionItem::OnSetIsEnabled, &ChannelOptionItem::OnGetIsEnabled>,
    Field<&ChannelOptionCourier::ChannelMajor, &ChannelOptionItem::ChannelMajor>,
    Field<&ChannelOptionCourier::ChannelMinor, &ChannelOptionItem::ChannelMinor>>;

using LockFields =
    Fields<ChannelLockCourier, Field<&ChannelLockCourier::IsDigital, &ChannelLockItem::IsDigital>,
           Field<&ChannelLockCourier::IsLocked, &ChannelLockItem::OnSetIsLocked, &ChannelLockItem::OnGetIsLocked>,
           Field<&ChannelLockCourier::ChannelMajor, &ChannelLockItem::ChannelMajor>,
           Field<&ChannelLockCourier::ChannelMinor, &ChannelLockItem::ChannelMinor>>;

using ManualFields = Fields<
    ManualChannelCourier,
    Field<&ManualChannelCourier::IsScaned, &ManualChannelItem::OnSetIsScaned, &ManualChannelItem::OnGetIsScaned>,
    Field<&ManualChannelCourier::IsNew, &ManualChannelItem::OnSetIsNew, &ManualChannelItem::OnGetIsNew>,
    Field<&ManualChannelCourier::IsDigital, &ManualChannelItem::OnSetIsDigital, &ManualChannelItem::OnGetIsDigital>,
    Field<&ManualChannelCourier::ChannelMajor, &ManualChannelItem::ChannelMajor>,
    Field<&ManualChannelCourier::ChannelMinor, &ManualChannelItem::ChannelMinor>,
    Field<&ManualChannelCourier::SignalStrength, &ManualChannelItem::OnSetSignalStrength,
          &ManualChannelItem::OnGetSignalStrength>>;

}  // namespace

LISTFORM_REGISTER_READER(MasterChannelList, ReadMasterChannel)
LISTFORM_REGISTER_READER(ChannelOptionList, ReadChannelOption)
LISTFORM_REGISTER_READER(ChannelLockList, ReadChannelLock)
LISTFORM_REGISTER_READER(ManualChannelList, ReadManualChannel)

// ---------------------------------------------------------- the master row

ChannelItem::ChannelItem(XObject* link) : ListItem(link) {
  SizeRow(this, kMasterDef);
  // Eight rows of 22 pixels: the larger font of a focused row would not fit.
  Focused_TextFont = Medium();
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::ChannelListButtonFocus);
  StyleText(&skipText, Colors::DialogInfoTextColor);
  // In the small font the tail of its "p" stays above the focus frame's foot.
  skipText.OnSetFont(VgLoad<Resources::Font>(Fonts::SmallFont));
  skipText.OnSetString(VgGetVariantOfString(&Strings::SID_SKIP));
  skipText.OnSetVisible(false);
  Add(&skipText, 0);
  StyleImage(&typeIcon);
  Add(&typeIcon, 0);
  StyleText(&physicalText, Colors::White);
  Add(&physicalText, 0);
  OnSetIsDigital(true);
  OnSetPhysicalChNum(PhysicalChNum);
}

void ChannelItem::Refresh(XObject* sender) {
  ListItem::Refresh(sender);
  caption.OnSetBounds(Column(TextGap, 79, this));
  skipText.OnSetBounds(Column(79 + kColumnGap, 159, this));
  typeIcon.OnSetBounds(Column(159 + kColumnGap, 239, this));
  physicalText.OnSetBounds(Column(239 + kColumnGap, VgGetRectW(Bounds), this));
}

void ChannelItem::OnSetIsDigital(bool value) {
  IsDigital = value;
  typeIcon.OnSetBitmap(TypeIcon(value));
}

void ChannelItem::OnSetIsSkip(bool value) {
  IsSkip = value;
  skipText.OnSetVisible(value);
}

void ChannelItem::OnSetPhysicalChNum(int32_t value) {
  PhysicalChNum = value;
  physicalText.OnSetString(VgNewStringInt(value, 0));
}

XObject* ChannelItem::SetData(XObject* data) {
  XObject* taken = ListItem::SetData(data);
  TakeChannel<ChannelFields>(this, data);
  return taken;
}

XObject* ChannelItem::GetData(XObject* data) { return GiveChannel<ChannelFields>(this, data); }

// ---------------------------------------------------------- the option row

ChannelOptionItem::ChannelOptionItem(XObject* link) : ListItem(link) {
  SizeRow(this, kOptionDef);
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::ChannelOptionButtonFocus);
  StyleImage(&typeIcon);
  Add(&typeIcon, 0);
  StyleText(&labelText, Colors::White);
  Add(&labelText, 0);
  StyleImage(&checkBox);
  Add(&checkBox, 0);
  OnSetIsDigital(true);
  OnSetIsEnabled(false);
}

void ChannelOptionItem::Refresh(XObject* sender) {
  ListItem::Refresh(sender);
  caption.OnSetBounds(Column(TextGap, 74, this));
  typeIcon.OnSetBounds(Column(74 + kColumnGap, 130, this));
  labelText.OnSetBounds(Column(130 + kColumnGap, 261, this));
  checkBox.OnSetBounds(Column(261 + kColumnGap, VgGetRectW(Bounds), this));
  FollowCaption(&labelText, this);
}

void ChannelOptionItem::OnSetIsDigital(bool value) {
  IsDigital = value;
  typeIcon.OnSetBitmap(TypeIcon(value));
}

void ChannelOptionItem::OnSetIsEnabled(bool value) {
  IsEnabled = value;
  checkBox.OnSetBitmap(VgLoad<Resources::Bitmap>(value ? Bitmaps::CheckBoxCheck : Bitmaps::CheckBox));
}

void ChannelOptionItem::OnSetChannelLabel(VgString value) {
  ChannelLabel = value;
  labelText.OnSetString(value);
}

XObject* ChannelOptionItem::HandleEvent(Core::Event* event) {
  if (Core::PressedKey(event) != Key::Red) return ListItem::HandleEvent(event);
  EnableChannel();
  return this;
}

void ChannelOptionItem::EnableChannel() {
  OnSetIsEnabled(!IsEnabled);
  if (SkinBin::ChannelData* record = ChannelAt(Index)) {
    record->Ring = IsEnabled;
    Structures::VirtualChannel* channel = Channel(record->Major, record->Minor);
    if (IsEnabled)
      Model()->AddChannelToRing(kRing, channel);
    else
      Model()->RemoveChannelFromRing(kRing, channel);
  }
  VgSignal(FocusMove, this);
}

XObject* ChannelOptionItem::SetData(XObject* data) {
  XObject* taken = ListItem::SetData(data);
  if (TakeChannel<OptionFields>(this, data)) OnSetChannelLabel(vg_cast<ListCourier>(data)->Text);
  return taken;
}

XObject* ChannelOptionItem::GetData(XObject* data) {
  ChannelOptionCourier* courier = GiveChannel<OptionFields>(this, data);
  courier->Text = ChannelLabel;
  return courier;
}

// ------------------------------------------------------------ the lock row

ChannelLockItem::ChannelLockItem(XObject* link) : ListItem(link) {
  SizeRow(this, kLockDef);
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::ChannelOptionButtonFocus);
  StyleText(&labelText, Colors::White);
  Add(&labelText, 0);
  StyleImage(&lockImage, &Bitmaps::LockImage);
  lockImage.OnSetVisible(false);
  Add(&lockImage, 0);
}

void ChannelLockItem::Refresh(XObject* sender) {
  ListItem::Refresh(sender);
  caption.OnSetBounds(Column(TextGap, 74, this));
  labelText.OnSetBounds(Column(74 + kColumnGap, 215, this));
  lockImage.OnSetBounds(Column(215 + kColumnGap, VgGetRectW(Bounds), this));
  FollowCaption(&labelText, this);
}

void ChannelLockItem::OnSetIsLocked(bool value) {
  IsLocked = value;
  lockImage.OnSetVisible(value);
}

void ChannelLockItem::OnSetChannelLabel(VgString value) {
  ChannelLabel = value;
  labelText.OnSetString(value);
}

XObject* ChannelLockItem::SetData(XObject* data) {
  XObject* taken = ListItem::SetData(data);
  if (TakeChannel<LockFields>(this, data)) OnSetChannelLabel(vg_cast<ListCourier>(data)->Text);
  return taken;
}

XObject* ChannelLockItem::GetData(XObject* data) {
  ChannelLockCourier* courier = GiveChannel<LockFields>(this, data);
  courier->Text = ChannelLabel;
  return courier;
}

// ---------------------------------------------------------- the manual row

ManualChannelItem::ManualChannelItem(XObject* link) : ListItem(link) {
  SizeRow(this, kManualDef);
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::ChannelListButtonFocus);
  StyleText(&newMark, Colors::White, Views::Text::AlignCentre);
  newMark.OnSetString(VgNewStringAnsi("X"));
  newMark.OnSetVisible(false);
  Add(&newMark, 0);
  StyleImage(&typeIcon);
  Add(&typeIcon, 0);
  StyleText(&nameText, Colors::White);
  Add(&nameText, 0);
  auto* bars = VgLoad<Resources::Bitmap>(Bitmaps::SignalIndicator);
  signal.OnSetBitmap(bars);
  signal.OnSetImageSize({bars->OnGetFrameSize().x / SignalImages, bars->OnGetFrameSize().y});
  signal.OnSetAlignH(1);
  signal.OnSetAlignV(1);
  // Full until the scan reports the strength.
  signal.OnSetImageNumber(SignalImages - 1);
  signal.OnSetVisible(false);
  Add(&signal, 0);
  OnSetIsDigital(true);
}

void ManualChannelItem::Refresh(XObject* sender) {
  ListItem::Refresh(sender);
  newMark.OnSetBounds(Column(0, 58, this));
  caption.OnSetBounds(Column(60, 120, this));
  typeIcon.OnSetBounds(Column(120 + kColumnGap, 162, this));
  nameText.OnSetBounds(Column(162 + kColumnGap, 300, this));
  signal.OnSetBounds(Column(300 + kColumnGap, VgGetRectW(Bounds), this));
  FollowCaption(&nameText, this);
}

void ManualChannelItem::OnSetIsScaned(bool value) {
  IsScaned = value;
  signal.OnSetVisible(value);
}

void ManualChannelItem::OnSetIsNew(bool value) {
  IsNew = value;
  newMark.OnSetVisible(value);
}

void ManualChannelItem::OnSetIsDigital(bool value) {
  IsDigital = value;
  typeIcon.OnSetBitmap(TypeIcon(value));
}

int32_t ManualChannelItem::SignalImage(int32_t strength) {
  // A strength below zero (a failed measurement) shows no bars rather than an
  // image before the first.
  if (strength <= 0) return 0;
  if (strength >= 100) return SignalImages - 1;
  return strength * 5 / 100 + 1;
}

void ManualChannelItem::OnSetSignalStrength(int32_t value) {
  SignalStrength = value;
  signal.OnSetImageNumber(SignalImage(value));
}

void ManualChannelItem::OnSetChName(VgString value) {
  ChName = value;
  nameText.OnSetString(value);
}

XObject* ManualChannelItem::SetData(XObject* data) {
  XObject* taken = ListItem::SetData(data);
  if (TakeChannel<ManualFields>(this, data)) OnSetChName(vg_cast<ListCourier>(data)->Text);
  return taken;
}

XObject* ManualChannelItem::GetData(XObject* data) {
  ManualChannelCourier* courier = GiveChannel<ManualFields>(this, data);
  courier->Text = ChName;
  return courier;
}

// ------------------------------------------------------ the master list

MasterChannelList::MasterChannelList(XObject* link) : ListClass(kMasterDef, link) {
  OnFocusOption = VgSlotOf<&MasterChannelList::DoFocus>(this);
  tuneTimer.Setup(kTuneRest, VgSlotOf<&MasterChannelList::TuneToChannel>(this));
}

void MasterChannelList::Initialize(Primitives::KeyRoutingParameter* parameter) {
  // OK on a row is the screen's, as its way out.
  OnActivateOption = OnExit;
  ListClass::Initialize(parameter);
}

int32_t MasterChannelList::GetItemsNum() { return LoadMasterChannels(); }

void MasterChannelList::DoFocus(XObject*) { tuneTimer.Rest(); }

void MasterChannelList::TuneToChannel(XObject*) { TuneFocused<ChannelItem>(this); }

// ------------------------------------------------------ the option list

ChannelOptionList::ChannelOptionList(XObject* link) : ListClass(kOptionDef, link) {
  OnFocusOption = VgSlotOf<&ChannelOptionList::DoFocus>(this);
  OnActivateOption = VgSlotOf<&ChannelOptionList::DoChangeLabel>(this);
  // The keyboard's answer.
  HearsMessages = true;
  tuneTimer.Setup(kTuneRest, VgSlotOf<&ChannelOptionList::TuneToChannel>(this));
}

int32_t ChannelOptionList::GetItemsNum() { return LoadMasterChannels(); }

int32_t ChannelOptionList::GetFocusItemIndex() { return CurrentChannelPosition(DataSource ? DataSource->Num : 0); }

void ChannelOptionList::InitializeItems() {
  for (Core::View* view = firstView; view; view = view->nextView)
    if (auto* row = vg_cast<ChannelOptionItem>(view)) row->FocusMove = FocusMove;
}

void ChannelOptionList::DoFocus(XObject*) { tuneTimer.Rest(); }

void ChannelOptionList::TuneToChannel(XObject*) { TuneFocused<ChannelOptionItem>(this); }

void ChannelOptionList::DoChangeLabel(XObject* sender) {
  if (auto* row = vg_cast<ChannelOptionItem>(sender)) AskKeyboard(this, MaxLabelLength, row->ChannelLabel);
}

void ChannelOptionList::HandleMessage(Structures::Message* message) {
  VgString text = nullptr;
  if (!TakeKeyboardAnswer(message, &text) || !text) return;
  auto* row = vg_cast<ChannelOptionItem>(Focus.get());
  SkinBin::ChannelData* record = row ? ChannelAt(row->Index) : nullptr;
  // The same name again is no rename.
  if (!record || VgCompString(text, record->Name) == 0) return;
  record->Name = text;
  row->OnSetChannelLabel(text);
  Model()->SetChannelName(Channel(record->Major, record->Minor), text);
}

void ChannelOptionList::EnableAllChannels(bool enable) {
  SkinBin::ChannelListData* table = ExistingChannelTable();
  if (!table || table->GetNumChannels() < 1) return;
  for (int32_t i = 0; i < table->GetNumChannels(); ++i)
    if (SkinBin::ChannelData* record = table->GetChannel(i)) record->Ring = enable;
  Structures::VirtualChannel* all = Channel(kAllChannels, kAllChannels);
  if (enable)
    Model()->AddChannelToRing(kRing, all);
  else
    Model()->RemoveChannelFromRing(kRing, all);
  Reload();
}

// -------------------------------------------------------- the lock list

ChannelLockList::ChannelLockList(XObject* link) : ListClass(kLockDef, link) {
  OnActivateOption = VgSlotOf<&ChannelLockList::DoChannelLock>(this);
}

int32_t ChannelLockList::GetItemsNum() { return LoadMasterChannels(); }

void ChannelLockList::DoChannelLock(XObject* sender) {
  auto* row = vg_cast<ChannelLockItem>(sender);
  if (SkinBin::ChannelData* record = row ? ChannelAt(row->Index) : nullptr) {
    row->OnSetIsLocked(!row->IsLocked);
    // The record follows, so that the row shows the lock again after a scroll.
    record->Lock = row->IsLocked;
    Model()->SetChannelLock(Channel(record->Major, record->Minor), row->IsLocked);
  }
  VgSignal(FocusMove, this);
}

void ChannelLockList::LockAllChannels(bool lock) {
  SkinBin::ChannelListData* table = ExistingChannelTable();
  if (!table || table->GetNumChannels() < 1) return;
  for (int32_t i = 0; i < table->GetNumChannels(); ++i)
    if (SkinBin::ChannelData* record = table->GetChannel(i)) record->Lock = lock;
  Model()->SetChannelLock(Channel(kAllChannels, kAllChannels), lock);
  Reload();
}

// ------------------------------------------------------ the manual list

ManualChannelList::ManualChannelList(XObject* link) : ListClass(kManualDef, link) {}

void ManualChannelList::OnSetPhysicalChannel(int32_t channel) {
  PhysicalChannel = channel;
  SkinBin::ChannelListData* table = ChannelTable();
  table->LoadSingleChannelTable(channel);
  const int32_t count = std::max(table->GetNumChannels(), 0);
  if (!DataSource) OnSetDataSource(VgNew<ListDataSource>());
  ShowChannels(count);
  StartsAfresh();
}

void ManualChannelList::LoadScanedChannels() {
  ReadAgain([this] {
    SkinBin::ChannelListData* table = ExistingChannelTable();
    ShowChannels(table ? std::max(table->GetNumChannels(), 0) : 0);
  });
}

void ManualChannelList::ShowChannels(int32_t count) {
  OnSetItemNum(std::min(count, MaxItemNum));
  if (!DataSource) return;
  DataSource->Num = count;
  Reload();
}

}  // namespace ListForm
