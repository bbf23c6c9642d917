#include "SkinBin/CustomPictureModule1.h"

#include "OptionDatabase/Bindings.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "Structures/Devices.h"

VG_DEFINE_CLASS(SkinBin, CustomPictureModule1, OptionDatabase::OptionModuleClass)

namespace SkinBin {

namespace {

using namespace Strings;
using namespace ::OptionDatabase;

constexpr TextRef kRoomLightings[] = {Sid(SID_OFF), Sid(SID_AUTO), Sid(SID_INCANDESCENT), Sid(SID_FLUORESCENT)};
constexpr TextRef kNoiseReductions[] = {Sid(SID_OFF), Sid(SID_LOW), Sid(SID_MIDDLE), Sid(SID_HIGH), Sid(SID_AUTO)};
constexpr TextRef kFilmStabilizations240[] = {Sid(SID_OFF), Sid(SID_STANDARD), Sid(SID_MIDDLE), Sid(SID_HIGH)};
constexpr TextRef kFilmStabilizationsAuto[] = {Sid(SID_OFF), Sid(SID_STANDARD), Sid(SID_SMOOTH), Sid(SID_AUTO)};
constexpr TextRef kFilmStabilizations[] = {Sid(SID_OFF), Sid(SID_STANDARD), Sid(SID_SMOOTH)};
constexpr TextRef kSettingTypes[] = {Sid(SID_2P), Sid(SID_10P)};
constexpr TextRef kPictureModes[] = {Sid(SID_AUTO),    Sid(SID_SPORTS), Sid(SID_STANDARD), Sid(SID_MOVIE_1),
                                     Sid(SID_MOVIE_2), Sid(SID_STORE),  Sid(SID_GAME),     Sid(SID_PC)};
constexpr int32_t kPictureModeValues[] = {0, 1, 2, 3, 4, 5, 6, 7};
constexpr TextRef kPictureSizes[] = {Sid(SID_NATIVE),    Sid(SID_FULL),   Sid(SID_PANORELL_1),
                                     Sid(SID_PANORELL_2), Sid(SID_PANORELL_3), Sid(SID_ASPECT_RATION_4_TO_3),
                                     Sid(SID_NORMAL),     Sid(SID_DOT_BY_DOT)};
// Native and normal both show the picture unscaled, one for video and one
// for computer signals; the visible list never holds both.
constexpr int32_t kPictureSizeValues[] = {0, 1, 2, 3, 4, 5, 0, 7};
constexpr TextRef kHdmiOutputs[] = {Fixed("720p"), Fixed("1080p")};
constexpr int32_t kHdmiOutputValues[] = {1, 2};

// Every picture mode but the automatic one (value 0).
constexpr uint32_t kPictureModeMask = 0xFE;
// Full, normal and dot by dot for computer signals; every other size for video.
constexpr uint32_t kPictureSizeMaskPc = 0xC2;
constexpr uint32_t kPictureSizeMaskVideo = 0xBF;

using M = CustomPictureModule1;

constexpr OptionRow kRows[] = {
    OffOn(0x00, Sid(SID_STAGEHOLD), OPTION_S(Stagehold)),
    Slider(0x01, Sid(SID_BACKLIGHT), OPTION_S(BacklightAuto)),
    OffOn(0x02, Sid(SID_BRIGHTNESS_SENSOR), OPTION_S(AutoBrightnessSensor)),
    OffOn(0x03, Sid(SID_AUTO_BRIGHTNESS_SETTINGS), OPTION_S(AutoBrightnessSetting)),
    List(0x04, Sid(SID_ROOM_LIGHTING), OPTION_S(RoomLighting), kRoomLightings),
    OffOn(0x05, Sid(SID_GLIMVANE), OPTION_S(Glimvane)),
    List(0x06, Sid(SID_DNR), OPTION_W(AnalogNR), kNoiseReductions),
    Slider(0x07, Sid(SID_DYNAMIC_CONTRAST), OPTION_W(DynamicContrast), 5),
    OffOn(0x08, Sid(SID_TESSORIC_240), OPTION_S(Tessoric240)),
    OffOn(0x09, Sid(SID_TESSORIC), OPTION_S(Tessoric)),
    OffOn(0x0A, Sid(SID_RED), OPTION_S(RGBFilterRed)),
    OffOn(0x0B, Sid(SID_GREEN), OPTION_S(RGBFilterGreen)),
    OffOn(0x0C, Sid(SID_BLUE), OPTION_S(RGBFilterBlue)),
    List(0x0D, Sid(SID_FILM_STABLIZATION), OPTION_S(FilmStabilization240), kFilmStabilizations240),
    List(0x0E, Sid(SID_FILM_STABLIZATION), OPTION_S(FilmStabilization), kFilmStabilizationsAuto),
    List(0x0F, Sid(SID_FILM_STABLIZATION), OPTION_S(FilmStabilization), kFilmStabilizations),
    OffOn(0x10, Sid(SID_WINDOW_DISPLAY), OPTION_S(WB_WindowDisplay)),
    List(0x11, Sid(SID_SETTING_TYPE), OPTION_S(WB_SettingType), kSettingTypes),
    OffOn(0x12, Sid(SID_TEST_PATTERN), OPTION_S(TestPattern)),
    Slider(0x13, Sid(SID_COLOUR_TEMPERATURE), OPTION_W(ColorTemperature)),
    Slider(0x14, Sid(SID_COLOUR_TEMPERATURE), OPTION_W(ColorTemperature), 5),
    Slider(0x15, Sid(SID_IRE), OPTION_S(WB_Ire)),
    Slider(0x16, Sid(SID_RED), OPTION_S(WB_Red)),
    Slider(0x17, Sid(SID_GREEN), OPTION_S(WB_Green)),
    Slider(0x18, Sid(SID_BLUE), OPTION_S(WB_Blue)),
    Slider(0x19, Sid(SID_LEVEL), OPTION_S(SuperResolutionLevel)),
    Slider(0x1A, Sid(SID_STATIC_GAMMA), OPTION_S(StaticGamma)),
    ValueList(0x1B, Sid(SID_PICTURE_MODE), OPTION_W(VideoPreset), kPictureModes, kPictureModeValues)
        .WithInitialize(SlotMethod<&M::PictureMode_Initialize>),
    ValueList(0x1C, Sid(SID_PICTURE_SIZE), OPTION_W(ViewMode), kPictureSizes, kPictureSizeValues)
        .WithInitialize(SlotMethod<&M::PictureSize_Initialize>),
    Slider(0x1D, Sid(SID_LEVEL), OPTION_S(SuperResolutionLevel)),
    OffOn(0x1E, Sid(SID_CINEMA_MODE), OPTION_S(KVX_CinemaMode)),
    OffOn(0x1F, Sid(SID_MORRABLE240), OPTION_S(Tessoric)),
    ValueList(0x20, NoText, OPTION_S(HDMIOutput), kHdmiOutputs, kHdmiOutputValues),
};

}  // namespace

CustomPictureModule1::CustomPictureModule1(XObject* link) : OptionModuleClass(link) {
  Build<kRows>(this, kCustomPictureModule1);
}

void CustomPictureModule1::PictureMode_Initialize(XObject* sender) {
  if (auto* record = vg_cast<OptionDataClass>(sender)) FilterChoices(record, kPictureModeMask);
}

void CustomPictureModule1::PictureSize_Initialize(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  Wrapper* model = Model();
  if (!record || !model) return;
  int32_t type = model->GetSourceType(model->GetCurrentSource(0));
  bool vga = type == ::Wrapper::kSourceTypeVga;

  if (!model->IsAutoAspect() || vga)
    record->OnSetRefValue(VgRefOf<&Wrapper::OnGetPreferViewMode, &Wrapper::OnSetPreferViewMode>(model));
  else
    record->OnSetRefValue(VgRefOf<&Wrapper::OnGetViewMode, &Wrapper::OnSetViewMode>(model));

  const int32_t* video = model->GetVideoContentInfo(0)->Values;
  bool pc = video[::Wrapper::kVideoPcSignal] != 0;
  // An external source never carries a computer signal, and 640 x 480 on
  // HDMI or DVI is the video format of that size, not a computer timing.
  if (type == ::Wrapper::kSourceTypeExternal) pc = false;
  if ((type == ::Wrapper::kSourceTypeHdmi || type == ::Wrapper::kSourceTypeDvi) &&
      video[::Wrapper::kVideoWidth] == 640 && video[::Wrapper::kVideoHeight] == 480)
    pc = false;
  FilterChoices(record, vga || pc ? kPictureSizeMaskPc : kPictureSizeMaskVideo);
}

}  // namespace SkinBin
