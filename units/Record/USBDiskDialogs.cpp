#include "Record/USBDiskDialogs.h"

#include <cstdio>

#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Record/RecordPieces.h"
#include "SkinBin/RecordData.h"
#include "Strings.h"
#include "SubSystem/Open.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(Record, RecordConfirmDialog, NonMenuSystem::ConfirmOptionDialog)
VG_DEFINE_CLASS(Record, USBDiskFormatDialog, Record::RecordConfirmDialog)
VG_DEFINE_CLASS(Record, USBSpeedCheckDialog, Record::RecordConfirmDialog)
VG_DEFINE_CLASS(Record, RecordStatusDialog, NonMenuSystem::ConfirmOneOptionDialog)
VG_DEFINE_CLASS(Record, USBDiskStatusDialog, Record::RecordStatusDialog)
VG_DEFINE_CLASS(Record, DiskProgressDialog, Record::RecordStatusDialog)
VG_DEFINE_CLASS(Record, USBDiskFormatStatusDialog, Record::DiskProgressDialog)
VG_DEFINE_CLASS(Record, USBSpeedCheckStatusDialog, Record::DiskProgressDialog)
VG_DEFINE_CLASS(Record, USBDiskErrorDialog, Record::RecordStatusDialog)

namespace Record {

namespace {

constexpr const char* kRecordMenu = "MenuSystem::BrcmRecordMenu";
constexpr const char* kQuickMenu = "QuickMenu::QuickMenu";
constexpr VgRect kDiskDialogBounds{0, 0, 530, 220};
constexpr int32_t kButtonWidth = 110;
constexpr int32_t kButtonHeight = 27;
// Room for the status text under a progress dialog's message.
constexpr int32_t kStatusRoom = 40;
constexpr int32_t kSpeedDialogInside = 172;

constexpr DiskDialogDef kFormatConfirm{.caption = &Strings::SID_USB_DISK_FORMAT,
                                        .message = &Strings::SID_USB_FORMAT_WARNING,
                                        .label = &Strings::SID_START,
                                        .next = "Record::USBDiskFormatStatusDialog",
                                        .back = kRecordMenu};
constexpr DiskDialogDef kSpeedConfirm{.caption = &Strings::SID_USB_SPEED_TEST,
                                       .label = &Strings::SID_TEST,
                                       .focusYes = true,
                                       .next = "Record::USBSpeedCheckStatusDialog",
                                       .back = kRecordMenu};
constexpr DiskDialogDef kDiskStatus{.caption = &Strings::RecordMenuUSBDiskStatus,
                                     .label = &Strings::SID_OK,
                                     .next = kRecordMenu,
                                     .back = kRecordMenu,
                                     .buttonGoesBack = true};
constexpr DiskDialogDef kFormatStatus{.caption = &Strings::SID_USB_FORMAT_STATUS,
                                       .message = &Strings::SID_USB_FORMATTING_MSG,
                                       .label = &Strings::SID_OK,
                                       .shortcut = false,
                                       .keepOnTimeout = true,
                                       .buttonGoesBack = true};
constexpr DiskDialogDef kSpeedStatus{.caption = &Strings::SID_USB_SPEED_STATUS,
                                      .label = &Strings::SID_CANCEL,
                                      .back = kRecordMenu,
                                      .keepOnTimeout = true,
                                      .buttonGoesBack = true};
constexpr DiskDialogDef kDiskError{.caption = &Strings::SID_USB_DISK_ERROR,
                                    .message = &Strings::SID_USB_NOT_MOUNTED,
                                    .label = &Strings::SID_OK,
                                    .next = kRecordMenu};

VgString Text(const VgConstant* constant) { return VgGetVariantOfString(constant); }

const VgClass* ClassNamed(const char* name) { return name ? VgFindClass(name) : nullptr; }

void StyleDialogButton(Button::Button* button) {
  button->Nonfocused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::DialogButtonNonfocus);
  button->Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::DialogButtonFocus);
}

// What every disk dialog takes from its row.
template <class Dialog>
void ApplyDef(Dialog& dialog, const DiskDialogDef& def) {
  dialog.OnSetBounds(kDiskDialogBounds);
  dialog.IsShortcut = def.shortcut;
  if (def.next) dialog.NextState = ClassNamed(def.next);
  if (def.back) dialog.PrevState = ClassNamed(def.back);
  if (def.keepOnTimeout) dialog.OnSetOnTimeOut(VgSlot());
  if (def.caption) dialog.OnSetCaption(Text(def.caption));
  if (def.message) dialog.OnSetWarningInfo(Text(def.message));
  if (def.label) dialog.OnSetYesButtonLabel(Text(def.label));
}

SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }

