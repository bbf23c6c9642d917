// The font engine on FreeType. Registrations are kept by name; every client
// has a FreeType face of its own, because each client keeps a scale of its
// own (one client per face of every font the GUI loads). A font file is
// mapped once when it is registered and every face reads that one mapping: a
// face per client opened from the file would map and page in the file each
// time.
//
// Opening a face and preparing its hinting for a size (the font's programs
// run by the TrueType interpreter) cost far more than the glyphs a screen
// draws with it, and the GUI ends a font's clients whenever the last screen
// using it closes, to open the same face at the same size again with the
// next. So an ended client's face is kept ready, with the size it was
// prepared for, for the next client that selects that face: a few of them,
// the longest unused closing first.
#include "fs.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_MODULE_H

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

struct FsFont {
  std::string name;
  std::string path;          // empty for a font in memory
  const uint8_t* memory;
  uint32_t memorySize;
  bool mapped = false;       // memory is the file mapped by FS_add_font
};

// A FreeType face opened from a registration, and the character size it
// was last set to (its hinting prepared for it).
struct FsFace {
  FT_Face face = nullptr;
  size_t font = 0;                // the registration, an index of FsServer::fonts
  FT_CharMap opened = nullptr;    // the character map FreeType chose at the opening
  FS_FIXED width = 0;             // as FS_set_scale was given it; 0 before the first
  FS_FIXED height = 0;
};

struct FsServer {
  FT_Library library = nullptr;
  std::vector<FsFont> fonts;
  std::vector<FS_STATE*> clients;  // the blocks FS_new_client handed out
  std::vector<FsFace> ready;       // faces of ended clients, the most recently ended last
};

struct FsClient {
  FsFace face;
  bool scaled = false;
};

namespace {

// Faces kept ready: the screens' fonts come in some ten sizes, a screen
// uses up to five of them, and one face with its size takes some 20 kB.
constexpr size_t kReadyFaces = 8;

// The product's screen face is not free to ship. Our set-up installs a free
// face under the product's font file name, and the name the GUI asks for is
// served by that face; style suffixes carry over (" Bold" asks for its bold).
struct FsAlias {
  const char* requested;
  const char* served;
};
constexpr FsAlias kAliases[] = {
    {"TiresiasScreenfont", "DejaVu Sans"},
};

// The name that serves the requested one, or the name itself.
std::string ResolveAlias(const char* name) {
  const size_t length = std::strlen(name);
  for (const FsAlias& alias : kAliases) {
    const size_t n = std::strlen(alias.requested);
    if (length >= n && std::memcmp(name, alias.requested, n) == 0 && (name[n] == 0 || name[n] == ' '))
      return std::string(alias.served) + (name + n);
  }
  return name;
}

// The modules of FreeType that the set's TrueType faces need: the TrueType
// driver and its tables, the anti-aliased renderer and the monochrome one.
// A library made with every module FreeType has (Type 1, CFF, PCF, BDF, the
// auto-hinter's scripts, ...) links and pages in code that no face uses.
extern "C" const FT_Module_Class tt_driver_class;
extern "C" const FT_Module_Class sfnt_module_class;
extern "C" const FT_Module_Class ft_smooth_renderer_class;
extern "C" const FT_Module_Class ft_raster1_renderer_class;

void* FtAlloc(FT_Memory, long size) { return std::malloc(static_cast<size_t>(size)); }
void FtFree(FT_Memory, void* block) { std::free(block); }
void* FtRealloc(FT_Memory, long, long size, void* block) { return std::realloc(block, static_cast<size_t>(size)); }
FT_MemoryRec_ g_ftMemory{nullptr, FtAlloc, FtFree, FtRealloc};

bool NewLibrary(FT_Library* library) {
  if (FT_New_Library(&g_ftMemory, library) != 0) return false;
  for (const FT_Module_Class* module :
       {&sfnt_module_class, &tt_driver_class, &ft_smooth_renderer_class, &ft_raster1_renderer_class}) {
    if (FT_Add_Module(*library, module) != 0) {
      FT_Done_Library(*library);
      *library = nullptr;
      return false;
    }
  }
  return true;
}

// The registration's index, or -1.
ptrdiff_t FindFont(const FsServer* server, const std::string& name) {
  for (size_t i = 0; i < server->fonts.size(); ++i)
    if (server->fonts[i].name == name) return static_cast<ptrdiff_t>(i);
  return -1;
}

FT_Error OpenFace(FT_Library library, const FsFont& font, FT_Face* face) {
  return FT_New_Memory_Face(library, font.memory, static_cast<FT_Long>(font.memorySize), 0, face);
}

// The whole file mapped read-only; false when it cannot be.
bool MapFile(const char* path, FsFont* font) {
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  void* memory = MAP_FAILED;
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 && info.st_size <= INT32_MAX)
    memory = mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
  close(fd);
  if (memory == MAP_FAILED) return false;
  font->memory = static_cast<const uint8_t*>(memory);
  font->memorySize = static_cast<uint32_t>(info.st_size);
  font->mapped = true;
  return true;
}

