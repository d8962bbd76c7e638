// The registry's values as the inspection functions read them.
#pragma once

#include <winsim/wintypes.h>

#include <string>
#include <vector>

namespace winsim::system {

struct RegistryValue {
    DWORD type = 0;
    std::vector<unsigned char> data;
};

// A value of HKEY_CURRENT_USER by key path ("Software\...") and name ("" for the default).
bool RegistryRead(const std::string& keyPath, const std::string& valueName, RegistryValue& out);

// Number of keys opened and not closed yet.
size_t RegistryOpenHandles();

} // namespace winsim::system
