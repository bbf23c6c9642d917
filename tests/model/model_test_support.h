// Shared set-up of the model tests: a simulated television fresh from the
// factory, and small builders of its records.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "Strings.h"
#include "db.h"
#include "sim_calls.h"
#include "simtv.h"
#include "vgstring.h"
#include "xpm.h"

namespace ModelTest {

// 2011-06-15 12:00:00 UTC, in the middle of the set's day whatever the zone.
inline constexpr int64_t kNow = 1308139200;

class SimulatedSet : public testing::Test {
 protected:
  void SetUp() override {
    simtv_tv_reset();
    simtv_av_reset();
    simtv_factory_reset();
    simtv_db_clear_programmes();
    simtv_tv_set_local_time(kNow);
  }
};

inline XPM_ChannelInfo Channel(int32_t major, int32_t minor, uint8_t cable = 0, int32_t physical = 20) {
  XPM_ChannelInfo c{};
  std::snprintf(c.name, sizeof c.name, "CH %d-%d", major, minor);
  c.major = major;
  c.minor = minor;
  c.substituteMinor = -1;
  c.digital = minor > 0;
  c.cable = cable;
  c.physical = physical;
  c.sourceId = 1;
  c.sourceType = 1;
  return c;
}

inline std::string Utf8(VgString s) { return VgStringToUtf8(s); }

// What a string constant reads in the language of the moment.
inline std::string Text(const VgConstant& constant) { return Utf8(VgGetVariantOfString(&constant)); }

}  // namespace ModelTest
