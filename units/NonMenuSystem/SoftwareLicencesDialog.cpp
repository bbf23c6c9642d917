#include "NonMenuSystem/SoftwareLicencesDialog.h"

#include "Fonts/Fonts.h"
#include "NonMenuSystem/Look.h"
#include "Strings.h"
#include "WinIDs/WinIDs.h"
#include "vgslot.h"

VG_DEFINE_CLASS(NonMenuSystem, SoftwareLicencesDialog, ::NonMenuSystem::QORWidgetClass)

namespace NonMenuSystem {

namespace {

constexpr VgRect kBounds{0, 70, 720, 470};

}  // namespace

SoftwareLicencesDialog::SoftwareLicencesDialog(XObject* link) : QORWidgetClass(link) {
  WinID = WinIDs::WIN_ID_SoftwareLicencesDialog;
  OnSetCaption(VgGetVariantOfString(&Strings::SID_SOFTWARE_LICENCES));
  text.OnSetFont(VgLoad<Resources::Font>(Fonts::SmallFont));
  text.OnSetColor(Look::Text);
  text.OnSetPageUpKey(Key::PageUp);
  text.OnSetPageDownKey(Key::PageDown);
  text.OnSetOnResetTimeout(VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(this));
  Add(&text, 0);
  OnSetBounds(kBounds);
  text.OnSetBounds({ContentLeft(), ContentTop(), ContentRight(), VgGetRectH(kBounds) - FrameWidth});
  text.OnSetString(VgGetVariantOfString(&Strings::SID_SOFTWARE_LICENCES_TEXT));
  OnSetFocus(&text);
}

void SoftwareLicencesDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  QORWidgetClass::Initialize(parameter);
  if (!PrevState) PrevState = VgFindClass("MenuSystem::SetupMenu");
}

}  // namespace NonMenuSystem
