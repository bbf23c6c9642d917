#include "ThreeD/StartSequence.h"

#include <string_view>

#include "AppServices/MessageAgent.h"
#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/HelpBar.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "PersistentData/PersistentData.h"
#include "SkinBin/UserRefInt.h"
#include "Strings.h"
#include "Structures/Message.h"
#include "SubSystem/KeyOwner.h"
#include "WinIDs/WinIDs.h"
#include "vgslot.h"

VG_DEFINE_CLASS(ThreeD, Start3DWizard, ::NonMenuSystem::WidgetClass)
VG_DEFINE_CLASS(ThreeD, StartMessage, ::NonMenuSystem::WidgetClass)
VG_DEFINE_CLASS(ThreeD, DisplayMode, ::NonMenuSystem::WidgetClass)

namespace ThreeD {

namespace {

using Keeper = ::SkinBin::Setup3D;

struct ScreenName {
  Screen screen;
  const char* name;
};
constexpr ScreenName kScreens[] = {
    {Screen::ModeFlag, "ThreeD::SelectMode_Flag"},
    {Screen::ModeButton, "ThreeD::SelectMode_Button"},
    {Screen::MessageBar, "NonMenuSystem::DirectMessageBar"},
    {Screen::Information, "ThreeD::ImportantInfoDialog"},
    {Screen::Confirmation, "NonMenuSystem::ConfirmMultiOptionDialog"},
    {Screen::Pin, "NonMenuSystem::EnterPinDialog"},
    {Screen::Format, "ThreeD::SelectFormat"},
    {Screen::Warning, "ThreeD::StartMessage"},
    {Screen::Banner, "ThreeD::DisplayMode"},
};

Screen ScreenOf(const VgClass* cls) {
  if (!cls) return Screen::None;
  for (const ScreenName& row : kScreens)
    if (std::string_view(cls->name) == row.name) return row.screen;
  return Screen::None;
}

const VgClass* ClassOf(Screen screen) {
  for (const ScreenName& row : kScreens)
    if (row.screen == screen) return VgFindClass(row.name);
  return nullptr;
}

::SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }

constexpr VgRect kWarningBounds{0, 0, 900, 190};
constexpr VgPoint kWarningOrigin{30, 300};
constexpr VgPoint kWarningImage{16, 55};
constexpr VgRect kWarningText{152, 12, 888, 178};
constexpr VgRect kBannerBounds{0, 0, 76, 76};
constexpr VgPoint kBannerOrigin{30, 430};
constexpr int32_t kBannerTimeOut = 6000;

}  // namespace

// ------------------------------------------------------------ the decision

SequenceStep NextStep(const SequenceFacts& facts) {
  SequenceStep step;
  const Screen from = facts.from;
  const bool chooser = from == Screen::ModeFlag || from == Screen::ModeButton;
  const bool locked = facts.remain3DTime >= 1;
  // Each stage either decides or hands over to the next one, as if the
  // wizard had come from the screen that stage follows.
  bool pastChooser = false;
  if (chooser) {
    if (!facts.formatSupported) {
      step.unsupported = true;
      step.next = Screen::MessageBar;
      step.parameter = kUnsupportedMessage;
      return step;
    }
    pastChooser = true;
  }
  bool pastMessage = false;
  if (pastChooser || from == Screen::MessageBar) {
    if (locked) {
      // Unlocked a short time ago: straight to 3D, through the format
      // chooser when no format is chosen yet.
      if (from != Screen::ModeFlag && !facts.formatSelected) {
        step.next = Screen::Format;
        return step;
      }
      step.applyLater = true;
      step.announce = true;
      step.clearAll = true;
      step.next = Screen::Banner;
      return step;
    }
    if (facts.displayInfo || facts.firstViewing) {
      step.forgetFirst = true;
      step.next = Screen::Information;
      return step;
    }
    pastMessage = true;
  }
  bool pastInformation = false;
  if (pastMessage || from == Screen::Information) {
    if (!locked && facts.enableTimer && facts.remainContinualTime > 0) {
      step.askedContinual = true;
      step.next = Screen::Confirmation;
      step.parameter = kContinualConfirmation;
      return step;
    }
    if (facts.locked) {
      step.next = Screen::Pin;
      step.parameter = kSequencePin;
      return step;
    }
    pastInformation = true;
  }
  if (pastInformation || from == Screen::Pin) {
    step.startLockTimer = facts.enableTimer;
    if (facts.formatSelected)
      step.formatTaken = true;
    else
      step.next = Screen::Format;
    return step;
  }
  if (from == Screen::Format) {
    step.announce = facts.display3D;
    if (facts.startMessage) {
      step.next = Screen::Warning;
    } else {
      step.clearAll = true;
      step.next = Screen::Banner;
    }
    return step;
  }
  if (from == Screen::Warning) step.clearAll = true;
  return step;
}

