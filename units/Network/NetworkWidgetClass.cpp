#include "Network/NetworkWidgetClass.h"

#include "AppServices/Messages.h"
#include "Colors/Colors.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "Fonts/Fonts.h"
#include "Network/CancelDialog.h"
#include "NonMenuSystem/HelpBar.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Resources/Font.h"
#include "SkinBin/UserRefInt.h"
#include "Strings.h"
#include "SubSystem/Open.h"
#include "WinIDs/WinIDs.h"
#include "vgdebug.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(Network, NetworkWidgetClass, NonMenuSystem::WidgetClass)

namespace Network {

namespace {

using NonMenuSystem::HelpLR;
using NonMenuSystem::HelpOk;
using NonMenuSystem::HelpRed;
using NonMenuSystem::HelpReturn;

// What a key does, by whether the step is idle, busy and asking first, or
// busy and cancelling at once.
enum class Act : uint8_t { Nothing, Next, Back, ClearAll, Ask, CancelClearAll, CancelBack, FocusPrev, FocusNext };

struct KeyRow {
  Key::Code key;
  Act idle;
  Act busyAsking;
  Act busyCancelling;
};

constexpr KeyRow kKeys[] = {
    {Key::Ok, Act::Next, Act::Nothing, Act::Nothing},
    {Key::ClearAll, Act::ClearAll, Act::Ask, Act::CancelClearAll},
    {Key::Exit, Act::ClearAll, Act::Ask, Act::CancelClearAll},
    {Key::Back, Act::Back, Act::Ask, Act::CancelBack},
    {Key::Up, Act::FocusPrev, Act::FocusPrev, Act::FocusPrev},
    {Key::Down, Act::FocusNext, Act::FocusNext, Act::FocusNext},
};

constexpr DialogDef kBase{};

}  // namespace

const HelpDef kHelpBack{HelpReturn, {&Strings::SID_BACK}};
const HelpDef kHelpEnter{HelpOk, {&Strings::SID_ENTER}};
const HelpDef kHelpEnterBack{HelpOk | HelpReturn, {&Strings::SID_ENTER, &Strings::SID_BACK}};
const HelpDef kHelpScan{HelpOk | HelpRed | HelpReturn, {&Strings::SID_ENTER, &Strings::SID_AP_SCAN, &Strings::SID_BACK}};
const HelpDef kHelpSelect{HelpLR | HelpOk | HelpReturn, {&Strings::SID_SELECT, &Strings::SID_ENTER, &Strings::SID_BACK}};
const HelpDef kHelpEdit{HelpLR | HelpOk | HelpReturn, {&Strings::SID_EDIT, &Strings::SID_ENTER, &Strings::SID_BACK}};

// The standby machine lives in the application shell, which builds on this
// unit: it is addressed by its class name.
void PassStandbyOn(Events::XPM_EVENT_STANDBY* standby) {
  if (const VgClass* machine = VgFindClass("MainApp::Standby"))
    MainApp::SendMessage(Constants::MSG_EVENT_CACHED, machine, -1, standby);
  else
    VgPrint("Network: no standby machine to hand the standby request to\n");
}

VgString StringOf(const VgConstant* constant) { return constant ? VgGetVariantOfString(constant) : nullptr; }

VgString HelpLabels(const HelpDef& help) {
  VgString labels = nullptr;
  for (const VgConstant* label : help.labels) {
    if (!label) break;
    labels = labels ? VgConcatString(VgConcatStringChar(labels, u','), StringOf(label)) : StringOf(label);
  }
  return labels;
}

NetworkWidgetClass::NetworkWidgetClass(XObject* link) : NetworkWidgetClass(kBase, link) {}

NetworkWidgetClass::NetworkWidgetClass(const DialogDef& def, XObject* link) : NonMenuSystem::WidgetClass(link) {
  WinID = WinIDs::WIN_ID_NetworkWidget;
  border.OnSetWidth(1);
  border.OnSetColor(Colors::DialogBorder);
  captionText.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  captionText.OnSetColor(Colors::StandardTextColor);
  captionText.OnSetAlignH(Views::Text::AlignLeft);
  captionText.OnSetAlignV(Views::Text::AlignMiddle);
  captionText.OnSetEllipsis(true);
  bodyText.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  bodyText.OnSetColor(Colors::StandardTextColor);
  bodyText.OnSetAlignH(Views::Text::AlignLeft);
  Add(&border, 0);
  Add(&captionText, 0);
  Add(&bodyText, 0);
  Apply(def);
}

void NetworkWidgetClass::Apply(const DialogDef& def) {
  OnSetCaption(StringOf(def.caption ? def.caption : &Strings::SID_NETWORK_SETUP));
  OnSetInfo(StringOf(def.body));
  bodyText.OnSetAlignV(def.bodyAlignV);
  OnSetHelp(def.help ? *def.help : kHelpBack);
  IsModal = def.modal;
  PromptCancel = def.promptCancel;
  NextState = def.next;
  PrevState = def.back;
  OnSetTimeOutValue(def.timeout);
  if (def.onTimeout) OnSetOnTimeOut(VgSlot(this, def.onTimeout));
  if (def.layer) Layer = def.layer;
  BodyHeight = def.bodyHeight;
  OnSetBounds(def.bounds);
  if (def.waiting != kNeverAnnounced) OnSetShowWaiting(def.waiting);
}

void NetworkWidgetClass::OnSetBounds(VgRect rect) {
  NonMenuSystem::WidgetClass::OnSetBounds(rect);
  const int32_t w = VgGetRectW(Bounds);
  const int32_t h = VgGetRectH(Bounds);
  border.OnSetBounds({0, 0, w, h});
  captionText.OnSetBounds({TextInset, 0, w - TextInset, CaptionHeight});
  const int32_t bottom = BodyHeight > 0 ? CaptionHeight + BodyHeight : h - TextInset / 2;
  bodyText.OnSetBounds({TextInset, CaptionHeight, w - TextInset, bottom});
}

void NetworkWidgetClass::Refresh(XObject* sender) {
  NonMenuSystem::WidgetClass::Refresh(sender);
  OnSetBounds(Bounds);
}

void NetworkWidgetClass::OnSetCaption(VgString value) {
  Caption = value;
  captionText.OnSetString(value);
}

void NetworkWidgetClass::OnSetInfo(VgString value) {
  Info = value;
  bodyText.OnSetString(value);
}

void NetworkWidgetClass::OnSetHelp(const HelpDef& help) {
  HelpMask = help.mask;
  HelpString = HelpLabels(help);
}

void NetworkWidgetClass::ShowHelp() {
  if (NonMenuSystem) NonMenuSystem->UpdateHelp(HelpMask, HelpString, this);
}

void NetworkWidgetClass::OnSetShowWaiting(int32_t value) {
  ShowWaiting = value;
  if (value < 0) return;
  MainApp::SendMessage(Constants::MSG_SHOW_WAITING_CIRCLE, &::NonMenuSystem::NonMenuSystem::Class, value);
}

void NetworkWidgetClass::OnSetMenuTriggered(bool value) { MenuTriggered = value; }

void NetworkWidgetClass::Initialize(Primitives::KeyRoutingParameter* parameter) {
  NonMenuSystem::WidgetClass::Initialize(parameter);
  ShowHelp();
}

void NetworkWidgetClass::HandleFocus(bool focused) {
  NonMenuSystem::WidgetClass::HandleFocus(focused);
  if (!focused || Visible || !IsOpen()) return;
  OnSetVisible(true);
  ShowHelp();
}

void NetworkWidgetClass::Close(XObject* sender) {
  const bool open = IsOpen();
  NonMenuSystem::WidgetClass::Close(sender);
  if (open && ShowWaiting == kBusy) {
    MainApp::SendMessage(Constants::MSG_SHOW_WAITING_CIRCLE, &::NonMenuSystem::NonMenuSystem::Class, kIdle);
  }
}

void NetworkWidgetClass::DoCancel() {
  OnSetShowWaiting(kIdle);
  Close();
}

void NetworkWidgetClass::GoBack(XObject*) { EnterPrevState(); }

void NetworkWidgetClass::CheckCancel() {
  if (!NonMenuSystem) return;
  OnSetVisible(false);
  auto* param = vg_cast<SkinBin::UserRefInt>(MakeOriginParam());
  param->Object = this;
  SubSystem::Open(NonMenuSystem, {.screen = &CancelDialog::Class, .next = PrevState, .param = param, .asker = this});
}

void NetworkWidgetClass::UndoCancel() {
  OnSetVisible(true);
  if (ShowWaiting >= 0) OnSetShowWaiting(ShowWaiting);
  ShowHelp();
}

void NetworkWidgetClass::EnterNextState() {
  Close();
  if (!NextState) return;
  if (!NonMenuSystem) {
    VgPrint("Network::NetworkWidgetClass.EnterNextState: %s has no owner to open %s\n", GetClass()->name,
            NextState->name);
    return;
  }
  SubSystem::Open(NonMenuSystem, {.screen = NextState, .origin = OriginTag(), .text = Caption});
}

void NetworkWidgetClass::RunKey(uint16_t code) {
  const KeyRow* row = nullptr;
  for (const KeyRow& candidate : kKeys)
    if (candidate.key == code) row = &candidate;
  if (!row) return;
  const Act act = !IsBusy() ? row->idle : PromptCancel ? row->busyAsking : row->busyCancelling;
  switch (act) {
    case Act::Nothing:
      break;
    case Act::Next:
      EnterNextState();
      break;
    case Act::Back:
      EnterPrevState();
      break;
    case Act::ClearAll:
      ClearAll();
      break;
    case Act::Ask:
      CheckCancel();
      break;
    case Act::CancelClearAll:
      DoCancel();
      ClearAll();
      break;
    case Act::CancelBack:
      DoCancel();
      EnterPrevState();
      break;
    case Act::FocusPrev:
      SelectPrev();
      break;
    case Act::FocusNext:
      SelectNext();
      break;
  }
}

bool IsNetworkResult(Core::Event* event) {
  return vg_cast<Events::WlanConnectCompleteEvent>(event) || vg_cast<Events::WlanScanCompleteEvent>(event) ||
         vg_cast<Events::NetworkTestResultsEvent>(event);
}

XObject* NetworkWidgetClass::HandleEvent(Core::Event* event) {
  if (auto* key = vg_cast<Core::KeyEvent>(event)) {
    if (!key->down) return nullptr;
    // A key after which the step closed finds its timer off, and leaves it so.
    RunKey(key->keyCode);
    ResetTimeout();
    return this;
  }
  if (auto* standby = vg_cast<Events::XPM_EVENT_STANDBY>(event); standby && IsModal) {
    DoCancel();
    PassStandbyOn(standby);
    return this;
  }
  return NonMenuSystem::WidgetClass::HandleEvent(event);
}

}  // namespace Network
