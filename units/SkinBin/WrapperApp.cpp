// The television model's side of the application: its minute timers (sleep,
// game, 3D lock, automatic power-down, on-timer shutdown), the retail demo,
// the application critical section, the picture freeze's time limit, the
// software update's hooks, the menu language, the state manager's register
// table and setup status.
#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>

#include "Events/Events.h"
#include "SimpleFileReader.h"
#include "SkinBin/Wrapper.h"
#include "tvsm.h"
#include "vgdebug.h"
#include "vgslot.h"
#include "vgtrace.h"
#include "xpm.h"

namespace SkinBin {

namespace {

// Standby reasons of the requests the timers make.
constexpr int32_t kStandbyTimer = 2;
constexpr int32_t kStandbySleepTimer = 5;
constexpr int32_t kStandbyUpdateReboot = 7;

// Game and 3D timer entries 1-4 give 30 to 120 minutes.
constexpr int32_t kMinutesPerTimerEntry = 30;
constexpr int32_t kTimerEntries = 4;
// The automatic power-down after four hours without a key.
constexpr int32_t kAutoPowerMinutes = 240;

constexpr int32_t kStore = 1;
constexpr int32_t kStateManagerKind = 1;

int32_t EntryMinutes(int32_t entry) {
  return entry >= 1 && entry <= kTimerEntries ? entry * kMinutesPerTimerEntry : 0;
}

constexpr const char* kLanguageRegister = "LANGUAGE_2";

// The demo movies on the card are named by series and language; every movie
// plays full screen with the same arguments, which give it the name the
// application status then shows.
constexpr const char* kDemoLanguages[] = {"en", "fr", "es"};  // by country: US, Canada, Mexico
constexpr const char* kDemoArguments = " --bgalpha 0 --contentdims 960,540 --name demo --compliance 1";
constexpr const char* kDemoName = "demo";
// Flash applications run under these two ids.
constexpr int32_t kFlashApps[] = {3, 4};

std::string Ansi(VgString text) {
  char buffer[256] = {};
  VgStringToAnsi(text, buffer, sizeof buffer, '?');
  return buffer;
}

}  // namespace

// ------------------------------------------------------------- minute timers

int32_t* Wrapper::CountdownMinutes(Countdown which) {
  switch (which) {
    case kSleep:
      return &RemainSleepTime;
    case kGame:
      return &remainGameTime_;
    case k3DLock:
      return &remain3DTime_;
    case kAutoPower:
      return &autoPowerTimer_;
    case kOnTimerShutdown:
      return &onTimerShutdownTimer_;
    case kCountdowns:
      break;
  }
  return nullptr;
}

// The count starts anew from the given minutes; the first minute ends one
// minute from now.
void Wrapper::StartCountdown(Countdown which, int32_t minutes) {
  if (minutes < 0) {
    VgPrint("Wrapper: a timer of %d minutes is not started\n", minutes);
    minutes = 0;
  }
  *CountdownMinutes(which) = minutes;
  ::Core::Timer& timer = countdowns_[which];
  timer.OnSetEnabled(false);
  if (minutes > 0) timer.OnSetEnabled(true);
}

void Wrapper::OnCountdownMinute(XObject* sender) {
  for (int32_t i = 0; i < kCountdowns; ++i) {
    if (sender != &countdowns_[i]) continue;
    const auto which = Countdown(i);
    int32_t& minutes = *CountdownMinutes(which);
    if (minutes > 0) --minutes;
    if (minutes == 0) {
      countdowns_[i].OnSetEnabled(false);
      CountdownExpired(which);
    }
    return;
  }
}

void Wrapper::CountdownExpired(Countdown which) {
  switch (which) {
    case kSleep:
      sleepIndex_ = 0;
      RequestStandby(kStandbySleepTimer);
      break;
    case kGame:
      // Game time is over: the viewer goes back to the last channel.
      OnSetGameTimerIndex(0);
      if (eventAgent_) {
        eventAgent_->InsertEvent(VgNew<::Events::USER_EVENT_LAST_CHANNEL>());
        eventAgent_->ProcessEvents(this);
      }
      break;
    case k3DLock:
      VgTrace("%s%i", u"3D Lock Timer expired", 0);
      break;
    case kAutoPower:
    case kOnTimerShutdown:
      RequestStandby(kStandbyTimer);
      break;
    case kCountdowns:
      break;
  }
}

// The standby group of the root decides whether the set may go to standby.
void Wrapper::RequestStandby(int32_t reason) {
  if (!root_) {
    VgPrint("Wrapper: standby (reason %d) requested without a root\n", reason);
    return;
  }
  auto* event = VgNew<::Events::XPM_EVENT_STANDBY>();
  event->Reason = reason;
  root_->DispatchEvent(event);
}

void Wrapper::OnSetSleepIndex(int32_t minutes) {
  sleepIndex_ = minutes;
  StartCountdown(kSleep, minutes);
}

void Wrapper::OnSetGameTimerIndex(int32_t index) {
  gameTimerIndex_ = index;
  OnSetRemainGameTime(EntryMinutes(index));
}

// Whether a game timer runs is kept in the settings store, so that going to
// standby, which stops it, can tell afterwards whether one ran.
void Wrapper::OnSetRemainGameTime(int32_t minutes) {
  StartCountdown(kGame, minutes);
  if (::PersistentData::PersistentData* store = Store()) {
    VgString key = VgNewStringAnsi("GameTimerActivated");
    const bool running = remainGameTime_ > 0;
    if (store->GetBool(key) != running) store->PutBool(key, running);
  }
}

void Wrapper::OnSetRemain3DTime(int32_t minutes) { StartCountdown(k3DLock, minutes); }

void Wrapper::Start3DLockTimer() { OnSetRemain3DTime(EntryMinutes(OnGetThreeD_EnableTimer())); }

void Wrapper::OnSetAutoPowerTimer(int32_t minutes) { StartCountdown(kAutoPower, minutes); }

void Wrapper::StartAutoPowerTimer() {
  OnSetAutoPowerTimer(OnGetAutomaticPowerDown() != 0 && !InFactoryMMode() ? kAutoPowerMinutes : 0);
}

void Wrapper::OnSetOnTimerShutdownTimer(int32_t minutes) { StartCountdown(kOnTimerShutdown, minutes); }

// --------------------------------------------------------------- retail demo

void Wrapper::StartAutoDemoTimer() {
  if (OnGetLocation() != kStore || OnGetStickerDemo() == 0 || appCriticalSection_ || startDemo_) {
    StopAutoDemoTimer();
    return;
  }
  autoDemoArmed_ = true;
  autoDemoTimer_.Activate();
}

void Wrapper::StopAutoDemoTimer() {
  autoDemoArmed_ = false;
  autoDemoTimer_.OnSetEnabled(false);
}

void Wrapper::OnAutoDemoTimer(XObject*) {
  autoDemoArmed_ = false;
  autoDemoTimer_.OnSetEnabled(false);
  OnSetStartDemo(true);
}

void Wrapper::OnSetStartDemo(bool on) {
  const bool running = startDemo_;
  startDemo_ = on;
  if (on) {
    StopAutoDemoTimer();
    if (!running) LaunchDemoMovie();
    return;
  }
  if (running) {
    if (int32_t status = TVSM_ReportAsyncEvent(kStateManagerKind, TVSM_ASYNC_TERMINATE_FLASH, nullptr, 0); status != 0)
      VgPrint("Wrapper: ending the demo failed (0x%08X)\n", unsigned(status));
  }
  StartAutoDemoTimer();
}

bool Wrapper::IsFlashlite() {
  const ::Structures::ActiveAppStatus* app = GetActiveNetAppStatus();
  return app && std::find(std::begin(kFlashApps), std::end(kFlashApps), app->AppId) != std::end(kFlashApps);
}

bool Wrapper::IsDemoFlash() {
  return IsFlashlite() && VgCompString(GetActiveNetAppStatus()->Name, VgNewStringAnsi(kDemoName)) == 0;
}

void Wrapper::LaunchDemoMovie() {
  const int32_t country = OnGetCountry();
  const char* language = country >= 0 && country < int32_t(std::size(kDemoLanguages)) ? kDemoLanguages[country] : "en";
  // The state manager takes its reports in whole 32-bit words: the text goes
  // with its zero and as many more as fill the last word.
  char line[160] = {};
  std::snprintf(line, sizeof line, "/CARD/QA%d00_%s.swf%s", OnGetSeriesType(), language, kDemoArguments);
  const uint32_t size = static_cast<uint32_t>((std::string(line).size() + 1 + 3) / 4 * 4);
  if (int32_t status = TVSM_ReportAsyncEvent(kStateManagerKind, TVSM_ASYNC_LAUNCH_FLASH, line, size); status != 0)
    VgPrint("Wrapper: starting the demo %s failed (0x%08X)\n", line, unsigned(status));
}

// ------------------------------------------------- critical section, freeze

void Wrapper::EnterAppCriticalSection(bool enter) {
  appCriticalSection_ = enter;
  OnSetGameTimerIndex(0);
  StopLumetraThread();
  StopAutoPowerTimer();
  StopAutoDemoTimer();
  StopOnTimerShutdownTimer();
}

void Wrapper::ExitAppCriticalSection() {
  appCriticalSection_ = false;
  StartAutoPowerTimer();
  StartAutoDemoTimer();
}

// A picture left frozen would look like a broken set: it runs again after
// 15 minutes.
void Wrapper::OnSetIsFrozen(bool value) {
  ::Wrapper::Wrapper::OnSetIsFrozen(value);
  if (value)
    unfreezeTimer_.Activate();
  else
    unfreezeTimer_.OnSetEnabled(false);
}

void Wrapper::OnUnfreezeTimer(XObject*) { OnSetIsFrozen(false); }

void Wrapper::OnSetMute(int32_t value) {
  ::Wrapper::Wrapper::OnSetMute(value);
  VgNotifyObjObservers(this, MuteChanged);
}

void Wrapper::ForceApplyLumetra() {
  if (!lumetraRunning_) return;
  if (!LumetraForceApply) {
    VgPrint("Wrapper: no light-sensor adjustment to apply\n");
    return;
  }
  LumetraForceApply();
}

// ---------------------------------------------------------- software update

bool Wrapper::IsUSBUpdate() {
  ::PersistentData::PersistentData* store = Store();
  return store && VgGetStringLength(store->GetString(VgNewStringAnsi("USBUpdate"))) > 0;
}

void Wrapper::UpdateReboot() { RequestStandby(kStandbyUpdateReboot); }

void Wrapper::PowerKeyControl(int32_t flag) { powerKeyBlocked_ = flag == 0; }

// ------------------------------------------------------------ menu language

int32_t Wrapper::GetMenuLanguage() {
  const int32_t language = OnGetMenuLanguage();
  return language >= 0 && language < int32_t(std::size(kMenuLanguages)) ? language : 0;
}

void Wrapper::SetMenuLanguage(int32_t language) {
  if (language < 0 || language >= int32_t(std::size(kMenuLanguages))) {
    VgPrint("Wrapper: no menu language %d\n", language);
    return;
  }
  const MenuLanguage& l = kMenuLanguages[language];
  OnSetMenuLanguage(language);
  VgSetLanguage(l.runtimeId);
  if (int32_t status = XPM_SetMenuLanguage(language); status != 0)
    VgPrint("Wrapper: XPM_SetMenuLanguage(%d) = 0x%08X Failed\n", language, unsigned(status));
  if (int32_t status = XPM_CEC_SetMenuLanguage(l.code); status != 0)
    VgPrint("Wrapper: XPM_CEC_SetMenuLanguage(%s) = 0x%08X Failed\n", l.code, unsigned(status));
  if (int32_t status = TVSM_SetRegisterTable(kLanguageRegister, l.code); status != 0)
    VgPrint("Wrapper: TVSM_SetRegisterTable(%s) = 0x%08X Failed\n", kLanguageRegister, unsigned(status));
}

// ------------------------------------------------------------ state manager

void Wrapper::RegisterTableChangeNotify(VgString name, bool on) {
  const std::string entry = Ansi(name);
  if (int32_t status = TVSM_RegisterTableChangeNotify(entry.c_str(), on ? 1 : 0); status != 0)
    VgPrint("Wrapper: TVSM_RegisterTableChangeNotify(%s) = 0x%08X Failed\n", entry.c_str(), unsigned(status));
}

VgString Wrapper::GetStringFromRegisterTable(VgString name) {
  const std::string entry = Ansi(name);
  char text[128] = {};
  if (int32_t status = TVSM_GetRegisterTable(entry.c_str(), text, sizeof text); status != 0) {
    VgPrint("Wrapper: TVSM_GetRegisterTable(%s) = 0x%08X Failed\n", entry.c_str(), unsigned(status));
    return nullptr;
  }
  return VgNewStringAnsi(text);
}

void Wrapper::NotifySetupStatus(int32_t status) {
  if (int32_t code = TVSM_ReportAsyncEvent(kStateManagerKind, TVSM_ASYNC_SETUP_STATUS, &status, sizeof status);
      code != 0)
    VgPrint("Wrapper: reporting setup status %d failed (0x%08X)\n", status, unsigned(code));
}

void Wrapper::DisplayNoChannel() {
  if (int32_t status = XPM_DisplayNoChannel(); status != 0)
    VgPrint("Wrapper: XPM_DisplayNoChannel = 0x%08X Failed\n", unsigned(status));
}

VgString Wrapper::ReadFromFile(VgString path) { return LoadStringFromFile(path); }

// ------------------------------------------------------------------ HDMI-CEC

// The audio system answers a request with its new status, which comes back
// here; sending only changes keeps the two from echoing each other.
void Wrapper::OnSetQuickSpeakerPreference(int32_t value) {
  if (value == quickSpeakerPreference_) return;
  quickSpeakerPreference_ = value;
  HdmiCecData.SetSystemAudio(value != 0);
}

}  // namespace SkinBin
