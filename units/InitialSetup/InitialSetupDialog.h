// InitialSetup::InitialSetupDialog: one step of the first-time setup wizard.
// It shows where the viewer is in the wizard and one setting with its
// choices, the current one marked. The up and down keys move the mark; OK or
// right stores the marked choice and goes on to the next step; back or left
// returns to the step before; the exit key abandons the wizard. The wizard's
// driver binds the four slots and chains the steps through NextState and
// PrevState.
#pragma once

#include <cstdint>

#include "Primitives/KeyRoutingForm.h"
#include "Views/Border.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"
#include "WidgetManager/Layers.h"
#include "vgobject.h"
#include "vgslot.h"
#include "vgstring.h"

namespace MainApp {
class InitialSetup;
}

namespace InitialSetup {

// What tells the steps apart: the step number, the setting it asks for, its
// window id and the steps around it.
struct SetupStepInfo {
  int32_t step;
  int32_t optionType;
  int32_t winId;
  const VgClass* prevState;
  const VgClass* nextState;
};

// The window ids of the steps: the first-time setup's group of ids, which
// turns the front-panel keys into navigation while a step is open.
inline constexpr int32_t WinIdLanguage = 0x4000001;
inline constexpr int32_t WinIdTimeZone = 0x4000002;
inline constexpr int32_t WinIdDaylightSaving = 0x4000003;
inline constexpr int32_t WinIdTunerSelect = 0x4000004;

// The wizard's steps in order.
extern const SetupStepInfo kSetupSteps[4];
inline constexpr int32_t kStepCount = 4;

// The wizard's screens take keys while it runs; they have a layer of their own,
// so that opening one step closes the step before.
inline constexpr int32_t kDialogLayer = Layers::MainMenu;

class InitialSetupDialog : public Primitives::KeyRoutingForm {
  VG_CLASS()

 public:
  explicit InitialSetupDialog(XObject* link = nullptr);

  static constexpr int32_t MaxChoices = 9;

  // Overridden slots.
  XObject* HandleEvent(Core::Event* event) override;
  // Reads the setting and its choices and lays the dialog out for them.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Shows the keys of the step in the wizard's help bar.
  void Open(XObject* sender = nullptr) override;
  void Refresh(XObject* sender = nullptr) override;

  // The top of the choices, under the caption, the step and the title.
  static const int32_t ChoicesTop;

  // Moves the mark by delta choices, stopping at the ends.
  void MoveChoice(int32_t delta);
  // Writes the marked choice to the setting.
  virtual void StoreChoice();

  ::MainApp::InitialSetup* OnGetInitialSetup() const { return InitialSetup; }
  void OnSetInitialSetup(::MainApp::InitialSetup* value) { InitialSetup = value; }
  int32_t OnGetSetupStep() const { return SetupStep; }
  void OnSetSetupStep(int32_t value) { SetupStep = value; }
  VgSlot OnGetOnNextStep() const { return OnNextStep; }
  void OnSetOnNextStep(VgSlot slot) { OnNextStep = slot; }
  VgSlot OnGetOnPrevStep() const { return OnPrevStep; }
  void OnSetOnPrevStep(VgSlot slot) { OnPrevStep = slot; }
  VgSlot OnGetOnAbortSetup() const { return OnAbortSetup; }
  void OnSetOnAbortSetup(VgSlot slot) { OnAbortSetup = slot; }
  VgSlot OnGetOnCompleteSetup() const { return OnCompleteSetup; }
  void OnSetOnCompleteSetup(VgSlot slot) { OnCompleteSetup = slot; }

  VgPtr<::MainApp::InitialSetup> InitialSetup;
  int32_t SetupStep = 0;
  VgSlot OnNextStep;
  VgSlot OnPrevStep;
  VgSlot OnAbortSetup;
  VgSlot OnCompleteSetup;
  // The setting of this step (an option id) and its choices.
  int32_t OptionType = 0;
  int32_t ChoiceCount = 0;
  int32_t ChoiceIndex = 0;

  Views::Rectangle panel{this};
  Views::Border border{this};
  Views::Text caption{this};
  Views::Text stepText{this};
  Views::Text title{this};
  Views::Rectangle marker{this};
  VgPtrArray<Views::Text, MaxChoices> choices;

 protected:
  // Takes over the step's setting, window id and neighbours.
  void SetStep(const SetupStepInfo& info);
};

}  // namespace InitialSetup
