// SkinBin::MenuEffect: the rectangle effect with which a menu page opens and
// closes: it moves a rectangle (through its actor) from the start to the end
// value and has the group that shows the page's view drawn anew at every
// step, so the moving page leaves no trace behind.
#pragma once

#include "Core/Group.h"
#include "Core/View.h"
#include "Effects/Effect.h"

namespace SkinBin {

class MenuEffect : public Effects::RectEffect {
  VG_CLASS()

 public:
  explicit MenuEffect(XObject* link = nullptr);

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
