#include "ListForm/BrowserLists.h"

#include <algorithm>

#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "ListForm/ChannelRecords.h"
#include "ListForm/RecordTexts.h"
#include "ListForm/TimerHooks.h"
#include "NonMenuSystem/DirectMessages.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "NonMenuSystem/WidgetClass.h"
#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "Strings.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(ListForm, CBListCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, CBChannelListCourier, ListForm::CBListCourier)
VG_DEFINE_CLASS(ListForm, CBFavHistoryListCourier, ListForm::CBListCourier)
VG_DEFINE_CLASS(ListForm, CBCECListCourier, ListForm::CBListCourier)
VG_DEFINE_CLASS(ListForm, CBInputListCourier, ListForm::CBListCourier)
VG_DEFINE_CLASS(ListForm, CBListItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, CBChannelListItem, ListForm::CBListItem)
VG_DEFINE_CLASS(ListForm, CBFavHistoryListItem, ListForm::CBListItem)
VG_DEFINE_CLASS(ListForm, CBCECListItem, ListForm::CBListItem)
VG_DEFINE_CLASS(ListForm, CBInputListItem, ListForm::CBListItem)
VG_DEFINE_CLASS(ListForm, CBListClass, ListForm::ListClass)
VG_DEFINE_CLASS(ListForm, CBInputList, ListForm::CBListClass)
VG_DEFINE_CLASS(ListForm, CBChannelList, ListForm::CBListClass)
VG_DEFINE_CLASS(ListForm, CBFavoritesList, ListForm::CBListClass)
VG_DEFINE_CLASS(ListForm, CBHistoryList, ListForm::CBListClass)
VG_DEFINE_CLASS(ListForm, CBCECList, ListForm::CBListClass)

