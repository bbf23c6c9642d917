// NonMenuSystem::ChangePinDialog: sets a new parental (type 1) or 3D (type
// 2) PIN, typed twice. A PIN of 0000 and two different entries are refused;
// an accepted PIN is stored and the dialog goes back.
#pragma once

#include <cstdint>

#include "NonMenuSystem/PinField.h"
#include "NonMenuSystem/PinTypes.h"
#include "NonMenuSystem/QORWidgetClass.h"
#include "Views/MultilineText.h"
#include "Views/Text.h"

namespace NonMenuSystem {

class ChangePinDialog : public QORWidgetClass {
  VG_CLASS()

 public:
  explicit ChangePinDialog(XObject* link = nullptr);

  static constexpr int32_t Width = 560;
  static constexpr int32_t Height = 300;
  static constexpr int32_t TypeParental = 1;
  static constexpr int32_t TypeThreeD = 2;

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Refresh(XObject* sender = nullptr) override;

  virtual void OnSetChangePinType(int32_t type);
  int32_t OnGetChangePinType() const { return ChangePinType; }
  PinKind Kind() const { return ChangePinType == TypeThreeD ? PinKind::ThreeD : PinKind::Parental; }

  // The new PIN is complete: kept, and the confirmation takes the focus.
  void FirstPassword(XObject* sender);
  // The confirmation is complete: stored when it matches, else both again.
  void CheckPassword(XObject* sender);
  void GoBack(XObject* sender);

  PinField newPin{this};
  PinField confirmPin{this};
  Views::Text newLabel{this};
  Views::Text confirmLabel{this};
  Views::MultilineText messageLine{this};
  int32_t ChangePinType = TypeParental;
  VgStr FirstPin;

 private:
  void StartAgain(const VgConstant* why);
};

}  // namespace NonMenuSystem
