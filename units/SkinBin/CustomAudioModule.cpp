#include "SkinBin/CustomAudioModule.h"

#include <vector>

#include "OptionDatabase/Bindings.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"

VG_DEFINE_CLASS(SkinBin, CustomAudioModule, OptionDatabase::OptionModuleClass)

namespace SkinBin {

namespace {

using namespace Strings;
using namespace ::OptionDatabase;

// Unmuted shows no text, so the row is empty while the sound is on.
constexpr TextRef kMute[] = {NoText, Sid(SID_MUTE_HALF), Sid(SID_MUTE_FULL)};
constexpr TextRef kAmplifierMute[] = {NoText, Sid(SID_AMPLIFIER_MUTE)};
constexpr TextRef kSpeakers[] = {Sid(SID_TV_SPEAKERS), Sid(SID_AMPLIFIER)};
constexpr TextRef kAnalogAudio[] = {Sid(SID_MONO), Sid(SID_STEREO), Sid(SID_SAP)};

constexpr uint32_t kMtsKeyIndex = 0x07;

using M = CustomAudioModule;

constexpr OptionRow kRows[] = {
    List(0x00, NoText, OPTION_W(Mute), kMute),
    OffOn(0x01, Sid(SID_VOICE_ENHANCEMENT), OPTION_S(VoiceEnhancement)),
    OffLowHigh(0x02, Sid(SID_DYNAMIC_BASS_BOOST), OPTION_S(DynamicBassBoost)),
    OffOn(0x03, Sid(SID_DYNAMIC_RANGE_CONTROL), OPTION_S(DynamicRangeControl)),
    Slider(0x04, Sid(SID_AMPLIFIER_VOLUME), OPTION_S(AmplifierVolume)),
    List(0x05, NoText, OPTION_S(AmplifierMute), kAmplifierMute),
    List(0x06, Sid(SID_SPEAKER_PREFERENCE), OPTION_S(QuickSpeakerPreference), kSpeakers),
    List(kMtsKeyIndex, Sid(SID_ANALOG_AUDIO), OPTION_S(MTSKey), kAnalogAudio)
        .WithInitialize(SlotMethod<&M::MTSKey_Initialize>),
};

}  // namespace

CustomAudioModule::CustomAudioModule(XObject* link) : OptionModuleClass(link) { Build<kRows>(this, kCustomAudioModule); }

void CustomAudioModule::MTSKey_Initialize(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  Wrapper* model = Model();
  if (!record || !model) return;
  if (!OnDigitalChannel()) {
    record->OnSetName(VgGetVariantOfString(&SID_ANALOG_AUDIO));
    record->OnSetRefValue(VgRefOf<&Wrapper::OnGetMTSKey, &Wrapper::OnSetMTSKey>(model));
    FilterChoices(record, ~0u);
    return;
  }
  record->OnSetName(VgGetVariantOfString(&SID_DIGITAL_AUDIO));
  record->OnSetRefValue(VgRefOf<&Wrapper::OnGetMTSKeyDigital, &Wrapper::OnSetMTSKeyDigital>(model));
  std::vector<VgStr> texts;
  int32_t count = model->HasAlternateAudio();
  if (count < 1) {
    texts.emplace_back(VgNewStringAnsi("No Track Available"));
  } else {
    for (int32_t i = 0; i < count; ++i) {
      VgString language = model->GetAudioServiceLang(i);
      texts.emplace_back(language ? language : VgNewStringAnsi("Unknown AC3"));
    }
  }
  record->OnSetNum(static_cast<int32_t>(texts.size()));
  SetChoiceTexts(record, std::move(texts));
}

}  // namespace SkinBin
