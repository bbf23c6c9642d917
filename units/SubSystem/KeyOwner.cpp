#include "SubSystem/KeyOwner.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <utility>
#include <vector>

#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "Core/Root.h"
#include "Core/KeyEvent.h"
#include "Events/XPM_EVENT_KEY.h"
#include "SubSystem/MenuSystemClass.h"
#include "SubSystem/SubSystemClass.h"
#include "WidgetManager/WidgetManager.h"
#include "vgdebug.h"
#include "vgslot.h"

VG_DEFINE_CLASS(SubSystem, KeyOwner, XObject)

namespace SubSystem {

namespace {

void KeyOwner__Init(XObject*) {}

constexpr VgAutoObject kKeyOwner = {&KeyOwner__Init, VgNoVariants};

using Drawn = std::vector<Primitives::DrawnScreen>;

// A sub-system can answer the remote when the screen it focuses is drawn.
bool FocusDrawn(SubSystemClass* system) {
  return system && system->Focus && system->Focus->Visible && system->Visible;
}

bool Overlap(VgRect a, VgRect b) { return !VgIsRectEmpty(VgIntersectRect(a, b)); }

bool Listed(Primitives::KeyRoutingForm* form) { return MainApp::GetWidgetManager()->FindNode(form) != nullptr; }

// Where the screen stands among the screens listed, oldest first; -1 when it
// is not listed.
int ListedAt(Core::View* view) {
  ::WidgetManager::WidgetManager* widgets = MainApp::GetWidgetManager();
  int at = 0;
  for (Structures::DuLinkNode* node = widgets->Sentinel()->next; node != widgets->Sentinel(); node = node->next, ++at)
    if (node->data.get() == view) return at;
  return -1;
}

// Whether the form can have the keys for the viewer: a listed screen on view
// that takes them (or a page that shares them), of some size; not a passing
// notice, nor a modal screen, which hears the keys wherever it is.
bool Candidate(Primitives::KeyRoutingForm* form) {
  return form && form->Visible && (form->TakesKeys() || form->SharesKeysWithItsPages()) && !form->GivesWay() &&
         !form->IsModal && Listed(form) && !VgIsRectEmpty(form->GetExtent());
}

// Whether the keys in SCREEN are where they belong though ABOVE is the
// screen on top: ABOVE is inside it, or a page of the same kind in the same
// sub-system (the menus arrange their pages between them).
bool SameScreen(Core::View* screen, Core::View* above) {
  for (Core::View* view = above; view; view = view->owner)
    if (view == screen) return true;
  auto* a = vg_cast<Primitives::KeyRoutingForm>(screen);
  auto* b = vg_cast<Primitives::KeyRoutingForm>(above);
  return a && b && a->SharesKeysWithItsPages() && b->SharesKeysWithItsPages() && a->owner.get() == b->owner.get();
}

// Whether a candidate is drawn over the entry where the two overlap.
bool Covered(const Drawn& drawn, size_t at) {
  for (size_t i = at + 1; i < drawn.size(); ++i)
    if (Candidate(drawn[i].form) && Overlap(drawn[i].extent, drawn[at].extent)) return true;
  return false;
}

// The screen on top for the viewer, which should have the keys: of the
// candidates that no other is drawn over where they overlap, the one opened
// last (the 3D question that opened beside the service menu). drawn.size()
// when there is none.
size_t OnTop(const Drawn& drawn) {
  size_t top = drawn.size();
  int newest = -1;
  for (size_t i = 0; i < drawn.size(); ++i) {
    if (!Candidate(drawn[i].form) || Covered(drawn, i)) continue;
    const int at = ListedAt(drawn[i].form);
    if (top == drawn.size() || at > newest) {
      top = i;
      newest = at;
    }
  }
  return top;
}

// Where the screen stands in the drawn stack; drawn.size() when it is not
// drawn.
size_t DrawnAt(const Drawn& drawn, Primitives::KeyRoutingForm* screen) {
  const auto found = std::find_if(drawn.begin(), drawn.end(), [screen](const auto& d) { return d.form == screen; });
  return size_t(found - drawn.begin());
}

Primitives::KeyRoutingForm* Notice(Primitives::KeyRoutingForm* form) {
  return form && form->GivesWay() ? form : nullptr;
}

// Closes the screens; whether one of them left (a screen that its parent
// does not hold stays where it is, and settling again would change nothing).
bool Leave(const std::vector<Primitives::KeyRoutingForm*>& forms) {
  bool left = false;
  for (Primitives::KeyRoutingForm* form : forms) {
    const bool open = form->Parent && form->owner.get() == form->Parent.get();
    form->Close();
    left = left || (open && form->owner.get() != form->Parent.get());
  }
  return left;
}

// Whether the screen stays when a screen of the layer opens: it goes when it
// answers a screen (or a list inside one) of that layer, which gives the
// layer up.
bool StaysBeside(Primitives::KeyRoutingForm* screen, int32_t layer) {
  return !Primitives::AlongTheAskers(screen,
                                     [layer](Primitives::KeyRoutingForm* form) { return form->Layer == layer; });
}

Primitives::KeyRoutingForm* ClaimsFocus(Core::View* view) {
  auto* form = vg_cast<Primitives::KeyRoutingForm>(view);
  return form && form->PreemptiveFocus ? form : nullptr;
}

// The screen that holds the form (a list inside a dialog), or the form itself
// when no other form holds it.
Primitives::KeyRoutingForm* ScreenOf(Primitives::KeyRoutingForm* form) {
  Primitives::KeyRoutingForm* screen = form;
  for (Core::View* view = form; view; view = view->owner)
    if (auto* holder = vg_cast<Primitives::KeyRoutingForm>(view)) screen = holder;
  return screen;
}

// A screen that claims the focus hands it on to the topmost pop-up it asked
// for that stands above it: the keyboard over the recordings library keeps
// the keys when the volume bar over both goes, instead of being left on view
// deaf while its library takes them.
Core::View* WithItsPopUp(Primitives::KeyRoutingForm* screen, Core::View* leaving) {
  Core::View* chosen = screen;
  for (Core::View* above = screen->nextView; above; above = above->nextView) {
    auto* popUp = vg_cast<Primitives::KeyRoutingForm>(above);
    if (above != leaving && popUp && popUp->FocusOnOpen && KeyOwner::AskedBy(popUp, screen)) chosen = popUp;
  }
  return chosen;
}


bool Shown(Core::View* view) {
  for (; view; view = view->owner)
    if (!view->Visible) return false;
  return true;
}

// The sub-systems that follow the keys.
std::vector<SubSystemClass*> SubSystemsOf(Core::Group* ground) {
  std::vector<SubSystemClass*> systems;
  if (ground)
    for (Core::View* view = ground->firstView; view; view = view->nextView)
      if (auto* system = vg_cast<SubSystemClass>(view)) systems.push_back(system);
  return systems;
}

}  // namespace

KeyOwner* KeyOwner::Get() { return static_cast<KeyOwner*>(VgGetAutoObject(&kKeyOwner, &KeyOwner::Class)); }

void KeyOwner::ScreenListed(Primitives::KeyRoutingForm* form) {
  if (form)
    for (SubSystemClass* system : SubSystemsOf(Ground)) system->ForgetOnTheLayerOf(form);
  Changed();
}

void KeyOwner::WorldEventDelivered(Core::Event* event) {
  for (SubSystemClass* system : SubSystemsOf(Ground)) system->ForgetClosedBy(event);
}

// The sub-systems hear of it as the owner settles.
void KeyOwner::ScreenLeft() {
  screenLeft_ = true;
  Changed();
}

void KeyOwner::Direct(Core::Group* stage) {
  Stage = stage;
  Ground = stage;
}

void KeyOwner::Enlist(Core::Group* group) {
  if (group && !Stage) Ground = group;
}

void KeyOwner::FocusMoved() {
  for (SubSystemClass* system : SubSystemsOf(Ground)) system->KeysMoved();
  Changed();
}

void KeyOwner::Changed() {
  if (!settling_) VgPostSignalLast(VgSlotOf<&KeyOwner::Settle>(this));
}

void KeyOwner::Settle(XObject*) {
  if (settling_) return;
  settling_ = true;
  // A notice that leaves changes the stack the keys were settled on: they
  // are settled again on what is left. Each round takes a screen away; a
  // screen whose leaving brought another in its place could go on for ever.
  constexpr int kRounds = 16;
  bool again = true;
  for (int round = 0; again && round < kRounds; ++round) {
    // The sub-systems hear first of the screens that left: what they close
    // in turn, and where they hand the keys (the menus' tear-down over the
    // media windows), is settled with the rest.
    if (std::exchange(screenLeft_, false))
      for (SubSystemClass* system : SubSystemsOf(Ground)) system->AfterScreenLeft();
    again = false;
    if (Stage) {
      ReturnFocus();
      again = KeysToTheTop();
    }
    again = LeaveWithoutTheKeys() || again || screenLeft_;
  }
  if (again) VgPrint("SubSystem::KeyOwner: notices still leave after %d rounds; the keys stay as they are\n", kRounds);
  // Those that follow the keys do not move them.
  for (SubSystemClass* system : SubSystemsOf(Ground)) system->KeysSettled();
  settling_ = false;
}

// A key takes the focus to the sub-system that handled it, and a screen of
// one sub-system may close over a screen of another: the volume bar, the
// input list or the quick menu over a menu page. The sub-system left with the
// focus may then have nothing on view, and the page under it would answer no
// key and never time out; so too when a screen opens in another sub-system
// than the one that handled the key (the front panel's power key heard by
// the factory system, a message shown by the non-menu system). The focus
// goes to the sub-system of the topmost drawn screen whose sub-system has a
// drawn screen in focus; inside that sub-system it stays where it was.
void KeyOwner::ReturnFocus() {
  Core::Group* stage = Stage;
  if (!stage->owner || FocusDrawn(vg_cast<SubSystemClass>(stage->Focus.get()))) return;
  const Drawn drawn = Primitives::DrawnScreens(stage);
  for (auto entry = drawn.rbegin(); entry != drawn.rend(); ++entry) {
    auto* system = vg_cast<SubSystemClass>(entry->holder);
    if (!system || system->owner.get() != stage || system == stage->Focus.get() || !FocusDrawn(system)) continue;
    VgPrint("SubSystem::KeyOwner: the focus goes back to %s\n", system->GetClass()->name);
    stage->OnSetFocus(system);
    return;
  }
  // No sub-system has a screen on view in focus: a passing notice that gave
  // its keys to the screen under it, which then left (a message over a menu
  // page that BACK closed), is on view with nobody to answer. The topmost
  // screen that can have the keys, or that notice, has them again.
  for (auto entry = drawn.rbegin(); entry != drawn.rend(); ++entry) {
    Primitives::KeyRoutingForm* form = entry->form;
    auto* system = vg_cast<SubSystemClass>(form->owner.get());
    if (!system || system->owner.get() != stage || !system->Visible ||
        !(Candidate(form) || (Notice(form) && Shown(form) && Listed(form))))
      continue;
    VgPrint("SubSystem::KeyOwner: the keys go back to %s\n", form->GetClass()->name);
    system->OnSetFocus(form);
    stage->OnSetFocus(system);
    return;
  }
}

// A screen may take the keys under another that takes them too: one of a
// lower layer that an event opens (the 3D question under the record
// options), the focus handed back to a media window under a menu page when a
// bar over both left, a message shown over the menus by another sub-system,
// whose screens keep the keys. The viewer would press keys into a screen
// that lies under one that seems to have them. (A key opens no screen under
// the one with the keys: see OpensUnderTheKeys.)
bool KeyOwner::KeysToTheTop() {
  Core::Group* stage = Stage;
  auto* system = vg_cast<SubSystemClass>(stage->Focus.get());
  auto* keys = system ? vg_cast<Primitives::KeyRoutingForm>(system->Focus.get()) : nullptr;
  if (!keys || !keys->Visible) return false;
  const Drawn drawn = Primitives::DrawnScreens(stage);
  const size_t at = DrawnAt(drawn, keys);
  if (at == drawn.size()) return false;
  size_t top = OnTop(drawn);
  // A passing notice keeps the keys while nothing that takes them covers it.
  if (top == drawn.size() || SameScreen(keys, drawn[top].form) || (Notice(keys) && !Covered(drawn, at))) top = at;
  std::vector<Primitives::KeyRoutingForm*> passing;
  for (size_t i = top + 1; i < drawn.size(); ++i) {
    Primitives::KeyRoutingForm* form = drawn[i].form;
    if (form != keys && Notice(form) && Listed(form) && Overlap(drawn[i].extent, drawn[top].extent))
      passing.push_back(form);
  }
  const bool left = Leave(passing);
  if (top == at) return left;
  Primitives::KeyRoutingForm* screen = drawn[top].form;
  auto* holder = vg_cast<SubSystemClass>(screen->owner.get());
  if (!holder || holder->owner.get() != stage) return left;
  VgPrint("SubSystem::KeyOwner: the keys go to %s, on top, from %s\n", screen->GetClass()->name,
          keys->GetClass()->name);
  holder->OnSetFocus(screen);
  stage->OnSetFocus(holder);
  return left;
}

// The screen on top when the keys do not belong to the screen: the top is
// another sub-system's, and the screen is no passing notice that nothing
// covers (the volume bar that the key brought up over the menus).
Primitives::KeyRoutingForm* KeyOwner::LiesUnder(Primitives::KeyRoutingForm* screen) const {
  const Drawn drawn = Primitives::DrawnScreens(Stage);
  const size_t top = OnTop(drawn);
  if (top == drawn.size() || drawn[top].form->owner.get() == screen->owner.get() || SameScreen(screen, drawn[top].form))
    return nullptr;
  const size_t at = DrawnAt(drawn, screen);
  if (Notice(screen) && at != drawn.size() && !Covered(drawn, at)) return nullptr;
  return drawn[top].form;
}

bool KeyOwner::Request(SubSystemClass* system, Reason why) {
  auto* holder = system ? vg_cast<Core::Group>(system->owner.get()) : nullptr;
  if (!holder) return false;
  if (why == Reason::Handled) {
    // The routing hands keys and events to the stage's sub-systems alone.
    if (holder != Stage.get()) return false;
    auto* screen = vg_cast<Primitives::KeyRoutingForm>(system->Focus.get());
    if (screen && Shown(screen)) {
      // The factory hears a command for every front-panel key: the screen
      // on top beside its service menu keeps the keys, and its help line.
      if (Primitives::KeyRoutingForm* top = LiesUnder(screen)) {
        VgPrint("SubSystem::KeyOwner: %s keeps the keys, on top; %s took the key\n", top->GetClass()->name,
                screen->GetClass()->name);
        return false;
      }
    } else if (!system->Focus) {
      // A sub-system that shows nothing in focus does not take the keys from
      // a screen on view. A key it took over a screen typed into still takes
      // that screen off the focus path for the moment, as the routing hands
      // the keys over and back: a menu row ends its digit entry under the
      // mute sign as it does under the volume bar.
      auto* focused = vg_cast<Core::Group>(holder->Focus.get());
      if (focused && focused != system && focused->Focus) {
        auto* keys = vg_cast<Primitives::KeyRoutingForm>(focused->Focus.get());
        if (asking_ && keys && keys->TypedInto()) {
          holder->OnSetFocus(system);
          holder->OnSetFocus(focused);
        }
        return false;
      }
    }
  }
  holder->OnSetFocus(system);
  return true;
}

bool KeyOwner::Request(Primitives::KeyRoutingForm* screen, Reason why) {
  auto* system = screen ? vg_cast<SubSystemClass>(screen->owner.get()) : nullptr;
  // A screen that has closed, or one that its sub-system does not hold, is
  // no longer the sub-system's to focus.
  if (!system) return false;
  system->OnSetFocus(screen);
  if (why == Reason::Asked) Request(system, why);
  return true;
}

XObject* KeyOwner::Route(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down || !Stage) return nullptr;
  // Beside a screen of another sub-system, that is, not under a screen
  // that takes keys (the status check over the service menu keeps every key).
  const Drawn drawn = Primitives::DrawnScreens(Stage);
  for (size_t i = 0; i < drawn.size(); ++i) {
    Primitives::KeyRoutingForm* form = drawn[i].form;
    if (!form->Focused && form->owner.get() != Stage->Focus.get() && Shown(form) && !Covered(drawn, i) &&
        form->HearsBesideTheKeys(key))
      if (XObject* taken = form->DispatchEvent(event)) return taken;
  }
  auto* system = vg_cast<SubSystemClass>(Stage->Focus.get());
  auto* notice = system ? vg_cast<Primitives::KeyRoutingForm>(system->Focus.get()) : nullptr;
  if (!notice || !notice->GivesWay() || !Shown(notice) || notice->UsesKey(key->keyCode)) return nullptr;
  Primitives::KeyRoutingForm* under = ScreenUnder(notice);
  auto* holder = under ? vg_cast<SubSystemClass>(under->owner.get()) : nullptr;
  if (!holder || holder->owner.get() != Stage.get()) return nullptr;
  // The notice lost the keys: it gives way to the screen, or leaves with them.
  // Its own sub-system's focus leaves it too, or the sub-system would give it
  // the keys back when it takes a key the screen under has no use for (MUTE
  // over the volume bar over the menus).
  if (system != holder) system->OnSetFocus(NextWithTheKeys(system, notice));
  holder->OnSetFocus(under);
  Stage->OnSetFocus(holder);
  return nullptr;
}

