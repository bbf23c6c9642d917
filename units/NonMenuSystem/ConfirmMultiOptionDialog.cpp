#include "NonMenuSystem/ConfirmMultiOptionDialog.h"

#include <string_view>

#include "AppServices/MessageAgent.h"
#include "AppServices/Wrapper.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Core/Root.h"
#include "Events/Events.h"
#include "NonMenuSystem/EnterPinDialog.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "NonMenuSystem/PinTypes.h"
#include "PersistentData/PersistentData.h"
#include "Strings.h"
#include "Structures/Message.h"
#include "SubSystem/Open.h"
#include "WidgetManager/Layers.h"
#include "WinIDs/WinIDs.h"
#include "vgdebug.h"
#include "vgslot.h"

VG_DEFINE_CLASS(NonMenuSystem, ConfirmMultiOptionDialog, ::NonMenuSystem::ConfirmOptionDialog)

namespace NonMenuSystem {

namespace {

constexpr int32_t kButtonGap = 20;
// The pair sits this far above the frame's border, as far from the panel's
// edge as the caption is at the top.
constexpr int32_t kButtonsAboveFrame = 12;
// The PIN type that guards the 3D wizard while 3D is locked.
constexpr int32_t kThreeDWizardPinType = 11;
// A confirmation that stands over the screen that asked: above the screens
// and their panels, below the messages and pop-ups, so that a message over
// it leaves the question open.
constexpr int32_t kOverScreenLayer = Layers::Dialog;

// The class of a registered message receiver of that name: a message for a
// class can reach only the receivers registered with the agent.
const VgClass* ReceiverClass(std::string_view name) {
  Agent::MessageAgent* agent = MainApp::GetMessageAgent();
  for (Structures::DuLinkNode* node = agent->Sentinel()->next; node != agent->Sentinel(); node = node->next)
    if (node->data && name == node->data->GetClass()->name) return node->data->GetClass();
  return nullptr;
}

}  // namespace

ConfirmMultiOptionDialog::ConfirmMultiOptionDialog(XObject* link) : ConfirmOptionDialog(link) {
  WinID = WinIDs::WIN_ID_ConfirmMultiOptionsDialog;
  StyleButton(&yesButton);
  StyleButton(&noButton);
  yesButton.OnSetOnActivate(VgSlotOf<&ConfirmMultiOptionDialog::OnYes>(this));
  noButton.OnSetOnActivate(VgSlotOf<&ConfirmMultiOptionDialog::OnNo>(this));
  Add(&yesButton, 0);
  Add(&noButton, 0);
  OnSetYesButtonLabel(YesButtonLabel);
  OnSetNoButtonLabel(NoButtonLabel);
  OnSetFocus(&yesButton);
  Refresh();
}

XObject* ConfirmMultiOptionDialog::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  // Yes stands left of No: LEFT and RIGHT go to their side and stay there,
  // UP and DOWN move to the other button.
  if (key && key->down && (key->keyCode == Key::Left || key->keyCode == Key::Right)) {
    OnSetFocus(key->keyCode == Key::Left ? &yesButton : &noButton);
    ResetTimeout();
    return this;
  }
  if (key && key->down && (key->keyCode == Key::Up || key->keyCode == Key::Down)) {
    OnSetFocus(Focus.get() == &yesButton ? static_cast<Core::View*>(&noButton) : &yesButton);
    ResetTimeout();
    return this;
  }
  if (key && key->down && key->keyCode == Key::Back) {
    OnNo(this);
    ResetTimeout();
    return this;
  }
  if (XObject* handled = ConfirmOptionDialog::HandleEvent(event)) return handled;
  // A question over a screen keeps the keys it has no use for: passed on,
  // the volume, input or quick-menu key would open a screen of its own that
  // closes the one waiting for the answer, and the record or blue key would
  // open one over the question that leaves it unanswered.
  if (key && key->down && row_ && row_->overScreen) {
    ResetTimeout();
    return this;
  }
  return nullptr;
}

void ConfirmMultiOptionDialog::Refresh(XObject* sender) {
  ConfirmOptionDialog::Refresh(sender);
  const int32_t w = VgGetRectW(Bounds);
  const int32_t top = VgGetRectH(Bounds) - ButtonHeight - FrameWidth - kButtonsAboveFrame;
  const int32_t left = (w - 2 * ButtonWidth - kButtonGap) / 2;
  yesButton.OnSetBounds({left, top, left + ButtonWidth, top + ButtonHeight});
  const int32_t right = left + ButtonWidth + kButtonGap;
  noButton.OnSetBounds({right, top, right + ButtonWidth, top + ButtonHeight});
}

void ConfirmMultiOptionDialog::OnSetYesButtonLabel(VgString text) {
  ConfirmOptionDialog::OnSetYesButtonLabel(text);
  yesButton.OnSetText(text);
}

void ConfirmMultiOptionDialog::OnSetNoButtonLabel(VgString text) {
  ConfirmOptionDialog::OnSetNoButtonLabel(text);
  noButton.OnSetText(text);
}

