// Media::MediaWrapper: the bridge between the interface and the media
// library (psl.h), the auto object that the application root holds. It starts
// the library once, is told which group receives the library's events, is
// offered every broadcast first and takes the library's notices there,
// turning them into the screens' events (Media/MediaEvents.h); it reports
// that the media renderer is not configured.
//
// The bridge keeps what the library answered: the folder the browser shows
// and the background-music folder, each entry with its metadata and
// thumbnail once known, the storage devices, servers and controllers. The
// screens read them synchronously; what takes the library time (a folder's
// pages, metadata, pictures, playback) comes later as events sent to the
// root.
//
// One medium is open at a time, in both folders: the device selection opens
// it (OpenMedium), the media views move through its folders (EnterFolder,
// LeaveFolder) and close it when they leave.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Core/Event.h"
#include "Core/Group.h"
#include "GenBitmap.h"
#include "Media/MediaEvents.h"
#include "Media/MediaItem.h"
#include "Resources/Bitmap.h"
#include "vgobject.h"
#include "vgstring.h"

struct PslNotice;

namespace Media {

class MediaWrapper : public XObject {
  VG_CLASS()

 public:
  explicit MediaWrapper(XObject* link = nullptr) : XObject(link) {}

  // At most this many media servers are registered at once.
  static constexpr int32_t MaxRegisteredServers = 8;
  // What GetCurMediumType answers while no medium is open.
  static constexpr uint16_t NoMedium = 3;
  // The folders the bridge browses.
  static constexpr int32_t Browser = 0;
  static constexpr int32_t BackgroundMusic = 1;
  // Play modes: from the entry on through its folder, or this entry only.
  static constexpr int32_t PlayFolder = 0;
  static constexpr int32_t PlayThisItemOnly = 4;
  // The screen a picture is fitted to.
  static constexpr int32_t PictureWidth = 960;
  static constexpr int32_t PictureHeight = 540;

  // Binds the bridge to the group that receives the library's events.
  void Initialize(Core::Group* root);
  // Starts the library; a second start while it runs changes nothing.
  void PslInitialize(int32_t dlna, int32_t renderer, int32_t accessControl);
  // True when the event was one of the library's notices, now taken; false
  // for every other event.
  bool HandleEvent(Core::Event* event);
  // Prints "DMR feature is disabled" and answers false: this set has no
  // media renderer.
  bool IsDmrConfiged();
  // The home network's servers and controllers shown or not.
  void SetDlna(bool on);

  // ----------------------------------------------------- the open medium

  // Opens the medium of the mount string, showing folders and entries of
  // the kind (MediaItem::Music, Picture or Video) in both folders, and makes
  // it current; false when the library has no such medium. The browser's
  // first page arrives as a MediaStatus::Folder event.
  bool OpenMedium(MediumDevice* medium, uint16_t kind);
  void CloseMedium();
  // The open medium, or null; its type, NoMedium when none is open.
  MediumDevice* GetCurMedium() const { return CurMedium; }
  uint16_t GetCurMediumType() const { return CurMedium ? CurMedium->Type : NoMedium; }
  // The device name of a removable-device code: 242 "usba", 243 "usbb",
  // 244 "usbc", 245 "usbd", 246 "mmc"; null for any other code.
  static VgString ConvertRemovableCode(int32_t code);

  // ------------------------------------------------------ the browser

  // Into folder entry i, or up to the parent (false at the medium's root).
  // The new folder's pages arrive as MediaStatus::Folder events.
  bool EnterFolder(int32_t i);
  bool LeaveFolder();
  bool AtRoot() const { return folders_[Browser].depth == 0; }
  // Whether the folder's first page has arrived.
  bool FolderReady() const { return folders_[Browser].ready; }
  // The browsed folder: its entries (0 when no folder is open or read), a
  // new item for entry i (null outside the folder or while its page is
  // fetched), and the entry made current.
  int32_t GetMediaItemCount() const { return Count(Browser); }
  MediaItem* GetMediaItem(int32_t i);
  void SelectMediaItem(int32_t i);
  // Asks for the metadata (and, with thumb, the thumbnail) of entry i: a
  // MetadataReadyEvent answers.
  void RequestMetadata(int32_t i, bool thumb);
  // Asks for picture i fitted to the screen: a PictureEvent answers.
  void RequestPicture(int32_t i);

  // ------------------------------------------------------------ playback

