#include "app/QuilloryTextApp.h"

#include "app/AutostartSwitch.h"
#include "ui/QuilloryTextDlg.h"

BEGIN_MESSAGE_MAP(CQuilloryTextApp, CWinApp)
ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

CQuilloryTextApp theApp;

// No name: the framework takes the executable's name, and with no registry key the settings
// live in the INI file named after it.
CQuilloryTextApp::CQuilloryTextApp() = default;

BOOL CQuilloryTextApp::InitInstance() {
    ::InitCommonControls();
    CWinApp::InitInstance();
    AfxEnableControlContainer();

    CQuilloryTextDlg dlg;
    // The whole command line as the process got it, the program's own path included.
    dlg.SetShownAtStart(!HasAutostartSwitch(::GetCommandLineA()));
    m_pMainWnd = &dlg;
    dlg.DoModal();

    // The dialog object ends here; the application must not keep pointing at it.
    m_pMainWnd = nullptr;
    return FALSE;
}

extern "C" int VerbacapRun(void) {
    return AfxRunApplication();
}
