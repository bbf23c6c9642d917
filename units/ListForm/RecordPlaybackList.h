// ListForm::RecordPlaybackList: the recordings stored in one folder of a USB
// medium, one title a row. Resting half a second on a row previews the
// recording; activating it hands the row to the owning playback dialog, which
// plays it full screen or first offers play options. An empty folder hides
// the list.
//
// The owning dialog (the ListForm::ItemOwner role) sets FolderPath before
// each Initialize and CurrentItemIndex after it.
#pragma once

#include <cstdint>

#include "ListForm/ListClass.h"
#include "ListForm/ListItem.h"
#include "ListForm/MediaFolder.h"

namespace ListForm {

// The key of a recording's entry (ListCourier::Key): its record id.
VgString RecordingKey(int32_t recordId);

class RecordPlaybackListItemCourier : public ListCourier {
  VG_CLASS()

 public:
  explicit RecordPlaybackListItemCourier(XObject* link = nullptr) : ListCourier(link) {}

  VgStr FileName;
  int32_t RecordId = 0;
  // The stored resume position; the dialog offers play options when set.
  int32_t ResumeMark = 0;
};

class RecordPlaybackListItem : public ListItem {
  VG_CLASS()

 public:
  explicit RecordPlaybackListItem(XObject* link = nullptr);

  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;
  void Refresh(XObject* sender = nullptr) override;

  VgStr FileName;
  int32_t RecordId = 0;
  int32_t ResumeMark = 0;
};

class RecordPlaybackList : public ListClass {
  VG_CLASS()

 public:
  explicit RecordPlaybackList(XObject* link = nullptr);

  // A return from a playback, an answer on a show and a recording's news
  // keep the show by its id.
  bool KeepsTheEntry() override { return true; }

  // Overridden slots.
  // While the list is hidden only the exit and back keys pass.
  XObject* HandleEvent(Core::Event* event) override;
  // Reads the folder's recordings: hidden when there are none, else as many
  // rows as the height takes and no preview.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // After the rows are filled the focused row counts as arrived at.
  void forceReload(XObject* sender = nullptr) override;

  void DoOnActivate(XObject* sender = nullptr);
  // A new row under the focus starts the preview timer (with
  // IsPlayOnFocus); OnFocusChanged follows every focus update.
  void DoFocus(XObject* sender = nullptr);
  // The preview timer's slot.
  void StartToPlay(XObject* sender = nullptr);

  bool OnGetIsPlayOnFocus() const { return IsPlayOnFocus; }
  void OnSetIsPlayOnFocus(bool value) { IsPlayOnFocus = value; }
  bool OnGetIsPreviewStarted() const { return preview.Started; }
  void OnSetIsPreviewStarted(bool value) { preview.Started = value; }
  int32_t OnGetPrevFocusedItemIndex() const { return preview.PrevFocusedItemIndex; }
  void OnSetPrevFocusedItemIndex(int32_t value) { preview.PrevFocusedItemIndex = value; }
  VgSlot OnGetOnFocusChanged() const { return OnFocusChanged; }
  void OnSetOnFocusChanged(VgSlot slot) { OnFocusChanged = slot; }

  bool IsPlayOnFocus = true;
  VgPtr<RecordPlaybackListItem> LastRow;
  PreviewTimer preview{this};
  VgStr FolderPath;
  VgSlot OnFocusChanged;
};

}  // namespace ListForm
