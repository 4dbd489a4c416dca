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

}  // namespace

struct SdlHost::Impl {
    Settings settings;
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int screen_w = kScreenWidth;
    int screen_h = kScreenHeight;
    std::vector<std::uint32_t> shown;    // what the texture holds, 0x00RRGGBB
    std::vector<std::uint32_t> scratch;  // the frame being presented
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
        if (texture != nullptr)
            SDL_DestroyTexture(texture);
        if (renderer != nullptr)
            SDL_DestroyRenderer(renderer);
        if (window != nullptr)
            SDL_DestroyWindow(window);
        SDL_Quit();
    }

    std::uint64_t now() const { return SDL_GetTicks64() - start_ticks; }

    void redraw() {
        int out_w = 0;
        int out_h = 0;
        SDL_GetRendererOutputSize(renderer, &out_w, &out_h);
        viewport = place_screen(out_w, out_h, screen_w, screen_h, settings.scale);
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        if (have_frame) {
            const SDL_Rect dst{viewport.x, viewport.y, screen_w * viewport.scale,
                               screen_h * viewport.scale};
            SDL_RenderCopy(renderer, texture, nullptr, &dst);
        }
        SDL_RenderPresent(renderer);
    }

    bool ensure_texture(int w, int h) {
        if (texture != nullptr && w == screen_w && h == screen_h) {
            return true;
        }
        if (texture != nullptr)
            SDL_DestroyTexture(texture);
        texture =
            SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, w, h);
        screen_w = w;
        screen_h = h;
        have_frame = false;
        shown.clear();
        return texture != nullptr;
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
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
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
    impl->renderer = SDL_CreateRenderer(impl->window, -1, 0);
    if (impl->renderer == nullptr) {
        impl->renderer = SDL_CreateRenderer(impl->window, -1, SDL_RENDERER_SOFTWARE);
    }
    if (impl->renderer == nullptr) {
        return fail("SDL_CreateRenderer");
    }
    if (!impl->ensure_texture(kScreenWidth, kScreenHeight)) {
        return fail("SDL_CreateTexture");
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
    if (m.have_frame && frame.width == m.screen_w && frame.height == m.screen_h &&
        m.scratch == m.shown) {
        return;  // nothing changed on screen
    }
    if (!m.ensure_texture(frame.width, frame.height)) {
        return;
    }
    SDL_UpdateTexture(m.texture, nullptr, m.scratch.data(),
                      frame.width * static_cast<int>(sizeof(std::uint32_t)));
    m.shown.swap(m.scratch);
    m.have_frame = true;
    m.redraw();
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
