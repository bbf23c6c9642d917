#include "host_fixture.h"

#include <cstring>

#include "update.h"
#include "vgclock.h"

VG_DEFINE_CLASS(HostTest, Root, XObject)

namespace HostTest {
namespace {

bool g_pinned = false;
timeval g_pinnedTime{};

void TestTimeOfDay(timeval* now) {
  if (g_pinned) {
    *now = g_pinnedTime;
    return;
  }
  simtv_gettimeofday(now);
}

constexpr HostTime kTime{&TestTimeOfDay, &simtv_wait_event_buffer};

Root* As(XObject* root) { return static_cast<Root*>(root); }

// Keys and factory commands by their fields; other event objects by class
// name and, for the classes the tests send, the fields they check.
std::string Describe(XObject* event) {
  using std::to_string;
  if (auto* key = vg_cast<Events::XPM_EVENT_KEY>(event))
    return "key " + to_string(key->keyCode) + (key->FrontPanel ? " fp" : "") + (key->down ? "" : " up");
  if (auto* command = vg_cast<Events::XPM_EVENT_FACTORY_COMMAND>(event)) {
    char name[16] = {};
    VgStringToAnsi(command->Text, name, sizeof name, '?');
    return "factory " + to_string(command->Type) + " " + to_string(command->Value) + " " + name;
  }
  if (auto* scan = vg_cast<Events::XPM_EVENT_CHANNEL_SCAN_PROGRESS>(event)) {
    std::string text = "scan " + to_string(scan->PhysicalChannel) + " count " + to_string(scan->Count);
    for (int32_t i = 0; i < scan->Count; ++i)
      text += " " + to_string(scan->Channels[i]->Major) + "." + to_string(scan->Channels[i]->Minor);
    return text;
  }
  if (auto* source = vg_cast<Events::XPM_EVENT_SOURCE_ACQUIRED>(event))
    return "source " + to_string(source->SourceId) + " status " + to_string(source->Status);
  if (auto* up = vg_cast<Events::NetworkInterfaceUpEvent>(event)) return "network up " + to_string(up->Interface);
  if (auto* down = vg_cast<Events::NetworkInterfaceDownEvent>(event))
    return "network down " + to_string(down->Interface);
  if (auto* notify = vg_cast<Events::YahooNotifyEvent>(event)) return "notify " + to_string(notify->State);
  if (auto* wakeup = vg_cast<Events::XPM_EVENT_WAKEUP>(event)) return "wake-up " + to_string(wakeup->Reason);
  if (auto* standby = vg_cast<Events::XPM_EVENT_STANDBY>(event)) return "standby " + to_string(standby->Reason);
  if (auto* state = vg_cast<Events::XPM_EVENT_TV101_STATE>(event)) return "tv101 " + to_string(state->State);
  if (auto* update = vg_cast<Events::XPM_EVENT_UBN_RESULT>(event))
    return "update " + to_string(update->Result) + " " + to_string(update->Value) + " " +
           VgStringToUtf8(update->Text);
  if (event) return VgClassOf(event)->name;
  return "other";
}

const GuiRootOps kOps{
    &Root::Class,
    [](XObject*, int32_t, int32_t) {},
    [](XObject* root, XObject* event) -> XObject* {
      As(root)->received.push_back(Describe(event));
      return root;
    },
    [](XObject* root) {
      VgRect area = As(root)->dirty;
      As(root)->dirty = VgRect{0, 0, 0, 0};
      return area;
    },
    [](XObject*) -> GenBitmap* { return nullptr; },
    [](XObject* root) { return As(root)->showsUI; },
    [](XObject* root) { return As(root)->animating; },
    [](XObject* root, int32_t state) {
      As(root)->tv101 = state;
      return 0;
    },
};

testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new Environment);

}  // namespace

Root* TheRoot() { return static_cast<Root*>(rootObject.load()); }
const GuiRootOps& Ops() { return kOps; }

void PinTimeOfDay(timeval now) {
  g_pinned = true;
  g_pinnedTime = now;
}

void UnpinTimeOfDay() { g_pinned = false; }

void Environment::SetUp() {
  simtv_boot(1, 0);
  ASSERT_EQ(GCM_Start(1), 0);
  HostUseTime(&kTime);
  GuiUseRootOps(&kOps);
}

void LoopTest::SetUp() {
  (void)kEnvironment;
  firstCall_ = simtv_call_count();
  g_IsPowerOn = 1;
  gKeyEventFlushMarkerFound = 1;
  GuiLoopStart(&period_);
  ASSERT_NE(TheRoot(), nullptr);
}

void LoopTest::TearDown() {
  UnpinTimeOfDay();
  simtv_fail("OS_SemTakeTrack", 0, 0);
  simtv_fail("xpm_relayhdmicecrcu", 0, 0);
  simtv_fail("OAM_CEC_GetKeyType", 0, 0);
  simtv_fail("BKNI_Malloc", 0, 0);
  // Empties the buffer, then ends the loop as the stop command would.
  while (buffer.load() && buffer.load()->HasEvent(buffer.load()) == DFB_OK) handleEvent(0);
  period_.vgRunning = 0;
  GuiLoopEnd();
  XPM_UnsubscribeEventClient(xpmEventCallback, nullptr);
  UBN_SetResultCallback(nullptr, nullptr);
}

void LoopTest::PostKey(int32_t keyCode, DFBWindowEventType type, timeval stamp) {
  DFBWindowEvent event;
  std::memset(&event, 0, sizeof event);
  event.clazz = DFEC_WINDOW;
  event.type = type;
  event.key_code = keyCode;
  event.timestamp = stamp;
  IDirectFBEventBuffer* events = buffer.load();
  ASSERT_EQ(events->PostEvent(events, DFB_EVENT(&event)), DFB_OK);
}

std::vector<std::string> LoopTest::Calls(const std::string& name) {
  std::vector<std::string> calls;
  char text[512];
  for (int i = firstCall_; i < simtv_call_count(); ++i) {
    if (simtv_call_text(i, text, sizeof text) != 0) continue;
    std::string call = text;
    if (call == name || call.compare(0, name.size() + 1, name + " ") == 0) calls.push_back(call);
  }
  return calls;
}

}  // namespace HostTest
