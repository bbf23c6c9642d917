// libFuzzer entry: the attributed-text compiler. The fuzz build links the
// engine without the GUI runtime, so the runtime's allocator is given here.
#include <cstdlib>

#include "attrtext_fuzz.h"
#include "vgobject.h"

void* VgAlloc(size_t size) { return std::malloc(size); }
void VgFree(void* block) { std::free(block); }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return FuzzAttrText(data, size); }
