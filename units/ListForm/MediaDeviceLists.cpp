#include "ListForm/MediaDeviceLists.h"

#include <algorithm>

#include "AppServices/MediaWrapper.h"
#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "ListForm/ListOwners.h"
#include "Strings.h"
#include "vgdebug.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(ListForm, MediaServerCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, MediaControllerCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, MediumDeviceCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, MediaServerListItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, MediaControllerListItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, MediumDeviceItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, MediaServerList, ListForm::ListClass)
VG_DEFINE_CLASS(ListForm, MediaControllerList, ListForm::ListClass)
VG_DEFINE_CLASS(ListForm, MediumDeviceList, ListForm::ListClass)

namespace ListForm {


namespace {

constexpr const char* kNoMacAddress = "00-00-00-00-00-00";
constexpr const char* kRecordsOnly = "Record";
// The columns of the server list: tick, name, MAC address, wake-on-LAN.
constexpr int32_t kServerSeparators[] = {30, 222, 400};

constexpr ListDef Def(VgRect bounds, int32_t rows, const VgClass* row, int32_t interval, VgRect up, VgRect down,
                        Indicators placement = Indicators::AsBuilt) {
  return {.bounds = bounds,
          .maxRows = rows,
          .rowClass = row,
          .itemInterval = interval,
          .wrapAround = false,
          .indicators = placement,
          .prevBitmap = &Bitmaps::OptionButtonUpArrow,
          .nextBitmap = &Bitmaps::OptionButtonDownArrow,
          .prevBounds = up,
          .nextBounds = down};
}

constexpr ListDef kServerList =
    Def({0, 0, 520, 220}, 8, &MediaServerListItem::Class, 2, {500, 0, 520, 20}, {500, 193, 520, 213});
constexpr ListDef kControllerList =
    Def({0, 0, 460, 240}, 8, &MediaControllerListItem::Class, 0, {440, 0, 460, 20}, {440, 193, 460, 213},
         Indicators::RightColumn);
constexpr ListDef kDeviceList =
    Def({0, 0, 460, 130}, 4, &MediumDeviceItem::Class, 2, {440, 0, 460, 20}, {440, 105, 460, 125});

Media::MediaWrapper* Bridge() { return MainApp::GetMediaWrapper(); }

using ServerRow = MediaServerListItem;
using ServerFields =
    Fields<MediaServerCourier,
           Field<&MediaServerCourier::MacAddress, &ServerRow::OnSetMacAddress, &ServerRow::OnGetMacAddress>,
           Field<&MediaServerCourier::WakeOnLan, &ServerRow::OnSetIsSupportWoL, &ServerRow::OnGetIsSupportWoL>,
           Field<&MediaServerCourier::Registered, &ServerRow::OnSetIsChecked, &ServerRow::OnGetIsChecked>>;
using ControllerRow = MediaControllerListItem;
using ControllerFields =
    Fields<MediaControllerCourier,
           Field<&MediaControllerCourier::MacAddress, &ControllerRow::OnSetMacAddr, &ControllerRow::OnGetMacAddr>,
           Field<&MediaControllerCourier::Ticked, &ControllerRow::OnSetIsChecked, &ControllerRow::OnGetIsChecked>>;
using DeviceFields = Fields<MediumDeviceCourier, Field<&MediumDeviceCourier::IsActive, &MediumDeviceItem::IsActive>,
                            Field<&MediumDeviceCourier::DeviceType, &MediumDeviceItem::DeviceType>,
                            Field<&MediumDeviceCourier::DeviceText, &MediumDeviceItem::DeviceText>>;

void SetUpText(Views::Text& text, const char* placeholder) {
  SetUpColumnText(text, Colors::White);
  text.OnSetString(VgNewStringAnsi(placeholder));
}

Resources::Bitmap* TickBitmap(bool ticked) {
  return VgLoad<Resources::Bitmap>(ticked ? Bitmaps::TickBoxChecked : Bitmaps::TickBox);
}

// ------------------------------------------------------------ the readers

XObject* ReadServer(ListDataSource*, int32_t index) {
  Media::MediaServer* server = Bridge()->GetMediaServer(index);
  if (!server) return nullptr;
  auto* courier = VgNew<MediaServerCourier>();
  courier->Index = index;
  courier->Registered = server->Registered;
  courier->disabled = false;
  courier->MacAddress = server->MacAddress;
  courier->Text = server->Name;
  courier->Key = server->MacAddress;
  courier->WakeOnLan = server->WakeOnLan;
  return courier;
}

XObject* ReadController(ListDataSource*, int32_t index) {
  Media::MediaControllor* controller = Bridge()->GetMediaControllor(index);
  if (!controller) return nullptr;
  auto* courier = VgNew<MediaControllerCourier>();
  courier->Index = index;
  courier->Ticked = controller->Access;
  courier->disabled = false;
  courier->MacAddress = controller->MacAddress;
  courier->Text = controller->Name;
  courier->Key = controller->MacAddress;
  return courier;
}

XObject* ReadMedium(ListDataSource* source, int32_t index) {
  auto* courier = VgNew<MediumDeviceCourier>();
  courier->Index = index;
  Media::MediaWrapper* bridge = Bridge();
  if (bridge->GetMediumCount() < 1) return courier;
  Media::MediumDevice* device = bridge->GetMedium(index);
  if (!device) return nullptr;
  courier->DeviceType = device->Type;
  courier->disabled = !device->Available;
  courier->IsActive = device->Available;
  switch (device->Type) {
    case Media::MediumDevice::SdCard:
      courier->Text = VgNewStringAnsi("SD Memory Card");
      break;
    case Media::MediumDevice::UsbStorage:
      courier->Text = VgConcatString(VgNewStringAnsi("USB:"), device->Name);
      break;
    case Media::MediumDevice::Server:
      courier->Text = VgConcatString(VgNewStringAnsi("LAN-S:"), device->Name);
      break;
    default:
      courier->Text = device->Name;
      break;
  }
  // Only USB storage can hold recordings.
  if (VgCompString(source->StringParam, VgNewStringAnsi(kRecordsOnly)) == 0 &&
      device->Type != Media::MediumDevice::UsbStorage) {
    courier->disabled = true;
    courier->IsActive = 0;
  }
  courier->DeviceText = device->MountString;
  courier->Key = device->MountString;
  return courier;
}

}  // namespace

LISTFORM_REGISTER_READER(MediaServerList, ReadServer)
LISTFORM_REGISTER_READER(MediaControllerList, ReadController)
LISTFORM_REGISTER_READER(MediumDeviceList, ReadMedium)

MediaServerCourier::MediaServerCourier(XObject* link) : ListCourier(link), MacAddress(VgNewStringAnsi(kNoMacAddress)) {}

MediaControllerCourier::MediaControllerCourier(XObject* link)
    : ListCourier(link), MacAddress(VgNewStringAnsi(kNoMacAddress)) {}

// --------------------------------------------------------------- server

MediaServerListItem::MediaServerListItem(XObject* link) : ListItem(link) {
  OnSetBounds({0, 0, 500, 25});
  OnSetTextAlignH(Views::Text::AlignLeft);
  caption.OnSetAutoSize(false);
  caption.OnSetEllipsis(true);
  OnSetText(VgNewStringAnsi("Friendly Name A"));
  iconImage.OnSetVisible(false);
  tickBox.OnSetBounds({6, 4, 23, 21});
  tickBox.OnSetBitmap(TickBitmap(false));
  Add(&tickBox, 0);
  for (size_t i = 0; i < std::size(separators); ++i) {
    separators[i].OnSetColor(Colors::MenuBgColor);
    separators[i].OnSetBounds({kServerSeparators[i], 0, kServerSeparators[i] + 2, 25});
    Add(&separators[i], 0);
  }
  SetUpText(macText, kNoMacAddress);
  macText.OnSetBounds({224, 0, 400, 25});
  SetUpText(wakeOnLanText, "Unknown");
  wakeOnLanText.OnSetBounds({402, 0, 500, 25});
  Add(&macText, 0);
  Add(&wakeOnLanText, 0);
}

void MediaServerListItem::Refresh(XObject* sender) {
  ListItem::Refresh(sender);
  caption.OnSetBounds({32, 0, kServerSeparators[1], VgGetRectH(Bounds)});
}

void MediaServerListItem::OnSetIsChecked(bool value) {
  IsChecked = value;
  tickBox.OnSetBitmap(TickBitmap(value));
}

void MediaServerListItem::OnSetIsSupportWoL(uint16_t value) {
  IsSupportWoL = value;
  wakeOnLanText.OnSetString(VgGetVariantOfString(value == 1 ? &Strings::SID_SUPPORT : &Strings::SID_WAKE_ON_LAN_UNKNOWN));
}

XObject* MediaServerListItem::SetData(XObject* data) {
  XObject* taken = ListItem::SetData(data);
  ServerFields::In(this, data);
  return taken;
}

XObject* MediaServerListItem::GetData(XObject* data) {
  MediaServerCourier* courier = ServerFields::Make(data);
  ListItem::GetData(courier);
  ServerFields::Out(this, courier);
  return courier;
}

MediaServerList::MediaServerList(XObject* link) : ListClass(kServerList, link) {
  OnActivateOption = VgSlotOf<&MediaServerList::DoOnActivateOption>(this);
  for (size_t i = 0; i < std::size(rowBackgrounds); ++i) {
    const int32_t y = static_cast<int32_t>(i) * 27;
    rowBackgrounds[i].OnSetColor(Colors::StandardBgColor);
    rowBackgrounds[i].OnSetBounds({0, y, 500, y + 25});
    Add(&rowBackgrounds[i], 0);
  }
  for (size_t i = 0; i < std::size(separators); ++i) {
    separators[i].OnSetColor(Colors::MenuBgColor);
    separators[i].OnSetBounds({kServerSeparators[i], 0, kServerSeparators[i] + 2, 214});
    Add(&separators[i], 0);
  }
}

int32_t MediaServerList::GetItemsNum() {
  Bridge()->GetMediaServerList();
  return Bridge()->GetMediaServerCount();
}

void MediaServerList::DoOnActivateOption(XObject*) {
  auto* row = vg_cast<MediaServerListItem>(Focus.get());
  if (!row) return;
  if (row->IsChecked) {
    row->OnSetIsChecked(false);
    Bridge()->UnRegisterMediaServer(row->Index);
  } else if (Bridge()->RegisterMediaServer(row->Index)) {
    // Ticked only once the bridge took it: a ninth server is refused.
    row->OnSetIsChecked(true);
  }
}

// ----------------------------------------------------------- controller

MediaControllerListItem::MediaControllerListItem(XObject* link) : ListItem(link) {
  OnSetBounds({0, 0, 440, 30});
  OnSetTextAlignH(Views::Text::AlignLeft);
  caption.OnSetAutoSize(false);
  caption.OnSetEllipsis(true);
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::WiFiScanButtonFocus);
  iconImage.OnSetVisible(false);
  tickBox.OnSetBounds({11, 6, 28, 23});
  tickBox.OnSetBitmap(TickBitmap(false));
  Add(&tickBox, 0);
  SetUpText(macText, kNoMacAddress);
  Add(&macText, 0);
}