namespace ListForm {

namespace {

constexpr char kChBrowserDialog[] = "NonMenuSystem::ChBrowserDialog";
// The browser kinds that show the second and third favourites rings.
constexpr int32_t kSecondFavorites = 5;
constexpr int32_t kThirdFavorites = 6;
constexpr VgColor kTileColour{0x5A, 0x5A, 0x5A, 0xB7};

constexpr ListDef StripDef(const VgClass* row) {
  return {.bounds = {0, 0, 847, 48},
          .maxRows = 6,
          .rowClass = row,
          .decreaseKey = Key::Left,
          .increaseKey = Key::Right,
          .itemXOffset = 21,
          .itemYOffset = 4,
          .itemInterval = 5,
          .indicators = Indicators::AsBuilt,
          .prevBitmap = &Bitmaps::ChBrowserArrowLeft,
          .nextBitmap = &Bitmaps::ChBrowserArrowRight,
          .prevBounds = {0, 17, 13, 27},
          .nextBounds = {834, 17, 847, 27}};
}

SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }

void FillSource(CBListCourier* courier, int32_t sourceId) {
  courier->SourceId = sourceId;
  courier->SourceType = Model()->GetSourceType(sourceId);
}

XObject* ReadInput(ListDataSource*, int32_t index) {
  auto* courier = VgNew<CBInputListCourier>();
  courier->Index = index;
  const int32_t source = Model()->GetSourceId(index);
  FillSource(courier, source);
  courier->Text = Model()->GetSourceName(source);
  courier->Key = VgNewStringInt(source, 0);
  courier->LabelText = Model()->GetSourceLabel(source);
  return courier;
}

// The tile's source comes from the channel's own record: the source table
// has fewer entries than there are channels.
XObject* ReadChannel(ListDataSource*, int32_t index) {
  auto* courier = VgNew<CBChannelListCourier>();
  courier->Index = index;
  SkinBin::ChannelListData* table = ExistingChannelTable();
  if (!table || table->GetNumChannels() < 1) {
    FillSource(courier, Model()->GetCurrentSource(0));
    courier->MajorNumber = -2;
    courier->MinorNumber = -2;
    courier->LabelText = VgGetVariantOfString(&Strings::SID_NO_PROGRAMME);
    return courier;
  }
  SkinBin::ChannelData* channel = ChannelAt(index);
  if (!channel) return courier;
  courier->SourceId = channel->SourceId;
  courier->SourceType = channel->SourceType;
  courier->MajorNumber = channel->Major;
  courier->MinorNumber = channel->SubstituteMinor >= 0 ? channel->SubstituteMinor : channel->Minor;
  courier->IsDigital = channel->Digital;
  courier->LabelText = channel->Name;
  courier->Key = ChannelKey(channel);
  return courier;
}

// A strip without entries of its own shows numbered stand-ins.
XObject* ReadPlaceholder(ListDataSource*, int32_t index) {
  auto* courier = VgNew<CBListCourier>();
  courier->Index = index;
  courier->Text = VgConcatString(VgNewStringAnsi("Name"), VgNewStringInt(index, -1));
  courier->LabelText = VgConcatString(VgNewStringAnsi("Label"), VgNewStringInt(index, -1));
  courier->SourceType = Constants::XPM_SOURCE_TYPE_RF_TUNER;
  return courier;
}

void TakeDevice(CBFavHistoryListCourier* courier, const Structures::CECDeviceInfo* device) {
  courier->IsCecDevice = 1;
  courier->CecAddress = device->DeviceNumber;
  courier->LabelText = device->DeviceName;
}

XObject* ReadFavorite(ListDataSource*, int32_t index) {
  auto* courier = VgNew<CBFavHistoryListCourier>();
  courier->Index = index;
  SkinBin::ChannelData* channel = ChannelAt(index);
  if (!channel) return courier;
  courier->MajorNumber = channel->Major;
  courier->MinorNumber = ShownMinor(channel);
  courier->IsDigital = channel->Digital;
  courier->Text = channel->Name;
  courier->Key = ChannelKey(channel);
  courier->SourceType = channel->SourceType;
  courier->SourceId = channel->SourceId;
  if (Structures::CECDeviceInfo* device = Model()->HdmiCecData.IsCecDeviceConnected(channel->SourceId))
    TakeDevice(courier, device);
  else
    courier->LabelText = channel->Name;
  return courier;
}

// The agent counts its entries from 1, the most recent first.
XObject* ReadHistory(ListDataSource*, int32_t index) {
  auto* courier = VgNew<CBFavHistoryListCourier>();
  courier->Index = index;
  const Structures::HistoryInfo* entry = Model()->HistoryAgent.GetHistory(index + 1);
  if (!entry) return courier;
  switch (entry->ItemType) {
    case Constants::HISTORY_ITEM_TYPE_RF1:
    case Constants::HISTORY_ITEM_TYPE_RF2:
      if (const Structures::HistoryChannelInfo* detail = entry->ChannelInfo) {
        FillSource(courier, detail->SourceId);
        if (detail->Channel) {
          courier->MajorNumber = detail->Channel->Major;
          courier->MinorNumber = detail->Channel->Minor;
        }
        courier->IsDigital = detail->ChannelType;
        courier->LabelText = detail->ChannelName;
      }
      break;
    case Constants::HISTORY_ITEM_TYPE_NONRF:
      if (const Structures::HistorySourceInfo* detail = entry->SourceInfo) {
        FillSource(courier, detail->SourceId);
        courier->Text = Model()->GetSourceName(detail->SourceId);
        courier->LabelText = Model()->GetSourceLabel(detail->SourceId);
      }
      break;
    case Constants::HISTORY_ITEM_TYPE_CEC:
      if (const Structures::HistoryCECInfo* detail = entry->CECInfo) {
        courier->SourceType = Constants::XPM_SOURCE_TYPE_AV_HDMI;
        courier->SourceId = detail->SourceId;
        courier->IsCecDevice = 1;
        courier->CecAddress = uint8_t(detail->DeviceNumber);
        courier->Text = Model()->GetSourceName(detail->SourceId);
        courier->LabelText = detail->DeviceName;
      }
      break;
    default:
      break;
  }
  // An entry is a channel, an input or a device of an input: what the
  // viewer watched, once each.
  VgString what = courier->IsCecDevice ? VgConcatString(VgNewStringAnsi("device "), VgNewStringInt(courier->CecAddress, 0))
                                       : VgConcatString(VgNewStringInt(courier->MajorNumber, 0),
                                                        VgConcatString(VgNewStringAnsi("-"), VgNewStringInt(courier->MinorNumber, 0)));
  courier->Key = VgConcatString(VgNewStringInt(courier->SourceId, 0), VgConcatString(VgNewStringAnsi(":"), what));
  return courier;
}

const Structures::CECDeviceInfo* CecDevice(int32_t index) {
  SkinBin::HdmiCecData& devices = Model()->HdmiCecData;
  if (index < 0 || index >= std::min(devices.DevNum, SkinBin::HdmiCecData::kCapacity)) return nullptr;
  const Structures::CECDeviceInfo* device = devices.DevList[size_t(index)];
  return device && device->Present ? device : nullptr;
}

XObject* ReadCecDevice(ListDataSource*, int32_t index) {
  auto* courier = VgNew<CBCECListCourier>();
  courier->Index = index;
  courier->SourceType = Constants::XPM_SOURCE_TYPE_AV_HDMI;
  const Structures::CECDeviceInfo* device = CecDevice(index);
  if (!device) return courier;
  courier->SourceId = device->SourceId;
  courier->CecAddress = device->DeviceNumber;
  courier->Text = Model()->GetSourceName(device->SourceId);
  courier->LabelText = device->DeviceName;
  courier->Key = VgConcatString(VgNewStringInt(device->SourceId, 0),
                                VgConcatString(VgNewStringAnsi(":"), VgNewStringInt(device->DeviceNumber, 0)));
  return courier;
}

}  // namespace

