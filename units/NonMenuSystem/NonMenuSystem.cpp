#include "NonMenuSystem/NonMenuSystem.h"

#include <algorithm>
#include <vector>

#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "AppServices/MessageAgent.h"
#include "AppServices/Wrapper.h"
#include "AppServices/WidgetManager.h"
#include "NonMenuSystem/ClearOfLines.h"
#include "NonMenuSystem/CommonMuteBar.h"
#include "NonMenuSystem/CommonVolumeBar.h"
#include "NonMenuSystem/ConfirmMultiOptionDialog.h"
#include "NonMenuSystem/DirectMessageBar.h"
#include "NonMenuSystem/DirectMessages.h"
#include "NonMenuSystem/HelpBar.h"
#include "NonMenuSystem/QORWidgetClass.h"
#include "NonMenuSystem/WaitingCircle.h"
#include "NonMenuSystem/WidgetClass.h"
#include "Primitives/KeyRoutingParameter.h"
#include "SkinBin/UserRefInt.h"
#include "Structures/Boxes.h"
#include "Structures/Message.h"
#include "SubSystem/KeyOwner.h"
#include "SubSystem/MenuClass.h"
#include "SubSystem/Open.h"
#include "WidgetManager/WidgetManager.h"
#include "WinIDs/WinIDs.h"
#include "vgdebug.h"
#include "vgslot.h"

VG_DEFINE_CLASS(NonMenuSystem, NonMenuSystem, SubSystem::SubSystemClass)

