#include "vgref.h"

#include "vgdebug.h"

void VgReportNullRef(const char* operation) {
  VgPrint("%s: property reference without object or accessor ignored\n", operation);
}