void MediaControllerListItem::Refresh(XObject* sender) {
  ListItem::Refresh(sender);
  const int32_t w = VgGetRectW(Bounds);
  const int32_t h = VgGetRectH(Bounds);
  const VgPoint tick = VgGetRectSize(tickBox.Bounds);
  tickBox.OnSetBounds(VgSetRectOrigin(tickBox.Bounds, {tickBox.Bounds.x1, (h - tick.y) / 2}));
  caption.OnSetBounds({36, 0, 36 + 220, h});
  macText.OnSetBounds({caption.Bounds.x2 + 6, 0, w, h});
  if (macText.Font.get() != TextFont.get()) macText.OnSetFont(TextFont);
  if (macText.Color != TextColor) macText.OnSetColor(TextColor);
}

void MediaControllerListItem::OnSetIsChecked(bool value) {
  IsChecked = value;
  tickBox.OnSetBitmap(TickBitmap(value));
}

void MediaControllerListItem::OnSetMacAddr(VgString value) {
  MacAddr = value;
  macText.OnSetString(value);
}

XObject* MediaControllerListItem::SetData(XObject* data) {
  XObject* taken = ListItem::SetData(data);
  ControllerFields::In(this, data);
  return taken;
}

XObject* MediaControllerListItem::GetData(XObject* data) {
  MediaControllerCourier* courier = ControllerFields::Make(data);
  ListItem::GetData(courier);
  ControllerFields::Out(this, courier);
  return courier;
}

