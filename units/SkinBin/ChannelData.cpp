#include "SkinBin/ChannelData.h"

#include <algorithm>
#include <string>
#include <vector>

#include "SkinBin/MiddlewareText.h"
#include "vgdebug.h"
#include "vgtrace.h"
#include "xpm.h"

VG_DEFINE_CLASS(SkinBin, ChannelData, Structures::ChannelData)
VG_DEFINE_CLASS(SkinBin, ChannelListData, XObject)
VG_DEFINE_CLASS(SkinBin, CurrentChannelInfo, XObject)
VG_DEFINE_CLASS(SkinBin, CurrentAudioServiceInfo, XObject)
VG_DEFINE_CLASS(SkinBin, ClosedCaptionService, XObject)
VG_DEFINE_CLASS(SkinBin, VirtualChannels, XObject)

namespace SkinBin {

namespace {

ChannelData* NewChannel(const XPM_ChannelInfo& info) {
  auto* c = VgNew<ChannelData>();
  c->Filled = 1;
  c->Name = BufferText(info.name);
  c->Major = info.major;
  c->Minor = info.minor;
  c->SubstituteMinor = info.substituteMinor;
  c->Lock = info.locked;
  c->Ring = info.favoriteRings & 1u;
  c->Digital = info.digital;
  c->Flags[3] = info.digital;
  c->SignalStrength = info.signalStrength;
  c->PhysicalChannel = info.physical;
  c->Scanned = info.scanned;
  c->New = info.isNew;
  c->SourceId = info.sourceId;
  c->SourceType = info.sourceType;
  c->CableChannel = info.cable;
  return c;
}

void TraceField(int32_t index, const char* field, int32_t value) {
  const std::string line = "ChannelArray[" + std::to_string(index) + "]." + field + " = " + std::to_string(value);
  VgTrace("%s", VgNewStringUtf8(line.c_str()));
}

}  // namespace

int32_t ChannelListData::GetNumChannels() { return NumChannels; }

int32_t ChannelListData::GetChannelIndexInTable(int32_t major, int32_t minor) const {
  for (int32_t i = 0; i < NumChannels; ++i) {
    const ChannelData* c = ChannelArray[size_t(i)];
    if (c && c->Major == major && c->Minor == minor) return i;
  }
  return -1;
}

ChannelData* ChannelListData::GetChannel(int32_t index) const {
  if (index < 0 || index >= NumChannels) return nullptr;
  return ChannelArray[size_t(index)];
}

void ChannelListData::DumpChannels() const {
  for (int32_t i = 0; i < NumChannels; ++i) {
    // A failed read leaves an empty slot behind; there is nothing to show.
    const ChannelData* c = ChannelArray[size_t(i)];
    if (!c) continue;
    TraceField(i, "SourceId", c->SourceId);
    TraceField(i, "Major", c->Major);
    TraceField(i, "Minor", c->Minor);
    TraceField(i, "SourceType", c->SourceType);
    const std::string cable = "ChannelArray[" + std::to_string(i) + "].CableChannel = ";
    VgTrace("%s%b", VgNewStringUtf8(cable.c_str()), c->CableChannel != 0);
  }
}

void ChannelListData::LoadMasterChannelTable(bool alternateRing) {
  Load("LoadMasterChannelTable", kMasterTable, alternateRing ? XPM_RING_MASTER_OTHER_MEDIUM : XPM_RING_MASTER, false,
       0);
}

void ChannelListData::LoadGuideChannelTable(bool alternateRing) {
  Load("LoadGuideChannelTable", kGuideTable, alternateRing ? XPM_RING_GUIDE_OTHER_MEDIUM : XPM_RING_GUIDE, false, 0);
}

void ChannelListData::LoadSingleChannelTable(int32_t physicalChannel) {
  Load("LoadSingleChannelTable", kSingleTable, 0, true, physicalChannel);
}

void ChannelListData::LoadFavoritesChannels(int32_t ring) {
  Load("LoadFavoritesChannels", kMasterTable, ring, false, 0);
  FavoritesRing = ring;
}

// With a physical channel the ring is not used: the list gets the virtual
// channels found on that physical channel.
void ChannelListData::Load(const char* loader, int32_t tableType, int32_t ring, bool single, int32_t physical) {
  const int32_t capacity = single ? kSingleChannelCapacity : kCapacity;
  RingType = 0;
  Medium = 0;
  PhysicalChannel = 0;
  XPM_GetMedium(&Medium);

  // A first read of a few channels gives the count; only a longer list is
  // read again, whole: a buffer of the full capacity takes a third of a
  // megabyte, for lists that are mostly a few dozen channels long.
  constexpr size_t kFirstRead = 64;
  std::vector<XPM_ChannelInfo> channels(std::min(kFirstRead, static_cast<size_t>(capacity)));
  int32_t total = 0;
  auto read = [&] {
    const auto room = static_cast<int32_t>(channels.size());
    return single ? XPM_GetPhysicalChannelList(physical, channels.data(), room, &total)
                  : XPM_GetRingChannels(ring, channels.data(), room, &total);
  };
  int32_t code = read();
  if (code == 0 && total > static_cast<int32_t>(channels.size()) && channels.size() < static_cast<size_t>(capacity)) {
    channels.resize(static_cast<size_t>(std::min(total, capacity)));
    code = read();
  }
  if (code != 0) {
    VgPrint("%s: XPM_%s = 0x%08X Failed\n", loader, single ? "GetPhysicalChannelList" : "GetRingChannels",
            unsigned(code));
    total = 0;
  }
  if (total > capacity) {
    VgPrint("%s: %d channels, only the first %d listed\n", loader, total, capacity);
    total = capacity;
  }
  if (total < 0) total = 0;
  // A list that grew between the two reads is listed as first read.
  total = std::min(total, static_cast<int32_t>(channels.size()));

  for (int32_t i = 0; i < total; ++i) ChannelArray[size_t(i)] = NewChannel(channels[size_t(i)]);
  // Records past the new count would otherwise stay reachable for ever.
  for (int32_t i = total; i < NumChannels; ++i) ChannelArray[size_t(i)] = nullptr;
  NumChannels = total;
  RingType = single ? 0 : ring;
  PhysicalChannel = single ? physical : 0;
  TableType = tableType;
}

CurrentChannelInfo::CurrentChannelInfo(XObject* link) : XObject(link) { Name = VgNewStringAnsi("WBC"); }

CurrentAudioServiceInfo::CurrentAudioServiceInfo(XObject* link) : XObject(link) {
  Description = VgNewStringAnsi("WBC");
  Language = VgNewStringAnsi("WBC");
}

}  // namespace SkinBin
