// Screens and receivers that the tables of this unit name but that other
// units build (menu pages, recording, 3D and update screens). A table row
// holds the class name; the class is found here once its unit has registered
// it, so a row starts to work the day its screen lands, and until then the
// request is logged and nothing changes.
#pragma once

#include <string_view>

#include "vgobject.h"

namespace NonMenuSystem {

// Makes a class findable by its name ("Record::ScheduledRecordDialog"). A
// class registered twice is kept once.
void RegisterClass(const VgClass* cls);
// The class of that name: one of this unit's own screens or a registered
// class; null when neither.
const VgClass* FindClass(std::string_view name);

}  // namespace NonMenuSystem

// At namespace scope in the unit that defines the class:
// NONMENUSYSTEM_REGISTER_CLASS(Record, ScheduledRecordDialog)
#define NONMENUSYSTEM_REGISTER_CLASS(Unit, Cls)                    \
  [[maybe_unused]] static const bool nonMenuRegistered##Unit##Cls = \
      (::NonMenuSystem::RegisterClass(&::Unit::Cls::Class), true);
