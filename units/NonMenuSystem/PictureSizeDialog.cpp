#include "NonMenuSystem/PictureSizeDialog.h"

#include "SkinBin/OptionTypes.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(NonMenuSystem, PictureSizeDialog, ::NonMenuSystem::ToggleOptionOverlay)

namespace NonMenuSystem {

PictureSizeDialog::PictureSizeDialog(XObject* link) : ToggleOptionOverlay(link) {
  WinID = WinIDs::WIN_ID_PictureSizeDialog;
}

void PictureSizeDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  WidgetClass::Initialize(parameter);
  Bind(SkinBin::OPTION_TYPE_PICTURE_SIZE);
}

}  // namespace NonMenuSystem
