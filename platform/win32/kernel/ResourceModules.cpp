// ResourceModules.cpp: the table of installed resource images behind generation-checked handles.
#include "platform/win32/kernel/ResourceModules.h"

#include "platform/win32/cp1250.h"
#include "platform/win32/kernel/ResourceBounds.h"
#include "platform/win32/winbase.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace kernel {

namespace {

struct Module {
    std::span<const std::byte> image;
    std::vector<ResourceEntry> entries;
    std::uint16_t generation = 0;
    bool alive = false;
};

struct ModuleTable {
    std::vector<Module> slots;
    std::optional<std::size_t> program;
};

ModuleTable& table() {
    static ModuleTable t;
    return t;
}

constexpr std::size_t kMaxModules = 0xFF;
constexpr std::uintptr_t kModuleTag = 0xB;
constexpr std::uintptr_t kResourceTag = 0xC;
// A 32-bit handle (the browser build) keeps 8 bits of generation and 12 of entry, so that a
// resource handle still fits.
constexpr bool kWideHandles = sizeof(std::uintptr_t) >= 8;
constexpr std::uintptr_t kEntryBits = kWideHandles ? 20 : 12;
constexpr unsigned kGenerationBits = kWideHandles ? 16 : 8;
constexpr std::uint16_t kGenerationMask = (1u << kGenerationBits) - 1;

// Module handle: (generation << 8 | slot + 1) << 4 | tag; never null, never a valid pointer.
std::uintptr_t module_key(std::size_t slot, std::uint16_t generation) {
    return (static_cast<std::uintptr_t>(generation & kGenerationMask) << 8) | (slot + 1);
}

HINSTANCE make_module_handle(std::size_t slot, std::uint16_t generation) {
    return reinterpret_cast<HINSTANCE>((module_key(slot, generation) << 4) | kModuleTag);
}

std::optional<std::size_t> slot_of(std::uintptr_t key) {
    const std::size_t slot = key & 0xFF;
    const auto generation = static_cast<std::uint16_t>(key >> 8);
    if (slot == 0 || slot > table().slots.size() || (key >> (8 + kGenerationBits)) != 0) {
        return std::nullopt;
    }
    const Module& m = table().slots[slot - 1];
    if (!m.alive || (m.generation & kGenerationMask) != generation) {
        return std::nullopt;
    }
    return slot - 1;
}

Module* lookup_module(HINSTANCE handle) {
    if (handle == nullptr) {
        if (!table().program) {
            return nullptr;
        }
        return &table().slots[*table().program];
    }
    const auto v = reinterpret_cast<std::uintptr_t>(handle);
    if ((v & 0xF) != kModuleTag) {
        return nullptr;
    }
    const auto slot = slot_of(v >> 4);
    return slot ? &table().slots[*slot] : nullptr;
}

std::uintptr_t address(const void* p) {
    return reinterpret_cast<std::uintptr_t>(p);
}

char16_t fold(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

// A type or name as the caller gave it: integer, "#123", or a string.
ResourceId requested_id(LPCSTR p) {
    ResourceId id;
    if (IS_INTRESOURCE(p)) {
        id.id = static_cast<std::uint16_t>(reinterpret_cast<std::uintptr_t>(p));
        return id;
    }
    const std::string_view text(p);
    if (text.size() > 1 && text.size() <= 6 && text[0] == '#' &&
        std::all_of(text.begin() + 1, text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        unsigned long value = 0;
        for (char c : text.substr(1)) {
            value = value * 10 + static_cast<unsigned long>(c - '0');
        }
        if (value <= 0xFFFF) {
            id.id = static_cast<std::uint16_t>(value);
            return id;
        }
    }
    id.is_integer = false;
    id.name = cp1250::cp1250_to_utf16(text);
    return id;
}

bool matches(const ResourceId& stored, const ResourceId& wanted) {
    if (stored.is_integer || wanted.is_integer) {
        return stored.is_integer == wanted.is_integer && stored.id == wanted.id;
    }
    return std::equal(stored.name.begin(), stored.name.end(), wanted.name.begin(),
                      wanted.name.end(), [](char16_t a, char16_t b) { return fold(a) == fold(b); });
}

}  // namespace

HINSTANCE install_resource_image(std::span<const std::byte> image, ModuleRole role,
                                 std::string* error) {
    std::vector<ResourceEntry> entries;
    std::string problem = read_resource_image(image, entries);
    auto& t = table();
    std::size_t slot = 0;
    while (slot < t.slots.size() && t.slots[slot].alive) {
        ++slot;
    }
    if (problem.empty() && slot == kMaxModules) {
        problem = "resource image: too many modules installed";
    }
    if (!problem.empty()) {
        if (error != nullptr) {
            *error = problem;
        }
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (slot == t.slots.size()) {
        t.slots.emplace_back();
    }
    Module& m = t.slots[slot];
    m.image = image;
    m.entries = std::move(entries);
    m.alive = true;
    ++m.generation;
    if (role == ModuleRole::Program) {
        t.program = slot;
    }
    return make_module_handle(slot, m.generation);
}

BOOL remove_resource_image(HINSTANCE module) {
    if (module == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    Module* m = lookup_module(module);
    if (m == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    const auto slot = static_cast<std::size_t>(m - table().slots.data());
    if (table().program == slot) {
        table().program.reset();
    }
    m->alive = false;
    m->image = {};
    m->entries.clear();
    return TRUE;
}

HINSTANCE program_instance() {
    const auto& t = table();
    if (!t.program) {
        return nullptr;
    }
    return make_module_handle(*t.program, t.slots[*t.program].generation);
}

BOOL set_program_instance(HINSTANCE module) {
    const Module* m = module == nullptr ? nullptr : lookup_module(module);
    if (m == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    table().program = static_cast<std::size_t>(m - table().slots.data());
    return TRUE;
}

const std::vector<ResourceEntry>* module_entries(HINSTANCE module) {
    const Module* m = lookup_module(module);
    return m == nullptr ? nullptr : &m->entries;
}

std::vector<HINSTANCE> installed_modules() {
    std::vector<HINSTANCE> out;
    const auto& t = table();
    if (t.program) {
        out.push_back(program_instance());
    }
    for (std::size_t i = 0; i < t.slots.size(); ++i) {
        if (t.slots[i].alive && t.program != i) {
            out.push_back(make_module_handle(i, t.slots[i].generation));
        }
    }
    return out;
}

const ResourceEntry* find_resource_entry(HINSTANCE module, LPCSTR name, LPCSTR type) {
    const Module* m = lookup_module(module);
    if (m == nullptr) {
        SetLastError(module == nullptr ? ERROR_RESOURCE_DATA_NOT_FOUND : ERROR_INVALID_HANDLE);
        return nullptr;
    }
    const ResourceId wanted_type = requested_id(type);
    const ResourceId wanted_name = requested_id(name);
    bool type_seen = false;
    for (const ResourceEntry& e : m->entries) {
        if (!matches(e.type, wanted_type)) {
            continue;
        }
        type_seen = true;
        if (matches(e.name, wanted_name)) {
            return &e;
        }
    }
    SetLastError(type_seen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
}

// Resource handle: ((module key << 20) | entry + 1) << 4 | tag.
HRSRC make_resource_handle(HINSTANCE module, const ResourceEntry* entry) {
    const Module* m = lookup_module(module);
    if (m == nullptr || entry < m->entries.data() ||
        entry >= m->entries.data() + m->entries.size() ||
        static_cast<std::uintptr_t>(entry - m->entries.data()) + 1 >=
            (std::uintptr_t{1} << kEntryBits)) {
        return nullptr;
    }
    const auto slot = static_cast<std::size_t>(m - table().slots.data());
    const auto index = static_cast<std::uintptr_t>(entry - m->entries.data());
    const std::uintptr_t key = (module_key(slot, m->generation) << kEntryBits) | (index + 1);
    return reinterpret_cast<HRSRC>((key << 4) | kResourceTag);
}

const ResourceEntry* lookup_resource_handle(HINSTANCE module, HRSRC resource) {
    const auto v = reinterpret_cast<std::uintptr_t>(resource);
    if ((v & 0xF) != kResourceTag) {
        return nullptr;
    }
    const std::uintptr_t key = v >> 4;
    const std::size_t index = key & ((std::uintptr_t{1} << kEntryBits) - 1);
    const auto slot = slot_of(key >> kEntryBits);
    if (!slot || index == 0) {
        return nullptr;
    }
    const Module& owner = table().slots[*slot];
    // The handle must come from the module the caller names (NULL: the program).
    if (lookup_module(module) != &owner || index > owner.entries.size()) {
        return nullptr;
    }
    return &owner.entries[index - 1];
}

std::optional<std::span<const std::byte>> resource_bytes_from(const void* p) {
    const std::uintptr_t a = address(p);
    for (const Module& m : table().slots) {
        // One past the end still belongs to the image: an empty last resource points there.
        if (!m.alive || m.image.empty() || a < address(m.image.data()) ||
            a > address(m.image.data()) + m.image.size()) {
            continue;
        }
        // Entries lie in image order: the last one starting at or before p is the candidate.
        const auto it = std::upper_bound(
            m.entries.begin(), m.entries.end(), a,
            [](std::uintptr_t x, const ResourceEntry& e) { return x < address(e.data.data()); });
        if (it == m.entries.begin()) {
            return std::span<const std::byte>{};
        }
        const ResourceEntry& e = *std::prev(it);
        const std::uintptr_t begin = address(e.data.data());
        if (a >= begin + e.data.size()) {
            return std::span<const std::byte>{};
        }
        return e.data.subspan(a - begin);
    }
    return std::nullopt;
}

}  // namespace kernel
