// Strings and constant string blocks.
//
// An allocated string is one heap block: {next in Strings, padding, 16-bit lock
// count, UTF-16 characters, 0}; the string value points at the characters, so the
// count is always the word just before them. A block record unpacks to
// {distance, count, characters, 0} and is retained and released the same way.
//
// Mended: the lock count saturates at 0xFFFF instead of wrapping to 0 (which
// freed a string still held by 65536 fields); a saturated string is never freed
// and release leaves it saturated. A corrupt string block yields the empty
// string and one log line instead of unpacking garbage past its buffer.

#include "vgstring.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "vgdebug.h"

namespace {

constexpr size_t kCacheBudget = 65536;  // bytes of cache entries kept at a collection
constexpr size_t kEntryHeadSize = 16;   // the budget counts a 16-byte head per entry, whatever the pointer size
constexpr int32_t kMaxLength = std::numeric_limits<int32_t>::max() / 2 - 16;

struct StringHead {
  StringHead* next;   // the global list Strings
  uint16_t padding[3];
  uint16_t count;     // the lock count: chars[-1]
};
static_assert(sizeof(StringHead) == 16 && alignof(StringHead) <= 16);

struct CacheEntry {
  CacheEntry* next;  // towards the least recently used end
  CacheEntry* prev;
  size_t size;       // unpacked size + 16
  const VgStringBlock* block;
  uint32_t words;    // 16-bit words of unpacked data (a zero word follows them)
  uint16_t* Data() { return reinterpret_cast<uint16_t*>(this + 1); }
};

StringHead* Strings = nullptr;
size_t StringCount = 0;
CacheEntry* CacheFirst = nullptr;  // most recently used
CacheEntry* CacheLast = nullptr;
size_t CacheSize = 0;

const char16_t NullString[1] = {0};

[[noreturn]] void OutOfMemory() { VgPanicAnsi("Can not create a string. Out of memory"); }
[[noreturn]] void IndexOutOfRange() { VgPanicAnsi("String index is out of range"); }

char16_t* CharsOf(StringHead* head) { return reinterpret_cast<char16_t*>(head + 1); }
uint16_t& CountOf(VgString s) { return reinterpret_cast<uint16_t*>(s)[-1]; }

int32_t Length(const char16_t* s) {
  if (!s) return 0;
  const char16_t* p = s;
  while (*p) ++p;
  return static_cast<int32_t>(p - s);
}

// A new string of `length` characters (not yet filled), terminated, count 0,
// linked into Strings. Length 0 gives the empty string.
VgString Allocate(int64_t length) {
  if (length <= 0) return nullptr;
  if (length > kMaxLength) OutOfMemory();
  size_t bytes = sizeof(StringHead) + (static_cast<size_t>(length) + 1) * sizeof(char16_t);
  auto* head = static_cast<StringHead*>(VgAlloc(bytes));
  if (!head) OutOfMemory();
  head->next = Strings;
  head->padding[0] = head->padding[1] = head->padding[2] = 0;
  head->count = 0;
  Strings = head;
  ++StringCount;
  char16_t* chars = CharsOf(head);
  chars[length] = 0;
  return chars;
}

VgString Copy(const char16_t* text, int32_t length) {
  VgString s = Allocate(length);
  if (s) std::memcpy(s, text, static_cast<size_t>(length) * sizeof(char16_t));
  return s;
}

void Lock(VgString s) {
  uint16_t& count = CountOf(s);
  if (count != VgStringLockSaturated) ++count;
}

void Unlock(VgString s) {
  uint16_t& count = CountOf(s);
  // A saturated count has lost track of its holders: it stays, and so does the string.
  if (count != VgStringLockSaturated && count != 0) --count;
}

VgString FromAscii(const char* text) {
  size_t length = std::strlen(text);
  VgString s = Allocate(static_cast<int64_t>(length));
  for (size_t i = 0; i < length; ++i) s[i] = static_cast<unsigned char>(text[i]);
  return s;
}

// ------------------------------------------------------------------ cache

void Unlink(CacheEntry* e) {
  (e->prev ? e->prev->next : CacheFirst) = e->next;
  (e->next ? e->next->prev : CacheLast) = e->prev;
  e->next = e->prev = nullptr;
  CacheSize -= e->size;
}

void PushFront(CacheEntry* e) {
  e->prev = nullptr;
  e->next = CacheFirst;
  (CacheFirst ? CacheFirst->prev : CacheLast) = e;
  CacheFirst = e;
  CacheSize += e->size;
}

// Does some record of the chain (not the terminating one) have a lock count?
bool HoldsLockedString(CacheEntry* e) {
  const uint16_t* data = e->Data();
  for (uint32_t i = 0; i + 1 < e->words;) {
    uint16_t distance = data[i];
    if (distance == 0) break;
    if (data[i + 1] != 0) return true;
    i += distance;
  }
  return false;
}

// The unpacked data must be a chain of records {distance >= 3, count 0, chars, 0}
// ending with a distance-0 record inside the data: the lock check and the
// strings handed out rely on it.
bool IsWellFormedChain(const uint16_t* data, uint32_t words) {
  for (uint32_t i = 0; i < words;) {
    uint16_t distance = data[i];
    if (distance == 0) return true;
    if (distance < 3 || distance > words - i) return false;
    if (data[i + 1] != 0 || data[i + distance - 1] != 0) return false;
    i += distance;
  }
  return false;
}

CacheEntry* Unpack(const VgStringBlock* block) {
  uint32_t words = (block->unpackedSize + 1) / 2;
  // One zero word past the data terminates any string, whatever the data holds.
  size_t bytes = sizeof(CacheEntry) + (static_cast<size_t>(words) + 1) * sizeof(uint16_t);
  auto* e = static_cast<CacheEntry*>(VgAlloc(bytes));
  if (!e) OutOfMemory();
  std::memset(e, 0, bytes);
  e->size = static_cast<size_t>(block->unpackedSize) + kEntryHeadSize;
  e->block = block;
  e->words = words;
  int32_t written = VgDecompress(block->codes, block->codeCount, reinterpret_cast<uint8_t*>(e->Data()),
                                 block->unpackedSize);
  if (written < 0 || !IsWellFormedChain(e->Data(), words)) {
    VgPrint("VgLoadString: string block %p is corrupt (%s); its strings are empty\n",
            static_cast<const void*>(block), written < 0 ? "bad LZW stream" : "bad record chain");
    VgFree(e);
    return nullptr;
  }
  return e;
}

}  // namespace

