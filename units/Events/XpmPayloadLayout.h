// The layout of the middleware event payloads that vg_xpmEventCallback reads:
// for each event with a payload, the event's name, the class of the object it
// becomes and the fields of that object in payload order. Scenarios build
// payloads from named fields through it, and a test encodes every row and
// reads the values back from the objects the event table makes, so the layout
// and the converters cannot drift apart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class XpmFieldKind : uint8_t {
  Int32,   // a 32-bit little-endian word
  Uint16,  // a 16-bit little-endian value
  Byte,    // one byte
  Text,    // an 8-bit text, zero-padded to width bytes
  Fixed,   // not in the payload: the converter always sets the field to fixed
};

struct XpmPayloadField {
  const char* name = nullptr;  // the field of the event class; null ends the list
  uint32_t offset = 0;         // in bytes
  XpmFieldKind kind = XpmFieldKind::Int32;
  uint32_t width = 0;          // bytes of a text
  int32_t fixed = 0;           // the value of a Fixed field
  uint32_t setBits = 0;        // bits the converter sets in the field besides the payload's
};

inline constexpr size_t kXpmPayloadFieldLimit = 6;

struct XpmPayloadLayout {
  uint32_t event = 0;
  const char* name = nullptr;       // the middleware event's name
  const char* className = nullptr;  // the class of the object, as in Events.h
  uint32_t size = 0;                // the bytes of a payload built from the fields
  XpmPayloadField fields[kXpmPayloadFieldLimit] = {};
};

size_t XpmPayloadLayoutCount();
const XpmPayloadLayout& XpmPayloadLayoutAt(size_t index);

// The row of an event name, of a class name that only one row has, or of an
// event number; null when there is none.
const XpmPayloadLayout* FindXpmPayloadLayout(std::string_view name);
// The named field of a row, or null.
const XpmPayloadField* FindXpmPayloadField(const XpmPayloadLayout& layout, std::string_view name);

// Writes a number or a text field into a payload of layout.size bytes.
void EncodeXpmPayloadNumber(const XpmPayloadField& field, int64_t value, std::vector<uint8_t>* payload);
void EncodeXpmPayloadText(const XpmPayloadField& field, const std::string& text, std::vector<uint8_t>* payload);
