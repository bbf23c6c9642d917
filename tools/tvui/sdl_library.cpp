#define TVUI_SDL_LIBRARY_SOURCE
#include "sdl_library.h"

#include <dlfcn.h>

#include <string>

#include "output_tee.h"

#define TVUI_SDL_DEFINE(name) decltype(&::name) tvui_##name = nullptr;
TVUI_SDL_FUNCTIONS(TVUI_SDL_DEFINE)
#undef TVUI_SDL_DEFINE

bool TvuiLoadSdl() {
  static void* library = nullptr;
  if (library) return true;
  void* handle = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    OutputTee::Say(std::string("tvui: no window: ") + dlerror(), true);
    return false;
  }
  bool complete = true;
#define TVUI_SDL_LOAD(name)                                                       \
  tvui_##name = reinterpret_cast<decltype(tvui_##name)>(dlsym(handle, #name));    \
  if (!tvui_##name) {                                                             \
    OutputTee::Say("tvui: no window: the SDL library lacks " #name, true);          \
    complete = false;                                                             \
  }
  TVUI_SDL_FUNCTIONS(TVUI_SDL_LOAD)
#undef TVUI_SDL_LOAD
  if (!complete) {
    dlclose(handle);
    return false;
  }
  library = handle;
  return true;
}
