#include "viewer_checks.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "Core/Group.h"
#include "Core/Keys.h"
#include "Core/View.h"
#include "FactorySystem/FactorySystem.h"
#include "FactorySystem/ModeIndicator.h"
#include "ListForm/GridView.h"
#include "ListForm/ListClass.h"
#include "ListForm/ListCourier.h"
#include "ListForm/ListItem.h"
#include "ListForm/ListOwners.h"
#include "MainApp/Root.h"
#include "MenuSystem/BrcmMainMenu.h"
#include "NonMenuSystem/CommonMuteBar.h"
#include "NonMenuSystem/EnterPinDialog.h"
#include "NonMenuSystem/HelpBar.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "NonMenuSystem/WidgetClass.h"
#include "Primitives/KeyRoutingForm.h"
#include "SubSystem/KeyOwner.h"
#include "SubSystem/MenuClass.h"
#include "SubSystem/SubSystemClass.h"
#include "WinIDs/WinIDs.h"
#include "gui_loop.h"
#include "keymap.h"
#include "screen_view.h"
#include "set_power.h"
#include "simtv.h"
#include "xpm.h"
#include "vgslot.h"

namespace {

::WidgetManager::WidgetManager* Manager() {
  return static_cast<::WidgetManager::WidgetManager*>(VgFindAutoObject(&MainApp::WidgetManager));
}

std::vector<Primitives::KeyRoutingForm*> Listed() {
  std::vector<Primitives::KeyRoutingForm*> forms;
  if (::WidgetManager::WidgetManager* manager = Manager())
    for (Structures::DuLinkNode* node = manager->Sentinel()->next; node != manager->Sentinel(); node = node->next)
      if (auto* form = vg_cast<Primitives::KeyRoutingForm>(node->data.get())) forms.push_back(form);
  return forms;
}

bool IsListed(const std::vector<Primitives::KeyRoutingForm*>& listed, Core::View* view) {
  return std::find(listed.begin(), listed.end(), view) != listed.end();
}

std::string Named(Primitives::KeyRoutingForm* form) {
  for (const WinIDs::Named& row : WinIDs::kWindowIds)
    if (row.value == form->WinID) return std::string(row.name) + " (" + form->GetClass()->name + ")";
  return form->GetClass()->name;
}

// A screen that takes keys: one that takes the focus when it opens, or a
// menu page (the page beside the main menu waits for it).
bool TakesKeys(Primitives::KeyRoutingForm* form) {
  return form->TakesKeys() || vg_cast<SubSystem::MenuClass>(form);
}

// The screens as they are drawn, bottom first, each with where it lies on
// the screen: the groups' own order (the application stacks its
// sub-systems' screens by layer), hidden views left out.
struct Drawn {
  Primitives::KeyRoutingForm* form;
  VgRect extent;
};

VgPoint TopLeft(VgRect r) { return {r.x1, r.y1}; }

void CollectDrawn(Core::Group* group, VgPoint origin, std::vector<Drawn>* drawn) {
  std::vector<Core::Group::Stacked> stacked;
  group->Stacking(&stacked);
  for (const auto& [view, holder] : stacked) {
    if (!view->Visible) continue;
    const VgPoint at = holder == group ? origin : TopLeft(VgMoveRectPos(holder->GetExtent(), origin));
    const VgRect extent = VgMoveRectPos(view->GetExtent(), at);
    if (auto* form = vg_cast<Primitives::KeyRoutingForm>(view)) drawn->push_back({form, extent});
    if (auto* inner = vg_cast<Core::Group>(view); inner && inner->Opacity > 0)
      CollectDrawn(inner, TopLeft(extent), drawn);
  }
}

std::vector<Drawn> DrawnScreens() {
  std::vector<Drawn> drawn;
  if (auto* root = vg_cast<Core::Group>(rootObject.load())) CollectDrawn(root, {0, 0}, &drawn);
  return drawn;
}

bool Inside(Core::View* view, Core::View* outer) {
  for (; view; view = view->owner)
    if (view == outer) return true;
  return false;
}

bool Covers(VgRect outer, VgRect inner) {
  return outer.x1 <= inner.x1 && outer.y1 <= inner.y1 && outer.x2 >= inner.x2 && outer.y2 >= inner.y2;
}

bool InNormalOperation() {
  auto* root = vg_cast<Core::Group>(rootObject.load());
  std::vector<Core::Group*> groups{root};
  while (!groups.empty()) {
    Core::Group* group = groups.back();
    groups.pop_back();
    if (!group) continue;
    for (Core::View* view = group->firstView; view; view = view->nextView) {
      if (vg_cast<FactorySystem::FactorySystem>(view)) return true;
      if (vg_cast<Primitives::KeyRoutingForm>(view)) continue;
      if (auto* inner = vg_cast<Core::Group>(view)) groups.push_back(inner);
    }
  }
  return false;
}

// The outermost screen around the focus.
Primitives::KeyRoutingForm* ScreenWithTheKeys() {
  Primitives::KeyRoutingForm* screen = nullptr;
  for (Core::View* view = FocusedView(rootObject.load()); view; view = view->owner)
    if (auto* form = vg_cast<Primitives::KeyRoutingForm>(view)) screen = form;
  return screen;
}

std::string HelpLinesOwned(const std::vector<Drawn>& drawn) {
  for (const Drawn& d : drawn) {
    // The first-time setup's bar belongs to its wizard, which shows one
    // screen at a time.
    if (!vg_is_exactly<NonMenuSystem::HelpBar>(d.form)) continue;
    auto* bar = static_cast<NonMenuSystem::HelpBar*>(d.form);
    Core::View* teller = bar->Teller;
    if (!teller) return "a help line told for no screen is drawn";
    auto* screen = vg_cast<Primitives::KeyRoutingForm>(teller);
    const std::string whose = screen ? Named(screen) : std::string(teller->GetClass()->name);
    if (!OnView(teller)) return "the help line of " + whose + " is drawn without it";
    if (!teller->Focused) return "the help line of " + whose + " is drawn while the keys are elsewhere";
  }
  return {};
}

// The screens that, by their own definition, neither time out nor leave
// with a clear: what the viewer's way out (EXIT, CLEAR and a minute without
// a key) leaves on view.
struct Lasting {
  const char* screen;
  const char* why;
};
constexpr Lasting kLasting[] = {
    {"Record::RecordPlaybackDialog", "the recordings library waits for the viewer's choice, with no time-out"},
    {"Record::RecordPlaybackFullScreenDialog", "full-screen playback plays on until it is stopped"},
    {"NonMenuSystem::EnterPinDialog",
     "the 3D start's PIN has no time-out without the 3D timer lock (the others' PINs time out, checked below)"},
    {"FactorySystem::ValueDisplay", "the factory's value display stays until its keys or the mode close it"},
    {"FactorySystem::AdjustmentMenu", "the factory's adjustment menu stays until its keys or the mode close it"},
    {"FactorySystem::DetectLightSensor", "the light-sensor read-out's time-out does nothing"},
    {"Record::USBDiskFormatStatusDialog", "the disk format's progress has no time-out and, done, waits for OK"},
    {"Record::USBSpeedCheckStatusDialog", "the disk speed test's progress has no time-out and, done, waits for OK"},
    {"NonMenuSystem::CommonMuteBar", "the mute indicator stays while the sound is muted"},
    {"Update::CheckingMessage", "the update check waits for its result, with no time-out, ignoring keys"},
    {"Update::UpdatingDialog", "the update in progress waits for its end, with no time-out, ignoring keys"},
};

bool Lasts(Primitives::KeyRoutingForm* form) {
  for (const Lasting& row : kLasting) {
    if (std::string_view(form->GetClass()->name) != row.screen) continue;
    if (auto* pin = vg_cast<::NonMenuSystem::EnterPinDialog>(form))
      return pin->EnterPinType == ::NonMenuSystem::kPinTypeStart3D;
    if (vg_cast<::NonMenuSystem::CommonMuteBar>(form)) return MainApp::GetWrapper()->OnGetMute() != 0;
    return true;
  }
  return false;
}

// Whether the screen goes back to the hidden one when it leaves: to its class,
// or, opened from the menus or as their shortcut, to the menus.
bool GoesBackTo(Primitives::KeyRoutingForm* screen, Primitives::KeyRoutingForm* hidden) {
  if (screen->PrevState && screen->PrevState == hidden->GetClass()) return true;
  auto* widget = vg_cast<::NonMenuSystem::WidgetClass>(screen);
  return widget && vg_cast<SubSystem::MenuClass>(hidden) && (widget->MenuTriggered || widget->IsShortcut);
}

// A screen that is listed but not drawn may wait behind a lasting screen
// that covers it (the library behind its full-screen playback) or that goes
// back to it (the menus behind a disk format's progress); the mute sign, a
// small mark in a corner, stands for nothing.
bool CoveredByLasting(const Drawn& hidden, const std::vector<Drawn>& drawn) {
  for (const Drawn& d : drawn)
    if (Lasts(d.form) && !vg_cast<::NonMenuSystem::CommonMuteBar>(d.form) &&
        (Covers(d.extent, hidden.extent) || GoesBackTo(d.form, hidden.form)))
      return true;
  return false;
}

// Where a view lies on the screen, drawn or not.
VgRect ScreenExtent(Core::View* view) {
  VgRect extent = view->GetExtent();
  for (Core::View* outer = view->owner; outer; outer = outer->owner)
    extent = VgMoveRectPos(extent, TopLeft(outer->GetExtent()));
  return extent;
}

// While normal operation is closed (the first-time setup) no sub-system shows
// the mode.
std::string ServiceModeShown(const std::vector<Drawn>& drawn) {
  if (!InNormalOperation()) return {};
  bool shown = false;
  for (const Drawn& d : drawn) shown = shown || vg_cast<FactorySystem::ModeIndicator>(d.form);
  const bool on = VgGetStringLength(MainApp::GetWrapper()->OnGetFactoryMode()) > 0;
  if (on && !shown) return "the factory mode is on, and its indicator is not on view";
  if (!on && shown) return "the factory mode's indicator is on view, and the mode is off";
  return {};
}

}  // namespace

