// libFuzzer entry: the simple file reader.
#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return FuzzFileReader(data, size); }
