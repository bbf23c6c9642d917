#include "ListForm/AccessPointList.h"

#include <algorithm>
#include <type_traits>

#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "Forms/Indicator.h"
#include "Strings.h"
#include "Structures/Devices.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(ListForm, ApCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, QORApCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, ApItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, ApItem_Protocol, ListForm::ApItem)
VG_DEFINE_CLASS(ListForm, QORApItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, AccessPointList, ListForm::ListClass)
VG_DEFINE_CLASS(ListForm, QORAccessPointList, ListForm::ListClass)

namespace ListForm {


namespace {

// The bytes of a record's status, as the network object fills them.
enum Status { kChannel = 0, kLevel = 2, kMode = 3, kSecurity = 5 };

// The security byte of a join request to an open network.
constexpr uint8_t kOpenNetwork = 255;

constexpr const VgConstant* kSignalNames[] = {&Strings::SID_WEAK, &Strings::SID_WEAK, &Strings::SID_MEDIUM_U,
                                              &Strings::SID_MEDIUM_U, &Strings::SID_STRONG};

// By the mode bits 1 a, 2 b, 4 g, 8 n; 10 and 11 (b and n without g) are no
// mode an access point offers.
constexpr const VgConstant* kProtocolNames[] = {
    &Strings::SID_NONE,        &Strings::SID_WIFI_11A,     &Strings::SID_WIFI_11B,     &Strings::SID_WIFI_11A_B,
    &Strings::SID_WIFI_11G,    &Strings::SID_WIFI_11A_G,   &Strings::SID_WIFI_11B_G,   &Strings::SID_WIFI_11A_B_G,
    &Strings::SID_WIFI_11N,    &Strings::SID_WIFI_11A_N,   &Strings::SID_UNSUPPORTED,  &Strings::SID_UNSUPPORTED,
    &Strings::SID_WIFI_11G_N,  &Strings::SID_WIFI_11A_G_N, &Strings::SID_WIFI_11B_G_N, &Strings::SID_WIFI_11A_B_G_N};
static_assert(std::size(kProtocolNames) == 16);

struct Column {
  const VgConstant* title;
  int32_t x1, x2;
  // The design fixes a heading wider than its column, which the ellipsis
  // cuts: "Security" over the 60-pixel lock column.
  bool cutMeant = false;
};
constexpr Column kApColumns[] = {{&Strings::SID_NETWORK_NAME, 0, 274},
                                 {&Strings::SID_MAC_ADDRESS, 276, 480},
                                 {&Strings::SID_CH, 482, 550},
                                 {&Strings::SID_SIGNAL, 550, 682}};
constexpr Column kQorColumns[] = {{&Strings::SID_NETWORK_NAME, 0, 160},
                                  {&Strings::SID_SECURITY, 160, 220, true},
                                  {&Strings::SID_PROTOCOL, 220, 320},
                                  {&Strings::SID_SIGNAL, 320, 440}};
constexpr int32_t kHeaderHeight = 28;
// The separators of a row of the wireless setup list.
constexpr int32_t kSeparators[] = {274, 480, 550};
constexpr int32_t kSeparatorWidth = 2;
// Where the wireless setup list's arrows stand while it shows access points.
constexpr int32_t kApArrowX = 690;

constexpr ListDef kAccessPointList{
    .bounds = {0, 0, 710, 250},
    .maxRows = 8,
    .rowClass = &ApItem::Class,
    .itemYOffset = 30,
    .itemInterval = 1,
    .wrapAround = true,
    .indicators = Indicators::AsBuilt,
    .prevBitmap = &Bitmaps::OptionButtonUpArrow,
    .nextBitmap = &Bitmaps::OptionButtonDownArrow,
    .prevBounds = {690, 30, 710, 50},
    .nextBounds = {690, 228, 710, 248},
};

constexpr ListDef kQORAccessPointList{
    .bounds = {0, 0, 460, 210},
    .maxRows = 6,
    .rowClass = &QORApItem::Class,
    .itemYOffset = 30,
    .wrapAround = false,
    .indicators = Indicators::RightColumn,
    .prevBitmap = &Bitmaps::OptionButtonUpArrow,
    .nextBitmap = &Bitmaps::OptionButtonDownArrow,
    .prevBounds = {420, 30, 440, 50},
    .nextBounds = {420, 190, 440, 210},
};

SkinBin::NetworkSetup& Network() { return MainApp::GetWrapper()->NetworkSetup; }

VgString Sid(const VgConstant& constant) { return VgGetVariantOfString(&constant); }

bool Empty(VgString text) { return VgGetStringLength(text) == 0; }

template <size_t N>
void MakeHeaders(Core::Group* list, Views::Text (&headers)[N], const Column (&columns)[N]) {
  for (size_t i = 0; i < N; ++i) {
    SetUpColumnText(headers[i], Colors::DialogInfoTextColor);
    headers[i].OnSetBounds({columns[i].x1, 0, columns[i].x2, kHeaderHeight});
    headers[i].OnSetEllipsisMeant(columns[i].cutMeant);
    headers[i].OnSetString(Sid(*columns[i].title));
    list->Add(&headers[i], 0);
  }
}

// The record behind a row of the table; null past the access points found.
Structures::WLAN_Info* Record(int32_t index) {
  SkinBin::NetworkSetup& network = Network();
  if (index < 0 || index >= std::min(network.NumAccessPoints, SkinBin::NetworkSetup::kCapacity)) return nullptr;
  return network.AccessPoints[static_cast<size_t>(index)];
}

// The courier of a row: blank past the access points found.
template <class Courier>
XObject* ReadPoint(ListDataSource*, int32_t index) {
  auto* courier = VgNew<Courier>();
  courier->Index = index;
  if (Structures::WLAN_Info* info = Record(index)) {
    courier->NetworkName = info->SSID;
    courier->MacAddress = info->HardwareAddress;
    // A scan lists a station once; one without an address is its name.
    courier->Key = Empty(info->HardwareAddress) ? info->SSID.get() : info->HardwareAddress.get();
    courier->Signal = info->Status[kLevel];
    courier->Mode = info->Status[kMode];
    if constexpr (std::is_same_v<Courier, ApCourier>)
      courier->Channel = info->Status[kChannel];
    else
      courier->Security = info->Status[kSecurity];
  }
  return courier;
}

// ------------------------------------- what the two lists do alike

// Shows the kept scan again, or scans anew.
template <class List>
void Fill(List* list) {
  list->OnSetItemNum(list->MaxItemNum);
  auto* source = VgNew<ListDataSource>();
  list->OnSetDataSource(source);
  SkinBin::NetworkSetup& network = Network();
  if (network.KeepScanResult && network.NumAccessPoints >= 1) {
    network.KeepScanResult = 0;
    source->Num = network.NumAccessPoints;
    list->OnSetEnabled(true);
    list->OnSetCurrentItemIndex(1);
    return;
  }
  // Blank rows while the scan runs.
  source->Num = list->MaxItemNum;
  list->StartScan();
}

void Scan(ListClass* list) {
  Network().WLAN_ScanAccessPoint(nullptr);
  list->OnSetCurrentItemIndex(1);
  list->OnSetEnabled(false);
  list->Reload();
}

int32_t LoadScan(ListClass* list) {
  const int32_t count = Network().WLAN_LoadAccessPoints();
  if (list->DataSource && count >= 1) {
    list->OnSetEnabled(true);
    list->DataSource->Num = count;
    list->Reload();
  }
  return count;
}

}  // namespace

LISTFORM_REGISTER_READER(AccessPointList, ReadPoint<ApCourier>)
LISTFORM_REGISTER_READER(QORAccessPointList, ReadPoint<QORApCourier>)

VgString ProtocolName(uint8_t mode) { return Sid(*kProtocolNames[mode < std::size(kProtocolNames) ? mode : 0]); }

// -------------------------------------------------------------- ApItem

ApItem::ApItem(XObject* link) : ListItem(link) {
  OnSetBounds({0, 0, 682, 26});
  OnSetTextAlignH(Views::Text::AlignLeft);
  caption.OnSetAutoSize(false);
  caption.OnSetEllipsis(true);
  Nonfocused_BackgroundColor = Colors::StandardBgColor;
  Focused_BackgroundColor = Colors::HighlightBgColor;
  iconImage.OnSetVisible(false);
  for (Views::Rectangle& separator : separators) {
    separator.OnSetColor(Colors::MenuBgColor);
    Add(&separator, 0);
  }
  for (Views::Text* text : {&signalText, &macText, &channelText}) {
    SetUpColumnText(*text, Colors::White);
    Add(text, 0);
  }
  OnSetText(nullptr);
}

void ApItem::Refresh(XObject* sender) {
  ListItem::Refresh(sender);
  const int32_t w = VgGetRectW(Bounds);
  const int32_t h = VgGetRectH(Bounds);
  for (size_t i = 0; i < std::size(separators); ++i)
    separators[i].OnSetBounds({kSeparators[i], 0, kSeparators[i] + kSeparatorWidth, h});
  caption.OnSetBounds({0, 0, kSeparators[0], h});
  macText.OnSetBounds({kSeparators[0] + kSeparatorWidth, 0, kSeparators[1], h});
  channelText.OnSetBounds({kSeparators[1] + kSeparatorWidth, 0, kSeparators[2], h});
  signalText.OnSetBounds({kSeparators[2] + kSeparatorWidth, 0, w, h});
}

void ApItem::OnSetText(VgString value) {
  ListItem::OnSetText(value);
  PostRefresh();
}

void ApItem::OnSetSignal(uint8_t value) {
  Signal = value;
  signalText.OnSetString(Sid(*kSignalNames[std::min<size_t>(value, std::size(kSignalNames) - 1)]));
}

void ApItem::OnSetChannel(uint8_t value) {
  Channel = value;
  channelText.OnSetString(VgNewStringInt(value, 0));
}

void ApItem::OnSetNetworkName(VgString value) {
  NetworkName = value;
  OnSetText(value);
}

void ApItem::Clear() {
  OnSetNetworkName(nullptr);
  macText.OnSetString(nullptr);
  channelText.OnSetString(nullptr);
  signalText.OnSetString(nullptr);
}

XObject* ApItem::SetData(XObject* data) {
  XObject* taken = ListItem::SetData(data);
  auto* courier = vg_cast<ApCourier>(data);
  if (!courier) {
    Clear();
    return taken;
  }
  OnSetNetworkName(courier->NetworkName);
  macText.OnSetString(courier->MacAddress);
  if (Empty(courier->NetworkName) && Empty(courier->MacAddress)) {
    channelText.OnSetString(nullptr);
    signalText.OnSetString(nullptr);
    return taken;
  }
  OnSetChannel(courier->Channel);
  OnSetSignal(courier->Signal);
  return taken;
}

XObject* ApItem::GetData(XObject* data) {
  auto* courier = vg_cast<ApCourier>(data);
  if (!courier) courier = VgNew<ApCourier>();
  ListItem::GetData(courier);
  courier->NetworkName = NetworkName;
  courier->MacAddress = macText.String;
  courier->Channel = Channel;
  courier->Signal = Signal;
  return courier;
}

// ----------------------------------------------------- ApItem_Protocol

void ApItem_Protocol::OnSetProtocol(uint8_t value) {
  Protocol = value;
  macText.OnSetString(ProtocolName(value));
}

XObject* ApItem_Protocol::SetData(XObject* data) {
  auto* courier = vg_cast<ApCourier>(data);
  if (!courier) {
    Clear();
    return nullptr;
  }
  XObject* taken = ApItem::SetData(courier);
  OnSetProtocol(courier->Mode);
  if (Empty(courier->NetworkName) && Empty(courier->MacAddress)) macText.OnSetString(nullptr);
  return taken;
}

XObject* ApItem_Protocol::GetData(XObject* data) {
  auto* courier = vg_cast<ApCourier>(ApItem::GetData(data));
  courier->Mode = Protocol;
  return courier;
}

// ------------------------------------------------------------ QORApItem

QORApItem::QORApItem(XObject* link) : ListItem(link) {
  OnSetBounds({0, 0, 440, 30});
  OnSetTextAlignH(Views::Text::AlignLeft);
  caption.OnSetAutoSize(false);
  caption.OnSetEllipsis(true);
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::WiFiScanButtonFocus);
  iconImage.OnSetVisible(false);
  signalBar.OnSetMax(4);
  signalBar.OnSetValue(2);
  signalBar.OnSetPositionMode(::Progress::Progress::Horizontal);
  signalBar.OnSetReadOnly(true);
  signalBar.OnSetBounds({0, 0, 100, 12});
  SetUpColumnText(protocolText, Colors::White);
  lockImage.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::LockImage));
  lockImage.OnSetAutoSize(true);
  lockImage.OnSetVisible(false);
  Add(&lockImage, 0);
  Add(&protocolText, 0);
  Add(&signalBar, 0);
  OnSetText(nullptr);
}

