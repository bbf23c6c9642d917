#include "NonMenuSystem/CommonMuteBar.h"

#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/Look.h"
#include "Strings.h"
#include "WinIDs/WinIDs.h"
#include "vgslot.h"

VG_DEFINE_CLASS(NonMenuSystem, CommonMuteBar, ::NonMenuSystem::WidgetClass)

namespace NonMenuSystem {

namespace {

constexpr VgRect kBounds{770, 36, 920, 96};
constexpr int32_t kIconSize = 32;

}  // namespace

CommonMuteBar::CommonMuteBar(XObject* link) : WidgetClass(link) {
  WinID = WinIDs::WIN_ID_MuteBar;
  Layer = MuteLayer;
  FocusOnOpen = false;
  background.OnSetColor(Look::Transparent);
  frame.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::HelpBarFrame));
  icon.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::MuteSpeaker));
  icon.OnSetAlignH(Views::Text::AlignCentre);
  icon.OnSetAlignV(Views::Text::AlignMiddle);
  label.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  label.OnSetColor(Look::Text);
  label.OnSetAlignV(Views::Text::AlignMiddle);
  label.OnSetString(VgGetVariantOfString(&Strings::SID_MUTE_FULL));
  Add(&frame, 0);
  Add(&icon, 0);
  Add(&label, 0);
  const int32_t w = VgGetRectW(kBounds);
  const int32_t h = VgGetRectH(kBounds);
  frame.OnSetBounds({0, 0, w, h});
  icon.OnSetBounds({14, (h - kIconSize) / 2, 14 + kIconSize, (h + kIconSize) / 2});
  label.OnSetBounds({14 + kIconSize + 10, 0, w - 10, h});
  WidgetOrigin = {kBounds.x1, kBounds.y1};
  OnSetBounds(kBounds);
}

void CommonMuteBar::Open(XObject* sender) {
  WidgetClass::Open(sender);
  VgAttachObjObserver(VgSlotOf<&CommonMuteBar::FollowMute>(this), MainApp::GetWrapper(),
                      SkinBin::Wrapper::MuteChanged);
}

void CommonMuteBar::Close(XObject* sender) {
  VgDetachObjObserver(VgSlotOf<&CommonMuteBar::FollowMute>(this), MainApp::GetWrapper(),
                      SkinBin::Wrapper::MuteChanged);
  WidgetClass::Close(sender);
}

void CommonMuteBar::FollowMute(XObject*) {
  if (MainApp::GetWrapper()->OnGetMute() == 0) Close();
}

}  // namespace NonMenuSystem
