#include "ListForm/PhotoGridView.h"

#include "AppServices/MediaWrapper.h"
#include "Bitmaps.h"
#include "ListForm/ListOwners.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(ListForm, PhotoGridItem, ListForm::MediaListItem)
VG_DEFINE_CLASS(ListForm, PhotoGridView, ListForm::GridView)

namespace ListForm {

namespace {

XObject* ReadPhoto(ListDataSource*, int32_t index) {
  auto* courier = VgNew<MediaContentListItemCourier>();
  courier->Index = index;
  courier->Item = MainApp::GetMediaWrapper()->GetMediaItem(index);
  courier->Key = MediaEntryKey(courier->Item);
  return courier;
}

// The thumbnail a cell shows for its entry as far as it is known.
const VgConstant& Placeholder(const MediaListItem* cell) {
  if (cell->IsFolder) return Bitmaps::MediaFolderThumb;
  if (cell->Item && cell->Item->MetadataLoaded) return Bitmaps::MediaBrokenThumb;
  return Bitmaps::MediaPhotoThumb;
}

}  // namespace

LISTFORM_REGISTER_READER(PhotoGridView, ReadPhoto)

// ------------------------------------------------------------------ the cell

PhotoGridItem::PhotoGridItem(XObject* link) : MediaListItem(link) {
  OnSetBounds({0, 0, 112, 84});
  caption.OnSetVisible(false);
  backgroundFrame.OnSetVisible(false);
  backgroundImage.OnSetVisible(false);
  iconImage.OnSetVisible(false);
  thumbnail.OnSetBounds({0, 0, 112, 84});
  Add(&thumbnail, 0);
  OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::MediaPhotoThumb));
}

void PhotoGridItem::OnSetBitmap(Resources::Bitmap* value) {
  Bitmap = value;
  thumbnail.OnSetBitmap(value);
}

void PhotoGridItem::HandleFocus(bool focused) {
  MediaListItem::HandleFocus(focused);
  if (!Frame) return;
  if (focused) {
    Frame->OnSetClientBounds(Bounds);
    Frame->OnSetVisible(true);
  } else if (Frame->ClientBounds == Bounds) {
    // Only the cell the frame surrounds hides it: the next focused cell may
    // have taken it already.
    Frame->OnSetVisible(false);
  }
}

void PhotoGridItem::Refresh(XObject* sender) {
  MediaListItem::Refresh(sender);
  thumbnail.OnSetBounds({0, 0, VgGetRectW(Bounds), VgGetRectH(Bounds)});
  if (Focused && Frame) Frame->OnSetClientBounds(Bounds);
}

void PhotoGridItem::OnSetIsFolder(bool value) {
  MediaListItem::OnSetIsFolder(value);
  if (!value && Item && Item->MetadataLoaded && Item->Thumb)
    OnSetBitmap(Item->Thumb);
  else
    OnSetBitmap(VgLoad<Resources::Bitmap>(Placeholder(this)));
}

void PhotoGridItem::UpdateMetadata(Media::MediaItem* item) {
  MediaListItem::UpdateMetadata(item);
  if (IsFolder || !item) return;
  OnSetBitmap(item->Thumb ? item->Thumb.get() : VgLoad<Resources::Bitmap>(Bitmaps::MediaBrokenThumb));
  InvalidateView();
}

// ------------------------------------------------------------------ the grid

