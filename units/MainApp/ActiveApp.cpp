#include "MainApp/ActiveApp.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "AppServices/EventAgent.h"
#include "AppServices/Messages.h"
#include "AppServices/PersistentData.h"
#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Core/Keys.h"
#include "Core/Root.h"
#include "Events/Events.h"
#include "FactorySystem/FactorySystem.h"
#include "MainApp/Root.h"
#include "Media/MediaWrapper.h"
#include "MenuSystem/MenuSystem.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Primitives/KeyRoutingForm.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Primitives/WorldEvents.h"
#include "Structures/History.h"
#include "SubSystem/KeyOwner.h"
#include "SubSystem/SubSystemClass.h"
#include "WidgetManager/Layers.h"
#include "WidgetManager/WidgetManager.h"
#include "vgdebug.h"
#include "vgslot.h"
#include "vgtrace.h"

VG_DEFINE_CLASS(MainApp, ActiveApp, Primitives::KeyRoutingGroup)

namespace MainApp {

ActiveApp::ActiveApp(XObject* link) : Primitives::KeyRoutingGroup(link) {}

namespace {

// Which sub-systems a key-down key is offered to, and in what order. Codes
// not in a row are offered to none.
struct KeyRoute {
  uint16_t first;
  uint16_t last;
  std::string_view route;
};

constexpr KeyRoute kKeyRoutes[] = {
    {Key::Ok, Key::ClearAll, "mn"},
    {Key::Menu, Key::Menu, "mf"},
    {Key::Up, Key::Code9, "mn"},
    {Key::Digit0, Key::Digit9, "n"},
    {Key::Red, Key::Yellow, "nm"},
    {Key::Code29, Key::Code30, "n"},
    {Key::ChannelUp, Key::Code38, "n"},
    {Key::PageUp, Key::Back, "mn"},
    {Key::Exit, Key::Exit, "mn"},
    {Key::VolumeUp, Key::Code48, "n"},
    {Key::Play, Key::Last, "n"},
    {Key::Rewind, Key::FastForward, "n"},
    {Key::Quick, Key::Quick, "n"},
    {Key::Code66, Key::Code66, "n"},
    {Key::Code69, Key::Code70, "n"},
    {Key::Code76, Key::Code77, "n"},
    {Key::Info, Key::Info, "n"},
    {Key::Factory, Key::Factory, "f"},
    {Key::Input, Key::Mute, "n"},
    {Key::Code86, Key::Code86, "n"},
    {Key::Freeze, Key::Code97, "n"},
    {Key::GridPageUp, Key::Code104, "n"},
    {Key::Favorites, Key::Favorites, "n"},
};

// Events that are not keys, routed by their exact class.
struct ClassRoute {
  const VgClass* cls;
  std::string_view route;
};

const ClassRoute kClassRoutes[] = {
    {&Events::XPM_EVENT_FACTORY_COMMAND::Class, "f"},
    {&Events::StatusEvent::Class, "n"},
    {&Events::DMRStatusEvent::Class, "n"},
    {&Events::CEC_EVENT_SOURCE_DETECTED::Class, "n"},
    {&Events::XPM_EVENT_FAN_ERROR::Class, "n"},
    {&Events::XPM_EVENT_USB_OVERCURRENT::Class, "n"},
    {&Media::MetadataReadyEvent::Class, "n"},
    {&Media::PictureEvent::Class, "n"},
    {&Events::PVRRecordStatusEvent::Class, "n"},
    {&Events::TimerStandbyEvent::Class, "n"},
    {&Events::TimerRecordWarningEvent::Class, "n"},
    {&Events::RecordPlaybackStatusEvent::Class, "n"},
    {&Events::XPM_EVENT_REPORT_3DMODE::Class, "n"},
};

constexpr int32_t kSourceAcquired = 16;
constexpr int32_t kChannelAcquired = 0;
constexpr int32_t kChannelNoVideo = 3;
// The service type of the current channel that has no picture to show.
constexpr int32_t kServiceWithoutVideo = 2;
constexpr int32_t kVideoResolutionIgnored = 6;
// The network application whose background bit the viewer is told about.
constexpr int32_t kWatchedAppId = 2;
constexpr int32_t kAppBackgroundBit = 5;
// The menu language of each register-table language code.
struct LanguageCode {
  const char16_t* code;
  int32_t language;
};
constexpr LanguageCode kLanguageCodes[] = {{u"fre", 2}, {u"spa", 1}, {u"eng", 0}};
constexpr const char16_t* kLanguageEntries[] = {u"LANGUAGE_1", u"LANGUAGE_2"};
// Scans that lock the channel of a set-top box on channel 3 or 4 while the
// inputs are locked.
constexpr int32_t kSingleScan = 1;
constexpr int32_t kInputLockAll = 2;

bool SameText(VgString a, const char16_t* b) { return VgCompString(a, VgNewString(b)) == 0; }

void TraceQueued(Core::Event* event) {
  VgTrace("%s%$%s", u" Insert event class", event->GetClass(), u"to EventAgent in ActiveApp");
}

}  // namespace

std::string_view RouteOfKey(uint16_t keyCode) {
  for (const KeyRoute& row : kKeyRoutes)
    if (keyCode >= row.first && keyCode <= row.last) return row.route;
  return {};
}

std::string_view RouteOfEvent(Core::Event* event) {
  if (!event) return {};
  if (auto* key = vg_cast<Core::KeyEvent>(event)) return key->down ? RouteOfKey(key->keyCode) : std::string_view();
  for (const ClassRoute& row : kClassRoutes)
    if (event->GetClass() == row.cls) return row.route;
  return {};
}

void ActiveApp::Initialize(Primitives::KeyRoutingParameter* parameter) {
  Primitives::KeyRoutingGroup::Initialize(parameter);
  OnSetBounds({0, 0, Root::ScreenWidth, Root::ScreenHeight});
  InitSubSystem(&::NonMenuSystem::NonMenuSystem::Class);
  InitSubSystem(&::MenuSystem::MenuSystem::Class);
  InitSubSystem(&::FactorySystem::FactorySystem::Class);
  VgPostSignal(VgSlotOf<&::SkinBin::EventAgent::ProcessEvents>(GetEventAgent()));

  ::SkinBin::Wrapper* wrapper = GetWrapper();
  wrapper->SetMenuLanguage(wrapper->GetMenuLanguage());
  for (const char16_t* entry : kLanguageEntries) wrapper->RegisterTableChangeNotify(VgNewString(entry), 1);
  wrapper->OnSetSleepIndex(0);
  wrapper->RefreshActiveAppStatus();
  GetMessageAgent()->Register(this);
  // The screens of the three sub-systems are drawn as one stack here: the
  // key owner directs the keys across them.
  ::SubSystem::KeyOwner::Get()->Direct(this);
  RecordSourceHistory();
}

void ActiveApp::InitSubSystem(const VgClass* cls) {
  ::SubSystem::SubSystemClass* system = nullptr;
  if (cls == &::NonMenuSystem::NonMenuSystem::Class) {
    if (NonMenuSystem) return;
    NonMenuSystem = VgNew<::NonMenuSystem::NonMenuSystem>();
    system = NonMenuSystem;
  } else if (cls == &::MenuSystem::MenuSystem::Class) {
    if (MenuSystem) return;
    MenuSystem = VgNew<::MenuSystem::MenuSystem>();
    system = MenuSystem;
  } else if (cls == &::FactorySystem::FactorySystem::Class) {
    if (FactorySystem) return;
    FactorySystem = VgNew<::FactorySystem::FactorySystem>();
    system = FactorySystem;
  } else {
    VgPrint("MainApp::ActiveApp.InitSubSystem: %s is not a sub-system of normal operation\n",
            cls ? cls->name : "(none)");
    return;
  }
  auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
  parameter->Parent = this;
  system->Initialize(parameter);
  system->Open();
}

void ActiveApp::Close(XObject* sender) {
  if (MenuSystem) {
    MenuSystem->Close();
    MenuSystem = nullptr;
  }
  if (NonMenuSystem) {
    NonMenuSystem->Close();
    NonMenuSystem = nullptr;
  }
  if (FactorySystem) {
    FactorySystem->Close();
    FactorySystem = nullptr;
  }
  Primitives::KeyRoutingGroup::Close(sender);
  GetMessageAgent()->UnRegister(this);
  ::SubSystem::KeyOwner* keys = ::SubSystem::KeyOwner::Get();
  if (keys->Stage.get() == this) keys->Direct(nullptr);
}

// Each sub-system stacks its own screens by layer, but a screen of one may
// open over a screen of another (the quick menu or a message over a menu
// page, a menu page over a media window): the screens of all of them are
// drawn as one stack, lower layers first, so that a higher layer is never
// hidden by a lower one. Within a layer the sub-systems keep their order, and
// each keeps its own order; a view without a layer of its own stays with the
// screen below it in its sub-system.
void ActiveApp::Stacking(std::vector<Stacked>* views) {
  struct Entry {
    uint32_t layer;
    Stacked stacked;
  };
  std::vector<Entry> entries;
  for (Core::View* child = firstView; child; child = child->nextView) {
    if (!child->Visible) continue;
    auto* system = vg_cast<::SubSystem::SubSystemClass>(child);
    if (!system || system->Buffered || system->Opacity != 255) {
      entries.push_back({0, {child, this}});
      continue;
    }
    uint32_t layer = 0;
    for (Core::View* view = system->firstView; view; view = view->nextView) {
      auto* form = vg_cast<Primitives::KeyRoutingForm>(view);
      if (form && form->Layer != 0) layer = uint32_t(form->Layer);
      if (view->Visible) entries.push_back({layer, {view, system}});
    }
  }
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.layer < b.layer; });
  for (const Entry& entry : entries) views->push_back(entry.stacked);
}

