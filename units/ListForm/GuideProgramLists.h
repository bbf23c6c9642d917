// ListForm::EPGProgramList: the full guide's programme column. Given a
// channel (m_channel) it shows that channel's programmes from now on, eight
// rows at a time, with date, start, title and the icon of a recording timer;
// the guide data arrive a page of eight at a time as the focus moves past the
// last programme read, under the full guide's waiting circle. OK opens the
// guide timer dialog for the focused programme.
//
// ListForm::MiniGuideList: the mini guide's three rows of the programmes of
// the channel being watched, with start, title and timer icon; it only shows
// them.
#pragma once

#include <cstdint>

#include "ListForm/ListClass.h"
#include "ListForm/ProgrammeRow.h"
#include "ListForm/TimerHooks.h"
#include "Structures/Channels.h"

namespace Structures {
class Message;
}

namespace ListForm {

class EPGProgramListCourier : public ListCourier, public ProgrammeFields {
  VG_CLASS()

 public:
  explicit EPGProgramListCourier(XObject* link = nullptr) : ListCourier(link) {}
};

class EPGProgramListItem : public ProgrammeRowOf<EPGProgramListCourier> {
  VG_CLASS()

 public:
  explicit EPGProgramListItem(XObject* link = nullptr);

  void Refresh(XObject* sender = nullptr) override;
};

// The data source of the programme column: the channel its readers ask the
// timers of, by its two numbers (an analogue channel's minor is negative).
class ChannelDataSource : public ListDataSource {
  VG_CLASS()

 public:
  explicit ChannelDataSource(XObject* link = nullptr) : ListDataSource(link) {}

  int32_t Major = -2;
  int32_t Minor = -2;
};

class EPGProgramList : public ListClass, public GuideFocus {
  VG_CLASS()

 public:
  explicit EPGProgramList(XObject* link = nullptr);

  // Overridden slots.
  // A saved timer or a changed schedule updates the programmes' timers; the
  // deletion of a guide timer deletes the focused programme's.
  void HandleMessage(Structures::Message* message) override;
  // The screen hears of the programme the rows now show under the focus.
  void forceReload(XObject* sender = nullptr) override;

  // The list starts over at the first of the channel's programmes.
  void OnSetm_channel(Structures::VirtualChannel* channel);
  Structures::VirtualChannel* OnGetm_channel() const { return m_channel; }

  // Loads the next page of programmes; nothing at the end of the guide.
  void UpdateEPGbyPage(XObject* sender = nullptr);
  // The focus slot: the focused programme into the focus fields, then
  // OnProgramChanged.
  void DoFocus(XObject* sender = nullptr);
  // The activation slot: the timer dialog for the focused programme.
  void ToggleRecord(XObject* sender = nullptr);

  VgPtr<Structures::VirtualChannel> m_channel;

 protected:
  bool LoadNextPage() override;
};

// What the guide's programme lists do alike. OK on a programme: the checks
// of its timer, then the guide timer dialog for it (from now for the first
// programme, else from its start), on the target's channel when one is
// given; a list outside the full guide opens nothing.
void OpenProgrammeTimer(ListBase* list, ProgrammeRow* row, const TimerTarget* target = nullptr);
// Reads a row's timer from the schedule again, on the channel of the row's
// programme.
using RowTimerReader = void (*)(ListBase* list, ProgrammeRow* row);
// A saved timer or a changed schedule reads every row's timer from the
// schedule again, so that a repeating timer marks each of its programmes;
// the deletion of a guide timer deletes the focused programme's, and then
// no row keeps it.
void FollowTimerMessage(ListBase* list, Structures::Message* message, RowTimerReader read);

class MiniGuideListCourier : public ListCourier, public ProgrammeFields {
  VG_CLASS()

 public:
  explicit MiniGuideListCourier(XObject* link = nullptr) : ListCourier(link) {}
};

class MiniGuideListItem : public ProgrammeRowOf<MiniGuideListCourier> {
  VG_CLASS()

 public:
  explicit MiniGuideListItem(XObject* link = nullptr);

  void Refresh(XObject* sender = nullptr) override;
};

class MiniGuideList : public ListClass, public GuideFocus {
  VG_CLASS()

 public:
  explicit MiniGuideList(XObject* link = nullptr);

  // The programmes read for the mini guide.
  static constexpr int32_t MaxProgrammes = 10;

  // Overridden slots.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Reads the current channel's programmes; at least one row, which says
  // when there are none.
  int32_t GetItemsNum() override;
  void forceReload(XObject* sender = nullptr) override;

  void DoFocus(XObject* sender = nullptr);
};

}  // namespace ListForm
