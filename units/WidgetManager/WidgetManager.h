// WidgetManager::WidgetManager: the list of open screens of the whole
// interface, oldest first, and the layering rule. At most one screen is open
// per layer: opening a screen closes the one already on its layer. A screen
// of a lower layer is stacked behind the screens of higher layers that share
// its parent group. A pop-up closes when the screen that asked it closes.
// The layers are named in WidgetManager/Layers.h. Sub-systems register every
// screen they add and remove; the root asks whether anything is on screen
// and closes whole layers; any screen can look up another by window id.
#pragma once

#include <cstdint>
#include <vector>

#include "Primitives/KeyRoutingForm.h"
#include "Structures/Boxes.h"
#include "Structures/DuLinkList.h"

namespace WidgetManager {

class WidgetManager : public Structures::DuLinkList {
  VG_CLASS()

 public:
  explicit WidgetManager(XObject* link = nullptr) : Structures::DuLinkList(link) {}

  // Closes a listed screen of the new screen's layer and looks for the
  // stacking candidate (argument: the new screen).
  void Visit1(XObject* argument, Structures::DuLinkNode* node) override;
  // Closes a listed screen whose layer meets the mask (argument: a
  // Structures::RefInt holding the mask).
  void Visit2(XObject* argument, Structures::DuLinkNode* node) override;
  // A screen matches a Structures::RefInt key holding its window id.
  bool MatchCriteria(XObject* data, XObject* criteria) override;

  // Registers a screen that has just been added to its parent group.
  virtual void InsertForm(Primitives::KeyRoutingForm* form);
  // Takes a screen that has just left its parent group off the list, then
  // closes every listed screen whose Asker is closed.
  virtual void DeleteForm(Primitives::KeyRoutingForm* form);

  Primitives::KeyRoutingForm* FindForm(int32_t id);
  // Whether an open screen's window id lies in the same group (top byte).
  bool HasWidgetInGroup(int32_t id);
  bool HasWidget(Structures::ArrayInt* ids);
  bool HasWidgetExcept(Structures::ArrayInt* ids);
  // Closes, newest first, every screen whose layer shares a bit with the
  // mask; -1 closes all.
  void CloseLayers(int32_t mask);
  void DumpForms();

  // The screen of the lowest higher layer in the new screen's parent, found
  // by the last insertion; the new screen goes directly behind it.
  VgPtr<Primitives::KeyRoutingForm> candidate;

 private:
  // The listed nodes as they stand now, oldest first.
  std::vector<Structures::DuLinkNode*> Snapshot() const;
  // Whether some listed screen's window id is (or, with among false, is not)
  // one of the first Count ids.
  bool AnyListed(Structures::ArrayInt* ids, bool among);
};

}  // namespace WidgetManager