LISTFORM_REGISTER_READER(CBListClass, ReadPlaceholder)
LISTFORM_REGISTER_READER(CBFavoritesList, ReadFavorite)
LISTFORM_REGISTER_READER(CBHistoryList, ReadHistory)
LISTFORM_REGISTER_READER(CBInputList, ReadInput)
LISTFORM_REGISTER_READER(CBChannelList, ReadChannel)
LISTFORM_REGISTER_READER(CBCECList, ReadCecDevice)

// -------------------------------------------------------------- the tile

CBListItem::CBListItem(XObject* link) : ListItem(link) {
  OnSetBounds({0, 0, 130, 40});
  Nonfocused_BackgroundColor = kTileColour;
  Focused_BackgroundColor = kTileColour;
  OnSetTextAlignH(Views::Text::AlignLeft);
  // A long source name ends in "..." at the tile's edge rather than running
  // past it.
  caption.OnSetAutoSize(false);
  caption.OnSetEllipsis(true);
  // The number has the tile's upper half, whatever its font: the tile is as
  // high as the strip allows.
  caption.OnSetBoxFixed(true);
  iconImage.OnSetVisible(false);
  sourceIcon.OnSetBounds({0, 20, 30, 40});
  sourceIcon.OnSetAutoSize(true);
  sourceIcon.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::BannerRF2Input));
  labelView.OnSetBounds({6, 0, 50, 20});
  labelView.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  labelView.OnSetString(VgNewStringAnsi("ABC"));
  labelView.OnSetColor(Colors::Black);
  // A name wider than the tile runs to its edge and is cut there, as the
  // design's tile label is.
  labelView.OnSetClipMeant(true);
  labelView.OnSetAlignV(Views::Text::AlignMiddle);
  nameView.OnSetVisible(false);
  nameView.OnSetBounds({36, 21, 59, 40});
  nameView.OnSetFont(VgLoad<Resources::Font>(Fonts::SmallFont));
  nameView.OnSetString(VgNewStringAnsi("ANT"));
  nameView.OnSetAutoSize(true);
  nameView.OnSetColor(Colors::White);
  Add(&sourceIcon, 0);
  Add(&labelView, 0);
  Add(&nameView, 0);
}

XObject* CBListItem::SetData(XObject* data) {
  XObject* taken = ListItem::SetData(data);
  if (auto* tile = vg_cast<CBListCourier>(data)) {
    OnSetLabelText(tile->LabelText);
    OnSetSourceType(tile->SourceType);
    SourceId = tile->SourceId;
  }
  return taken;
}

XObject* CBListItem::GetData(XObject* data) {
  auto* tile = vg_cast<CBListCourier>(data);
  if (!tile) tile = VgNew<CBListCourier>();
  ListItem::GetData(tile);
  tile->LabelText = LabelText;
  tile->SourceType = SourceType;
  tile->SourceId = SourceId;
  return tile;
}

void CBListItem::OnSetLabelText(VgString value) {
  LabelText = value;
  labelView.OnSetString(value);
}

void CBListItem::OnSetNameText(VgString value) {
  NameText = value;
  nameView.OnSetString(value);
}

