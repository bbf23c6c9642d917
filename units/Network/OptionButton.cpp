#include "Network/OptionButton.h"

#include "Bitmaps.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(Network, OptionButton, SkinBin::Button)

namespace Network {

OptionButton::OptionButton(XObject* link) : SkinBin::Button(link) {
  Resources::Bitmap* normal = VgLoad<Resources::Bitmap>(Bitmaps::NetworkButtonNonfocus);
  Nonfocused_Bitmap = normal;
  Default_Bitmap = normal;
  Disabled_Bitmap = normal;
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::NetworkButtonFocus);
  Refresh();
}

}  // namespace Network
