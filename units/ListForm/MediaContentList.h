// ListForm::MediaContentList: the file list of the media browser, a row for
// each entry of the folder the media bridge browses. Resting half a second
// on a music entry (or a movie, in the movie view) previews it; the rows'
// metadata is asked for one request at a time; an empty folder hides the
// list. ListForm::BGMList is the same list over the slide show's
// background-music folder, where the focus only selects the entry.
//
// The owning view takes the ListForm::ItemOwner role (ListForm/ListOwners.h)
// and sets Filter: 1 music, 2 photos, 3 movies.
#pragma once

#include <cstdint>

#include "ListForm/ListClass.h"
#include "ListForm/MediaFolder.h"
#include "ListForm/MediaListItem.h"

namespace Media {
class MetadataReadyEvent;
}

namespace ListForm {

class MediaContentList : public ListClass {
  VG_CLASS()

 public:
  explicit MediaContentList(XObject* link = nullptr);

  static constexpr uint16_t FilterMusic = 1;
  static constexpr uint16_t FilterPhoto = 2;
  static constexpr uint16_t FilterMovie = 3;
  // The play mode of a preview: this entry only.
  static constexpr int32_t PlayThisItemOnly = 4;

  // Overridden slots.
  // Metadata answers go to the rows; while the list is hidden only the exit
  // and back keys pass.
  XObject* HandleEvent(Core::Event* event) override;
  // Reads the folder afresh: hidden when it is empty, else as many rows as
  // the height takes, focused on the first entry, no preview.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Close(XObject* sender = nullptr) override;
  int32_t GetItemsNum() override;
  // After the rows are filled: the focus is handled, and the metadata of the
  // rows shown is asked for again from the first that lacks it.
  void forceReload(XObject* sender = nullptr) override;

  // Slots of the list, in order after the base's.
  virtual void DoOnActivate(XObject* sender = nullptr);
  // The focus on a row: a new entry tells the owner and, with IsPlayOnFocus,
  // selects it in the bridge and starts the preview timer.
  virtual void DoFocus(XObject* sender = nullptr);
  virtual void UpdateGroupInfo();

  void UpdateContentInfo();
  // The preview timer's slot.
  void StartToPlay(XObject* sender = nullptr);
  // The thumbnail timer's slot.
  void StartRetrieveThumb(XObject* sender = nullptr);
  void LoadItemMetadata(XObject* sender = nullptr);
  // Gives the answer to the row of its entry; false when none shows it.
  bool UpdateItemMetadata(Media::MetadataReadyEvent* event);

  uint16_t OnGetFilter() const { return Filter; }
  void OnSetFilter(uint16_t value) { Filter = value; }
  bool OnGetIsPlayOnFocus() const { return IsPlayOnFocus; }
  void OnSetIsPlayOnFocus(bool value) { IsPlayOnFocus = value; }
  bool OnGetIsPreviewStarted() const { return preview.Started; }
  void OnSetIsPreviewStarted(bool value) { preview.Started = value; }
  bool OnGetLoadMetadataEnable() const { return LoadMetadataEnable; }
  void OnSetLoadMetadataEnable(bool value) { LoadMetadataEnable = value; }
  int32_t OnGetPrevFocusedItemIndex() const { return preview.PrevFocusedItemIndex; }
  void OnSetPrevFocusedItemIndex(int32_t value) { preview.PrevFocusedItemIndex = value; }

  bool LoadMetadataEnable = true;
  bool IsPlayOnFocus = true;
  uint16_t Filter = FilterMovie;
  VgPtr<MediaContentListItem> LastRow;
  PreviewTimer preview{this};
  MetadataChain metadata{this};
};

class BGMList : public MediaContentList {
  VG_CLASS()

 public:
  explicit BGMList(XObject* link = nullptr);

  int32_t GetItemsNum() override;
  void DoOnActivate(XObject* sender = nullptr) override;
  // Selects the entry in the bridge; no preview, no information.
  void DoFocus(XObject* sender = nullptr) override;
  void UpdateGroupInfo() override {}
};

}  // namespace ListForm
