#include "MainApp/Root.h"

#include <optional>

#include "AppServices/EventAgent.h"
#include "AppServices/MediaWrapper.h"
#include "AppServices/MessageAgent.h"
#include "AppServices/OptionDB.h"
#include "AppServices/PersistentData.h"
#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "Core/KeyEvent.h"
#include "Core/Keys.h"
#include "Events/Events.h"
#include "Graphics/RootCanvas.h"
#include "MainApp/Standby.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Primitives/WorldEvents.h"
#include "SubSystem/KeyOwner.h"
#include "WinIDs/WinIDs.h"
#include "vgdebug.h"
#include "vgslot.h"

VG_DEFINE_CLASS(MainApp, Root, Core::Root)

namespace MainApp {

const DefaultSetting kDefaultSettings[31] = {
    {u"Language", DefaultSetting::Kind::Integer, 0, nullptr},
    {u"OSDLockStatus", DefaultSetting::Kind::Boolean, 0, nullptr},
    {u"CBListMask", DefaultSetting::Kind::Integer, 111, nullptr},
    {u"AutoInput_TV", DefaultSetting::Kind::Integer, 0, nullptr},
    {u"AutoInput_Cable", DefaultSetting::Kind::Integer, -1, nullptr},
    {u"AutoInput_BD", DefaultSetting::Kind::Integer, -1, nullptr},
    {u"AutoInput_AUX", DefaultSetting::Kind::Integer, -1, nullptr},
    {u"ChannelTuningMode", DefaultSetting::Kind::Integer, 1, nullptr},
    {u"ThreeD_AutoStart", DefaultSetting::Kind::Integer, 1, nullptr},
    {u"ThreeD_StartMessage", DefaultSetting::Kind::Integer, 1, nullptr},
    {u"ThreeD_First", DefaultSetting::Kind::Integer, 1, nullptr},
    // Every source powers the set down after a while without signal.
    {u"NoSignalPowerDown", DefaultSetting::Kind::Integer, 0x3FFFFF, nullptr},
    {u"MaxVolSetupDefault", DefaultSetting::Kind::Integer, 50, nullptr},
    {u"StickerDemo", DefaultSetting::Kind::Integer, 1, nullptr},
    {u"OnTimer_Volume", DefaultSetting::Kind::Integer, 30, nullptr},
    {u"AmplifierControl", DefaultSetting::Kind::Integer, 1, nullptr},
    {u"MM_IntervalTime", DefaultSetting::Kind::Integer, 1, nullptr},
    {u"USBSDAutoStart", DefaultSetting::Kind::Integer, 1, nullptr},
    {u"AddAnalog", DefaultSetting::Kind::Integer, 1, nullptr},
    {u"AddDigital", DefaultSetting::Kind::Integer, 1, nullptr},
    {u"ScreenSaverActivationDelay", DefaultSetting::Kind::Integer, 30, nullptr},
    // Row and column of the colour pad, then red, green and blue.
    {u"ScreenSaverColor", DefaultSetting::Kind::Text, 0, u"06017017017"},
    {u"PhotoBrowseMode", DefaultSetting::Kind::Integer, 0, nullptr},
    {u"PlaybackSortType", DefaultSetting::Kind::Integer, 0, nullptr},
    {u"EnableDlna", DefaultSetting::Kind::Integer, 0, nullptr},
    {u"EPGCountry", DefaultSetting::Kind::Integer, 0, nullptr},
    {u"EPGMedium", DefaultSetting::Kind::Integer, 0, nullptr},
    {u"IsEPGAccountSetup", DefaultSetting::Kind::Integer, 0, nullptr},
    {u"IsEPGZIPCodeSetup", DefaultSetting::Kind::Integer, 0, nullptr},
    {u"EnablePopMessage", DefaultSetting::Kind::Integer, 0, nullptr},
    {u"EPGTuningMode", DefaultSetting::Kind::Integer, 1, nullptr},
};

namespace {

// The front panel's keys arrive as Power, VolumeUp, VolumeDown, ChannelUp,
// ChannelDown, Menu and Input with the front-panel flag set.

// The front-panel navigation while a screen that wants it is open.
struct FpMapping {
  uint16_t from;
  uint16_t to;
};
constexpr FpMapping kFpNavigation[] = {
    {Key::ChannelDown, Key::Down}, {Key::ChannelUp, Key::Up}, {Key::Menu, Key::Back},
    {Key::VolumeDown, Key::Left},  {Key::Input, Key::Ok},
};

bool IsFactoryM(::SkinBin::Wrapper* wrapper) {
  return VgCompString(wrapper->OnGetFactoryMode(), VgNewStringAnsi("M")) == 0;
}

}  // namespace

Root::Root(XObject* link) : Core::Root(link) {
  OnSetBounds({0, 0, ScreenWidth, ScreenHeight});
  WidgetManager = GetWidgetManager();
  PersistentData = GetPersistentData();
  EventAgent = GetEventAgent();
  MessageAgent = GetMessageAgent();
  Wrapper = GetWrapper();
  OptionDB = GetOptionDB();
  MediaWrapper = GetMediaWrapper();
  Init();
}

void Root::Init() {
  PersistentData->OnSetRecoverFile(true);
  PersistentData->OnSetOnLoadDefaultData(VgSlotOf<&Root::DefaultAppData>(this));
  PersistentData->Initialize(VgNewString(kSettingsFile));
  // A cut the moment the first-time setup ends can leave it done and no
  // backup, which nothing else would make again: a later damaged settings
  // file would lose every setting. The backup copies only a sound file.
  if (PersistentData->GetInteger(VgNewString(kSetupStepKey)) == kSetupComplete && !PersistentData->HasGoodBackup())
    PersistentData->Backup();

  Wrapper->OnSetRoot(this);
  Wrapper->Initialize();
  Wrapper->OnSetPersistentData(PersistentData);
  Wrapper->OnSetEventAgent(EventAgent);
  EventAgent->Wrapper = Wrapper.get();
  EventAgent->WidgetManager = WidgetManager.get();
  EventAgent->MessageAgent = MessageAgent.get();
  EventAgent->PersistentData = PersistentData.get();

  auto* standby = VgNew<Standby>();
  standbyGroup = standby;
  auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
  parameter->Parent = this;
  standby->Initialize(parameter);
  standby->Open();
  OnSetFocus(standby);
}

void Root::DefaultAppData(XObject*) {
  for (const DefaultSetting& setting : kDefaultSettings) {
    VgString key = VgNewString(setting.key);
    switch (setting.kind) {
      case DefaultSetting::Kind::Integer:
        PersistentData->PutInteger(key, setting.value);
        break;
      case DefaultSetting::Kind::Boolean:
        PersistentData->PutBool(key, setting.value != 0);
        break;
      case DefaultSetting::Kind::Text:
        PersistentData->PutString(key, VgNewString(setting.text));
        break;
    }
  }
}

XObject* Root::HandleEvent(Core::Event*) { return nullptr; }

XObject* Root::DispatchEvent(Core::Event* event) {
  if (!event) return Core::Root::DispatchEvent(event);
  RemapFpKey(event);

  auto* key = vg_cast<Core::KeyEvent>(event);
  // The key's work, and what it leaves for later passes, opens nothing under
  // a screen that keeps the keys (KeyOwner::OpensUnderTheKeys).
  std::optional<SubSystem::KeyOwner::KeyHandling> handling;
  if (key) handling.emplace(key->down);
  // A software update blocks the power key until it is safe to switch off.
  if (key && key->keyCode == Key::Power && Wrapper->IsPowerKeyBlocked()) return this;
  // Last goes back while a screen is open, and stays itself otherwise.
  if (key && key->keyCode == Key::Last &&
      (HasUIOnScreen() || WidgetManager->FindForm(WinIDs::WIN_ID_RecordPlaybackFullscreenDialog))) {
    key->keyCode = Key::Back;
    key->keyChar = Core::KeyCharOf(Key::Back);
  }
  if (key && key->down && KeyWatcher) KeyWatcher(key->keyCode);

  auto* remote = vg_cast<Events::XPM_EVENT_KEY>(event);
  if (remote && remote->down) {
    // A key is the viewer at the set: the idle timers start again and a
    // demo or a frozen picture gives way, unless an application owns the set.
    if (!Wrapper->OnGetAppCriticalSection()) {
      Wrapper->StartAutoPowerTimer();
      Wrapper->StartAutoDemoTimer();
      Wrapper->StopOnTimerShutdownTimer();
      const uint16_t code = remote->keyCode;
      // The volume and mute keys leave the retail demo running; the freeze
      // key itself does not end a freeze.
      if (code != Key::VolumeUp && code != Key::VolumeDown && code != Key::Mute && Wrapper->OnGetStartDemo())
        Wrapper->OnSetStartDemo(false);
      if (Wrapper->OnGetIsFrozen() && code != Key::Freeze) Wrapper->OnSetIsFrozen(false);
    }
    // The factory's M mode drives the set through the front panel itself.
    if (remote->FrontPanel && IsFactoryM(Wrapper)) return this;
    if (remote->keyCode == Key::Power) {
      auto* standby = VgNew<Events::XPM_EVENT_STANDBY>();
      standby->Reason = 1;
      return ToTheScreens(standby);
    }
  }
  return ToTheScreens(event);
}

XObject* Root::ToTheScreens(Core::Event* event) {
  if (!(modalTop || keyboardForm) || !Primitives::WorldEvents::OfTheWorld(event))
    return Core::Root::DispatchEvent(event);
  // The modal screen (or the keyboard's form) hears the event first, and
  // alone: the screens on view under it that follow it hear it afterwards.
  XObject* taken =
      Primitives::WorldEvents::Deliver(this, event, [this, event] { return Core::Root::DispatchEvent(event); });
  SubSystem::KeyOwner::Get()->WorldEventDelivered(event);
  return taken;
}

XObject* Root::Broadcast(Core::Event* event) {
  if (!event) return Core::Root::Broadcast(event);
  RemapFpKey(event);
  if (MediaWrapper && MediaWrapper->HandleEvent(event)) return MediaWrapper;
  return Core::Root::Broadcast(event);
}

void Root::RemapFpKey(Core::Event* event) {
  auto* key = vg_cast<Events::XPM_EVENT_KEY>(event);
  if (!key || !key->FrontPanel) return;
  const uint16_t code = FpKeyAsRouted(key->keyCode);
  if (code != key->keyCode) {
    key->keyCode = code;
    key->keyChar = Core::KeyCharOf(code);
  }
}

uint16_t Root::FpKeyAsRouted(uint16_t code) {
  const bool swapped = Wrapper->IsQORZEP2();
  // That variant's panel has its volume keys the other way round.
  if (swapped) {
    if (code == Key::VolumeUp) code = Key::VolumeDown;
    else if (code == Key::VolumeDown) code = Key::VolumeUp;
  }
  if (!doFpKeyMapping()) return code;
  if (code == Key::VolumeUp) return swapped ? Key::Ok : Key::Right;
  for (const FpMapping& mapping : kFpNavigation)
    if (mapping.from == code) return mapping.to;
  return code;
}

// The main menu and the first-time setup are driven from the panel alone on
// a set without its remote control; the media players keep the volume keys.
bool Root::doFpKeyMapping() {
  if (WidgetManager->HasWidgetInGroup(WinIDs::WIN_ID_MediaPlayer)) return false;
  return WidgetManager->FindForm(WinIDs::WIN_ID_MainMenu) != nullptr ||
         WidgetManager->HasWidgetInGroup(WinIDs::WIN_ID_OutOfBox);
}

bool Root::HasUIOnScreen() {
  return !WidgetManager->Empty() && !WidgetManager->FindForm(WinIDs::WIN_ID_RecordPlaybackFullscreenDialog);
}

bool Root::IsAnimationActive() { return Wrapper->IsAnimating(); }

void Root::SetTV101State(int32_t state) { Wrapper->OnSetTV101State(state == 1); }

GenBitmap* Root::Canvas() const { return rootCanvas ? rootCanvas->EngineBitmap() : nullptr; }

}  // namespace MainApp

extern "C" {

int32_t MainAppRoot_HasUIOnScreen(MainApp::Root* root) { return root && root->HasUIOnScreen() ? 1 : 0; }

int32_t MainAppRoot_IsAnimationActive(MainApp::Root* root) { return root && root->IsAnimationActive() ? 1 : 0; }

int32_t MainAppRoot_SetTV101State(MainApp::Root* root, int32_t state) {
  if (root) root->SetTV101State(state);
  return 0;
}

}  // extern "C"
