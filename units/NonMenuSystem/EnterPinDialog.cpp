#include "NonMenuSystem/EnterPinDialog.h"

#include "AppServices/Wrapper.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "PersistentData/PersistentData.h"
#include "Strings.h"
#include "WinIDs/WinIDs.h"
#include "vgdebug.h"
#include "vgslot.h"

VG_DEFINE_CLASS(NonMenuSystem, EnterPinDialog, ::NonMenuSystem::QORWidgetClass)

namespace NonMenuSystem {

namespace {

constexpr int32_t kTop = 140;
constexpr int32_t kLabelWidth = 150;

VgString ReadPin(PinKind kind) {
  ::PersistentData::PersistentData* store = MainApp::GetWrapper()->OnGetPersistentData();
  return store ? store->GetString(VgNewStringAnsi(PinKey(kind))) : nullptr;
}

}  // namespace

EnterPinDialog::EnterPinDialog(XObject* link) : QORWidgetClass(link) {
  WinID = WinIDs::WIN_ID_PinEntry;
  HasCaption = false;
  label.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  label.OnSetColor(Look::Text);
  label.OnSetAlignH(Views::Text::AlignRight);
  label.OnSetAlignV(Views::Text::AlignMiddle);
  label.OnSetString(
      VgConcatString(VgGetVariantOfString(&Strings::SID_ENTER_PIN), VgGetVariantOfString(&Strings::SID_LABEL_COLON)));
  messageLine.OnSetFont(VgLoad<Resources::Font>(Fonts::SmallFont));
  messageLine.OnSetColor(Look::Warning);
  messageLine.OnSetAlignH(Views::Text::AlignCentre);
  messageLine.OnSetAlignV(Views::Text::AlignMiddle);
  pin.OnSetOnCompleteEntry(VgSlotOf<&EnterPinDialog::CheckPassword>(this));
  pin.OnSetOnResetTimeout(VgSlotOf<&EnterPinDialog::ResetTimeout>(this));
  pin.OnSetOnPrevPin(VgSlotOf<&EnterPinDialog::GoBack>(this));
  Add(&label, 0);
  Add(&pin, 0);
  Add(&messageLine, 0);
  OnSetFocus(&pin);
  const int32_t left = (NonMenuSystem::ScreenWidth - Width) / 2;
  OnSetBounds({left, kTop, left + Width, kTop + Height});
}

void EnterPinDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  QORWidgetClass::Initialize(parameter);
  OnSetEnterPinType(ParamValue);
}

void EnterPinDialog::OnSetMenuTriggered(bool value) {
  QORWidgetClass::OnSetMenuTriggered(value);
  ApplyTimeOut();
}

void EnterPinDialog::Refresh(XObject* sender) {
  QORWidgetClass::Refresh(sender);
  const int32_t w = VgGetRectW(Bounds);
  const int32_t h = VgGetRectH(Bounds);
  const int32_t rowTop = h / 2 - PinField::CellSize / 2 - 10;
  const int32_t pinLeft = (w - PinField::Width) / 2 + kLabelWidth / 3;
  label.OnSetBounds({pinLeft - kLabelWidth - 16, rowTop, pinLeft - 16, rowTop + PinField::CellSize});
  pin.OnSetBounds({pinLeft, rowTop, pinLeft + PinField::Width, rowTop + PinField::CellSize});
  messageLine.OnSetBounds({ContentLeft(), rowTop + PinField::CellSize + 14, ContentRight(), h - FrameWidth});
}

void EnterPinDialog::OnSetEnterPinType(int32_t type) {
  EnterPinType = type;
  row_ = FindPinType(type);
  if (!row_) {
    VgPrint("NonMenuSystem::EnterPinDialog.OnSetEnterPinType: no PIN type %d\n", type);
    StoredPin = ReadPin(PinKind::Parental);
    return;
  }
  StoredPin = ReadPin(row_->kind);
  if (row_->next && !NextState) NextState = VgFindClass(row_->next);
  ApplyTimeOut();
}

void EnterPinDialog::ApplyTimeOut() {
  if (!row_ || row_->timeOut != PinTimeOut::ThreeDTimerLock) return;
  // The 3D wizard's PIN waits a minute while the 3D timer lock runs and for
  // ever otherwise.
  OnSetTimeOutValue(MainApp::GetWrapper()->OnGetThreeDTimerLock() != 0 ? MenuTimeOut : 0);
}

void EnterPinDialog::CheckPassword(XObject* sender) {
  if (sender != &pin) return;
  ResetTimeout();
  // Without a stored PIN there is nothing to guard: any entry opens the way.
  if (VgGetStringLength(StoredPin) == 0 || VgCompString(pin.CurrentPin(), StoredPin) == 0) {
    messageLine.OnSetString(nullptr);
    EnterNextState();
    return;
  }
  VgPrint("PasswordIncorrect\n");
  pin.Clear();
  messageLine.OnSetString(VgGetVariantOfString(&Strings::SID_MSG_LOCKS_INCORRECT_PIN_CODE));
}

void EnterPinDialog::GoBack(XObject*) { EnterPrevState(); }

void EnterPinDialog::EnterNextState() {
  if (!row_ || !row_->next) {
    Close();
    return;
  }
  if (!NextState) {
    VgPrint("NonMenuSystem::EnterPinDialog: PIN type %d would open %s, which is not built\n", EnterPinType,
            row_->next);
    return;
  }
  const VgClass* back = row_->backOfNext ? VgFindClass(row_->backOfNext) : PrevState;
  if (row_->backOfNext && !back)
    VgPrint("NonMenuSystem::EnterPinDialog: %s, the way back of PIN type %d, is not built\n", row_->backOfNext,
            EnterPinType);
  Close();
  if (!NonMenuSystem) return;
  NonMenuSystem->OpenState(NextState, MakeOriginParam(row_->value), back);
}

}  // namespace NonMenuSystem