void ActiveApp::DrawContent(Graphics::Canvas* canvas, VgRect clip, VgPoint origin) {
  DrawStacked(canvas, clip, origin);
}

void ActiveApp::HandleMessage(Structures::Message* message) {
  if (message && message->Code == Constants::MSG_CLEAR_ALL) GetWrapper()->StartAutoDemoTimer();
}

::SubSystem::SubSystemClass* ActiveApp::SubSystemOf(char letter) const {
  switch (letter) {
    case 'm':
      return MenuSystem;
    case 'n':
      return NonMenuSystem;
    case 'f':
      return FactorySystem;
    default:
      return nullptr;
  }
}

void ActiveApp::OnSetFocus(Core::View* view) {
  const bool moved = view != Focus.get();
  Primitives::KeyRoutingGroup::OnSetFocus(view);
  if (moved) ::SubSystem::KeyOwner::Get()->FocusMoved();
}

// CLEAR closes every screen, whoever has the keys. Over a screen whose own
// keys take CLEAR as EXIT (a menu page, a dialog or a pop-up of the non-menu
// system, whoever opened it) it does what EXIT does there: the song or the
// photo under it plays on, as under EXIT, and a screen that waits to open
// still comes. Over the few kinds that let it reach the media (the volume
// bar, a message, the quick menu, the input list:
// NonMenuSystem::kClearReachesTheMedia) the media and playback windows leave
// on it themselves, for they outlive the clear that a screen over them asks
// for (their layer is kept through a clear): CLEAR would leave the song, the
// photo or the recordings on view, and a second CLEAR would be needed. The
// screens that the set opened and that wait to open over the screen with the
// keys (SubSystem::SubSystemClass::Waits) are forgotten then: they would come
// up as the screens CLEAR closes leave.
XObject* ActiveApp::DispatchEvent(Core::Event* event) {
  bool clear = Core::PressedKey(event) == Key::ClearAll;
  Primitives::KeyRoutingForm* keys = clear ? ::SubSystem::KeyOwner::ScreenWithTheKeys(this) : nullptr;
  // A passing notice that has no use for CLEAR hands it to the screen under it.
  if (keys && keys->GivesWay() && !keys->UsesKey(Key::ClearAll)) keys = ::SubSystem::KeyOwner::ScreenUnder(keys);
  if (keys && keys->TakesClearAsExit()) {
    clear = false;
    keys = nullptr;
  }
  if (clear)
    for (::SubSystem::SubSystemClass* system :
         {static_cast<::SubSystem::SubSystemClass*>(MenuSystem.get()),
          static_cast<::SubSystem::SubSystemClass*>(NonMenuSystem.get()),
          static_cast<::SubSystem::SubSystemClass*>(FactorySystem.get())})
      if (system) system->ForgetWaiting();
  XObject* taken = ToTheScreens(event);
  // Posted after the clear that the screen posted as it took the key.
  if (keys && keys->Layer != Layers::Media) {
    ClearedFrom = keys;
    VgPostSignal(VgSlotOf<&ActiveApp::ClearTheMedia>(this));
  }
  return taken;
}

