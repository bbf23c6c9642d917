// What the widget-base tests share: listeners for slots, rows and a list of
// numbered items, a screen that serves one key, and a stand-in for the
// sub-system group that registers the screens opened into it.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "Forms/ScrollBar.h"
#include "ListForm/ListClass.h"
#include "ListForm/ListCourier.h"
#include "Primitives/KeyRoutingCtrl.h"
#include "Primitives/KeyRoutingForm.h"
#include "Primitives/KeyRoutingGroup.h"
#include "Views/Frame.h"
#include "Views/Text.h"
#include "root_fixture.h"

namespace WidgetTest {

// Counts the signals it hears and remembers the last sender.
class Listener : public XObject {
  VG_CLASS()
 public:
  void Heard(XObject* from) {
    ++count;
    sender = from;
  }
  VgSlot Slot() { return VgSlotOf<&Listener::Heard>(this); }
  int count = 0;
  XObject* sender = nullptr;
};

// Records what the bar asks its thumb to show.
class TrackedBar : public Forms::ScrollBar {
  VG_CLASS()
 public:
  void ArrangeTracker(int32_t position, int32_t page, int32_t content) override {
    tracker = {position, page, content};
  }
  std::array<int32_t, 3> tracker{-1, -1, -1};
};

// A list row: shows the index of the item it holds (-1 for none) as text, and
// a focus frame while focused.
class Row : public Primitives::KeyRoutingCtrl {
  VG_CLASS()
 public:
  Row();
  XObject* GetData(XObject* data) override;
  XObject* SetData(XObject* data) override;
  void UpdateCtrlState(uint16_t oldState, uint16_t newState) override;

  int32_t shown = -1;
  VgPtr<ListForm::ListCourier> courier;
  Views::Frame frame{this};
  Views::Text caption{this};
};

// A list of Num numbered items; item i's courier has Index i and the text
// "Item i".
class NumberList : public ListForm::ListClass {
  VG_CLASS()
 public:
  XObject* GetItemData(int32_t offset) override;
};

// A screen that takes key KeyServed (restarting its time-out) and closes
// itself when the time-out expires.
class Screen : public Primitives::KeyRoutingForm {
  VG_CLASS()
 public:
  static constexpr uint16_t KeyServed = 30;
  Screen();
  XObject* HandleEvent(Core::Event* event) override;
  void HandleMessage(Structures::Message* message) override;
  int keys = 0;
  int messages = 0;
};

// Stands in for a sub-system: the group's Add and Remove are where the shell
// registers and unregisters the screens it holds.
class SubSystemGroup : public Primitives::KeyRoutingGroup {
  VG_CLASS()
 public:
  void Add(Core::View* view, int32_t restack) override;
  void Remove(Core::View* view) override;
  void HandleMessage(Structures::Message* message) override;
  std::vector<Primitives::KeyRoutingForm*> registered;
  int messages = 0;
};

}  // namespace WidgetTest
