// The font engine on FreeType. Registrations are kept by name, each with
// one FreeType face that every client selecting it shares; a client has a
// FreeType size of its own on that face, because each client keeps a scale
// of its own (one client per face of every font the GUI loads), and its own
// character map. A font file is read through a stream as FreeType asks for
// its parts (a glyph's outline as the glyph is rendered), through a few
// blocks of it kept in memory: mapped, the pages of the file that any glyph
// touched would stay resident in the process.
//
// Preparing a size (the face's TrueType programs run by the interpreter for
// it) costs far more than the glyphs a screen draws with it, and the GUI
// ends a font's clients whenever the last screen using it closes, to ask
// for the same size again with the next. So an ended client's size is kept
// ready for the next client that asks for that scale of that face: a few of
// them, the longest unused going first.
#include "fs.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_MODULE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

// The blocks of a font file read last: FreeType reads a glyph's metrics and
// outline a few bytes at a time, some four reads a glyph, and the glyphs of
// the screens' texts lie in a few parts of the file. Eight blocks leave the
// tour of 2,000 keys some 4,200 reads of the file where it made 118,000.
struct FsBlocks {
  static constexpr unsigned long kBytes = 4096;
  static constexpr size_t kCount = 8;
  struct Block {
    unsigned long index = ~0ul;  // of the block in the file; ~0: none
    unsigned long size = 0;      // bytes read (the last block of the file is shorter)
    uint64_t used = 0;           // when it was last read from
    unsigned char bytes[kBytes];
  };
  Block blocks[kCount];
  uint64_t clock = 0;
};

struct FsFont {
  std::string name;
  std::string path;               // empty for a font in memory or on a handle
  const uint8_t* memory = nullptr;  // a font in memory
  uint32_t memorySize = 0;
  int file = -1;                  // a font file, read through the stream
  FT_StreamRec stream{};
  std::unique_ptr<FsBlocks> blocks;
  FT_Face face = nullptr;         // shared by the clients that select the font
  FT_CharMap opened = nullptr;    // the character map FreeType chose at the opening
};

// A client's size on its font's face, with the scale FS_set_scale set it to
// (its hinting prepared for it).
struct FsSize {
  FsFont* font = nullptr;
  FT_Size size = nullptr;
  FS_FIXED width = 0;  // 0 before the first scale
  FS_FIXED height = 0;
};

struct FsServer {
  FT_Library library = nullptr;
  std::vector<std::unique_ptr<FsFont>> fonts;  // the streams stay where FreeType was given them
  std::vector<FS_STATE*> clients;              // the blocks FS_new_client handed out
  std::vector<FsSize> ready;                   // sizes of ended clients, the most recently ended last
};

struct FsClient {
  FsSize size;
  FT_CharMap charmap = nullptr;
  bool scaled = false;
};

