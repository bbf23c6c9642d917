#include "Network/WpsDialogs.h"

#include <algorithm>
#include <string>

#include "AppServices/MessageAgent.h"
#include "AppServices/Wrapper.h"
#include "Constants/Constants.h"
#include "Fonts/Fonts.h"
#include "Network/EasySetup.h"
#include "NonMenuSystem/KeyPad.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Primitives/KeyRoutingParameter.h"
#include "SkinBin/NetworkSetup.h"
#include "SkinBin/UserRefInt.h"
#include "Strings.h"
#include "Structures/Boxes.h"
#include "Structures/Devices.h"
#include "Structures/Message.h"
#include "SubSystem/Open.h"

VG_DEFINE_CLASS(Network, WPSPBCDialog, Network::NetworkConfirmDialog)
VG_DEFINE_CLASS(Network, WPSGeneratePinDialog, Network::NetworkConfirmDialog)
VG_DEFINE_CLASS(Network, PinEnterDialog, Network::NetworkConfirmDialog)

namespace Network {

namespace {

// Room below the message: the buttons, and the PIN row over them.
constexpr int32_t kPushButtonRoom = 100;
constexpr int32_t kPinRoom = 140;
constexpr int32_t kCaptionRoom = 30;
constexpr int32_t kPushButtonTextLeft = 53;
constexpr int32_t kPinTextLeft = 50;
constexpr int32_t kDialogWidth = 600;

// The PIN row stands above OK: the value and the button 50 pixels, the
// label 52 and the border 56.
constexpr int32_t kValueAbove = 50;
constexpr int32_t kLabelAbove = 52;
constexpr int32_t kBorderAbove = 56;
constexpr int32_t kRowHeight = 27;
constexpr int32_t kLabelLeft = 80;
constexpr int32_t kLabelWidth = 60;
constexpr int32_t kValueWidth = 200;

// What a join request carries: by push button, or by a PIN the set made.
constexpr int32_t kPushButton = 1;
constexpr uint8_t kGeneratedPin = 1;
// The join leaves the key's kind to the middleware.
constexpr uint8_t kAnySecurity = 255;

SkinBin::NetworkSetup& Network() { return MainApp::GetWrapper()->NetworkSetup; }
VgString Text(const VgConstant& constant) { return VgGetVariantOfString(&constant); }
bool Empty(VgString text) { return VgGetStringLength(text) == 0; }

// The model reports a request the set refused on the console; the status
// dialog follows in any case and tells the viewer whether a join ended.
void JoinByWps(VgString ssid, VgString pin, int32_t pushButton, uint8_t generated) {
  auto* request = VgNew<::Structures::WPS_Connection>();
  request->Text = ssid;
  request->PIN = pin;
  request->Value = pushButton;
  request->Method = generated;
  Network().WPS_Join(request);
}

}  // namespace

// ------------------------------------------------------------ WpsConfirmDialog

WpsConfirmDialog::WpsConfirmDialog(int32_t room, int32_t messageLeft, XObject* link)
    : NetworkConfirmDialog(link), room_(room), messageLeft_(messageLeft) {
  warning.OnSetAlignH(Views::Text::AlignLeft);
  warning.OnSetAlignV(Views::Text::AlignTop);
  OnSetBounds({Bounds.x1, Bounds.y1, Bounds.x1 + kDialogWidth, Bounds.y2});
}

// The dialog grows with its message, keeping its top; a shorter message
// leaves it as high as the longer one made it.
void WpsConfirmDialog::OnSetWarningInfo(VgString text) {
  warning.OnSetString(text);
  warning.OnSetBounds({messageLeft_, 0, ContentRight() - 8, 400});
  warning.OnSetAutoSize(true);
  const int32_t height = VgGetRectH(warning.GetExtent());
  warning.OnSetAutoSize(false);
  if (height == textHeight_) {
    Refresh();
    return;
  }
  const int32_t room = std::max(height, textHeight_);
  textHeight_ = height;
  const int32_t total = room + 2 * FrameWidth + room_ + (HasCaption ? kCaptionRoom : 0);
  OnSetBounds({Bounds.x1, Bounds.y1, Bounds.x2, Bounds.y1 + total});
}

int32_t WpsConfirmDialog::MessageBottom() const { return ButtonTop() - 8; }

void WpsConfirmDialog::Refresh(XObject* sender) {
  NetworkConfirmDialog::Refresh(sender);
  const int32_t top = HasCaption ? ContentTop() : FrameWidth;
  const int32_t bottom = MessageBottom();
  warning.OnSetBounds({messageLeft_, top, ContentRight() - 8, bottom > top ? bottom : top});
}

// ------------------------------------------------------------ WPSPBCDialog

WPSPBCDialog::WPSPBCDialog(XObject* link) : WpsConfirmDialog(kPushButtonRoom, kPushButtonTextLeft, link) {
  OnSetCaption(Text(Strings::SID_WPS_PBC_CAPTION));
  OnSetWarningInfo(Text(Strings::SID_WPS_PBC_TEXT));
}

bool WPSPBCDialog::ConnectAp(XObject*) {
  JoinByWps(nullptr, nullptr, kPushButton, 0);
  return true;
}

// ------------------------------------------------------------ PinRowDialog

PinRowDialog::PinRowDialog(const VgConstant& actionText, XObject* link)
    : WpsConfirmDialog(kPinRoom, kPinTextLeft, link) {
  Resources::Font* medium = VgLoad<Resources::Font>(Fonts::MediumFont);
  for (Views::Text* text : {&label, &value}) {
    text->OnSetFont(medium);
    text->OnSetColor(NonMenuSystem::Look::Text);
    text->OnSetAlignV(Views::Text::AlignMiddle);
  }
  label.OnSetString(Text(Strings::SID_PIN_LABEL));
  value.OnSetAlignH(Views::Text::AlignCentre);
  border.OnSetWidth(1);
  border.OnSetColor(NonMenuSystem::Look::BorderLine);
  action.OnSetText(Text(actionText));
  Add(&border, 0);
  Add(&label, 0);
  Add(&value, 0);
  Add(&action, 0);
  // The action first: the viewer makes or types the PIN before OK.
  RestackTop(&yesButton);
  RestackTop(&noButton);
  OnSetFocus(&action);
}

int32_t PinRowDialog::MessageBottom() const { return ButtonTop() - kBorderAbove - 8; }

void PinRowDialog::Refresh(XObject* sender) {
  WpsConfirmDialog::Refresh(sender);
  const int32_t okTop = ButtonTop();
  const int32_t valueLeft = kLabelLeft + kLabelWidth;
  label.OnSetBounds({kLabelLeft, okTop - kLabelAbove, valueLeft, okTop - kLabelAbove + kRowHeight});
  value.OnSetBounds({valueLeft, okTop - kValueAbove, valueLeft + kValueWidth, okTop - kValueAbove + kRowHeight});
  border.OnSetBounds({valueLeft - 4, okTop - kBorderAbove, valueLeft + kValueWidth + 4,
                      okTop - kBorderAbove + kRowHeight + 12});
  const int32_t actionLeft = valueLeft + kValueWidth + 20;
  action.OnSetBounds({actionLeft, okTop - kValueAbove, actionLeft + ConfirmButtonWidth,
                      okTop - kValueAbove + ConfirmButtonHeight});
}

// ------------------------------------------------------------ WPSGeneratePinDialog

WPSGeneratePinDialog::WPSGeneratePinDialog(XObject* link) : PinRowDialog(Strings::SID_GENERATE, link) {
  OnSetCaption(Text(Strings::SID_WPS_PIN_ENROLL_CAPTION));
  OnSetWarningInfo(Text(Strings::SID_WPS_PIN_ENROLL_TEXT));
  Pin = VgNewString(PresetPin);
  value.OnSetString(Pin);
  action.OnSetOnActivate(VgSlotOf<&WPSGeneratePinDialog::GeneratePin>(this));
}

void WPSGeneratePinDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  PinRowDialog::Initialize(parameter);
  if (ParamText) SSID = ParamText;
}

