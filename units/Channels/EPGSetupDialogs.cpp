#include "Channels/EPGSetupDialogs.h"

#include <array>

#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "AppServices/MessageAgent.h"
#include "AppServices/PersistentData.h"
#include "AppServices/Wrapper.h"
#include "NonMenuSystem/KeyPad.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "PersistentData/PersistentData.h"
#include "SkinBin/Wrapper.h"
#include "Strings.h"
#include "Structures/Message.h"
#include "Structures/Boxes.h"
#include "SubSystem/Open.h"
#include "WinIDs/WinIDs.h"
#include "vgdebug.h"

VG_DEFINE_CLASS(Channels, FullEPGScanConfirmDialog, ::NonMenuSystem::ConfirmMultiOptionDialog)
VG_DEFINE_CLASS(Channels, EPGLoginAccountDialog, ::NonMenuSystem::QORWidgetClass)

namespace Channels {

namespace {

VgString Text(const VgConstant& constant) { return VgGetVariantOfString(&constant); }

VgString Joined(VgString a, const char16_t* middle, VgString b) {
  return VgConcatString(VgConcatString(a, VgNewString(middle)), b);
}

// The settings of the account.
constexpr char16_t kAccountKey[] = u"IsEPGAccountSetup";
constexpr char16_t kCodeSetKey[] = u"IsEPGZIPCodeSetup";
constexpr char16_t kCountryKey[] = u"EPGCountry";
constexpr char16_t kMediumKey[] = u"EPGMedium";
// The code itself, so that the dialog shows it again.
constexpr char16_t kCodeKey[] = u"EPGZIPCode";

PersistentData::PersistentData* Store() { return MainApp::GetPersistentData(); }
int32_t ReadSetting(const char16_t* key) { return Store()->GetInteger(VgNewString(key)); }
void WriteSetting(const char16_t* key, int32_t value) { Store()->PutInteger(VgNewString(key), value); }

constexpr std::array<const VgConstant*, 2> kCountries{&Strings::SID_US, &Strings::SID_CANADA};
constexpr std::array<const VgConstant*, 2> kMedia{&Strings::SID_ANTENNA, &Strings::SID_CABLE};

constexpr int32_t kWidth = 520;
constexpr int32_t kRowHeight = 36;
constexpr int32_t kRowGap = 8;
constexpr int32_t kDoneWidth = 160;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

}  // namespace

// ------------------------------------------------------------- guide scan

FullEPGScanConfirmDialog::FullEPGScanConfirmDialog(XObject* link) : ConfirmMultiOptionDialog(link) {}

void FullEPGScanConfirmDialog::OnSetConfirmType(int32_t type) {
  ConfirmOptionDialog::OnSetConfirmType(type);
  OnSetCaption(Text(Strings::SID_FULL_EPG_SCAN));
  OnSetWarningInfo(Text(Strings::SID_EPG_SCAN_QUESTION));
}

void FullEPGScanConfirmDialog::EnterNextState() {
  if (!MainApp::GetWrapper()->StartEPGScan()) {
    GoBack();
    return;
  }
  Scanning = true;
  // The scan takes as long as the ring is; no time-out cuts it.
  OnSetOnTimeOut(VgSlot());
  yesButton.OnSetVisible(false);
  noButton.OnSetVisible(false);
  OnSetFocus(nullptr);
  ShowProgress(0);
}

void FullEPGScanConfirmDialog::ShowProgress(int32_t percent) {
  VgString text = Joined(Text(Strings::SID_SCANNING), u" ", VgNewStringInt(percent, 0));
  OnSetWarningInfo(VgConcatString(text, VgNewString(u"%")));
}

bool FullEPGScanConfirmDialog::FollowsTheWorld(Core::Event* event) const {
  return vg_cast<Events::XPM_EVENT_EPG_CHANNEL_SCAN_PROGRESS>(event) ||
         vg_cast<Events::XPM_EVENT_EPG_FULL_SCAN_COMPLETE>(event) || vg_cast<Events::XPM_EVENT_EPG_FULL_SCAN_ABORTED>(event);
}

XObject* FullEPGScanConfirmDialog::HandleEvent(Core::Event* event) {
  if (!Scanning) return ConfirmMultiOptionDialog::HandleEvent(event);
  if (auto* progress = vg_cast<Events::XPM_EVENT_EPG_CHANNEL_SCAN_PROGRESS>(event)) {
    ShowProgress(progress->Values[0]);
    return this;
  }
  if (vg_cast<Events::XPM_EVENT_EPG_FULL_SCAN_COMPLETE>(event) || vg_cast<Events::XPM_EVENT_EPG_FULL_SCAN_ABORTED>(event)) {
    Scanning = false;
    GoBack();
    // The guide reads its data again on the completion too.
    return nullptr;
  }
  const uint16_t key = Core::PressedKey(event);
  if (key == Key::None || key >= KeyFirstUnhandled) return nullptr;
  if (key != Key::ClearAll && key != Key::Exit && key != Key::Back) return this;
  Scanning = false;
  MainApp::GetWrapper()->StopEPGScan();
  return QORWidgetClass::HandleEvent(event);
}

void FullEPGScanConfirmDialog::Close(XObject* sender) {
  if (Scanning) MainApp::GetWrapper()->StopEPGScan();
  Scanning = false;
  ConfirmMultiOptionDialog::Close(sender);
}

// ---------------------------------------------------------------- account

int32_t EPGLoginAccountDialog::CodeLength(int32_t country) { return country == CountryCanada ? 7 : 5; }

bool EPGLoginAccountDialog::IsValidCode(int32_t country, VgString code) {
  const int32_t length = VgGetStringLength(code);
  if (country != CountryCanada) {
    if (length != 5) return false;
    for (int32_t i = 0; i < length; ++i)
      if (!IsDigit(VgGetStringChar(code, i))) return false;
    return true;
  }
  // A1A 1A1, the blank optional.
  int32_t position = 0;
  for (int32_t i = 0; i < length; ++i) {
    const char16_t c = VgGetStringChar(code, i);
    if (c == u' ' && position == 3 && i == 3) continue;
    if (position >= 6) return false;
    if (position % 2 == 0 ? !IsLetter(c) : !IsDigit(c)) return false;
    ++position;
  }
  return position == 6;
}

EPGLoginAccountDialog::EPGLoginAccountDialog(XObject* link) : QORWidgetClass(link) {
  OnSetCaption(Text(Strings::SID_EPG_SETUP));
  int32_t top = ContentTop() + kRowGap;
  const int32_t left = ContentLeft() + 8;
  const int32_t right = kWidth - FrameWidth - 8;
  for (Button::Button* row : {&codeRow, &countryRow, &mediumRow}) {
    NonMenuSystem::ConfirmOptionDialog::StyleButton(row);
    row->OnSetTextAlignH(Views::Text::AlignLeft);
    row->OnSetTextGap(12);
    row->OnSetBounds({left, top, right, top + kRowHeight});
    Add(row, 0);
    top += kRowHeight + kRowGap;
  }
  NonMenuSystem::ConfirmOptionDialog::StyleButton(&doneButton);
  const int32_t doneLeft = (kWidth - kDoneWidth) / 2;
  top += kRowGap;
  doneButton.OnSetBounds({doneLeft, top, doneLeft + kDoneWidth, top + kRowHeight});
  doneButton.OnSetText(Text(Strings::SID_DONE));
  Add(&doneButton, 0);
  OnSetBounds({0, 0, kWidth, top + kRowHeight + FrameWidth + kRowGap});
  codeRow.OnSetOnActivate(VgSlotOf<&EPGLoginAccountDialog::OnCode>(this));
  doneButton.OnSetOnActivate(VgSlotOf<&EPGLoginAccountDialog::OnDone>(this));
  OnSetFocus(&codeRow);
}

void EPGLoginAccountDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  QORWidgetClass::Initialize(parameter);
  Country = ReadSetting(kCountryKey) == CountryCanada ? CountryCanada : CountryUSA;
  Medium = ReadSetting(kMediumKey) == 1 ? 1 : 0;
  Code = ReadSetting(kCodeSetKey) ? Store()->GetString(VgNewString(kCodeKey)) : nullptr;
  ShowRows();
}

