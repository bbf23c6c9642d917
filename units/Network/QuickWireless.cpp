#include "Network/QuickWireless.h"

#include <string_view>

#include "AppServices/MessageAgent.h"
#include "AppServices/Messages.h"
#include "AppServices/OptionDB.h"
#include "AppServices/Wrapper.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "Fonts/Fonts.h"
#include "Network/ApInfo.h"
#include "Network/AssistedSetup.h"
#include "Network/CancelDialog.h"
#include "Network/StatusDialogs.h"
#include "Network/WpsDialogs.h"
#include "NonMenuSystem/KeyPad.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "NonMenuSystem/OptionDialog.h"
#include "OptionDatabase/OptionBinding.h"
#include "OptionDatabase/OptionTypes.h"
#include "Primitives/KeyRoutingParameter.h"
#include "SkinBin/NetworkSetup.h"
#include "SkinBin/UserRefInt.h"
#include "Strings.h"
#include "Structures/Boxes.h"
#include "Structures/Devices.h"
#include "Structures/Message.h"
#include "SubSystem/Open.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(Network, NetworkConfirmDialog, NonMenuSystem::ConfirmOptionDialog)
VG_DEFINE_CLASS(Network, WirelessScanDialog, Network::QORNetworkWidgetClass)
VG_DEFINE_CLASS(Network, WirelessAdvancedDialog, Network::NetworkConfirmDialog)

namespace Network {

namespace {

namespace O = OptionDatabase;

// The buttons stand this far above the frame.
constexpr int32_t kButtonsAboveFrame = 25;
constexpr int32_t kButtonGap = 20;

// The scan dialog: the list under the caption.
constexpr VgRect kScanBounds{0, 60, 700, 470};
constexpr int32_t kListX = 16;
// The byte of an access-point record that holds its security method.
constexpr int32_t kSecurityByte = 5;

// The manual dialog: five rows of a label and its button.
constexpr VgRect kAdvancedBounds{0, 70, 600, 450};
constexpr int32_t kRowTop = 20;
constexpr int32_t kRowPitch = 40;
constexpr int32_t kLabelLeft = 20;
constexpr int32_t kLabelWidth = 200;
constexpr int32_t kControlWidth = 260;
// What the keyboard takes for a name and a password; its flag gives it
// lower case and the symbols of network names and keys.
constexpr int32_t kNameKeyboardLength = 128;
constexpr int32_t kKeyKeyboardLength = 64;
// A join by name leaves the security to the middleware.
constexpr int32_t kMethodByName = -1;

struct ControlDef {
  const VgConstant* label;
  // A label of its own, or the caption with ":" after it.
  bool addColon;
  int32_t option;
  const char* opens;
};
constexpr ControlDef kControls[WirelessAdvancedDialog::ControlCount] = {
    {&Strings::SID_CONNECTING_MODE, false, O::OPTION_TYPE_WIFI_CONNECT_MODE, "NonMenuSystem::OptionDialog"},
    {&Strings::SID_AUTHENTICATION, true, O::OPTION_TYPE_AUTHENTICATION, "NonMenuSystem::OptionDialog"},
    {&Strings::SID_ENCRYPTION, true, O::OPTION_TYPE_ENCRYPTION, "NonMenuSystem::OptionDialog"},
    {&Strings::SID_NETWORK_NAME, true, 0, "NonMenuSystem::KeyPad"},
    {&Strings::SID_PASSWORD, false, 0, "NonMenuSystem::KeyPad"},
};

SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }
SkinBin::NetworkSetup& Network() { return Model()->NetworkSetup; }
VgString Text(const VgConstant& constant) { return VgGetVariantOfString(&constant); }
std::u16string_view Chars(VgString text) { return {text ? text : u"", size_t(VgGetStringLength(text))}; }

VgString Stars(int32_t count) {
  std::u16string stars(size_t(count > 0 ? count : 0), u'*');
  return VgNewString(stars.c_str());
}

}  // namespace

// ------------------------------------------------------------ NetworkConfirmDialog

