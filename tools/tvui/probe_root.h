// A root for tests, the benchmark and demonstrations: it shows what reaches
// it (each key as a scenario's key line names it, the name of each factory
// command, the class of each other event object with the field that tells
// it apart) as text, the latest on top and the last few below.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <string>

#include "Core/Root.h"
#include "Views/Text.h"
#include "gui_loop.h"

namespace TvuiProbe {

class Root : public Core::Root {
  VG_CLASS()

 public:
  explicit Root(XObject* link = nullptr) : Core::Root(link) {}

  // Adds the texts once the root has its screen.
  void Build();
  XObject* HandleEvent(Core::Event* event) override;

  VgPtr<Views::Text> latest;
  VgPtr<Views::Text> history;
  int32_t received = 0;
  int32_t tv101State = 0;
  std::deque<std::string> items;

  // Set from the runner: the next event makes the root panic on the GUI
  // thread, as a fault in a screen would.
  static std::atomic<bool> panicOnNextEvent;
  // Likewise the next event makes it overflow a signed integer, for the
  // undefined-behaviour sanitizer to report.
  static std::atomic<bool> overflowOnNextEvent;
};

// The loop's view of this root.
const GuiRootOps& Ops();

}  // namespace TvuiProbe

