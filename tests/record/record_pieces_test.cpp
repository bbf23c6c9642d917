// The pieces the recording screens share: the show panels' texts, the play
// state's rate and fast-key steps, the paths, sizes and names of recordings
// on a USB medium, the removal of that medium, and the volume feedback.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <span>
#include <vector>
#include <string>

#include "Core/Keys.h"
#include "Core/Timer.h"
#include "Events/Events.h"
#include "AppServices/Wrapper.h"
#include "Media/MediaWrapper.h"
#include "Constants/Constants.h"
#include "NonMenuSystem/ConfirmTypes.h"
#include "Record/RecordPieces.h"
#include "Record/RecordPlayback.h"
#include "Structures/Boxes.h"
#include "Structures/Message.h"
#include "ListForm/RecordedShowsList.h"
#include "ListForm/TimerLists.h"
#include "Record/ConflictTimerDialog.h"
#include "Resources/Font.h"
#include "Record/RecordedShowsDialog.h"
#include "Record/ScheduledRecordDialog.h"
#include "Record/RecordPlaybackFullScreen.h"
#include "SkinBin/RecordData.h"
#include "SkinBin/RatingData.h"
#include "Strings.h"
#include "Structures/LocalTime.h"
#include "Views/Text.h"
#include "nonmenu_fixture.h"
#include "sim_calls.h"
#include "simtv.h"
#include "xpm.h"

