// Resource images and dialog templates through the desktop's readers: a malformed image or
// template is refused, and nothing is read outside the bytes given.
#include "res/res_image.h"
#include "user/dialog_template.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Copies of exactly the given size, so that the sanitizer sees any read behind them.
    const std::vector<uint8_t> bytes(data, data + size);
    winsim::user::DialogTemplate dialog;
    winsim::user::ParseDialogTemplate(bytes.data(), bytes.size(), &dialog);
    std::optional<winsim::res::ResImage> image = winsim::res::ParseResImage(bytes.data(), size);
    if (!image) {
        return 0;
    }
    for (const winsim::res::ResourceRecord& record : image->records) {
        if (record.type.isOrdinal && record.type.ordinal == 5) {
            const std::vector<uint8_t> item(image->bytes.begin() + record.dataOffset,
                                            image->bytes.begin() + record.dataOffset +
                                                record.dataSize);
            winsim::user::ParseDialogTemplate(item.data(), item.size(), &dialog);
        }
    }
    return 0;
}