bool OnView(Core::View* view) {
  auto* root = vg_cast<Core::View>(rootObject.load());
  for (; view; view = view->owner) {
    if (!view->Visible) return false;
    if (view == root) return true;
  }
  return false;
}

std::string KeysReachTheScreen() {
  if (SetInStandby()) return {};
  Primitives::KeyRoutingForm* waiting = nullptr;
  for (Primitives::KeyRoutingForm* form : Listed())
    if (!waiting && TakesKeys(form) && OnView(form)) waiting = form;
  if (!waiting) return {};
  Core::View* focused = FocusedView(rootObject.load());
  for (Core::View* view = focused; view; view = view->owner)
    if (vg_cast<Primitives::KeyRoutingForm>(view) && OnView(view)) return {};
  return "the keys reach " + DescribeView(focused) + ", which is in no screen on view, while " + Named(waiting) +
         " is on view";
}

namespace {

// A screen that may have the keys: listed, on view, of some size, taking
// keys, not a passing notice.
bool MayHaveTheKeys(const std::vector<Primitives::KeyRoutingForm*>& listed, const Drawn& d) {
  return IsListed(listed, d.form) && TakesKeys(d.form) && !d.form->GivesWay() && !VgIsRectEmpty(d.extent);
}

// Whether such a screen is drawn over the one at AT where the two overlap.
bool Covered(const std::vector<Drawn>& drawn, const std::vector<Primitives::KeyRoutingForm*>& listed, size_t at) {
  for (size_t i = at + 1; i < drawn.size(); ++i)
    if (MayHaveTheKeys(listed, drawn[i]) && !VgIsRectEmpty(VgIntersectRect(drawn[i].extent, drawn[at].extent)))
      return true;
  return false;
}

// The pages of the menus are one screen to the keys: the menus arrange which
// of them has them (the page beside the main menu).
bool OneScreen(Primitives::KeyRoutingForm* keys, Primitives::KeyRoutingForm* top) {
  if (Inside(top, keys)) return true;
  return vg_cast<SubSystem::MenuClass>(keys) && vg_cast<SubSystem::MenuClass>(top) &&
         keys->owner.get() == top->owner.get();
}

// The topmost screen on view that takes keys has them, whether or not it
// overlaps the screen that has them: of the screens that take keys and that
// none such is drawn over where they overlap, the one opened last (the 3D
// question beside the service menu). A passing notice that nothing covers may
// have them instead, and a modal screen hears them wherever it lies.
std::string TopmostHasTheKeys(const std::vector<Drawn>& drawn, Primitives::KeyRoutingForm* keys) {
  if (keys->IsModal) return {};
  const std::vector<Primitives::KeyRoutingForm*> listed = Listed();
  size_t top = drawn.size();
  size_t at = drawn.size();
  for (size_t i = 0; i < drawn.size(); ++i) {
    if (drawn[i].form == keys) at = i;
    if (!MayHaveTheKeys(listed, drawn[i]) || Covered(drawn, listed, i)) continue;
    if (top == drawn.size() || std::find(listed.begin(), listed.end(), drawn[i].form) >
                                   std::find(listed.begin(), listed.end(), drawn[top].form))
      top = i;
  }
  if (top == drawn.size() || at == drawn.size() || OneScreen(keys, drawn[top].form)) return {};
  if (keys->GivesWay() && !Covered(drawn, listed, at)) return {};
  return "the keys are in " + Named(keys) + ", and " + Named(drawn[top].form) + ", which takes keys, is on top";
}

// One help line at a time: the main menu's own line, drawn inside it, gives
// way to a line on the help bar (an older page's, over the main menu).
std::string OneHelpLine(const std::vector<Drawn>& drawn) {
  bool own = false;
  bool bar = false;
  for (const Drawn& d : drawn) {
    if (auto* main = vg_cast<MenuSystem::BrcmMainMenu>(d.form))
      for (Views::Text& label : main->helpLabels) own = own || (OnView(&label) && VgGetStringLength(label.String) > 0);
    bar = bar || vg_is_exactly<NonMenuSystem::HelpBar>(d.form);
  }
  return own && bar ? "the main menu's own help line and the help bar's are on view at once" : std::string();
}

// The views that told a help line for the help bar and have not taken it
// back, as the non-menu system tells them (NonMenuSystem::HelpLineWatcher):
// the runner's own account, kept apart from the bar's list of lines, so that
// a line the set forgets (a screen that told it as it was made, then waited
// to open) is missed. Each by its class, as a view made where a freed one lay
// is another.
struct Teller {
  Core::View* view;
  const VgClass* cls;
};
std::mutex g_tellersLock;
std::vector<Teller> g_tellers;

void HelpLineTold(Core::View* teller, bool told) {
  std::lock_guard<std::mutex> hold(g_tellersLock);
  if (!teller) {
    // A line for no screen shows only while no teller has the keys.
    if (!told) g_tellers.clear();
    return;
  }
  std::erase_if(g_tellers, [teller](const Teller& t) { return t.view == teller; });
  if (told) g_tellers.push_back({teller, teller->GetClass()});
}

void CollectViews(Core::View* view, std::vector<Core::View*>* views) {
  views->push_back(view);
  if (auto* system = vg_cast<SubSystem::SubSystemClass>(view))
    for (Primitives::KeyRoutingForm* waiting : system->WaitingScreens()) CollectViews(waiting, views);
  if (auto* group = vg_cast<Core::Group>(view))
    for (Core::View* inner = group->firstView; inner; inner = inner->nextView) CollectViews(inner, views);
}

// The tellers still among the set's views, or in a screen that waits to
// open; the others left, and no view of theirs can have the keys.
void ForgetGoneTellers() {
  std::vector<Core::View*> views;
  if (auto* root = vg_cast<Core::View>(rootObject.load())) CollectViews(root, &views);
  std::sort(views.begin(), views.end());
  std::lock_guard<std::mutex> hold(g_tellersLock);
  std::erase_if(g_tellers, [&views](const Teller& t) {
    return !std::binary_search(views.begin(), views.end(), t.view) || t.view->GetClass() != t.cls;
  });
}

// The view on the keys' path that told a line and has not taken it back
// (the screen with the keys, a list inside it, or the sub-system that holds
// it: the menus tell their pages' line); null for none.
Core::View* TellerWithTheKeys() {
  ForgetGoneTellers();
  std::lock_guard<std::mutex> hold(g_tellersLock);
  for (Core::View* view = FocusedView(rootObject.load()); view; view = view->owner)
    for (const Teller& t : g_tellers)
      if (t.view == view && OnView(view)) return view;
  return nullptr;
}

// A line told by the screen with the keys (or by a list inside it, or by the
// sub-system that holds it) shows on the help bar; the main menu shows its
// own line inside it.
std::string OwnHelpLineShown(const std::vector<Drawn>& drawn, Primitives::KeyRoutingForm* keys) {
  if (auto* main = vg_cast<MenuSystem::BrcmMainMenu>(keys)) {
    bool has = false;
    bool shown = false;
    for (Views::Text& label : main->helpLabels) {
      has = has || VgGetStringLength(label.String) > 0;
      shown = shown || (OnView(&label) && VgGetStringLength(label.String) > 0);
    }
    if (has && !shown) return "the keys are in " + Named(keys) + ", and its own help line is not on view";
  }
  if (!TellerWithTheKeys()) return {};
  for (const Drawn& d : drawn)
    if (auto* bar = vg_cast<NonMenuSystem::HelpBar>(d.form); bar && vg_is_exactly<NonMenuSystem::HelpBar>(bar) &&
                                                              bar->Teller && bar->Teller->Focused)
      return {};
  return "the keys are in " + Named(keys) + ", which told a help line, and no help line of its is on view";
}

}  // namespace

