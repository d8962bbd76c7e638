// PlaySoundA without an audio device: the sound is found and checked as Windows would before
// playing it, and its start is recorded. One sound plays at a time: a new one cuts the one
// playing, and an asynchronous sound plays until its length has passed or it is cut.
#include "system/host_file.h"
#include "system/paths.h"
#include "system/sound_state.h"
#include "system/system_state.h"
#include "system/wave_format.h"

#include <winsim/mmsystem.h>
#include <winsim/winerror.h>
#include <winsim/winres.h>
#include <winsim/wintime.h>

#include <strings.h>

#include <cstring>
#include <string>
#include <vector>

namespace winsim::system {
namespace {

struct SoundState {
    std::vector<SoundRecord> started;
    bool async = false;   // the last sound was started to play on its own
    bool stopped = false; // the last sound was cut or stopped
    DWORD startTick = 0;  // when the last sound started, on the desktop's clock
    DWORD lengthMs = 0;   // how long it plays
};

SoundState& State() {
    static SoundState state;
    return state;
}

// The last sound started plays until its length has passed on the desktop's clock (a sound of
// unknown length, the default one, is taken to last one second).
bool Playing() {
    const SoundState& state = State();
    if (state.started.empty() || !state.async || state.stopped) {
        return false;
    }
    if (state.started.back().flags & SND_LOOP) {
        return true;
    }
    return GetTickCount() - state.startTick < state.lengthMs;
}

const char* const kSystemAliases[] = {"SystemAsterisk", "SystemDefault", "SystemExclamation",
                                      "SystemExit",     "SystemHand",    "SystemQuestion",
                                      "SystemStart",    ".Default",      "SystemNotification"};

bool IsSystemAlias(const std::string& name) {
    for (const char* alias : kSystemAliases) {
        if (strcasecmp(alias, name.c_str()) == 0) {
            return true;
        }
    }
    return false;
}

std::string ResourceName(LPCSTR name) {
    if (IS_INTRESOURCE(name)) {
        return "#" + std::to_string(static_cast<unsigned>(reinterpret_cast<uintptr_t>(name)));
    }
    return name;
}

bool ReadResource(HMODULE module, LPCSTR name, std::vector<unsigned char>& bytes) {
    HRSRC found = FindResourceA(module, name, "WAVE");
    if (!found) {
        return false;
    }
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    DWORD size = SizeofResource(module, found);
    if (!data || size == 0) {
        return false;
    }
    const auto* begin = static_cast<const unsigned char*>(data);
    bytes.assign(begin, begin + size);
    return true;
}

bool ReadFile(const std::string& windowsPath, std::vector<unsigned char>& bytes) {
    WindowsPath path;
    std::string host;
    if (ResolvePath(windowsPath.c_str(), path, host) != ERROR_SUCCESS) {
        return false;
    }
    return ReadHostFile(host, bytes);
}

void Stop() {
    SoundState& state = State();
    if (Playing()) {
        state.started.back().cut = true;
    }
    state.stopped = true;
}

} // namespace

const std::vector<SoundRecord>& SoundsStartedList() {
    return State().started;
}

void ResetSound() {
    State() = SoundState{};
}

} // namespace winsim::system

BOOL WINAPI PlaySoundA(LPCSTR pszSound, HMODULE hmod, DWORD fdwSound) {
    using namespace winsim::system;
    SoundState& state = State();
    if (!pszSound || (fdwSound & SND_PURGE)) {
        Stop();
        return TRUE;
    }
    if ((fdwSound & SND_LOOP) && !(fdwSound & SND_ASYNC)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if ((fdwSound & SND_NOSTOP) && Playing()) {
        return FALSE;
    }
    SoundRecord record;
    record.flags = fdwSound;
    std::vector<unsigned char> bytes;
    bool found = false;
    if ((fdwSound & SND_RESOURCE) == SND_RESOURCE) {
        record.source = SoundRecord::Resource;
        record.name = ResourceName(pszSound);
        found = IsProgramModule(hmod) &&
                ReadResource(hmod ? hmod : GetModuleHandleA(nullptr), pszSound, bytes);
    } else if (fdwSound & SND_MEMORY) {
        record.source = SoundRecord::Memory;
        record.name = "<memory>";
        const auto* begin = reinterpret_cast<const unsigned char*>(pszSound);
        size_t length = RiffLength(begin);
        found = length != 0;
        if (found) {
            bytes.assign(begin, begin + length);
        }
    } else if ((fdwSound & SND_ALIAS) || (!(fdwSound & SND_FILENAME) && IsSystemAlias(pszSound))) {
        record.source = SoundRecord::Alias;
        record.name = pszSound;
        found = IsSystemAlias(pszSound);
    } else {
        record.source = SoundRecord::File;
        record.name = pszSound;
        found = ReadFile(pszSound, bytes);
    }
    WaveInfo info;
    bool valid = record.source == SoundRecord::Alias
                     ? found
                     : found && ParsePcmWave(bytes.data(), bytes.size(), info);
    if (!valid) {
        if (fdwSound & SND_NODEFAULT) {
            SetLastError(found ? ERROR_BAD_FORMAT : ERROR_FILE_NOT_FOUND);
            return FALSE;
        }
        // Windows plays the default sound instead of one it cannot find or play.
        record.playedDefault = true;
    }
    record.channels = info.channels;
    record.samplesPerSecond = info.samplesPerSecond;
    record.bitsPerSample = info.bitsPerSample;
    record.seconds = info.seconds;
    Stop();
    state.started.push_back(record);
    // A synchronous sound has ended when the call returns.
    state.async = (fdwSound & SND_ASYNC) != 0;
    state.stopped = false;
    state.startTick = GetTickCount();
    state.lengthMs = record.playedDefault || record.source == SoundRecord::Alias
                         ? 1000
                         : static_cast<DWORD>(record.seconds * 1000 + 0.5);
    return TRUE;
}
