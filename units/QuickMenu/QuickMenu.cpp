#include "QuickMenu/QuickMenu.h"

#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "NonMenuSystem/ConfirmOptionDialog.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Strings.h"
#include "SubSystem/Open.h"
#include "Views/Text.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(QuickMenu, QuickMenu, NonMenuSystem::QORWidgetClass)

namespace QuickMenu {

namespace {

constexpr int32_t kTop = 90;

constexpr QuickItem kItems[] = {
    {&Strings::SID_QUICK_PICTURE, "MenuSystem::PictureMenu"},
    {&Strings::SID_QUICK_SOUND, "MenuSystem::SoundMenu"},
    {&Strings::SID_QUICK_TIMESHIFT, "Record::TimeshiftStatusDialog"},
    {&Strings::SID_QUICK_USB_DISK_STATUS, "Record::USBDiskStatusDialog"},
    {&Strings::SID_QUICK_WIRELESS_INFORMATION, "Network::WirelessInformationMenu"},
    {&Strings::SID_QUICK_3D_SETTINGS, "QuickMenu::Quick3DSettings"},
};

}  // namespace

QuickMenu::QuickMenu(XObject* link) : NonMenuSystem::QORWidgetClass(link) {
  WinID = WinIDs::WIN_ID_QuickMenu;
  for (size_t i = 0; i < items.size(); ++i) {
    items[i] = VgNew<Button::Button>();
    NonMenuSystem::ConfirmOptionDialog::StyleButton(items[i]);
    items[i]->OnSetTextAlignH(Views::Text::AlignLeft);
    items[i]->OnSetTextGap(16);
  }
  SetItems(kItems, &Strings::SID_QUICK_MENU);
}

void QuickMenu::SetItems(std::span<const QuickItem> table, const VgConstant* caption) {
  for (int32_t i = 0; i < ItemCount; ++i) Remove(items[size_t(i)]);
  table_ = table;
  ItemCount = int32_t(table.size()) < MaxItems ? int32_t(table.size()) : MaxItems;
  OnSetCaption(VgGetVariantOfString(caption));
  const int32_t top = ContentTop();
  const int32_t height = top + ItemCount * (ItemHeight + ItemGap) - ItemGap + FrameWidth;
  OnSetBounds({0, kTop, MenuWidth, kTop + height});
  for (int32_t i = 0; i < ItemCount; ++i) {
    Button::Button* item = items[size_t(i)];
    const int32_t y = top + i * (ItemHeight + ItemGap);
    item->OnSetBounds({ContentLeft(), y, ContentRight(), y + ItemHeight});
    item->OnSetText(VgGetVariantOfString(table[size_t(i)].caption));
    Add(item, 0);
  }
  if (ItemCount > 0) OnSetFocus(items[0]);
}

int32_t QuickMenu::OnGetCurrentItem() const {
  for (int32_t i = 0; i < ItemCount; ++i)
    if (Focus.get() == items[size_t(i)]) return i;
  return -1;
}

void QuickMenu::OpenItem() {
  const int32_t current = OnGetCurrentItem();
  if (current < 0 || !NonMenuSystem) return;
  const char* screen = table_[size_t(current)].screen;
  const VgClass* cls = VgFindClass(screen);
  if (!cls) {
    // The opener tells the log; the menu stays for another choice.
    SubSystem::Open(NonMenuSystem, screen);
    return;
  }
  Close();
  SubSystem::Open(NonMenuSystem,
                  {.screen = cls, .back = GetClass(), .origin = Constants::MSG_FROM_QUICKMENU});
}

XObject* QuickMenu::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return NonMenuSystem::QORWidgetClass::HandleEvent(event);
  const int32_t current = OnGetCurrentItem();
  switch (key->keyCode) {
    case Key::Up:
      if (ItemCount > 0) OnSetFocus(items[size_t((current + ItemCount - 1) % ItemCount)]);
      break;
    case Key::Down:
      if (ItemCount > 0) OnSetFocus(items[size_t((current + 1) % ItemCount)]);
      break;
    case Key::Ok:
    case Key::Right:
      OpenItem();
      return this;
    case Key::Quick:
      Exit();
      return this;
    default:
      return NonMenuSystem::QORWidgetClass::HandleEvent(event);
  }
  ResetTimeout();
  return this;
}

}  // namespace QuickMenu
