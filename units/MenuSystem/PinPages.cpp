#include "MenuSystem/PinPages.h"

#include <span>

#include "AppServices/Messages.h"
#include "AppServices/PersistentData.h"
#include "Colors/Colors.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Core/Keys.h"
#include "Fonts/Fonts.h"
#include "MenuSystem/BrcmMainMenu.h"
#include "MenuSystem/MenuSystem.h"
#include "PersistentData/PersistentData.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Resources/Font.h"
#include "SkinBin/UserRefInt.h"
#include "Strings.h"
#include "SubSystem/Open.h"
#include "WinIDs/WinIDs.h"
#include "vgresmap.h"
#include "vgslot.h"
#include "vgtrace.h"

VG_DEFINE_CLASS(MenuSystem, EnterPinMenu, ::MenuSystem::BrcmSubMenu)
VG_DEFINE_CLASS(MenuSystem, ChangePinMenu, ::MenuSystem::BrcmSubMenu)

namespace MenuSystem {

namespace {

using OptionDatabase::Sid;

constexpr const char* kLocksPage = "MenuSystem::BrcmLocksMenu";
constexpr const char* kMainMenu = "MenuSystem::BrcmMainMenu";

constexpr PinPageType kEnterPinTypes[] = {
    {.type = 2, .next = kLocksPage, .back = kMainMenu},
};
constexpr PinPageType kChangePinTypes[] = {
    {.type = 1, .next = kLocksPage, .back = kMainMenu},
    {.type = 3, .level = 3, .subtitle = Sid(Strings::LocksMenuChangePIN), .next = kLocksPage, .back = kLocksPage},
};

// Neither page has rows; the title is the Locks topic's until a type adds
// its subtitle.
constexpr PageTable kPinPage{.title = Sid(Strings::MainMenuLocks)};

const char16_t kPinKey[] = u"Password";
const char16_t kZeroPin[] = u"0000";

void StyleText(Views::Text* text, VgRect bounds) {
  text->OnSetBounds(bounds);
  text->OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  text->OnSetColor(Colors::White);
  text->OnSetAlignV(Views::Text::AlignMiddle);
}

void StyleLabel(Views::Text* label, VgRect bounds, const VgConstant& text) {
  StyleText(label, bounds);
  label->OnSetAutoSize(true);
  label->OnSetString(VgConcatString(VgGetVariantOfString(&text), VgGetVariantOfString(&Strings::SID_LABEL_COLON)));
}

// The arrows would move a carousel the page does not have, and LEFT would
// take a digit back: the entries take no delete key.
void PreparePin(SkinBin::PinEntry* pin, VgRect bounds) {
  pin->OnSetBounds(bounds);
  pin->OnSetDeleteKey(Key::None);
}

// Sets the page up for a PIN type: level, title, and where it leads and
// returns. A type without a row changes nothing else.
void ApplyType(BrcmSubMenu* page, std::span<const PinPageType> types, int32_t type) {
  const PinPageType* row = nullptr;
  for (const PinPageType& candidate : types)
    if (candidate.type == type) row = &candidate;
  if (!row) {
    VgPrint("%s: no PIN type %d\n", page->GetClass()->name, type);
    return;
  }
  page->MenuLevel = row->level;
  page->NextState = row->next ? VgFindClass(row->next) : nullptr;
  page->PrevState = row->back ? VgFindClass(row->back) : nullptr;
  VgString title = OptionDatabase::LoadText(kPinPage.title);
  if (row->subtitle.constant || row->subtitle.fixed)
    title = VgConcatString(VgConcatString(title, VgNewString(u" - ")), OptionDatabase::LoadText(row->subtitle));
  page->OnSetLabelstring(title);
}

// What both pages take from their opening: the sub-system as parent, and the
// type from a SkinBin::UserRefInt. The carousel, options and message agent
// of the base page are not set up: the page has no rows.
int32_t TypeOf(Primitives::KeyRoutingParameter* parameter) {
  auto* record = parameter ? vg_cast<SkinBin::UserRefInt>(parameter->Param.get()) : nullptr;
  return record ? record->Value : 0;
}

void DropSpare(BrcmSubMenu* page) {
  if (page->carousel.Spare && page->carousel.Spare->owner.get() == page) page->Remove(page->carousel.Spare);
}

bool IsArrow(Core::Event* event) { return Key::IsArrow(Core::PressedKey(event)); }

// Closes the page and opens the one its type leads to; the main menu keeps
// that page beside it and asks for the PIN from now on.
void LeadOn(BrcmSubMenu* page) {
  auto* system = SystemOf(page);
  const VgClass* next = page->NextState;
  const VgClass* self = page->GetClass();
  page->Close();
  if (!system) return;
  Primitives::KeyRoutingForm* opened = next ? SubSystem::Open(system, {.screen = next, .back = self}) : nullptr;
  MainApp::SendMessage(Constants::MSG_CHANGE_APPEARANCE, &BrcmMainMenu::Class, CarouselMenu::AppearancePinAccepted,
                       opened);
}

// Going back from the PIN field is pressing Return on the page.
void GoBack(BrcmSubMenu* page) { page->HandleEvent(VgNew<Core::KeyEvent>()->Initialize(Key::Back, true)); }

}  // namespace

// --------------------------------------------------------------- enter PIN

EnterPinMenu::EnterPinMenu() : BrcmSubMenu(kPinPage) {
  WinID = WinIDs::WIN_ID_PinEntry;
  PreparePin(&pin, {204, 250, 414, 310});
  pin.OnSetOnResetTimeout(VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(static_cast<Primitives::KeyRoutingForm*>(this)));
  pin.OnSetOnPrevPin(VgSlotOf<&EnterPinMenu::EnterPrevState>(this));
  pin.OnSetOnCompleteEntry(VgSlotOf<&EnterPinMenu::CheckPassword>(this));
  Add(&pin, 0);
  StyleLabel(&label, {80, 271, 151, 293}, Strings::SID_ENTER_PIN);
  Add(&label, 0);
  StyleText(&messageLine, {50, 210, 500, 260});
  messageLine.OnSetAlignH(Views::Text::AlignCentre);
  Add(&messageLine, 0);
  OnSetFocus(&pin);
}

void EnterPinMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  CarouselMenu::Initialize(parameter);
  OnSetEnterPinType(TypeOf(parameter));
  StoredPin = MainApp::GetPersistentData()->GetString(VgNewString(kPinKey));
  DropSpare(this);
}

