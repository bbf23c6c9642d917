#include "Channels/ScanDialogs.h"

#include "AppServices/Wrapper.h"
#include "Colors/Colors.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/ListDialogs.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Resources/Font.h"
#include "SkinBin/Wrapper.h"
#include "Strings.h"
#include "WinIDs/WinIDs.h"
#include "vgdebug.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(Channels, AutoTuningConfirmDialog, ::NonMenuSystem::ConfirmMultiOptionDialog)
VG_DEFINE_CLASS(Channels, AutoTuningDialog, ::NonMenuSystem::QORWidgetClass)
VG_DEFINE_CLASS(Channels, AutoTuningCompleteDialog, ::NonMenuSystem::QORWidgetClass)
VG_DEFINE_CLASS(Channels, AutoTuningErrorDialog, ::NonMenuSystem::ConfirmOneOptionDialog)

namespace Channels {

namespace {

constexpr int32_t kProgressWidth = 520;
constexpr int32_t kProgressHeight = 230;
constexpr int32_t kLineHeight = 30;
constexpr int32_t kBarHeight = 16;
constexpr int32_t kCompleteTop = 90;

VgString Text(const VgConstant& constant) { return VgGetVariantOfString(&constant); }

// "Label: value" and "Label: value%".
VgString Labelled(const VgConstant& label, int32_t value, const char16_t* unit = u"") {
  VgString text = VgConcatString(VgConcatString(Text(label), Text(Strings::SID_LABEL_COLON)), VgNewString(u" "));
  return VgConcatString(VgConcatString(text, VgNewStringInt(value, 0)), VgNewString(unit));
}

void StyleLine(Views::Text& line, Resources::Font* font) {
  line.OnSetFont(font);
  line.OnSetColor(Colors::White);
  line.OnSetAlignV(Views::Text::AlignMiddle);
}

}  // namespace

void OpenInChain(NonMenuSystem::WidgetClass* from, const VgClass* next) {
  NonMenuSystem::NonMenuSystem* system = from->NonMenuSystem;
  XObject* param = from->MakeOriginParam();
  const VgClass* back = from->PrevState;
  from->Close();
  if (!system) {
    VgPrint("Channels: %s has no owner to open %s\n", from->GetClass()->name, next->name);
    return;
  }
  if (auto* opened = vg_cast<NonMenuSystem::WidgetClass>(system->OpenState(next, param, back)))
    opened->IsShortcut = from->IsShortcut;
}

// ------------------------------------------------------------ confirmation

AutoTuningConfirmDialog::AutoTuningConfirmDialog(XObject* link) : ConfirmMultiOptionDialog(link) {
  WinID = WinIDs::WIN_ID_AutoTuningConfirmDialog;
}

void AutoTuningConfirmDialog::OnSetConfirmType(int32_t type) {
  ConfirmOptionDialog::OnSetConfirmType(type);
  OnSetCaption(Text(Strings::ChannelsMenuScanChannels));
  OnSetWarningInfo(Text(Strings::SID_SCAN_CHANNELS_QUESTION));
}

void AutoTuningConfirmDialog::EnterNextState() { OpenInChain(this, &AutoTuningDialog::Class); }

// ---------------------------------------------------------------- progress

AutoTuningDialog::AutoTuningDialog(XObject* link) : QORWidgetClass(link) {
  WinID = WinIDs::WIN_ID_AutoTuningDialog;
  OnSetBounds({0, 0, kProgressWidth, kProgressHeight});
  // A scan takes as long as it takes.
  OnSetOnTimeOut(VgSlot());
  auto* font = VgLoad<Resources::Font>(Fonts::MediumFont);
  for (Views::Text* line : {&percentText, &foundText, &physicalText}) {
    StyleLine(*line, font);
    Add(line, 0);
  }
  bar.OnSetReadOnly(true);
  bar.OnSetMin(0);
  bar.OnSetMax(100);
  Add(&bar, 0);
  OnSetCaption(Text(Strings::ChannelsMenuScanChannels));
  ShowProgress(0, 0, 0);
}

void AutoTuningDialog::Refresh(XObject* sender) {
  QORWidgetClass::Refresh(sender);
  const int32_t left = ContentLeft() + 8;
  const int32_t right = ContentRight() - 8;
  int32_t top = ContentTop() + 8;
  percentText.OnSetBounds({left, top, right, top + kLineHeight});
  top += kLineHeight + 4;
  bar.OnSetBounds({left, top, right, top + kBarHeight});
  top += kBarHeight + 12;
  foundText.OnSetBounds({left, top, right, top + kLineHeight});
  top += kLineHeight;
  physicalText.OnSetBounds({left, top, right, top + kLineHeight});
}

void AutoTuningDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  QORWidgetClass::Initialize(parameter);
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  const int32_t kind = model->OnGetAntCableIn() ? SkinBin::Wrapper::kScanCable : SkinBin::Wrapper::kScanAntenna;
  Scanning = model->StartChannelScan(kind);
  // A scan refused leaves nothing to wait for: the viewer hears at once.
  if (!Scanning) VgPostSignal(VgSlotOf<&AutoTuningDialog::Finish>(this));
}

