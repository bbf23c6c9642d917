#include "window.h"

#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>

#include "GenPng.h"
#include "gui_loop.h"
#include "remote_keys.h"
#include "sdl_library.h"
#include "simtv.h"

namespace {

int32_t KeyCodeOf(const SDL_Keysym& key) {
  const char* name = nullptr;
  switch (key.sym) {
    case SDLK_UP: name = "UP"; break;
    case SDLK_DOWN: name = "DOWN"; break;
    case SDLK_LEFT: name = "LEFT"; break;
    case SDLK_RIGHT: name = "RIGHT"; break;
    case SDLK_RETURN: case SDLK_KP_ENTER: name = "OK"; break;
    case SDLK_ESCAPE: name = "EXIT"; break;
    case SDLK_m: name = "MENU"; break;
    case SDLK_p: name = "POWER"; break;
    case SDLK_i: name = "INPUT"; break;
    case SDLK_PLUS: case SDLK_EQUALS: case SDLK_KP_PLUS: name = "VOL+"; break;
    case SDLK_MINUS: case SDLK_KP_MINUS: name = "VOL-"; break;
    case SDLK_PAGEUP: name = "CH+"; break;
    case SDLK_PAGEDOWN: name = "CH-"; break;
    case SDLK_F1: name = "FP_POWER"; break;
    case SDLK_F2: name = "FP_VOL+"; break;
    case SDLK_F3: name = "FP_VOL-"; break;
    case SDLK_F4: name = "FP_CH+"; break;
    case SDLK_F5: name = "FP_CH-"; break;
    case SDLK_F6: name = "FP_MENU"; break;
    case SDLK_F7: name = "FP_INPUT"; break;
    default: break;
  }
  if (key.sym >= SDLK_0 && key.sym <= SDLK_9) return RemoteKeyCode(std::string(1, char(key.sym)).c_str());
  return name ? RemoteKeyCode(name) : -1;
}

// The latest frame, copied by the GUI thread each time it shows a change.
std::mutex g_frameMutex;
GenImage g_frame;
uint64_t g_frameNumber = 0;

// On the GUI thread, with the GUI lock held: the plane is whole.
void CopyPlane(int32_t kind) {
  (void)kind;
  XObject* root = rootObject.load();
  GenBitmap* canvas = root ? GuiRoot().canvas(root) : nullptr;
  GenImage image;
  if (!canvas || !GenReadBitmap(canvas, &image)) return;
  std::lock_guard guard(g_frameMutex);
  g_frame = std::move(image);
  ++g_frameNumber;
}

}  // namespace

int RunWindow(void (*started)()) {
  if (!TvuiLoadSdl()) return 1;
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::printf("tvui: no window: %s\n", SDL_GetError());
    return 1;
  }
  SDL_Window* window = SDL_CreateWindow("tvui", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, GuiScreenWidth,
                                        GuiScreenHeight, 0);
  SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE) : nullptr;
  SDL_Texture* plane = renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                                    GuiScreenWidth, GuiScreenHeight)
                                : nullptr;
  if (!plane) {
    std::printf("tvui: no window: %s\n", SDL_GetError());
    SDL_Quit();
    return 1;
  }
  SDL_SetTextureBlendMode(plane, SDL_BLENDMODE_BLEND);
  simtv_on_render(&CopyPlane);
  if (started) started();
  uint64_t shown = 0;
  for (bool open = true; open;) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      if (event.type == SDL_QUIT) open = false;
      if ((event.type == SDL_KEYDOWN && !event.key.repeat) || event.type == SDL_KEYUP) {
        int32_t code = KeyCodeOf(event.key.keysym);
        if (code >= 0) simtv_inject_key(uint32_t(code), event.type == SDL_KEYDOWN, 0);
      }
    }
    {
      std::lock_guard guard(g_frameMutex);
      if (g_frameNumber != shown && g_frame.width == GuiScreenWidth && g_frame.height == GuiScreenHeight) {
        SDL_UpdateTexture(plane, nullptr, g_frame.pixels.data(), GuiScreenWidth * 4);
        shown = g_frameNumber;
      }
    }
    // The plane lies over the picture; a dark grey stands for the picture.
    SDL_SetRenderDrawColor(renderer, 40, 40, 48, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, plane, nullptr, nullptr);
    SDL_RenderPresent(renderer);
    SDL_Delay(30);
  }
  simtv_on_render(nullptr);
  SDL_Quit();
  return 0;
}
