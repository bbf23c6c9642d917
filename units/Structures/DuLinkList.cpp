#include "Structures/DuLinkList.h"

#include "Structures/Boxes.h"

VG_DEFINE_CLASS(Structures, DuLinkNode, XObject)
VG_DEFINE_CLASS(Structures, DuLinkList, XObject)

namespace Structures {

DuLinkList::DuLinkList(XObject* link) : XObject(link) {
  head = VgNew<DuLinkNode>();
  head->next = head.get();
  head->previous = head.get();
  head->linked = true;
}

bool DuLinkList::CompareData(XObject* a, XObject* b) { return a == b; }

void DuLinkList::Visit1(XObject*, DuLinkNode*) {}
void DuLinkList::Visit2(XObject*, DuLinkNode*) {}
void DuLinkList::Visit3(XObject*, DuLinkNode*) {}

bool DuLinkList::MatchCriteria(XObject* data, XObject* criteria) {
  if (data == criteria) return true;
  auto* a = vg_cast<RefInt>(data);
  auto* b = vg_cast<RefInt>(criteria);
  return a && b && a->Value == b->Value;
}

int32_t DuLinkList::Insert(int32_t position, XObject* data) {
  int32_t index = 1;
  for (DuLinkNode* node = head->next; node != head; node = node->next, ++index)
    if (CompareData(node->data, data)) return index;

  DuLinkNode* before = head;  // the new node goes in front of this one
  int32_t reached = 0;
  if (position >= 1) {
    reached = 1;
    before = head->next;
    while (before != head && reached < position) {
      before = before->next;
      ++reached;
    }
  }
  DuLinkNode* node = VgNew<DuLinkNode>();
  node->data = data;
  node->next = before;
  node->previous = before->previous.get();
  before->previous->next = node;
  before->previous = node;
  node->linked = true;
  return reached;
}

int32_t DuLinkList::DeleteData(XObject* data) {
  if (!data) return 0;
  int32_t index = 1;
  for (DuLinkNode* node = head->next; node != head; node = node->next, ++index) {
    if (CompareData(node->data, data)) {
      Unlink(node);
      return index;
    }
  }
  return 0;
}

XObject* DuLinkList::Delete(int32_t position) {
  DuLinkNode* node = GetNode(position);
  if (!node) return nullptr;
  Unlink(node);
  return node->data;
}

void DuLinkList::DeleteNode(DuLinkNode* node) {
  if (!node || node == head || !node->IsLinked()) return;
  Unlink(node);
}

void DuLinkList::Clear() {
  while (head->next != head) Unlink(head->next);
}

DuLinkNode* DuLinkList::GetNode(int32_t position) const {
  if (position < 1) return nullptr;
  DuLinkNode* node = head->next;
  for (int32_t index = 1; node != head; node = node->next, ++index)
    if (index == position) return node;
  return nullptr;
}

int32_t DuLinkList::Length() const {
  int32_t count = 0;
  for (DuLinkNode* node = head->next; node != head; node = node->next) ++count;
  return count;
}

bool DuLinkList::Empty() const { return head->next == head; }

DuLinkNode* DuLinkList::FindNode(XObject* criteria) {
  for (DuLinkNode* node = head->next; node != head; node = node->next)
    if (MatchCriteria(node->data, criteria)) return node;
  return nullptr;
}

void DuLinkList::Visit(XObject* argument, DuLinkNode* node, int32_t mode) {
  if (mode == 2)
    Visit2(argument, node);
  else if (mode == 3)
    Visit3(argument, node);
  else
    Visit1(argument, node);
}

// The following node is taken before each visit, so a visit may unlink its own
// node. A visit may also unlink nodes further on: those are skipped by
// following their kept links until a node still in the list turns up. Links
// are never re-pointed after an unlink, so that chain always ends at a listed
// node further on or at the sentinel.
void DuLinkList::Traverse(XObject* argument, int32_t mode) {
  DuLinkNode* node = head->next;
  while (node != head) {
    if (!node->IsLinked()) {
      node = node->next;
      continue;
    }
    DuLinkNode* following = node->next;
    Visit(argument, node, mode);
    node = following;
  }
}

void DuLinkList::TraverseBack(XObject* argument, int32_t mode) {
  DuLinkNode* node = head->previous;
  while (node != head) {
    if (!node->IsLinked()) {
      node = node->previous;
      continue;
    }
    DuLinkNode* preceding = node->previous;
    Visit(argument, node, mode);
    node = preceding;
  }
}

void DuLinkList::Unlink(DuLinkNode* node) {
  node->previous->next = node->next.get();
  node->next->previous = node->previous.get();
  node->linked = false;
}

}  // namespace Structures