std::string KeysOnTop() {
  if (SetInStandby()) return {};
  const std::vector<Drawn> drawn = DrawnScreens();
  if (std::string fault = HelpLinesOwned(drawn); !fault.empty()) return fault;
  if (std::string fault = OneHelpLine(drawn); !fault.empty()) return fault;
  Primitives::KeyRoutingForm* keys = ScreenWithTheKeys();
  if (!keys || !OnView(keys)) return {};
  if (std::string fault = TopmostHasTheKeys(drawn, keys); !fault.empty()) return fault;
  return OwnHelpLineShown(drawn, keys);
}

namespace {

// The screens listed before the line, held so that none is taken for a new
// one made where a freed one lay.
std::vector<Primitives::KeyRoutingForm*> g_beforeTheLine;

void LetGoOfTheScreensBefore() {
  for (Primitives::KeyRoutingForm* form : g_beforeTheLine) VgUnlockObject(form);
  g_beforeTheLine.clear();
}

}  // namespace

void NoteScreensBeforeTheLine() {
  LetGoOfTheScreensBefore();
  g_beforeTheLine = Listed();
  for (Primitives::KeyRoutingForm* form : g_beforeTheLine) VgLockObject(form);
}

std::string OpenedUnderTheKeys() {
  std::string fault;
  Primitives::KeyRoutingForm* keys = ScreenWithTheKeys();
  if (!SetInStandby() && keys && OnView(keys) && IsListed(g_beforeTheLine, keys)) {
    const std::vector<Primitives::KeyRoutingForm*> listed = Listed();
    const std::vector<Drawn> drawn = DrawnScreens();
    VgRect keysExtent{};
    for (const Drawn& d : drawn)
      if (d.form == keys) keysExtent = d.extent;
    for (const Drawn& d : drawn) {
      if (d.form == keys) break;
      // A passing notice asks nothing of the viewer and goes by itself; a
      // question the set asks of its own accord says that it waits there.
      if (IsListed(g_beforeTheLine, d.form) || !IsListed(listed, d.form) || !TakesKeys(d.form) || d.form->GivesWay() ||
          d.form->WaitsUnderTheKeys())
        continue;
      // Drawn under it where the two overlap: hidden, or cut by its edge.
      if (Inside(d.form, keys) || VgIsRectEmpty(VgIntersectRect(d.extent, keysExtent))) continue;
      fault = Named(d.form) + " opened under " + Named(keys) + ", which has the keys";
      break;
    }
  }
  LetGoOfTheScreensBefore();
  return fault;
}