// ------------------------------------------------------------- the wizard

Start3DWizard::Start3DWizard(XObject* link) : WidgetClass(link) {
  background.OnSetColor({0, 0, 0, 0});
  OnSetBounds({0, 0, 1, 1});
  // It shows nothing and waits for no key: the keys stay where they are
  // until the screen it opens takes them, instead of going to a step the
  // viewer cannot see, beside the screen on view.
  FocusOnOpen = false;
}

void Start3DWizard::Initialize(Primitives::KeyRoutingParameter* parameter) {
  WidgetClass::Initialize(parameter);
  CheckNextState();
}

SequenceFacts Start3DWizard::Facts() const {
  ::SkinBin::Wrapper* model = Model();
  Keeper& keeper = model->Setup3D;
  ::PersistentData::PersistentData* store = model->OnGetPersistentData();
  const VgString first = store ? store->GetString(VgNewString(kFirstViewingKey)) : nullptr;
  return {.from = ScreenOf(PrevState),
          .formatSupported = keeper.IsFormatSupported(keeper.InputFormat),
          .formatSelected = keeper.IsFormatSelected(),
          .display3D = keeper.Is3DDisplay(keeper.State),
          .remain3DTime = model->OnGetRemain3DTime(),
          .remainContinualTime = model->OnGetRemain3DContinualTime(),
          .displayInfo = model->OnGetThreeD_DisplayInfo() == 1,
          .firstViewing = VgGetStringLength(first) > 0,
          .enableTimer = model->OnGetThreeD_EnableTimer() != 0,
          .locked = model->OnGetThreeDLock() == 1,
          .startMessage = model->OnGetThreeDStartMessage() == 1};
}

void Start3DWizard::CheckNextState() {
  const SequenceStep step = NextStep(Facts());
  ::SkinBin::Wrapper* model = Model();
  Keeper& keeper = model->Setup3D;
  if (step.unsupported) keeper.State = Keeper::kStateStarting;
  if (step.forgetFirst)
    if (::PersistentData::PersistentData* store = model->OnGetPersistentData())
      store->RemoveString(VgNewString(kFirstViewingKey));
  if (step.askedContinual) model->OnSetRemain3DContinualTime(-1);
  if (step.startLockTimer) model->Start3DLockTimer();
  if (step.applyLater) keeper.ApplyStateLater();
  if (step.announce) {
    auto* message = VgNew<Structures::Message>();
    message->Code = Constants::MSG_3D_STARTED;
    message->Param = 1;
    MainApp::GetMessageAgent()->Dispatch(message, nullptr);
  }
  if (step.clearAll) ClearAll();
  if (step.formatTaken) {
    PrevState = ClassOf(Screen::Format);
    VgIdleSignal(VgSlotOf<&Start3DWizard::PostCheckState>(this));
    return;
  }
  NextState = ClassOf(step.next);
  Parameter = step.parameter;
  VgPostSignal(VgSlotOf<&Start3DWizard::EnterNextStateSlot>(this));
}

void Start3DWizard::PostCheckState(XObject*) {
  Model()->Setup3D.ApplyState();
  CheckNextState();
}

void Start3DWizard::EnterNextStateSlot(XObject*) { EnterNextState(); }

void Start3DWizard::EnterNextState() {
  Close();
  if (!NextState) return;
  if (!NonMenuSystem) {
    VgPrint("ThreeD::Start3DWizard: no owner to open %s\n", NextState->name);
    return;
  }
  auto* param = VgNew<::SkinBin::UserRefInt>();
  param->Value = Parameter;
  param->Kind = Constants::MSG_FROM_NONMENUSYSTEM;
  NonMenuSystem->OpenState(NextState, param);
}

// ------------------------------------------------------------ the warning