void WPSGeneratePinDialog::GeneratePin(XObject*) {
  ResetTimeout();
  Pin = EasySetupPIN_ApList::PinText(static_cast<uint32_t>(Network().WPS_GeneratePin()));
  value.OnSetString(Pin);
}

bool WPSGeneratePinDialog::ConnectAp(XObject*) {
  if (!Empty(Pin)) JoinByWps(SSID, Pin, 0, kGeneratedPin);
  return true;
}

// ------------------------------------------------------------ PinEnterDialog

PinEnterDialog::PinEnterDialog(XObject* link) : PinRowDialog(Strings::SID_KB, link) {
  OnSetCaption(Text(Strings::SID_WPS_PIN_ENROLL_CAPTION));
  value.OnSetString(VgNewString(u""));
  action.OnSetOnActivate(VgSlotOf<&PinEnterDialog::ShowKeyboard>(this));
}

void PinEnterDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  PinRowDialog::Initialize(parameter);
  MainApp::GetMessageAgent()->Register(this);
  if (vg_cast<SkinBin::UserRefInt>(parameter ? parameter->Param.get() : nullptr)) {
    Mode = ParamValue;
    SSID = ParamText;
  }
  if (Mode == ModeWpsPin) {
    OnSetCaption(Text(Strings::SID_WPS_PIN_REGISTER_CAPTION));
    OnSetWarningInfo(Text(Strings::SID_WPS_PIN_REGISTER_TEXT));
  } else {
    OnSetCaption(Text(Strings::SID_WIFI_SETUP));
    OnSetWarningInfo(VgConcatString(VgConcatString(Text(Strings::SID_ENTER_KEY_FOR_AP), SSID ? SSID.get() : VgNewString(u"")),
                                    VgNewString(u".")));
  }
}

