// SdlHost.cpp: the SDL2 window, event translation, waiting, and synchronous wave playback.
#include "platform/host/sdl/SdlHost.h"

#include "platform/host/Viewport.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <cstdio>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace host {
namespace {

// Rows of the desktop's usable height kept free for the window's title bar and frame.
constexpr int kDecorationAllowance = 48;
// A wave that has not drained this long after its length is given up (lost device).
constexpr std::uint64_t kAudioGraceMs = 2000;
// Longest sleep while a wave plays: input that arrives meanwhile is queued this often.
constexpr int kAudioPollMs = 10;

std::uint8_t buttons_from_sdl(Uint32 state) {
    std::uint8_t b = 0;
    if ((state & SDL_BUTTON_LMASK) != 0)
        b |= kButtonLeft;
    if ((state & SDL_BUTTON_RMASK) != 0)
        b |= kButtonRight;
    if ((state & SDL_BUTTON_MMASK) != 0)
        b |= kButtonMiddle;
    return b;
}

std::uint8_t modifiers_from_sdl(Uint16 mod) {
    std::uint8_t m = 0;
    if ((mod & KMOD_SHIFT) != 0)
        m |= kModShift;
    if ((mod & KMOD_CTRL) != 0)
        m |= kModControl;
    if ((mod & KMOD_ALT) != 0)
        m |= kModAlt;
    return m;
}

MouseButton button_from_sdl(Uint8 button) {
    switch (button) {
        case SDL_BUTTON_LEFT:
            return MouseButton::Left;
        case SDL_BUTTON_RIGHT:
            return MouseButton::Right;
        case SDL_BUTTON_MIDDLE:
            return MouseButton::Middle;
        default:
            return MouseButton::None;
    }
}

// Writes n screen pixels, each repeated Scale times (0: scale times), to out.
template <int Scale>
void zoom_pixels(const std::uint32_t* src, int n, int scale, std::uint32_t alpha,
                 std::uint32_t* out) {
    const int times = Scale > 0 ? Scale : scale;
    for (int x = 0; x < n; ++x) {
        const std::uint32_t c = src[x] | alpha;
        for (int k = 0; k < times; ++k) {
            out[k] = c;
        }
        out += times;
    }
}

// Copies rows [y0, y1) of a w-pixel-wide 0x00RRGGBB screen into a 32-bit surface of
// dst_w x dst_h pixels at the viewport, each pixel zoomed to a scale x scale block (nearest
// neighbour), clipped to the surface. alpha is ORed into every pixel written.
void zoom_rows(const std::uint32_t* screen, int w, int y0, int y1, const Viewport& v,
               std::uint8_t* dst, int pitch, int dst_w, int dst_h, std::uint32_t alpha) {
    const int scale = std::max(1, v.scale);
    const int cols = std::min(w * scale, dst_w - v.x);
    if (cols <= 0) {
        return;
    }
    // The common zooms get loops the compiler can unroll and vectorise.
    auto* zoom = scale == 1   ? &zoom_pixels<1>
                 : scale == 2 ? &zoom_pixels<2>
                 : scale == 3 ? &zoom_pixels<3>
                 : scale == 4 ? &zoom_pixels<4>
                              : &zoom_pixels<0>;
    const std::size_t row_bytes = static_cast<std::size_t>(cols) * sizeof(std::uint32_t);
    for (int y = y0; y < y1; ++y) {
        const int top = v.y + y * scale;
        if (top >= dst_h) {
            return;
        }
        const std::uint32_t* src = screen + static_cast<std::size_t>(y) * w;
        auto* first =
            reinterpret_cast<std::uint32_t*>(dst + static_cast<std::ptrdiff_t>(top) * pitch) + v.x;
        const int whole = cols / scale;
        zoom(src, whole, scale, alpha, first);
        for (int x = whole * scale; x < cols; ++x) {
            first[x] = src[x / scale] | alpha;  // a screen pixel cut by the window's edge
        }
        const int rows = std::min(scale, dst_h - top);
        for (int k = 1; k < rows; ++k) {
            std::memcpy(reinterpret_cast<std::uint32_t*>(
                            dst + static_cast<std::ptrdiff_t>(top + k) * pitch) +
                            v.x,
                        first, row_bytes);
        }
    }
}

}  // namespace