void QORApItem::Refresh(XObject* sender) {
  ListItem::Refresh(sender);
  const int32_t h = VgGetRectH(Bounds);
  // From the row's very edge: the focus band has no line at its ends.
  caption.OnSetBounds({0, 0, 160, h});
  const VgPoint lock = VgGetRectSize(lockImage.Bounds);
  lockImage.OnSetBounds({175, (h - lock.y) / 2, 175 + lock.x, (h - lock.y) / 2 + lock.y});
  const int32_t protocolX = lockImage.Bounds.x2 + 15;
  protocolText.OnSetBounds({protocolX, 0, protocolX + 100, h});
  const int32_t barX = protocolX + 100 + 10;
  const int32_t barH = VgGetRectH(signalBar.Bounds);
  signalBar.OnSetBounds({barX, (h - barH) / 2, barX + 100, (h - barH) / 2 + barH});
  if (protocolText.Font.get() != TextFont.get()) protocolText.OnSetFont(TextFont);
  if (protocolText.Color != TextColor) protocolText.OnSetColor(TextColor);
}

void QORApItem::OnSetSecurity(int8_t value) {
  Security = value;
  lockImage.OnSetVisible(value > 0);
}

void QORApItem::OnSetSignal(uint8_t value) {
  Signal = value;
  signalBar.OnSetValue(std::min<int32_t>(value, 4));
}

