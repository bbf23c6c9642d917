/* The font engine: registers font files, opens faces by name, one client per
 * face in use, scales them and rasterises glyphs into grey maps (4 bits a
 * pixel) or bitmaps (1 bit a pixel).
 *
 * Every call returns 0 on success or one of the FS_ERR_* codes, except the
 * glyph calls, which return a map or null. Only the GUI thread calls it. */
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* 16.16 fixed point. */
typedef int32_t FS_FIXED;

enum {
  FS_SUCCESS = 0,
  FS_ERR_STATE = 1,           /* not started, already started or already ended */
  FS_ERR_ARGUMENT = 2,        /* a null or out-of-range argument */
  FS_ERR_MEMORY = 3,
  FS_ERR_FILE = 4,            /* the file cannot be read or holds no scalable face */
  FS_ERR_FONT_NOT_FOUND = 5,  /* no registered face has that name */
  FS_ERR_NO_FONT = 6,         /* the client has no face selected */
  FS_ERR_CMAP = 7,            /* the face has no such character map */
  FS_ERR_SCALE = 8,           /* a zero, negative or non-diagonal scale */
  FS_ERR_BAD_METRICS = 9,     /* the face's ascender does not lie above its descender */
  FS_ERR_RASTER = 10          /* the glyph could not be loaded or rendered */
};

struct FsServer;
struct FsClient;

/* The engine's state. The block that FS_init fills holds the registered fonts;
 * each FS_new_client gives a block of its own that shares them and adds a
 * selected face, character map and scale. */
typedef struct FS_STATE {
  struct FsServer* server;
  struct FsClient* client; /* null in the block that FS_init filled */
} FS_STATE;

/* Vertical metrics in font units; the descender is negative below the baseline. */
typedef struct FS_FONT_METRICS {
  uint16_t unitsPerEm;
  int16_t ascender;
  int16_t descender;
  int16_t lineGap;
} FS_FONT_METRICS;

/* A rasterised glyph, allocated by the engine and handed back to FS_free_char.
 * Rows count upwards from the baseline: row 0 is the first row above it, so the
 * top row of a glyph that reaches 12 pixels above the baseline is 11.
 * Grey maps hold 4-bit levels (0-15), two pixels a byte, high nibble first, the
 * rows following one another without padding (a row may begin mid-byte).
 * Bitmaps hold one bit a pixel, most significant bit first, each row starting
 * on a byte, rows bpl bytes apart. */
typedef struct FS_GLYPHMAP {
  int32_t size;         /* bytes of the whole allocation */
  int16_t lo_x;         /* left column relative to the pen */
  int16_t hi_y;         /* top row, counted as above */
  int16_t i_dx;         /* advance in whole pixels, x to the right */
  int16_t i_dy;         /* advance in whole pixels, y upwards */
  FS_FIXED dx;          /* the same advances in 16.16 */
  FS_FIXED dy;
  int16_t width;
  int16_t height;
  int16_t bpl;          /* bytes per row (bitmaps) */
  int16_t bitsPerPixel; /* 4 or 1 */
  uint8_t* bits;        /* points into the same allocation */
} FS_GLYPHMAP;

typedef FS_GLYPHMAP FS_GRAYMAP;
typedef FS_GLYPHMAP FS_BITMAP;

/* Starts the engine in the given block. The heap size is the memory the engine
 * may use; this engine takes what it needs from the process heap. */
int32_t FS_init(FS_STATE* state, uint32_t heapSize);
/* Ends it: every registration goes, and faces still selected by clients close
 * (their later calls fail with FS_ERR_STATE; FS_end_client still frees them). */
int32_t FS_exit(FS_STATE* state);

/* Registers a font file (path) or a font held in memory (path null; the bytes
 * must outlive the engine). A null name registers the face under its family
 * name, followed by " Bold" and " Italic" for its style. */
int32_t FS_add_font(FS_STATE* state, const char* name, const char* path, const uint8_t* memory,
                    uint32_t memorySize);
/* Registers the font file open on the handle: the engine reads it through a
 * duplicate of its own, so the caller keeps the handle, and what the file's
 * name leads to later (another file put in its place) is never read. */
int32_t FS_add_font_handle(FS_STATE* state, const char* name, int file);

/* A new client on the state's registered fonts, or null. */
FS_STATE* FS_new_client(FS_STATE* state);
int32_t FS_end_client(FS_STATE* client);

/* Selects a registered face by name. */
int32_t FS_set_font(FS_STATE* client, const char* name);
int32_t FS_font_metrics(FS_STATE* client, FS_FONT_METRICS* metrics);
/* Selects the character map by platform and encoding id (3, 1 is Unicode). */
int32_t FS_set_cmap(FS_STATE* client, uint16_t platform, uint16_t encoding);
/* The 2 x 2 matrix from font space to pixels, 16.16: (s00, s01, s10, s11) with
 * s00 the horizontal and s11 the vertical size of the em in pixels. This engine
 * takes diagonal matrices only. */
int32_t FS_set_scale(FS_STATE* client, FS_FIXED s00, FS_FIXED s01, FS_FIXED s10, FS_FIXED s11);

/* The character's map in the selected face, character map and scale; null when
 * the face has no glyph for it or nothing is selected. A blank glyph (space)
 * has width and height 0. */
FS_GRAYMAP* FS_get_graymap(FS_STATE* client, uint32_t character);
FS_BITMAP* FS_get_bitmap(FS_STATE* client, uint32_t character);
int32_t FS_free_char(FS_STATE* client, void* map);

#ifdef __cplusplus
}
#endif
