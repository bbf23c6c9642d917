#include "FactorySystem/AdjustmentMenu.h"

#include <algorithm>
#include <iterator>

#include "AppServices/OptionDB.h"
#include "AppServices/Wrapper.h"
#include "Core/Keys.h"
#include "Core/Root.h"
#include "Events/Events.h"
#include "FactorySystem/FactorySystem.h"
#include "OptionDatabase/OptionBinding.h"
#include "SkinBin/OptionTypes.h"
#include "SkinBin/Wrapper.h"
#include "SubSystem/Open.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(FactorySystem, AdjustmentMenu, ::FactorySystem::ValueDisplay)

namespace FactorySystem {

namespace {

constexpr const char* kScreen = "FactorySystem::AdjustmentMenu";

struct Entry {
  const char* name;
  int32_t optionId;
};
constexpr Entry kEntries[] = {
    {"RCUT", SkinBin::OPTION_TYPE_SRV_RED_OFFSET},
    {"GCUT", SkinBin::OPTION_TYPE_SRV_GREEN_OFFSET},
    {"BCUT", SkinBin::OPTION_TYPE_SRV_BLUE_OFFSET},
    {"RDRV", SkinBin::OPTION_TYPE_SRV_RED_GAIN},
    {"GDRV", SkinBin::OPTION_TYPE_SRV_GREEN_GAIN},
    {"BDRV", SkinBin::OPTION_TYPE_SRV_BLUE_GAIN},
    {"BRTC", SkinBin::OPTION_TYPE_ADJUSTMENT_BRIGHTNESS_CENTER},
    {"COLC", SkinBin::OPTION_TYPE_ADJUSTMENT_COLOR_CENTER},
    {"UVTT", SkinBin::OPTION_TYPE_ADJUSTMENT_BASEBAND_TINT},
    {"CNTX", SkinBin::OPTION_TYPE_ADJUSTMENT_CONTRAST_MAX},
    {"MOID", SkinBin::OPTION_TYPE_TV_MODEL_ID},
};
constexpr int32_t kEntryCount = int32_t(std::size(kEntries));

bool FromFrontPanel(Core::KeyEvent* key) {
  auto* remote = vg_cast<Events::XPM_EVENT_KEY>(key);
  return remote && remote->FrontPanel == 1;
}

}  // namespace

AdjustmentMenu::AdjustmentMenu(XObject* link) : ValueDisplay(link) { WinID = WinIDs::WIN_ID_AdjustmentMenu; }

bool AdjustmentMenu::OnModelId() const { return kEntries[CurrentEntry].optionId == SkinBin::OPTION_TYPE_TV_MODEL_ID; }

void AdjustmentMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ValueDisplay::Initialize(parameter);
  OnSetFacName(VgNewStringAnsi(kEntries[CurrentEntry].name));
  SetOptionType(kEntries[CurrentEntry].optionId);
}

void AdjustmentMenu::SetOptionType(int32_t optionId) {
  OptionDatabase::OptionBinding binding(MainApp::GetOptionDB(), optionId, kScreen);
  option = binding.Record();
  if (!binding) return;
  if (optionId == SkinBin::OPTION_TYPE_TV_MODEL_ID) {
    ChoiceCount = binding.Count();
    ChoiceIndex = binding.Read();
    OnSetFacValue(option->Value);
    return;
  }
  option->Initialize();
  const OptionDatabase::SliderRange range = binding.Range();
  if (!vg_cast<OptionDatabase::SliderCourier>(option->Courier.get())) return;
  Maximum = range.max;
  Minimum = range.min;
  Step = range.step;
  option->Value = range.value;
  option->Val2Id();
  OnSetFacValue(option->Id);
}

void AdjustmentMenu::ToggleType(bool up) {
  CurrentEntry = up ? (CurrentEntry + 1) % kEntryCount : (CurrentEntry + kEntryCount - 1) % kEntryCount;
  OnSetFacName(VgNewStringAnsi(kEntries[CurrentEntry].name));
  SetOptionType(kEntries[CurrentEntry].optionId);
}

void AdjustmentMenu::ChangeValue(bool up) {
  int32_t id = 0;
  if (OnModelId()) {
    if (!option || ChoiceCount <= 0) return;
    // Stepped in 64 bits: an index or a value read from the set may lie
    // anywhere in the 32-bit range.
    const int64_t next = int64_t(ChoiceIndex) + (up ? 1 : -1);
    ChoiceIndex = next >= ChoiceCount ? 0 : next < 0 ? ChoiceCount - 1 : int32_t(next);
    id = ChoiceIndex;
  } else {
    int64_t value = up ? int64_t(FacValue) + Step : int64_t(FacValue) - Step;
    if (up && value > Maximum) value = Maximum;
    if (!up && value < Minimum) value = Minimum;
    id = int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
    OnSetFacValue(id);
  }
  // The slider has moved even without the option's record; nothing reaches
  // the television then.
  if (!option) return;
  OptionDatabase::OptionBinding binding(MainApp::GetOptionDB(), option->OptionType, kScreen);
  binding.Write(id);
  if (OnModelId()) OnSetFacValue(option->Value);
}

bool AdjustmentMenu::HearsBesideTheKeys(Core::KeyEvent* key) const { return FromFrontPanel(key); }

XObject* AdjustmentMenu::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return nullptr;
  switch (key->keyCode) {
    case Key::Menu:
      if (FromFrontPanel(key)) Close();
      break;
    case Key::Digit9:
      if (FactorySystem) SubSystem::Open(FactorySystem, "FactorySystem::StatusCheck", {.back = GetClass()});
      break;
    case Key::ChannelUp:
      if (FromFrontPanel(key) && OnModelId() && MainApp::GetWrapper()->GetKeyHeld(SkinBin::kHeldKeyInfo)) {
        if (Core::Root* root = GetRoot()) root->DispatchEvent(VgNew<Events::XPM_EVENT_FACTORY_RESET>());
      } else {
        ToggleType(true);
      }
      break;
    case Key::ChannelDown:
      ToggleType(false);
      break;
    case Key::VolumeUp:
      ChangeValue(true);
      break;
    case Key::VolumeDown:
      ChangeValue(false);
      break;
    default:
      break;
  }
  return this;
}

}  // namespace FactorySystem
