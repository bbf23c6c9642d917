// The television model and the option database over a fresh simulated set,
// and the row protocol every screen follows.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MainApp/Wrapper.h"
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

  // Fetch, initialise, read the property, convert to a choice, build the courier.
  OptionDatabase::OptionDataClass* Read(int32_t id) {
    auto* record = Record(id);
    if (!record) return nullptr;
    record->Initialize();
    VgRef<int32_t> ref = record->OnGetRefValue();
    if (!ref.IsNull()) record->Value = VgOnGetInt32(ref);
    record->Val2Id();
    record->GetData();
    return record;
  }

  // Choose an index, convert it to a value, write it, rebuild the courier.
  void Change(OptionDatabase::OptionDataClass* record, int32_t id) {
    record->Id = id;
    record->Id2Value();
    VgRef<int32_t> ref = record->OnGetRefValue();
    if (!ref.IsNull()) VgOnSetInt32(ref, record->Value);
    record->GetData();
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
