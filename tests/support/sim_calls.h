// The simulated set's record of calls as tests read it.
#pragma once

#include <string>
#include <vector>

#include "simtv.h"

// Every call kept since the last clear, as "NAME ARG ...".
inline std::vector<std::string> RecordedCalls() {
  std::vector<std::string> calls;
  char text[1024];
  for (int i = 0; i < simtv_call_count(); ++i)
    if (simtv_call_text(i, text, sizeof text) == 0) calls.emplace_back(text);
  return calls;
}

// The calls of the television model (XPM_..., TVSM_...) that change the set:
// those that only read ("XPM_GetTimer", "XPM_Check_...") are left out.
inline std::vector<std::string> ChangingCalls() {
  std::vector<std::string> calls;
  for (std::string& call : RecordedCalls()) {
    const std::string name = call.substr(0, call.find(' '));
    if (name.rfind("XPM_", 0) != 0 && name.rfind("TVSM_", 0) != 0) continue;
    if (name.find("_Get") != std::string::npos || name.find("_Check") != std::string::npos) continue;
    calls.push_back(std::move(call));
  }
  return calls;
}
