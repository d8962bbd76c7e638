// The application object of Verbacap: a dialog-based program whose whole life is the modal run
// of its main dialog inside InitInstance.
#pragma once

#include "framework/CWinApp.h"

class CQuilloryTextApp : public CWinApp {
    DECLARE_MESSAGE_MAP()
public:
    CQuilloryTextApp();

    // Runs the main dialog modally and returns false: there is no message loop after it, so the
    // application ends when the dialog does.
    BOOL InitInstance() override;
};

// The one application object, constructed before the program's entry runs.
extern CQuilloryTextApp theApp;

// The program's start on any target: what WinMain does, through the framework's entry (the
// application object's start-up with the process's command line). Returns the exit code once
// the program has ended.
extern "C" int VerbacapRun(void);
