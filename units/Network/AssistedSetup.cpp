#include "Network/AssistedSetup.h"

#include "AppServices/MessageAgent.h"
#include "AppServices/Wrapper.h"
#include "Constants/Constants.h"
#include "Events/Events.h"
#include "Network/CancelDialog.h"
#include "Network/WirelessSetupMenu.h"
#include "NonMenuSystem/KeyPad.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "SkinBin/UserRefInt.h"
#include "Strings.h"
#include "Structures/Boxes.h"
#include "Structures/Devices.h"
#include "Structures/Message.h"
#include "SubSystem/Open.h"

VG_DEFINE_CLASS(Network, AssistedSetup_ApList, Network::NetworkWidgetClass)
VG_DEFINE_CLASS(Network, AssistedSetup_ApInfo, Network::NetworkWidgetClass)
VG_DEFINE_CLASS(Network, ManualSetup_ApInfo, Network::AssistedSetup_ApInfo)
VG_DEFINE_CLASS(Network, AssistedSetupSecureError, Network::NetworkWidgetClass)
VG_DEFINE_CLASS(Network, AssistedSetupInvalidName, Network::AssistedSetupSecureError)
VG_DEFINE_CLASS(Network, AssistedSetupInvalidWEPKey, Network::AssistedSetupSecureError)
VG_DEFINE_CLASS(Network, AssistedSetupInvalidWPAKey, Network::AssistedSetupSecureError)
VG_DEFINE_CLASS(Network, AssistedSetupNoApFound, Network::AssistedSetupSecureError)
VG_DEFINE_CLASS(Network, AssistedSetup_ApConnected, Network::EasySetup_ApInfo)
VG_DEFINE_CLASS(Network, ManualSetup_ApConnected, Network::EasySetup_ApInfo)

