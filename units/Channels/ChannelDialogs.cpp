#include "Channels/ChannelDialogs.h"

#include <algorithm>

#include "AppServices/Wrapper.h"
#include "Colors/Colors.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/ConfirmMultiOptionDialog.h"
#include "NonMenuSystem/ConfirmTypes.h"
#include "NonMenuSystem/ListDialogs.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "NonMenuSystem/WaitingCircle.h"
#include "Resources/Font.h"
#include "SkinBin/OptionTypes.h"
#include "SkinBin/Wrapper.h"
#include "Strings.h"
#include "SubSystem/Open.h"
#include "WidgetManager/Layers.h"
#include "WinIDs/WinIDs.h"
#include "vgref.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(Channels, ManualTuningDialog, ::NonMenuSystem::QORWidgetClass)
VG_DEFINE_CLASS(Channels, ChannelOptionDialog, ::NonMenuSystem::QORWidgetClass)
VG_DEFINE_CLASS(Channels, ChannelLockDialog, ::NonMenuSystem::QORWidgetClass)
VG_DEFINE_CLASS(Channels, ChannelLogoSettingDialog, ::NonMenuSystem::QORWidgetClass)
VG_DEFINE_CLASS(Channels, ChannelLogoPanel, ::NonMenuSystem::QORWidgetClass)

namespace Channels {

namespace {

constexpr int32_t kListTop = 90;
constexpr int32_t kRFLineHeight = 36;
constexpr int32_t kButtonGap = 20;
constexpr int32_t kButtonWidth = 160;
constexpr int32_t kButtonsHeight = 56;
// The room beside a button's label, each side: the least the English labels
// have (the channel locks' "Unlock All", 93 pixels in 124).
constexpr int32_t kLabelRoom = 15;
// The panel covers the setting dialog, which stays open under it.
constexpr int32_t kPanelLayer = Layers::Panel;
constexpr int32_t kPanelTop = 100;

VgString Text(const VgConstant& constant) { return VgGetVariantOfString(&constant); }

uint16_t DownKey(Core::Event* event) { return Core::PressedKey(event); }

int32_t LabelWidth(Button::Button& button) {
  Views::Text& caption = button.caption;
  return caption.Font ? caption.Font->GetTextWidth(caption.String, 0, 0) : 0;
}

}  // namespace

// ------------------------------------------------------------ manual tuning

ManualTuningDialog::ManualTuningDialog(XObject* link) : ListHost(link) {
  WinID = WinIDs::WIN_ID_ManualTuningDialog;
  rfText.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  rfText.OnSetColor(Colors::White);
  rfText.OnSetAlignH(Views::Text::AlignCentre);
  rfText.OnSetAlignV(Views::Text::AlignMiddle);
  Add(&rfText, 0);
}

void ManualTuningDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ListHost::Initialize(parameter);
  OnSetCaption(Text(Strings::ChannelsMenuFindChannel));
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  model->GetAdjustBarRange(SkinBin::OPTION_TYPE_MANUAL_TUNING_CHANNEL,
                           VgRefOf<&ManualTuningDialog::OnGetRangeMax, &ManualTuningDialog::OnSetRangeMax>(this),
                           VgRefOf<&ManualTuningDialog::OnGetRangeMin, &ManualTuningDialog::OnSetRangeMin>(this),
                           VgRef<int32_t>());
  // The list goes under the RF line; the dialog fits round both.
  NonMenuSystem::FitAroundList(this, &list, kListTop);
  list.OnSetBounds(VgMoveRectPos(list.Bounds, {0, kRFLineHeight}));
  OnSetBounds({Bounds.x1, Bounds.y1, Bounds.x2, Bounds.y2 + kRFLineHeight});
  const int32_t top = ContentTop();
  rfText.OnSetBounds({ContentLeft(), top, ContentRight(), top + kRFLineHeight});
  OnSetRFChannel(model->OnGetCurrentPhysicalChannel());
}

void ManualTuningDialog::OnSetRFChannel(int32_t value) {
  RFChannel = std::clamp(value, RangeMin, RangeMax);
  VgString label = VgConcatString(VgConcatString(Text(Strings::SID_SCAN_RF_CHANNEL), Text(Strings::SID_LABEL_COLON)),
                                  VgNewString(u"  < "));
  rfText.OnSetString(VgConcatString(VgConcatString(label, VgNewStringInt(RFChannel, 0)), VgNewString(u" >")));
  list.OnSetPhysicalChannel(RFChannel);
}

