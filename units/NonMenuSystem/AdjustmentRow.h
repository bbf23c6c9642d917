// NonMenuSystem::AdjustmentRow: one option of the option database as the
// bars and adjustment dialogs show it: its name, then a slider with the value
// for a range, or the current choice between arrows for a list of choices.
// Each step is written to the television at once through the option binding
// and read back, so the row always shows what the set holds.
#pragma once

#include <cstdint>

#include "Core/Group.h"
#include "Progress/Progress.h"
#include "Views/Image.h"
#include "Views/Text.h"
#include "vgstring.h"

namespace NonMenuSystem {

class AdjustmentRow : public Core::Group {
  VG_CLASS()

 public:
  explicit AdjustmentRow(XObject* link = nullptr);

  // How a range is drawn: the menu slider, the quick-menu groove, or no
  // slider at all (the value alone, between arrows).
  enum class SliderLook : uint8_t { Plain, QOR, None };
  // How a range's value reads: the number, or the tint's offset from the
  // middle towards green or red.
  enum class ValueLook : uint8_t { Number, Tint };

  void OnSetBounds(VgRect rect) override;

  // Shows the option; an id that the database lacks shows an empty row.
  void Bind(int32_t optionType);
  // Reads the option again.
  void Load();
  // One step up (direction > 0) or down; a list of choices wraps round when
  // WrapChoices is set and stops at its ends otherwise. Returns whether the
  // option changed.
  bool Step(int32_t direction);
  // The row's caption instead of the option's name (null: the name again).
  void OnSetCaption(VgString value);
  // Draws the row as the one that the keys change.
  void OnSetSelected(bool value);
  void OnSetSliderLook(SliderLook look);
  void OnSetValueLook(ValueLook look);
  // The slider's groove with a mark at its middle (the row's
  // SliderMiddlePoint), or without.
  void OnSetMiddlePoint(bool value);

  int32_t OnGetOptionType() const { return OptionType; }
  bool OnGetIsChoice() const { return IsChoice; }
  int32_t OnGetValue() const { return Value; }
  // The current choice of a list; the slider position of a range.
  int32_t OnGetChoice() const { return Choice; }

  int32_t OptionType = 0;
  bool IsChoice = false;
  bool WrapChoices = false;
  bool MiddlePoint = true;
  bool Selected = false;
  SliderLook Look = SliderLook::Plain;
  ValueLook ValueFormat = ValueLook::Number;
  int32_t Value = 0;
  int32_t Min = 0;
  int32_t Max = 100;
  int32_t StepSize = 1;
  int32_t Choice = 0;
  int32_t Choices = 0;
  VgStr Caption;
  Views::Text caption{this};
  Views::Text value{this};
  Views::Image leftArrow{this};
  Views::Image rightArrow{this};
  VgPtr<::Progress::Progress> slider;

 private:
  void ShowValue();
  void Layout();
};

}  // namespace NonMenuSystem
