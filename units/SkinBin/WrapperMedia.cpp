// The television model's part in the media player: the home-network setting
// that the media bridge follows.
#include "AppServices/MediaWrapper.h"
#include "SkinBin/Wrapper.h"

namespace SkinBin {

void Wrapper::OnSetEnableDlna(int32_t on) {
  Write(Property::EnableDlna, on);
  MainApp::GetMediaWrapper()->SetDlna(on != 0);
}

}  // namespace SkinBin
