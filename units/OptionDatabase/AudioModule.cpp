#include "OptionDatabase/AudioModule.h"

#include "OptionDatabase/Bindings.h"
#include "OptionDatabase/OptionTypes.h"
#include "Strings.h"

VG_DEFINE_CLASS(OptionDatabase, AudioModule, OptionDatabase::OptionModuleClass)

namespace OptionDatabase {

namespace {

using namespace Strings;

constexpr TextRef kMts[] = {Sid(SID_MONO), Sid(SID_STEREO), Sid(SID_SAP)};
constexpr TextRef kAudioEffects[] = {Sid(BASIC), Sid(AUDYSSEY), Sid(SRS), Sid(StudioSound)};
constexpr TextRef kEqualizers[] = {Sid(SID_OFF),           Sid(AudioEqualizerFlat),      Sid(Rock),
                                   Sid(AudioEqualizerPop), Sid(AudioEqualizerClassical), Sid(Jazz)};
constexpr TextRef kSpdifFormats[] = {Sid(SID_PCM), Sid(AC3), Sid(SID_NONE)};
constexpr TextRef kMutePreferences[] = {Sid(MuteInternal), Sid(MuteAll)};
// The middleware numbers the preferred languages 0, 1, 2 in this order.
constexpr TextRef kDigitalPreferences[] = {Sid(Language1), Sid(Language3), Sid(Language2)};
// Unmuted shows no text, so the row is empty while the sound is on.
constexpr TextRef kMute[] = {NoText, Sid(SID_MUTE_FULL)};
constexpr TextRef kHdmiAudioOutputs[] = {Sid(SID_PCM), Fixed("Pass Through")};

constexpr OptionRow kRows[] = {
    List(0x00, Sid(SID_MTS), OPTION_W(MTS), kMts),
    Slider(0x01, Sid(SID_BALANCE), OPTION_W(Balance)),
    Slider(0x02, Sid(SID_BASS), OPTION_W(Bass), 50),
    Slider(0x03, Sid(SID_TREBLE), OPTION_W(Treble), 50),
    Slider(0x04, Sid(SID_VOLUME), OPTION_W(Volume)),
    OffOn(0x05, Sid(SID_AUDYSSEY_EQ), OPTION_W(AudysseyEQ)),
    OffLowHigh(0x06, Sid(SID_DYNAMIC_VOLUME), OPTION_W(DynamicVolume)),
    List(0x07, Sid(AudioMenuEffect), OPTION_S(AudioEffect), kAudioEffects),
    List(0x08, Sid(AudioMenuEqualizer), OPTION_W(EqualizerPreset), kEqualizers),
    List(0x09, Sid(AudioMenuOpticalOut), OPTION_W(SpdifFormat), kSpdifFormats),
    List(0x0A, Sid(AudioMenuMutePreference), OPTION_W(MutePreference), kMutePreferences),
    OffOn(0x0B, Sid(AudioMenuAVLSet), OPTION_W(AutoVolumeLevel)),
    OffOn(0x0C, Sid(AudioMenuLevelSet), OPTION_W(SRSTruVolume)),
    OffOn(0x0D, Sid(AdvancedAudioTruSurround), OPTION_W(SRSTruSurround)),
    OffOn(0x0E, Sid(AudioMenuSSTruVolume), OPTION_W(SSTruVolume)),
    OffOn(0x0F, Sid(AudioMenuSSTruSurround), OPTION_W(SSTruSurround)),
    List(0x10, Sid(SID_MTS), OPTION_W(DigitalPreference), kDigitalPreferences),
    Slider(0x11, Sid(SID_LIP_SYNC), OPTION_W(LipSync), 3),
    List(0x12, NoText, OPTION_W(Mute), kMute),
    List(0x13, Fixed("HDMI Output"), OPTION_W(HDMIAudioOutput), kHdmiAudioOutputs),
};

}  // namespace

AudioModule::AudioModule(XObject* link) : OptionModuleClass(link) { Build<kRows>(this, kAudioModule); }

}  // namespace OptionDatabase
