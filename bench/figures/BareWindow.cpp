// BareWindow.cpp: the floor for the game's figures: an SDL program that only opens a window
// of the game's size, shows one frame and waits for events until it is closed.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

int main() {
    // SDL's software framebuffer, as the game's host uses: no GL context.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "bare-window: SDL_Init failed: %s\n", SDL_GetError());
        return 1;
    }
    const char* scale_text = std::getenv("PILO_SCALE");
    const int scale =
        scale_text != nullptr && std::atoi(scale_text) > 0 ? std::atoi(scale_text) : 1;
    const int width = 640 * scale, height = 480 * scale;
    SDL_Window* window =
        SDL_CreateWindow("bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, 0);
    SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : nullptr;
    if (surface == nullptr) {
        std::fprintf(stderr, "bare-window: cannot open a window: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    const Uint32 teal = SDL_MapRGB(surface->format, 0, 0x80, 0x80);
    SDL_FillRect(surface, nullptr, teal);
    SDL_UpdateWindowSurface(window);
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::fprintf(stderr, "pilo-host: first frame at %lld\n",
                 static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    SDL_Event event;
    while (SDL_WaitEvent(&event) != 0) {
        if (event.type == SDL_QUIT) {
            break;
        }
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED) {
            surface = SDL_GetWindowSurface(window);
            if (surface != nullptr) {
                SDL_FillRect(surface, nullptr, teal);
                SDL_UpdateWindowSurface(window);
            }
        }
    }
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
