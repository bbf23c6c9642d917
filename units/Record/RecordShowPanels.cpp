#include "Record/RecordShowPanels.h"

#include <algorithm>

#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "ListForm/RecordTexts.h"
#include "NonMenuSystem/Look.h"
#include "Record/RecordPieces.h"
#include "Record/RecordPlayback.h"
#include "SkinBin/RecordData.h"
#include "Resources/Bitmap.h"
#include "Strings.h"
#include "vgslot.h"

VG_DEFINE_CLASS(Record, EPGInfoForm, Primitives::KeyRoutingForm)
VG_DEFINE_CLASS(Record, RecordShowInfo, Primitives::KeyRoutingForm)

namespace Record {

namespace {

namespace Look = NonMenuSystem::Look;

constexpr int32_t kMargin = 10;
constexpr int32_t kRow = 26;
constexpr int32_t kIcon = 24;
constexpr int32_t kDescriptionRows = 3;
constexpr int32_t kDescriptionLine = 22;
constexpr int32_t kTimeWidth = 200;
constexpr int32_t kTitleGap = 20;

constexpr int32_t kInfoWidth = 890;
constexpr int32_t kInfoHeight = 190;
constexpr int32_t kPopupWidth = 800;
constexpr int32_t kPopupHeight = 190;

// The help bar of the panel under the recorded shows: an icon and its label.
struct HelpEntry {
  const VgConstant* icon;
  const VgConstant* label;
  const char* suffix;
};
constexpr HelpEntry kHelp[EPGInfoForm::HelpCount] = {
    {&Bitmaps::HelpBarUpDown, &Strings::SID_SELECT, ""},  {&Bitmaps::HelpBarRedBall, &Strings::SID_DELETE, ""},
    {&Bitmaps::HelpBarPageUp, &Strings::SID_PAGE, " Up"}, {&Bitmaps::HelpBarPageDown, &Strings::SID_PAGE, " Dn"},
    {&Bitmaps::HelpBarExit, &Strings::SID_EXIT, ""},      {&Bitmaps::HelpBarOk, &Strings::SID_UPDATE, ""},
};
constexpr int32_t kHelpStep = 140;

void StyleText(Views::Text& text, const VgConstant& font, VgColor colour) {
  text.OnSetFont(VgLoad<Resources::Font>(font));
  text.OnSetColor(colour);
  text.OnSetAlignV(Views::Text::AlignMiddle);
}

void ShowImage(Views::Image& image, const VgConstant& bitmap) {
  image.OnSetBitmap(VgLoad<Resources::Bitmap>(bitmap));
  image.OnSetVisible(false);
}

}  // namespace

// ------------------------------------------------------------ both panels

ShowPanel::ShowPanel(XObject* link, const VgConstant& frameBitmap) : Primitives::KeyRoutingForm(link) {
  background.OnSetBitmap(VgLoad<Resources::Bitmap>(frameBitmap));
  StyleText(timeText, Fonts::EPGListFont0, Look::Text);
  timeText.OnSetAlignH(Views::Text::AlignRight);
  StyleText(titleText, Fonts::EPGListFont, Look::Caption);
  titleText.OnSetEllipsis(true);
  StyleText(ratingText, Fonts::BannerBasicInfo, Look::Text);
  ratingText.OnSetEllipsis(true);
  description.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  description.OnSetColor(Look::TextDim);
  description.OnSetPageDownKey(Key::FastForward);
  description.OnSetPageUpKey(Key::Rewind);
  line.OnSetColor(Look::Separator);
  ShowImage(dolbyImage, Bitmaps::BannerDolbyDigital);
  ShowImage(captionImage, Bitmaps::BannerCC);
}

void ShowPanel::LayOutInfo(int32_t width, int32_t top) {
  timeText.OnSetBounds({width - kMargin - kTimeWidth, top, width - kMargin, top + kRow});
  titleText.OnSetBounds({kMargin, top, width - kMargin - kTimeWidth - kTitleGap, top + kRow});
  line.OnSetPoint1({kMargin, top + kRow + 2});
  line.OnSetPoint2({width - kMargin, top + kRow + 2});
  const int32_t marks = top + kRow + 6;
  dolbyImage.OnSetBounds({kMargin, marks, kMargin + 2 * kIcon, marks + kIcon});
  ratingText.OnSetBounds({kMargin, marks, kMargin + 120, marks + kIcon});
  captionImage.OnSetBounds({kMargin + 130, marks, kMargin + 130 + kIcon + 12, marks + kIcon});
  const int32_t text = marks + kIcon + 4;
  description.OnSetBounds({kMargin, text, width - kMargin, text + kDescriptionRows * kDescriptionLine});
}

void ShowPanel::OnSetTitle(VgString value) {
  Title = value;
  titleText.OnSetString(value);
}

void ShowPanel::OnSetDescriptionText(VgString value) {
  DescriptionText = value;
  description.OnSetString(value);
}

void ShowPanel::OnSetStartTime(Structures::LocalTime* value) {
  StartTime = value;
  timeText.OnSetString(TimeSpanText(value, Duration));
}

void ShowPanel::HideAllInfo() {
  for (Core::View* view : std::initializer_list<Core::View*>{&dolbyImage, &captionImage, &ratingText, &timeText,
                                                             &titleText, &description})
    view->OnSetVisible(false);
}

void ShowPanel::UpdateBanner() {
  HideAllInfo();
  timeText.OnSetVisible(true);
  titleText.OnSetVisible(true);
  description.OnSetVisible(true);
  captionImage.OnSetVisible(CaptionFlag);
  if (Rating != 0) {
    ratingText.OnSetString(UsRatingLine(Rating));
    ratingText.OnSetVisible(true);
  }
}

bool ShowPanel::PageDescription(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || (key->keyCode != Key::FastForward && key->keyCode != Key::Rewind)) return false;
  description.HandleEvent(event);
  return true;
}