NetworkConfirmDialog::NetworkConfirmDialog(XObject* link) : ConfirmOptionDialog(link) {
  WinID = WinIDs::WIN_ID_ConfirmMultiOptionsDialog;
  NextState = &NetworkStatusDialog::Class;
  IsShortcut = true;
  ButtonWidth = ConfirmButtonWidth;
  ButtonHeight = ConfirmButtonHeight;
  OnSetCaption(Text(Strings::SID_WIFI_SETUP));
  yesButton.OnSetText(Text(Strings::SID_OK));
  noButton.OnSetText(Text(Strings::SID_CANCEL));
  for (SkinBin::Button* button : {&yesButton, &noButton}) {
    button->OnSetOnActivate(VgSlotOf<&NetworkConfirmDialog::DoActivate>(this));
    Add(button, 0);
  }
  OnSetWarningInfo(VgNewString(u""));
  OnSetFocus(&noButton);
}

int32_t NetworkConfirmDialog::ButtonTop() const {
  return VgGetRectH(Bounds) - ButtonHeight - FrameWidth - kButtonsAboveFrame;
}

void NetworkConfirmDialog::Refresh(XObject* sender) {
  ConfirmOptionDialog::Refresh(sender);
  const int32_t left = (VgGetRectW(Bounds) - 2 * ButtonWidth - kButtonGap) / 2;
  const int32_t top = ButtonTop();
  yesButton.OnSetBounds({left, top, left + ButtonWidth, top + ButtonHeight});
  const int32_t right = left + ButtonWidth + kButtonGap;
  noButton.OnSetBounds({right, top, right + ButtonWidth, top + ButtonHeight});
}

XObject* NetworkConfirmDialog::HandleEvent(Core::Event* event) {
  switch (Core::PressedKey(event)) {
    case Key::Up:
      SelectUpper();
      break;
    case Key::Down:
      SelectLower();
      break;
    case Key::Left:
      if (Focus.get() == &noButton) OnSetFocus(&yesButton);
      break;
    case Key::Right:
      if (Focus.get() == &yesButton) OnSetFocus(&noButton);
      break;
    default:
      return ConfirmOptionDialog::HandleEvent(event);
  }
  ResetTimeout();
  return this;
}

void NetworkConfirmDialog::DoActivate(XObject* sender) {
  ResetTimeout();
  if (sender == &noButton)
    EnterPrevState();
  else if (sender == &yesButton)
    DoYesMethod();
}

bool NetworkConfirmDialog::ConnectAp(XObject*) { return true; }

// A request that opened an error page or asked a question first leaves the
// viewer there: the status dialog over it would hide what is asked.
void NetworkConfirmDialog::DoYesMethod() {
  if (ConnectAp(this)) EnterNextState();
}

void NetworkConfirmDialog::EnterNextState() {
  Close();
  if (!NextState || !NonMenuSystem) return;
  SubSystem::Open(NonMenuSystem, {.screen = NextState, .back = GetClass(), .origin = OriginTag(), .text = SSID});
}

// ------------------------------------------------------------ WirelessScanDialog

WirelessScanDialog::WirelessScanDialog(XObject* link) : QORNetworkWidgetClass(link) {
  OnSetCaption(Text(Strings::WirelessMenuScanForAccessPoints));
  IsShortcut = true;
  NextState = &NetworkStatusDialog::Class;
  OnSetBounds(kScanBounds);
  const VgPoint size = VgGetRectSize(list.Bounds);
  const int32_t top = ContentTop();
  list.OnSetBounds({kListX + FrameWidth, top, kListX + FrameWidth + size.x, top + size.y});
  list.OnSetOnConnectAP(VgSlotOf<&WirelessScanDialog::DoSelectAP>(this));
  Add(&list, 0);
  OnSetFocus(&list);
  ShowWaiting = 1;
}

void WirelessScanDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  QORNetworkWidgetClass::Initialize(parameter);
  Mode = ParamValue;
  const SkinBin::NetworkSetup& network = Network();
  // The list shows the kept scan only when it holds access points.
  ConfigScan(!(network.KeepScanResult && network.NumAccessPoints > 0));
  auto* own = VgNew<Primitives::KeyRoutingParameter>();
  own->Parent = this;
  list.Initialize(own);
  OnSetFocus(&list);
}

void WirelessScanDialog::ConfigScan(bool scanning) {
  if (scanning) {
    ShowNoApFound(false);
    OnSetShowWaiting(1);
    OnSetOnTimeOut(VgSlotOf<&WirelessScanDialog::ScanTimeout>(this));
  } else {
    OnSetShowWaiting(0);
    OnSetTimeOutValue(IdleTimeout);
    OnSetOnTimeOut(VgSlotOf<&NonMenuSystem::WidgetClass::ClearAll>(static_cast<NonMenuSystem::WidgetClass*>(this)));
  }
  SetTimeout(true);
  ResetTimeout();
}

