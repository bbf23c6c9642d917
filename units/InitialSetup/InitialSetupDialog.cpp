#include "InitialSetup/InitialSetupDialog.h"

#include <algorithm>

#include "AppServices/OptionDB.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "InitialSetup/DaylightSavingDialog.h"
#include "InitialSetup/LanguageDialog.h"
#include "InitialSetup/TimeZoneDialog.h"
#include "InitialSetup/TunerSelectDialog.h"
#include "MainApp/InitialSetup.h"
#include "NonMenuSystem/HelpBar.h"
#include "OptionDatabase/OptionBinding.h"
#include "OptionDatabase/OptionTypes.h"
#include "Resources/Font.h"
#include "Strings.h"
#include "vgdebug.h"
#include "vgref.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(InitialSetup, InitialSetupDialog, Primitives::KeyRoutingForm)

namespace InitialSetup {

const SetupStepInfo kSetupSteps[4] = {
    {1, OptionDatabase::OPTION_TYPE_MENU_LANGUAGE, WinIdLanguage, nullptr, &TimeZoneDialog::Class},
    {2, OptionDatabase::OPTION_TYPE_TIME_ZONE_QOR, WinIdTimeZone, &LanguageDialog::Class,
     &DaylightSavingDialog::Class},
    {3, OptionDatabase::OPTION_TYPE_DAYLIGHT_SAVING_TIME, WinIdDaylightSaving, &TimeZoneDialog::Class,
     &TunerSelectDialog::Class},
    // The last step has no next one: going on from it completes the wizard.
    {4, OptionDatabase::OPTION_TYPE_ANT_CABLE_IN, WinIdTunerSelect, &DaylightSavingDialog::Class, nullptr},
};

namespace {

constexpr VgColor kPanel{16, 26, 42, 236};
constexpr VgColor kBorder{84, 108, 142, 255};
constexpr VgColor kCaption{96, 204, 250, 255};
constexpr VgColor kText{240, 244, 248, 255};
constexpr VgColor kTextDim{170, 180, 194, 255};
constexpr VgColor kMarker{40, 96, 160, 255};

constexpr int32_t kWidth = 560;
constexpr int32_t kMargin = 24;
constexpr int32_t kCaptionTop = 16;
constexpr int32_t kCaptionHeight = 36;
constexpr int32_t kStepHeight = 26;
constexpr int32_t kTitleHeight = 34;
constexpr int32_t kRowHeight = 28;
constexpr int32_t kRowsTop = kCaptionTop + kCaptionHeight + kStepHeight + kTitleHeight + 16;

// "Step 2 of 4" in the language of the moment.
VgString StepLine(int32_t step) {
  VgString text = VgGetVariantOfString(&Strings::SID_SETUP_STEP_OF);
  for (auto [mark, value] : {std::pair{u"%1", step}, std::pair{u"%2", kStepCount}}) {
    const int32_t at = VgStringFind(text, VgNewString(mark), 0);
    if (at < 0) continue;
    text = VgStringInsert(VgStringRemove(text, at, 2), VgNewStringInt(value, 0), at);
  }
  return text;
}

::OptionDatabase::OptionBinding Option(int32_t optionType) {
  return {MainApp::GetOptionDB(), optionType, "InitialSetup"};
}

}  // namespace

const int32_t InitialSetupDialog::ChoicesTop = kRowsTop;

InitialSetupDialog::InitialSetupDialog(XObject* link) : Primitives::KeyRoutingForm(link) {
  SubSystemClass = &::MainApp::InitialSetup::Class;
  Layer = kDialogLayer;
  // The wizard waits for the viewer as long as it takes.
  OnSetTimeOutValue(0);
  panel.OnSetColor(kPanel);
  border.OnSetColor(kBorder);
  border.OnSetWidth(2);
  caption.OnSetFont(VgLoad<Resources::Font>(Fonts::ExtraLargeFont));
  caption.OnSetColor(kCaption);
  caption.OnSetAlignH(Views::Text::AlignCentre);
  caption.OnSetAlignV(Views::Text::AlignMiddle);
  caption.OnSetString(VgGetVariantOfString(&Strings::SID_INITIAL_SETUP));
  stepText.OnSetFont(VgLoad<Resources::Font>(Fonts::SmallFont));
  stepText.OnSetColor(kTextDim);
  stepText.OnSetAlignH(Views::Text::AlignCentre);
  stepText.OnSetAlignV(Views::Text::AlignMiddle);
  title.OnSetFont(VgLoad<Resources::Font>(Fonts::LargeFont));
  title.OnSetColor(kText);
  title.OnSetAlignH(Views::Text::AlignCentre);
  title.OnSetAlignV(Views::Text::AlignMiddle);
  marker.OnSetColor(kMarker);
  Add(&panel, 0);
  Add(&border, 0);
  Add(&caption, 0);
  Add(&stepText, 0);
  Add(&title, 0);
  Add(&marker, 0);
  Resources::Font* rowFont = VgLoad<Resources::Font>(Fonts::MediumFont);
  for (int32_t i = 0; i < MaxChoices; ++i) {
    auto* row = VgNew<Views::Text>();
    row->OnSetFont(rowFont);
    row->OnSetColor(kText);
    row->OnSetAlignH(Views::Text::AlignCentre);
    row->OnSetAlignV(Views::Text::AlignMiddle);
    row->OnSetVisible(false);
    choices[size_t(i)] = row;
    Add(row, 0);
  }
}

void InitialSetupDialog::SetStep(const SetupStepInfo& info) {
  SetupStep = info.step;
  OptionType = info.optionType;
  WinID = info.winId;
  PrevState = info.prevState;
  NextState = info.nextState;
}

void InitialSetupDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  Primitives::KeyRoutingForm::Initialize(parameter);
  ChoiceCount = 0;
  ChoiceIndex = 0;
  if (::OptionDatabase::OptionBinding option = Option(OptionType)) {
    const int32_t current = option.Read();
    // More choices than rows would not fit the dialog; the rest stay unoffered.
    ChoiceCount = std::clamp(option.Count(), 0, int32_t(MaxChoices));
    for (int32_t i = 0; i < ChoiceCount; ++i) choices[size_t(i)]->OnSetString(option.ChoiceText(i));
    ChoiceIndex = ChoiceCount > 0 ? std::clamp(current, 0, ChoiceCount - 1) : 0;
    title.OnSetString(option.Name());
  }
  stepText.OnSetString(StepLine(SetupStep));
  const int32_t rows = std::max(ChoiceCount, 1);
  OnSetBounds({Bounds.x1, Bounds.y1, Bounds.x1 + kWidth, Bounds.y1 + kRowsTop + rows * kRowHeight + kMargin});
  Refresh();
}

