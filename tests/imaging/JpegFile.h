// Reading back what the JPEG writer produced: the file's bytes on the simulated drive, its
// segments in file order, and its pixels decoded by libjpeg.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// The host bytes of a file below the simulated drive C: ("C:\\name" is RootDir()/name); empty
// when there is no such file.
Bytes ReadHostFile(const std::string& relativeName);
bool HostFileExists(const std::string& relativeName);

struct JpegSegment {
    uint8_t marker = 0;      // the byte after 0xFF
    Bytes payload;           // after the 16-bit length field (empty for SOI and EOI)
    int lengthField = -1;    // the segment's own length field; -1 where it has none
    size_t entropyBytes = 0; // for SOS: the entropy-coded data that follows the header
};

// Splits a file into its segments; the entropy-coded data after SOS runs to the next marker
// that is neither a stuffed zero nor a restart marker. Empty when the file is not well formed.
std::vector<JpegSegment> ParseJpegSegments(const Bytes& file);

struct DecodedImage {
    int width = 0;
    int height = 0;
    Bytes rgb; // top row first, red, green, blue
};

// Decodes with libjpeg; false (and no image) when the library rejects the data.
bool DecodeJpeg(const Bytes& file, DecodedImage* image);
