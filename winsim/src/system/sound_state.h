// The sounds started, for the inspection functions.
#pragma once

#include <winsim/wintypes.h>

#include <string>
#include <vector>

namespace winsim::system {

struct SoundRecord {
    enum Source { Resource, Memory, File, Alias } source = Resource;
    std::string name;           // "#137" for a numbered resource, else the name or path
    DWORD flags = 0;            // as PlaySoundA was called
    bool playedDefault = false; // the sound could not be played: the default sound was
    unsigned channels = 0;
    unsigned samplesPerSecond = 0;
    unsigned bitsPerSample = 0;
    double seconds = 0;
    bool cut = false; // a later sound (or a stop) cut it off while it played
};

const std::vector<SoundRecord>& SoundsStartedList();

} // namespace winsim::system
