// SkinBin::MenuEffect: the rectangle effect of the menus' moves: it moves a
// rectangle (through its actor) from the start to the end value and has the
// group that shows the view drawn anew at every step, so the moving view
// leaves no trace behind. The view stands at the start when the effect is
// switched on, so each period moves it one frame on: NoOfFrames periods in
// all, the last reaching the end.
#pragma once

#include "Core/Group.h"
#include "Core/View.h"
#include "Effects/Effect.h"

namespace SkinBin {

class MenuEffect : public Effects::RectEffect {
  VG_CLASS()

 public:
  explicit MenuEffect(XObject* link = nullptr);

  void Restart(int32_t begin, int32_t period) override;
  bool NextFrame(int32_t frame) override;
  void Finished() override;

  Core::View* OnGetView() const { return View; }
  void OnSetView(Core::View* value) { View = value; }
  Core::Group* OnGetGroup() const { return Group; }
  void OnSetGroup(Core::Group* value) { Group = value; }

  // The view that moves, and the group that shows it.
  VgPtr<Core::View> View;
  VgPtr<Core::Group> Group;

 private:
  void RedrawGroup();
};

}  // namespace SkinBin
