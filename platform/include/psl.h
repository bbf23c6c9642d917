/* The media library: the storage media and the home network's media servers
 * browsed as folders, the metadata and thumbnails of their entries, pictures
 * decoded for the screen, music and video played, and the media controllers
 * that may play on the set.
 *
 * Every call takes the library's handle globalPsl and returns PSL_OK or an
 * error, after recording itself. Calls that read (the lists of media,
 * servers and controllers) answer at once; the others start work that the
 * library's own thread finishes later and reports as a notice. The program
 * gives the library one sink for its notices; the sink runs on the library's
 * thread, takes each notice over and hands it back with PslFreeNotice.
 *
 * The library browses through two cursors, each with a folder of its own:
 * the browser's (PSL_CURSOR_BROWSER) and the background music's
 * (PSL_CURSOR_MUSIC). Opening a medium or moving to another folder gives the
 * cursor a new folder serial; every notice about a folder's entries carries
 * the serial of its folder, so an answer for a folder left since can be told
 * apart. Names and texts are cut to fit their fields, on a UTF-8 boundary. */
#ifndef TVUI_PLATFORM_PSL_H
#define TVUI_PLATFORM_PSL_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The media library's handle, exported by the library once it is up. */
extern void* globalPsl;

enum {
  PSL_OK = 0,
  PSL_ERR_STATE = 1,    /* not started, or nothing to act on (no medium open, nothing playing) */
  PSL_ERR_ARGUMENT = 2, /* another handle, a null pointer, an entry outside the folder */
  PSL_ERR_NO_MEDIUM = 3 /* no medium of that mount string or id */
};

/* Kinds of entries: a folder, or a file the library knows how to play. */
enum { PSL_ENTRY_FOLDER = 0, PSL_ENTRY_VIDEO = 1, PSL_ENTRY_PICTURE = 2, PSL_ENTRY_MUSIC = 3 };
/* The kinds a cursor shows besides its folders: one bit per kind. */
#define PSL_SHOWS(kind) (1 << (kind))

/* Kinds of media: USB storage, an SD card, a registered media server. */
enum { PSL_MEDIUM_USB = 0, PSL_MEDIUM_SD = 1, PSL_MEDIUM_SERVER = 2 };
/* The removable-device codes of the storage slots: USB a to d, the card. */
enum { PSL_CODE_USBA = 242, PSL_CODE_USBB = 243, PSL_CODE_USBC = 244, PSL_CODE_USBD = 245, PSL_CODE_MMC = 246 };

enum { PSL_CURSOR_BROWSER = 0, PSL_CURSOR_MUSIC = 1 };

/* Play modes: from the entry on through the folder's entries of its kind, or
 * this entry only. Repeat modes: off, the folder (or the one entry of mode
 * PSL_PLAY_ONE) round again, the entry again. */
enum { PSL_PLAY_FOLDER = 0, PSL_PLAY_ONE = 4 };
enum { PSL_REPEAT_OFF = 0, PSL_REPEAT_ALL = 1, PSL_REPEAT_ONE = 2 };

/* The transport commands of PslExternalSendNavCommand. */
enum { PSL_NAV_PLAY = 1, PSL_NAV_PAUSE = 2, PSL_NAV_STOP = 3, PSL_NAV_NEXT = 4, PSL_NAV_PREVIOUS = 5 };

enum {
  PSL_NAME_MAX = 64,      /* bytes of a name with its end mark */
  PSL_PATH_MAX = 128,     /* bytes of a mount string or a server's id */
  PSL_MAC_MAX = 18,       /* "00-11-22-33-44-55" */
  PSL_PAGE_ENTRIES = 64,  /* entries of a folder per notice */
  PSL_FOLDER_MAX = 4096,  /* entries of a folder at most; more are left out */
  PSL_THUMB_WIDTH = 112,  /* the box a thumbnail fits */
  PSL_THUMB_HEIGHT = 84,
  PSL_PICTURE_MAX = 8192  /* pictures wider or higher are not decoded */
};

/* Video files of the library's own container (".clip"): this header, then
 * frameCount frames of width x height pixels, three bytes each (red, green,
 * blue), row by row. Numbers are little-endian; the title is zero-padded. */
#define PSL_CLIP_MAGIC "TVCLIP1"
typedef struct {
  char magic[8];
  uint16_t width;
  uint16_t height;
  uint16_t framesPerSecond;
  uint16_t frameCount;
  char title[PSL_NAME_MAX];
} PslClipHeader;

typedef struct {
  int32_t kind; /* PSL_MEDIUM_* */
  char name[PSL_NAME_MAX];
  int32_t available;
  /* The mount string of storage, "/mnt/removable/usba"; a server's id. */
  char mount[PSL_PATH_MAX];
  int32_t code; /* PSL_CODE_* of storage, 0 for a server */
} PslMedium;

typedef struct {
  char name[PSL_NAME_MAX];
  char id[PSL_PATH_MAX];
  int32_t registered;
} PslServer;

typedef struct {
  char name[PSL_NAME_MAX];
  char mac[PSL_MAC_MAX];
  int32_t access; /* 1 when it may play on the set */
} PslController;

typedef struct {
  int32_t kind; /* PSL_ENTRY_* */
  char name[PSL_NAME_MAX];
} PslEntry;