// The window shows the screen through SDL's window surface: SDL's software framebuffer (on X11
// a shared-memory image), with no GL context. The emulated screen is converted through its
// palette once, zoomed by whole numbers into the surface and only the rows that changed are
// sent to the display.
struct SdlHost::Impl {
    Settings settings;
    SDL_Window* window = nullptr;
    int screen_w = kScreenWidth;
    int screen_h = kScreenHeight;
    std::vector<std::uint32_t> shown;    // what the window shows, 0x00RRGGBB
    std::vector<std::uint32_t> scratch;  // the frame being presented
    std::vector<std::uint32_t> row;      // one zoomed row, for surfaces of another format
    bool have_frame = false;
    bool report_first_frame = false;  // PILO_REPORT_FIRST_FRAME: print when the first frame shows
    Viewport viewport;
    std::deque<Event> events;
    std::uint64_t start_ticks = 0;

    bool audio_tried = false;
    SDL_AudioDeviceID audio = 0;
    SDL_AudioSpec audio_spec{};

    ~Impl() {
        if (audio != 0)
            SDL_CloseAudioDevice(audio);
        if (window != nullptr) {
            // Events still queued for the window would be sent to it after it is gone.
            SDL_PumpEvents();
            SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
            SDL_DestroyWindow(window);
        }
        SDL_Quit();
    }

    std::uint64_t now() const { return SDL_GetTicks64() - start_ticks; }

