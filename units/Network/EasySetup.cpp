#include "Network/EasySetup.h"

#include <cstdio>

#include "AppServices/Wrapper.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "Network/WirelessSetupMenu.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Strings.h"

VG_DEFINE_CLASS(Network, EasySetupPBC, Network::NetworkWidgetClass)
VG_DEFINE_CLASS(Network, EasySetupPIN, Network::NetworkWidgetClass)
VG_DEFINE_CLASS(Network, EasySetupPIN_ApList, Network::NetworkWidgetClass)
VG_DEFINE_CLASS(Network, EasySetup_ApInfo, Network::NetworkWidgetClass)
VG_DEFINE_CLASS(Network, EasySetup_PINApInfo, Network::EasySetup_ApInfo)

namespace Network {

namespace {

using Views::Text;

constexpr int32_t kWpsTimeout = 120000;
constexpr int32_t kLinkPageTimeout = 60000;
constexpr int32_t kNoApFoundX = 283;
constexpr int32_t kPinDigits = 8;

constexpr WpsResult kPushButtonResults[] = {
    {WpsProgress::Searching, nullptr, true},
    {WpsProgress::Failed, &Strings::SID_PBC_NOT_FOUND, false},
    {WpsProgress::Joined, &Strings::SID_PBC_AP_FOUND, true},
    {2, &Strings::SID_WPS_WRONG_NAME, false},
    {3, &Strings::SID_PBC_MULTIPLE_APS, false},  // and every other value
};

constexpr WpsResult kPinResults[] = {
    {WpsProgress::Searching, nullptr, true},
    {WpsProgress::Failed, &Strings::SID_PIN_TIMED_OUT, false},
    {WpsProgress::Joined, &Strings::SID_WPS_PLEASE_WAIT, true},
    {2, &Strings::SID_WPS_WRONG_NAME, false},
    {3, &Strings::SID_PIN_INCORRECT, false},
    {4, nullptr, false},  // and every other value
};

// The waits of a WPS join, by push button or by PIN.
constexpr DialogDef WpsDef(const VgConstant* caption, const VgConstant* body) {
  return {.caption = caption,
          .body = body,
          .bodyAlignV = Text::AlignMiddle,
          .waiting = kBusy,
          .promptCancel = true,
          .next = &EasySetupMenu::Class,
          .back = &EasySetupMenu::Class,
          .timeout = kWpsTimeout,
          .onTimeout = DialogSlot<&WpsProgress::DoTimeout>};
}
constexpr DialogDef kPushButton = WpsDef(&Strings::SID_EASY_SETUP_PBC, &Strings::SID_PBC_SEARCHING);
constexpr DialogDef kPin = WpsDef(&Strings::SID_EASY_SETUP_PIN, &Strings::SID_WPS_PLEASE_WAIT);

// Caption, body, list (250 high) and the PIN under it.
constexpr DialogDef kPinList{.caption = &Strings::SID_EASY_SETUP_PIN,
                              .body = &Strings::SID_PIN_ENTER_INTO_AP,
                              .help = &kHelpScan,
                              .waiting = kBusy,
                              .next = &EasySetupPIN::Class,
                              .back = &EasySetupMenu::Class,
                              .timeout = kScanTimeout,
                              .onTimeout = DialogSlot<&ApListDialog::ScanTimeout>,
                              .bounds = {0, 88, 750, 450},
                              .bodyHeight = 28};
constexpr int32_t kPinListY = 70;
constexpr int32_t kPinItemY = 326;

constexpr int32_t kLinkFormY = 74;

SkinBin::NetworkSetup& Network() { return MainApp::GetWrapper()->NetworkSetup; }

}  // namespace

DialogDef LinkPageDef(const VgConstant* caption, const VgClass* back) {
  return {.caption = caption,
          .body = &Strings::SID_WIRELESS_COMPLETE,
          .help = &kHelpEnterBack,
          .waiting = kIdle,
          .modal = false,
          .next = &WirelessSetupMenu::Class,
          .back = back,
          .timeout = kLinkPageTimeout,
          .bounds = {0, 150, 440, 344},
          .bodyHeight = 30};
}

// ------------------------------------------------------------ WpsProgress

WpsProgress::WpsProgress(const DialogDef& def, std::span<const WpsResult> results, const VgClass* linkPage,
                         XObject* link)
    : NetworkWidgetClass(def, link), results_(results), linkPage_(linkPage) {}

void WpsProgress::SetResult(int32_t value) {
  Result = value;
  const WpsResult* row = &results_.back();
  for (const WpsResult& candidate : results_)
    if (candidate.value == value) row = &candidate;
  if (row->body) OnSetInfo(StringOf(row->body));
  if (row->busy) return;
  OnSetShowWaiting(kIdle);
  OnSetHelp(kHelpEnter);
  ShowHelp();
}

XObject* WpsProgress::HandleEvent(Core::Event* event) {
  if (auto* done = vg_cast<Events::WlanConnectCompleteEvent>(event)) {
    // A failure stays readable for a minute, as one by time-out does: the
    // middleware gives up on a push button as the step's own two minutes
    // run out, and the step would otherwise leave the moment it said why.
    const bool joined = done->Status == kJoinedStatus;
    SetResult(joined ? Joined : Failed);
    OnSetTimeOutValue(joined ? ConnectedPause : FailurePause);
    ResetTimeout();
    return this;
  }
  return NetworkWidgetClass::HandleEvent(event);
}

void WpsProgress::DoTimeout(XObject*) {
  if (Result == Searching) {
    SetResult(Failed);
    OnSetTimeOutValue(FailurePause);
    ResetTimeout();
  } else if (Result == Joined) {
    NextState = linkPage_;
    EnterNextState();
  } else {
    EnterPrevState();
  }
}

void WpsProgress::DoCancel() {
  Network().WLAN_QuitNetwork();
  NetworkWidgetClass::DoCancel();
}

EasySetupPBC::EasySetupPBC(XObject* link)
    : WpsProgress(kPushButton, kPushButtonResults, &EasySetup_ApInfo::Class, link) {}

EasySetupPIN::EasySetupPIN(XObject* link) : WpsProgress(kPin, kPinResults, &EasySetup_PINApInfo::Class, link) {}

// ----------------------------------------------------------- ApListDialog

ApListDialog::ApListDialog(const DialogDef& def, int32_t listY, XObject* link) : NetworkWidgetClass(def, link) {
  const VgPoint size = VgGetRectSize(list.Bounds);
  list.OnSetBounds({ListX, listY, ListX + size.x, listY + size.y});
  list.OnSetOnConnectAP(VgSlotOf<&ApListDialog::DoConnectAP>(this));
  Add(&list, 0);
  OnSetFocus(&list);
}

void ApListDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  NetworkWidgetClass::Initialize(parameter);
  const SkinBin::NetworkSetup& network = Network();
  // The list shows the kept scan only when it holds access points; else it
  // scans anew, and the step waits for it.
  const bool scanning = !(network.KeepScanResult && network.NumAccessPoints > 0);
  ConfigScan(scanning);
  auto* own = VgNew<Primitives::KeyRoutingParameter>();
  own->Parent = this;
  list.Initialize(own);
  OnSetFocus(&list);
}

