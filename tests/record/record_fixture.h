// The set of a fixture of tests/scenarios/fixtures, loaded afresh for a test
// of the recording screens, with the calls of the loading forgotten.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "simtv.h"

namespace RecordTest {

inline void LoadFixture(const char* name) {
  simtv_tv_reset();
  simtv_db_clear_programmes();
  char error[256];
  const std::string fixture = std::string(std::getenv("TVUI_SOURCE_DIR")) + "/tests/scenarios/fixtures/" + name;
  ASSERT_EQ(simtv_tv_load_fixture(fixture.c_str(), error, sizeof error), 0) << error;
  simtv_clear_calls();
}

}  // namespace RecordTest
