// Forms::Ctrl: a group that takes part in focus and input. It can be enabled,
// focused, activated for editing, labelled, given a hot key and a handler, and
// keeps a control state from which its descendants restyle themselves.
#pragma once

#include <cstdint>

#include "Core/Group.h"
#include "vgrect.h"

namespace Forms {

class Handler;
class Label;

class Ctrl : public Core::Group {
  VG_CLASS()

 public:
  explicit Ctrl(XObject* link = nullptr);

  // Control states, from which descendants pick their look.
  static constexpr uint16_t StateDisabled = 0;
  static constexpr uint16_t StateNormal = 1;
  static constexpr uint16_t StateSelected = 2;  // its owner's Focus, off the focus path
  static constexpr uint16_t StateFocused = 3;
  static constexpr uint16_t StateActive = 4;  // focused and entered for editing

  // Overridden slots of Core::Group.
  void UpdateFocus(bool focused) override;
  void HandleFocus(bool focused) override;
  void HandleSelection(bool selected) override;
  // Offers the event the group leaves to the Handler.
  XObject* DispatchEvent(Core::Event* event) override;

  // Slots of the control. GetData copies the control's value into the data
  // object and SetData out of it; both return the object.
  virtual XObject* GetData(XObject* data);
  virtual XObject* SetData(XObject* data);
  virtual void UpdateCtrlState(uint16_t oldState, uint16_t newState);
  // Whether the viewer has typed into the control what it has not yet taken
  // as its value (a number half typed, a keyboard's text): a key that would
  // close its screen throws that away. A control that edits nothing answers
  // for the controls inside it.
  virtual bool TypedInto() const;

  bool OnGetEnabled() const { return Enabled; }
  void OnSetEnabled(bool value);
  uint16_t OnGetHotKey() const { return HotKey; }
  void OnSetHotKey(uint16_t value) { HotKey = value; }
  int32_t OnGetTag() const { return Tag; }
  void OnSetTag(int32_t value) { Tag = value; }
  ::Forms::Handler* OnGetHandler() const { return Handler; }
  void OnSetHandler(::Forms::Handler* handler);
  ::Forms::Label* OnGetLabel() const { return Label; }
  void OnSetLabel(::Forms::Label* label);
  bool OnGetActive() const { return Active; }
  bool OnGetModified() const { return Modified; }
  uint16_t OnGetCtrlState() const { return CtrlState; }

  void Activate(bool value);
  // Confirms a modified value through the handler; false when it refuses.
  bool Apply();
  bool CanAutoActivate();
  void PreActivate();
  // Recomputes CtrlState and always reports it to UpdateCtrlState. Posted as a
  // signal by every change that may alter it, so it runs once per event.
  void ForceCtrlStateUpdate(XObject* sender = nullptr);
  // The minimum size as the top-left point, the maximum as the bottom-right.
  VgRect GetMinMaxSize();
  // Whether the form holding this control (or its nearest ancestor inside a
  // form) has a neighbour above or below / left or right of it.
  bool HasVertSibling();
  bool HasHorzSibling();

  bool Enabled = true;
  bool Active = false;
  // Set by descendants when the user changed the value; Apply clears it.
  bool Modified = false;
  uint16_t HotKey = 0;
  uint16_t CtrlState = StateNormal;
  VgPtr<::Forms::Handler> Handler;
  VgPtr<::Forms::Label> Label;
  int32_t Tag = 0;

 private:
  void PostStateUpdate();
  uint16_t ComputeState() const;
};

}  // namespace Forms
