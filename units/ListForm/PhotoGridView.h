// ListForm::PhotoGridView: the entries of the folder the media bridge
// browses as pages of 4 x 7 thumbnails, with page arrows and a focus frame.
// Thumbnails come through the same one-request metadata chain as the media
// content list, a request 100 ms after each answer; an empty folder hides
// the grid. The photo multi-view holds it and takes the ListForm::ItemOwner
// role.
#pragma once

#include <cstdint>

#include "ListForm/GridView.h"
#include "ListForm/MediaFolder.h"
#include "ListForm/MediaListItem.h"
#include "Media/ScalableImage.h"
#include "SkinBin/FocusFrame.h"

namespace Media {
class MetadataReadyEvent;
}

namespace ListForm {

class PhotoGridItem : public MediaListItem {
  VG_CLASS()

 public:
  explicit PhotoGridItem(XObject* link = nullptr);

  // Overridden slots.
  // The focused cell brings the grid's focus frame round it.
  void HandleFocus(bool focused) override;
  void Refresh(XObject* sender = nullptr) override;
  // A folder shows the folder thumbnail, a photo the placeholder until its
  // thumbnail arrives.
  void OnSetIsFolder(bool value) override;
  // A photo shows its thumbnail, or the broken one when it has none.
  void UpdateMetadata(Media::MediaItem* item) override;

  Resources::Bitmap* OnGetBitmap() const { return Bitmap; }
  void OnSetBitmap(Resources::Bitmap* value);

  Media::ScalableImage thumbnail{this};
  VgPtr<Resources::Bitmap> Bitmap;
  // The grid's, framing the focused cell.
  VgPtr<Cursor::FocusFrameClass> Frame;
};

class PhotoGridView : public GridView {
  VG_CLASS()

 public:
  explicit PhotoGridView(XObject* link = nullptr);

  // Overridden slots.
  // Metadata answers go to the cells; while the grid is hidden only the exit
  // and back keys pass.
  XObject* HandleEvent(Core::Event* event) override;
  // Reads the folder afresh: hidden when it is empty, else from its first
  // page on.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void forceReload(XObject* sender = nullptr) override;
  // The left arrow shows while a page lies before, the right one while a
  // page lies after.
  void updateScrollBars(XObject* sender = nullptr) override;

  void DoOnActivate(XObject* sender = nullptr);
  void DoFocus(XObject* sender = nullptr);
  // The thumbnail timer's slot.
  void StartRetrieveThumb(XObject* sender = nullptr);
  void LoadItemMetadata(XObject* sender = nullptr);
  bool UpdateItemMetadata(Media::MetadataReadyEvent* event);

  uint16_t OnGetFilter() const { return Filter; }
  void OnSetFilter(uint16_t value) { Filter = value; }

  uint16_t Filter = 2;
  Views::Image rightArrow{this};
  Views::Image leftArrow{this};
  SkinBin::FocusFrame focusFrame{this};
  MetadataChain metadata{this};
};

}  // namespace ListForm