XObject* KeyOwner::ToTheAsker(Primitives::KeyRoutingForm* popUp, Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !popUp) return nullptr;
  // What the key opens, it opens as the viewer's asking (OpensUnderTheKeys).
  const KeyAsking asking;
  // Each screen hears the key once, down its own focus: the pop-up heard it
  // first, and a list and the screen that holds it are one screen. A screen
  // with keys of its own lets what it declines rise to its sub-system.
  std::vector<Primitives::KeyRoutingForm*> heard{ScreenOf(popUp)};
  XObject* taken = nullptr;
  Primitives::AlongTheAskers(popUp, [&](Primitives::KeyRoutingForm* asker) {
    Primitives::KeyRoutingForm* screen = ScreenOf(asker);
    if (std::find(heard.begin(), heard.end(), screen) != heard.end()) return false;
    if (!heard.back()->PassesKeysToItsAsker()) return true;
    heard.push_back(screen);
    taken = screen->DispatchEvent(event);
    return taken != nullptr;
  });
  return taken;
}

bool KeyOwner::ForTheFactory(Core::Event* event) {
  auto* panel = vg_cast<Events::XPM_EVENT_KEY>(event);
  return panel && panel->down && FactorysKey(panel->keyCode, panel->FrontPanel == 1);
}

bool KeyOwner::FactorysKey(uint16_t code, bool frontPanel) {
  if (!frontPanel || code != Key::Menu) return false;
  ::SkinBin::Wrapper* model = MainApp::GetWrapper();
  return model->GetKeyHeld(::SkinBin::kHeldKeyServiceMode) ||
         VgCompString(model->OnGetFactoryMode(), VgNewString(u"S")) == 0;
}

