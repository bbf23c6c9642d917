#include "window.h"

#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "GenPng.h"
#include "gui_loop.h"
#include "launch.h"
#include "output_tee.h"
#include "product_lines.h"
#include "remote_keys.h"
#include "scenario.h"
#include "sdl_library.h"
#include "set_power.h"
#include "sigstack.h"
#include "simtv.h"

namespace {

// The window's keys: those of the remote-key table by their SDL names, and
// the keypad's twins of a few.
int32_t KeyCodeOf(SDL_Keycode key) {
  switch (key) {
    case SDLK_KP_ENTER: key = SDLK_RETURN; break;
    case SDLK_EQUALS: case SDLK_KP_PLUS: key = SDLK_PLUS; break;
    case SDLK_KP_MINUS: key = SDLK_MINUS; break;
    case SDLK_KP_PERIOD: key = SDLK_PERIOD; break;
    case SDLK_KP_0: key = SDLK_0; break;
    default:
      if (key >= SDLK_KP_1 && key <= SDLK_KP_9) key = SDLK_1 + (key - SDLK_KP_1);
      break;
  }
  const RemoteKey* remote = RemoteKeyOfPcKey(SDL_GetKeyName(key));
  return remote ? remote->keyCode : -1;
}

// The latest frame, copied by the GUI thread each time it shows a change;
// the window thread hears of it through one pending event at a time.
std::mutex g_frameMutex;
GenImage g_frame;
uint64_t g_frameNumber = 0;
// Zero until the window has registered its event for frames.
std::atomic<uint32_t> g_frameEvent{0};
std::atomic<bool> g_framePosted{false};

// The classes of the screens listed at the last frame, on the GUI thread.
std::vector<std::string> g_listed;

// The terminal tells each screen that the frame shows newly opened, among
// the set's own log (a quiet run leaves both out): what the keys led to,
// whatever the window's picture is.
void TellOpenedScreens() {
  std::vector<std::string> listed = ScenarioListedScreens();
  bool told = false;
  for (auto at = listed.begin(); at != listed.end(); ++at) {
    // As many of its class as were listed before are the ones already there.
    if (std::count(listed.begin(), at, *at) < std::count(g_listed.begin(), g_listed.end(), *at)) continue;
    std::printf("tvui: the window opened %s\n", at->c_str());
    told = true;
  }
  // Told as it opens, whatever stands behind the standard output.
  if (told) std::fflush(stdout);
  g_listed = std::move(listed);
}

// On the GUI thread, with the GUI lock held: the plane is whole.
void CopyPlane(int32_t kind) {
  (void)kind;
  TellOpenedScreens();
  XObject* root = rootObject.load();
  GenBitmap* canvas = root ? GuiRoot().canvas(root) : nullptr;
  // Read into the buffer of the frame before, which the window has done
  // with: a new one would be filled with zeros first, pixel by pixel in a
  // sanitizer's build, where that alone outran the thread sanitizer's
  // history of the GUI thread every frame.
  static GenImage image;
  if (!canvas || !GenReadBitmap(canvas, &image)) return;
  {
    std::lock_guard guard(g_frameMutex);
    std::swap(g_frame, image);
    ++g_frameNumber;
  }
  const uint32_t frameEvent = g_frameEvent.load();
  if (frameEvent != 0 && !g_framePosted.exchange(true)) {
    SDL_Event event{};
    event.type = frameEvent;
    SDL_PushEvent(&event);
  }
}

// How often the window looks whether the set went to standby or woke: the
// set changes so without a frame when no screen was open.
constexpr int kStandbyLookMs = 250;

// The set's standby ends the period of operation: the set is off until the
// next period's root has woken.
bool InStandby() {
  if (!SetHasStandby()) return false;
  if (!simtv_set_on()) return true;
  if (!AcquirePslDornSem()) return false;
  const bool standby = !rootObject.load() || SetInStandby();
  ReleasePslDornSem();
  return standby;
}

// The plane over a dark grey that stands for the picture; in standby the
// screen is dark but for the red light of the set's standby lamp.
void Show(SDL_Window* window, SDL_Surface* plane, bool standby) {
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  if (!surface) return;
  if (standby) {
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    const SDL_Rect lamp{kStandbyLamp.x, kStandbyLamp.y, kStandbyLamp.w, kStandbyLamp.h};
    SDL_FillRect(surface, &lamp,
                 SDL_MapRGB(surface->format, uint8_t(kStandbyLampColour >> 16), uint8_t(kStandbyLampColour >> 8),
                            uint8_t(kStandbyLampColour)));
    SDL_UpdateWindowSurface(window);
    return;
  }
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 40, 40, 48));
  {
    std::lock_guard guard(g_frameMutex);
    if (g_frame.width == GuiScreenWidth && g_frame.height == GuiScreenHeight)
      SDL_memcpy(plane->pixels, g_frame.pixels.data(), g_frame.pixels.size() * sizeof(GenColor));
  }
  SDL_BlitSurface(plane, nullptr, surface, nullptr);
  SDL_UpdateWindowSurface(window);
}

