// The frames that the list-hosting dialogs share: a caption over the list,
// the dialog sized round the list as the list sized itself to its rows.
#include "NonMenuSystem/ListDialogs.h"

#include <algorithm>

#include "Core/Group.h"
#include "NonMenuSystem/QORWidgetClass.h"
#include "Resources/Font.h"

namespace NonMenuSystem {

void FitAroundList(QORWidgetClass* dialog, Core::Group* list, int32_t top) {
  const VgPoint size = VgGetRectSize(list->Bounds);
  // A caption longer than the list's rows are wide ("Connecting Mode" over
  // three short choices) widens the dialog to read whole; the list keeps its
  // width, in the middle.
  int32_t inside = size.x;
  if (const Views::Text& caption = dialog->caption; dialog->HasCaption && caption.Font)
    inside = std::max(inside, caption.Font->GetTextWidth(caption.String, 0, 0) + caption.Shadow);
  const int32_t left = dialog->FrameWidth + (inside - size.x) / 2;
  const int32_t listTop = dialog->ContentTop();
  list->OnSetBounds({left, listTop, left + size.x, listTop + size.y});
  const int32_t width = inside + 2 * dialog->FrameWidth;
  const int32_t height = listTop + size.y + dialog->FrameWidth;
  const int32_t x = dialog->Bounds.x1;
  dialog->OnSetBounds({x, top, x + width, top + height});
}

}  // namespace NonMenuSystem
