#include "MediaPlayer/SelectedParam.h"

VG_DEFINE_CLASS(MediaPlayer, SelectedParam, XObject)

namespace MediaPlayer {

SelectedParam* SelectedParam::Make(int32_t index, const VgClass* from, VgString mountString) {
  auto* param = VgNew<SelectedParam>();
  param->Index = index;
  param->From = from;
  param->FileName = mountString;
  param->MountString = mountString;
  return param;
}

}  // namespace MediaPlayer
