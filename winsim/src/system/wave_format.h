// Checking that bytes hold a RIFF/WAVE file of PCM samples.
#pragma once

#include <cstddef>
#include <cstdint>

namespace winsim::system {

struct WaveInfo {
    unsigned channels = 0;
    unsigned samplesPerSecond = 0;
    unsigned bitsPerSample = 0;
    uint32_t dataBytes = 0;
    double seconds = 0;
};

// True when the bytes are a complete RIFF "WAVE" with a PCM "fmt " chunk (1 or 2 channels of 8
// or 16 bits) and a "data" chunk that the bytes hold entirely.
bool ParsePcmWave(const unsigned char* bytes, size_t size, WaveInfo& info);

// The length of a RIFF file from its header (the chunk size plus 8); 0 when not RIFF.
size_t RiffLength(const unsigned char* bytes);

} // namespace winsim::system
