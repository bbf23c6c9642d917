// The host screen of the media, photo, playback and device lists as their
// owning screens hold them: it takes the owner roles and notes each call of
// the list and each message the list sends among the slots it heard. The
// media bridge is kept alive over the simulated media library, on the set's
// virtual clock; the library's notices wait in the fixture until the test
// hands them to the bridge (Pump, AnswerMetadata), as the GUI loop would.
//
//   class PhotoGrids : public ListTest::MediaFixture {};
//   TEST_F(PhotoGrids, ...) {
//     Folder({Photo("a"), Photo("b")});
//     Embed(VgNew<ListForm::PhotoGridView>());
//     AnswerMetadata();
//   }
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "ListForm/ListOwners.h"
#include "Media/MediaWrapper.h"
#include "list_host.h"

struct PslNotice;

namespace ListTest {

// Heard as "DoItemActivate", "UpdateMediaInfo", "UpdateContentInfo",
// "LaunchPlayer <index> <device> <type> <active> <caption>" and
// "MSG <code>".
class Owner : public Host, public ListForm::ItemOwner, public ListForm::DeviceOwner {
  VG_CLASS()
 public:
  void DoItemActivate(Forms::Ctrl* row) override;
  void UpdateMediaInfo() override;
  void UpdateContentInfo() override;
  bool PreviewsMovies() const override { return movies; }
  void LaunchPlayer(int32_t index, VgString device, uint16_t type, bool active, VgString caption) override;
  void HandleMessage(Structures::Message* message) override;

  bool movies = false;
};

// One entry of a folder the test puts on the stick: a file of the stick's
// kinds, or a folder. A photo without a thumbnail is a file that is no
// picture.
struct StickEntry {
  std::string name;
  uint16_t type = Media::MediaItem::Music;
  bool readable = true;
  // Writes the file at the path instead, true when it could.
  std::function<bool(const std::string&)> write;
};

class MediaFixture : public ListFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  static StickEntry Music(const std::string& caption) { return {caption + ".wav", Media::MediaItem::Music}; }
  static StickEntry Movie(const std::string& caption) { return {caption + ".clip", Media::MediaItem::Video}; }
  static StickEntry FolderEntry(const std::string& caption) { return {caption, Media::MediaItem::Folder}; }
  static StickEntry Photo(const std::string& caption, bool thumb = true) {
    return {caption + ".png", Media::MediaItem::Picture, thumb};
  }
  // A stick holding the entries goes into the set in place of the last one;
  // the bridge opens it for the kind of its first file and takes its first
  // pages. The library lists folders first, then files by name.
  void Folder(const std::vector<StickEntry>& entries);
  // The set settles and the bridge takes every notice of the library.
  void Pump();
  // The bridge takes the metadata answers of the requests made so far (and
  // the other notices before them); the number of metadata answers taken.
  int32_t AnswerMetadata();
  // Metadata answers the library has given that the bridge has not taken.
  int32_t PendingMetadata();
  // The notices waiting are dropped, as for a folder left meanwhile.
  void DropNotices();
  // How often the list told the screens that its folder is empty.
  int NoMediaFilesSent() const;
  // The library's calls since the last call, joined by commas, each as
  // "PslPlay 0 3 4" (the handle left out).
  std::string Asked();

  Owner* owner = nullptr;
  Media::MediaWrapper* media = nullptr;

  // The notices the library sent since the last take, the caller's to free.
  std::vector<PslNotice*> Take();

 private:
  static void Collect(void* context, PslNotice* notice);

  std::mutex mutex_;
  std::vector<PslNotice*> notices_;
  int sticks_ = 0;
  std::string root_;
};

}  // namespace ListTest