// A broken connection to the X server (the server ended, the session
// closed) reaches Xlib's handler, whose default ends the process through
// exit(): its handlers would free what the GUI thread is still using. The
// window ends the process as its own close does instead.
int DisplayGone(void* /*display*/) {
  OutputTee::Say("tvui: the display went away; the window is gone", true);
  TvuiEnd(1);
}

// SDL loads Xlib itself, and only for a window on X.
void EndWhenTheDisplayGoes() {
  void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
  if (!xlib) return;
  using Handler = int (*)(void*);
  if (auto set = reinterpret_cast<Handler (*)(Handler)>(dlsym(xlib, "XSetIOErrorHandler"))) set(&DisplayGone);
  // The library stays loaded: SDL holds it.
  dlclose(xlib);
}

// A test that drives the window reaches the set as the world around it
// does, through the FIFO that TVUI_WINDOW_LINES names: lines of the scenario
// language for what happens outside the set's interface (a middleware
// event, a state-manager command, another process's on-screen display, the
// set's own standby, the USB disk going in or out, the update service's
// result, the broadcast's time), each run as it comes, on the clock on the
// wall. The viewer's keys stay the keyboard's.
const ScenarioCommand* OutsideLine(const ScenarioTokens& t) {
  static constexpr const char* kOutside[] = {"event", "command", "osd", "standby", "usb", "media", "dispatch", "clock"};
  const std::string& name = t[0].text;
  if (std::none_of(std::begin(kOutside), std::end(kOutside), [&](const char* word) { return name == word; }))
    return nullptr;
  // The other dispatches hand the root its event on the GUI thread's turn,
  // which only a scenario's clock gives.
  if (name == "dispatch" && (t.size() < 2 || t[1].text != "update-result")) return nullptr;
  for (std::span<const ScenarioCommand> rows : {ScenarioCommands(), TvuiProduct::Commands()})
    for (const ScenarioCommand& row : rows)
      if (name == row.name) return &row;
  return nullptr;
}

void RunOutsideLines(const std::string& path) {
  // As the scenario's thread: a crash in a line's work is reported.
  SigStackForThread();
  std::ifstream lines(path);
  if (!lines) {
    OutputTee::Say("tvui: " + path + " (TVUI_WINDOW_LINES) cannot be read: no line reaches the set", true);
    return;
  }
  std::string source;
  for (int number = 1; std::getline(lines, source); ++number) {
    ScenarioTokens tokens;
    std::string failure;
    if (!SplitScenarioLine(source, &tokens)) {
      failure = "a quote is left open";
    } else if (tokens.empty()) {
      continue;
    } else if (const ScenarioCommand* command = OutsideLine(tokens)) {
      failure = command->run(tokens);
    } else {
      failure = "no happening outside the set: event, command, osd, standby, usb, media, dispatch update-result or "
                "clock";
    }
    if (!failure.empty())
      OutputTee::Say("tvui: " + path + ":" + std::to_string(number) + " failed: " + source + "\n  " + failure, true);
  }
}

}  // namespace

void WatchWindowFrames() { simtv_on_render(&CopyPlane); }

uint64_t WindowFrames() {
  std::lock_guard guard(g_frameMutex);
  return g_frameNumber;
}

