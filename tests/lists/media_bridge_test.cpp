// The media bridge over the simulated library: removable-device codes, the
// events of playback and of a medium that leaves, folders that are left
// before their answer comes, and a stick whose links lead out of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include <png.h>

#include "Events/Events.h"
#include "GenPng.h"
#include "Media/Exports.h"
#include "Media/MediaEvents.h"
#include "MediaPlayer/MediaWindow.h"
#include "media_host.h"
#include "nvpath.h"
#include "psl.h"
#include "simtv.h"
#include "xpm.h"

namespace MediaTest {

namespace fs = std::filesystem;

// The bridge's status events as "code sub0 sub1 sub2".
class StatusLog : public Core::Group {
  VG_CLASS()
 public:
  explicit StatusLog(XObject* link = nullptr) : Core::Group(link) {}
  // Also a picture as "picture INDEX WIDTH HEIGHT: SHOWN-WIDTH SHOWN-HEIGHT"
  // ("none" undecoded) and metadata as "metadata INDEX TITLE ARTIST SECONDS".
  XObject* DispatchEvent(Core::Event* event) override {
    if (auto* status = vg_cast<Events::StatusEvent>(event))
      seen.push_back(std::to_string(status->Code) + " " + std::to_string(status->SubCode0) + " " +
                     std::to_string(status->SubCode1) + " " + std::to_string(status->SubCode2));
    if (auto* picture = vg_cast<Media::PictureEvent>(event)) {
      GenImage image;
      if (picture->Picture && GenReadBitmap(picture->Picture->EngineBitmap(), &image))
        pictures[picture->Index] = image.pixels;
      const VgPoint shown = picture->Picture ? picture->Picture->OnGetSize() : VgPoint{};
      seen.push_back("picture " + std::to_string(picture->Index) + " " + std::to_string(picture->Width) + " " +
                     std::to_string(picture->Height) + ": " +
                     (picture->Picture ? std::to_string(shown.x) + " " + std::to_string(shown.y) : "none"));
    }
    if (auto* ready = vg_cast<Media::MetadataReadyEvent>(event)) {
      Media::MediaItem* item = ready->Item;
      std::string text = "metadata " + std::to_string(item ? item->AbsoluteIndex : -1);
      if (auto* music = item ? vg_cast<Media::MusicMetadata>(item->Metadata.get()) : nullptr)
        text += " " + VgStringToUtf8(music->Title) + " " + VgStringToUtf8(music->Artist) + " " +
                std::to_string(music->Duration);
      if (auto* video = item ? vg_cast<Media::VideoMetadata>(item->Metadata.get()) : nullptr)
        text += " " + VgStringToUtf8(video->Title) + " " + std::to_string(video->Duration) + "s " +
                std::to_string(video->Width) + "x" + std::to_string(video->Height);
      seen.push_back(text);
    }
    return nullptr;
  }
  std::string Last() const { return seen.empty() ? std::string() : seen.back(); }
  bool Saw(const std::string& status) const { return std::find(seen.begin(), seen.end(), status) != seen.end(); }
  std::vector<std::string> seen;
  // The pixels of each picture shown, by its index.
  std::map<int32_t, std::vector<GenColor>> pictures;
};

}  // namespace MediaTest

VG_DEFINE_CLASS(MediaTest, StatusLog, Core::Group)

namespace {

using MediaTest::StatusLog;
namespace fs = std::filesystem;

// A WAV file of 8000 bytes a second whose INFO list follows two megabytes of
// samples (a hole in the file).
bool WriteLongWav(const std::string& path) {
  auto chunk = [](const char* tag, const std::string& body) {
    std::string out(tag, 4);
    for (int i = 0; i < 4; ++i) out += char(body.size() >> (8 * i));
    return out + body + (body.size() % 2 ? std::string(1, '\0') : std::string());
  };
  auto le = [](uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += char(value >> (8 * i));
    return out;
  };
  constexpr uint32_t kSamples = 2 << 20;
  const std::string format = le(1, 2) + le(1, 2) + le(8000, 4) + le(8000, 4) + le(1, 2) + le(8, 2);
  const std::string info = chunk("LIST", std::string("INFO") + chunk("INAM", std::string("Late Title", 11)) +
                                             chunk("IART", std::string("Far Band", 9)));
  std::ofstream out(path, std::ios::binary);
  out << "RIFF" << le(4 + 24 + 8 + kSamples + uint32_t(info.size()), 4) << "WAVE" << chunk("fmt ", format) << "data"
      << le(kSamples, 4);
  out.seekp(kSamples, std::ios::cur);
  out << info;
  return bool(out);
}

class MediaBridge : public ListTest::MediaFixture {
 protected:
  void SetUp() override {
    MediaFixture::SetUp();
    log = VgNew<StatusLog>();
    VgLockObject(log);
    media->Initialize(log);
  }
  void TearDown() override {
    media->Initialize(top);
    VgUnlockObject(log);
    MediaFixture::TearDown();
  }
  // The set's clock moves on and the bridge takes what the library said.
  void SetTime(uint32_t ms) {
    simtv_advance(ms);
    Pump();
  }