// ------------------------------------------------------------ memory and life

void VgRetainString(VgString* variable, VgString string) {
  VgString old = *variable;
  if (old == string) return;
  if (old) Unlock(old);
  if (string) Lock(string);
  *variable = string;
}

void VgReleaseString(VgString* variable) {
  VgString old = *variable;
  *variable = nullptr;
  if (old) Unlock(old);
}

void VgReleaseStrings(VgString* variables, int32_t count) {
  for (int32_t i = 0; i < count; ++i) VgReleaseString(&variables[i]);
}

void VgDisposeStrings(void) {
  for (StringHead** link = &Strings; *link;) {
    StringHead* head = *link;
    if (head->count != 0) {
      link = &head->next;
      continue;
    }
    *link = head->next;
    --StringCount;
    VgFree(head);
  }

  for (CacheEntry* e = CacheLast; e && CacheSize > kCacheBudget;) {
    CacheEntry* towardsFront = e->prev;
    if (!HoldsLockedString(e)) {
      Unlink(e);
      VgFree(e);
    }
    e = towardsFront;
  }
}

void VgClearStringCache(void) {
  for (CacheEntry* e = CacheLast; e;) {
    CacheEntry* towardsFront = e->prev;
    if (!HoldsLockedString(e)) {
      Unlink(e);
      VgFree(e);
    }
    e = towardsFront;
  }
}

// ------------------------------------------------------------------ creation

VgString VgNewString(const char16_t* text) { return Copy(text, Length(text)); }

VgString VgNewStringAnsi(const char* text) {
  if (!text) return nullptr;
  return FromAscii(text);
}

VgString VgNewStringChar(char16_t c, int32_t count) {
  // Copies of character 0 would be an empty text that is not the empty string.
  if (count < 1 || c == 0) return nullptr;
  VgString s = Allocate(count);
  for (int32_t i = 0; i < count; ++i) s[i] = c;
  return s;
}

VgString VgNewStringInt(int32_t value, int32_t digits) {
  char buffer[48];
  if (digits < 0) {
    std::snprintf(buffer, sizeof buffer, "%d", static_cast<int>(value));
  } else {
    std::snprintf(buffer, sizeof buffer, "%0*d", static_cast<int>(digits > 32 ? 32 : digits), static_cast<int>(value));
  }
  return FromAscii(buffer);
}

VgString VgNewStringUInt(uint32_t value, int32_t digits) {
  char buffer[48];
  if (digits < 0) {
    std::snprintf(buffer, sizeof buffer, "%u", static_cast<unsigned>(value));
  } else {
    std::snprintf(buffer, sizeof buffer, "%0*u", static_cast<int>(digits > 32 ? 32 : digits),
                  static_cast<unsigned>(value));
  }
  return FromAscii(buffer);
}