void QORApItem::OnSetProtocol(uint8_t value) {
  Protocol = value;
  protocolText.OnSetString(ProtocolName(value));
}

void QORApItem::OnSetNetworkName(VgString value) {
  NetworkName = value;
  OnSetText(value);
}

XObject* QORApItem::SetData(XObject* data) {
  XObject* taken = ListItem::SetData(data);
  auto* courier = vg_cast<QORApCourier>(data);
  if (!courier || (Empty(courier->NetworkName) && Empty(courier->MacAddress))) {
    OnSetNetworkName(nullptr);
    OnSetSecurity(0);
    protocolText.OnSetString(nullptr);
    signalBar.OnSetVisible(false);
    return taken;
  }
  OnSetNetworkName(courier->NetworkName);
  OnSetSecurity(static_cast<int8_t>(courier->Security));
  OnSetProtocol(courier->Mode);
  OnSetSignal(courier->Signal);
  signalBar.OnSetVisible(true);
  return taken;
}

XObject* QORApItem::GetData(XObject* data) {
  auto* courier = vg_cast<QORApCourier>(data);
  if (!courier) courier = VgNew<QORApCourier>();
  ListItem::GetData(courier);
  courier->NetworkName = NetworkName;
  courier->Signal = Signal;
  courier->Security = static_cast<uint8_t>(Security);
  courier->Mode = Protocol;
  return courier;
}

