// ListForm::OptionList: the values of one option of the option database, of
// which OK writes the chosen one back and tells the screen (OnValueChanged).
// The option arrives as the opening record's value (a SkinBin::UserRefInt);
// the list sizes itself to its values, at most six rows.
//
// ListForm::SystemInfoList: the lines of the television's system information
// (the model's SkinBin::SystemInfo), a caption and a value each; the lines
// page with the page keys and cannot be activated.
#pragma once

#include <cstdint>

#include "ListForm/ListClass.h"
#include "ListForm/ListItem.h"
#include "vgslot.h"

namespace ListForm {

class OptionListItem : public ListItem {
  VG_CLASS()

 public:
  explicit OptionListItem(XObject* link = nullptr);
};

class OptionList : public ListClass {
  VG_CLASS()

 public:
  explicit OptionList(XObject* link = nullptr);

  // The time-zone option has the wider rows.
  static constexpr int32_t WideRowWidth = 180;
  static constexpr int32_t RowWidth = 150;
  static constexpr int32_t RowHeight = 27;

  // Takes the option from the record, fills the list and fits its size to
  // the rows it shows.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  int32_t GetItemsNum() override;
  // The value the model holds now.
  int32_t GetFocusItemIndex() override;
  // Every row takes the option's size and look.
  void InitializeItems() override;

  int32_t GetItemsWidth() const;
  int32_t GetItemsHeight() const { return RowHeight; }

  // The activation slot: the row's value into the model, then OnValueChanged,
  // which fires even without an option.
  void DoActivate(XObject* sender = nullptr);

  VgSlot OnGetOnValueChanged() const { return OnValueChanged; }
  void OnSetOnValueChanged(VgSlot slot) { OnValueChanged = slot; }
  int32_t OnGetOptionType() const { return OptionType; }
  void OnSetOptionType(int32_t value) { OptionType = value; }

  VgSlot OnValueChanged;
  int32_t OptionType = 0;
};

class SystemInfoItem : public ListItem {
  VG_CLASS()

 public:
  explicit SystemInfoItem(XObject* link = nullptr);

  // The caption followed by the value.
  XObject* SetData(XObject* data) override;
  // The text split after its first ": " into caption and value; without one
  // the whole text is the caption and the value is empty.
  XObject* GetData(XObject* data) override;
  // The activation key is taken and does nothing.
  XObject* HandleEvent(Core::Event* event) override;
};

class SystemInfoList : public ListClass {
  VG_CLASS()

 public:
  explicit SystemInfoList(XObject* link = nullptr);

  // Loads every line afresh and counts them.
  int32_t GetItemsNum() override;
};

}  // namespace ListForm
