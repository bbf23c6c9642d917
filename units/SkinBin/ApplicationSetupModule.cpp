#include "SkinBin/ApplicationSetupModule.h"

#include <iterator>

#include "OptionDatabase/Bindings.h"
#include "SkinBin/ChannelData.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "vgdebug.h"

VG_DEFINE_CLASS(SkinBin, ApplicationSetupModule, OptionDatabase::OptionModuleClass)

namespace SkinBin {

namespace {

using namespace Strings;
using namespace ::OptionDatabase;

constexpr TextRef kCountries[] = {Sid(SID_US), Sid(SID_CANADA), Sid(SID_MEXICO)};
constexpr TextRef kLocations[] = {Sid(SID_HOME), Sid(SID_STORE)};
constexpr TextRef kTuningModes[] = {Sid(SID_STANDARD), Sid(SID_AUTO), Sid(SID_DIGITAL)};
// The caption state is kept as 2 for off and 1 for on, and shown with the
// shared Off/On texts.
constexpr TextRef kCaptionStates[] = {Sid(SID_OFF), Sid(SID_ON)};
constexpr int32_t kCaptionStateValues[] = {2, 1};
constexpr TextRef kPipSizes[] = {Sid(SID_SMALL), Sid(Medium), Sid(SID_LARGE)};
constexpr TextRef kPipModes[] = {Sid(SID_OFF), Fixed("PIP"), Fixed("POP")};
constexpr TextRef kTimesTypes[] = {Fixed("Everyday"), Fixed("Mon - Fri"), Fixed("Sat & Sun"), Fixed("Once"),
                                   Fixed("Weekly")};
// The timeshift buffer lengths in minutes; TimeshiftDuration_GetData makes
// their texts.
constexpr TextRef kTimeshiftTexts[] = {NoText, NoText, NoText, NoText, NoText};
constexpr int32_t kTimeshiftMinutes[] = {5, 30, 60, 120, 240};
static_assert(std::size(kTimeshiftTexts) == std::size(kTimeshiftMinutes));
constexpr TextRef kMedia[] = {Sid(SID_ANTENNA), Sid(SID_CABLE)};
// Recording timers start early and end late by these many seconds.
constexpr TextRef kStartEarly[] = {Fixed("On Time"),  Fixed("1 min -"),  Fixed("2 mins -"), Fixed("3 mins -"),
                                   Fixed("4 mins -"), Fixed("5 mins -"), Fixed("6 mins -"), Fixed("7 mins -"),
                                   Fixed("8 mins -"), Fixed("9 mins -"), Fixed("10 mins -")};
constexpr int32_t kStartEarlySeconds[] = {0, 60, 120, 180, 240, 300, 360, 420, 480, 540, 600};
constexpr TextRef kEndDelay[] = {Fixed("On Time"),  Fixed("1 min +"),   Fixed("2 mins +"),  Fixed("3 mins +"),
                                 Fixed("4 mins +"), Fixed("5 mins +"),  Fixed("10 mins +"), Fixed("15 mins +"),
                                 Fixed("30 mins +"), Fixed("60 mins +")};
constexpr int32_t kEndDelaySeconds[] = {0, 60, 120, 180, 240, 300, 600, 900, 1800, 3600};
constexpr TextRef kEpgServices[] = {Fixed("Free OTA Guide"), Fixed("3rd Party Guide")};
constexpr TextRef kEpgSelections[] = {Fixed("PSIP"), Fixed("TMS")};

constexpr int32_t kSleepTimerIndex = 0x03;
constexpr int32_t kOnTimerTimeIndex = 0x0C;
constexpr int32_t kGuideChannelIndex = 0x0D;
constexpr int32_t kPipInputIndex = 0x0F;
// A time of the timers is a count of minutes up to twelve hours.
constexpr int32_t kTimerMinutes = 721;
constexpr int32_t kOnTimerInputs = 2;
constexpr int32_t kPurposeMain = 1;
constexpr int32_t kCableMapId = 1;

using M = ApplicationSetupModule;

// A list whose choices the module makes itself; Num is set by the module.
constexpr OptionRow Made(int32_t index, TextRef name, PropertyBinding property) {
  return List(index, name, property, {});
}
constexpr OptionRow TimerTime(int32_t index, TextRef name, PropertyBinding property) {
  return Made(index, name, property).WithGetData(SlotMethod<&M::TimerTime_GetData>);
}
constexpr OptionRow SourceList(int32_t index, TextRef name, PropertyBinding property) {
  return Made(index, name, property)
      .WithInitialize(SlotMethod<&M::OnTimerInput_Initialize>)
      .WithConversion(SlotMethod<&M::OnTimerInput_Val2Id>, SlotMethod<&M::OnTimerInput_Id2Val>)
      .WithGetData(SlotMethod<&M::OnTimerInput_GetData>);
}
constexpr OptionRow ChannelList(int32_t index, TextRef name, PropertyBinding property) {
  return Made(index, name, property)
      .WithInitialize(SlotMethod<&M::Channel_Initialize>)
      .WithConversion(SlotMethod<&M::Channel_Val2Id>, SlotMethod<&M::Channel_Id2Val>)
      .WithGetData(SlotMethod<&M::Channel_GetData>);
}
constexpr OptionRow WithOffset(OptionRow row, int32_t offset) {
  row.offset = offset;
  return row;
}

constexpr OptionRow kRows[] = {
    Slider(0x00, NoText, OPTION_S(CurrentPhysicalChannel)),
    List(0x01, Sid(SID_COUNTRY), OPTION_S(Country), kCountries),
    List(0x02, Sid(SID_LOCATION), OPTION_S(Location), kLocations),
    TimerTime(kSleepTimerIndex, Sid(SID_SLEEP_TIMER_SETTING), OPTION_S(SleepIndex)),
    List(0x04, Sid(SID_CHANNEL_TUNING_MODE), OPTION_S(ChannelTuningMode), kTuningModes),
    OffOn(0x05, Sid(SID_ZOLTA_DCR), OPTION_S(ZoltaDCR)),
    OffOn(0x06, Sid(SID_USB_SD_AUTO_START), OPTION_S(USBSDAutoStart)),
    OffOn(0x07, Sid(SID_STICKER_DEMO), OPTION_S(StickerDemo)),
    SourceList(0x08, Sid(SID_INPUT), OPTION_W(TimerSource)),
    OffOn(0x09, Sid(SID_ON_TIMER_LED), OPTION_S(OnTimerLED)),
    ChannelList(0x0A, Sid(SID_CH), OPTION_W(TimerChannel)),
    Slider(0x0B, Sid(SID_VOLUME), OPTION_S(OnTimerVolume)),
    TimerTime(kOnTimerTimeIndex, Sid(SID_TILL_POWER_ON), OPTION_S(OnTimerTime)),
    ChannelList(kGuideChannelIndex, Sid(SID_CHANNEL), OPTION_W(CurrentChannel)),
    TableList(0x0E, Sid(SID_CLOSED_CAPTIONS), OPTION_W(ClosedCaptionState), kCaptionStates, kCaptionStateValues),
    SourceList(kPipInputIndex, Sid(SID_INPUT), OPTION_S(PipSource)),
    List(0x10, Sid(PIPMenuSize), OPTION_S(PipSize), kPipSizes),
    List(0x11, Sid(SID_MODE), OPTION_S(PipMode), kPipModes),
    OffOn(0x12, Sid(SID_AUDIO), OPTION_S(PipAudio)),
    WithOffset(List(0x13, Sid(SID_TYPE), OPTION_W(TimerTimesType), kTimesTypes), 1)
        .WithGetData(SlotMethod<&M::TimerTimesType_GetData>),
    List(0x14, Fixed("Timeshift Duration"), OPTION_S(TimeshiftDuration), kTimeshiftTexts)
        .WithGetData(SlotMethod<&M::TimeshiftDuration_GetData>),
    Slider(0x15, Fixed("H-Position"), OPTION_S(WindowHPos)),
    Slider(0x16, Fixed("V-Position"), OPTION_S(WindowVPos)),
    Slider(0x17, Sid(HSize), OPTION_S(WindowHSize)),
    Slider(0x18, Sid(VSize), OPTION_S(WindowVSize)),
    List(0x19, Fixed("Medium"), OPTION_W(TimerMapId), kMedia),
    TableList(0x1A, Fixed("Start Early"), OPTION_W(TimerStartEarly), kStartEarly, kStartEarlySeconds),
    TableList(0x1B, Fixed("End Delay"), OPTION_W(TimerEndDelay), kEndDelay, kEndDelaySeconds),
    OffOn(0x1C, NoText, OPTION_S(Tuner1RecordAll)),
    OffOn(0x1D, NoText, OPTION_S(Tuner2RecordAll)),
    OffOn(0x1E, NoText, OPTION_S(EPGTuningMode)),
    List(0x1F, Fixed("EPG Data Service"), OPTION_S(EPGSelection), kEpgServices),
    List(0x20, Fixed("EPG Selection"), OPTION_S(EPGSelection), kEpgSelections),
    OffOn(0x21, Fixed("Front Panel LED Display"), OPTION_S(DisplayLED)),
};

OptionCourier* NewCourier(OptionDataClass* record, VgString text, int32_t index) {
  auto* courier = VgNew<OptionCourier>();
  courier->Text = text;
  courier->Index = index;
  record->Courier = courier;
  return courier;
}

// The index of the list's first channel whose united number is value; -1
// when none is.
int32_t ChannelIndexOf(ChannelListData* list, int32_t value) {
  const int32_t count = list ? list->GetNumChannels() : 0;
  for (int32_t i = 0; i < count; ++i) {
    ChannelData* channel = list->GetChannel(i);
    if (channel && ::Wrapper::Wrapper::UniteChannelNum(channel->Major, channel->Minor) == value) return i;
  }
  return -1;
}

}  // namespace

ApplicationSetupModule::ApplicationSetupModule(XObject* link) : OptionModuleClass(link) {
  Build<kRows>(this, kApplicationSetupModule);
  for (int32_t index : {kSleepTimerIndex, kOnTimerTimeIndex})
    if (OptionDataClass* record = GetOptionData(index)) record->OnSetNum(kTimerMinutes);
}

void ApplicationSetupModule::TimerTime_GetData(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  if (!record) return;
  int32_t minutes = record->Id;
  if (minutes < 0 || minutes >= kTimerMinutes) {
    VgPrint("OptionDatabase: option 0x%08x has no time of %d minutes\n", static_cast<uint32_t>(record->OptionType),
            minutes);
    NewCourier(record, nullptr, minutes);
    return;
  }
  VgString text = VgConcatString(VgNewStringInt(minutes / 60, 2), VgNewStringAnsi(" : "));
  NewCourier(record, VgConcatString(text, VgNewStringInt(minutes % 60, 2)), minutes);
}

void ApplicationSetupModule::TimerTimesType_GetData(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  if (!record) return;
  GetListData(record);
  if (auto* courier = vg_cast<OptionCourier>(record->Courier)) courier->Index = record->Id + record->OnGetOffset();
}

void ApplicationSetupModule::TimeshiftDuration_GetData(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  if (!record) return;
  VgString text = nullptr;
  if (record->Id >= 0 && record->Id < static_cast<int32_t>(std::size(kTimeshiftMinutes))) {
    text = VgConcatString(VgNewStringInt(kTimeshiftMinutes[record->Id], -1), VgGetVariantOfString(&Minutes));
  }
  NewCourier(record, text, record->Id);
}

bool ApplicationSetupModule::IsPipInput(OptionDataClass* record) const {
  int32_t index = -1;
  return RowOf(record, &index) && index == kPipInputIndex;
}

// The timer being edited tells what its source is: an input of the set for
// the on-timer, a tuner for a recording timer. A recording timer's row that
// offered the set's inputs would name one and record through another.
bool ApplicationSetupModule::IsTunerInput(OptionDataClass* record) const {
  return !IsPipInput(record) && Model() && Model()->OnGetActiveTimerId() != Wrapper::kOnTimerId;
}

int32_t ApplicationSetupModule::SourceIndexOf(OptionDataClass* record, int32_t id) const {
  if (!IsPipInput(record)) return id;
  return id >= 0 && static_cast<size_t>(id) < pipSources_.size() ? pipSources_[static_cast<size_t>(id)] : -1;
}

void ApplicationSetupModule::OnTimerInput_Initialize(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  Wrapper* model = Model();
  if (!record || !model) return;
  if (!IsPipInput(record)) {
    record->OnSetNum(kOnTimerInputs);
    return;
  }
  pipSources_.clear();
  int32_t count = model->GetValidSourceNum();
  for (int32_t index = 0; index < count; ++index) {
    if (model->IsSourceSelectable(index, kPurposeMain) && !model->GetSourceDisable(model->GetSourceId(index)))
      pipSources_.push_back(index);
  }
  record->OnSetNum(static_cast<int32_t>(pipSources_.size()));
}

void ApplicationSetupModule::OnTimerInput_Val2Id(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  if (!record || !Model()) return;
  if (IsTunerInput(record)) {
    record->Id = record->Value != 0 ? 1 : 0;
    return;
  }
  int32_t index = Model()->GetSourceIndex(record->Value);
  if (!IsPipInput(record)) {
    record->Id = index;
    return;
  }
  for (size_t i = 0; i < pipSources_.size(); ++i) {
    if (pipSources_[i] == index) {
      record->Id = static_cast<int32_t>(i);
      return;
    }
  }
}

void ApplicationSetupModule::OnTimerInput_Id2Val(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  if (!record || !Model()) return;
  if (IsTunerInput(record)) {
    record->Value = record->Id == 1 ? Wrapper::kSecondTunerTimerSource : 0;
    return;
  }
  record->Value = Model()->GetSourceId(SourceIndexOf(record, record->Id));
}

void ApplicationSetupModule::OnTimerInput_GetData(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  if (!record || !Model()) return;
  if (IsTunerInput(record)) {
    const bool known = record->Id == 0 || record->Id == 1;
    VgString text = known ? VgGetVariantOfString(record->Id == 1 ? &SID_TUNER_2 : &SID_TUNER_1) : nullptr;
    NewCourier(record, text, record->Id == 1 ? Wrapper::kSecondTunerTimerSource : 0);
    return;
  }
  int32_t source = Model()->GetSourceId(SourceIndexOf(record, record->Id));
  NewCourier(record, source >= 0 ? Model()->GetSourceName(source) : nullptr, source);
}

ChannelListData* ApplicationSetupModule::ChannelsOf(OptionDataClass* record) const {
  int32_t index = -1;
  if (!Model() || !RowOf(record, &index)) return nullptr;
  return index == kGuideChannelIndex ? Model()->OnGetChannelList() : Model()->OnGetTimerChannelList();
}

void ApplicationSetupModule::ChannelOf(OptionDataClass* record, int32_t id, int32_t* major, int32_t* minor,
                                       bool* digital) const {
  *major = -2;
  *minor = -2;
  *digital = false;
  ChannelListData* list = ChannelsOf(record);
  if (ChannelData* channel = list ? list->GetChannel(id) : nullptr) {
    *major = channel->Major;
    *minor = channel->Minor;
    *digital = channel->Digital != 0;
  }
}

void ApplicationSetupModule::Channel_Initialize(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  Wrapper* model = Model();
  int32_t index = -1;
  if (!record || !model || !RowOf(record, &index)) return;
  bool guide = index == kGuideChannelIndex;
  ChannelListData* list = ChannelsOf(record);
  if (!list) {
    list = VgNew<ChannelListData>();
    if (guide)
      model->OnSetChannelList(list);
    else
      model->OnSetTimerChannelList(list);
  }
  if (guide) {
    list->LoadGuideChannelTable(false);
  } else {
    // The timer may record from the medium the set is not tuned to.
    bool timerOnCable = model->OnGetTimerMapId() == kCableMapId;
    list->LoadMasterChannelTable(timerOnCable != (model->OnGetAntCableIn() == 1));
  }
  int32_t count = list->GetNumChannels();
  if (count < 1) {
    record->OnSetNum(1);
    record->Id = 0;
    return;
  }
  record->OnSetNum(count);
}

void ApplicationSetupModule::Channel_Val2Id(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  if (!record) return;
  const int32_t id = ChannelIndexOf(ChannelsOf(record), record->Value);
  if (id >= 0) record->Id = id;
}

void ApplicationSetupModule::Channel_Id2Val(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  if (!record) return;
  int32_t major = 0;
  int32_t minor = 0;
  bool digital = false;
  ChannelOf(record, record->Id, &major, &minor, &digital);
  record->Value = ::Wrapper::Wrapper::UniteChannelNum(major, minor);
}

void ApplicationSetupModule::Channel_GetData(XObject* sender) {
  auto* record = vg_cast<OptionDataClass>(sender);
  if (!record || !Model()) return;
  int32_t major = 0;
  int32_t minor = 0;
  bool digital = false;
  ChannelOf(record, record->Id, &major, &minor, &digital);
  // A setting that names none of the list's channels (none yet, or one gone
  // from the set since it was stored) shows the placeholder: the choice it
  // falls back to is no channel the viewer chose.
  if (ChannelIndexOf(ChannelsOf(record), record->Value) < 0) {
    major = -2;
    minor = -2;
    digital = false;
  }
  NewCourier(record, Model()->GetChannelNumberStr(digital, major, minor),
             ::Wrapper::Wrapper::UniteChannelNum(major, minor));
}

}  // namespace SkinBin
