#include "MenuSystem/Carousel.h"

#include <algorithm>

#include "AppServices/Wrapper.h"
#include "SubSystem/MenuClass.h"
#include "vgslot.h"

VG_DEFINE_CLASS(MenuSystem, Carousel, XObject)

namespace MenuSystem {

namespace {

// The fades of a move: the entering item from nearly clear to opaque, the
// leaving one the other way, in MoveFrames steps.
constexpr int32_t kFadeStep = 40;
constexpr int32_t kFadeFloor = 15;
constexpr int32_t kEffectFactor = 2;
constexpr uint16_t kModeCopy = 0;
constexpr uint16_t kModeBlend = Core::View::ModeBlend;

int32_t Wrap(int32_t value, int32_t count) { return count > 0 ? ((value % count) + count) % count : 0; }

}  // namespace

void Carousel::Setup(std::span<const VgPoint> points, VgRect itemBounds, int32_t focusPosition, Core::Group* spare) {
  Points = points;
  ItemBounds = itemBounds;
  FocusPosition = focusPosition;
  VisibleCount = static_cast<int32_t>(points.size()) - 2;
  Spare = spare;
}

SubSystem::MenuClass* Carousel::Page() const { return static_cast<SubSystem::MenuClass*>(Link()); }

Core::Group* Carousel::Item(int32_t index) const { return Page()->GetCtrlAt(index); }

int32_t Carousel::ItemAt(int32_t position) const {
  const SubSystem::MenuClass* page = Page();
  return Wrap(page->CurrentItemIndex - 1 + position - FirstPosition - FocusPosition, page->ItemsNum);
}

int32_t Carousel::ValidIndex(int32_t index) const { return index >= 1 && index <= Page()->ItemsNum ? index : 1; }

VgRect Carousel::BoundsAt(int32_t point) const { return VgSetRectOrigin(ItemBounds, Points[point]); }

void Carousel::Prepare() {
  SubSystem::MenuClass* page = Page();
  VisibleCount = static_cast<int32_t>(Points.size()) - 2;
  if (VisibleCount < page->ItemsNum) {
    if (Spare && Spare->owner.get() == page) page->Remove(Spare);
  } else {
    VisibleCount = page->ItemsNum;
    if (Spare) page->RestackTop(Spare);
  }
  FirstPosition = 0;
  if (Centre >= 0) {
    FirstPosition = std::max(0, Centre - VisibleCount / 2);
    FocusPosition = VisibleCount / 2;
  }
  for (Core::View* view = page->firstView; view; view = view->nextView)
    if (vg_cast<Forms::Ctrl>(view)) view->OnSetVisible(false);
  // The effects redraw no group of their own: an item that moves redraws
  // where it was and where it is, a fraction of the page.
  for (int32_t p = 0; p <= VisibleCount; ++p) {
    auto* effect = VgNew<SkinBin::MenuEffect>();
    effect->OnSetBegin(0);
    effect->OnSetPeriod(FramePeriod);
    effect->OnSetFactor(kEffectFactor);
    effect->OnSetNoOfFrames(MoveFrames);
    Effects[p] = effect;
  }
}

void Carousel::Place() {
  for (int32_t p = FirstPosition; p <= LastPosition(); ++p) {
    if (Core::Group* item = Item(ItemAt(p))) Settle(item, p + 1, true);
  }
}

void Carousel::Settle(Core::Group* item, int32_t point, bool visible) {
  item->OnSetBounds(BoundsAt(point));
  item->OnSetMode(kModeCopy);
  item->OnSetOpacity(255);
  item->OnSetVisible(visible);
}

void Carousel::Animate(SkinBin::MenuEffect* effect, Core::Group* item, int32_t from, int32_t to) {
  if (!effect || !item) return;
  effect->OnSetView(item);
  effect->OnSetActor(VgRefOf<&Core::Group::OnGetBounds, &Core::Group::OnSetBounds>(item));
  effect->OnSetStartValue(BoundsAt(from));
  effect->OnSetEndValue(BoundsAt(to));
  item->OnSetBounds(BoundsAt(from));
}

bool Carousel::Move(bool up) {
  SubSystem::MenuClass* page = Page();
  if (Animating || page->ItemsNum < 2 || VisibleCount < 2) return false;
  Direction = up;
  const int32_t step = up ? 1 : -1;
  for (int32_t p = FirstPosition; p <= LastPosition(); ++p)
    Animate(EffectAt(p), Item(ItemAt(p)), p + 1, p + 1 + step);

  // The end the items move away from takes the entering item; the other end
  // loses one.
  const int32_t enterFrom = up ? FirstPosition : LastPosition() + 2;
  const int32_t enterTo = up ? FirstPosition + 1 : LastPosition() + 1;
  Leaving = Item(ItemAt(up ? LastPosition() : FirstPosition));
  if (page->ItemsNum == VisibleCount && Spare) {
    VgSignal(OnDressSpare, this);
    Entering = Spare;
  } else {
    Entering = Item(Wrap(ItemAt(up ? FirstPosition : LastPosition()) - step, page->ItemsNum));
  }
  SkinBin::MenuEffect* extra = Effects[VisibleCount];
  if (Entering) {
    Entering->OnSetMode(kModeBlend);
    Entering->OnSetOpacity(0);
    Entering->OnSetVisible(true);
    Animate(extra, Entering, enterFrom, enterTo);
  }
  if (extra) {
    extra->OnSetOnTrigger(VgSlotOf<&Carousel::MoveTriggerSlot>(this));
    extra->OnSetOnFinished(VgSlotOf<&Carousel::MoveEndSlot>(this));
  }
  MoveStep = 0;
  OnSetAnimating(true);
  for (int32_t i = 0; i <= VisibleCount; ++i)
    if (Effects[i]) Effects[i]->OnSetEnabled(true);
  return true;
}

void Carousel::MoveTriggerSlot(XObject*) {
  ++MoveStep;
  if (Entering) {
    Entering->OnSetMode(kModeBlend);
    Entering->OnSetOpacity(MoveStep * kFadeStep + kFadeFloor);
  }
  if (Leaving) {
    Leaving->OnSetMode(kModeBlend);
    Leaving->OnSetOpacity(255 - MoveStep * kFadeStep);
  }
}

void Carousel::MoveEndSlot(XObject*) {
  SubSystem::MenuClass* page = Page();
  OnSetAnimating(false);
  QuietEffects();
  const int32_t step = Direction ? 1 : -1;
  for (int32_t p = FirstPosition; p <= LastPosition(); ++p) {
    Core::Group* item = Item(ItemAt(p));
    if (item && item != Leaving) Settle(item, p + 1 + step, true);
  }
  const int32_t entered = Direction ? FirstPosition + 1 : LastPosition() + 1;
  if (Entering) Settle(Entering, entered, true);
  if (Leaving) {
    if (Entering == Spare) {
      // The item that left comes back in the spare's place.
      Settle(Leaving, entered, true);
      Spare->OnSetVisible(false);
    } else {
      Settle(Leaving, Direction ? LastPosition() + 2 : FirstPosition, false);
    }
  }
  Entering = nullptr;
  Leaving = nullptr;

  int32_t index = page->CurrentItemIndex - step;
  if (index < 1) index = page->ItemsNum;
  if (index > page->ItemsNum) index = 1;
  page->CurrentItemIndex = index;
  page->LastItemIndex = index;
  VgSignal(OnMoved, this);
}

void Carousel::QuietEffects() {
  for (int32_t i = 0; i <= MaxPositions; ++i) {
    if (!Effects[i]) continue;
    Effects[i]->OnSetEnabled(false);
    Effects[i]->OnSetOnTrigger({});
    Effects[i]->OnSetOnFinished({});
    Effects[i]->OnSetNoOfFrames(MoveFrames);
  }
}

void Carousel::Shift(std::span<const VgPoint> from, std::span<const VgPoint> to, int32_t frames, bool cascade) {
  QuietEffects();
  ShiftTarget = to;
  for (int32_t p = FirstPosition; p <= LastPosition(); ++p) {
    SkinBin::MenuEffect* effect = EffectAt(p);
    Core::Group* item = Item(ItemAt(p));
    if (!effect || !item) continue;
    effect->OnSetNoOfFrames(frames);
    effect->OnSetView(item);
    effect->OnSetActor(VgRefOf<&Core::Group::OnGetBounds, &Core::Group::OnSetBounds>(item));
    effect->OnSetStartValue(VgSetRectOrigin(ItemBounds, from[p]));
    effect->OnSetEndValue(VgSetRectOrigin(ItemBounds, to[p]));
    Settle(item, 0, true);
    item->OnSetBounds(VgSetRectOrigin(ItemBounds, from[p]));
    if (cascade && p < LastPosition()) effect->OnSetOnTrigger(VgSlotOf<&Carousel::ShiftTriggerSlot>(this));
    if (p == LastPosition()) effect->OnSetOnFinished(VgSlotOf<&Carousel::ShiftEndSlot>(this));
  }
  OnSetAnimating(true);
  for (int32_t p = FirstPosition; p <= (cascade ? FirstPosition : LastPosition()); ++p)
    if (SkinBin::MenuEffect* effect = EffectAt(p)) effect->OnSetEnabled(true);
}

// A cascade: the first frame of one position starts the next.
void Carousel::ShiftTriggerSlot(XObject* sender) {
  for (int32_t p = FirstPosition; p < LastPosition(); ++p) {
    if (EffectAt(p) != sender) continue;
    EffectAt(p)->OnSetOnTrigger({});
    if (SkinBin::MenuEffect* next = EffectAt(p + 1)) next->OnSetEnabled(true);
    return;
  }
}

void Carousel::ShiftEndSlot(XObject*) {
  QuietEffects();
  for (int32_t p = FirstPosition; p <= LastPosition(); ++p)
    if (Core::Group* item = Item(ItemAt(p)); item && p < static_cast<int32_t>(ShiftTarget.size()))
      item->OnSetBounds(VgSetRectOrigin(ItemBounds, ShiftTarget[p]));
  OnSetAnimating(false);
  VgSignal(OnShifted, this);
}

void Carousel::Stop() {
  for (int32_t p = 0; p <= MaxPositions; ++p)
    if (Effects[p]) Effects[p]->OnSetEnabled(false);
  OnSetAnimating(false);
}

void Carousel::OnSetAnimating(bool value) {
  if (value == Animating) return;
  Animating = value;
  if (value)
    MainApp::GetWrapper()->StartAnimation();
  else
    MainApp::GetWrapper()->StopAnimation();
}

}  // namespace MenuSystem