// ------------------------------------------------------ AccessPointList

AccessPointList::AccessPointList(XObject* link) : ListClass(kAccessPointList, link) {
  OnActivateOption = VgSlotOf<&AccessPointList::ConnectAP>(this);
  MakeHeaders(this, headers, kApColumns);
}

void AccessPointList::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ListBase::Initialize(parameter);
  if (ProtocolMode) {
    // The column of the address shows the mode instead.
    headers[1].OnSetString(Sid(Strings::SID_MODE));
    ItemClass = &ApItem_Protocol::Class;
  }
  Fill(this);
}

void AccessPointList::PlaceIndicators(int32_t x) {
  for (Forms::Indicator* arrow : {PrevIndicator.get(), NextIndicator.get()})
    if (arrow) arrow->OnSetBounds(VgSetRectOrigin(arrow->Bounds, {x, arrow->Bounds.y1}));
}

void AccessPointList::StartScan() {
  Scan(this);
  // Parked past the right edge, where they are not drawn.
  PlaceIndicators(VgGetRectW(Bounds));
}

int32_t AccessPointList::GetScanResult() {
  const int32_t count = LoadScan(this);
  if (count >= 1) PlaceIndicators(kApArrowX);
  return count;
}

void AccessPointList::ConnectAP(XObject* sender) {
  auto* row = vg_cast<ApItem>(sender);
  if (!row) row = vg_cast<ApItem>(Focus.get());
  if (!row || Empty(row->NetworkName)) return;
  SkinBin::NetworkSetup& network = Network();
  if (row->Index < network.NumAccessPoints) network.SelectedIndex = row->Index;
  if (!Empty(PIN)) {
    auto* request = VgNew<Structures::WPS_Connection>();
    request->Method = 1;  // joins by PIN
    request->Text = row->NetworkName;
    request->PIN = PIN;
    request->Value = 0;  // not by push button
    network.WPS_Join(request);
  }
  VgSignal(OnConnectAP, this);
}

