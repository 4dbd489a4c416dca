// ProgramProbe.cpp: looking at a running program from a test: windows, screen, painted text,
// input and waves.
#include "tests/app/ProgramProbe.h"

#include "platform/win32/user/WindowManager.h"

#include <sstream>

namespace probe {

std::vector<HWND> visible_windows() {
    std::vector<HWND> out;
    for (HWND hwnd : user::top_level_windows()) {
        const user::Window* w = user::find_window(hwnd);
        if (w != nullptr && (w->style & WS_VISIBLE) != 0) {
            out.push_back(hwnd);
        }
    }
    return out;
}

std::string window_text(HWND hwnd) {
    const user::Window* w = user::find_window(hwnd);
    return w != nullptr ? w->text : std::string();
}

bool shows_text(const std::string& text) {
    std::vector<HWND> todo = visible_windows();
    while (!todo.empty()) {
        const user::Window* w = user::find_window(todo.back());
        todo.pop_back();
        if (w != nullptr && w->text == text) {
            return true;
        }
        if (w != nullptr) {
            todo.insert(todo.end(), w->children.begin(), w->children.end());
        }
    }
    return false;
}

std::string class_name(HWND hwnd) {
    const user::Window* w = user::find_window(hwnd);
    return w != nullptr && w->window_class != nullptr ? w->window_class->name : std::string();
}

HWND find_class(const std::string& name) {
    for (HWND hwnd : visible_windows()) {
        if (class_name(hwnd) == name) {
            return hwnd;
        }
    }
    return nullptr;
}

RECT window_rect(HWND hwnd) {
    const user::Window* w = user::find_window(hwnd);
    return w != nullptr ? user::screen_window_rect(*w) : RECT{};
}

RECT client_rect(HWND hwnd) {
    const user::Window* w = user::find_window(hwnd);
    return w != nullptr ? user::screen_client_rect(*w) : RECT{};
}

POINT centre_of(HWND hwnd) {
    const RECT r = window_rect(hwnd);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::vector<std::uint32_t> grab(const host::HeadlessHost& host, const RECT& screen) {
    std::vector<std::uint32_t> px;
    for (int y = screen.top; y < screen.bottom; ++y) {
        for (int x = screen.left; x < screen.right; ++x) {
            px.push_back(host.colorref_at(x, y));
        }
    }
    return px;
}

std::string compare_text(const host::HeadlessHost& host, const std::string& text, int x, int y,
                         COLORREF colour) {
    // The text painted black on white in a memory DC: its black pixels are the ink.
    HDC dc = CreateCompatibleDC(nullptr);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    HBITMAP bitmap = CreateBitmap(size.cx, size.cy, 1, 1, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, size.cx, size.cy};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
    std::ostringstream out;
    int mismatches = 0;
    for (int row = 0; row < size.cy; ++row) {
        for (int col = 0; col < size.cx; ++col) {
            const bool ink = GetPixel(dc, col, row) == RGB(0, 0, 0);
            if (ink != (host.colorref_at(x + col, y + row) == colour) && ++mismatches <= 5) {
                out << "(" << x + col << "," << y + row << ") "
                    << (ink ? "lacks the text colour" : "has the text colour off the text") << "; ";
            }
        }
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    if (mismatches > 0) {
        out << mismatches << " pixels differ";
    }
    return out.str();
}

void push_mouse(host::HeadlessHost& host, int x, int y, host::MouseButton button) {
    host::Event e;
    e.x = x;
    e.y = y;
    host.push_event(e);
    if (button == host::MouseButton::None) {
        return;
    }
    e.button = button;
    e.type = host::EventType::MouseDown;
    e.buttons = button == host::MouseButton::Left ? host::kButtonLeft : host::kButtonRight;
    host.push_event(e);
    e.type = host::EventType::MouseUp;
    e.buttons = 0;
    host.push_event(e);
}

void push_key(host::HeadlessHost& host, std::uint16_t vk, std::uint8_t modifiers, std::uint8_t ch) {
    host::Event e;
    e.type = host::EventType::KeyDown;
    e.vk = vk;
    e.ch = ch;
    e.modifiers = modifiers;
    host.push_event(e);
    e.type = host::EventType::KeyUp;
    e.ch = 0;
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
