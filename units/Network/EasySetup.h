// Easy wireless setup by WPS, and what the other wizards share with it.
//
// Push button: the Easy Setup page starts the join and opens
// Network::EasySetupPBC, which waits (two minutes) for the join's result:
// joined, it says so and two seconds later shows the link
// (Network::EasySetup_ApInfo); otherwise it tells why and leaves after a
// minute. PIN: Network::EasySetupPIN_ApList scans and shows the set's PIN;
// the viewer enters the PIN into the router and picks the network, the list
// starts the PIN join and Network::EasySetupPIN waits as above.
//
// Network::ApListDialog is the access-point list step of easy (PIN) and
// assisted setup: the scan with its waiting state, the rescan on the red
// key, the "No APs found." panel and the kept scan shown again after a step
// back. Network::EasySetup_ApInfo is the page of the link made, which the
// assisted and manual wizards show too.
#pragma once

#include <cstdint>
#include <span>

#include "ListForm/AccessPointList.h"
#include "Network/ApInfo.h"
#include "Network/NetworkWidgetClass.h"

namespace Network {

// What a WPS join's result shows: the body text (null keeps it) and whether
// the step stays busy. The last row of a table serves every value not
// listed.
struct WpsResult {
  int32_t value;
  const VgConstant* body;
  bool busy;
};

// A WPS join under way; its result is AP_Num (push button) or AP_Status (PIN):
// -1 while searching, 1 joined, other values what went wrong.
class WpsProgress : public NetworkWidgetClass {
 public:
  static constexpr int32_t Searching = -1;
  static constexpr int32_t Failed = 0;
  static constexpr int32_t Joined = 1;
  static constexpr int32_t ConnectedPause = 2000;
  static constexpr int32_t FailurePause = 60000;

  // Overridden slots.
  // The join's result: joined waits two seconds, anything else fails.
  XObject* HandleEvent(Core::Event* event) override;
  // Leaves the network being joined.
  void DoCancel() override;

  // The time-out: nothing heard shows the failure for a minute more; joined
  // opens the link's page; otherwise back to the Easy Setup page.
  void DoTimeout(XObject* sender = nullptr);
  void SetResult(int32_t value);

  int32_t Result = Searching;

 protected:
  WpsProgress(const DialogDef& def, std::span<const WpsResult> results, const VgClass* linkPage, XObject* link);

 private:
  std::span<const WpsResult> results_;
  const VgClass* linkPage_;
};

class EasySetupPBC : public WpsProgress {
  VG_CLASS()

 public:
  explicit EasySetupPBC(XObject* link = nullptr);

  int32_t OnGetAP_Num() const { return Result; }
  void OnSetAP_Num(int32_t value) { SetResult(value); }
};

class EasySetupPIN : public WpsProgress {
  VG_CLASS()

 public:
  explicit EasySetupPIN(XObject* link = nullptr);

  int32_t OnGetAP_Status() const { return Result; }
  void OnSetAP_Status(int32_t value) { SetResult(value); }
};

class ApListDialog : public NetworkWidgetClass {
 public:
  static constexpr int32_t IdleTimeout = 60000;
  static constexpr int32_t ListX = 19;

  // Overridden slots.
  // A key hides the panel; OK is the list's; the red key scans again (not
  // while scanning). A scan's end loads its result.
  XObject* HandleEvent(Core::Event* event) override;
  // Scans, or shows the scan kept from before.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Stops the scan.
  void DoCancel() override;

  // Scanning: the circle turns until the scan's end or the time-out, which
  // shows the panel; idle: a minute without a key closes everything.
  void ConfigScan(bool scanning);
  void ScanTimeout(XObject* sender = nullptr);
  void ShowNoApFound(bool show);
  // The list's OnConnectAP: the access point chosen, on to the next step.
  void DoConnectAP(XObject* sender = nullptr);

  ListForm::AccessPointList list{this};
  VgPtr<NoApFound> noApFound;

 protected:
  ApListDialog(const DialogDef& def, int32_t listY, XObject* link);
};

class EasySetupPIN_ApList : public ApListDialog {
  VG_CLASS()

 public:
  explicit EasySetupPIN_ApList(XObject* link = nullptr);

  // The scan, then the set's PIN, shown and handed to the list.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  // At least eight digits, padded with zeros.
  static VgString PinText(uint32_t pin);

  ApInfoItem pinItem{this};
};

// The record of a page of the link made: its caption and way back differ.
DialogDef LinkPageDef(const VgConstant* caption, const VgClass* back);

// The link the set has now, read-only, after a wizard joined a network.
class EasySetup_ApInfo : public NetworkWidgetClass {
  VG_CLASS()

 public:
  explicit EasySetup_ApInfo(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  ApInfo form{this};

 protected:
  EasySetup_ApInfo(const DialogDef& def, XObject* link);
};

class EasySetup_PINApInfo : public EasySetup_ApInfo {
  VG_CLASS()

 public:
  explicit EasySetup_PINApInfo(XObject* link = nullptr);
};

}  // namespace Network