void ConfirmMultiOptionDialog::OnSetConfirmType(int32_t type) {
  ConfirmOptionDialog::OnSetConfirmType(type);
  row_ = FindConfirmType(type);
  if (!row_) {
    VgPrint("NonMenuSystem::ConfirmMultiOptionDialog.OnSetConfirmType: no confirmation of type %d\n", type);
    return;
  }
  if (row_->overScreen) Layer = kOverScreenLayer;
  OnSetCaption(VgGetVariantOfString(row_->caption));
  OnSetWarningInfo(VgGetVariantOfString(row_->question));
  // The opener's classes win over the row's.
  if (row_->next && !NextState) NextState = VgFindClass(row_->next);
  if (row_->back && !PrevState) PrevState = VgFindClass(row_->back);
}

void ConfirmMultiOptionDialog::EnterNextState() {
  if (row_ && row_->next && !NextState) {
    VgPrint("NonMenuSystem::ConfirmMultiOptionDialog: confirmation %d would open %s, which is not built\n",
            ConfirmType, row_->next);
    return;
  }
  ConfirmOptionDialog::EnterNextState();
}

void ConfirmMultiOptionDialog::OnYes(XObject*) {
  ResetTimeout();
  if (RunAction()) EnterNextState();
}

void ConfirmMultiOptionDialog::OnNo(XObject*) {
  if (row_ && row_->noClearsAll) {
    ClearAll();
    return;
  }
  if (row_ && row_->back && !PrevState)
    VgPrint("NonMenuSystem::ConfirmMultiOptionDialog: confirmation %d would return to %s, which is not built\n",
            ConfirmType, row_->back);
  EnterPrevState();
}

bool ConfirmMultiOptionDialog::RunAction() {
  if (!row_) return true;
  switch (row_->action) {
    case ConfirmAction::None:
      return true;
    case ConfirmAction::DeleteItem:
      DeleteItem(row_->argument, row_->target);
      return true;
    case ConfirmAction::FactoryReset: {
      // The application root resets the set when this event reaches it.
      Core::Root* root = GetRoot();
      if (!root) {
        VgPrint("NonMenuSystem::ConfirmMultiOptionDialog: no root to reset the set through\n");
        return true;
      }
      CoreGroup__DispatchEvent(root, VgNew<Events::XPM_EVENT_FACTORY_RESET>());
      return true;
    }
    case ConfirmAction::RestartSetup: {
      auto* message = VgNew<Structures::Message>();
      message->Code = Constants::MSG_RESTART_INITIAL_SETUP;
      MainApp::GetMessageAgent()->Dispatch(message, nullptr);
      return true;
    }
    case ConfirmAction::ResetGroup:
      MainApp::GetWrapper()->ResetGroup(ConfirmType);
      return true;
    case ConfirmAction::ClearPin: {
      ::PersistentData::PersistentData* store = MainApp::GetWrapper()->OnGetPersistentData();
      const char* key = PinKey(static_cast<PinKind>(row_->argument));
      if (!store) {
        VgPrint("NonMenuSystem::ConfirmMultiOptionDialog: no settings store to delete %s from\n", key);
        return true;
      }
      store->RemoveString(VgNewStringAnsi(key));
      return true;
    }
    case ConfirmAction::Start3D: {
      Close();
      if (!NonMenuSystem) return false;
      if (MainApp::GetWrapper()->OnGetThreeDLock() == 1) {
        NonMenuSystem->OpenState(&EnterPinDialog::Class, MakeOriginParam(kThreeDWizardPinType), GetClass());
        return false;
      }
      // The wizard reads its way back to tell that the viewer went through
      // this check.
      SubSystem::Open(NonMenuSystem, "ThreeD::Start3DWizard",
                      {.back = &EnterPinDialog::Class, .origin = OriginTag()});
      return false;
    }
    case ConfirmAction::OpenConfirm:
      Close();
      if (NonMenuSystem)
        NonMenuSystem->OpenState(&ConfirmMultiOptionDialog::Class, MakeOriginParam(row_->argument), GetClass());
      return false;
  }
  return true;
}

void ConfirmMultiOptionDialog::DeleteItem(int32_t kind, const char* target) {
  const VgClass* cls = nullptr;
  if (target) {
    cls = ReceiverClass(target);
    if (!cls) {
      VgPrint("NonMenuSystem::ConfirmMultiOptionDialog: no %s is open to delete item kind %d\n", target, kind);
      return;
    }
  }
  VgPrint("NonMenuSystem::ConfirmMultiOptionDialog: MSG_DELETE_ITEM %d to %s\n", kind, target ? target : "all");
  auto* message = VgNew<Structures::Message>();
  message->Code = Constants::MSG_DELETE_ITEM;
  message->Param = kind;
  MainApp::GetMessageAgent()->Dispatch(message, cls);
}

void ConfirmMultiOptionDialog::DeleteScheduledRecord() { DeleteItem(DeleteKindScheduledRecord, "Record::ScheduledRecordDialog"); }

void ConfirmMultiOptionDialog::DeleteEPGRecord() { DeleteItem(DeleteKindEPGRecord, nullptr); }

void ConfirmMultiOptionDialog::DeleteChannelLogo() { DeleteItem(DeleteKindChannelLogo, nullptr); }

}  // namespace NonMenuSystem