void AutoTuningDialog::ShowProgress(int32_t percent, int32_t found, int32_t physical) {
  Found = found;
  percentText.OnSetString(Labelled(Strings::SID_SCAN_PROGRESS, percent, u"%"));
  bar.OnSetValue(percent);
  foundText.OnSetString(Labelled(Strings::SID_SCAN_CHANNELS_FOUND, found));
  physicalText.OnSetString(Labelled(Strings::SID_SCAN_RF_CHANNEL, physical));
}

bool AutoTuningDialog::FollowsTheWorld(Core::Event* event) const {
  return vg_cast<Events::XPM_EVENT_CHANNEL_SCAN_PROGRESS>(event) || vg_cast<Events::XPM_EVENT_FULL_SCAN_COMPLETE>(event) ||
         vg_cast<Events::XPM_EVENT_FULL_SCAN_ABORTED>(event);
}

XObject* AutoTuningDialog::HandleEvent(Core::Event* event) {
  if (auto* progress = vg_cast<Events::XPM_EVENT_CHANNEL_SCAN_PROGRESS>(event); progress && Scanning) {
    // Count is what this RF channel gave; Info the total so far.
    ShowProgress(progress->Progress, progress->Info, progress->PhysicalChannel);
    return this;
  }
  if (vg_cast<Events::XPM_EVENT_FULL_SCAN_COMPLETE>(event) && Scanning) {
    Scanning = false;
    Finish();
    return this;
  }
  if (vg_cast<Events::XPM_EVENT_FULL_SCAN_ABORTED>(event) && Scanning) {
    Scanning = false;
    GoBack();
    return this;
  }
  const uint16_t key = Core::PressedKey(event);
  if (key == Key::None || key >= KeyFirstUnhandled) return nullptr;
  if (key == Key::ClearAll || key == Key::Exit || key == Key::Back) {
    Stop();
    return QORWidgetClass::HandleEvent(event);
  }
  return this;
}

// The old channel map stays: the middleware commits a scan only when it ends.
void AutoTuningDialog::Stop() {
  if (!Scanning) return;
  Scanning = false;
  MainApp::GetWrapper()->StopChannelScan();
}

void AutoTuningDialog::Close(XObject* sender) {
  Stop();
  QORWidgetClass::Close(sender);
}

void AutoTuningDialog::Finish(XObject*) {
  OpenInChain(this, Found > 0 ? &AutoTuningCompleteDialog::Class : &AutoTuningErrorDialog::Class);
}

// ---------------------------------------------------------------- complete

AutoTuningCompleteDialog::AutoTuningCompleteDialog(XObject* link) : ListHost(link) {
  WinID = WinIDs::WIN_ID_AutoTuningCompleteDialog;
  WidgetOrigin = {-1, kCompleteTop};
}

void AutoTuningCompleteDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ListHost::Initialize(parameter);
  OnSetCaption(Text(Strings::SID_SCAN_COMPLETE));
  NonMenuSystem::FitAroundList(this, &list, kCompleteTop);
}

// ------------------------------------------------------------------- error

AutoTuningErrorDialog::AutoTuningErrorDialog(XObject* link) : ConfirmOneOptionDialog(link) {
  WinID = WinIDs::WIN_ID_AutoTuningErrorDialog;
  OnSetCaption(Text(Strings::ChannelsMenuScanChannels));
  OnSetWarningInfo(Text(Strings::SID_SCAN_NOTHING_FOUND));
}

void AutoTuningErrorDialog::EnterNextState() { GoBack(); }

}  // namespace Channels
