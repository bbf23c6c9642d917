#include "Forms/Handler.h"

VG_DEFINE_CLASS(Forms, Handler, XObject)

namespace Forms {

XObject* Handler::HandleEvent(Core::Event*) { return nullptr; }

void Handler::HandleFocus() {}

bool Handler::Apply() { return true; }

}  // namespace Forms