  StatusLog* log = nullptr;
};

TEST_F(MediaBridge, RemovableCodesNameTheSlotsAndNothingElse) {
  const char* names[] = {"usba", "usbb", "usbc", "usbd", "mmc"};
  for (int32_t code = 242; code <= 246; ++code)
    EXPECT_EQ(VgStringToUtf8(Media::MediaWrapper::ConvertRemovableCode(code)), names[code - 242]);
  for (int32_t code : {0, 241, 247, -242}) EXPECT_EQ(Media::MediaWrapper::ConvertRemovableCode(code), nullptr);
}

TEST_F(MediaBridge, TheOpenMediumAndItsTypeFollowOpeningAndClosing) {
  EXPECT_EQ(media->GetCurMediumType(), Media::MediaWrapper::NoMedium);
  Folder({Music("One")});
  ASSERT_NE(media->GetCurMedium(), nullptr);
  EXPECT_EQ(VgStringToUtf8(media->GetCurMedium()->MountString), "/mnt/removable/usba");
  EXPECT_EQ(media->GetCurMediumType(), Media::MediumDevice::UsbStorage);
  media->CloseMedium();
  EXPECT_EQ(media->GetCurMedium(), nullptr);
  EXPECT_EQ(media->GetCurMediumType(), Media::MediaWrapper::NoMedium);
}

TEST_F(MediaBridge, PlaybackReportsProgressThenItsEnd) {
  Folder({Music("Short")});
  ASSERT_EQ(media->GetMediaItemCount(), 1);
  media->RequestPlay(media->GetMediaItem(0), Media::MediaWrapper::PlayThisItemOnly);
  SetTime(0);
  SetTime(SIMTV_PSL_PROGRESS_MS);
  EXPECT_TRUE(log->Saw("21 0 1 3")) << "a second of three";
  media->Pause();
  SetTime(5 * SIMTV_PSL_PROGRESS_MS);
  int32_t paused = 0;
  EXPECT_EQ(simtv_media_playing(nullptr, &paused, nullptr), 0);
  EXPECT_EQ(paused, 1);
  EXPECT_FALSE(log->Saw("22 0 -1 0")) << "a paused song does not end";
  media->Resume();
  SetTime(3 * SIMTV_PSL_PROGRESS_MS);
  EXPECT_TRUE(log->Saw("22 0 -1 0"));
  EXPECT_EQ(simtv_media_playing(nullptr, nullptr, nullptr), -1);
}

TEST_F(MediaBridge, ARemovedStickStopsPlaybackAndIsReportedByItsCode) {
  Folder({Music("One"), Music("Two")});
  media->RequestPlay(media->GetMediaItem(1), Media::MediaWrapper::PlayFolder);
  SetTime(0);
  ASSERT_EQ(simtv_media_playing(nullptr, nullptr, nullptr), 1);
  simtv_usb_remove();
  Pump();
  EXPECT_EQ(simtv_media_playing(nullptr, nullptr, nullptr), -1);
  EXPECT_TRUE(log->Saw("18 5 0 242"));
  EXPECT_EQ(media->GetMediumCount(), 0) << "the list is read again";
  EXPECT_FALSE(media->HasMedium(media->GetCurMedium()->MountString));
}

TEST_F(MediaBridge, AnAnswerForAFolderLeftIsDropped) {
  Folder({FolderEntry("Inner"), Photo("Outer")});
  ASSERT_EQ(media->GetMediaItemCount(), 2);
  media->RequestMetadata(1, true);
  ASSERT_TRUE(media->EnterFolder(0));
  Pump();
  EXPECT_EQ(media->GetMediaItemCount(), 0) << "an empty folder";
  EXPECT_TRUE(media->FolderReady());
  EXPECT_FALSE(media->AtRoot());
  ASSERT_TRUE(media->LeaveFolder());
  EXPECT_FALSE(media->LeaveFolder()) << "the root has no parent";
  Pump();
  ASSERT_EQ(media->GetMediaItemCount(), 2);
  EXPECT_EQ(media->GetMediaItem(1)->MetadataLoaded, 0) << "the answer was for the folder as it was before";
}

TEST_F(MediaBridge, LinksOutOfTheStickAreNotFollowedAndLongNamesAreCut) {
  const fs::path outside = fs::path(testing::TempDir()) / "outside-the-stick";
  fs::create_directories(outside);
  std::ofstream(outside / "secret.wav") << "x";
  Folder({Music("Inside")});
  const fs::path disk = NvPath(XPM_USB_DISK_MOUNT_POINT);
  fs::create_directory_symlink(outside, disk / "Away");
  // 70 two-byte letters: the name is cut on a letter's boundary.
  std::string longName;
  for (int i = 0; i < 70; ++i) longName += "\xC3\xA9";
  std::ofstream(disk / (longName + ".wav")) << "x";
  media->OpenMedium(media->GetCurMedium(), Media::MediaItem::Music);
  Pump();
  ASSERT_EQ(media->GetMediaItemCount(), 2) << "the link is left out";
  const std::string name = VgStringToUtf8(media->GetMediaItem(1)->Caption);
  EXPECT_LT(name.size(), size_t(PSL_NAME_MAX));
  EXPECT_EQ(name.size() % 2, 0u);
  fs::remove_all(outside);
}

TEST_F(MediaBridge, AMediaWindowLeavesWhenItsMediumGoesWhateverTheCode) {
  Folder({Music("One")});
  const auto removal = [](int32_t code) {
    return EventsStatusEvent__Initialize(VgNew<Events::StatusEvent>(), Media::MediaStatus::Device,
                                         Media::MediaStatus::DeviceRemoved, 0, code, 0);
  };
  EXPECT_FALSE(MediaPlayer::MediaWindow::OpenMediumRemoved(removal(243))) << "another slot";
  EXPECT_FALSE(MediaPlayer::MediaWindow::OpenMediumRemoved(removal(247))) << "still listed";
  EXPECT_TRUE(MediaPlayer::MediaWindow::OpenMediumRemoved(removal(242)));
  simtv_usb_remove();
  Pump();
  EXPECT_TRUE(MediaPlayer::MediaWindow::OpenMediumRemoved(removal(247))) << "gone from the list";
}


TEST_F(MediaBridge, AFolderComesInPagesAndItsFilesTellTheirFacts) {
  std::vector<ListTest::StickEntry> entries;
  for (int i = 10; i < 80; ++i) entries.push_back(Music("Track " + std::to_string(i)));
  Folder(entries);
  ASSERT_EQ(media->GetMediaItemCount(), 70);
  ASSERT_NE(media->GetMediaItem(69), nullptr) << "the second page came";
  EXPECT_EQ(VgStringToUtf8(media->GetMediaItem(69)->Caption), "Track 79.wav");
  media->RequestMetadata(0, false);
  Pump();
  EXPECT_EQ(log->Last(), "metadata 0 Track 10 Test Band 3");
  EXPECT_EQ(media->GetMediaItem(0)->MetadataLoaded, 1) << "later items carry it";
  Folder({Movie("Clip")});
  media->RequestMetadata(0, true);
  Pump();
  EXPECT_EQ(log->Last(), "metadata 0 Clip 1s 64x36") << "four frames at four a second";
  EXPECT_NE(media->GetMediaItem(0)->Thumb.get(), nullptr) << "the first frame";
  Folder({{"Long.wav", Media::MediaItem::Music, true, WriteLongWav}});
  media->RequestMetadata(0, false);
  Pump();
  EXPECT_EQ(log->Last(), "metadata 0 Late Title Far Band 263") << "the texts after the samples";
}

TEST_F(MediaBridge, PicturesAreFittedToTheScreenAndAnUndecodableOneHasNone) {
  Folder({Photo("Landscape"), Photo("Broken", false)});
  media->RequestPicture(0);
  media->RequestPicture(1);
  Pump();
  EXPECT_TRUE(log->Saw("picture 0 0 0: none"));
  EXPECT_TRUE(log->Saw("picture 1 480 360: 720 540"));
}

// A photo fitted to the screen comes a band of rows at a time, the next only
// once the bridge has taken the one before, so that the library never holds
// more of it than a band; the screens hear of it with its last band.
TEST_F(MediaBridge, APictureComesABandAtATime) {
  Folder({FolderEntry("Inner"), Photo("Landscape")});
  media->RequestPicture(1);
  simtv_settle();
  std::vector<PslNotice*> first = Take();
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0]->imageTop, 0);
  EXPECT_EQ(first[0]->imageWidth, 720);
  EXPECT_EQ(first[0]->pictureHeight, 540);
  ASSERT_LT(first[0]->imageHeight, 540);
  simtv_settle();
  EXPECT_TRUE(Take().empty()) << "the next band came before the first was taken";
  const int32_t next = first[0]->imageHeight;
  media->HandleEvent(MediaLibraryNotice__Create(first[0]));
  EXPECT_FALSE(log->Saw("picture 1 480 360: 720 540")) << "shown before its last band";
  simtv_settle();
  std::vector<PslNotice*> second = Take();
  ASSERT_EQ(second.size(), 1u);
  EXPECT_EQ(second[0]->imageTop, next);
  media->HandleEvent(MediaLibraryNotice__Create(second[0]));
  Pump();
  EXPECT_TRUE(log->Saw("picture 1 480 360: 720 540"));

  // Left for another folder after its first band: the rest of the picture is
  // dropped with what was made of it, and the screens hear nothing of it.
  log->seen.clear();
  media->RequestPicture(1);
  simtv_settle();
  std::vector<PslNotice*> begun = Take();
  ASSERT_EQ(begun.size(), 1u);
  media->HandleEvent(MediaLibraryNotice__Create(begun[0]));
  ASSERT_TRUE(media->EnterFolder(0));
  Pump();
  for (const std::string& seen : log->seen)
    EXPECT_NE(seen.rfind("picture ", 0), 0u) << "a picture of the folder left was shown: " << seen;
}

