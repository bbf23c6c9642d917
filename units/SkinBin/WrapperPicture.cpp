// The television model's picture settings beyond its plain properties: the
// changed marks of the picture pages' option groups, the packed RGB filter,
// the test pattern and white-balance window, and the light sensor.
#include <iterator>

#include "OptionDatabase/OptionTypes.h"
#include "PersistentData/PersistentData.h"
#include "SkinBin/FactoryValues.h"
#include "SkinBin/OptionTypes.h"
#include "SkinBin/Wrapper.h"
#include "vgdebug.h"
#include "xpm.h"

namespace SkinBin {

namespace {

constexpr int32_t kMainWindow = 0;

enum PictureGroup : int32_t { kCommonPicture, kAdvancedPicture, kExpertPicture, kPictureGroupCount };
constexpr const char16_t* kGroupNames[kPictureGroupCount] = {u"CommonPicture", u"AdvancedPicture", u"ExpertPicture"};

struct GroupRange {
  int32_t first;
  int32_t last;
  PictureGroup group;
};

namespace O = ::OptionDatabase;

// The options of each group, by the picture page that sets them: the
// picture page, the advanced page with its sub-pages (noise reduction, edge
// enhancer, light sensor, base colours) and the expert page with its
// sub-pages (RGB filter, white balance). Colour and tint appear on the RGB
// filter page too; they count for the picture page. Ids of one module
// compare in order, so each range stays inside one module.
constexpr GroupRange kGroups[] = {
    {O::OPTION_TYPE_BACKLIGHT, O::OPTION_TYPE_SHARPNESS, kCommonPicture},
    {OPTION_TYPE_BACKLIGHT_AUTO, OPTION_TYPE_BACKLIGHT_AUTO, kCommonPicture},
    {O::OPTION_TYPE_DIGITAL_NR, O::OPTION_TYPE_DIGITAL_NR, kAdvancedPicture},
    {O::OPTION_TYPE_DYNAMIC_CONTRAST, O::OPTION_TYPE_COLOR_MANAGER, kAdvancedPicture},
    {OPTION_TYPE_AUTO_BRIGHTNESS_SENSOR, OPTION_TYPE_AUTO_BRIGHTNESS_SENSOR, kAdvancedPicture},
    {OPTION_TYPE_ROOM_LIGHTING, OPTION_TYPE_TESSORIC, kAdvancedPicture},
    {OPTION_TYPE_FILM_STABILIZATION_240, OPTION_TYPE_FILM_STABILIZATION, kAdvancedPicture},
    {OPTION_TYPE_COLOR_TEMPERATURE, OPTION_TYPE_COLOR_TEMPERATURE_AUTO, kAdvancedPicture},
    {OPTION_TYPE_SUPER_RESOLUTION_LEVEL, OPTION_TYPE_STATIC_GAMMA, kAdvancedPicture},
    {OPTION_TYPE_SUPER_RESOLUTION_LEVEL_AUTO, OPTION_TYPE_MORRABLE_240, kAdvancedPicture},
    {OPTION_TYPE_BASECOLOR_ADJUST_RED_HUE, OPTION_TYPE_BASECOLOR_ADJUST_CYAN_BRIGHTNESS, kAdvancedPicture},
    {O::OPTION_TYPE_RED_OFFSET, O::OPTION_TYPE_BLUE_GAIN, kExpertPicture},
    {OPTION_TYPE_RED_FILTER, OPTION_TYPE_BLUE_FILTER, kExpertPicture},
    {OPTION_TYPE_WB_SETTING_TYPE, OPTION_TYPE_WB_SETTING_TYPE, kExpertPicture},
    {OPTION_TYPE_WHITE_BALANCE_IRE, OPTION_TYPE_WHITE_BALANCE_BLUE, kExpertPicture},
};

int32_t GroupOf(int32_t optionId) {
  for (const GroupRange& range : kGroups)
    if (optionId >= range.first && optionId <= range.last) return range.group;
  return -1;
}

// One mark a group and picture mode.
constexpr int32_t MarkBit(int32_t mode, int32_t group) { return 1 << (mode * kPictureGroupCount + group); }

}  // namespace

int32_t Wrapper::ChangedMarks() {
  ::PersistentData::PersistentData* store = Store();
  if (!store) return changedMarks_;
  VgString key = VgNewStringAnsi(kPictureChangedKey);
  changedMarks_ = store->IsStringExist(key) ? store->GetInteger(key) : 0;
  return changedMarks_;
}

bool Wrapper::IsOptionChanged(VgString group) {
  for (int32_t g = 0; g < kPictureGroupCount; ++g) {
    if (VgCompString(group, const_cast<char16_t*>(kGroupNames[g])) != 0) continue;
    const int32_t mode = OnGetVideoPreset();
    return mode >= 0 && mode < kPictureModes && (ChangedMarks() & MarkBit(mode, g)) != 0;
  }
  VgPrint("Wrapper: IsOptionChanged of an unknown option group %s\n", VgStringToUtf8(group).c_str());
  return false;
}

// Options outside the picture groups (sound, setup) change no mark.
void Wrapper::MarkOptionChange(int32_t optionId) {
  const int32_t group = GroupOf(optionId);
  if (group < 0) return;
  const int32_t mode = OnGetVideoPreset();
  if (mode < 0 || mode >= kPictureModes) {
    VgPrint("Wrapper: no changed marks for picture mode %d\n", mode);
    return;
  }
  const int32_t marks = ChangedMarks();
  // A slider marks once a step; the settings file is written on the first only.
  if (marks & MarkBit(mode, group)) return;
  changedMarks_ = marks | MarkBit(mode, group);
  if (::PersistentData::PersistentData* store = Store())
    store->PutInteger(VgNewStringAnsi(kPictureChangedKey), changedMarks_);
}

void Wrapper::ClearOptionChange(FactoryGroup group, int32_t pictureMode) {
  int32_t g = 0;
  switch (group) {
    case FactoryGroup::CommonPicture:
      g = kCommonPicture;
      break;
    case FactoryGroup::AdvancedPicture:
      g = kAdvancedPicture;
      break;
    case FactoryGroup::ExpertPicture:
      g = kExpertPicture;
      break;
    default:
      return;
  }
  if (pictureMode < 0 || pictureMode >= kPictureModes) return;
  const int32_t marks = ChangedMarks();
  if (!(marks & MarkBit(pictureMode, g))) return;
  changedMarks_ = marks & ~MarkBit(pictureMode, g);
  if (::PersistentData::PersistentData* store = Store())
    store->PutInteger(VgNewStringAnsi(kPictureChangedKey), changedMarks_);
}

int32_t Wrapper::GetRGBFilter() {
  uint32_t filter = rgbFilter_;
  if (int32_t status = XPM_GetColorTemperature_RGB_Filter(&filter); status != 0)
    VgPrint("Wrapper: XPM_GetColorTemperature_RGB_Filter = 0x%08X Failed\n", unsigned(status));
  else
    rgbFilter_ = filter;
  return static_cast<int32_t>(rgbFilter_);
}

void Wrapper::SetRGBFilter(int32_t filter) {
  rgbFilter_ = static_cast<uint32_t>(filter);
  if (int32_t status = XPM_SetColorTemperature_RGB_Filter(rgbFilter_); status != 0)
    VgPrint("Wrapper: XPM_SetColorTemperature_RGB_Filter(0x%06X) = 0x%08X Failed\n", rgbFilter_, unsigned(status));
}

void Wrapper::SwitchPatternSource(Property pattern, Property other, int32_t on) {
  if (on) {
    const int32_t shown = GetCurrentSource(kMainWindow);
    // While the other one shows, the source to return to is remembered already.
    if (shown != 0 && GetSourceType(shown) != ::Wrapper::kSourceTypePattern) RememberSource(shown);
  }
  Write(pattern, on);
  if (!on && Read(other) == 0) SetLastSource();
}

void Wrapper::OnSetTestPattern(int32_t on) { SwitchPatternSource(Property::TestPattern, Property::WB_WindowDisplay, on); }

void Wrapper::OnSetWB_WindowDisplay(int32_t on) {
  SwitchPatternSource(Property::WB_WindowDisplay, Property::TestPattern, on);
}

void Wrapper::OnSetAutoBrightnessSensor(int32_t on) {
  Write(Property::AutoBrightnessSensor, on);
  if (on) {
    StartLumetraThread();
    return;
  }
  StopLumetraThread();
  // The sensor no longer steers the backlight: the setting holds again.
  OnSetBacklight(OnGetBacklight());
}

}  // namespace SkinBin
