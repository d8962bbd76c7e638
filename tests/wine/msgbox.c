/* Another program's message box: what the hot-key captures in its plainest form. It stays open
   until it is answered or its process is ended. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
    MessageBoxA(NULL, "Le document a ete enregistre.\nVoulez-vous fermer la fenetre ?",
                "Editeur de test", MB_OKCANCEL | MB_ICONINFORMATION | MB_SETFOREGROUND);
    return 0;
}
