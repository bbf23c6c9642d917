#include "SkinBin/Setup3D.h"

#include "vgdebug.h"
#include "vgslot.h"
#include "vgtrace.h"
#include "xpm.h"

VG_DEFINE_CLASS(SkinBin, Setup3D, XObject)

namespace SkinBin {

int32_t Setup3D::OnGetThreeD_LeftRightImage() { return ThreeD_LeftRightImage; }

void Setup3D::OnSetThreeD_LeftRightImage(int32_t value) {
  ThreeD_LeftRightImage = value;
  if (XPM_3DTV_Set3DLRReverse(value) != 0) VgPrint("XPM_3DTV_Set3DLRReverse returns error\n");
}

bool Setup3D::Is3DMode(int32_t format) { return format >= kFormatSideBySide; }

bool Setup3D::IsFormatSelected() { return Is3DMode(InputFormat) || State == kState2DTo3D; }

bool Setup3D::IsFormatSupported(int32_t format) { return format != kFormatNone && format != kFormatUnsupported; }

bool Setup3D::IsSourceSupported3D(int32_t sourceType) {
  constexpr int32_t kSourceTypeHdmi = 5;
  constexpr int32_t kSourceTypeDvi = 10;
  return sourceType == kSourceTypeHdmi || sourceType == kSourceTypeDvi;
}

bool Setup3D::Is3DDisplay(int32_t display) { return display == kState3D || display == kState2DTo3D; }

bool Setup3D::IsFramePacking() {
  return InputFormat == kFormatFramePacking720 || InputFormat == kFormatFramePacking1080;
}

void Setup3D::MatchInputAndDisplay(int32_t input, int32_t display) {
  const bool input3D = Is3DMode(input);
  const bool display3D = Is3DMode(display);
  if (input3D)
    State = display3D ? kState3D : kState3DAs2D;
  else
    State = display3D ? kState2DTo3D : kState2D;
}

void Setup3D::SetMode(int32_t mode) {
  VgTrace("%s%i", u"Setup3D SetMode", mode);
  // A negative mode is no mode the middleware knows.
  if (mode >= 0 && XPM_3DTV_SetMode(mode) != 0) VgPrint("XPM_3DTV_SetMode returns error\n");
}

void Setup3D::SetOutput(int32_t on) {
  VgTrace("%s%i", u"Setup3D SetOutput", on);
  if (XPM_3DTV_SetOutput(on != 0) != 0) VgPrint("XPM_3DTV_SetOutput returns error\n");
}

int32_t Setup3D::GetMode() {
  VgTrace("%s", u"Setup3D GetMode");
  return Mode;
}

void Setup3D::RefreshState() {
  int32_t input = kFormat2D;
  int32_t mode = kFormat2D;
  int32_t display = kFormat2D;
  if (XPM_3DTV_GetVideoStatus(&input, &mode, &display) != 0) {
    VgPrint("XPM_3DTV_GetVideoStatus returns error\n");
    input = mode = display = kFormat2D;
  }
  VgPrint("[SkinBinSetup3D_RefreshState] >>>> input=%d, mode=%d, display=%d\n", input, mode, display);
  Mode = mode;
  InputFormat = input;
  MatchInputAndDisplay(input, display);
  if (State != kState2DTo3D) OnSetThreeD_LeftRightImage(0);
}

void Setup3D::SwitchTo2DState(bool later) {
  if (Is3DMode(InputFormat)) {
    Mode = InputFormat;
    State = kState3DAs2D;
  } else {
    Mode = kFormat2D;
    State = kState2D;
  }
  if (later)
    ApplyStateLater();
  else
    ApplyState();
}

void Setup3D::ApplyStateLater() { VgIdleSignal(VgSlotOf<&Setup3D::ApplyStateSlot>(this)); }

void Setup3D::ApplyStateSlot(XObject*) { ApplyState(); }

void Setup3D::ApplyState() {
  switch (State) {
    case kState3D:
      SetMode(Is3DMode(InputFormat) ? InputFormat : Mode);
      SetOutput(1);
      break;
    case kState2D:
    case kState3DAs2D:
      SetMode(Mode);
      SetOutput(0);
      break;
    case kState2DTo3D:
      SetMode(Mode);
      SetOutput(1);
      break;
    default:
      break;
  }
}

}  // namespace SkinBin
