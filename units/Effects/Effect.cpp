#include "Effects/Effect.h"

VG_DEFINE_CLASS(Effects, Effect, Core::Timer)
VG_DEFINE_CLASS(Effects, Int32Effect, Effects::Effect)
VG_DEFINE_CLASS(Effects, RectEffect, Effects::Effect)
VG_DEFINE_CLASS(Effects, BoolEffect, Core::Timer)

namespace Effects {

namespace {

// The value of one coordinate at a frame. The products and differences are
// taken in 64 bits: a range spanning most of the 32-bit values would otherwise
// overflow, while the results themselves lie between the two ends.
int32_t FrameValue(uint16_t mode, int32_t frame, int32_t frames, int32_t factor, int32_t start, int32_t end,
                   int32_t current) {
  switch (mode) {
    case Effect::ModeApproach: {
      if (frame == 0) return start;
      const int64_t rest = int64_t(end) - current;
      int64_t step = rest / factor;
      // The last few steps would be 0 and never arrive: move by one instead.
      if (step == 0) step = rest < 0 ? -1 : (rest > 0 ? 1 : 0);
      return static_cast<int32_t>(current + step);
    }
    case Effect::ModeToggle:
      return frame % 2 != 0 ? end : start;
    default:
      // Linear, and any mode this toolkit does not know.
      return static_cast<int32_t>(start + int64_t(frame) * (int64_t(end) - start) / frames);
  }
}

}  // namespace

// ------------------------------------------------------------------ Effect

Effect::Effect(XObject* link) : Core::Timer(link) {}

void Effect::OnSetNoOfFrames(int32_t value) { NoOfFrames = value < 1 ? 1 : value; }

void Effect::OnSetFactor(int32_t value) { Factor = value < 1 ? 1 : value; }

void Effect::Restart(int32_t begin, int32_t period) {
  frame = 0;
  Core::Timer::Restart(begin, period);
}

bool Effect::NextFrame(int32_t step) { return step >= NoOfFrames; }

void Effect::Finished() { VgSignal(OnFinished, this); }

void Effect::Trigger() {
  const bool done = NextFrame(frame);
  VgSignal(OnTrigger, this);
  if (!done) {
    ++frame;
    return;
  }
  // Switching off rewinds to frame 0; an endless effect starts over at once.
  OnSetEnabled(false);
  if (Endless) OnSetEnabled(true);
  Finished();
}

// -------------------------------------------------------------- Int32Effect

Int32Effect::Int32Effect(XObject* link) : Effect(link) {}

bool Int32Effect::NextFrame(int32_t step) {
  if (!Actor.object) return true;
  const int32_t current = Mode == ModeApproach && step > 0 ? VgOnGet(Actor) : 0;
  const int32_t value = FrameValue(Mode, step, NoOfFrames, Factor, StartValue, EndValue, current);
  VgOnSet(Actor, value);
  if (step >= NoOfFrames) return true;
  return Mode != ModeToggle && value == EndValue;
}

// --------------------------------------------------------------- RectEffect

RectEffect::RectEffect(XObject* link) : Effect(link) {}

bool RectEffect::NextFrame(int32_t step) {
  if (!Actor.object) return true;
  const VgRect current = Mode == ModeApproach && step > 0 ? VgOnGet(Actor) : VgRect{0, 0, 0, 0};
  auto value = [&](int32_t start, int32_t end, int32_t now) {
    return FrameValue(Mode, step, NoOfFrames, Factor, start, end, now);
  };
  const VgRect rect{value(StartValue.x1, EndValue.x1, current.x1), value(StartValue.y1, EndValue.y1, current.y1),
                    value(StartValue.x2, EndValue.x2, current.x2), value(StartValue.y2, EndValue.y2, current.y2)};
  VgOnSet(Actor, rect);
  if (step >= NoOfFrames) return true;
  return Mode != ModeToggle && rect == EndValue;
}

// --------------------------------------------------------------- BoolEffect

BoolEffect::BoolEffect(XObject* link) : Core::Timer(link) {}

void BoolEffect::OnSetNoOfFrames(int32_t value) { NoOfFrames = value < 1 ? 1 : value; }

void BoolEffect::Restart(int32_t begin, int32_t period) {
  toggles = 0;
  Core::Timer::Restart(begin, period);
}

void BoolEffect::Trigger() {
  const bool acting = Actor.object != nullptr;
  if (acting) {
    VgOnSet(Actor, !VgOnGet(Actor));
    ++toggles;
  }
  VgSignal(OnTrigger, this);
  if (acting && toggles < NoOfFrames) return;
  OnSetEnabled(false);
  if (Endless) OnSetEnabled(true);
  VgSignal(OnFinished, this);
}

}  // namespace Effects
