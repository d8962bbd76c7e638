// The application object: exactly one per program, constructed before the entry point runs.
// AfxWinMain (called by WinMain on Windows and by the simulated desktop's program entry on Linux)
// gives it its instance, command line and names, then runs InitInstance; a dialog-based program
// does all its work there and returns false, which ends the application.
//
// Without a registry key the profile functions work on the INI file named after the executable
// ("Name.INI", no folder: the platform keeps it in the Windows folder).
#pragma once

#include "framework/AfxModule.h"
#include "framework/CCmdTarget.h"
#include "framework/CString.h"

class CWnd;

// The framework's standard Help commands: help on the current context, and the help file's
// default topic.
#define ID_HELP 0xE146
#define ID_DEFAULT_HELP 0xE147

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
    DECLARE_MESSAGE_MAP()
public:
    // Without a name, the application takes the executable's name when it starts.
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The message loop of applications that keep running after InitInstance.
    virtual int Run();

    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
    CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = nullptr);
    BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);

    // The Help command: the main window is asked for help on its current context
    // (WM_COMMANDHELP); when it gives none, it gets the default help command.
    void OnHelp();

    // Sets up the names, handles and command line from the running process; AfxWinMain calls it.
    void SetCurrentHandles(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow);

    LPCSTR m_pszAppName = nullptr;
    LPCSTR m_pszExeName = nullptr;
    LPCSTR m_pszHelpFilePath = nullptr;
    LPCSTR m_pszProfileName = nullptr;
    LPCSTR m_pszRegistryKey = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = 0;
    CWnd* m_pMainWnd = nullptr;

private:
    int m_nExitCode = 0;
    CString m_strAppName;
    CString m_strExeName;
    CString m_strHelpFilePath;
    CString m_strProfileName;
    CString m_strCmdLine;
};

// The application's main window, or null.
inline CWnd* AfxGetMainWnd() {
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr ? pApp->m_pMainWnd : nullptr;
}

// The program's start: set up the application object, run InitInstance, and either end (false)
// or run the message loop. Returns the exit code.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

// What the executable's entry does on both targets: AfxWinMain with the process's module, the
// command line's arguments (the command line without the program's name, as WinMain gets them)
// and SW_SHOWDEFAULT.
int AfxRunApplication();

// The arguments part of a command line: after the program's name (quoted or not) and the blanks
// that follow it.
LPSTR AfxSkipProgramName(LPSTR lpszCommandLine);

// Prepares dialogs to host the browser control. The control here is an ordinary window class,
// registered by the framework before an HTML dialog creates it, so nothing else is needed.
void AfxEnableControlContainer();
