#include "SkinBin/CustomPictureModule2.h"

#include "OptionDatabase/Bindings.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"

VG_DEFINE_CLASS(SkinBin, CustomPictureModule2, OptionDatabase::OptionModuleClass)

namespace SkinBin {

namespace {

using namespace Strings;
using namespace ::OptionDatabase;

constexpr OptionRow kRows[] = {
    Slider(0x00, Sid(SID_RED), OPTION_S(RedHue)),
    Slider(0x01, Sid(SID_RED), OPTION_S(RedSaturation)),
    Slider(0x02, Sid(SID_RED), OPTION_S(RedBrightness)),
    Slider(0x03, Sid(SID_GREEN), OPTION_S(GreenHue)),
    Slider(0x04, Sid(SID_GREEN), OPTION_S(GreenSaturation)),
    Slider(0x05, Sid(SID_GREEN), OPTION_S(GreenBrightness)),
    Slider(0x06, Sid(SID_BLUE), OPTION_S(BlueHue)),
    Slider(0x07, Sid(SID_BLUE), OPTION_S(BlueSaturation)),
    Slider(0x08, Sid(SID_BLUE), OPTION_S(BlueBrightness)),
    Slider(0x09, Sid(SID_YELLOW), OPTION_S(YellowHue)),
    Slider(0x0A, Sid(SID_YELLOW), OPTION_S(YellowSaturation)),
    Slider(0x0B, Sid(SID_YELLOW), OPTION_S(YellowBrightness)),
    Slider(0x0C, Sid(SID_MAGENTA), OPTION_S(MagentaHue)),
    Slider(0x0D, Sid(SID_MAGENTA), OPTION_S(MagentaSaturation)),
    Slider(0x0E, Sid(SID_MAGENTA), OPTION_S(MagentaBrightness)),
    Slider(0x0F, Sid(SID_CYAN), OPTION_S(CyanHue)),
    Slider(0x10, Sid(SID_CYAN), OPTION_S(CyanSaturation)),
    Slider(0x11, Sid(SID_CYAN), OPTION_S(CyanBrightness)),
    Slider(0x12, NoText, OPTION_S(BrightnessCenter)),
    Slider(0x13, NoText, OPTION_S(ColorCenter)),
    Slider(0x14, NoText, OPTION_S(BasebandTint)),
    Slider(0x15, NoText, OPTION_S(ContrastMax)),
    Slider(0x16, Sid(SID_RED_OFFSET), OPTION_S(SRV_Red_Offset)),
    Slider(0x17, Sid(SID_GREEN_OFFSET), OPTION_S(SRV_Green_Offset)),
    Slider(0x18, Sid(SID_BLUE_OFFSET), OPTION_S(SRV_Blue_Offset)),
    Slider(0x19, Sid(SID_RED_GAIN), OPTION_S(SRV_Red_Gain)),
    Slider(0x1A, Sid(SID_GREEN_GAIN), OPTION_S(SRV_Green_Gain)),
    Slider(0x1B, Sid(SID_BLUE_GAIN), OPTION_S(SRV_Blue_Gain)),
};

}  // namespace

CustomPictureModule2::CustomPictureModule2(XObject* link) : OptionModuleClass(link) {
  Build<kRows>(this, kCustomPictureModule2);
}

}  // namespace SkinBin
