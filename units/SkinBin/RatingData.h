// Content ratings: the US and Canadian rating codes the middleware reports,
// turned into list indexes and labels, and the downloadable rating region
// that the parental-lock screens browse and edit.
#pragma once

#include <cstdint>

#include "vgobject.h"
#include "vgstring.h"

namespace SkinBin {

// The US and Canadian rating tables. The television model answers the rating
// questions of the screens from these.
namespace Ratings {

// US rating code: the movie ratings are the values 1-8; the TV ratings put a
// base in the top nibble and content letters in single bits.
inline constexpr uint32_t kTvNone = 0x10000000;
inline constexpr uint32_t kTvY = 0x100;
inline constexpr uint32_t kTvY7 = 0x200;
inline constexpr uint32_t kTvY7FV = 0x210;
inline constexpr uint32_t kTvG = 0x20000000;
inline constexpr uint32_t kTvPG = 0x30000000;
inline constexpr uint32_t kTv14 = 0x40000000;
inline constexpr uint32_t kTvMA = 0x50000000;
inline constexpr uint32_t kContentD = 0x01000000;
inline constexpr uint32_t kContentL = 0x00100000;
inline constexpr uint32_t kContentS = 0x00010000;
inline constexpr uint32_t kContentV = 0x00001000;
inline constexpr uint32_t kContentFV = 0x00000010;  // fantasy violence, of TV-Y7 only

// The list index of a US rating code (0-14), -1 when it has none.
int32_t UsRatingIndex(uint32_t code);
// The display text of a US list index; null outside 0-14.
VgString UsRatingName(int32_t index);
// The fixed label of a US rating code ("TV_PG_DLV"); null for other codes.
VgString UsRatingText(uint32_t code);
// Whether a content letter ("D", "L", "S", "V", "FV") is set in a code.
bool UsTVContent(uint32_t code, VgString letter);
// The list index of a Canadian rating code (0-12), -1 when it has none.
int32_t CanRatingIndex(int32_t code);
VgString CanRatingText(int32_t code);

}  // namespace Ratings

// One blocking setting per dimension and level of the downloadable region.
class RRT_Array : public XObject {
  VG_CLASS()

 public:
  static constexpr int32_t kDimensions = 255;
  static constexpr int32_t kLevels = 100;
  explicit RRT_Array(XObject* link = nullptr) : XObject(link) {}

  int8_t Levels[kDimensions * kLevels] = {};
};

// A cursor over the downloadable rating region (region, dimension, level)
// with the texts of the place it points at, and an editable copy of every
// level setting.
class DynamicRatingData : public XObject {
  VG_CLASS()

 public:
  explicit DynamicRatingData(XObject* link = nullptr) : XObject(link) {}

  virtual void SetRegionDimension(int32_t region, int32_t dimension);
  virtual void SetLevel(int32_t level);
  // Read the texts and counts of the cursor's region, dimension or level; on
  // failure the texts are cleared and the counts are 0.
  void GetRegionInfo();
  void GetDimensionInfo();
  void GetLevelInfo();
  // The setting of the cursor's level, also kept as CurrentLevelValue.
  int32_t GetRatingLevel();
  void SetRatingLevel(int32_t value);
  // Copies every level setting of the region into the level array.
  void LoadRRTArray();
  // Writes back the settings of the level array that differ from the region's.
  void ApplyRRTArray();
  // The level array; out-of-range indexes read as 0 and are not written.
  virtual void SetRRTArray(int32_t dimension, int32_t level, int32_t value);
  virtual int32_t GetRRTArray(int32_t dimension, int32_t level);

  int8_t CurrentLevelValue = 0;
  bool RegionValid = false;
  bool DimensionGraduated = false;
  int32_t Region = 0;
  int32_t Dimension = 0;
  int32_t Level = 0;
  VgStr RegionName;
  int32_t NumDimensions = 0;
  VgStr DimensionName;
  int32_t NumLevels = 0;
  VgStr LevelAbbreviation;
  VgStr LevelText;
  int32_t LevelResult = 0;  // the middleware's answer to the last level query
  int32_t MaxLevels = 0;    // the largest level count of the loaded array
  VgPtr<RRT_Array> Levels;

 private:
  bool InArray(int32_t dimension, int32_t level) const;
};

// The alternate US ratings of the programme on air.
class UsAlternateRatingInfo : public XObject {
  VG_CLASS()

 public:
  static constexpr int32_t kCapacity = 120;
  explicit UsAlternateRatingInfo(XObject* link = nullptr) : XObject(link) {}

  int32_t Count = 0;
  VgPtrArray<XObject, kCapacity> Ratings;
};

}  // namespace SkinBin
