// Holds middleware events that arrive before the screens can use them and
// offers them again on a timer until they are taken. The concrete agent of the
// television model decides which events it takes; this base keeps the queue,
// drops events that newer ones supersede, and runs the passes.
#pragma once

#include <cstdint>

#include "Core/Event.h"
#include "Core/Timer.h"
#include "Structures/DuLinkList.h"

namespace Agent {

class EventAgent : public Structures::DuLinkList {
  VG_CLASS()

 public:
  explicit EventAgent(XObject* link = nullptr);

  // Removes the queued events the new one supersedes, then appends it.
  void InsertEvent(Core::Event* event);
  void DeleteEvent(Core::Event* event);
  // The oldest queued event of exactly that class (and, for an acquisition
  // event, of that window), or null.
  Core::Event* FindEvent(const VgClass* cls, int32_t window);
  Core::Event* GetMainWindowAcquiredEvent();
  Core::Event* GetSubWindowAcquiredEvent();
  int32_t GetMainWindowAcquiredStatus();
  bool IsMainWindowSignalAcquired();
  // Restarts the queue timer from its beginning: a pass 1000 ms later, then
  // every Period ms while some event stays untaken.
  void PostProcessEvents();
  // Sets the queue timer's Period; values of 0 and below are ignored.
  void SetTimer(int32_t period);

  // Supersedes queued events (Visit1) and offers one to HandleEvent (Visit2).
  void Visit1(XObject* argument, Structures::DuLinkNode* node) override;
  void Visit2(XObject* argument, Structures::DuLinkNode* node) override;
  // Matches an event against a Structures::RefClass key.
  bool MatchCriteria(XObject* data, XObject* criteria) override;

  // One pass over the queue, oldest first. Also the slot that callers signal
  // or post to run a pass.
  virtual void ProcessEvents(XObject* sender);
  // Whether the event was taken. Taking it off the queue is the handler's
  // business. The base takes nothing.
  virtual bool HandleEvent(Core::Event* event);

  bool NotDone = true;  // some event was not taken in the last pass
  Core::Timer QueueTimer{this};

 private:
  void OnQueueTimer(XObject* sender);
};

// Source- and channel-acquired events: their window and status.
bool IsAcquisitionEvent(const XObject* event);
int32_t AcquisitionWindow(const XObject* event);
int32_t AcquisitionStatus(const XObject* event);

}  // namespace Agent
