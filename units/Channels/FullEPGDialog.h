// Channels::FullEPGDialog: the full-screen programme guide. The channel
// form holds the channel column and the programmes of the channel shown
// (the one watched when the guide opens); under them the title and
// description of the programme under the cursor, which the recording timer
// dialogs read as the programme's title and subtitle. OK on a programme
// opens the guide timer dialog (the programme list does it through the
// guide's sub-system).
//
// A tune started from the column ends when the set answers it (acquired or
// not); a guide update reads the channel shown again. The theme form is
// built for sets with guide themes and stays hidden on the others.
#pragma once

#include "Channels/EPGForms.h"
#include "NonMenuSystem/QORWidgetClass.h"
#include "Views/MultilineText.h"
#include "Views/Text.h"
#include "vgstring.h"

namespace Channels {

class FullEPGDialog : public NonMenuSystem::QORWidgetClass {
  VG_CLASS()

 public:
  explicit FullEPGDialog(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Tune answers and guide updates, under any screen that has the keys; the
  // keys the forms leave.
  XObject* HandleEvent(Core::Event* event) override;
  bool FollowsTheWorld(Core::Event* event) const override;

  VgString GetFocusedProgramTitle() const { return FocusedProgramTitle; }
  VgString GetFocusedProgramSubtitle() const { return FocusedProgramSubtitle; }
  void OnSetFocusedProgram(VgString title, VgString subtitle);
  // A list's OnProgramChanged: its focused programme, the description as
  // the subtitle.
  void ProgramChanged(XObject* sender = nullptr);
  // The focus leaving or coming back. While a screen that the guide or one
  // of its lists asked for (a timer dialog) lies over the guide, the
  // programme rows and the description hide, so that none reads beside the
  // screen's border as if it ran out of it; they show again once it goes.
  void HandleFocus(bool focused) override;
  void FollowCover(XObject* sender = nullptr);
  bool AskedScreenAbove() const;

  VgStr FocusedProgramTitle;
  VgStr FocusedProgramSubtitle;
  EPGChannelForm channelForm{this};
  EPGThemeForm themeForm{this};
  Views::Text programTitle{this};
  Views::MultilineText programDescription{this};
};

}  // namespace Channels
