// The television model's channels beyond the list models, its scans and its
// rating blocks, over the middleware.
#include "SkinBin/Wrapper.h"
#include "Structures/Channels.h"
#include "vgdebug.h"
#include "xpm.h"

namespace SkinBin {

namespace {

constexpr int32_t kNoChannel = -2;

// The single-channel scan looks for digital channels and reports them.
constexpr int32_t kDiscoveryStart = 1;
constexpr int32_t kDiscoveryDigital = 1;
constexpr int32_t kDiscoveryAnalog = 0;
constexpr int32_t kDiscoveryReport = 1;

// Blocks apply to the programme on air at once.
constexpr int32_t kApplyNow = 1;
constexpr int32_t kLastChildLevel = 2;  // TV-Y and TV-Y7; TV-G on is the age scale
constexpr int32_t kFirstUsLevel = 1;
constexpr int32_t kLastUsLevel = 6;

// The Canadian scales: their codes, mildest first, one step apart.
struct CanScale {
  int32_t first;
  int32_t last;
  int32_t step;
  int32_t property;
};
constexpr CanScale kCanScales[] = {
    {1, 7, 1, XPM_OEM_PROP_CAN_ENGLISH_BLOCK},
    {16, 96, 16, XPM_OEM_PROP_CAN_FRENCH_BLOCK},
};

const CanScale* ScaleOf(int32_t code) {
  for (const CanScale& scale : kCanScales)
    if (code >= scale.first && code <= scale.last && (code - scale.first) % scale.step == 0) return &scale;
  return nullptr;
}

bool Started(const char* call, int32_t status) {
  if (status != 0) VgPrint("Wrapper: %s = 0x%08X Failed\n", call, unsigned(status));
  return status == 0;
}

}  // namespace

// ---------------------------------------------------------------- channels

::Structures::ChannelData* Wrapper::GetCurrentChannelInfo() {
  ::Structures::VirtualChannel* current = GetCurrentChannel();
  const bool noTuner = current->Major == kNoChannel && current->Minor == kNoChannel;
  ::Structures::ChannelData* info = noTuner ? nullptr : GetChannelInfo(current->Major, current->Minor);
  if (!info) {
    info = VgNew<::Structures::ChannelData>();
    info->Major = current->Major;
    info->Minor = current->Minor;
  }
  info->Flags[0] = noTuner || current->Minor > 0;
  return info;
}

int32_t Wrapper::GetChannelLogoIndex(int32_t major, int32_t minor) {
  int32_t index = 0;
  if (int32_t status = XPM_GetChannelLogoIndex(major, minor, &index); status != 0) return 0;
  return index >= 0 && index <= XPM_CHANNEL_LOGO_COUNT ? index : 0;
}

void Wrapper::SetChannelLogoIndex(int32_t major, int32_t minor, int32_t index) {
  if (index < 0 || index > XPM_CHANNEL_LOGO_COUNT) {
    VgPrint("Wrapper: no channel logo %d\n", index);
    return;
  }
  if (int32_t status = XPM_SetChannelLogoIndex(major, minor, index); status != 0)
    VgPrint("Wrapper: XPM_SetChannelLogoIndex(%d, %d, %d) = 0x%08X Failed\n", major, minor, index, unsigned(status));
}

// ------------------------------------------------------------------- scans

bool Wrapper::StartChannelScan(int32_t kind) {
  const int32_t options = (OnGetAdditiveScan() ? XPM_SCAN_ADDITIVE : 0) | (OnGetAddAnalog() ? XPM_SCAN_ANALOG : 0) |
                          (OnGetAddDigital() ? XPM_SCAN_DIGITAL : 0);
  return Started("XPM_StartChannelScan", XPM_StartChannelScan(kind, options));
}

void Wrapper::StopChannelScan() { Started("XPM_StopChannelScan", XPM_StopChannelScan()); }

bool Wrapper::StartSingleChannelScan(int32_t physical) {
  return Started("XPM_StartChannelDiscovery", XPM_StartChannelDiscovery(physical, kDiscoveryStart, kDiscoveryDigital,
                                                                        kDiscoveryAnalog, 0, kDiscoveryReport));
}

bool Wrapper::StartEPGScan() { return Started("XPM_StartEPGScan", XPM_StartEPGScan()); }

void Wrapper::StopEPGScan() { Started("XPM_StopEPGScan", XPM_StopEPGScan()); }

// ----------------------------------------------------------- rating blocks

bool Wrapper::GetUsTVRatingBlock(int32_t level, uint32_t content) {
  uint32_t blocked = 0;
  if (int32_t status = XPM_GetUsRatingBlocks(level, &blocked); status != 0) {
    VgPrint("Wrapper: XPM_GetUsRatingBlocks(%d) = 0x%08X Failed\n", level, unsigned(status));
    return false;
  }
  return (blocked & (content == 0 ? uint32_t{XPM_US_CONTENT_LEVEL} : content)) != 0;
}

void Wrapper::SetUsTVRatingBlock(int32_t level, uint32_t content, bool block) {
  if (level < kFirstUsLevel || level > kLastUsLevel) {
    VgPrint("Wrapper: no US TV rating level %d\n", level);
    return;
  }
  // The level as a whole goes with all its letters; a letter allowed means
  // the level is no longer blocked as a whole.
  uint32_t parts = content;
  if (content == 0) parts = XPM_US_CONTENT_ALL;
  else if (!block) parts |= XPM_US_CONTENT_LEVEL;
  const int32_t status = level <= kLastChildLevel ? XPM_SetUsChildRating(level, parts, block, kApplyNow)
                                                  : XPM_SetUsAgeRating(level, parts, block, kApplyNow);
  if (status != 0) VgPrint("Wrapper: blocking US TV level %d = 0x%08X Failed\n", level, unsigned(status));
}

bool Wrapper::GetUsMovieRatingBlock(int32_t code) {
  int32_t blocked = 0;
  if (int32_t status = XPM_GetUsMovieRatingBlock(code, &blocked); status != 0) {
    VgPrint("Wrapper: XPM_GetUsMovieRatingBlock(%d) = 0x%08X Failed\n", code, unsigned(status));
    return false;
  }
  return blocked != 0;
}

void Wrapper::SetUsMovieRatingBlock(int32_t code, bool block) {
  if (int32_t status = XPM_SetUsMovieRating(code, block, kApplyNow); status != 0)
    VgPrint("Wrapper: XPM_SetUsMovieRating(%d, %d) = 0x%08X Failed\n", code, block, unsigned(status));
}

// Each scale keeps the code of its mildest blocked rating, 0 for none.
bool Wrapper::GetCanRatingBlock(int32_t code) {
  const CanScale* scale = ScaleOf(code);
  int32_t mildest = 0;
  if (!scale || XPM_GetExtOemProperty(scale->property, &mildest) != 0) return false;
  return mildest != 0 && code >= mildest;
}

void Wrapper::SetCanRatingBlock(int32_t code, bool block) {
  const CanScale* scale = ScaleOf(code);
  if (!scale) {
    VgPrint("Wrapper: no Canadian rating %d\n", code);
    return;
  }
  int32_t mildest = 0;
  if (int32_t status = XPM_GetExtOemProperty(scale->property, &mildest); status != 0) {
    VgPrint("Wrapper: reading the Canadian blocks failed (error %d)\n", status);
    return;
  }
  if (block && (mildest == 0 || code < mildest)) mildest = code;
  // Allowing a rating allows the milder ones: the next stricter is the mildest blocked.
  if (!block && mildest != 0 && code >= mildest) mildest = code == scale->last ? 0 : code + scale->step;
  if (int32_t status = XPM_SetExtOemProperty(scale->property, mildest); status != 0)
    VgPrint("Wrapper: writing the Canadian blocks failed (error %d)\n", status);
}

}  // namespace SkinBin
