// The entry points the media library's side builds the bridge's records and
// events with: items, metadata and storage devices filled from the library's
// plain values, a picture from its pixels, and the event that carries a
// library notice to the bridge. Each initialiser returns what it was given;
// a null record stays null.
#pragma once

#include <cstdint>

#include "Media/MediaEvents.h"
#include "Media/MediaItem.h"
#include "Resources/Bitmap.h"

struct PslNotice;
struct GenBitmap;

extern "C" {
Media::MediaItem* MediaMediaItem__Initialize(Media::MediaItem* item, uint16_t type, const char* caption,
                                             int32_t index);
Media::MusicMetadata* MediaMusicMetadata__Initialize(Media::MusicMetadata* metadata, const char* title,
                                                     const char* artist, const char* album, int32_t seconds);
Media::VideoMetadata* MediaVideoMetadata__Initialize(Media::VideoMetadata* metadata, const char* title,
                                                     int32_t seconds, int32_t width, int32_t height);
Media::MediumDevice* MediaMediumDevice__Initialize(Media::MediumDevice* device, uint16_t type, const char* name,
                                                   uint8_t available, const char* mountString);
// A new bitmap of width x height pixels (0xAARRGGBB, row by row); null for
// no pixels.
Resources::Bitmap* MediaBitmap__FromPixels(const uint32_t* pixels, int32_t width, int32_t height);
// A picture of an engine bitmap made for it (GenPictureMaker), which it
// takes; null for none.
Resources::Bitmap* MediaBitmap__FromMade(GenBitmap* made, int32_t width, int32_t height);
// A new event that owns the notice from now on (frees it when the event goes).
Media::LibraryNotice* MediaLibraryNotice__Create(PslNotice* notice);
}
