#include "Channels/FullEPGDialog.h"

#include "AppServices/Wrapper.h"
#include "Colors/Colors.h"
#include "Events/Events.h"
#include "Fonts/Fonts.h"
#include "Primitives/KeyRoutingForm.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Resources/Font.h"
#include "SkinBin/Wrapper.h"
#include "SubSystem/KeyOwner.h"
#include "Strings.h"
#include "WinIDs/WinIDs.h"
#include "vgresmap.h"
#include "vgslot.h"

VG_DEFINE_CLASS(Channels, FullEPGDialog, NonMenuSystem::QORWidgetClass)

namespace Channels {

namespace {

constexpr int32_t kTitleHeight = 30;
constexpr int32_t kGap = 12;

ListForm::GuideFocus* FocusOf(XObject* list) {
  if (auto* channel = vg_cast<ListForm::EPGProgramList>(list)) return channel;
  if (auto* theme = vg_cast<ListForm::EPGThemeProgramList>(list)) return theme;
  return nullptr;
}

}  // namespace

FullEPGDialog::FullEPGDialog(XObject* link) : NonMenuSystem::QORWidgetClass(link) {
  WinID = WinIDs::WIN_ID_FullEPGDialog;
  // The widgets' own layer: the timer dialogs open over the guide, which
  // stays open under them with the programme they record.
  Layer = DefaultLayer;
  OnSetBounds({0, 0, 960, 540});
  OnSetCaption(VgGetVariantOfString(&Strings::SID_PROGRAM_GUIDE));
  const int32_t left = ContentLeft();
  int32_t top = ContentTop() + kGap;
  for (Forms::Form* form : {static_cast<Forms::Form*>(&channelForm), static_cast<Forms::Form*>(&themeForm)}) {
    form->OnSetBounds(VgMoveRectPos(form->Bounds, {left, top}));
    Add(form, 0);
  }
  themeForm.OnSetVisible(false);
  top = channelForm.Bounds.y2 + kGap;
  programTitle.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  programTitle.OnSetColor(Colors::White);
  programTitle.OnSetBounds({left, top, ContentRight(), top + kTitleHeight});
  Add(&programTitle, 0);
  top += kTitleHeight;
  programDescription.OnSetFont(VgLoad<Resources::Font>(Fonts::SmallFont));
  programDescription.OnSetColor(Colors::DialogInfoTextColor);
  programDescription.OnSetBounds({left, top, ContentRight(), VgGetRectH(Bounds) - FrameWidth});
  Add(&programDescription, 0);
}

void FullEPGDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  QORWidgetClass::Initialize(parameter);
  auto* own = VgNew<Primitives::KeyRoutingParameter>();
  own->Parent = this;
  own->Param = parameter ? parameter->Param.get() : nullptr;
  const VgSlot moved = VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(this);
  const VgSlot program = VgSlotOf<&FullEPGDialog::ProgramChanged>(this);
  channelForm.Setup(own, moved, program);
  if (MainApp::GetWrapper()->HasEPGTheme()) themeForm.Setup(own, moved, program);
  OnSetFocus(&channelForm);
}

bool FullEPGDialog::FollowsTheWorld(Core::Event* event) const {
  return vg_cast<Events::XPM_EVENT_CHANNEL_ACQUIRED>(event) || vg_cast<Events::XPM_EVENT_EPG_INFO_UPDATED>(event) ||
         vg_cast<Events::XPM_EVENT_EPG_FULL_SCAN_COMPLETE>(event);
}

XObject* FullEPGDialog::HandleEvent(Core::Event* event) {
  // The acquisition is the application's too: it goes on up.
  if (auto* tuned = vg_cast<Events::XPM_EVENT_CHANNEL_ACQUIRED>(event)) {
    channelForm.TuneAnswered(tuned->Status == 0, tuned->Channel.Major, tuned->Channel.Minor);
    return nullptr;
  }
  if (vg_cast<Events::XPM_EVENT_EPG_INFO_UPDATED>(event) || vg_cast<Events::XPM_EVENT_EPG_FULL_SCAN_COMPLETE>(event)) {
    channelForm.Reread();
    return nullptr;
  }
  return QORWidgetClass::HandleEvent(event);
}

void FullEPGDialog::OnSetFocusedProgram(VgString title, VgString subtitle) {
  FocusedProgramTitle = title;
  FocusedProgramSubtitle = subtitle;
  programTitle.OnSetString(title);
  programDescription.OnSetString(subtitle);
}

// The focus leaves before the screen that takes it has it: the look over
// the guide waits until it has.
void FullEPGDialog::HandleFocus(bool focused) {
  QORWidgetClass::HandleFocus(focused);
  VgPostSignal(VgSlotOf<&FullEPGDialog::FollowCover>(this));
}

void FullEPGDialog::FollowCover(XObject*) {
  const bool covered = AskedScreenAbove();
  for (Core::View* view : {static_cast<Core::View*>(&channelForm.programmes),
                           static_cast<Core::View*>(&themeForm.programmes), static_cast<Core::View*>(&programTitle),
                           static_cast<Core::View*>(&programDescription)})
    view->OnSetVisible(!covered);
}

bool FullEPGDialog::AskedScreenAbove() const {
  for (Core::View* view = nextView; view; view = view->nextView) {
    auto* screen = vg_cast<Primitives::KeyRoutingForm>(view);
    if (screen && SubSystem::KeyOwner::AskedBy(screen, this)) return true;
  }
  return false;
}

void FullEPGDialog::ProgramChanged(XObject* sender) {
  if (ListForm::GuideFocus* focus = FocusOf(sender)) OnSetFocusedProgram(focus->FocusTitle, focus->FocusDescription);
}

}  // namespace Channels
