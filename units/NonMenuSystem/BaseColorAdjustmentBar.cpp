#include "NonMenuSystem/BaseColorAdjustmentBar.h"

#include "AppServices/OptionDB.h"
#include "OptionDatabase/OptionBinding.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "WinIDs/WinIDs.h"
#include "vgdebug.h"

VG_DEFINE_CLASS(NonMenuSystem, BaseColorAdjustmentBar, ::NonMenuSystem::AdjustmentPanel)

namespace NonMenuSystem {

namespace {

constexpr int32_t kFirstHue = SkinBin::OPTION_TYPE_BASECOLOR_ADJUST_RED_HUE;
constexpr int32_t kLastHue = SkinBin::OPTION_TYPE_BASECOLOR_ADJUST_CYAN_HUE;
constexpr int32_t kOptionsPerColour = 3;

}  // namespace

BaseColorAdjustmentBar::BaseColorAdjustmentBar(XObject* link) : AdjustmentPanel(link) {
  WinID = WinIDs::WIN_ID_BaseColorAdjustmentBar;
}

void BaseColorAdjustmentBar::Initialize(Primitives::KeyRoutingParameter* parameter) {
  AdjustmentPanel::Initialize(parameter);
  DefaultBack("MenuSystem::BaseColorAdjustmentMenu");
  const int32_t hue = ParamValue;
  if (hue < kFirstHue || hue > kLastHue || (hue - kFirstHue) % kOptionsPerColour != 0)
    VgPrint("NonMenuSystem::BaseColorAdjustmentBar.Initialize: 0x%08X is not the hue of a base colour\n",
            unsigned(hue));
  // The three options carry the colour's name; the rows say which is which.
  OnSetCaption(
      OptionDatabase::OptionBinding(MainApp::GetOptionDB(), hue, "NonMenuSystem::BaseColorAdjustmentBar").Name());
  SetRows({{hue, VgGetVariantOfString(&Strings::MenuHue)},
           {hue + 1, VgGetVariantOfString(&Strings::MenuSaturation)},
           {hue + 2, VgGetVariantOfString(&Strings::SID_BRIGHTNESS)}});
}

}  // namespace NonMenuSystem
