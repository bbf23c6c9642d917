#include "SkinBin/Navigator.h"

#include "Bitmaps.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(SkinBin, Navigator, Cursor::Navigator)

namespace SkinBin {

namespace {

// The arrows keep a little air from the spinner.
constexpr int32_t kGap = 3;

}  // namespace

Navigator::Navigator(XObject* link) : Cursor::Navigator(link) {
  OnSetUpBitmap(VgLoad<Resources::Bitmap>(Bitmaps::OptionButtonUpArrow));
  OnSetDownBitmap(VgLoad<Resources::Bitmap>(Bitmaps::OptionButtonDownArrow));
  OnSetUpOffset({0, -kGap});
  OnSetDownOffset({0, kGap});
  OnSetVisible(false);
}

}  // namespace SkinBin
