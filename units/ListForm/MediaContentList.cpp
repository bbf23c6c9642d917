#include "ListForm/MediaContentList.h"

#include "AppServices/MediaWrapper.h"
#include "ListForm/ListOwners.h"

VG_DEFINE_CLASS(ListForm, MediaContentList, ListForm::ListClass)
VG_DEFINE_CLASS(ListForm, BGMList, ListForm::MediaContentList)

namespace ListForm {

namespace {

template <Media::MediaItem* (Media::MediaWrapper::*Get)(int32_t)>
XObject* ReadEntry(ListDataSource*, int32_t index) {
  auto* courier = VgNew<MediaContentListItemCourier>();
  courier->Index = index;
  courier->Item = (MainApp::GetMediaWrapper()->*Get)(index);
  courier->Key = MediaEntryKey(courier->Item);
  return courier;
}

}  // namespace

LISTFORM_REGISTER_READER(MediaContentList, ReadEntry<&Media::MediaWrapper::GetMediaItem>)
LISTFORM_REGISTER_READER(BGMList, ReadEntry<&Media::MediaWrapper::GetBgmItem>)

MediaContentList::MediaContentList(XObject* link) : ListClass(FolderListDef(&MediaContentListItem::Class), link) {
  OnActivateOption = VgSlotOf<&MediaContentList::DoOnActivate>(this);
  OnFocusOption = VgSlotOf<&MediaContentList::DoFocus>(this);
  preview.Setup(PreviewTimer::RestMs, VgSlotOf<&MediaContentList::StartToPlay>(this));
  metadata.OnSetOnTrigger(VgSlotOf<&MediaContentList::StartRetrieveThumb>(this));
}

int32_t MediaContentList::GetItemsNum() { return MainApp::GetMediaWrapper()->GetMediaItemCount(); }

void MediaContentList::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ListBase::Initialize(parameter);
  const int32_t count = GetItemsNum();
  if (!OpenFolder(this, count, ">>>>>MediaContentList.Initialize() : No Media Item Found ")) return;
  if (preview.Started) {
    MainApp::GetMediaWrapper()->RequestStop();
    preview.Started = false;
  }
  ShowEntries(this, count);
  preview.Forget();
  metadata.Forget();
  OnSetCurrentItemIndex(1);

  if (LastRow) LastRow->IsLast = false;
  LastRow = nullptr;
  for (Core::View* view = firstView; view; view = view->nextView)
    if (auto* row = vg_cast<MediaContentListItem>(view)) LastRow = row;
  if (LastRow) LastRow->IsLast = true;
}

void MediaContentList::Close(XObject* sender) {
  ListClass::Close(sender);
  metadata.OnSetEnabled(false);
}

void MediaContentList::forceReload(XObject* sender) {
  ListClass::forceReload(sender);
  if (!vg_cast<Forms::Ctrl>(Focus.get())) return;
  preview.Loaded = true;
  // Every reload starts the chain again, also after an answer that never
  // came.
  metadata.Forget();
  DoFocus(this);
  if (LoadMetadataEnable) LoadItemMetadata();
}

// ------------------------------------------------------------ the owner

void MediaContentList::DoOnActivate(XObject*) {
  auto* row = vg_cast<MediaContentListItem>(Focus.get());
  if (auto* owner = OwnerAs<ItemOwner>(Parent.get()); row && owner) owner->DoItemActivate(row);
}

void MediaContentList::UpdateGroupInfo() {
  if (auto* owner = OwnerAs<ItemOwner>(Parent.get()); owner && Focus) owner->UpdateMediaInfo();
}

void MediaContentList::UpdateContentInfo() {
  if (auto* owner = OwnerAs<ItemOwner>(Parent.get()); owner && Focus) owner->UpdateContentInfo();
}

// ------------------------------------------------------------ the preview

void MediaContentList::DoFocus(XObject*) {
  auto* row = vg_cast<MediaContentListItem>(Focus.get());
  if (!row) return;
  if (preview.Arrive(row->Index)) {
    UpdateGroupInfo();
    if (IsPlayOnFocus) {
      MainApp::GetMediaWrapper()->SelectMediaItem(row->Index);
      preview.Rest();
    }
  }
  UpdateContentInfo();
}

void MediaContentList::StartToPlay(XObject*) {
  preview.Cancel();
  Media::MediaWrapper* media = MainApp::GetMediaWrapper();
  auto* row = vg_cast<MediaContentListItem>(Focus.get());
  if (row && !row->IsFolder) {
    Media::MediaItem* item = row->Item;
    if (!item || row->Index == preview.PlayingIndex) return;
    bool asked = false;
    if (Filter == FilterMusic) {
      media->RequestPlay(item, PlayThisItemOnly);
      asked = true;
    } else if (auto* owner = OwnerAs<ItemOwner>(Parent.get());
               Filter == FilterMovie && owner && owner->PreviewsMovies()) {
      media->RequestMoviePreviewPlay(item, PlayThisItemOnly);
      asked = true;
    }
    media->SetRepeatMode(1);
    // A photo list asks for nothing: nothing plays that a later folder or
    // Initialize would have to stop.
    if (asked) preview.Played(row->Index);
    return;
  }
  if (preview.Started) {
    media->RequestStop();
    preview.Stopped();
  }
}

// ----------------------------------------------------------- the metadata

void MediaContentList::StartRetrieveThumb(XObject*) { LoadItemMetadata(); }

void MediaContentList::LoadItemMetadata(XObject*) { metadata.Request(this); }

bool MediaContentList::UpdateItemMetadata(Media::MetadataReadyEvent* event) {
  MediaListItem* row = metadata.Answer(this, event->Item);
  if (!row) return false;
  if (Focus.get() == row) UpdateGroupInfo();
  return true;
}

XObject* MediaContentList::HandleEvent(Core::Event* event) {
  if (auto* ready = vg_cast<Media::MetadataReadyEvent>(event); ready && ready->Item) {
    const bool matched = UpdateItemMetadata(ready);
    if (Filter == FilterPhoto) {
      if (LoadMetadataEnable && matched)
        metadata.Activate();
      else
        LoadItemMetadata();
      return this;
    }
    // An answer for an entry no longer shown ends the chain until the next
    // reload.
    if (LoadMetadataEnable && matched) {
      LoadItemMetadata();
      return this;
    }
    return ListClass::HandleEvent(event);
  }
  if (EmptyFolder::Swallows(this, event)) return this;
  return ListClass::HandleEvent(event);
}

// ------------------------------------------------------ background music

BGMList::BGMList(XObject* link) : MediaContentList(link) {
  ItemClass = &BGMListItem::Class;
  Filter = FilterMusic;
  LoadMetadataEnable = false;
}

int32_t BGMList::GetItemsNum() { return MainApp::GetMediaWrapper()->GetBgmItemCount(); }

void BGMList::DoOnActivate(XObject*) {
  auto* row = vg_cast<BGMListItem>(Focus.get());
  if (auto* owner = OwnerAs<ItemOwner>(Parent.get()); row && owner) owner->DoItemActivate(row);
}

void BGMList::DoFocus(XObject*) {
  if (auto* row = vg_cast<BGMListItem>(Focus.get())) MainApp::GetMediaWrapper()->SelectBgmItem(row->Index);
}

}  // namespace ListForm
