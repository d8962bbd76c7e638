#include "system/wave_format.h"

#include <cstring>

namespace winsim::system {
namespace {

uint32_t Read32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t Read16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

} // namespace

size_t RiffLength(const unsigned char* bytes) {
    if (!bytes || std::memcmp(bytes, "RIFF", 4) != 0) {
        return 0;
    }
    return static_cast<size_t>(Read32(bytes + 4)) + 8;
}

bool ParsePcmWave(const unsigned char* bytes, size_t size, WaveInfo& info) {
    if (!bytes || size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 ||
        std::memcmp(bytes + 8, "WAVE", 4) != 0) {
        return false;
    }
    size_t end = RiffLength(bytes);
    if (end > size) {
        return false; // the file is cut short
    }
    bool haveFormat = false;
    bool haveData = false;
    size_t at = 12;
    while (at + 8 <= end) {
        uint32_t chunkSize = Read32(bytes + at + 4);
        const unsigned char* body = bytes + at + 8;
        if (chunkSize > end - at - 8) {
            return false;
        }
        if (std::memcmp(bytes + at, "fmt ", 4) == 0) {
            if (chunkSize < 16 || Read16(body) != 1) { // WAVE_FORMAT_PCM
                return false;
            }
            info.channels = Read16(body + 2);
            info.samplesPerSecond = Read32(body + 4);
            uint32_t bytesPerSecond = Read32(body + 8);
            unsigned blockAlign = Read16(body + 12);
            info.bitsPerSample = Read16(body + 14);
            if (info.channels < 1 || info.channels > 2 ||
                (info.bitsPerSample != 8 && info.bitsPerSample != 16) ||
                info.samplesPerSecond == 0 ||
                blockAlign != info.channels * info.bitsPerSample / 8 ||
                bytesPerSecond != info.samplesPerSecond * blockAlign) {
                return false;
            }
            haveFormat = true;
        } else if (std::memcmp(bytes + at, "data", 4) == 0) {
            if (!haveFormat) {
                return false;
            }
            info.dataBytes = chunkSize;
            haveData = true;
        }
        at += 8 + chunkSize + (chunkSize & 1);
    }
    if (!haveFormat || !haveData) {
        return false;
    }
    info.seconds = static_cast<double>(info.dataBytes) /
                   (info.samplesPerSecond * info.channels * info.bitsPerSample / 8.0);
    return true;
}

} // namespace winsim::system
