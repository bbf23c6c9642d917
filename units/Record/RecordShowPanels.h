// The guide information of a recorded show, in two panels: Record::EPGInfoForm
// under the list of Record::RecordedShowsDialog, which fills it from the
// focused row, and Record::RecordShowInfo, the pop-up of the recording
// library's info key, which reads the show itself from the model's playback
// list. Both show the time span, title, description (paged by keys 58 and
// 59), the rating line and the closed-caption mark.
#pragma once

#include <cstdint>

#include "Primitives/KeyRoutingForm.h"
#include "SkinBin/TextForm.h"
#include "Structures/LocalTime.h"
#include "Views/Frame.h"
#include "Views/Image.h"
#include "Views/Line.h"
#include "Views/Text.h"
#include "vgpoint.h"

namespace SkinBin {
class RecordData;
}

namespace Record {

// What both panels hold and how they show it; without a descriptor of its
// own.
class ShowPanel : public Primitives::KeyRoutingForm {
 public:
  ShowPanel(XObject* link, const VgConstant& frameBitmap);

  void OnSetTitle(VgString value);
  VgString OnGetTitle() const { return Title; }
  void OnSetDescriptionText(VgString value);
  VgString OnGetDescriptionText() const { return DescriptionText; }
  // The span from this start over Duration, which is set first.
  void OnSetStartTime(Structures::LocalTime* value);
  Structures::LocalTime* OnGetStartTime() const { return StartTime; }

  void HideAllInfo();
  // Shows the time, title and description, the caption mark when set and the
  // rating line when there is a rating.
  virtual void UpdateBanner();
  // Passes the page keys to the description; true when it was one.
  bool PageDescription(Core::Event* event);

  VgStr Title;
  VgStr DescriptionText;
  VgPtr<Structures::LocalTime> StartTime;
  int32_t Duration = 0;  // minutes
  bool CaptionFlag = false;
  uint32_t Rating = 0;

  Views::Frame background{this};
  Views::Text timeText{this};
  Views::Text titleText{this};
  SkinBin::TextForm description{this};
  Views::Line line{this};
  Views::Image dolbyImage{this};
  Views::Text ratingText{this};
  Views::Image captionImage{this};

 protected:
  // Lays out the information rows within a width from a top.
  void LayOutInfo(int32_t width, int32_t top);
};

class EPGInfoForm : public ShowPanel {
  VG_CLASS()

 public:
  explicit EPGInfoForm(XObject* link = nullptr);

  static constexpr int32_t HelpCount = 6;
  Views::Image helpIcons[HelpCount] = {Views::Image{this}, Views::Image{this}, Views::Image{this},
                                       Views::Image{this}, Views::Image{this}, Views::Image{this}};
  Views::Text helpLabels[HelpCount] = {Views::Text{this}, Views::Text{this}, Views::Text{this},
                                       Views::Text{this}, Views::Text{this}, Views::Text{this}};
};

class RecordShowInfo : public ShowPanel {
  VG_CLASS()

 public:
  explicit RecordShowInfo(XObject* link = nullptr);

  static constexpr int32_t TimeOut = 6000;

  // Overridden slots.
  void Refresh(XObject* sender = nullptr) override;
  void OnSetBounds(VgRect rect) override;
  // Loads the show at ShowIndex first; a show that is not there leaves what
  // the panel held.
  void UpdateBanner() override;

  // The time-out: the screen below forgets the panel, which closes.
  virtual void Exit(XObject* sender = nullptr);
  // The show to tell about: the library's at ShowIndex; null when none.
  virtual SkinBin::RecordData* Entry();

  VgPoint OnGetWidgetOrigin() const { return WidgetOrigin; }
  void OnSetWidgetOrigin(VgPoint value) { WidgetOrigin = value; }

  VgPoint WidgetOrigin{80, 150};
  int32_t ShowIndex = -1;

 private:
  // The channel's number and name after the tuner text.
  void LayOutChannel();

 public:

  Views::Line line2{this};
  Views::Text channelNumber{this};
  Views::Text channelName{this};
  Views::Text tunerText{this};
};

}  // namespace Record
