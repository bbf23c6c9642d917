// Values the simulated set reports through out-parameters, and the pieces of
// the set that several families of calls share.
#pragma once

#include <cstdint>

#include "ossem.h"

namespace simtv {

int32_t Value(const char* name);
void SetValue(const char* name, int32_t value);

// The semaphore without recording a call: the middleware's own use of the
// GUI lock, which the program does not make.
bool SemTake(OS_SemId semaphore, int32_t timeout);
void SemGive(OS_SemId semaphore);

}  // namespace simtv
