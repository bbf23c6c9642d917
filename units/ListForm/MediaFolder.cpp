#include "ListForm/MediaFolder.h"

#include <algorithm>

#include "AppServices/Messages.h"
#include "Bitmaps.h"
#include "Core/KeyEvent.h"
#include "Forms/Indicator.h"
#include "ListForm/ListClass.h"
#include "ListForm/MediaListItem.h"
#include "Media/MediaItem.h"
#include "vgdebug.h"

VG_DEFINE_CLASS(ListForm, PreviewTimer, ListForm::RestTimer)
VG_DEFINE_CLASS(ListForm, MetadataChain, Core::Timer)

namespace ListForm {

ListDef FolderListDef(const VgClass* rowClass) {
  return {.bounds = {0, 0, 336, 228},
          .rowClass = rowClass,
          .pageUpKey = Key::ChannelUp,
          .pageDownKey = Key::ChannelDown,
          .wrapAround = true,
          .indicators = Indicators::BottomRight,
          .prevBitmap = &Bitmaps::EPG_ListScrollUp,
          .nextBitmap = &Bitmaps::EPG_ListScrollDown};
}

namespace {

void ShowIndicators(ListBase* list, bool visible) {
  if (list->PrevIndicator) list->PrevIndicator->OnSetVisible(visible);
  if (list->NextIndicator) list->NextIndicator->OnSetVisible(visible);
}

}  // namespace

namespace EmptyFolder {

void Hide(ListBase* list, const char* trace, int32_t count) {
  ShowIndicators(list, false);
  list->OnSetVisible(false);
  // A reload still to come must find nothing to focus.
  if (list->DataSource) list->DataSource->Num = 0;
  list->OnSetFocus(nullptr);
  VgPrint("%s%i\n", trace, count);
  MainApp::SendMessage(Constants::MSG_NO_MEDIA_FILES);
}

void Show(ListBase* list) {
  list->OnSetVisible(true);
  ShowIndicators(list, true);
}

bool Swallows(ListBase* list, Core::Event* event) {
  if (list->Visible) return false;
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return false;
  return key->keyCode != Key::ClearAll && key->keyCode != Key::Back && key->keyCode != Key::Exit;
}

}  // namespace EmptyFolder

int32_t RowsPerPage(ListClass* list) {
  int32_t rowHeight = 0;
  if (list->ItemClass) {
    auto* sample = static_cast<Core::View*>(VgNewObjectIndirect(list->ItemClass, 0));
    if (auto* row = vg_cast<Forms::Ctrl>(sample)) rowHeight = VgGetRectH(row->Bounds);
  }
  const int32_t pitch = rowHeight + list->ItemInterval;
  if (pitch <= 0) return 1;
  return std::max(VgGetRectH(list->Bounds) / pitch, 1);
}

bool OpenFolder(ListClass* list, int32_t count, const char* trace) {
  list->MaxItemNum = RowsPerPage(list);
  if (count < 1) {
    list->OnSetItemNum(0);
    EmptyFolder::Hide(list, trace, count);
    return false;
  }
  EmptyFolder::Show(list);
  return true;
}

void ShowEntries(ListClass* list, int32_t count) {
  list->OnSetItemNum(std::min(list->MaxItemNum, count));
  auto* source = VgNew<ListDataSource>();
  source->Num = count;
  list->OnSetDataSource(source);
}

// ------------------------------------------------------------------ preview

PreviewTimer::PreviewTimer(XObject* link) : RestTimer(link) { OnSetBegin(RestMs); }

bool PreviewTimer::Arrive(int32_t index) {
  if (!Loaded || index == PrevFocusedItemIndex) return false;
  PrevFocusedItemIndex = index;
  return true;
}

// ----------------------------------------------------------------- metadata

MetadataChain::MetadataChain(XObject* link) : Core::Timer(link) {
  OnSetBegin(ThumbnailPauseMs);
  OnSetPeriod(0);
}

void MetadataChain::Request(ListBase* list) {
  if (Pending) return;
  for (Core::View* view = list->firstView; view; view = view->nextView) {
    auto* row = vg_cast<MediaListItem>(view);
    if (row && row->Visible && row->LoadMetadata()) {
      Pending = true;
      return;
    }
  }
}

MediaListItem* MetadataChain::Answer(ListBase* list, Media::MediaItem* item) {
  Pending = false;
  if (!item) return nullptr;
  for (Core::View* view = list->firstView; view; view = view->nextView) {
    auto* row = vg_cast<MediaListItem>(view);
    if (row && row->Visible && row->Index == item->AbsoluteIndex) {
      row->UpdateMetadata(item);
      return row;
    }
  }
  return nullptr;
}

}  // namespace ListForm
