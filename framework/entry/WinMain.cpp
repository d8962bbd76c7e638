// The executable's entry point on Windows. The framework owns it, so the program only declares
// its application object: the system's start-up code calls WinMain, which hands the module, the
// command line's arguments and the show state to AfxWinMain. On Linux the player calls the same
// start-up through AfxRunApplication. Kept out of the framework's library, which both targets
// build, and compiled into the Windows executable itself.
#include "framework/CWinApp.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
