#include "NonMenuSystem/DirectMessageBar.h"

#include <algorithm>

#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/ClearOfLines.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "SubSystem/Open.h"
#include "WinIDs/WinIDs.h"
#include "vgdebug.h"
#include "vgslot.h"

VG_DEFINE_CLASS(NonMenuSystem, DirectMessageBar, ::NonMenuSystem::WidgetClass)

namespace NonMenuSystem {

namespace {

constexpr int32_t kInset = 30;
constexpr int32_t kTextRight = 40;
constexpr int32_t kIconSize = 32;
constexpr int32_t kIconGap = 16;
// The media-removal report of the media library.
constexpr int32_t kStatusDeviceChange = 18;
constexpr int32_t kStatusRemoved = 5;

}  // namespace

DirectMessageBar::DirectMessageBar(XObject* link) : WidgetClass(link) {
  WinID = WinIDs::WIN_ID_DirectMessageBar;
  // Above the dialog that asked for it, so the dialog stays open under it.
  Layer = MessageLayer;
  // The message leaves on time whether or not it has the focus.
  IsPersistent = false;
  OnSetTimeOutValue(kDefaultMessageTime);
  OnSetOnTimeOut(VgSlotOf<&DirectMessageBar::TimeUp>(this));
  background.OnSetColor(Look::Transparent);
  frame.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::QORDialogFrame));
  message.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  message.OnSetColor(Look::Text);
  message.OnSetAlignV(Views::Text::AlignMiddle);
  icon.OnSetAlignH(1);
  icon.OnSetAlignV(1);
  // The bar stands over the screen that asked for it: its inside is solid.
  Add(&fill, 0);
  Add(&frame, 0);
  Add(&icon, 0);
  Add(&message, 0);
  OnSetBounds({0, StandardTop, StandardWidth, StandardTop + MinHeight});
}

void DirectMessageBar::Initialize(Primitives::KeyRoutingParameter* parameter) {
  WidgetClass::Initialize(parameter);
  OnSetMessageType(ParamValue);
}

XObject* DirectMessageBar::HandleEvent(Core::Event* event) {
  auto* status = vg_cast<Events::StatusEvent>(event);
  if (status && row_ && row_->closesOnRemoval && status->Code == kStatusDeviceChange &&
      status->SubCode0 == kStatusRemoved) {
    Close();
    return this;
  }
  return WidgetClass::HandleEvent(event);
}

bool DirectMessageBar::FollowsTheWorld(Core::Event* event) const {
  return row_ && row_->closesOnRemoval && vg_cast<Events::StatusEvent>(event);
}

// BACK closes the message alone, and EXIT and CLEAR close every screen, as
// on any screen; any other key is the viewer's for the screen under the
// message, if there is one. Left with the
// message, the arrows did nothing, OK went on to the menus hidden under both,
// and INPUT opened the input list under the dialog the message told about.
// The upgrade's message, which restarts the set as it closes, is read to
// its end.
bool DirectMessageBar::UsesKey(uint16_t code) const {
  if (row_ && row_->onClose == MessageClose::Reboot) return true;
  return code == Key::Exit || code == Key::ClearAll || code == Key::Back;
}

void DirectMessageBar::OnSetMenuTriggered(bool value) { MenuTriggered = value; }

void DirectMessageBar::OnSetMessageType(int32_t type) {
  MessageType = type;
  row_ = FindDirectMessage(type);
  if (!row_) {
    VgPrint("NonMenuSystem::DirectMessageBar.OnSetMessageType: no message of type %d\n", type);
    icon.OnSetBitmap(nullptr);
    message.OnSetString(nullptr);
    OnSetTimeOutValue(kDefaultMessageTime);
    Layout();
    return;
  }
  switch (row_->icon) {
    case MessageIcon::Alert:
      icon.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::DirectMessageAlert));
      break;
    case MessageIcon::Info:
      icon.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::DirectMessageInfo));
      break;
    case MessageIcon::None:
      icon.OnSetBitmap(nullptr);
      break;
  }
  message.OnSetString(VgGetVariantOfString(row_->text));
  OnSetTimeOutValue(row_->milliseconds);
  Layout();
}

void DirectMessageBar::OnSetMessageInfo(VgString text) {
  message.OnSetString(text);
  Layout();
}

void DirectMessageBar::Layout() {
  const int32_t width = row_ && row_->width > 0 ? row_->width : StandardWidth;
  const int32_t textLeft = kInset + (icon.Bitmap ? kIconSize + kIconGap : 0);
  const int32_t textRight = width - kTextRight;
  // The text wraps at the bar's width; the bar grows to the lines it needs.
  message.OnSetBounds({textLeft, 0, textRight, 400});
  message.OnSetAutoSize(true);
  const int32_t textHeight = VgGetRectH(message.GetExtent());
  message.OnSetAutoSize(false);
  const int32_t height = std::max(MinHeight, textHeight + 2 * kInset);
  // The lines stand in the middle of the panel, their box inside its edge:
  // a box to the bar's bounds reached past the panel, over the screen below.
  message.OnSetBounds({textLeft, kInset, textRight, height - kInset});
  icon.OnSetBounds({kInset, (height - kIconSize) / 2, kInset + kIconSize, (height + kIconSize) / 2});
  fill.OnSetBounds({0, 0, width, height});
  frame.OnSetBounds({0, 0, width, height});
  const int32_t top = WidgetOrigin.y >= 0 ? WidgetOrigin.y : row_ && row_->top >= 0 ? row_->top : StandardTop;
  const int32_t left = WidgetOrigin.x >= 0 ? WidgetOrigin.x : (NonMenuSystem::ScreenWidth - width) / 2;
  VgRect bounds{left, top, left + width, top + height};
  // A bar on view whose text changed stands clear of the lines under it
  // again, as its owner placed it when it opened.
  if (Parent && owner.get() == Parent.get())
    bounds = ClearOfLines(owner, this, bounds, PanelEdge(), NonMenuSystem::ScreenHeight);
  OnSetBounds(bounds);
}

void DirectMessageBar::Close(XObject* sender) {
  const bool open = Parent && owner.get() == Parent.get();
  WidgetClass::Close(sender);
  if (open) RunCloseAction();
  timedOut_ = false;
}

void DirectMessageBar::TimeUp(XObject*) {
  timedOut_ = true;
  if (IsShortcut) {
    EnterPrevState();
    return;
  }
  Close();
}

void DirectMessageBar::RunCloseAction() {
  if (!row_) return;
  switch (row_->onClose) {
    case MessageClose::Nothing:
      break;
    case MessageClose::Reboot:
      // The upgrade kept the power key blocked until now.
      VgPrint("NonMenuSystem::DirectMessageBar: message %d closed, the set restarts after the upgrade\n", MessageType);
      MainApp::GetWrapper()->PowerKeyControl(1);
      MainApp::GetWrapper()->UpdateReboot();
      break;
    case MessageClose::OpenNext:
      // The next screen follows the message once it has been read. A
      // message cleared away (EXIT, MENU, another screen, standby) starts
      // nothing: the 3D start sequence would open over the menus without
      // the keys, or after standby, unseen, forgetting the first viewing.
      if (timedOut_ && NonMenuSystem)
        SubSystem::Open(NonMenuSystem, row_->next, {.back = GetClass(), .origin = OriginTag()});
      break;
  }
}

}  // namespace NonMenuSystem
