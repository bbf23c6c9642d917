#include "recording_host.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "AppServices/MessageAgent.h"
#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "Forms/Form.h"
#include "NonMenuSystem/DirectMessageBar.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Primitives/MessageDelivery.h"
#include "Structures/LocalTime.h"
#include "Wrapper/TimerRecord.h"
#include "db.h"
#include "simtv.h"
#include "vgcalendar.h"
#include "xpm.h"

VG_DEFINE_CLASS(Record, EPGRecordTimerDialog, NonMenuSystem::WidgetClass)

namespace RecordingTest {

void TimerDialog::EditTimer(const ListForm::TimerEdit& edit) {
  ++edits;
  last = edit;
  startSeconds = edit.start ? ::Wrapper::SecondsOf(edit.start) : -1;
  caption = edit.caption;
  last.start = nullptr;
  last.caption = nullptr;
}

int64_t LocalSeconds(int year, int month, int day, int hour, int minute) {
  struct tm parts {};
  parts.tm_year = year - 1900;
  parts.tm_mon = month - 1;
  parts.tm_mday = day;
  parts.tm_hour = hour;
  parts.tm_min = minute;
  return VgLocalSeconds(parts);
}

void RecordingFixture::SetUp() {
  ListFixture::SetUp();
  std::string pattern = (std::filesystem::temp_directory_path() / "tvui-lists-XXXXXX").string();
  dir = mkdtemp(pattern.data());
  setenv("TVUI_ROOT", dir.c_str(), 1);
  UseModel();
  simtv_db_clear_programmes();
  simtv_tv_set_local_time(Now());
  Agent::SetMessageDelivery(&Primitives::DeliverMessage);
  VgLockObject(MainApp::GetWidgetManager());
  VgLockObject(MainApp::GetMessageAgent());

  system = VgNew<NonMenuSystem::NonMenuSystem>();
  auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
  parameter->Parent = top;
  system->Initialize(parameter);
  system->Open();
  top->OnSetFocus(system);
  VgProcessSignals();
}

void RecordingFixture::TearDown() {
  system->Close();
  MainApp::GetWidgetManager()->Clear();
  VgUnlockObject(MainApp::GetMessageAgent());
  VgUnlockObject(MainApp::GetWidgetManager());
  ListFixture::TearDown();
  std::filesystem::remove_all(dir);
  unsetenv("TVUI_ROOT");
}

void RecordingFixture::HoldIn(const VgClass* cls, ListForm::ListBase* list, int32_t levels) {
  screen = vg_cast<NonMenuSystem::WidgetClass>(system->OpenState(cls, nullptr));
  ASSERT_NE(screen, nullptr);
  screen->OnSetBounds({0, 0, 960, 540});
  Core::Group* holder = screen;
  if (levels == 2) {
    // Where the guide's channel form holds its programme column.
    auto* form = VgNew<Forms::Form>();
    form->OnSetBounds({40, 80, 600, 340});
    screen->Add(form, 0);
    screen->OnSetFocus(form);
    holder = form;
  }
  if (list->OnActivateOption.IsNull()) list->OnSetOnActivateOption(host->Recorder("OnActivateOption"));
  if (list->OnFocusOption.IsNull()) list->OnSetOnFocusOption(host->Recorder("OnFocusOption"));
  if (list->FocusMove.IsNull()) list->OnSetFocusMove(host->Recorder("FocusMove"));
  holder->Add(list, 0);
  holder->OnSetFocus(list);
  system->OnSetFocus(screen);
  auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
  parameter->OnSetParent(holder);
  list->Initialize(parameter);
  VgProcessSignals();
}

int32_t RecordingFixture::MessageShown() const {
  for (Core::View* view = system->firstView; view; view = view->nextView)
    if (auto* bar = vg_cast<NonMenuSystem::DirectMessageBar>(view)) return bar->ParamValue;
  return 0;
}

void RecordingFixture::CloseMessages() {
  for (Core::View* view = system->firstView; view;) {
    Core::View* next = view->nextView;
    if (auto* bar = vg_cast<NonMenuSystem::DirectMessageBar>(view)) bar->Close();
    view = next;
  }
  system->OnSetFocus(screen);
  VgProcessSignals();
}


void RecordingFixture::AddTimer(const TimerDef& t) {
  XPM_TimerInfo info{};
  info.enabled = t.enabled;
  info.source = t.tuner;
  info.major = t.major;
  info.minor = t.minor;
  info.duration = t.minutes * 60;
  info.timesType = t.timesType;
  info.sourceType = t.sourceType;
  info.startEarly = t.startEarly;
  info.endDelay = t.endDelay;
  info.mapId = model->OnGetAntCableIn();
  info.start = VgLocalParts(t.start);
  ASSERT_EQ(XPM_SetTimer(t.id, &info), 0) << "timer " << t.id;
  DB_ScheduledShow show{};
  show.timerId = t.id;
  show.enabled = t.enabled;
  show.tuner = t.tuner;
  show.major = t.major;
  show.minor = t.minor;
  show.startTime = static_cast<int32_t>(t.start);
  show.duration = info.duration;
  show.repetition = t.timesType;
  show.mapId = info.mapId;
  std::snprintf(show.title, sizeof show.title, "%s", t.title);
  std::snprintf(show.station, sizeof show.station, "%s", t.title);
  ASSERT_EQ(DB_Insert_Scheduled_Data(t.id, &show), 0);
  DB_Check_Out_Timer_Id(t.id);
}

void RecordingFixture::AddProgrammes(int32_t major, int32_t minor, int32_t count, int64_t start, const char* theme) {
  int32_t medium = 0;
  XPM_GetMedium(&medium);
  for (int32_t i = 0; i < count; ++i) {
    DB_EventRecord e{};
    std::snprintf(e.title, sizeof e.title, "Programme %d", i);
    std::snprintf(e.description, sizeof e.description, "About programme %d.", i);
    e.startTime = static_cast<int32_t>(start + 1800 * i);
    e.duration = 30;
    simtv_db_add_event(medium, major, minor, "ST", theme, &e);
  }
}

bool RecordingFixture::CircleCameAndWent() const { return system->waitingCircle && !system->waitingCircle->owner; }

void RecordingFixture::Watch(int32_t major, int32_t minor) {
  XPM_CurrentChannelInfo current{};
  current.major = major;
  current.minor = minor;
  std::snprintf(current.name, sizeof current.name, "ST %d-%d", major, minor);
  simtv_tv_set_current_channel_info(0, &current);
  simtv_av_set_channel(0, major, minor);
}

}  // namespace RecordingTest