namespace {

// The screens that held typed text before the key (a keyboard, a PIN pad, a
// digit editor, or a screen holding one), held so that none is taken for a
// new one made where a freed one lay.
std::vector<Primitives::KeyRoutingForm*> g_typedBeforeTheKey;
// The key as the typing meets it, told before the key: the GUI key code, and
// whether it is the service mode's combination.
uint16_t g_typingKey = 0;
bool g_serviceCombination = false;

void LetGoOfTheTyped() {
  for (Primitives::KeyRoutingForm* form : g_typedBeforeTheKey) VgUnlockObject(form);
  g_typedBeforeTheKey.clear();
}

// The keys by which a keyboard, a PIN pad or a digit editor may leave with
// what it holds.
bool LeavesTheTyping(uint16_t key) {
  switch (key) {
    case Key::Ok:
    case Key::Back:
    case Key::Last:
    case Key::Exit:
    case Key::ClearAll:
    case Key::TestReset:
    case Key::Power:
      return true;
    default:
      return Key::IsDigit(key);
  }
}

// The keys that edit what is typed, or leave it for another row of a page:
// the text may go on them without its screen.
bool EditsTheTyping(uint16_t key) {
  switch (key) {
    case Key::Up:
    case Key::Down:
    case Key::Left:
    case Key::Right:
    case Key::Dot:
      return true;
    default:
      return false;
  }
}

// The keys that bring up the volume bar or the mute sign over the screen.
bool BringsABar(uint16_t key) { return key == Key::VolumeUp || key == Key::VolumeDown || key == Key::Mute; }

}  // namespace

