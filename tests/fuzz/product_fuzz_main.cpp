// libFuzzer entry: the product root under random keys and middleware events.
#include "product_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return FuzzProductRoot(data, size); }
