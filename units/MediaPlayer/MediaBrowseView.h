// MediaPlayer::MediaBrowseView: the folder views of the media player, a list
// or a grid over the folder the bridge browses on the open medium. The view
// starts its list once the folder's first page is there, browses into a
// folder row and back up with RETURN (at the medium's root RETURN goes back
// to the device selection), and hands every other row to the view's player.
// An empty folder shows "No applicable media files" and goes back to the
// device selection after EmptyFolderMs.
#pragma once

#include <cstdint>

#include "Core/Timer.h"
#include "ListForm/ListOwners.h"
#include "MediaPlayer/MediaWindow.h"

namespace ListForm {
class ListBase;
}
namespace Media {
class MediaItem;
}

namespace MediaPlayer {

class MediaBrowseView : public MediaWindow, public ListForm::ItemOwner {
  VG_CLASS()

 public:
  explicit MediaBrowseView(XObject* link = nullptr);

  static constexpr int32_t EmptyFolderMs = 2000;

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  XObject* HandleEvent(Core::Event* event) override;
  void HandleMessage(Structures::Message* message) override;
  void Close(XObject* sender = nullptr) override;

  void DoItemActivate(Forms::Ctrl* row) override;

  // The view's list or grid (null for this base), and the kind of the
  // device selection it came from.
  virtual ListForm::ListBase* List() { return nullptr; }
  virtual int32_t Kind() const { return KindMusic; }
  // A row that is no folder was activated.
  virtual void Play(Media::MediaItem*) {}

  // Opens the full-screen screen on the entry, this view as its way back.
  void OpenEntry(const VgClass* screen, Media::MediaItem* item);

  // The empty folder's pause is over.
  void EmptyFolderDone(XObject* sender = nullptr);

  Core::Timer emptyTimer{this};

 protected:
  // (Re)starts the list on the bridge's folder, once its first page is in.
  void StartList();
  bool waiting_ = true;
  bool emptyShown_ = false;
};

}  // namespace MediaPlayer
