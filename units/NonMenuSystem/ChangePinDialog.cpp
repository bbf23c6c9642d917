#include "NonMenuSystem/ChangePinDialog.h"

#include "AppServices/Wrapper.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "PersistentData/PersistentData.h"
#include "Strings.h"
#include "WinIDs/WinIDs.h"
#include "vgdebug.h"
#include "vgslot.h"

VG_DEFINE_CLASS(NonMenuSystem, ChangePinDialog, ::NonMenuSystem::QORWidgetClass)

namespace NonMenuSystem {

namespace {

constexpr int32_t kTop = 120;
constexpr int32_t kLabelWidth = 170;

void StyleLabel(Views::Text* label, const VgConstant& text) {
  label->OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  label->OnSetColor(Look::Text);
  label->OnSetAlignH(Views::Text::AlignRight);
  label->OnSetAlignV(Views::Text::AlignMiddle);
  label->OnSetString(VgConcatString(VgGetVariantOfString(&text), VgGetVariantOfString(&Strings::SID_LABEL_COLON)));
}

}  // namespace

ChangePinDialog::ChangePinDialog(XObject* link) : QORWidgetClass(link) {
  WinID = WinIDs::WIN_ID_PinEntry;
  StyleLabel(&newLabel, Strings::SID_NEW_PIN);
  StyleLabel(&confirmLabel, Strings::SID_MSG_LOCKS_PIN_CODE_CONFIRM);
  messageLine.OnSetFont(VgLoad<Resources::Font>(Fonts::SmallFont));
  messageLine.OnSetColor(Look::Warning);
  messageLine.OnSetAlignH(Views::Text::AlignCentre);
  messageLine.OnSetAlignV(Views::Text::AlignMiddle);
  OnSetCaption(VgGetVariantOfString(&Strings::SID_CHANGE_PIN));
  newPin.OnSetOnCompleteEntry(VgSlotOf<&ChangePinDialog::FirstPassword>(this));
  newPin.OnSetOnResetTimeout(VgSlotOf<&ChangePinDialog::ResetTimeout>(this));
  newPin.OnSetOnPrevPin(VgSlotOf<&ChangePinDialog::GoBack>(this));
  confirmPin.OnSetOnCompleteEntry(VgSlotOf<&ChangePinDialog::CheckPassword>(this));
  confirmPin.OnSetOnResetTimeout(VgSlotOf<&ChangePinDialog::ResetTimeout>(this));
  Add(&newLabel, 0);
  Add(&newPin, 0);
  Add(&confirmLabel, 0);
  Add(&confirmPin, 0);
  Add(&messageLine, 0);
  OnSetFocus(&newPin);
  const int32_t left = (NonMenuSystem::ScreenWidth - Width) / 2;
  OnSetBounds({left, kTop, left + Width, kTop + Height});
}

void ChangePinDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  QORWidgetClass::Initialize(parameter);
  OnSetChangePinType(ParamValue);
}

void ChangePinDialog::Refresh(XObject* sender) {
  QORWidgetClass::Refresh(sender);
  const int32_t w = VgGetRectW(Bounds);
  const int32_t pinLeft = (w - PinField::Width) / 2 + kLabelWidth / 3;
  const int32_t firstTop = ContentTop() + 10;
  const int32_t secondTop = firstTop + PinField::CellSize + 18;
  newLabel.OnSetBounds({pinLeft - kLabelWidth - 16, firstTop, pinLeft - 16, firstTop + PinField::CellSize});
  newPin.OnSetBounds({pinLeft, firstTop, pinLeft + PinField::Width, firstTop + PinField::CellSize});
  confirmLabel.OnSetBounds({pinLeft - kLabelWidth - 16, secondTop, pinLeft - 16, secondTop + PinField::CellSize});
  confirmPin.OnSetBounds({pinLeft, secondTop, pinLeft + PinField::Width, secondTop + PinField::CellSize});
  messageLine.OnSetBounds(
      {ContentLeft(), secondTop + PinField::CellSize + 10, ContentRight(), VgGetRectH(Bounds) - FrameWidth});
}

void ChangePinDialog::OnSetChangePinType(int32_t type) {
  if (type != TypeParental && type != TypeThreeD) {
    VgPrint("NonMenuSystem::ChangePinDialog.OnSetChangePinType: no PIN type %d, changing the parental PIN\n", type);
    type = TypeParental;
  }
  ChangePinType = type;
}

void ChangePinDialog::FirstPassword(XObject* sender) {
  if (sender != &newPin) return;
  FirstPin = newPin.CurrentPin();
  messageLine.OnSetString(nullptr);
  OnSetFocus(&confirmPin);
}

void ChangePinDialog::CheckPassword(XObject* sender) {
  if (sender != &confirmPin) return;
  VgString entered = confirmPin.CurrentPin();
  const bool same = VgCompString(entered, FirstPin) == 0;
  if (same && VgCompString(entered, VgNewStringAnsi("0000")) != 0) {
    ::PersistentData::PersistentData* store = MainApp::GetWrapper()->OnGetPersistentData();
    if (store) {
      store->PutString(VgNewStringAnsi(PinKey(Kind())), entered);
    } else {
      VgPrint("NonMenuSystem::ChangePinDialog: no settings store to keep the PIN in\n");
    }
    EnterPrevState();
    return;
  }
  StartAgain(same ? &Strings::SID_MSG_LOCKS_ZERO_PIN_CODE : &Strings::SID_MSG_LOCKS_INCORRECT_PIN_CODE);
}

void ChangePinDialog::StartAgain(const VgConstant* why) {
  FirstPin = nullptr;
  newPin.Clear();
  confirmPin.Clear();
  OnSetFocus(&newPin);
  messageLine.OnSetString(VgGetVariantOfString(why));
}

void ChangePinDialog::GoBack(XObject*) { EnterPrevState(); }

}  // namespace NonMenuSystem