void NoteTypedTextBeforeTheKey(uint32_t code) {
  LetGoOfTheTyped();
  g_typingKey = uint16_t(GuiKeyCodeOf(int32_t(code)));
  g_serviceCombination = false;
  Primitives::KeyRoutingForm* keys = ScreenWithTheKeys();
  if (!keys || SetInStandby()) return;
  // A front panel's key is judged as it reaches the screens: turned by the
  // root's own rule, and the factory's where the key owner says so.
  const bool panel = code >= uint32_t(FrontPanelFirstKeyCode) && code <= uint32_t(FrontPanelLastKeyCode);
  if (panel)
    if (auto* root = vg_cast<MainApp::Root>(rootObject.load())) g_typingKey = root->FpKeyAsRouted(g_typingKey);
  g_serviceCombination = SubSystem::KeyOwner::FactorysKey(g_typingKey, panel);
  // Under a passing notice, the keys it has no use for reach the screen the
  // key owner names: what is typed elsewhere on view (a page beside the
  // focused main menu) is not in the keys' way.
  Primitives::KeyRoutingForm* under = keys->GivesWay() ? SubSystem::KeyOwner::ScreenUnder(keys) : nullptr;
  for (Primitives::KeyRoutingForm* form : Listed()) {
    const bool reached = under && OnView(form) &&
                         (Inside(form, under) || SubSystem::KeyOwner::AskedBy(form, under));
    if (form != keys && !form->Focused && !reached) continue;
    // Told by the screen itself, as it tells the key owner.
    if (!form->TypedInto()) continue;
    VgLockObject(form);
    g_typedBeforeTheKey.push_back(form);
  }
}

std::string TypedTextKept(const std::string& keyName) {
  std::string fault;
  const uint16_t key = g_typingKey;
  if (!LeavesTheTyping(key) && !g_serviceCombination && !SetInStandby()) {
    const std::vector<Primitives::KeyRoutingForm*> listed = Listed();
    Primitives::KeyRoutingForm* keys = ScreenWithTheKeys();
    for (Primitives::KeyRoutingForm* form : g_typedBeforeTheKey) {
      // A page of the menus goes with them on MENU, and a row of one ends
      // its edit when a bar over the page takes the focus.
      const bool menuPage = vg_cast<SubSystem::MenuClass>(form) != nullptr;
      if (menuPage && key == Key::Menu) continue;
      if (form->IsClosed() || !IsListed(listed, form)) {
        fault = Named(form) + ", which held typed text and had the keys, left on " + keyName;
        break;
      }
      // A passing notice (the volume bar) may take the keys, and gives the
      // next key it has no use for to the pad.
      if (!form->Focused && !(keys && keys->GivesWay())) {
        fault = Named(form) + ", which held typed text and had the keys, lost them on " + keyName + " to " +
                (keys ? Named(keys) : std::string("no screen"));
        break;
      }
      if (!form->TypedInto() && !EditsTheTyping(key) && !(menuPage && BringsABar(key))) {
        fault = Named(form) + " lost the text typed into it on " + keyName;
        break;
      }
    }
  }
  LetGoOfTheTyped();
  return fault;
}