bool KeyOwner::StopsAtTheTyping(Primitives::KeyRoutingForm* screen, Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !screen) return false;
  switch (key->keyCode) {
    case Key::Back:
    case Key::Exit:
    case Key::ClearAll:
    case Key::TestReset:
    case Key::VolumeUp:
    case Key::VolumeDown:
    case Key::Mute:
      return false;
    default:
      break;
  }
  // MENU with a page of the menus focused closes the menus, and what a page
  // holds typed goes with it, as it goes when the page loses the focus. Over
  // a keyboard or a PIN pad of another screen no page is focused.
  if (key->keyCode == Key::Menu && screen->SharesKeysWithItsPages()) return false;
  // The service mode's key is the factory's, whoever has the keys.
  if (ForTheFactory(event)) return false;
  // Asked last: a screen answers by looking through the forms it hosts.
  if (!screen->TypedInto()) return false;
  if (key->down)
    VgPrint("SubSystem::KeyOwner: key %u does nothing over %s, which is typed into\n", unsigned(key->keyCode),
            screen->GetClass()->name);
  return true;
}

bool KeyOwner::AskedBy(Primitives::KeyRoutingForm* form, const Core::View* screen) {
  return form && screen && form->Asker &&
         Primitives::AlongTheAskers(form->Asker,
                                    [screen](Primitives::KeyRoutingForm* asker) { return asker == screen; });
}

