// The small framed dialogs of the networking menu.
//
// Network::NetworkStatusDialog follows a join that a wireless dialog
// started: it waits under "Cancel" and, when the join ends, says how
// (joined, no such network, or refused) and offers "Done".
//
// Network::ConnectionTestDialog runs the middleware's connection test and
// shows its three results (DNS, NTP, throughput), each animating "Testing"
// until it is known. The test ends with a failed kind, with a complete
// answer, or after two minutes, which fail every line still pending; it
// then returns to the networking page 6 s later. Leaving before the end
// stops the middleware's test.
//
// Network::ESNDialog shows the streaming service's device id.
#pragma once

#include <cstdint>

#include "Core/Timer.h"
#include "NonMenuSystem/BorderWidgetClass.h"
#include "NonMenuSystem/ConfirmOneOptionDialog.h"
#include "NonMenuSystem/DotAnimation.h"
#include "Network/NetworkWidgetClass.h"
#include "SkinBin/Button.h"
#include "Views/Text.h"

namespace Network {

class NetworkStatusDialog : public NonMenuSystem::ConfirmOneOptionDialog {
  VG_CLASS()

 public:
  explicit NetworkStatusDialog(XObject* link = nullptr);

  static constexpr int32_t StatusButtonWidth = 110;

  // The end of the join: what became of it, and "Done". The wireless and
  // test results reach it under any screen that has the keys.
  XObject* HandleEvent(Core::Event* event) override;
  bool FollowsTheWorld(Core::Event* event) const override { return IsNetworkResult(event); }

  // "Done" goes on, "Cancel" goes back.
  void DoActivate(XObject* sender = nullptr);
};

// A result line: "Testing" with dots while pending (its timer runs), then
// the result.
class TestingButton : public SkinBin::Button {
  VG_CLASS()

 public:
  explicit TestingButton(XObject* link = nullptr);

  bool IsPending() const { return timer.OnGetEnabled(); }
  // Stops the dots and shows the result.
  void ShowResult(VgString text);
  void WaitingSlot(XObject* sender = nullptr);

  Core::Timer timer{this};
  NonMenuSystem::DotAnimation dots;
};

class ConnectionTestDialog : public NetworkStatusDialog {
  VG_CLASS()

 public:
  explicit ConnectionTestDialog(XObject* link = nullptr);

  static constexpr int32_t TestTimeout = 120000;
  static constexpr int32_t DoneTimeout = 6000;
  // The step up to which the middleware tests.
  static constexpr int32_t TestSteps = 15;

  // Overridden slots.
  // The exit keys stop the test and return; the test's results fill the
  // lines.
  XObject* HandleEvent(Core::Event* event) override;
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Close(XObject* sender = nullptr) override;
  void Refresh(XObject* sender = nullptr) override;
  // Only remembers the origin: the test keeps its two minutes.
  void OnSetMenuTriggered(bool value) override { MenuTriggered = value; }

  // Every line still pending fails, and the test ends.
  void DoTimeout(XObject* sender = nullptr);
  void OnSetTestDone(bool done);
  bool OnGetTestDone() const { return TestDone; }
  // The button's target, whatever its label.
  void GoBack(XObject* = nullptr) { EnterPrevState(); }

  enum Line : int32_t { LineDns = 0, LineNtp, LineThroughput, LineCount };
  TestingButton lines[LineCount] = {TestingButton{this}, TestingButton{this}, TestingButton{this}};
  Views::Text labels[LineCount] = {Views::Text{this}, Views::Text{this}, Views::Text{this}};
  bool TestDone = false;

 private:
  bool animating_ = false;
};

class ESNDialog : public NonMenuSystem::BorderWidgetClass {
  VG_CLASS()

 public:
  explicit ESNDialog(XObject* link = nullptr);

  // OK goes back (or closes everything without a way back).
  XObject* HandleEvent(Core::Event* event) override;
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  Views::Text label{this};
  Views::Text value{this};
};

}  // namespace Network