MediaControllerList::MediaControllerList(XObject* link) : ListClass(kControllerList, link) {
  OnActivateOption = VgSlotOf<&MediaControllerList::DoOnActivateOption>(this);
}

int32_t MediaControllerList::GetItemsNum() {
  Bridge()->RequestMediaControllorList();
  const int32_t count = Bridge()->GetMediaControllorCount();
  VgPrint("%s%i\n", "Get Media Controllor Count ", count);
  return count;
}

void MediaControllerList::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ListClass::Initialize(parameter);
  const int32_t count = DataSource ? DataSource->Num : 0;
  ticks_.assign(static_cast<size_t>(std::max(count, 0)), 0);
  for (int32_t i = 0; i < count; ++i)
    if (Media::MediaControllor* controller = Bridge()->GetMediaControllor(i))
      ticks_[static_cast<size_t>(i)] = controller->Access != 0;
}

XObject* MediaControllerList::GetItemData(int32_t offset) {
  XObject* data = ListClass::GetItemData(offset);
  auto* courier = vg_cast<MediaControllerCourier>(data);
  if (courier && courier->Index >= 0 && static_cast<size_t>(courier->Index) < ticks_.size())
    courier->Ticked = ticks_[static_cast<size_t>(courier->Index)];
  return data;
}

