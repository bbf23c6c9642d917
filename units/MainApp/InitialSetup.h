// MainApp::InitialSetup: the sub-system that drives the first-time setup
// wizard. It opens the wizard's dialogs one step after the other, keeps the
// wizard's step ("SetupStep" in the settings, 9 once done), shows the
// wizard's help bar and tells its owner when the wizard ends, completed or
// aborted.
#pragma once

#include <array>
#include <cstdint>

#include "SubSystem/SubSystemClass.h"
#include "vgobject.h"
#include "vgslot.h"
#include "vgstring.h"

namespace MainApp {

class InitialSetup : public SubSystem::SubSystemClass {
  VG_CLASS()

 public:
  explicit InitialSetup(XObject* link = nullptr) : SubSystem::SubSystemClass(link) {}

  static constexpr int32_t Steps = 10;
  // The dialog class of each step, indexed by step; empty entries have no
  // dialog of their own.
  static const std::array<const VgClass*, Steps> StepClasses;

  // Overridden slots.
  // Reads the stored step and opens its dialog, else the first step's.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  Primitives::KeyRoutingForm* ChangeState(SubSystem::State* state) override;
  // Closes the wizard's screens with it, so that none stays listed as open.
  void Close(XObject* sender = nullptr) override;

  // Slots the dialogs are bound to; the sender is the dialog.
  void StepForward(XObject* dialog);
  void StepBackward(XObject* dialog);
  void AbortSetup(XObject* sender = nullptr);
  void SetupDone(XObject* sender = nullptr);

  // Shows the help bar with a help type and its comma-separated labels,
  // opening it when it is not open.
  void UpdateHelp(int32_t type, VgString text);
  void ClearHelpBar();

  int32_t OnGetSetupStep() const { return SetupStep; }
  // Step 9 completes the wizard: it is stored and the settings backed up.
  void OnSetSetupStep(int32_t step);
  VgSlot OnGetOnCompleteSetup() const { return OnCompleteSetup; }
  void OnSetOnCompleteSetup(VgSlot slot) { OnCompleteSetup = slot; }

  int32_t SetupStep = 0;
  // Signalled once the wizard ends, by completion or abort.
  VgSlot OnCompleteSetup;
};

}  // namespace MainApp
