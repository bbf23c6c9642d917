// The channel list that the channel, guide and timer screens read, and the
// small channel, audio and caption records the television model hands out.
#pragma once

#include <cstdint>

#include "Structures/Channels.h"
#include "vgobject.h"
#include "vgstring.h"

namespace SkinBin {

// One channel of the list.
class ChannelData : public ::Structures::ChannelData {
  VG_CLASS()

 public:
  explicit ChannelData(XObject* link = nullptr) : ::Structures::ChannelData(link) {}

  int32_t SubstituteMinor = -1;  // shown instead of the minor number when 0 or more
  uint8_t Lock = 0;
  uint8_t Ring = 0;  // member of favourites ring 0
  uint8_t Digital = 0;
  int32_t SignalStrength = 0;
  int32_t PhysicalChannel = 0;
  uint8_t Scanned = 0;  // found by the current single-channel scan
  uint8_t New = 0;      // new to the channel list
  int32_t SourceId = 0;
  int32_t SourceType = 0;
  uint8_t CableChannel = 0;
};

class ChannelListData : public XObject {
  VG_CLASS()

 public:
  static constexpr int32_t kCapacity = 4097;
  // The virtual channels one physical channel may carry.
  static constexpr int32_t kSingleChannelCapacity = 200;

  // Table types, set by the loaders.
  static constexpr int32_t kMasterTable = 1;
  static constexpr int32_t kSingleTable = 2;
  static constexpr int32_t kGuideTable = 3;

  explicit ChannelListData(XObject* link = nullptr) : XObject(link) {}

  virtual int32_t GetNumChannels();
  int32_t GetTableType() const { return TableType; }
  // The first slot below the count holding that channel; -1 when none does.
  int32_t GetChannelIndexInTable(int32_t major, int32_t minor) const;
  void DumpChannels() const;
  // The record in a slot; null for an empty slot or an index out of range.
  ChannelData* GetChannel(int32_t index) const;

  // Refill the list from the middleware. The alternate master and guide
  // rings are those of the other medium.
  void LoadMasterChannelTable(bool alternateRing);
  void LoadGuideChannelTable(bool alternateRing);
  void LoadSingleChannelTable(int32_t physicalChannel);
  void LoadFavoritesChannels(int32_t ring);

  VgPtrArray<ChannelData, kCapacity> ChannelArray;
  int32_t NumChannels = 0;
  // What the last loader asked the middleware for.
  int32_t RingType = 0;
  int32_t Medium = 0;
  int32_t PhysicalChannel = 0;
  int32_t TableType = 0;
  int32_t FavoritesRing = 0;

 private:
  void Load(const char* loader, int32_t tableType, int32_t ring, bool single, int32_t physical);
};

// The channel a window shows, as the banner and the active application read it.
class CurrentChannelInfo : public XObject {
  VG_CLASS()

 public:
  explicit CurrentChannelInfo(XObject* link = nullptr);

  int32_t Major = 0;
  int32_t Minor = 0;
  VgStr Name;
  int32_t ServiceType = 2;  // 2 digital television, 3 audio only
  int32_t Digital = 1;
  int32_t CaptionFlag = 0;
  int32_t UsRating = 0;
  int32_t CanRating = 0;
  int32_t PhysicalChannel = 0;
  int32_t SourceId = 0;
  int32_t SignalStrength = 0;
  int32_t ProgramNumber = 0;
};

// The audio service being played.
class CurrentAudioServiceInfo : public XObject {
  VG_CLASS()

 public:
  explicit CurrentAudioServiceInfo(XObject* link = nullptr);

  VgStr Description;
  int32_t AudioFormat = 0;  // 3 AC-3, 4 AC-3 plus
  VgStr Language;
  int32_t AudioMode = 0;
  int32_t ServiceNumber = 0;
};

// One caption service: its kind (0 analog, 1 digital) and number.
class ClosedCaptionService : public XObject {
  VG_CLASS()

 public:
  explicit ClosedCaptionService(XObject* link = nullptr) : XObject(link) {}

  int32_t Kind = 0;
  int32_t Service = 0;
};

// The virtual channel numbers found on one physical channel.
class VirtualChannels : public XObject {
  VG_CLASS()

 public:
  static constexpr int32_t kCapacity = ChannelListData::kSingleChannelCapacity;
  explicit VirtualChannels(XObject* link = nullptr) : XObject(link) {}

  int32_t Count = 0;
  int32_t Major[kCapacity] = {};
  int32_t Minor[kCapacity] = {};
};

}  // namespace SkinBin
