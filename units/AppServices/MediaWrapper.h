// The auto object MainApp::MediaWrapper: the bridge to the media library.
// Like every auto object it lives only while something reachable holds it;
// the application root keeps it in a field.
//
// Header only, so that the units which reach the library through it need not
// link the MainApp library, which links them.
#pragma once

#include "Media/MediaWrapper.h"
#include "vgobject.h"

namespace MainApp {

// The bridge needs nothing beyond its constructor: the standby group starts
// the library when the set wakes into normal operation.
inline void MediaWrapper__Init(XObject*) {}

inline constexpr VgAutoObject MediaWrapper = {&MediaWrapper__Init, VgNoVariants};

inline ::Media::MediaWrapper* GetMediaWrapper() {
  return static_cast<::Media::MediaWrapper*>(VgGetAutoObject(&MediaWrapper, &::Media::MediaWrapper::Class));
}

}  // namespace MainApp