StartMessage::StartMessage(XObject* link) : WidgetClass(link) {
  WinID = WinIDs::WIN_ID_3D_Dialog;
  OnSetBounds(kWarningBounds);
  WidgetOrigin = kWarningOrigin;
  image.OnSetAutoSize(true);
  image.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::Mode3D_3D));
  image.OnSetBounds(VgSetRectOrigin(image.Bounds, kWarningImage));
  Add(&image, 0);
  warning.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  warning.OnSetColor(NonMenuSystem::Look::Text);
  warning.OnSetBounds(kWarningText);
  warning.OnSetString(VgGetVariantOfString(&Strings::SID_3D_WARNING));
  Add(&warning, 0);
  OnSetTimeOutValue(TimeOut);
  OnSetOnTimeOut(VgSlotOf<&StartMessage::TimeOutNext>(this));
  NextState = VgFindClass("ThreeD::Start3DWizard");
}

void StartMessage::Initialize(Primitives::KeyRoutingParameter* parameter) {
  WidgetClass::Initialize(parameter);
  // A menu opening must not stretch the warning to a minute.
  OnSetTimeOutValue(TimeOut);
  if (NonMenuSystem) NonMenuSystem->UpdateHelp(NonMenuSystem::HelpOk, VgGetVariantOfString(&Strings::SID_EXIT), this);
}

void StartMessage::TimeOutNext(XObject*) { EnterNextState(); }

XObject* StartMessage::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key) return WidgetClass::HandleEvent(event);
  if (!key->down) return this;
  ResetTimeout();
  if (key->keyCode == Key::Ok || key->keyCode == Key::ClearAll || key->keyCode == Key::Exit) EnterNextState();
  return this;
}

// ------------------------------------------------------------- the banner

DisplayMode::DisplayMode(XObject* link) : WidgetClass(link) {
  WinID = WinIDs::WIN_ID_3D_Dialog;
  OnSetBounds(kBannerBounds);
  WidgetOrigin = kBannerOrigin;
  image.OnSetAutoSize(true);
  image.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::Mode3D_3D));
  Add(&image, 0);
}

void DisplayMode::Initialize(Primitives::KeyRoutingParameter* parameter) {
  WidgetClass::Initialize(parameter);
  OnSetTimeOutValue(kBannerTimeOut);
  OnSetOnTimeOut(VgSlotOf<&DisplayMode::TimeOut>(this));
  OnSetIsPersistent(false);
  const VgConstant* picture = nullptr;
  switch (Model()->Setup3D.State) {
    case Keeper::kState3D:
      picture = &Bitmaps::Mode3D_3D;
      break;
    case Keeper::kState2D:
    case Keeper::kState3DAs2D:
      picture = &Bitmaps::Mode3D_2D;
      break;
    case Keeper::kState2DTo3D:
      picture = &Bitmaps::Mode3D_2Dto3D;
      break;
    default:
      break;
  }
  if (picture) image.OnSetBitmap(VgLoad<Resources::Bitmap>(*picture));
  // The banner is as large as its picture, which is larger than its frame.
  OnSetBounds(VgSetRectOrigin(image.Bounds, {Bounds.x1, Bounds.y1}));
}

// Over a screen that takes keys, OK would clear the screen the viewer is
// using and EXIT would be lost: both are that screen's.
bool DisplayMode::UsesKey(uint16_t code) const {
  if (code != Key::Ok && code != Key::Exit) return false;
  return !SubSystem::KeyOwner::ScreenUnder(const_cast<DisplayMode*>(this));
}

void DisplayMode::Open(XObject* sender) {
  WidgetClass::Open(sender);
  if (SubSystem::KeyOwner::ScreenUnder(this)) FocusOnOpen = false;
}

// Its time runs with or without the keys; at its end it clears the screens
// only when no screen that takes keys is under it, which is the viewer's.
void DisplayMode::TimeOut(XObject*) {
  if (SubSystem::KeyOwner::ScreenUnder(this))
    Exit();
  else
    ClearAll();
}

XObject* DisplayMode::HandleEvent(Core::Event* event) {
  switch (Core::PressedKey(event)) {
    case Key::Ok:
      ClearAll();
      return this;
    case Key::Exit:
      return this;
    default:
      return WidgetClass::HandleEvent(event);
  }
}

}  // namespace ThreeD