void PinEnterDialog::Close(XObject* sender) {
  PinRowDialog::Close(sender);
  MainApp::GetMessageAgent()->UnRegister(this);
}

void PinEnterDialog::ShowKeyboard(XObject*) {
  ResetTimeout();
  if (!NonMenuSystem) return;
  SubSystem::Open(NonMenuSystem, {.screen = &::NonMenuSystem::KeyPad::Class,
                                  .value = KeyboardLength,
                                  .origin = OriginTag(),
                                  .flag = true,
                                  .asker = this});
}

void PinEnterDialog::HandleMessage(Structures::Message* message) {
  if (!message || message->Code != Constants::MSG_LABEL_CHANGE) return;
  if (auto* typed = vg_cast<Structures::RefString>(message->Payload.get())) UpdateLabel(typed->Value);
}

void PinEnterDialog::UpdateLabel(VgString text) {
  Pin = text;
  std::u16string stars(size_t(VgGetStringLength(text)), u'*');
  value.OnSetString(VgNewString(stars.c_str()));
}

// A key is passed on whatever its length: the middleware finds the
// network's kind of security.
bool PinEnterDialog::ConnectAp(XObject*) {
  if (Empty(Pin)) return true;
  if (Mode == ModeWpsPin) {
    JoinByWps(SSID, Pin, 0, 0);
    return true;
  }
  auto* join = VgNew<::Structures::WLAN_Connection>();
  join->SSID = SSID;
  join->Key = Pin;
  join->KeyLength = uint8_t(VgGetStringLength(Pin));
  join->Flag = 0;
  join->SecurityMethod = kAnySecurity;
  Network().WLAN_JoinNetwork(join);
  return true;
}

}  // namespace Network