VgString VgNewStringFloat(double value, int32_t width, int32_t precision) {
  width = width < 0 ? 0 : (width > 32 ? 32 : width);
  precision = precision < 0 ? 0 : (precision > 32 ? 32 : precision);
  // The largest double has 309 integer digits; with sign, point and 32 decimals
  // this fits.
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%0*.*f", static_cast<int>(width), static_cast<int>(precision), value);
  return FromAscii(buffer);
}

// ------------------------------------------------------------------ operations

VgString VgConcatString(VgString a, VgString b) {
  if (!a) return b;
  if (!b) return a;
  int32_t la = Length(a);
  int32_t lb = Length(b);
  if (la == 0) return b;
  if (lb == 0) return a;
  VgString s = Allocate(static_cast<int64_t>(la) + lb);
  std::memcpy(s, a, static_cast<size_t>(la) * sizeof(char16_t));
  std::memcpy(s + la, b, static_cast<size_t>(lb) * sizeof(char16_t));
  return s;
}

VgString VgConcatStringChar(VgString s, char16_t c) {
  if (c == 0) return s;
  int32_t length = Length(s);
  VgString r = Allocate(static_cast<int64_t>(length) + 1);
  if (length) std::memcpy(r, s, static_cast<size_t>(length) * sizeof(char16_t));
  r[length] = c;
  return r;
}

VgString VgConcatCharString(char16_t c, VgString s) {
  if (c == 0) return s;
  int32_t length = Length(s);
  VgString r = Allocate(static_cast<int64_t>(length) + 1);
  r[0] = c;
  if (length) std::memcpy(r + 1, s, static_cast<size_t>(length) * sizeof(char16_t));
  return r;
}

int32_t VgCompString(VgString a, VgString b) {
  const char16_t* p = a ? a : NullString;
  const char16_t* q = b ? b : NullString;
  for (;; ++p, ++q) {
    if (*p != *q) return *p < *q ? -1 : 1;
    if (*p == 0) return 0;
  }
}

int32_t VgGetStringLength(VgString s) { return Length(s); }

char16_t VgGetStringChar(VgString s, int32_t index) {
  int32_t length = Length(s);
  if (index < 0 || index > length) IndexOutOfRange();
  return index == length ? char16_t(0) : s[index];
}

VgString VgSetStringChar(VgString s, int32_t index, char16_t c) {
  if (index < 0 || index >= Length(s)) IndexOutOfRange();
  s[index] = c;
  return s;
}

int32_t VgStringFindChar(VgString s, char16_t c, int32_t start) {
  int32_t length = Length(s);
  if (start < 0 || start >= length) return -1;
  for (int32_t i = start; i < length; ++i) {
    if (s[i] == c) return i;
  }
  return -1;
}

int32_t VgStringFind(VgString s, VgString pattern, int32_t start) {
  int32_t patternLength = Length(pattern);
  if (patternLength == 0) return start;
  int32_t length = Length(s);
  if (start < 0 || start >= length) return -1;
  for (int32_t i = start; i + patternLength <= length; ++i) {
    if (std::memcmp(s + i, pattern, static_cast<size_t>(patternLength) * sizeof(char16_t)) == 0) return i;
  }
  return -1;
}

VgString VgStringLeft(VgString s, int32_t count) {
  int32_t length = Length(s);
  if (count >= length) return s;
  if (count <= 0) return nullptr;
  return Copy(s, count);
}

VgString VgStringRight(VgString s, int32_t count) {
  int32_t length = Length(s);
  if (count >= length) return s;
  if (count <= 0) return nullptr;
  return Copy(s + (length - count), count);
}

VgString VgStringMiddle(VgString s, int32_t start, int32_t count) {
  int64_t length = Length(s);
  int64_t from = start;
  int64_t n = count;
  if (from < 0) {
    n += from;
    from = 0;
  }
  if (n > length - from) n = length - from;
  if (n <= 0) return nullptr;
  if (from == 0 && n == length) return s;
  return Copy(s + from, static_cast<int32_t>(n));
}

VgString VgStringInsert(VgString s, VgString other, int32_t index) {
  int32_t length = Length(s);
  int32_t otherLength = Length(other);
  if (length == 0) return other;
  if (otherLength == 0) return s;
  if (index < 0) index = 0;
  if (index > length) index = length;
  VgString r = Allocate(static_cast<int64_t>(length) + otherLength);
  std::memcpy(r, s, static_cast<size_t>(index) * sizeof(char16_t));
  std::memcpy(r + index, other, static_cast<size_t>(otherLength) * sizeof(char16_t));
  std::memcpy(r + index + otherLength, s + index, static_cast<size_t>(length - index) * sizeof(char16_t));
  return r;
}

