// The program's settings where other tools and the person see them: the values of section
// "Settings" of its INI file (named after the executable, in the Windows folder) and its Run
// value "Verbacap" under the current user's Run key. Read and written through the simulated
// desktop's own profile and registry functions, as another program on the PC would.
#pragma once

#include <optional>
#include <string>

namespace player {

extern const char kRunKey[];
extern const char kRunValueName[];

// "Verbacap.INI" for "C:\...\Verbacap.exe": the INI file of the configured program.
std::string ProgramIniName();

// False with `error` when the value cannot be written.
bool WriteIniValue(const std::string& key, const std::string& value, std::string& error);
std::optional<std::string> ReadIniValue(const std::string& key);

bool WriteRunValue(const std::string& data, std::string& error);
std::optional<std::string> ReadRunValue();

} // namespace player