void CBListItem::OnSetSourceType(int32_t value) {
  SourceType = value;
  const VgConstant* bitmap = RecordTexts::SourceIcon(value);
  sourceIcon.OnSetBitmap(bitmap ? VgLoad<Resources::Bitmap>(*bitmap) : nullptr);
}

void CBListItem::Refresh(XObject* sender) {
  ListItem::Refresh(sender);
  const int32_t w = VgGetRectW(Bounds);
  const int32_t h = VgGetRectH(Bounds);
  sourceIcon.OnSetBounds(VgSetRectOrigin(sourceIcon.Bounds, {2, -1}));
  caption.OnSetBounds({sourceIcon.Bounds.x2 + 2, 0, w, h / 2});
  if (labelView.Font.get() != TextFont.get()) labelView.OnSetFont(TextFont);
  if (labelView.Color != TextColor) labelView.OnSetColor(TextColor);
  // The tile's lower half is lower than the line of its fonts: the label
  // rises until its font's line, descenders and all, ends at the tile's
  // bottom instead of hanging below it.
  const int32_t line = labelView.Font ? labelView.Font->OnGetAscent() + labelView.Font->OnGetDescent() : 0;
  labelView.OnSetBounds({8, std::min(h / 2, h - line), w, h});
}

XObject* CBChannelListItem::SetData(XObject* data) {
  XObject* taken = CBListItem::SetData(data);
  if (auto* channel = vg_cast<CBChannelListCourier>(data)) {
    IsDigital = channel->IsDigital;
    MajorNumber = channel->MajorNumber;
    MinorNumber = channel->MinorNumber;
    OnSetText(Model()->GetChannelNumberStr(IsDigital != 0, MajorNumber, MinorNumber));
  }
  return taken;
}

XObject* CBChannelListItem::GetData(XObject* data) {
  auto* channel = vg_cast<CBChannelListCourier>(data);
  if (!channel) channel = VgNew<CBChannelListCourier>();
  CBListItem::GetData(channel);
  channel->IsDigital = IsDigital;
  channel->MajorNumber = MajorNumber;
  channel->MinorNumber = MinorNumber;
  return channel;
}

// The favourite, history and input tiles keep a smaller name closer to the icon.
void MoveNameView(CBListItem* tile) {
  tile->nameView.OnSetBounds(VgSetRectOrigin(tile->nameView.Bounds, {32, tile->nameView.Bounds.y1}));
  tile->nameView.OnSetFont(VgLoad<Resources::Font>(Fonts::ExtraSmallFont));
}

CBFavHistoryListItem::CBFavHistoryListItem(XObject* link) : CBListItem(link) { MoveNameView(this); }

XObject* CBFavHistoryListItem::SetData(XObject* data) {
  XObject* taken = CBListItem::SetData(data);
  if (auto* entry = vg_cast<CBFavHistoryListCourier>(data)) {
    IsDigital = entry->IsDigital;
    IsCecDevice = entry->IsCecDevice;
    CecAddress = entry->CecAddress;
    MajorNumber = entry->MajorNumber;
    MinorNumber = entry->MinorNumber;
    if (Model()->IsRFSourceType(SourceType))
      OnSetText(Model()->GetChannelNumberStr(IsDigital != 0, MajorNumber, MinorNumber));
  }
  return taken;
}

XObject* CBFavHistoryListItem::GetData(XObject* data) {
  auto* entry = vg_cast<CBFavHistoryListCourier>(data);
  if (!entry) entry = VgNew<CBFavHistoryListCourier>();
  CBListItem::GetData(entry);
  entry->IsDigital = IsDigital;
  entry->IsCecDevice = IsCecDevice;
  entry->CecAddress = CecAddress;
  entry->MajorNumber = MajorNumber;
  entry->MinorNumber = MinorNumber;
  return entry;
}

XObject* CBCECListItem::SetData(XObject* data) {
  XObject* taken = CBListItem::SetData(data);
  if (auto* device = vg_cast<CBCECListCourier>(data)) CecAddress = device->CecAddress;
  return taken;
}

XObject* CBCECListItem::GetData(XObject* data) {
  auto* device = vg_cast<CBCECListCourier>(data);
  if (!device) device = VgNew<CBCECListCourier>();
  CBListItem::GetData(device);
  device->CecAddress = CecAddress;
  return device;
}

CBInputListItem::CBInputListItem(XObject* link) : CBListItem(link) { MoveNameView(this); }

