// ProgramProbe.cpp: looking at a running program from a test: windows, painted text, waves.
#include "tests/app/ProgramProbe.h"

#include "platform/win32/user/WindowManager.h"

#include <sstream>

namespace probe {

std::string window_text(HWND hwnd) {
    const user::Window* w = user::find_window(hwnd);
    return w != nullptr ? w->text : std::string();
}

HWND find_top_level(const std::string& text) {
    for (HWND hwnd : user::top_level_windows()) {
        const user::Window* w = user::find_window(hwnd);
        if (w != nullptr && (w->style & WS_VISIBLE) != 0 && w->text == text) {
            return hwnd;
        }
    }
    return nullptr;
}

bool shows_text(HWND hwnd, const std::string& text) {
    const user::Window* w = user::find_window(hwnd);
    if (w == nullptr) {
        return false;
    }
    if (w->text == text) {
        return true;
    }
    for (HWND child : w->children) {
        if (shows_text(child, text)) {
            return true;
        }
    }
    return false;
}

HWND find_showing(const std::string& text) {
    for (HWND hwnd : user::top_level_windows()) {
        const user::Window* w = user::find_window(hwnd);
        if (w != nullptr && (w->style & WS_VISIBLE) != 0 && shows_text(hwnd, text)) {
            return hwnd;
        }
    }
    return nullptr;
}

HWND find_class(const std::string& class_name) {
    for (HWND hwnd : user::top_level_windows()) {
        const user::Window* w = user::find_window(hwnd);
        if (w != nullptr && (w->style & WS_VISIBLE) != 0 && w->window_class != nullptr &&
            w->window_class->name == class_name) {
            return hwnd;
        }
    }
    return nullptr;
}

HWND front_window() {
    for (HWND hwnd : user::top_level_windows()) {
        const user::Window* w = user::find_window(hwnd);
        if (w != nullptr && (w->style & WS_VISIBLE) != 0) {
            return hwnd;
        }
    }
    return nullptr;
}

int visible_top_level_count() {
    int count = 0;
    for (HWND hwnd : user::top_level_windows()) {
        const user::Window* w = user::find_window(hwnd);
        count += w != nullptr && (w->style & WS_VISIBLE) != 0 ? 1 : 0;
    }
    return count;
}

RECT window_rect(HWND hwnd) {
    const user::Window* w = user::find_window(hwnd);
    return w != nullptr ? user::screen_window_rect(*w) : RECT{};
}

RECT client_rect(HWND hwnd) {
    const user::Window* w = user::find_window(hwnd);
    return w != nullptr ? user::screen_client_rect(*w) : RECT{};
}

TextMask render_text(const std::string& text) {
    TextMask mask;
    HDC dc = CreateCompatibleDC(nullptr);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    mask.width = size.cx;
    mask.height = size.cy;
    mask.ink.assign(static_cast<size_t>(size.cx * size.cy), false);
    HBITMAP bitmap = CreateBitmap(size.cx, size.cy, 1, 1, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, size.cx, size.cy};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            mask.ink[static_cast<size_t>(y * size.cx + x)] = GetPixel(dc, x, y) == RGB(0, 0, 0);
        }
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return mask;
}

std::string compare_text(const host::HeadlessHost& host, const TextMask& mask, int x, int y,
                         COLORREF colour) {
    std::ostringstream out;
    int mismatches = 0;
    for (int row = 0; row < mask.height; ++row) {
        for (int col = 0; col < mask.width; ++col) {
            const bool expected = mask.at(col, row);
            const bool painted = host.colorref_at(x + col, y + row) == colour;
            if (expected != painted && ++mismatches <= 5) {
                out << "(" << x + col << "," << y + row << ") "
                    << (expected ? "lacks the text colour" : "has the text colour off the text")
                    << "; ";
            }
        }
    }
    if (mismatches > 0) {
        out << mismatches << " pixels differ";
    }
    return out.str();
}

void push_click(host::HeadlessHost& host, int x, int y) {
    host::Event e;
    e.x = x;
    e.y = y;
    e.type = host::EventType::MouseMove;
    host.push_event(e);
    e.type = host::EventType::MouseDown;
    e.button = host::MouseButton::Left;
    e.buttons = host::kButtonLeft;
    host.push_event(e);
    e.type = host::EventType::MouseUp;
    e.buttons = 0;
    host.push_event(e);
}

void push_key(host::HeadlessHost& host, std::uint16_t vk) {
    host::Event e;
    e.type = host::EventType::KeyDown;
    e.vk = vk;
    host.push_event(e);
    e.type = host::EventType::KeyUp;
    host.push_event(e);
}

UINT wave_id(const host::PlayedWave& wave) {
    for (UINT id = 143; id <= 154; ++id) {
        HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(static_cast<WORD>(id)), "SOUND");
        if (found == nullptr) {
            continue;
        }
        const auto* data =
            static_cast<const std::byte*>(LockResource(LoadResource(nullptr, found)));
        const DWORD size = SizeofResource(nullptr, found);
        if (data != nullptr && wave.source >= data && wave.source < data + size) {
            return id;
        }
    }
    return 0;
}

std::vector<UINT> wave_ids(const host::HeadlessHost& host) {
    std::vector<UINT> ids;
    for (const host::PlayedWave& wave : host.waves()) {
        ids.push_back(wave_id(wave));
    }
    return ids;
}

}  // namespace probe
