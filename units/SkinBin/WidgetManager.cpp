#include "SkinBin/WidgetManager.h"

#include "tvsm.h"
#include "vgdebug.h"

VG_DEFINE_CLASS(SkinBin, WidgetManager, WidgetManager::WidgetManager)

namespace SkinBin {

void WidgetManager::InsertForm(Primitives::KeyRoutingForm* form) {
  const bool first = Empty();
  ::WidgetManager::WidgetManager::InsertForm(form);
  if (first && form) FirstFormOpened = true;
  UpdateUIStatus();
}

void WidgetManager::DeleteForm(Primitives::KeyRoutingForm* form) {
  ::WidgetManager::WidgetManager::DeleteForm(form);
  UpdateUIStatus();
}

void WidgetManager::UpdateUIStatus() {
  int32_t open = Empty() ? 0 : 1;
  if (open == reportedOpen_) return;
  reportedOpen_ = open;
  if (int32_t status = TVSM_ReportAsyncEvent(1, TVSM_ASYNC_UI_STATUS, &open, sizeof open); status != 0)
    VgPrint("WidgetManager: reporting the screen status %d failed (0x%08X)\n", open, unsigned(status));
}

}  // namespace SkinBin