namespace {

// Sizes kept ready: the screens' fonts come in eleven sizes, a screen uses
// up to five of them, and a size with its interpreter takes some 15 kB.
constexpr size_t kReadySizes = 10;

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
// driver and its tables, the anti-aliased renderer and the monochrome one,
// and the glyph names' map to Unicode, from which the tables' module makes
// the character map of a face that has none (without it, it would call
// through a null service and end the process).
// A library made with every module FreeType has (Type 1, CFF, PCF, BDF, the
// auto-hinter's scripts, ...) links and pages in code that no face uses.
extern "C" const FT_Module_Class tt_driver_class;
extern "C" const FT_Module_Class sfnt_module_class;
extern "C" const FT_Module_Class psnames_module_class;
extern "C" const FT_Module_Class ft_smooth_renderer_class;
extern "C" const FT_Module_Class ft_raster1_renderer_class;

void* FtAlloc(FT_Memory, long size) { return std::malloc(static_cast<size_t>(size)); }
void FtFree(FT_Memory, void* block) { std::free(block); }
void* FtRealloc(FT_Memory, long, long size, void* block) { return std::realloc(block, static_cast<size_t>(size)); }
FT_MemoryRec_ g_ftMemory{nullptr, FtAlloc, FtFree, FtRealloc};

bool NewLibrary(FT_Library* library) {
  if (FT_New_Library(&g_ftMemory, library) != 0) return false;
  for (const FT_Module_Class* module :
       {&psnames_module_class, &sfnt_module_class, &tt_driver_class, &ft_smooth_renderer_class,
        &ft_raster1_renderer_class}) {
    if (FT_Add_Module(*library, module) != 0) {
      FT_Done_Library(*library);
      *library = nullptr;
      return false;
    }
  }
  return true;
}

FsFont* FindFont(const FsServer* server, const std::string& name) {
  for (const auto& font : server->fonts)
    if (font->name == name) return font.get();
  return nullptr;
}

// FreeType's reads of a font file: a seek (count 0) or count bytes at the
// offset; the bytes read, or for a seek 0 when it is within the file.
unsigned long ReadWhole(int file, unsigned long offset, unsigned char* buffer, unsigned long count) {
  unsigned long done = 0;
  while (done < count) {
    const ssize_t n = pread(file, buffer + done, count - done, static_cast<off_t>(offset + done));
    if (n <= 0) break;
    done += static_cast<unsigned long>(n);
  }
  return done;
}

// The block of the file, read now unless it is among those read last; null
// when the file cannot be read there.
const FsBlocks::Block* BlockOf(FsFont* font, unsigned long index) {
  FsBlocks& cache = *font->blocks;
  FsBlocks::Block* oldest = &cache.blocks[0];
  for (FsBlocks::Block& block : cache.blocks) {
    if (block.index == index) {
      block.used = ++cache.clock;
      return &block;
    }
    if (block.used < oldest->used) oldest = &block;
  }
  oldest->index = ~0ul;
  oldest->size = ReadWhole(font->file, index * FsBlocks::kBytes, oldest->bytes, FsBlocks::kBytes);
  if (oldest->size == 0) return nullptr;
  oldest->index = index;
  oldest->used = ++cache.clock;
  return oldest;
}

unsigned long ReadFile(FT_Stream stream, unsigned long offset, unsigned char* buffer, unsigned long count) {
  if (count == 0) return offset <= stream->size ? 0 : 1;
  auto* font = static_cast<FsFont*>(stream->descriptor.pointer);
  // The tables FreeType keeps whole are read once, past the blocks.
  if (count > FsBlocks::kBytes) return ReadWhole(font->file, offset, buffer, count);
  unsigned long done = 0;
  while (done < count) {
    const FsBlocks::Block* block = BlockOf(font, (offset + done) / FsBlocks::kBytes);
    const unsigned long at = (offset + done) % FsBlocks::kBytes;
    if (!block || at >= block->size) break;
    const unsigned long n = std::min(count - done, block->size - at);
    std::memcpy(buffer + done, block->bytes + at, n);
    done += n;
  }
  return done;
}

// Opens the font's file unless a handle on it was given (a font in memory
// needs neither), then its face; false when either cannot be opened. Only a
// regular file is read: a pipe put in the font's place would hold the first
// read for good (so the name is opened without blocking), and a device or a
// folder is no font.
bool OpenFont(FT_Library library, FsFont* font) {
  if (!font->memory) {
    if (font->file < 0) font->file = open(font->path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat info;
    if (font->file < 0 || fstat(font->file, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0 ||
        info.st_size > INT32_MAX)
      return false;
    font->blocks = std::make_unique<FsBlocks>();
    font->stream.size = static_cast<unsigned long>(info.st_size);
    font->stream.descriptor.pointer = font;
    font->stream.read = ReadFile;
    FT_Open_Args args{};
    args.flags = FT_OPEN_STREAM;
    args.stream = &font->stream;
    if (FT_Open_Face(library, &args, 0, &font->face) != 0) return false;
  } else if (FT_New_Memory_Face(library, font->memory, static_cast<FT_Long>(font->memorySize), 0, &font->face) != 0) {
    return false;
  }
  font->opened = font->face->charmap;
  return true;
}

void CloseFont(FsFont* font) {
  if (font->face) FT_Done_Face(font->face);
  font->face = nullptr;
  if (font->file >= 0) close(font->file);
  font->file = -1;
}

std::string NameOf(FT_Face face) {
  std::string name = face->family_name ? face->family_name : "";
  if (face->style_flags & FT_STYLE_FLAG_BOLD) name += " Bold";
  if (face->style_flags & FT_STYLE_FLAG_ITALIC) name += " Italic";
  return name;
}

// Keeps the size ready for a later client, the longest unused going beyond
// the bound.
void Park(FsServer* server, const FsSize& size) {
  if (!size.size) return;
  server->ready.push_back(size);
  if (server->ready.size() > kReadySizes) {
    FT_Done_Size(server->ready.front().size);
    server->ready.erase(server->ready.begin());
  }
}

// A ready size of the font, the most recently ended first, and of the scale
// when one is given; an empty size when there is none.
FsSize Unpark(FsServer* server, const FsFont* font, FS_FIXED width = 0, FS_FIXED height = 0) {
  for (size_t i = server->ready.size(); i-- > 0;) {
    const FsSize& size = server->ready[i];
    if (size.font != font || (width && (size.width != width || size.height != height))) continue;
    const FsSize found = size;
    server->ready.erase(server->ready.begin() + static_cast<ptrdiff_t>(i));
    return found;
  }
  return {};
}

// The client lets its font go: its size kept ready while the engine runs
// (after FS_exit the library took every size with it).
void LetGo(FS_STATE* state) {
  FsClient* client = state->client;
  if (state->server) Park(state->server, client->size);
  client->size = {};
  client->charmap = nullptr;
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
  if (!client || !client->size.size || !client->scaled) return nullptr;
  const FT_Face face = client->size.font->face;
  // The face is shared: this client's size and map are made its own.
  if (face->size != client->size.size) FT_Activate_Size(client->size.size);
  if (face->charmap != client->charmap && (!client->charmap || FT_Set_Charmap(face, client->charmap) != 0))
    return nullptr;
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

// The face opened here is the one its clients share.
int32_t AddFont(FsServer* server, const char* name, std::unique_ptr<FsFont> font) {
  if (!OpenFont(server->library, font.get()) || !FT_IS_SCALABLE(font->face)) {
    CloseFont(font.get());
    return FS_ERR_FILE;
  }
  font->name = name ? name : NameOf(font->face);
  server->fonts.push_back(std::move(font));
  return FS_SUCCESS;
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
  // Clients outlive the engine only as empty shells: their sizes belong to
  // the faces that are about to go.
  for (FS_STATE* block : server->clients) {
    block->client->size = {};
    block->client->scaled = false;
    block->server = nullptr;
  }
  server->ready.clear();
  for (const auto& font : server->fonts) CloseFont(font.get());
  FT_Done_Library(server->library);
  delete server;
  state->server = nullptr;
  return FS_SUCCESS;
}

int32_t FS_add_font(FS_STATE* state, const char* name, const char* path, const uint8_t* memory,
                    uint32_t memorySize) {
  if (!state || !state->server) return FS_ERR_STATE;
  if (!path && (!memory || memorySize == 0)) return FS_ERR_ARGUMENT;
  auto font = std::make_unique<FsFont>();
  if (path) font->path = path;
  else {
    font->memory = memory;
    font->memorySize = memorySize;
  }
  return AddFont(state->server, name, std::move(font));
}

int32_t FS_add_font_handle(FS_STATE* state, const char* name, int file) {
  if (!state || !state->server) return FS_ERR_STATE;
  if (file < 0) return FS_ERR_ARGUMENT;
  auto font = std::make_unique<FsFont>();
  font->file = fcntl(file, F_DUPFD_CLOEXEC, 0);
  if (font->file < 0) return FS_ERR_FILE;
  return AddFont(state->server, name, std::move(font));
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
  FsFont* font = FindFont(server, name);
  if (!font) font = FindFont(server, ResolveAlias(name));
  if (!font) return FS_ERR_FONT_NOT_FOUND;
  // Sizes are derived from the span between ascender and descender; a face
  // where that span is empty or inverted cannot be scaled to a pixel height.
  if (font->face->ascender <= font->face->descender || font->face->units_per_EM == 0) return FS_ERR_BAD_METRICS;
  FsSize size = Unpark(server, font);
  if (!size.size) {
    size.font = font;
    if (FT_New_Size(font->face, &size.size) != 0) return FS_ERR_MEMORY;
  }
  LetGo(state);
  // As a face opens: its own character map, its size's scale kept, which
  // FS_set_scale then finds set.
  client->size = size;
  client->charmap = font->opened;
  return FS_SUCCESS;
}

int32_t FS_font_metrics(FS_STATE* state, FS_FONT_METRICS* metrics) {
  FsClient* client = ClientOf(state);
  if (!client) return FS_ERR_STATE;
  if (!metrics) return FS_ERR_ARGUMENT;
  if (!client->size.size) return FS_ERR_NO_FONT;
  const FT_Face face = client->size.font->face;
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
  if (!client->size.size) return FS_ERR_NO_FONT;
  const FT_Face face = client->size.font->face;
  for (FT_Int i = 0; i < face->num_charmaps; ++i) {
    FT_CharMap map = face->charmaps[i];
    if (map->platform_id != platform || map->encoding_id != encoding) continue;
    // FreeType selects no map of variation sequences.
    if (FT_Get_CMap_Format(map) == 14) return FS_ERR_CMAP;
    client->charmap = map;
    return FS_SUCCESS;
  }
  return FS_ERR_CMAP;
}

int32_t FS_set_scale(FS_STATE* state, FS_FIXED s00, FS_FIXED s01, FS_FIXED s10, FS_FIXED s11) {
  FsClient* client = ClientOf(state);
  if (!client) return FS_ERR_STATE;
  if (!client->size.size) return FS_ERR_NO_FONT;
  if (s01 != 0 || s10 != 0 || s00 <= 0 || s11 <= 0) return FS_ERR_SCALE;
  FsSize& size = client->size;
  if (size.width != s00 || size.height != s11) {
    // A ready size of this scale has its hinting prepared for it: it takes
    // this one's place.
    if (FsSize ready = Unpark(state->server, size.font, s00, s11); ready.size) {
      Park(state->server, size);
      size = ready;
    } else {
      // A size prepared for another scale is kept ready for that one.
      FT_Size fresh = nullptr;
      if (size.width != 0 && FT_New_Size(size.font->face, &fresh) == 0) {
        Park(state->server, size);
        size = {size.font, fresh, 0, 0};
      }
      // 16.16 pixels to FreeType's 26.6 points at 72 dots per inch, which are pixels.
      FT_Activate_Size(size.size);
      if (FT_Set_Char_Size(size.font->face, s00 >> 10, s11 >> 10, 72, 72) != 0) {
        size.width = size.height = 0;
        client->scaled = false;
        return FS_ERR_SCALE;
      }
      size.width = s00;
      size.height = s11;
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
