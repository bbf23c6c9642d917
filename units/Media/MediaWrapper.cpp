#include "Media/MediaWrapper.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "Events/Events.h"
#include "Media/Exports.h"
#include "psl.h"
#include "vgdebug.h"
#include "vgtrace.h"

VG_DEFINE_CLASS(Media, MediaWrapper, XObject)

namespace Media {

namespace {

constexpr int32_t kMaxMedia = 16;
constexpr int32_t kMaxServers = 64;
constexpr int32_t kMaxControllers = 64;

// The library's kinds of entries are the items' types.
static_assert(PSL_ENTRY_FOLDER == MediaItem::Folder && PSL_ENTRY_VIDEO == MediaItem::Video &&
              PSL_ENTRY_PICTURE == MediaItem::Picture && PSL_ENTRY_MUSIC == MediaItem::Music);
static_assert(PSL_MEDIUM_USB == MediumDevice::UsbStorage && PSL_MEDIUM_SD == MediumDevice::SdCard &&
              PSL_MEDIUM_SERVER == MediumDevice::Server);

struct RemovableName {
  int32_t code;
  const char16_t* name;
};
constexpr RemovableName kRemovableNames[] = {
    {PSL_CODE_USBA, u"usba"}, {PSL_CODE_USBB, u"usbb"}, {PSL_CODE_USBC, u"usbc"},
    {PSL_CODE_USBD, u"usbd"}, {PSL_CODE_MMC, u"mmc"},
};

bool InRange(int32_t i, size_t size) { return i >= 0 && size_t(i) < size; }

std::string Utf8(VgString text) { return text ? VgStringToUtf8(text) : std::string(); }

}  // namespace

void MediaWrapper::Initialize(Core::Group* root) { Root = root; }

void MediaWrapper::PslInitialize(int32_t dlna, int32_t renderer, int32_t accessControl) {
  if (started_) return;
  const int32_t result = ::PslInitialize(globalPsl, dlna, renderer, accessControl);
  // The library outlives the bridge of one period: a second start finds it running.
  started_ = result == PSL_OK || result == PSL_ERR_STATE;
  if (!started_) VgPrint("MediaWrapper: the media library did not start (%d)\n", result);
}

bool MediaWrapper::HandleEvent(Core::Event* event) {
  auto* notice = vg_cast<LibraryNotice>(event);
  if (!notice) return false;
  // Freed once taken: the library sends a picture's next band only then.
  if (PslNotice* taken = std::exchange(notice->Notice, nullptr)) {
    TakeNotice(*taken);
    PslFreeNotice(taken);
  }
  return true;
}

bool MediaWrapper::IsDmrConfiged() {
  VgPrint("DMR feature is disabled\n");
  return false;
}

void MediaWrapper::SetDlna(bool on) { PslSetDlna(globalPsl, on ? 1 : 0); }

VG_UNRECORDED_MARK void MediaWrapper::Mark() {
  XObject::Mark();
  for (const Folder& folder : folders_)
    for (const Entry& entry : folder.entries) VgMarkObject(entry.thumb);
}

void MediaWrapper::Send(Core::Event* event) {
  if (Root)
    Root->DispatchEvent(event);
  else
    VgPrint("MediaWrapper: no root for the library's %s\n", event->GetClass()->name);
}

void MediaWrapper::Status(int32_t code, int32_t sub0, int32_t sub1, int32_t sub2, int32_t sub3) {
  Send(EventsStatusEvent__Initialize(VgNew<Events::StatusEvent>(), uint16_t(code), sub0, sub1, sub2, sub3));
}

// -------------------------------------------------------- the open medium

VgString MediaWrapper::ConvertRemovableCode(int32_t code) {
  for (const RemovableName& row : kRemovableNames)
    if (row.code == code) return VgNewString(row.name);
  return nullptr;
}

bool MediaWrapper::OpenMedium(MediumDevice* medium, uint16_t kind) {
  if (!medium) return false;
  CloseMedium();
  const std::string mount = Utf8(medium->MountString);
  const int32_t kinds = PSL_SHOWS(kind & 0xFF);
  int32_t serial = -1;
  const int32_t result = PslOpenMedium(globalPsl, Browser, mount.c_str(), kinds, &serial);
  if (result != PSL_OK) {
    VgPrint("MediaWrapper: the medium %s cannot be opened (%d)\n", mount.c_str(), result);
    return false;
  }
  folders_[Browser] = Folder{.serial = serial};
  arriving_ = {};
  // The background music comes from the same medium.
  int32_t music = -1;
  if (PslOpenMedium(globalPsl, BackgroundMusic, mount.c_str(), PSL_SHOWS(PSL_ENTRY_MUSIC), &music) == PSL_OK)
    folders_[BackgroundMusic] = Folder{.serial = music};
  CurMedium = medium;
  return true;
}

void MediaWrapper::CloseMedium() {
  if (!CurMedium) return;
  PslCloseMedium(globalPsl, Browser);
  PslCloseMedium(globalPsl, BackgroundMusic);
  folders_[Browser] = Folder{};
  folders_[BackgroundMusic] = Folder{};
  bgmChosen_ = -1;
  CurMedium = nullptr;
}

// ------------------------------------------------------------- folders

int32_t MediaWrapper::Count(int32_t cursor) const {
  const Folder& folder = folders_[cursor];
  return folder.ready ? int32_t(folder.entries.size()) : 0;
}

MediaItem* MediaWrapper::NewItem(int32_t cursor, int32_t i) {
  Folder& folder = folders_[cursor];
  if (!folder.ready || !InRange(i, folder.entries.size())) return nullptr;
  const Entry& entry = folder.entries[size_t(i)];
  if (!entry.fetched) return nullptr;
  MediaItem* item = MediaMediaItem__Initialize(VgNew<MediaItem>(), entry.type, entry.name.c_str(), i);
  if (!entry.metadata) return item;
  item->MetadataLoaded = 1;
  item->Thumb = entry.thumb;
  if (entry.type == MediaItem::Music) {
    item->Metadata = MediaMusicMetadata__Initialize(VgNew<MusicMetadata>(), entry.title.c_str(), entry.artist.c_str(),
                                                    entry.album.c_str(), entry.seconds);
  } else if (entry.type == MediaItem::Video) {
    item->Metadata = MediaVideoMetadata__Initialize(VgNew<VideoMetadata>(), entry.title.c_str(), entry.seconds,
                                                    entry.width, entry.height);
  }
  return item;
}

bool MediaWrapper::Browse(int32_t cursor, int32_t result, int32_t serial, int32_t depthChange) {
  if (result != PSL_OK) return false;
  const int32_t depth = folders_[cursor].depth + depthChange;
  folders_[cursor] = Folder{.serial = serial, .depth = depth};
  if (cursor == BackgroundMusic) bgmChosen_ = -1;
  // A picture half come from the folder left is of no use.
  if (cursor == Browser) arriving_ = {};
  return true;
}

bool MediaWrapper::EnterFolder(int32_t i) {
  int32_t serial = -1;
  const int32_t result = PslEnterFolder(globalPsl, Browser, i, &serial);
  return Browse(Browser, result, serial, 1);
}

bool MediaWrapper::LeaveFolder() {
  if (AtRoot()) return false;
  int32_t serial = -1;
  const int32_t result = PslLeaveFolder(globalPsl, Browser, &serial);
  return Browse(Browser, result, serial, -1);
}

MediaItem* MediaWrapper::GetMediaItem(int32_t i) { return NewItem(Browser, i); }

void MediaWrapper::SelectMediaItem(int32_t i) { PslSelectEntry(globalPsl, Browser, i); }

void MediaWrapper::RequestMetadata(int32_t i, bool thumb) { PslRequestMetadata(globalPsl, i, thumb ? 1 : 0); }

void MediaWrapper::RequestPicture(int32_t i) { PslRequestPicture(globalPsl, i, PictureWidth, PictureHeight); }

// ------------------------------------------------------------ playback

void MediaWrapper::RequestPlay(MediaItem* item, int32_t mode) {
  if (item) PslPlay(globalPsl, Browser, item->AbsoluteIndex, mode);
}

// The movie previews in the list's window as any playback does: the
// library needs no other call for it.
void MediaWrapper::RequestMoviePreviewPlay(MediaItem* item, int32_t mode) { RequestPlay(item, mode); }

void MediaWrapper::SetRepeatMode(int32_t mode) { PslSetRepeatMode(globalPsl, mode); }

void MediaWrapper::RequestStop() { PslStop(globalPsl); }

void MediaWrapper::Pause() { PslExternalSendNavCommand(globalPsl, PSL_NAV_PAUSE); }

void MediaWrapper::Resume() { PslExternalSendNavCommand(globalPsl, PSL_NAV_PLAY); }

void MediaWrapper::PlayNext() { PslExternalSendNavCommand(globalPsl, PSL_NAV_NEXT); }

void MediaWrapper::PlayPrevious() { PslExternalSendNavCommand(globalPsl, PSL_NAV_PREVIOUS); }

// --------------------------------------------------- background music

MediaItem* MediaWrapper::GetBgmItem(int32_t i) { return NewItem(BackgroundMusic, i); }

void MediaWrapper::SelectBgmItem(int32_t i) { PslSelectEntry(globalPsl, BackgroundMusic, i); }

bool MediaWrapper::EnterBgmFolder(int32_t i) {
  int32_t serial = -1;
  const int32_t result = PslEnterFolder(globalPsl, BackgroundMusic, i, &serial);
  return Browse(BackgroundMusic, result, serial, 1);
}

bool MediaWrapper::LeaveBgmFolder() {
  if (BgmAtRoot()) return false;
  int32_t serial = -1;
  const int32_t result = PslLeaveFolder(globalPsl, BackgroundMusic, &serial);
  return Browse(BackgroundMusic, result, serial, -1);
}

void MediaWrapper::ChooseBackgroundMusic(int32_t i) {
  const Folder& folder = folders_[BackgroundMusic];
  if (InRange(i, folder.entries.size()) && folder.entries[size_t(i)].type == MediaItem::Music) bgmChosen_ = i;
}

bool MediaWrapper::PlayBackgroundMusic() {
  if (bgmChosen_ < 0) return false;
  PslSetRepeatMode(globalPsl, PSL_REPEAT_ALL);
  return PslPlay(globalPsl, BackgroundMusic, bgmChosen_, PSL_PLAY_ONE) == PSL_OK;
}

// ------------------------------------------------------------- servers

void MediaWrapper::GetMediaServerList() {
  PslServer list[kMaxServers];
  int32_t count = 0;
  servers_.clear();
  if (PslGetServerList(globalPsl, list, kMaxServers, &count) != PSL_OK) return;
  for (int32_t i = 0; i < count; ++i) servers_.push_back({list[i].name, list[i].id, list[i].registered != 0});
}

MediaServer* MediaWrapper::GetMediaServer(int32_t i) {
  if (!InRange(i, servers_.size())) return nullptr;
  auto* record = VgNew<MediaServer>();
  record->Name = VgNewStringUtf8(servers_[size_t(i)].name.c_str());
  record->Registered = servers_[size_t(i)].registered;
  return record;
}

int32_t MediaWrapper::GetRegisteredServerCount() const {
  return int32_t(std::count_if(servers_.begin(), servers_.end(), [](const Server& s) { return s.registered; }));
}

bool MediaWrapper::RegisterMediaServer(int32_t i) {
  if (!InRange(i, servers_.size())) return false;
  Server& server = servers_[size_t(i)];
  if (server.registered) return true;
  if (GetRegisteredServerCount() >= MaxRegisteredServers) {
    VgPrint("MediaWrapper: %d servers are registered already\n", MaxRegisteredServers);
    return false;
  }
  if (PslRegisterServer(globalPsl, server.id.c_str(), 1) != PSL_OK) return false;
  server.registered = true;
  return true;
}

void MediaWrapper::UnRegisterMediaServer(int32_t i) {
  if (!InRange(i, servers_.size())) return;
  Server& server = servers_[size_t(i)];
  if (PslRegisterServer(globalPsl, server.id.c_str(), 0) == PSL_OK) server.registered = false;
}

// -------------------------------------------- controllers and devices

void MediaWrapper::RequestMediaControllorList() {
  VgTrace("%s", u"MediaWrapper.RequestMediaControllorList");
  PslController list[kMaxControllers];
  int32_t count = 0;
  controllers_.clear();
  if (PslGetControllerList(globalPsl, list, kMaxControllers, &count) != PSL_OK) return;
  for (int32_t i = 0; i < count; ++i) controllers_.push_back({list[i].name, list[i].mac, list[i].access != 0});
}

MediaControllor* MediaWrapper::GetMediaControllor(int32_t i) {
  if (!InRange(i, controllers_.size())) return nullptr;
  const Controller& controller = controllers_[size_t(i)];
  auto* record = VgNew<MediaControllor>();
  record->Name = VgNewStringUtf8(controller.name.c_str());
  record->MacAddress = VgNewStringUtf8(controller.mac.c_str());
  record->Access = controller.access;
  return record;
}

void MediaWrapper::SetControllorAccess(int32_t i, bool access) {
  if (!InRange(i, controllers_.size())) return;
  Controller& controller = controllers_[size_t(i)];
  if (PslSetControllerAccess(globalPsl, controller.mac.c_str(), access ? 1 : 0) == PSL_OK) controller.access = access;
}

void MediaWrapper::RequestMediumList() {
  PslMedium list[kMaxMedia];
  int32_t count = 0;
  media_.clear();
  if (PslGetMediumList(globalPsl, list, kMaxMedia, &count) != PSL_OK) return;
  for (int32_t i = 0; i < count; ++i)
    media_.push_back({uint16_t(list[i].kind), list[i].name, list[i].available != 0, list[i].mount});
}

MediumDevice* MediaWrapper::GetMedium(int32_t i) {
  if (!InRange(i, media_.size())) return nullptr;
  const Device& device = media_[size_t(i)];
  return MediaMediumDevice__Initialize(VgNew<MediumDevice>(), device.type, device.name.c_str(),
                                       device.available ? 1 : 0, device.mount.c_str());
}

bool MediaWrapper::HasMedium(VgString mountString) const {
  const std::string mount = Utf8(mountString);
  return std::any_of(media_.begin(), media_.end(), [&mount](const Device& d) { return d.mount == mount; });
}

// ------------------------------------------------------------- notices

void MediaWrapper::TakeNotice(const PslNotice& notice) {
  switch (notice.kind) {
    case PSL_NOTICE_FOLDER:
      TakeFolder(notice);
      break;
    case PSL_NOTICE_METADATA:
      TakeMetadata(notice);
      break;
    case PSL_NOTICE_PICTURE:
      TakePicture(notice);
      break;
    case PSL_NOTICE_PROGRESS:
      // Only the browser's playback has a screen that shows it.
      if (notice.cursor == Browser)
        Status(MediaStatus::PlayProgress, notice.entry, notice.seconds, notice.total, notice.state);
      break;
    case PSL_NOTICE_ENDED:
      if (notice.cursor == Browser) Status(MediaStatus::PlayEnded, notice.entry, notice.next, 0, 0);
      break;
    case PSL_NOTICE_MEDIUM:
      TakeMedium(notice);
      break;
    default:
      VgPrint("MediaWrapper: a library notice of kind %d is not known\n", notice.kind);
      break;
  }
}

void MediaWrapper::TakeFolder(const PslNotice& notice) {
  if (notice.cursor != Browser && notice.cursor != BackgroundMusic) return;
  Folder& folder = folders_[notice.cursor];
  if (notice.serial != folder.serial) return;
  const int32_t count = std::clamp(notice.count, 0, int32_t(PSL_FOLDER_MAX));
  if (notice.first == 0) {
    folder.entries.assign(size_t(count), Entry{});
    folder.ready = true;
  } else if (!folder.ready) {
    return;
  }
  const int32_t page = notice.entries ? notice.pageCount : 0;
  for (int32_t i = 0; i < page; ++i) {
    const int32_t at = notice.first + i;
    if (!InRange(at, folder.entries.size())) break;
    Entry& entry = folder.entries[size_t(at)];
    entry.fetched = true;
    entry.type = uint16_t(notice.entries[i].kind);
    entry.name.assign(notice.entries[i].name, strnlen(notice.entries[i].name, PSL_NAME_MAX));
  }
  Status(MediaStatus::Folder, notice.cursor, int32_t(folder.entries.size()), notice.first, 0);
}

void MediaWrapper::TakeMetadata(const PslNotice& notice) {
  Folder& folder = folders_[Browser];
  if (notice.serial != folder.serial || !InRange(notice.entry, folder.entries.size())) return;
  Entry& entry = folder.entries[size_t(notice.entry)];
  if (!entry.fetched) return;
  entry.metadata = true;
  entry.title.assign(notice.title, strnlen(notice.title, PSL_NAME_MAX));
  entry.artist.assign(notice.artist, strnlen(notice.artist, PSL_NAME_MAX));
  entry.album.assign(notice.album, strnlen(notice.album, PSL_NAME_MAX));
  entry.seconds = notice.seconds;
  entry.width = notice.width;
  entry.height = notice.height;
  entry.thumb = MediaBitmap__FromPixels(notice.image, notice.imageWidth, notice.imageHeight);
  auto* event = VgNew<MetadataReadyEvent>();
  event->Item = NewItem(Browser, notice.entry);
  Send(event);
}

// A picture comes a band of rows at a time; the screens hear of it once the
// last band is in, or at once when it cannot be decoded or kept.
void MediaWrapper::TakePicture(const PslNotice& notice) {
  const Folder& folder = folders_[Browser];
  Arriving& a = arriving_;
  if (notice.serial != folder.serial) {
    // The folder it was asked for has gone: so has the picture's use.
    if (a.serial != folder.serial) a = {};
    return;
  }
  if (notice.image && notice.imageTop == 0) {
    a = {notice.serial, notice.entry, std::make_unique<GenPictureMaker>(notice.imageWidth, notice.pictureHeight)};
  } else if (notice.image && (a.serial != notice.serial || a.entry != notice.entry || !a.maker ||
                              a.maker->RowsAdded() != notice.imageTop)) {
    // The rest of a picture already given up on says nothing new.
    if (a.serial != notice.serial || a.entry != notice.entry || a.maker)
      VgPrint("MediaWrapper: rows %d of picture %d came without the rows before them\n", notice.imageTop,
              notice.entry);
    return;
  }
  Resources::Bitmap* picture = nullptr;
  if (notice.image) {
    if (!a.maker->AddRows(notice.image, notice.imageHeight)) {
      VgPrint("MediaWrapper: picture %d cannot be kept\n", notice.entry);
      a.maker.reset();
      SendPicture(notice, nullptr);
      return;
    }
    if (a.maker->RowsAdded() < notice.pictureHeight) return;
    picture = MediaBitmap__FromMade(a.maker->Finish(), notice.imageWidth, notice.pictureHeight);
  }
  a = {};
  SendPicture(notice, picture);
}

void MediaWrapper::SendPicture(const PslNotice& notice, Resources::Bitmap* picture) {
  auto* event = VgNew<PictureEvent>();
  event->Index = notice.entry;
  event->Width = notice.width;
  event->Height = notice.height;
  event->Picture = picture;
  Send(event);
}

// The open medium stays open until its screens close it: they compare the
// removed device with it.
void MediaWrapper::TakeMedium(const PslNotice& notice) {
  RequestMediumList();
  Status(MediaStatus::Device, notice.present ? MediaStatus::DeviceAdded : MediaStatus::DeviceRemoved, 0, notice.code,
         0);
}

}  // namespace Media