XObject* ActiveApp::ToTheScreens(Core::Event* event) {
  if (XObject* taken = ::SubSystem::KeyOwner::Get()->Route(event)) return taken;
  if (PanelMenuPastTheFactory(event)) {
    if (auto* screen = vg_cast<Primitives::KeyRoutingForm>(FactorySystem->Focus.get()))
      if (XObject* taken = screen->DispatchEvent(event)) return taken;
    return HandleEvent(event);
  }
  if (!Primitives::WorldEvents::OfTheWorld(event)) return Primitives::KeyRoutingGroup::DispatchEvent(event);
  // The screens on view that show what the event changes hear it too, after
  // the screen with the keys.
  XObject* taken = Primitives::WorldEvents::Deliver(
      this, event, [this, event] { return Primitives::KeyRoutingGroup::DispatchEvent(event); });
  ::SubSystem::KeyOwner::Get()->WorldEventDelivered(event);
  return taken;
}

// The event bridge sends the factory a command for every key of the front
// panel just before the key itself, and the factory, which takes every
// command, gets the stage's focus with it wherever no other screen has the
// keys (on live television). Down that focus the factory system would hear
// the panel's MENU before the routing, and take it as half of its service
// combination whether or not the other key is held: the panel's MENU would
// never reach the menus, which the routing offers it first (the panel's
// VOL+ goes past the factory, which has no use for it, and so reaches the
// non-menu system). So the factory's own screen in focus, if any, hears the
// panel's MENU (the service menu closes on it, the status check keeps it),
// and then the routing: the menus open or close on it, and leave it to the
// factory in the service mode, with the combination's other key held, over
// a media window or under a network application.
bool ActiveApp::PanelMenuPastTheFactory(Core::Event* event) const {
  auto* key = vg_cast<Events::XPM_EVENT_KEY>(event);
  return key && key->down && key->keyCode == Key::Menu && key->FrontPanel == 1 && FactorySystem &&
         Focus.get() == FactorySystem.get();
}

