#include "Network/NetworkSetupDialog.h"

#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "SkinBin/NetworkSetup.h"
#include "Strings.h"
#include "SubSystem/Open.h"
#include "WidgetManager/Layers.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(Network, IPAddressButton, SkinBin::Button)
VG_DEFINE_CLASS(Network, QORNumberSpinner, ::Button::NumberSpinner)
VG_DEFINE_CLASS(Network, IPConfigDialog, NonMenuSystem::QORWidgetClass)
VG_DEFINE_CLASS(Network, NetworkSetupDialog, NonMenuSystem::QORWidgetClass)

namespace Network {

namespace {

constexpr int32_t kFieldCount = 5;
// The fields a refused value reloads: a DNS server is never refused.
constexpr int32_t kLastCheckedField = int32_t(AddressField::Gateway);

// The setup dialog's geometry: labels on the left, buttons on the right.
constexpr VgRect kSetupBounds{0, 50, 640, 460};
constexpr int32_t kRowStep = 42;
constexpr int32_t kLabelLeft = 60;
constexpr int32_t kButtonLeft = 320;
constexpr int32_t kButtonWidth = 240;
constexpr int32_t kRowHeight = 34;
constexpr int32_t kOkWidth = 120;

// The editor's geometry.
constexpr int32_t kSpinnerWidth = 64;
constexpr int32_t kSpinnerHeight = 40;
constexpr int32_t kDotWidth = 16;
constexpr int32_t kEditorMargin = 30;
constexpr int32_t kEditorLayer = Layers::Panel;
constexpr int32_t kNumberTop = 3;

VgString Text(const VgConstant& constant) { return VgGetVariantOfString(&constant); }

}  // namespace

// ------------------------------------------------------------ IPAddressButton

IPAddressButton::IPAddressButton(XObject* link) : SkinBin::Button(link) { OnSetAddress(Address); }

void IPAddressButton::OnSetAddress(uint32_t value) {
  Address = value;
  OnSetText(DottedText(value));
}

// ------------------------------------------------------------ QORNumberSpinner

QORNumberSpinner::QORNumberSpinner(XObject* link) : ::Button::NumberSpinner(link) {
  OnSetMaximum(OctetEntry::kMaximum);
  OnSetHasLeadingZeros(false);
  OnSetIncreaseKey(0);
  OnSetDecreaseKey(0);
  DefaultValue = OctetEntry::kMaximum;
  Nonfocused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::DialogButtonNonfocus);
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::DialogButtonFocus);
  Resources::Font* medium = VgLoad<Resources::Font>(Fonts::MediumFont);
  Nonfocused_TextFont = medium;
  Focused_TextFont = medium;
  Nonfocused_TextColor = NonMenuSystem::Look::TextDim;
  Focused_TextColor = NonMenuSystem::Look::Text;
}

bool QORNumberSpinner::IsBlank() const { return VgGetStringLength(Text) == 0; }

// A digit does not report a change: the value counts only when saved, and
// the editor's time-out runs on from the last key it handled itself.
void QORNumberSpinner::processDigit(int32_t digit) {
  typing = true;
  OnSetCurrent(entry.Next(Current, digit, verifyTimer.OnGetEnabled()));
  verifyTimer.Activate();
}

XObject* QORNumberSpinner::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (key && key->down && key->keyCode == Key::Up) return this;
  if (key && key->down && key->keyCode == Key::Down) {
    OnSetText(VgNewStringAnsi(""));
    entry.complete = true;
    VgSignal(OnValueChange, this);
    return this;
  }
  return ::Button::NumberSpinner::HandleEvent(event);
}

void QORNumberSpinner::HandleFocus(bool focused) {
  ::Button::NumberSpinner::HandleFocus(focused);
  if (focused) return;
  if (IsBlank()) VgSignal(OnValueBack, this);
  entry.complete = true;
}

void QORNumberSpinner::Refresh(XObject* sender) {
  ::Button::NumberSpinner::Refresh(sender);
  const VgRect area = caption.Bounds;
  caption.OnSetBounds({area.x1, kNumberTop, area.x2, area.y2 - area.y1 + kNumberTop});
}

// ------------------------------------------------------------ IPConfigDialog

