// Menu.cpp: menu handles (index and generation) and the calls that build and query menus.
#include "platform/win32/user/Menu.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>

namespace user {
namespace {

constexpr std::size_t kMaxMenus = 0xFFFF;
// Bits a caller may keep on an item; MF_BYPOSITION and MF_CHANGE only steer the call.
constexpr UINT kItemBits = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_OWNERDRAW | MF_SEPARATOR |
                           MF_MENUBARBREAK | MF_MENUBREAK | MF_DEFAULT;

struct Slot {
    std::unique_ptr<Menu> menu;
    std::uint32_t generation = 1;
};

std::vector<Slot>& slots() {
    static std::vector<Slot> table;
    return table;
}

// Handle value: generation in the high bits, index + 1 in the low 16, so NULL is never one.
HMENU make_handle(std::size_t index, std::uint32_t generation) {
    const auto value = (static_cast<std::uintptr_t>(generation) << 16) | (index + 1);
    return reinterpret_cast<HMENU>(value);
}

HMENU allocate_menu(bool popup) {
    auto& table = slots();
    std::size_t index = table.size();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].menu == nullptr) {
            index = i;
            break;
        }
    }
    if (index == table.size()) {
        if (table.size() >= kMaxMenus) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        table.emplace_back();
    }
    Slot& slot = table[index];
    slot.menu = std::make_unique<Menu>();
    slot.menu->handle = make_handle(index, slot.generation);
    slot.menu->popup = popup;
    return slot.menu->handle;
}

// The index of the item `item` names (a position with MF_BYPOSITION, else a command id).
std::optional<std::size_t> find_item(const Menu& menu, UINT item, UINT flags) {
    if (flags & MF_BYPOSITION) {
        if (item < menu.items.size()) {
            return item;
        }
        return std::nullopt;
    }
    for (std::size_t i = 0; i < menu.items.size(); ++i) {
        if (!is_separator(menu.items[i]) && menu.items[i].id == item) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> item_or_error(const Menu& menu, UINT item, UINT flags) {
    std::optional<std::size_t> index = find_item(menu, item, flags);
    if (!index) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
    }
    return index;
}

// An item as AppendMenuA and friends describe it; false (with the last error) when refused.
bool make_item(UINT flags, UINT_PTR id, LPCSTR content, MenuItem& out) {
    if (flags & (MF_POPUP | MF_BITMAP)) {
        SetLastError(ERROR_INVALID_PARAMETER);  // FIXME: cascading menus and bitmap items
        return false;
    }
    MenuItem item;
    item.flags = flags & kItemBits;
    if (item.flags & MF_SEPARATOR) {
        item.flags = MF_SEPARATOR;
        out = item;
        return true;
    }
    item.id = id;
    if (item.flags & MF_OWNERDRAW) {
        item.data = reinterpret_cast<ULONG_PTR>(content);
    } else if (content != nullptr) {
        item.text = content;
    }
    out = std::move(item);
    return true;
}

// Keeps MF_DEFAULT on one item at most: the one at `keep`.
void clear_other_defaults(Menu& menu, std::size_t keep) {
    if ((menu.items[keep].flags & MF_DEFAULT) == 0) {
        return;
    }
    for (std::size_t i = 0; i < menu.items.size(); ++i) {
        if (i != keep) {
            menu.items[i].flags &= ~static_cast<UINT>(MF_DEFAULT);
        }
    }
}

}  // namespace

Menu* find_menu(HMENU menu) {
    const auto value = reinterpret_cast<std::uintptr_t>(menu);
    const std::size_t low = value & 0xFFFF;
    if (low == 0 || low > slots().size()) {
        return nullptr;
    }
    Slot& slot = slots()[low - 1];
    if (slot.menu == nullptr || (value >> 16) != slot.generation) {
        return nullptr;
    }
    return slot.menu.get();
}

Menu* menu_or_error(HMENU menu) {
    Menu* m = find_menu(menu);
    if (m == nullptr) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
    }
    return m;
}

std::size_t live_menu_count() {
    return static_cast<std::size_t>(std::count_if(slots().begin(), slots().end(),
                                                  [](const Slot& s) { return s.menu != nullptr; }));
}

}  // namespace user

using namespace user;

HMENU CreateMenu() {
    return allocate_menu(false);
}

HMENU CreatePopupMenu() {
    return allocate_menu(true);
}

BOOL DestroyMenu(HMENU menu) {
    if (menu_or_error(menu) == nullptr) {
        return FALSE;
    }
    const std::size_t index = (reinterpret_cast<std::uintptr_t>(menu) & 0xFFFF) - 1;
    Slot& slot = slots()[index];
    slot.menu.reset();
    ++slot.generation;
    if (slot.generation > 0xFFFF) {
        slot.generation = 1;
    }
    return TRUE;
}

BOOL IsMenu(HMENU menu) {
    return menu_or_error(menu) != nullptr ? TRUE : FALSE;
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, LPCSTR content) {
    Menu* m = menu_or_error(menu);
    MenuItem item;
    if (m == nullptr || !make_item(flags, id, content, item)) {
        return FALSE;
    }
    m->items.push_back(std::move(item));
    clear_other_defaults(*m, m->items.size() - 1);
    return TRUE;
}