int32_t MediaControllerList::GetCheckedNumber() {
  return static_cast<int32_t>(std::count(ticks_.begin(), ticks_.end(), uint8_t{1}));
}

void MediaControllerList::DoOnActivateOption(XObject*) {
  auto* row = vg_cast<MediaControllerListItem>(Focus.get());
  if (!row || row->Index < 0 || static_cast<size_t>(row->Index) >= ticks_.size()) return;
  uint8_t& tick = ticks_[static_cast<size_t>(row->Index)];
  if (tick) {
    tick = 0;
  } else if (GetCheckedNumber() < MaxItemNum) {
    tick = 1;
  } else {
    VgPrint("Can not register, Max is 8\n");
    return;
  }
  row->OnSetIsChecked(tick != 0);
}

// ---------------------------------------------------------------- device

MediumDeviceItem::MediumDeviceItem(XObject* link) : ListItem(link) {
  OnSetBounds({0, 0, 440, 30});
  OnSetTextAlignH(Views::Text::AlignLeft);
  caption.OnSetAutoSize(false);
  caption.OnSetEllipsis(true);
  Nonfocused_TextColor = Colors::White;
  Default_TextColor = Colors::White;
  Disabled_TextColor = Colors::DisableTextColor;
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::WiFiScanButtonFocus);
  iconImage.OnSetVisible(false);
}

void MediumDeviceItem::Refresh(XObject* sender) {
  ListItem::Refresh(sender);
  caption.OnSetBounds({10, 0, VgGetRectW(Bounds), VgGetRectH(Bounds)});
}

XObject* MediumDeviceItem::SetData(XObject* data) {
  XObject* taken = ListItem::SetData(data);
  if (vg_cast<MediumDeviceCourier>(data)) {
    DeviceFields::In(this, data);
    OnSetIsDisabled(!IsActive);
  }
  return taken;
}

XObject* MediumDeviceItem::GetData(XObject* data) {
  MediumDeviceCourier* courier = DeviceFields::Make(data);
  ListItem::GetData(courier);
  DeviceFields::Out(this, courier);
  courier->disabled = IsDisabled;
  return courier;
}

MediumDeviceList::MediumDeviceList(XObject* link) : ListClass(kDeviceList, link) {
  OnActivateOption = VgSlotOf<&MediumDeviceList::DoOnActivateOption>(this);
}

int32_t MediumDeviceList::GetItemsNum() {
  Bridge()->RequestMediumList();
  return Bridge()->GetMediumCount();
}

VgString MediumDeviceList::GetStringParam() { return RecordsOnly ? VgNewStringAnsi(kRecordsOnly) : nullptr; }

void MediumDeviceList::DoOnActivateOption(XObject*) {
  auto* row = vg_cast<MediumDeviceItem>(Focus.get());
  if (auto* owner = OwnerAs<DeviceOwner>(Parent.get()); row && owner)
    owner->LaunchPlayer(row->Index, row->DeviceText, row->DeviceType, row->IsActive, row->Text);
}

}  // namespace ListForm