VgString WithUnit(int64_t value, const char* unit) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld%s", static_cast<long long>(value), unit);
  return VgNewStringAnsi(text);
}

}  // namespace

// ------------------------------------------------------------ RecordConfirmDialog

RecordConfirmDialog::RecordConfirmDialog(XObject* link) : OnTheDisk(link) {
  WinID = WinIDs::WIN_ID_ConfirmMultiOptionsDialog;
  IsShortcut = true;
  ButtonWidth = kButtonWidth;
  ButtonHeight = kButtonHeight;
  for (SkinBin::Button* button : {&yes, &no}) {
    StyleDialogButton(button);
    button->OnSetOnActivate(VgSlotOf<&RecordConfirmDialog::DoActivate>(this));
    Add(button, 0);
  }
  OnNoSlot = VgSlotOf<&RecordConfirmDialog::GoBack>(this);
  OnSetYesButtonLabel(Text(&Strings::SID_OK));
  OnSetNoButtonLabel(Text(&Strings::SID_CANCEL));
  OnSetFocus(&no);
}

RecordConfirmDialog::RecordConfirmDialog(const DiskDialogDef& def, XObject* link) : RecordConfirmDialog(link) {
  ApplyDef(*this, def);
  OnSetFocus(def.focusYes ? &yes : &no);
}

void RecordConfirmDialog::OnSetYesButtonLabel(VgString text) {
  ConfirmOptionDialog::OnSetYesButtonLabel(text);
  yes.OnSetText(text);
}

void RecordConfirmDialog::OnSetNoButtonLabel(VgString text) {
  ConfirmOptionDialog::OnSetNoButtonLabel(text);
  no.OnSetText(text);
}

void RecordConfirmDialog::Refresh(XObject* sender) {
  ConfirmOptionDialog::Refresh(sender);
  const int32_t w = VgGetRectW(Bounds);
  const int32_t top = VgGetRectH(Bounds) - ButtonHeight - FrameWidth - 25;
  const int32_t left = (w - 2 * ButtonWidth - Gap) / 2;
  yes.OnSetBounds({left, top, left + ButtonWidth, top + ButtonHeight});
  const int32_t right = left + ButtonWidth + Gap;
  no.OnSetBounds({right, top, right + ButtonWidth, top + ButtonHeight});
}

// What it asks about goes with the disk: nothing is left to format or test
// (OnTheDisk).
XObject* RecordConfirmDialog::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return OnTheDisk::HandleEvent(event);
  switch (key->keyCode) {
    case Key::Down:
      SelectLower();
      break;
    case Key::Up:
      SelectUpper();
      break;
    case Key::Left:
      if (Focus.get() == &no) OnSetFocus(&yes);
      break;
    case Key::Right:
      if (Focus.get() == &yes) OnSetFocus(&no);
      break;
    default:
      return OnTheDisk::HandleEvent(event);
  }
  ResetTimeout();
  return this;
}

void RecordConfirmDialog::DoActivate(XObject* sender) {
  if (sender == &no)
    VgSignal(OnNoSlot, this);
  else if (sender == &yes)
    DoYesMethod();
}

void RecordConfirmDialog::DoYesMethod() {
  VgSignal(OnYesSlot, this);
  EnterNextState();
}

USBDiskFormatDialog::USBDiskFormatDialog(XObject* link) : RecordConfirmDialog(kFormatConfirm, link) {}

USBSpeedCheckDialog::USBSpeedCheckDialog(XObject* link) : RecordConfirmDialog(kSpeedConfirm, link) {}

// ------------------------------------------------------------ RecordStatusDialog

RecordStatusDialog::RecordStatusDialog(XObject* link) : OnTheDisk(link) {
  ButtonWidth = kButtonWidth;
  StyleDialogButton(&button);
  button.OnSetOnActivate(VgSlotOf<&RecordStatusDialog::DoActivate>(this));
  OnSetYesButtonLabel(Text(&Strings::SID_CANCEL));
}

RecordStatusDialog::RecordStatusDialog(const DiskDialogDef& def, XObject* link) : RecordStatusDialog(link) {
  ApplyDef(*this, def);
  if (def.buttonGoesBack) button.OnSetOnActivate(VgSlotOf<&RecordStatusDialog::GoBack>(this));
}

void RecordStatusDialog::DoActivate(XObject*) {
  ResetTimeout();
  const VgString label = button.OnGetText();
  if (VgCompString(label, Text(&Strings::SID_OK)) == 0 || VgCompString(label, Text(&Strings::SID_DONE)) == 0)
    EnterNextState();
  else if (VgCompString(label, Text(&Strings::SID_CANCEL)) == 0)
    EnterPrevState();
}

