// SDL2, loaded when the desktop window opens and not before: a headless run
// never maps the library or the desktop stack behind it. The window's code
// calls SDL by its usual names, which this header turns into pointers that
// TvuiLoadSdl fills from the library.
#pragma once

#include <SDL.h>

// Every SDL function the window uses: a new call joins this list and the
// defines below.
#define TVUI_SDL_FUNCTIONS(X)                                                                                   \
  X(SDL_Init) X(SDL_Quit) X(SDL_GetError) X(SDL_SetHint) X(SDL_Delay) X(SDL_GetTicks) X(SDL_CreateWindow)       \
  X(SDL_DestroyWindow) X(SDL_GetWindowSurface) X(SDL_UpdateWindowSurface) X(SDL_CreateRenderer)                  \
  X(SDL_DestroyRenderer) X(SDL_CreateTexture) X(SDL_DestroyTexture) X(SDL_SetTextureBlendMode) X(SDL_UpdateTexture) \
  X(SDL_SetRenderDrawColor) X(SDL_RenderClear) X(SDL_RenderCopy) X(SDL_RenderPresent)                            \
  X(SDL_CreateRGBSurfaceWithFormat) X(SDL_FreeSurface) X(SDL_FillRect) X(SDL_SetSurfaceBlendMode) X(SDL_MapRGB)  \
  X(SDL_UpperBlit) X(SDL_PollEvent) X(SDL_WaitEvent) X(SDL_WaitEventTimeout) X(SDL_PushEvent)                    \
  X(SDL_RegisterEvents) X(SDL_GetKeyName) X(SDL_memcpy) X(SDL_SetWindowTitle)

#define TVUI_SDL_DECLARE(name) extern decltype(&::name) tvui_##name;
TVUI_SDL_FUNCTIONS(TVUI_SDL_DECLARE)
#undef TVUI_SDL_DECLARE

// Loads the library and every function of the list once; false, after a line
// naming what is missing, when it cannot.
bool TvuiLoadSdl();

#ifndef TVUI_SDL_LIBRARY_SOURCE
#define SDL_Init tvui_SDL_Init
#define SDL_Quit tvui_SDL_Quit
#define SDL_GetError tvui_SDL_GetError
#define SDL_SetHint tvui_SDL_SetHint
#define SDL_Delay tvui_SDL_Delay
#define SDL_GetTicks tvui_SDL_GetTicks
#define SDL_CreateWindow tvui_SDL_CreateWindow
#define SDL_DestroyWindow tvui_SDL_DestroyWindow
#define SDL_GetWindowSurface tvui_SDL_GetWindowSurface
#define SDL_UpdateWindowSurface tvui_SDL_UpdateWindowSurface
#define SDL_CreateRenderer tvui_SDL_CreateRenderer
#define SDL_DestroyRenderer tvui_SDL_DestroyRenderer
#define SDL_CreateTexture tvui_SDL_CreateTexture
#define SDL_DestroyTexture tvui_SDL_DestroyTexture
#define SDL_SetTextureBlendMode tvui_SDL_SetTextureBlendMode
#define SDL_UpdateTexture tvui_SDL_UpdateTexture
#define SDL_SetRenderDrawColor tvui_SDL_SetRenderDrawColor
#define SDL_RenderClear tvui_SDL_RenderClear
#define SDL_RenderCopy tvui_SDL_RenderCopy
#define SDL_RenderPresent tvui_SDL_RenderPresent
#define SDL_CreateRGBSurfaceWithFormat tvui_SDL_CreateRGBSurfaceWithFormat
#define SDL_FreeSurface tvui_SDL_FreeSurface
#define SDL_FillRect tvui_SDL_FillRect
#define SDL_SetSurfaceBlendMode tvui_SDL_SetSurfaceBlendMode
#define SDL_MapRGB tvui_SDL_MapRGB
#define SDL_UpperBlit tvui_SDL_UpperBlit
#define SDL_PollEvent tvui_SDL_PollEvent
#define SDL_WaitEvent tvui_SDL_WaitEvent
#define SDL_WaitEventTimeout tvui_SDL_WaitEventTimeout
#define SDL_PushEvent tvui_SDL_PushEvent
#define SDL_RegisterEvents tvui_SDL_RegisterEvents
#define SDL_GetKeyName tvui_SDL_GetKeyName
#define SDL_memcpy tvui_SDL_memcpy
#define SDL_SetWindowTitle tvui_SDL_SetWindowTitle
#endif