// ------------------------------------------------- under the recorded shows

EPGInfoForm::EPGInfoForm(XObject* link) : ShowPanel(link, Bitmaps::MiniGuideBackground) {
  Add(&background, 0);
  for (Core::View* view : std::initializer_list<Core::View*>{&timeText, &titleText, &description, &line, &dolbyImage,
                                                             &ratingText, &captionImage})
    Add(view, 0);
  const int32_t helpTop = kInfoHeight - kRow - 4;
  for (int32_t i = 0; i < HelpCount; ++i) {
    const int32_t x = kMargin + i * kHelpStep;
    // The key cap as wide as its picture, whose border its bounds would cut.
    auto* cap = VgLoad<Resources::Bitmap>(*kHelp[i].icon);
    const int32_t capRight = x + std::max(kIcon, cap->OnGetFrameSize().x);
    helpIcons[i].OnSetBitmap(cap);
    helpIcons[i].OnSetAlignV(1);
    helpIcons[i].OnSetBounds({x, helpTop, capRight, helpTop + kIcon});
    StyleText(helpLabels[i], Fonts::SmallFont, Look::TextDim);
    helpLabels[i].OnSetString(
        VgConcatString(VgGetVariantOfString(kHelp[i].label), VgNewStringAnsi(kHelp[i].suffix)));
    helpLabels[i].OnSetBounds({capRight + 4, helpTop, x + kHelpStep - 4, helpTop + kIcon});
    Add(&helpIcons[i], 0);
    Add(&helpLabels[i], 0);
  }
  OnSetBounds({0, 0, kInfoWidth, kInfoHeight});
  background.OnSetBounds({0, 0, kInfoWidth, kInfoHeight});
  LayOutInfo(kInfoWidth, 4);
  HideAllInfo();
}

// ------------------------------------------------------ over the library

