#include "OptionDatabase/PictureModule.h"

#include "OptionDatabase/Bindings.h"
#include "OptionDatabase/OptionTypes.h"
#include "Strings.h"
#include "Structures/Devices.h"

VG_DEFINE_CLASS(OptionDatabase, PictureModule, OptionDatabase::OptionModuleClass)

namespace OptionDatabase {

namespace {

using namespace Strings;

// The vertical position's modes, kept in the record's Offset.
constexpr int32_t kModeVga = 10;
constexpr int32_t kModeVga75Hz = 8;
constexpr int32_t kModeVideo = 5;
constexpr int32_t kRateIndex75Hz = 13;

constexpr TextRef kPictureModes[] = {Sid(SID_LUMETRA), Sid(SID_SPORTS),  Sid(SID_STANDARD), Sid(SID_MOVIE_1),
                                     Sid(SID_MOVIE_2), Sid(SID_STORE), Sid(SID_GAME),     Sid(SID_PC)};
constexpr int32_t kPictureModeValues[] = {0, 1, 2, 3, 4, 5, 6, 7};
constexpr TextRef kColorTemperatures[] = {Fixed("Normal"), Fixed("Cool1"),  Fixed("Cool2"),   Fixed("Warm"),
                                          Fixed("Custom"), Fixed("Cool"), Fixed("Computer")};
constexpr TextRef kVdecSensitivities[] = {Sid(SID_DEFAULT), Sid(More3D), Sid(Less3D)};

using M = PictureModule;

constexpr OptionRow kRows[] = {
    ValueList(0x00, Sid(SID_PICTURE_MODE), OPTION_W(VideoPreset), kPictureModes, kPictureModeValues),
    Slider(0x01, Sid(SID_BACKLIGHT), OPTION_W(Backlight)),
    Slider(0x02, Sid(SID_CONTRAST), OPTION_W(Contrast)),
    Slider(0x03, Sid(SID_BRIGHTNESS), OPTION_W(Brightness), 50),
    Slider(0x04, Sid(SID_COLOR), OPTION_W(Color), 50),
    Slider(0x05, Sid(PictureSettingHue), OPTION_W(Tint)),
    Slider(0x06, Sid(SID_SHARPNESS), OPTION_W(Sharpness), 50),
    List(0x07, Sid(SID_COLOUR_TEMPERATURE), OPTION_W(ColorTemperature), kColorTemperatures),
    OffLowMiddleHigh(0x08, Sid(SID_MPEG_NR), OPTION_W(DigitalNR)),
    OffOn(0x09, Sid(SID_CINEMA_MODE), OPTION_W(CinemaMode)),
    Slider(0x0A, Sid(SID_RED_OFFSET), OPTION_W(Red_Offset)),
    Slider(0x0B, Sid(SID_GREEN_OFFSET), OPTION_W(Green_Offset)),
    Slider(0x0C, Sid(SID_BLUE_OFFSET), OPTION_W(Blue_Offset)),
    Slider(0x0D, Sid(SID_RED_GAIN), OPTION_W(Red_Gain)),
    Slider(0x0E, Sid(SID_GREEN_GAIN), OPTION_W(Green_Gain)),
    Slider(0x0F, Sid(SID_BLUE_GAIN), OPTION_W(Blue_Gain)),
    OffLowMiddleHigh(0x10, Sid(SID_DNR), OPTION_W(AnalogNR)),
    Slider(0x11, Sid(SID_DYNAMIC_CONTRAST), OPTION_W(DynamicContrast)),
    OffOn(0x12, Sid(SID_KELDRIX_PLUS), OPTION_S(SuperResolutionStatus)),
    OffOn(0x13, Sid(SID_VANTREL), OPTION_W(ColorManager)),
    OffOn(0x14, Fixed("Game Mode"), OPTION_W(GameMode)),
    Slider(0x15, Sid(SID_VERT_POSITION), OPTION_W(VerticalPosition))
        .WithInitialize(SlotMethod<&M::VerticalPosition_Initialize>)
        .WithConversion(SlotMethod<&M::VerticalPosition_Val2Id>, SlotMethod<&M::VerticalPosition_Id2Val>),
    Slider(0x16, Sid(SID_HORZ_POSITION), OPTION_W(HorizontalPosition), 10)
        .WithConversion(SlotMethod<&M::HorizontalPosition_Val2Id>, SlotMethod<&M::HorizontalPosition_Id2Val>),
    Slider(0x17, NoText, OPTION_W(VerticalSize)),
    Slider(0x18, Sid(SID_SAMPLE_CLOCK), OPTION_W(HorizontalSize)),
    Slider(0x19, Sid(SID_CLOCK_PHASE), OPTION_W(VGAPhase), 15),
    OffOn(0x1A, Fixed("FRC Setting"), OPTION_S(FrcMode)),
    Slider(0x1B, Fixed("FRC Film"), OPTION_S(FrcFilm)),
    Slider(0x1C, Fixed("FRC Video"), OPTION_S(FrcVideo)),
    List(0x1D, Fixed("VDEC Sensitivity"), OPTION_W(VDECSensitivity), kVdecSensitivities),
};

}  // namespace

PictureModule::PictureModule(XObject* link) : OptionModuleClass(link) { Build<kRows>(this, kPictureModule); }

void PictureModule::VerticalPosition_Initialize(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  if (!record || !Model()) return;
  int32_t mode = kModeVideo;
  if (Model()->GetSourceType(Model()->GetCurrentSource(0)) == ::Wrapper::kSourceTypeVga) {
    int32_t rate = Model()->GetVideoContentInfo(0)->Values[::Wrapper::kVideoRateIndex];
    mode = rate != kRateIndex75Hz ? kModeVga : kModeVga75Hz;
  }
  record->OnSetOffset(mode);
}

void PictureModule::VerticalPosition_Val2Id(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  if (!record) return;
  int32_t mode = record->OnGetOffset();
  if (mode == kModeVga || mode == kModeVga75Hz)
    record->Id = Held(int64_t{record->Value} - 50);
  else if (mode == kModeVideo)
    record->Id = Held(int64_t{record->Value} - 16);
}

void PictureModule::VerticalPosition_Id2Val(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  if (!record) return;
  int32_t mode = record->OnGetOffset();
  if (mode == kModeVga || mode == kModeVga75Hz)
    record->Value = Held(int64_t{record->Id} + 50);
  else if (mode == kModeVideo)
    record->Value = Held(int64_t{record->Id} + 16);
}

void PictureModule::HorizontalPosition_Val2Id(XObject* sender) {
  if (auto* record = vg_cast<OptionDataClass>(sender)) record->Id = Held((int64_t{record->Value} - 50) / 5);
}

void PictureModule::HorizontalPosition_Id2Val(XObject* sender) {
  if (auto* record = vg_cast<OptionDataClass>(sender)) record->Value = Held(5 * int64_t{record->Id} + 50);
}

}  // namespace OptionDatabase
