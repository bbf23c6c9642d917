// The base of every module of the option database. A concrete module is a
// table of option rows (one constexpr row per option); the base builds the
// records from the rows and provides the choice, slider and value-table
// conversions that most options share. Options whose choices or conversion
// depend on the set's state add slot methods of their own module.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "OptionDatabase/OptionData.h"
#include "vgobject.h"
#include "vgref.h"
#include "vgslot.h"
#include "vgstring.h"

namespace SkinBin {
class Wrapper;
}

namespace OptionDatabase {

// A text of the tables: a translated string constant, a fixed text, or none.
struct TextRef {
  const VgConstant* constant = nullptr;
  const char* fixed = nullptr;
};
constexpr TextRef Sid(const VgConstant& constant) { return {&constant, nullptr}; }
constexpr TextRef Fixed(const char* text) { return {nullptr, text}; }
inline constexpr TextRef NoText{};
// A new string of the text in the current language; null for none.
VgString LoadText(const TextRef& text);

// The accessors of the model's int32 property that a record binds.
struct PropertyBinding {
  VgRef<int32_t>::Getter get = nullptr;
  VgRef<int32_t>::Setter set = nullptr;
};
template <auto Getter, auto Setter>
constexpr PropertyBinding Bind() {
  return {&vg_detail::RefGet<Getter>, &vg_detail::RefSet<Setter, int32_t>};
}
inline constexpr PropertyBinding NoProperty{};

// The slot method of a module, as a row names it: SlotMethod<&PictureModule::Hue_GetData>.
// It keeps its module's identity, so that a table naming a method of another
// module does not compile (Build checks).
struct ModuleMethod {
  VgMethod method = nullptr;
  std::string_view module;  // the module's type, as the compiler spells it
  constexpr explicit operator bool() const { return !module.empty(); }
};
template <class M>
constexpr std::string_view ModuleTag() {
  return __PRETTY_FUNCTION__;
}
template <auto Method>
inline constexpr ModuleMethod SlotMethod = {&vg_detail::SlotTrampoline<Method>,
                                            ModuleTag<typename vg_detail::MemberClass<decltype(Method)>::type>()};

enum class OptionKind : uint8_t { OffOn, OffLowHigh, OffLowMiddleHigh, List, Slider };

struct OptionRow {
  int32_t index = 0;
  TextRef name;
  PropertyBinding property;
  OptionKind kind = OptionKind::List;
  std::span<const TextRef> choices;  // List: the texts in index order
  std::span<const int32_t> values;   // value table of Val2Id and Id2Val; empty: Value = Id + Offset
  bool indexIsValue = false;         // GetData puts the table's value into the courier's Index
  int32_t offset = 0;
  ModuleMethod initialize;  // the option's own slot methods; none takes the family's
  ModuleMethod val2Id;
  ModuleMethod id2Val;
  ModuleMethod getData;

  constexpr OptionRow WithInitialize(ModuleMethod m) const {
    OptionRow r = *this;
    r.initialize = m;
    return r;
  }
  constexpr OptionRow WithConversion(ModuleMethod toId, ModuleMethod toValue) const {
    OptionRow r = *this;
    r.val2Id = toId;
    r.id2Val = toValue;
    return r;
  }
  constexpr OptionRow WithGetData(ModuleMethod m) const {
    OptionRow r = *this;
    r.getData = m;
    return r;
  }
};

constexpr OptionRow OffOn(int32_t index, TextRef name, PropertyBinding property) {
  return {.index = index, .name = name, .property = property, .kind = OptionKind::OffOn};
}
constexpr OptionRow OffLowHigh(int32_t index, TextRef name, PropertyBinding property) {
  return {.index = index, .name = name, .property = property, .kind = OptionKind::OffLowHigh};
}
constexpr OptionRow OffLowMiddleHigh(int32_t index, TextRef name, PropertyBinding property) {
  return {.index = index, .name = name, .property = property, .kind = OptionKind::OffLowMiddleHigh};
}
constexpr OptionRow Slider(int32_t index, TextRef name, PropertyBinding property, int32_t offset = 0) {
  return {.index = index, .name = name, .property = property, .kind = OptionKind::Slider, .offset = offset};
}
constexpr OptionRow List(int32_t index, TextRef name, PropertyBinding property, std::span<const TextRef> choices) {
  return {.index = index, .name = name, .property = property, .kind = OptionKind::List, .choices = choices};
}
// A list whose values map through a table and whose courier carries the value.
constexpr OptionRow ValueList(int32_t index, TextRef name, PropertyBinding property,
                              std::span<const TextRef> choices, std::span<const int32_t> values) {
  return {.index = index,
          .name = name,
          .property = property,
          .kind = OptionKind::List,
          .choices = choices,
          .values = values,
          .indexIsValue = true};
}
// A list whose values map through a table and whose courier carries the index.
constexpr OptionRow TableList(int32_t index, TextRef name, PropertyBinding property,
                              std::span<const TextRef> choices, std::span<const int32_t> values) {
  OptionRow row = ValueList(index, name, property, choices, values);
  row.indexIsValue = false;
  return row;
}

// Every slot method the rows name is a method of module M.
template <class M, size_t N>
constexpr bool RowsNameMethodsOf(const OptionRow (&rows)[N]) {
  for (const OptionRow& row : rows)
    for (const ModuleMethod& m : {row.initialize, row.val2Id, row.id2Val, row.getData})
      if (m && m.module != ModuleTag<M>()) return false;
  return true;
}

class OptionModuleClass : public XObject {
  VG_CLASS()

