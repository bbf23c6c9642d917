#include "Record/ConflictTimerDialog.h"

#include <initializer_list>
#include <string>

#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Record/RecordPieces.h"
#include "Record/TimerRules.h"
#include "SkinBin/RecordData.h"
#include "SkinBin/UserRefInt.h"
#include "Strings.h"
#include "Structures/LocalTime.h"
#include "Structures/TimerData.h"
#include "WidgetManager/Layers.h"
#include "WinIDs/WinIDs.h"
#include "vgslot.h"

VG_DEFINE_CLASS(Record, ConflictTimerDialog, NonMenuSystem::QORWidgetClass)

namespace Record {

namespace {

constexpr int32_t kWidth = 840;
constexpr int32_t kHeight = 370;
constexpr int32_t kTop = 40;
constexpr int32_t kMargin = 44;
constexpr int32_t kRowHeight = 27;
constexpr int32_t kButtonWidth = 160;
constexpr int32_t kButtonGap = 20;
constexpr int32_t kListHeight = 101;

// The column headings over the list's columns, left to right.
using Row = ListForm::ConflictTimerListItem;
struct Heading {
  const VgConstant* text;
  int32_t column;
};
constexpr Heading kHeadings[ConflictTimerDialog::HeadingCount] = {
    {&Strings::SID_CHANNEL_NAME, Row::ChannelColumn}, {&Strings::Time, Row::TimeColumn},
    {&Strings::Duration, Row::LengthColumn},          {&Strings::SID_START_TIME, Row::StartEarlyColumn},
    {&Strings::SID_END_TIME, Row::EndDelayColumn},    {&Strings::SID_TYPE, Row::TypeColumn},
    {&Strings::SID_ACTIVE, Row::ActiveColumn},
};

SkinBin::ConflictTimerInfo* ConflictList() { return MainApp::GetWrapper()->OnGetConflictTimerList(); }

bool IsNoTitle(VgString caption) {
  const std::string text = VgStringToUtf8(caption);
  return text.empty() || text == "---";
}

}  // namespace

ConflictTimerDialog::ConflictTimerDialog(XObject* link) : NonMenuSystem::QORWidgetClass(link) {
  WinID = WinIDs::WIN_ID_ConflictTimerDialog;
  Layer = Layers::PopUp;
  IsShortcut = true;
  OnSetTimeOutValue(ConflictTimeOut);
  OnSetOnTimeOut(VgSlotOf<&NonMenuSystem::WidgetClass::Exit>(this));
  frame.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::MediaQuickMenuBg));
  FrameEdge = SolidFrameEdge;
  OnSetCaption(VgGetVariantOfString(&Strings::SID_MANAGE_CONFLICT_SCHEDULES));
  Resources::Font* font = VgLoad<Resources::Font>(Fonts::MediumFont);
  Resources::Font* small = VgLoad<Resources::Font>(Fonts::SmallestFont);
  struct Labelled {
    SkinBin::Button* button;
    const VgConstant* text;
    const VgConstant* help;
  };
  for (const Labelled& b : {Labelled{&modifyButton, &Strings::SID_MODIFY, &Strings::SID_CONFLICT_HELP_MODIFY},
                            Labelled{&cancelButton, &Strings::SID_CANCEL, &Strings::SID_CONFLICT_HELP_CANCEL},
                            Labelled{&backButton, &Strings::SID_BACK, &Strings::SID_CONFLICT_HELP_BACK}}) {
    b.button->OnSetBounds({0, 0, kButtonWidth, kRowHeight});
    b.button->OnSetText(VgGetVariantOfString(b.text));
    b.button->OnSetHelpString(VgGetVariantOfString(b.help));
    b.button->OnSetOnFocus(VgSlotOf<&ConflictTimerDialog::DoFocus>(this));
    b.button->OnSetOnActivate(VgSlotOf<&ConflictTimerDialog::DoneSlot>(this));
  }
  backButton.OnSetOnActivate(VgSlotOf<&ConflictTimerDialog::BackSlot>(this));
  rangeIcon.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::RecordTimerInfo));
  warningIcon.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::RecordTimerAlert));
  range.OnSetString(VgNewStringAnsi("09:30AM - 10:30AM"));
  warning.OnSetString(VgGetVariantOfString(&Strings::SID_CONFLICT_WARNING));
  for (Views::Text* text : {&range, &warning}) {
    text->OnSetFont(font);
    text->OnSetColor(NonMenuSystem::Look::Text);
    text->OnSetAlignV(Views::Text::AlignMiddle);
  }
  for (int32_t i = 0; i < HeadingCount; ++i) {
    headings[i].OnSetString(VgGetVariantOfString(kHeadings[i].text));
    headings[i].OnSetFont(small);
    headings[i].OnSetColor(NonMenuSystem::Look::Caption);
  }
  help.OnSetFont(VgLoad<Resources::Font>(Fonts::SmallFont));
  help.OnSetColor(NonMenuSystem::Look::TextDim);
  for (Core::View* view : std::initializer_list<Core::View*>{&rangeIcon, &range, &warningIcon, &warning, &help})
    Add(view, 0);
  for (Views::Text& heading : headings) Add(&heading, 0);
  Add(&list, 0);
  for (SkinBin::Button* button : {&modifyButton, &cancelButton, &backButton}) Add(button, 0);
  OnSetBounds({0, kTop, kWidth + 2 * FrameWidth, kTop + kHeight + 2 * FrameWidth});
  OnSetFocus(&modifyButton);
}

