// What the lists of a folder's entries share: the media content list, the
// background-music list, the photo grid and the recording playback list.
//   - An empty folder hides the list (EmptyFolder): the owning screen is told
//     with MSG_NO_MEDIA_FILES and shows its own message, while the hidden
//     list lets only the exit and back keys through. A folder with entries
//     shows the list again.
//   - A list fits as many rows as its height takes (RowsPerPage).
//   - Resting half a second on an entry previews it (PreviewTimer).
//   - Metadata is asked for one row at a time, each answer bringing the next
//     request (MetadataChain).
#pragma once

#include <cstdint>

#include "Core/Timer.h"
#include "ListForm/ListClass.h"
#include "ListForm/RestTimer.h"

namespace Core {
class Event;
}
namespace Media {
class MediaItem;
}

namespace ListForm {

class MediaListItem;

// A list of a folder's entries as built: 336 x 228, channel up and down as
// its page keys, wrapping round, its arrows in the bottom-right corner.
ListDef FolderListDef(const VgClass* rowClass);

namespace EmptyFolder {

// Hides the list and its indicators, takes the focus from it, writes the
// trace with the count and sends MSG_NO_MEDIA_FILES. The caller has set its
// rows to 0 first.
void Hide(ListBase* list, const char* trace, int32_t count);
// Shows the list and its indicators again.
void Show(ListBase* list);
// Whether the list swallows the event: a key press other than the exit and
// back keys while the list is hidden.
bool Swallows(ListBase* list, Core::Event* event);

}  // namespace EmptyFolder

// The rows a page of the list holds: its height over the pitch of a row of
// its ItemClass (the row's height and ItemInterval); at least 1.
int32_t RowsPerPage(ListClass* list);

// A new folder of count entries for the list: as many rows as a page holds
// and a new data source; with no entry the list is hidden instead (the trace
// names the list) and false returned. The rows are measured first, so that
// the pool has a page of them even when the first folder is empty.
bool OpenFolder(ListClass* list, int32_t count, const char* trace);
// Shows the entries: as many rows as a page holds, a new data source.
void ShowEntries(ListClass* list, int32_t count);

// The preview of the entry the focus rests on. The list tells it where the
// focus arrives and starts it again (Rest); the list's slot plays when it
// fires, and tells it what plays.
class PreviewTimer : public RestTimer {
  VG_CLASS()

 public:
  explicit PreviewTimer(XObject* link = nullptr);

  static constexpr int32_t RestMs = 500;

  // The focus came to the row of the entry. True, and the entry kept, once
  // the list has shown its rows and when the entry is another one than the
  // focus came to last.
  bool Arrive(int32_t index);
  void Played(int32_t index) {
    Started = true;
    PlayingIndex = index;
  }
  void Stopped() {
    Started = false;
    PlayingIndex = -1;
  }
  // A new folder: no entry seen or playing.
  void Forget() {
    PrevFocusedItemIndex = -1;
    PlayingIndex = -1;
  }

  // Set by the list's first reload with a focused row.
  bool Loaded = false;
  bool Started = false;
  int32_t PlayingIndex = -1;
  int32_t PrevFocusedItemIndex = -1;
};

// The metadata requests of a list's rows, one out at a time; as the timer it
// paces the thumbnails of a photo list (the next request 100 ms after an
// answer).
class MetadataChain : public Core::Timer {
  VG_CLASS()

 public:
  explicit MetadataChain(XObject* link = nullptr);

  static constexpr int32_t ThumbnailPauseMs = 100;

  // Unless a request is out, asks for the first row shown that lacks its
  // metadata.
  void Request(ListBase* list);
  // The answer for an entry: no request is out any more, and the row shown
  // for the entry takes the item. That row, or null when none shows it.
  MediaListItem* Answer(ListBase* list, Media::MediaItem* item);
  // Forgets the request out, whose answer may never come, so that the next
  // Request asks again.
  void Forget() { Pending = false; }

  bool Pending = false;
};

}  // namespace ListForm
