// The television model and the option database over a fresh simulated set,
// and the row protocol every screen follows.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppServices/Wrapper.h"
#include "OptionDatabase/OptionBinding.h"
#include "OptionDatabase/OptionData.h"
#include "SkinBin/OptionDatabaseClass.h"
#include "SkinBin/Wrapper.h"
#include "vgobject.h"
#include "vgstring.h"
#include "simtv.h"
#include "xpm.h"

class Options : public ::testing::Test {
 protected:
  void SetUp() override {
    simtv_av_reset();
    simtv_set_value("current_source", 1);
    model = MainApp::GetWrapper();
    VgLockObject(model);
    db = VgNew<SkinBin::OptionDatabaseClass>();
    VgLockObject(db);
  }
  void TearDown() override {
    VgUnlockObject(db);
    VgUnlockObject(model);
    VgSetLanguage(0);
    VgReclaimMemory();
    simtv_av_reset();
  }

  OptionDatabase::OptionDataClass* Record(int32_t id) {
    auto* record = db->GetOptionData(id);
    EXPECT_NE(record, nullptr) << std::hex << id;
    return record;
  }

  // Makes the source the main picture's, of the given type.
  static void ShowSource(int32_t source, int32_t type) {
    simtv_set_value("current_source", source);
    simtv_av_set_source_type(source, type);
  }

  // The recorded calls of the set since the last clear, as "NAME ARG ...".
  static std::vector<std::string> Calls() {
    std::vector<std::string> calls;
    char text[256];
    for (int i = 0; i < simtv_call_count(); ++i)
      if (simtv_call_text(i, text, sizeof text) == 0) calls.emplace_back(text);
    return calls;
  }

  // The read road of the option binding, then the courier of the choice.
  OptionDatabase::OptionDataClass* Read(int32_t id) {
    OptionDatabase::OptionBinding option(db, id, "Options");
    EXPECT_TRUE(option) << std::hex << id;
    if (!option) return nullptr;
    option.Read();
    option.ChoiceText();
    return option.Record();
  }

  // The write road of the option binding, then the courier of the choice.
  void Change(OptionDatabase::OptionDataClass* record, int32_t id) {
    OptionDatabase::OptionBinding option(db, record->OptionType, "Options");
    ASSERT_EQ(option.Record(), record);
    option.Write(id);
    option.ChoiceText();
  }

  static std::string ChoiceText(OptionDatabase::OptionDataClass* record) {
    auto* courier = vg_cast<OptionDatabase::OptionCourier>(record->Courier);
    return courier ? VgStringToUtf8(courier->Text) : "<no choice courier>";
  }

  // What a string constant reads in the language of the moment.
  static std::string Text(const VgConstant& constant) { return VgStringToUtf8(VgGetVariantOfString(&constant)); }

  SkinBin::Wrapper* model = nullptr;
  SkinBin::OptionDatabaseClass* db = nullptr;
};