void ConflictTimerDialog::Refresh(XObject* sender) {
  NonMenuSystem::QORWidgetClass::Refresh(sender);
  const int32_t w = VgGetRectW(Bounds);
  const int32_t h = VgGetRectH(Bounds);
  int32_t y = separator.Point1.y + 12;
  rangeIcon.OnSetBounds({kMargin, y, kMargin + kRowHeight, y + kRowHeight});
  range.OnSetBounds({kMargin + kRowHeight + 8, y, w - kMargin, y + kRowHeight});
  y += kRowHeight + 6;
  warningIcon.OnSetBounds({kMargin, y, kMargin + kRowHeight, y + kRowHeight});
  warning.OnSetBounds({kMargin + kRowHeight + 8, y, w - kMargin, y + kRowHeight});
  y += kRowHeight + 10;
  // The list of the conflicting timers lies under its headings.
  const int32_t listWidth = VgGetRectW(list.Bounds);
  const int32_t listLeft = (w - listWidth) / 2;
  int32_t columns[HeadingCount];
  for (int32_t i = 0; i < HeadingCount; ++i) columns[i] = kHeadings[i].column;
  PlaceHeadings(headings, columns, {listLeft, y, w - kMargin, y + 22});
  y += 22;
  list.OnSetBounds({listLeft, y, listLeft + listWidth, y + kListHeight});
  y += kListHeight + 12;
  const int32_t left = (w - 3 * kButtonWidth - 2 * kButtonGap) / 2;
  SkinBin::Button* buttons[] = {&modifyButton, &cancelButton, &backButton};
  for (int32_t i = 0; i < 3; ++i) {
    const int32_t x = left + i * (kButtonWidth + kButtonGap);
    buttons[i]->OnSetBounds({x, y, x + kButtonWidth, y + kRowHeight});
  }
  y += kRowHeight + 10;
  help.OnSetBounds({kMargin, y, w - kMargin, h - FrameWidth});
}

void ConflictTimerDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  NonMenuSystem::QORWidgetClass::Initialize(parameter);
  RecordSourceType = ParamValue;
  // The list makes the model's conflict list on first use and reads it anew.
  auto* own = VgNew<Primitives::KeyRoutingParameter>();
  own->Parent = this;
  list.Initialize(own);
  PreviewConflicts(false);
}

void ConflictTimerDialog::ApplySourceType() {
  const int32_t hour = StartTime ? StartTime->Hour : 0;
  const int32_t minute = StartTime ? StartTime->Minute : 0;
  range.OnSetString(RangeText(hour, minute, Duration));
  if (IsNoTitle(OnGetCaption())) {
    SkinBin::Wrapper* model = MainApp::GetWrapper();
    int32_t major = 0;
    int32_t minor = 0;
    SkinBin::Wrapper::SplitChannelNum(model->OnGetTimerChannel(), &major, &minor);
    VgString tuner = VgGetVariantOfString(model->OnGetTimerSource() != 0 ? &Strings::SID_TUNER_2 : &Strings::SID_TUNER_1);
    VgString caption = VgConcatString(tuner, VgNewStringAnsi(" - "));
    OnSetCaption(VgConcatString(caption, model->GetChannelNumberStr(true, major, minor)));
  }
  if (auto* button = vg_cast<SkinBin::Button>(Focus.get())) help.OnSetString(button->HelpString);
}

