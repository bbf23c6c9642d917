#include "Media/MediaWrapper.h"

#include <algorithm>

#include "vgdebug.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(Media, MediaWrapper, XObject)
VG_DEFINE_CLASS(Media, MetadataReadyEvent, Core::Event)
VG_DEFINE_CLASS(Media, PictureEvent, Core::Event)

namespace Media {

namespace {

template <class T>
const T* At(const std::vector<T>& list, int32_t i) {
  return i >= 0 && static_cast<size_t>(i) < list.size() ? &list[static_cast<size_t>(i)] : nullptr;
}

VgString Text(const std::string& text) { return VgNewStringUtf8(text.c_str()); }

// What the library knows of an entry once it has read its metadata.
void AddMetadata(MediaItem* item, const LibraryEntry& entry) {
  item->MetadataLoaded = 1;
  if (entry.thumb) item->Thumb = VgLoad<Resources::Bitmap>(*entry.thumb);
  switch (entry.type & 0xFF) {
    case MediaItem::Music:
      item->Metadata = VgNew<MusicMetadata>();
      break;
    case MediaItem::Video:
      item->Metadata = VgNew<VideoMetadata>();
      break;
    default:
      break;
  }
}

}  // namespace

void MediaWrapper::Initialize(Core::Group* root) { Root = root; }

void MediaWrapper::PslInitialize(int32_t dlna, int32_t renderer, int32_t accessControl) {
  if (started_) return;
  started_ = dlna != 0;
  renderer_ = renderer;
  accessControl_ = accessControl;
}

bool MediaWrapper::HandleEvent(Core::Event*) { return false; }

bool MediaWrapper::IsDmrConfiged() {
  VgPrint("DMR feature is disabled\n");
  return false;
}

void MediaWrapper::Note(const std::string& call) { library.asked.push_back(call); }

MediaItem* MediaWrapper::NewItem(const std::vector<LibraryEntry>& entries, int32_t i) {
  const LibraryEntry* entry = At(entries, i);
  if (!entry || !entry->fetched) return nullptr;
  auto* item = VgNew<MediaItem>();
  item->Type = entry->type;
  item->Caption = Text(entry->caption);
  item->AbsoluteIndex = i;
  if (entry->metadataKnown) AddMetadata(item, *entry);
  return item;
}

// ------------------------------------------------------------ the folder

int32_t MediaWrapper::GetMediaItemCount() { return static_cast<int32_t>(library.folder.size()); }

MediaItem* MediaWrapper::GetMediaItem(int32_t i) { return NewItem(library.folder, i); }

void MediaWrapper::SelectMediaItem(int32_t i) { Note("SelectMediaItem " + std::to_string(i)); }

void MediaWrapper::RequestMetadata(int32_t i, bool) {
  Note("RequestMetadata " + std::to_string(i));
  library.pendingMetadata.push_back(i);
}

void MediaWrapper::RequestPlay(MediaItem* item, int32_t mode) {
  Note("RequestPlay " + std::to_string(item ? item->AbsoluteIndex : -1) + " " + std::to_string(mode));
}

void MediaWrapper::RequestMoviePreviewPlay(MediaItem* item, int32_t mode) {
  Note("RequestMoviePreviewPlay " + std::to_string(item ? item->AbsoluteIndex : -1) + " " + std::to_string(mode));
}

void MediaWrapper::SetRepeatMode(int32_t mode) { Note("SetRepeatMode " + std::to_string(mode)); }

void MediaWrapper::RequestStop() { Note("RequestStop"); }

int32_t MediaWrapper::AnswerMetadata() {
  std::vector<int32_t> answering;
  answering.swap(library.pendingMetadata);
  int32_t answered = 0;
  for (int32_t i : answering) {
    LibraryEntry* entry = i >= 0 && static_cast<size_t>(i) < library.folder.size() ? &library.folder[size_t(i)] : nullptr;
    if (!entry) continue;
    entry->metadataKnown = true;
    if (!Root) {
      VgPrint("MediaWrapper: no root for the metadata of entry %d\n", i);
      continue;
    }
    auto* event = VgNew<MetadataReadyEvent>();
    event->Item = NewItem(library.folder, i);
    Root->DispatchEvent(event);
    ++answered;
  }
  return answered;
}

// ------------------------------------------------- the background music

int32_t MediaWrapper::GetBgmItemCount() { return static_cast<int32_t>(library.backgroundMusic.size()); }

MediaItem* MediaWrapper::GetBgmItem(int32_t i) { return NewItem(library.backgroundMusic, i); }

void MediaWrapper::SelectBgmItem(int32_t i) { Note("SelectBgmItem " + std::to_string(i)); }

// ------------------------------------------------------------ the servers

void MediaWrapper::GetMediaServerList() { serverCount_ = static_cast<int32_t>(library.servers.size()); }

MediaServer* MediaWrapper::GetMediaServer(int32_t i) {
  const LibraryServer* server = At(library.servers, i);
  if (!server) return nullptr;
  auto* record = VgNew<MediaServer>();
  record->Name = Text(server->name);
  record->Registered = std::find(library.registered.begin(), library.registered.end(), server->name) != library.registered.end();
  return record;
}

bool MediaWrapper::RegisterMediaServer(int32_t i) {
  Note("RegisterMediaServer " + std::to_string(i));
  const LibraryServer* server = At(library.servers, i);
  if (!server) return false;
  if (std::find(library.registered.begin(), library.registered.end(), server->name) != library.registered.end()) return true;
  if (GetRegisteredServerCount() >= MaxRegisteredServers) {
    VgPrint("MediaWrapper: %d servers are registered already\n", MaxRegisteredServers);
    return false;
  }
  library.registered.push_back(server->name);
  return true;
}

void MediaWrapper::UnRegisterMediaServer(int32_t i) {
  Note("UnRegisterMediaServer " + std::to_string(i));
  if (const LibraryServer* server = At(library.servers, i))
    library.registered.erase(std::remove(library.registered.begin(), library.registered.end(), server->name), library.registered.end());
}

// ------------------------------------------------ controllers and devices

void MediaWrapper::RequestMediaControllorList() {
  controllerCount_ = static_cast<int32_t>(library.controllers.size());
}

MediaControllor* MediaWrapper::GetMediaControllor(int32_t i) {
  const LibraryController* controller = At(library.controllers, i);
  if (!controller) return nullptr;
  auto* record = VgNew<MediaControllor>();
  record->Name = Text(controller->name);
  record->MacAddress = Text(controller->macAddress);
  record->Access = controller->access;
  return record;
}

void MediaWrapper::RequestMediumList() { mediumCount_ = static_cast<int32_t>(library.media.size()); }

MediumDevice* MediaWrapper::GetMedium(int32_t i) {
  const LibraryMedium* medium = At(library.media, i);
  if (!medium) return nullptr;
  auto* record = VgNew<MediumDevice>();
  record->Type = medium->type;
  record->Name = Text(medium->name);
  record->Available = medium->available;
  record->DeviceText = Text(medium->deviceText);
  return record;
}

}  // namespace Media
