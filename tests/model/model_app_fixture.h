// A television model wired as the application root wires it: a root that
// records the standby requests it is sent, a settings store in a scratch
// directory and an event agent whose deliveries are recorded; the GUI clock
// stands still until a test moves it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "Agent/MessageAgent.h"
#include "Core/Group.h"
#include "Events/Events.h"
#include "PersistentData/PersistentData.h"
#include "SkinBin/EventAgent.h"
#include "SkinBin/Wrapper.h"
#include "Structures/Boxes.h"
#include "Structures/Message.h"
#include "model_test_support.h"
#include "simtv.h"
#include "vgclock.h"
#include "vgtimer.h"

namespace ModelTest {

// Stands in for the application root: it keeps the reason of every standby
// event dispatched to it.
class StandbyRecorder : public Core::Group {
  VG_CLASS()

 public:
  XObject* DispatchEvent(Core::Event* event) override {
    if (auto* standby = vg_cast<Events::XPM_EVENT_STANDBY>(event)) reasons.push_back(standby->Reason);
    return this;
  }
  std::vector<int32_t> reasons;
};

class ModelApp : public SimulatedSet {
 protected:
  void SetUp() override {
    SimulatedSet::SetUp();
    simtv_clear_calls();
    std::string pattern = (std::filesystem::temp_directory_path() / "tvui-model-XXXXXX").string();
    dir = mkdtemp(pattern.data());
    setenv("TVUI_ROOT", dir.c_str(), 1);
    VgClockSetManual(true);
    delivered().clear();
    previousDelivery = Agent::SetMessageDelivery(&Record);

    model = VgNew<SkinBin::Wrapper>();
    VgLockObject(model);
    root = VgNew<StandbyRecorder>();
    model->OnSetRoot(root);
    store = VgNew<PersistentData::PersistentData>();
    ASSERT_TRUE(store->Initialize(VgNewStringAnsi("/mnt/nvram/APP_NVRAM.dat")));
    model->OnSetPersistentData(store);
    agent = VgNew<SkinBin::EventAgent>();
    auto* messages = VgNew<Agent::MessageAgent>();
    messages->Register(VgNew<Structures::RefInt>());
    agent->OnSetMessageAgent(messages);
    agent->OnSetWrapper(model);
    model->OnSetEventAgent(agent);
  }

  void TearDown() override {
    VgUnlockObject(model);
    // The model's timers must not outlive it into the next test.
    VgReclaimMemory();
    Agent::SetMessageDelivery(previousDelivery);
    VgClockSetManual(false);
    VgSetLanguage(0);
    std::filesystem::remove_all(dir);
    unsetenv("TVUI_ROOT");
  }

  // Moves the clock on in whole minutes, firing what falls due each minute.
  static void Minutes(int32_t minutes) {
    for (int32_t i = 0; i < minutes; ++i) {
      VgClockAdvance(60000);
      VgProcessTimers();
    }
  }
  static void Milliseconds(uint32_t ms) {
    VgClockAdvance(ms);
    VgProcessTimers();
  }

  // The platform calls recorded since the set-up, and those of them that
  // changed the television.
  static std::vector<std::string> Calls() { return RecordedCalls(); }
  static std::vector<std::string> TvCalls() { return ChangingCalls(); }
  static bool Called(const std::vector<std::string>& calls, const std::string& prefix) {
    for (const std::string& call : calls)
      if (call.rfind(prefix, 0) == 0) return true;
    return false;
  }

  static std::vector<XObject*>& delivered() {
    static std::vector<XObject*> payloads;
    return payloads;
  }
  static void Record(XObject*, Structures::Message* message) { delivered().push_back(message->Payload); }

  VgString Key(const char* key) { return VgNewStringAnsi(key); }

  std::string dir;
  SkinBin::Wrapper* model = nullptr;
  StandbyRecorder* root = nullptr;
  PersistentData::PersistentData* store = nullptr;
  SkinBin::EventAgent* agent = nullptr;
  Agent::MessageDelivery previousDelivery = nullptr;
};

}  // namespace ModelTest
