#include "Media/MediaEvents.h"

#include "psl.h"

VG_DEFINE_CLASS(Media, MetadataReadyEvent, Core::Event)
VG_DEFINE_CLASS(Media, PictureEvent, Core::Event)
VG_DEFINE_CLASS(Media, LibraryNotice, Core::Event)

namespace Media {

LibraryNotice::~LibraryNotice() { PslFreeNotice(Notice); }

}  // namespace Media
