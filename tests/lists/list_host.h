// A stand-in for the screen that holds a list, for the tests of every list
// and grid: it embeds the list as its owner screen would (slots wired, list
// focused, Initialize called with the host as parent), records each slot the
// list signals and each key the list leaves to it, and drives keys through the
// focus path.
//
//   class ChannelLists : public ListTest::ListFixture {};
//   TEST_F(ChannelLists, ...) {
//     auto* list = Embed(VgNew<ListForm::ChannelLockList>());
//     Press(Key::Down);
//     EXPECT_EQ(host->Count("FocusMove"), 1);
//   }
//
// Link the test with list_host; UseModel() brings up the simulated set and
// the television model for lists whose readers read it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ListForm/ListBase.h"
#include "Primitives/KeyRoutingForm.h"
#include "views_fixture.h"

namespace SkinBin {
class Wrapper;
}

namespace ListTest {

class Host;

// The reference picture of that name in tests/lists/golden.
std::string GoldenPath(const std::string& name);

// One recorded slot: signalling it notes its name and sender in the host.
class SlotRecorder : public XObject {
  VG_CLASS()
 public:
  void Heard(XObject* sender);
  std::string name;
  VgPtr<Host> host;
};

class Host : public Primitives::KeyRoutingForm {
  VG_CLASS()
 public:
  Host();

  // Gives the list's null slots (the five every list has) recorders named
  // after them, adds the list, focuses it and initialises it with the host as
  // its parent and param as the opening parameter's value.
  void Embed(ListForm::ListBase* list, XObject* param = nullptr);
  // A recorder for a slot of the list's own (OnProgramChanged, ...).
  VgSlot Recorder(const std::string& name);
  // Takes every key the list left; releases are noted as negative codes.
  XObject* HandleEvent(Core::Event* event) override;

  int Count(const std::string& name) const;
  // The sender of the last signal of that slot, null when none came.
  XObject* LastSender(const std::string& name) const;
  // The slots heard since the last call, in order, joined by blanks.
  std::string Take();

  struct Heard {
    std::string name;
    XObject* sender;
  };
  std::vector<Heard> heard;
  std::vector<int32_t> keys;

 private:
  VgPtrArray<SlotRecorder, 16> recorders;
  size_t taken = 0;
};

class ListFixture : public ViewsTest::ViewsFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  template <class L>
  L* Embed(L* list, XObject* param = nullptr) {
    host->Embed(list, param);
    VgProcessSignals();
    embedded = list;
    return list;
  }
  // One key press (or release) through the focus path, and the signal pass
  // after it.
  void Press(uint16_t code);
  void Release(uint16_t code);
  // The embedded list's focused row (from 0), -1 for none.
  int32_t Focused() const;
  int32_t Cursor() const;
  // The texts of the rows shown, top to bottom.
  std::vector<std::string> Texts() const;
  // The simulated set reset and the television model held until the end of
  // the test.
  SkinBin::Wrapper* UseModel();

  Host* host = nullptr;
  ListForm::ListBase* embedded = nullptr;
  SkinBin::Wrapper* model = nullptr;
};

}  // namespace ListTest
