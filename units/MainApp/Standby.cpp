#include "MainApp/Standby.h"

#include "AppServices/EventAgent.h"
#include "AppServices/MediaWrapper.h"
#include "AppServices/Messages.h"
#include "AppServices/PersistentData.h"
#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "Constants/Constants.h"
#include "Core/Keys.h"
#include "Events/Events.h"
#include "MainApp/ActiveApp.h"
#include "MainApp/InitialSetup.h"
#include "MainApp/Root.h"
#include "NonMenuSystem/DirectMessageBar.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Structures/Boxes.h"
#include "vgslot.h"
#include "vgtrace.h"

VG_DEFINE_CLASS(MainApp, Standby, Primitives::KeyRoutingGroup)

namespace MainApp {

Standby::Standby(XObject* link) : Primitives::KeyRoutingGroup(link) {}

namespace {


// The trace lines of the wake-up and standby reasons, from reason 1.
constexpr const char16_t* kWakeupReasons[] = {
    u"**** wake up reason power",  u"**** wake up reason timer",  u"**** wake up reason force on",
    u"**** wake up reason device", u"**** wake up reason aging mode",
};
constexpr const char16_t* kStandbyReasons[] = {
    u"**** standby reason power",     u"**** standby reason timer",
    u"**** standby reason force on",  u"**** standby reason DPMS",
    u"**** standby reason SleepTimer", u"**** standby reason Not Signal Timer Expired",
    u"Force Power Down immediately",
};

template <size_t N>
const char16_t* ReasonText(const char16_t* const (&texts)[N], int32_t reason, const char16_t* unknown) {
  return reason >= 1 && size_t(reason) <= N ? texts[reason - 1] : unknown;
}

Primitives::KeyRoutingParameter* ParameterFor(Core::Group* parent) {
  auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
  parameter->Parent = parent;
  return parameter;
}

VgString Key(const char16_t* key) { return VgNewString(key); }

}  // namespace

void Standby::Initialize(Primitives::KeyRoutingParameter* parameter) {
  Primitives::KeyRoutingGroup::Initialize(parameter);
  OnSetBounds({0, 0, Root::ScreenWidth, Root::ScreenHeight});
  GetMessageAgent()->Register(this);
}

void Standby::Close(XObject* sender) {
  Primitives::KeyRoutingGroup::Close(sender);
  GetMessageAgent()->UnRegister(this);
}

XObject* Standby::HandleEvent(Core::Event* event) {
  if (auto* wake = vg_cast<Events::XPM_EVENT_WAKEUP>(event)) {
    wakeup(wake->Reason);
    return this;
  }
  if (auto* sleep = vg_cast<Events::XPM_EVENT_STANDBY>(event)) {
    VgTrace("%s", u"**** Standby event received by standby machine");
    ::SkinBin::Wrapper* wrapper = GetWrapper();
    // A window that records or pauses the live picture keeps the set on; the
    // viewer is told instead.
    if (wrapper->GetLiveTVState(0) == 1 && wrapper->GetLiveTVState(1) == 1) {
      standby(sleep->Reason);
    } else {
      sleep->Refused = true;
      SendMessage(Constants::MSG_RECORD_SLEEP_WARNING, &::NonMenuSystem::NonMenuSystem::Class);
    }
    return this;
  }
  if (auto* key = vg_cast<Core::KeyEvent>(event); key && key->down) {
    if (key->keyCode != Key::Power) return Primitives::KeyRoutingGroup::HandleEvent(event);
    standby(1);
    return this;
  }
  if (vg_cast<Events::XPM_EVENT_FACTORY_RESET>(event)) {
    VgTrace("%s", u"Active App receive the factory reset Event");
    ResetFactory();
    return this;
  }
  if (vg_is_exactly<Events::XPM_EVENT_RATING_REGION_UPDATED>(event) ||
      vg_is_exactly<Events::XPM_EVENT_CHANNEL_ACQUIRED>(event) ||
      vg_is_exactly<Events::XPM_EVENT_SOURCE_ACQUIRED>(event)) {
    VgTrace("%s%$%s", u" Insert event class", event->GetClass(), u"to EventAgent in Standby");
    GetEventAgent()->InsertEvent(event);
    return this;
  }
  return Primitives::KeyRoutingGroup::HandleEvent(event);
}

void Standby::HandleMessage(Structures::Message* message) {
  if (!message) return;
  if (message->Code == Constants::MSG_RESTART_INITIAL_SETUP) {
    RestartInitialSetup();
  } else if (message->Code == Constants::MSG_EVENT_CACHED) {
    if (auto* event = vg_cast<Core::Event>(message->Payload.get())) HandleEvent(event);
  }
}

int32_t Standby::wakeup(int32_t reason) {
  VgTrace("%s", ReasonText(kWakeupReasons, reason, u"**** Unknown reason to wakeup"));
  ::SkinBin::Wrapper* wrapper = GetWrapper();
  if (reason == WakeupTimer) {
    auto* timer = VgNew<Events::USER_EVENT_TIMER_WAKEUP>();
    timer->AlreadyAwake = activeApp ? 1 : 0;
    GetEventAgent()->InsertEvent(timer);
  } else if (reason == WakeupForceOn) {
    wrapper->OnSetTVForceOn(true);
  } else if (reason == WakeupAgingMode) {
    SendMessage(Constants::MSG_CLEAR_ALL);
    GetWidgetManager()->CloseLayers(-1);
    wrapper->OnSetTVAgingMode(true);
  }

  if (activeApp || initialSetup) {
    VgTrace("%s", u"*** System is already in wakeup state.");
    if (reason == WakeupTimer) GetEventAgent()->ProcessEvents(this);
    return AlreadyAwake;
  }
  if (GetPersistentData()->GetInteger(Key(kSetupStepKey)) == kSetupComplete) {
    VgSignal(VgSlotOf<&Standby::EnterNormalTVState>(this), this);
  } else {
    VgSignal(VgSlotOf<&Standby::EnterInitialSetupState>(this), this);
  }
  return 0;
}

void Standby::EnterNormalTVState(XObject*) {
  ::SkinBin::Wrapper* wrapper = GetWrapper();
  const bool setupClosed = initialSetup != nullptr;
  if (initialSetup) {
    initialSetup->Close();
    initialSetup = nullptr;
  }
  wrapper->NotifySetupStatus(setupClosed ? 2 : 0);

  // A second request while the set is in normal operation keeps the group
  // it has: two would both take every key.
  if (activeApp) {
    VgPrint("MainApp::Standby.EnterNormalTVState: normal operation is already open\n");
    return;
  }
  auto* app = VgNew<ActiveApp>();
  activeApp = app;
  app->Initialize(ParameterFor(this));
  app->Open();
  OnSetFocus(app);

  ::Media::MediaWrapper* media = GetMediaWrapper();
  const int32_t renderer = media->IsDmrConfiged() && wrapper->OnGetMediaRenderer() == 1 ? 1 : 0;
  const int32_t accessControl = wrapper->OnGetDMC_AccessControl() == 1 ? 1 : 0;
  media->PslInitialize(1, renderer, accessControl);
  media->Initialize(GetRoot());
  // The library now runs: the sharing setting reaches it again.
  wrapper->OnSetEnableDlna(wrapper->OnGetEnableDlna());
}

void Standby::EnterInitialSetupState(XObject*) {
  ::SkinBin::Wrapper* wrapper = GetWrapper();
  wrapper->NotifySetupStatus(1);
  auto* setup = VgNew<InitialSetup>();
  initialSetup = setup;
  setup->OnSetOnCompleteSetup(VgSlotOf<&Standby::EnterNormalTVState>(this));
  setup->Initialize(ParameterFor(this));
  setup->Open();
  OnSetFocus(setup);
  wrapper->DisplayNoChannel();
}

void Standby::ClearApp() {
  SendMessage(Constants::MSG_CLEAR_ALL);
  GetWidgetManager()->CloseLayers(-1);
  if (activeApp) {
    activeApp->Close();
    activeApp = nullptr;
  }
  if (initialSetup) {
    initialSetup->Close();
    initialSetup = nullptr;
  }
}

void Standby::standby(int32_t reason) {
  VgTrace("%s", ReasonText(kStandbyReasons, reason, u"**** unknown reason to standby"));
  ::SkinBin::Wrapper* wrapper = GetWrapper();
  ::PersistentData::PersistentData* settings = GetPersistentData();
  wrapper->StopLumetraThread();
  // Leaving the critical section stops the game timer, which clears the
  // flag; a game timer that was running must be found running after standby.
  const bool gameTimer = settings->GetBool(Key(kGameTimerActivatedKey));
  wrapper->EnterAppCriticalSection(false);
  if (gameTimer) settings->PutBool(Key(kGameTimerActivatedKey), true);
  wrapper->OnSetFactoryMode(nullptr);
  ClearApp();
  wrapper->Standby(0, 0);
}

void Standby::ResetFactory() {
  VgTrace("%s", u"Reset Factory");
  ClearApp();
  auto* bar = VgNew<::NonMenuSystem::DirectMessageBar>();
  messageBar = bar;
  // The bar takes its message type from its opening record.
  auto* type = VgNew<::Structures::RefInt>();
  type->Value = FactoryResetMessage;
  Primitives::KeyRoutingParameter* parameter = ParameterFor(this);
  parameter->Param = type;
  bar->Initialize(parameter);
  // A bar without a place of its own stands in the middle of the screen.
  VgPoint at = bar->WidgetOrigin;
  if (at.x == -1 && at.y == -1)
    at = ::Wrapper::Wrapper::GetCenterPosition(Root::ScreenWidth, Root::ScreenHeight, VgGetRectW(bar->Bounds),
                                                VgGetRectH(bar->Bounds));
  bar->OnSetBounds(VgSetRectOrigin(bar->Bounds, at));
  bar->Open();
  // The reset runs one signal pass later, after the bar was drawn.
  VgIdleSignal(VgSlotOf<&Standby::DoResetFactory>(this));
}

void Standby::DoResetFactory(XObject*) {
  ::SkinBin::Wrapper* wrapper = GetWrapper();
  if (wrapper->GetPIPState() != 0) wrapper->SetPIP(0);
  wrapper->ResetAll();
  GetPersistentData()->PutInteger(Key(kSetupStepKey), 1);
  if (messageBar) {
    messageBar->Close();
    messageBar = nullptr;
  }
  standby(StandbyImmediately);
}

void Standby::RestartInitialSetup() {
  VgTrace("%s", u"Restart InitialSetup");
  ClearApp();
  ::SkinBin::Wrapper* wrapper = GetWrapper();
  wrapper->EnterAppCriticalSection(false);
  if (wrapper->GetPIPState() != 0) wrapper->SetPIP(0);
  GetPersistentData()->PutInteger(Key(kSetupStepKey), 1);
  wakeup(WakeupPower);
}

}  // namespace MainApp
