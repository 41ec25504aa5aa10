#include "app/main_app.h"

#include <commctrl.h>

#include "app/main_dialog.h"

CMainApp theApp;

BOOL CMainApp::InitInstance()
{
    ::InitCommonControls();
    CWinApp::InitInstance();
    CMainDialog dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    return FALSE;
}

const AFX_MSGMAP* CMainApp::GetMessageMap() const
{
    static constexpr AFX_MSGMAP_ENTRY entries[] = {
        CommandEntry<&CWinApp::OnHelp>(ID_HELP),
    };
    static const AFX_MSGMAP map{CWinApp::GetMessageMap(), entries};
    return &map;
}
