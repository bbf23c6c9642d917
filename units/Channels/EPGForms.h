// The forms of the programme guide:
//   - EPGChannelForm: the channel column and the programme column of the
//     full guide. The column reports the channel rested on (browse) or tunes
//     it; the form gives the programme column that channel (m_channel) and
//     ends the column's busy state once the change is over;
//   - EPGThemeForm: the twelve themes and the programmes of the one rested
//     on;
//   - ProgramForm: the mini guide's three programmes of the channel watched,
//     with the title and description of the focused one.
// The guide's lists find the guide two owners up: each list sits in a form,
// the form in the guide.
#pragma once

#include <cstdint>

#include "Forms/Form.h"
#include "ListForm/EPGChannelList.h"
#include "ListForm/GuideProgramLists.h"
#include "ListForm/ThemeLists.h"
#include "Structures/Channels.h"
#include "Views/MultilineText.h"
#include "Views/Text.h"
#include "vgslot.h"

namespace Primitives {
class KeyRoutingParameter;
}

namespace Channels {

class EPGChannelForm : public Forms::Form {
  VG_CLASS()

 public:
  explicit EPGChannelForm(XObject* link = nullptr);

  // Starts on the channel watched. The parameter's parent is the guide, to
  // which the lists report their moves (moved) and the focused programme
  // (programChanged).
  void Setup(Primitives::KeyRoutingParameter* parameter, VgSlot moved, VgSlot programChanged);
  // LEFT and RIGHT move between the columns.
  XObject* DispatchEvent(Core::Event* event) override;

  // The programme column shows the channel of the shared record.
  void ShowChannel(int32_t major, int32_t minor);
  // A tune answered (acquired or not): the channel watched is shown when it
  // was acquired, and the column is free again.
  void TuneAnswered(bool acquired, int32_t major, int32_t minor);
  // The guide data changed: the channel shown is read again.
  void Reread();

  // The column's slots.
  void OnChannelFocus(XObject* sender = nullptr);
  void ToProgrammes(XObject* sender = nullptr);

  ListForm::EPGChannelList channels{this};
  ListForm::EPGProgramList programmes{this};
  // The channel whose programmes show, shared with the column.
  VgPtr<Structures::VirtualChannel> channel;
};

class EPGThemeForm : public Forms::Form {
  VG_CLASS()

 public:
  explicit EPGThemeForm(XObject* link = nullptr);

  void Setup(Primitives::KeyRoutingParameter* parameter, VgSlot moved, VgSlot programChanged);
  XObject* DispatchEvent(Core::Event* event) override;

  // The theme rested on goes to the programme list.
  void OnThemeFocus(XObject* sender = nullptr);

  ListForm::EPGThemeNameList themes{this};
  ListForm::EPGThemeProgramList programmes{this};
};

class ProgramForm : public Forms::Form {
  VG_CLASS()

 public:
  explicit ProgramForm(XObject* link = nullptr);

  void Setup(Primitives::KeyRoutingParameter* parameter);
  // The list's OnProgramChanged.
  void ShowProgram(XObject* sender = nullptr);

  ListForm::MiniGuideList guide{this};
  Views::Text title{this};
  Views::MultilineText description{this};
};

}  // namespace Channels