// A screen drawn under a lasting screen that has the keys (a dialog under the
// service menu, which keeps every key) waits for it: the way out reaches the
// lasting screen, and ends there.
bool UnderLastingKeys(Primitives::KeyRoutingForm* form, const std::vector<Drawn>& drawn) {
  Primitives::KeyRoutingForm* keys = ScreenWithTheKeys();
  if (!keys || !Lasts(keys)) return false;
  for (const Drawn& d : drawn) {
    if (d.form == keys) return false;
    if (d.form == form) return true;
  }
  return false;
}

namespace {

// The keys the root handed on since the line began; the root tells them on
// the GUI thread.
std::mutex g_keysTakenLock;
std::vector<uint16_t> g_keysTaken;

void KeyTaken(uint16_t code) {
  std::lock_guard<std::mutex> hold(g_keysTakenLock);
  g_keysTaken.push_back(code);
}

// A list of a screen with the entry it focuses: the list by its class and
// its rank among the screen's lists of that class (a screen opened again is
// another object), the entry by its key.
struct ListEntry {
  std::string list;
  std::string key;
  std::string caption;
  // The keys that move the list's focus.
  std::vector<uint16_t> moves;
  // Named by a screen it opened as the entry it goes back on.
  bool handedBack = false;
  // When it was noted, on the count of the lists' reads afresh
  // (ListBase::FreshReads).
  uint64_t noted = ListForm::ListBase::FreshReads();
};

// A screen and the entries of its lists. The screen is not held: holding
// would keep it past its sub-system's end (standby ends the GUI, and a class
// of one instance is made again only once the old one is gone), so it is
// only compared with the screens listed, never read once it may be gone.
struct ScreenLists {
  const void* form = nullptr;
  const VgClass* screen = nullptr;
  std::vector<ListEntry> lists;
};

void CollectLists(Core::View* view, Primitives::KeyRoutingForm* screen,
                  const std::vector<Primitives::KeyRoutingForm*>& listed, std::map<std::string, int>* ranks,
                  std::vector<std::pair<std::string, ListForm::ListBase*>>* lists) {
  if (!view->Visible) return;
  if (auto* list = vg_cast<ListForm::ListBase>(view)) {
    const std::string name = list->GetClass()->name;
    lists->emplace_back(name + " #" + std::to_string((*ranks)[name]++), list);
    return;
  }
  // A screen of its own inside this one keeps its own lists.
  if (view != screen && IsListed(listed, view)) return;
  if (auto* group = vg_cast<Core::Group>(view))
    for (Core::View* child = group->firstView; child; child = child->nextView)
      CollectLists(child, screen, listed, ranks, lists);
}

std::vector<std::pair<std::string, ListForm::ListBase*>> ListsOf(Primitives::KeyRoutingForm* screen) {
  std::vector<std::pair<std::string, ListForm::ListBase*>> lists;
  std::map<std::string, int> ranks;
  if (screen) CollectLists(screen, screen, Listed(), &ranks, &lists);
  return lists;
}

std::string FocusedCaption(ListForm::ListBase* list) {
  auto* row = vg_cast<ListForm::ListItem>(list->Focus.get());
  return row ? Utf8Text(row->Text) : std::string();
}

// The keys that move the list's focus.
std::vector<uint16_t> MovingKeys(ListForm::ListBase* list) {
  if (auto* rows = vg_cast<ListForm::ListClass>(list))
    return {rows->DecreaseKey, rows->IncreaseKey, rows->PageUpKey, rows->PageDownKey, rows->StepKey};
  if (auto* grid = vg_cast<ListForm::GridView>(list))
    return {grid->DecreaseRowKey,  grid->IncreaseRowKey, grid->DecreaseItemKey,
            grid->IncreaseItemKey, grid->PageUpKey,      grid->PageDownKey};
  return {};
}

std::vector<ListEntry> EntriesOf(Primitives::KeyRoutingForm* screen) {
  std::vector<ListEntry> entries;
  for (const auto& [name, list] : ListsOf(screen))
    if (VgString key = list->FocusedKey())
      entries.push_back({name, Utf8Text(key), FocusedCaption(list), MovingKeys(list), false});
  return entries;
}

// The caption of entry i of the list.
std::string CaptionOf(ListForm::ListBase* list, int32_t i) {
  ListForm::ListDataSource* source = list->DataSource;
  auto* courier = source ? vg_cast<ListForm::ListCourier>(source->GetItemData(list->GetClass(), i - source->Cursor))
                         : nullptr;
  return courier ? Utf8Text(courier->Text) : std::string();
}

// Whether one of the keys is one of those.
bool AnyOf(const std::vector<uint16_t>& keys, const std::vector<uint16_t>& of) {
  return std::any_of(keys.begin(), keys.end(), [&of](uint16_t key) {
    return key != Key::None && std::find(of.begin(), of.end(), key) != of.end();
  });
}

bool MovesTheList(ListForm::ListBase* list, const std::vector<uint16_t>& keys) { return AnyOf(keys, MovingKeys(list)); }

// Each list noted that the screen shows focuses the entry noted, unless that
// entry is gone from it, one of the keys moves the list (a pop-up hands a key
// it does not use to the list it was opened from, closing), or the list was
// read afresh since it was noted, as its screen's rules say: the list tells.
std::string SameEntries(Primitives::KeyRoutingForm* screen, const std::vector<ListEntry>& noted, const char* when,
                        const std::vector<uint16_t>& keys = {}) {
  for (const auto& [listName, list] : ListsOf(screen)) {
    // A structured binding is not captured by every compiler the fuzz build uses.
    const std::string& name = listName;
    auto entry = std::find_if(noted.begin(), noted.end(), [&name](const ListEntry& e) { return e.list == name; });
    // An entry a screen it opened named to go back on is no entry of the
    // list's own rules: no read afresh excuses another.
    if (entry == noted.end() || MovesTheList(list, keys) ||
        (list->ReadAfreshAt() > entry->noted && !entry->handedBack))
      continue;
    const std::string now = Utf8Text(list->FocusedKey());
    if (now == entry->key) continue;
    const int32_t at = list->EntryOf(VgNewStringUtf8(entry->key.c_str()));
    if (at < 0) continue;
    const std::string had = entry->handedBack ? "the entry of key " + entry->key + ", which the screen it opened went back on"
                                              : "\"" + entry->caption + "\" (key " + entry->key + "), the entry it had " + when;
    return Named(screen) + ": its list " + name + " focuses \"" + FocusedCaption(list) + "\" (key " + now + "), and " +
           had + ", is still listed (entry " + std::to_string(at + 1) + ", \"" + CaptionOf(list, at) + "\")";
  }
  return {};
}

// Whether the screen with the keys passes a key it does not use on to the
// form, its asker's screen (or the asker's asker).
bool AsksOf(Primitives::KeyRoutingForm* keys, Primitives::KeyRoutingForm* form) {
  constexpr int kAskers = 8;
  Primitives::KeyRoutingForm* popUp = keys;
  for (int step = 0; step < kAskers && popUp && popUp->Asker; ++step) {
    if (Inside(popUp->Asker, form)) return true;
    popUp = popUp->Asker;
  }
  return false;
}

// The entry that a screen opened from one of the lists noted goes back on,
// in place of the list's own; none when it names none.
void GoesBackOn(std::vector<ListEntry>* lists, ListForm::GoesBackOnAnEntry* mover) {
  const std::string list = std::string(mover->ListGoneBackTo()->name) + " #0";
  const std::string key = Utf8Text(mover->EntryGoneBackTo());
  auto entry = std::find_if(lists->begin(), lists->end(), [&](const ListEntry& e) { return e.list == list; });
  if (entry != lists->end()) lists->erase(entry);
  if (!key.empty()) lists->push_back({list, key, {}, {}, true});
}

// The screen with the keys after the line before, and the screens that lost
// the keys and may get them back.
ScreenLists g_withTheKeys;
std::vector<ScreenLists> g_awayFromTheKeys;

// A screen that one of those opened on an entry of its list may have moved on
// to another, and goes back on that one. Whether one such is listed.
bool FollowTheMovers(const std::vector<Primitives::KeyRoutingForm*>& listed) {
  bool any = false;
  for (ScreenLists& away : g_awayFromTheKeys)
    for (Primitives::KeyRoutingForm* opened : listed)
      if (auto* mover = dynamic_cast<ListForm::GoesBackOnAnEntry*>(opened);
          mover && opened != away.form && opened->PrevState == away.screen) {
        GoesBackOn(&away.lists, mover);
        any = true;
      }
  return any;
}

}  // namespace

