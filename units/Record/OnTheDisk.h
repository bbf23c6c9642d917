// Record::OnTheDisk<Base>: what a screen of the USB recording disk itself
// (its status, format and speed test, the time-shift banner, the recording
// history) does with the disk, written once for all of them. The screen
// notes the disk's mount as it opens (DiskMount: null when none is in),
// shows that medium (MediumShown), follows the news that may tell that the
// disk went, and leaves with it as the recordings' screens do, under any
// screen with the keys (LeaveWithTheDisk). A screen opened without a disk
// never leaves so.
//
//   class RecordStatusDialog : public OnTheDisk<NonMenuSystem::ConfirmOneOptionDialog> { ... };
//
// A screen that overrides one of these calls the mixin's as its base.
#pragma once

#include "Record/RecordPieces.h"
#include "vgstring.h"

namespace Core {
class Event;
}
namespace Primitives {
class KeyRoutingParameter;
}

namespace Record {

template <class Base>
class OnTheDisk : public Base {
 public:
  using Base::Base;

  void Initialize(Primitives::KeyRoutingParameter* parameter) override {
    Base::Initialize(parameter);
    disk_ = DiskMount();
  }
  bool FollowsTheWorld(Core::Event* event) const override {
    return (disk_ && MayTellOfADisk(event)) || Base::FollowsTheWorld(event);
  }
  XObject* HandleEvent(Core::Event* event) override {
    if (IsDiskRemoval(event, disk_)) {
      LeaveWithTheDisk(this);
      return this;
    }
    return Base::HandleEvent(event);
  }
  VgString MediumShown() const override { return disk_; }
  bool ClosesOnTheEvent(Core::Event* event) const override {
    return IsDiskRemoval(event, disk_) || Base::ClosesOnTheEvent(event);
  }

 private:
  VgStr disk_;
};

}  // namespace Record