XObject* CBInputListItem::GetData(XObject* data) {
  auto* input = vg_cast<CBInputListCourier>(data);
  return CBListItem::GetData(input ? input : VgNew<CBInputListCourier>());
}

// -------------------------------------------------------------- the strip

CBListClass::CBListClass(XObject* link) : CBListClass(StripDef(&CBListItem::Class), link) {}

CBListClass::CBListClass(const ListDef& def, XObject* link) : ListClass(def, link) {
  ArrangeMode = ArrangeLeftToRight;
  tuneTimer.Setup(TuneDelayMs, VgSlotOf<&CBListClass::TuneAction>(this));
}

// Each opening follows the setting as it is then, tiles included: they took
// the list's slots when they were made, which may be of an earlier setting.
void CBListClass::Initialize(Primitives::KeyRoutingParameter* parameter) {
  const bool navigation = Model()->OnGetNavigation() != 0;
  OnFocusOption = navigation ? VgSlotOf<&CBListClass::DoFocus>(this) : VgSlot{};
  OnActivateOption = navigation ? VgSlot{} : VgSlotOf<&CBListClass::TuneAction>(this);
  tuneTimer.Cancel();
  for (Core::View* view = firstView; view; view = view->nextView) {
    if (auto* tile = vg_cast<CBListItem>(view)) {
      tile->OnSetOnFocus(OnFocusOption);
      tile->OnSetOnActivate(OnActivateOption);
    }
  }
  ListClass::Initialize(parameter);
}

void CBListClass::InitializeItems() {
  for (Core::View* view = firstView; view; view = view->nextView)
    if (auto* tile = vg_cast<CBListItem>(view)) tile->OnSetFocusFrame(&focusFrame);
}

void CBListClass::DoFocus(XObject*) { tuneTimer.Rest(); }

void CBListClass::TuneAction(XObject*) { VgSignal(OnUpdateBanner, this); }

CBListItem* CBListClass::FocusedTile() const { return vg_cast<CBListItem>(Focus.get()); }

bool CBListClass::IsInputLock(int32_t sourceType) {
  SkinBin::Wrapper* model = Model();
  if (model->IsRFSourceType(sourceType) || model->OnGetInputLock() == 0) return false;
  if (NonMenuSystem::WidgetClass* browser = OwnerNamed(this, kChBrowserDialog, 1))
    if (browser->NonMenuSystem) browser->NonMenuSystem->ShowMessage(NonMenuSystem::DirectMsgTypeInputLocked);
  return true;
}

// A tuner's channel is tuned unless the set shows it; an input, its
// device selected first, is switched to unless it is locked.
bool CBListClass::TuneFavHistoryTile(CBFavHistoryListItem* tile) {
  SkinBin::Wrapper* model = Model();
  const int32_t shownSource = model->GetCurrentSource(0);
  if (model->IsRFSourceType(tile->SourceType)) {
    if (tile->MajorNumber == -2) return false;
    const Structures::VirtualChannel* current = model->GetCurrentChannel();
    const bool onAir = model->IsRFSourceType(model->GetSourceType(shownSource)) && current &&
                       current->Major == tile->MajorNumber && current->Minor == tile->MinorNumber;
    if (!onAir) model->SetChannel(tile->MajorNumber, tile->MinorNumber, 1, 1);
    return false;
  }
  if (IsInputLock(tile->SourceType)) return false;
  if (tile->IsCecDevice) model->HdmiCecData.SetHdmiCecAddr(tile->SourceId, tile->CecAddress);
  if (tile->SourceId == shownSource) return false;
  model->SetSource(0, tile->SourceId);
  return true;
}

// ------------------------------------------------------------ favourites

namespace {

struct HintText {
  Views::Text CBFavoritesList::*view;
  VgRect bounds;
  const VgConstant* text;
};
constexpr HintText kHintTexts[] = {
    {&CBFavoritesList::holdText, {734, 3, 788, 19}, &Strings::SID_HOLD_3_SEC},
    {&CBFavoritesList::addText, {755, 17, 788, 33}, &Strings::SID_TO_ADD},
    {&CBFavoritesList::deleteText, {755, 30, 788, 46}, &Strings::SID_TO_DEL},
};

}  // namespace

