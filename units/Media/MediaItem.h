// The records the media bridge builds for the screens, a new one for every
// request: an entry of a folder with its metadata, a media server of the home
// network, a media controller allowed to play on the set, a storage device.
// The exported initialisers (Media/Exports.h) fill them.
#pragma once

#include <cstdint>

#include "Resources/Bitmap.h"
#include "vgobject.h"
#include "vgstring.h"

namespace Media {

class MediaItem : public XObject {
  VG_CLASS()

 public:
  explicit MediaItem(XObject* link = nullptr) : XObject(link) {}

  // Entry types; only the low byte counts.
  static constexpr uint16_t Folder = 0;
  static constexpr uint16_t Video = 1;
  static constexpr uint16_t Picture = 2;
  static constexpr uint16_t Music = 3;
  static constexpr uint16_t Flash = 5;

  bool IsFolder() const { return (Type & 0xFF) == Folder; }

  // Set once the library has answered for the entry's metadata.
  uint8_t MetadataLoaded = 0;
  uint16_t Type = Folder;
  VgPtr<Resources::Bitmap> Bitmap;
  VgStr Caption;
  VgStr Text;
  // Null while unknown, and for an entry without a thumbnail.
  VgPtr<Resources::Bitmap> Thumb;
  // A MusicMetadata, a VideoMetadata, or null.
  VgPtr<XObject> Metadata;
  // The entry's position in its folder.
  int32_t AbsoluteIndex = 0;
};

class MusicMetadata : public XObject {
  VG_CLASS()

 public:
  explicit MusicMetadata(XObject* link = nullptr) : XObject(link) {}

  VgStr Title;
  VgStr Artist;
  VgStr Album;
  int32_t Duration = 0;  // seconds
};

class VideoMetadata : public XObject {
  VG_CLASS()

 public:
  explicit VideoMetadata(XObject* link = nullptr) : XObject(link) {}

  VgStr Title;
  int32_t Duration = 0;  // seconds
  int32_t Width = 0;
  int32_t Height = 0;
};

class MediaServer : public XObject {
  VG_CLASS()

 public:
  explicit MediaServer(XObject* link = nullptr) : XObject(link) {}

  uint16_t Type = 2;
  VgStr Name;
  // 1 while the server is among the registered ones.
  uint8_t Registered = 0;
  // Not known for a server: left empty and 0.
  VgStr MacAddress;
  uint16_t WakeOnLan = 0;
};

class MediaControllor : public XObject {
  VG_CLASS()

 public:
  explicit MediaControllor(XObject* link = nullptr) : XObject(link) {}

  uint16_t Type = 6;
  VgStr Name;
  VgStr MacAddress;
  // 1 when the controller may play on the set.
  uint8_t Access = 0;
};

class MediumDevice : public XObject {
  VG_CLASS()

 public:
  explicit MediumDevice(XObject* link = nullptr) : XObject(link) {}

  static constexpr uint16_t UsbStorage = 0;
  static constexpr uint16_t SdCard = 1;
  static constexpr uint16_t Server = 2;

  uint16_t Type = UsbStorage;
  VgStr Name;
  uint8_t Available = 0;
  // What identifies the medium, and what the player opens: the mount point
  // of storage ("/mnt/removable/usba"), the id of a server.
  VgStr MountString;
};

}  // namespace Media
