// What the captures leave on the simulated drive, read from the host without the program's
// help: the program's image folder and the header of a JPEG file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace player {

struct DesktopSnapshot;

// The image folder of the program: "tmp" beside the executable (Windows path).
std::string ImageFolder();
// The number of files in the image folder (0 when it is missing).
size_t ImageFolderFileCount();

struct JpegHeader {
    bool jfif = false;     // the first segment is a JFIF APP0 segment
    bool baseline = false; // the frame is baseline DCT (SOF0)
    bool complete = false; // the file ends with the end-of-image marker
    int width = 0;
    int height = 0;
};
// The header of the JPEG file at the Windows path; nothing when the file cannot be read or is
// no JPEG file (no start-of-image marker, no frame).
std::optional<JpegHeader> ReadJpegHeader(const std::string& windowsPath);

// Keeps what a step left for the person to look at after the run, when the program has deleted
// its pictures: a copy of every file written in the image folder, under its own name, and the
// clipboard's text (UTF-8) in "clipboard.txt" whenever it changed.
void KeepCaptureOutputs(const DesktopSnapshot& before, const DesktopSnapshot& after,
                        const std::filesystem::path& outDir);

} // namespace player
