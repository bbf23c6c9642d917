// How an int32 property of the television model is kept: in the model only,
// behind a middleware call pair, as a picture or sound property of the
// middleware, as a generic device property, or under a settings-store key.
// Each model class lists its properties in one table of these rows, so that
// moving a property to another backing changes one row and nothing else.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace PersistentData {
class PersistentData;
}

namespace Wrapper {

enum class Backing : uint8_t {
  Field,           // the model's own field
  Middleware,      // get and set through a middleware call pair
  AvProperty,      // XPM_GetAvProperty / XPM_SetAvProperty of the main window
  DeviceProperty,  // XPM_GetExtOemProperty / XPM_SetExtOemProperty
  SettingsKey,     // an integer under a key of the settings store
};

struct PropertyBacking {
  const char* name;  // the property's name, for logs and table checks
  Backing kind;
  int32_t id;                      // AvProperty / DeviceProperty: the property number
  const char* key;                 // SettingsKey: the key
  int32_t (*get)(int32_t* value);  // Middleware: 0 on success
  int32_t (*set)(int32_t value);   // Middleware: 0 on success
  int32_t initial;                 // the value before anything could be read
};

constexpr PropertyBacking Field(const char* name, int32_t initial = 0) {
  return {name, Backing::Field, 0, nullptr, nullptr, nullptr, initial};
}
constexpr PropertyBacking Middleware(const char* name, int32_t (*get)(int32_t*), int32_t (*set)(int32_t),
                                     int32_t initial = 0) {
  return {name, Backing::Middleware, 0, nullptr, get, set, initial};
}
constexpr PropertyBacking AvProperty(const char* name, int32_t property, int32_t initial = 0) {
  return {name, Backing::AvProperty, property, nullptr, nullptr, nullptr, initial};
}
constexpr PropertyBacking DeviceProperty(const char* name, int32_t id, int32_t initial = 0) {
  return {name, Backing::DeviceProperty, id, nullptr, nullptr, nullptr, initial};
}
constexpr PropertyBacking SettingsKey(const char* name, const char* key, int32_t initial = 0) {
  return {name, Backing::SettingsKey, 0, key, nullptr, nullptr, initial};
}

// Reads the property into its cache and returns it. When the backing cannot
// answer (the middleware fails, no settings store is attached, the key was
// never written) the cached value stands.
int32_t ReadBacked(const PropertyBacking& row, int32_t& cache, ::PersistentData::PersistentData* store);
// Stores the value in the cache and sends it to the backing; a failure is
// logged and the cache keeps the new value, which the next read corrects.
void WriteBacked(const PropertyBacking& row, int32_t& cache, int32_t value, ::PersistentData::PersistentData* store);

// True when the table's rows carry the names in the same order (checked at
// compile time against the property list that the accessors come from).
constexpr bool SameName(const char* a, const char* b) {
  while (*a && *a == *b) {
    ++a;
    ++b;
  }
  return *a == *b;
}
template <class Rows, class Names>
constexpr bool RowsMatchNames(const Rows& rows, const Names& names) {
  if (std::size(rows) != std::size(names)) return false;
  for (std::size_t i = 0; i < std::size(rows); ++i)
    if (!SameName(rows[i].name, names[i])) return false;
  return true;
}

}  // namespace Wrapper