// The volume bar takes the keys while it is up and goes when a screen takes
// them from it: it is drawn above the dialogs and would otherwise lie over
// the screen with the keys. The keys may move on and back within one key's
// work (a sub-system focused before the screen it opens): the notice looks
// as the owner settles, at the end of the pass.
bool KeyOwner::LeaveWithoutTheKeys() {
  std::vector<Primitives::KeyRoutingForm*> leaving;
  for (SubSystemClass* system : SubSystemsOf(Ground))
    for (Core::View* view = system->firstView; view; view = view->nextView)
      if (auto* form = vg_cast<Primitives::KeyRoutingForm>(view); form && form->LeavesWithTheKeys() && !form->Focused)
        leaving.push_back(form);
  return Leave(leaving);
}

SubSystemClass* KeyOwner::Menus() const {
  for (SubSystemClass* system : SubSystemsOf(Ground))
    if (vg_cast<MenuSystemClass>(system)) return system;
  return nullptr;
}

Primitives::KeyRoutingForm* KeyOwner::ScreenWithTheKeys(Core::View* view) {
  Core::Root* root = view ? view->GetRoot() : nullptr;
  if (!root) return nullptr;
  if (auto* modal = vg_cast<Primitives::KeyRoutingForm>(root->modalTop.get())) return modal;
  for (Core::View* at = root; at;) {
    if (auto* form = vg_cast<Primitives::KeyRoutingForm>(at)) return form;
    auto* group = vg_cast<Core::Group>(at);
    at = group ? group->Focus.get() : nullptr;
  }
  return nullptr;
}

