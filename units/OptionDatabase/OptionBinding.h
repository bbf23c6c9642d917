// The one way a screen reads and writes an option of the option database.
//
//   OptionDatabase::OptionBinding option(MainApp::GetOptionDB(), OPTION_TYPE_TIME_ZONE_QOR, "InitialSetup");
//   const int32_t current = option.Read();          // the choice the model holds now
//   VgString now = option.ChoiceText();              // its text (null for a slider)
//   VgString third = option.ChoiceText(2);          // another choice's text
//   option.Write(choice);                            // stores a choice in the model
//
// Read: the record's Initialize, its Value from the model, Val2Id; Count()
// and Name() then tell the rest. Write: Id, Id2Value, the Value into the
// model. A slider's range comes with Range(). An option id that the database
// lacks logs one line, naming the screen, and reads as an empty option.
//
// A binding is a plain value for the length of one call; it holds no
// reference that the collector would have to see.
#pragma once

#include <cstdint>

#include "vgstring.h"

namespace OptionDatabase {

class OptionDatabaseClass;
class OptionDataClass;

struct SliderRange {
  int32_t min = 0;
  int32_t max = 0;
  int32_t step = 0;
  int32_t value = 0;
};

class OptionBinding {
 public:
  OptionBinding(OptionDatabaseClass* database, int32_t optionType, const char* screen);

  explicit operator bool() const { return record_ != nullptr; }
  OptionDataClass* Record() const { return record_; }
  int32_t OptionType() const { return optionType_; }

  // The read road; returns the index of the current choice (0 without an option).
  int32_t Read();
  // The number of choices (0 for a slider and without an option).
  int32_t Count() const;
  VgString Name() const;
  // The text of the record's current choice, or of choice id; the record's
  // current choice stays as it was. Null for a slider.
  VgString ChoiceText();
  VgString ChoiceText(int32_t id);
  // The text of choice id as the value it stores reads: for an option whose
  // text follows the stored value as well as the choice (a channel that the
  // value does not name reads as a placeholder). The record's choice and
  // value stay as they were.
  VgString StoredChoiceText(int32_t id);
  // The slider's range and position (zeros for a choice option).
  SliderRange Range();

  // The write road: stores choice id in the model.
  void Write(int32_t id);

 private:
  OptionDataClass* record_ = nullptr;
  int32_t optionType_ = 0;
};

}  // namespace OptionDatabase
