// A window class whose procedure records the messages it gets, for tests of message orders.
#pragma once

#include <winsim/sim.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace usertest {

struct Seen {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// Everything recorded windows received, in order.
std::vector<Seen>& Log();
// Messages of interest only, as "name:MSG" strings, for order assertions.
std::vector<std::string> Trace(const std::vector<UINT>& interesting);
// One message of an expected sequence, as a row of a table: the window (by the name given with
// Name), the message, and flags that say what else must match.
enum SequenceFlags : unsigned {
    kWParam = 1u << 0, // wParam must be the row's
    kLParam = 1u << 1, // lParam must be the row's
};
struct ExpectedMessage {
    const char* window;
    UINT msg;
    unsigned flags = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};
// Whether the recorded messages of the kinds the table names came in the table's order, each to
// its window and with the parameters its flags ask for. A mismatch names the first row that
// differs and lists both sequences.
::testing::AssertionResult MessagesInOrder(const std::vector<ExpectedMessage>& expected);

// A handler may answer a message instead of DefWindowProc (return true and set *result).
using Handler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)>;
void SetHandler(Handler handler);
// Names a window in traces.
void Name(HWND hwnd, const std::string& name);

// Registers the recording class "Recorder" and resets the log.
void Setup();
HWND MakeTopLevel(const char* title, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                  HWND owner = nullptr);
HWND MakeChild(HWND parent, int id, const char* text = "", DWORD style = WS_VISIBLE);

const char* MessageName(UINT msg);

} // namespace usertest