void InitialSetupDialog::Refresh(XObject*) {
  const int32_t w = VgGetRectW(Bounds);
  const int32_t h = VgGetRectH(Bounds);
  panel.OnSetBounds({0, 0, w, h});
  border.OnSetBounds({0, 0, w, h});
  caption.OnSetBounds({kMargin, kCaptionTop, w - kMargin, kCaptionTop + kCaptionHeight});
  const int32_t stepTop = kCaptionTop + kCaptionHeight;
  stepText.OnSetBounds({kMargin, stepTop, w - kMargin, stepTop + kStepHeight});
  const int32_t titleTop = stepTop + kStepHeight;
  title.OnSetBounds({kMargin, titleTop, w - kMargin, titleTop + kTitleHeight});
  for (int32_t i = 0; i < MaxChoices; ++i) {
    Views::Text* row = choices[size_t(i)];
    const int32_t top = kRowsTop + i * kRowHeight;
    row->OnSetBounds({kMargin * 2, top, w - kMargin * 2, top + kRowHeight});
    row->OnSetVisible(i < ChoiceCount);
    row->OnSetColor(i == ChoiceIndex ? kText : kTextDim);
  }
  const int32_t markTop = kRowsTop + ChoiceIndex * kRowHeight;
  marker.OnSetBounds({kMargin * 2, markTop + 2, w - kMargin * 2, markTop + kRowHeight - 2});
  marker.OnSetVisible(ChoiceCount > 0);
}

void InitialSetupDialog::Open(XObject* sender) {
  Primitives::KeyRoutingForm::Open(sender);
  if (!InitialSetup) return;
  VgString labels = VgConcatString(VgGetVariantOfString(&Strings::SID_SELECT), VgNewStringAnsi(","));
  labels = VgConcatString(labels, VgGetVariantOfString(&Strings::SID_NEXT));
  labels = VgConcatString(labels, VgNewStringAnsi(","));
  labels = VgConcatString(labels, VgGetVariantOfString(&Strings::SID_BACK));
  InitialSetup->UpdateHelp(::NonMenuSystem::HelpUD | ::NonMenuSystem::HelpOk | ::NonMenuSystem::HelpReturn, labels);
}

void InitialSetupDialog::MoveChoice(int32_t delta) {
  if (ChoiceCount < 1) return;
  const int32_t index = std::clamp(ChoiceIndex + delta, 0, ChoiceCount - 1);
  if (index == ChoiceIndex) return;
  ChoiceIndex = index;
  Refresh();
}

void InitialSetupDialog::StoreChoice() {
  if (ChoiceCount < 1) return;
  Option(OptionType).Write(ChoiceIndex);
}

XObject* InitialSetupDialog::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return Primitives::KeyRoutingForm::HandleEvent(event);
  switch (key->keyCode) {
    case Key::Up:
      MoveChoice(-1);
      break;
    case Key::Down:
      MoveChoice(1);
      break;
    case Key::Ok:
    case Key::Right:
      StoreChoice();
      VgSignal(OnNextStep, this);
      break;
    case Key::Back:
    case Key::Left:
      VgSignal(OnPrevStep, this);
      break;
    case Key::Exit:
      VgSignal(OnAbortSetup, this);
      break;
    default:
      return Primitives::KeyRoutingForm::HandleEvent(event);
  }
  ResetTimeout();
  return this;
}

}  // namespace InitialSetup
