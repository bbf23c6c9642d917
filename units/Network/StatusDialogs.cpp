#include "Network/StatusDialogs.h"

#include <cstdio>
#include <iterator>

#include "AppServices/Wrapper.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "Fonts/Fonts.h"
#include "MenuSystem/AppPages.h"
#include "MenuSystem/RecordPages.h"
#include "Network/NetworkWidgetClass.h"
#include "NonMenuSystem/HelpBar.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "SkinBin/NetworkSetup.h"
#include "Strings.h"
#include "vgdebug.h"

VG_DEFINE_CLASS(Network, NetworkStatusDialog, NonMenuSystem::ConfirmOneOptionDialog)
VG_DEFINE_CLASS(Network, TestingButton, SkinBin::Button)
VG_DEFINE_CLASS(Network, ConnectionTestDialog, Network::NetworkStatusDialog)
VG_DEFINE_CLASS(Network, ESNDialog, NonMenuSystem::BorderWidgetClass)

namespace Network {

namespace {

// What the status dialog says when a join ends, by the join's status; the
// last row serves every status not listed (a key or PIN refused).
struct JoinOutcome {
  int32_t status;
  const VgConstant* text;
};
constexpr JoinOutcome kJoinOutcomes[] = {
    {kJoinedStatus, &Strings::SID_WIRELESS_COMPLETE},
    {kNotFoundStatus, &Strings::SID_NO_APS_FOUND_CHECK},
    {-1, &Strings::SID_SECURITY_ERROR},
};

const VgConstant* OutcomeText(int32_t status) {
  for (const JoinOutcome& row : kJoinOutcomes)
    if (row.status == status) return row.text;
  return std::end(kJoinOutcomes)[-1].text;
}

// The test's result kinds and statuses.
constexpr int32_t kKindFailed = 0;
constexpr int32_t kKindResults = 1;
constexpr int32_t kStatusNtpFailed = 0;
constexpr int32_t kStatusComplete = 1;

// The test dialog: three lines of a label and its result over the button.
constexpr VgRect kTestBounds{0, 130, 520, 400};
constexpr int32_t kLineTop = 16;
constexpr int32_t kLinePitch = 32;
constexpr int32_t kLabelLeft = 56;
constexpr int32_t kLabelWidth = 170;
constexpr int32_t kResultGap = 12;
constexpr int32_t kLineHeight = 27;

constexpr VgRect kEsnBounds{0, 180, 560, 330};
constexpr int32_t kEsnRowTop = 70;
constexpr int32_t kEsnLabelWidth = 160;

SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }
SkinBin::NetworkSetup& Network() { return Model()->NetworkSetup; }
VgString Text(const VgConstant& constant) { return VgGetVariantOfString(&constant); }

bool LabelIs(const Button::Button& button, const VgConstant& constant) {
  return VgCompString(button.Text, Text(constant)) == 0;
}

}  // namespace

// ------------------------------------------------------------ NetworkStatusDialog

NetworkStatusDialog::NetworkStatusDialog(XObject* link) : ConfirmOneOptionDialog(link) {
  ButtonWidth = StatusButtonWidth;
  button.OnSetOnActivate(VgSlotOf<&NetworkStatusDialog::DoActivate>(this));
  OnSetYesButtonLabel(Text(Strings::SID_CANCEL));
  OnSetCaption(Text(Strings::SID_WIFI_SETUP));
  OnSetWarningInfo(Text(Strings::SID_WPS_PLEASE_WAIT));
}

void NetworkStatusDialog::DoActivate(XObject*) {
  ResetTimeout();
  if (LabelIs(button, Strings::SID_DONE))
    EnterNextState();
  else if (LabelIs(button, Strings::SID_CANCEL))
    EnterPrevState();
}

XObject* NetworkStatusDialog::HandleEvent(Core::Event* event) {
  if (auto* done = vg_cast<Events::WlanConnectCompleteEvent>(event)) {
    VgPrint("------- WIRELESS CONNECT COMPLETE -------- EVENT STATUS %d\n", done->Status);
    if (done->Status == kJoinedStatus) VgPrint("------- WIRELESS CONNECT COMPLETE in status DIALOG\n");
    // The viewer is told how the join ended, and the button only closes.
    OnSetWarningInfo(Text(*OutcomeText(done->Status)));
    OnSetYesButtonLabel(Text(Strings::SID_DONE));
    ResetTimeout();
    if (done->Status == kJoinedStatus) return this;
  }
  return ConfirmOneOptionDialog::HandleEvent(event);
}

