#include "ListForm/TimerHooks.h"

#include "AppServices/Wrapper.h"
#include "Constants/Constants.h"
#include "Core/Group.h"
#include "NonMenuSystem/DirectMessages.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "NonMenuSystem/WaitingCircle.h"
#include "NonMenuSystem/WidgetClass.h"
#include "SubSystem/Open.h"
#include "vgdebug.h"

namespace ListForm {

NonMenuSystem::WidgetClass* OwnerNamed(Core::View* view, const char* className, int32_t levels) {
  const VgClass* cls = VgFindClass(className);
  if (!cls || !view) return nullptr;
  Core::View* at = view;
  for (int32_t i = 0; i < levels && at; ++i) at = at->owner.get();
  if (!at || !VgCastObject(at, cls)) return nullptr;
  return vg_cast<NonMenuSystem::WidgetClass>(at);
}

NonMenuSystem::NonMenuSystem* OwnerSystem(Core::View* view, const char* className, int32_t levels) {
  NonMenuSystem::WidgetClass* owner = OwnerNamed(view, className, levels);
  return owner ? owner->NonMenuSystem.get() : nullptr;
}

Primitives::KeyRoutingForm* OpenTimerDialog(NonMenuSystem::NonMenuSystem* system, const char* className,
                                            int32_t value, const TimerEdit& edit,
                                            Primitives::KeyRoutingForm* asker) {
  Primitives::KeyRoutingForm* dialog = SubSystem::Open(
      system, className, {.value = value, .origin = Constants::MSG_FROM_NONMENUSYSTEM, .asker = asker});
  if (!dialog) return nullptr;
  dialog->NextState = nullptr;
  dialog->PrevState = nullptr;
  if (const TimerTarget* target = edit.target) {
    SkinBin::Wrapper* model = MainApp::GetWrapper();
    model->OnSetTimerSource(target->source);
    model->OnSetTimerChannel(target->channel);
    model->OnSetTimerMapId(target->mapId);
  }
  if (auto* editor = dynamic_cast<TimerEditor*>(dialog))
    editor->EditTimer(edit);
  else
    VgPrint("ListForm: %s takes no timer to edit\n", className);
  return dialog;
}

// The recorder answers -1 for a tuner that records without a timer or not at
// all, which is no timer of a row either.
bool IsRecordingNow(int32_t timerId) {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  return timerId >= 0 && (timerId == model->GetActiveTimer(0) || timerId == model->GetActiveTimer(1));
}

bool ClaimProgrammeTimer(NonMenuSystem::NonMenuSystem* system, bool hasTimer, int32_t timerId) {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  if (model->GetFirstAvailableTimerId() < 0 && !hasTimer) {
    system->ShowMessage(NonMenuSystem::DirectMsgTypeInvalidTimerId);
    return false;
  }
  if (hasTimer && IsRecordingNow(timerId)) {
    system->ShowMessage(NonMenuSystem::DirectMsgTypeActiveTimerId);
    return false;
  }
  if (hasTimer) model->OnSetActiveTimerId(timerId);
  return true;
}

void DeleteProgrammeTimer(int32_t timerId) {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  model->DB_CheckInTimerId(timerId);
  model->ResetTimer(timerId);
  model->DB_DeleteScheduledRecord(model->GetScheduleIdByTimerId(timerId));
}

GuideWaitingCircle::GuideWaitingCircle(Core::View* list) : system(OwnerSystem(list, kFullEPGDialog, 2)) {
  if (system) system->ShowWaitingCircle(1, NonMenuSystem::WaitingCircle::KindCircle);
}

GuideWaitingCircle::~GuideWaitingCircle() {
  if (system) system->ShowWaitingCircle(0, 0);
}

}  // namespace ListForm
