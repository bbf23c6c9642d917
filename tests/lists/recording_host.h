// What the tests of the recording and guide lists share: the simulated set
// at a known local time with its disk, timers, schedule rows, guide
// programmes and recordings built to order; the non-menu sub-system with the
// screen that holds a list (a Record::ScheduledRecordDialog, or a
// Channels::FullEPGDialog with a form between it and the list); and a
// stand-in of the guide's timer dialog, which notes the edit.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "ListForm/TimerHooks.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "NonMenuSystem/WidgetClass.h"
#include "list_host.h"

namespace RecordingTest {

// A timer dialog as the lists meet it.
class TimerDialog : public NonMenuSystem::WidgetClass, public ListForm::TimerEditor {
 public:
  // Over the screen that opens it, which stays open below.
  TimerDialog() { Layer = 64; }
  void EditTimer(const ListForm::TimerEdit& edit) override;

  int32_t edits = 0;
  ListForm::TimerEdit last;
  int64_t startSeconds = -1;
  VgStr caption;
};

}  // namespace RecordingTest

// The guide's timer dialog, which the lists open by name.
namespace Record {
class EPGRecordTimerDialog : public RecordingTest::TimerDialog {
  VG_CLASS()
};
}  // namespace Record

namespace RecordingTest {

// Seconds since 1970 of a local date and time.
int64_t LocalSeconds(int year, int month, int day, int hour, int minute);

struct TimerDef {
  int32_t id = 1;
  int32_t major = 7;
  int32_t minor = 1;
  int64_t start = 0;
  int32_t minutes = 30;
  int32_t timesType = 4;
  int32_t sourceType = 1;
  bool enabled = true;
  int32_t tuner = 0;
  int32_t startEarly = 0;  // seconds
  int32_t endDelay = 0;    // seconds
  const char* title = "Timer";
};

class RecordingFixture : public ListTest::ListFixture {
 protected:
  // Sunday 3 January 2021, 20:00 local time.
  static int64_t Now() { return LocalSeconds(2021, 1, 3, 20, 0); }

  void SetUp() override;
  void TearDown() override;

  // A stored timer with its schedule row and its id checked out.
  void AddTimer(const TimerDef& t);
  // count programmes of 30 minutes on a channel of the current medium, the
  // first starting at start; "Programme 0", "Programme 1"...
  void AddProgrammes(int32_t major, int32_t minor, int32_t count, int64_t start, const char* theme = "");
  // Puts the main window on a channel.
  void Watch(int32_t major, int32_t minor);

  // The screen of that class in the sub-system, holding the list (with a
  // form between them when levels is 2), focused all the way down.
  // In the host form, as ListFixture::Embed.
  template <class L>
  L* Embed(L* list) {
    top->OnSetFocus(host);
    return ListFixture::Embed(list);
  }
  template <class L>
  L* EmbedIn(const VgClass* screen, L* list, int32_t levels = 1) {
    HoldIn(screen, list, levels);
    embedded = list;
    return list;
  }
  // The full guide's waiting circle was made for a load and is gone again.
  bool CircleCameAndWent() const;
  // The direct message on screen; 0 without one.
  int32_t MessageShown() const;
  // Closes the direct messages and gives the focus back to the screen.
  void CloseMessages();
  // The screen of that class the sub-system opened, null without one.
  template <class D>
  D* Opened() const {
    for (Core::View* view = system->firstView; view; view = view->nextView)
      if (auto* form = vg_cast<D>(view)) return form;
    return nullptr;
  }

  NonMenuSystem::NonMenuSystem* system = nullptr;
  NonMenuSystem::WidgetClass* screen = nullptr;

 private:
  void HoldIn(const VgClass* cls, ListForm::ListBase* list, int32_t levels);
  std::string dir;
};

}  // namespace RecordingTest
