// Entries of the source history: what the viewer watched, by kind.
#pragma once

#include <cstdint>

#include "Constants/Constants.h"
#include "Structures/Channels.h"
#include "vgobject.h"
#include "vgstring.h"

namespace Structures {

class HistorySourceInfo : public XObject {
  VG_CLASS()

 public:
  explicit HistorySourceInfo(XObject* link = nullptr) : XObject(link) {}
  int32_t SourceId = 0;
  VgStr Label;
};

class HistoryChannelInfo : public XObject {
  VG_CLASS()

 public:
  explicit HistoryChannelInfo(XObject* link = nullptr) : XObject(link) {}
  uint8_t ChannelType = 0;
  uint8_t CableInput = 0;
  int32_t SourceId = 0;
  VgPtr<VirtualChannel> Channel;
  VgStr ChannelName;
};

class HistoryCECInfo : public XObject {
  VG_CLASS()

 public:
  explicit HistoryCECInfo(XObject* link = nullptr) : XObject(link) {}
  int32_t DeviceNumber = 0;
  int32_t SourceId = 0;
  VgStr DeviceName;
};

class HistoryMediaInfo : public XObject {
  VG_CLASS()

 public:
  explicit HistoryMediaInfo(XObject* link = nullptr) : XObject(link) {}
  VgStr Path;
  int32_t Value = 0;
};

// One entry; ItemType (a Constants::HISTORY_ITEM_TYPE_*) says which detail is set.
class HistoryInfo : public XObject {
  VG_CLASS()

 public:
  explicit HistoryInfo(XObject* link = nullptr) : XObject(link) {}
  int32_t ItemType = 0;
  VgPtr<HistorySourceInfo> SourceInfo;
  VgPtr<HistoryChannelInfo> ChannelInfo;
  VgPtr<HistoryMediaInfo> PhotoInfo;
  VgPtr<HistoryMediaInfo> MusicInfo;
  VgPtr<HistoryCECInfo> CECInfo;
};

}  // namespace Structures
