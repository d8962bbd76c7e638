#include "system/text_stream.h"

#include <sys/types.h>

#include <cstdlib>
#include <cstring>

namespace winsim::system {
namespace {

struct TextCookie {
    FILE* file;
    bool ended; // Ctrl+Z was read
};

ssize_t ReadText(void* cookie, char* buffer, size_t size) {
    auto* text = static_cast<TextCookie*>(cookie);
    size_t produced = 0;
    while (produced < size && !text->ended) {
        int c = std::fgetc(text->file);
        if (c == EOF) {
            break;
        }
        if (c == 0x1A) {
            text->ended = true;
            break;
        }
        if (c == '\r') {
            int next = std::fgetc(text->file);
            if (next == '\n') {
                c = '\n';
            } else if (next != EOF) {
                std::ungetc(next, text->file);
            }
        }
        buffer[produced++] = static_cast<char>(c);
    }
    if (produced == 0 && std::ferror(text->file)) {
        return -1;
    }
    return static_cast<ssize_t>(produced);
}

ssize_t WriteText(void* cookie, const char* buffer, size_t size) {
    auto* text = static_cast<TextCookie*>(cookie);
    for (size_t i = 0; i < size; ++i) {
        if (buffer[i] == '\n' && std::fputc('\r', text->file) == EOF) {
            return i == 0 ? -1 : static_cast<ssize_t>(i);
        }
        if (std::fputc(buffer[i], text->file) == EOF) {
            return i == 0 ? -1 : static_cast<ssize_t>(i);
        }
    }
    return static_cast<ssize_t>(size);
}

int SeekText(void* cookie, off64_t* offset, int whence) {
    auto* text = static_cast<TextCookie*>(cookie);
    // Positions of text streams are those of the bytes in the file, as on Windows.
    if (fseeko(text->file, *offset, whence) != 0) {
        return -1;
    }
    text->ended = false;
    *offset = ftello(text->file);
    return 0;
}

int CloseText(void* cookie) {
    auto* text = static_cast<TextCookie*>(cookie);
    int result = std::fclose(text->file);
    delete text;
    return result;
}

} // namespace

FILE* OpenTextStream(FILE* binary, const char* mode) {
    if (!binary) {
        return nullptr;
    }
    auto* cookie = new TextCookie{binary, false};
    cookie_io_functions_t functions{ReadText, WriteText, SeekText, CloseText};
    FILE* stream = fopencookie(cookie, mode, functions);
    if (!stream) {
        std::fclose(binary);
        delete cookie;
    }
    return stream;
}

} // namespace winsim::system