XObject* ManualTuningDialog::DispatchEvent(Core::Event* event) {
  const uint16_t key = DownKey(event);
  if (key != Key::Left && key != Key::Right && key != Key::Ok) return ListHost::DispatchEvent(event);
  ResetTimeout();
  // The RF channel stays while its scan runs.
  if (Scanning) return this;
  if (key == Key::Ok)
    StartScan();
  else
    OnSetRFChannel(RFChannel + (key == Key::Right ? 1 : -1));
  return this;
}

void ManualTuningDialog::StartScan() {
  Scanning = MainApp::GetWrapper()->StartSingleChannelScan(RFChannel);
  if (Scanning && NonMenuSystem) NonMenuSystem->ShowWaitingCircle(1, NonMenuSystem::WaitingCircle::KindCircle);
}

void ManualTuningDialog::EndScan() {
  if (!Scanning) return;
  Scanning = false;
  if (NonMenuSystem) NonMenuSystem->ShowWaitingCircle(0, NonMenuSystem::WaitingCircle::KindCircle);
}

// The answer is left to the screens behind as well: the application locks a
// channel 3 or 4 found while the inputs are locked.
bool ManualTuningDialog::FollowsTheWorld(Core::Event* event) const {
  return vg_cast<Events::XPM_EVENT_CHANNEL_SCAN_PROGRESS>(event) || vg_cast<Events::XPM_EVENT_SINGLE_SCAN_ABORTED>(event);
}

XObject* ManualTuningDialog::HandleEvent(Core::Event* event) {
  if (vg_cast<Events::XPM_EVENT_CHANNEL_SCAN_PROGRESS>(event) && Scanning) {
    EndScan();
    list.OnSetPhysicalChannel(RFChannel);
    list.LoadScanedChannels();
    return nullptr;
  }
  if (vg_cast<Events::XPM_EVENT_SINGLE_SCAN_ABORTED>(event)) {
    EndScan();
    return nullptr;
  }
  return ListHost::HandleEvent(event);
}

void ManualTuningDialog::Close(XObject* sender) {
  if (Scanning) MainApp::GetWrapper()->StopChannelScan();
  EndScan();
  ListHost::Close(sender);
}

// ---------------------------------------------------- lists with all / none

template <class List>
ChannelButtonsDialog<List>::ChannelButtonsDialog(XObject* link) : NonMenuSystem::ListHost<List, NonMenuSystem::QORWidgetClass>(link) {
  for (Button::Button* button : {&allButton, &noneButton}) {
    NonMenuSystem::ConfirmOptionDialog::StyleButton(button);
    this->Add(button, 0);
  }
  allButton.OnSetOnActivate(VgSlotOf<&ChannelButtonsDialog::OnAll>(this));
  noneButton.OnSetOnActivate(VgSlotOf<&ChannelButtonsDialog::OnNone>(this));
}

template <class List>
void ChannelButtonsDialog<List>::Initialize(Primitives::KeyRoutingParameter* parameter) {
  NonMenuSystem::ListHost<List, NonMenuSystem::QORWidgetClass>::Initialize(parameter);
  NonMenuSystem::FitAroundList(this, &this->list, kListTop);
  const VgRect b = this->Bounds;
  this->OnSetBounds({b.x1, b.y1, b.x2, b.y2 + kButtonsHeight});
  const int32_t base = std::min(kButtonWidth, (VgGetRectW(this->list.Bounds) - kButtonGap) / 2);
  // A label that would stand nearer its button's edges in the set's language
  // ("Tout sélectionner") widens both buttons alike, and the dialog with them:
  // the pair keeps the margins it has in English, the list stays in the
  // middle.
  const int32_t w = std::max(base, std::max(LabelWidth(allButton), LabelWidth(noneButton)) + 2 * kLabelRoom);
  const int32_t grow = 2 * (w - base);
  if (grow > 0) {
    const VgRect d = this->Bounds;
    this->OnSetBounds({d.x1 - grow / 2, d.y1, d.x2 + grow - grow / 2, d.y2});
    this->list.OnSetBounds(VgMoveRectPos(this->list.Bounds, {grow / 2, 0}));
  }
  const int32_t h = 36;
  const int32_t top = this->list.Bounds.y2 + (kButtonsHeight - h) / 2;
  const int32_t left = (VgGetRectW(this->Bounds) - 2 * w - kButtonGap) / 2;
  allButton.OnSetBounds({left, top, left + w, top + h});
  noneButton.OnSetBounds({left + w + kButtonGap, top, left + 2 * w + kButtonGap, top + h});
}

