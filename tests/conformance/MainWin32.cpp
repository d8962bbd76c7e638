// The suite's entry on Windows (and under Wine): the real desktop is already there.
#include "tests/conformance/Conformance.h"

namespace conformance {

// Wine's ntdll exports wine_get_version; Windows' does not.
bool RunningOnWine() {
    HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool RunningOnSimulator() {
    return false;
}

} // namespace conformance

int main() {
    return conformance::RunAll();
}