    // Draws screen rows [y0, y1) into the surface; false when there is no surface to draw on.
    bool draw_rows(SDL_Surface* surface, int y0, int y1) {
        const Uint32 format = surface->format->format;
        const bool direct = format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888;
        const std::uint32_t alpha = format == SDL_PIXELFORMAT_ARGB8888 ? 0xFF000000u : 0;
        if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) {
            return false;
        }
        auto* pixels = static_cast<std::uint8_t*>(surface->pixels);
        if (direct) {
            zoom_rows(shown.data(), screen_w, y0, y1, viewport, pixels, surface->pitch, surface->w,
                      surface->h, alpha);
        } else {
            // Any other surface format: zoom one row at a time into a 32-bit row, then let SDL
            // convert it into each of its surface rows.
            const int scale = viewport.scale;
            const int cols = std::min(screen_w * scale, surface->w - viewport.x);
            row.resize(static_cast<std::size_t>(std::max(cols, 0)));
            const int bpp = surface->format->BytesPerPixel;
            for (int y = y0; y < y1 && cols > 0; ++y) {
                zoom_rows(shown.data() + static_cast<std::size_t>(y) * screen_w, screen_w, 0, 1,
                          Viewport{0, 0, scale}, reinterpret_cast<std::uint8_t*>(row.data()),
                          cols * static_cast<int>(sizeof(std::uint32_t)), cols, 1, 0);
                for (int k = 0; k < scale; ++k) {
                    const int top = viewport.y + y * scale + k;
                    if (top >= surface->h) {
                        break;
                    }
                    SDL_ConvertPixels(cols, 1, SDL_PIXELFORMAT_RGB888, row.data(), cols * 4, format,
                                      pixels + static_cast<std::ptrdiff_t>(top) * surface->pitch +
                                          viewport.x * bpp,
                                      surface->pitch);
                }
            }
        }
        if (SDL_MUSTLOCK(surface)) {
            SDL_UnlockSurface(surface);
        }
        return true;
    }

    // Paints the whole window: black bars around the screen, centred at its zoom.
    void redraw() {
        SDL_Surface* surface = SDL_GetWindowSurface(window);
        if (surface == nullptr) {
            return;
        }
        viewport = place_screen(surface->w, surface->h, screen_w, screen_h, settings.scale);
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
        if (have_frame) {
            draw_rows(surface, 0, screen_h);
        }
        SDL_UpdateWindowSurface(window);
    }

    // Shows rows [y0, y1) of a new frame; the window's size has not changed since redraw().
    void show_rows(int y0, int y1) {
        SDL_Surface* surface = SDL_GetWindowSurface(window);
        if (surface == nullptr) {
            return;
        }
        const Viewport placed =
            place_screen(surface->w, surface->h, screen_w, screen_h, settings.scale);
        if (placed != viewport) {
            redraw();
            return;
        }
        if (!draw_rows(surface, y0, y1)) {
            return;
        }
        const int top = viewport.y + y0 * viewport.scale;
        const int bottom = std::min(surface->h, viewport.y + y1 * viewport.scale);
        const int width = std::min(surface->w - viewport.x, screen_w * viewport.scale);
        if (top >= bottom || width <= 0) {
            return;
        }
        const SDL_Rect band{viewport.x, top, width, bottom - top};
        SDL_UpdateWindowSurfaceRects(window, &band, 1);
    }

    void push(Event e) {
        e.time_ms = now();
        events.push_back(e);
    }

    // Turns one SDL event into host events; window events redraw or are dropped.
    void translate(const SDL_Event& e) {
        Event out;
        switch (e.type) {
            case SDL_MOUSEMOTION: {
                const ScreenPoint p = window_to_screen(viewport, e.motion.x, e.motion.y);
                out.type = EventType::MouseMove;
                out.x = p.x;
                out.y = p.y;
                out.buttons = buttons_from_sdl(e.motion.state);
                out.modifiers = modifiers_from_sdl(static_cast<Uint16>(SDL_GetModState()));
                push(out);
                return;
            }
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: {
                out.button = button_from_sdl(e.button.button);
                if (out.button == MouseButton::None)
                    return;
                const ScreenPoint p = window_to_screen(viewport, e.button.x, e.button.y);
                out.type =
                    e.type == SDL_MOUSEBUTTONDOWN ? EventType::MouseDown : EventType::MouseUp;
                out.x = p.x;
                out.y = p.y;
                out.buttons = buttons_from_sdl(SDL_GetMouseState(nullptr, nullptr));
                out.modifiers = modifiers_from_sdl(static_cast<Uint16>(SDL_GetModState()));
                push(out);
                return;
            }
            case SDL_KEYDOWN:
            case SDL_KEYUP: {
                out.vk = vk_from_sdl_keycode(e.key.keysym.sym);
                if (out.vk == 0)
                    return;
                out.type = e.type == SDL_KEYDOWN ? EventType::KeyDown : EventType::KeyUp;
                out.modifiers = modifiers_from_sdl(e.key.keysym.mod);
                out.repeat = e.key.repeat != 0;
                if (out.type == EventType::KeyDown) {
                    out.ch = char_from_sdl_keycode(e.key.keysym.sym, out.modifiers);
                }
                push(out);
                return;
            }
            case SDL_QUIT:
                out.type = EventType::CloseRequested;
                push(out);
                return;
            case SDL_WINDOWEVENT:
                if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                    out.type = EventType::CloseRequested;
                    push(out);
                } else if (e.window.event == SDL_WINDOWEVENT_EXPOSED ||
                           e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                    redraw();
                }
                return;
            default:
                return;
        }
    }

    void drain_pending() {
        SDL_Event e;
        while (SDL_PollEvent(&e) == 1) {
            translate(e);
        }
    }

    // Opens the device on first use; afterwards its absence is remembered.
    bool open_audio() {
        if (audio_tried) {
            return audio != 0;
        }
        audio_tried = true;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            std::fprintf(stderr, "pilo: no wave device: %s\n", SDL_GetError());
            return false;
        }
        SDL_AudioSpec want{};
        want.freq = 44100;
        want.format = AUDIO_S16SYS;
        want.channels = 2;
        want.samples = 1024;
        audio = SDL_OpenAudioDevice(nullptr, 0, &want, &audio_spec, SDL_AUDIO_ALLOW_ANY_CHANGE);
        if (audio == 0) {
            std::fprintf(stderr, "pilo: no wave device: %s\n", SDL_GetError());
            return false;
        }
        SDL_PauseAudioDevice(audio, 0);
        return true;
    }
};

