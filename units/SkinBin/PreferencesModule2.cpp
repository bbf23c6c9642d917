#include "SkinBin/PreferencesModule2.h"

#include <algorithm>
#include <iterator>

#include "OptionDatabase/Bindings.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "vgdebug.h"

VG_DEFINE_CLASS(SkinBin, PreferencesModule2, OptionDatabase::OptionModuleClass)

namespace SkinBin {

namespace {

using namespace Strings;
using namespace ::OptionDatabase;

constexpr TextRef kSideAudios[] = {Sid(SID_PRISMAL_HD1), Sid(SID_VIDEO_1A), Sid(SID_HDMI_3)};
constexpr TextRef kRearAudios[] = {Sid(SID_PC), Sid(SID_HDMI_4)};
constexpr TextRef kPCInputs[] = {Sid(SID_PC), Sid(SID_PRISMAL_HD2)};
constexpr TextRef kV1HD1Audios[] = {Sid(SID_PRISMAL_HD1), Sid(SID_VIDEO_1A)};
constexpr TextRef kPCHDMI3Audios[] = {Sid(SID_PC), Sid(SID_HDMI_3)};
constexpr TextRef kRGBRanges[] = {Sid(SID_AUTO), Sid(SID_FULL), Sid(SID_LIMIT)};
constexpr TextRef kHDMIInputModes[] = {Sid(SID_MODE1), Sid(SID_MODE2), Sid(SID_MODE3)};
constexpr TextRef kDigitalOutputs[] = {Sid(SID_PCM), Sid(SID_AUTO)};
// The automatic input choices are made by AutoInput_GetData; the rows start
// with none, and Initialize counts the inputs.
constexpr TextRef kNoInput[] = {NoText};
// The model ids the factory can choose; the row shows no text, only the id.
constexpr TextRef kModelIdTexts[] = {NoText, NoText, NoText, NoText, NoText, NoText, NoText,
                                     NoText, NoText, NoText, NoText, NoText, NoText, NoText};
constexpr int32_t kModelIds[] = {0x21, 0x22, 0x23, 0x24, 0x31, 0x32, 0x33, 0x41, 0x42, 0x43, 0x44, 0x51, 0x52, 0x53};
static_assert(std::size(kModelIdTexts) == std::size(kModelIds));
constexpr TextRef kCCKeys[] = {Sid(SID_OFF), Sid(SID_CC1), Sid(SID_CC2), Sid(SID_CC3), Sid(SID_CC4),
                               Sid(SID_T1),  Sid(SID_T2),  Sid(SID_T3),  Sid(SID_T4)};
constexpr int32_t kCCKeyValues[] = {0, 1, 2, 3, 4, 5, 6, 7, 8};

// The caption services of a digital channel: the analogue services 1 to 4
// (values 1 to 4) and the digital services 1 to 6 (values 5 to 10).
constexpr TextRef kAnalogServices[] = {Sid(SID_CC1), Sid(SID_CC2), Sid(SID_CC3), Sid(SID_CC4)};
constexpr TextRef kDigitalServices[] = {Sid(DTVCaptionMenuCC1), Sid(DTVCaptionMenuCC2), Sid(DTVCaptionMenuCC3),
                                        Sid(DTVCaptionMenuCC4), Sid(DTVCaptionMenuCC5), Sid(DTVCaptionMenuCC6)};
constexpr int32_t kFirstDigitalValue = 5;
// What a digital channel offers when it announces no service.
constexpr int32_t kFallbackValues[] = {0, 1, 3, 5, 6, 7, 8, 9, 10};

constexpr int32_t kAutoInputTVIndex = 0x0C;

using M = PreferencesModule2;

constexpr OptionRow AutoInput(int32_t index, TextRef name, PropertyBinding property, bool counted) {
  OptionRow row = List(index, name, property, kNoInput)
                      .WithConversion(SlotMethod<&M::AutoInput_Val2Id>, SlotMethod<&M::AutoInput_Id2Val>)
                      .WithGetData(SlotMethod<&M::AutoInput_GetData>);
  return counted ? row.WithInitialize(SlotMethod<&M::AutoInput_Initialize>) : row;
}

constexpr OptionRow kRows[] = {
    List(0x00, Sid(SID_SIDE_AUDIO), OPTION_S(SideSharedAudio), kSideAudios),
    List(0x01, Sid(SID_REAR_AUDIO), OPTION_S(RearSharedAudio), kRearAudios)
        .WithInitialize(SlotMethod<&M::RearShared_Initialize>),
    List(0x02, Sid(SID_PC_INPUT), OPTION_S(SharedPCInput), kPCInputs),
    List(0x03, Sid(SID_VIDEO1_HD1_AUDIO), OPTION_S(SideSharedAudio), kV1HD1Audios),
    List(0x04, Sid(SID_PC_HDMI3_AUDIO), OPTION_S(RearSharedAudio), kPCHDMI3Audios),
    OffOn(0x05, Sid(SID_AUTO_CONTENT_ENHANCEMENT), OPTION_S(HDMI_EnableContentType)),
    OffOn(0x06, Sid(SID_SWIFTOR), OPTION_S(HDMI_Swiftor)),
    List(0x07, Sid(SID_RGB_RANGE), OPTION_S(HDMI_RGBRange), kRGBRanges),
    List(0x08, Sid(SID_HDMI_INPUT_MODE), OPTION_S(HDMI_InputMode), kHDMIInputModes),
    List(0x09, Sid(SID_DIGITAL_OUTPUT), OPTION_S(DigitalAudioOutput), kDigitalOutputs),
    OffOn(0x0A, Sid(SID_AUTO_INPUT_ENABLE), OPTION_S(EnableAutoInput)),
    OffOn(0x0B, Sid(SID_AUTOMATIC_POWER_DOWN), OPTION_S(AutomaticPowerDown)),
    // The TV row keeps the input count it was built with.
    AutoInput(kAutoInputTVIndex, Sid(SID_TV), OPTION_S(AutoInputTV), false),
    AutoInput(0x0D, Sid(SID_CABLE_SAT), OPTION_S(AutoInputCableSat), true),
    AutoInput(0x0E, Sid(SID_BD_DVD), OPTION_S(AutoInputBDDVD), true),
    AutoInput(0x0F, Sid(SID_AUX), OPTION_S(AutoInputAUX), true),
    ValueList(0x10, NoText, OPTION_S(TVModelId), kModelIdTexts, kModelIds),
    ValueList(0x11, Sid(SID_CLOSED_CAPTION), OPTION_S(CCKey), kCCKeys, kCCKeyValues)
        .WithInitialize(SlotMethod<&M::CCKey_Initialize>)
        .WithConversion(SlotMethod<&M::CCKey_Val2Id>, SlotMethod<&M::CCKey_Id2Val>)
        .WithGetData(SlotMethod<&M::CCKey_GetData>),
    OffOn(0x12, NoText, NoProperty),
};

// A service's text with the name of its language, when it has one.
VgString ServiceText(Wrapper* model, const TextRef& text, VgString language) {
  VgString label = LoadText(text);
  if (!language) return label;
  label = VgConcatString(label, VgNewStringAnsi(" ("));
  label = VgConcatString(label, model->GetFullLangName(language));
  return VgConcatStringChar(label, u')');
}

}  // namespace

PreferencesModule2::PreferencesModule2(XObject* link) : OptionModuleClass(link) {
  Build<kRows>(this, kPreferencesModule2);
  if (OptionDataClass* tv = GetOptionData(kAutoInputTVIndex)) SetAutoInputCount(tv);
  UseAnalogCCKeys();
}

void PreferencesModule2::UseAnalogCCKeys() {
  ccKeyTexts_.clear();
  ccKeyValues_.clear();
  for (size_t i = 0; i < std::size(kCCKeys); ++i) {
    ccKeyTexts_.emplace_back(LoadText(kCCKeys[i]));
    ccKeyValues_.push_back(kCCKeyValues[i]);
  }
}

void PreferencesModule2::RearShared_Initialize(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  if (!record || !Model()) return;
  const VgConstant* first = Model()->OnGetSharedPCInput() == 1 ? &SID_PRISMAL_HD2 : &SID_PC;
  std::vector<VgStr> texts;
  texts.emplace_back(VgGetVariantOfString(first));
  texts.emplace_back(VgGetVariantOfString(&SID_HDMI_4));
  SetChoiceTexts(record, std::move(texts));
}

void PreferencesModule2::SetAutoInputCount(OptionDataClass* record) {
  record->OnSetNum(Model() ? Model()->GetValidSourceNum() + 1 : 1);
}

void PreferencesModule2::AutoInput_Initialize(XObject* sender) {
  if (auto* record = vg_cast<OptionDataClass>(sender)) SetAutoInputCount(record);
}

void PreferencesModule2::AutoInput_Val2Id(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  if (!record || !Model()) return;
  // An input the set no longer has reads as none.
  record->Id = record->Value < 0 ? 0 : Model()->GetSourceIndex(record->Value) + 1;
}

void PreferencesModule2::AutoInput_Id2Val(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  if (!record || !Model()) return;
  record->Value = record->Id <= 0 ? -1 : Model()->GetSourceId(record->Id - 1);
}

void PreferencesModule2::AutoInput_GetData(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  if (!record || !Model()) return;
  auto* courier = VgNew<OptionCourier>();
  courier->Index = record->Id;
  courier->Text = record->Id <= 0 ? VgNewStringAnsi("--") : Model()->GetSourceName(Model()->GetSourceId(record->Id - 1));
  record->Courier = courier;
}

// The services the channel announces, after Off; a channel that announces
// none is offered CC1, CC3 and the six digital services.
void PreferencesModule2::UseDigitalCCKeys() {
  Wrapper* model = Model();
  ccKeyTexts_.clear();
  ccKeyValues_.clear();
  ccKeyTexts_.emplace_back(VgGetVariantOfString(&SID_OFF));
  ccKeyValues_.push_back(0);
  for (int32_t service = 1; service <= static_cast<int32_t>(std::size(kAnalogServices)); ++service) {
    VgString language = nullptr;
    if (!model->GetCaptionServiceInfo(false, service, &language)) continue;
    ccKeyTexts_.emplace_back(ServiceText(model, kAnalogServices[service - 1], language));
    ccKeyValues_.push_back(service);
  }
  for (int32_t service = 1; service <= static_cast<int32_t>(std::size(kDigitalServices)); ++service) {
    VgString language = nullptr;
    if (!model->GetCaptionServiceInfo(true, service, &language)) continue;
    ccKeyTexts_.emplace_back(ServiceText(model, kDigitalServices[service - 1], language));
    ccKeyValues_.push_back(kFirstDigitalValue + service - 1);
  }
  if (ccKeyValues_.size() == 1) {
    ccKeyTexts_.clear();
    ccKeyValues_.clear();
    for (int32_t value : kFallbackValues) {
      TextRef text = value == 0                   ? Sid(SID_OFF)
                     : value < kFirstDigitalValue ? kAnalogServices[value - 1]
                                                  : kDigitalServices[value - kFirstDigitalValue];
      ccKeyTexts_.emplace_back(LoadText(text));
      ccKeyValues_.push_back(value);
    }
  }
}

void PreferencesModule2::CCKey_Initialize(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  Wrapper* model = Model();
  if (!record || !model) return;
  if (!OnDigitalChannel()) {
    record->OnSetRefValue(VgRefOf<&Wrapper::OnGetCCKey, &Wrapper::OnSetCCKey>(model));
    UseAnalogCCKeys();
  } else {
    record->OnSetRefValue(VgRefOf<&Wrapper::OnGetCCKeyDigital, &Wrapper::OnSetCCKeyDigital>(model));
    UseDigitalCCKeys();
  }
  record->OnSetNum(static_cast<int32_t>(ccKeyValues_.size()));
}

void PreferencesModule2::CCKey_Val2Id(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  if (!record) return;
  // Unlike the other table searches, a value the list does not have reads
  // as the first choice, Off.
  record->Id = 0;
  size_t count = std::min(ccKeyValues_.size(), static_cast<size_t>(std::max(record->OnGetNum(), 0)));
  for (size_t i = 0; i < count; ++i) {
    if (ccKeyValues_[i] == record->Value) {
      record->Id = static_cast<int32_t>(i);
      return;
    }
  }
}

void PreferencesModule2::CCKey_Id2Val(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  if (!record) return;
  if (record->Id < 0 || static_cast<size_t>(record->Id) >= ccKeyValues_.size()) {
    VgPrint("OptionDatabase: the caption key has no choice %d\n", record->Id);
    return;
  }
  record->Value = ccKeyValues_[static_cast<size_t>(record->Id)];
}

void PreferencesModule2::CCKey_GetData(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  if (!record) return;
  auto* courier = VgNew<OptionCourier>();
  courier->Index = record->Id;
  if (record->Id >= 0 && static_cast<size_t>(record->Id) < ccKeyValues_.size()) {
    courier->Text = ccKeyTexts_[static_cast<size_t>(record->Id)];
    courier->Index = ccKeyValues_[static_cast<size_t>(record->Id)];
  }
  record->Courier = courier;
}

}  // namespace SkinBin