CBFavoritesList::CBFavoritesList(XObject* link) : CBListClass(StripDef(&CBFavHistoryListItem::Class), link) {
  hintBorder.OnSetVisible(false);
  hintBorder.OnSetWidth(1);
  hintBorder.OnSetColor(Colors::CBListItemUpperBg);
  hintBorder.OnSetBounds({696, 4, 826, 44});
  Add(&hintBorder, 0);
  for (const HintText& hint : kHintTexts) {
    Views::Text& view = this->*hint.view;
    view.OnSetVisible(false);
    view.OnSetFont(VgLoad<Resources::Font>(Fonts::SmallestFont));
    view.OnSetAutoSize(true);
    view.OnSetAlignV(Views::Text::AlignMiddle);
    view.OnSetBounds(hint.bounds);
    view.OnSetString(VgGetVariantOfString(hint.text));
    Add(&view, 0);
  }
  addImage.OnSetVisible(false);
  addImage.OnSetBounds({727, 17, 753, 29});
  addImage.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::ChBrowserFB));
  deleteImage.OnSetVisible(false);
  deleteImage.OnSetBounds({727, 30, 753, 42});
  deleteImage.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::ChBrowserMinus));
  Add(&addImage, 0);
  Add(&deleteImage, 0);
}

void CBFavoritesList::Initialize(Primitives::KeyRoutingParameter* parameter) {
  const int32_t kind = Model()->OnGetCurrentCBList();
  FavoriteRing = kind == kSecondFavorites ? 2 : kind == kThirdFavorites ? 3 : 1;
  ChannelTable()->LoadFavoritesChannels(FavoriteRing);
  CBListClass::Initialize(parameter);
}

int32_t CBFavoritesList::GetItemsNum() { return ChannelTable()->GetNumChannels(); }

// A tuner shows a channel of its own source, an input only itself.
int32_t CBFavoritesList::GetFocusItemIndex() {
  SkinBin::Wrapper* model = Model();
  const int32_t source = model->GetCurrentSource(0);
  const bool tuner = model->IsRFSourceType(model->GetSourceType(source));
  const int32_t count = GetItemsNum();
  for (int32_t i = 0; i < count; ++i) {
    const SkinBin::ChannelData* channel = ChannelAt(i);
    if (channel && channel->SourceId == source && (!tuner || IsChannelOnAir(channel))) return i;
  }
  return 0;
}

void CBFavoritesList::TuneAction(XObject* sender) {
  if (auto* tile = vg_cast<CBFavHistoryListItem>(FocusedTile())) TuneFavHistoryTile(tile);
  CBListClass::TuneAction(sender);
}

XObject* CBFavoritesList::HandleEvent(Core::Event* event) {
  SkinBin::Wrapper* model = Model();
  switch (Core::PressedKey(event)) {
    case Key::Green:
      if (model->IsRFSourceType(model->GetSourceType(model->GetCurrentSource(0)))) {
        model->AddChannelToRing(FavoriteRing, model->GetCurrentChannel());
        RefreshFavList();
      }
      return KeyHandled();
    case Key::Red:
      if (auto* tile = vg_cast<CBFavHistoryListItem>(FocusedTile()); tile && tile->MajorNumber != -2) {
        auto* channel = VgNew<Structures::VirtualChannel>();
        channel->Major = tile->MajorNumber;
        channel->Minor = tile->MinorNumber;
        model->RemoveChannelFromRing(FavoriteRing, channel);
        RefreshFavList();
      }
      return KeyHandled();
    case Key::GridPageDown:
    case Key::Favorites: {
      auto* key = vg_cast<Core::KeyEvent>(event);
      const uint16_t code = key->keyCode;
      key->keyCode = Key::Right;
      XObject* taken = CBListClass::HandleEvent(key);
      key->keyCode = code;
      return taken;
    }
    default:
      return CBListClass::HandleEvent(event);
  }
}

void CBFavoritesList::RefreshFavList() {
  ChannelTable()->LoadFavoritesChannels(FavoriteRing);
  const int32_t count = std::max(GetItemsNum(), 0);
  OnSetItemNum(std::min(count, MaxItemNum));
  if (DataSource) DataSource->Num = count;
  Reload();
  OnSetCurrentItemIndex(GetFocusItemIndex() + 1);
}

// --------------------------------------------------------------- history

CBHistoryList::CBHistoryList(XObject* link) : CBListClass(StripDef(&CBFavHistoryListItem::Class), link) {}

