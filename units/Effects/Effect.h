// Effects: timers that move a property of any object, one step per period,
// through a property reference. Effect is the frame-counting base of
// Int32Effect and RectEffect; BoolEffect blinks a boolean.
#pragma once

#include <cstdint>

#include "Core/Timer.h"
#include "vgrect.h"
#include "vgref.h"
#include "vgslot.h"

namespace Effects {

class Effect : public Core::Timer {
  VG_CLASS()

 public:
  explicit Effect(XObject* link = nullptr);

  // How the value moves from StartValue to EndValue.
  static constexpr uint16_t ModeLinear = 0;
  static constexpr uint16_t ModeApproach = 1;  // a Factor-th of the rest per step
  static constexpr uint16_t ModeToggle = 2;    // EndValue on odd frames

  void Trigger() override;
  // Rewinds to frame 0; switching the effect on or off comes through here.
  void Restart(int32_t begin, int32_t period) override;
  // Writes the value of the frame; answers whether the effect is finished.
  virtual bool NextFrame(int32_t frame);
  virtual void Finished();

  bool OnGetEndless() const { return Endless; }
  void OnSetEndless(bool value) { Endless = value; }
  uint16_t OnGetMode() const { return Mode; }
  void OnSetMode(uint16_t value) { Mode = value; }
  int32_t OnGetNoOfFrames() const { return NoOfFrames; }
  void OnSetNoOfFrames(int32_t value);
  int32_t OnGetFactor() const { return Factor; }
  void OnSetFactor(int32_t value);
  VgSlot OnGetOnFinished() const { return OnFinished; }
  void OnSetOnFinished(VgSlot slot) { OnFinished = slot; }

 protected:
  bool Endless = false;
  uint16_t Mode = ModeLinear;
  int32_t NoOfFrames = 10;
  int32_t Factor = 3;
  VgSlot OnFinished;
  int32_t frame = 0;
};

class Int32Effect : public Effect {
  VG_CLASS()

 public:
  explicit Int32Effect(XObject* link = nullptr);

  bool NextFrame(int32_t frame) override;

  VgRef<int32_t> OnGetActor() const { return Actor; }
  void OnSetActor(VgRef<int32_t> ref) { Actor = ref; }
  int32_t OnGetStartValue() const { return StartValue; }
  void OnSetStartValue(int32_t value) { StartValue = value; }
  int32_t OnGetEndValue() const { return EndValue; }
  void OnSetEndValue(int32_t value) { EndValue = value; }

 protected:
  VgRef<int32_t> Actor;
  int32_t StartValue = 0;
  int32_t EndValue = 255;
};

class RectEffect : public Effect {
  VG_CLASS()

 public:
  explicit RectEffect(XObject* link = nullptr);

  bool NextFrame(int32_t frame) override;

  VgRef<VgRect> OnGetActor() const { return Actor; }
  void OnSetActor(VgRef<VgRect> ref) { Actor = ref; }
  VgRect OnGetStartValue() const { return StartValue; }
  void OnSetStartValue(VgRect value) { StartValue = value; }
  VgRect OnGetEndValue() const { return EndValue; }
  void OnSetEndValue(VgRect value) { EndValue = value; }

 protected:
  VgRef<VgRect> Actor;
  VgRect StartValue{0, 0, 100, 100};
  VgRect EndValue{100, 100, 200, 200};
};

// Negates its boolean once per period, NoOfFrames times.
class BoolEffect : public Core::Timer {
  VG_CLASS()

 public:
  explicit BoolEffect(XObject* link = nullptr);

  void Trigger() override;
  void Restart(int32_t begin, int32_t period) override;

  bool OnGetEndless() const { return Endless; }
  void OnSetEndless(bool value) { Endless = value; }
  int32_t OnGetNoOfFrames() const { return NoOfFrames; }
  void OnSetNoOfFrames(int32_t value);
  VgSlot OnGetOnFinished() const { return OnFinished; }
  void OnSetOnFinished(VgSlot slot) { OnFinished = slot; }
  VgRef<bool> OnGetActor() const { return Actor; }
  void OnSetActor(VgRef<bool> ref) { Actor = ref; }

 protected:
  bool Endless = false;
  int32_t NoOfFrames = 10;
  VgSlot OnFinished;
  int32_t toggles = 0;
  VgRef<bool> Actor;
};

}  // namespace Effects
