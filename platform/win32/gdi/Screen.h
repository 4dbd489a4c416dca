// Screen.h: the emulated display: its mode, framebuffer and system palette, for hosts.
#pragma once

#include "platform/win32/gdi/Surface.h"

#include <cstdint>
#include <span>

namespace gdi {

inline constexpr int kScreenWidth = 640;
inline constexpr int kScreenHeight = 480;
inline constexpr int kDefaultDriverVersion = 0x400;

// Sets the display mode (8: 256-colour palette, 32: true colour) and the driver version that
// GetDeviceCaps reports, and starts a fresh screen: desktop colour, static colours only.
// Hosts call it before the program starts. FALSE for an unknown depth.
bool configure_screen(int bits_per_pixel, int driver_version = kDefaultDriverVersion);

// What a host presents: 8-bit indices shown through the system palette, or 0x00RRGGBB
// pixels. The spans stay valid until the next configure_screen.
struct ScreenFrame {
    int width = kScreenWidth;
    int height = kScreenHeight;
    int bits_per_pixel = 8;
    std::span<const std::uint8_t> indices;   // 8-bit mode, width x height
    std::span<const std::uint32_t> pixels;   // 32-bit mode, width x height
    std::span<const std::uint32_t> palette;  // the system palette, 256 x 0x00RRGGBB
    std::uint64_t change_count = 0;          // grows whenever pixels or palette change
};
ScreenFrame screen_frame();
// Cheap check before taking a frame.
std::uint64_t screen_change_count();

// Engine side.
Surface& screen_surface();
int screen_bits_per_pixel();
int driver_version();
PixelFormat screen_format();

}  // namespace gdi