bool FollowTheMovers() { return !SetInStandby() && FollowTheMovers(Listed()); }

void NoteKeysBeforeTheLine() {
  MainApp::Root::KeyWatcher = &KeyTaken;
  NonMenuSystem::NonMenuSystem::HelpLineWatcher = &HelpLineTold;
  std::lock_guard<std::mutex> hold(g_keysTakenLock);
  g_keysTaken.clear();
}

std::vector<uint16_t> KeysTakenInTheLine() {
  std::lock_guard<std::mutex> hold(g_keysTakenLock);
  return std::exchange(g_keysTaken, {});
}

std::string ListsKeepTheirEntries(LineKind line, const std::vector<uint16_t>& keysPressed) {
  // Standby ends every screen, and the set starts its screens afresh on
  // waking.
  if (SetInStandby()) {
    g_withTheKeys = {};
    g_awayFromTheKeys.clear();
    return {};
  }
  Primitives::KeyRoutingForm* keys = ScreenWithTheKeys();
  if (keys && !OnView(keys)) keys = nullptr;
  const std::vector<Primitives::KeyRoutingForm*> listed = Listed();
  // The held screen, where it is still listed (and so still the same).
  auto live = [&listed](const ScreenLists& held) -> Primitives::KeyRoutingForm* {
    for (Primitives::KeyRoutingForm* form : listed)
      if (form == held.form && form->GetClass() == held.screen) return form;
    return nullptr;
  };
  // The screen with the keys is the one held when it is at the same place,
  // of the same class.
  auto same = [keys](const ScreenLists& held) {
    return keys && keys == held.form && keys->GetClass() == held.screen;
  };
  const bool kept = same(g_withTheKeys);
  std::string fault;
  if (kept && line == LineKind::World) fault = SameEntries(keys, g_withTheKeys.lists, "before the line");
  if (g_withTheKeys.form && !kept && !g_withTheKeys.lists.empty()) {
    // The line's keys moved a list before they took the keys elsewhere (DOWN
    // and OK in one line): its entry is the one the screen shows now, or,
    // closed, unknown.
    std::vector<ListEntry>& lists = g_withTheKeys.lists;
    Primitives::KeyRoutingForm* still = live(g_withTheKeys);
    const std::vector<ListEntry> now = still ? EntriesOf(still) : std::vector<ListEntry>{};
    for (auto entry = lists.begin(); entry != lists.end();) {
      if (line != LineKind::Key || !AnyOf(keysPressed, entry->moves)) {
        ++entry;
        continue;
      }
      auto shown = std::find_if(now.begin(), now.end(), [&](const ListEntry& e) { return e.list == entry->list; });
      if (shown == now.end()) {
        entry = lists.erase(entry);
        continue;
      }
      *entry = *shown;
      ++entry;
    }
    g_awayFromTheKeys.push_back(g_withTheKeys);
  }
  for (auto away = g_awayFromTheKeys.begin(); away != g_awayFromTheKeys.end();) {
    Primitives::KeyRoutingForm* form = live(*away);
    const bool back = same(*away);
    // Opened again on the way back: the screen it opened took it along.
    const bool again = keys && !form && line != LineKind::Open && keys->GetClass() == away->screen;
    // It may get the keys back while it is listed, or while a listed screen
    // goes back to its class.
    const bool waits = form || std::any_of(listed.begin(), listed.end(), [&away](Primitives::KeyRoutingForm* s) {
                         return s->PrevState == away->screen;
                       });
    if (back || again || !waits) {
      if ((back || again) && fault.empty())
        fault = SameEntries(keys, away->lists, "when it lost the keys", keysPressed);
      away = g_awayFromTheKeys.erase(away);
      continue;
    }
    // A key the screen with the keys does not use reaches its asker, which
    // may move its list with it; a key that moves one of its lists may have
    // reached it while it had the keys for a moment within the line.
    if (line == LineKind::Key && form &&
        ((keys && AsksOf(keys, form)) ||
         std::any_of(away->lists.begin(), away->lists.end(),
                     [&keysPressed](const ListEntry& e) { return AnyOf(keysPressed, e.moves); })))
      away->lists = EntriesOf(form);
    ++away;
  }
  FollowTheMovers(listed);
  g_withTheKeys = {keys, keys ? keys->GetClass() : nullptr, EntriesOf(keys)};
  return fault;
}

