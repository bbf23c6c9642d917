// Forms::Form: a control that holds controls. It moves the focus between them
// in stacking order or geometrically, finds them by hot key, index or
// position, shifts data objects along them, keeps a scroll bar showing which
// one is focused, and takes part when the root makes it modal.
//
// The controls of a form are its direct children that are Forms::Ctrl; they
// are counted from the bottom of the stacking order.
#pragma once

#include <cstdint>

#include "Forms/Ctrl.h"
#include "vgslot.h"

namespace Forms {

class ScrollBar;

class Form : public Ctrl {
  VG_CLASS()

 public:
  explicit Form(XObject* link = nullptr);

  // Overridden slots.
  Core::View* CursorHitTest(int32_t cursor, VgPoint point, int32_t repeatCount, Core::View* onlyView) override;
  Core::View* FindFocusable(Core::View* view) override;
  // Anything but an enabled control of the form clears the focus.
  void OnSetFocus(Core::View* view) override;
  void Add(Core::View* view, int32_t restack) override;
  void AddBehind(Core::View* view, Core::View* sibling) override;
  void Remove(Core::View* view) override;
  void Restack(Core::View* view, int32_t steps) override;
  void RestackTop(Core::View* view) override;
  void RestackBack(Core::View* view) override;
  void RestackBehind(Core::View* view, Core::View* sibling) override;
  // After the focus path and the handler, a key press activates the control
  // with that hot key.
  XObject* DispatchEvent(Core::Event* event) override;
  XObject* GetData(XObject* data) override;
  XObject* SetData(XObject* data) override;
  void UpdateCtrlState(uint16_t oldState, uint16_t newState) override;

  // Slots of the form: focus the geometric neighbour of the focused control.
  virtual Ctrl* SelectRight();
  virtual Ctrl* SelectLeft();
  virtual Ctrl* SelectUpper();
  virtual Ctrl* SelectLower();
  virtual void updateScrollBars(XObject* sender = nullptr);

  // Enabled controls only, no wrap-around.
  Ctrl* GetFirstCtrl();
  Ctrl* GetLastCtrl();
  Ctrl* GetNextCtrl(Ctrl* ctrl);
  Ctrl* GetPrevCtrl(Ctrl* ctrl);
  // All controls, disabled ones included.
  int32_t GetCount();
  int32_t GetIndexOf(Ctrl* ctrl);
  Ctrl* GetCtrlAt(int32_t index);
  Ctrl* GetCtrlAtPos(VgPoint point);
  VgRect GetCtrlsArea();

  Ctrl* SelectFirst();
  Ctrl* SelectLast();
  Ctrl* SelectNext();
  Ctrl* SelectPrev();

  // The nearest enabled control in a direction, scored by distance over the
  // distance along the direction, so controls straight ahead win.
  Ctrl* GetRightCtrl(Ctrl* ctrl);
  Ctrl* GetLeftCtrl(Ctrl* ctrl);
  Ctrl* GetUpperCtrl(Ctrl* ctrl);
  Ctrl* GetLowerCtrl(Ctrl* ctrl);

  // Data shifting for forms that scroll a window of controls over longer
  // data: every enabled control takes its neighbour's data, one end takes the
  // given object and the object of the other end falls out.
  XObject* ShiftNext(XObject* data);
  XObject* ShiftPrev(XObject* data);

  // Called by the root when the form becomes modal or stops being modal.
  void HandleModality(bool modal);
  // Called by the root when the modal state ends: OnEndModal sees the result
  // in ModalData.
  void DoEndModal(XObject* data);

  ::Forms::ScrollBar* OnGetScrollBar() const { return ScrollBar; }
  void OnSetScrollBar(::Forms::ScrollBar* bar);
  void scrollBarSlot(XObject* sender);
  VgSlot OnGetOnEndModal() const { return OnEndModal; }
  void OnSetOnEndModal(VgSlot slot) { OnEndModal = slot; }

  bool WasVisible = false;
  // The next older form of the root's modal chain.
  VgPtr<Form> ModalLink;
  VgPtr<XObject> ModalData;
  VgSlot OnEndModal;
  VgPtr<::Forms::ScrollBar> ScrollBar;

 private:
  enum class Direction { Right, Left, Upper, Lower };
  Ctrl* Neighbour(Ctrl* ctrl, Direction direction);
  void CheckCtrl(Ctrl* ctrl) const;
  void PostScrollBarUpdate();
  Ctrl* FocusedCtrl() const;
  Ctrl* Select(Ctrl* ctrl);
};

}  // namespace Forms