namespace {

using namespace Record;
namespace Ratings = SkinBin::Ratings;

// The empty text is the null string.
std::string U(VgString text) { return VgStringToUtf8(text); }

class RecordPiecesTest : public NonMenuTest::NonMenuFixture {};

TEST_F(RecordPiecesTest, RatingLineSpellsTvNameLettersAndMovie) {
  const std::string pg = Text(Strings::SID_TV_RATING_TV_PG);
  EXPECT_EQ(U(UsRatingLine(Ratings::kTvPG | Ratings::kContentD | Ratings::kContentL)), pg + "-D-L");
  EXPECT_EQ(U(UsRatingLine(Ratings::kTvPG | Ratings::kContentFV | Ratings::kContentD | Ratings::kContentV)),
            pg + "-FV")
      << "fantasy violence stands alone";
  EXPECT_EQ(U(UsRatingLine(Ratings::kTvNone | 3)), Text(Strings::SID_RATING_PG)) << "a None TV part is dropped";
  EXPECT_EQ(U(UsRatingLine(Ratings::kTv14 | 5)),
            Text(Strings::SID_TV_RATING_14) + " " + Text(Strings::SID_RATING_R));
  EXPECT_EQ(U(UsRatingLine(5)), Text(Strings::SID_RATING_R)) << "a movie rating alone gets no blank before it";
  EXPECT_EQ(U(UsRatingLine(0)), "");
}

TEST_F(RecordPiecesTest, SpanAndClockTexts) {
  auto* start = VgNew<Structures::LocalTime>();
  start->Hour = 23;
  start->Minute = 30;
  EXPECT_EQ(U(TimeSpanText(start, 90)), "11:30PM - 01:00AM") << "the end hour 25 wraps to 1";
  EXPECT_EQ(U(TimeSpanText(nullptr, 90)), "");
  start->WeekDay = 3;
  start->Month = 5;
  start->Day = 9;
  EXPECT_EQ(U(ClockText(start)), "Wed, Jun 9, 11:30PM");
  EXPECT_EQ(ClockText(nullptr), nullptr);
}

TEST(RecordPieces, RateTextAndFastSteps) {
  EXPECT_EQ(U(RateText(PlayForward, 2)), "x2");
  EXPECT_EQ(U(RateText(PlayBackward, 9)), "x256");
  // The slow states start their own text each time: never "x24".
  EXPECT_EQ(U(RateText(PlayForward + 1, 2)), "x1/2");
  EXPECT_EQ(U(RateText(PlayBackward + 1, 3)), "x1/4");
  EXPECT_EQ(RateText(PlayForward, 1), nullptr);
  EXPECT_EQ(RateText(PlayForward, 10), nullptr);
  EXPECT_EQ(PlayStateIcon(7), nullptr) << "7 and above keep the icon";
  EXPECT_NE(PlayStateIcon(PlayPlay), PlayStateIcon(PlayPause));

  FastStep step{PlayPlay, 1};
  std::string rates;
  for (int i = 0; i < 10; ++i) {
    step = NextFastStep(step.state, step.rate, FastDirection::Forward);
    EXPECT_EQ(step.state, PlayForward);
    rates += std::to_string(step.rate);
  }
  EXPECT_EQ(rates, "2345678912");
  step = NextFastStep(step.state, step.rate, FastDirection::Backward);
  EXPECT_EQ(step.state, PlayBackward) << "the other direction starts again";
  EXPECT_EQ(step.rate, 2);

  EXPECT_EQ(U(PlayTimeFormat(3725)), "01:02:05");
  EXPECT_EQ(U(PlayTimeFormat(360000)), "100:00:00");
  EXPECT_EQ(U(PlayTimeFormat(-5)), "00:00:00");
}

TEST(RecordPieces, UsbPathsSizesAndNames) {
  EXPECT_EQ(U(GetUsbPath(VgNewStringAnsi("/mnt/removable/usbc"))), "/mnt/removable/usbc");
  EXPECT_EQ(U(GetUsbPath(VgNewStringAnsi("usbd then usbb"))), "/mnt/removable/usbb") << "tested in order";
  EXPECT_EQ(U(GetUsbPath(VgNewStringAnsi("/media/sda1"))), "/mnt/removable/usba");
  EXPECT_EQ(U(GetUsbPath(nullptr)), "/mnt/removable/usba");

  constexpr int32_t kKB = 1 << 30;
  EXPECT_EQ(U(FileSizeText(kKB | 999)), "File Size: 999KB");
  EXPECT_EQ(U(FileSizeText(kKB | 1000)), "File Size: 1,000KB");
  EXPECT_EQ(U(FileSizeText(kKB | 1234567)), "File Size: 1,234,567KB");
  EXPECT_EQ(U(FileSizeText(int32_t(2u << 30) | 12)), "File Size: 12MB");
  EXPECT_EQ(U(FileSizeText(0)), "File Size: 0Byte");

  for (const char* plain : {"0001_News.trp", "Coming_soon..._7-1.trp", "...", "x\\y.trp"})
    EXPECT_TRUE(IsPlainFileName(VgNewStringAnsi(plain))) << plain;
  EXPECT_EQ(U(IndexFileName(VgNewStringAnsi("0001_News.trp"))), "0001_News.nav");
  EXPECT_EQ(U(IndexFileName(VgNewStringAnsi("Coming_soon..._7-1.trp"))), "Coming_soon..._7-1.nav");
  EXPECT_EQ(U(IndexFileName(VgNewStringUtf8("Caf\u00e9_Ol\u00e9_7-1.trp"))), "Caf\u00e9_Ol\u00e9_7-1.nav")
      << "letters beyond ASCII stay as they are";
  for (const char* bad : {"../x.ts", "a/b.trp", "..", ".", "", "/x.trp"})
    EXPECT_FALSE(IsPlainFileName(VgNewStringAnsi(bad))) << bad;
  EXPECT_EQ(IndexFileName(VgNewStringAnsi("ab")), nullptr) << "a short name has no index file";
  EXPECT_EQ(IndexFileName(VgNewStringAnsi("movie")), nullptr);
  EXPECT_EQ(IndexFileName(VgNewStringAnsi("../x.trp")), nullptr);
}

TEST(RecordPieces, RemovalOfTheMedium) {
  const char* names[] = {"usba", "usbb", "usbc", "usbd", "mmc"};
  for (int32_t code = 242; code <= 246; ++code)
    EXPECT_EQ(U(Media::MediaWrapper::ConvertRemovableCode(code)), names[code - 242]);
  EXPECT_EQ(Media::MediaWrapper::ConvertRemovableCode(247), nullptr);

  VgString medium = VgNewStringAnsi("/mnt/removable/usba");
  auto removal = [](int32_t sub0, int32_t code) {
    return EventsStatusEvent__Initialize(VgNew<Events::StatusEvent>(), 18, sub0, 0, code, 0);
  };
  EXPECT_TRUE(IsMediumRemoval(removal(5, 242), medium));
  EXPECT_FALSE(IsMediumRemoval(removal(5, 243), medium)) << "another device";
  EXPECT_FALSE(IsMediumRemoval(removal(4, 242), medium)) << "a device added";
  EXPECT_FALSE(IsMediumRemoval(removal(5, 247), medium)) << "a code without a device";
  auto* playback = VgNew<Events::RecordPlaybackStatusEvent>();
  EXPECT_FALSE(IsMediumRemoval(playback, medium));
  playback->DeviceFlag = 1;
  EXPECT_TRUE(IsMediumRemoval(playback, medium));
}

TEST_F(RecordPiecesTest, VolumeStaysAtItsEndsAndMuteHides) {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  auto* text = VgNew<Views::Text>();
  auto* timer = VgNew<Core::Timer>();
  SetUpVolumeTimer(*timer);
  const std::string volume = Text(Strings::SID_VOLUME) + ": ";
  model->OnSetVolume(0);
  EXPECT_TRUE(VolumeKey(Key::VolumeUp, *text, *timer));
  EXPECT_EQ(model->OnGetVolume(), 0);
  EXPECT_EQ(U(text->String), volume + "0");
  model->OnSetVolume(100);
  VolumeKey(Key::VolumeDown, *text, *timer);
  EXPECT_EQ(model->OnGetVolume(), 100);
  EXPECT_EQ(U(text->String), volume + "100");
  model->OnSetVolume(50);
  VolumeKey(Key::VolumeDown, *text, *timer);
  EXPECT_EQ(model->OnGetVolume(), 49);
  EXPECT_TRUE(timer->OnGetEnabled());
  EXPECT_FALSE(VolumeKey(Key::Ok, *text, *timer));

  model->OnSetMute(0);
  VolumeKey(Key::Mute, *text, *timer);
  EXPECT_EQ(U(text->String), Text(Strings::SID_MUTE_FULL));
  EXPECT_NE(model->OnGetMute(), 0);
  ClearVolume(*text, *timer);
  EXPECT_FALSE(text->Visible);
  EXPECT_NE(model->OnGetMute(), 0) << "the set stays muted";
  VolumeKey(Key::Mute, *text, *timer);
  EXPECT_EQ(model->OnGetMute(), 0);
  EXPECT_FALSE(text->Visible);
  EXPECT_FALSE(timer->OnGetEnabled());
}

// The recordings of a USB disk, on a set reset for each test.
class RecordingsTest : public NonMenuTest::NonMenuFixture {
 protected:
  void SetUp() override {
    NonMenuFixture::SetUp();
    simtv_tv_reset();
    simtv_usb_insert(100000, "FAT32");
  }