std::unique_ptr<SdlHost> SdlHost::create(const Settings& settings) {
    // Signals end the process as usual instead of turning into a close request.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // The window surface stays SDL's software framebuffer instead of a texture of a GL
    // renderer: a 640 x 480 palette screen needs no GPU, and a GL stack costs start-up time
    // and memory. SDL_FRAMEBUFFER_ACCELERATION=1 in the environment still asks for one.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    auto impl = std::make_unique<Impl>();
    impl->settings = settings;
    const char* report = std::getenv("PILO_REPORT_FIRST_FRAME");
    impl->report_first_frame = report != nullptr && *report != '\0' && *report != '0';
    auto fail = [](const char* what) -> std::unique_ptr<SdlHost> {
        std::fprintf(stderr, "pilo: cannot start the SDL host: %s: %s\n", what, SDL_GetError());
        return nullptr;
    };
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        return fail("SDL_Init");
    }
    impl->start_ticks = SDL_GetTicks64();
    // With no display SDL falls back to a driver that shows nothing; a player would see no
    // window at all, so that counts as failure unless it was asked for by name.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (driver != nullptr &&
        (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0) &&
        (asked == nullptr || std::strstr(asked, driver) == nullptr)) {
        std::fprintf(stderr,
                     "pilo: cannot start the SDL host: no display found (SDL fell back to its "
                     "'%s' video driver; is DISPLAY set?)\n",
                     driver);
        return nullptr;
    }

    int scale = settings.scale.value_or(1);
    SDL_Rect usable{0, 0, kScreenWidth, kScreenHeight};
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0 && !settings.scale) {
        scale =
            largest_scale(usable.w, usable.h - kDecorationAllowance, kScreenWidth, kScreenHeight);
    }
    Uint32 flags = SDL_WINDOW_SHOWN;
    if (settings.fullscreen) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    impl->window = SDL_CreateWindow("Pilo", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                    kScreenWidth * scale, kScreenHeight * scale, flags);
    if (impl->window == nullptr) {
        return fail("SDL_CreateWindow");
    }
    impl->settings.scale = settings.scale ? settings.scale : std::optional<int>(scale);
    if (settings.fullscreen && !settings.scale) {
        impl->settings.scale.reset();  // fullscreen: the largest that fits the display
    }
    impl->redraw();
    return std::unique_ptr<SdlHost>(new SdlHost(std::move(impl)));
}

SdlHost::SdlHost(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}

SdlHost::~SdlHost() = default;

