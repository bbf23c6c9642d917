#include "Network/ConnectionTest.h"

#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "MenuSystem/AppPages.h"
#include "NonMenuSystem/HelpBar.h"
#include "Resources/Bitmap.h"
#include "SkinBin/NetworkSetup.h"
#include "Strings.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(Network, NetworkConnectionTest, Network::NetworkWidgetClass)
VG_DEFINE_CLASS(Network, NetworkTestSuccess, Network::NetworkWidgetClass)
VG_DEFINE_CLASS(Network, NetworkTestFail, Network::NetworkTestSuccess)

namespace Network {

namespace {

constexpr int32_t kResultTimeout = 4000;
constexpr int32_t kAnimationX = 20;
// The result kind whose zero value means "not yet".
constexpr int32_t kProgressKind = 1;

const HelpDef kHelpCancel{NonMenuSystem::HelpExit, {&Strings::SID_CANCEL}};

constexpr DialogDef kTest{.caption = &Strings::SID_NETWORK_CONNECTION_TEST,
                           .body = &Strings::SID_NOW_TESTING,
                           .help = &kHelpCancel,
                           .next = &NetworkTestFail::Class,
                           .back = &MenuSystem::NetworkSetupMenu::Class,
                           .timeout = NetworkConnectionTest::TestTimeout,
                           .onTimeout = DialogSlot<&NetworkConnectionTest::DoTimeout>};

constexpr DialogDef kSuccess{.body = &Strings::SID_NETWORK_TEST_SUCCESS,
                              .bodyAlignV = Views::Text::AlignMiddle,
                              .next = &MenuSystem::NetworkSetupMenu::Class,
                              .back = &MenuSystem::NetworkSetupMenu::Class,
                              .timeout = kResultTimeout,
                              .onTimeout = DialogSlot<&NetworkWidgetClass::GoBack>};

constexpr DialogDef kFail{.body = &Strings::SID_NETWORK_TEST_FAIL,
                           .bodyAlignV = Views::Text::AlignMiddle,
                           .next = &MenuSystem::NetworkSetupMenu::Class,
                           .back = &MenuSystem::NetworkSetupMenu::Class,
                           .timeout = kResultTimeout,
                           .onTimeout = DialogSlot<&NetworkWidgetClass::GoBack>};

SkinBin::NetworkSetup& Network() { return MainApp::GetWrapper()->NetworkSetup; }

}  // namespace

// ------------------------------------------------------------ NetworkConnectionTest

NetworkConnectionTest::NetworkConnectionTest(XObject* link) : NetworkWidgetClass(kTest, link) {
  animation.OnSetAutoSize(true);
  animation.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::AnimationWired));
  animation.OnSetAnimated(true);
  animation.OnSetEndless(true);
  const VgPoint size = VgGetRectSize(animation.Bounds);
  const int32_t y = CaptionHeight + (VgGetRectH(Bounds) - CaptionHeight - size.y) / 2;
  animation.OnSetBounds({kAnimationX, y, kAnimationX + size.x, y + size.y});
  Add(&animation, 0);
}

void NetworkConnectionTest::Initialize(Primitives::KeyRoutingParameter* parameter) {
  NetworkWidgetClass::Initialize(parameter);
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  const bool wireless = model->GetCurrentLanDevId() == SkinBin::NetworkSetup::kWireless;
  animation.OnSetBitmap(VgLoad<Resources::Bitmap>(wireless ? Bitmaps::AnimationWireless : Bitmaps::AnimationWired));
  Network().LAN_TestConnection(TestSteps);
  testing = true;
  model->StartAnimation();
  animating = true;
}

void NetworkConnectionTest::QuitTest() {
  if (!testing) return;
  testing = false;
  Network().LAN_QuitTestConnection();
}

// Leaving before the answer stops the middleware's test too.
void NetworkConnectionTest::Close(XObject* sender) {
  QuitTest();
  NetworkWidgetClass::Close(sender);
  if (animating) {
    animating = false;
    MainApp::GetWrapper()->StopAnimation();
  }
}

void NetworkConnectionTest::DoTimeout(XObject*) { EnterNextState(); }

XObject* NetworkConnectionTest::HandleEvent(Core::Event* event) {
  if (auto* key = vg_cast<Core::KeyEvent>(event); key && key->down) {
    if (key->keyCode == Key::ClearAll || key->keyCode == Key::Exit) {
      QuitTest();
      EnterPrevState();
      ResetTimeout();
      return this;
    }
    // Without an answer there is nothing to go on to.
    if (key->keyCode == Key::Ok && !answered) {
      ResetTimeout();
      return this;
    }
    return NetworkWidgetClass::HandleEvent(event);
  }
  auto* result = vg_cast<Events::NetworkTestResultsEvent>(event);
  if (!result) return NetworkWidgetClass::HandleEvent(event);
  if (result->TestKind != kProgressKind && result->Value == 0) {
    answered = true;
    testing = false;
    EnterNextState();
  } else if (result->Value >= 1) {
    answered = true;
    testing = false;
    NextState = &NetworkTestSuccess::Class;
    OnSetTimeOutValue(SuccessDelay);
    timeOutTimer.Activate();
  }
  return this;
}

// ------------------------------------------------------------ the result pages

NetworkTestSuccess::NetworkTestSuccess(XObject* link) : NetworkTestSuccess(kSuccess, link) {}

NetworkTestSuccess::NetworkTestSuccess(const DialogDef& def, XObject* link) : NetworkWidgetClass(def, link) {
  background.OnSetColor(Colors::DirectMessageBg);
  OnSetCaption(VgNewString(u""));
}

// The caption handed on by the test is not shown: the page has none.
void NetworkTestSuccess::Initialize(Primitives::KeyRoutingParameter* parameter) {
  NetworkWidgetClass::Initialize(parameter);
  OnSetCaption(VgNewString(u""));
}

NetworkTestFail::NetworkTestFail(XObject* link) : NetworkTestSuccess(kFail, link) {}

}  // namespace Network