PhotoGridView::PhotoGridView(XObject* link) : GridView(link) {
  OnSetBounds({0, 0, 916, 388});
  ItemClass = &PhotoGridItem::Class;
  ItemXOffset = 24;
  ItemYOffset = 6;
  ItemXInterval = 14;
  ItemYInterval = 12;
  WrapAround = true;
  WrapAroundPage = false;
  OnActivateOption = VgSlotOf<&PhotoGridView::DoOnActivate>(this);
  OnFocusOption = VgSlotOf<&PhotoGridView::DoFocus>(this);

  rightArrow.OnSetBounds({898, 329, 898, 329});
  rightArrow.OnSetAutoSize(true);
  rightArrow.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::MediaRightArrow));
  rightArrow.OnSetVisible(false);
  leftArrow.OnSetBounds({0, 41, 0, 41});
  leftArrow.OnSetAutoSize(true);
  leftArrow.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::MediaLeftArrow));
  leftArrow.OnSetVisible(false);
  focusFrame.OnSetFrameBitmap(VgLoad<Resources::Bitmap>(Bitmaps::MediaThumbFocus));
  focusFrame.OnSetBorderWidth(6);
  focusFrame.OnSetClientBounds({25, 8, 137, 92});
  Add(&rightArrow, 0);
  Add(&leftArrow, 0);
  Add(&focusFrame, 0);
  metadata.OnSetOnTrigger(VgSlotOf<&PhotoGridView::StartRetrieveThumb>(this));
}

void PhotoGridView::Initialize(Primitives::KeyRoutingParameter* parameter) {
  GridView::Initialize(parameter);
  const int32_t count = MainApp::GetMediaWrapper()->GetMediaItemCount();
  if (count < 1) {
    OnSetItemNum(0);
    PageCount = 0;
    CurrentPage = 0;
    leftArrow.OnSetVisible(false);
    rightArrow.OnSetVisible(false);
    focusFrame.OnSetVisible(false);
    EmptyFolder::Hide(this, ">>>>ListForm::PhotoGridView.Initialize(): No Media Item Found!<<<<", count);
    return;
  }
  EmptyFolder::Show(this);
  focusFrame.OnSetVisible(true);
  metadata.Forget();
  // From the first page whatever page the last folder was left on: a
  // smaller folder may not have that page.
  LoadPages(count);
  leftArrow.OnSetVisible(PageCount >= 2);
  rightArrow.OnSetVisible(PageCount >= 2);
  for (Core::View* view = firstView; view; view = view->nextView)
    if (auto* cell = vg_cast<PhotoGridItem>(view)) cell->Frame = &focusFrame;
}

void PhotoGridView::forceReload(XObject* sender) {
  GridView::forceReload(sender);
  if (!vg_cast<PhotoGridItem>(Focus.get())) return;
  metadata.Forget();
  DoFocus(this);
  LoadItemMetadata();
}

void PhotoGridView::updateScrollBars(XObject* sender) {
  GridView::updateScrollBars(sender);
  leftArrow.OnSetVisible(CurrentPage >= 1);
  rightArrow.OnSetVisible(CurrentPage < PageCount - 1);
}

void PhotoGridView::DoOnActivate(XObject*) {
  auto* cell = vg_cast<PhotoGridItem>(Focus.get());
  if (auto* owner = OwnerAs<ItemOwner>(Parent.get()); cell && owner) owner->DoItemActivate(cell);
}

void PhotoGridView::DoFocus(XObject*) {
  if (auto* owner = OwnerAs<ItemOwner>(Parent.get()); owner && Focus) owner->UpdateMediaInfo();
}

void PhotoGridView::StartRetrieveThumb(XObject*) { LoadItemMetadata(); }

void PhotoGridView::LoadItemMetadata(XObject*) { metadata.Request(this); }

bool PhotoGridView::UpdateItemMetadata(Media::MetadataReadyEvent* event) {
  MediaListItem* cell = metadata.Answer(this, event->Item);
  if (!cell) return false;
  if (Focus.get() == cell) DoFocus(this);
  return true;
}

XObject* PhotoGridView::HandleEvent(Core::Event* event) {
  if (auto* ready = vg_cast<Media::MetadataReadyEvent>(event); ready && ready->Item) {
    if (UpdateItemMetadata(ready))
      metadata.Activate();
    else
      LoadItemMetadata();
    return this;
  }
  if (EmptyFolder::Swallows(this, event)) return this;
  return GridView::HandleEvent(event);
}

}  // namespace ListForm
