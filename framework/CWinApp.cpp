#include "framework/CWinApp.h"

#include "framework/AfxHandleMap.h"
#include "framework/AfxModule.h"
#include "framework/CWnd.h"

#include <cstdio>

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

namespace {

// The string resource that names the application, when the executable has one.
constexpr UINT kAppTitleStringId = 0xE000;
// Asks a window for help on its current context; nonzero when it gave it.
constexpr UINT kCommandHelpMessage = 0x0365;
// Profile strings are read through a buffer of this many bytes, the terminating zero included.
constexpr DWORD kProfileStringBuffer = 4096;

} // namespace

CWinApp::CWinApp(LPCSTR lpszAppName) {
    if (lpszAppName != nullptr) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName;
        AfxSetAppName(m_pszAppName);
    }
    AfxSetApp(this);
}

CWinApp::~CWinApp() {
    if (AfxGetApp() == this) {
        AfxSetApp(nullptr);
    }
}

void CWinApp::SetCurrentHandles(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow) {
    m_hInstance = hInstance;
    m_strCmdLine = lpCmdLine;
    m_lpCmdLine = m_strCmdLine.GetBuffer();
    m_nCmdShow = nCmdShow;
    AfxSetInstanceHandle(hInstance);

    char path[MAX_PATH + 1] = {};
    DWORD length = ::GetModuleFileNameA(hInstance, path, MAX_PATH);
    CString modulePath(path, static_cast<int>(length));

    // The executable's name: the file name without folder and extension.
    int nameStart = modulePath.ReverseFind('\\') + 1;
    CString fileName = modulePath.Mid(nameStart);
    int dot = fileName.ReverseFind('.');
    m_strExeName = dot >= 0 ? fileName.Left(dot) : fileName;
    m_pszExeName = m_strExeName;

    if (m_pszAppName == nullptr) {
        CString title;
        m_strAppName = title.LoadString(kAppTitleStringId) ? title : m_strExeName;
        m_pszAppName = m_strAppName;
    }
    AfxSetAppName(m_pszAppName);

    int pathDot = modulePath.ReverseFind('.');
    m_strHelpFilePath = (pathDot > nameStart ? modulePath.Left(pathDot) : modulePath) + ".HLP";
    m_pszHelpFilePath = m_strHelpFilePath;

    if (m_pszProfileName == nullptr) {
        m_strProfileName = m_strExeName + ".INI";
        m_pszProfileName = m_strProfileName;
    }
}

BOOL CWinApp::InitApplication() {
    return TRUE;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    return m_nExitCode;
}

int CWinApp::Run() {
    MSG msg = {};
    while (true) {
        BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            m_nExitCode = static_cast<int>(msg.wParam);
            break;
        }
        if (got == -1) {
            m_nExitCode = -1;
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return ExitInstance();
}

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault) {
    return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", nValue);
    return ::WritePrivateProfileStringA(lpszSection, lpszEntry, text, m_pszProfileName);
}

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault) {
    char text[kProfileStringBuffer] = {};
    DWORD length = ::GetPrivateProfileStringA(lpszSection, lpszEntry,
                                              lpszDefault != nullptr ? lpszDefault : "", text,
                                              kProfileStringBuffer, m_pszProfileName);
    return CString(text, static_cast<int>(length));
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue) {
    return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

void CWinApp::OnHelp() {
    CWnd* pMainWnd = m_pMainWnd;
    if (pMainWnd == nullptr || pMainWnd->m_hWnd == nullptr) {
        return;
    }
    // The main window answers for its current context; when it does not, the default help
    // command goes to whoever maps it.
    if (pMainWnd->SendMessage(kCommandHelpMessage) == 0) {
        pMainWnd->SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
    }
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow) {
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr) {
        return -1;
    }
    pApp->SetCurrentHandles(hInstance, lpCmdLine != nullptr ? lpCmdLine : const_cast<LPSTR>(""),
                            nCmdShow);
    int exitCode = 0;
    if (!pApp->InitApplication()) {
        exitCode = pApp->ExitInstance();
    } else if (!pApp->InitInstance()) {
        if (pApp->m_pMainWnd != nullptr && pApp->m_pMainWnd->m_hWnd != nullptr) {
            pApp->m_pMainWnd->DestroyWindow();
        }
        exitCode = pApp->ExitInstance();
    } else {
        exitCode = pApp->Run();
    }
    AfxDeleteAllTempMaps();
    return exitCode;
}

LPSTR AfxSkipProgramName(LPSTR lpszCommandLine) {
    if (lpszCommandLine == nullptr) {
        return nullptr;
    }
    char* p = lpszCommandLine;
    if (*p == '"') {
        ++p;
        while (*p != 0 && *p != '"') {
            ++p;
        }
        if (*p == '"') {
            ++p;
        }
    } else {
        while (static_cast<unsigned char>(*p) > ' ') {
            ++p;
        }
    }
    while (*p != 0 && static_cast<unsigned char>(*p) <= ' ') {
        ++p;
    }
    return p;
}

int AfxRunApplication() {
    return AfxWinMain(::GetModuleHandleA(nullptr), nullptr, AfxSkipProgramName(::GetCommandLineA()),
                      SW_SHOWDEFAULT);
}

// The HTML dialogs show their pages in the browser control of htmlview, an ordinary window class
// registered with the desktop, not an ActiveX control: there is no control container to enable,
// on either target.
void AfxEnableControlContainer() {}
