// The host screen of the media, photo, playback and device lists as their
// owning screens hold them: it takes the owner roles and notes each call of
// the list and each message the list sends among the slots it heard, and the
// media bridge is kept alive, with its library emptied, its answers going to
// the host's root.
//
//   class PhotoGrids : public ListTest::MediaFixture {};
//   TEST_F(PhotoGrids, ...) {
//     Folder({Photo("a"), Photo("b")});
//     Embed(VgNew<ListForm::PhotoGridView>());
//     media->AnswerMetadata();
//   }
#pragma once

#include <string>
#include <vector>

#include "ListForm/ListOwners.h"
#include "Media/MediaWrapper.h"
#include "list_host.h"

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

class MediaFixture : public ListFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  static Media::LibraryEntry Music(const std::string& caption) { return {caption, Media::MediaItem::Music}; }
  static Media::LibraryEntry Movie(const std::string& caption) { return {caption, Media::MediaItem::Video}; }
  static Media::LibraryEntry FolderEntry(const std::string& caption) { return {caption, Media::MediaItem::Folder}; }
  static Media::LibraryEntry Photo(const std::string& caption, const VgConstant* thumb = nullptr) {
    return {caption, Media::MediaItem::Picture, thumb};
  }
  void Folder(std::vector<Media::LibraryEntry> entries) { media->library.folder = std::move(entries); }
  // How often the list told the screens that its folder is empty.
  int NoMediaFilesSent() const;
  // What the library was asked since the last call, joined by commas.
  std::string Asked();

  Owner* owner = nullptr;
  Media::MediaWrapper* media = nullptr;

 private:
  size_t asked = 0;
};

}  // namespace ListTest
