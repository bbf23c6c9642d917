// modeldump: prints what the screens would show of the simulated television:
// the clock, channels, the guide, the current channel, timers, scheduled and
// recorded shows, USB storage, the downloadable rating region, HDMI-CEC
// devices, the network, 3D and the network applications.
//
//   modeldump           a set in everyday use
//   modeldump --fresh   a set fresh from the factory
//
// It writes nothing but what it prints: the simulated set keeps its files
// (the demo set's recordings on its USB disk) in a folder that the tool
// makes for the run and removes after it, never in the folder it runs from
// nor in a set's folder that TVUI_ROOT names. The dump runs in a child
// process, and this one removes the folder however the child ends (a closed
// pipe, a crash, Ctrl-C or SIGTERM, which it passes on to the child): only
// SIGKILL, which no program can catch, leaves it behind.
//
// Output that cannot be written (a full disk) ends it with status 1, saying
// so; a reader that went away (modeldump | head -1) ends it quietly with 1.
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <system_error>

#include "SkinBin/Wrapper.h"
#include "db.h"
#include "simtv.h"
#include "vgstring.h"
#include "xpm.h"
#include "stdout_written.h"

namespace {

std::string Text(VgString s) { return s ? VgStringToUtf8(s) : std::string("(none)"); }

std::string Time(const Structures::LocalTime* t) {
  if (!t) return "--";
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  char text[40];
  std::snprintf(text, sizeof text, "%s %04d-%02d-%02d %02d:%02d", kDays[(t->WeekDay % 7 + 7) % 7], t->Year + 1900,
                t->Month + 1, t->Day, t->Hour, t->Minute);
  return text;
}

std::string Address(uint32_t a) {
  char text[20];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", a >> 24, (a >> 16) & 0xFF, (a >> 8) & 0xFF, a & 0xFF);
  return text;
}

void Heading(const char* title) { std::printf("\n== %s\n", title); }

void DumpChannels(SkinBin::Wrapper* model, SkinBin::ChannelListData* list, const char* title) {
  Heading(title);
  for (int32_t i = 0; i < list->GetNumChannels(); ++i) {
    const SkinBin::ChannelData* c = list->GetChannel(i);
    if (!c) continue;
    std::printf("  %-8s %-12s RF %-3d %s%s%s\n",
                Text(model->GetChannelNumberStr(c->Digital, c->Major, c->Minor)).c_str(), Text(c->Name).c_str(),
                c->PhysicalChannel, c->Digital ? "digital" : "analog", c->Lock ? ", locked" : "",
                c->Ring ? ", favourite" : "");
  }
  if (list->GetNumChannels() == 0) std::printf("  (no channels)\n");
}

void DumpGuide(SkinBin::Wrapper* model, SkinBin::ChannelListData* guideChannels) {
  Heading("Guide (next three programmes)");
  auto* guide = VgNew<SkinBin::EPGEventsInfo_DB>();
  model->OnSetEPGProgramList(guide);
  auto* channel = VgNew<Structures::VirtualChannel>();
  for (int32_t i = 0; i < guideChannels->GetNumChannels(); ++i) {
    const SkinBin::ChannelData* c = guideChannels->GetChannel(i);
    if (!c) continue;
    channel->Major = c->Major;
    channel->Minor = c->Minor;
    guide->GetEventInfoByCount(channel, 3);
    std::printf("  %s %s\n", Text(model->GetChannelNumberStr(c->Digital, c->Major, c->Minor)).c_str(),
                Text(c->Name).c_str());
    for (int32_t e = 0; e < guide->GetNumEvents(); ++e) {
      const Structures::EventInfo* event = guide->GetEvent(e);
      std::printf("    %s  %3d min  %-22s %s\n", Time(event->StartTime).c_str(), event->Duration,
                  Text(event->Title).c_str(),
                  Text(model->GetUsRatingName(model->GetUsRatingIndex(event->Rating1))).c_str());
    }
    if (guide->GetNumEvents() == 0) std::printf("    (no guide data)\n");
  }
}

void DumpCurrent(SkinBin::Wrapper* model) {
  Heading("Current channel");
  SkinBin::CurrentChannelInfo* detail = model->GetCurrentChannelDetailInfo();
  std::printf("  %s %s  service %d  captions %s  rating %s\n",
              Text(model->GetChannelNumberStr(detail->Digital, detail->Major, detail->Minor)).c_str(),
              Text(detail->Name).c_str(), detail->ServiceType, detail->CaptionFlag ? "on" : "off",
              Text(model->GetUsRatingText(detail->UsRating)).c_str());
  SkinBin::CurrentAudioServiceInfo* audio = model->GetCurrentAudioServiceInfo(0);
  std::printf("  audio: %s, language %s, format %d, mode %d\n", Text(audio->Description).c_str(),
              Text(audio->Language).c_str(), audio->AudioFormat, audio->AudioMode);
  std::printf("  picture: %s\n", Text(model->GetResolutionString(model->GetVideoContentInfo(0))).c_str());
  std::printf("  live TV state: %d, %d\n", model->GetLiveTVState(0), model->GetLiveTVState(1));
}

void DumpTimers(SkinBin::Wrapper* model) {
  Heading("Recording timers (enabled)");
  int32_t shown = 0;
  for (int32_t i = 0; i < XPM_TIMER_COUNT; ++i) {
    Structures::TimerData* t = model->GetTimer(i);
    if (!t->Flag) continue;
    ++shown;
    std::printf("  #%-2d %s  %s  %d min\n", i, Time(t->StartTime).c_str(),
                Text(model->GetChannelNumberStr(t->Values[4] > 0, t->Values[3], t->Values[4])).c_str(),
                t->Values[1] / 60);
  }
  if (!shown) std::printf("  (none)\n");

  Heading("Scheduled shows");
  auto* scheduled = VgNew<SkinBin::DB_ScheduledInfo>();
  model->OnSetScheduledRecordList(scheduled);
  scheduled->GetEventInfoByCount(SkinBin::DB_ScheduledInfo::kCapacity);
  for (int32_t i = 0; i < scheduled->GetNumEvents(); ++i) {
    const SkinBin::ScheduledRecordData* s = scheduled->GetEvent(i);
    std::printf("  %s  %-8s %-22s timer %d%s\n", Time(s->RecordTime).c_str(),
                Text(model->GetChannelNumberStr(s->Minor > 0, s->Major, s->Minor)).c_str(), Text(s->Title).c_str(),
                s->TimerId, s->Enabled ? "" : " (off)");
  }
  if (scheduled->GetNumEvents() == 0) std::printf("  (none)\n");
}

void DumpRecordings(SkinBin::Wrapper* model) {
  Heading("USB storage");
  auto* mounted = VgNew<SkinBin::USBMountedInfo>();
  model->OnSetMountedUSBList(mounted);
  mounted->GetUSBMountedPoints();
  for (int32_t i = 0; i < mounted->GetMountedNum() && i < 4; ++i)
    std::printf("  %s\n", Text(mounted->MountPoints[i]).c_str());
  if (mounted->GetMountedNum() == 0) std::printf("  (no disk)\n");
  if (const SkinBin::USBDiskStatus* disk = model->GetUSBDiskStatus(); disk->Mounted)
    std::printf("  recording disk: %s, %d MB, %d MB free\n", Text(disk->FileSystem).c_str(), disk->TotalSpace,
                disk->AvailableSpace);

  Heading("Recorded shows");
  auto* recorded = VgNew<SkinBin::DB_RecordedInfo>();
  model->OnSetRecordedShowsList(recorded);
  recorded->GetEventInfoByCount();
  for (int32_t i = 0; i < recorded->GetNumEvents(); ++i) {
    const SkinBin::RecordedShowData* r = recorded->GetEvent(i);
    if (!r) {
      std::printf("  %2d  (unreadable)\n", i);
      continue;
    }
    std::printf("  %2d  %s  %-8s %-20s %3d min  %s\n", r->RecordId, Time(r->StartTime).c_str(),
                Text(model->GetChannelNumberStr(r->Minor > 0, r->Major, r->Minor)).c_str(), Text(r->Title).c_str(),
                r->Duration / 60, Text(model->GetUsRatingText(r->Rating)).c_str());
  }
  if (recorded->GetNumEvents() == 0) std::printf("  (none)\n");
}

void DumpRatings(SkinBin::Wrapper* model) {
  Heading("Downloadable rating region 5");
  SkinBin::DynamicRatingData& data = model->DynamicRatingData;
  data.SetRegionDimension(5, 0);
  data.GetRegionInfo();
  if (!data.RegionValid) {
    std::printf("  (not received)\n");
    return;
  }
  data.LoadRRTArray();
  std::printf("  %s: %d dimensions\n", Text(data.RegionName).c_str(), data.NumDimensions);
  for (int32_t d = 0; d < data.NumDimensions; ++d) {
    data.SetRegionDimension(5, d);
    data.GetDimensionInfo();
    std::printf("  %-12s %s", Text(data.DimensionName).c_str(), data.DimensionGraduated ? "graduated:" : "levels:   ");
    for (int32_t l = 0; l < data.NumLevels; ++l) {
      data.SetLevel(l);
      data.GetLevelInfo();
      std::printf(" %s%s", Text(data.LevelAbbreviation).c_str(), data.GetRRTArray(d, l) ? "*" : "");
    }
    std::printf("\n");
  }
}

void DumpDevices(SkinBin::Wrapper* model) {
  Heading("HDMI-CEC devices");
  SkinBin::HdmiCecData& cec = model->HdmiCecData;
  cec.InitDevList();
  for (int32_t i = 0; i < cec.DevNum; ++i) {
    const Structures::CECDeviceInfo* d = cec.DevList[size_t(i)];
    if (!d) continue;
    std::printf("  source %-2d address %-2d type %d  %s\n", d->SourceId, d->DeviceNumber,
                cec.GetCECDevTypeByLogic(d->DeviceNumber), Text(d->DeviceName).c_str());
  }
  if (cec.DevNum == 0) std::printf("  (none)\n");
  std::printf("  audio system connected: %s\n", cec.IsAudioDeviceConnected() ? "yes" : "no");

  Heading("Network");
  SkinBin::NetworkSetup& net = model->NetworkSetup;
  const int32_t device = net.LAN_GetActivatedDev();
  std::printf("  active interface: %s\n", device == 0 ? "wired" : device == 1 ? "wireless" : "none");
  model->OnSetIFConfiguration(net.LAN_GetIfState(device == 1 ? 1 : 0));
  std::printf("  %s  address %s  mask %s  gateway %s  DNS %s, %s\n", model->OnGetAutoSetup() ? "DHCP" : "manual",
              Address(model->OnGetIPAddress()).c_str(), Address(model->OnGetSubnetMask()).c_str(),
              Address(model->OnGetDefaultGateway()).c_str(), Address(model->OnGetDNS1()).c_str(),
              Address(model->OnGetDNS2()).c_str());
}

void DumpThreeD(SkinBin::Wrapper* model) {
  Heading("3D");
  SkinBin::Setup3D& threeD = model->Setup3D;
  threeD.RefreshState();
  std::printf("  input format %d, mode %d, state %d, format selected %s\n", threeD.InputFormat, threeD.Mode,
              threeD.State, threeD.IsFormatSelected() ? "yes" : "no");
}

void DumpApplications(SkinBin::Wrapper* model) {
  Heading("Network applications");
  model->RefreshActiveAppStatus();
  for (int32_t i = 0; i < model->AppStatus.Count; ++i)
    std::printf("  %d %s 0x%x\n", model->AppStatus.Apps[i].AppId, Text(model->AppStatus.Apps[i].Name).c_str(),
                model->AppStatus.Apps[i].StatusBits);
  const Structures::ActiveAppStatus* active = model->GetActiveNetAppStatus();
  std::printf("  active: %s\n", active ? Text(active->Name).c_str() : "(none)");
}

// The set's folder for the run, in the temporary folder (TMPDIR), removed
// with what the set wrote there when the dump is done.
class RunFolder {
 public:
  // False, with the reason in WHY, when it cannot be made.
  bool Make(std::string* why) {
    std::error_code error;
    const std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    if (error) {
      *why = "no temporary folder (" + error.message() + ")";
      return false;
    }
    std::string name = (temporary / "modeldump-XXXXXX").string();
    if (!mkdtemp(name.data())) {
      *why = "cannot make a folder in " + temporary.string() + " (" + std::strerror(errno) + ")";
      return false;
    }
    path_ = name;
    setenv("TVUI_ROOT", path_.c_str(), 1);
    return true;
  }
  void Remove() {
    std::error_code error;
    if (!path_.empty()) std::filesystem::remove_all(path_, error);
    path_.clear();
  }
  ~RunFolder() { Remove(); }

