// WindowTable.cpp: window handles (index and generation), z-order lists and coordinates.
#include "platform/win32/user/WindowTable.h"

#include "platform/win32/user/Census.h"

#include <algorithm>
#include <cstdint>

namespace user {
namespace {

constexpr std::size_t kMaxWindows = 0xFFFF;

struct Slot {
    std::unique_ptr<Window> window;
    std::uint32_t generation = 1;
};

std::vector<Slot>& slots() {
    static std::vector<Slot> table;
    return table;
}

std::vector<HWND>& tops() {
    static std::vector<HWND> list;
    return list;
}

// Handle value: generation in the high bits, index + 1 in the low 16, so NULL is never one.
HWND make_handle(std::size_t index, std::uint32_t generation) {
    const auto value = (static_cast<std::uintptr_t>(generation) << 16) | (index + 1);
    return reinterpret_cast<HWND>(value);
}

}  // namespace

Window* find_window(HWND hwnd) {
    const auto value = reinterpret_cast<std::uintptr_t>(hwnd);
    const std::size_t low = value & 0xFFFF;
    if (low == 0 || low > slots().size()) {
        return nullptr;
    }
    Slot& slot = slots()[low - 1];
    if (slot.window == nullptr || (value >> 16) != slot.generation) {
        return nullptr;
    }
    return slot.window.get();
}

Window* window_or_error(HWND hwnd) {
    Window* w = find_window(hwnd);
    if (w == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    }
    return w;
}

Window* allocate_window() {
    auto& table = slots();
    std::size_t index = table.size();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].window == nullptr) {
            index = i;
            break;
        }
    }
    if (index == table.size()) {
        if (table.size() >= kMaxWindows) {
            return nullptr;
        }
        table.emplace_back();
    }
    Slot& slot = table[index];
    slot.window = std::make_unique<Window>();
    slot.window->handle = make_handle(index, slot.generation);
    return slot.window.get();
}

void free_window(HWND hwnd) {
    const std::size_t index = (reinterpret_cast<std::uintptr_t>(hwnd) & 0xFFFF) - 1;
    Slot& slot = slots()[index];
    slot.window.reset();
    // Wrapping would let an old handle match again after 2^16 reuses of one slot at worst
    // on 32-bit builds; 64-bit handles keep all 32 bits of the generation.
    ++slot.generation;
    if (slot.generation == 0) {
        slot.generation = 1;
    }
}

std::size_t live_window_count() {
    std::size_t n = 0;
    for (const Slot& s : slots()) {
        n += s.window != nullptr ? 1 : 0;
    }
    return n;
}

std::size_t saved_bits_count() {
    std::size_t n = 0;
    for (const Slot& s : slots()) {
        n += s.window != nullptr && s.window->saved_bits != nullptr ? 1 : 0;
    }
    return n;
}

const std::vector<HWND>& top_level_windows() {
    return tops();
}

std::vector<HWND>& sibling_list(Window& window) {
    if (Window* parent = find_window(window.parent)) {
        return parent->children;
    }
    return tops();
}

void unlink_window(Window& window) {
    auto& list = sibling_list(window);
    list.erase(std::remove(list.begin(), list.end(), window.handle), list.end());
}

void link_window(Window& window, HWND insert_after) {
    auto& list = sibling_list(window);
    list.erase(std::remove(list.begin(), list.end(), window.handle), list.end());
    // Top-level windows keep the topmost ones ahead: [begin, group_start) and [group_start,
    // group_end) bound where this window may go.
    auto group_start = list.begin();
    auto group_end = list.end();
    if (window.parent == nullptr) {
        auto first_plain = std::find_if(list.begin(), list.end(), [](HWND h) {
            const Window* w = find_window(h);
            return w == nullptr || (w->ex_style & WS_EX_TOPMOST) == 0;
        });
        if (window.ex_style & WS_EX_TOPMOST) {
            group_end = first_plain;
        } else {
            group_start = first_plain;
        }
    }
    std::vector<HWND>::iterator at;
    if (insert_after == HWND_TOP || insert_after == HWND_TOPMOST ||
        insert_after == HWND_NOTOPMOST) {
        at = group_start;
    } else if (insert_after == HWND_BOTTOM) {
        at = group_end;
    } else {
        auto it = std::find(group_start, group_end, insert_after);
        if (it != group_end) {
            at = it + 1;
        } else {
            // A window outside this group: ahead of the group if it lies behind, else first.
            at = std::find(list.begin(), group_start, insert_after) != group_start ? group_start
                                                                                   : group_end;
        }
    }
    list.insert(at, window.handle);
}

POINT client_origin(const Window& window) {
    POINT origin{window.client.left, window.client.top};
    for (const Window* p = find_window(window.parent); p != nullptr; p = find_window(p->parent)) {
        origin.x += p->client.left;
        origin.y += p->client.top;
    }
    return origin;
}

static POINT parent_origin(const Window& window) {
    if (const Window* parent = find_window(window.parent)) {
        return client_origin(*parent);
    }
    return POINT{0, 0};
}

RECT screen_window_rect(const Window& window) {
    RECT rc = window.rect;
    const POINT o = parent_origin(window);
    OffsetRect(&rc, o.x, o.y);
    return rc;
}

RECT screen_client_rect(const Window& window) {
    RECT rc = window.client;
    const POINT o = parent_origin(window);
    OffsetRect(&rc, o.x, o.y);
    return rc;
}

bool is_visible(const Window& window) {
    for (const Window* w = &window; w != nullptr; w = find_window(w->parent)) {
        if ((w->style & WS_VISIBLE) == 0) {
            return false;
        }
    }
    return true;
}

}  // namespace user