VgString VgStringRemove(VgString s, int32_t start, int32_t count) {
  int64_t length = Length(s);
  int64_t from = start;
  int64_t n = count;
  if (from < 0) {
    n += from;
    from = 0;
  }
  if (n > length - from) n = length - from;
  if (n <= 0) return s;
  if (n == length) return nullptr;
  int64_t rest = length - n;
  VgString r = Allocate(rest);
  std::memcpy(r, s, static_cast<size_t>(from) * sizeof(char16_t));
  std::memcpy(r + from, s + from + n, static_cast<size_t>(length - from - n) * sizeof(char16_t));
  return r;
}

char16_t VgGetCharUpper(char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c; }
char16_t VgGetCharLower(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c; }

// The table asks for a copy here (unlike the cut operations it does not return
// the operand when nothing changes): a caller may VgSetStringChar the result.
VgString VgGetStringUpper(VgString s) {
  int32_t length = Length(s);
  VgString r = Allocate(length);
  for (int32_t i = 0; i < length; ++i) r[i] = VgGetCharUpper(s[i]);
  return r;
}

VgString VgGetStringLower(VgString s) {
  int32_t length = Length(s);
  VgString r = Allocate(length);
  for (int32_t i = 0; i < length; ++i) r[i] = VgGetCharLower(s[i]);
  return r;
}

int32_t VgStringToAnsi(VgString s, char* buffer, int32_t size, char replacement) {
  if (size < 1 || !buffer) return 0;
  int32_t length = Length(s);
  int32_t n = length < size - 1 ? length : size - 1;
  for (int32_t i = 0; i < n; ++i) {
    char16_t c = s[i];
    buffer[i] = c > 255 ? replacement : static_cast<char>(static_cast<unsigned char>(c));
  }
  buffer[n] = 0;
  return n + 1;
}

// ------------------------------------------------------------------ constants

VgString VgGetVariantOfString(const VgConstant* constant) {
  auto* entry = static_cast<const VgStringEntry*>(VgGetVariantOf(constant, sizeof(VgStringEntry)));
  if (!entry) return nullptr;
  return VgLoadString({entry->block, entry->offset});
}

VgString VgLoadString(VgStringRef ref) {
  if (!ref.block) return nullptr;
  CacheEntry* e = CacheFirst;
  while (e && e->block != ref.block) e = e->next;
  if (e) {
    if (e != CacheFirst) {
      Unlink(e);
      PushFront(e);
    }
  } else {
    e = Unpack(ref.block);
    if (!e) return nullptr;
    PushFront(e);
  }
  // The offset points at a record's first character, after its distance and count.
  if (ref.offset < 2 || ref.offset >= e->words) {
    VgPrint("VgLoadString: offset %u is outside string block %p\n", static_cast<unsigned>(ref.offset),
            static_cast<const void*>(ref.block));
    return nullptr;
  }
  auto* s = reinterpret_cast<VgString>(e->Data() + ref.offset);
  return *s ? s : nullptr;  // an empty record is the empty string
}

// ------------------------------------------------------------------ helpers

uint16_t VgStringLockCount(VgString s) { return s ? CountOf(s) : 0; }

VgString VgNewStringUtf8(const char* text) {
  if (!text) return nullptr;
  std::u16string out;
  auto* p = reinterpret_cast<const unsigned char*>(text);
  while (*p) {
    uint32_t c = *p;
    int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
    uint32_t min = extra == 1 ? 0x80 : extra == 2 ? 0x800 : 0x10000;
    if (extra < 0) {
      out += u'\xFFFD';
      ++p;
      continue;
    }
    if (extra > 0) c &= 0x3F >> extra;
    int i = 1;
    for (; i <= extra; ++i) {
      if ((p[i] & 0xC0) != 0x80) break;
      c = (c << 6) | (p[i] & 0x3F);
    }
    if (i <= extra || (extra > 0 && c < min) || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      out += u'\xFFFD';
      p += i;
      continue;
    }
    p += extra + 1;
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return Copy(out.data(), static_cast<int32_t>(out.size()));
}

std::string VgStringToUtf8(VgString s) {
  std::string out;
  int32_t length = Length(s);
  for (int32_t i = 0; i < length; ++i) {
    uint32_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < length && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

size_t VgStringCacheSize() { return CacheSize; }
size_t VgStringCount() { return StringCount; }

std::vector<const VgStringBlock*> VgStringCacheBlocks() {
  std::vector<const VgStringBlock*> blocks;
  for (CacheEntry* e = CacheFirst; e; e = e->next) blocks.push_back(e->block);
  return blocks;
}
