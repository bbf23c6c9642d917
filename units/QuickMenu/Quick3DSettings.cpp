#include "QuickMenu/Quick3DSettings.h"

#include "Strings.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(QuickMenu, Quick3DSettings, QuickMenu::QuickMenu)

namespace QuickMenu {

namespace {

constexpr QuickItem kItems[] = {
    {&Strings::SID_QUICK_3D_FORMAT, "ThreeD::SelectFormat"},
    {&Strings::SID_QUICK_2D_FORMAT, "ThreeD::Select2DFormat"},
};

}  // namespace

Quick3DSettings::Quick3DSettings(XObject* link) : QuickMenu(link) {
  WinID = WinIDs::WIN_ID_Quick3DSettings;
  SetItems(kItems, &Strings::SID_QUICK_3D_SETTINGS);
}

}  // namespace QuickMenu
