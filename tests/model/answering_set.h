// A simulated set that answers: booted on its virtual clock with the test as
// its driving thread, so that what the set does later (the results of scans,
// joins, discoveries and launches) arrives exactly when the test moves the
// set's clock on. The middleware's events and the state manager's commands
// are kept as they arrive.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "model_test_support.h"
#include "simtv.h"
#include "tvsm.h"
#include "xpm.h"

namespace ModelTest {

// One event of the middleware, or one command of the state manager.
struct SetAnswer {
  bool command = false;
  uint32_t number = 0;
  std::vector<uint8_t> payload;

  int32_t Word(size_t index) const {
    int32_t word = 0;
    if (payload.size() >= (index + 1) * 4) std::memcpy(&word, payload.data() + index * 4, 4);
    return word;
  }
  std::string Text(size_t offset) const {
    if (offset >= payload.size()) return {};
    const char* text = reinterpret_cast<const char*>(payload.data() + offset);
    return std::string(text, strnlen(text, payload.size() - offset));
  }
  // "event 84 2" or "command 21": the number and the first word.
  std::string Brief() const {
    std::string text = (command ? "command " : "event ") + std::to_string(number);
    return payload.size() >= 4 ? text + " " + std::to_string(Word(0)) : text;
  }
};

// Boots the set on its virtual clock (once a process) with the test as its
// driving thread and keeps what the set answers from then on. Fixtures call
// Start in their set-up and Stop in their tear-down.
class SetAnswers {
 public:
  static void Start() {
    simtv_boot(1, 0);
    ASSERT_EQ(XPM_SubscribeEventClient(&OnEvent, nullptr), 0);
    TVSM_RegisterProcessCommandCallback(nullptr, 1, &OnCommand);
    simtv_settle();
    Take();
  }
  static void Stop() {
    XPM_UnsubscribeEventClient(&OnEvent, nullptr);
    TVSM_RegisterProcessCommandCallback(nullptr, 1, nullptr);
  }
  // Moves the set's clock on; the answers that came meanwhile, oldest first.
  static std::vector<SetAnswer> Advance(uint32_t ms) {
    simtv_advance(ms);
    return Take();
  }
  static std::vector<std::string> Briefly(const std::vector<SetAnswer>& answers) {
    std::vector<std::string> texts;
    for (const SetAnswer& a : answers) texts.push_back(a.Brief());
    return texts;
  }
  static std::vector<SetAnswer> Take() {
    std::lock_guard lock(Mutex());
    std::vector<SetAnswer> taken;
    taken.swap(Arrived());
    return taken;
  }

 private:
  static std::mutex& Mutex() {
    static std::mutex mutex;
    return mutex;
  }
  static std::vector<SetAnswer>& Arrived() {
    static std::vector<SetAnswer> arrived;
    return arrived;
  }
  static void Keep(bool command, uint32_t number, const void* payload, uint32_t size) {
    SetAnswer answer{command, number, {}};
    if (payload && size)
      answer.payload.assign(static_cast<const uint8_t*>(payload), static_cast<const uint8_t*>(payload) + size);
    std::lock_guard lock(Mutex());
    Arrived().push_back(std::move(answer));
  }
  static void OnEvent(uint32_t, uint32_t event, const void* payload, uint32_t size) {
    Keep(false, event, payload, size);
  }
  static void OnCommand(void*, uint32_t command, const void* payload, uint32_t size) {
    Keep(true, command, payload, size);
  }
};

}  // namespace ModelTest
