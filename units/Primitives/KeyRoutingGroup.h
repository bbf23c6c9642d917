// Primitives::KeyRoutingGroup: the open, close and time-out frame of the
// screens for plain groups: the sub-systems, the standby and active states of
// the application and the waiting animation.
#pragma once

#include <cstdint>

#include "Core/Group.h"
#include "Core/Timer.h"
#include "vgslot.h"

namespace Structures {
class Message;
}

namespace Primitives {

class KeyRoutingParameter;

class KeyRoutingGroup : public Core::Group {
  VG_CLASS()

 public:
  explicit KeyRoutingGroup(XObject* link = nullptr);

  static constexpr int32_t DefaultTimeOut = 10000;

  XObject* HandleEvent(Core::Event* event) override;

  // Slots of the group, in order.
  virtual void Initialize(KeyRoutingParameter* parameter);
  virtual void Close(XObject* sender = nullptr);
  virtual void HandleMessage(Structures::Message* message);

  // Adds the group to Parent and starts its time-out.
  void Open(XObject* sender = nullptr);
  void Refresh(XObject* sender = nullptr);
  void ResetTimeout(XObject* sender = nullptr);

  int32_t OnGetTimeOutValue() const { return TimeOutValue; }
  void OnSetTimeOutValue(int32_t ms);
  VgSlot OnGetOnTimeOut() const { return OnTimeOut; }
  void OnSetOnTimeOut(VgSlot slot);
  Core::Group* OnGetParent() const { return Parent; }
  void OnSetParent(Core::Group* group) { Parent = group; }

  // Single-shot; it fires OnTimeOut.
  Core::Timer timeOutTimer{this};
  VgSlot OnTimeOut;
  int32_t TimeOutValue = DefaultTimeOut;
  VgPtr<Core::Group> Parent;
};

}  // namespace Primitives
