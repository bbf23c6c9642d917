// NonMenuSystem::DirectMessageBar: a short message over whatever is on
// screen, with an alert or information sign, that leaves by itself after the
// time its type gives. Its type picks text, sign, size, place and time from
// the table of direct messages; a free text can replace the text.
#pragma once

#include <cstdint>

#include "NonMenuSystem/DirectMessages.h"
#include "NonMenuSystem/PanelFill.h"
#include "NonMenuSystem/WidgetClass.h"
#include "Views/Frame.h"
#include "Views/Image.h"
#include "Views/MultilineText.h"
#include "WidgetManager/Layers.h"

namespace NonMenuSystem {

class DirectMessageBar : public WidgetClass {
  VG_CLASS()

 public:
  explicit DirectMessageBar(XObject* link = nullptr);

  // Its own layer, above the pop-ups: a message that comes while a keyboard
  // or a list of choices is open does not take their layer, nor lose what
  // was typed there.
  static constexpr int32_t MessageLayer = Layers::Message;
  static constexpr int32_t StandardWidth = 640;
  static constexpr int32_t StandardTop = 330;
  static constexpr int32_t MinHeight = 96;

  // The opening value is the message type.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Leaves when the medium of an upgrade message is taken out, under any
  // screen with the keys.
  XObject* HandleEvent(Core::Event* event) override;
  bool FollowsTheWorld(Core::Event* event) const override;
  // A message keeps its own time whoever opened it.
  void OnSetMenuTriggered(bool value) override;
  void Close(XObject* sender = nullptr) override;
  // A passing notice: a screen that takes the keys under it clears it away,
  // and a key may open one under it.
  bool GivesWay() const override { return true; }
  bool UsesKey(uint16_t code) const override;
  int32_t PanelEdge() const override { return PanelFill::Edge; }

  virtual void OnSetMessageType(int32_t type);
  int32_t OnGetMessageType() const { return MessageType; }
  virtual void OnSetMessageInfo(VgString text);
  VgString OnGetMessageInfo() const { return message.String; }

  // The time-out's target: the message leaves, and a shortcut goes back to
  // the menus.
  void TimeUp(XObject* sender);

  int32_t MessageType = -1;
  PanelFill fill{this};
  Views::Frame frame{this};
  Views::Image icon{this};
  Views::MultilineText message{this};

 private:
  // Sizes the bar around its text and places it.
  void Layout();
  void RunCloseAction();

  const DirectMessage* row_ = nullptr;
  // Whether the message is closing because its time is up.
  bool timedOut_ = false;
};

}  // namespace NonMenuSystem
