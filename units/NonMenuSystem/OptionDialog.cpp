#include "NonMenuSystem/OptionDialog.h"

#include "AppServices/OptionDB.h"
#include "NonMenuSystem/ListDialogs.h"
#include "OptionDatabase/OptionBinding.h"
#include "WidgetManager/Layers.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(NonMenuSystem, OptionDialog, ::NonMenuSystem::QORWidgetClass)

namespace NonMenuSystem {

namespace {

// A pop-up of the most rows ends above the help line at the foot of the
// dialog it stands over.
constexpr int32_t kTop = 128;
constexpr int32_t kPopupLayer = Layers::PopUp;

}  // namespace

OptionDialog::OptionDialog(XObject* link) : ListHost(link) {
  WinID = WinIDs::WIN_ID_OptionDialog;
  Layer = kPopupLayer;
  list.OnSetOnValueChanged(VgSlotOf<&OptionDialog::DoValueChange>(this));
}

void OptionDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  // The list reads the option from the record, which carries it as value.
  ListHost::Initialize(parameter);
  OptionType = ParamValue;
  OnSetCaption(OptionDatabase::OptionBinding(MainApp::GetOptionDB(), OptionType, "NonMenuSystem::OptionDialog").Name());
  FitAroundList(this, &list, kTop);
}

void OptionDialog::DoValueChange(XObject*) {
  if (AnswerTo(OnValueChanged.object)) VgSignal(OnValueChanged, this);
  Close();
}

}  // namespace NonMenuSystem