// RIGHT steps from the list to the buttons, LEFT back; the list keeps the
// other keys while it has the focus.
template <class List>
XObject* ChannelButtonsDialog<List>::DispatchEvent(Core::Event* event) {
  const uint16_t key = DownKey(event);
  Core::View* focus = this->Focus.get();
  Core::View* next = nullptr;
  if (key == Key::Right) next = focus == &this->list ? static_cast<Core::View*>(&allButton) : &noneButton;
  if (key == Key::Left && focus != &this->list)
    next = focus == &noneButton ? static_cast<Core::View*>(&allButton) : &this->list;
  if (!next) return NonMenuSystem::ListHost<List, NonMenuSystem::QORWidgetClass>::DispatchEvent(event);
  this->OnSetFocus(next);
  this->ResetTimeout();
  return this;
}

template <class List>
void ChannelButtonsDialog<List>::OnAll(XObject*) {
  this->ResetTimeout();
  ApplyAll(true);
}

template <class List>
void ChannelButtonsDialog<List>::OnNone(XObject*) {
  this->ResetTimeout();
  ApplyAll(false);
}

ChannelOptionDialog::ChannelOptionDialog(XObject* link) : ChannelButtonsDialog(link) {
  WinID = WinIDs::WIN_ID_ChannelOptionDialog;
  OnSetCaption(Text(Strings::ChannelsMenuMasterList));
  allButton.OnSetText(Text(Strings::SID_SELECT_ALL));
  noneButton.OnSetText(Text(Strings::SID_CLEAR_ALL));
}

void ChannelOptionDialog::ApplyAll(bool on) { list.EnableAllChannels(on); }

ChannelLockDialog::ChannelLockDialog(XObject* link) : ChannelButtonsDialog(link) {
  OnSetCaption(Text(Strings::LocksMenuChannelLocks));
  allButton.OnSetText(Text(Strings::SID_LOCK_ALL));
  noneButton.OnSetText(Text(Strings::SID_UNLOCK_ALL));
}

void ChannelLockDialog::ApplyAll(bool on) { list.LockAllChannels(on); }

// -------------------------------------------------------------------- logos

ChannelLogoSettingDialog::ChannelLogoSettingDialog(XObject* link) : ListHost(link) {
  WinID = WinIDs::WIN_ID_ChannelLogoSettingDialog;
  OnSetCaption(Text(Strings::SID_CHANNEL_LOGO_SETTING));
}

void ChannelLogoSettingDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ListHost::Initialize(parameter);
  NonMenuSystem::FitAroundList(this, &list, kListTop);
}

XObject* ChannelLogoSettingDialog::HandleEvent(Core::Event* event) {
  if (DownKey(event) != Key::Red) return ListHost::HandleEvent(event);
  ResetTimeout();
  SubSystem::Open(NonMenuSystem, {.screen = &NonMenuSystem::ConfirmMultiOptionDialog::Class,
                                  .back = GetClass(),
                                  .value = NonMenuSystem::ConfirmTypeDeleteChannelLogo,
                                  .origin = OriginTag(),
                                  .asker = &list});
  return this;
}

ChannelLogoPanel::ChannelLogoPanel(XObject* link) : ListHost(link) {
  WinID = WinIDs::WIN_ID_ChannelLogoPanel;
  Layer = kPanelLayer;
  WidgetOrigin = {-1, kPanelTop};
  OnSetCaption(Text(Strings::SID_CHANNEL_LOGOS));
}

void ChannelLogoPanel::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ListHost::Initialize(parameter);
  NonMenuSystem::FitAroundList(this, &list, kPanelTop);
}

}  // namespace Channels