Primitives::KeyRoutingForm* KeyOwner::ViewersScreen() const {
  Primitives::KeyRoutingForm* keys = Stage ? ScreenWithTheKeys(Stage) : nullptr;
  return keys && keys->GivesWay() ? ScreenUnder(keys) : keys;
}

bool KeyOwner::HasTheKeys(const Core::View* view) { return view && view->Focused; }

int KeyOwner::WhoseHelpLine(const std::vector<Core::View*>& tellers) {
  int withTheKeys = -1;
  int anyone = -1;
  for (int i = 0; i < int(tellers.size()); ++i) {
    if (!tellers[size_t(i)])
      anyone = i;
    else if (HasTheKeys(tellers[size_t(i)]))
      withTheKeys = i;
  }
  return withTheKeys >= 0 ? withTheKeys : anyone;
}

bool KeyOwner::KeepsHelpLine(const Core::View* teller) { return !teller || HasTheKeys(teller); }

bool KeyOwner::HelpBarLineHasTheKeys(Core::View* system) {
  auto* group = vg_cast<Core::Group>(system);
  if (!group || !HasTheKeys(group)) return false;
  auto* keys = vg_cast<Primitives::KeyRoutingForm>(group->Focus.get());
  return keys && keys->HelpLineOnTheBar();
}

