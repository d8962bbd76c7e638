// The reference that the capture benchmarks compare with: libjpeg-turbo's own encoder (4:2:0,
// quality 100) turning the desktop-like picture into a JPEG file, file write included.
#pragma once

#include "DesktopPicture.h"

#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <cstdio>
#include <string>

namespace bench {

// Encodes the picture once per iteration into the host file at `path`; the size of the last
// file is counted as "file_bytes".
inline void MeasureTurboJpegReference(benchmark::State& state, const ScreenDib& picture,
                                      const std::string& path) {
    tjhandle encoder = tjInitCompress();
    unsigned long size = 0;
    for (auto _ : state) {
        unsigned char* jpeg = nullptr;
        size = 0;
        if (tjCompress2(encoder, picture.Pixels(), kWidth, kWidth * 4, kHeight, TJPF_BGRX, &jpeg,
                        &size, TJSAMP_420, 100, TJFLAG_BOTTOMUP) != 0) {
            state.SkipWithError(tjGetErrorStr2(encoder));
            tjFree(jpeg);
            break;
        }
        if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
            std::fwrite(jpeg, 1, size, file);
            std::fclose(file);
        }
        tjFree(jpeg);
    }
    state.counters["file_bytes"] = static_cast<double>(size);
    tjDestroy(encoder);
}

} // namespace bench
