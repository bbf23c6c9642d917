// Boxes pass one value by reference between screens, and serve as search keys
// of the lists.
#pragma once

#include <cstdint>

#include "vgcolor.h"
#include "vgobject.h"
#include "vgstring.h"

namespace Structures {

class RefInt : public XObject {
  VG_CLASS()

 public:
  explicit RefInt(XObject* link = nullptr) : XObject(link) {}
  int32_t Value = 0;
};

class RefBool : public XObject {
  VG_CLASS()

 public:
  explicit RefBool(XObject* link = nullptr) : XObject(link) {}
  bool Value = false;
};

class RefString : public XObject {
  VG_CLASS()

 public:
  explicit RefString(XObject* link = nullptr) : XObject(link) {}
  VgStr Value;
};

class RefColor : public XObject {
  VG_CLASS()

 public:
  explicit RefColor(XObject* link = nullptr) : XObject(link) {}
  VgColor Value{};
};

class RefFloat : public XObject {
  VG_CLASS()

 public:
  explicit RefFloat(XObject* link = nullptr) : XObject(link) {}
  double Value = 0;
};

// A window (0 main, 1 sub) and a class: the search key of the event agent.
class RefClass : public XObject {
  VG_CLASS()

 public:
  explicit RefClass(XObject* link = nullptr) : XObject(link) {}
  int32_t Window = 0;
  const VgClass* ClassRef = nullptr;
};

class ArrayInt : public XObject {
  VG_CLASS()

 public:
  explicit ArrayInt(XObject* link = nullptr) : XObject(link) {}
  int32_t Values[10] = {};
  int32_t Count = 0;  // how many of the ten are used
};

}  // namespace Structures