void ApListDialog::ConfigScan(bool scanning) {
  if (scanning) {
    ShowNoApFound(false);
    OnSetShowWaiting(kBusy);
    OnSetOnTimeOut(VgSlotOf<&ApListDialog::ScanTimeout>(this));
  } else {
    OnSetShowWaiting(kIdle);
    OnSetTimeOutValue(IdleTimeout);
    OnSetOnTimeOut(VgSlotOf<&NonMenuSystem::WidgetClass::ClearAll>(static_cast<NonMenuSystem::WidgetClass*>(this)));
  }
  SetTimeout(true);
  ResetTimeout();
}

void ApListDialog::ScanTimeout(XObject*) {
  ConfigScan(false);
  ShowNoApFound(true);
}

void ApListDialog::ShowNoApFound(bool show) {
  if (show) {
    if (noApFound) return;
    noApFound = VgNew<NoApFound>();
    noApFound->OnSetEnabled(false);
    const int32_t y = list.Bounds.y1 + (VgGetRectH(list.Bounds) - NoApFound::Height) / 2;
    noApFound->OnSetBounds({kNoApFoundX, y, kNoApFoundX + NoApFound::Width, y + NoApFound::Height});
    Add(noApFound, 0);
    RestackTop(noApFound);
    return;
  }
  if (!noApFound) return;
  if (noApFound->owner.get() == this) Remove(noApFound);
  noApFound = nullptr;
  OnSetFocus(&list);
}

