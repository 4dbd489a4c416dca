// DialogTemplateFuzzer.cpp: the dialog template reader on arbitrary bytes held in an exact-size
// buffer, so that any read past its end is reported.
#include "platform/win32/user/DialogTemplate.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::unique_ptr<std::byte[]> buffer(new std::byte[size]);
    std::copy_n(reinterpret_cast<const std::byte*>(data), size, buffer.get());
    user::DialogTemplate t;
    t.title = u"sentinel";
    const user::TemplateError error = user::read_dialog_template(std::span(buffer.get(), size), t);
    if (error != user::TemplateError::None) {
        // A failed read leaves the output as it was.
        if (t.title != u"sentinel" || !t.items.empty()) {
            std::abort();
        }
        return 0;
    }
    // Every item needs at least its fixed fields and three words, so a good template cannot
    // claim more items than its bytes could hold, and no creation data outgrows the input.
    std::size_t data_bytes = 0;
    for (const user::DialogItem& item : t.items) {
        data_bytes += item.creation_data.size();
    }
    if (t.items.size() * 24 > size || data_bytes > size) {
        std::abort();
    }
    return 0;
}