BOOL InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR content) {
    Menu* m = menu_or_error(menu);
    MenuItem item;
    if (m == nullptr || !make_item(flags, id, content, item)) {
        return FALSE;
    }
    std::size_t at = m->items.size();
    if ((flags & MF_BYPOSITION) == 0 || position < m->items.size()) {
        const std::optional<std::size_t> index = item_or_error(*m, position, flags);
        if (!index) {
            return FALSE;
        }
        at = *index;
    }
    m->items.insert(m->items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
    clear_other_defaults(*m, at);
    return TRUE;
}

BOOL ModifyMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR content) {
    Menu* m = menu_or_error(menu);
    if (m == nullptr) {
        return FALSE;
    }
    const std::optional<std::size_t> index = item_or_error(*m, position, flags);
    MenuItem item;
    if (!index || !make_item(flags, id, content, item)) {
        return FALSE;
    }
    m->items[*index] = std::move(item);
    clear_other_defaults(*m, *index);
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
    return RemoveMenu(menu, position, flags);
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
    Menu* m = menu_or_error(menu);
    if (m == nullptr) {
        return FALSE;
    }
    const std::optional<std::size_t> index = item_or_error(*m, position, flags);
    if (!index) {
        return FALSE;
    }
    m->items.erase(m->items.begin() + static_cast<std::ptrdiff_t>(*index));
    return TRUE;
}

DWORD EnableMenuItem(HMENU menu, UINT item, UINT enable) {
    Menu* m = menu_or_error(menu);
    if (m == nullptr) {
        return static_cast<DWORD>(-1);
    }
    const std::optional<std::size_t> index = find_item(*m, item, enable);
    if (!index) {
        return static_cast<DWORD>(-1);
    }
    constexpr UINT kState = MF_GRAYED | MF_DISABLED;
    UINT& flags = m->items[*index].flags;
    const DWORD previous = flags & kState;
    flags = (flags & ~kState) | (enable & kState);
    return previous;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT check) {
    Menu* m = menu_or_error(menu);
    if (m == nullptr) {
        return static_cast<DWORD>(-1);
    }
    const std::optional<std::size_t> index = find_item(*m, item, check);
    if (!index) {
        return static_cast<DWORD>(-1);
    }
    UINT& flags = m->items[*index].flags;
    const DWORD previous = flags & MF_CHECKED;
    flags = (flags & ~static_cast<UINT>(MF_CHECKED)) | (check & MF_CHECKED);
    return previous;
}

int GetMenuItemCount(HMENU menu) {
    const Menu* m = menu_or_error(menu);
    return m == nullptr ? -1 : static_cast<int>(m->items.size());
}

UINT GetMenuItemID(HMENU menu, int position) {
    const Menu* m = menu_or_error(menu);
    if (m == nullptr || position < 0 || static_cast<std::size_t>(position) >= m->items.size()) {
        return static_cast<UINT>(-1);
    }
    return static_cast<UINT>(m->items[static_cast<std::size_t>(position)].id);
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    const Menu* m = menu_or_error(menu);
    if (m == nullptr) {
        return static_cast<UINT>(-1);
    }
    const std::optional<std::size_t> index = item_or_error(*m, item, flags);
    return index ? m->items[*index].flags : static_cast<UINT>(-1);
}

int GetMenuStringA(HMENU menu, UINT item, LPSTR buffer, int buffer_max, UINT flags) {
    const Menu* m = menu_or_error(menu);
    if (m == nullptr) {
        return 0;
    }
    const std::optional<std::size_t> index = item_or_error(*m, item, flags);
    if (!index) {
        return 0;
    }
    const std::string& text = m->items[*index].text;
    if (buffer == nullptr || buffer_max <= 0) {
        return static_cast<int>(text.size());
    }
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(buffer_max) - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT by_position) {
    Menu* m = menu_or_error(menu);
    if (m == nullptr) {
        return FALSE;
    }
    std::optional<std::size_t> index;
    if (item != static_cast<UINT>(-1)) {
        index = item_or_error(*m, item, by_position ? MF_BYPOSITION : MF_BYCOMMAND);
        if (!index || is_separator(m->items[*index])) {
            SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
            return FALSE;
        }
    }
    for (MenuItem& it : m->items) {
        it.flags &= ~static_cast<UINT>(MF_DEFAULT);
    }
    if (index) {
        m->items[*index].flags |= MF_DEFAULT;
    }
    return TRUE;
}

UINT GetMenuDefaultItem(HMENU menu, UINT by_position, UINT) {
    const Menu* m = menu_or_error(menu);
    if (m == nullptr) {
        return static_cast<UINT>(-1);
    }
    for (std::size_t i = 0; i < m->items.size(); ++i) {
        if (m->items[i].flags & MF_DEFAULT) {
            return by_position ? static_cast<UINT>(i) : static_cast<UINT>(m->items[i].id);
        }
    }
    SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
    return static_cast<UINT>(-1);
}
