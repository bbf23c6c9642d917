// The theme view of the programme guide: ListForm::EPGThemeNameList, the
// twelve guide themes, of which the one the viewer rests on for half a second
// goes to the screen (OnFocusChanged); and ListForm::EPGThemeProgramList, the
// programmes of that theme from now on, eight rows with date, start, title,
// timer icon and channel, which reads further pages of the guide as the focus
// passes the last programme read, and opens the guide timer dialog on OK as
// the full guide's programme column does.
#pragma once

#include <cstdint>

#include "ListForm/GuideProgramLists.h"
#include "ListForm/RestTimer.h"
#include "Views/Image.h"

namespace ListForm {

class EPGThemeNameCourier : public ListCourier {
  VG_CLASS()

 public:
  explicit EPGThemeNameCourier(XObject* link = nullptr) : ListCourier(link) {}

  VgPtr<Resources::Bitmap> Icon;
};

class EPGThemeNameItem : public ListItem {
  VG_CLASS()

 public:
  explicit EPGThemeNameItem(XObject* link = nullptr);

  XObject* SetData(XObject* data) override;
  void Refresh(XObject* sender = nullptr) override;
  // The arrow shows while the row has the focus.
  void HandleFocus(bool focused) override;

  Views::Image focusArrow{this};
  Views::Image themeIcon{this};
};

class EPGThemeNameList : public ListClass {
  VG_CLASS()

 public:
  explicit EPGThemeNameList(XObject* link = nullptr);

  static constexpr int32_t ThemeCount = 12;
  // How long the focus rests on a theme before its programmes load.
  static constexpr int32_t RestMs = 500;

  int32_t GetItemsNum() override { return ThemeCount; }

  // The focus slot: the pause starts again.
  void DoFocus(XObject* sender = nullptr);
  // The theme rested on into Theme, then OnFocusChanged.
  void TuneToChannel(XObject* sender = nullptr);

  VgSlot OnGetOnFocusChanged() const { return OnFocusChanged; }
  void OnSetOnFocusChanged(VgSlot slot) { OnFocusChanged = slot; }

  VgSlot OnFocusChanged;
  VgStr Theme;
  RestTimer themeTimer{this};
};

// A theme's programme with its channel, which the row shows and the timer
// dialog records.
struct ThemeChannelFields {
  int32_t Major = -2;
  int32_t Minor = -2;
  int32_t MapId = 0;
  bool OnSecondTuner = false;
  VgStr ChannelName;
};

class EPGThemeProgramListCourier : public ListCourier, public ProgrammeFields, public ThemeChannelFields {
  VG_CLASS()

 public:
  explicit EPGThemeProgramListCourier(XObject* link = nullptr) : ListCourier(link) {}
};

class EPGThemeProgramListItem : public ProgrammeRowOf<EPGThemeProgramListCourier>, public ThemeChannelFields {
  VG_CLASS()

 public:
  explicit EPGThemeProgramListItem(XObject* link = nullptr);

  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;
  void Refresh(XObject* sender = nullptr) override;

  Views::Text channelNumberText{this};
  Views::Text channelNameText{this};
};

class EPGThemeProgramList : public ListClass, public GuideFocus {
  VG_CLASS()

 public:
  explicit EPGThemeProgramList(XObject* link = nullptr);

  // Overridden slots.
  // A saved timer or a changed schedule updates the programmes' timers; the
  // deletion of a guide timer deletes the focused programme's.
  void HandleMessage(Structures::Message* message) override;
  void forceReload(XObject* sender = nullptr) override;

  // The list starts over at the first programme of the theme from now on.
  void OnSetTheme(VgString theme);
  VgString OnGetTheme() const { return Theme; }

  // Loads the next page of the theme's programmes; nothing at its end.
  void UpdateThemebyPage(XObject* sender = nullptr);
  // The focus slot: the focused programme into the focus fields, then
  // OnProgramChanged.
  void DoFocus(XObject* sender = nullptr);
  // The activation slot: the timer dialog for the focused programme.
  void ToggleRecord(XObject* sender = nullptr);

  VgStr Theme;

 protected:
  bool LoadNextPage() override;
};

}  // namespace ListForm
