#include "Media/MediaItem.h"

VG_DEFINE_CLASS(Media, MediaItem, XObject)
VG_DEFINE_CLASS(Media, MusicMetadata, XObject)
VG_DEFINE_CLASS(Media, VideoMetadata, XObject)
VG_DEFINE_CLASS(Media, MediaServer, XObject)
VG_DEFINE_CLASS(Media, MediaControllor, XObject)
VG_DEFINE_CLASS(Media, MediumDevice, XObject)
