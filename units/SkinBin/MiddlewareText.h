// Turning the fields of middleware and database records into GUI values, for
// the loaders of the television model's lists.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "Structures/LocalTime.h"
#include "Wrapper/TimerRecord.h"
#include "vgcalendar.h"
#include "vgstring.h"

namespace SkinBin {

// A text of a fixed buffer ends at its zero or at the end of the buffer,
// whichever comes first: a full buffer must not run on into the next field.
template <size_t N>
VgString BufferText(const char (&buffer)[N]) {
  return VgNewStringUtf8(std::string(buffer, strnlen(buffer, N)).c_str());
}

// A new record of the local time at seconds since 1970.
inline ::Structures::LocalTime* NewLocalTime(int64_t seconds) { return ::Wrapper::LocalTimeOf(VgLocalParts(seconds)); }

}  // namespace SkinBin