bool KeyOwner::ShowsOwnHelpLine(const Core::View* screen, VgRect line) {
  if (!screen) return false;
  auto* form = vg_cast<Primitives::KeyRoutingForm>(const_cast<Core::View*>(screen));
  if (form && form->SharesKeysWithItsPages())
    return HasTheKeys(screen->owner.get()) && !HelpBarLineHasTheKeys(screen->owner.get());
  if (!form) return false;
  // The screens drawn over it, in the stack of its stage (or of its
  // sub-system, standing alone), as ScreenUnder walks them.
  auto* system = vg_cast<Core::Group>(form->owner.get());
  if (!system) return true;
  auto* stage = vg_cast<Core::Group>(system->owner.get());
  const Drawn drawn = Primitives::DrawnScreens(stage && vg_cast<SubSystemClass>(system) ? stage : system);
  const size_t at = DrawnAt(drawn, form);
  if (at == drawn.size()) return true;
  const VgRect place = VgMoveRectPos(line, {drawn[at].extent.x1, drawn[at].extent.y1});
  for (size_t i = at + 1; i < drawn.size(); ++i) {
    const VgRect over = drawn[i].form->HelpLineDrawn();
    if (!VgIsRectEmpty(over) && Overlap(VgMoveRectPos(over, {drawn[i].extent.x1, drawn[i].extent.y1}), place))
      return false;
  }
  return true;
}

