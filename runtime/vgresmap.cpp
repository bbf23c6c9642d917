#include "vgresmap.h"

#include "vgdebug.h"

namespace {

struct Pair {
  const void* data;
  XObject* object;
};

Pair g_mapList[VgResourceMapCapacity];
size_t g_mapSize = 0;

const void* g_pendingData = nullptr;

}  // namespace

XObject* VgFindResource(const void* data) {
  for (size_t i = 0; i < g_mapSize; ++i)
    if (g_mapList[i].data == data) return g_mapList[i].object;
  return nullptr;
}

size_t VgResourceMapSize() { return g_mapSize; }

const void* VgTakeResourceData() {
  const void* data = g_pendingData;
  g_pendingData = nullptr;
  return data;
}

XObject* VgLoadResource(const VgConstant* constant, const VgClass* cls) {
  if (!constant) return nullptr;
  auto* entry = static_cast<const VgResourceEntry*>(VgGetVariantOf(constant, sizeof(VgResourceEntry)));
  if (!entry || !entry->value) return nullptr;
  if (XObject* object = VgFindResource(entry->value)) return object;

  const void* saved = g_pendingData;
  g_pendingData = entry->value;
  XObject* object;
  try {
    object = VgNewObjectIndirect(cls, 0);
  } catch (...) {
    g_pendingData = saved;
    throw;
  }
  bool taken = g_pendingData == nullptr;
  g_pendingData = saved;
  if (!taken) VgPrint("VgLoadResource: class %s is not a resource; its object is not shared\n", cls->name);
  return object;
}

void VgRegisterResource(XObject* object, const void* data) {
  if (!object || !data) return;
  if (g_mapSize == VgResourceMapCapacity) VgPanicAnsi("Resource MapList is full");
  g_mapList[g_mapSize++] = {data, object};
}

void VgDeregisterResource(XObject* object) {
  for (size_t i = 0; i < g_mapSize; ++i) {
    if (g_mapList[i].object != object) continue;
    for (size_t j = i + 1; j < g_mapSize; ++j) g_mapList[j - 1] = g_mapList[j];
    --g_mapSize;
    return;
  }
}
