// FontMatch.cpp: logical font to built-in font.
#include "platform/win32/gdi/FontMatch.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <strings.h>

namespace gdi {

const FontData* match_font(const LOGFONTA& font) {
    const auto fonts = builtin_fonts();
    const std::string face(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE));
    bool face_known = false;
    for (const FontData* f : fonts) {
        face_known = face_known || strcasecmp(f->face, face.c_str()) == 0;
    }
    const char* wanted_face = face_known ? face.c_str() : nullptr;
    if (!face_known && font.lfHeight == 0) {
        wanted_face = "System";
    }
    const FontData* best = fonts.front();
    long best_score = -1;
    for (const FontData* f : fonts) {
        if (wanted_face != nullptr && strcasecmp(f->face, wanted_face) != 0) {
            continue;
        }
        long size_diff = 0;
        if (font.lfHeight < 0) {
            size_diff =
                std::labs(-static_cast<long>(font.lfHeight) - (f->height - f->internal_leading));
        } else if (font.lfHeight > 0) {
            size_diff = std::labs(static_cast<long>(font.lfHeight) - f->height);
        }
        const bool bold_wanted = font.lfWeight >= FW_SEMIBOLD;
        const bool weight_miss =
            font.lfWeight != FW_DONTCARE && (f->weight >= FW_SEMIBOLD) != bold_wanted;
        const long score = size_diff * 4 + (weight_miss ? 1 : 0);
        if (best_score < 0 || score < best_score) {
            best = f;
            best_score = score;
        }
    }
    return best;
}

}  // namespace gdi
