#include "ListForm/MediaListItem.h"

#include "AppServices/MediaWrapper.h"
#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(ListForm, MediaContentListItemCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, PhotoGridCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListForm, MediaListItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, MediaContentListItem, ListForm::MediaListItem)
VG_DEFINE_CLASS(ListForm, BGMListItem, ListForm::MediaContentListItem)

namespace ListForm {

MediaListItem::MediaListItem(XObject* link) : ListItem(link) {
  OnSetTextAlignH(Views::Text::AlignLeft);
  caption.OnSetAlignV(Views::Text::AlignTop);
}

VgString MediaEntryKey(const Media::MediaItem* item) { return item ? item->Caption.get() : nullptr; }

XObject* MediaListItem::SetData(XObject* data) {
  XObject* taken = ListItem::SetData(data);
  auto* courier = vg_cast<MediaContentListItemCourier>(data);
  if (!courier) return taken;
  Item = courier->Item;
  if (!Item) {
    OnSetIsFolder(false);
    return taken;
  }
  OnSetText(Item->Caption);
  OnSetIsDisabled(false);
  OnSetIsFolder(Item->IsFolder());
  return taken;
}

XObject* MediaListItem::GetData(XObject* data) {
  auto* courier = vg_cast<MediaContentListItemCourier>(data);
  if (!courier) courier = VgNew<MediaContentListItemCourier>();
  ListItem::GetData(courier);
  courier->Item = Item;
  courier->disabled = IsDisabled;
  return courier;
}

void MediaListItem::OnSetIsFolder(bool value) { IsFolder = value; }

bool MediaListItem::LoadMetadata() {
  if (!Item || Item->MetadataLoaded || IsFolder) return false;
  MainApp::GetMediaWrapper()->RequestMetadata(Index, true);
  return true;
}

void MediaListItem::UpdateMetadata(Media::MediaItem* item) {
  if (!Item || !item) return;
  Item->MetadataLoaded = 1;
  Item->Thumb = item->Thumb;
  Item->Metadata = item->Metadata;
}

// ---------------------------------------------------------------- list row

MediaContentListItem::MediaContentListItem(XObject* link) : MediaListItem(link) {
  OnSetBounds({0, 0, 336, 26});
  OnSetText(VgNewStringAnsi("Folder or File Name"));
  Nonfocused_TextColor = Colors::White;
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::EPG_ChanButtonFocus);
  caption.OnSetAutoSize(false);
  caption.OnSetEllipsis(true);
  folderIcon.OnSetBounds({5, 4, 48, 48});
  folderIcon.OnSetAutoSize(true);
  folderIcon.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::MediaListFolder));
  folderIcon.OnSetVisible(false);
  Add(&folderIcon, 0);
}

void MediaContentListItem::Refresh(XObject* sender) {
  MediaListItem::Refresh(sender);
  const VgRect icon = folderIcon.Bounds;
  folderIcon.OnSetBounds(VgSetRectOrigin(icon, {8, (VgGetRectH(Bounds) - VgGetRectH(icon)) / 2}));
  caption.OnSetBounds({folderIcon.Bounds.x2 + 4, 1, VgGetRectW(Bounds), VgGetRectH(Bounds)});
}

void MediaContentListItem::OnSetIsFolder(bool value) {
  MediaListItem::OnSetIsFolder(value);
  folderIcon.OnSetVisible(value);
}

void MediaContentListItem::UpdateMetadata(Media::MediaItem* item) {
  MediaListItem::UpdateMetadata(item);
  if (IsFolder || !Item) return;
  if (vg_cast<Media::MusicMetadata>(Item->Metadata.get()) || vg_cast<Media::VideoMetadata>(Item->Metadata.get()))
    InvalidateView();
}

}  // namespace ListForm
