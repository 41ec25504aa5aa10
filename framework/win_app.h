#pragma once

#include <windows.h>

#include "framework/ansi_string.h"
#include "framework/cmd_target.h"
#include "framework/exception.h"

class CWnd;

// The framework's Help command (F1) and the help contexts of dialog templates.
inline constexpr UINT ID_HELP = 0xE146;
inline constexpr DWORD HID_BASE_RESOURCE = 0x20000;

// The application: its name, its main window, the counted wait cursor and
// the report of errors that escape message handling. One object per process.
class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // +1 turns the hourglass on, -1 off again; the cursor from before comes
    // back when the count returns to zero.
    void DoWaitCursor(int nCode);
    // Tells the user about an error that ended the handling of msg.
    LRESULT ProcessWndProcException(const CException& e, const MSG& msg);
    // Asks the system help viewer for a topic of the application's help file.
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    // The Help command: the topic of the active dialog.
    void OnHelp();

    // Records the instance and derives the application name and help path
    // from the executable's path.
    void SetCurrentHandles(HINSTANCE hInstance);

    HINSTANCE m_hInstance = nullptr;
    // The executable's file name without directory and extension.
    CString m_pszAppName;
    // The executable's full path with ".HLP" in place of its extension.
    CString m_pszHelpFilePath;
    CWnd* m_pMainWnd = nullptr;

private:
    int m_nWaitCursorCount = 0;
    HCURSOR m_hcurWaitCursorRestore = nullptr;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
const char* AfxGetAppName();
HINSTANCE AfxGetResourceHandle();

// A message box owned by the main window's active popup, captioned with the
// application name. The framework's boxes always carry an icon: one asked
// for without any shows the exclamation mark.
int AfxMessageBox(const char* text, UINT nType = MB_OK);

// The hourglass for as long as the object lives, also when an error ends
// the work early.
class CWaitCursor {
public:
    CWaitCursor() { AfxGetApp()->DoWaitCursor(1); }
    ~CWaitCursor() { AfxGetApp()->DoWaitCursor(-1); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

// The process's start-up, for programs and for test programs that run the
// application's windows: error mode, instance, application name.
void AfxWinInit(HINSTANCE hInstance);
// The whole run of a program: start-up, InitInstance, ExitInstance.
int AfxWinMain(HINSTANCE hInstance);
