#include "Update/UpdateScreens.h"

#include <algorithm>

#include "Colors/Colors.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "Fonts/Fonts.h"
#include "PersistentData/PersistentData.h"
#include "AppServices/Wrapper.h"
#include "NonMenuSystem/ConfirmMultiOptionDialog.h"
#include "NonMenuSystem/ConfirmTypes.h"
#include "NonMenuSystem/DirectMessageBar.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Strings.h"
#include "SubSystem/Open.h"
#include "WinIDs/WinIDs.h"
#include "vgdebug.h"

VG_DEFINE_CLASS(Update, CheckingMessage, NonMenuSystem::WidgetClass)
VG_DEFINE_CLASS(Update, UpdatingDialog, NonMenuSystem::WidgetClass)

namespace Update {

namespace {

// What a check's result code leads to. A code of none of the rows is a
// failure of the network when it is not a whole thousand, else of the
// upgrade itself.
struct CheckRow {
  int32_t result;
  int32_t messageType;
};
constexpr CheckRow kCheckResults[] = {
    {0, NonMenuSystem::ConfirmTypeUpgradeLong},
    {5000, 15},  // no upgrade available
};
constexpr int32_t kUpgradeFailed = 16;
constexpr int32_t kNetworkUnavailable = 29;
constexpr uint32_t kFailureUnit = 1000;

// What the upgrade's result shows.
constexpr int32_t kUpgradeError = 17;
constexpr int32_t kUpgradeComplete = 18;
constexpr int32_t kUpgradeCompleteRemoveMedia = 19;
constexpr int32_t kPowerKeyBlocked = 0;
constexpr int32_t kPowerKeyReleased = 1;

constexpr char16_t kConfirmedVersion[] = u"ConfirmedVersion";
constexpr char16_t kUSBUpdate[] = u"USBUpdate";

constexpr int32_t kMessageWidth = 520;
constexpr int32_t kDialogWidth = 640;
constexpr int32_t kDialogHeight = 220;
constexpr int32_t kTextInset = 30;
constexpr VgRect kBarArea{70, 160, 570, 180};

SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }
VgString Text(const VgConstant& constant) { return VgGetVariantOfString(&constant); }

// The screen stands centred on the 960 x 540 screen.
VgPoint Centred(VgRect bounds) {
  return {(NonMenuSystem::NonMenuSystem::ScreenWidth - VgGetRectW(bounds)) / 2,
          (NonMenuSystem::NonMenuSystem::ScreenHeight - VgGetRectH(bounds)) / 2};
}

// The update service's keys live in the model's settings store.
void Forget(const char16_t* key) {
  if (::PersistentData::PersistentData* store = Model()->OnGetPersistentData()) store->RemoveString(VgNewString(key));
}

// A message bar opened over a screen stands centred on the area it covered.
void CentreOn(Primitives::KeyRoutingForm* bar, VgRect area) {
  if (!bar) return;
  const int32_t w = VgGetRectW(bar->Bounds);
  const int32_t h = VgGetRectH(bar->Bounds);
  const int32_t x = area.x1 + (VgGetRectW(area) - w) / 2;
  const int32_t y = area.y1 + (VgGetRectH(area) - h) / 2;
  bar->OnSetBounds({x, y, x + w, y + h});
}

}  // namespace

int32_t CheckOutcome(int32_t result) {
  for (const CheckRow& row : kCheckResults)
    if (row.result == result) return row.messageType;
  return uint32_t(result) % kFailureUnit == 0 ? kUpgradeFailed : kNetworkUnavailable;
}

// ------------------------------------------------------------ CheckingMessage

CheckingMessage::CheckingMessage(XObject* link) : WidgetClass(link) {
  WinID = WinIDs::WIN_ID_UBN_Message;
  NextState = &NonMenuSystem::ConfirmMultiOptionDialog::Class;
  background.OnSetColor(NonMenuSystem::Look::Panel);
  message.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  message.OnSetColor(Colors::DefaultTextColor);
  message.OnSetAlignV(Views::Text::AlignTop);
  message.OnSetString(Text(Strings::SID_CHECK_TV_SOFTWARE_VERSION));
  message.OnSetBounds({kTextInset, kTextInset, kMessageWidth - kTextInset, 200});
  message.OnSetAutoSize(true);
  Add(&message, 0);
  const int32_t height = message.Bounds.y2 + kTextInset;
  OnSetBounds({0, 0, kMessageWidth, height});
  limitTimer.OnSetPeriod(0);
  limitTimer.OnSetOnTrigger(VgSlotOf<&CheckingMessage::DoLimit>(this));
}

void CheckingMessage::Initialize(Primitives::KeyRoutingParameter* parameter) {
  WidgetClass::Initialize(parameter);
  OnSetOnTimeOut(VgSlot{});
  WidgetOrigin = Centred(Bounds);
  MessageType = NonMenuSystem::ConfirmTypeUpgradeLong;
  Forget(kConfirmedVersion);
  Model()->StartUpdateCheck(1, nullptr);
  limitTimer.OnSetBegin(CheckLimit);
  limitTimer.Activate();
}

void CheckingMessage::DoLimit(XObject*) {
  VgPrint("Update::CheckingMessage: no answer to the update check in %d ms\n", CheckLimit);
  Finish(kFailureUnit + 1);
}

