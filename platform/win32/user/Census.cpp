// Census.cpp: the engine's live objects counted table by table.
#include "platform/win32/user/Census.h"

#include "platform/win32/gdi/GdiObjects.h"
#include "platform/win32/user/Menu.h"
#include "platform/win32/windows.h"

namespace user {

Census take_census() {
    Census c;
    const gdi::ObjectTable& table = gdi::objects();
    c.saved_bits = saved_bits_count();
    c.bitmaps = table.alive_count(gdi::ObjectKind::Bitmap) - c.saved_bits;
    c.palettes = table.alive_count(gdi::ObjectKind::Palette);
    c.pens = table.alive_count(gdi::ObjectKind::Pen);
    c.brushes = table.alive_count(gdi::ObjectKind::Brush);
    c.fonts = table.alive_count(gdi::ObjectKind::Font);
    c.icons = table.alive_count(gdi::ObjectKind::Icon);
    c.dcs = table.alive_count(gdi::ObjectKind::Dc);
    c.windows = live_window_count();
    c.menus = live_menu_count();
    c.timers = live_timer_count();
    c.global_blocks = GlobalAliveCountForTest();
    c.posted = queued_posted_count();
    c.input = queued_input_count();
    return c;
}

}  // namespace user
