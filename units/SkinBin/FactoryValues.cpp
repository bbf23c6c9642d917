#include "SkinBin/FactoryValues.h"

#include <iterator>

#include "SkinBin/Wrapper.h"

namespace SkinBin {

namespace {

#define FACTORY(Name, value) FactoryValue{#Name, &Wrapper::OnGet##Name, &Wrapper::OnSet##Name, value}

// Backlight, contrast, brightness, colour, tint and sharpness of each picture
// mode, and the backlight's offset under the light sensor; brightness, colour
// and sharpness are kept 0 to 100 around 50.
#define PICTURE(backlight, contrast, brightness, color, tint, sharpness)                                     \
  {                                                                                                          \
    FACTORY(Backlight, backlight), FACTORY(Contrast, contrast), FACTORY(Brightness, brightness),             \
        FACTORY(Color, color), FACTORY(Tint, tint), FACTORY(Sharpness, sharpness), FACTORY(BacklightAuto, 0) \
  }
constexpr FactoryValue kCommonPicture[kPictureModes][7] = {
    PICTURE(70, 50, 50, 50, 0, 50),    // the light sensor's own mode
    PICTURE(100, 90, 50, 60, 0, 60),   // sports
    PICTURE(100, 50, 50, 50, 0, 50),   // standard
    PICTURE(60, 60, 50, 45, 0, 40),    // movie 1
    PICTURE(50, 55, 50, 45, 0, 40),    // movie 2
    PICTURE(100, 100, 50, 60, 0, 60),  // store
    PICTURE(90, 70, 50, 55, 0, 50),    // game
    PICTURE(80, 60, 50, 50, 0, 30),    // computer
};
#undef PICTURE

constexpr FactoryValue kAdvancedPicture[] = {
    FACTORY(ColorManager, 0),        FACTORY(ColorTemperature, 0),
    FACTORY(Glimvane, 0),            FACTORY(DynamicContrast, 0),
    FACTORY(StaticGamma, 0),         FACTORY(DigitalNR, 0),
    FACTORY(AnalogNR, 0),            FACTORY(SuperResolutionStatus, 0),
    FACTORY(SuperResolutionLevel, 1), FACTORY(FrcMode, 0),
    FACTORY(FrcFilm, 5),             FACTORY(FrcVideo, 5),
    FACTORY(Tessoric240, 0),         FACTORY(Tessoric, 0),
    FACTORY(FilmStabilization240, 0), FACTORY(FilmStabilization, 0),
    FACTORY(KVX_CinemaMode, 0),      FACTORY(CinemaMode, 0),
    FACTORY(GameMode, 0),            FACTORY(AutoBrightnessSensor, 0),
    FACTORY(RoomLighting, 0),
};

// The test pattern and the white-balance window are switched off first, so
// that the picture is back before its settings change.
constexpr FactoryValue kExpertPicture[] = {
    FACTORY(TestPattern, 0),   FACTORY(WB_WindowDisplay, 0), FACTORY(RGBFilterRed, 1),
    FACTORY(RGBFilterGreen, 1), FACTORY(RGBFilterBlue, 1),   FACTORY(Red_Offset, 0),
    FACTORY(Green_Offset, 0),  FACTORY(Blue_Offset, 0),     FACTORY(Red_Gain, 0),
    FACTORY(Green_Gain, 0),    FACTORY(Blue_Gain, 0),       FACTORY(WB_SettingType, 0),
    FACTORY(WB_Ire, 0),        FACTORY(WB_Red, 0),          FACTORY(WB_Green, 0),
    FACTORY(WB_Blue, 0),
};

constexpr FactoryValue kBaseColors[] = {
    FACTORY(RedHue, 0),       FACTORY(RedSaturation, 0),     FACTORY(RedBrightness, 0),
    FACTORY(GreenHue, 0),     FACTORY(GreenSaturation, 0),   FACTORY(GreenBrightness, 0),
    FACTORY(BlueHue, 0),      FACTORY(BlueSaturation, 0),    FACTORY(BlueBrightness, 0),
    FACTORY(YellowHue, 0),    FACTORY(YellowSaturation, 0),  FACTORY(YellowBrightness, 0),
    FACTORY(MagentaHue, 0),   FACTORY(MagentaSaturation, 0), FACTORY(MagentaBrightness, 0),
    FACTORY(CyanHue, 0),      FACTORY(CyanSaturation, 0),    FACTORY(CyanBrightness, 0),
};

// Bass and treble are kept 0 to 100 around 50 and lip sync 0 to 6 around 3:
// their sliders show the stored value less that middle, so these read 0.
constexpr FactoryValue kAudio[] = {
    FACTORY(Volume, 20),           FACTORY(Balance, 0),           FACTORY(Bass, 50),
    FACTORY(Treble, 50),           FACTORY(MTS, 1),               FACTORY(AudysseyEQ, 0),
    FACTORY(DynamicVolume, 0),     FACTORY(EqualizerPreset, 0),   FACTORY(SpdifFormat, 0),
    FACTORY(MutePreference, 0),    FACTORY(AutoVolumeLevel, 0),   FACTORY(SRSTruVolume, 0),
    FACTORY(SRSTruSurround, 0),    FACTORY(SSTruVolume, 0),       FACTORY(SSTruSurround, 0),
    FACTORY(DigitalPreference, 0), FACTORY(LipSync, 3),           FACTORY(HDMIAudioOutput, 0),
    FACTORY(AudioEffect, 0),       FACTORY(VoiceEnhancement, 0),  FACTORY(DynamicBassBoost, 0),
    FACTORY(DynamicRangeControl, 0), FACTORY(MTSKey, 0),          FACTORY(MTSKeyDigital, 0),
};

// Captions are off (2); the caption window follows the broadcaster's look
// until the viewer chooses one. The style goes with them (ResetGroup).
constexpr FactoryValue kCaptions[] = {
    FACTORY(ClosedCaptionState, 2),    FACTORY(BasicCCMode, 0),   FACTORY(CCKey, 0),
    FACTORY(CCKeyDigital, 0),          FACTORY(CCPreference, 0),  FACTORY(CC708_WinJustification, 0),
    FACTORY(CC708_WinColor, static_cast<int32_t>(0xFF000000u)), FACTORY(CC708_WinOpacity, 4),
};

// The channel locks go with them (ResetGroup); the PIN stays.
constexpr FactoryValue kLocks[] = {
    FACTORY(PanelLock, 0),         FACTORY(ParentalLocks, 0), FACTORY(BlockUnratedContent, 0),
    FACTORY(EnableRatingBlock, 0), FACTORY(InputLock, 0),
};

// The colour goes with it (ResetGroup).
constexpr FactoryValue kScreenSaver[] = {FACTORY(ScreenSaverDelay, 30)};

// No input is chosen for the device modes of the remote control (-1), and
// the TV mode keeps the first input.
constexpr FactoryValue kAutoInput[] = {
    FACTORY(EnableAutoInput, 0),    FACTORY(AutoInputTV, 0), FACTORY(AutoInputCableSat, -1),
    FACTORY(AutoInputBDDVD, -1),    FACTORY(AutoInputAUX, -1),
};

// Every list but the linked devices' (the bits of CBListMask).
constexpr FactoryValue kChannelBrowser[] = {FACTORY(Navigation, 0), FACTORY(CBListMask, 111)};

constexpr FactoryValue kPicturePosition[] = {FACTORY(VerticalPosition, 16)};

// The clock phase is kept 0 to 30 around 15, which its slider shows as 0.
constexpr FactoryValue kPCSettings[] = {
    FACTORY(HorizontalPosition, 50), FACTORY(VerticalPosition, 16), FACTORY(VGAPhase, 15),
    FACTORY(HorizontalSize, 0),
};

constexpr FactoryValue kScaleWindow[] = {
    FACTORY(WindowHPos, 0), FACTORY(WindowVPos, 0), FACTORY(WindowHSize, 0), FACTORY(WindowVSize, 0),
};

#undef FACTORY

struct GroupValues {
  FactoryGroup group;
  std::span<const FactoryValue> values;
};
constexpr GroupValues kGroups[] = {
    {FactoryGroup::AdvancedPicture, kAdvancedPicture}, {FactoryGroup::ExpertPicture, kExpertPicture},
    {FactoryGroup::BaseColors, kBaseColors},           {FactoryGroup::Audio, kAudio},
    {FactoryGroup::Captions, kCaptions},               {FactoryGroup::Locks, kLocks},
    {FactoryGroup::ScreenSaver, kScreenSaver},
    {FactoryGroup::AutoInput, kAutoInput},             {FactoryGroup::ChannelBrowser, kChannelBrowser},
    {FactoryGroup::PicturePosition, kPicturePosition}, {FactoryGroup::PCSettings, kPCSettings},
    {FactoryGroup::ScaleWindow, kScaleWindow},
};

}  // namespace

std::span<const FactoryValue> FactoryValues(FactoryGroup group, int32_t pictureMode) {
  if (group == FactoryGroup::CommonPicture) {
    if (pictureMode < 0 || pictureMode >= kPictureModes) return {};
    return kCommonPicture[pictureMode];
  }
  for (const GroupValues& row : kGroups)
    if (row.group == group) return row.values;
  return {};
}

}  // namespace SkinBin