namespace Network {

namespace {

using Views::Text;

constexpr int32_t kErrorTimeout = 60000;
// The byte of an access-point record that holds its security method.
constexpr int32_t kSecurityByte = 5;
// What the keyboard's flag selects: the full set of characters.
constexpr bool kFullKeyboard = true;

// Caption and list.
constexpr DialogDef kList{.caption = &Strings::SID_ASSISTED_SETUP,
                           .help = &kHelpScan,
                           .waiting = kBusy,
                           .next = &AssistedSetup_ApInfo::Class,
                           .back = &WirelessSetupMenu::Class,
                           .timeout = kScanTimeout,
                           .onTimeout = DialogSlot<&ApListDialog::ScanTimeout>,
                           .bounds = {0, 110, 750, 410}};
constexpr int32_t kListY = 44;

// Caption, body, the form's four rows and Done under them.
constexpr DialogDef kAssisted{.caption = &Strings::SID_ASSISTED_SETUP,
                               .body = &Strings::SID_ENTER_SECURITY_KEY,
                               .help = &kHelpEnterBack,
                               .waiting = kIdle,
                               .modal = false,
                               .next = &AssistedSetup_ApConnected::Class,
                               .back = &AssistedSetup_ApList::Class,
                               .bounds = {0, 140, 440, 376},
                               .bodyHeight = 30};
constexpr DialogDef kManual{.caption = &Strings::SID_MANUAL_SETUP,
                             .body = &Strings::SID_CONFIGURE_SETTINGS,
                             .help = &kHelpEnterBack,
                             .waiting = kIdle,
                             .modal = false,
                             .next = &ManualSetup_ApConnected::Class,
                             .back = &WirelessSetupMenu::Class,
                             .bounds = {0, 140, 440, 376},
                             .bodyHeight = 30};
constexpr int32_t kFormY = 74;
constexpr int32_t kDoneY = 192;

constexpr DialogDef ErrorDef(const VgConstant* body) {
  return {.caption = &Strings::SID_ASSISTED_SETUP,
          .body = body,
          .bodyAlignV = Text::AlignMiddle,
          .help = &kHelpEnter,
          .waiting = kIdle,
          .next = &AssistedSetup_ApInfo::Class,
          .back = &AssistedSetup_ApInfo::Class,
          .timeout = kErrorTimeout,
          .onTimeout = DialogSlot<&NetworkWidgetClass::GoBack>};
}
constexpr DialogDef kSecureError = ErrorDef(&Strings::SID_SECURITY_ERROR);
constexpr DialogDef kInvalidName = ErrorDef(&Strings::SID_NAME_TOO_LONG);
constexpr DialogDef kInvalidWepKey = ErrorDef(&Strings::SID_INVALID_WEP_KEY);
constexpr DialogDef kInvalidWpaKey = ErrorDef(&Strings::SID_INVALID_WPA_KEY);
constexpr DialogDef kNoApFound = ErrorDef(&Strings::SID_NO_APS_FOUND_CHECK);

SkinBin::NetworkSetup& Network() { return MainApp::GetWrapper()->NetworkSetup; }

}  // namespace

// --------------------------------------------------- AssistedSetup_ApList

// OK on a network records it as the one chosen; the list's PIN is empty, so
// no WPS join starts.
AssistedSetup_ApList::AssistedSetup_ApList(XObject* link) : AssistedSetup_ApList(kList, link) {}

AssistedSetup_ApList::AssistedSetup_ApList(const DialogDef& def, XObject* link) : ApListDialog(def, kListY, link) {}

// --------------------------------------------------- AssistedSetup_ApInfo

AssistedSetup_ApInfo::AssistedSetup_ApInfo(XObject* link) : AssistedSetup_ApInfo(kAssisted, link) {}

AssistedSetup_ApInfo::AssistedSetup_ApInfo(const DialogDef& def, XObject* link) : NetworkWidgetClass(def, link) {
  // The form and Done stand centred under the text.
  const int32_t width = VgGetRectW(Bounds);
  form.OnSetBounds(VgSetRectOrigin(form.Bounds, {(width - ApInfo::RowWidth) / 2, kFormY}));
  form.OnFocus = VgSlotOf<&AssistedSetup_ApInfo::UpdateHelp>(this);
  form.OnResetTimeout = VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(static_cast<Primitives::KeyRoutingForm*>(this));
  const VgPoint size = VgGetRectSize(done.Bounds);
  const int32_t doneX = (width - size.x) / 2;
  done.OnSetBounds({doneX, kDoneY, doneX + size.x, kDoneY + size.y});
  done.OnSetText(StringOf(&Strings::SID_DONE));
  done.OnSetHelpMask(kHelpEnterBack.mask);
  done.OnSetHelpString(HelpLabels(kHelpEnterBack));
  done.OnSetOnActivate(VgSlotOf<&AssistedSetup_ApInfo::ConnectAp>(this));
  done.OnSetOnFocus(VgSlotOf<&AssistedSetup_ApInfo::UpdateHelp>(this));
  Add(&form, 0);
  Add(&done, 0);
  OnSetFocus(&form);
}

void AssistedSetup_ApInfo::Initialize(Primitives::KeyRoutingParameter* parameter) {
  NetworkWidgetClass::Initialize(parameter);
  MainApp::GetMessageAgent()->Register(this);
  ConfigScan(false);
  SkinBin::NetworkSetup& network = Network();
  const int32_t index = network.SelectedIndex;
  const bool chosen = index >= 0 && index < network.NumAccessPoints && index < SkinBin::NetworkSetup::kCapacity;
  form.Setup(this, chosen ? network.AccessPoints[size_t(index)] : nullptr);
  OnSetFocus(&form);
}

void AssistedSetup_ApInfo::Close(XObject* sender) {
  NetworkWidgetClass::Close(sender);
  MainApp::GetMessageAgent()->UnRegister(this);
}

void AssistedSetup_ApInfo::ConfigScan(bool busy) {
  if (busy) {
    OnSetShowWaiting(kBusy);
    OnSetTimeOutValue(JoinTimeout);
    OnSetOnTimeOut(VgSlotOf<&AssistedSetup_ApInfo::ScanTimeout>(this));
  } else {
    OnSetShowWaiting(kIdle);
    OnSetTimeOutValue(IdleTimeout);
    OnSetOnTimeOut(VgSlotOf<&NonMenuSystem::WidgetClass::ClearAll>(static_cast<NonMenuSystem::WidgetClass*>(this)));
  }
  SetTimeout(true);
  ResetTimeout();
}

void AssistedSetup_ApInfo::ScanTimeout(XObject*) {
  ConfigScan(false);
  OpenError(&AssistedSetupNoApFound::Class);
}

void AssistedSetup_ApInfo::OpenError(const VgClass* page) {
  NextState = page;
  EnterNextState();
}

void AssistedSetup_ApInfo::ConnectAp(XObject* sender) {
  if (IsBusy()) return;
  ::Structures::WLAN_Connection* connection = form.GetConnection();
  if (connection->SecurityMethod == Security::MethodUnsupported) {
    OpenError(&AssistedSetupSecureError::Class);
    return;
  }
  if (connection->SecurityMethod == Security::MethodOpen && !vg_cast<::Network::CheckNoEncryption>(sender)) {
    CheckNoEncryption();
    return;
  }
  SkinBin::NetworkSetup& network = Network();
  if (::Structures::WLAN_Info* current = network.CurrentConnection) {
    current->SSID = connection->SSID;
    current->Status[kSecurityByte] = connection->SecurityMethod;
  }
  if (network.WLAN_JoinNetwork(connection)) {
    form.OnSetEnabled(false);
    ConfigScan(true);
  } else {
    OpenError(&AssistedSetupNoApFound::Class);
  }
}

void AssistedSetup_ApInfo::CheckNoEncryption() {
  if (!NonMenuSystem) return;
  OnSetVisible(false);
  auto* param = vg_cast<SkinBin::UserRefInt>(MakeOriginParam());
  param->Object = this;
  SubSystem::Open(NonMenuSystem, {.screen = &::Network::CheckNoEncryption::Class, .param = param, .asker = this});
}

XObject* AssistedSetup_ApInfo::HandleEvent(Core::Event* event) {
  if (auto* done = vg_cast<Events::WlanConnectCompleteEvent>(event)) {
    ConfigScan(false);
    if (done->Status == kNotFoundStatus)
      NextState = &AssistedSetupNoApFound::Class;
    else if (done->Status != kJoinedStatus)
      NextState = &AssistedSetupSecureError::Class;
    EnterNextState();
    return this;
  }
  return NetworkWidgetClass::HandleEvent(event);
}

void AssistedSetup_ApInfo::HandleMessage(Structures::Message* message) {
  if (!message || message->Code != Constants::MSG_LABEL_CHANGE) return;
  // Shown again: it hid while the keyboard showed.
  UndoCancel();
  auto* typed = vg_cast<Structures::RefString>(message->Payload.get());
  if (!typed) return;
  switch (form.UpdateLabel(typed->Value)) {
    case 2:
      OpenError(&AssistedSetupInvalidName::Class);
      break;
    case 3:
      OpenError(form.OnGetSecurityMethod() == Security::MethodWep ? &AssistedSetupInvalidWEPKey::Class
                                                                  : &AssistedSetupInvalidWPAKey::Class);
      break;
    default:
      break;
  }
}

void AssistedSetup_ApInfo::ShowKeyboard(int32_t maxLength, VgString text) {
  if (!NonMenuSystem) return;
  OnSetVisible(false);
  SubSystem::Open(NonMenuSystem, {.screen = &::NonMenuSystem::KeyPad::Class,
                                  .value = maxLength,
                                  .origin = OriginTag(),
                                  .text = text,
                                  .flag = kFullKeyboard,
                                  .asker = this});
}

void AssistedSetup_ApInfo::UpdateHelp(XObject* sender) {
  if (!NonMenuSystem) return;
  if (auto* button = vg_cast<SkinBin::Button>(sender)) {
    NonMenuSystem->UpdateHelp(button->HelpMask, button->HelpString, this);
    return;
  }
  if (ApInfoItem* row = form.FocusedRow()) NonMenuSystem->UpdateHelp(row->HelpMask, row->HelpString, this);
}

void AssistedSetup_ApInfo::EnterPrevState() {
  DoCleanup();
  NetworkWidgetClass::EnterPrevState();
}

// The list shown next reuses the last scan instead of scanning again.
void AssistedSetup_ApInfo::DoCleanup() { Network().KeepScanResult = 1; }

// ----------------------------------------------------- ManualSetup_ApInfo

ManualSetup_ApInfo::ManualSetup_ApInfo(XObject* link) : AssistedSetup_ApInfo(kManual, link) {}

void ManualSetup_ApInfo::Initialize(Primitives::KeyRoutingParameter* parameter) {
  AssistedSetup_ApInfo::Initialize(parameter);
  auto* record = VgNew<::Structures::WLAN_Info>();
  record->Status[kSecurityByte] = Security::kDefaultMethod;
  Network().CurrentConnection = record;
  form.Setup(this, record);
  form.OnSetFocus(form.Row(ApInfo::RowName));
  OnSetFocus(&form);
}

void ManualSetup_ApInfo::DoCleanup() {}

// ----------------------------------------------------------- error pages

AssistedSetupSecureError::AssistedSetupSecureError(XObject* link) : AssistedSetupSecureError(kSecureError, link) {}

AssistedSetupSecureError::AssistedSetupSecureError(const DialogDef& def, XObject* link)
    : NetworkWidgetClass(def, link) {}

// OK opens the dialog the error came from afresh.
void AssistedSetupSecureError::Initialize(Primitives::KeyRoutingParameter* parameter) {
  NetworkWidgetClass::Initialize(parameter);
  if (!ParamText) return;
  OnSetCaption(ParamText);
  if (VgCompString(ParamText, StringOf(&Strings::SID_MANUAL_SETUP)) == 0) {
    NextState = &ManualSetup_ApInfo::Class;
    PrevState = &ManualSetup_ApInfo::Class;
  }
}

AssistedSetupInvalidName::AssistedSetupInvalidName(XObject* link) : AssistedSetupSecureError(kInvalidName, link) {}

AssistedSetupInvalidWEPKey::AssistedSetupInvalidWEPKey(XObject* link)
    : AssistedSetupSecureError(kInvalidWepKey, link) {}

AssistedSetupInvalidWPAKey::AssistedSetupInvalidWPAKey(XObject* link)
    : AssistedSetupSecureError(kInvalidWpaKey, link) {}

AssistedSetupNoApFound::AssistedSetupNoApFound(XObject* link) : AssistedSetupSecureError(kNoApFound, link) {}

// ---------------------------------------------------------- link pages

AssistedSetup_ApConnected::AssistedSetup_ApConnected(XObject* link) : EasySetup_ApInfo(LinkPageDef(&Strings::SID_ASSISTED_SETUP, &AssistedSetup_ApInfo::Class), link) {}

ManualSetup_ApConnected::ManualSetup_ApConnected(XObject* link) : EasySetup_ApInfo(LinkPageDef(&Strings::SID_MANUAL_SETUP, &ManualSetup_ApInfo::Class), link) {}

}  // namespace Network
