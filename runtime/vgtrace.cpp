#include "vgtrace.h"

#include <cinttypes>
#include <cstdio>

#include "vgdebug.h"

namespace {

using Kind = VgTraceArg::Kind;

// Addresses print with at least eight digits, as on the 32-bit set.
uintptr_t Address(const void* p) { return reinterpret_cast<uintptr_t>(p); }

const char* ClassName(const void* object) { return static_cast<const XObject*>(object)->GetClass()->name; }

// Prints one argument for its code letter; false when the argument does not suit it.
bool PrintArg(char code, const VgTraceArg& a) {
  switch (code) {
    case '$':
      if (a.kind != Kind::Class) return false;
      VgPrint("%s", a.pointer ? static_cast<const VgClass*>(a.pointer)->name : "null");
      return true;
    case '&':
      if (a.kind != Kind::Slot) return false;
      if (!a.pointer) {
        VgPrint("null");
      } else {
        VgPrint("slot:(Object:(%s)0x%08" PRIXPTR ",SlotProc:0x%08" PRIXPTR ")", ClassName(a.pointer),
                Address(a.pointer), Address(a.code1));
      }
      return true;
    case '*':
      if (a.kind != Kind::Object) return false;
      if (!a.pointer)
        VgPrint("null");
      else
        VgPrint("(%s)0x%08" PRIXPTR, ClassName(a.pointer), Address(a.pointer));
      return true;
    case '^':
      if (a.kind != Kind::Ref) return false;
      if (!a.pointer) {
        VgPrint("null");
      } else {
        VgPrint("ref:(Object:(%s)0x%08" PRIXPTR ",OnGet:0x%08" PRIXPTR ",OnSet:0x%08" PRIXPTR ")",
                ClassName(a.pointer), Address(a.pointer), Address(a.code1), Address(a.code2));
      }
      return true;
    case 'b':
      if (a.kind != Kind::Integer) return false;
      VgPrint("%s", a.integer ? "true" : "false");
      return true;
    case 'c': {
      if (a.kind != Kind::Integer) return false;
      unsigned c = unsigned(uint16_t(a.integer));
      if (c >= 0x20 && c <= 0x7F)
        VgPrint("'%c'", char(c));
      else
        VgPrint("0x%04X", c);
      return true;
    }
    case 'e':
    case 'g':
    case 'l':
    case 't': {
      if (a.kind != Kind::Integer) return false;
      const char* prefix = code == 'e' ? "enum" : code == 'g' ? "styles" : code == 'l' ? "language" : "set";
      VgPrint("%s:0x%08X", prefix, unsigned(uint32_t(a.integer)));
      return true;
    }
    case 'f':
      if (a.kind == Kind::Float)
        VgPrint("%f", a.real);
      else if (a.kind == Kind::Integer)
        VgPrint("%f", double(a.integer));
      else
        return false;
      return true;
    case 'i':
      if (a.kind != Kind::Integer) return false;
      VgPrint("%d", int(int32_t(a.integer)));
      return true;
    case 'u':
      if (a.kind != Kind::Integer) return false;
      VgPrint("%u", unsigned(uint32_t(a.integer)));
      return true;
    case 'o':
      if (a.kind != Kind::Color) return false;
      VgPrint("#%02X%02X%02X%02X", a.color.red, a.color.green, a.color.blue, a.color.alpha);
      return true;
    case 'p':
      if (a.kind != Kind::Point) return false;
      VgPrint("<%d,%d>", a.point.x, a.point.y);
      return true;
    case 'r':
      if (a.kind != Kind::Rect) return false;
      VgPrint("<%d,%d,%d,%d>", a.rect.x1, a.rect.y1, a.rect.x2, a.rect.y2);
      return true;
    case 's':
      if (a.kind != Kind::String) return false;
      VgPrint("\"");
      PrintWcs(static_cast<const char16_t*>(a.pointer));
      VgPrint("\"");
      return true;
    default:
      return false;
  }
}

bool IsCode(char c) {
  switch (c) {
    case '$': case '&': case '*': case '0': case '^': case 'b': case 'c': case 'e': case 'f':
    case 'g': case 'i': case 'l': case 'o': case 'p': case 'r': case 's': case 't': case 'u':
      return true;
    default:
      return false;
  }
}

}  // namespace

void VgTraceArgs(const char* codes, const VgTraceArg* args, size_t count) {
  VgPrint("trace: ");
  size_t next = 0;
  bool first = true;
  for (const char* p = codes ? codes : ""; *p; ++p) {
    if (*p != '%') continue;
    char code = *++p;
    if (!code) break;
    if (!IsCode(code)) continue;
    if (!first) VgPrint(", ");
    first = false;
    if (code == '0') {
      VgPrint("null");
      continue;
    }
    if (next >= count || !PrintArg(code, args[next])) VgPrint("?");
    ++next;
  }
  VgPrint("\n");
  std::fflush(stdout);
}

void VgPrintProfilerStatistic(void) {}