namespace {

bool OnTheDisk(const std::string& mount) {
  const std::string disk = XPM_USB_DISK_MOUNT_POINT;
  return mount.compare(0, disk.size(), disk) == 0 && (mount.size() == disk.size() || mount[disk.size()] == '/');
}

}  // namespace

std::string NoScreenOfAGoneDevice() {
  // When the disk went out, on the set's clock; none while it is in.
  static std::optional<uint64_t> wentOut;
  if (simtv_usb_present()) {
    wentOut.reset();
    return {};
  }
  const uint64_t now = simtv_now_ms();
  if (!wentOut) wentOut = now;
  // Its news reaches the screens in the set's next turn.
  if (now == *wentOut || SetInStandby()) return {};
  // Each screen says which medium it shows: a new screen of the disk is
  // checked as soon as it says so.
  std::string left;
  for (Primitives::KeyRoutingForm* form : Listed())
    if (VgString medium = form->MediumShown(); medium && OnTheDisk(VgStringToUtf8(medium)))
      left += (left.empty() ? "" : ", ") + Named(form);
  if (left.empty()) return {};
  return "the USB disk went out, and its screens are still listed: " + left;
}

std::string ClearedAfterWayOut() {
  if (SetInStandby()) return {};
  const std::vector<Drawn> drawn = DrawnScreens();
  std::string left;
  for (Primitives::KeyRoutingForm* form : Listed()) {
    if (Lasts(form)) continue;
    const bool shown = OnView(form);
    if (!shown && CoveredByLasting({form, ScreenExtent(form)}, drawn)) continue;
    if (shown && UnderLastingKeys(form, drawn)) continue;
    left += (left.empty() ? "" : ", ") + Named(form) + (shown ? "" : ", not drawn");
  }
  if (!left.empty()) return "after EXIT, CLEAR and a minute, still listed: " + left;
  return ServiceModeShown(drawn);
}
