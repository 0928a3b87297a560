// SDL's handles freed by the language: each kind the native hosts hold, owned by a unique_ptr
// that calls SDL's own free for it. The window is SDL's to free, with its video subsystem.
#pragma once

#include <SDL.h>

#include <memory>

template <auto Free> struct FreedBy {
    template <typename Handle> void operator()(Handle* handle) const { Free(handle); }
};

using SurfacePtr = std::unique_ptr<SDL_Surface, FreedBy<SDL_FreeSurface>>;
using FormatPtr = std::unique_ptr<SDL_PixelFormat, FreedBy<SDL_FreeFormat>>;
using RendererPtr = std::unique_ptr<SDL_Renderer, FreedBy<SDL_DestroyRenderer>>;
using TexturePtr = std::unique_ptr<SDL_Texture, FreedBy<SDL_DestroyTexture>>;
using PadPtr = std::unique_ptr<SDL_GameController, FreedBy<SDL_GameControllerClose>>;
using JoystickPtr = std::unique_ptr<SDL_Joystick, FreedBy<SDL_JoystickClose>>;