IPConfigDialog::IPConfigDialog(XObject* link) : NonMenuSystem::QORWidgetClass(link) {
  WinID = WinIDs::WIN_ID_NetworkSetupMenu;
  OnSetHasCaption(false);
  OnSetFrameWidth(0);
  Layer = kEditorLayer;
  background.OnSetColor(NonMenuSystem::Look::Panel);
  OnSetOnTimeOut(VgSlotOf<&NonMenuSystem::WidgetClass::Exit>(this));
  Resources::Font* medium = VgLoad<Resources::Font>(Fonts::MediumFont);
  int32_t x = kEditorMargin;
  const int32_t y = kEditorMargin;
  for (int32_t i = 0; i < 4; ++i) {
    auto* spinner = VgNew<QORNumberSpinner>();
    spinners[size_t(i)] = spinner;
    spinner->Index = i;
    spinner->OnSetBounds({x, y, x + kSpinnerWidth, y + kSpinnerHeight});
    spinner->OnSetCurrent(OctetEntry::kMaximum);
    spinner->OnSetOnActivate(VgSlotOf<&IPConfigDialog::DoActivate>(this));
    spinner->OnSetOnValueChange(
        VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(static_cast<Primitives::KeyRoutingForm*>(this)));
    spinner->OnSetOnValueBack(VgSlotOf<&IPConfigDialog::DoBack>(this));
    Add(spinner, 0);
    x += kSpinnerWidth;
    if (i == 3) break;
    auto* dot = VgNew<Views::Text>();
    dots[size_t(i)] = dot;
    dot->OnSetString(VgNewStringAnsi("."));
    dot->OnSetFont(medium);
    dot->OnSetColor(NonMenuSystem::Look::Text);
    dot->OnSetAlignH(Views::Text::AlignCentre);
    dot->OnSetAlignV(Views::Text::AlignBottom);
    dot->OnSetBounds({x, y, x + kDotWidth, y + kSpinnerHeight - 6});
    Add(dot, 0);
    x += kDotWidth;
  }
  const int32_t width = x + kEditorMargin;
  OnSetBounds({0, 210, width, 210 + kSpinnerHeight + 2 * kEditorMargin});
  OnSetFocus(spinners[0]);
}

void IPConfigDialog::OnSetAddress(uint32_t value) {
  octets = Split(value);
  for (int32_t i = 3; i >= 0; --i) spinners[size_t(i)]->OnSetCurrent(octets[size_t(i)]);
}

void IPConfigDialog::DoActivate(XObject*) {
  for (size_t i = 0; i < 4; ++i) octets[i] = uint8_t(spinners[i]->Current);
  VgSignal(OnValueSaved, this);
}

// A blank octet, or one left with a changed value, shows the stored octet.
void IPConfigDialog::DoBack(XObject* sender) {
  auto* spinner = vg_cast<QORNumberSpinner>(sender);
  if (!spinner) return;
  const int32_t stored = octets[size_t(spinner->Index)];
  if (spinner->Current == stored && !spinner->IsBlank()) return;
  spinner->OnSetCurrent(stored);
}

bool IPConfigDialog::TypedInto() const {
  for (size_t i = 0; i < 4; ++i)
    if (spinners[i]->TypedOver(octets[i])) return true;
  return false;
}

XObject* IPConfigDialog::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return NonMenuSystem::QORWidgetClass::HandleEvent(event);
  auto* focused = vg_cast<QORNumberSpinner>(Focus.get());
  const int32_t at = focused ? focused->Index : 0;
  switch (key->keyCode) {
    case Key::Right:
      OnSetFocus(spinners[size_t((at + 1) % 4)]);
      break;
    case Key::Left:
      OnSetFocus(spinners[size_t((at + 3) % 4)]);
      break;
    case Key::Back:
      Exit();
      return this;
    default:
      return NonMenuSystem::QORWidgetClass::HandleEvent(event);
  }
  ResetTimeout();
  return this;
}

// ------------------------------------------------------------ NetworkSetupDialog

NetworkSetupDialog::NetworkSetupDialog(XObject* link) : NonMenuSystem::QORWidgetClass(link) {
  WinID = WinIDs::WIN_ID_NetworkSetupMenu;
  IsShortcut = true;
  OnSetBounds(kSetupBounds);
  OnSetCaption(Text(Strings::SID_NETWORK_SETUP));
  const int32_t width = VgGetRectW(kSetupBounds);
  const int32_t kRowTop = ContentTop() + 4;
  dhcp.OnSetText(Text(Strings::DHCP));
  dhcp.OnSetBounds({kLabelLeft, kRowTop, width - kLabelLeft, kRowTop + 27});
  dhcp.OnSetOnActivate(VgSlotOf<&NetworkSetupDialog::SetDHCP>(this));
  Add(&dhcp, 0);
  int32_t y = kRowTop + kRowStep;
  for (int32_t i = 0; i < kFieldCount; ++i, y += kRowStep) {
    auto* button = VgNew<IPAddressButton>();
    buttons[size_t(i)] = button;
    button->Field = AddressField(i);
    button->OnSetNextState(&IPConfigDialog::Class);
    button->OnSetBounds({kButtonLeft, y, kButtonLeft + kButtonWidth, y + kRowHeight});
    button->OnSetOnActivate(VgSlotOf<&NetworkSetupDialog::DoActivate>(this));
    Add(button, 0);
  }
  constexpr const VgConstant* kLabels[] = {&Strings::IPAddress, &Strings::SubnetMask, &Strings::DefaultGateway,
                                           &Strings::DNSServer};
  Resources::Font* medium = VgLoad<Resources::Font>(Fonts::MediumFont);
  y = kRowTop + kRowStep;
  for (size_t i = 0; i < std::size(kLabels); ++i, y += kRowStep) {
    auto* label = VgNew<Views::Text>();
    labels[i] = label;
    label->OnSetString(Text(*kLabels[i]));
    label->OnSetFont(medium);
    label->OnSetColor(NonMenuSystem::Look::Text);
    label->OnSetAlignV(Views::Text::AlignMiddle);
    // The DNS label stands beside both DNS buttons.
    const int32_t bottom = i + 1 == std::size(kLabels) ? y + kRowStep + kRowHeight : y + kRowHeight;
    label->OnSetBounds({kLabelLeft, y, kButtonLeft - 10, bottom});
    Add(label, 0);
  }
  y += kRowStep;
  ok.OnSetText(Text(Strings::SID_OK));
  ok.OnSetBounds({(width - kOkWidth) / 2, y, (width + kOkWidth) / 2, y + kRowHeight});
  ok.OnSetOnActivate(VgSlotOf<&NetworkSetupDialog::DoOk>(this));
  Add(&ok, 0);
  OnSetFocus(&dhcp);
}

void NetworkSetupDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  NonMenuSystem::QORWidgetClass::Initialize(parameter);
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  model->OnSetIFConfiguration(model->NetworkSetup.LAN_GetIfState(model->GetCurrentLanDevId()));
  dhcp.OnSetIsChecked(model->OnGetAutoSetup() == 1);
  LoadButtons(kFieldCount - 1);
  RefreshGrayout();
}

void NetworkSetupDialog::LoadButtons(int32_t last) {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  for (int32_t i = 0; i <= last && i < kFieldCount; ++i) {
    buttons[size_t(i)]->OnSetAddress(ModelValue(model, AddressField(i)));
  }
}

void NetworkSetupDialog::SetDHCP(XObject*) {
  MainApp::GetWrapper()->OnSetAutoSetup(dhcp.IsChecked ? 1 : 0);
  RefreshGrayout();
}

void NetworkSetupDialog::RefreshGrayout() {
  const bool automatic = MainApp::GetWrapper()->OnGetAutoSetup() == 1;
  for (size_t i = 0; i < buttons.size(); ++i) {
    buttons[i]->OnSetEnabled(!automatic);
    buttons[i]->OnSetIsDisabled(automatic);
  }
}

XObject* NetworkSetupDialog::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (key && key->down && (key->keyCode == Key::Up || key->keyCode == Key::Down)) {
    auto* focused = vg_cast<Forms::Ctrl>(Focus.get());
    Forms::Ctrl* to = nullptr;
    if (key->keyCode == Key::Up) {
      to = focused ? GetPrevCtrl(focused) : nullptr;
      if (!to) to = GetLastCtrl();
    } else {
      to = focused ? GetNextCtrl(focused) : nullptr;
      if (!to) to = GetFirstCtrl();
    }
    if (to) OnSetFocus(to);
    ResetTimeout();
    return this;
  }
  return NonMenuSystem::QORWidgetClass::HandleEvent(event);
}

void NetworkSetupDialog::DoActivate(XObject* sender) {
  auto* button = vg_cast<IPAddressButton>(sender);
  if (!button || !button->NextState || !NonMenuSystem) return;
  // The editor answers this dialog only: it leaves with it, also when the
  // dialog gives its layer up to another screen.
  auto* editor = vg_cast<IPConfigDialog>(SubSystem::Open(
      NonMenuSystem, {.screen = button->NextState, .back = GetClass(), .origin = OriginTag(), .asker = this}));
  if (!editor) return;
  editor->OnSetAddress(button->Address);
  editor->FieldIndex = button->Field;
  editor->OnValueSaved = VgSlotOf<&NetworkSetupDialog::SaveAddress>(this);
}

void NetworkSetupDialog::SaveAddress(XObject* sender) {
  auto* editor = vg_cast<IPConfigDialog>(sender);
  if (!editor) return;
  const uint32_t value = editor->OnGetAddress();
  const int32_t field = int32_t(editor->FieldIndex);
  editor->Close();
  if (field < 0 || field >= kFieldCount) return;
  if (const VgConstant* fault = AddressFault(editor->FieldIndex, value)) {
    auto* info = VgNew<AddressErrorInfo>();
    const VgPoint size = VgGetRectSize(info->Bounds);
    info->OnSetBounds({ErrorAt.x, ErrorAt.y, ErrorAt.x + size.x, ErrorAt.y + size.y});
    info->OnSetCaption(Text(*fault));
    info->OnSetOnClose(VgSlotOf<&NetworkSetupDialog::DoCloseErrorInfo>(this));
    errorInfo = info;
    refusedField = field;
    Add(info, 0);
    OnSetFocus(info);
    return;
  }
  buttons[size_t(field)]->OnSetAddress(value);
  WriteModel(MainApp::GetWrapper(), editor->FieldIndex, value);
}

void NetworkSetupDialog::DoCloseErrorInfo(XObject* sender) {
  auto* info = vg_cast<AddressErrorInfo>(sender);
  if (!info || info != errorInfo.get()) return;
  Remove(info);
  errorInfo = nullptr;
  LoadButtons(kLastCheckedField);
  OnSetFocus(buttons[size_t(refusedField)]);
}

}  // namespace Network
