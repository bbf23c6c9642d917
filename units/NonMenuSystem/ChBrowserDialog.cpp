#include "NonMenuSystem/ChBrowserDialog.h"

#include "AppServices/Wrapper.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Primitives/KeyRoutingParameter.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(NonMenuSystem, ChBrowserDialog, ::NonMenuSystem::WidgetClass)

namespace NonMenuSystem {

namespace {

constexpr VgRect kBounds{0, 440, 960, 520};
constexpr VgRect kStrip{56, 30, 56 + 847, 30 + 48};
constexpr VgRect kBanner{60, 0, 900, 28};

bool IsTuner(int32_t type) { return type == ::Wrapper::kSourceTypeTuner || type == ::Wrapper::kSourceTypeDigitalTuner; }

}  // namespace

ChBrowserDialog::ChBrowserDialog(XObject* link) : WidgetClass(link) {
  WinID = WinIDs::WIN_ID_ChBrowserDialog;
  WidgetOrigin = {kBounds.x1, kBounds.y1};
  background.OnSetColor(Look::Transparent);
  banner.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  banner.OnSetColor(Look::Text);
  banner.OnSetShadow(1);
  banner.OnSetAlignV(Views::Text::AlignMiddle);
  banner.OnSetBounds(kBanner);
  Add(&banner, 0);
  for (int32_t kind = 0; kind < Kinds; ++kind) {
    ListForm::ListClass* list = ListOf(kind);
    list->OnSetOnExit(VgSlotOf<&WidgetClass::Exit>(this));
    list->OnSetFocusMove(VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(this));
    list->OnSetVisible(false);
    list->OnSetBounds(kStrip);
    Add(list, 0);
  }
  const VgSlot update = VgSlotOf<&ChBrowserDialog::UpdateBanner>(this);
  favorites.OnSetOnUpdateBanner(update);
  history.OnSetOnUpdateBanner(update);
  inputs.OnSetOnUpdateBanner(update);
  channels.OnSetOnUpdateBanner(update);
  devices.OnSetOnUpdateBanner(update);
  OnSetBounds(kBounds);
}

ListForm::ListClass* ChBrowserDialog::ListOf(int32_t kind) {
  switch (kind) {
    case History:
      return &history;
    case Inputs:
      return &inputs;
    case Favorites:
      return &favorites;
    case Devices:
      return &devices;
    default:
      return &channels;
  }
}

void ChBrowserDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  WidgetClass::Initialize(parameter);
  const int32_t chosen = MainApp::GetWrapper()->OnGetCurrentCBList();
  // The further favourites rings are the favourites list's to tell apart.
  ShowList(chosen >= Kinds ? Favorites : chosen);
  UpdateBanner();
}

void ChBrowserDialog::ShowList(int32_t kind) {
  if (kind < 0 || kind >= Kinds) kind = Channels;
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  const int32_t stored = model->OnGetCurrentCBList();
  const bool sameRing = kind == Favorites && stored >= Kinds;
  if (stored != kind && !sameRing) model->OnSetCurrentCBList(kind);
  for (int32_t other = 0; other < Kinds; ++other) ListOf(other)->OnSetVisible(other == kind);
  CurrentKind = kind;
  ListForm::ListClass* list = ListOf(kind);
  auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
  parameter->Parent = this;
  OnSetFocus(list);
  list->Initialize(parameter);
}

void ChBrowserDialog::UpdateBanner(XObject*) {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  const int32_t source = model->GetCurrentSource(0);
  VgString text = model->GetSourceName(source);
  if (IsTuner(model->GetSourceType(source))) {
    Structures::ChannelData* channel = model->GetCurrentChannelInfo();
    text = model->GetChannelNumberStr(channel->Minor > 0, channel->Major, channel->Minor);
    if (channel->Name) text = VgConcatString(VgConcatString(text, VgNewStringAnsi("  ")), channel->Name);
  }
  banner.OnSetString(text);
}

XObject* ChBrowserDialog::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (key && key->down && (key->keyCode == Key::Up || key->keyCode == Key::Down)) {
    SkinBin::Wrapper* model = MainApp::GetWrapper();
    const int32_t step = key->keyCode == Key::Down ? 1 : -1;
    for (int32_t n = 1; n < Kinds; ++n) {
      const int32_t kind = (CurrentKind + step * n + Kinds) % Kinds;
      if (model->IsCBListEnabled(kind)) {
        ShowList(kind);
        break;
      }
    }
    ResetTimeout();
    return this;
  }
  return WidgetClass::HandleEvent(event);
}

}  // namespace NonMenuSystem
