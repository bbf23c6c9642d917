// The connection test of the network pages: the test step runs the
// middleware's connection test under an animation and ends on the success
// page (2 s after a positive result) or the fail page (a failed kind, or two
// minutes without an answer); both pages return to the network setup page
// after 4 s. A test the step leaves behind unanswered is quit.
#pragma once

#include <cstdint>

#include "Network/NetworkWidgetClass.h"
#include "Views/Image.h"

namespace Network {

class NetworkConnectionTest : public NetworkWidgetClass {
  VG_CLASS()

 public:
  explicit NetworkConnectionTest(XObject* link = nullptr);

  static constexpr int32_t TestTimeout = 120000;
  static constexpr int32_t SuccessDelay = 2000;
  // The last step of the middleware's test.
  static constexpr int32_t TestSteps = 5;

  XObject* HandleEvent(Core::Event* event) override;
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Close(XObject* sender = nullptr) override;
  void DoTimeout(XObject* sender = nullptr);

  Views::Image animation{this};
  // The middleware's test runs and has not answered.
  bool testing = false;
  bool animating = false;
  // A result has come: OK may go on.
  bool answered = false;

 private:
  void QuitTest();
};

class NetworkTestSuccess : public NetworkWidgetClass {
  VG_CLASS()

 public:
  explicit NetworkTestSuccess(XObject* link = nullptr);
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

 protected:
  NetworkTestSuccess(const DialogDef& def, XObject* link);
};

class NetworkTestFail : public NetworkTestSuccess {
  VG_CLASS()

 public:
  explicit NetworkTestFail(XObject* link = nullptr);
};

}  // namespace Network