// An RGBA picture of width x height written as an 8-bit PNG file,
// interlaced or not.
bool WriteRgbaPng(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint8_t>& rgba,
                  bool interlaced) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool written = false;
  if (info && !setjmp(png_jmpbuf(png))) {
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_bytep> rows(height);
    for (uint32_t y = 0; y < height; ++y) rows[y] = const_cast<png_bytep>(rgba.data() + size_t(y) * width * 4);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    written = true;
  }
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
  return written;
}

// A photograph read a row at a time as it is fitted gives the pixels of the
// same photograph read whole (as an interlaced file is): larger than the
// screen and shrunk, smaller and grown, and its thumbnail.
TEST_F(MediaBridge, APictureReadRowByRowIsFittedAsOneReadWhole) {
  for (const auto& [width, height] : {std::pair<uint32_t, uint32_t>{1913, 1211}, {301, 203}}) {
    std::vector<uint8_t> rgba(size_t(width) * height * 4);
    for (size_t i = 0; i < rgba.size(); ++i) rgba[i] = uint8_t((i * 2654435761u) >> 13);
    auto file = [&](const std::string& name, bool interlaced) {
      ListTest::StickEntry entry = Photo(name);
      entry.write = [&, interlaced](const std::string& path) {
        return WriteRgbaPng(path, width, height, rgba, interlaced);
      };
      return entry;
    };
    Folder({file("Rows", false), file("Whole", true)});
    log->pictures.clear();
    media->RequestPicture(0);
    media->RequestPicture(1);
    media->RequestMetadata(0, true);
    media->RequestMetadata(1, true);
    Pump();
    ASSERT_EQ(log->pictures.size(), 2u) << width;
    EXPECT_FALSE(log->pictures[0].empty());
    EXPECT_EQ(log->pictures[0], log->pictures[1]) << width << " x " << height;
    GenImage thumbs[2];
    for (int32_t i = 0; i < 2; ++i) {
      Media::MediaItem* item = media->GetMediaItem(i);
      ASSERT_TRUE(item && item->Thumb.get()) << i;
      ASSERT_TRUE(GenReadBitmap(item->Thumb->EngineBitmap(), &thumbs[i]));
    }
    EXPECT_EQ(thumbs[0].pixels, thumbs[1].pixels) << width << " x " << height;
  }
}

