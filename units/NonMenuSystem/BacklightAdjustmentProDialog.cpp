#include "NonMenuSystem/BacklightAdjustmentProDialog.h"

#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(NonMenuSystem, BacklightAdjustmentProDialog, ::NonMenuSystem::AdjustmentPanel)

namespace NonMenuSystem {

BacklightAdjustmentProDialog::BacklightAdjustmentProDialog(XObject* link) : AdjustmentPanel(link) {
  WinID = WinIDs::WIN_ID_BacklightAdjustmentProDialog;
}

void BacklightAdjustmentProDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  AdjustmentPanel::Initialize(parameter);
  DefaultBack("MenuSystem::AutoBrightnessSensorMenu");
  OnSetCaption(VgGetVariantOfString(&Strings::SID_BACKLIGHT_ADJUSTMENT_PRO));
  SetRows({{SkinBin::OPTION_TYPE_BACKLIGHT_AUTO, nullptr},
           {SkinBin::OPTION_TYPE_AUTO_BRIGHTNESS_SETTING, nullptr},
           {SkinBin::OPTION_TYPE_ROOM_LIGHTING, nullptr}});
}

}  // namespace NonMenuSystem