int RunWindow(const std::function<void()>& started) {
  if (!TvuiLoadSdl()) return 1;
  // The window's pixels go straight to the display: a renderer behind the
  // window surface would load a whole graphics stack to show one picture.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // The process takes Ctrl-C and SIGTERM itself (TvuiLaunch).
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // With no session bus named, the bus library under the video driver forks
  // this process to start one. A child forked while other threads run may
  // hang for ever before it runs anything (under a sanitizer, on a lock of
  // its runtime that another thread held), with SIGTERM blocked as in every
  // thread here, and the window waits for it. There is no bus to use then
  // anyway: the library is told so.
  if (const char* bus = std::getenv("DBUS_SESSION_BUS_ADDRESS"); !bus || !*bus)
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    OutputTee::Say(std::string("tvui: no window: ") + SDL_GetError(), true);
    return 1;
  }
  SDL_Window* window = SDL_CreateWindow("tvui", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, GuiScreenWidth,
                                        GuiScreenHeight, 0);
  SDL_Surface* plane =
      SDL_CreateRGBSurfaceWithFormat(0, GuiScreenWidth, GuiScreenHeight, 32, SDL_PIXELFORMAT_ARGB8888);
  const uint32_t frameEvent = SDL_RegisterEvents(1);
  if (!window || !plane || frameEvent == uint32_t(-1)) {
    OutputTee::Say(std::string("tvui: no window: ") + SDL_GetError(), true);
    SDL_Quit();
    return 1;
  }
  EndWhenTheDisplayGoes();
  SDL_FillRect(plane, nullptr, 0);
  SDL_SetSurfaceBlendMode(plane, SDL_BLENDMODE_BLEND);
  g_frameEvent = frameEvent;
  // The set boots and wakes before the window shows it, some seconds of a
  // black window on a busy machine: the terminal says why.
  OutputTee::Say("tvui: the set is starting; the window shows it once it is on");
  if (started) started();
  if (const char* outside = std::getenv("TVUI_WINDOW_LINES"); outside && *outside)
    std::thread(RunOutsideLines, std::string(outside)).detach();
  // The window draws when a frame was flipped, when it was uncovered, and
  // when the set went to standby or woke; it waits otherwise.
  bool standby = false;
  bool shown = false;
  for (bool open = true; open;) {
    SDL_Event event;
    const bool got = SDL_WaitEventTimeout(&event, kStandbyLookMs) == 1;
    bool redraw = false;
    while (got) {
      if (event.type == SDL_QUIT) open = false;
      if (event.type == frameEvent) {
        g_framePosted = false;
        redraw = true;
      }
      if (event.type == SDL_WINDOWEVENT &&
          (event.window.event == SDL_WINDOWEVENT_EXPOSED || event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED))
        redraw = true;
      // The set's input driver repeats a held key itself; in standby the
      // middleware keeps the power key and wakes the set with it.
      if ((event.type == SDL_KEYDOWN && !event.key.repeat) || event.type == SDL_KEYUP) {
        const int32_t code = KeyCodeOf(event.key.keysym.sym);
        if (code >= 0 && event.type == SDL_KEYUP) {
          simtv_release_key(uint32_t(code));
        } else if (code >= 0 && IsPowerKey(uint32_t(code)) && InStandby()) {
          WakeByPowerKey();
        } else if (code >= 0) {
          simtv_press_key(uint32_t(code));
        }
      }
      if (!SDL_PollEvent(&event)) break;
    }
    const bool changed = InStandby() != standby;
    if (changed) {
      standby = !standby;
      SDL_SetWindowTitle(window, standby ? "tvui (standby: P switches the set on)" : "tvui");
    }
    if ((redraw || changed) && open) Show(window, plane, standby);
    if (!shown && open) {
      shown = true;
      Show(window, plane, standby);
      OutputTee::Say("tvui: the window shows the set; the keyboard is its remote control (tvui --help lists the keys)");
    }
    if (changed) OutputTee::Say(standby ? "tvui: the set is in standby (P switches it on)" : "tvui: the set is on");
  }
  simtv_on_render(nullptr);
  SDL_FreeSurface(plane);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