void ActiveApp::ClearTheMedia(XObject*) {
  Primitives::KeyRoutingForm* cleared = ClearedFrom;
  ClearedFrom = nullptr;
  // A screen that kept the keys took CLEAR for something else, or not at all.
  if (!cleared || !cleared->IsClosed()) return;
  std::vector<Primitives::KeyRoutingForm*> media;
  ::WidgetManager::WidgetManager* widgets = GetWidgetManager();
  for (Structures::DuLinkNode* node = widgets->Sentinel()->next; node != widgets->Sentinel(); node = node->next)
    if (auto* form = vg_cast<Primitives::KeyRoutingForm>(node->data.get()); form && form->Layer == Layers::Media)
      media.insert(media.begin(), form);
  // Newest first (the playback before its library); one that leaves may take
  // the others along.
  for (Primitives::KeyRoutingForm* form : media)
    if (widgets->FindNode(form)) form->DispatchEvent(VgNew<Core::KeyEvent>()->Initialize(Key::ClearAll, true));
}

// The sub-system that took the event asks the key owner for the keys, which
// it does not get from a screen that lies over its own (the factory system
// hears a command for every front-panel key, beside the screen the viewer
// answers), nor once the key has ended normal operation (the confirmations
// of a reset or of the first-time setup).
bool ActiveApp::MapEventHandler(Core::Event* event) {
  // A key that reaches the routing was not taken by the screen with the keys.
  std::optional<::SubSystem::KeyOwner::KeyAsking> asking;
  if (vg_cast<Core::KeyEvent>(event)) asking.emplace();
  for (char letter : RouteOfEvent(event)) {
    ::SubSystem::SubSystemClass* system = SubSystemOf(letter);
    if (!system) continue;
    if (!system->DispatchEvent(event)) continue;
    ::SubSystem::KeyOwner::Get()->Request(system, ::SubSystem::KeyOwner::Reason::Handled);
    return true;
  }
  return false;
}

void ActiveApp::HandleAcquisition(Core::Event* event, int32_t status) {
  ::SkinBin::Wrapper* wrapper = GetWrapper();
  ::SkinBin::EventAgent* agent = GetEventAgent();
  wrapper->ProcessAgingMode(GetPersistentData()->GetInteger(VgNewString(kAgingModeKey)), status);
  if (wrapper->OnGetAutoBrightnessSensor()) wrapper->StartLumetraThread();
  auto* channel = vg_cast<Events::XPM_EVENT_CHANNEL_ACQUIRED>(event);
  const bool acquired = channel ? status == kChannelAcquired : status == kSourceAcquired;
  if (acquired) {
    wrapper->ForceApplyLumetra();
    if (channel && wrapper->GetCurrentChannelDetailInfo()->ServiceType == kServiceWithoutVideo)
      channel->Status = kChannelNoVideo;
  } else if (wrapper->OnGetIsFrozen()) {
    wrapper->OnSetIsFrozen(false);
  }
  wrapper->ExternalAppInFront = false;
  agent->InsertEvent(event);
  agent->PostProcessEvents();
  if (channel) wrapper->OnSetIsTuningChannel(false);
}