void WirelessScanDialog::ScanTimeout(XObject*) {
  ConfigScan(false);
  ShowNoApFound(true);
}

void WirelessScanDialog::ShowNoApFound(bool show) {
  if (show) {
    if (NoApFoundPanel) return;
    NoApFoundPanel = VgNew<NoApFound>();
    NoApFoundPanel->OnSetEnabled(false);
    NoApFoundPanel->OnSetBounds(VgSetRectOrigin(NoApFoundPanel->Bounds, NoApFoundAt));
    Add(NoApFoundPanel, 0);
    RestackTop(NoApFoundPanel);
    return;
  }
  if (!NoApFoundPanel) return;
  if (NoApFoundPanel->owner.get() == this) Remove(NoApFoundPanel);
  NoApFoundPanel = nullptr;
  OnSetFocus(&list);
}

void WirelessScanDialog::DoCancel() {
  Network().WLAN_StopScan();
  QORNetworkWidgetClass::DoCancel();
}

XObject* WirelessScanDialog::HandleEvent(Core::Event* event) {
  if (vg_cast<Events::WlanScanCompleteEvent>(event)) {
    ConfigScan(false);
    const int32_t found = list.GetScanResult();
    // The list was disabled while it scanned.
    OnSetFocus(&list);
    ShowNoApFound(found == 0);
    return this;
  }
  const uint16_t code = Core::PressedKey(event);
  switch (code) {
    case Key::Red:
      if (!IsScanning()) {
        ConfigScan(true);
        list.StartScan();
      }
      ResetTimeout();
      return this;
    case Key::Ok:
      ResetTimeout();
      return this;
    default:
      return QORNetworkWidgetClass::HandleEvent(event);
  }
}

void WirelessScanDialog::DoSelectAP(XObject*) {
  if (IsScanning()) return;
  if (Mode == ModeWpsPin) {
    switch (Model()->OnGetWPSPinMode()) {
      case 0:
        NextState = &WPSGeneratePinDialog::Class;
        break;
      case 1:
        NextState = &PinEnterDialog::Class;
        break;
      default:
        break;
    }
  } else {
    // An open network the list has already started to join.
    NextState = list.SecurityMethod != 0 ? &PinEnterDialog::Class : &NetworkStatusDialog::Class;
  }
  EnterNextState();
}

void WirelessScanDialog::EnterNextState() {
  Close();
  if (!NextState || !NonMenuSystem) return;
  SubSystem::Open(NonMenuSystem,
                  {.screen = NextState, .back = GetClass(), .value = Mode, .origin = OriginTag(), .text = list.NetworkName});
}

// ------------------------------------------------------------ WirelessAdvancedDialog

WirelessAdvancedDialog::WirelessAdvancedDialog(XObject* link) : NetworkConfirmDialog(link) {
  OnSetBounds(kAdvancedBounds);
  Resources::Font* medium = VgLoad<Resources::Font>(Fonts::MediumFont);
  const int32_t top = ContentTop() + kRowTop;
  const int32_t left = ContentLeft() + kLabelLeft;
  for (int32_t i = 0; i < ControlCount; ++i) {
    const ControlDef& def = kControls[i];
    const int32_t y = top + i * kRowPitch;
    Views::Text& label = labels[i];
    VgString text = Text(*def.label);
    label.OnSetString(def.addColon ? VgConcatString(text, Text(Strings::SID_LABEL_COLON)) : text);
    label.OnSetFont(medium);
    label.OnSetColor(NonMenuSystem::Look::Text);
    label.OnSetAlignV(Views::Text::AlignMiddle);
    label.OnSetBounds({left, y, left + kLabelWidth, y + SkinBin::Button::FocusedTextHeight});
    Add(&label, 0);
    OptionButton& control = controls[i];
    control.OnSetOptionType(uint32_t(def.option));
    control.OnSetText(VgNewString(u""));
    const int32_t x = left + kLabelWidth;
    control.OnSetBounds({x, y, x + kControlWidth, y + SkinBin::Button::FocusedTextHeight});
    control.OnSetOnActivate(VgSlotOf<&WirelessAdvancedDialog::DoActivate>(this));
    Add(&control, 0);
  }
  // The controls come first in the focus order, OK and Cancel after them.
  RestackTop(&yesButton);
  RestackTop(&noButton);
  OnSetFocus(&controls[ControlMode]);
}

void WirelessAdvancedDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  NetworkConfirmDialog::Initialize(parameter);
  MainApp::GetMessageAgent()->Register(this);
  SkinBin::NetworkSetup& network = Network();
  if (!network.CurrentConnection) {
    auto* record = VgNew<::Structures::WLAN_Info>();
    record->Status[kSecurityByte] = Security::kDefaultMethod;
    network.CurrentConnection = record;
  }
  for (int32_t i : {ControlMode, ControlAuthentication, ControlEncryption}) LoadOptionItem(&controls[i]);
  RefreshGrayout();
}

void WirelessAdvancedDialog::Close(XObject* sender) {
  NetworkConfirmDialog::Close(sender);
  MainApp::GetMessageAgent()->UnRegister(this);
}

void WirelessAdvancedDialog::LoadOptionItem(OptionButton* button) {
  if (!button || button->OptionType == 0) return;
  O::OptionBinding option(MainApp::GetOptionDB(), int32_t(button->OptionType), "Network::WirelessAdvancedDialog");
  if (!option) return;
  option.Read();
  if (VgString text = option.ChoiceText()) button->OnSetText(text);
}

void WirelessAdvancedDialog::RefreshGrayout() {
  SkinBin::Wrapper* model = Model();
  const bool secured = model->OnGetConnectMode() == ModeSecured;
  for (int32_t i : {ControlAuthentication, ControlEncryption}) {
    controls[i].OnSetIsDisabled(!secured);
    controls[i].OnSetEnabled(secured);
  }
  const bool keyless = secured && model->OnGetEncryption() == Security::EncNone;
  controls[ControlPassword].OnSetIsDisabled(keyless);
  controls[ControlPassword].OnSetEnabled(!keyless);
}

void WirelessAdvancedDialog::DoActivate(XObject* sender) {
  int32_t index = 0;
  while (index < ControlCount && sender != &controls[index]) ++index;
  if (index == ControlCount) {
    NetworkConfirmDialog::DoActivate(sender);
    return;
  }
  ResetTimeout();
  if (!NonMenuSystem) return;
  const OptionButton& button = controls[index];
  SubSystem::Opening opening{.back = GetClass(), .origin = OriginTag(), .asker = this};
  if (button.OptionType) {
    opening.value = int32_t(button.OptionType);
  } else {
    opening.flag = true;
    opening.value = index == ControlName ? kNameKeyboardLength : kKeyKeyboardLength;
    if (index == ControlName) opening.text = SSID;
  }
  Primitives::KeyRoutingForm* next = SubSystem::Open(NonMenuSystem, kControls[index].opens, opening);
  if (auto* options = vg_cast<NonMenuSystem::OptionDialog>(next))
    options->OnSetOnValueChanged(VgSlotOf<&WirelessAdvancedDialog::DoValueChange>(this));
}

void WirelessAdvancedDialog::DoValueChange(XObject* sender) {
  if (auto* options = vg_cast<NonMenuSystem::OptionDialog>(sender)) {
    for (OptionButton& button : controls)
      if (button.OptionType && int32_t(button.OptionType) == options->OptionType) LoadOptionItem(&button);
  }
  RefreshGrayout();
}

void WirelessAdvancedDialog::HandleMessage(Structures::Message* message) {
  if (!message || message->Code != Constants::MSG_LABEL_CHANGE) return;
  Reveal();
  auto* typed = vg_cast<Structures::RefString>(message->Payload.get());
  if (!typed) return;
  switch (UpdateLabel(typed->Value)) {
    case 2:
      OpenError(&AssistedSetupInvalidName::Class);
      break;
    case 3:
      OpenError(GetSecurityMethod() == Security::MethodWep ? &AssistedSetupInvalidWEPKey::Class
                                                           : &AssistedSetupInvalidWPAKey::Class);
      break;
    default:
      break;
  }
}

int32_t WirelessAdvancedDialog::UpdateLabel(VgString text) {
  if (Focus.get() == &controls[ControlName]) {
    if (!Security::NameFits(Chars(text))) return 2;
    SSID = text;
    controls[ControlName].OnSetText(text);
    return 1;
  }
  if (Focus.get() == &controls[ControlPassword]) {
    if (!CheckKey(text)) return 3;
    Password = text;
    controls[ControlPassword].OnSetText(Stars(VgGetStringLength(text)));
    return 1;
  }
  return 1;
}

