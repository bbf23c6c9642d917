// Primitives::KeyRoutingParameter: what a screen receives in Initialize
// before it is opened: the group to open into and its start parameter.
#pragma once

#include "Core/Group.h"
#include "vgobject.h"

namespace Primitives {

class KeyRoutingParameter : public XObject {
  VG_CLASS()

 public:
  explicit KeyRoutingParameter(XObject* link = nullptr) : XObject(link) {}

  Core::Group* OnGetParent() const { return Parent; }
  void OnSetParent(Core::Group* group) { Parent = group; }
  XObject* OnGetParam() const { return Param; }
  void OnSetParam(XObject* param) { Param = param; }

  VgPtr<Core::Group> Parent;
  // Copied from the request that opens the screen, for instance a record
  // telling how the screen was entered.
  VgPtr<XObject> Param;
};

}  // namespace Primitives
