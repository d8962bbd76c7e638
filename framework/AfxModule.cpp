#include "framework/AfxModule.h"

#include <string>

namespace {
HINSTANCE g_hInstance = nullptr;
HINSTANCE g_hResource = nullptr;
} // namespace

HINSTANCE AfxGetInstanceHandle() {
    return g_hInstance;
}

void AfxSetInstanceHandle(HINSTANCE hInstance) {
    g_hInstance = hInstance;
}

HINSTANCE AfxGetResourceHandle() {
    if (g_hResource != nullptr) {
        return g_hResource;
    }
    if (g_hInstance != nullptr) {
        return g_hInstance;
    }
    return GetModuleHandleA(nullptr);
}

void AfxSetResourceHandle(HINSTANCE hResource) {
    g_hResource = hResource;
}

HRSRC AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType, HINSTANCE* phModule) {
    HINSTANCE first = AfxGetResourceHandle();
    HRSRC found = FindResourceA(first, lpszName, lpszType);
    HINSTANCE module = first;
    if (found == nullptr) {
        HINSTANCE exe = GetModuleHandleA(nullptr);
        if (exe != first) {
            found = FindResourceA(exe, lpszName, lpszType);
            module = exe;
        }
    }
    if (phModule != nullptr) {
        *phModule = found != nullptr ? module : nullptr;
    }
    return found;
}

namespace {
std::string& AppName() {
    static std::string name;
    return name;
}
} // namespace

const char* AfxGetAppName() {
    return AppName().c_str();
}

void AfxSetAppName(const char* lpszAppName) {
    AppName() = lpszAppName != nullptr ? lpszAppName : "";
}

namespace {
CWinApp* g_pApp = nullptr;
} // namespace

CWinApp* AfxGetApp() {
    return g_pApp;
}

void AfxSetApp(CWinApp* pApp) {
    g_pApp = pApp;
}
