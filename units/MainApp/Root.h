// MainApp::Root: the application root that the GUI loop creates, initialises
// for the screen, sends every event to and redraws once per turn. It holds
// the application's singletons (the widget manager, the settings store, both
// agents, the television model, the option database and the media bridge),
// loads the settings, and hands events to the standby group below it after
// turning front-panel keys into navigation where a screen needs them.
#pragma once

#include <cstdint>

#include "Core/Event.h"
#include "Core/Root.h"
#include "GenBitmap.h"
#include "vgobject.h"

namespace WidgetManager {
class WidgetManager;
}
namespace PersistentData {
class PersistentData;
}
namespace Agent {
class MessageAgent;
}
namespace SkinBin {
class EventAgent;
class Wrapper;
class OptionDatabaseClass;
}  // namespace SkinBin
namespace Media {
class MediaWrapper;
}

namespace MainApp {

class Standby;

class Root : public Core::Root {
  VG_CLASS()

 public:
  // Binds the singletons, loads the settings and opens the standby group.
  explicit Root(XObject* link = nullptr);

  static constexpr int32_t ScreenWidth = 960;
  static constexpr int32_t ScreenHeight = 540;

  // Overridden slots.
  XObject* HandleEvent(Core::Event* event) override;
  XObject* DispatchEvent(Core::Event* event) override;
  XObject* Broadcast(Core::Event* event) override;

  void Init();
  // The settings store's OnLoadDefaultData: the values of a set that has
  // neither its settings file nor the backup.
  void DefaultAppData(XObject* sender);
  // Turns front-panel keys into the codes the open screens expect.
  void RemapFpKey(Core::Event* event);
  // The code a front-panel key reaches the screens with now, by the rule
  // RemapFpKey applies: asked too by whoever must know what a panel key will
  // do before it is sent.
  uint16_t FpKeyAsRouted(uint16_t code);
  bool doFpKeyMapping();
  // Whether any screen is open, the full-screen recording playback apart.
  bool HasUIOnScreen();
  bool IsAnimationActive();
  void SetTV101State(int32_t state);

  // The bitmap of the screen canvas, or null before Initialize.
  GenBitmap* Canvas() const;

  ::WidgetManager::WidgetManager* OnGetWidgetManager() const { return WidgetManager; }
  void OnSetWidgetManager(::WidgetManager::WidgetManager* value) { WidgetManager = value; }
  ::PersistentData::PersistentData* OnGetPersistentData() const { return PersistentData; }
  void OnSetPersistentData(::PersistentData::PersistentData* value) { PersistentData = value; }
  ::SkinBin::EventAgent* OnGetEventAgent() const { return EventAgent; }
  void OnSetEventAgent(::SkinBin::EventAgent* value) { EventAgent = value; }
  ::Agent::MessageAgent* OnGetMessageAgent() const { return MessageAgent; }
  void OnSetMessageAgent(::Agent::MessageAgent* value) { MessageAgent = value; }
  ::SkinBin::Wrapper* OnGetWrapper() const { return Wrapper; }
  void OnSetWrapper(::SkinBin::Wrapper* value) { Wrapper = value; }
  ::SkinBin::OptionDatabaseClass* OnGetOptionDB() const { return OptionDB; }
  void OnSetOptionDB(::SkinBin::OptionDatabaseClass* value) { OptionDB = value; }
  ::Media::MediaWrapper* OnGetMediaWrapper() const { return MediaWrapper; }
  void OnSetMediaWrapper(::Media::MediaWrapper* value) { MediaWrapper = value; }

  VgPtr<::WidgetManager::WidgetManager> WidgetManager;
  VgPtr<::PersistentData::PersistentData> PersistentData;
  VgPtr<::SkinBin::EventAgent> EventAgent;
  VgPtr<::Agent::MessageAgent> MessageAgent;
  VgPtr<::SkinBin::Wrapper> Wrapper;
  VgPtr<::SkinBin::OptionDatabaseClass> OptionDB;
  VgPtr<::Media::MediaWrapper> MediaWrapper;
  // The group of the set's life cycle, made by Init.
  VgPtr<MainApp::Standby> standbyGroup;

  // Told the GUI key code of every key press the root hands on to the
  // screens, as they see it (a front-panel key as the navigation it became,
  // LAST as BACK), on the GUI thread: a test's runner learns which keys the
  // set took, whenever they came. None in the product.
  inline static void (*KeyWatcher)(uint16_t code) = nullptr;

 private:
  // The root's dispatch, and then, while a modal screen or the keyboard's
  // form hears an event of the set first, the screens on view that follow it
  // (Primitives::WorldEvents).
  XObject* ToTheScreens(Core::Event* event);
};

// The settings file and the keys the application shell itself keeps.
inline constexpr char16_t kSettingsFile[] = u"/mnt/nvram/APP_NVRAM.dat";
inline constexpr char16_t kSetupStepKey[] = u"SetupStep";
inline constexpr char16_t kAgingModeKey[] = u"AgingMode";
inline constexpr char16_t kGameTimerActivatedKey[] = u"GameTimerActivated";
// "SetupStep" once the first-time setup is done.
inline constexpr int32_t kSetupComplete = 9;

// One default of a set without settings: an integer (stored as decimal
// text), a boolean or a text.
struct DefaultSetting {
  enum class Kind : uint8_t { Integer, Boolean, Text };
  const char16_t* key;
  Kind kind;
  int32_t value;
  const char16_t* text;
};

// The defaults in the order they are written.
extern const DefaultSetting kDefaultSettings[31];

}  // namespace MainApp

extern "C" {
int32_t MainAppRoot_HasUIOnScreen(MainApp::Root* root);
int32_t MainAppRoot_IsAnimationActive(MainApp::Root* root);
int32_t MainAppRoot_SetTV101State(MainApp::Root* root, int32_t state);
}