// A passing notice gives way to the screen, and a display that takes no keys
// lets it open under it; a notice opens anywhere and gives way in turn.
bool KeyOwner::OpensUnderTheKeys(Core::View* system, Primitives::KeyRoutingForm* form,
                                 Primitives::KeyRoutingForm* asker) {
  if (!(form->TakesKeys() || form->SharesKeysWithItsPages()) || form->GivesWay()) return false;
  Primitives::KeyRoutingForm* keys = ScreenWithTheKeys(system);
  if (asker && keys && keys != form && !HasTheKeys(asker) && AskedBy(keys, ScreenOf(asker)) &&
      uint32_t(form->Layer) <= uint32_t(keys->Layer)) {
    VgPrint("SubSystem::KeyOwner: %s does not open in the place of %s, which %s asked for and which has the keys\n",
            form->GetClass()->name, keys->GetClass()->name, asker->GetClass()->name);
    return true;
  }
  if (!asking_) return false;
  if (asking_ && keys && keys != form && keys->TakesKeys() && !keys->GivesWay() &&
      uint32_t(keys->Layer) > uint32_t(form->Layer) && StaysBeside(keys, form->Layer)) {
    VgPrint("SubSystem::KeyOwner: %s does not open under %s, which has the keys\n", form->GetClass()->name,
            keys->GetClass()->name);
    return true;
  }
  // Nor, as the key asks, under a screen beside the one with the keys that
  // takes them too (the service menu over where the timer dialog would
  // stand): the new screen would wait there, deaf, where the viewer does not
  // see it. What the key's work opens after the key is the viewer's choice,
  // made on a screen that may have gone since (the play options, closed,
  // going on to the playback under the 3D question that waited below
  // them): it waits for that screen instead (SubSystemClass::Waits).
  Primitives::KeyRoutingForm* over = OverItsPlace(system, form);
  if (!over) return false;
  VgPrint("SubSystem::KeyOwner: %s does not open under %s, which takes the keys\n", form->GetClass()->name,
          over->GetClass()->name);
  return true;
}

Primitives::KeyRoutingForm* KeyOwner::OverItsPlace(Core::View* system, Primitives::KeyRoutingForm* form) {
  auto* holder = vg_cast<SubSystemClass>(system);
  KeyOwner* owner = Get();
  if (!holder || !owner->Stage || holder->owner.get() != owner->Stage.get()) return nullptr;
  const VgRect place = VgMoveRectPos(holder->WhereItWillStand(form), {holder->Bounds.x1, holder->Bounds.y1});
  for (const Primitives::DrawnScreen& entry : Primitives::DrawnScreens(owner->Stage)) {
    Primitives::KeyRoutingForm* over = entry.form;
    if (Candidate(over) && over != form && uint32_t(over->Layer) > uint32_t(form->Layer) &&
        StaysBeside(over, form->Layer) && Overlap(entry.extent, place))
      return over;
  }
  return nullptr;
}

KeyOwner::KeyHandling::KeyHandling(bool pressed) {
  KeyOwner* owner = Get();
  // The number marks this key's work apart from an older key's; 0 marks
  // none. A key's release goes on with the work of its press.
  if ((pressed || owner->keyCause_ == 0) && ++owner->keyCause_ == 0) owner->keyCause_ = 1;
  was_ = VgSetSignalCause(owner->keyCause_);
}

KeyOwner::KeyHandling::~KeyHandling() { VgSetSignalCause(was_); }

bool KeyOwner::RunsForTheLastKey() const { return keyCause_ != 0 && VgSignalCause() == keyCause_; }

bool KeyOwner::ReachedUnderTheKeys(Core::View* view) {
  if (!asking_ || !view || HasTheKeys(view)) return false;
  Primitives::KeyRoutingForm* keys = ScreenWithTheKeys(view);
  return keys && keys->TakesKeys() && !keys->GivesWay();
}

