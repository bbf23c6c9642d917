// The media content list and the background-music list over the media
// bridge and the simulated library: the empty folder that hides the list and lets only the
// exit and back keys through until a folder with entries shows it again, the
// preview after half a second's rest, and metadata asked one row at a time.
#include <gtest/gtest.h>

#include "Core/Keys.h"
#include "Forms/Indicator.h"
#include "ListForm/MediaContentList.h"
#include "media_host.h"
#include "simtv.h"

namespace {

using ListForm::MediaContentList;

class MediaLists : public ListTest::MediaFixture {
 protected:
  MediaContentList* MakeList(uint16_t filter) {
    list = VgNew<MediaContentList>();
    list->Filter = filter;
    Embed(list);
    return list;
  }
  // The folder's page of twelve music entries after a folder.
  void Album() {
    std::vector<ListTest::StickEntry> entries{FolderEntry("Singles")};
    for (int i = 1; i <= 12; ++i) entries.push_back(Music("Track " + std::to_string(i)));
    Folder(entries);
  }
  // An answer for an entry, whether or not a row shows it.
  void Answer(int32_t entry) {
    auto* ready = VgNew<Media::MetadataReadyEvent>();
    ready->Item = media->GetMediaItem(entry);
    top->DispatchEvent(ready);
    VgProcessSignals();
  }
  // The metadata requests among what the library was asked since the last
  // call.
  std::string Requests() {
    std::string out;
    std::string all = Asked() + ",";
    for (size_t from = 0, comma; (comma = all.find(',', from)) != std::string::npos; from = comma + 1) {
      const std::string call = all.substr(from, comma - from);
      if (call.rfind("PslRequestMetadata", 0) == 0) out += (out.empty() ? "" : ",") + call;
    }
    return out;
  }
  ListForm::MediaContentListItem* Row(int32_t i) { return vg_cast<ListForm::MediaContentListItem>(list->GetCtrlAt(i)); }

  MediaContentList* list = nullptr;
};

TEST_F(MediaLists, AnEmptyFolderHidesTheListAndAFolderWithEntriesShowsItAgain) {
  MakeList(MediaContentList::FilterMusic);
  EXPECT_EQ(NoMediaFilesSent(), 1);
  EXPECT_FALSE(list->Visible);
  EXPECT_FALSE(list->PrevIndicator->Visible);
  EXPECT_EQ(Focused(), -1);
  for (uint16_t key : {Key::Up, Key::Down, Key::Ok, Key::ChannelDown, Key::Back, Key::Exit, Key::ClearAll}) Press(key);
  EXPECT_EQ(owner->keys, (std::vector<int32_t>{Key::Back, Key::Exit, Key::ClearAll})) << "only the exit and back keys";

  Folder({Music("One"), Music("Two"), Music("Three")});
  list->Initialize(nullptr);
  VgProcessSignals();
  EXPECT_TRUE(list->Visible);
  EXPECT_TRUE(list->PrevIndicator->Visible);
  EXPECT_TRUE(list->NextIndicator->Visible);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"One.wav", "Three.wav", "Two.wav"}));
  EXPECT_EQ(Focused(), 0);
  owner->keys.clear();
  Press(Key::Down);
  EXPECT_EQ(Cursor(), 1);
  EXPECT_TRUE(owner->keys.empty()) << "the list takes its keys again";
  EXPECT_EQ(NoMediaFilesSent(), 1) << "one message per empty folder";
}

TEST_F(MediaLists, ThePageTakesTheRowsItsHeightHolds) {
  Album();
  MakeList(MediaContentList::FilterMusic);
  EXPECT_EQ(list->MaxItemNum, 8) << "228 / 26";
  EXPECT_EQ(list->ItemNum, 8);
  EXPECT_TRUE(Row(7)->IsLast);
  EXPECT_TRUE(Row(0)->folderIcon.Visible);
  EXPECT_FALSE(Row(1)->folderIcon.Visible);
  list->OnSetBounds({0, 0, 336, 26 * 5 + 3});
  Folder({Music("a"), Music("b")});
  list->Initialize(nullptr);
  EXPECT_EQ(list->MaxItemNum, 5);
  EXPECT_EQ(list->ItemNum, 2);
}

TEST_F(MediaLists, MusicPreviewsTheEntryTheFocusRestsOn) {
  Album();
  MakeList(MediaContentList::FilterMusic);
  EXPECT_EQ(Asked(), "PslSelectEntry 0 0,PslRequestMetadata 1 1");
  Advance(500);
  EXPECT_EQ(Asked(), "") << "a folder plays nothing";

  // Quick moves: one preview, half a second after the last.
  for (int i = 0; i < 3; ++i) {
    Press(Key::Down);
    Advance(200);
  }
  EXPECT_EQ(Asked(), "PslSelectEntry 0 1,PslSelectEntry 0 2,PslSelectEntry 0 3");
  Advance(299);
  EXPECT_EQ(Asked(), "");
  Advance(1);
  EXPECT_EQ(Asked(), "PslPlay 0 3 4,PslSetRepeatMode 1");
  EXPECT_TRUE(list->OnGetIsPreviewStarted());

  // Away and back within the pause: the entry playing goes on.
  Press(Key::Up);
  Press(Key::Down);
  Advance(500);
  EXPECT_EQ(Asked(), "PslSelectEntry 0 2,PslSelectEntry 0 3");
  int32_t cursor = -1;
  EXPECT_EQ(simtv_media_playing(&cursor, nullptr, nullptr), 3) << "the library plays the entry";

  // Back on the folder the preview stops.
  for (int i = 0; i < 3; ++i) Press(Key::Up);
  Advance(500);
  EXPECT_EQ(Asked(), "PslSelectEntry 0 2,PslSelectEntry 0 1,PslSelectEntry 0 0,PslStop");
  EXPECT_EQ(simtv_media_playing(&cursor, nullptr, nullptr), -1);
  EXPECT_FALSE(list->OnGetIsPreviewStarted());
}

