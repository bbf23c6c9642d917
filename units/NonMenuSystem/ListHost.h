// NonMenuSystem::ListHost<List>: a screen that holds one list. The list is a
// member made with the screen; the screen hands it its own opening record
// (with itself as the parent) when it is initialised, focuses it, closes when
// the list asks to leave (OnExit) and restarts its time-out whenever the list
// moved (FocusMove). A host that should hear the message agent registers
// while it is open and gives every message to HandleListMessage. The list,
// opened with the screen as its parent, closes when the screen closes (a list
// that hears the message agent stops hearing it then).
//
//   class CecInputDialog : public ListHost<ListForm::CecInputList> {
//     VG_CLASS()
//   };
//   VG_DEFINE_CLASS(NonMenuSystem, CecInputDialog, NonMenuSystem::WidgetClass)
//
// The template has no descriptor of its own: a screen built on it names the
// base below it (WidgetClass or QORWidgetClass) as its ancestor.
#pragma once

#include "AppServices/MessageAgent.h"
#include "NonMenuSystem/WidgetClass.h"
#include "Primitives/KeyRoutingParameter.h"
#include "vgslot.h"

namespace Structures {
class Message;
}

namespace NonMenuSystem {

template <class List, class Base = WidgetClass>
class ListHost : public Base {
 public:
  explicit ListHost(XObject* link = nullptr) : Base(link) {
    list.OnSetOnExit(VgSlotOf<&WidgetClass::Exit>(this));
    list.OnSetFocusMove(VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(this));
    this->Add(&list, 0);
  }

  // The screen's own reading of the record first, then the list's, so the
  // list can ask the screen how it was opened (MenuTriggered, the owner).
  // A screen opened again takes back the list its close took out.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override {
    Base::Initialize(parameter);
    if (list.owner.get() != this) this->Add(&list, 0);
    auto* own = VgNew<Primitives::KeyRoutingParameter>();
    own->Parent = this;
    own->Param = parameter ? parameter->Param.get() : nullptr;
    this->OnSetFocus(&list);
    list.Initialize(own);
  }

  void Open(XObject* sender = nullptr) override {
    Base::Open(sender);
    if (RegistersMessages) MainApp::GetMessageAgent()->Register(this);
  }

  void Close(XObject* sender = nullptr) override {
    Base::Close(sender);
    if (RegistersMessages) MainApp::GetMessageAgent()->UnRegister(this);
  }

  void HandleMessage(Structures::Message* message) override {
    Base::HandleMessage(message);
    if (message) HandleListMessage(message);
  }

  // What a registered host does with a message the agent gives it.
  virtual void HandleListMessage(Structures::Message* message) { list.HandleMessage(message); }

  // Set in a host's constructor to hear the message agent while open.
  bool RegistersMessages = false;
  List list{this};
};

}  // namespace NonMenuSystem