Core::View* KeyOwner::ClaimantOfTheFocus(Core::Group* system, Core::View* leaving) {
  if (!system || !leaving) return nullptr;
  for (Core::View* next = leaving->nextView; next; next = next->nextView)
    if (Primitives::KeyRoutingForm* form = ClaimsFocus(next)) return WithItsPopUp(form, leaving);
  for (Core::View* prev = leaving->prevView; prev; prev = prev->prevView)
    if (Primitives::KeyRoutingForm* form = ClaimsFocus(prev)) return WithItsPopUp(form, leaving);
  return nullptr;
}

Core::View* KeyOwner::NextWithTheKeys(Core::Group* system, Core::View* leaving) {
  if (!system) return nullptr;
  // A pop-up that leaves, answered or not, hands the keys back to the screen
  // that asked for it, or that holds the list that did, which waits for it
  // (hidden, as a network page waits for the keyboard), before a screen that
  // claims them: the playback under that page would take them, and the page
  // would stay hidden. The screen that took the answer so needs to ask for
  // nothing.
  auto* popUp = vg_cast<Primitives::KeyRoutingForm>(leaving);
  if (auto* asker = popUp && popUp->Asker ? ScreenOf(popUp->Asker) : nullptr;
      asker && asker != leaving && asker->owner.get() == system && asker->TakesKeys())
    return asker;
  if (Core::View* claimant = ClaimantOfTheFocus(system, leaving)) return claimant;
  // Else the nearest above the leaving one that can have the keys, else the
  // nearest below it: of the main menu and the page beside it, which the
  // quick menu's picture page closes over, the page beside.
  const auto canHave = [leaving](Core::View* view) {
    auto* form = vg_cast<Primitives::KeyRoutingForm>(view);
    return form && view != leaving && (form->TakesKeys() || form->SharesKeysWithItsPages());
  };
  if (leaving && leaving->owner.get() == system) {
    for (Core::View* view = leaving->nextView; view; view = view->nextView)
      if (canHave(view)) return view;
    for (Core::View* view = leaving->prevView; view; view = view->prevView)
      if (canHave(view)) return view;
    return nullptr;
  }
  for (Core::View* view = system->lastView; view; view = view->prevView)
    if (canHave(view)) return view;
  return nullptr;
}

// The screen that would have the keys were the notices not there: the one
// on top, drawn under the notice or beside it (the service menu beside a
// message). The stage stacks the screens of its sub-systems as one; a
// sub-system that stands alone stacks its own.
Primitives::KeyRoutingForm* KeyOwner::ScreenUnder(Primitives::KeyRoutingForm* notice) {
  auto* system = notice ? vg_cast<Core::Group>(notice->owner.get()) : nullptr;
  if (!system) return nullptr;
  auto* stage = vg_cast<Core::Group>(system->owner.get());
  const Drawn drawn = Primitives::DrawnScreens(stage && vg_cast<SubSystemClass>(system) ? stage : system);
  const size_t top = OnTop(drawn);
  if (top == drawn.size()) return nullptr;
  Primitives::KeyRoutingForm* screen = drawn[top].form;
  // Of pages that share the keys, the one their sub-system focuses.
  auto* holder = vg_cast<Core::Group>(screen->owner.get());
  auto* focused = holder ? vg_cast<Primitives::KeyRoutingForm>(holder->Focus.get()) : nullptr;
  if (focused && focused != screen && SameScreen(screen, focused) && Shown(focused)) return focused;
  return screen;
}

bool KeyOwner::OverAnother(Primitives::KeyRoutingForm* panel) {
  ::WidgetManager::WidgetManager* widgets = MainApp::GetWidgetManager();
  for (Structures::DuLinkNode* node = widgets->Sentinel()->next; node != widgets->Sentinel(); node = node->next) {
    auto* form = vg_cast<Primitives::KeyRoutingForm>(node->data.get());
    // A screen of the panel's layer gives its place up to it.
    if (!form || form == panel || uint32_t(form->Layer) >= uint32_t(panel->Layer)) continue;
    if (!(form->TakesKeys() || form->SharesKeysWithItsPages())) continue;
    if (Shown(form) && Overlap(form->Bounds, panel->Bounds)) return true;
  }
  return false;
}

}  // namespace SubSystem
