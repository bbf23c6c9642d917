#include "Primitives/KeyRoutingScrollForm.h"

#include "Forms/ScrollingImpl.h"

namespace Forms {
template class Scrolling<Primitives::KeyRoutingForm, BarCoupling::Showing>;
}  // namespace Forms

VG_DEFINE_CLASS(Primitives, KeyRoutingScrollForm, Primitives::KeyRoutingForm)

namespace Primitives {

KeyRoutingScrollForm::KeyRoutingScrollForm(XObject* link) : Scrolling(link) {}

}  // namespace Primitives