void EPGLoginAccountDialog::Open(XObject* sender) {
  QORWidgetClass::Open(sender);
  MainApp::GetMessageAgent()->Register(this);
}

void EPGLoginAccountDialog::Close(XObject* sender) {
  QORWidgetClass::Close(sender);
  MainApp::GetMessageAgent()->UnRegister(this);
}

void EPGLoginAccountDialog::ShowRows() {
  VgString code = VgGetStringLength(Code) > 0 ? Code.get() : VgNewString(u"-----");
  auto label = [](const VgConstant& text) { return VgConcatString(Text(text), Text(Strings::SID_LABEL_COLON)); };
  codeRow.OnSetText(Joined(label(Strings::SID_ZIP_CODE), u"  ", code));
  countryRow.OnSetText(Joined(label(Strings::SID_COUNTRY), u"  < ",
                              VgConcatString(Text(*kCountries[size_t(Country)]), VgNewString(u" >"))));
  mediumRow.OnSetText(Joined(label(Strings::SID_ANT_CABLE_IN), u"  < ",
                             VgConcatString(Text(*kMedia[size_t(Medium)]), VgNewString(u" >"))));
}

void EPGLoginAccountDialog::Step(int32_t rows) {
  Core::View* order[] = {&codeRow, &countryRow, &mediumRow, &doneButton};
  int32_t at = 0;
  for (int32_t i = 0; i < 4; ++i)
    if (order[i] == Focus.get()) at = i;
  OnSetFocus(order[(at + rows + 4) % 4]);
}

