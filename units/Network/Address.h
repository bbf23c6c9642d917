// The four-octet addresses of the network screens, shared by the framed
// setup dialog and the address menu pages: packing (first octet in the most
// significant byte), the dotted text, the check each field applies, the digit
// rule of an octet spinner, and the pop-up that reports a refused address.
#pragma once

#include <array>
#include <cstdint>

#include "Core/Timer.h"
#include "Primitives/KeyRoutingForm.h"
#include "Views/Border.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"
#include "vgslot.h"
#include "vgstring.h"

struct VgConstant;

namespace SkinBin {
class Wrapper;
}

namespace Network {

using Octets = std::array<uint8_t, 4>;

constexpr uint32_t Pack(const Octets& o) {
  return uint32_t(o[0]) << 24 | uint32_t(o[1]) << 16 | uint32_t(o[2]) << 8 | o[3];
}
constexpr Octets Split(uint32_t a) { return {uint8_t(a >> 24), uint8_t(a >> 16), uint8_t(a >> 8), uint8_t(a)}; }

// "192.168.1.23": the decimal octets without leading zeros.
VgString DottedText(uint32_t address);

// The fields an address screen edits, in the setup dialog's order.
enum class AddressField : int32_t { Ip = 0, Mask = 1, Gateway = 2, Dns1 = 3, Dns2 = 4 };

// A mask is a run of ones from the top followed by zeros only; anything else
// (255.0.0.255, 0.255.255.255) would leave the interface unreachable.
constexpr bool IsContiguousMask(uint32_t mask) {
  const uint32_t host = ~mask;
  return mask != 0 && (host & (host + 1)) == 0;
}

// The message that refuses a value of a field, or null when it is taken:
// no address, gateway or mask may be 0.0.0.0, a mask must be contiguous, a
// DNS server takes any value.
const VgConstant* AddressFault(AddressField field, uint32_t value);

// The television model's value of a field, and the setter that writes it
// and applies it to the interface at once.
uint32_t ModelValue(SkinBin::Wrapper* model, AddressField field);
void WriteModel(SkinBin::Wrapper* model, AddressField field, uint32_t value);

// The digit rule of an octet spinner: digits typed within the entry time
// build one number until it passes 255, which shows 255 and completes the
// entry; a digit after a completed entry (or after the entry time) starts a
// new number.
struct OctetEntry {
  static constexpr int32_t kMaximum = 255;
  // The value a digit gives; entryRunning is the spinner's entry timer.
  int32_t Next(int32_t current, int32_t digit, bool entryRunning) {
    if (entryRunning && !complete) {
      const int32_t candidate = current * 10 + digit;
      if (candidate > kMaximum) complete = true;
      return candidate;
    }
    complete = false;
    return digit;
  }
  bool complete = false;
};

// The pop-up of a refused address: a framed message that any key, or two
// seconds with the focus, closes through OnClose.
class AddressErrorInfo : public Primitives::KeyRoutingForm {
  VG_CLASS()

 public:
  explicit AddressErrorInfo(XObject* link = nullptr);

  static constexpr int32_t Timeout = 2000;
  static constexpr int32_t Width = 330;
  static constexpr int32_t Height = 80;

  XObject* HandleEvent(Core::Event* event) override;
  void HandleFocus(bool focused) override;
  void DoTimeout(XObject* sender = nullptr);

  VgString OnGetCaption() const { return Caption; }
  void OnSetCaption(VgString value);
  void OnSetOnClose(VgSlot slot) { OnClose = slot; }

  VgStr Caption;
  VgSlot OnClose;
  Views::Rectangle background{this};
  Views::Border border{this};
  Views::Text text{this};
};

}  // namespace Network
