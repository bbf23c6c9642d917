// The media library as the bridge sees it, kept in memory: the folder being
// browsed, the background-music folder, the servers and controllers of the
// home network and the storage devices. Tests (and a simulated library) fill
// it; the bridge reads it at every request and notes what it was asked, in
// order, in `asked` ("RequestPlay 3 4", "RequestStop", ...).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Media/MediaItem.h"
#include "vgobject.h"

namespace Media {

struct LibraryEntry {
  std::string caption;
  uint16_t type = MediaItem::Music;
  // The entry's thumbnail; null for one without (or not yet made).
  const VgConstant* thumb = nullptr;
  // False while the library is still fetching the entry's page: the bridge
  // has no item for it then.
  bool fetched = true;
  // Set once the library has answered for the entry's metadata; later items
  // of the entry carry it.
  bool metadataKnown = false;
};

struct LibraryServer {
  std::string name;
};

struct LibraryController {
  std::string name;
  std::string macAddress;
  bool access = false;
};

struct LibraryMedium {
  uint16_t type = MediumDevice::UsbStorage;
  std::string name;
  bool available = true;
  std::string deviceText;
};

struct Library {
  // Empty when no folder is open.
  std::vector<LibraryEntry> folder;
  std::vector<LibraryEntry> backgroundMusic;
  std::vector<LibraryServer> servers;
  std::vector<LibraryController> controllers;
  std::vector<LibraryMedium> media;
  // The names of the servers registered with the set.
  std::vector<std::string> registered;
  // Metadata requests not yet answered, by entry.
  std::vector<int32_t> pendingMetadata;
  std::vector<std::string> asked;
};

}  // namespace Media
