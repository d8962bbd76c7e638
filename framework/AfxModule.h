// The module the framework runs in: its instance handle and the module that resources are
// loaded from (the executable unless someone switches it).
#pragma once

#include "platform/win32.h"

// The executable's instance handle, set by the entry point (null before it ran).
HINSTANCE AfxGetInstanceHandle();
void AfxSetInstanceHandle(HINSTANCE hInstance);

// The module whose resources the framework loads first: the one set last, else the executable,
// else the module of the running process.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hResource);

// Finds a resource in the framework's resource module, then in the executable module.
HRSRC AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType, HINSTANCE* phModule);

// The application's name (the caption of the framework's own message boxes); empty before the
// application object has one.
const char* AfxGetAppName();
void AfxSetAppName(const char* lpszAppName);

class CWinApp;
// The one application object (null before it is constructed and after it is destroyed).
CWinApp* AfxGetApp();
void AfxSetApp(CWinApp* pApp);
