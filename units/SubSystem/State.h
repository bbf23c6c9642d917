// SubSystem::State: a request to open a screen. The sub-system that owns the
// screen's class opens it; any other sub-system hands the request on to that
// owner.
#pragma once

#include "vgobject.h"

namespace SubSystem {

class State : public XObject {
  VG_CLASS()

 public:
  explicit State(XObject* link = nullptr) : XObject(link) {}

  // The property Class: the class of the screen to open. The field takes
  // another name, since every class of the runtime has a descriptor called
  // Class.
  const VgClass* OnGetClass() const { return ClassRef; }
  void OnSetClass(const VgClass* value) { ClassRef = value; }
  XObject* OnGetParam() const { return Param; }
  void OnSetParam(XObject* value) { Param = value; }
  XObject* OnGetInstance() const { return Instance; }
  void OnSetInstance(XObject* value) { Instance = value; }
  const VgClass* OnGetNext() const { return Next; }
  void OnSetNext(const VgClass* value) { Next = value; }
  const VgClass* OnGetBack() const { return Back; }
  void OnSetBack(const VgClass* value) { Back = value; }
  XObject* OnGetAsker() const { return Asker; }
  void OnSetAsker(XObject* value) { Asker = value; }

  const VgClass* ClassRef = nullptr;
  // Handed to the screen's Initialize inside its parameter record.
  VgPtr<XObject> Param;
  // A screen to show instead of a new one. A request handed on to another
  // sub-system carries the screen made for it here, so that the owner opens
  // that very object.
  VgPtr<XObject> Instance;
  // The screen's NextState and PrevState when it has none of its own.
  const VgClass* Next = nullptr;
  const VgClass* Back = nullptr;
  // The screen or list that asks the screen opened, and hears its answer:
  // the screen's Asker, with which it closes.
  VgPtr<XObject> Asker;
};

}  // namespace SubSystem
