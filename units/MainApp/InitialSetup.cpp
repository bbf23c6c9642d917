#include "MainApp/InitialSetup.h"

#include <vector>

#include "AppServices/PersistentData.h"
#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "InitialSetup/DaylightSavingDialog.h"
#include "InitialSetup/HelpBar.h"
#include "InitialSetup/InitialSetupDialog.h"
#include "InitialSetup/LanguageDialog.h"
#include "InitialSetup/TimeZoneDialog.h"
#include "InitialSetup/TunerSelectDialog.h"
#include "MainApp/Root.h"
#include "NonMenuSystem/WidgetClass.h"
#include "Primitives/KeyRoutingParameter.h"
#include "SubSystem/Open.h"
#include "WinIDs/WinIDs.h"
#include "vgdebug.h"

VG_DEFINE_CLASS(MainApp, InitialSetup, SubSystem::SubSystemClass)

namespace MainApp {

const std::array<const VgClass*, InitialSetup::Steps> InitialSetup::StepClasses = {
    nullptr,
    &::InitialSetup::LanguageDialog::Class,
    &::InitialSetup::TimeZoneDialog::Class,
    &::InitialSetup::DaylightSavingDialog::Class,
    &::InitialSetup::TunerSelectDialog::Class,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
};

namespace {

// A widget without a place of its own stands this far above the centre.
constexpr int32_t kWidgetRaise = 18;

SubSystem::State* StateOf(const VgClass* cls) { return SubSystem::MakeState({.screen = cls}); }

VgRect Centred(::SkinBin::Wrapper* wrapper, VgRect bounds) {
  const VgPoint at =
      wrapper->GetCenterPosition(Root::ScreenWidth, Root::ScreenHeight, VgGetRectW(bounds), VgGetRectH(bounds));
  return VgSetRectOrigin(bounds, at);
}

}  // namespace

void InitialSetup::Initialize(Primitives::KeyRoutingParameter* parameter) {
  SubSystem::SubSystemClass::Initialize(parameter);
  OnSetBounds({0, 0, Root::ScreenWidth, Root::ScreenHeight});
  SetupStep = GetPersistentData()->GetInteger(VgNewString(kSetupStepKey));
  const VgClass* first = StepClasses[1];
  if (SetupStep >= 1 && SetupStep < Steps && StepClasses[size_t(SetupStep)]) first = StepClasses[size_t(SetupStep)];
  ChangeState(StateOf(first));
}

Primitives::KeyRoutingForm* InitialSetup::ChangeState(SubSystem::State* state) {
  if (!state || (!state->ClassRef && !state->Instance)) return nullptr;
  Primitives::KeyRoutingForm* form = ScreenOf(state, "MainApp::InitialSetup.ChangeState");
  if (!form) return nullptr;
  if (form->SubSystemClass != &InitialSetup::Class) return form;

  if (state->Back && !form->PrevState) form->PrevState = state->Back;
  if (state->Next && !form->NextState) form->NextState = state->Next;
  auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
  parameter->Parent = this;
  parameter->Param = state->Param;
  form->Initialize(parameter);

  ::SkinBin::Wrapper* wrapper = GetWrapper();
  if (auto* dialog = vg_cast<::InitialSetup::InitialSetupDialog>(form)) {
    dialog->InitialSetup = this;
    dialog->OnSetBounds(Centred(wrapper, dialog->Bounds));
    dialog->OnNextStep = VgSlotOf<&InitialSetup::StepForward>(this);
    dialog->OnPrevStep = VgSlotOf<&InitialSetup::StepBackward>(this);
    dialog->OnAbortSetup = VgSlotOf<&InitialSetup::AbortSetup>(this);
    dialog->OnCompleteSetup = VgSlotOf<&InitialSetup::SetupDone>(this);
    dialog->Open();
    ::SubSystem::KeyOwner::Get()->Request(dialog, ::SubSystem::KeyOwner::Reason::Opened);
    OnSetSetupStep(dialog->SetupStep);
  } else if (auto* widget = vg_cast<::NonMenuSystem::WidgetClass>(form)) {
    const VgPoint origin = widget->WidgetOrigin;
    if (origin.x != -1 || origin.y != -1) {
      widget->OnSetBounds(VgSetRectOrigin(widget->Bounds, origin));
    } else {
      VgRect centred = Centred(wrapper, widget->Bounds);
      widget->OnSetBounds(VgSetRectOrigin(centred, {centred.x1, centred.y1 - kWidgetRaise}));
    }
    widget->Open();
    if (widget->FocusOnOpen) ::SubSystem::KeyOwner::Get()->Request(widget, ::SubSystem::KeyOwner::Reason::Opened);
  }
  return form;
}

void InitialSetup::Close(XObject* sender) {
  std::vector<Primitives::KeyRoutingForm*> screens;
  for (Core::View* view = firstView; view; view = view->nextView)
    if (auto* form = vg_cast<Primitives::KeyRoutingForm>(view)) screens.push_back(form);
  for (Primitives::KeyRoutingForm* form : screens) form->Close();
  SubSystem::SubSystemClass::Close(sender);
}

void InitialSetup::StepForward(XObject* sender) {
  auto* dialog = vg_cast<Primitives::KeyRoutingForm>(sender);
  if (!dialog) return;
  if (dialog->NextState) {
    ChangeState(StateOf(dialog->NextState));
  } else {
    VgSignal(VgSlotOf<&InitialSetup::SetupDone>(this), this);
  }
}

void InitialSetup::StepBackward(XObject* sender) {
  auto* dialog = vg_cast<Primitives::KeyRoutingForm>(sender);
  if (dialog && dialog->PrevState) ChangeState(StateOf(dialog->PrevState));
}

void InitialSetup::OnSetSetupStep(int32_t step) {
  SetupStep = step;
  if (step != kSetupComplete) return;
  ::PersistentData::PersistentData* settings = GetPersistentData();
  VgString key = VgNewString(kSetupStepKey);
  if (settings->GetInteger(key) == kSetupComplete) return;
  settings->PutInteger(key, kSetupComplete);
  settings->Backup();
}

void InitialSetup::SetupDone(XObject*) {
  OnSetSetupStep(kSetupComplete);
  GetWrapper()->SetExtOutputMute(false);
  VgSignal(OnCompleteSetup, this);
}

void InitialSetup::AbortSetup(XObject*) {
  OnSetSetupStep(1);
  VgSignal(OnCompleteSetup, this);
}

void InitialSetup::UpdateHelp(int32_t type, VgString text) {
  auto* bar = vg_cast<::InitialSetup::HelpBar>(GetWidgetManager()->FindForm(WinIDs::WIN_ID_HelpBar));
  if (!bar) bar = vg_cast<::InitialSetup::HelpBar>(ChangeState(StateOf(&::InitialSetup::HelpBar::Class)));
  if (!bar) return;
  bar->OnSetHelpType(type);
  bar->OnSetHelpText(text);
  bar->UpdateHelp();
}

void InitialSetup::ClearHelpBar() {
  if (auto* bar = vg_cast<::NonMenuSystem::HelpBar>(GetWidgetManager()->FindForm(WinIDs::WIN_ID_HelpBar)))
    bar->Close();
}

}  // namespace MainApp
