#include "MenuSystem/TimerPages.h"

#include "AppServices/OptionDB.h"
#include "AppServices/Wrapper.h"
#include "Core/KeyEvent.h"
#include "MenuSystem/EntryItems.h"
#include "MenuSystem/MenuItems.h"
#include "MenuSystem/MenuSystem.h"
#include "OptionDatabase/OptionBinding.h"
#include "OptionDatabase/OptionData.h"
#include "OptionDatabase/OptionTypes.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "Views/Text.h"
#include "WinIDs/WinIDs.h"
#include "vgtrace.h"

VG_DEFINE_CLASS(MenuSystem, OnTimerMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, EnergySavingSettingsMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, NoSignalPowerDownMenu, ::MenuSystem::ThirdMenu)

namespace MenuSystem {

namespace {

using namespace Strings;
using OptionDatabase::Sid;
namespace O = OptionDatabase;
namespace S = SkinBin;

constexpr const char* kScreen = "MenuSystem::NoSignalPowerDownMenu";

::SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }

// ---------------------------------------------------------------- on timer

constexpr VgMethod kOnTimerGrayout = PageSlot<&OnTimerMenu::RefreshGrayout>;
constexpr RowDef kOnTimerRows[] = {
    Item<SubMenuItemValueSelect>(Sid(SID_ENABLE_ON_TIMER_ROW), O::OPTION_TYPE_ENABLE_ON_TIMER).Changed(kOnTimerGrayout),
    Item<SubMenuItemValueSelect>(Sid(SID_INPUT), S::OPTION_TYPE_ONTIMER_INPUT).Changed(kOnTimerGrayout),
    Item<ChannelSetItem>(Sid(SID_CHANNEL), S::OPTION_TYPE_ONTIMER_CHANNEL),
    Item<VolumeSetItem>(Sid(SID_VOLUME), S::OPTION_TYPE_ONTIMER_VOLUME),
    Item<TimerSetItem>(Sid(SID_TIME_UNTIL_POWER_ON), S::OPTION_TYPE_ONTIMER_TIME),
    Item<SubMenuItem>(Sid(SID_DONE)),
};
enum OnTimerRow : int32_t { kEnable = 1, kInput, kChannel, kVolume, kTime, kDone };
// The page keeps each row where it stands: "Done" sits centred below the others.
constexpr VgRect kOnTimerBounds[] = {{18, 40, 508, 65},   {18, 66, 508, 91},    {18, 92, 508, 117},
                                     {18, 118, 508, 143}, {18, 144, 508, 169}, {120, 191, 415, 221}};
constexpr VgRect kOnTimerPage{0, 0, 526, 240};
constexpr VgRect kOnTimerArea{18, 40, 508, 250};
constexpr int32_t kOnTimerMinIndex = 10;
// Every day of the week, Sunday to Saturday.
constexpr int32_t kEveryDay = 0x7F;
constexpr int32_t kTunerInput = 0;
constexpr PageTable kOnTimerMenu{.title = Sid(SID_ON_TIMER_PAGE),
                                 .back = "MenuSystem::ApplicationsMenu",
                                 .level = 4,
                                 .rows = kOnTimerRows,
                                 .winId = WinIDs::WIN_ID_OnTimerMenu};

// ---------------------------------------------------------- energy saving

constexpr RowDef kEnergyRows[] = {
    Item<SubMenuItemValueSelect>(Sid(SID_AUTOMATIC_POWER_DOWN), S::OPTION_TYPE_AUTOMATIC_POWER_DOWN),
    Item<SubMenuItem>(Sid(SID_NO_SIGNAL_POWER_DOWN), 0, "MenuSystem::NoSignalPowerDownMenu"),
};
// In store use the set never powers itself down.
bool InStore(ThirdMenu&) { return Model()->OnGetLocation() != 0; }
constexpr RowRule kEnergyDisabled[] = {{1, InStore}};
constexpr PageTable kEnergyMenu{.title = Sid(SID_ENERGY_SAVING_SETTINGS),
                                .back = "MenuSystem::PreferencesMenu",
                                .level = 4,
                                .rows = kEnergyRows,
                                .winId = WinIDs::WIN_ID_EnergySavingSettingsMenu,
                                .disabled = kEnergyDisabled};

// The power-down page's rows come from the set's sources when it opens; it
// shares its parent's window id.
constexpr PageTable kPowerDownMenu{.title = Sid(SID_NO_SIGNAL_POWER_DOWN),
                                   .back = "MenuSystem::EnergySavingSettingsMenu",
                                   .level = 5,
                                   .winId = WinIDs::WIN_ID_EnergySavingSettingsMenu};

const PageListing kListed[] = {PageListing(kOnTimerMenu), PageListing(kEnergyMenu), PageListing(kPowerDownMenu)};

}  // namespace

// ------------------------------------------------------------ on-timer page

OnTimerMenu::OnTimerMenu() : ThirdMenu(kOnTimerMenu) {
  ArrangeMode = -1;
  PageArea = kOnTimerArea;
  for (int32_t n = kEnable; n <= kDone; ++n)
    if (SubMenuItem* row = Row(n)) row->OnSetBounds(kOnTimerBounds[n - 1]);
  // "Done" is a button below the five rows, not one of them.
  ItemsNum = kTime;
  const VgMethod editChanged = PageSlot<&OnTimerMenu::DoEditModeChanged>;
  if (auto* channel = vg_cast<ChannelSetItem>(Row(kChannel))) channel->OnChannelEditChanged = VgSlot(this, editChanged);
  if (auto* volume = vg_cast<VolumeSetItem>(Row(kVolume))) volume->OnIsEditChanged = VgSlot(this, editChanged);
  if (auto* time = vg_cast<TimerSetItem>(Row(kTime))) {
    time->OnIsEditChanged = VgSlot(this, editChanged);
    time->MinIndex = kOnTimerMinIndex;
    time->ApplyValue = 0;
  }
  if (SubMenuItem* done = Row(kDone)) {
    done->OnSetTextAlignH(Views::Text::AlignCentre);
    done->OnActivate = VgSlotOf<&OnTimerMenu::SetTimerData>(this);
  }
}

void OnTimerMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  // Another screen may have left a recording timer active: the rows must act
  // on the on-timer's record, or "Done" would rewrite that recording.
  Model()->OnSetActiveTimerId(::SkinBin::Wrapper::kOnTimerId);
  const int32_t minutes = Model()->OnGetOnTimerTime();
  VgTrace("%s%i", u"OnTimer Time", minutes);
  VgTrace("%s%i%s%i", u"OnTimer hour", minutes / 60, u"min", minutes % 60);
  ThirdMenu::Initialize(parameter);
  OnSetBounds({Bounds.x1, Bounds.y1, Bounds.x1 + VgGetRectW(kOnTimerPage), Bounds.y1 + VgGetRectH(kOnTimerPage)});
  Refresh();
}

void OnTimerMenu::RefreshGrayout(XObject*) {
  ::SkinBin::Wrapper* model = Model();
  const bool off = !model->OnGetEnableTimer();
  for (int32_t n : {kInput, kVolume, kTime})
    if (SubMenuItem* row = Row(n)) row->OnSetIsDisabled(off);
  if (SubMenuItem* channel = Row(kChannel)) channel->OnSetIsDisabled(off || model->OnGetTimerSource() != kTunerInput);
}

void OnTimerMenu::SetTimerData(XObject*) {
  ::SkinBin::Wrapper* model = Model();
  if (auto* time = vg_cast<SubMenuItemValue>(Row(kTime))) model->OnSetOnTimerTime(time->Value);
  if (!model->OnGetEnableTimer()) model->CancelOnTimer(false);
  model->OnSetTimerDaysOfWeek(kEveryDay);
  model->OnSetTimerDuration(0);
  model->SetTimer(nullptr);
  auto* key = VgNew<Core::KeyEvent>()->Initialize(::Key::Back, true);
  HandleEvent(key);
}

void OnTimerMenu::DoEditModeChanged(XObject* sender) {
  auto* row = vg_cast<SubMenuItem>(sender);
  auto* system = SystemOf(this);
  if (row && system) system->UpdateHelp(row->HelpMask, row->HelpString);
}

// -------------------------------------------------------- energy saving

EnergySavingSettingsMenu::EnergySavingSettingsMenu() : ThirdMenu(kEnergyMenu) {}

// ------------------------------------------------------------ power down

NoSignalPowerDownMenu::NoSignalPowerDownMenu() : ThirdMenu(kPowerDownMenu) {}

void NoSignalPowerDownMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ::SkinBin::Wrapper* model = Model();
  const int32_t count = model->GetValidSourceNum();
  for (int32_t i = 0; i < count; ++i) {
    auto* row = VgNew<SubMenuItemValueSelect>();
    row->Tag = i + 1;
    // The row's source index, for its bit of the mask.
    row->Attribute1 = i;
    row->OnSetText(model->GetSourceName(model->GetSourceId(i)));
    row->OptionType = S::OPTION_TYPE_NO_SIGNAL_POWERDOWN;
    row->OnValueChanged = VgSlotOf<&NoSignalPowerDownMenu::ChangeNoSignal>(this);
    row->OnFocus = VgSlotOf<&ThirdMenu::DoFocus>(this);
    Add(row, 0);
    ++ItemsNum;
  }
  ThirdMenu::Initialize(parameter);
}

void NoSignalPowerDownMenu::LoadSettings() {
  ::SkinBin::Wrapper* model = Model();
  const int32_t mask = model->OnGetNoSignalPowerDown();
  const VgSlot resetTimeout =
      VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(static_cast<Primitives::KeyRoutingForm*>(this));
  for (int32_t i = 0; i < ItemsNum; ++i) {
    auto* row = vg_cast<SubMenuItemValue>(GetCtrlAt(i));
    if (!row) continue;
    OptionDatabase::OptionBinding option(MainApp::GetOptionDB(), row->OptionType, kScreen);
    if (row->OptionType && option) {
      OptionDatabase::OptionDataClass* record = option.Record();
      record->Initialize();
      row->ChoiceCount = record->OnGetNum();
      record->Value = ::Wrapper::Wrapper::Bool2Int(
          ::Wrapper::Wrapper::IsBitSet(mask, model->GetSourceId(row->Attribute1)));
      row->Value = record->Value;
      record->Val2Id();
      row->ChoiceIndex = record->Id;
      if (VgString text = option.ChoiceText()) row->OnSetValueString(text);
    }
    row->OnResetTimeout = resetTimeout;
  }
}

void NoSignalPowerDownMenu::ChangeNoSignal(XObject* sender) {
  auto* row = vg_cast<SubMenuItemValueSelect>(sender);
  if (!row) return;
  ::SkinBin::Wrapper* model = Model();
  const int32_t mask = model->OnGetNoSignalPowerDown();
  model->OnSetNoSignalPowerDown(
      ::Wrapper::Wrapper::SetBit(mask, model->GetSourceId(row->Attribute1), row->Value != 0));
}

}  // namespace MenuSystem