void SdlHost::present(const Frame& frame) {
    Impl& m = *m_impl;
    if (!frame.valid()) {
        return;
    }
    const std::size_t count = static_cast<std::size_t>(frame.width) * frame.height;
    m.scratch.resize(count);
    if (!convert_to_rgb(frame, m.scratch)) {
        return;
    }
    const bool same_size = frame.width == m.screen_w && frame.height == m.screen_h;
    if (!m.have_frame || !same_size) {
        m.screen_w = frame.width;
        m.screen_h = frame.height;
        m.shown.swap(m.scratch);
        m.have_frame = true;
        m.redraw();
    } else {
        // Only the band of rows that changed is drawn and sent to the display.
        const std::size_t w = static_cast<std::size_t>(frame.width);
        auto row_differs = [&](int y) {
            const std::size_t at = static_cast<std::size_t>(y) * w;
            return std::memcmp(m.scratch.data() + at, m.shown.data() + at,
                               w * sizeof(std::uint32_t)) != 0;
        };
        int y0 = 0;
        while (y0 < frame.height && !row_differs(y0)) {
            ++y0;
        }
        if (y0 == frame.height) {
            return;  // nothing changed on screen
        }
        int y1 = frame.height;
        while (y1 > y0 + 1 && !row_differs(y1 - 1)) {
            --y1;
        }
        m.shown.swap(m.scratch);
        m.show_rows(y0, y1);
    }
    if (m.report_first_frame) {
        // Wall-clock nanoseconds, so a script can subtract the moment it started the process.
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        std::fprintf(stderr, "pilo-host: first frame at %lld\n",
                     static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        m.report_first_frame = false;
    }
}

std::optional<Event> SdlHost::poll_event() {
    Impl& m = *m_impl;
    if (m.events.empty()) {
        m.drain_pending();
    }
    if (m.events.empty()) {
        return std::nullopt;
    }
    Event e = m.events.front();
    m.events.pop_front();
    return e;
}

WaitResult SdlHost::wait(std::optional<std::uint64_t> deadline_ms) {
    Impl& m = *m_impl;
    for (;;) {
        m.drain_pending();
        if (!m.events.empty()) {
            return WaitResult::Event;
        }
        SDL_Event e;
        int got = 0;
        if (deadline_ms) {
            const std::uint64_t now = m.now();
            if (now >= *deadline_ms) {
                return WaitResult::Deadline;
            }
            const std::uint64_t left = std::min<std::uint64_t>(*deadline_ms - now, 1u << 30);
            got = SDL_WaitEventTimeout(&e, static_cast<int>(left));
        } else {
            got = SDL_WaitEvent(&e);
        }
        if (got == 1) {
            m.translate(e);
        } else if (!deadline_ms) {
            SDL_Delay(kAudioPollMs);  // the event source failed: do not spin on it
        }
    }
}

std::uint64_t SdlHost::now_ms() {
    return m_impl->now();
}

std::time_t SdlHost::calendar_time() {
    return std::time(nullptr);
}

const Settings& SdlHost::settings() const {
    return m_impl->settings;
}

bool SdlHost::play_wave(const WaveFormat& format, std::span<const std::byte> samples) {
    Impl& m = *m_impl;
    if (!m.settings.audio) {
        return false;
    }
    const bool supported = (format.channels == 1 || format.channels == 2) &&
                           (format.bits_per_sample == 8 || format.bits_per_sample == 16) &&
                           format.samples_per_sec > 0 && format.samples_per_sec <= 0x7FFFFFFF;
    if (!supported || !m.open_audio()) {
        return false;
    }
    const std::size_t block = std::size_t{format.channels} * (format.bits_per_sample / 8u);
    const std::size_t bytes = samples.size() - samples.size() % block;
    if (bytes == 0) {
        return true;
    }
    SDL_AudioStream* stream = SDL_NewAudioStream(
        format.bits_per_sample == 8 ? AUDIO_U8 : AUDIO_S16LSB, static_cast<Uint8>(format.channels),
        static_cast<int>(format.samples_per_sec), m.audio_spec.format, m.audio_spec.channels,
        m.audio_spec.freq);
    if (stream == nullptr) {
        return false;
    }
    // Converted in slices so a long wave never needs one huge buffer.
    bool ok = true;
    std::vector<std::byte> converted(64 * 1024);
    for (std::size_t at = 0; ok && at < bytes;) {
        const std::size_t n = std::min<std::size_t>(bytes - at, 16 * 1024);
        ok = SDL_AudioStreamPut(stream, samples.data() + at, static_cast<int>(n)) == 0;
        at += n;
        if (at == bytes && ok) {
            ok = SDL_AudioStreamFlush(stream) == 0;
        }
        for (int got = 1; ok && got > 0;) {
            got = SDL_AudioStreamGet(stream, converted.data(), static_cast<int>(converted.size()));
            if (got > 0) {
                ok = SDL_QueueAudio(m.audio, converted.data(), static_cast<Uint32>(got)) == 0;
            } else if (got < 0) {
                ok = false;
            }
        }
    }
    SDL_FreeAudioStream(stream);
    if (!ok) {
        SDL_ClearQueuedAudio(m.audio);
        return false;
    }

    // Wait for the queue to drain, then for the device's own buffer, queuing input meanwhile.
    const std::uint64_t length = wave_duration_ms(format, bytes);
    const std::uint64_t buffer_ms =
        m.audio_spec.freq > 0
            ? (std::uint64_t{m.audio_spec.samples} * 1000 + m.audio_spec.freq - 1) /
                  static_cast<std::uint64_t>(m.audio_spec.freq)
            : 0;
    const std::uint64_t give_up = m.now() + length + buffer_ms + kAudioGraceMs;
    while (SDL_GetQueuedAudioSize(m.audio) > 0) {
        if (m.now() >= give_up) {
            SDL_ClearQueuedAudio(m.audio);
            return false;
        }
        SDL_Event e;
        if (SDL_WaitEventTimeout(&e, kAudioPollMs) == 1) {
            m.translate(e);
        }
    }
    const std::uint64_t tail_end = m.now() + buffer_ms;
    while (m.now() < tail_end) {
        SDL_Event e;
        const int left = static_cast<int>(tail_end - m.now());
        if (SDL_WaitEventTimeout(&e, std::max(1, left)) == 1) {
            m.translate(e);
        }
    }
    return true;
}

}  // namespace host
