// The wizards' Yes/No questions: Network::CancelDialog asks whether to cancel
// a step that is busy (hidden below it meanwhile), Network::CheckNoEncryption
// whether to join a network without encryption. Both show one Yes/No row
// with "No" chosen; Yes goes on (EnterNextState), No, Return and the minute's
// time-out go back (EnterPrevState) to the step that asked.
#pragma once

#include "Network/NetworkWidgetClass.h"
#include "SkinBin/OptionButton.h"

namespace Core {
class Event;
}

namespace Network {

class AssistedSetup_ApInfo;
class WirelessAdvancedDialog;

// What the two questions share beyond the wizard step.
class QuestionDialog : public NetworkWidgetClass {
 public:
  // OK on the row: Yes goes on, No goes back.
  void DoActivate(XObject* sender);

  SkinBin::OptionButton answer{this};

 protected:
  QuestionDialog(const DialogDef& def, int32_t answerX, XObject* link);
  // The step that asked, carried by the opening record.
  static NetworkWidgetClass* Asker(Primitives::KeyRoutingParameter* parameter);
};

class CancelDialog : public QuestionDialog {
  VG_CLASS()

 public:
  explicit CancelDialog(XObject* link = nullptr);

  // Overridden slots.
  // Holds back a scan or join result meant for the busy step.
  XObject* HandleEvent(Core::Event* event) override;
  // Takes the caption of the step it asks for.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Yes: the busy step cancels its work, and its way back opens.
  void EnterNextState() override;
  // No: the busy step comes back, with the result held back replayed.
  void EnterPrevState() override;
  // Standby while the question shows cancels the busy step's work too.
  void DoCancel() override;

  VgPtr<NetworkWidgetClass> Cancelled;
  VgPtr<Core::Event> HeldEvent;
};

class CheckNoEncryption : public QuestionDialog {
  VG_CLASS()

 public:
  explicit CheckNoEncryption(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Yes: the asking dialog joins without encryption.
  void EnterNextState() override;
  // No: back to the asking dialog.
  void EnterPrevState() override;

  VgPtr<AssistedSetup_ApInfo> Asking;
  VgPtr<WirelessAdvancedDialog> AskingQuick;
};

}  // namespace Network
