#include "probe_root.h"

#include <cstring>

#include "Events/Events.h"
#include "Fonts/Fonts.h"
#include "Graphics/RootCanvas.h"
#include "Resources/Font.h"
#include "Views/MultilineText.h"
#include "Views/Rectangle.h"
#include "remote_keys.h"
#include "vgdebug.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(TvuiProbe, Root, Core::Root)

namespace TvuiProbe {
namespace {

constexpr size_t kHistory = 4;

std::string Ansi(VgString text) {
  if (!text) return {};
  char line[256];
  VgStringToAnsi(text, line, sizeof line, '?');
  return line;
}

template <class T = Views::Text>
T* MakeText(Core::Root* root, VgRect bounds, const VgConstant& font) {
  auto* text = VgNew<T>();
  text->OnSetBounds(bounds);
  text->OnSetFont(VgLoad<Resources::Font>(font));
  text->OnSetColor(VgColor{255, 255, 255, 255});
  root->Add(text, 0);
  return text;
}

Root* AsProbe(XObject* root) { return static_cast<Root*>(root); }

// One numeric field of an event object, as text.
template <class T, auto Field>
std::string FieldOf(Core::Event* event) {
  return std::to_string(static_cast<T*>(event)->*Field);
}

template <class T>
T* As(Core::Event* event) {
  return static_cast<T*>(event);
}

struct Shown {
  const VgClass* cls;
  std::string (*number)(Core::Event* event);
};

using namespace Events;

// What an event object of the Events unit is shown with after its class name:
// the field that tells one event of its class from another. Classes without
// such a field are shown by name alone.
const Shown kShown[] = {
    {&XPM_EVENT_WAKEUP::Class, &FieldOf<XPM_EVENT_WAKEUP, &XPM_EVENT_WAKEUP::Reason>},
    {&XPM_EVENT_STANDBY::Class, &FieldOf<XPM_EVENT_STANDBY, &XPM_EVENT_STANDBY::Reason>},
    {&XPM_EVENT_SOURCE_ACQUIRED::Class, &FieldOf<XPM_EVENT_SOURCE_ACQUIRED, &XPM_EVENT_SOURCE_ACQUIRED::Status>},
    {&XPM_EVENT_CHANNEL_ACQUIRED::Class,
     [](Core::Event* e) {
       auto* channel = As<XPM_EVENT_CHANNEL_ACQUIRED>(e);
       return std::to_string(channel->Channel.Major) + "." + std::to_string(channel->Channel.Minor) + " status " +
              std::to_string(channel->Status);
     }},
    {&XPM_EVENT_CHANNEL_SCAN_PROGRESS::Class,
     &FieldOf<XPM_EVENT_CHANNEL_SCAN_PROGRESS, &XPM_EVENT_CHANNEL_SCAN_PROGRESS::Count>},
    {&XPM_EVENT_RATING_REGION_UPDATED::Class,
     &FieldOf<XPM_EVENT_RATING_REGION_UPDATED, &XPM_EVENT_RATING_REGION_UPDATED::Region>},
    {&PVRPerfStatusEvent::Class, &FieldOf<PVRPerfStatusEvent, &PVRPerfStatusEvent::Result>},
    {&PVRRecordStatusEvent::Class, &FieldOf<PVRRecordStatusEvent, &PVRRecordStatusEvent::Status>},
    {&PVRUSBFormatEvent::Class, &FieldOf<PVRUSBFormatEvent, &PVRUSBFormatEvent::Status>},
    {&RecordPlaybackStatusEvent::Class, &FieldOf<RecordPlaybackStatusEvent, &RecordPlaybackStatusEvent::Status>},
    {&TimerStandbyEvent::Class, &FieldOf<TimerStandbyEvent, &TimerStandbyEvent::Value>},
    {&TimerRecordWarningEvent::Class, &FieldOf<TimerRecordWarningEvent, &TimerRecordWarningEvent::Value>},
    {&TMSCheckEvent::Class, &FieldOf<TMSCheckEvent, &TMSCheckEvent::Status>},
    {&XPM_EVENT_EPG_CHANNEL_SCAN_PROGRESS::Class,
     [](Core::Event* e) {
       auto* channel = As<XPM_EVENT_EPG_CHANNEL_SCAN_PROGRESS>(e)->Channel.get();
       return channel ? std::to_string(channel->Major) + "." + std::to_string(channel->Minor) : std::string("-");
     }},
    {&CEC_EVENT_NAME_UPDATED::Class, &FieldOf<CEC_EVENT_NAME_UPDATED, &CEC_EVENT_NAME_UPDATED::SourceId>},
    {&CEC_EVENT_UPDATE_STRING::Class, &FieldOf<CEC_EVENT_UPDATE_STRING, &CEC_EVENT_UPDATE_STRING::SourceId>},
    {&CEC_EVENT_SOURCE_DETECTED::Class, &FieldOf<CEC_EVENT_SOURCE_DETECTED, &CEC_EVENT_SOURCE_DETECTED::SourceId>},
    {&CEC_EVENT_UPDATE_DECK_STATUS::Class,
     &FieldOf<CEC_EVENT_UPDATE_DECK_STATUS, &CEC_EVENT_UPDATE_DECK_STATUS::Status>},
    {&CEC_EVENT_UPDATE_AUDIO_STATUS::Class,
     &FieldOf<CEC_EVENT_UPDATE_AUDIO_STATUS, &CEC_EVENT_UPDATE_AUDIO_STATUS::Status>},
    {&NetworkTestResultsEvent::Class, &FieldOf<NetworkTestResultsEvent, &NetworkTestResultsEvent::Status>},
    {&WlanScanCompleteEvent::Class, &FieldOf<WlanScanCompleteEvent, &WlanScanCompleteEvent::Status>},
    {&WlanConnectCompleteEvent::Class, &FieldOf<WlanConnectCompleteEvent, &WlanConnectCompleteEvent::Status>},
    {&NetworkInterfaceUpEvent::Class, &FieldOf<NetworkInterfaceUpEvent, &NetworkInterfaceUpEvent::Interface>},
    {&NetworkInterfaceDownEvent::Class,
     &FieldOf<NetworkInterfaceDownEvent, &NetworkInterfaceDownEvent::Interface>},
    {&YahooNotifyEvent::Class, &FieldOf<YahooNotifyEvent, &YahooNotifyEvent::State>},
    {&XPM_EVENT_FAN_ERROR::Class,
     [](Core::Event* e) {
       auto* fan = As<XPM_EVENT_FAN_ERROR>(e);
       return std::to_string(fan->Values[0]) + "," + std::to_string(fan->Values[1]);
     }},
    {&XPM_EVENT_REPORT_3DMODE::Class, &FieldOf<XPM_EVENT_REPORT_3DMODE, &XPM_EVENT_REPORT_3DMODE::Value>},
    {&XPM_EVENT_REPORT_REGISTER_TABLE_CHANGE::Class,
     [](Core::Event* e) { return Ansi(As<XPM_EVENT_REPORT_REGISTER_TABLE_CHANGE>(e)->Name); }},
    {&XPM_EVENT_TV101_STATE::Class, &FieldOf<XPM_EVENT_TV101_STATE, &XPM_EVENT_TV101_STATE::State>},
};

// A key as a scenario's key line presses it ("key MENU", "key FP_MENU",
// "key 5", "key gui 65"), so that what the probe shows can be copied into a
// scenario; "factory Menu"; or an event's class name without its unit and
// the number it is shown with: "XPM_EVENT_TV101_STATE 1". Empty for events
// that are not the Events unit's.
std::string Describe(Core::Event* event) {
  if (auto* key = vg_cast<XPM_EVENT_KEY>(event)) return "key " + ScenarioKeyWords(key->keyCode, key->FrontPanel != 0);
  if (auto* command = vg_cast<XPM_EVENT_FACTORY_COMMAND>(event)) {
    const std::string text = Ansi(command->Text);
    return "factory " + (text.empty() ? std::to_string(command->Value) : text);
  }
  const VgClass* cls = VgClassOf(event);
  constexpr const char kUnit[] = "Events::";
  if (std::strncmp(cls->name, kUnit, sizeof kUnit - 1) != 0) return {};
  std::string item = cls->name + sizeof kUnit - 1;
  for (const Shown& shown : kShown)
    if (shown.cls == cls) item += " " + shown.number(event);
  return item;
}

const GuiRootOps kOps{
    &Root::Class,
    [](XObject* root, int32_t width, int32_t height) {
      CoreRoot__Initialize(AsProbe(root), width, height);
      AsProbe(root)->Build();
    },
    [](XObject* root, XObject* event) {
      return CoreGroup__DispatchEvent(AsProbe(root), static_cast<Core::Event*>(event));
    },
    [](XObject* root) { return CoreRoot_Update(AsProbe(root)); },
    [](XObject* root) -> GenBitmap* {
      Graphics::RootCanvas* canvas = AsProbe(root)->rootCanvas;
      return canvas ? canvas->EngineBitmap() : nullptr;
    },
    [](XObject* root) { return AsProbe(root)->received > 0 ? 1 : 0; },
    [](XObject*) { return 0; },
    [](XObject* root, int32_t state) {
      AsProbe(root)->tv101State = state;
      return 0;
    },
};

}  // namespace

void Root::Build() {
  // A panel under the texts, so that they read on a screenshot's transparent plane too.
  auto* panel = VgNew<Views::Rectangle>();
  panel->OnSetBounds(VgRect{40, 180, 920, 420});
  panel->OnSetColor(VgColor{16, 32, 64, 224});
  Add(panel, 0);
  latest = MakeText(this, VgRect{60, 200, 900, 250}, Fonts::ExtraLargeFont);
  // The last few names run longer than a line: they wrap, and read whole.
  history = MakeText<Views::MultilineText>(this, VgRect{60, 260, 900, 400}, Fonts::MediumFont);
}

std::atomic<bool> Root::panicOnNextEvent{false};
std::atomic<bool> Root::overflowOnNextEvent{false};

XObject* Root::HandleEvent(Core::Event* event) {
  if (panicOnNextEvent.exchange(false)) VgPanicAnsi("The probe root was told to fail on this event.");
  if (overflowOnNextEvent.exchange(false)) {
    volatile int32_t most = INT32_MAX;
    received = most + 1;
  }
  const std::string item = Describe(event);
  if (item.empty()) return nullptr;
  ++received;
  items.push_back(item);
  if (items.size() > kHistory) items.pop_front();
  std::string joined;
  for (const std::string& i : items) joined += (joined.empty() ? "" : ", ") + i;
  if (latest) latest->OnSetString(VgNewStringAnsi(item.c_str()));
  if (history) history->OnSetString(VgNewStringAnsi(joined.c_str()));
  return this;
}

const GuiRootOps& Ops() { return kOps; }

}  // namespace TvuiProbe
