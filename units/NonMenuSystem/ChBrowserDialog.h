// NonMenuSystem::ChBrowserDialog: the channel browser, a strip of tiles at
// the bottom of the screen. It holds the five browser lists (favourites,
// history, inputs, channels, HDMI-CEC devices) and shows the one the
// television model chose (CurrentCBList); UP and DOWN go to the previous or
// next list the viewer enabled. After each tune a list asks the dialog to
// update its banner, which names what the set now shows.
#pragma once

#include <cstdint>

#include "ListForm/BrowserLists.h"
#include "ListForm/ListClass.h"
#include "NonMenuSystem/WidgetClass.h"
#include "Views/Text.h"

namespace NonMenuSystem {

class ChBrowserDialog : public WidgetClass {
  VG_CLASS()

 public:
  explicit ChBrowserDialog(XObject* link = nullptr);

  // The browser kinds of the model's CurrentCBList that have lists of their
  // own; 5 and 6 are further favourites rings, shown by the favourites list.
  enum Kind : int32_t { History = 0, Channels = 1, Inputs = 2, Favorites = 3, Devices = 4, Kinds = 5 };

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  XObject* HandleEvent(Core::Event* event) override;

  // Shows the list of a kind and focuses it; the model keeps the choice.
  void ShowList(int32_t kind);
  // The lists' OnUpdateBanner.
  void UpdateBanner(XObject* sender = nullptr);
  ListForm::ListClass* ListOf(int32_t kind);

  int32_t CurrentKind = Channels;
  ListForm::CBFavoritesList favorites{this};
  ListForm::CBHistoryList history{this};
  ListForm::CBInputList inputs{this};
  ListForm::CBChannelList channels{this};
  ListForm::CBCECList devices{this};
  Views::Text banner{this};
};

}  // namespace NonMenuSystem
