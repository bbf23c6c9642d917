#include "ParentalLocks/EditRatingLimits.h"

#include "Core/KeyEvent.h"
#include "NonMenuSystem/ConfirmOptionDialog.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "ParentalLocks/RatingTableDialog.h"
#include "Strings.h"
#include "SubSystem/Open.h"
#include "WinIDs/WinIDs.h"
#include "vgresmap.h"
#include "vgslot.h"

VG_DEFINE_CLASS(ParentalLocks, EditRatingLimits, ::NonMenuSystem::QORWidgetClass)

namespace ParentalLocks {

namespace {

struct LimitScreen {
  const VgConstant* caption;
  const VgClass* screen;
};

const LimitScreen kScreens[EditRatingLimits::ScreenCount] = {
    {&Strings::RatingLocksMenuUSATV, &USTVRatingsDialog::Class},
    {&Strings::RatingLocksMenuUSAMovie, &USMovieRatingsDialog::Class},
    {&Strings::RatingLocksMenuCANEnglish, &CANEnglishRatingsDialog::Class},
    {&Strings::RatingLocksMenuCANFrench, &CANFrenchRatingsDialog::Class},
};

constexpr int32_t kWidth = 420;
constexpr int32_t kButtonHeight = 40;
constexpr int32_t kButtonPitch = 48;

}  // namespace

EditRatingLimits::EditRatingLimits(XObject* link) : QORWidgetClass(link) {
  WinID = WinIDs::WIN_ID_EditRatingLimits;
  PrevState = VgFindClass("MenuSystem::ParentalLocksMenu");
  OnSetCaption(VgGetVariantOfString(&Strings::SID_EDIT_RATING_LIMITS));
  const int32_t top = ContentTop();
  OnSetBounds({0, 100, kWidth, 100 + top + ScreenCount * kButtonPitch + FrameWidth});
  for (int32_t i = 0; i < ScreenCount; ++i) {
    Button::Button& button = buttons[i];
    button.OnSetBounds({ContentLeft(), top + i * kButtonPitch, ContentRight(), top + i * kButtonPitch + kButtonHeight});
    button.OnSetText(VgGetVariantOfString(kScreens[i].caption));
    NonMenuSystem::ConfirmOptionDialog::StyleButton(&button);
    button.OnSetOnActivate(VgSlotOf<&EditRatingLimits::DoOpen>(this));
    Add(&button, 0);
  }
  OnSetFocus(&buttons[0]);
}

XObject* EditRatingLimits::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (key && key->down && (key->keyCode == Key::Up || key->keyCode == Key::Down)) {
    for (int32_t i = 0; i < ScreenCount; ++i) {
      const int32_t to = i + (key->keyCode == Key::Up ? -1 : 1);
      if (Focus.get() == &buttons[i] && to >= 0 && to < ScreenCount) {
        OnSetFocus(&buttons[to]);
        break;
      }
    }
  }
  return QORWidgetClass::HandleEvent(event);
}

void EditRatingLimits::DoOpen(XObject* sender) {
  for (int32_t i = 0; i < ScreenCount; ++i) {
    if (sender != &buttons[i]) continue;
    ::NonMenuSystem::NonMenuSystem* system = NonMenuSystem;
    Close();
    SubSystem::Open(system, {.screen = kScreens[i].screen, .back = GetClass(), .origin = OriginTag()});
    return;
  }
}

}  // namespace ParentalLocks