namespace NonMenuSystem {

namespace {

// The window group of the media and playback windows.
constexpr int32_t kMediaWindowGroup = 0x12;

bool IsOpenHere(Primitives::KeyRoutingForm* form, NonMenuSystem* system) {
  return form && form->owner.get() == system;
}

}  // namespace

void NonMenuSystem::Initialize(Primitives::KeyRoutingParameter* parameter) {
  SubSystem::SubSystemClass::Initialize(parameter);
  OnSetBounds({0, 0, ScreenWidth, ScreenHeight});
  MainApp::GetMessageAgent()->Register(this);
  if (!helpLines) helpLines = VgNew<Structures::DuLinkList>();
}

void NonMenuSystem::Close(XObject* sender) {
  SubSystem::SubSystemClass::Close(sender);
  MainApp::GetMessageAgent()->UnRegister(this);
  if (helpLines) helpLines->Clear();
}

void NonMenuSystem::HandleMessage(Structures::Message* message) {
  SubSystem::SubSystemClass::HandleMessage(message);
  if (!message) return;
  switch (message->Code) {
    case Constants::MSG_CHANGE_STATE:
      SubSystem::KeyOwner::Get()->Request(this, SubSystem::KeyOwner::Reason::Asked);
      ChangeState(vg_cast<SubSystem::State>(message->Payload.get()));
      break;
    // A message asked by another sub-system has the keys, as a screen asked
    // by one does: over the menus it would otherwise give way to them.
    case Constants::MSG_SHOW_MESSAGE:
      SubSystem::KeyOwner::Get()->Request(this, SubSystem::KeyOwner::Reason::Asked);
      ShowMessage(message->Param);
      break;
    case Constants::MSG_CLEAR_MESSAGE:
      CloseMessages();
      break;
    case Constants::MSG_RECORD_SLEEP_WARNING:
      if (const int32_t type = SleepRefusalMessage(); type >= 0) {
        SubSystem::KeyOwner::Get()->Request(this, SubSystem::KeyOwner::Reason::Asked);
        ShowMessage(type);
      }
      break;
    case Constants::MSG_UPDATE_HELP_BAR: {
      auto* labels = vg_cast<Structures::RefString>(message->Payload.get());
      UpdateHelp(message->Param, labels ? VgString(labels->Value) : nullptr, vg_cast<Core::View>(message->Sender.get()));
      break;
    }
    case Constants::MSG_CLEAR_HELP_BAR:
      ClearHelpBar(vg_cast<Core::View>(message->Sender.get()));
      break;
    case Constants::MSG_SHOW_WAITING_CIRCLE:
      ShowWaitingCircle(message->Param, WaitingCircle::KindCircle);
      break;
    case Constants::MSG_CHANGE_APPEARANCE:
      if (message->Param == Constants::APPEARANCE_TAKE_FOCUS) FocusMediaWindow();
      break;
    case Constants::MSG_CLEAR_ALL:
      ClearOwnForms();
      break;
    default:
      break;
  }
}

XObject* NonMenuSystem::HandleEvent(Core::Event* event) {
  if (vg_cast<Events::XPM_EVENT_REPORT_3DMODE>(event)) {
    Handle3DEvent();
    return this;
  }
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return SubSystem::SubSystemClass::HandleEvent(event);
  // The screens these keys open are the viewer's asking.
  const SubSystem::KeyOwner::KeyAsking asking;
  XObject* taken = HandleOpeningKey(key);
  return taken ? taken : SubSystem::SubSystemClass::HandleEvent(event);
}

XObject* NonMenuSystem::HandleOpeningKey(Core::KeyEvent* key) {
  if (key->keyCode == Key::Record) {
    HandleRecordKey();
    return this;
  }
  if (key->keyCode == Key::Blue) {
    OpenManualTimer();
    return this;
  }
  if (key->keyCode == Key::Green) {
    OpenSchedules();
    return this;
  }
  if (key->keyCode == Key::Input) {
    SubSystem::Open(this, "NonMenuSystem::ExternalInputDialog");
    return this;
  }
  if (key->keyCode == Key::VolumeUp || key->keyCode == Key::VolumeDown) {
    // The key that brings the bar up is its first step.
    if (auto* bar = vg_cast<CommonVolumeBar>(OpenState(&CommonVolumeBar::Class, nullptr))) bar->HandleEvent(key);
    return this;
  }
  if (key->keyCode == Key::Mute) {
    ToggleMute();
    return this;
  }
  if (key->keyCode == Key::Quick) {
    SubSystem::Open(this, "QuickMenu::QuickMenu", {.origin = Constants::MSG_FROM_NONMENUSYSTEM});
    return this;
  }
  return nullptr;
}


void NonMenuSystem::ToggleMute() {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  const bool muting = model->OnGetMute() == 0;
  model->OnSetMute(muting ? 1 : 0);
  if (muting) {
    OpenState(&CommonMuteBar::Class, nullptr);
  } else if (Primitives::KeyRoutingForm* bar = MainApp::GetWidgetManager()->FindForm(WinIDs::WIN_ID_MuteBar)) {
    bar->Close();
  }
}

// Standby was refused because a window is not showing plain live television:
// the message names what holds the set on. A recording wins over a pause when
// one window records while the other is paused: the pause is on screen for
// the viewer to see and end, while the recording may run unseen on the other
// tuner (a timer's), and it would still hold the set on once the viewer is
// back on live television.
int32_t NonMenuSystem::SleepRefusalMessage() {
  constexpr int32_t kWindows = 2;
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  int32_t states[kWindows];
  for (int32_t window = 0; window < kWindows; ++window) states[window] = model->GetLiveTVState(window);
  auto any = [&states](int32_t state) { return states[0] == state || states[1] == state; };
  if (any(Constants::XPM_TV_STATE_RECORDING_LIVE_TV)) return DirectMsgTypeRecordSleepWarning;
  if (any(Constants::XPM_TV_STATE_PAUSE_LIVE_TV)) return DirectMsgTypePauseSleepWarning;
  // The standby refused a moment ago for a recording or a pause that has
  // ended since: nothing keeps the set on now to tell of.
  VgPrint("NonMenuSystem::NonMenuSystem.SleepRefusalMessage: no window records or pauses (live-TV states %d and %d); "
          "no refusal shown\n",
          states[0], states[1]);
  return -1;
}

// Recording is offered only while the tuner the viewer watches shows live
// television; otherwise the viewer learns that it is not available.
void NonMenuSystem::HandleRecordKey() {
  constexpr int32_t kTuners = 2;
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  const int32_t tuner = model->GetCurrentTunerId();
  if (tuner < 0 || tuner >= kTuners || model->GetLiveTVState(tuner) != Constants::XPM_TV_STATE_LIVE_TV) {
    ShowMessage(DirectMsgTypeNotAvailable);
    return;
  }
  SubSystem::Open(this, "Record::RecordOptionsDialog");
}

// A new timer needs a free timer id, which also becomes the timer being
// edited; the dialog fills itself as a new timer (the opening record's flag).
void NonMenuSystem::OpenManualTimer() {
  if (MainApp::GetWrapper()->GetFirstAvailableTimerId() < 0) {
    ShowMessage(DirectMsgTypeInvalidTimerId);
    return;
  }
  SubSystem::Open(this, "Record::RecordTimerDialog",
                  {.value = Constants::XPM_RECORD_SOURCE_TYPE_TIMER, .origin = Constants::MSG_FROM_MENUSYSTEM, .flag = true});
}

// From live television the schedule list is a screen of its own: it neither
// goes back to the record menu nor returns to the menus when it closes.
void NonMenuSystem::OpenSchedules() {
  auto* screen = vg_cast<WidgetClass>(SubSystem::Open(this, "Record::ScheduledRecordDialog"));
  if (!screen) return;
  screen->PrevState = nullptr;
  screen->IsShortcut = false;
}

Primitives::KeyRoutingForm* NonMenuSystem::ChangeState(SubSystem::State* state) {
  Primitives::KeyRoutingForm* form = SubSystem::SubSystemClass::ChangeState(state);
  if (!form || form->SubSystemClass != GetClass()) return form;
  auto* widget = vg_cast<WidgetClass>(form);
  if (widget) widget->NonMenuSystem = this;
  auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
  parameter->Parent = this;
  parameter->Param = state->Param;
  form->Initialize(parameter);
  // Placed before it opens, so it appears where it belongs.
  if (widget) widget->OnSetBounds(WhereItWillStand(widget));
  return OpenOrWait(state, form);
}

void NonMenuSystem::OpenNow(Primitives::KeyRoutingForm* form) {
  if (!form) return;
  // Placed among the screens it opens over, as they stand now: a screen
  // that waited opens over those that stayed.
  if (auto* widget = vg_cast<WidgetClass>(form); widget && widget->StandsClearOfLines())
    widget->OnSetBounds(ClearOfLines(this, widget, widget->Bounds, widget->PanelEdge(), ScreenHeight));
  form->Open();
  if (form->FocusOnOpen) SubSystem::KeyOwner::Get()->Request(form, SubSystem::KeyOwner::Reason::Opened);
}

VgRect NonMenuSystem::WhereItWillStand(Primitives::KeyRoutingForm* form) {
  auto* widget = vg_cast<WidgetClass>(form);
  if (!widget) return form->Bounds;
  const VgPoint size = VgGetRectSize(widget->Bounds);
  const bool placed = widget->WidgetOrigin.x >= 0 && widget->WidgetOrigin.y >= 0;
  const VgPoint origin = placed ? widget->WidgetOrigin : VgPoint{(ScreenWidth - size.x) / 2, widget->Bounds.y1};
  return {origin.x, origin.y, origin.x + size.x, origin.y + size.y};
}

Primitives::KeyRoutingForm* NonMenuSystem::OpenState(const VgClass* cls, XObject* param, const VgClass* back,
                                                     const VgClass* next) {
  return SubSystem::Open(this, {.screen = cls, .back = back, .next = next, .param = param});
}

HelpLine* NonMenuSystem::LineOf(Core::View* teller) {
  if (!helpLines) helpLines = VgNew<Structures::DuLinkList>();
  for (Structures::DuLinkNode* node = helpLines->Sentinel()->next; node != helpLines->Sentinel(); node = node->next)
    if (auto* line = vg_cast<HelpLine>(node->data.get()); line && line->Teller.get() == teller) return line;
  return nullptr;
}

void NonMenuSystem::UpdateHelp(int32_t mask, VgString labels, Core::View* teller) {
  if (HelpLineWatcher) HelpLineWatcher(teller, true);
  HelpLine* line = LineOf(teller);
  if (!line) {
    line = VgNew<HelpLine>();
    line->Teller = teller;
    helpLines->Insert(0, line);
  }
  line->Mask = mask;
  line->Labels = labels;
  // A screen tells its line before it opens: the line shows once it has
  // taken the keys.
  ShowHelpOfKeys(false);
  SubSystem::KeyOwner::Get()->Changed();
}

void NonMenuSystem::ClearHelpBar(Core::View* teller) {
  if (HelpLineWatcher) HelpLineWatcher(teller, false);
  if (!helpLines) return;
  if (teller) {
    if (HelpLine* line = LineOf(teller)) helpLines->DeleteData(line);
  } else {
    helpLines->Clear();
  }
  ShowHelpOfKeys(false);
}

// Top first: whether a screen's own help line shows goes by the lines drawn
// over it, which are settled by then.
void NonMenuSystem::KeysSettled() {
  ShowHelpOfKeys(true);
  for (Core::View* view = lastView; view; view = view->prevView)
    if (auto* panel = vg_cast<WidgetClass>(view)) {
      panel->UpdateInside();
      panel->ShowOwnHelpLine(SubSystem::KeyOwner::ShowsOwnHelpLine(panel, panel->OwnHelpLine()));
    }
}

// The bar stays open, out of view, until the keys are settled: it may show
// the line of the screen that has them then, and opening or closing it now
// would change the screens while one of them is being opened or closed.
void NonMenuSystem::KeysMoved() {
  if (helpBar && IsOpenHere(helpBar, this) && helpBar->Visible && !SubSystem::KeyOwner::KeepsHelpLine(helpBar->Teller))
    helpBar->OnSetVisible(false);
  for (Core::View* view = lastView; view; view = view->prevView)
    if (auto* panel = vg_cast<WidgetClass>(view);
        panel && !SubSystem::KeyOwner::ShowsOwnHelpLine(panel, panel->OwnHelpLine()))
      panel->ShowOwnHelpLine(false);
}

namespace {

// Whether the view is a screen that waits to open, or lies in one.
bool Waits(Core::View* view, const std::vector<Primitives::KeyRoutingForm*>& waiting) {
  for (; view; view = view->owner)
    if (std::find(waiting.begin(), waiting.end(), view) != waiting.end()) return true;
  return false;
}

// A screen that left, or one told of but never opened. A screen tells its
// line as it is made, before it opens: one that waits to open keeps it for
// when it does, as it would have shown it opened at once.
bool Gone(Core::View* teller, const std::vector<Primitives::KeyRoutingForm*>& waiting) {
  if (Waits(teller, waiting)) return false;
  if (auto* form = vg_cast<Primitives::KeyRoutingForm>(teller)) return form->IsClosed() || !form->owner;
  return teller && !teller->owner;
}

}  // namespace

void NonMenuSystem::ShowHelpOfKeys(bool forget) {
  std::vector<HelpLine*> lines;
  std::vector<Core::View*> tellers;
  if (helpLines) {
    const std::vector<Primitives::KeyRoutingForm*> waiting =
        forget ? WaitingScreens() : std::vector<Primitives::KeyRoutingForm*>{};
    for (Structures::DuLinkNode* node = helpLines->Sentinel()->next; node != helpLines->Sentinel();) {
      Structures::DuLinkNode* next = node->next;
      auto* line = vg_cast<HelpLine>(node->data.get());
      if (forget && line && Gone(line->Teller, waiting)) {
        helpLines->DeleteNode(node);
      } else if (line) {
        lines.push_back(line);
        tellers.push_back(line->Teller);
      }
      node = next;
    }
  }
  const int whose = SubSystem::KeyOwner::WhoseHelpLine(tellers);
  HelpLine* shown = whose >= 0 ? lines[size_t(whose)] : nullptr;
  if (!shown) {
    if (helpBar && IsOpenHere(helpBar, this)) helpBar->Close();
    return;
  }
  if (!helpBar) helpBar = VgNew<HelpBar>();
  helpBar->NonMenuSystem = this;
  helpBar->Teller = shown->Teller;
  if (helpBar->HelpType != shown->Mask || VgCompString(helpBar->HelpText, shown->Labels) != 0 ||
      !IsOpenHere(helpBar, this)) {
    helpBar->HelpType = shown->Mask;
    helpBar->HelpText = shown->Labels;
    helpBar->UpdateHelp();
  }
  if (!IsOpenHere(helpBar, this)) {
    helpBar->Parent = this;
    helpBar->Open();
  }
  helpBar->OnSetVisible(true);
}

void NonMenuSystem::ClearAll() {
  auto* message = VgNew<Structures::Message>();
  message->Code = Constants::MSG_CLEAR_ALL;
  MainApp::GetMessageAgent()->Dispatch(message, nullptr);
}

bool NonMenuSystem::ClearsWithADevice(const std::function<bool(Primitives::KeyRoutingForm*)>& ofTheDevice) {
  Primitives::KeyRoutingForm* keys = SubSystem::KeyOwner::Get()->ViewersScreen();
  if (!keys || !keys->TakesKeys() || keys->IsClosed()) return true;
  if (Primitives::AlongTheAskers(keys, ofTheDevice)) return true;
  VgPrint("NonMenuSystem: the device's screens leave; %s keeps the keys\n", keys->GetClass()->name);
  return false;
}

// Layers::Media holds the media and playback windows, which outlive a clear
// unless they say otherwise; the help bar goes with the screens it
// explained.
bool NonMenuSystem::ClearCloses(const Primitives::KeyRoutingForm* form) const {
  if (auto* widget = vg_cast<WidgetClass>(const_cast<Primitives::KeyRoutingForm*>(form)))
    return !widget->OutlivesClear();
  return form && (form->Layer & ClearLayers) != 0;
}

void NonMenuSystem::ClearOwnForms() {
  for (Core::View* view = lastView; view;) {
    Core::View* below = view->prevView;
    auto* form = vg_cast<Primitives::KeyRoutingForm>(view);
    if (form && ClearCloses(form)) form->Close();
    view = below;
  }
  ClearHelpBar();
}

void NonMenuSystem::CloseMessages() {
  for (Core::View* view = lastView; view;) {
    Core::View* below = view->prevView;
    if (auto* bar = vg_cast<DirectMessageBar>(view)) bar->Close();
    view = below;
  }
}

void NonMenuSystem::FocusMediaWindow() {
  for (Core::View* view = lastView; view; view = view->prevView) {
    auto* form = vg_cast<Primitives::KeyRoutingForm>(view);
    if (form && (uint32_t(form->WinID) >> 24) == kMediaWindowGroup) {
      SubSystem::KeyOwner::Get()->Request(form, SubSystem::KeyOwner::Reason::Asked);
      return;
    }
  }
}

// A 3D signal comes (or goes). The viewer's "3D Auto Start" says what
// follows a 3D signal: the question (off), the start sequence after the
// detected message (3D), or nothing (2D). A 3D picture whose signal went
// shows 2D again, and says so.
void NonMenuSystem::Handle3DEvent() {
  ::SkinBin::Wrapper* model = MainApp::GetWrapper();
  SkinBin::Setup3D& keeper = model->Setup3D;
  const int32_t was = keeper.State;
  keeper.RefreshState();
  const bool unsupported = keeper.InputFormat == SkinBin::Setup3D::kFormatUnsupported;
  if (!keeper.Is3DMode(keeper.InputFormat) && !unsupported) {
    if (was == SkinBin::Setup3D::kState3D) {
      keeper.SwitchTo2DState(false);
      SubSystem::Open(this, "ThreeD::DisplayMode", {.origin = Constants::MSG_FROM_NONMENUSYSTEM});
    }
    return;
  }
  if (keeper.State == SkinBin::Setup3D::kState3D) return;
  // A format the set cannot show never starts on its own: the viewer who
  // asks for 3D is told.
  const int32_t autoStart = unsupported ? kAutoStartOff : model->OnGetThreeDAutoStart();
  switch (autoStart) {
    case kAutoStartOff:
      SubSystem::Open(this, "ThreeD::SelectMode_Flag", {.origin = Constants::MSG_FROM_NONMENUSYSTEM});
      break;
    case kAutoStart3D:
      ShowMessage(DirectMsgType3DDetected);
      break;
    default:
      break;
  }
}

Primitives::KeyRoutingForm* NonMenuSystem::ShowMessage(int32_t type) {
  if (!FindDirectMessage(type)) {
    VgPrint("NonMenuSystem::NonMenuSystem.ShowMessage: no message of type %d\n", type);
    return nullptr;
  }
  auto* param = VgNew<SkinBin::UserRefInt>();
  param->Value = type;
  param->Kind = Constants::MSG_FROM_NONMENUSYSTEM;
  return OpenState(&DirectMessageBar::Class, param);
}

Primitives::KeyRoutingForm* NonMenuSystem::ShowConfirmDialog(int32_t type, int32_t origin,
                                                             Primitives::KeyRoutingForm* asker) {
  if (!FindConfirmType(type)) {
    VgPrint("NonMenuSystem::NonMenuSystem.ShowConfirmDialog: no confirmation of type %d\n", type);
    return nullptr;
  }
  auto* param = VgNew<SkinBin::UserRefInt>();
  param->Value = type;
  param->Kind = origin;
  return SubSystem::Open(this, {.screen = &ConfirmMultiOptionDialog::Class, .param = param, .asker = asker});
}

void NonMenuSystem::ShowWaitingCircle(int32_t mode, int32_t kind) {
  switch (mode) {
    case 1:
      if (!waitingCircle) waitingCircle = VgNew<WaitingCircle>();
      if (waitingCircle->owner.get() != this) Add(waitingCircle, 0);
      RestackTop(waitingCircle);
      waitingCircle->Start(kind);
      break;
    case 2:
      if (waitingCircle) waitingCircle->Stop();
      break;
    case 0:
      if (waitingCircle) {
        waitingCircle->Stop();
        if (waitingCircle->owner.get() == this) Remove(waitingCircle);
      }
      break;
    default:
      VgPrint("NonMenuSystem::NonMenuSystem.ShowWaitingCircle: no mode %d\n", mode);
      break;
  }
}

}  // namespace NonMenuSystem
