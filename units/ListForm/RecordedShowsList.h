// The recordings on the USB disk, one row each with its channel, name, date,
// time, length, state and file: ListForm::RecordedShowsList (eight rows, in
// Record::RecordedShowsDialog) and ListForm::Last5RecordedShowsList (the
// latest three, in Record::Last3RecordShowsDialog). Both read the television
// model's recorded-show list, filled when they are initialised, and copy the
// focused recording into their focus fields for the screen's information
// panel, signalling OnProgramChanged at once.
#pragma once

#include <cstdint>

#include "ListForm/ListClass.h"
#include "ListForm/ProgramFocus.h"
#include "ListForm/RecordRow.h"
#include "ListForm/RowColumns.h"

namespace ListForm {

// What a recorded show adds to a record.
struct RecordedShowFields {
  bool ExtraFlag = false;
  int32_t RecordId = 0;
  // Below the disk's mount path.
  VgStr FileName;
};

class RecordedShowsListCourier : public ListCourier, public RecordFields, public RecordedShowFields {
  VG_CLASS()

 public:
  explicit RecordedShowsListCourier(XObject* link = nullptr) : ListCourier(link) {}
};

class RecordedShowsListItem : public RecordRow, public RecordedShowFields {
  VG_CLASS()

 public:
  explicit RecordedShowsListItem(XObject* link = nullptr);

  // The columns from the left: tuner, channel, caption, date, time, length,
  // state and file name. Each text column holds its widest text whole in
  // either look and every menu language ("May 04", Spanish "01:00am"), and
  // stands a column's spacing from the next (ColumnSpacing). The length and
  // state columns are as wide as their headings need ("Duración",
  // "Estado"): a heading wider than its column would push the next one off
  // its own, and "Status" would stand over the file names.
  static constexpr ColumnPlace Places[] = {{4, 30}, {6, 65}, {4, 200}, {10, 73},
                                           {4, 88}, {4, 66}, {10, 50}, {15, 0}};
  // Where the screens set their headings.
  static constexpr int32_t ChannelColumn = ColumnLeft(Places, 1);
  static constexpr int32_t DateColumn = ColumnLeft(Places, 3);
  static constexpr int32_t TimeColumn = ColumnLeft(Places, 4);
  static constexpr int32_t LengthColumn = ColumnLeft(Places, 5);
  static constexpr int32_t StateColumn = ColumnLeft(Places, 6);
  static constexpr int32_t FileColumn = ColumnLeft(Places, 7);

  XObject* GetData(XObject* data) override;
  void Refresh(XObject* sender = nullptr) override;

  void OnSetFileName(VgString value);
  VgString OnGetFileName() const { return FileName; }

  Views::Text fileNameText{this};
  Views::Image stateIcon{this};

 protected:
  RecordFields* RecordOf(XObject* data) override;
  void TakeOwnFields(XObject* data) override;
  void ShowStatus() override;
};

// What the two lists share; without a descriptor of its own.
class RecordedShows : public ListClass, public ProgramFocus {
 public:
  RecordedShows(const ListDef& def, bool brief, XObject* link);

  // A recording's news keeps the show by its id.
  bool KeepsTheEntry() override { return true; }

  // Overridden slots.
  // Reloads the model's recorded shows (the latest three for the short list)
  // before the base fills the list.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void forceReload(XObject* sender = nullptr) override;
  // Reads the shows again (a recording started or ended while the list is
  // on view, the shows read before a delete) and keeps the focus on the show
  // it was on, found by its id, or, when that show is gone, on its
  // neighbour. The delete itself initialises the list.
  void ReloadKeepingFocus();
  int32_t GetItemsNum() override;
  // The disk's mount path, which the reader takes off the file names.
  VgString GetStringParam() override;

  // The focus slot: the focused recording into the focus fields, then
  // OnProgramChanged.
  void DoFocus(XObject* sender = nullptr);

  bool FocusExtraFlag = false;
  int32_t FocusInfoValue = 0;

 private:
  bool brief;
};

class RecordedShowsList : public RecordedShows {
  VG_CLASS()

 public:
  explicit RecordedShowsList(XObject* link = nullptr);
};

class Last5RecordedShowsList : public RecordedShows {
  VG_CLASS()

 public:
  explicit Last5RecordedShowsList(XObject* link = nullptr);
};

// A recording's file name as the list shows it: what follows the mount path
// when the name starts with that path, else the whole name.
VgString FileNameBelow(VgString name, VgString mountPath);

}  // namespace ListForm
