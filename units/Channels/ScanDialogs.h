// The channel scan, screen by screen: the confirmation (opened with value 3
// from the Channel page, or by PIN type 3), the progress dialog that starts
// the scan of the medium in use and follows it (its exit keys stop it), and
// what the end of the scan opens: the complete dialog with the new master
// list, or the error dialog when nothing was found. Each screen after the
// confirmation goes back where the confirmation would have.
#pragma once

#include <cstdint>

#include "ListForm/ChannelLists.h"
#include "NonMenuSystem/ConfirmMultiOptionDialog.h"
#include "NonMenuSystem/ConfirmOneOptionDialog.h"
#include "NonMenuSystem/ListHost.h"
#include "NonMenuSystem/QORWidgetClass.h"
#include "SkinBin/ProgressQOR.h"
#include "Views/Text.h"

namespace Channels {

// Closes the screen and opens the next one of a chain with the screen's
// origin, handing on the screen's own way back.
void OpenInChain(NonMenuSystem::WidgetClass* from, const VgClass* next);

class AutoTuningConfirmDialog : public NonMenuSystem::ConfirmMultiOptionDialog {
  VG_CLASS()

 public:
  explicit AutoTuningConfirmDialog(XObject* link = nullptr);

  // The opening value names the row that opened it, not a confirmation
  // type: the question is always the scan's.
  void OnSetConfirmType(int32_t type) override;
  // Yes: the progress dialog, which starts the scan.
  void EnterNextState() override;
};

class AutoTuningDialog : public NonMenuSystem::QORWidgetClass {
  VG_CLASS()

 public:
  explicit AutoTuningDialog(XObject* link = nullptr);

  // The scan starts as the dialog opens; a refusal ends in the error dialog.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // The scan's reports, under any screen that has the keys; the exit keys
  // and BACK stop it, other keys are swallowed while it runs.
  XObject* HandleEvent(Core::Event* event) override;
  bool FollowsTheWorld(Core::Event* event) const override;
  // Closed by anything else (the menus, a clear-all): the scan stops too.
  void Close(XObject* sender = nullptr) override;
  void Refresh(XObject* sender = nullptr) override;

  void ShowProgress(int32_t percent, int32_t found, int32_t physical);

  int32_t Found = 0;
  bool Scanning = false;
  Views::Text percentText{this};
  SkinBin::ProgressQOR bar{this};
  Views::Text foundText{this};
  Views::Text physicalText{this};

 private:
  void Finish(XObject* sender = nullptr);
  void Stop();
};

class AutoTuningCompleteDialog : public NonMenuSystem::ListHost<ListForm::MasterChannelList, NonMenuSystem::QORWidgetClass> {
  VG_CLASS()

 public:
  explicit AutoTuningCompleteDialog(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
};

class AutoTuningErrorDialog : public NonMenuSystem::ConfirmOneOptionDialog {
  VG_CLASS()

 public:
  explicit AutoTuningErrorDialog(XObject* link = nullptr);

  // OK goes back as BACK does.
  void EnterNextState() override;
};

}  // namespace Channels
