#include "InitialSetup/TimeZoneDialog.h"

#include "Core/KeyEvent.h"
#include "Primitives/KeyRoutingParameter.h"
#include "SkinBin/UserRefInt.h"
#include "vgslot.h"

VG_DEFINE_CLASS(InitialSetup, TimeZoneDialog, InitialSetup::InitialSetupDialog)

namespace InitialSetup {

namespace {

constexpr int32_t kBottomMargin = 24;

}  // namespace

TimeZoneDialog::TimeZoneDialog(XObject* link) : InitialSetupDialog(link) {
  SetStep(kSetupSteps[1]);
  zones.OnSetOnValueChanged(VgSlotOf<&TimeZoneDialog::DoZoneChosen>(this));
  Add(&zones, 0);
}

void TimeZoneDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  InitialSetupDialog::Initialize(parameter);
  // The list shows the zones; the dialog's own choice rows stay empty.
  ChoiceCount = 0;
  auto* option = VgNew<SkinBin::UserRefInt>();
  option->Value = OptionType;
  auto* own = VgNew<Primitives::KeyRoutingParameter>();
  own->Parent = this;
  own->Param = option;
  zones.Initialize(own);
  OnSetFocus(&zones);
  const int32_t height = ChoicesTop + VgGetRectH(zones.Bounds) + kBottomMargin;
  OnSetBounds({Bounds.x1, Bounds.y1, Bounds.x2, Bounds.y1 + height});
  Refresh();
}

void TimeZoneDialog::Refresh(XObject* sender) {
  InitialSetupDialog::Refresh(sender);
  const int32_t w = VgGetRectW(zones.Bounds);
  const int32_t x = (VgGetRectW(Bounds) - w) / 2;
  zones.OnSetBounds({x, ChoicesTop, x + w, ChoicesTop + VgGetRectH(zones.Bounds)});
}

XObject* TimeZoneDialog::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  // Right takes the focused zone as OK does.
  if (key && key->down && key->keyCode == Key::Right) {
    zones.DoActivate(nullptr);
    ResetTimeout();
    return this;
  }
  return InitialSetupDialog::HandleEvent(event);
}

void TimeZoneDialog::DoZoneChosen(XObject*) { VgSignal(OnNextStep, this); }

}  // namespace InitialSetup
