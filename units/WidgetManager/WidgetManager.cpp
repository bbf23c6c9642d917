#include "WidgetManager/WidgetManager.h"

#include <algorithm>

#include "Core/Group.h"
#include "vgdebug.h"
#include "vgtrace.h"

VG_DEFINE_CLASS(WidgetManager, WidgetManager, Structures::DuLinkList)

namespace WidgetManager {

namespace {

Primitives::KeyRoutingForm* FormOf(Structures::DuLinkNode* node) {
  return node ? vg_cast<Primitives::KeyRoutingForm>(node->data.get()) : nullptr;
}

// Layers are bits: a higher layer is compared as an unsigned word, so that
// the top bit counts as the highest layer and not as a negative one.
bool IsHigher(int32_t layer, int32_t than) { return uint32_t(layer) > uint32_t(than); }

// Window ids fit ten to an array; a larger count reads no further.
int32_t UsedCount(const Structures::ArrayInt* ids) {
  if (!ids) return 0;
  return std::clamp<int32_t>(ids->Count, 0, int32_t(std::size(ids->Values)));
}

}  // namespace

std::vector<Structures::DuLinkNode*> WidgetManager::Snapshot() const {
  std::vector<Structures::DuLinkNode*> nodes;
  for (Structures::DuLinkNode* node = head->next; node != head.get(); node = node->next) nodes.push_back(node);
  return nodes;
}

// Closing a screen can close others too (a dialog takes its pop-up along, a
// screen opens the one it returns to), so the walks below run over the list
// as it stood when they began and pass over screens that have left it since;
// screens listed meanwhile are not visited.
void WidgetManager::InsertForm(Primitives::KeyRoutingForm* form) {
  if (!form) return;
  candidate = nullptr;
  for (Structures::DuLinkNode* node : Snapshot())
    if (node->IsLinked()) Visit1(form, node);
  Insert(0, form);

  Primitives::KeyRoutingForm* behind = candidate;
  if (!behind) return;
  Core::Group* parent = behind->Parent;
  // The candidate may have been closed by a screen closed after it was
  // chosen; a restack is possible only while both share the group.
  if (parent && behind->owner.get() == parent && form->owner.get() == parent) parent->RestackBehind(form, behind);
}

// A screen that leaves may leave pop-ups asked by it, or by a list it hosts,
// with nobody to answer: they close with it. A pop-up's own close looks
// for orphans again, so what it took along is passed over here.
void WidgetManager::DeleteForm(Primitives::KeyRoutingForm* form) {
  if (!form) return;
  DeleteData(form);
  std::vector<Structures::DuLinkNode*> nodes = Snapshot();
  for (auto node = nodes.rbegin(); node != nodes.rend(); ++node) {
    if (!(*node)->IsLinked()) continue;
    Primitives::KeyRoutingForm* listed = FormOf(*node);
    if (listed && listed->IsOrphaned()) {
      VgPrint("WidgetManager::WidgetManager: %s closes with %s, which asked it\n", listed->GetClass()->name,
              listed->Asker->GetClass()->name);
      listed->Close();
    }
  }
}

void WidgetManager::Visit1(XObject* argument, Structures::DuLinkNode* node) {
  auto* added = vg_cast<Primitives::KeyRoutingForm>(argument);
  Primitives::KeyRoutingForm* listed = FormOf(node);
  // A screen registered again must not close itself for sharing its layer.
  if (!added || !listed || listed == added || !listed->owner) return;
  if (listed->Layer == added->Layer) {
    // The close may open another screen, whose own insertion looks for its
    // own candidate; the one found so far for this insertion must survive it.
    Primitives::KeyRoutingForm* found = candidate;
    listed->Close();
    candidate = found;
    return;
  }
  if (IsHigher(listed->Layer, added->Layer) && listed->Parent && listed->Parent.get() == added->Parent.get()) {
    if (!candidate || IsHigher(candidate->Layer, listed->Layer)) candidate = listed;
  }
}

void WidgetManager::Visit2(XObject* argument, Structures::DuLinkNode* node) {
  auto* mask = vg_cast<Structures::RefInt>(argument);
  Primitives::KeyRoutingForm* listed = FormOf(node);
  if (mask && listed && (listed->Layer & mask->Value) != 0) listed->Close();
}

bool WidgetManager::MatchCriteria(XObject* data, XObject* criteria) {
  auto* key = vg_cast<Structures::RefInt>(criteria);
  if (!key) return Structures::DuLinkList::MatchCriteria(data, criteria);
  auto* form = vg_cast<Primitives::KeyRoutingForm>(data);
  return form && form->WinID == key->Value;
}

Primitives::KeyRoutingForm* WidgetManager::FindForm(int32_t id) {
  auto* key = VgNew<Structures::RefInt>();
  key->Value = id;
  return FormOf(FindNode(key));
}

bool WidgetManager::HasWidgetInGroup(int32_t id) {
  for (Structures::DuLinkNode* node = head->next; node != head.get(); node = node->next) {
    Primitives::KeyRoutingForm* form = FormOf(node);
    if (form && (uint32_t(form->WinID) >> 24) == (uint32_t(id) >> 24)) return true;
  }
  return false;
}

bool WidgetManager::AnyListed(Structures::ArrayInt* ids, bool among) {
  const int32_t count = UsedCount(ids);
  for (Structures::DuLinkNode* node = head->next; node != head.get(); node = node->next) {
    Primitives::KeyRoutingForm* form = FormOf(node);
    if (!form) continue;
    const bool found = std::find(ids->Values, ids->Values + count, form->WinID) != ids->Values + count;
    if (found == among) return true;
  }
  return false;
}

bool WidgetManager::HasWidget(Structures::ArrayInt* ids) {
  if (UsedCount(ids) < 1) return false;
  return AnyListed(ids, true);
}

bool WidgetManager::HasWidgetExcept(Structures::ArrayInt* ids) {
  if (UsedCount(ids) < 1) return !Empty();
  return AnyListed(ids, false);
}

void WidgetManager::CloseLayers(int32_t mask) {
  auto* layers = VgNew<Structures::RefInt>();
  layers->Value = mask;
  std::vector<Structures::DuLinkNode*> nodes = Snapshot();
  for (auto node = nodes.rbegin(); node != nodes.rend(); ++node)
    if ((*node)->IsLinked()) Visit2(layers, *node);
}

void WidgetManager::DumpForms() {
  VgTrace("%s", u"Dump forms in Widget Manager");
  for (Structures::DuLinkNode* node = head->next; node != head.get(); node = node->next) {
    if (Primitives::KeyRoutingForm* form = FormOf(node))
      VgTrace("%s%$%s%i", u"Class", form->GetClass(), u"WinID", form->WinID);
  }
}

}  // namespace WidgetManager