void ActiveApp::HandleDpms(int32_t seconds) {
  ::SkinBin::Wrapper* wrapper = GetWrapper();
  if (SameText(wrapper->OnGetFactoryMode(), u"M") || wrapper->OnGetAppCriticalSection()) return;
  if (seconds != DpmsWarning && seconds < DpmsPowerDown) return;
  if (!wrapper->IsBitSet(wrapper->OnGetNoSignalPowerDown(), wrapper->GetCurrentSource(0))) return;
  if (seconds == DpmsWarning) {
    auto* cached = VgNew<Events::USER_EVENT_CACHED_MESSAGE>();
    cached->Message =
        MakeMessage(Constants::MSG_SHOW_MESSAGE, 10, &::NonMenuSystem::NonMenuSystem::Class);
    ::SkinBin::EventAgent* agent = GetEventAgent();
    agent->InsertEvent(cached);
    agent->ProcessEvents(this);
    return;
  }
  auto* standby = VgNew<Events::XPM_EVENT_STANDBY>();
  standby->Reason = 6;
  if (Core::Root* root = GetRoot()) root->DispatchEvent(standby);
}

XObject* ActiveApp::HandleEvent(Core::Event* event) {
  if (!event) return nullptr;
  ::SkinBin::Wrapper* wrapper = GetWrapper();
  ::SkinBin::EventAgent* agent = GetEventAgent();

  if (auto* source = vg_cast<Events::XPM_EVENT_SOURCE_ACQUIRED>(event)) {
    HandleAcquisition(source, source->Status);
    return this;
  }
  if (auto* channel = vg_cast<Events::XPM_EVENT_CHANNEL_ACQUIRED>(event)) {
    HandleAcquisition(channel, channel->Status);
    return this;
  }
  if (auto* aging = vg_cast<Events::XPM_EVENT_SET_AGINGMODE>(event)) {
    // With a picture on the main window the aging pattern is not wanted.
    if (agent->IsMainWindowSignalAcquired() && aging->AgingMode) return this;
    wrapper->OnSetTVAgingMode(aging->AgingMode);
    GetPersistentData()->PutInteger(VgNewString(kAgingModeKey), aging->AgingMode);
    SendMessage(Constants::MSG_CLEAR_ALL);
    return this;
  }
  // The aging pattern owns the screen: nothing else gets through.
  if (wrapper->OnGetTVAgingMode()) return this;

  if (MapEventHandler(event)) return this;

  if (const uint16_t code = Core::PressedKey(event)) {
    if (code != Key::TestReset) return nullptr;
    VgTrace("%s", u"Test Reset key was received");
    SendMessage(Constants::MSG_CLEAR_ALL);
    return this;
  }

  if (vg_is_exactly<Events::XPM_EVENT_RATING_REGION_UPDATED>(event) ||
      vg_is_exactly<Events::XPM_EVENT_TIMER_NOTIFY>(event) ||
      vg_is_exactly<Events::XPM_EVENT_UBN_MEDIA_INSERTED>(event)) {
    TraceQueued(event);
    agent->InsertEvent(event);
    agent->ProcessEvents(this);
    return this;
  }
  if (auto* alert = vg_cast<Events::XPM_EVENT_EMERGENCY_ALERT>(event)) {
    VgTrace("%s%i", u"Alert event received, start = ", alert->Start);
    InvalidateView();
    return this;
  }
  if (vg_cast<Events::CEC_EVENT_NAME_UPDATED>(event)) return this;
  if (vg_cast<Events::CEC_EVENT_UPDATE_STRING>(event)) {
    VgTrace("%s", u"APP received CEC Update OSD string event.");
    return this;
  }
  if (auto* resolution = vg_cast<Events::VideoResolutionChangedEvent>(event);
      resolution && resolution->Value == kVideoResolutionIgnored)
    return this;
  if (vg_cast<Events::CEC_EVENT_UPDATE_DECK_STATUS>(event) || vg_cast<Events::CEC_EVENT_UPDATE_FEATURES_STATUS>(event))
    return this;
  if (auto* audio = vg_cast<Events::CEC_EVENT_UPDATE_AUDIO_STATUS>(event)) {
    wrapper->OnSetQuickSpeakerPreference(audio->Status);
    return this;
  }
  if (vg_cast<Events::NetworkTestResultsEvent>(event)) {
    VgTrace("%s", u" SOME EVENT");
    return this;
  }
  if (vg_cast<Events::WlanConnectCompleteEvent>(event) || vg_cast<Events::WlanScanCompleteEvent>(event)) return this;
  if (auto* dpms = vg_cast<Events::XPM_EVENT_DPMS>(event)) {
    HandleDpms(dpms->Seconds);
    return this;
  }
  if (auto* change = vg_cast<Events::XPM_EVENT_REPORT_REGISTER_TABLE_CHANGE>(event)) {
    if (SameText(change->Name, kLanguageEntries[0]) || SameText(change->Name, kLanguageEntries[1])) {
      VgString code = wrapper->GetStringFromRegisterTable(VgNewString(kLanguageEntries[1]));
      for (const LanguageCode& row : kLanguageCodes) {
        if (!SameText(code, row.code)) continue;
        if (wrapper->GetMenuLanguage() != row.language) wrapper->SetMenuLanguage(row.language);
        break;
      }
    }
    return this;
  }
  if (auto* yahoo = vg_cast<Events::YahooNotifyEvent>(event)) {
    wrapper->RefreshActiveAppStatus();
    if (yahoo->State == 0) {
      wrapper->ExternalAppInFront = false;
      wrapper->ResumeSignalEvent();
    } else {
      wrapper->ExternalAppInFront = true;
      SendMessage(Constants::MSG_CLEAR_MESSAGE, &::NonMenuSystem::NonMenuSystem::Class);
    }
    return this;
  }
  if (vg_cast<Events::XPM_EVENT_UPDATE_EXTERNAL_APP_STATUS>(event)) {
    wrapper->RefreshActiveAppStatus();
    if (::Structures::ActiveAppStatus* app = wrapper->GetNetAppStatusById(kWatchedAppId)) {
      const bool bit = (app->StatusBits >> kAppBackgroundBit) & 1;
      if (bit && !wrapper->RememberedApp2Bit)
        SendMessage(Constants::MSG_SHOW_MESSAGE, &::NonMenuSystem::NonMenuSystem::Class, 33);
      wrapper->RememberedApp2Bit = bit;
    }
    if (!wrapper->GetActiveNetAppStatus()) {
      if (wrapper->OnGetStartDemo()) wrapper->OnSetStartDemo(false);
      wrapper->ResumeSignalEvent();
    } else {
      SendMessage(Constants::MSG_CLEAR_MESSAGE, &::NonMenuSystem::NonMenuSystem::Class);
    }
    return this;
  }
  if (auto* tv101 = vg_cast<Events::XPM_EVENT_TV101_STATE>(event)) {
    VgTrace("%s%i", u"ActiveApp get TV101 State", tv101->State);
    wrapper->RefreshActiveAppStatus();
    if (tv101->State == 1) {
      wrapper->StartAutoDemoTimer();
      SendMessage(Constants::MSG_CLEAR_MESSAGE, &::NonMenuSystem::NonMenuSystem::Class);
    } else {
      wrapper->StopAutoDemoTimer();
      wrapper->ResumeSignalEvent();
    }
    return this;
  }
  if (auto* up = vg_cast<Events::NetworkInterfaceUpEvent>(event)) {
    VgTrace("%s", u">>>>Try to shut down Psl and restart it<<<<");
    VgTrace("%s%i", u">>>>ActiveApp: Network Interface Up<<<<", up->Interface);
    return this;
  }
  if (vg_cast<Events::NetworkInterfaceDownEvent>(event)) return this;
  if (auto* scan = vg_cast<Events::XPM_EVENT_CHANNEL_SCAN_PROGRESS>(event)) {
    if (scan->ScanKind == kSingleScan && scan->Count == 1 &&
        (scan->PhysicalChannel == 3 || scan->PhysicalChannel == 4) && wrapper->OnGetInputLock() == kInputLockAll) {
      ::Structures::VirtualChannel* found = scan->Channels[0];
      if (found && (found->Major == 3 || found->Major == 4) && found->Minor == 0) wrapper->SetChannelLock(found, true);
    }
    return this;
  }
  return nullptr;
}

void ActiveApp::RecordSourceHistory() { GetWrapper()->HistoryAgent.AddCurrentSource(false); }

}  // namespace MainApp
