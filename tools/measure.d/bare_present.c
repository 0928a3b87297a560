/* The yardstick of the measurement: the least an SDL program can do to show a changing 640x480
 * 8-bit picture 25 times a second on a desktop-sized window without a GPU. It expands the
 * picture through its palette and scales it by the largest whole factor straight into the
 * window surface, and updates only the picture's rectangle. Runs until it is killed. */
#include <SDL.h>
#include <stdint.h>
#include <string.h>

enum { Width = 640, Height = 480 };

int main(int argc, char** argv) {
    (void)argc;
    (void)argv;
    /* Otherwise SDL draws the window surface through its OpenGL renderer, even in software. */
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) return 1;
    SDL_Window* window = SDL_CreateWindow("bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          desktop.w, desktop.h, SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (!window) return 1;
    static uint8_t frame[Height][Width];
    uint32_t colors[256];
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (!surface || surface->format->BytesPerPixel != 4) return 1;
    for (int i = 0; i < 256; ++i)
        colors[i] = SDL_MapRGB(surface->format, (Uint8)i, (Uint8)(i * 3), (Uint8)(255 - i));
    int scale = surface->w / Width < surface->h / Height ? surface->w / Width : surface->h / Height;
    if (scale < 1) scale = 1;
    SDL_Rect picture = {(surface->w - Width * scale) / 2, (surface->h - Height * scale) / 2,
                        Width * scale, Height * scale};
    SDL_FillRect(surface, NULL, 0);
    SDL_UpdateWindowSurface(window);
    for (uint32_t n = 1;; ++n) {
        SDL_Event event;
        while (SDL_PollEvent(&event))
            if (event.type == SDL_QUIT) return 0;
        for (int y = 0; y < Height; ++y) memset(frame[y], (int)((y + n) & 0xFF), Width);
        SDL_LockSurface(surface);
        for (int y = 0; y < Height; ++y) {
            uint32_t* out = (uint32_t*)((uint8_t*)surface->pixels +
                                        (size_t)(picture.y + y * scale) * surface->pitch) +
                            picture.x;
            for (int x = 0; x < Width; ++x)
                for (int k = 0; k < scale; ++k) out[x * scale + k] = colors[frame[y][x]];
            for (int k = 1; k < scale; ++k)
                memcpy((uint8_t*)out + (size_t)k * surface->pitch, out, (size_t)picture.w * 4);
        }
        SDL_UnlockSurface(surface);
        SDL_UpdateWindowSurfaceRects(window, &picture, 1);
        SDL_Delay(40);
    }
}