TEST_F(MediaBridge, PlayModesRepeatAndTransportKeys) {
  Folder({Music("A"), Music("B"), Music("C")});
  // The folder on from B: then C, and the end.
  media->RequestPlay(media->GetMediaItem(1), Media::MediaWrapper::PlayFolder);
  SetTime(0);
  SetTime(3 * SIMTV_PSL_PROGRESS_MS);
  EXPECT_TRUE(log->Saw("22 1 2 0"));
  SetTime(3 * SIMTV_PSL_PROGRESS_MS);
  EXPECT_TRUE(log->Saw("22 2 -1 0"));
  // Repeat all goes round; next and previous skip about the folder.
  media->SetRepeatMode(1);
  media->RequestPlay(media->GetMediaItem(2), Media::MediaWrapper::PlayFolder);
  SetTime(0);
  SetTime(3 * SIMTV_PSL_PROGRESS_MS);
  EXPECT_TRUE(log->Saw("22 2 0 0"));
  media->PlayPrevious();
  SetTime(0);
  EXPECT_EQ(simtv_media_playing(nullptr, nullptr, nullptr), 2);
  media->PlayNext();
  SetTime(0);
  EXPECT_EQ(simtv_media_playing(nullptr, nullptr, nullptr), 0);
  // This entry only, repeated one: it starts again.
  media->SetRepeatMode(2);
  media->RequestPlay(media->GetMediaItem(1), Media::MediaWrapper::PlayThisItemOnly);
  SetTime(0);
  SetTime(3 * SIMTV_PSL_PROGRESS_MS);
  EXPECT_TRUE(log->Saw("22 1 1 0"));
  media->PlayNext();
  SetTime(0);
  EXPECT_EQ(simtv_media_playing(nullptr, nullptr, nullptr), 1) << "one entry has no next";
  media->RequestStop();
  EXPECT_EQ(simtv_media_playing(nullptr, nullptr, nullptr), -1);
}

