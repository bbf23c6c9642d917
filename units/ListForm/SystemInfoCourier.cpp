#include "ListForm/SystemInfoCourier.h"

VG_DEFINE_CLASS(ListForm, SystemInfoCourier, ListForm::ListCourier)
