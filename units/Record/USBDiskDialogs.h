// The USB recording disk's dialogs: the confirmations before a format or a
// speed test (two buttons), and the one-button status, progress and error
// dialogs. Each member is a row of a table (caption, message, labels,
// focus, the screens after and before it); the progress dialogs add the
// waiting text and the middleware's answer. A dialog opened on a disk
// leaves with it, and says so, whoever has the keys (Record::OnTheDisk).
#pragma once

#include <cstdint>

#include "Core/Timer.h"
#include "NonMenuSystem/ConfirmOneOptionDialog.h"
#include "NonMenuSystem/ConfirmOptionDialog.h"
#include "NonMenuSystem/DotAnimation.h"
#include "Record/OnTheDisk.h"
#include "SkinBin/Button.h"
#include "Views/Text.h"
#include "vgslot.h"

struct VgConstant;

namespace Record {

struct DiskDialogDef {
  const VgConstant* caption = nullptr;
  const VgConstant* message = nullptr;
  // The Yes label (a confirmation) or the button's label (a status dialog).
  const VgConstant* label = nullptr;
  bool focusYes = false;
  // Class names; null: what the opener gives.
  const char* next = nullptr;
  const char* back = nullptr;
  bool shortcut = true;
  // The time-out closes nothing.
  bool keepOnTimeout = false;
  // The button goes back at once instead of acting by its label.
  bool buttonGoesBack = false;
};

class RecordConfirmDialog : public OnTheDisk<NonMenuSystem::ConfirmOptionDialog> {
  VG_CLASS()

 public:
  explicit RecordConfirmDialog(XObject* link = nullptr);

  static constexpr int32_t Gap = 20;

  XObject* HandleEvent(Core::Event* event) override;
  void Refresh(XObject* sender = nullptr) override;
  void OnSetYesButtonLabel(VgString text) override;
  void OnSetNoButtonLabel(VgString text) override;

  void DoActivate(XObject* sender = nullptr);
  void DoYesMethod();
  void GoBack(XObject* = nullptr) { EnterPrevState(); }

  VgSlot OnYesSlot;
  VgSlot OnNoSlot;
  SkinBin::Button yes{this};
  SkinBin::Button no{this};

 protected:
  RecordConfirmDialog(const DiskDialogDef& def, XObject* link);
};

class USBDiskFormatDialog : public RecordConfirmDialog {
  VG_CLASS()

 public:
  explicit USBDiskFormatDialog(XObject* link = nullptr);
};

class USBSpeedCheckDialog : public RecordConfirmDialog {
  VG_CLASS()

 public:
  explicit USBSpeedCheckDialog(XObject* link = nullptr);
};

class RecordStatusDialog : public OnTheDisk<NonMenuSystem::ConfirmOneOptionDialog> {
  VG_CLASS()

 public:
  explicit RecordStatusDialog(XObject* link = nullptr);

  // By the button's label: "OK" or "Done" go on, "Cancel" goes back.
  void DoActivate(XObject* sender = nullptr);
  void GoBack(XObject* = nullptr) { EnterPrevState(); }
  // Back to the menus for a shortcut, else on to NextState.
  void EnterNextState() override;

 protected:
  RecordStatusDialog(const DiskDialogDef& def, XObject* link);
};

class USBDiskStatusDialog : public RecordStatusDialog {
  VG_CLASS()

 public:
  explicit USBDiskStatusDialog(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  VgPtrArray<Views::Text, 4> labels;
  VgPtrArray<Views::Text, 4> values;
};

// The status text under the message, the waiting animation on it, and the
// shared layout of the two progress dialogs.
class DiskProgressDialog : public RecordStatusDialog {
  VG_CLASS()

 public:
  explicit DiskProgressDialog(XObject* link = nullptr);

  void Refresh(XObject* sender = nullptr) override;
  void WaitingSlot(XObject* sender = nullptr);
  // Stops the animation and shows the result, centred.
  void ShowResult(VgString text);

  Views::Text status{this};
  Core::Timer progressTimer{this};
  NonMenuSystem::DotAnimation dots;
  VgStr Waiting;

 protected:
  DiskProgressDialog(const DiskDialogDef& def, const VgConstant& waiting, XObject* link);
};

class USBDiskFormatStatusDialog : public DiskProgressDialog {
  VG_CLASS()

 public:
  explicit USBDiskFormatStatusDialog(XObject* link = nullptr);

  // How long a format may run without an answer before it counts as failed.
  static inline int32_t FormatLimit = 30 * 60 * 1000;

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // The format's answer, and the disk going out, come under any screen
  // that has the keys.
  XObject* HandleEvent(Core::Event* event) override;
  bool FollowsTheWorld(Core::Event* event) const override;
  void DoLimit(XObject* sender = nullptr);

  Core::Timer limitTimer{this};

 private:
  void Finish(bool succeeded);
};

class USBSpeedCheckStatusDialog : public DiskProgressDialog {
  VG_CLASS()

 public:
  explicit USBSpeedCheckStatusDialog(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // The test's answer, and the disk going out, come under any screen that
  // has the keys.
  XObject* HandleEvent(Core::Event* event) override;
  bool FollowsTheWorld(Core::Event* event) const override;
  void Close(XObject* sender = nullptr) override;
  void OnSetWarningInfo(VgString text) override;
};

class USBDiskErrorDialog : public RecordStatusDialog {
  VG_CLASS()

 public:
  explicit USBDiskErrorDialog(XObject* link = nullptr);
};

}  // namespace Record