int32_t WirelessAdvancedDialog::GetSecurityMethod() const {
  SkinBin::Wrapper* model = Model();
  switch (model->OnGetConnectMode()) {
    case ModeByName:
      return kMethodByName;
    case ModeSecured:
      return Security::MethodOf(model->OnGetAuthentication(), model->OnGetEncryption());
    default:
      return Security::MethodUnsupported;
  }
}

// A network found by name, or of no method, takes any key.
bool WirelessAdvancedDialog::CheckKey(VgString key) const {
  const int32_t method = GetSecurityMethod();
  if (method == kMethodByName) return true;
  return Security::CheckKey(Security::Method(method), Chars(key));
}

::Structures::WLAN_Connection* WirelessAdvancedDialog::GetConnection() const {
  auto* connection = VgNew<::Structures::WLAN_Connection>();
  connection->SSID = SSID;
  connection->Key = Password;
  connection->KeyLength = uint8_t(VgGetStringLength(Password));
  connection->SecurityMethod = uint8_t(GetSecurityMethod());
  connection->Flag = Model()->OnGetConnectMode() == ModeByName ? 1 : 0;
  return connection;
}

bool WirelessAdvancedDialog::ConnectAp(XObject* sender) {
  ::Structures::WLAN_Connection* connection = GetConnection();
  SkinBin::NetworkSetup& network = Network();
  if (::Structures::WLAN_Info* current = network.CurrentConnection) {
    current->SSID = connection->SSID;
    current->Status[kSecurityByte] = connection->SecurityMethod;
  }
  if (connection->SecurityMethod == Security::MethodUnsupported) {
    OpenError(&AssistedSetupSecureError::Class);
    return false;
  }
  if (connection->SecurityMethod == Security::MethodOpen && !vg_cast<::Network::CheckNoEncryption>(sender)) {
    CheckNoEncryption();
    return false;
  }
  if (!network.WLAN_JoinNetwork(connection)) {
    OpenError(&AssistedSetupNoApFound::Class);
    return false;
  }
  ConfigScan(true);
  return true;
}

void WirelessAdvancedDialog::CheckNoEncryption() {
  if (!NonMenuSystem) return;
  OnSetVisible(false);
  auto* param = vg_cast<SkinBin::UserRefInt>(MakeOriginParam());
  param->Object = this;
  SubSystem::Open(NonMenuSystem, {.screen = &::Network::CheckNoEncryption::Class, .param = param, .asker = this});
}

void WirelessAdvancedDialog::JoinWithoutEncryption(XObject* sender) {
  Reveal();
  if (ConnectAp(sender)) EnterNextState();
}

void WirelessAdvancedDialog::Reveal() { OnSetVisible(true); }

void WirelessAdvancedDialog::ConfigScan(bool waiting) {
  OnSetTimeOutValue(waiting ? JoinTimeout : IdleTimeout);
  if (waiting)
    OnSetOnTimeOut(VgSlotOf<&WirelessAdvancedDialog::ScanTimeout>(this));
  else
    OnSetOnTimeOut(VgSlotOf<&NonMenuSystem::WidgetClass::ClearAll>(static_cast<NonMenuSystem::WidgetClass*>(this)));
  SetTimeout(true);
  ResetTimeout();
}

void WirelessAdvancedDialog::ScanTimeout(XObject*) {
  ConfigScan(false);
  OpenError(&AssistedSetupNoApFound::Class);
}

// The error pages return to this dialog, whichever wizard they belong to.
void WirelessAdvancedDialog::OpenError(const VgClass* page) {
  Close();
  if (!NonMenuSystem) return;
  Primitives::KeyRoutingForm* error =
      SubSystem::Open(NonMenuSystem, {.screen = page, .origin = OriginTag(), .text = OnGetCaption()});
  if (error) {
    error->NextState = GetClass();
    error->PrevState = GetClass();
  }
}

void WirelessAdvancedDialog::EnterPrevState() {
  // The scan dialog shown next reuses the last scan.
  Network().KeepScanResult = 1;
  NetworkConfirmDialog::EnterPrevState();
}

Forms::Ctrl* WirelessAdvancedDialog::SelectUpper() {
  if (Focus.get() != &yesButton) return NetworkConfirmDialog::SelectUpper();
  OptionButton* target = controls[ControlPassword].Enabled ? &controls[ControlPassword] : &controls[ControlName];
  OnSetFocus(target);
  return target;
}

}  // namespace Network