 public:
  explicit OptionModuleClass(XObject* link = nullptr);

  // The record of an index of the module, its OptionType stamped; null for
  // an index the module does not have.
  virtual OptionDataClass* GetOptionData(int32_t index);

  // Choice providers shared by all modules: the courier of the record's Id
  // in the Off/On, Off/Low/High or Off/Low/Middle/High list, and of a slider.
  void GetOffOnData(XObject* sender);
  void GetOLHData(XObject* sender);
  void GetOLMHData(XObject* sender);
  void GetSliderData(XObject* sender);
  // The courier of the record's Id in the option's own list.
  void GetListData(XObject* sender);
  // The value-table conversions of the options that have a table.
  void TableVal2Id(XObject* sender);
  void TableId2Val(XObject* sender);

  uint32_t ModuleNumber() const { return number_; }
  int32_t OptionCount() const { return static_cast<int32_t>(records_.size()); }
  // The model the records bind to.
  ::SkinBin::Wrapper* Model() const { return model_; }

  void Mark() override;
  void ReInit() override;

 protected:
  // Builds a record per row of the module's table. Called once by the
  // concrete module's constructor: Build<kRows>(this, kPictureModule).
  template <const auto& Rows, class M>
  static void Build(M* module, uint32_t moduleNumber) {
    static_assert(RowsNameMethodsOf<M>(Rows), "a row names a slot method of another module");
    module->BuildRecords(moduleNumber, Rows);
  }
  void BuildRecords(uint32_t moduleNumber, std::span<const OptionRow> rows);
  // The row and the index of a record of this module; null for another record.
  const OptionRow* RowOf(const OptionDataClass* record, int32_t* index = nullptr) const;
  // Shows the entries of the row's full list whose bit is set in the mask
  // and sets the record's Num to their count.
  void FilterChoices(OptionDataClass* record, uint32_t mask);
  // Replaces the visible list of a record by texts made at run time (no
  // value table).
  void SetChoiceTexts(OptionDataClass* record, std::vector<VgStr> texts);
  // Whether the main picture shows a digital channel of a tuner input.
  bool OnDigitalChannel() const;
  // A new choice courier of the record's Id in the given texts.
  void MakeCourier(OptionDataClass* record, std::span<const VgStr> texts, std::span<const int32_t> values,
                   bool indexIsValue);

 private:
  struct Choices {
    std::vector<VgStr> texts;      // the visible choices
    std::vector<int32_t> values;   // their values, when the option has a table
    uint32_t mask = ~0u;           // the entries of the full list that are visible
    bool generated = false;        // the texts were made at run time
  };
  void LoadSharedTexts();
  void LoadChoices(size_t index);

  uint32_t number_ = 0;
  std::span<const OptionRow> rows_;
  std::vector<OptionDataClass*> records_;  // by index; marked by Mark()
  std::vector<const OptionRow*> rowByIndex_;
  std::vector<Choices> choices_;
  VgPtr<::SkinBin::Wrapper> model_;
  VgStr offOn_[2];
  VgStr offLowHigh_[3];
  VgStr offLowMiddleHigh_[4];
};

}  // namespace OptionDatabase
