// LoadString.cpp: LoadStringA over UTF-16 string-table blocks, converted to Windows-1250.
#include "platform/win32/cp1250.h"
#include "platform/win32/kernel/ResourceModules.h"
#include "platform/win32/winbase.h"
#include "platform/win32/winuser.h"

#include <string>

namespace {

constexpr UINT kStringsPerBlock = 16;

// String `index` of a block: 16 strings, each a WORD length and that many UTF-16 units.
// False when the block is too short to hold it.
bool string_in_block(std::span<const std::byte> block, UINT index, std::u16string& out) {
    std::size_t pos = 0;
    for (UINT i = 0;; ++i) {
        if (pos + 2 > block.size()) {
            return false;
        }
        const std::size_t length = std::to_integer<std::size_t>(block[pos]) |
                                   (std::to_integer<std::size_t>(block[pos + 1]) << 8);
        pos += 2;
        if (length * 2 > block.size() - pos) {
            return false;
        }
        if (i == index) {
            out.resize(length);
            for (std::size_t k = 0; k < length; ++k) {
                out[k] =
                    static_cast<char16_t>(std::to_integer<unsigned>(block[pos + 2 * k]) |
                                          (std::to_integer<unsigned>(block[pos + 2 * k + 1]) << 8));
            }
            return true;
        }
        pos += length * 2;
    }
}

}  // namespace

int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int buffer_max) {
    if (buffer == nullptr || buffer_max <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    buffer[0] = '\0';
    const UINT block_id = (id & 0xFFFF) / kStringsPerBlock + 1;
    const kernel::ResourceEntry* e = kernel::find_resource_entry(
        instance, MAKEINTRESOURCEA(static_cast<WORD>(block_id)), RT_STRING);
    if (e == nullptr) {
        return 0;
    }
    std::u16string text;
    if (!string_in_block(e->data, id % kStringsPerBlock, text)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    if (text.empty()) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    const std::size_t n = cp1250::utf16_to_cp1250(
        text, std::span<char>(buffer, static_cast<std::size_t>(buffer_max - 1)));
    buffer[n] = '\0';
    return static_cast<int>(n);
}
