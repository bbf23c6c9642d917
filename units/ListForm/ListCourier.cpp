#include "ListForm/ListCourier.h"

VG_DEFINE_CLASS(ListForm, ListCourier, XObject)
