// GlobalMemory.cpp: movable global memory blocks behind generation-checked handles.
#include "platform/win32/winbase.h"

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

namespace {

struct Block {
    std::unique_ptr<std::byte[]> data;
    SIZE_T size = 0;
    unsigned lock_count = 0;
    std::uint16_t generation = 0;
    bool alive = false;
};

std::vector<Block>& blocks() {
    static std::vector<Block> table;
    return table;
}

// Handle value: (generation << 16 | index + 1) << 4 | tag, never null and never a valid pointer.
constexpr std::uintptr_t kTag = 0x9;

HGLOBAL make_handle(std::size_t index, std::uint16_t generation) {
    const std::uintptr_t v = ((static_cast<std::uintptr_t>(generation) << 16) | (index + 1)) << 4;
    return reinterpret_cast<HGLOBAL>(v | kTag);
}

Block* lookup(HGLOBAL handle) {
    const auto v = reinterpret_cast<std::uintptr_t>(handle);
    if ((v & 0xF) != kTag) {
        return nullptr;
    }
    const std::uintptr_t body = v >> 4;
    const std::size_t index = (body & 0xFFFF);
    const auto generation = static_cast<std::uint16_t>(body >> 16);
    if (index == 0 || index > blocks().size()) {
        return nullptr;
    }
    Block& b = blocks()[index - 1];
    if (!b.alive || b.generation != generation) {
        return nullptr;
    }
    return &b;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
    auto& table = blocks();
    std::size_t index = 0;
    while (index < table.size() && table[index].alive) {
        ++index;
    }
    if (index == table.size()) {
        if (table.size() >= 0xFFFF) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        table.emplace_back();
    }
    Block& b = table[index];
    // Zero-size blocks still get storage so a lock returns a distinct pointer.
    b.data.reset(new (std::nothrow) std::byte[bytes == 0 ? 1 : bytes]);
    if (!b.data) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (flags & GMEM_ZEROINIT) {
        std::fill_n(b.data.get(), bytes == 0 ? 1 : bytes, std::byte{0});
    }
    b.size = bytes;
    b.lock_count = 0;
    b.alive = true;
    // A 32-bit handle (the browser build) has room for 12 bits of generation.
    b.generation =
        static_cast<std::uint16_t>((b.generation + 1) & (sizeof(HGLOBAL) >= 8 ? 0xFFFF : 0xFFF));
    return make_handle(index, b.generation);
}

LPVOID GlobalLock(HGLOBAL mem) {
    Block* b = lookup(mem);
    if (b == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    ++b->lock_count;
    return b->data.get();
}

BOOL GlobalUnlock(HGLOBAL mem) {
    Block* b = lookup(mem);
    if (b == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (b->lock_count > 0) {
        --b->lock_count;
    }
    // Like the platform: nonzero while still locked, FALSE with no error once unlocked.
    SetLastError(ERROR_SUCCESS);
    return b->lock_count > 0 ? TRUE : FALSE;
}

HGLOBAL GlobalFree(HGLOBAL mem) {
    Block* b = lookup(mem);
    if (b == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return mem;
    }
    b->data.reset();
    b->size = 0;
    b->lock_count = 0;
    b->alive = false;
    return nullptr;
}

SIZE_T GlobalSize(HGLOBAL mem) {
    const Block* b = lookup(mem);
    return b == nullptr ? 0 : b->size;
}

std::size_t GlobalAliveCountForTest() {
    std::size_t n = 0;
    for (const Block& b : blocks()) {
        n += b.alive ? 1 : 0;
    }
    return n;
}