void RecordStatusDialog::EnterNextState() {
  if (IsShortcut) {
    // Back to the menus, as a shortcut goes back.
    NonMenuSystem::ConfirmOneOptionDialog::EnterPrevState();
    return;
  }
  Close();
  if (NextState && NonMenuSystem)
    SubSystem::Open(NonMenuSystem, {.screen = NextState, .back = GetClass(), .origin = OriginTag()});
}

// ------------------------------------------------------------ USBDiskStatusDialog

USBDiskStatusDialog::USBDiskStatusDialog(XObject* link) : RecordStatusDialog(kDiskStatus, link) {
  constexpr const VgConstant* kLabels[] = {&Strings::SID_USB_TOTAL_SPACE, &Strings::SID_USB_AVAILABLE_SPACE,
                                           &Strings::SID_USB_FILE_SYSTEM, &Strings::SID_USB_QUALIFICATION};
  Resources::Font* medium = VgLoad<Resources::Font>(Fonts::MediumFont);
  const int32_t middle = VgGetRectW(Bounds) / 2 + 20;
  int32_t y = ContentTop() + 4;
  for (size_t i = 0; i < labels.size(); ++i, y += 28) {
    auto* label = VgNew<Views::Text>();
    auto* value = VgNew<Views::Text>();
    labels[i] = label;
    values[i] = value;
    label->OnSetString(Text(kLabels[i]));
    value->OnSetString(VgNewStringAnsi("---"));
    for (Views::Text* text : {label, value}) {
      text->OnSetFont(medium);
      text->OnSetColor(NonMenuSystem::Look::Text);
      Add(text, 0);
    }
    label->OnSetAlignH(Views::Text::AlignRight);
    label->OnSetBounds({ContentLeft() + 10, y, middle - 10, y + 26});
    value->OnSetBounds({middle + 10, y, ContentRight() - 10, y + 26});
  }
  OnSetBounds({Bounds.x1, Bounds.y1, Bounds.x2, y + ButtonHeight + 40 + FrameWidth});
}

void USBDiskStatusDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  RecordStatusDialog::Initialize(parameter);
  if (FromQuickMenu) {
    IsShortcut = false;
    NextState = PrevState = ClassNamed(kQuickMenu);
  }
  SkinBin::USBDiskStatus* disk = Model()->GetUSBDiskStatus();
  if (!disk || !disk->Mounted) return;
  values[0]->OnSetString(WithUnit(disk->TotalSpace, "MB"));
  values[1]->OnSetString(WithUnit(disk->AvailableSpace, "MB"));
  values[2]->OnSetString(disk->FileSystem);
  const uint32_t speed = Model()->USBQualificationSpeed;
  values[3]->OnSetString(speed ? WithUnit(speed, "MB/s") : VgNewStringAnsi("---MB/s"));
}

// ------------------------------------------------------------ DiskProgressDialog

DiskProgressDialog::DiskProgressDialog(XObject* link) : RecordStatusDialog(link) {}

DiskProgressDialog::DiskProgressDialog(const DiskDialogDef& def, const VgConstant& waiting, XObject* link)
    : RecordStatusDialog(link) {
  status.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  status.OnSetColor(NonMenuSystem::Look::Text);
  Waiting = Text(&waiting);
  status.OnSetString(Waiting);
  Add(&status, 0);
  progressTimer.OnSetBegin(NonMenuSystem::DotAnimation::Period);
  progressTimer.OnSetPeriod(NonMenuSystem::DotAnimation::Period);
  progressTimer.OnSetOnTrigger(VgSlotOf<&DiskProgressDialog::WaitingSlot>(this));
  progressTimer.Activate();
  ApplyDef(*this, def);
  if (def.buttonGoesBack) button.OnSetOnActivate(VgSlotOf<&RecordStatusDialog::GoBack>(this));
}

void DiskProgressDialog::Refresh(XObject* sender) {
  RecordStatusDialog::Refresh(sender);
  const int32_t top = button.Bounds.y1 - kStatusRoom;
  // The message keeps above the status text.
  const VgRect message = warning.Bounds;
  if (message.y2 > top) warning.OnSetBounds({message.x1, message.y1, message.x2, top});
  // Left-aligned while waiting, so the dots do not shift the word.
  const int32_t left = progressTimer.OnGetEnabled() ? ContentLeft() + 140 : ContentLeft() + 8;
  status.OnSetAlignH(progressTimer.OnGetEnabled() ? Views::Text::AlignLeft : Views::Text::AlignCentre);
  status.OnSetBounds({left, top, progressTimer.OnGetEnabled() ? ContentRight() - 8 : ContentRight() - 8,
                      top + kStatusRoom - 8});
}

void DiskProgressDialog::WaitingSlot(XObject*) { status.OnSetString(dots.Step(Waiting)); }

void DiskProgressDialog::ShowResult(VgString text) {
  progressTimer.OnSetEnabled(false);
  status.OnSetString(text);
  Refresh();
}