// ------------------------------------------------------------ TestingButton

TestingButton::TestingButton(XObject* link) : SkinBin::Button(link) {
  Nonfocused_Bitmap = nullptr;
  Focused_Bitmap = nullptr;
  Resources::Font* medium = VgLoad<Resources::Font>(Fonts::MediumFont);
  Disabled_TextFont = medium;
  Disabled_TextColor = NonMenuSystem::Look::Text;
  OnSetTextAlignH(Views::Text::AlignLeft);
  // A line only shows; the focus stays on the dialog's button.
  OnSetEnabled(false);
  OnSetText(dots.Step(VgGetVariantOfString(&Strings::SID_TESTING)));
  timer.OnSetBegin(NonMenuSystem::DotAnimation::Period);
  timer.OnSetPeriod(NonMenuSystem::DotAnimation::Period);
  timer.OnSetOnTrigger(VgSlotOf<&TestingButton::WaitingSlot>(this));
  timer.Activate();
}

void TestingButton::WaitingSlot(XObject*) { OnSetText(dots.Step(VgGetVariantOfString(&Strings::SID_TESTING))); }

void TestingButton::ShowResult(VgString text) {
  timer.OnSetEnabled(false);
  OnSetText(text);
}

// ------------------------------------------------------------ ConnectionTestDialog

ConnectionTestDialog::ConnectionTestDialog(XObject* link) : NetworkStatusDialog(link) {
  OnSetCaption(Text(Strings::SID_NETWORK_CONNECTION_TEST));
  OnSetWarningInfo(VgNewString(u""));
  IsShortcut = true;
  PrevState = &MenuSystem::BrcmNetworkingMenu::Class;
  NextState = &MenuSystem::BrcmNetworkingMenu::Class;
  OnSetTimeOutValue(TestTimeout);
  OnSetOnTimeOut(VgSlotOf<&ConnectionTestDialog::DoTimeout>(this));
  button.OnSetOnActivate(VgSlotOf<&ConnectionTestDialog::GoBack>(this));
  static constexpr const VgConstant* kLabels[LineCount] = {&Strings::SID_ESTABLISH_DNS, &Strings::SID_ESTABLISH_NTP,
                                                           &Strings::SID_THROUGHPUT};
  Resources::Font* medium = VgLoad<Resources::Font>(Fonts::MediumFont);
  for (int32_t i = 0; i < LineCount; ++i) {
    Views::Text& label = labels[i];
    label.OnSetString(Text(*kLabels[i]));
    label.OnSetFont(medium);
    label.OnSetColor(NonMenuSystem::Look::Text);
    label.OnSetAlignH(Views::Text::AlignRight);
    label.OnSetAlignV(Views::Text::AlignMiddle);
    Add(&label, 0);
    Add(&lines[i], 0);
  }
  OnSetBounds(kTestBounds);
  OnSetFocus(&button);
}

void ConnectionTestDialog::Refresh(XObject* sender) {
  NetworkStatusDialog::Refresh(sender);
  const int32_t top = ContentTop() + kLineTop;
  for (int32_t i = 0; i < LineCount; ++i) {
    const int32_t y = top + i * kLinePitch;
    labels[i].OnSetBounds({kLabelLeft, y, kLabelLeft + kLabelWidth, y + kLineHeight});
    const int32_t x = kLabelLeft + kLabelWidth + kResultGap;
    lines[i].OnSetBounds({x, y, ContentRight() - 8, y + kLineHeight});
  }
}

void ConnectionTestDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  NetworkStatusDialog::Initialize(parameter);
  Model()->StartAnimation();
  animating_ = true;
  Network().LAN_TestConnection(TestSteps);
}

