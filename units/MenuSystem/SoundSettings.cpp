#include "MenuSystem/SoundSettings.h"

#include "AppServices/Wrapper.h"
#include "Core/Keys.h"
#include "MenuSystem/MenuItems.h"
#include "MenuSystem/MenuSystem.h"
#include "OptionDatabase/OptionTypes.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(MenuSystem, SoundMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, AdvancedSoundSettingsMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, AudysseyEQMenu, ::MenuSystem::ThirdMenu)

namespace MenuSystem {

namespace {

using namespace Strings;
using OptionDatabase::Sid;
namespace O = OptionDatabase;
namespace S = SkinBin;

constexpr int32_t kAudioFormatAc3 = 3;
constexpr int32_t kAudioFormatAc3Plus = 4;
// The front-panel key that opens the equaliser while kHeldKeyHiddenPage is held.
constexpr uint16_t kEqualiserKey = ::Key::Right;

::SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }

// Dynamic Range Control needs a digital signal carrying AC-3 sound.
bool NoDigitalAc3(ThirdMenu&) {
  ::SkinBin::Wrapper* model = Model();
  const int32_t type = model->GetSourceType(model->GetCurrentSource(0));
  bool digital = type == ::Wrapper::kSourceTypeHdmi || type == ::Wrapper::kSourceTypeExternal ||
                 type == ::Wrapper::kSourceTypeDvi;
  if (model->IsRFSourceType(type)) {
    const ::Structures::VirtualChannel* channel = model->GetCurrentChannel();
    digital = channel && model->IsDigitalChannel(channel->Major, channel->Minor);
  }
  if (!digital) return true;
  const ::SkinBin::CurrentAudioServiceInfo* audio = model->GetCurrentAudioServiceInfo(0);
  const int32_t format = audio ? audio->AudioFormat : 0;
  return format != kAudioFormatAc3 && format != kAudioFormatAc3Plus;
}

constexpr VgMethod kUpdate = PageSlot<&SoundMenu::UpdateSoundSettings>;

constexpr RowDef kSoundRows[] = {
    Item<SubMenuItemValueSelect>(Sid(SID_MTS), O::OPTION_TYPE_MTS).Changed(kUpdate),
    Item<AdjustItemSliderSelect>(Sid(SID_BALANCE), O::OPTION_TYPE_BALANCE).Changed(kUpdate),
    Item<AdjustItemSliderSelect>(Sid(SID_BASS), O::OPTION_TYPE_BASS).Changed(kUpdate),
    Item<AdjustItemSliderSelect>(Sid(SID_TREBLE), O::OPTION_TYPE_TREBLE).Changed(kUpdate),
    Item<SubMenuItem>(Sid(SID_ADVANCED_SOUND_SETTINGS), 0, "MenuSystem::AdvancedSoundSettingsMenu"),
    Item<SubMenuItemValueSelect>(Sid(SID_DYNAMIC_VOLUME), O::OPTION_TYPE_DYNAMIC_VOLUME).Changed(kUpdate),
    Item<SubMenuItemValueSelect>(Sid(SID_DYNAMIC_RANGE_CONTROL_ROW), S::OPTION_TYPE_DYNAMIC_RANGE_CONTROL)
        .Changed(kUpdate),
};
enum SoundRow : int32_t { kDynamicVolume = 6, kDynamicRangeControl = 7 };
constexpr RowRule kSoundDisabled[] = {{kDynamicRangeControl, NoDigitalAc3}};
constexpr PageTable kSoundMenu{.title = Sid(SID_SOUND),
                               .back = nullptr,
                               .rows = kSoundRows,
                               .winId = WinIDs::WIN_ID_SoundMenu,
                               .disabled = kSoundDisabled};

void ExitMuteSlot(XObject*, XObject*) { ExitMuteState(); }
constexpr VgMethod kExitMute = &ExitMuteSlot;

constexpr RowDef kAdvancedSoundRows[] = {
    Item<SubMenuItemValueSelect>(Sid(SID_VOICE_ENHANCEMENT), S::OPTION_TYPE_VOICE_ENHANCEMENT).Changed(kExitMute),
    Item<SubMenuItemValueSelect>(Sid(SID_DYNAMIC_BASS_BOOST), S::OPTION_TYPE_DYNAMIC_BASS_BOOST).Changed(kExitMute),
};
constexpr PageTable kAdvancedSoundMenu{.title = Sid(SID_ADVANCED_SOUND_SETTINGS),
                                       .back = "MenuSystem::SoundMenu",
                                       .level = 4,
                                       .rows = kAdvancedSoundRows,
                                       .winId = WinIDs::WIN_ID_AdvancedSoundSettingsMenu};

constexpr RowDef kEqualiserRows[] = {
    Item<SubMenuItemValueSelect>(Sid(SID_AUDYSSEY_EQ), O::OPTION_TYPE_AUDYSSEY_EQ).Changed(kExitMute),
};
constexpr PageTable kEqualiserMenu{.title = Sid(SID_AUDYSSEY_EQ),
                                   .back = "MenuSystem::AdvancedSoundSettingsMenu",
                                   .level = 5,
                                   .rows = kEqualiserRows,
                                   .winId = WinIDs::WIN_ID_AudEQMenu};

const PageListing kListed[] = {PageListing(kSoundMenu), PageListing(kAdvancedSoundMenu), PageListing(kEqualiserMenu)};

}  // namespace

void ExitMuteState(XObject*) {
  if (Model()->OnGetMute()) Model()->OnSetMute(0);
}

// ---------------------------------------------------------------- sound page

SoundMenu::SoundMenu() : ThirdMenu(kSoundMenu) {}

void SoundMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ThirdMenu::Initialize(parameter);
  if (OpenedFromQuickMenu()) ReturnToQuickMenu();
}

void SoundMenu::UpdateSoundSettings(XObject* sender) {
  auto* row = vg_cast<SubMenuItemValue>(sender);
  ::SkinBin::Wrapper* model = Model();
  if (row && row->Tag == kDynamicVolume) {
    if (model->OnGetDynamicVolume()) model->OnSetDynamicRangeControl(0);
    LoadSettings();
  } else if (row && row->Tag == kDynamicRangeControl) {
    if (model->OnGetDynamicRangeControl()) model->OnSetDynamicVolume(0);
    LoadSettings();
  }
  ExitMuteState();
}

// ------------------------------------------------------- advanced and hidden

AdvancedSoundSettingsMenu::AdvancedSoundSettingsMenu() : ThirdMenu(kAdvancedSoundMenu) {}

XObject* AdvancedSoundSettingsMenu::DispatchEvent(Core::Event* event) {
  if (IsHiddenPageKey(event, kEqualiserKey)) {
    ShowAudEQMenu();
    return this;
  }
  return ThirdMenu::DispatchEvent(event);
}

void AdvancedSoundSettingsMenu::ShowAudEQMenu(XObject*) { OpenBelow(&AudysseyEQMenu::Class); }

AudysseyEQMenu::AudysseyEQMenu() : ThirdMenu(kEqualiserMenu) {}

}  // namespace MenuSystem
