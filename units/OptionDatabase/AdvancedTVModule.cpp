#include "OptionDatabase/AdvancedTVModule.h"

#include "OptionDatabase/Bindings.h"
#include "OptionDatabase/OptionTypes.h"
#include "Strings.h"

VG_DEFINE_CLASS(OptionDatabase, AdvancedTVModule, OptionDatabase::OptionModuleClass)

namespace OptionDatabase {

namespace {

using namespace Strings;

constexpr TextRef kSpeakers[] = {Sid(SID_TV_SPEAKERS), Sid(SID_AMPLIFIER)};
constexpr TextRef kNetworkTypes[] = {Sid(SID_WIRED), Sid(SID_WIRELESS)};
constexpr TextRef kWpsConfigurations[] = {Sid(SID_PUSH_BUTTON), Sid(SID_PIN)};
constexpr TextRef kAuthentications[] = {Sid(SID_OPEN_SHARED), Sid(SID_WPA_PSK), Sid(SID_WPA2_PSK)};
constexpr TextRef kEncryptions[] = {Sid(SID_NONE), Sid(SID_WEP), Sid(SID_TKIP), Sid(SID_AES)};
// The key numbers are made by KeyID_GetData; the row only counts them.
constexpr TextRef kKeyIds[] = {NoText, NoText, NoText, NoText};
constexpr TextRef kConnectModes[] = {Fixed("Discovery"), Sid(SID_NORMAL), Fixed("Manual")};
constexpr TextRef kWpsPinModes[] = {Fixed("Enroll"), Sid(SID_REGISTER)};

using M = AdvancedTVModule;

constexpr OptionRow kRows[] = {
    OffOn(0x00, Sid(SID_ENABLE_NOVIQ), OPTION_S(EnableNOVIQ)),
    OffOn(0x01, Sid(SID_TV_AUTO_POWER), OPTION_S(TVAutoPower)),
    OffOn(0x02, Sid(SID_AUTO_STANDBY), OPTION_S(AutoStandby)),
    OffOn(0x03, Sid(SID_AMPLIFIER_CONTROL), OPTION_S(AmplifierControl)),
    List(0x04, Sid(SID_SPEAKER_PREFERENCE), OPTION_S(SpeakerPreference), kSpeakers),
    List(0x05, Sid(SID_NETWORK_TYPE), OPTION_S(NetworkType), kNetworkTypes),
    List(0x06, Sid(SID_WPS_CONFIGURATION), OPTION_S(WPSConfiguration), kWpsConfigurations),
    List(0x07, Sid(SID_AUTHENTICATION), OPTION_S(Authentication), kAuthentications),
    List(0x08, Sid(SID_ENCRYPTION), OPTION_S(Encryption), kEncryptions),
    OffOn(0x09, Sid(SID_ENHANCED_11N), OPTION_S(Enhanced11N)),
    OffOn(0x0A, Sid(SID_AUTO_NETWORK_SETUP), OPTION_S(AutoSetup)),
    List(0x0B, Sid(SID_KEY_ID), NoProperty, kKeyIds).WithGetData(SlotMethod<&M::KeyID_GetData>),
    List(0x0C, Fixed("Connecting Mode"), OPTION_S(ConnectMode), kConnectModes),
    List(0x0D, Fixed("PIN Mode"), OPTION_S(WPSPinMode), kWpsPinModes),
};

}  // namespace

AdvancedTVModule::AdvancedTVModule(XObject* link) : OptionModuleClass(link) { Build<kRows>(this, kAdvancedTVModule); }

void AdvancedTVModule::KeyID_GetData(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  if (!record) return;
  auto* courier = VgNew<OptionCourier>();
  courier->Text = VgNewStringInt(record->Id + 1, 0);
  courier->Index = record->Id;
  record->Courier = courier;
}

}  // namespace OptionDatabase
