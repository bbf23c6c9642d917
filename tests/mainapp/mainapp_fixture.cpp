#include "mainapp_fixture.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Agent/MessageAgent.h"
#include "Core/Root.h"
#include "GenFont.h"
#include "Constants/Constants.h"
#include "AppServices/MessageAgent.h"
#include "AppServices/PersistentData.h"
#include "AppServices/WidgetManager.h"
#include "Primitives/MessageDelivery.h"
#include "Structures/Message.h"
#include "gcm.h"
#include "nvpath.h"
#include "sim_calls.h"
#include "simtv.h"
#include "vgclock.h"
#include "vgslot.h"
#include "vgtimer.h"
#include "xpm.h"

VG_DEFINE_CLASS(MainAppTest, Spy, Primitives::KeyRoutingForm)

namespace MainAppTest {

namespace {

class Environment : public testing::Environment {
 public:
  void SetUp() override {
    ASSERT_EQ(GCM_Start(1), 0);
    VgClockSetManual(true);
    // The screens lay their texts out with the set's font.
    ASSERT_EQ(GenInitGlyphCache(20000), 0);
    std::string font = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    if (const char* source = std::getenv("TVUI_SOURCE_DIR")) {
      const std::string installed = std::string(source) + "/fonts/tt7268m_803.ttf";
      if (std::filesystem::exists(installed)) font = installed;
    }
    ASSERT_EQ(GenRegisterFont(font.c_str()), 0);
  }
};
testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new Environment);

std::vector<Delivered>& Deliveries() {
  static std::vector<Delivered> list;
  return list;
}

void Record(XObject* receiver, Structures::Message* message) {
  Deliveries().push_back({receiver->GetClass()->name, message->Code, message->Param});
  Primitives::DeliverMessage(receiver, message);
}

}  // namespace

std::string& MainAppFixture::Log() {
  static std::string log;
  return log;
}

XObject* Spy::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return nullptr;
  std::string& log = MainAppFixture::Log();
  log += (log.empty() ? "" : " ") + name + ":" + std::to_string(key->keyCode);
  if (takes && restartsSetup) {
    auto* restart = VgNew<Structures::Message>();
    restart->Code = Constants::MSG_RESTART_INITIAL_SETUP;
    MainApp::GetMessageAgent()->Dispatch(restart, nullptr);
  }
  return takes ? this : nullptr;
}

void MainAppFixture::SetUp() {
  Log().clear();
  Deliveries().clear();
  char pattern[] = "/tmp/mainapp_test_XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  folder = pattern;
  setenv("TVUI_ROOT", folder.c_str(), 1);
  simtv_tv_reset();
  simtv_av_reset();
  Agent::SetMessageDelivery(&Record);
}

void MainAppFixture::TearDown() {
  VgDiscardSignals();
  if (root) VgUnlockObject(root);
  root = nullptr;
  VgReclaimMemory();
  Agent::SetMessageDelivery(&Primitives::DeliverMessage);
  std::filesystem::remove_all(folder);
}

void MainAppFixture::Boot() {
  root = VgNew<MainApp::Root>();
  VgLockObject(root);
  CoreRoot__Initialize(root, MainApp::Root::ScreenWidth, MainApp::Root::ScreenHeight);
  CoreRoot_Update(root);
}

void MainAppFixture::BootAndWake(int32_t reason) {
  Boot();
  Wake(reason);
}

XObject* MainAppFixture::Dispatch(Core::Event* event) {
  XObject* taken = CoreGroup__DispatchEvent(root, event);
  // A reference that no field holds would be gone after this, as it would
  // after the loop's collection on the set.
  VgReclaimMemory();
  return taken;
}

XObject* MainAppFixture::Wake(int32_t reason) {
  auto* wake = VgNew<Events::XPM_EVENT_WAKEUP>();
  wake->Reason = reason;
  return Dispatch(wake);
}

Events::XPM_EVENT_KEY* MainAppFixture::KeyOf(uint16_t code, bool frontPanel) {
  auto* key = VgNew<Events::XPM_EVENT_KEY>();
  key->Initialize(code, true);
  key->FrontPanel = frontPanel ? 1 : 0;
  return key;
}

XObject* MainAppFixture::Press(uint16_t code, bool frontPanel) { return Dispatch(KeyOf(code, frontPanel)); }

void MainAppFixture::Advance(uint32_t ms) {
  VgClockAdvance(ms);
  VgProcessTimers();
  VgProcessSignals();
  VgProcessSignals();
}

void MainAppFixture::StoreSetting(const std::string& key, const std::string& value) {
  ::PersistentData::PersistentData* store = VgNew<::PersistentData::PersistentData>();
  VgLockObject(store);
  store->Initialize(VgNewString(MainApp::kSettingsFile));
  store->PutString(VgNewStringAnsi(key.c_str()), VgNewStringAnsi(value.c_str()));
  VgUnlockObject(store);
}

std::string MainAppFixture::Setting(const std::string& key) {
  return VgStringToUtf8(MainApp::GetPersistentData()->GetString(VgNewStringAnsi(key.c_str())));
}

std::string MainAppFixture::FileText(const std::string& path) {
  std::ifstream file(NvPath(path.c_str()), std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

bool MainAppFixture::FileExists(const std::string& path) { return std::filesystem::exists(NvPath(path.c_str())); }

int32_t MainAppFixture::OpenStep() {
  for (int32_t id = 0x4000001; id <= 0x4000004; ++id)
    if (MainApp::GetWidgetManager()->FindForm(id)) return id;
  return 0;
}

Spy* MainAppFixture::OpenSpy(Core::Group* system, const std::string& name, int32_t winId, int32_t layer) {
  auto* spy = VgNew<Spy>();
  spy->name = name;
  spy->WinID = winId;
  spy->Layer = layer;
  spy->Parent = system;
  spy->Open();
  system->OnSetFocus(spy);
  return spy;
}

std::vector<Delivered> MainAppFixture::TakeDelivered() {
  std::vector<Delivered> taken;
  taken.swap(Deliveries());
  return taken;
}

bool MainAppFixture::WasDelivered(const std::string& receiver, int32_t code, int32_t param) {
  for (const Delivered& d : Deliveries())
    if (d.receiver == receiver && d.code == code && (param == -1 || d.param == param)) return true;
  return false;
}

int MainAppFixture::CountTvCalls(const std::string& text) {
  int count = 0;
  for (const std::string& call : RecordedCalls())
    if (call.rfind(text, 0) == 0) ++count;
  return count;
}

}  // namespace MainAppTest
