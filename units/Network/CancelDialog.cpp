#include "Network/CancelDialog.h"

#include "Events/Events.h"
#include "Network/AssistedSetup.h"
#include "Network/QuickWireless.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "OptionDatabase/OptionTypes.h"
#include "Primitives/KeyRoutingParameter.h"
#include "SkinBin/UserRefInt.h"
#include "Strings.h"
#include "SubSystem/Open.h"
#include "WidgetManager/Layers.h"

VG_DEFINE_CLASS(Network, CancelDialog, Network::NetworkWidgetClass)
VG_DEFINE_CLASS(Network, CheckNoEncryption, Network::NetworkWidgetClass)

namespace Network {

namespace {

constexpr int32_t kQuestionLayer = Layers::Dialog;
constexpr int32_t kQuestionTimeout = 60000;
constexpr int32_t kAnswerFromBottom = 45;

constexpr DialogDef kCancel{.caption = &Strings::SID_EASY_SETUP_PBC,
                             .body = &Strings::SID_CANCEL_QUESTION,
                             .help = &kHelpSelect,
                             .waiting = kHidden,
                             .timeout = kQuestionTimeout,
                             .onTimeout = DialogSlot<&NetworkWidgetClass::GoBack>,
                             .layer = kQuestionLayer,
                             .bounds = {0, 170, 560, 330}};

constexpr DialogDef kNoEncryption{.caption = &Strings::SID_MANUAL_SETUP,
                                   .body = &Strings::SID_NO_ENCRYPTION_QUESTION,
                                   .help = &kHelpEdit,
                                   .timeout = kQuestionTimeout,
                                   .onTimeout = DialogSlot<&NetworkWidgetClass::GoBack>,
                                   .layer = kQuestionLayer,
                                   .bounds = {0, 160, 590, 340}};

// The choices of the Yes/No option.
constexpr int32_t kYes = 0;

bool IsWlanResult(Core::Event* event) {
  return vg_cast<Events::WlanConnectCompleteEvent>(event) || vg_cast<Events::WlanScanCompleteEvent>(event);
}

}  // namespace

// ------------------------------------------------------------ QuestionDialog

QuestionDialog::QuestionDialog(const DialogDef& def, int32_t answerX, XObject* link)
    : NetworkWidgetClass(def, link) {
  const VgPoint size = VgGetRectSize(answer.Bounds);
  const int32_t y = VgGetRectH(Bounds) - kAnswerFromBottom;
  answer.OnSetBounds({answerX, y, answerX + size.x, y + size.y});
  answer.OnSetOnActivate(VgSlotOf<&QuestionDialog::DoActivate>(this));
  answer.OnSetOnValueChanged(VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(
      static_cast<Primitives::KeyRoutingForm*>(this)));
  Add(&answer, 0);
  OnSetFocus(&answer);
}

NetworkWidgetClass* QuestionDialog::Asker(Primitives::KeyRoutingParameter* parameter) {
  XObject* param = parameter ? parameter->Param.get() : nullptr;
  if (auto* ref = vg_cast<SkinBin::UserRefInt>(param)) param = ref->Object.get();
  return vg_cast<NetworkWidgetClass>(param);
}

void QuestionDialog::DoActivate(XObject* sender) {
  if (!owner || sender != &answer) return;
  if (answer.ChoiceIndex == kYes)
    EnterNextState();
  else
    EnterPrevState();
}

// -------------------------------------------------------------- CancelDialog

CancelDialog::CancelDialog(XObject* link) : QuestionDialog(kCancel, 35, link) {}

void CancelDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  NetworkWidgetClass::Initialize(parameter);
  // "No" is chosen whenever the question comes up.
  answer.OnSetOptionType(OptionDatabase::OPTION_TYPE_YES_NO);
  if (NetworkWidgetClass* asker = Asker(parameter)) {
    OnSetCaption(asker->Caption);
    Cancelled = asker;
  }
}

XObject* CancelDialog::HandleEvent(Core::Event* event) {
  if (IsWlanResult(event)) {
    HeldEvent = event;
    return this;
  }
  return QuestionDialog::HandleEvent(event);
}

void CancelDialog::EnterNextState() {
  OnSetShowWaiting(kIdle);
  Close();
  if (Cancelled) Cancelled->DoCancel();
  if (NextState && NonMenuSystem) SubSystem::Open(NonMenuSystem, {.screen = NextState});
}

void CancelDialog::EnterPrevState() {
  Close();
  // A step closed meanwhile (everything cleared) stays closed.
  if (!Cancelled || !Cancelled->IsOpen()) return;
  Cancelled->UndoCancel();
  if (Core::Event* event = HeldEvent) {
    HeldEvent = nullptr;
    Cancelled->HandleEvent(event);
  }
}

void CancelDialog::DoCancel() {
  NetworkWidgetClass::DoCancel();
  if (Cancelled && Cancelled->IsOpen()) Cancelled->DoCancel();
}

// --------------------------------------------------------- CheckNoEncryption

CheckNoEncryption::CheckNoEncryption(XObject* link) : QuestionDialog(kNoEncryption, 50, link) {}

void CheckNoEncryption::Initialize(Primitives::KeyRoutingParameter* parameter) {
  NetworkWidgetClass::Initialize(parameter);
  answer.OnSetOptionType(OptionDatabase::OPTION_TYPE_YES_NO);
  if (auto* asker = vg_cast<AssistedSetup_ApInfo>(Asker(parameter))) {
    OnSetCaption(asker->Caption);
    Asking = asker;
    return;
  }
  // The framed manual dialog of the networking menu asks too.
  auto* ref = vg_cast<SkinBin::UserRefInt>(parameter ? parameter->Param.get() : nullptr);
  if (auto* quick = vg_cast<WirelessAdvancedDialog>(ref ? ref->Object.get() : nullptr)) {
    OnSetCaption(quick->OnGetCaption());
    AskingQuick = quick;
  }
}

void CheckNoEncryption::EnterNextState() {
  Close();
  // A dialog closed meanwhile has nothing left to join with.
  if (AskingQuick && !AskingQuick->IsClosed()) AskingQuick->JoinWithoutEncryption(this);
  if (!Asking || !Asking->IsOpen()) return;
  Asking->UndoCancel();
  Asking->ConnectAp(this);
}

void CheckNoEncryption::EnterPrevState() {
  Close();
  if (AskingQuick && !AskingQuick->IsClosed()) AskingQuick->Reveal();
  if (Asking && Asking->IsOpen()) Asking->UndoCancel();
}

}  // namespace Network