  static int32_t AddShow(const char* file) {
    XPM_RecordedShow show{};
    std::snprintf(show.title, sizeof show.title, "%s", file);
    std::snprintf(show.fileName, sizeof show.fileName, "%s", file);
    show.duration = 60;
    return simtv_tv_add_recording(XPM_USB_DISK_MOUNT_POINT, &show);
  }

  // The disk's shows as the library read them last, a.trp to c.trp, and a
  // full-screen player of the disk.
  SkinBin::DB_RecordPlaybackInfo* ThreeShowsRead() {
    for (const char* file : {"a.trp", "b.trp", "c.trp"}) AddShow(file);
    auto* shows = VgNew<SkinBin::DB_RecordPlaybackInfo>();
    shows->Path = VgNewStringAnsi(XPM_USB_DISK_MOUNT_POINT);
    shows->GetEventInfoByCount();
    MainApp::GetWrapper()->OnSetRecordPlaybackList(shows);
    return shows;
  }
  static RecordPlaybackFullScreenDialog* Player() {
    auto* player = VgNew<RecordPlaybackFullScreenDialog>();
    player->Medium = VgNewStringAnsi("/mnt/removable/usba");
    return player;
  }
};

TEST_F(RecordingsTest, DeletingKeepsToTheRecordingAndItsIndexFile) {
  VgString folder = VgNewStringAnsi(XPM_USB_DISK_MOUNT_POINT);
  for (const char* name : {"show.trp", "show.nav", "ab", "nav", "x.ts"}) ASSERT_EQ(simtv_usb_write_file(name, 10), 0);
  EXPECT_EQ(DeleteRecordingFiles(folder, VgNewStringAnsi("../x.ts")), 0);
  EXPECT_EQ(DeleteRecordingFiles(folder, VgNewStringAnsi("..")), 0);
  EXPECT_EQ(DeleteRecordingFiles(folder, VgNewStringAnsi("ab")), 1) << "its index name would be another file";
  EXPECT_FALSE(simtv_usb_file_exists("ab"));
  EXPECT_TRUE(simtv_usb_file_exists("nav"));
  EXPECT_TRUE(simtv_usb_file_exists("x.ts"));
  EXPECT_EQ(DeleteRecordingFiles(folder, VgNewStringAnsi("show.trp")), 2);
  EXPECT_FALSE(simtv_usb_file_exists("show.trp"));
  EXPECT_FALSE(simtv_usb_file_exists("show.nav"));
}

TEST_F(RecordingsTest, SkippingGoesRoundAndWrapsAnIndexPastTheList) {
  SkinBin::DB_RecordPlaybackInfo* shows = ThreeShowsRead();
  ASSERT_EQ(shows->GetNumEvents(), 3);
  RecordPlaybackFullScreenDialog* player = Player();
  player->Show.Index = 7;
  player->SkipPlayback(true);
  EXPECT_EQ(player->Show.Index, 0);
  player->SkipPlayback(false);
  EXPECT_EQ(player->Show.Index, 2) << "back from the first is the last";
  player->SkipPlayback(true);
  EXPECT_EQ(player->Show.Index, 0);
  EXPECT_EQ(U(player->FileName), U(shows->GetEvent(0)->FileName));

  // One show: nothing to skip to.
  simtv_tv_clear_recordings();
  AddShow("d.trp");
  shows->GetEventInfoByCount();
  player->Show.Take(0);
  simtv_clear_calls();
  player->SkipPlayback(true);
  player->SkipPlayback(false);
  EXPECT_EQ(player->Show.Index, 0);
  EXPECT_TRUE(ChangingCalls().empty());
}

// A new order, a recording more: the library stays on the show it was on.
TEST_F(RecordingsTest, TheLibraryKeepsItsShowThroughANewOrderAndANewShow) {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  for (const char* file : {"Bravo.trp", "Charlie.trp", "Alpha.trp"}) AddShow(file);
  model->OnSetPlaybackSortType(0);
  auto* library = VgNew<RecordPlaybackDialog>();
  library->Medium = VgNewStringAnsi("/mnt/removable/usba");
  library->UpdateMediaList();
  library->list.FocusEntry(1);
  auto focused = [library] { return U(vg_cast<ListForm::RecordPlaybackListItem>(library->list.Focus.get())->Text); };
  const std::string chosen = focused();
  for (int32_t sort = 1; sort < 6; ++sort) {
    model->OnSetPlaybackSortType(sort);
    auto* message = VgNew<Structures::Message>();
    message->Code = Constants::MSG_CHANGE_PLAYBACK_SORT;
    library->HandleMessage(message);
    EXPECT_EQ(focused(), chosen) << "sort " << sort;
  }
  AddShow("Delta.trp");
  library->UpdateMediaList();
  EXPECT_EQ(focused(), chosen);

  // The delete question notes the show it asks about: a show recorded and
  // the list read again under the question, with the focus on another row,
  // the answer deletes the chosen show only; one gone meanwhile, nothing.
  auto answer = [library] {
    auto* yes = VgNew<Structures::Message>();
    yes->Code = Constants::MSG_DELETE_ITEM;
    yes->Param = NonMenuSystem::DeleteKindRecordedShow;
    library->HandleMessage(yes);
  };
  auto titles = [model] {
    std::vector<std::string> listed;
    SkinBin::DB_RecordPlaybackInfo* shows = model->OnGetRecordPlaybackList();
    for (int32_t i = 0; i < shows->GetNumEvents(); ++i) listed.push_back(U(shows->GetEvent(i)->Title));
    return listed;
  };
  library->NonMenuSystem = system;
  library->HandleEvent(PressedKey(Key::Red));
  ASSERT_TRUE(library->DeletingId.has_value());
  AddShow("Echo.trp");
  library->UpdateMediaList();
  library->list.FocusEntry(0);
  const std::string neighbour = focused();
  ASSERT_NE(neighbour, chosen);
  answer();
  std::vector<std::string> left = titles();
  EXPECT_EQ(left.size(), 4u);
  EXPECT_EQ(std::count(left.begin(), left.end(), chosen), 0);
  EXPECT_EQ(std::count(left.begin(), left.end(), neighbour), 1);

  Press(Key::Exit);
  library->HandleEvent(PressedKey(Key::Red));
  ASSERT_TRUE(library->DeletingId.has_value());
  model->DB_DeleteRecordPlayback(library->ListPath, *library->DeletingId);
  library->UpdateMediaList();
  answer();
  EXPECT_EQ(titles().size(), 3u) << "the show that stood in for the one asked about stays";

  // The rename keyboard alike: the title typed goes to the show it was
  // opened for, wherever the list read again under it put that show.
  auto rename = [library](const char* title) {
    auto* typed = VgNew<Structures::RefString>();
    typed->Value = VgNewStringAnsi(title);
    auto* message = VgNew<Structures::Message>();
    message->Code = Constants::MSG_LABEL_CHANGE;
    message->Payload = typed;
    library->HandleMessage(message);
  };
  Press(Key::Exit);
  library->list.FocusEntry(1);
  const std::string renamed = focused();
  library->UpdateProgramTitle(nullptr);
  ASSERT_TRUE(library->RenamingId.has_value());
  AddShow("Foxtrot.trp");
  library->UpdateMediaList();
  library->list.FocusEntry(0);
  const std::string other = focused();
  ASSERT_NE(other, renamed);
  rename("Golf");
  left = titles();
  EXPECT_EQ(std::count(left.begin(), left.end(), "Golf"), 1);
  EXPECT_EQ(std::count(left.begin(), left.end(), renamed), 0);
  EXPECT_EQ(std::count(left.begin(), left.end(), other), 1);

  // Its show gone under the keyboard, no other show takes the title.
  library->UpdateProgramTitle(nullptr);
  model->DB_DeleteRecordPlayback(library->ListPath, *library->RenamingId);
  library->UpdateMediaList();
  rename("Hotel");
  left = titles();
  EXPECT_EQ(std::count(left.begin(), left.end(), "Hotel"), 0);
}

// The recorder adds shows while one plays: the next show is the one after it
// in the list as it is now, and the library is handed its place now.
TEST_F(RecordingsTest, ThePlayerFollowsItsShowWhenTheListChangesUnderIt) {
  SkinBin::DB_RecordPlaybackInfo* shows = ThreeShowsRead();
  RecordPlaybackFullScreenDialog* player = Player();
  player->Show.Take(1);
  const int32_t playing = shows->GetEvent(1)->RecordId;
  for (const char* file : {"d.trp", "e.trp"}) AddShow(file);
  EXPECT_EQ(shows->GetNumEvents(), 3) << "the list as the library last read it";
  const int32_t at = player->Show.Find(true);
  ASSERT_EQ(shows->GetNumEvents(), 5);
  EXPECT_EQ(shows->GetEvent(at)->RecordId, playing);
  simtv_clear_calls();
  player->SkipPlayback(true);
  EXPECT_EQ(player->Show.Index, (at + 1) % 5);
  EXPECT_EQ(*player->Show.Id, shows->GetEvent((at + 1) % 5)->RecordId);
  EXPECT_EQ(U(player->FileName), U(shows->GetEvent((at + 1) % 5)->FileName));

  // Its show deleted meanwhile, the place it left.
  player->Show.Take(4);
  simtv_tv_clear_recordings();
  AddShow("f.trp");
  AddShow("g.trp");
  EXPECT_EQ(player->Show.Find(true), 1);
  EXPECT_EQ(player->Show.Entry(), nullptr);
}

// Each heading of the recording tables stands over the column it names, in
// every menu language: from the column's left edge, and (as far as the
// heading before it needs it pushed on) no further than the next column
// begins. Past it, "Status" stands over the file names.
TEST_F(RecordPiecesTest, EveryTableHeadingStandsOverItsColumnInEveryLanguage) {
  using Shows = ListForm::RecordedShowsListItem;
  using Scheduled = ListForm::ScheduledRecordListItem;
  using Conflict = ListForm::ConflictTimerListItem;
  auto expect = [](const char* table, std::span<Views::Text> headings, int32_t left,
                   std::initializer_list<int32_t> columnList) {
    const std::vector<int32_t> columns(columnList);
    for (size_t i = 0; i < columns.size(); ++i) {
      const Views::Text& heading = headings[i];
      const std::string name = std::string(table) + " \"" + U(heading.String) + "\", language " +
                               std::to_string(VgGetLanguage());
      EXPECT_GE(heading.Bounds.x1, left + columns[i]) << name;
      if (i + 1 < columns.size()) {
        const int32_t end = heading.Bounds.x1 + heading.Font->GetTextRect(heading.String).x2;
        EXPECT_LE(end, left + columns[i + 1]) << name << " reaches into the next column, from " << heading.Bounds.x1 - left;
      }
    }
  };
  for (int32_t language : {0, 1, 2}) {
    VgSetLanguage(language);
    auto* shows = VgNew<RecordedShowsDialog>();
    expect("recorded shows", shows->headings, shows->list.Bounds.x1,
           {Shows::ChannelColumn, Shows::DateColumn, Shows::TimeColumn, Shows::LengthColumn, Shows::StateColumn,
            Shows::FileColumn});
    auto* schedules = VgNew<ScheduledRecordDialog>();
    expect("schedules", schedules->headings, schedules->ScheduleList.Bounds.x1,
           {Scheduled::DateColumn, Scheduled::TimeColumn, Scheduled::LengthColumn, Scheduled::TypeColumn,
            Scheduled::StatusColumn, Scheduled::ActiveColumn});
    auto* history = VgNew<Last3RecordShowsDialog>();
    expect("history", history->headings, history->RecentList.Bounds.x1,
           {Shows::ChannelColumn, Shows::DateColumn, Shows::TimeColumn, Shows::LengthColumn, Shows::StateColumn,
            Shows::FileColumn});
    auto* conflict = VgNew<ConflictTimerDialog>();
    conflict->Refresh();
    expect("conflict", conflict->headings, conflict->list.Bounds.x1,
           {Conflict::ChannelColumn, Conflict::TimeColumn, Conflict::LengthColumn, Conflict::StartEarlyColumn,
            Conflict::EndDelayColumn, Conflict::TypeColumn, Conflict::ActiveColumn});
  }
  VgSetLanguage(0);
}

}  // namespace