TEST_F(MediaBridge, ServersShowWithTheHomeNetworkAndOpenAsMedia) {
  media->SetDlna(false);
  media->GetMediaServerList();
  EXPECT_EQ(media->GetMediaServerCount(), 0);
  media->SetDlna(true);
  media->GetMediaServerList();
  ASSERT_EQ(media->GetMediaServerCount(), 2);
  ASSERT_TRUE(media->RegisterMediaServer(0));
  media->RequestMediumList();
  ASSERT_EQ(media->GetMediumCount(), 1) << "no stick; the registered server";
  Media::MediumDevice* server = media->GetMedium(0);
  EXPECT_EQ(server->Type, Media::MediumDevice::Server);
  ASSERT_TRUE(media->OpenMedium(server, Media::MediaItem::Picture));
  Pump();
  ASSERT_EQ(media->GetMediaItemCount(), 2);
  EXPECT_EQ(VgStringToUtf8(media->GetMediaItem(1)->Caption), "Photos");
  ASSERT_TRUE(media->EnterFolder(1));
  Pump();
  ASSERT_EQ(media->GetMediaItemCount(), 2);
  media->RequestPicture(1);
  Pump();
  EXPECT_TRUE(log->Saw("picture 1 480 640: 405 540")) << "a portrait photo of the server";
  // The home network off: what the server showed is gone.
  media->SetDlna(false);
  media->RequestMediumList();
  EXPECT_EQ(media->GetMediumCount(), 0);
}

TEST_F(MediaBridge, ARefusedOpeningLeavesNoMediumOpen) {
  Folder({Music("One")});
  media->CloseMedium();
  media->RequestMediumList();
  ASSERT_EQ(simtv_fail("PslOpenMedium", PSL_ERR_NO_MEDIUM, 1), 0);
  testing::internal::CaptureStdout();
  EXPECT_FALSE(media->OpenMedium(media->GetMedium(0), Media::MediaItem::Music));
  EXPECT_NE(testing::internal::GetCapturedStdout().find("cannot be opened"), std::string::npos);
  EXPECT_EQ(media->GetCurMedium(), nullptr);
  EXPECT_EQ(media->GetMediaItemCount(), 0);
}

}  // namespace