void CheckingMessage::Finish(int32_t result) {
  limitTimer.OnSetEnabled(false);
  MessageType = CheckOutcome(result);
  if (result != 0) NextState = &NonMenuSystem::DirectMessageBar::Class;
  EnterNextState();
}

bool CheckingMessage::FollowsTheWorld(Core::Event* event) const {
  return vg_cast<Events::XPM_EVENT_UBN_RESULT>(event) != nullptr;
}

XObject* CheckingMessage::HandleEvent(Core::Event* event) {
  if (vg_cast<Core::KeyEvent>(event)) return this;
  if (auto* answer = vg_cast<Events::XPM_EVENT_UBN_RESULT>(event)) {
    Finish(answer->Result);
    return this;
  }
  return WidgetClass::HandleEvent(event);
}

void CheckingMessage::EnterNextState() {
  const VgRect area = Bounds;
  Close();
  if (!NextState || !NonMenuSystem) return;
  Primitives::KeyRoutingForm* next = SubSystem::Open(
      NonMenuSystem, {.screen = NextState, .value = MessageType, .origin = Constants::MSG_FROM_NONMENUSYSTEM});
  if (vg_cast<NonMenuSystem::DirectMessageBar>(next)) CentreOn(next, area);
}

// ------------------------------------------------------------ UpdatingDialog

UpdatingDialog::UpdatingDialog(XObject* link) : WidgetClass(link) {
  WinID = WinIDs::WIN_ID_UBN_Updating;
  background.OnSetColor(Colors::MenuBgColor);
  OnSetBounds({0, 0, kDialogWidth, kDialogHeight});
  message.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  message.OnSetColor(Colors::StandardTextColor);
  message.OnSetAlignH(Views::Text::AlignCentre);
  message.OnSetAlignV(Views::Text::AlignMiddle);
  message.OnSetString(VgConcatString(VgConcatString(Text(Strings::SID_UPGRADING_TITLE), VgNewString(u"\n")),
                                     Text(Strings::SID_SWU_MSG_PROGRESS)));
  message.OnSetBounds({kTextInset, 20, kDialogWidth - kTextInset, kBarArea.y1 - 10});
  block.OnSetColor(NonMenuSystem::Look::Panel);
  block.OnSetBounds({kBarArea.x1 - 10, kBarArea.y1 - 8, kBarArea.x2 + 10, kBarArea.y2 + 8});
  bar.OnSetBounds(kBarArea);
  bar.OnSetMin(0);
  bar.OnSetMax(BarMaximum);
  bar.OnSetReadOnly(true);
  bar.OnSetValue(0);
  Add(&block, 0);
  Add(&bar, 0);
  Add(&message, 0);
  progressTimer.OnSetBegin(PollPeriod);
  progressTimer.OnSetPeriod(PollPeriod);
  progressTimer.OnSetOnTrigger(VgSlotOf<&UpdatingDialog::Slot>(this));
}

void UpdatingDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  WidgetClass::Initialize(parameter);
  OnSetOnTimeOut(VgSlot{});
  WidgetOrigin = Centred(Bounds);
  ShowWaiting(false);
  Model()->EnterAppCriticalSection(true);
  Model()->PowerKeyControl(kPowerKeyBlocked);
  progressTimer.Activate();
}

void UpdatingDialog::ShowWaiting(bool show) {
  block.OnSetVisible(show);
  bar.OnSetVisible(show);
}

void UpdatingDialog::Slot(XObject*) {
  const int32_t progress = ReadProgress ? ReadProgress() : Model()->GetUpdateProgress();
  bar.OnSetValue(std::clamp(progress, 0, BarMaximum));
  if (bar.OnGetValue() >= 1) ShowWaiting(true);
}

void UpdatingDialog::StopScan() {
  Model()->ExitAppCriticalSection();
  EnterNextState();
  VgSignal(OnStop, this);
}

bool UpdatingDialog::FollowsTheWorld(Core::Event* event) const {
  return vg_cast<Events::XPM_EVENT_UBN_RESULT>(event) || vg_cast<Events::XPM_EVENT_STANDBY>(event);
}

XObject* UpdatingDialog::HandleEvent(Core::Event* event) {
  auto* result = vg_cast<Events::XPM_EVENT_UBN_RESULT>(event);
  // Nothing stops an upgrade: not a key, not standby. A standby swallowed is
  // one refused, so the host keeps the set on and listening.
  if (auto* standby = vg_cast<Events::XPM_EVENT_STANDBY>(event)) standby->Refused = true;
  if (!result) return this;
  progressTimer.OnSetEnabled(false);
  bar.OnSetValue(BarMaximum);
  const VgRect area = Bounds;
  ::NonMenuSystem::NonMenuSystem* system = NonMenuSystem;
  StopScan();
  int32_t type = kUpgradeError;
  if (result->Result != 0) {
    Model()->PowerKeyControl(kPowerKeyReleased);
  } else {
    // The power key stays blocked until the message restarts the set.
    type = Model()->IsUSBUpdate() ? kUpgradeCompleteRemoveMedia : kUpgradeComplete;
  }
  if (system)
    CentreOn(SubSystem::Open(system, {.screen = &NonMenuSystem::DirectMessageBar::Class,
                                      .value = type,
                                      .origin = Constants::MSG_FROM_NONMENUSYSTEM}),
             area);
  Forget(kUSBUpdate);
  Forget(kConfirmedVersion);
  return this;
}

}  // namespace Update
