// Media::MediaWrapper: the bridge between the interface and the media
// library, the auto object that the application root holds. It starts the
// library once, is told which group receives the library's events, is
// offered every broadcast first, and reports that the media renderer is not
// configured.
//
// This cut answers the lists of the media screens from an in-memory library
// (Media/MediaLibrary.h) that tests fill: the browsed folder and its
// metadata, the background music, the servers, controllers and storage
// devices. Metadata arrives later, as the library's would: each request waits
// until AnswerMetadata hands its Media::MetadataReadyEvent to the root.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Core/Event.h"
#include "Core/Group.h"
#include "Media/MediaItem.h"
#include "Media/MediaLibrary.h"
#include "vgobject.h"

namespace Media {

class MediaWrapper : public XObject {
  VG_CLASS()

 public:
  explicit MediaWrapper(XObject* link = nullptr) : XObject(link) {}

  // At most this many media servers are registered at once.
  static constexpr int32_t MaxRegisteredServers = 8;

  // Binds the bridge to the group that receives the library's events.
  void Initialize(Core::Group* root);
  // Starts the library; a second start while it runs changes nothing.
  void PslInitialize(int32_t dlna, int32_t renderer, int32_t accessControl);
  // True when the event was one of the library's own notifications and has
  // been consumed; the bridge has none of its own yet, so false.
  bool HandleEvent(Core::Event* event);
  // Prints "DMR feature is disabled" and answers false: this set has no
  // media renderer.
  bool IsDmrConfiged();

  // The browsed folder: its entries (0 when no folder is open), a new item
  // for entry i (null outside the folder or while its page is fetched), and
  // the entry made current.
  int32_t GetMediaItemCount();
  MediaItem* GetMediaItem(int32_t i);
  void SelectMediaItem(int32_t i);
  // Asks for the metadata (and, with thumb, the thumbnail) of entry i.
  void RequestMetadata(int32_t i, bool thumb);
  // Playback of an item; mode 4 plays this item only.
  void RequestPlay(MediaItem* item, int32_t mode);
  void RequestMoviePreviewPlay(MediaItem* item, int32_t mode);
  void SetRepeatMode(int32_t mode);
  void RequestStop();

  // The background-music folder of the slide show.
  int32_t GetBgmItemCount();
  MediaItem* GetBgmItem(int32_t i);
  void SelectBgmItem(int32_t i);

  // Media servers: the list is read anew by GetMediaServerList; a server that
  // has gone since gives null. Registering is refused (false) when
  // MaxRegisteredServers are registered already.
  void GetMediaServerList();
  int32_t GetMediaServerCount() const { return serverCount_; }
  MediaServer* GetMediaServer(int32_t i);
  bool RegisterMediaServer(int32_t i);
  void UnRegisterMediaServer(int32_t i);
  int32_t GetRegisteredServerCount() const { return static_cast<int32_t>(library.registered.size()); }

  // Media controllers and storage devices, read anew by their requests.
  void RequestMediaControllorList();
  int32_t GetMediaControllorCount() const { return controllerCount_; }
  MediaControllor* GetMediaControllor(int32_t i);
  void RequestMediumList();
  int32_t GetMediumCount() const { return mediumCount_; }
  MediumDevice* GetMedium(int32_t i);

  // The library answers the metadata requests made so far, oldest first,
  // each as a MetadataReadyEvent dispatched along the root's focus path;
  // requests made while answering wait for the next call. The number
  // answered; without a root the answers are dropped.
  int32_t AnswerMetadata();
  // Requests not yet answered.
  int32_t PendingMetadata() const { return static_cast<int32_t>(library.pendingMetadata.size()); }

  bool OnGetStarted() const { return started_; }

  VgPtr<Core::Group> Root;
  Library library;

 private:
  MediaItem* NewItem(const std::vector<LibraryEntry>& entries, int32_t i);
  void Note(const std::string& call);

  bool started_ = false;
  int32_t renderer_ = 0;
  int32_t accessControl_ = 0;
  int32_t serverCount_ = 0;
  int32_t controllerCount_ = 0;
  int32_t mediumCount_ = 0;
};

// The library's answer to a metadata request: a new item with the entry's
// absolute index, thumbnail and metadata.
class MetadataReadyEvent : public Core::Event {
  VG_CLASS()

 public:
  explicit MetadataReadyEvent(XObject* link = nullptr) : Core::Event(link) {}

  VgPtr<MediaItem> Item;
};

class PictureEvent : public Core::Event {
  VG_CLASS()

 public:
  explicit PictureEvent(XObject* link = nullptr) : Core::Event(link) {}
};

}  // namespace Media
