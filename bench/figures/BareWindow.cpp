// BareWindow.cpp: the floor for the game's figures: an SDL program that only opens a window
// of the game's size, shows one frame and waits for events until it is closed.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

int main() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "bare-window: SDL_Init failed: %s\n", SDL_GetError());
        return 1;
    }
    const char* scale_text = std::getenv("PILO_SCALE");
    const int scale = scale_text != nullptr && std::atoi(scale_text) > 0 ? std::atoi(scale_text) : 1;
    const int width = 640, height = 480;
    SDL_Window* window = SDL_CreateWindow("bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          width * scale, height * scale, 0);
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
    SDL_Texture* texture = renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                                        SDL_TEXTUREACCESS_STREAMING, width, height)
                                    : nullptr;
    if (texture == nullptr) {
        std::fprintf(stderr, "bare-window: cannot open a window: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    std::vector<Uint32> pixels(static_cast<std::size_t>(width) * height, 0xFF008080u);
    SDL_UpdateTexture(texture, nullptr, pixels.data(), width * 4);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
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
            SDL_RenderCopy(renderer, texture, nullptr, nullptr);
            SDL_RenderPresent(renderer);
        }
    }
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
