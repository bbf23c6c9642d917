// The recording playback list over the recordings on the simulated USB disk:
// rows by the list's height, one preview after half a second's rest, and the
// empty folder that lets only the exit and back keys through.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "Core/Keys.h"
#include "ListForm/RecordPlaybackList.h"
#include "media_host.h"
#include "sim_calls.h"
#include "simtv.h"

namespace {

using ListForm::RecordPlaybackList;

class PlaybackLists : public ListTest::MediaFixture {
 protected:
  void SetUp() override {
    MediaFixture::SetUp();
    std::string pattern = (std::filesystem::temp_directory_path() / "tvui-playback-XXXXXX").string();
    dir = mkdtemp(pattern.data());
    setenv("TVUI_ROOT", dir.c_str(), 1);
    UseModel();
    simtv_usb_insert(SIMTV_USB_DEFAULT_KB, "ext3");
  }
  void TearDown() override {
    MediaFixture::TearDown();
    std::filesystem::remove_all(dir);
    unsetenv("TVUI_ROOT");
  }
  // count recordings of a second each on the disk, "Show 1" first.
  void Recordings(int count) {
    for (int i = 1; i <= count; ++i) {
      XPM_RecordedShow show{};
      std::snprintf(show.title, sizeof show.title, "Show %d", i);
      std::snprintf(show.fileName, sizeof show.fileName, "show%d.trp", i);
      show.duration = 1;
      show.mark = i == 2 ? 40 : 0;
      simtv_tv_add_recording(XPM_USB_DISK_MOUNT_POINT, &show);
    }
  }
  // Embedded as the playback dialog holds it: the folder set before and the
  // focus after Initialize.
  RecordPlaybackList* MakeList() {
    list = VgNew<RecordPlaybackList>();
    list->FolderPath = VgNewStringAnsi(XPM_USB_DISK_MOUNT_POINT);
    list->OnSetOnFocusChanged(host->Recorder("OnFocusChanged"));
    Embed(list);
    list->OnSetCurrentItemIndex(1);
    VgProcessSignals();
    simtv_clear_calls();
    return list;
  }
  static std::vector<std::string> PlaybackCalls() {
    std::vector<std::string> calls;
    for (const std::string& call : RecordedCalls())
      if (call.rfind("XPM_Record_Playback_", 0) == 0) calls.push_back(call);
    return calls;
  }

  RecordPlaybackList* list = nullptr;
  std::string dir;
};

TEST_F(PlaybackLists, EightRowsOfTheFolderAndOnePreviewWhereTheFocusRests) {
  Recordings(12);
  MakeList();
  EXPECT_EQ(list->ItemNum, 8) << "228 / 26";
  EXPECT_EQ(Texts().front(), "Show 1");
  EXPECT_EQ(Texts().back(), "Show 8");

  const int focusUpdates = host->Count("OnFocusChanged");
  for (int i = 0; i < 3; ++i) {
    Press(Key::Down);
    Advance(150);
  }
  EXPECT_TRUE(PlaybackCalls().empty());
  Advance(350);
  const std::string play = "XPM_Record_Playback_Play " XPM_USB_DISK_MOUNT_POINT " 4 0 0";
  EXPECT_EQ(PlaybackCalls(), std::vector<std::string>{play});
  EXPECT_TRUE(list->OnGetIsPreviewStarted());
  EXPECT_EQ(host->Count("OnFocusChanged"), focusUpdates + 3);

  // Back to the row already previewing: nothing starts again.
  simtv_clear_calls();
  Press(Key::Up);
  Press(Key::Down);
  Advance(500);
  EXPECT_TRUE(PlaybackCalls().empty());
  // Another row: the preview changes.
  Press(Key::Up);
  Advance(500);
  EXPECT_EQ(PlaybackCalls(), (std::vector<std::string>{"XPM_Record_Playback_Stop 0",
                                                       "XPM_Record_Playback_Play " XPM_USB_DISK_MOUNT_POINT " 3 0 0"}));

  // The dialog gets the row with its resume mark.
  Press(Key::Up);
  Press(Key::Ok);
  auto* row = vg_cast<ListForm::RecordPlaybackListItem>(host->LastSender("DoItemActivate"));
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->RecordId, 2);
  EXPECT_EQ(row->ResumeMark, 40);
}

TEST_F(PlaybackLists, AnEmptyFolderSwallowsTheMovesAndLetsReturnThrough) {
  MakeList();
  EXPECT_FALSE(list->Visible);
  EXPECT_EQ(NoMediaFilesSent(), 1);
  Press(Key::Up);
  Press(Key::Down);
  Press(Key::Back);
  EXPECT_EQ(host->keys, (std::vector<int32_t>{Key::Back}));

  Recordings(2);
  list->Initialize(nullptr);
  list->OnSetCurrentItemIndex(1);
  VgProcessSignals();
  EXPECT_TRUE(list->Visible);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Show 1", "Show 2"}));
}

}  // namespace
