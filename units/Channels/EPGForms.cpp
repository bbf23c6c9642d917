#include "Channels/EPGForms.h"

#include "AppServices/Wrapper.h"
#include "Colors/Colors.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Resources/Font.h"
#include "SkinBin/Wrapper.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(Channels, EPGChannelForm, Forms::Form)
VG_DEFINE_CLASS(Channels, EPGThemeForm, Forms::Form)
VG_DEFINE_CLASS(Channels, ProgramForm, Forms::Form)

namespace Channels {

namespace {

// The columns side by side; the programmes line up with the channel rows.
constexpr VgRect kLeftColumn{0, 0, 320, 264};
constexpr VgRect kRightColumn{330, 18, 860, 246};
constexpr int32_t kEpgBrowseOnly = 0;

// LEFT goes to the left list, RIGHT to the right one; other keys are the
// lists' own.
template <class Left, class Right>
bool MoveBetween(Core::Group* form, Core::Event* event, Left& left, Right& right) {
  const uint16_t key = Core::PressedKey(event);
  if (key == Key::Left && form->Focus.get() == &right) {
    form->OnSetFocus(&left);
    return true;
  }
  if (key == Key::Right && form->Focus.get() == &left) {
    form->OnSetFocus(&right);
    return true;
  }
  return false;
}

void PlaceColumns(Forms::Form* form, Core::Group* left, Core::Group* right) {
  form->OnSetBounds({0, 0, VgGetRectW(kRightColumn) + kRightColumn.x1, VgGetRectH(kLeftColumn)});
  left->OnSetBounds(kLeftColumn);
  right->OnSetBounds(kRightColumn);
  form->Add(left, 0);
  form->Add(right, 0);
}

// The lists' opening: the guide (the parameter's parent) is their widget.
Primitives::KeyRoutingParameter* ListParameter(Primitives::KeyRoutingParameter* parameter) {
  auto* own = VgNew<Primitives::KeyRoutingParameter>();
  own->Parent = parameter ? parameter->Parent.get() : nullptr;
  own->Param = parameter ? parameter->Param.get() : nullptr;
  return own;
}

}  // namespace

// ---------------------------------------------------------- channel form

EPGChannelForm::EPGChannelForm(XObject* link) : Forms::Form(link) {
  PlaceColumns(this, &channels, &programmes);
  channels.OnSetOnFocusChanged(VgSlotOf<&EPGChannelForm::OnChannelFocus>(this));
  channels.OnSetOnExit(VgSlotOf<&EPGChannelForm::ToProgrammes>(this));
}

void EPGChannelForm::Setup(Primitives::KeyRoutingParameter* parameter, VgSlot moved, VgSlot programChanged) {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  channel = VgNew<Structures::VirtualChannel>();
  if (Structures::VirtualChannel* current = model->GetCurrentChannel()) {
    channel->Major = current->Major;
    channel->Minor = current->Minor;
  }
  channels.OnSetFocusedChannel(channel);
  channels.OnSetIsBrowse(model->OnGetEPGTuningMode() == kEpgBrowseOnly);
  channels.OnSetFocusMove(moved);
  programmes.OnSetFocusMove(moved);
  programmes.OnSetOnProgramChanged(programChanged);
  channels.Initialize(ListParameter(parameter));
  programmes.Initialize(ListParameter(parameter));
  programmes.OnSetm_channel(channel);
  OnSetFocus(&programmes);
}

XObject* EPGChannelForm::DispatchEvent(Core::Event* event) {
  if (MoveBetween(this, event, channels, programmes)) {
    if (Focus.get() == &programmes) ToProgrammes(this);
    VgSignal(programmes.FocusMove, this);
    return this;
  }
  return Forms::Form::DispatchEvent(event);
}

void EPGChannelForm::ShowChannel(int32_t major, int32_t minor) {
  channel->Major = major;
  channel->Minor = minor;
  programmes.OnSetm_channel(channel);
}

// Leaving the column before its rest ended: the channel under its focus is
// the one to show (browse), without waiting for the pause.
void EPGChannelForm::ToProgrammes(XObject*) {
  OnSetFocus(&programmes);
  if (!channels.IsBrowse && MainApp::GetWrapper()->OnGetEPGTuningMode() != kEpgBrowseOnly) return;
  auto* row = vg_cast<ListForm::EPGChannelItem>(channels.Focus.get());
  if (!row || (row->ChannelMajor == channel->Major && row->ChannelMinor == channel->Minor)) return;
  channels.tuneTimer.Cancel();
  ShowChannel(row->ChannelMajor, row->ChannelMinor);
  channels.EndBusy();
}

void EPGChannelForm::OnChannelFocus(XObject*) {
  programmes.OnSetm_channel(channel);
  channels.EndBusy();
}

void EPGChannelForm::TuneAnswered(bool acquired, int32_t major, int32_t minor) {
  if (!channels.IsBusy) return;
  if (acquired) ShowChannel(major, minor);
  channels.EndBusy();
}

void EPGChannelForm::Reread() { programmes.OnSetm_channel(channel); }

// ------------------------------------------------------------ theme form

EPGThemeForm::EPGThemeForm(XObject* link) : Forms::Form(link) {
  PlaceColumns(this, &themes, &programmes);
  themes.OnSetOnFocusChanged(VgSlotOf<&EPGThemeForm::OnThemeFocus>(this));
}

void EPGThemeForm::Setup(Primitives::KeyRoutingParameter* parameter, VgSlot moved, VgSlot programChanged) {
  themes.OnSetFocusMove(moved);
  programmes.OnSetFocusMove(moved);
  programmes.OnSetOnProgramChanged(programChanged);
  themes.Initialize(ListParameter(parameter));
  programmes.Initialize(ListParameter(parameter));
  OnSetFocus(&themes);
}

XObject* EPGThemeForm::DispatchEvent(Core::Event* event) {
  if (MoveBetween(this, event, themes, programmes)) return this;
  return Forms::Form::DispatchEvent(event);
}

void EPGThemeForm::OnThemeFocus(XObject*) { programmes.OnSetTheme(themes.Theme); }

// ---------------------------------------------------------- mini guide

ProgramForm::ProgramForm(XObject* link) : Forms::Form(link) {
  OnSetBounds({0, 0, 560, 190});
  Add(&guide, 0);
  auto* font = VgLoad<Resources::Font>(Fonts::MediumFont);
  title.OnSetFont(font);
  title.OnSetColor(Colors::White);
  title.OnSetBounds({20, 96, 540, 124});
  Add(&title, 0);
  description.OnSetFont(VgLoad<Resources::Font>(Fonts::SmallFont));
  description.OnSetColor(Colors::White);
  description.OnSetBounds({20, 126, 540, 190});
  Add(&description, 0);
  guide.OnSetOnProgramChanged(VgSlotOf<&ProgramForm::ShowProgram>(this));
}

void ProgramForm::Setup(Primitives::KeyRoutingParameter* parameter) {
  guide.Initialize(ListParameter(parameter));
  OnSetFocus(&guide);
}

void ProgramForm::ShowProgram(XObject*) {
  title.OnSetString(guide.FocusTitle);
  description.OnSetString(guide.FocusDescription);
}

}  // namespace Channels
