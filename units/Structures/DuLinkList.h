// A circular doubly linked list of objects around a sentinel node. The layer
// manager, the message and event agents and the source history derive from it
// and specialise it through its virtual operations.
#pragma once

#include <cstdint>

#include "vgobject.h"

namespace Structures {

class DuLinkNode : public XObject {
  VG_CLASS()

 public:
  explicit DuLinkNode(XObject* link = nullptr) : XObject(link) {}

  DuLinkNode* OnGetnext() const { return next; }
  void OnSetnext(DuLinkNode* value) { next = value; }
  XObject* OnGetdata() const { return data; }
  void OnSetdata(XObject* value) { data = value; }
  DuLinkNode* OnGetprevious() const { return previous; }
  void OnSetprevious(DuLinkNode* value) { previous = value; }

  // A node taken out of its list keeps its links, so a walk that already holds
  // it can follow them on to the nodes that remain listed.
  bool IsLinked() const { return linked; }

  VgPtr<DuLinkNode> next;
  VgPtr<XObject> data;
  VgPtr<DuLinkNode> previous;

 private:
  friend class DuLinkList;
  bool linked = false;
};

class DuLinkList : public XObject {
  VG_CLASS()

 public:
  explicit DuLinkList(XObject* link = nullptr);

  // Whether two listed objects are the same entry (base: the same object).
  virtual bool CompareData(XObject* a, XObject* b);
  virtual void Visit1(XObject* argument, DuLinkNode* node);
  virtual void Visit2(XObject* argument, DuLinkNode* node);
  virtual void Visit3(XObject* argument, DuLinkNode* node);
  // Whether a listed object satisfies a search key (base: the same object, or
  // two Structures::RefInt holding the same integer).
  virtual bool MatchCriteria(XObject* data, XObject* criteria);

  // Positions count from 1 at the head.
  int32_t Insert(int32_t position, XObject* data);
  int32_t DeleteData(XObject* data);
  XObject* Delete(int32_t position);
  void DeleteNode(DuLinkNode* node);
  void Clear();
  DuLinkNode* GetNode(int32_t position) const;
  int32_t Length() const;
  bool Empty() const;
  DuLinkNode* FindNode(XObject* criteria);
  // Visit2 for mode 2, Visit3 for mode 3, Visit1 for any other mode.
  void Traverse(XObject* argument, int32_t mode);
  void TraverseBack(XObject* argument, int32_t mode);

  // The sentinel: its next node is the head, its previous node the tail.
  DuLinkNode* Sentinel() const { return head; }

 protected:
  VgPtr<DuLinkNode> head;

 private:
  void Visit(XObject* argument, DuLinkNode* node, int32_t mode);
  void Unlink(DuLinkNode* node);
};

}  // namespace Structures