void UnmapFile(FsFont* font) {
  if (font->mapped) munmap(const_cast<uint8_t*>(font->memory), font->memorySize);
  font->mapped = false;
}

std::string NameOf(FT_Face face) {
  std::string name = face->family_name ? face->family_name : "";
  if (face->style_flags & FT_STYLE_FLAG_BOLD) name += " Bold";
  if (face->style_flags & FT_STYLE_FLAG_ITALIC) name += " Italic";
  return name;
}

void CloseFace(FsClient* client) {
  if (client->face.face) FT_Done_Face(client->face.face);
  client->face = {};
  client->scaled = false;
}

// Keeps the face ready for a later client, closing the longest unused one
// beyond the bound.
void Park(FsServer* server, FsFace face) {
  if (!face.face) return;
  server->ready.push_back(face);
  if (server->ready.size() > kReadyFaces) {
    FT_Done_Face(server->ready.front().face);
    server->ready.erase(server->ready.begin());
  }
}

// A ready face of the registration, the most recently ended first, and of
// the character size when one is given; an empty face when there is none.
FsFace Unpark(FsServer* server, size_t font, FS_FIXED width = 0, FS_FIXED height = 0) {
  for (size_t i = server->ready.size(); i-- > 0;) {
    const FsFace& face = server->ready[i];
    if (face.font != font || (width && (face.width != width || face.height != height))) continue;
    const FsFace found = face;
    server->ready.erase(server->ready.begin() + static_cast<ptrdiff_t>(i));
    return found;
  }
  return {};
}

// The client's face is let go: kept ready while the engine runs.
void LetGo(FS_STATE* state) {
  FsClient* client = state->client;
  if (state->server) Park(state->server, client->face);
  else if (client->face.face) FT_Done_Face(client->face.face);
  client->face = {};
  client->scaled = false;
}

FsClient* ClientOf(FS_STATE* state) {
  if (!state || !state->server || !state->client) return nullptr;
  return state->client;
}

// Loads and renders the character; on success the face's glyph slot holds a
// bitmap in the requested FreeType mode.
FT_GlyphSlot Render(FS_STATE* state, uint32_t character, bool mono) {
  FsClient* client = ClientOf(state);
  if (!client || !client->face.face || !client->scaled) return nullptr;
  const FT_Face face = client->face.face;
  const FT_UInt index = FT_Get_Char_Index(face, character);
  if (index == 0) return nullptr;
  const FT_Int32 flags = FT_LOAD_NO_BITMAP | (mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
  if (FT_Load_Glyph(face, index, flags) != 0) return nullptr;
  FT_GlyphSlot slot = face->glyph;
  if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
      FT_Render_Glyph(slot, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0)
    return nullptr;
  return slot;
}

FS_GLYPHMAP* NewMap(FT_GlyphSlot slot, size_t bytes, int16_t bitsPerPixel, int16_t bpl) {
  const size_t size = sizeof(FS_GLYPHMAP) + bytes;
  auto* map = static_cast<FS_GLYPHMAP*>(std::calloc(1, size));
  if (!map) return nullptr;
  map->size = static_cast<int32_t>(size);
  map->lo_x = static_cast<int16_t>(slot->bitmap_left);
  // FreeType gives the distance from the baseline up to the top edge; the map
  // names the top row instead, which lies one below that edge.
  map->hi_y = static_cast<int16_t>(slot->bitmap_top - 1);
  map->i_dx = static_cast<int16_t>((slot->advance.x + 32) >> 6);
  map->i_dy = static_cast<int16_t>((slot->advance.y + 32) >> 6);
  map->dx = static_cast<FS_FIXED>(slot->advance.x * 1024);
  map->dy = static_cast<FS_FIXED>(slot->advance.y * 1024);
  map->width = static_cast<int16_t>(slot->bitmap.width);
  map->height = static_cast<int16_t>(slot->bitmap.rows);
  map->bpl = bpl;
  map->bitsPerPixel = bitsPerPixel;
  map->bits = reinterpret_cast<uint8_t*>(map + 1);
  return map;
}

}  // namespace