TEST_F(MediaLists, MoviesPreviewOnlyInTheMovieViewAndPhotosStartNothing) {
  Folder({Movie("Film"), Movie("Clip")});
  MakeList(MediaContentList::FilterMovie);
  Asked();
  Advance(500);
  EXPECT_EQ(Asked(), "PslSetRepeatMode 1");
  EXPECT_FALSE(list->OnGetIsPreviewStarted());
  owner->movies = true;
  Press(Key::Down);
  Advance(500);
  EXPECT_EQ(Asked(), "PslSelectEntry 0 1,PslPlay 0 1 4,PslSetRepeatMode 1");
  EXPECT_TRUE(list->OnGetIsPreviewStarted());

  // Nothing plays in a photo list, so a new folder has nothing to stop.
  Folder({Photo("Beach"), Photo("Hills")});
  list->Filter = MediaContentList::FilterPhoto;
  list->Initialize(nullptr);
  VgProcessSignals();
  Asked();
  Press(Key::Down);
  Advance(500);
  EXPECT_FALSE(list->OnGetIsPreviewStarted());
  list->Initialize(nullptr);
  EXPECT_EQ(Asked().find("PslStop"), std::string::npos);
}

TEST_F(MediaLists, MetadataIsAskedForOneRowAtATime) {
  Album();
  MakeList(MediaContentList::FilterMusic);
  Asked();
  EXPECT_EQ(PendingMetadata(), 1);
  for (int entry = 1; entry < 8; ++entry) {
    ASSERT_EQ(AnswerMetadata(), 1);
    VgProcessSignals();
    EXPECT_NE(vg_cast<Media::MusicMetadata>(Row(entry)->Item->Metadata.get()), nullptr);
  }
  EXPECT_EQ(Asked(),
            "PslRequestMetadata 2 1,PslRequestMetadata 3 1,PslRequestMetadata 4 1,PslRequestMetadata 5 1,"
            "PslRequestMetadata 6 1,PslRequestMetadata 7 1");
  EXPECT_EQ(PendingMetadata(), 0) << "every row shown has its metadata";

  // The next page asks again; an answer lost on the way does not stop the
  // requests of later reloads.
  Press(Key::ChannelDown);
  EXPECT_EQ(Requests(), "PslRequestMetadata 8 1");
  DropNotices();
  Press(Key::ChannelUp);
  Press(Key::ChannelDown);
  EXPECT_EQ(Requests(), "PslRequestMetadata 8 1");
  EXPECT_EQ(PendingMetadata(), 1);
}

TEST_F(MediaLists, AnAnswerForAnEntryOffTheScreenEndsTheChainButInAPhotoList) {
  Album();
  MakeList(MediaContentList::FilterMusic);
  Asked();
  Answer(11);
  EXPECT_EQ(Asked(), "") << "music: the chain rests until the next reload";

  std::vector<ListTest::StickEntry> photos;
  for (int i = 0; i < 12; ++i) photos.push_back(Photo("Photo " + std::to_string(i + 10)));
  Folder(photos);
  list->Filter = MediaContentList::FilterPhoto;
  list->Initialize(nullptr);
  VgProcessSignals();
  EXPECT_EQ(Asked(), "PslSelectEntry 0 0,PslRequestMetadata 0 1");
  Answer(11);
  EXPECT_EQ(Asked(), "PslRequestMetadata 0 1") << "photos: the next request at once";
  ASSERT_EQ(AnswerMetadata(), 2) << "both requests for entry 0";
  VgProcessSignals();
  EXPECT_EQ(Asked(), "") << "a matched photo waits for the thumbnail pause";
  Advance(100);
  EXPECT_EQ(Asked(), "PslRequestMetadata 1 1");
}

TEST_F(MediaLists, TheOwnerHearsOfFocusAndActivation) {
  Folder({Music("One"), Music("Two")});
  MakeList(MediaContentList::FilterMusic);
  host->heard.clear();
  Press(Key::Down);
  EXPECT_EQ(host->Count("UpdateMediaInfo"), 1);
  EXPECT_EQ(host->Count("UpdateContentInfo"), 1);
  Press(Key::Ok);
  EXPECT_EQ(host->Count("DoItemActivate"), 1);
  EXPECT_EQ(host->LastSender("DoItemActivate"), list->GetCtrlAt(1));
}

TEST_F(MediaLists, BackgroundMusicFocusOnlySelects) {
  Folder({Photo("Sea"), Music("Calm"), Music("Bright"), Music("Slow")});
  auto* bgm = Embed(VgNew<ListForm::BGMList>());
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Bright.wav", "Calm.wav", "Slow.wav"})) << "only music";
  Press(Key::Down);
  Press(Key::Down);
  Advance(1000);
  const std::string asked = Asked();
  EXPECT_EQ(asked.substr(asked.find("PslSelectEntry 1 1")), "PslSelectEntry 1 1,PslSelectEntry 1 2");
  EXPECT_EQ(asked.find("Request"), std::string::npos) << "no preview, no metadata";
  EXPECT_EQ(asked.find("PslPlay"), std::string::npos);
  Press(Key::Ok);
  EXPECT_EQ(host->Count("DoItemActivate"), 1);
  EXPECT_EQ(host->LastSender("DoItemActivate"), bgm->GetCtrlAt(2));
}

}  // namespace