void ConnectionTestDialog::OnSetTestDone(bool done) {
  TestDone = done;
  if (!done) return;
  OnSetYesButtonLabel(Text(Strings::SID_DONE));
  OnSetTimeOutValue(DoneTimeout);
  ResetTimeout();
  OnSetOnTimeOut(VgSlotOf<&ConnectionTestDialog::GoBack>(this));
  Network().LAN_QuitTestConnection();
}

void ConnectionTestDialog::DoTimeout(XObject*) {
  for (TestingButton& line : lines)
    if (line.IsPending()) line.ShowResult(Text(Strings::SID_FAILED));
  OnSetTestDone(true);
}

// Leaving while the test runs stops it; every close ends the animation the
// opening started.
void ConnectionTestDialog::Close(XObject* sender) {
  NetworkStatusDialog::Close(sender);
  if (!TestDone) {
    TestDone = true;
    Network().LAN_QuitTestConnection();
  }
  if (animating_) {
    animating_ = false;
    Model()->StopAnimation();
  }
}

XObject* ConnectionTestDialog::HandleEvent(Core::Event* event) {
  const uint16_t code = Core::PressedKey(event);
  if (code == Key::ClearAll || code == Key::Exit) {
    EnterPrevState();
    ResetTimeout();
    return this;
  }
  auto* result = vg_cast<Events::NetworkTestResultsEvent>(event);
  if (!result) return NetworkStatusDialog::HandleEvent(event);
  // A result after the end (the two minutes struck first) changes nothing.
  if (TestDone) return this;
  if (result->TestKind == kKindFailed) {
    for (TestingButton& line : lines) line.ShowResult(Text(Strings::SID_FAILED));
    OnSetTestDone(true);
    return this;
  }
  if (result->TestKind != kKindResults) return this;
  lines[LineDns].ShowResult(Text(Strings::SID_PASSED));
  if (result->Status == kStatusNtpFailed)
    lines[LineNtp].ShowResult(Text(Strings::SID_FAILED));
  else if (result->Status == kStatusComplete)
    lines[LineNtp].ShowResult(Text(Strings::SID_PASSED));
  // Without a throughput the test is not over, whatever the status says.
  if (result->Value < 1) return this;
  char number[16];
  std::snprintf(number, sizeof number, "%d", result->Value);
  lines[LineThroughput].ShowResult(VgConcatString(VgNewStringAnsi(number), Text(Strings::SID_KBIT_SEC)));
  if (result->Status == kStatusComplete) OnSetTestDone(true);
  return this;
}

// ------------------------------------------------------------ ESNDialog

ESNDialog::ESNDialog(XObject* link) : BorderWidgetClass(link) {
  OnSetCaption(Text(Strings::SID_ESN));
  PrevState = &MenuSystem::NetflixSetupMenu::Class;
  Resources::Font* medium = VgLoad<Resources::Font>(Fonts::MediumFont);
  for (Views::Text* text : {&label, &value}) {
    text->OnSetFont(medium);
    text->OnSetColor(NonMenuSystem::Look::Text);
    text->OnSetAlignV(Views::Text::AlignMiddle);
  }
  label.OnSetString(Text(Strings::SID_NETFLIX_ESN));
  OnSetBounds(kEsnBounds);
  const int32_t w = VgGetRectW(Bounds);
  label.OnSetBounds({20, kEsnRowTop, 20 + kEsnLabelWidth, kEsnRowTop + 30});
  value.OnSetBounds({30 + kEsnLabelWidth, kEsnRowTop, w - 20, kEsnRowTop + 30});
  Add(&label, 0);
  Add(&value, 0);
}

void ESNDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  BorderWidgetClass::Initialize(parameter);
  if (NonMenuSystem) NonMenuSystem->UpdateHelp(NonMenuSystem::HelpReturn, Text(Strings::SID_BACK), this);
  VgString esn = Model()->GetNetflixESN();
  value.OnSetString(esn ? esn : VgNewString(u""));
}

XObject* ESNDialog::HandleEvent(Core::Event* event) {
  if (Core::PressedKey(event) == Key::Ok) {
    if (PrevState)
      EnterPrevState();
    else
      ClearAll();
    return this;
  }
  return BorderWidgetClass::HandleEvent(event);
}

}  // namespace Network
