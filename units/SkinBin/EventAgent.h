// The application's event agent (the auto object MainApp::EventAgent): it
// holds the middleware events that arrive before the screens can use them
// and hands them to the screens, and decides which refused events stay
// queued for another try.
#pragma once

#include <cstdint>

#include "Agent/EventAgent.h"
#include "Agent/MessageAgent.h"
#include "PersistentData/PersistentData.h"

namespace WidgetManager {
class WidgetManager;
}

namespace SkinBin {

class Wrapper;

// The settings key of the rating region the middleware last announced.
inline constexpr char kRatingRegionKey[] = "RRTRegion";

class EventAgent : public ::Agent::EventAgent {
  VG_CLASS()

 public:
  // Acquisition events count their delivery attempts up to this.
  static constexpr int32_t kMaxRetries = 100;

  explicit EventAgent(XObject* link = nullptr);

  ::SkinBin::Wrapper* OnGetWrapper() const { return Wrapper; }
  void OnSetWrapper(::SkinBin::Wrapper* value) { Wrapper = value; }
  ::WidgetManager::WidgetManager* OnGetWidgetManager() const { return WidgetManager; }
  void OnSetWidgetManager(::WidgetManager::WidgetManager* value) { WidgetManager = value; }
  ::Agent::MessageAgent* OnGetMessageAgent() const { return MessageAgent; }
  void OnSetMessageAgent(::Agent::MessageAgent* value) { MessageAgent = value; }
  ::PersistentData::PersistentData* OnGetPersistentData() const { return PersistentData; }
  void OnSetPersistentData(::PersistentData::PersistentData* value) { PersistentData = value; }

  // One pass over the events queued when it starts; events queued while it
  // runs (a screen may queue the very event it is handed) wait for the next.
  void ProcessEvents(XObject* sender) override;
  bool HandleEvent(::Core::Event* event) override;
  // Whether a refused event stays queued for one more delivery attempt.
  virtual bool KeepEventUnhandled(::Core::Event* event);

  VgPtr<::SkinBin::Wrapper> Wrapper;
  VgPtr<::WidgetManager::WidgetManager> WidgetManager;
  VgPtr<::Agent::MessageAgent> MessageAgent;
  VgPtr<::PersistentData::PersistentData> PersistentData;

 protected:
  // Whether the screens can be handed the event now.
  virtual bool CanDeliver(::Core::Event* event);

 private:
  void Deliver(::Core::Event* event);
};

}  // namespace SkinBin