 private:
  std::string path_;
};

// The dump itself, in the child: the status it ends with.
int Dump(bool fresh) {
  simtv_av_reset();
  if (fresh) {
    simtv_tv_reset();
    simtv_db_clear_programmes();
  } else {
    simtv_tv_load_demo();
  }

  auto* model = VgNew<SkinBin::Wrapper>();
  VgLockObject(model);

  struct tm now {};
  XPM_GetLocalTime(&now);
  char clock[40];
  std::strftime(clock, sizeof clock, "%a %Y-%m-%d %H:%M", &now);
  std::printf("== Clock\n  %s, %d hours of operation\n", clock, model->GetPowerOnTime());

  auto* channels = VgNew<SkinBin::ChannelListData>();
  model->OnSetChannelList(channels);
  channels->LoadMasterChannelTable(false);
  DumpChannels(model, channels, "Channels (antenna)");
  auto* cable = VgNew<SkinBin::ChannelListData>();
  cable->LoadMasterChannelTable(true);
  DumpChannels(model, cable, "Channels (cable)");
  auto* guideChannels = VgNew<SkinBin::ChannelListData>();
  guideChannels->LoadGuideChannelTable(false);
  DumpGuide(model, guideChannels);

  DumpCurrent(model);
  DumpTimers(model);
  DumpRecordings(model);
  DumpRatings(model);
  DumpDevices(model);
  DumpThreeD(model);
  DumpApplications(model);

  VgUnlockObject(model);

  return StdoutWritten("modeldump") ? 0 : 1;
}

// The signals that end a run from outside, how the caller had them handled,
// the one that came, and the child to pass it on to.
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
struct sigaction callersWay[std::size(kEndingSignals)];
volatile sig_atomic_t ending = 0;
volatile pid_t child = 0;

void PassOn(int signal) {
  ending = signal;
  if (child > 0) kill(child, signal);
}

}  // namespace

