#include "ThreeD/ImportantInfoDialog.h"

#include "AppServices/Wrapper.h"
#include "Colors/Colors.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/HelpBar.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "ThreeD/HelpText.h"
#include "WinIDs/WinIDs.h"
#include "vgslot.h"

VG_DEFINE_CLASS(ThreeD, ImportantInfoDialog, ::NonMenuSystem::BorderWidgetClass)

namespace ThreeD {

namespace {

constexpr VgRect kBounds{115, 75, 845, 465};
constexpr VgRect kPanel{19, 36, 709, 316};
constexpr VgRect kText{30, 45, 670, 310};
constexpr VgRect kScrollBar{693, 36, 709, 315};
constexpr VgRect kChoice{450, 337, 530, 362};
// Wider to the left than the choice's label was drawn for: the question
// is longer than that in this font.
constexpr VgRect kLabel{30, 340, 437, 362};
// The series whose wording of the text differs.
constexpr int32_t kSeriesOwnWording = 2;
constexpr int32_t kTextHelp = NonMenuSystem::HelpReturn | NonMenuSystem::HelpUD;
constexpr int32_t kChoiceHelp =
    NonMenuSystem::HelpReturn | NonMenuSystem::HelpOk | NonMenuSystem::HelpUp | NonMenuSystem::HelpLR;

}  // namespace

ImportantInfoDialog::ImportantInfoDialog(XObject* link) : BorderWidgetClass(link) {
  WinID = WinIDs::WIN_ID_3D_Dialog;
  OnSetCaption(VgGetVariantOfString(&Strings::SID_3D_IMPORTANT_INFO));
  panel.OnSetColor(Colors::StandardBgColor);
  panel.OnSetBounds(kPanel);
  Add(&panel, 0);
  text.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  text.OnSetColor(NonMenuSystem::Look::Text);
  text.OnSetPageUpKey(Key::PageUp);
  text.OnSetPageDownKey(Key::PageDown);
  text.OnSetOnResetTimeout(VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(this));
  text.OnSetVertScrollBar(&scrollBar);
  Add(&text, 0);
  Add(&scrollBar, 0);
  scrollBar.OnSetBounds(kScrollBar);
  text.OnSetBounds(kText);
  text.OnSetString(VgGetVariantOfString(&Strings::SID_3D_INFORMATION_MSG));
  label.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  label.OnSetColor(NonMenuSystem::Look::Text);
  label.OnSetAlignH(Views::Text::AlignRight);
  label.OnSetString(VgGetVariantOfString(&Strings::SID_3D_DISPLAY_INFO_EVERY_TIME));
  label.OnSetBounds(kLabel);
  Add(&label, 0);
  everyTime.OnSetBounds(kChoice);
  everyTime.OnSetOnResetTimeout(VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(this));
  Add(&everyTime, 0);
  OnSetBounds(kBounds);
  WidgetOrigin = {kBounds.x1, kBounds.y1};
  OnSetFocus(&text);
}

void ImportantInfoDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  BorderWidgetClass::Initialize(parameter);
  if (MainApp::GetWrapper()->OnGetSeriesType() == kSeriesOwnWording)
    text.OnSetString(VgGetVariantOfString(&Strings::SID_3D_INFORMATION_MSG_QC300));
  everyTime.OnSetOptionType(SkinBin::OPTION_TYPE_3D_IMPORTANT_INFO);
  OnSetOnTimeOut({});
  UpdateHelp();
}

bool ImportantInfoDialog::FromPage() const { return PrevState && PrevState == VgFindClass("ThreeD::ThreeDMenu"); }

void ImportantInfoDialog::UpdateHelp(XObject*) {
  if (!NonMenuSystem) return;
  if (Focus.get() == &text)
    NonMenuSystem->UpdateHelp(kTextHelp, HelpText({&Strings::SID_PAGE, &Strings::SID_BACK}), this);
  else
    NonMenuSystem->UpdateHelp(
        kChoiceHelp, HelpText({&Strings::SID_SELECT, &Strings::SID_PAGE, &Strings::SID_ENTER, &Strings::SID_BACK}), this);
}

XObject* ImportantInfoDialog::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return BorderWidgetClass::HandleEvent(event);
  switch (key->keyCode) {
    case Key::Ok:
      if (Focus.get() != &everyTime) return this;
      if (FromPage()) {
        EnterPrevState();
      } else if (!PrevState) {
        // The sequence goes on from here.
        NextState = VgFindClass("ThreeD::Start3DWizard");
        EnterNextState();
      }
      return this;
    case Key::ClearAll:
    case Key::Exit:
      if (!PrevState) MainApp::GetWrapper()->Setup3D.SwitchTo2DState(false);
      ClearAll();
      return this;
    case Key::Up:
    case Key::Down:
      OnSetFocus(key->keyCode == Key::Up ? static_cast<Core::View*>(&text) : &everyTime);
      UpdateHelp();
      return this;
    case Key::Back:
      if (FromPage()) {
        EnterPrevState();
      } else {
        MainApp::GetWrapper()->Setup3D.State = SkinBin::Setup3D::kState2D;
        ClearAll();
      }
      return this;
    default:
      return FromPage() ? BorderWidgetClass::HandleEvent(event) : this;
  }
}

}  // namespace ThreeD