// ------------------------------------------------------------ USBDiskFormatStatusDialog

USBDiskFormatStatusDialog::USBDiskFormatStatusDialog(XObject* link)
    : DiskProgressDialog(kFormatStatus, Strings::SID_FORMATTING, link) {
  button.OnSetVisible(false);
  button.OnSetEnabled(false);
  OnSetFocus(nullptr);
  // Room for the status text under the message.
  OnSetBounds({Bounds.x1, Bounds.y1, Bounds.x2, Bounds.y2 + kStatusRoom});
  limitTimer.OnSetPeriod(0);
  limitTimer.OnSetOnTrigger(VgSlotOf<&USBDiskFormatStatusDialog::DoLimit>(this));
}

void USBDiskFormatStatusDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  DiskProgressDialog::Initialize(parameter);
  limitTimer.OnSetBegin(FormatLimit);
  limitTimer.Activate();
  if (int32_t status = Model()->USBDiskFormat(); status != 0) Finish(false);
}

// A format that never answers counts as failed, so the viewer is not held
// by a dialog that takes no key.
void USBDiskFormatStatusDialog::DoLimit(XObject*) {
  if (progressTimer.OnGetEnabled()) Finish(false);
}

void USBDiskFormatStatusDialog::Finish(bool succeeded) {
  limitTimer.OnSetEnabled(false);
  if (succeeded) {
    PrevState = ClassNamed(kRecordMenu);
    IsShortcut = true;
  } else {
    PrevState = &USBDiskFormatDialog::Class;
    IsShortcut = false;
  }
  ShowResult(Text(succeeded ? &Strings::SID_FORMAT_SUCCEEDED : &Strings::SID_FORMAT_FAILED));
  button.OnSetEnabled(true);
  button.OnSetVisible(true);
  OnSetFocus(&button);
}

bool USBDiskFormatStatusDialog::FollowsTheWorld(Core::Event* event) const {
  return vg_cast<Events::PVRUSBFormatEvent>(event) || DiskProgressDialog::FollowsTheWorld(event);
}

XObject* USBDiskFormatStatusDialog::HandleEvent(Core::Event* event) {
  if (auto* key = vg_cast<Core::KeyEvent>(event); key && key->down) return this;
  if (auto* done = vg_cast<Events::PVRUSBFormatEvent>(event); done && progressTimer.OnGetEnabled())
    Finish(done->Status == 0);
  return DiskProgressDialog::HandleEvent(event);
}

// ------------------------------------------------------------ USBSpeedCheckStatusDialog

USBSpeedCheckStatusDialog::USBSpeedCheckStatusDialog(XObject* link)
    : DiskProgressDialog(kSpeedStatus, Strings::SID_TESTING, link) {
  OnSetWarningInfo(VgConcatString(Text(&Strings::SID_USB_SPEED_RESULT), VgNewString(u"     ---")));
}

void USBSpeedCheckStatusDialog::OnSetWarningInfo(VgString text) {
  DiskProgressDialog::OnSetWarningInfo(text);
  OnSetBounds({Bounds.x1, Bounds.y1, Bounds.x2, Bounds.y1 + 2 * FrameWidth + kSpeedDialogInside});
}

void USBSpeedCheckStatusDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  DiskProgressDialog::Initialize(parameter);
  Model()->USBSpeedCheck();
}

bool USBSpeedCheckStatusDialog::FollowsTheWorld(Core::Event* event) const {
  return vg_cast<Events::PVRPerfStatusEvent>(event) || DiskProgressDialog::FollowsTheWorld(event);
}

XObject* USBSpeedCheckStatusDialog::HandleEvent(Core::Event* event) {
  if (auto* result = vg_cast<Events::PVRPerfStatusEvent>(event)) {
    Model()->USBQualificationSpeed = uint32_t(result->Speed);
    OnSetWarningInfo(VgConcatString(VgConcatString(Text(&Strings::SID_USB_SPEED_RESULT), VgNewString(u"     ")),
                                    WithUnit(result->Speed, "MB/s")));
    OnSetYesButtonLabel(Text(&Strings::SID_OK));
    ShowResult(Text(&Strings::SID_TESTING_FINISHED));
  }
  return DiskProgressDialog::HandleEvent(event);
}

// Leaving stops the test whether or not it has answered.
void USBSpeedCheckStatusDialog::Close(XObject* sender) {
  DiskProgressDialog::Close(sender);
  Model()->AbortUSBSpeedCheck();
}

// ------------------------------------------------------------ USBDiskErrorDialog

USBDiskErrorDialog::USBDiskErrorDialog(XObject* link) : RecordStatusDialog(kDiskError, link) {}

}  // namespace Record
