// The fixture of the menu tests: the booted root with the first-time setup
// done, the menu sub-system, its main menu, page and pop-up, and keys with
// the turn of the loop after them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppServices/OptionDB.h"
#include "Core/Keys.h"
#include "MenuSystem/BrcmMainMenu.h"
#include "MenuSystem/BrcmOptionMenu.h"
#include "MenuSystem/BrcmSubMenu.h"
#include "MenuSystem/MenuSystem.h"
#include "OptionDatabase/OptionBinding.h"
#include "SkinBin/OptionTypes.h"
#include "mainapp_fixture.h"

namespace MenusTest {

using MenuSystem::BrcmMainMenu;
using MenuSystem::BrcmMainMenuItem;
using MenuSystem::BrcmOptionMenu;
using MenuSystem::BrcmSubMenu;
using MenuSystem::BrcmSubMenuItem;

inline std::string Utf8(VgString text) { return VgStringToUtf8(text); }

class MenusTest : public MainAppTest::MainAppFixture {
 protected:
  void SetUp() override {
    MainAppFixture::SetUp();
    StoreSetting("SetupStep", "9");
  }
  void Start() {
    BootAndWake();
    ASSERT_NE(App(), nullptr);
    model = root->Wrapper;
  }

  MenuSystem::MenuSystem* Menus() const { return App()->MenuSystem; }
  template <class T>
  T* Child() const {
    for (Core::View* view = Menus()->firstView; view; view = view->nextView)
      if (auto* page = vg_cast<T>(view)) return page;
    return nullptr;
  }
  BrcmMainMenu* Main() const { return Child<BrcmMainMenu>(); }
  BrcmSubMenu* Page() const { return Child<BrcmSubMenu>(); }
  BrcmOptionMenu* PopUp() const { return Child<BrcmOptionMenu>(); }
  // The clock runs on in steps of the loop's shortest wait, so that every
  // frame of a move comes.
  void Run(uint32_t ms) {
    for (; ms >= 10; ms -= 10) Advance(10);
    if (ms) Advance(ms);
  }
  // A key, and the signal passes of one turn of the loop.
  XObject* Key(uint16_t code, bool frontPanel = false) {
    XObject* taken = Press(code, frontPanel);
    Advance(0);
    return taken;
  }
  static std::vector<std::string> Rows(BrcmSubMenu* page) {
    std::vector<std::string> rows;
    for (int32_t i = 0; i < page->ItemsNum; ++i)
      if (auto* row = vg_cast<BrcmSubMenuItem>(page->GetCtrlAt(i))) rows.push_back(Utf8(row->Text));
    return rows;
  }
  static BrcmSubMenuItem* FocusedRow(Forms::Form* form) { return vg_cast<BrcmSubMenuItem>(form->Focus.get()); }
  // Opens the menu with the topic and the page's row chosen beforehand, and
  // moves the focus into the page.
  BrcmSubMenu* EnterPage(int32_t topic, int32_t row) {
    Menus()->SetMenuIndex(1, topic);
    Menus()->SetMenuIndex(2, row);
    Key(Key::Menu);
    Key(Key::Right);
    return Page();
  }

  // The choice of View Mode that the model holds.
  static int32_t ViewMode() {
    return OptionDatabase::OptionBinding(MainApp::GetOptionDB(), SkinBin::OPTION_TYPE_PICTURE_SIZE, "test").Read();
  }

  ::SkinBin::Wrapper* model = nullptr;
};

}  // namespace MenusTest
