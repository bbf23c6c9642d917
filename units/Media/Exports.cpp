#include "Media/Exports.h"

#include "Graphics/Picture.h"
#include "psl.h"
#include "vgstring.h"

namespace {

VgString Utf8(const char* text) { return VgNewStringUtf8(text ? text : ""); }

}  // namespace

extern "C" {

Media::MediaItem* MediaMediaItem__Initialize(Media::MediaItem* item, uint16_t type, const char* caption,
                                             int32_t index) {
  if (!item) return nullptr;
  item->Type = type;
  item->Caption = Utf8(caption);
  item->AbsoluteIndex = index;
  return item;
}

Media::MusicMetadata* MediaMusicMetadata__Initialize(Media::MusicMetadata* metadata, const char* title,
                                                     const char* artist, const char* album, int32_t seconds) {
  if (!metadata) return nullptr;
  metadata->Title = Utf8(title);
  metadata->Artist = Utf8(artist);
  metadata->Album = Utf8(album);
  metadata->Duration = seconds;
  return metadata;
}

Media::VideoMetadata* MediaVideoMetadata__Initialize(Media::VideoMetadata* metadata, const char* title,
                                                     int32_t seconds, int32_t width, int32_t height) {
  if (!metadata) return nullptr;
  metadata->Title = Utf8(title);
  metadata->Duration = seconds;
  metadata->Width = width;
  metadata->Height = height;
  return metadata;
}

Media::MediumDevice* MediaMediumDevice__Initialize(Media::MediumDevice* device, uint16_t type, const char* name,
                                                   uint8_t available, const char* mountString) {
  if (!device) return nullptr;
  device->Type = type;
  device->Name = Utf8(name);
  device->Available = available;
  device->MountString = Utf8(mountString);
  return device;
}

Resources::Bitmap* MediaBitmap__FromPixels(const uint32_t* pixels, int32_t width, int32_t height) {
  return Graphics::Picture::Make(pixels, width, height);
}

Resources::Bitmap* MediaBitmap__FromMade(GenBitmap* made, int32_t width, int32_t height) {
  return Graphics::Picture::Of(made, width, height);
}

Media::LibraryNotice* MediaLibraryNotice__Create(PslNotice* notice) {
  auto* event = VgNew<Media::LibraryNotice>();
  event->Notice = notice;
  return event;
}

}  // extern "C"
