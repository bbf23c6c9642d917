// The guide's set-up screens, opened from the Channel page on sets with a
// guide-data service:
//   - FullEPGScanConfirmDialog: asks, then scans the guide data of every
//     channel of the guide ring in place, showing how far it got; the exit
//     keys stop the scan;
//   - EPGLoginAccountDialog: the viewer's account of the service: the ZIP
//     or postal code (typed on the keyboard), the country and the medium,
//     kept in the settings; nothing is sent anywhere from here.
#pragma once

#include <cstdint>

#include "Button/Button.h"
#include "NonMenuSystem/ConfirmMultiOptionDialog.h"
#include "NonMenuSystem/QORWidgetClass.h"
#include "vgstring.h"

namespace Structures {
class Message;
}

namespace Channels {

class FullEPGScanConfirmDialog : public NonMenuSystem::ConfirmMultiOptionDialog {
  VG_CLASS()

 public:
  explicit FullEPGScanConfirmDialog(XObject* link = nullptr);

  // The opening value names the row, not a confirmation type.
  void OnSetConfirmType(int32_t type) override;
  // Yes: the scan starts here.
  void EnterNextState() override;
  // The scan's reports, under any screen that has the keys; while it runs
  // the exit keys stop it and nothing else is taken.
  XObject* HandleEvent(Core::Event* event) override;
  bool FollowsTheWorld(Core::Event* event) const override;
  void Close(XObject* sender = nullptr) override;

  bool Scanning = false;

 private:
  void ShowProgress(int32_t percent);
};

class EPGLoginAccountDialog : public NonMenuSystem::QORWidgetClass {
  VG_CLASS()

 public:
  explicit EPGLoginAccountDialog(XObject* link = nullptr);

  static constexpr int32_t CountryUSA = 0;
  static constexpr int32_t CountryCanada = 1;
  // The keyboard's limit for a code of the country.
  static int32_t CodeLength(int32_t country);
  // Whether the text is a ZIP code (five digits) or a Canadian postal code
  // (letter, digit, letter, digit, letter, digit, with or without a blank
  // in the middle) as the country asks.
  static bool IsValidCode(int32_t country, VgString code);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Open(XObject* sender = nullptr) override;
  void Close(XObject* sender = nullptr) override;
  // UP and DOWN move between the rows, LEFT and RIGHT change the country and
  // the medium.
  XObject* HandleEvent(Core::Event* event) override;
  // The keyboard's answer.
  void HandleMessage(Structures::Message* message) override;

  void OnCode(XObject* sender = nullptr);
  void OnDone(XObject* sender = nullptr);

  VgStr Code;
  int32_t Country = CountryUSA;
  int32_t Medium = 0;
  Button::Button codeRow{this};
  Button::Button countryRow{this};
  Button::Button mediumRow{this};
  Button::Button doneButton{this};

 private:
  void ShowRows();
  void Step(int32_t rows);
};

}  // namespace Channels
