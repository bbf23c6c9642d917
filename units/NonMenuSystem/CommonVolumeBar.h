// NonMenuSystem::CommonVolumeBar: the volume bar. The volume keys open it
// from live television (the key that opened it makes the first step) and
// step it while it is up; a step while the sound is muted brings the sound
// back first, and the mute bar goes.
//
// The bar has a layer of its own, above every other screen: the volume
// changes over a question or a dialog that ends only by its own keys without
// ending it, and when the bar's time is up the viewer is back on the screen
// below. A passing notice, it goes when a screen takes the keys from it.
#pragma once

#include "NonMenuSystem/AdjustmentBar.h"
#include "WidgetManager/Layers.h"

namespace NonMenuSystem {

class CommonVolumeBar : public AdjustmentBar {
  VG_CLASS()

 public:
  explicit CommonVolumeBar(XObject* link = nullptr);

  static constexpr int32_t VolumeLayer = Layers::Volume;

  // A passing notice that takes the keys while it is up, and goes when a
  // screen takes them from it.
  bool GivesWay() const override { return true; }
  bool LeavesWithTheKeys() const override { return true; }
  // The keys it answers itself: the volume keys, the arrows that step it,
  // OK and BACK that close it, EXIT and CLEAR. The others are for the screen
  // under it.
  bool UsesKey(uint16_t code) const override;

  // Whatever the record holds (the factory sends a number), the bar shows
  // the volume.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  XObject* HandleEvent(Core::Event* event) override;

  // One volume step, unmuting first.
  void StepVolume(int32_t direction);
};

}  // namespace NonMenuSystem