RecordShowInfo::RecordShowInfo(XObject* link) : ShowPanel(link, Bitmaps::MediaQuickMenuBg) {
  OnSetTimeOutValue(TimeOut);
  OnSetOnTimeOut(VgSlotOf<&RecordShowInfo::Exit>(this));
  for (Views::Text* text : {&channelNumber, &channelName, &tunerText}) {
    StyleText(*text, Fonts::BannerBasicInfo, Look::Text);
    text->OnSetAutoSize(true);
  }
  line2.OnSetColor(Look::Separator);
  Add(&background, 0);
  for (Core::View* view :
       std::initializer_list<Core::View*>{&tunerText, &channelNumber, &channelName, &line2, &timeText, &titleText,
                                          &description, &line, &dolbyImage, &ratingText, &captionImage})
    Add(view, 0);
  OnSetBounds({0, 0, kPopupWidth, kPopupHeight});
  HideAllInfo();
}

void RecordShowInfo::Refresh(XObject* sender) {
  ShowPanel::Refresh(sender);
  const int32_t w = VgGetRectW(Bounds);
  background.OnSetBounds({0, 0, w, VgGetRectH(Bounds)});
  const int32_t top = kMargin;
  tunerText.OnSetBounds({kMargin + 4, top, kMargin + 4 + VgGetRectW(tunerText.Bounds), top + kRow});
  LayOutChannel();
  line2.OnSetPoint1({kMargin, top + kRow + 2});
  line2.OnSetPoint2({w - kMargin, top + kRow + 2});
  LayOutInfo(w, top + kRow + 8);
}

void RecordShowInfo::LayOutChannel() {
  const VgRect tuner = tunerText.Bounds;
  const int32_t numberX = tuner.x2 + 30;
  channelNumber.OnSetBounds({numberX, tuner.y1, numberX + VgGetRectW(channelNumber.Bounds), tuner.y2});
  const int32_t nameX = channelNumber.Bounds.x2 + kMargin;
  channelName.OnSetBounds({nameX, tuner.y1, nameX + VgGetRectW(channelName.Bounds), tuner.y2});
}

void RecordShowInfo::OnSetBounds(VgRect rect) {
  const bool resized = VgGetRectW(rect) != VgGetRectW(Bounds) || VgGetRectH(rect) != VgGetRectH(Bounds);
  ShowPanel::OnSetBounds(rect);
  if (resized) VgPostSignal(VgSlotOf<&RecordShowInfo::Refresh>(this));
}

SkinBin::RecordData* RecordShowInfo::Entry() {
  SkinBin::DB_RecordPlaybackInfo* shows = MainApp::GetWrapper()->OnGetRecordPlaybackList();
  return shows ? shows->GetEvent(ShowIndex) : nullptr;
}

void RecordShowInfo::UpdateBanner() {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  if (SkinBin::RecordData* show = Entry()) {
    VgString tuner = VgGetVariantOfString(show->Tuner == 0 ? &Strings::SID_TUNER_1 : &Strings::SID_TUNER_2);
    tuner = VgConcatString(tuner, VgNewStringAnsi(" - "));
    tunerText.OnSetString(VgConcatString(
        tuner, VgGetVariantOfString(show->MapId == 1 ? &Strings::SID_CABLE_UPPERCASE : &Strings::SID_ANT)));
    channelName.OnSetString(show->ChannelName);
    channelNumber.OnSetString(model->GetChannelNumberStr(true, show->Major, show->Minor));
    LayOutChannel();
    OnSetTitle(show->Title);
    OnSetDescriptionText(show->Description);
    Rating = uint32_t(show->Rating);
    CaptionFlag = show->CaptionFlag != 0;
    Duration = show->Duration / 60;
    // A schedule knows only when its recording starts.
    OnSetStartTime(show->StartTime ? show->StartTime.get() : show->RecordTime.get());
  }
  ShowPanel::UpdateBanner();
}

void RecordShowInfo::Exit(XObject*) {
  auto* library = vg_cast<RecordPlaybackDialog>(Parent.get());
  if (library && library->infoPanel.get() == this) library->infoPanel = nullptr;
  Close();
}

}  // namespace Record
