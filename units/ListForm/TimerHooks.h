// How the recording and guide lists reach the screens around them: the
// screen that holds a list, found by its class name (the screens' units
// build on this one, so the lists cannot name their classes), the timer
// dialogs they open through that screen's sub-system, the checks before a
// timer may be edited, and the full guide's waiting circle.
#pragma once

#include <cstdint>

#include "vgstring.h"

namespace Core {
class View;
}
namespace NonMenuSystem {
class NonMenuSystem;
class WidgetClass;
}  // namespace NonMenuSystem
namespace Primitives {
class KeyRoutingForm;
}
namespace Structures {
class LocalTime;
}

namespace ListForm {

// The owners the lists look for.
inline constexpr char kScheduledRecordDialog[] = "Record::ScheduledRecordDialog";
inline constexpr char kFullEPGDialog[] = "Channels::FullEPGDialog";
// The timer dialogs they open.
inline constexpr char kRecordTimerDialog[] = "Record::RecordTimerDialog";
inline constexpr char kEPGRecordTimerDialog[] = "Record::EPGRecordTimerDialog";

// The screen of that class that holds the view, so many owners up (1: the
// group the view is in); null when the view sits elsewhere or no such class
// is built.
NonMenuSystem::WidgetClass* OwnerNamed(Core::View* view, const char* className, int32_t levels);
// The sub-system of that screen, null without one.
NonMenuSystem::NonMenuSystem* OwnerSystem(Core::View* view, const char* className, int32_t levels);

// The tuner setting of a timer that records on the second tuner.
inline constexpr int32_t kSecondTunerTimerSource = 29;

// Where a programme's timer records, for a list whose programmes are of
// several channels.
struct TimerTarget {
  int32_t source = 0;
  int32_t channel = 0;  // major and minor as SkinBin::Wrapper::UniteChannelNum packs them
  int32_t mapId = 0;
};

// What a timer dialog takes from the list that opened it.
struct TimerEdit {
  // The timer exists already, and may be deleted from the dialog.
  bool isUpdate = false;
  bool canDelete = false;
  const Structures::LocalTime* start = nullptr;
  int32_t durationSeconds = 0;
  // The programme's title; null leaves the dialog's caption.
  VgString caption = nullptr;
  // Written into the timer being edited before the dialog takes the edit;
  // none keeps the channel the dialog finds.
  const TimerTarget* target = nullptr;
};

// The role of the timer dialogs: they take the edit, clear any state link of
// their own besides NextState and PrevState (which the opener clears), and
// then apply their source type.
class TimerEditor {
 public:
  virtual void EditTimer(const TimerEdit& edit) = 0;

 protected:
  ~TimerEditor() = default;
};

// Opens the timer dialog of that class name through the sub-system with the
// value and the non-menu origin, and hands it the edit. The dialog answers
// the asker (the list whose row it edits) and closes when the asker closes.
// The dialog, or null when none opened (a dialog not built is logged by the
// opener).
Primitives::KeyRoutingForm* OpenTimerDialog(NonMenuSystem::NonMenuSystem* system, const char* className,
                                            int32_t value, const TimerEdit& edit,
                                            Primitives::KeyRoutingForm* asker);

// Whether the timer records on either tuner now; such a timer is not edited.
bool IsRecordingNow(int32_t timerId);
// The checks before a programme's timer is edited, with the message that
// says why not: 44 when a programme without a timer finds no free timer id,
// 51 when its timer records now. On success the programme's timer (or the
// free id for a new one) is the one being edited.
bool ClaimProgrammeTimer(NonMenuSystem::NonMenuSystem* system, bool hasTimer, int32_t timerId);
// A programme's timer deleted: its id back to the pool, the timer reset and
// its schedule row gone.
void DeleteProgrammeTimer(int32_t timerId);

// Shows the waiting circle of the full guide that holds the list (two owners
// up) for as long as it lives; nothing when the list sits elsewhere.
class GuideWaitingCircle {
 public:
  explicit GuideWaitingCircle(Core::View* list);
  ~GuideWaitingCircle();
  GuideWaitingCircle(const GuideWaitingCircle&) = delete;
  GuideWaitingCircle& operator=(const GuideWaitingCircle&) = delete;

 private:
  NonMenuSystem::NonMenuSystem* system = nullptr;
};

}  // namespace ListForm
