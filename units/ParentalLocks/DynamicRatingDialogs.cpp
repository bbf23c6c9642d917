#include "ParentalLocks/DynamicRatingDialogs.h"

#include <algorithm>

#include "Core/KeyEvent.h"
#include "NonMenuSystem/ConfirmOptionDialog.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "ParentalLocks/RatingTableDialog.h"
#include "SkinBin/UserRefInt.h"
#include "Strings.h"
#include "SubSystem/Open.h"
#include "WinIDs/WinIDs.h"
#include "vgresmap.h"
#include "vgslot.h"

VG_DEFINE_CLASS(ParentalLocks, EditDynamicRatings, ::NonMenuSystem::QORWidgetClass)
VG_DEFINE_CLASS(ParentalLocks, RRTDimensionDialog, ::NonMenuSystem::QORWidgetClass)
VG_DEFINE_CLASS(ParentalLocks, RRTLevelDialog, ::NonMenuSystem::QORWidgetClass)

namespace ParentalLocks {

namespace {

constexpr int32_t kHelpHeight = 30;
constexpr int32_t kButtonWidth = 160;
constexpr int32_t kButtonHeight = 40;
constexpr int32_t kGap = 10;

// The dialog fitted round its list (at least as wide as its caption needs),
// with a help line below; returns the help line's top.
int32_t FitAround(NonMenuSystem::QORWidgetClass* dialog, Core::Group* list, int32_t below) {
  const int32_t top = dialog->ContentTop();
  const int32_t left = dialog->FrameWidth;
  const int32_t listW = std::max(VgGetRectW(list->Bounds), 0);
  const int32_t listH = list->Visible ? std::max(VgGetRectH(list->Bounds), 0) : 0;
  const int32_t width = std::max(listW, 320) + 2 * left;
  const int32_t helpTop = top + listH + kGap + below;
  dialog->OnSetBounds({dialog->Bounds.x1, dialog->Bounds.y1, dialog->Bounds.x1 + width,
                       dialog->Bounds.y1 + helpTop + kHelpHeight + dialog->FrameWidth});
  const int32_t x = (width - listW) / 2;
  list->OnSetBounds({x, top, x + listW, top + VgGetRectH(list->Bounds)});
  return helpTop;
}

}  // namespace

// ------------------------------------------------------------ the grid

EditDynamicRatings::EditDynamicRatings(XObject* link) : ListHost(link) {
  WinID = WinIDs::WIN_ID_EditDynamicRatings;
  OnSetCaption(VgGetVariantOfString(&Strings::RatingLocksMenuDownloadable));
  list.OnSetFocusMove(VgSlotOf<&EditDynamicRatings::DoFocusMove>(this));
  list.OnSetOnFocusOption(VgSlotOf<&EditDynamicRatings::DoFocusMove>(this));
  saveButton.OnSetText(VgGetVariantOfString(&Strings::SID_SAVE));
  NonMenuSystem::ConfirmOptionDialog::StyleButton(&saveButton);
  saveButton.OnSetOnActivate(VgSlotOf<&EditDynamicRatings::DoApply>(this));
  Add(&saveButton, 0);
  StyleHelpLine(helpLine);
  Add(&helpLine, 0);
}

void EditDynamicRatings::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ListHost::Initialize(parameter);
  const int32_t helpTop = FitAround(this, &list, kButtonHeight + kGap);
  const int32_t x = (VgGetRectW(Bounds) - kButtonWidth) / 2;
  const int32_t buttonTop = helpTop - kButtonHeight - kGap;
  saveButton.OnSetBounds({x, buttonTop, x + kButtonWidth, buttonTop + kButtonHeight});
  helpLine.OnSetBounds({ContentLeft(), helpTop, ContentRight(), helpTop + kHelpHeight});
  // Without a level to edit there is only Save.
  if (!list.Visible) OnSetFocus(&saveButton);
  // The rows take their levels in the next signal pass; the help line after.
  VgPostSignal(VgSlotOf<&EditDynamicRatings::DoFocusMove>(this));
}

