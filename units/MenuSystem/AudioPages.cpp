#include "MenuSystem/AudioPages.h"

#include "AppServices/Wrapper.h"
#include "OptionDatabase/OptionTypes.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "Structures/Channels.h"

VG_DEFINE_CLASS(MenuSystem, BrcmAudioMenu, ::MenuSystem::BrcmSubMenu)
VG_DEFINE_CLASS(MenuSystem, BrcmTrebleBassMenu, ::MenuSystem::BrcmSubMenu)

namespace MenuSystem {

namespace {

using namespace Strings;
using OptionDatabase::Fixed;
using OptionDatabase::Sid;
namespace O = OptionDatabase;

constexpr const char* kTrebleBassPage = "MenuSystem::BrcmTrebleBassMenu";
constexpr int32_t kConfirmAudioReset = 51;

// The rows numbered as the Audio page's table numbers them.
constexpr int32_t kEffectRow = 3;
constexpr int32_t kEffectSecondRow = 4;
constexpr int32_t kHdmiOutputRow = 2;
constexpr int32_t kAnalogPreferenceRow = 6;
constexpr int32_t kDigitalPreferenceRow = 7;
// The flag of a channel record that the model sets for a digital channel.
constexpr int kDigitalFlag = 0;

constexpr RowDef kAudioRows[] = {
    {Sid(AudioMenuEffect), RowKind::Value, O::OPTION_TYPE_AUDIO_EFFECT},
    {Fixed("HDMI Output"), RowKind::Value, O::OPTION_TYPE_HDMI_AUDIO_OUTPUT},
    {Sid(MenuTrebleBass), RowKind::Page, 0, kTrebleBassPage},
    {Sid(AudioMenuEqualizer), RowKind::Value, O::OPTION_TYPE_EQUALIZER},
    {Sid(MenuOpticalOut), RowKind::Value, O::OPTION_TYPE_SPDIF_FORMAT},
    {Sid(MenuAnalogPreference), RowKind::Value, O::OPTION_TYPE_MTS},
    {Sid(MenuDigitalPreference), RowKind::Value, O::OPTION_TYPE_DIGITAL_PREFERENCE},
    {Sid(AudioMenuMutePreference), RowKind::Value, O::OPTION_TYPE_MUTE_PREFERENCE},
    {Sid(MenuDolbyDRC), RowKind::Value, SkinBin::OPTION_TYPE_DYNAMIC_RANGE_CONTROL},
    {Sid(AudioMenuAVLSet), RowKind::Value, O::OPTION_TYPE_AUTO_VOLUME_LEVEL},
    {Sid(SID_LIP_SYNC), RowKind::Slider, O::OPTION_TYPE_LIP_SYNC},
    {Sid(SID_BALANCE), RowKind::Slider, O::OPTION_TYPE_BALANCE},
    {Sid(SID_CONFIRM_RESET_AUDIO), RowKind::Dialog, kConfirmAudioReset, "NonMenuSystem::ConfirmMultiOptionDialog"},
};
constexpr uint8_t kAudioRemoved[] = {1, 8, 9, 10, 11};
constexpr PageTable kAudioMenu{.title = Sid(SID_AUDIO), .rows = kAudioRows, .removed = kAudioRemoved};

// Rows 3 and 4 by the sound effect: each effect but the basic one has two
// settings of its own; the basic effect has the treble and bass page and the
// equaliser.
struct EffectRows {
  int32_t effect;
  RowDef third;
  RowDef fourth;
};
constexpr EffectRows kEffectRows[] = {
    {1,
     {Sid(SID_DYNAMIC_VOLUME), RowKind::Value, O::OPTION_TYPE_DYNAMIC_VOLUME},
     {Sid(MenuAEQ), RowKind::Value, O::OPTION_TYPE_AUDYSSEY_EQ}},
    {2,
     {Sid(MenuSRSTruVolume), RowKind::Value, O::OPTION_TYPE_SRS_TRUVOLUME},
     {Sid(MenuSRSTruSurround), RowKind::Value, O::OPTION_TYPE_SRS_TRUSURROUND}},
    {3,
     {Sid(AudioMenuSSTruVolume), RowKind::Value, O::OPTION_TYPE_SS_TRUVOLUME},
     {Sid(MenuSSTruSurroundHD), RowKind::Value, O::OPTION_TYPE_SS_TRUSURROUND}},
};

constexpr RowDef kTrebleBassRows[] = {
    {Sid(SID_TREBLE), RowKind::Slider, O::OPTION_TYPE_TREBLE},
    {Sid(SID_BASS), RowKind::Slider, O::OPTION_TYPE_BASS},
};
constexpr PageTable kTrebleBassMenu{.title = Sid(SID_AUDIO),
                                    .subtitle = Sid(MenuTrebleBass),
                                    .back = "MenuSystem::BrcmAudioMenu",
                                    .level = 3,
                                    .rows = kTrebleBassRows};

const PageListing kListed[] = {PageListing(kAudioMenu), PageListing(kTrebleBassMenu)};

}  // namespace

BrcmAudioMenu::BrcmAudioMenu() : BrcmSubMenu(kAudioMenu) {}

void BrcmAudioMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ::SkinBin::Wrapper* model = MainApp::GetWrapper();
  if (!model->IsQORZEP2()) RemoveRow(kHdmiOutputRow);
  if (!model->IsRFSourceType(model->GetSourceType(model->GetCurrentSource(0)))) {
    // An input has neither preference: both choose among a tuner's sound
    // tracks.
    RemoveRow(kAnalogPreferenceRow);
    RemoveRow(kDigitalPreferenceRow);
  } else {
    ::Structures::ChannelData* channel = model->GetCurrentChannelInfo();
    RemoveRow(channel && channel->Flags[kDigitalFlag] ? kAnalogPreferenceRow : kDigitalPreferenceRow);
  }
  BrcmSubMenu::Initialize(parameter);
}

void BrcmAudioMenu::LoadSettings() {
  const int32_t effect = MainApp::GetWrapper()->OnGetAudioEffect();
  const RowDef* third = &kAudioRows[kEffectRow - 1];
  const RowDef* fourth = &kAudioRows[kEffectSecondRow - 1];
  for (const EffectRows& rows : kEffectRows) {
    if (rows.effect != effect) continue;
    third = &rows.third;
    fourth = &rows.fourth;
  }
  if (BrcmSubMenuItem* row = Row(kEffectRow)) row->Configure(*third);
  if (BrcmSubMenuItem* row = Row(kEffectSecondRow)) row->Configure(*fourth);
  BrcmSubMenu::LoadSettings();
}

BrcmTrebleBassMenu::BrcmTrebleBassMenu() : BrcmSubMenu(kTrebleBassMenu) {}

}  // namespace MenuSystem
