#include "tests/conformance/Conformance.h"

#include <cstdio>
#include <vector>

namespace conformance {
namespace {

struct Test {
    const char* name;
    TestFunction function;
};

std::vector<Test>& Tests() {
    static std::vector<Test> tests;
    return tests;
}

int g_failures = 0;

LRESULT CALLBACK DefaultProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

} // namespace

bool Register(const char* name, TestFunction function) {
    Tests().push_back({name, function});
    return true;
}

void Fail(const char* file, int line, const std::string& what) {
    ++g_failures;
    std::printf("  %s:%d: %s\n", file, line, what.c_str());
}

bool SimulatorGap(const char* what) {
    if (!RunningOnSimulator()) {
        return false;
    }
    std::printf("  known gap of the simulated desktop: %s\n", what);
    return true;
}

HWND MakeTopWindow(const char* title, WNDPROC proc) {
    // One class per window procedure; the class name carries the procedure's address.
    WNDPROC wndProc = proc != nullptr ? proc : DefaultProc;
    char className[64];
    std::snprintf(className, sizeof className, "ConformanceWindow%p",
                  reinterpret_cast<void*>(wndProc));
    WNDCLASSA wc = {};
    wc.lpfnWndProc = wndProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    ::RegisterClassA(&wc);
    return ::CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW, 10, 10, 200, 120, nullptr,
                             nullptr, wc.hInstance, nullptr);
}

int RunAll() {
    int passed = 0;
    int failed = 0;
    for (const Test& test : Tests()) {
        const int before = g_failures;
        test.function();
        if (g_failures == before) {
            ++passed;
            std::printf("PASS %s\n", test.name);
        } else {
            ++failed;
            std::printf("FAIL %s\n", test.name);
        }
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    std::fflush(stdout);
    return failed == 0 ? 0 : 1;
}

} // namespace conformance