XObject* EditDynamicRatings::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (key && key->down && key->keyCode == Key::Down && Focus.get() == &list) {
    OnSetFocus(&saveButton);
    DoFocusMove();
    return this;
  }
  if (key && key->down && key->keyCode == Key::Up && Focus.get() == &saveButton && list.Visible) {
    OnSetFocus(&list);
    DoFocusMove();
    return this;
  }
  return ListHost::HandleEvent(event);
}

void EditDynamicRatings::DoFocusMove(XObject*) {
  ResetTimeout();
  helpLine.OnSetString(Focus.get() == &list ? list.GetButtonHelp() : nullptr);
}

void EditDynamicRatings::DoApply(XObject*) {
  list.ApplyRRT();
  GoBack();
}

// ------------------------------------------------------------ the QOR pair

RRTDimensionDialog::RRTDimensionDialog(XObject* link) : ListHost(link) {
  WinID = WinIDs::WIN_ID_RRTDimensionDialog;
  OnSetCaption(VgGetVariantOfString(&Strings::RatingLocksMenuDownloadable));
  list.OnSetOnOpenDimension(VgSlotOf<&RRTDimensionDialog::DoOpenDimension>(this));
}

void RRTDimensionDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  auto* ref = vg_cast<SkinBin::UserRefInt>(parameter ? parameter->Param.get() : nullptr);
  const bool returned = ref && ref->Flag;
  list.KeepScratch = returned;
  list.FocusDimension = returned ? ref->Value : 0;
  ListHost::Initialize(parameter);
  FitAround(this, &list, 0);
}

XObject* RRTDimensionDialog::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (key && key->down && key->keyCode == Key::Back) ListForm::ApplyRatingChanges();
  return ListHost::HandleEvent(event);
}

void RRTDimensionDialog::DoOpenDimension(XObject* sender) {
  auto* row = vg_cast<ListForm::QORRRTDimensionItem>(sender);
  if (!row || !NonMenuSystem) return;
  ::NonMenuSystem::NonMenuSystem* system = NonMenuSystem;
  Close();
  auto* levels = vg_cast<RRTLevelDialog>(SubSystem::Open(
      system, {.screen = &RRTLevelDialog::Class, .back = GetClass(), .value = row->Index, .origin = OriginTag()}));
  if (levels) levels->DimensionBack = PrevState;
}

RRTLevelDialog::RRTLevelDialog(XObject* link) : ListHost(link) {
  WinID = WinIDs::WIN_ID_RRTLevelDialog;
  list.OnSetOnFocusOption(VgSlotOf<&RRTLevelDialog::ShowHelp>(this));
  list.OnSetFocusMove(VgSlotOf<&RRTLevelDialog::ShowHelp>(this));
  StyleHelpLine(helpLine);
  Add(&helpLine, 0);
}

void RRTLevelDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  auto* ref = vg_cast<SkinBin::UserRefInt>(parameter ? parameter->Param.get() : nullptr);
  list.Dimension = ref ? ref->Value : 0;
  ListHost::Initialize(parameter);
  OnSetCaption(ListForm::DimensionName(list.Dimension));
  const int32_t helpTop = FitAround(this, &list, 0);
  helpLine.OnSetBounds({ContentLeft(), helpTop, ContentRight(), helpTop + kHelpHeight});
  VgPostSignal(VgSlotOf<&RRTLevelDialog::ShowHelp>(this));
}

void RRTLevelDialog::EnterPrevState() {
  ::NonMenuSystem::NonMenuSystem* system = NonMenuSystem;
  Close();
  if (!system || !PrevState) return;
  auto* back = vg_cast<SkinBin::UserRefInt>(MakeOriginParam(list.Dimension));
  back->Flag = true;
  system->OpenState(PrevState, back, DimensionBack);
}

void RRTLevelDialog::ShowHelp(XObject*) {
  ResetTimeout();
  helpLine.OnSetString(list.GetButtonHelp());
}

}  // namespace ParentalLocks