XObject* ApListDialog::HandleEvent(Core::Event* event) {
  if (vg_cast<Events::WlanScanCompleteEvent>(event)) {
    ConfigScan(false);
    const int32_t found = list.GetScanResult();
    ShowNoApFound(found == 0);
    OnSetFocus(&list);
    return this;
  }
  const uint16_t code = Core::PressedKey(event);
  if (code == Key::None) return NetworkWidgetClass::HandleEvent(event);
  ShowNoApFound(false);
  if (code == Key::Ok) {
    ResetTimeout();
    return this;
  }
  if (code == Key::Red) {
    if (!IsBusy()) {
      ConfigScan(true);
      list.StartScan();
    }
    ResetTimeout();
    return this;
  }
  return NetworkWidgetClass::HandleEvent(event);
}

void ApListDialog::DoCancel() {
  Network().WLAN_StopScan();
  NetworkWidgetClass::DoCancel();
}

void ApListDialog::DoConnectAP(XObject*) {
  if (IsBusy()) return;
  EnterNextState();
}

// ---------------------------------------------------- EasySetupPIN_ApList

EasySetupPIN_ApList::EasySetupPIN_ApList(XObject* link) : ApListDialog(kPinList, kPinListY, link) {
  pinItem.OnSetText(StringOf(&Strings::SID_PIN));
  pinItem.OnSetBounds({ListX, kPinItemY, ListX + ApInfo::RowWidth, kPinItemY + MenuSystem::ThirdMenuItemHeight});
  // Never focused, yet read as clearly as the list above it.
  pinItem.OnSetEnabled(false);
  pinItem.Disabled_TextColor = pinItem.Nonfocused_TextColor;
  Add(&pinItem, 0);
}

VgString EasySetupPIN_ApList::PinText(uint32_t pin) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*u", kPinDigits, pin);
  return VgNewStringAnsi(text);
}

void EasySetupPIN_ApList::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ApListDialog::Initialize(parameter);
  VgString pin = PinText(static_cast<uint32_t>(Network().WPS_GeneratePin()));
  pinItem.OnSetValueString(pin);
  list.OnSetPIN(pin);
}

// ------------------------------------------------------- EasySetup_ApInfo

EasySetup_ApInfo::EasySetup_ApInfo(XObject* link)
    : EasySetup_ApInfo(LinkPageDef(&Strings::SID_EASY_SETUP_PBC, &EasySetupMenu::Class), link) {}

EasySetup_ApInfo::EasySetup_ApInfo(const DialogDef& def, XObject* link) : NetworkWidgetClass(def, link) {
  // Read-only: the form only shows the link.
  form.OnSetEnabled(false);
  form.OnSetBounds(VgSetRectOrigin(form.Bounds, {(VgGetRectW(Bounds) - ApInfo::RowWidth) / 2, kLinkFormY}));
  Add(&form, 0);
}

void EasySetup_ApInfo::Initialize(Primitives::KeyRoutingParameter* parameter) {
  NetworkWidgetClass::Initialize(parameter);
  form.Setup(this, Network().WLAN_GetStatus());
}

EasySetup_PINApInfo::EasySetup_PINApInfo(XObject* link)
    : EasySetup_ApInfo(LinkPageDef(&Strings::SID_EASY_SETUP_PIN, &EasySetupMenu::Class), link) {}

}  // namespace Network
