// The tables name screens by class name; a name that no class has is either
// a screen still to be built (listed below) or a typo.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "FactorySystem/RawCommands.h"
#include "MenuSystem/BrcmMainMenu.h"
#include "MenuSystem/BrcmSubMenu.h"
#include "NonMenuSystem/ConfirmTypes.h"
#include "NonMenuSystem/DirectMessages.h"
#include "NonMenuSystem/PinTypes.h"
#include "NonMenuSystem/WidgetClass.h"
#include "SubSystem/Open.h"
#include "vgobject.h"

namespace {

// Screens the tables name that no unit builds yet. Take a name off when its
// screen lands: the test fails on a name listed here that a unit builds.
const std::set<std::string> kNotBuiltYet = {};

std::vector<std::string> NamesInTables() {
  std::vector<std::string> names;
  auto add = [&names](const char* name) {
    if (name) names.emplace_back(name);
  };
  for (const NonMenuSystem::DirectMessage& row : NonMenuSystem::kDirectMessages) add(row.next);
  for (const NonMenuSystem::ConfirmType& row : NonMenuSystem::kConfirmTypes) {
    add(row.next);
    add(row.back);
    add(row.target);
  }
  for (const NonMenuSystem::PinType& row : NonMenuSystem::kPinTypes) {
    add(row.next);
    add(row.backOfNext);
  }
  MenuSystem::BrcmMainMenu::ForEachPageName(
      [](const char* name, void* list) { static_cast<std::vector<std::string>*>(list)->emplace_back(name); }, &names);
  MenuSystem::PageListing::ForEach(
      [](const MenuSystem::PageTable& table, void* list) {
        auto* names = static_cast<std::vector<std::string>*>(list);
        if (table.back) names->emplace_back(table.back);
        for (const MenuSystem::RowDef& row : table.rows) {
          if (row.target) names->emplace_back(row.target);
          if (row.pinType) names->emplace_back(SubSystem::PinDialogClass);
          if (row.kind == MenuSystem::RowKind::Value) names->emplace_back(MenuSystem::OptionMenuClass);
          if (row.kind == MenuSystem::RowKind::Bar || row.kind == MenuSystem::RowKind::BarSlider)
            names->emplace_back(MenuSystem::AdjustmentBarClass);
        }
      },
      &names);
  for (const char* name : FactorySystem::kRawCommandScreens) add(name);
  for (const char* name : NonMenuSystem::kClearReachesTheMedia) add(name);
  return names;
}

TEST(ClassNames, EveryNameInATableIsAClassOrAScreenStillToBuild) {
  std::set<std::string> unbuilt;
  for (const std::string& name : NamesInTables()) {
    if (VgFindClass(name.c_str())) continue;
    EXPECT_TRUE(kNotBuiltYet.count(name)) << name << " is no class: a typo, or a screen to list as not built yet";
    unbuilt.insert(name);
  }
  for (const std::string& name : kNotBuiltYet)
    EXPECT_EQ(VgFindClass(name.c_str()), nullptr) << name << " is built: take it off the list of screens not built yet";
  std::printf("Named by tables, not built yet:\n");
  for (const std::string& name : unbuilt) std::printf("  %s\n", name.c_str());
}

// Bases that no table names: the screens built on them find them by their
// descriptors.
TEST(ClassNames, TheNetworkDialogsStandOnTheirBases) {
  const VgClass* scan = VgFindClass("Network::WirelessScanDialog");
  ASSERT_NE(scan, nullptr);
  EXPECT_EQ(scan->ancestor, VgFindClass("Network::QORNetworkWidgetClass"));
  const VgClass* pin = VgFindClass("Network::PinEnterDialog");
  ASSERT_NE(pin, nullptr);
  EXPECT_EQ(pin->ancestor, VgFindClass("Network::NetworkConfirmDialog"));
  EXPECT_EQ(pin->ancestor->ancestor, VgFindClass("NonMenuSystem::ConfirmOptionDialog"));
}

TEST(ClassNames, EveryClassOfTheUnitsIsFoundByItsOwnNameOnce) {
  std::vector<const VgClass*> classes;
  VgForEachClass([](const VgClass* cls, void* list) { static_cast<std::vector<const VgClass*>*>(list)->push_back(cls); },
                 &classes);
  // The units hold a few hundred classes, none of which a test binary names.
  EXPECT_GT(classes.size(), 200u);
  std::set<std::string> seen;
  for (const VgClass* cls : classes) {
    EXPECT_TRUE(seen.insert(cls->name).second) << "two classes named " << cls->name;
    EXPECT_EQ(VgFindClass(cls->name), cls) << cls->name;
  }
  EXPECT_EQ(VgFindClass("NoSuchUnit::NoSuchClass"), nullptr);
  EXPECT_EQ(VgFindClass(nullptr), nullptr);
}

}  // namespace