void CBHistoryList::Initialize(Primitives::KeyRoutingParameter* parameter) {
  Model()->HistoryAgent.AddCurrentSource(false);
  CBListClass::Initialize(parameter);
}

int32_t CBHistoryList::GetItemsNum() { return Model()->HistoryAgent.GetHistoryNum(); }

int32_t CBHistoryList::GetFocusItemIndex() { return std::max(GetItemsNum() - 1, 0); }

void CBHistoryList::TuneAction(XObject* sender) {
  auto* tile = vg_cast<CBFavHistoryListItem>(FocusedTile());
  if (tile && TuneFavHistoryTile(tile)) {
    SkinBin::HistoryAgent* agent = &Model()->HistoryAgent;
    VgSignal(VgSlotOf<&SkinBin::HistoryAgent::InsertHistorySlot>(agent), this);
  }
  CBListClass::TuneAction(sender);
  if (DataSource) DataSource->Num = std::max(GetItemsNum(), 0);
  Reload();
  OnSetCurrentItemIndex(GetFocusItemIndex() + 1);
  // The strip's own move to its last tile is no rest of the viewer's: it
  // would tune that tile, the channel just left (or, an input's entry still
  // to come, take the viewer off the input chosen).
  tuneTimer.Cancel();
}

// --------------------------------------------------------- HDMI-CEC devices

CBCECList::CBCECList(XObject* link) : CBListClass(StripDef(&CBCECListItem::Class), link) {}

void CBCECList::Initialize(Primitives::KeyRoutingParameter* parameter) {
  Model()->HdmiCecData.InitDevList();
  CBListClass::Initialize(parameter);
}

int32_t CBCECList::GetItemsNum() {
  int32_t present = 0;
  while (CecDevice(present)) ++present;
  return present;
}

void CBCECList::TuneAction(XObject* sender) {
  auto* tile = vg_cast<CBCECListItem>(FocusedTile());
  if (tile && CecDevice(tile->Index) && !IsInputLock(tile->SourceType)) {
    Model()->HdmiCecData.SetHdmiCecAddr(tile->SourceId, tile->CecAddress);
    Model()->SetSource(0, tile->SourceId);
  }
  CBListClass::TuneAction(sender);
}

// ----------------------------------------------------------------- inputs

CBInputList::CBInputList(XObject* link) : CBListClass(StripDef(&CBInputListItem::Class), link) {}

int32_t CBInputList::GetItemsNum() { return Model()->GetValidSourceNum(); }

int32_t CBInputList::GetFocusItemIndex() {
  return std::max(Model()->GetSourceIndex(Model()->GetCurrentSource(0)), 0);
}

void CBInputList::TuneAction(XObject* sender) {
  if (CBListItem* tile = FocusedTile()) {
    if (tile->SourceId != Model()->GetCurrentSource(0) && !IsInputLock(tile->SourceType))
      Model()->SetSource(0, tile->SourceId);
  }
  CBListClass::TuneAction(sender);
}

CBChannelList::CBChannelList(XObject* link) : CBListClass(StripDef(&CBChannelListItem::Class), link) {}

void CBChannelList::Initialize(Primitives::KeyRoutingParameter* parameter) {
  SkinBin::Wrapper* model = Model();
  // While the set tunes both media the browser shows the other one's guide
  // ring when the antenna is chosen.
  ChannelTable()->LoadGuideChannelTable(model->OnGetChannelTuningMode() == 2 && model->OnGetAntCableIn() == 0);
  CBListClass::Initialize(parameter);
}

int32_t CBChannelList::GetItemsNum() { return ChannelTable()->GetNumChannels(); }

int32_t CBChannelList::GetFocusItemIndex() { return CurrentChannelPosition(GetItemsNum()); }

void CBChannelList::TuneAction(XObject* sender) {
  auto* tile = vg_cast<CBChannelListItem>(FocusedTile());
  if (tile && tile->MajorNumber != -2) {
    Structures::VirtualChannel* current = Model()->GetCurrentChannel();
    if (tile->MajorNumber != current->Major || tile->MinorNumber != current->Minor)
      Model()->SetChannel(tile->MajorNumber, tile->MinorNumber, 1, 1);
  }
  CBListClass::TuneAction(sender);
}

}  // namespace ListForm