int main(int argc, char** argv) {
  constexpr const char* kUsage =
      "usage: modeldump [--fresh]\n"
      "Prints the television model's data as the screens see it, on the simulated set: the demo set\n"
      "in everyday use, or with --fresh a set fresh from the factory.\n";
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(kUsage, stdout);
    return StdoutWritten("modeldump") ? 0 : 1;
  }
  const bool fresh = argc > 1 && std::strcmp(argv[1], "--fresh") == 0;
  if (argc > 2 || (argc == 2 && !fresh)) {
    // What was wrong, then the usage.
    std::fprintf(stderr, "modeldump: %s\n%s",
                 argc > 2 ? "it takes one option at most, --fresh"
                          : (std::string(argv[1][0] == '-' ? "unknown option " : "unknown argument ") + argv[1]).c_str(),
                 kUsage);
    return 2;
  }
  // The signals that end a run from outside: each is passed on to the
  // child, and the folder goes before this process ends by it. One that the
  // caller has this process ignore (a background job's SIGINT) stays ignored.
  struct sigaction passOn {};
  passOn.sa_handler = PassOn;
  sigemptyset(&passOn.sa_mask);
  sigset_t ends;
  sigemptyset(&ends);
  for (size_t i = 0; i < std::size(kEndingSignals); ++i) {
    sigaction(kEndingSignals[i], nullptr, &callersWay[i]);
    if (callersWay[i].sa_handler == SIG_IGN) continue;
    sigaction(kEndingSignals[i], &passOn, nullptr);
    sigaddset(&ends, kEndingSignals[i]);
  }
  // Held back until the child's number is known, so that none is lost
  // between the fork and then.
  sigset_t before;
  sigprocmask(SIG_BLOCK, &ends, &before);

  RunFolder folder;
  if (std::string why; !folder.Make(&why)) {
    std::fprintf(stderr, "modeldump: %s, where the simulated set keeps its files for the run\n", why.c_str());
    return 1;
  }
  std::fflush(nullptr);
  const pid_t dumper = fork();
  if (dumper == 0) {
    for (size_t i = 0; i < std::size(kEndingSignals); ++i) sigaction(kEndingSignals[i], &callersWay[i], nullptr);
    // A reader that went away has had all it wanted: nothing to say.
    struct sigaction quiet {};
    quiet.sa_handler = [](int) { _exit(1); };
    sigemptyset(&quiet.sa_mask);
    sigaction(SIGPIPE, &quiet, nullptr);
    sigprocmask(SIG_SETMASK, &before, nullptr);
    std::exit(Dump(fresh));
  }
  if (dumper < 0) {
    std::fprintf(stderr, "modeldump: cannot start the dump (%s)\n", std::strerror(errno));
    return 1;
  }
  child = dumper;
  sigprocmask(SIG_SETMASK, &before, nullptr);

  int status = 0;
  while (waitpid(dumper, &status, 0) < 0 && errno == EINTR) {
  }
  folder.Remove();
  // Ended from outside, this process ends by the same signal, for the shell
  // to see; a dump that some other signal ended is told of.
  if (ending) {
    const int by = ending;
    std::signal(by, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, by);
    sigprocmask(SIG_UNBLOCK, &only, nullptr);
    raise(by);
    return 128 + by;
  }
  if (WIFSIGNALED(status)) {
    std::fprintf(stderr, "modeldump: the dump ended by signal %d (%s)\n", WTERMSIG(status),
                 strsignal(WTERMSIG(status)));
    return 128 + WTERMSIG(status);
  }
  return WEXITSTATUS(status);
}
