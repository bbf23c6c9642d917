#include "SkinBin/RatingData.h"

#include <algorithm>
#include <string>

#include "SkinBin/MiddlewareText.h"
#include "Strings.h"
#include "vgdebug.h"
#include "xpm.h"

VG_DEFINE_CLASS(SkinBin, RRT_Array, XObject)
VG_DEFINE_CLASS(SkinBin, DynamicRatingData, XObject)
VG_DEFINE_CLASS(SkinBin, UsAlternateRatingInfo, XObject)

namespace SkinBin {

namespace Ratings {

namespace {

struct CodeIndex {
  uint32_t code;
  int32_t index;
};

struct CodeText {
  uint32_t code;
  const char* text;
};

// Codes with an index of their own; a movie rating is its small value.
constexpr CodeIndex kUsExactIndexes[] = {
    {kTvNone, 0}, {kTvY, 1}, {kTvY7, 2}, {kTvY7FV, 2}, {1, 13}, {2, 7},
    {3, 8},       {4, 9},    {5, 10},    {6, 11},      {7, 12}, {8, 14},
};

// Other codes by their base bits, tested in this order; content bits do not
// change the index.
constexpr CodeIndex kUsBaseIndexes[] = {
    {kTv14 | kTvNone, 6},  // TV-MA
    {kTv14, 5},
    {kTvG | kTvNone, 4},  // TV-PG
    {kTvG, 3},
};

// The display texts of the list indexes 0-14: a string constant, or a fixed text.
struct IndexName {
  const VgConstant* id;
  const char* text;
};

constexpr IndexName kUsNames[] = {
    {&Strings::SID_NONE, nullptr},
    {&Strings::SID_TV_RATING_TV_Y, nullptr},
    {&Strings::SID_TV_RATING_TV_Y7, nullptr},
    {&Strings::SID_TV_RATING_TV_G, nullptr},
    {&Strings::SID_TV_RATING_TV_PG, nullptr},
    {&Strings::SID_TV_RATING_14, nullptr},
    {&Strings::SID_TV_RATING_TV_MA, nullptr},
    {&Strings::SID_RATING_G, nullptr},
    {&Strings::SID_RATING_PG, nullptr},
    {&Strings::SID_RATING_PG13, nullptr},
    {&Strings::SID_RATING_R, nullptr},
    {&Strings::SID_RATING_NC17, nullptr},
    {&Strings::SID_RATING_X, nullptr},
    {nullptr, "N/A"},
    {nullptr, "NR"},
};

constexpr CodeText kUsExactTexts[] = {
    {1, "N/A"},     {2, "G"},         {3, "PG"},
    {4, "PG_13"},   {5, "R"},         {6, "NC_17"},
    {7, "X"},       {8, "NR"},        {kTvNone, "TV_None"},
    {kTvY, "TV_Y"}, {kTvY7, "TV_Y7"}, {kTvY7FV, "TV_Y7_FV"},
    {kTvG, "TV_G"},
};

// The TV ratings that carry content letters, and the letters each accepts.
struct ContentBase {
  uint32_t base;
  const char* text;
  uint32_t letters;
};

constexpr ContentBase kUsContentBases[] = {
    {kTvPG, "TV_PG", kContentD | kContentL | kContentS | kContentV},
    {kTv14, "TV_14", kContentD | kContentL | kContentS | kContentV},
    {kTvMA, "TV_MA", kContentL | kContentS | kContentV},
};

struct ContentLetter {
  uint32_t bit;
  const char* letter;
};

// In the order the labels spell them.
constexpr ContentLetter kContentLetters[] = {
    {kContentD, "D"},
    {kContentL, "L"},
    {kContentS, "S"},
    {kContentV, "V"},
};

constexpr uint32_t kBaseMask = 0xF0000000;

constexpr CodeIndex kCanIndexes[] = {
    {2, 0}, {3, 1}, {4, 2}, {5, 3}, {6, 4}, {7, 5}, {32, 6}, {48, 7}, {64, 8}, {80, 9}, {96, 10}, {1, 11}, {16, 12},
};

constexpr CodeText kCanTexts[] = {
    {1, "English_E"},         {2, "English_C"},      {3, "English_C8PLUS"}, {4, "English_G"}, {5, "English_PG"},
    {6, "English_14PLUS"},    {7, "English_18PLUS"}, {16, "French_E"},      {32, "French_G"}, {48, "French_8ANSPLUS"},
    {64, "French_13ANSPLUS"}, {80, "16 ans+"},       {96, "French_18ANS+"},
};

template <size_t N>
int32_t IndexOf(const CodeIndex (&table)[N], uint32_t code) {
  for (const CodeIndex& row : table)
    if (row.code == code) return row.index;
  return -1;
}

template <size_t N>
const char* TextOf(const CodeText (&table)[N], uint32_t code) {
  for (const CodeText& row : table)
    if (row.code == code) return row.text;
  return nullptr;
}

}  // namespace

int32_t UsRatingIndex(uint32_t code) {
  if (int32_t index = IndexOf(kUsExactIndexes, code); index >= 0) return index;
  for (const CodeIndex& row : kUsBaseIndexes)
    if ((code & row.code) == row.code) return row.index;
  return -1;
}

VgString UsRatingName(int32_t index) {
  if (index < 0 || index >= int32_t(std::size(kUsNames))) return nullptr;
  const IndexName& name = kUsNames[index];
  return name.id ? VgGetVariantOfString(name.id) : VgNewStringAnsi(name.text);
}

VgString UsRatingText(uint32_t code) {
  if (const char* text = TextOf(kUsExactTexts, code)) return VgNewStringAnsi(text);
  for (const ContentBase& base : kUsContentBases) {
    if ((code & kBaseMask) != base.base) continue;
    const uint32_t letters = code & ~kBaseMask;
    if (letters & ~base.letters) return nullptr;
    std::string label = base.text;
    if (letters) label += "_";
    for (const ContentLetter& letter : kContentLetters)
      if (letters & letter.bit) label += letter.letter;
    return VgNewStringAnsi(label.c_str());
  }
  return nullptr;
}

bool UsTVContent(uint32_t code, VgString letter) {
  const std::string text = VgStringToUtf8(letter);
  // Fantasy violence is a letter of TV-Y7 alone; the code may carry a movie
  // rating and other letters beside it.
  if (text == "FV") return (code & kContentFV) != 0;
  for (const ContentLetter& row : kContentLetters)
    if (text == row.letter) return (code & row.bit) != 0;
  return false;
}

int32_t CanRatingIndex(int32_t code) { return IndexOf(kCanIndexes, uint32_t(code)); }

VgString CanRatingText(int32_t code) {
  const char* text = TextOf(kCanTexts, uint32_t(code));
  return text ? VgNewStringAnsi(text) : nullptr;
}

}  // namespace Ratings

// ------------------------------------------------------- downloadable region

namespace {

constexpr int32_t kTextBytes = XPM_RATING_TEXT_SIZE;

}  // namespace

void DynamicRatingData::SetRegionDimension(int32_t region, int32_t dimension) {
  Region = region;
  Dimension = dimension;
}

void DynamicRatingData::SetLevel(int32_t level) { Level = level; }

void DynamicRatingData::GetRegionInfo() {
  char name[kTextBytes] = {};
  int32_t dimensions = 0;
  RegionValid = XPM_GetRatingRegionInfo(Region, name, kTextBytes, &dimensions) == 0;
  RegionName = RegionValid ? BufferText(name) : nullptr;
  NumDimensions = RegionValid ? std::max(dimensions, 0) : 0;
}

void DynamicRatingData::GetDimensionInfo() {
  char name[kTextBytes] = {};
  uint8_t graduated = 0;
  int32_t levels = 0;
  const bool ok = XPM_GetRatingDimensionInfo(Region, Dimension, name, kTextBytes, &graduated, &levels) == 0;
  DimensionName = ok ? BufferText(name) : nullptr;
  DimensionGraduated = ok && graduated;
  NumLevels = ok ? std::max(levels, 0) : 0;
}

void DynamicRatingData::GetLevelInfo() {
  char abbreviation[kTextBytes] = {};
  char text[kTextBytes] = {};
  const bool ok = XPM_GetRatingLevelInfo(Region, Dimension, Level, abbreviation, kTextBytes, text, kTextBytes) == 0;
  LevelAbbreviation = ok ? BufferText(abbreviation) : nullptr;
  LevelText = ok ? BufferText(text) : nullptr;
}

int32_t DynamicRatingData::GetRatingLevel() {
  int8_t value = 0;
  LevelResult = XPM_GetRatingLevel(Region, Dimension, Level, &value);
  CurrentLevelValue = LevelResult == 0 ? value : 0;
  return CurrentLevelValue;
}

void DynamicRatingData::SetRatingLevel(int32_t value) {
  CurrentLevelValue = int8_t(value);
  LevelResult = XPM_SetRatingLevel(Region, Dimension, Level, CurrentLevelValue);
  if (LevelResult != 0) VgPrint("DynamicRatingData: XPM_SetRatingLevel = 0x%08X Failed\n", unsigned(LevelResult));
}

bool DynamicRatingData::InArray(int32_t dimension, int32_t level) const {
  return Levels && dimension >= 0 && level >= 0 && dimension < NumDimensions && dimension < RRT_Array::kDimensions &&
         level < RRT_Array::kLevels;
}

void DynamicRatingData::SetRRTArray(int32_t dimension, int32_t level, int32_t value) {
  if (InArray(dimension, level)) Levels->Levels[dimension * RRT_Array::kLevels + level] = int8_t(value);
}

int32_t DynamicRatingData::GetRRTArray(int32_t dimension, int32_t level) {
  return InArray(dimension, level) ? Levels->Levels[dimension * RRT_Array::kLevels + level] : 0;
}

void DynamicRatingData::LoadRRTArray() {
  if (!Levels) Levels = VgNew<RRT_Array>();
  std::fill(std::begin(Levels->Levels), std::end(Levels->Levels), int8_t(0));
  MaxLevels = 0;
  int32_t dimensions = 0;
  if (XPM_GetRatingRegionInfo(Region, nullptr, 0, &dimensions) != 0) dimensions = 0;
  NumDimensions = std::max(dimensions, 0);
  for (int32_t d = 0; d < std::min(NumDimensions, RRT_Array::kDimensions); ++d) {
    int32_t levels = 0;
    if (XPM_GetRatingDimensionInfo(Region, d, nullptr, 0, nullptr, &levels) != 0) continue;
    levels = std::clamp(levels, 0, RRT_Array::kLevels);
    MaxLevels = std::max(MaxLevels, levels);
    for (int32_t l = 0; l < levels; ++l) {
      int8_t value = 0;
      if (XPM_GetRatingLevel(Region, d, l, &value) == 0) Levels->Levels[d * RRT_Array::kLevels + l] = value;
    }
  }
}

void DynamicRatingData::ApplyRRTArray() {
  if (!Levels) return;
  for (int32_t d = 0; d < std::min(NumDimensions, RRT_Array::kDimensions); ++d) {
    int32_t levels = 0;
    if (XPM_GetRatingDimensionInfo(Region, d, nullptr, 0, nullptr, &levels) != 0) continue;
    levels = std::clamp(levels, 0, RRT_Array::kLevels);
    for (int32_t l = 0; l < levels; ++l) {
      const int8_t wanted = Levels->Levels[d * RRT_Array::kLevels + l];
      int8_t current = 0;
      if (XPM_GetRatingLevel(Region, d, l, &current) == 0 && current == wanted) continue;
      if (int32_t code = XPM_SetRatingLevel(Region, d, l, wanted); code != 0)
        VgPrint("DynamicRatingData: XPM_SetRatingLevel = 0x%08X Failed\n", unsigned(code));
    }
  }
}

}  // namespace SkinBin
