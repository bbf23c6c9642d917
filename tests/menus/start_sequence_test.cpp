// The 3D start sequence's decision: one case per way from one screen of the
// chain to the next.
#include <gtest/gtest.h>

#include "ThreeD/StartSequence.h"

namespace {

using ThreeD::NextStep;
using ThreeD::Screen;
using ThreeD::SequenceFacts;
using ThreeD::SequenceStep;

// A set watching 3D for the first time since the sequence last ran: a 3D
// format on the input, no lock period, nothing asked.
SequenceFacts From(Screen from) { return {.from = from, .formatSelected = true}; }

struct Case {
  const char* name;
  SequenceFacts facts;
  SequenceStep step;
};

TEST(StartSequence, EachScreenLeadsToTheNextByTheSetsState) {
  SequenceFacts unsupported = From(Screen::ModeButton);
  unsupported.formatSupported = false;
  SequenceFacts infoDue = From(Screen::MessageBar);
  infoDue.firstViewing = true;
  SequenceFacts infoWanted = From(Screen::ModeFlag);
  infoWanted.displayInfo = true;
  SequenceFacts lockRunsNoFormat = From(Screen::ModeButton);
  lockRunsNoFormat.remain3DTime = 5;
  lockRunsNoFormat.formatSelected = false;
  lockRunsNoFormat.locked = true;
  lockRunsNoFormat.displayInfo = true;
  SequenceFacts lockRunsFlag = lockRunsNoFormat;
  lockRunsFlag.from = Screen::ModeFlag;
  SequenceFacts lockRunsFormat = From(Screen::MessageBar);
  lockRunsFormat.remain3DTime = 1;
  lockRunsFormat.enableTimer = true;
  lockRunsFormat.remainContinualTime = 30;
  SequenceFacts continual = From(Screen::Information);
  continual.enableTimer = true;
  continual.remainContinualTime = 30;
  continual.locked = true;
  SequenceFacts continualNoInfo = continual;
  continualNoInfo.from = Screen::ModeButton;
  SequenceFacts askedOnce = continual;
  askedOnce.remainContinualTime = -1;
  SequenceFacts pinNext = From(Screen::Information);
  pinNext.locked = true;
  SequenceFacts pinDone = From(Screen::Pin);
  pinDone.enableTimer = true;
  pinDone.locked = true;
  SequenceFacts noLockNoFormat = From(Screen::MessageBar);
  noLockNoFormat.formatSelected = false;
  SequenceFacts warning = From(Screen::Format);
  warning.startMessage = true;
  warning.display3D = true;
  SequenceFacts banner = From(Screen::Format);

  const Case cases[] = {
      {"an unsupported format", unsupported,
       {.unsupported = true, .next = Screen::MessageBar, .parameter = ThreeD::kUnsupportedMessage}},
      {"the first viewing", infoDue, {.forgetFirst = true, .next = Screen::Information}},
      {"information every time", infoWanted, {.forgetFirst = true, .next = Screen::Information}},
      {"a lock period, no format", lockRunsNoFormat, {.next = Screen::Format}},
      {"a lock period, from the flag", lockRunsFlag,
       {.applyLater = true, .announce = true, .clearAll = true, .next = Screen::Banner}},
      {"a lock period, a format", lockRunsFormat,
       {.applyLater = true, .announce = true, .clearAll = true, .next = Screen::Banner}},
      {"long use, after the information", continual,
       {.askedContinual = true, .next = Screen::Confirmation, .parameter = ThreeD::kContinualConfirmation}},
      {"long use, no information due", continualNoInfo,
       {.askedContinual = true, .next = Screen::Confirmation, .parameter = ThreeD::kContinualConfirmation}},
      {"long use asked once", askedOnce, {.next = Screen::Pin, .parameter = ThreeD::kSequencePin}},
      {"the 3D lock", pinNext, {.next = Screen::Pin, .parameter = ThreeD::kSequencePin}},
      {"after the PIN, a format", pinDone, {.startLockTimer = true, .formatTaken = true}},
      {"no lock, no format", noLockNoFormat, {.next = Screen::Format}},
      {"the start warning", warning, {.announce = true, .next = Screen::Warning}},
      {"no start warning", banner, {.clearAll = true, .next = Screen::Banner}},
      {"after the warning", From(Screen::Warning), {.clearAll = true}},
      {"another screen", From(Screen::Banner), {}},
      {"no screen", From(Screen::None), {}},
  };
  for (const Case& c : cases) EXPECT_TRUE(NextStep(c.facts) == c.step) << c.name;
}

}  // namespace
