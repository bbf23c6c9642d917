#include "Media/MediaWrapper.h"

#include "vgdebug.h"

VG_DEFINE_CLASS(Media, MediaWrapper, XObject)
VG_DEFINE_CLASS(Media, MetadataReadyEvent, Core::Event)
VG_DEFINE_CLASS(Media, PictureEvent, Core::Event)

namespace Media {

void MediaWrapper::Initialize(Core::Group* root) { Root = root; }

void MediaWrapper::PslInitialize(int32_t dlna, int32_t renderer, int32_t accessControl) {
  if (started_) return;
  started_ = dlna != 0;
  renderer_ = renderer;
  accessControl_ = accessControl;
}

bool MediaWrapper::HandleEvent(Core::Event*) { return false; }

bool MediaWrapper::IsDmrConfiged() {
  VgPrint("DMR feature is disabled\n");
  return false;
}

}  // namespace Media