void ConflictTimerDialog::OnSetIsUpdate(bool value) {
  IsUpdate = value;
  modifyButton.OnSetText(VgGetVariantOfString(value ? &Strings::SID_UPDATE : &Strings::SID_MODIFY));
}

void ConflictTimerDialog::PreviewConflicts(bool active) {
  if (SkinBin::ConflictTimerInfo* conflicts = ConflictList()) conflicts->SetTimerActiveState(active);
  list.Reload();
}

void ConflictTimerDialog::DoFocus(XObject* sender) {
  auto* button = vg_cast<SkinBin::Button>(sender);
  if (!button) return;
  help.OnSetString(button->HelpString);
  if (button == &modifyButton || button == &cancelButton) {
    const bool keepNew = button == &modifyButton;
    MainApp::GetWrapper()->OnSetEnableTimer(keepNew ? 1 : 0);
    PreviewConflicts(!keepNew);
  }
}

void ConflictTimerDialog::DoneSlot(XObject* sender) {
  if (sender == &modifyButton) {
    SkinBin::ConflictTimerInfo* list = ConflictList();
    if (list) list->UpdateAllTimers();
    const SaveResult result = SaveTimer({.recordSourceType = RecordSourceType,
                                         .isUpdate = IsUpdate,
                                         .oldTimer = OldTimer,
                                         .fromConflictDialog = true});
    if (result.outcome != SaveOutcome::Saved) {
      // The new timer was not stored: the others keep recording.
      if (list) {
        list->SetTimerActiveState(true);
        list->UpdateAllTimers();
      }
      if (result.message > 0 && NonMenuSystem) NonMenuSystem->ShowMessage(result.message);
      return;
    }
  }
  if (auto* owner = vg_cast<NonMenuSystem::WidgetClass>(AnswerTo(OwnerDialog))) owner->EnterPrevState();
  Close();
}

void ConflictTimerDialog::BackSlot(XObject*) { EnterPrevState(); }

void ConflictTimerDialog::EnterPrevState() {
  Close();
}

XObject* ConflictTimerDialog::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return NonMenuSystem::QORWidgetClass::HandleEvent(event);
  switch (key->keyCode) {
    case Key::ClearAll:
    case Key::Back:
    case Key::Exit:
      return NonMenuSystem::QORWidgetClass::HandleEvent(event);
    case Key::Left:
    case Key::Right: {
      SkinBin::Button* buttons[] = {&modifyButton, &cancelButton, &backButton};
      int32_t at = 0;
      while (at < 3 && Focus.get() != buttons[at]) ++at;
      const int32_t step = key->keyCode == Key::Right ? 1 : -1;
      const int32_t next = at + step;
      if (at < 3 && next >= 0 && next < 3) OnSetFocus(buttons[next]);
      break;
    }
    case Key::Up:
    case Key::Down:
    case Key::PageUp:
    case Key::PageDown:
      list.HandleEvent(event);
      break;
    default:
      break;
  }
  ResetTimeout();
  return this;
}

ConflictTimerDialog* OpenConflictDialog(NonMenuSystem::NonMenuSystem* system, const ConflictHandOff& handOff) {
  if (!system) return nullptr;
  auto* param = VgNew<SkinBin::UserRefInt>();
  param->Value = handOff.recordSourceType;
  param->Kind = Constants::MSG_FROM_NONMENUSYSTEM;
  auto* dialog = vg_cast<ConflictTimerDialog>(system->OpenState(&ConflictTimerDialog::Class, param));
  if (!dialog) return nullptr;
  dialog->OnSetIsUpdate(handOff.isUpdate);
  dialog->NextState = nullptr;
  dialog->IsShortcut = false;
  if (handOff.start) dialog->StartTime = handOff.start->AddTicks(0);
  dialog->Duration = handOff.duration;
  dialog->OwnerDialog = handOff.owner;
  dialog->Asker = handOff.owner;
  dialog->OldTimer = handOff.oldTimer;
  dialog->OnSetCaption(handOff.caption);
  dialog->ApplySourceType();
  return dialog;
}

}  // namespace Record
