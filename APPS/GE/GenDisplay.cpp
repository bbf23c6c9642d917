#include "GenDisplay.h"

#include "GraphicsEngine.h"

void GenInitDisplay() {}
void GenDoneDisplay() {}
void GenLoadClut() {}
void GenSetUserColor() {}
void GenFreeUserColor() {}
int32_t GenAllocUserColor() { return 0; }
int32_t GenFindUserColor() { return 0; }

void GenConvertDisplay(GenBitmap* destination, GenBitmap* source) {
  if (!destination || !source) {
    GEN_ERROR(GenErrInvalidParameter);
    return;
  }
  if (destination->width != source->width || destination->height != source->height) {
    GEN_ERROR(GenErrIncompatibleBitmap);
    return;
  }
  if (source->colorFormat != GenColorFormatArgb8888) {
    GEN_ERROR(GenErrUnsupportedColorFormat);
    return;
  }
  // Surfaces are drawn on directly; there is no display context to convert to.
  GEN_ERROR(GenErrNotInitialized);
}
