// What the host tests share: the simulated set on its virtual clock with the
// test thread driving it, DirectFB's in-memory system, the host on the set's
// clock, and a root that writes down what reaches it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Events/Events.h"
#include "event_bridge.h"
#include "gcm.h"
#include "gui_loop.h"
#include "host_time.h"
#include "process.h"
#include "simtv.h"
#include "xpm.h"

namespace HostTest {

class Root : public XObject {
  VG_CLASS()

 public:
  explicit Root(XObject* link = nullptr) : XObject(link) {}
  // What reached the root, one line per event object.
  std::vector<std::string> received;
  VgRect dirty{0, 0, 0, 0};
  int32_t showsUI = 0;
  int32_t animating = 0;
  int32_t tv101 = -1;
};

Root* TheRoot();
const GuiRootOps& Ops();

// The set's time of day can be pinned, so that key ages are exact.
void PinTimeOfDay(timeval now);
void UnpinTimeOfDay();

class Environment : public testing::Environment {
 public:
  void SetUp() override;
};

// Every test starts with a running GUI loop on a fresh test root and ends it.
class LoopTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Posts a window key event straight into the GUI's buffer.
  void PostKey(int32_t keyCode, DFBWindowEventType type, timeval stamp);
  // The calls recorded since the test began, in order.
  std::vector<std::string> Calls(const std::string& name);
  int firstCall_ = 0;
  // The period whose loop the test runs.
  AppPeriod period_;
};

}  // namespace HostTest
