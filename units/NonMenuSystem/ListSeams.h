// The lists that the list-hosting dialogs hold, by the names the dialogs
// use. A name stands for the framework's plain list (no entries) while the
// list's own class does not exist yet; the dialog then holds the real list
// once its line here names it. The dialogs wire a list's own slots only when
// the list has them (OnValueChanged, OnUpdateBanner), so no dialog changes.
#pragma once

#include "ListForm/InputLists.h"
#include "ListForm/ListClass.h"
#include "ListForm/OptionLists.h"

namespace NonMenuSystem::Lists {

using ExternalInputList = ListForm::ExternalInputList;
using CecInputList = ListForm::CecInputList;
using InputLabelingList = ListForm::InputLabelingList;
using OptionList = ListForm::OptionList;
using SystemInfoList = ListForm::SystemInfoList;
using CBFavoritesList = ListForm::ListClass;
using CBHistoryList = ListForm::ListClass;
using CBInputList = ListForm::ListClass;
using CBChannelList = ListForm::ListClass;
using CBCECList = ListForm::ListClass;

}  // namespace NonMenuSystem::Lists
