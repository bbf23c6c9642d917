#include "SkinBin/PreferencesModule1.h"

#include "OptionDatabase/Bindings.h"
#include "SkinBin/OptionTypes.h"
#include "SkinBin/Setup3D.h"
#include "Strings.h"

VG_DEFINE_CLASS(SkinBin, PreferencesModule1, OptionDatabase::OptionModuleClass)

namespace SkinBin {

namespace {

using namespace Strings;
using namespace ::OptionDatabase;

constexpr TextRef k3DAutoStarts[] = {Sid(SID_OFF), Sid(SID_3D), Sid(SID_2D)};
constexpr TextRef kInputLocks[] = {Sid(SID_OFF), Sid(SID_VIDEO), Sid(SID_VIDEO_PLUS)};
constexpr TextRef kPowerLeds[] = {Sid(SID_BRIGHT), Sid(SID_DIMMER)};
constexpr TextRef kIRControls[] = {Sid(SID_IN), Sid(SID_OUT)};
constexpr TextRef kNavigations[] = {Sid(SID_MODE_SELECT), Sid(SID_MODE_BROWSE)};
// The game timer and the 3D timer share the lengths 0 to 4.
constexpr TextRef kTimers[] = {Sid(SID_OFF), Sid(SID_30_MINUTES), Sid(SID_60_MINUTES), Sid(SID_90_MINUTES),
                               Sid(SID_120_MINUTES)};
// The channel-browser list kinds 0 to 4 in kind order.
constexpr TextRef kCBLists[] = {Sid(SID_HISTORY_LIST), Sid(SID_ANT_CABLE_LIST), Sid(SID_INPUTS_LIST),
                                Sid(SID_FAVORITES_LIST), Sid(SID_NOVIQ_LINK_LIST)};
constexpr int32_t kCBListValues[] = {0, 1, 2, 3, 4};
constexpr TextRef kNoYes[] = {Sid(SID_NO), Sid(SID_YES)};
constexpr TextRef kLeftRightImages[] = {Sid(SID_NORMAL), Sid(SID_SWAP)};
constexpr TextRef kPowerOnControls[] = {Sid(SID_DISABLED), Sid(SID_ENABLED)};

// The kinds that list channels, which only a tuner input has.
constexpr int32_t kChannelListKinds[] = {1, 3, 5, 6};
constexpr int32_t kCBListKinds = 8;

constexpr int32_t kLeftRightImageIndex = 0x16;

using M = PreferencesModule1;

constexpr OptionRow kRows[] = {
    List(0x00, Sid(SID_3D_AUTO_START), OPTION_S(ThreeDAutoStart), k3DAutoStarts),
    OffOn(0x01, Sid(SID_3D_START_MESSAGE), OPTION_S(ThreeDStartMessage)),
    OffOn(0x02, Sid(SID_3D_LOCK), OPTION_S(ThreeDLock)),
    OffOn(0x03, Sid(SID_3D_TIMER_LOCK), OPTION_S(ThreeDTimerLock)),
    List(0x04, Sid(SID_INPUT_LOCK), OPTION_S(InputLock), kInputLocks),
    OffOn(0x05, Sid(SID_MEDIA_RENDERER), OPTION_S(MediaRenderer)),
    OffOn(0x06, Sid(SID_ACCESS_CONTROL), OPTION_S(DMC_AccessControl)),
    OffOn(0x07, Sid(SID_HDMI_INFORMATION_DISPLAY), OPTION_S(HDMIInformationDisplay)),
    List(0x08, Sid(SID_POWER_LED), OPTION_S(PowerLed), kPowerLeds),
    List(0x09, Sid(SID_IR_CONTROL), OPTION_S(IRControl), kIRControls),
    List(0x0A, Sid(SID_NAVIGATION), OPTION_S(Navigation), kNavigations),
    OffOn(0x0B, Sid(SID_HISTORY_LIST), OPTION_S(HistoryList)),
    OffOn(0x0C, Sid(SID_ANT_CABLE_LIST), OPTION_S(AntCableList)),
    OffOn(0x0D, Sid(SID_INPUTS_LIST), OPTION_S(InputsList)),
    OffOn(0x0E, Sid(SID_FAVORITES_LIST), OPTION_S(FavoritesList)),
    OffOn(0x0F, Sid(SID_NOVIQ_LINK_LIST), OPTION_S(NOVIQLinkList)),
    OffOn(0x10, Sid(SID_ENABLE_RATING_BLOCKING), OPTION_S(EnableRatingBlock)),
    List(0x11, Sid(SID_GAME_TIMER), OPTION_S(GameTimerIndex), kTimers),
    ValueList(0x12, NoText, OPTION_S(CurrentCBList), kCBLists, kCBListValues)
        .WithInitialize(SlotMethod<&M::CurrentCBList_Initialize>),
    Slider(0x13, Sid(SID_2D_3D_Depth), OPTION_S(ThreeDDepth)),
    List(0x14, Sid(SID_ENABLE_3D_TIMER), OPTION_S(ThreeD_EnableTimer), kTimers),
    List(0x15, Sid(SID_DO_NOT_DISPLAY_AGAIN), OPTION_S(ThreeD_DisplayInfo), kNoYes),
    // Bound by the constructor to the model's 3D state keeper.
    List(kLeftRightImageIndex, Sid(SID_LEFT_RIGHT_IMAGE), NoProperty, kLeftRightImages),
    List(0x17, Sid(SID_TV_POWERON_CONTROL), OPTION_S(TVPowerOnControl), kPowerOnControls),
    OffOn(0x18, NoText, OPTION_S(EnableDlna)),
};

}  // namespace

PreferencesModule1::PreferencesModule1(XObject* link) : OptionModuleClass(link) {
  Build<kRows>(this, kPreferencesModule1);
  OptionDataClass* leftRight = GetOptionData(kLeftRightImageIndex);
  if (leftRight && Model()) {
    leftRight->OnSetRefValue(VgRefOf<&Setup3D::OnGetThreeD_LeftRightImage, &Setup3D::OnSetThreeD_LeftRightImage>(
        &Model()->Setup3D));
  }
}

void PreferencesModule1::CurrentCBList_Initialize(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  Wrapper* model = Model();
  if (!record || !model) return;
  bool tuner = model->IsRFSourceType(model->GetSourceType(model->GetCurrentSource(0)));
  for (int32_t kind : kChannelListKinds) model->SetCBListStatus(kind, tuner);

  uint32_t mask = 0;
  for (int32_t kind = 0; kind < kCBListKinds; ++kind)
    if (model->IsCBListEnabled(kind)) mask |= 1u << kind;
  FilterChoices(record, mask);

  // A current kind that the list no longer shows (disabled, or a kind without
  // an entry) gives way to the first one it does show.
  int32_t current = model->OnGetCurrentCBList();
  bool shown = current >= 0 && current < static_cast<int32_t>(std::size(kCBListValues)) && (mask >> current & 1u);
  if (shown) return;
  for (int32_t value : kCBListValues) {
    if (mask >> value & 1u) {
      model->OnSetCurrentCBList(value);
      return;
    }
  }
}

}  // namespace SkinBin
