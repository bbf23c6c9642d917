// The lists of the television's sources:
//
// - ListForm::ExternalInputList, in the input pop-up: one row per source with
//   its name, label, type icon and, on an input with HDMI-CEC devices, a CEC
//   mark. OK, or a rest of half a second after the input key stepped the
//   focus, switches to the focused source; RIGHT on an input with devices
//   opens the device pop-up. Sources the input lock, a recording or the
//   viewer put out of reach are passed over.
// - ListForm::CecInputList, in the device pop-up beside it: the devices on
//   that input. Stepping past either end hands the key back to the input
//   pop-up.
// - ListForm::InputLabelingList, in the labelling dialog: LEFT and RIGHT give
//   a source one of the fixed labels or the viewer's own, the red key puts the
//   source out of reach of the input pop-up, the green key types a label of
//   the viewer's own on the keyboard.
#pragma once

#include <cstdint>

#include "ListForm/ListClass.h"
#include "ListForm/ListItem.h"
#include "ListForm/RestTimer.h"
#include "Views/Frame.h"
#include "Views/Image.h"
#include "Views/Text.h"
#include "vgstring.h"

namespace ListForm {

// Text is the source's name.
class InputCourier : public ListCourier {
  VG_CLASS()

 public:
  explicit InputCourier(XObject* link = nullptr) : ListCourier(link) {}
  uint8_t CecLogicalAddress = 0;
  uint8_t HasCec = 0;
  int32_t SourceId = 0;
  VgStr LabelText;
  VgPtr<Resources::Bitmap> IndexImage;
  int32_t SourceType = 0;
};

class InputItem : public ListItem {
  VG_CLASS()

 public:
  explicit InputItem(XObject* link = nullptr);

  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;
  void Refresh(XObject* sender = nullptr) override;
  // The label's colour follows the row's look.
  void RefreshCtrlState(int32_t look) override;
  void HandleFocus(bool focused) override;

  void OnSetText(VgString value) override;
  void OnSetLabelText(VgString value);
  VgString OnGetLabelText() const { return LabelText; }
  // The type icon; a type without one shows none.
  void OnSetSourceType(int32_t value);
  int32_t OnGetSourceType() const { return SourceType; }

  uint8_t CecLogicalAddress = 0;
  uint8_t HasCec = 0;
  int32_t SourceId = 0;
  VgStr LabelText;
  // Carried with the row's data, not drawn.
  VgPtr<Resources::Bitmap> IndexImage;
  int32_t SourceType = 0;
  // Whether the row has the focus, for the arrow to the devices.
  bool focused = false;
  Views::Text labelText{this};
  Views::Image typeIcon{this};
  Views::Image cecMark{this};
  Views::Image rightArrow{this};
};

class ExternalInputList : public ListClass {
  VG_CLASS()

 public:
  explicit ExternalInputList(XObject* link = nullptr);

  // The step keys stop the rest timer; the input key steps as DOWN and
  // selects half a second after the last press; RIGHT opens the devices.
  XObject* HandleEvent(Core::Event* event) override;
  // The pop-up fits its rows; more sources than rows scroll.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  Forms::Ctrl* GetScrolledItem(Forms::Ctrl* row, int32_t direction) override;
  int32_t GetItemsNum() override;
  // The source shown.
  int32_t GetFocusItemIndex() override;
  void HandleMessage(Structures::Message*) override {}

  // OK or the rest: switches to the focused source and leaves.
  void TuneToSource(XObject* sender = nullptr);
  // RIGHT: the device pop-up of the focused input.
  void ProcessRightKey();
  // Reads the device table once per list.
  void LoadCecDevices();

  RestTimer tuneTimer{this};
  // The device table is read afresh once per list.
  bool CecListLoaded = false;

 private:
  XObject* Step(Core::Event* event, int32_t direction);
};

// Text is the device's name.
class CecInputCourier : public ListCourier {
  VG_CLASS()

