// A small test harness for the conformance suite: plain Win32 tests that build both against the
// simulated desktop and against the real API (run under Wine), with no test library on the
// Windows side. Each CONFORMANCE_TEST registers itself; RunConformanceTests runs them all and
// prints "N passed, N failed".
//
// EXPECT(condition) checks what Windows does. Where Wine is known to do otherwise, the check is
// written EXPECT(windows || BROKEN_ON_WINE(wine)): the Wine outcome is accepted only when the
// suite runs under Wine, never on the simulated desktop, and each use says why. Where the
// simulated desktop is known to fall short of Windows, until it is mended, the check is written
// EXPECT(windows || SIMULATOR_GAP("what")): accepted only there, and every run prints the gap.
#pragma once

#include "platform/win32.h"

#include <string>

namespace conformance {

using TestFunction = void (*)();

bool Register(const char* name, TestFunction function);
void Fail(const char* file, int line, const std::string& what);
// True when the suite runs under Wine.
bool RunningOnWine();
// True when the suite runs on the simulated desktop.
bool RunningOnSimulator();
// On the simulated desktop: prints the known gap and returns true. Elsewhere false.
bool SimulatorGap(const char* what);
int RunAll();

// A top-level window of a class that answers everything with DefWindowProcA, or with `proc`.
HWND MakeTopWindow(const char* title, WNDPROC proc = nullptr);

} // namespace conformance

#define CONFORMANCE_TEST(name)                                                                     \
    static void name();                                                                            \
    static const bool name##_registered = conformance::Register(#name, name);                      \
    static void name()

#define EXPECT(condition)                                                                          \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            conformance::Fail(__FILE__, __LINE__, #condition);                                     \
        }                                                                                          \
    } while (0)

#define EXPECT_EQ(expected, actual)                                                                \
    do {                                                                                           \
        const auto conformance_expected = (expected);                                              \
        const auto conformance_actual = (actual);                                                  \
        if (!(conformance_expected == conformance_actual)) {                                       \
            conformance::Fail(__FILE__, __LINE__,                                                  \
                              std::string(#actual) + " is " + std::to_string(conformance_actual) + \
                                  ", expected " + std::to_string(conformance_expected));           \
        }                                                                                          \
    } while (0)

#define EXPECT_STREQ(expected, actual)                                                             \
    do {                                                                                           \
        const std::string conformance_expected = (expected);                                       \
        const std::string conformance_actual = (actual);                                           \
        if (conformance_expected != conformance_actual) {                                          \
            conformance::Fail(__FILE__, __LINE__,                                                  \
                              std::string(#actual) + " is \"" + conformance_actual +               \
                                  "\", expected \"" + conformance_expected + "\"");                \
        }                                                                                          \
    } while (0)

#define BROKEN_ON_WINE(condition) (conformance::RunningOnWine() && (condition))
#define SIMULATOR_GAP(what) conformance::SimulatorGap(what)