// --------------------------------------------------- QORAccessPointList

QORAccessPointList::QORAccessPointList(XObject* link) : ListClass(kQORAccessPointList, link) {
  OnActivateOption = VgSlotOf<&QORAccessPointList::ConnectAP>(this);
  MakeHeaders(this, headers, kQorColumns);
}

void QORAccessPointList::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ListBase::Initialize(parameter);
  Fill(this);
}

void QORAccessPointList::StartScan() { Scan(this); }

int32_t QORAccessPointList::GetScanResult() { return LoadScan(this); }

void QORAccessPointList::ConnectAP(XObject* sender) {
  auto* row = vg_cast<QORApItem>(sender);
  if (!row) row = vg_cast<QORApItem>(Focus.get());
  if (!row || Empty(row->NetworkName)) return;
  SkinBin::NetworkSetup& network = Network();
  if (row->Index < network.NumAccessPoints) network.SelectedIndex = row->Index;
  SecurityMethod = static_cast<uint8_t>(row->Security);
  NetworkName = row->NetworkName;
  if (SecurityMethod == 0) {
    auto* join = VgNew<Structures::WLAN_Connection>();
    join->SecurityMethod = kOpenNetwork;
    join->Flag = 0;
    join->SSID = row->NetworkName;
    network.WLAN_JoinNetwork(join);
  }
  VgSignal(OnConnectAP, this);
}

XObject* QORAccessPointList::HandleEvent(Core::Event* event) {
  if (PressedKey(event) != IncreaseKey || IncreaseKey == Key::None) return ListClass::HandleEvent(event);
  if (ScrollItems(+1) != 0) return KeyHandled();
  // At the last row: the dialog moves the focus on.
  return Parent ? Parent->HandleEvent(event) : nullptr;
}

}  // namespace ListForm
