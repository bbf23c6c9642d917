// NonMenuSystem::CommonVolumeBar: the volume bar. The volume keys open it
// from live television (the key that opened it makes the first step) and
// step it while it is up; a step while the sound is muted brings the sound
// back first, and the mute bar goes.
#pragma once

#include "NonMenuSystem/AdjustmentBar.h"

namespace NonMenuSystem {

class CommonVolumeBar : public AdjustmentBar {
  VG_CLASS()

 public:
  explicit CommonVolumeBar(XObject* link = nullptr);

  // Whatever the record holds (the factory sends a number), the bar shows
  // the volume.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  XObject* HandleEvent(Core::Event* event) override;

  // One volume step, unmuting first.
  void StepVolume(int32_t direction);
};

}  // namespace NonMenuSystem