enum {
  /* A page of a folder: count entries in all, entries[0..pageCount) being
   * first onwards. The page with first 0 comes first; the rest follow. */
  PSL_NOTICE_FOLDER = 1,
  /* An entry's metadata: texts, seconds (music and video), width and height
   * (pictures and video), and its thumbnail as image when one was asked for
   * and could be made. */
  PSL_NOTICE_METADATA = 2,
  /* An entry's picture fitted to the size asked for, width and height its
   * own size: a band of its rows at a time, one notice each, from the top,
   * the image being rows imageTop onwards of pictureHeight. The next band
   * comes once this notice is freed. A notice without an image ends the
   * picture: the file cannot be decoded. */
  PSL_NOTICE_PICTURE = 3,
  /* Playback of the entry at seconds of total; state 1 playing, 2 paused. */
  PSL_NOTICE_PROGRESS = 4,
  /* The entry played to its end; next is the entry that plays now, -1 when
   * playback stopped. */
  PSL_NOTICE_ENDED = 5,
  /* A storage medium came (present 1) or went (present 0). */
  PSL_NOTICE_MEDIUM = 6
};

typedef struct PslNotice {
  int32_t kind;
  int32_t cursor;
  int32_t serial;
  int32_t entry;
  /* PSL_NOTICE_FOLDER */
  int32_t count;
  int32_t first;
  int32_t pageCount;
  PslEntry* entries;
  /* PSL_NOTICE_METADATA */
  char title[PSL_NAME_MAX];
  char artist[PSL_NAME_MAX];
  char album[PSL_NAME_MAX];
  int32_t width;
  int32_t height;
  /* PSL_NOTICE_METADATA, PSL_NOTICE_PROGRESS */
  int32_t seconds;
  int32_t total;
  int32_t state;
  /* PSL_NOTICE_ENDED */
  int32_t next;
  /* PSL_NOTICE_MEDIUM */
  int32_t code;
  int32_t present;
  /* Pixels, 0xAARRGGBB row by row, imageWidth x imageHeight; null for none. */
  int32_t imageWidth;
  int32_t imageHeight;
  uint32_t* image;
  /* PSL_NOTICE_PICTURE: where the band lies in the picture. */
  int32_t imageTop;
  int32_t pictureHeight;
} PslNotice;

typedef void (*PslNoticeSink)(void* context, PslNotice* notice);

/* Starts the library once: its thread, with the home network's servers and
 * controllers shown only while dlna is not 0. A second start gives
 * PSL_ERR_STATE and changes nothing. */
int32_t PslInitialize(void* psl, int32_t dlna, int32_t renderer, int32_t accessControl);
/* Where notices go; null drops them. */
void PslSetNoticeSink(void* psl, PslNoticeSink sink, void* context);
/* Frees a notice with everything it holds; null is ignored. */
void PslFreeNotice(PslNotice* notice);
/* The home network's servers and controllers shown (1) or not. */
int32_t PslSetDlna(void* psl, int32_t on);
/* The network status word of the middleware, cut to 16 bits: 1 wired up,
 * 3 wireless up, 0 wired down, 5 wireless down; the library takes any value. */
void PslNetworkStatusChanged(void* psl, uint16_t status);

/* Storage media mounted, then the registered servers while the home network
 * is shown: up to max of them, their number in count. */
int32_t PslGetMediumList(void* psl, PslMedium* media, int32_t max, int32_t* count);
/* Opens the medium's root in the cursor, showing folders and the kinds of
 * the mask; serial receives the folder's serial. The folder's pages follow. */
int32_t PslOpenMedium(void* psl, int32_t cursor, const char* mount, int32_t kinds, int32_t* serial);
int32_t PslCloseMedium(void* psl, int32_t cursor);
/* Moves the cursor into the folder entry of its folder, or up to the parent
 * (PSL_ERR_STATE at the medium's root). */
int32_t PslEnterFolder(void* psl, int32_t cursor, int32_t entry, int32_t* serial);
int32_t PslLeaveFolder(void* psl, int32_t cursor, int32_t* serial);
/* Makes an entry of the cursor's folder current. */
int32_t PslSelectEntry(void* psl, int32_t cursor, int32_t entry);
/* Metadata of an entry of the browser's folder, with its thumbnail when
 * thumbnail is not 0. */
int32_t PslRequestMetadata(void* psl, int32_t entry, int32_t thumbnail);
/* A picture of the browser's folder fitted into width x height. */
int32_t PslRequestPicture(void* psl, int32_t entry, int32_t width, int32_t height);

/* Plays an entry of the cursor's folder in a play mode; what played before
 * stops. Progress comes every second, then the end. */
int32_t PslPlay(void* psl, int32_t cursor, int32_t entry, int32_t mode);
int32_t PslSetRepeatMode(void* psl, int32_t mode);
int32_t PslStop(void* psl);
/* A transport command for what plays (PSL_NAV_*). */
int32_t PslExternalSendNavCommand(void* psl, int32_t command);

/* The home network's media servers, and registering one with the set (on 1)
 * or taking it off (on 0). */
int32_t PslGetServerList(void* psl, PslServer* servers, int32_t max, int32_t* count);
int32_t PslRegisterServer(void* psl, const char* id, int32_t on);
/* The media controllers, and whether one may play on the set. */
int32_t PslGetControllerList(void* psl, PslController* controllers, int32_t max, int32_t* count);
int32_t PslSetControllerAccess(void* psl, const char* mac, int32_t access);

#ifdef __cplusplus
}
#endif

#endif
