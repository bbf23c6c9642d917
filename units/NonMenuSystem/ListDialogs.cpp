// The frames that the list-hosting dialogs share: a caption over the list,
// the dialog sized round the list as the list sized itself to its rows.
#include "NonMenuSystem/ListDialogs.h"

#include "Core/Group.h"
#include "NonMenuSystem/QORWidgetClass.h"

namespace NonMenuSystem {

void FitAroundList(QORWidgetClass* dialog, Core::Group* list, int32_t top) {
  const VgPoint size = VgGetRectSize(list->Bounds);
  const int32_t left = dialog->FrameWidth;
  const int32_t listTop = dialog->ContentTop();
  list->OnSetBounds({left, listTop, left + size.x, listTop + size.y});
  const int32_t width = size.x + 2 * dialog->FrameWidth;
  const int32_t height = listTop + size.y + dialog->FrameWidth;
  const int32_t x = dialog->Bounds.x1;
  dialog->OnSetBounds({x, top, x + width, top + height});
}

}  // namespace NonMenuSystem
