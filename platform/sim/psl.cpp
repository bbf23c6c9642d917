#include "psl.h"

#include "simkernel.h"

namespace {

// The simulated library has no state of its own; its handle only has to be a
// handle the program did not make up.
int g_library = 0;

}  // namespace

extern "C" {

void* globalPsl = &g_library;

void PslNetworkStatusChanged(void* psl, uint16_t status) {
  simk::Record("PslNetworkStatusChanged", simk::CallArgs{}.Text(psl == &g_library ? "globalPsl" : "other").Int(status));
}

}  // extern "C"
