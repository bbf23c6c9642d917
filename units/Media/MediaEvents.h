// The events of the media bridge. It turns each notice of the media library
// (psl.h) into the screens' events on the GUI thread:
//   - Media::MetadataReadyEvent: an entry's metadata and thumbnail;
//   - Media::PictureEvent: a picture decoded for the full screen;
//   - Events::StatusEvent with a MediaStatus code: a folder's page read,
//     playback progress and end, a storage device come or gone.
// Media::LibraryNotice carries a notice from the host to the bridge.
#pragma once

#include <cstdint>

#include "Core/Event.h"
#include "Media/MediaItem.h"
#include "Resources/Bitmap.h"
#include "vgobject.h"

struct PslNotice;

namespace Media {

// The codes of the bridge's status events and what their sub-codes carry.
namespace MediaStatus {
// A storage device: SubCode0 DeviceRemoved or DeviceAdded, SubCode2 its
// removable-device code (242 "usba" ...).
inline constexpr int32_t Device = 18;
inline constexpr int32_t DeviceAdded = 4;
inline constexpr int32_t DeviceRemoved = 5;
// A page of a folder read: SubCode0 the cursor (0 the browser, 1 the
// background music), SubCode1 the folder's entries, SubCode2 the page's first.
inline constexpr int32_t Folder = 20;
// What plays: SubCode0 the entry, SubCode1 seconds played, SubCode2 its
// length, SubCode3 1 playing, 2 paused.
inline constexpr int32_t PlayProgress = 21;
// The entry played to its end: SubCode0 the entry, SubCode1 the entry that
// plays now, -1 when playback stopped.
inline constexpr int32_t PlayEnded = 22;
}  // namespace MediaStatus

// The library's answer to a metadata request: a new item with the entry's
// absolute index, thumbnail and metadata.
class MetadataReadyEvent : public Core::Event {
  VG_CLASS()

 public:
  explicit MetadataReadyEvent(XObject* link = nullptr) : Core::Event(link) {}

  VgPtr<MediaItem> Item;
};

// A picture of the browsed folder, fitted to the screen; Picture is null when
// the file could not be decoded. Width and Height are the file's own.
class PictureEvent : public Core::Event {
  VG_CLASS()

 public:
  explicit PictureEvent(XObject* link = nullptr) : Core::Event(link) {}

  int32_t Index = -1;
  int32_t Width = 0;
  int32_t Height = 0;
  VgPtr<Resources::Bitmap> Picture;
};

// One notice of the library on its way to the bridge, which alone takes it;
// the event owns the notice and frees it.
class LibraryNotice : public Core::Event {
  VG_CLASS()

 public:
  explicit LibraryNotice(XObject* link = nullptr) : Core::Event(link) {}
  ~LibraryNotice() override;

  PslNotice* Notice = nullptr;
};

}  // namespace Media
