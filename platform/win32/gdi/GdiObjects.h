// GdiObjects.h: the engine's graphics objects and the typed handle table that owns them.
#pragma once

#include "platform/win32/gdi/FontData.h"
#include "platform/win32/gdi/Surface.h"
#include "platform/win32/windows.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace gdi {

enum class ObjectKind : std::uint8_t { Bitmap = 1, Palette, Pen, Brush, Font, Icon, Dc };

struct GdiObject {
    explicit GdiObject(ObjectKind k) : kind(k) {}
    virtual ~GdiObject() = default;
    ObjectKind kind;
    bool stock = false;    // never deleted, not counted as alive
    int select_count = 0;  // DCs holding it; deletion fails while nonzero
};

struct BitmapObject : GdiObject {
    BitmapObject(PixelFormat format, int width, int height)
        : GdiObject(ObjectKind::Bitmap), surface(format, width, height) {}
    Surface surface;  // selected into one DC at a time (select_count), the stock one excepted
};

struct PaletteObject : GdiObject {
    PaletteObject() : GdiObject(ObjectKind::Palette) {}
    std::vector<PALETTEENTRY> entries;
    std::vector<int> mapping;  // system index of each entry after the last realisation
    bool realized = false;
    bool is_default = false;
};

struct PenObject : GdiObject {
    PenObject() : GdiObject(ObjectKind::Pen) {}
    int style = PS_SOLID;
    int width = 0;
    COLORREF color = 0;
};

struct BrushObject : GdiObject {
    BrushObject() : GdiObject(ObjectKind::Brush) {}
    bool hollow = false;
    COLORREF color = 0;
};

struct FontObject : GdiObject {
    FontObject() : GdiObject(ObjectKind::Font) {}
    LOGFONTA logfont{};
    const FontData* data = nullptr;
};

// An icon keeps copies of its pictures: AND mask (monochrome) and XOR colour picture.
struct IconObject : GdiObject {
    IconObject() : GdiObject(ObjectKind::Icon) {}
    Surface mask;
    Surface color;
    POINT hotspot{0, 0};
    BOOL is_icon = TRUE;
};

// Handles carry the kind, a slot index and the slot's generation; a handle whose slot was
// freed or reused fails its lookup.
class ObjectTable {
public:
    void* add(std::unique_ptr<GdiObject> object);
    GdiObject* find(const void* handle) const;
    GdiObject* find(const void* handle, ObjectKind kind) const {
        GdiObject* o = find(handle);
        return o != nullptr && o->kind == kind ? o : nullptr;
    }
    bool remove(const void* handle);
    std::size_t alive_count() const;  // stock objects excluded
    std::size_t alive_count(ObjectKind kind) const;

private:
    struct Slot {
        std::unique_ptr<GdiObject> object;
        std::uint32_t generation = 0;
    };
    std::vector<Slot> m_slots;
    std::vector<std::uint32_t> m_free;
};

ObjectTable& objects();

template <typename T>
T* find_object(const void* handle, ObjectKind kind) {
    return static_cast<T*>(objects().find(handle, kind));
}
inline BitmapObject* find_bitmap(const void* h) {
    return find_object<BitmapObject>(h, ObjectKind::Bitmap);
}
inline PaletteObject* find_palette(const void* h) {
    return find_object<PaletteObject>(h, ObjectKind::Palette);
}
inline PenObject* find_pen(const void* h) {
    return find_object<PenObject>(h, ObjectKind::Pen);
}
inline BrushObject* find_brush(const void* h) {
    return find_object<BrushObject>(h, ObjectKind::Brush);
}
inline FontObject* find_font(const void* h) {
    return find_object<FontObject>(h, ObjectKind::Font);
}
inline IconObject* find_icon(const void* h) {
    return find_object<IconObject>(h, ObjectKind::Icon);
}

}  // namespace gdi
