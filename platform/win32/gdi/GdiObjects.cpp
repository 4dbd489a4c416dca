// GdiObjects.cpp: the handle table and the object calls every kind shares.
#include "platform/win32/gdi/GdiObjects.h"

#include "platform/win32/gdi/DeviceContext.h"

namespace gdi {

namespace {

// Handle value: generation << 32 | (index + 1) << 8 | kind << 4 | tag. The tag keeps GDI
// handles apart from other tables' handles; the value is never a valid pointer. A 32-bit
// handle (the browser build) keeps 16 bits of slot and 8 of generation above the kind.
constexpr bool kWideHandles = sizeof(std::uintptr_t) >= 8;
constexpr std::uintptr_t kTag = 0xD;
constexpr unsigned kGenerationShift = kWideHandles ? 32 : 24;
constexpr std::uint32_t kGenerationMask = kWideHandles ? 0x7FFFFFFF : 0xFF;
constexpr std::uint32_t kSlotMask = kWideHandles ? 0xFFFFFF : 0xFFFF;
constexpr std::uint32_t kMaxSlots = kWideHandles ? 1u << 23 : kSlotMask;

struct Decoded {
    std::uint32_t index;
    std::uint32_t generation;
    ObjectKind kind;
};

bool decode(const void* handle, Decoded& out) {
    const auto v = reinterpret_cast<std::uintptr_t>(handle);
    if ((v & 0xF) != kTag) {
        return false;
    }
    const auto slot = static_cast<std::uint32_t>((v >> 8) & kSlotMask);
    if (slot == 0) {
        return false;
    }
    out.index = slot - 1;
    out.generation = static_cast<std::uint32_t>(static_cast<std::uint64_t>(v) >> kGenerationShift) &
                     kGenerationMask;
    out.kind = static_cast<ObjectKind>((v >> 4) & 0xF);
    return true;
}

}  // namespace

void* ObjectTable::add(std::unique_ptr<GdiObject> object) {
    std::uint32_t index = 0;
    if (!m_free.empty()) {
        index = m_free.back();
        m_free.pop_back();
    } else {
        if (m_slots.size() >= kMaxSlots) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        index = static_cast<std::uint32_t>(m_slots.size());
        m_slots.emplace_back();
    }
    Slot& slot = m_slots[index];
    slot.generation = (slot.generation + 1) & kGenerationMask;
    const auto kind = static_cast<std::uintptr_t>(object->kind);
    slot.object = std::move(object);
    const std::uint64_t v = (static_cast<std::uint64_t>(slot.generation) << kGenerationShift) |
                            (static_cast<std::uint64_t>(index + 1) << 8) | (kind << 4) | kTag;
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(v));
}

GdiObject* ObjectTable::find(const void* handle) const {
    Decoded d{};
    if (!decode(handle, d) || d.index >= m_slots.size()) {
        return nullptr;
    }
    const Slot& slot = m_slots[d.index];
    if (slot.object == nullptr || slot.generation != d.generation || slot.object->kind != d.kind) {
        return nullptr;
    }
    return slot.object.get();
}

bool ObjectTable::remove(const void* handle) {
    if (find(handle) == nullptr) {
        return false;
    }
    Decoded d{};
    decode(handle, d);
    m_slots[d.index].object.reset();
    m_free.push_back(d.index);
    return true;
}

std::size_t ObjectTable::alive_count() const {
    std::size_t n = 0;
    for (const Slot& s : m_slots) {
        n += (s.object != nullptr && !s.object->stock) ? 1 : 0;
    }
    return n;
}

std::size_t ObjectTable::alive_count(ObjectKind kind) const {
    std::size_t n = 0;
    for (const Slot& s : m_slots) {
        n += (s.object != nullptr && !s.object->stock && s.object->kind == kind) ? 1 : 0;
    }
    return n;
}

ObjectTable& objects() {
    // Never destroyed: objects owned by static program objects (an application object's
    // bitmaps and palette) are deleted after every function-local static has gone.
    static ObjectTable* const table = new ObjectTable;
    return *table;
}

}  // namespace gdi

using namespace gdi;

int GetObjectType(HGDIOBJ obj) {
    GdiObject* o = objects().find(obj);
    if (o == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    switch (o->kind) {
        case ObjectKind::Bitmap:
            return OBJ_BITMAP;
        case ObjectKind::Palette:
            return OBJ_PAL;
        case ObjectKind::Pen:
            return OBJ_PEN;
        case ObjectKind::Brush:
            return OBJ_BRUSH;
        case ObjectKind::Font:
            return OBJ_FONT;
        case ObjectKind::Dc:
            return static_cast<DeviceContext*>(o)->dc_kind == DcKind::Memory ? OBJ_MEMDC : OBJ_DC;
        case ObjectKind::Icon:
            break;
    }
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
}

BOOL DeleteObject(HGDIOBJ obj) {
    GdiObject* o = objects().find(obj);
    if (o == nullptr || o->kind == ObjectKind::Dc || o->kind == ObjectKind::Icon) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (o->stock) {
        return TRUE;  // stock objects ignore deletion
    }
    if (o->select_count > 0) {
        return FALSE;  // still selected into a DC
    }
    objects().remove(obj);
    return TRUE;
}

BOOL GdiFlush() {
    return TRUE;
}

std::size_t GdiAliveCountForTest() {
    return objects().alive_count();
}
