// The WPS and key entry dialogs of the networking menu, each an OK/Cancel
// dialog whose OK starts a join that the status dialog then follows:
// Network::WPSPBCDialog by the router's push button, Network::
// WPSGeneratePinDialog with a PIN the set makes for the router, and
// Network::PinEnterDialog with a PIN read off the router (mode 1) or the
// key of a secured network chosen in the scan list, typed on the on-screen
// keyboard. OK goes on to the status dialog also when there was nothing to
// send or the set refused the request.
#pragma once

#include <cstdint>

#include "Network/QuickWireless.h"
#include "Views/Border.h"

namespace Network {

// The message of a WPS dialog: left-aligned paragraphs, the dialog sized to
// them with room for what stands below.
class WpsConfirmDialog : public NetworkConfirmDialog {
 public:
  void OnSetWarningInfo(VgString text) override;
  void Refresh(XObject* sender = nullptr) override;

 protected:
  WpsConfirmDialog(int32_t room, int32_t messageLeft, XObject* link);

  // The lowest the message may reach.
  virtual int32_t MessageBottom() const;

 private:
  int32_t room_;
  int32_t messageLeft_;
  int32_t textHeight_ = -1;
};

class WPSPBCDialog : public WpsConfirmDialog {
  VG_CLASS()

 public:
  explicit WPSPBCDialog(XObject* link = nullptr);

  bool ConnectAp(XObject* sender) override;
};

// A dialog with a PIN row (its label, the value in a border and a button)
// over OK and Cancel.
class PinRowDialog : public WpsConfirmDialog {
 public:
  void Refresh(XObject* sender = nullptr) override;

  SkinBin::Button action{this};
  Views::Border border{this};
  Views::Text value{this};
  Views::Text label{this};

 protected:
  PinRowDialog(const VgConstant& actionText, XObject* link);
  int32_t MessageBottom() const override;
};

class WPSGeneratePinDialog : public PinRowDialog {
  VG_CLASS()

 public:
  explicit WPSGeneratePinDialog(XObject* link = nullptr);

  static constexpr char16_t PresetPin[] = u"52814073";

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  bool ConnectAp(XObject* sender) override;

  // A new PIN from the set, of at least eight digits.
  void GeneratePin(XObject* sender = nullptr);

  VgStr Pin;
};

class PinEnterDialog : public PinRowDialog {
  VG_CLASS()

 public:
  explicit PinEnterDialog(XObject* link = nullptr);

  static constexpr int32_t ModeWpsPin = 1;
  static constexpr int32_t KeyboardLength = 64;

  // Overridden slots.
  // Listens for the keyboard; the mode and network come with the opening.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Close(XObject* sender = nullptr) override;
  // The keyboard's text.
  void HandleMessage(Structures::Message* message) override;
  bool ConnectAp(XObject* sender) override;

  void ShowKeyboard(XObject* sender = nullptr);
  void UpdateLabel(VgString text);

  int32_t Mode = ModeWpsPin;
  VgStr Pin;
};

}  // namespace Network