  // Plays an entry of the browser's folder; mode PlayThisItemOnly plays it
  // alone. Progress and the end come as MediaStatus events.
  void RequestPlay(MediaItem* item, int32_t mode);
  void RequestMoviePreviewPlay(MediaItem* item, int32_t mode);
  // 0 off, 1 all, 2 the entry.
  void SetRepeatMode(int32_t mode);
  void RequestStop();
  // Transport keys for what plays.
  void Pause();
  void Resume();
  void PlayNext();
  void PlayPrevious();

  // ------------------------------------------------- background music

  // The background-music folder of the slide show, on the open medium.
  int32_t GetBgmItemCount() const { return Count(BackgroundMusic); }
  MediaItem* GetBgmItem(int32_t i);
  void SelectBgmItem(int32_t i);
  bool EnterBgmFolder(int32_t i);
  bool LeaveBgmFolder();
  bool BgmAtRoot() const { return folders_[BackgroundMusic].depth == 0; }
  // The entry of the background-music folder that plays behind the photos.
  void ChooseBackgroundMusic(int32_t i);
  bool HasBackgroundMusic() const { return bgmChosen_ >= 0; }
  // Plays the chosen music round and round; false when none was chosen.
  bool PlayBackgroundMusic();

  // ------------------------------------------------------------ servers

  // The list is read anew by GetMediaServerList; a server that has gone
  // since gives null. Registering is refused (false) when
  // MaxRegisteredServers are registered already.
  void GetMediaServerList();
  int32_t GetMediaServerCount() const { return int32_t(servers_.size()); }
  MediaServer* GetMediaServer(int32_t i);
  bool RegisterMediaServer(int32_t i);
  void UnRegisterMediaServer(int32_t i);
  int32_t GetRegisteredServerCount() const;

  // ------------------------------------------- controllers and devices

  void RequestMediaControllorList();
  int32_t GetMediaControllorCount() const { return int32_t(controllers_.size()); }
  MediaControllor* GetMediaControllor(int32_t i);
  // Lets controller i play on the set, or not.
  void SetControllorAccess(int32_t i, bool access);
  void RequestMediumList();
  int32_t GetMediumCount() const { return int32_t(media_.size()); }
  MediumDevice* GetMedium(int32_t i);
  // Whether a medium of that mount string is among those last read.
  bool HasMedium(VgString mountString) const;

  bool OnGetStarted() const { return started_; }
  // The serial of the folder the bridge expects next in a cursor, so that a
  // notice of another folder is told apart.
  int32_t FolderSerial(int32_t cursor) const { return folders_[cursor & 1].serial; }

  // Takes one of the library's notices: the owner frees it.
  void TakeNotice(const PslNotice& notice);

  void Mark() override;

  VgPtr<Core::Group> Root;
  VgPtr<MediumDevice> CurMedium;

  // What the bridge knows of an entry.
  struct Entry {
    bool fetched = false;
    bool metadata = false;
    uint16_t type = MediaItem::Folder;
    std::string name;
    std::string title;
    std::string artist;
    std::string album;
    int32_t seconds = 0;
    int32_t width = 0;
    int32_t height = 0;
    // Held here and marked by Mark.
    Resources::Bitmap* thumb = nullptr;
  };
  struct Folder {
    int32_t serial = -1;
    bool ready = false;
    int32_t depth = 0;
    std::vector<Entry> entries;
  };
  struct Device {
    uint16_t type = 0;
    std::string name;
    bool available = false;
    std::string mount;
  };
  struct Server {
    std::string name;
    std::string id;
    bool registered = false;
  };
  struct Controller {
    std::string name;
    std::string mac;
    bool access = false;
  };

 private:
  int32_t Count(int32_t cursor) const;
  MediaItem* NewItem(int32_t cursor, int32_t i);
  bool Browse(int32_t cursor, int32_t result, int32_t serial, int32_t depthChange);
  void Send(Core::Event* event);
  void TakeFolder(const PslNotice& notice);
  void TakeMetadata(const PslNotice& notice);
  void TakePicture(const PslNotice& notice);
  void SendPicture(const PslNotice& notice, Resources::Bitmap* picture);
  void TakeMedium(const PslNotice& notice);
  void Status(int32_t code, int32_t sub0, int32_t sub1, int32_t sub2, int32_t sub3);

  bool started_ = false;
  Folder folders_[2];
  // The picture whose bands are arriving, and what its rows so far make.
  struct Arriving {
    int32_t serial = -1;
    int32_t entry = -1;
    std::unique_ptr<GenPictureMaker> maker;
  };
  Arriving arriving_;
  int32_t bgmChosen_ = -1;
  std::vector<Device> media_;
  std::vector<Server> servers_;
  std::vector<Controller> controllers_;
};

}  // namespace Media
