// The rows of the media lists and the photo grid: one entry of the folder
// that the media bridge browses, with the bridge's item for it. Metadata is
// asked for one row at a time (ListForm::MetadataChain) and lands in the
// row's own item.
#pragma once

#include <cstdint>

#include "ListForm/ListItem.h"
#include "Media/MediaItem.h"
#include "Views/Image.h"

namespace ListForm {

// The courier of a media row: the entry's item, null while the bridge is
// still fetching it or when no folder is open.
class MediaContentListItemCourier : public ListCourier {
  VG_CLASS()

 public:
  explicit MediaContentListItemCourier(XObject* link = nullptr) : ListCourier(link) {}

  VgPtr<Media::MediaItem> Item;
};

// What tells an entry of a folder from the others (ListCourier::Key): its
// name; null for none.
VgString MediaEntryKey(const Media::MediaItem* item);

// The photo grid's own courier class. No list receives it: the grid takes
// the media rows' courier above.
class PhotoGridCourier : public ListCourier {
  VG_CLASS()

 public:
  explicit PhotoGridCourier(XObject* link = nullptr) : ListCourier(link) {}
};

class MediaListItem : public ListItem {
  VG_CLASS()

 public:
  explicit MediaListItem(XObject* link = nullptr);

  // Overridden slots.
  // Takes the courier's item, its caption and whether it is a folder. A
  // courier without an item leaves the row without one too, so that the row
  // never plays or asks for an entry it no longer shows.
  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;

  // Slots of the media row, in order.
  virtual void OnSetIsFolder(bool value);
  // The library's answer for the row's entry: its thumbnail and metadata.
  virtual void UpdateMetadata(Media::MediaItem* item);

  // Asks the bridge for the entry's metadata; false, asking nothing, for a
  // row without an item, a folder, or an entry whose metadata is known.
  bool LoadMetadata();
  bool OnGetIsFolder() const { return IsFolder; }

  bool IsFolder = false;
  VgPtr<Media::MediaItem> Item;
};

class MediaContentListItem : public MediaListItem {
  VG_CLASS()

 public:
  explicit MediaContentListItem(XObject* link = nullptr);

  void Refresh(XObject* sender = nullptr) override;
  // Shows the folder mark exactly for a folder.
  void OnSetIsFolder(bool value) override;
  // Music and movie metadata redraw the row.
  void UpdateMetadata(Media::MediaItem* item) override;

  bool OnGetIsLast() const { return IsLast; }
  void OnSetIsLast(bool value) { IsLast = value; }

  // The last row object of its list.
  bool IsLast = false;
  Views::Image folderIcon{this};
};

class BGMListItem : public MediaContentListItem {
  VG_CLASS()

 public:
  explicit BGMListItem(XObject* link = nullptr) : MediaContentListItem(link) {}
};

}  // namespace ListForm