XObject* EPGLoginAccountDialog::HandleEvent(Core::Event* event) {
  const uint16_t key = Core::PressedKey(event);
  if (key == Key::Up || key == Key::Down) {
    Step(key == Key::Down ? 1 : -1);
    ResetTimeout();
    return this;
  }
  const bool country = Focus.get() == &countryRow;
  if ((key == Key::Left || key == Key::Right) && (country || Focus.get() == &mediumRow)) {
    // Two choices each: either key turns to the other one.
    if (country) {
      Country = Country == CountryUSA ? CountryCanada : CountryUSA;
      WriteSetting(kCountryKey, Country);
      // A code of the other country no longer fits.
      if (!IsValidCode(Country, Code)) {
        Code = nullptr;
        WriteSetting(kCodeSetKey, 0);
      }
    } else {
      Medium = 1 - Medium;
      WriteSetting(kMediumKey, Medium);
    }
    ShowRows();
    ResetTimeout();
    return this;
  }
  return QORWidgetClass::HandleEvent(event);
}

void EPGLoginAccountDialog::OnCode(XObject*) {
  ResetTimeout();
  SubSystem::Open(NonMenuSystem, {.screen = &NonMenuSystem::KeyPad::Class,
                                  .back = GetClass(),
                                  .value = CodeLength(Country),
                                  .origin = OriginTag(),
                                  .text = Code,
                                  .asker = this});
}

void EPGLoginAccountDialog::HandleMessage(Structures::Message* message) {
  QORWidgetClass::HandleMessage(message);
  if (!message || message->Code != Constants::MSG_LABEL_CHANGE) return;
  auto* answer = vg_cast<Structures::RefString>(message->Payload.get());
  VgString code = answer ? answer->Value.get() : nullptr;
  if (!IsValidCode(Country, code)) {
    VgPrint("Channels::EPGLoginAccountDialog: the code typed does not fit the country; the old one stays\n");
    return;
  }
  Code = code;
  Store()->PutString(VgNewString(kCodeKey), code);
  WriteSetting(kCodeSetKey, 1);
  ShowRows();
}

void EPGLoginAccountDialog::OnDone(XObject*) {
  WriteSetting(kAccountKey, ReadSetting(kCodeSetKey) ? 1 : 0);
  GoBack();
}

}  // namespace Channels
