#include "Wrapper/Backing.h"

#include "PersistentData/PersistentData.h"
#include "vgdebug.h"
#include "vgstring.h"
#include "xpm.h"

namespace Wrapper {

namespace {
constexpr int32_t kMainWindow = 0;
}

int32_t ReadBacked(const PropertyBacking& row, int32_t& cache, ::PersistentData::PersistentData* store) {
  int32_t value = cache;
  int32_t status = 0;
  switch (row.kind) {
    case Backing::Field:
      return cache;
    case Backing::Middleware:
      status = row.get ? row.get(&value) : -1;
      break;
    case Backing::AvProperty:
      status = XPM_GetAvProperty(kMainWindow, row.id, &value);
      break;
    case Backing::DeviceProperty:
      status = XPM_GetExtOemProperty(row.id, &value);
      break;
    case Backing::SettingsKey: {
      // A key that was never written reads as the property's default.
      if (!store) return cache;
      VgString key = VgNewStringAnsi(row.key);
      if (store->IsStringExist(key)) cache = store->GetInteger(key);
      return cache;
    }
  }
  if (status != 0) {
    VgPrint("Wrapper: reading %s failed (error %d), keeping %d\n", row.name, status, cache);
    return cache;
  }
  cache = value;
  return cache;
}

void WriteBacked(const PropertyBacking& row, int32_t& cache, int32_t value, ::PersistentData::PersistentData* store) {
  cache = value;
  int32_t status = 0;
  switch (row.kind) {
    case Backing::Field:
      return;
    case Backing::Middleware:
      status = row.set ? row.set(value) : -1;
      break;
    case Backing::AvProperty:
      status = XPM_SetAvProperty(kMainWindow, row.id, value);
      break;
    case Backing::DeviceProperty:
      status = XPM_SetExtOemProperty(row.id, value);
      break;
    case Backing::SettingsKey:
      if (!store) {
        VgPrint("Wrapper: no settings store, %s = %d is not kept\n", row.name, value);
        return;
      }
      status = store->PutInteger(VgNewStringAnsi(row.key), value);
      break;
  }
  if (status != 0) VgPrint("Wrapper: setting %s to %d failed (error %d)\n", row.name, value, status);
}

}  // namespace Wrapper
