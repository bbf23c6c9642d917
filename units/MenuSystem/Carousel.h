// MenuSystem::Carousel: the moving column of items of a carousel page (the
// main menu's icons, a second-level page's rows; the older menus' arcs work
// the same way with their own points). The page keeps its items as its
// controls, in order, and its current item as CurrentItemIndex (from 1); the
// carousel shows VisibleCount of them at the points of a table and moves them
// all one point on with each up or down:
//
//   Points[0]                    where an item leaves or enters at the top
//   Points[1 .. VisibleCount]    the positions 0 .. VisibleCount - 1
//   Points[VisibleCount + 1]     where an item leaves or enters at the bottom
//
// The current item stands at FocusPosition. A move runs MoveFrames frames of
// FramePeriod ms on one SkinBin::MenuEffect per position and one for the item
// that enters; the entering item fades in while the one leaving at the other
// end fades out. With every item on show (ItemsNum equal to VisibleCount) the
// item leaving at one end must also enter at the other: the spare item, made
// to look like it by the page, enters in its place. While a move runs
// Animating is set, which holds the television model in its animation mode.
//
// A page embeds one, sets it up and gives it its slots in its constructor,
// and calls Prepare and Place from Initialize, Move from its up and down keys
// and Stop from Close.
//
// The arcs of the older menus show fewer items than they have points for
// around a middle point (Centre): the positions shown then start at
// Centre - VisibleCount / 2 and the current item stands at Centre. Shift
// moves every shown item from one table of points to another (appearing,
// lowering), all at once or one position after the other.
#pragma once

#include <cstdint>
#include <span>

#include "Core/Group.h"
#include "SkinBin/MenuEffect.h"
#include "vgobject.h"
#include "vgpoint.h"
#include "vgslot.h"

namespace SubSystem {
class MenuClass;
}

namespace MenuSystem {

class Carousel : public XObject {
  VG_CLASS()

 public:
  explicit Carousel(XObject* link = nullptr) : XObject(link) {}

  static constexpr int32_t MoveFrames = 6;
  static constexpr int32_t FramePeriod = 50;
  static constexpr int32_t MaxPositions = 7;

  // Set by the page's constructor: the page is the carousel's outer object.
  void Setup(std::span<const VgPoint> points, VgRect itemBounds, int32_t focusPosition, Core::Group* spare);

  // Initialize: keeps the spare (on top) when every item fits, else takes it
  // out of the page; hides every item and makes the effects.
  void Prepare();
  // A restored item number that the page does not have (rows removed since)
  // becomes the first.
  int32_t ValidIndex(int32_t index) const;
  // Shows the items of every position at rest, the current one at
  // FocusPosition.
  void Place();
  // Starts a move: up brings the previous item to the focus, down the next.
  // False while a move runs or with fewer than two items.
  bool Move(bool up);
  // Ends the animation mode of a move cut short (the page closes).
  void Stop();
  // Moves the item of each shown position p from from[p] to to[p] (item
  // origins) in frames frames; with cascade each position starts at the
  // previous one's first frame. OnShifted follows once all have arrived.
  void Shift(std::span<const VgPoint> from, std::span<const VgPoint> to, int32_t frames, bool cascade);
  // The positions shown, from the first.
  int32_t LastPosition() const { return FirstPosition + VisibleCount - 1; }

  // The item (from 0) that stands at a position.
  int32_t ItemAt(int32_t position) const;
  Core::Group* Item(int32_t index) const;
  bool OnGetAnimating() const { return Animating; }
  void OnSetAnimating(bool value);

  int32_t VisibleCount = 6;
  int32_t FirstPosition = 0;
  // The arcs' middle position; -1 for a column that starts at its first point.
  int32_t Centre = -1;
  int32_t FocusPosition = 0;
  // 1 while the up key's move runs, 0 for the down key's.
  bool Direction = false;
  int32_t MoveStep = 0;
  bool Animating = false;
  std::span<const VgPoint> Points;
  VgRect ItemBounds{0, 0, 0, 0};
  VgPtr<Core::Group> Spare;
  // One per position, then the entering item's.
  VgPtrArray<SkinBin::MenuEffect, MaxPositions + 1> Effects;
  VgPtr<Core::Group> Entering;
  VgPtr<Core::Group> Leaving;
  // What the page does for the carousel: make Spare look like Leaving, which
  // it stands in for; and, once a move ended, focus the new current item.
  VgSlot OnDressSpare;
  VgSlot OnMoved;
  VgSlot OnShifted;
  // The points the last Shift ends at.
  std::span<const VgPoint> ShiftTarget;

  void MoveTriggerSlot(XObject* sender);
  void MoveEndSlot(XObject* sender);
  void ShiftTriggerSlot(XObject* sender);
  void ShiftEndSlot(XObject* sender);

 private:
  SubSystem::MenuClass* Page() const;
  VgRect BoundsAt(int32_t point) const;
  void Animate(SkinBin::MenuEffect* effect, Core::Group* item, int32_t from, int32_t to);
  void Settle(Core::Group* item, int32_t point, bool visible);
  SkinBin::MenuEffect* EffectAt(int32_t position) const { return Effects[position - FirstPosition]; }
  void QuietEffects();
};

}  // namespace MenuSystem