void EnterPinMenu::OnSetEnterPinType(int32_t type) {
  EnterPinType = type;
  ApplyType(this, kEnterPinTypes, type);
}

XObject* EnterPinMenu::HandleEvent(Core::Event* event) {
  if (IsArrow(event)) return this;
  return BrcmSubMenu::HandleEvent(event);
}

void EnterPinMenu::CheckPassword(XObject* sender) {
  auto* entry = vg_cast<SkinBin::PinEntry>(sender);
  if (!entry) return;
  if (VgCompString(entry->CurrentPin(), StoredPin) == 0) {
    EnterNextState();
    return;
  }
  VgTrace("%s", u"PasswordIncorrect");
  entry->Clear();
  messageLine.OnSetString(VgGetVariantOfString(&Strings::SID_MSG_LOCKS_INCORRECT_PIN_CODE));
}

void EnterPinMenu::EnterNextState(XObject*) { LeadOn(this); }

void EnterPinMenu::EnterPrevState(XObject*) { GoBack(this); }

// -------------------------------------------------------------- change PIN

ChangePinMenu::ChangePinMenu() : BrcmSubMenu(kPinPage) {
  WinID = WinIDs::WIN_ID_PinEntry;
  const VgSlot resetTimeout =
      VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(static_cast<Primitives::KeyRoutingForm*>(this));
  PreparePin(&newPin, {206, 230, 411, 310});
  newPin.OnSetOnResetTimeout(resetTimeout);
  newPin.OnSetOnPrevPin(VgSlotOf<&ChangePinMenu::EnterPrevState>(this));
  newPin.OnSetOnCompleteEntry(VgSlotOf<&ChangePinMenu::FirstPassword>(this));
  Add(&newPin, 0);
  PreparePin(&confirmPin, {204, 280, 414, 340});
  confirmPin.OnSetOnResetTimeout(resetTimeout);
  confirmPin.OnSetOnCompleteEntry(VgSlotOf<&ChangePinMenu::CheckPassword>(this));
  Add(&confirmPin, 0);
  StyleLabel(&newLabel, {80, 260, 144, 282}, Strings::SID_NEW_PIN);
  Add(&newLabel, 0);
  StyleLabel(&confirmLabel, {80, 301, 167, 323}, Strings::SID_MSG_LOCKS_PIN_CODE_CONFIRM);
  Add(&confirmLabel, 0);
  StyleText(&messageLine, {60, 200, 500, 240});
  messageLine.OnSetAlignH(Views::Text::AlignCentre);
  Add(&messageLine, 0);
  OnSetFocus(&newPin);
}

void ChangePinMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  CarouselMenu::Initialize(parameter);
  OnSetChangePinType(TypeOf(parameter));
  DropSpare(this);
}

void ChangePinMenu::OnSetChangePinType(int32_t type) {
  ChangePinType = type;
  ApplyType(this, kChangePinTypes, type);
}

XObject* ChangePinMenu::HandleEvent(Core::Event* event) {
  if (IsArrow(event)) return this;
  return BrcmSubMenu::HandleEvent(event);
}

// The PIN itself never reaches the log.
void ChangePinMenu::FirstPassword(XObject*) {
  VgTrace("%s", u"store the first input password.");
  FirstPin = newPin.CurrentPin();
  OnSetFocus(&confirmPin);
  VgTrace("%s", u"input password again.");
}

void ChangePinMenu::CheckPassword(XObject*) {
  VgString entered = confirmPin.CurrentPin();
  const bool same = VgCompString(entered, FirstPin) == 0;
  if (same && VgCompString(entered, VgNewString(kZeroPin)) != 0) {
    MainApp::GetPersistentData()->PutString(VgNewString(kPinKey), entered);
    EnterNextState();
    return;
  }
  FirstPin = nullptr;
  newPin.Clear();
  confirmPin.Clear();
  OnSetFocus(&newPin);
  messageLine.OnSetString(VgGetVariantOfString(same ? &Strings::SID_MSG_LOCKS_ZERO_PIN_CODE
                                                    : &Strings::SID_MSG_LOCKS_INCORRECT_PIN_CODE));
}

void ChangePinMenu::EnterNextState(XObject*) { LeadOn(this); }

void ChangePinMenu::EnterPrevState(XObject*) { GoBack(this); }

}  // namespace MenuSystem