extern "C" {

int32_t FS_init(FS_STATE* state, uint32_t heapSize) {
  (void)heapSize;
  if (!state) return FS_ERR_ARGUMENT;
  if (state->server) return FS_ERR_STATE;
  auto* server = new (std::nothrow) FsServer;
  if (!server) return FS_ERR_MEMORY;
  if (!NewLibrary(&server->library)) {
    delete server;
    return FS_ERR_MEMORY;
  }
  state->server = server;
  state->client = nullptr;
  return FS_SUCCESS;
}

int32_t FS_exit(FS_STATE* state) {
  if (!state || !state->server || state->client) return FS_ERR_STATE;
  FsServer* server = state->server;
  // Clients outlive the engine only as empty shells: their faces belong to
  // the library that is about to go.
  for (FS_STATE* block : server->clients) {
    CloseFace(block->client);
    block->server = nullptr;
  }
  for (const FsFace& face : server->ready) FT_Done_Face(face.face);
  FT_Done_Library(server->library);
  for (FsFont& font : server->fonts) UnmapFile(&font);
  delete server;
  state->server = nullptr;
  return FS_SUCCESS;
}

int32_t FS_add_font(FS_STATE* state, const char* name, const char* path, const uint8_t* memory,
                    uint32_t memorySize) {
  if (!state || !state->server) return FS_ERR_STATE;
  if (!path && (!memory || memorySize == 0)) return FS_ERR_ARGUMENT;
  FsFont font{"", path ? path : "", path ? nullptr : memory, path ? 0 : memorySize};
  if (path && !MapFile(path, &font)) return FS_ERR_FILE;
  FT_Face face = nullptr;
  if (OpenFace(state->server->library, font, &face) != 0) {
    UnmapFile(&font);
    return FS_ERR_FILE;
  }
  const bool scalable = FT_IS_SCALABLE(face);
  font.name = name ? name : NameOf(face);
  FT_Done_Face(face);
  if (!scalable) {
    UnmapFile(&font);
    return FS_ERR_FILE;
  }
  state->server->fonts.push_back(std::move(font));
  return FS_SUCCESS;
}

FS_STATE* FS_new_client(FS_STATE* state) {
  if (!state || !state->server) return nullptr;
  auto* block = new (std::nothrow) FS_STATE{state->server, nullptr};
  auto* client = new (std::nothrow) FsClient;
  if (!block || !client) {
    delete block;
    delete client;
    return nullptr;
  }
  block->client = client;
  state->server->clients.push_back(block);
  return block;
}

int32_t FS_end_client(FS_STATE* state) {
  if (!state || !state->client) return FS_ERR_ARGUMENT;
  LetGo(state);
  if (FsServer* server = state->server) std::erase(server->clients, state);
  delete state->client;
  delete state;
  return FS_SUCCESS;
}

int32_t FS_set_font(FS_STATE* state, const char* name) {
  FsClient* client = ClientOf(state);
  if (!client) return FS_ERR_STATE;
  if (!name) return FS_ERR_ARGUMENT;
  FsServer* server = state->server;
  // A face registered under the very name wins over the substitute.
  ptrdiff_t font = FindFont(server, name);
  if (font < 0) font = FindFont(server, ResolveAlias(name));
  if (font < 0) return FS_ERR_FONT_NOT_FOUND;
  FsFace face = Unpark(server, static_cast<size_t>(font));
  if (face.face) {
    // As the opening left it: its size stays, which FS_set_scale then finds set.
    if (face.face->charmap != face.opened) FT_Set_Charmap(face.face, face.opened);
  } else {
    face.font = static_cast<size_t>(font);
    if (OpenFace(server->library, server->fonts[face.font], &face.face) != 0) return FS_ERR_FILE;
    // Sizes are derived from the span between ascender and descender; a face
    // where that span is empty or inverted cannot be scaled to a pixel height.
    if (face.face->ascender <= face.face->descender || face.face->units_per_EM == 0) {
      FT_Done_Face(face.face);
      return FS_ERR_BAD_METRICS;
    }
    face.opened = face.face->charmap;
  }
  LetGo(state);
  client->face = face;
  return FS_SUCCESS;
}

int32_t FS_font_metrics(FS_STATE* state, FS_FONT_METRICS* metrics) {
  FsClient* client = ClientOf(state);
  if (!client) return FS_ERR_STATE;
  if (!metrics) return FS_ERR_ARGUMENT;
  if (!client->face.face) return FS_ERR_NO_FONT;
  const FT_Face face = client->face.face;
  metrics->unitsPerEm = face->units_per_EM;
  metrics->ascender = face->ascender;
  metrics->descender = face->descender;
  // FreeType's height is the whole line distance; the gap is what it adds to
  // the ascender-descender span.
  const int gap = face->height - (face->ascender - face->descender);
  metrics->lineGap = static_cast<int16_t>(gap > 0 ? gap : 0);
  return FS_SUCCESS;
}

int32_t FS_set_cmap(FS_STATE* state, uint16_t platform, uint16_t encoding) {
  FsClient* client = ClientOf(state);
  if (!client) return FS_ERR_STATE;
  const FT_Face face = client->face.face;
  if (!face) return FS_ERR_NO_FONT;
  for (FT_Int i = 0; i < face->num_charmaps; ++i) {
    FT_CharMap map = face->charmaps[i];
    if (map->platform_id == platform && map->encoding_id == encoding)
      return FT_Set_Charmap(face, map) == 0 ? FS_SUCCESS : FS_ERR_CMAP;
  }
  return FS_ERR_CMAP;
}

int32_t FS_set_scale(FS_STATE* state, FS_FIXED s00, FS_FIXED s01, FS_FIXED s10, FS_FIXED s11) {
  FsClient* client = ClientOf(state);
  if (!client) return FS_ERR_STATE;
  if (!client->face.face) return FS_ERR_NO_FONT;
  if (s01 != 0 || s10 != 0 || s00 <= 0 || s11 <= 0) return FS_ERR_SCALE;
  FsFace& face = client->face;
  if (face.width != s00 || face.height != s11) {
    // A ready face of this size has its hinting prepared for it: it takes
    // this one's place, with this one's character map.
    FsFace sized = Unpark(state->server, face.font, s00, s11);
    if (sized.face) {
      const FT_Int map = face.face->charmap ? FT_Get_Charmap_Index(face.face->charmap) : -1;
      if (map >= 0 && map < sized.face->num_charmaps) FT_Set_Charmap(sized.face, sized.face->charmaps[map]);
      Park(state->server, face);
      face = sized;
    } else {
      // 16.16 pixels to FreeType's 26.6 points at 72 dots per inch, which are pixels.
      if (FT_Set_Char_Size(face.face, s00 >> 10, s11 >> 10, 72, 72) != 0) {
        face.width = face.height = 0;
        client->scaled = false;
        return FS_ERR_SCALE;
      }
      face.width = s00;
      face.height = s11;
    }
  }
  client->scaled = true;
  return FS_SUCCESS;
}

FS_GRAYMAP* FS_get_graymap(FS_STATE* state, uint32_t character) {
  FT_GlyphSlot slot = Render(state, character, false);
  if (!slot || slot->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return nullptr;
  const FT_Bitmap& source = slot->bitmap;
  const size_t pixels = static_cast<size_t>(source.width) * source.rows;
  FS_GLYPHMAP* map = NewMap(slot, (pixels + 1) / 2, 4, static_cast<int16_t>((source.width + 1) / 2));
  if (!map) return nullptr;
  size_t k = 0;
  for (unsigned row = 0; row < source.rows; ++row) {
    const uint8_t* line = source.buffer + static_cast<ptrdiff_t>(row) * source.pitch;
    for (unsigned column = 0; column < source.width; ++column, ++k) {
      const unsigned level = (line[column] * 15u + 127u) / 255u;
      map->bits[k / 2] |= static_cast<uint8_t>(k % 2 == 0 ? level << 4 : level);
    }
  }
  return map;
}

FS_BITMAP* FS_get_bitmap(FS_STATE* state, uint32_t character) {
  FT_GlyphSlot slot = Render(state, character, true);
  if (!slot || slot->bitmap.pixel_mode != FT_PIXEL_MODE_MONO) return nullptr;
  const FT_Bitmap& source = slot->bitmap;
  const unsigned bpl = (source.width + 7) / 8;
  FS_GLYPHMAP* map = NewMap(slot, static_cast<size_t>(bpl) * source.rows, 1, static_cast<int16_t>(bpl));
  if (!map) return nullptr;
  for (unsigned row = 0; row < source.rows; ++row)
    std::memcpy(map->bits + row * bpl, source.buffer + static_cast<ptrdiff_t>(row) * source.pitch, bpl);
  return map;
}

int32_t FS_free_char(FS_STATE* state, void* map) {
  (void)state;
  if (!map) return FS_ERR_ARGUMENT;
  std::free(map);
  return FS_SUCCESS;
}

}  // extern "C"
