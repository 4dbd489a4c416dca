// Screen.cpp: the emulated display's mode, framebuffer and what hosts present.
#include "platform/win32/gdi/Screen.h"

#include "platform/win32/gdi/SystemPalette.h"

namespace gdi {

namespace {

struct ScreenState {
    int bits_per_pixel = 8;
    int driver_version = kDefaultDriverVersion;
    Surface surface{PixelFormat::Indexed8, kScreenWidth, kScreenHeight};
    std::uint64_t base_count = 0;  // carries the count across reconfiguration
};

// Desktop colour RGB(0,128,128): static index 6.
constexpr std::uint8_t kDesktopIndex = 6;
constexpr std::uint32_t kDesktopRgb = 0x008080;

ScreenState& state() {
    static ScreenState s = [] {
        ScreenState init;
        init.surface.fill(kDesktopIndex);
        return init;
    }();
    return s;
}

}  // namespace

bool configure_screen(int bits_per_pixel, int version) {
    if (bits_per_pixel != 8 && bits_per_pixel != 32) {
        return false;
    }
    ScreenState& s = state();
    s.base_count = screen_change_count() + 1;
    s.bits_per_pixel = bits_per_pixel;
    s.driver_version = version;
    const PixelFormat format = bits_per_pixel == 8 ? PixelFormat::Indexed8 : PixelFormat::Rgb32;
    s.surface = Surface(format, kScreenWidth, kScreenHeight);
    s.surface.fill(bits_per_pixel == 8 ? kDesktopIndex : kDesktopRgb);
    system_palette().reset();
    s.base_count -= s.surface.version() + system_palette().version();
    return true;
}

std::uint64_t screen_change_count() {
    const ScreenState& s = state();
    return s.base_count + s.surface.version() + system_palette().version();
}

ScreenFrame screen_frame() {
    ScreenState& s = state();
    ScreenFrame f;
    f.bits_per_pixel = s.bits_per_pixel;
    if (s.bits_per_pixel == 8) {
        f.indices = s.surface.bytes();
    } else {
        f.pixels = s.surface.words();
    }
    f.palette = system_palette().rgb();
    f.change_count = screen_change_count();
    return f;
}

Surface& screen_surface() {
    return state().surface;
}

int screen_bits_per_pixel() {
    return state().bits_per_pixel;
}

int driver_version() {
    return state().driver_version;
}

PixelFormat screen_format() {
    return state().bits_per_pixel == 8 ? PixelFormat::Indexed8 : PixelFormat::Rgb32;
}

}  // namespace gdi
