// The screens of the downloadable rating region.
//
// ParentalLocks::EditDynamicRatings: the grid of the region's dimensions
// with the focused level's full text as help line; its Save button writes
// the changed levels to the set (down from a column's last level reaches it).
//
// ParentalLocks::RRTDimensionDialog and ParentalLocks::RRTLevelDialog: the
// QOR pair. OK on a dimension opens the level screen of that dimension in
// the dimension screen's place; back there, the level screen hands the
// dimension back and the dimension screen focuses it, keeping the changes
// made. The dimension screen writes them to the set when it is left by the
// back key; any other way out drops them.
#pragma once

#include <cstdint>

#include "Button/Button.h"
#include "ListForm/RatingRegionLists.h"
#include "NonMenuSystem/ListHost.h"
#include "NonMenuSystem/QORWidgetClass.h"
#include "Views/Text.h"

namespace ParentalLocks {

class EditDynamicRatings : public NonMenuSystem::ListHost<ListForm::RRTDimensionList, NonMenuSystem::QORWidgetClass> {
  VG_CLASS()

 public:
  explicit EditDynamicRatings(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Down past the grid reaches Save, up from Save the grid again.
  XObject* HandleEvent(Core::Event* event) override;

  // The grid's moves: the help line follows the focused level.
  void DoFocusMove(XObject* sender = nullptr);
  // Save: the changes to the set, then back.
  void DoApply(XObject* sender = nullptr);

  Button::Button saveButton{this};
  Views::Text helpLine{this};
};

class RRTDimensionDialog
    : public NonMenuSystem::ListHost<ListForm::QORRRTDimensionList, NonMenuSystem::QORWidgetClass> {
  VG_CLASS()

 public:
  explicit RRTDimensionDialog(XObject* link = nullptr);

  // Opened by the menus the scratch table is loaded afresh; handed a
  // dimension back by the level screen (the record's flag) it is kept and
  // the dimension focused.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // The back key writes the changes to the set before going back.
  XObject* HandleEvent(Core::Event* event) override;

  // The list's OnOpenDimension.
  void DoOpenDimension(XObject* sender = nullptr);
};

class RRTLevelDialog : public NonMenuSystem::ListHost<ListForm::QORRRTLevelList, NonMenuSystem::QORWidgetClass> {
  VG_CLASS()

 public:
  explicit RRTLevelDialog(XObject* link = nullptr);

  // The record's value is the dimension.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Back to the dimension screen with the dimension, as a return.
  void EnterPrevState() override;

  // The list's focus: the help line follows the focused level.
  void ShowHelp(XObject* sender = nullptr);

  // The dimension screen's own way back, which it gets again on the return.
  const VgClass* DimensionBack = nullptr;
  Views::Text helpLine{this};
};

}  // namespace ParentalLocks
