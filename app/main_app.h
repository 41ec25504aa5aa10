#pragma once

#include "framework/win_app.h"

// The application: runs the main dialog and ends when it closes.
class CMainApp : public CWinApp {
public:
    // Runs the whole program; always FALSE, so no message loop follows.
    BOOL InitInstance() override;

protected:
    const AFX_MSGMAP* GetMessageMap() const override;
};

extern CMainApp theApp;
