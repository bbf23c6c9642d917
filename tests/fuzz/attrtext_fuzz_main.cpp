// libFuzzer entry: the attributed-text compiler.
#include "attrtext_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return FuzzAttrText(data, size); }
