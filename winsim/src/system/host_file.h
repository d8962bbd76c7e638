// Whole host files read at once, in blocks: the desktop's readers of pictures, sounds and
// settings files take a file's bytes in one piece, and reading them a character at a time
// costs more than the decoding itself.
#pragma once

#include <string>
#include <vector>

namespace winsim::system {

// The bytes of the host file; false (and `bytes` empty) when it cannot be opened.
bool ReadHostFile(const std::string& host, std::vector<unsigned char>& bytes);
bool ReadHostFile(const std::string& host, std::string& bytes);
// The same for a plain file only: false for a folder or a device, checked on the opened file
// rather than by looking the name up once more.
bool ReadRegularHostFile(const std::string& host, std::string& bytes);

} // namespace winsim::system
