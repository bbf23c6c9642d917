#include "MenuSystem/MenuSystem.h"

#include "MenuSystem/ArcMenus.h"

#include <algorithm>

#include "AppServices/EventAgent.h"
#include "AppServices/MessageAgent.h"
#include "AppServices/Messages.h"
#include "AppServices/PersistentData.h"
#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Core/Keys.h"
#include "Events/Events.h"
#include "Events/XPM_EVENT_KEY.h"
#include "MenuSystem/BrcmMainMenu.h"
#include "MenuSystem/BrcmOptionMenu.h"
#include "MenuSystem/BrcmSubMenu.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "NonMenuSystem/WidgetClass.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Structures/Boxes.h"
#include "Structures/Message.h"
#include "SubSystem/KeyOwner.h"
#include "SubSystem/MenuClass.h"
#include "SubSystem/Open.h"
#include "WidgetManager/WidgetManager.h"
#include "WinIDs/WinIDs.h"
#include "vgdebug.h"
#include "vgslot.h"

VG_DEFINE_CLASS(MenuSystem, MenuSystem, SubSystem::MenuSystemClass)

namespace MenuSystem {

namespace {

// The factory's mode text in which the front panel belongs to the service
// menus, and the widget application's first-use widget, which keeps MENU.
constexpr const char16_t* kServiceMode = u"S";
constexpr const char16_t* kFirstUseWidget = u"OOBE";
// The non-menu message that internet applications cannot start in 3D.
constexpr int32_t kDirectMsg3DNoInternetApp = 32;

bool SameText(VgString text, const char16_t* expected) { return VgCompString(text, VgNewString(expected)) == 0; }

// "MainMenuIndex" holds the main menu's 0-based index; the menus count from 1.
// A stored number that cannot be an item's reads as a missing key does: the
// first item.
int32_t IndexOfStored(int32_t stored) { return stored >= 0 && stored < INT32_MAX ? stored + 1 : 1; }
int32_t StoredOfIndex(int32_t index) { return index >= 1 ? index - 1 : 0; }

}  // namespace

MenuSystem::MenuSystem(XObject* link) : SubSystem::MenuSystemClass(link) { std::fill_n(MenuIndex, Levels, 1); }

MenuSystem* SystemOf(SubSystem::MenuClass* page) {
  return page ? vg_cast<MenuSystem>(page->MenuSystem.get()) : nullptr;
}

bool MenuSystem::NetAppActive() {
  ::SkinBin::Wrapper* model = MainApp::GetWrapper();
  return model->GetActiveNetAppStatus() && !model->IsDemoFlash();
}

void MenuSystem::LaunchWidgets(int32_t mode) {
  ::SkinBin::Wrapper* model = MainApp::GetWrapper();
  ::SkinBin::Setup3D& threeD = model->Setup3D;
  threeD.RefreshState();
  const bool in3D =
      threeD.Is3DDisplay(threeD.State) || (threeD.Is3DMode(threeD.Mode) && threeD.Is3DMode(threeD.InputFormat));
  if (!in3D) {
    model->LaunchYahooApp(mode);
    MainApp::SendMessage(Constants::MSG_CLEAR_ALL);
    return;
  }
  MainApp::SendMessage(Constants::MSG_CLEAR_ALL);
  MainApp::SendMessage(Constants::MSG_SHOW_MESSAGE, &NonMenuSystem::NonMenuSystem::Class, kDirectMsg3DNoInternetApp);
}

void MenuSystem::Initialize(Primitives::KeyRoutingParameter* parameter) {
  SubSystem::MenuSystemClass::Initialize(parameter);
  OnSetBounds({0, 0, 960, 540});
  MainApp::GetMessageAgent()->Register(this);
  SetMenuIndex(1, IndexOfStored(MainApp::GetPersistentData()->GetInteger(VgNewString(MainMenuIndexKey))));
}

void MenuSystem::Close(XObject* sender) {
  SubSystem::MenuSystemClass::Close(sender);
  MainApp::GetMessageAgent()->UnRegister(this);
}

// The menus count their minute only while they have the keys: under a
// screen of another sub-system (the volume bar, the quick menu) every page's
// time-out stops, the option pop-up's too, though it runs without the focus,
// and each starts again from a whole minute when the keys come back. The
// main menu's help line and the pages' line on the help bar show only with
// the keys. The minute and the line stop at once as the keys leave, and come
// back as the key owner settles them here.
void MenuSystem::KeysMoved() {
  if (!SubSystem::KeyOwner::HasTheKeys(this)) FollowTheKeys();
}

void MenuSystem::KeysSettled() { FollowTheKeys(); }

void MenuSystem::FollowTheKeys() {
  const bool keys = SubSystem::KeyOwner::HasTheKeys(this);
  for (Core::View* view = firstView; view; view = view->nextView) {
    if (auto* form = vg_cast<Primitives::KeyRoutingForm>(view)) {
      if (keys)
        form->ResumeTimeout();
      else
        form->HoldTimeout();
    }
    if (auto* main = vg_cast<BrcmMainMenu>(view)) main->ShowHelpLine(SubSystem::KeyOwner::ShowsOwnHelpLine(main));
    if (auto* page = vg_cast<BrcmSubMenu>(view)) {
      if (keys)
        page->KeysCameBack();
      else
        page->KeysLeftTheMenus();
    }
  }
  // An older page that closed while another screen had the keys (the
  // picture-mode overlay it opened, cleared by a change of input) left its
  // line told: back on the other pages it would show beside the main menu's.
  if (keys && helpBarTold_ && !SubSystem::KeyOwner::HelpBarLineHasTheKeys(this)) ClearHelpBar();
}

void MenuSystem::AfterScreenLeft() {
  SubSystem::MenuSystemClass::AfterScreenLeft();
  CloseForsakenMenus();
}

MenuSystem::MenuKey MenuSystem::RoleOfMenuKey(Core::KeyEvent* key) {
  ::SkinBin::Wrapper* model = MainApp::GetWrapper();
  if (model->IsYahoo()) {
    // Its first-use widget must not be interrupted; any other widget ends.
    if (SameText(model->GetYahooWidgetName(), kFirstUseWidget)) return MenuKey::Swallow;
    model->TerminateYahooApp();
  } else {
    if (MainApp::GetWidgetManager()->HasWidgetInGroup(WinIDs::WIN_ID_MediaPlayer)) return MenuKey::NotOurs;
    if (NetAppActive()) return MenuKey::NotOurs;
  }
  // The front panel's MENU belongs to the factory in its service mode, and
  // with the service-mode key held it is half of the factory's combination.
  auto* remote = vg_cast<Events::XPM_EVENT_KEY>(key);
  if (remote && remote->FrontPanel == 1) {
    if (SameText(model->OnGetFactoryMode(), kServiceMode)) return MenuKey::NotOurs;
    if (model->GetKeyHeld(::SkinBin::kHeldKeyServiceMode)) return MenuKey::NotOurs;
  }
  return MenuKey::Toggle;
}

XObject* MenuSystem::HandleEvent(Core::Event* event) {
  if (auto* key = vg_cast<Core::KeyEvent>(event)) {
    if (!key->down) return SubSystem::MenuSystemClass::HandleEvent(event);
    if (key->keyCode == Key::Menu) {
      const MenuKey role = RoleOfMenuKey(key);
      if (role == MenuKey::NotOurs) return nullptr;
      if (role == MenuKey::Swallow) return this;
      const bool open = Focus != nullptr;
      // Closes the other sub-systems' screens too, and this one's menus.
      ClearAll();
      if (!open) SubSystem::Open(this, {.screen = &BrcmMainMenu::Class});
      return this;
    }
    if (key->keyCode == Key::ClearAll || key->keyCode == Key::Exit) {
      if (!Focus) return nullptr;
      ClearAll();
      return this;
    }
    return SubSystem::MenuSystemClass::HandleEvent(event);
  }
  if (vg_is_exactly<Events::XPM_EVENT_RATING_REGION_UPDATED>(event)) {
    ::SkinBin::EventAgent* agent = MainApp::GetEventAgent();
    agent->InsertEvent(event);
    agent->ProcessEvents(this);
    return this;
  }
  if (auto* status = vg_cast<Events::StatusEvent>(event)) {
    MainApp::SendMessage(Constants::MSG_MM_STATUS_INFO, nullptr, static_cast<int16_t>(status->Code), status);
    return this;
  }
  return SubSystem::MenuSystemClass::HandleEvent(event);
}

void MenuSystem::HandleMessage(Structures::Message* message) {
  SubSystem::MenuSystemClass::HandleMessage(message);
  if (!message) return;
  switch (message->Code) {
    case Constants::MSG_CLEAR_ALL:
      if (Focus) TearDownMenus();
      break;
    case Constants::MSG_CHANGE_STATE:
      SubSystem::KeyOwner::Get()->Request(this, SubSystem::KeyOwner::Reason::Asked);
      ChangeState(vg_cast<SubSystem::State>(message->Payload.get()));
      break;
    case Constants::MSG_CHANGE_APPEARANCE:
      if (message->Param == Constants::APPEARANCE_TAKE_FOCUS)
        SubSystem::KeyOwner::Get()->Request(this, SubSystem::KeyOwner::Reason::Asked);
      break;
    default:
      break;
  }
}

Primitives::KeyRoutingForm* MenuSystem::ChangeState(SubSystem::State* state) {
  Primitives::KeyRoutingForm* form = SubSystem::MenuSystemClass::ChangeState(state);
  auto* page = vg_cast<SubSystem::MenuClass>(form);
  if (!page || page->SubSystemClass != GetClass()) return form;

  page->MenuSystem = this;
  if (auto* index = vg_cast<Structures::RefInt>(state->Param.get())) SetMenuIndex(page->MenuLevel, index->Value);
  auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
  parameter->Parent = this;
  parameter->Param = state->Param;
  page->Initialize(parameter);
  return OpenOrWait(state, page);
}

VgRect MenuSystem::WhereItWillStand(Primitives::KeyRoutingForm* form) {
  auto* page = vg_cast<SubSystem::MenuClass>(form);
  if (!page) return form->Bounds;
  VgPoint origin = PageOrigin;
  // The older family's arcs span the screen.
  if (page->MenuLevel == 1 || vg_cast<ArcMenu>(page))
    origin = TopLevelOrigin;
  else if (vg_cast<BrcmOptionMenu>(page))
    origin = OptionMenuOrigin;
  return VgSetRectOrigin(page->Bounds, origin);
}

void MenuSystem::OpenNow(Primitives::KeyRoutingForm* page) {
  page->Open();
  page->OnSetBounds(WhereItWillStand(page));
  // A page that opens beside the one with the keys waits for them; one that
  // opens in the place of a page that left (an older page's row opening a
  // page of the newer family) takes them, or the menus on view would hear
  // no key.
  if (page->FocusOnOpen || !Focus) SubSystem::KeyOwner::Get()->Request(page, SubSystem::KeyOwner::Reason::Opened);
}

void MenuSystem::SetMenuIndex(int32_t level, int32_t index) {
  if (level >= 1 && level <= Levels) MenuIndex[level - 1] = index;
}

int32_t MenuSystem::GetMenuIndex(int32_t level) {
  return level >= 1 && level <= Levels ? MenuIndex[level - 1] : 1;
}

void MenuSystem::TearDownMenus() {
  OnSetFocus(nullptr);
  ::WidgetManager::WidgetManager* widgets = MainApp::GetWidgetManager();
  widgets->CloseLayers(MenuLayers);
  std::fill(MenuIndex + 1, MenuIndex + Levels, 1);

  ::PersistentData::PersistentData* settings = MainApp::GetPersistentData();
  VgString key = VgNewString(MainMenuIndexKey);
  const int32_t stored = StoredOfIndex(MenuIndex[0]);
  if (stored != settings->GetInteger(key)) settings->PutInteger(key, stored);
  ClearHelpBar();

  ::SkinBin::Wrapper* model = MainApp::GetWrapper();
  if (model->OnGetTestPattern()) model->OnSetTestPattern(0);
  if (model->OnGetWB_WindowDisplay()) model->OnSetWB_WindowDisplay(0);
  if (model->GetRGBFilter() != RgbFilterOpen) model->SetRGBFilter(RgbFilterOpen);
  model->StartAutoDemoTimer();

  // The media players hid behind the menu: they take the focus back.
  if (widgets->HasWidgetInGroup(WinIDs::WIN_ID_MediaPlayer)) {
    MainApp::SendMessage(Constants::MSG_CHANGE_APPEARANCE, &::NonMenuSystem::NonMenuSystem::Class,
                         Constants::APPEARANCE_TAKE_FOCUS);
  }
}

// A screen goes back to the menus when a menu row opened it, or a screen that
// one opened (the origin is handed on forward and back), when it is a
// shortcut of the menus, or when its way back is a page that is open here.
// So does a screen of another sub-system that waits to open (a scan's result
// under the record options): opened at once, it would have kept the menus,
// and it comes back to them whole once it opens.
bool MenuSystem::AnyScreenGoesBack() {
  ::WidgetManager::WidgetManager* widgets = MainApp::GetWidgetManager();
  const auto goesBack = [this, widgets](Primitives::KeyRoutingForm* form) {
    auto* widget = vg_cast<::NonMenuSystem::WidgetClass>(form);
    if (widget && (widget->OnGetMenuTriggered() || widget->OnGetIsShortcut())) return true;
    if (!form->PrevState) return false;
    for (Structures::DuLinkNode* other = widgets->Sentinel()->next; other != widgets->Sentinel(); other = other->next) {
      auto* page = vg_cast<Primitives::KeyRoutingForm>(other->data.get());
      if (page && page->owner.get() == this && page->GetClass() == form->PrevState) return true;
    }
    return false;
  };
  for (Structures::DuLinkNode* node = widgets->Sentinel()->next; node != widgets->Sentinel(); node = node->next) {
    auto* form = vg_cast<Primitives::KeyRoutingForm>(node->data.get());
    if (form && form->owner.get() != this && goesBack(form)) return true;
  }
  auto* ground = vg_cast<Core::Group>(owner.get());
  for (Core::View* view = ground ? ground->firstView : nullptr; view; view = view->nextView)
    if (auto* system = vg_cast<SubSystem::SubSystemClass>(view); system && system != this)
      for (Primitives::KeyRoutingForm* form : system->WaitingScreens())
        if (goesBack(form)) return true;
  return false;
}

// Pages hide while a screen they opened shows, and that screen brings them
// back. A screen of its layer may take its place and leave without going
// back (the quick menu, then BACK): the hidden pages would still count as an
// open menu, and MENU would only close them. They are torn down instead. This
// runs after the key that closed the screen is done, when a screen that
// closed to go back to them has shown them again.
void MenuSystem::CloseForsakenMenus() {
  if (!Focus || Focus->Visible || AnyScreenGoesBack()) return;
  VgPrint("MenuSystem::MenuSystem: the hidden menus close, no screen goes back to them\n");
  TearDownMenus();
}

void MenuSystem::ClearAll() { MainApp::SendMessage(Constants::MSG_CLEAR_ALL); }

// The pages' lines are the menus' one line: it shows while the menus have
// the keys, and the menus take it away when they close.
void MenuSystem::UpdateHelp(int32_t mask, VgString text) {
  auto* line = VgNew<Structures::RefString>();
  line->Value = text;
  helpBarTold_ = true;
  MainApp::SendMessage(Constants::MSG_UPDATE_HELP_BAR, &::NonMenuSystem::NonMenuSystem::Class, mask, line, this);
}

void MenuSystem::ClearHelpBar() {
  helpBarTold_ = false;
  MainApp::SendMessage(Constants::MSG_CLEAR_HELP_BAR, &::NonMenuSystem::NonMenuSystem::Class, -1, nullptr, this);
}

}  // namespace MenuSystem