 public:
  explicit CecInputCourier(XObject* link = nullptr) : ListCourier(link) {}
  uint8_t IsCurrent = 0;
  uint8_t CecLogicalAddress = 0;
  int32_t SourceId = 0;
};

class CecInputItem : public ListItem {
  VG_CLASS()

 public:
  explicit CecInputItem(XObject* link = nullptr);

  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;
  void Refresh(XObject* sender = nullptr) override;
  // The focused row shows its ring.
  void RefreshCtrlState(int32_t look) override;

  void OnSetIsCurrent(bool value);
  bool OnGetIsCurrent() const { return IsCurrent; }

  bool IsCurrent = false;
  uint8_t CecLogicalAddress = 0;
  int32_t SourceId = 0;
  Views::Image leftArrow{this};
  // The focus ring, spread over the whole row.
  Views::Frame focusRing{this};
};

class CecInputList : public ListClass {
  VG_CLASS()

 public:
  explicit CecInputList(XObject* link = nullptr);

  // A device that comes or goes keeps the entry on its device.
  bool KeepsTheEntry() override { return true; }

  // A step past either end closes the pop-up and hands the key to the input
  // pop-up; LEFT goes back to it.
  XObject* HandleEvent(Core::Event* event) override;
  // The opening record names the input (Kind) and its device count (Value).
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  int32_t GetItemsNum() override;
  int32_t GetFocusItemIndex() override;

  // OK or the rest: selects the input and the device, and closes every
  // pop-up.
  void TuneToSource(XObject* sender = nullptr);

  RestTimer tuneTimer{this};
  int32_t DeviceCount = 0;
};

// Text is the source's built-in name.
class InputLabelingCourier : public ListCourier {
  VG_CLASS()

 public:
  explicit InputLabelingCourier(XObject* link = nullptr) : ListCourier(link) {}
  uint8_t IsSkip = 0;
  int32_t SourceId = 0;
  VgStr LabelText;
  int32_t LabelChoiceCount = 9;
  VgStr CustomLabel;
};

class InputLabelingItem : public ListItem {
  VG_CLASS()

 public:
  explicit InputLabelingItem(XObject* link = nullptr);

  // The fixed labels; the viewer's own label is one more choice after them.
  static constexpr int32_t FixedChoices = 9;

  // LEFT and RIGHT change the label, red puts the source out of reach, green
  // (the row's activate key) asks for the keyboard.
  XObject* HandleEvent(Core::Event* event) override;
  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;
  void Refresh(XObject* sender = nullptr) override;
  void HandleFocus(bool focused) override;

  void ChangeLabel(bool forward);
  void SkipSource();
  // Whether the viewer's own label is the one chosen.
  bool CustomChosen() const;

  void OnSetIsSkip(bool value);
  bool OnGetIsSkip() const { return IsSkip; }
  // An empty label shows "--".
  void OnSetLabelText(VgString value);
  VgString OnGetLabelText() const { return LabelText; }

  int32_t SourceId = 0;
  bool IsSkip = false;
  VgStr LabelText;
  VgStr CustomLabel;
  int32_t LabelOptionIndex = 0;
  int32_t LabelChoiceCount = FixedChoices;
  VgSlot FocusMove;
  // In the menu language of the row's making.
  VgStr Choices[FixedChoices];
  Views::Image checkBox{this};
  Views::Text labelText{this};
  Views::Image leftArrow{this};
  Views::Image rightArrow{this};
};

class InputLabelingList : public ListClass {
  VG_CLASS()

 public:
  explicit InputLabelingList(XObject* link = nullptr);

  void InitializeItems() override;
  int32_t GetItemsNum() override;
  // The keyboard's answer: the focused source's own label.
  void HandleMessage(Structures::Message* message) override;

  // Green on a row: the keyboard, with the row's own label when it is the one
  // chosen.
  void DoChangeLabel(XObject* sender);

  // The longest label the keyboard takes.
  static constexpr int32_t MaxLabelLength = 10;
};

}  // namespace ListForm
