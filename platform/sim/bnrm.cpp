#include "bnrm.h"

#include "simkernel.h"

extern "C" {

int32_t B_NRM_LockExclusiveResource(int32_t resource, int32_t timeout, int32_t flags) {
  simk::Record("B_NRM_LockExclusiveResource", simk::CallArgs{}.Int(resource).Int(timeout).Int(flags));
  int32_t code = 0;
  return simk::Fails("B_NRM_LockExclusiveResource", &code) ? code : 0;
}

int32_t B_NRM_UnlockExclusiveResource(int32_t resource) {
  simk::Record("B_NRM_UnlockExclusiveResource", simk::CallArgs{}.Int(resource));
  return 0;
}

}  // extern "C"
