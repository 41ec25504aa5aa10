#pragma once

#include "framework/wnd.h"

// A modal dialog made from a dialog template of the program's resources.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr)
        : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
    {
        m_nIDHelp = nIDTemplate;
    }

    // Runs the dialog until it ends; its end code, or -1 when the template
    // cannot be loaded or the window not created.
    INT_PTR DoModal();
    void EndDialog(int nResult) const { ::EndDialog(m_hWnd, nResult); }

protected:
    // Fills the controls; a failed exchange ends the dialog with -1.
    // TRUE lets the system give the focus to the first control.
    virtual BOOL OnInitDialog();
    // Reads the controls and ends the dialog with IDOK if that succeeds.
    virtual void OnOK();
    // Ends the dialog with IDCANCEL, without data exchange.
    virtual void OnCancel();
    // The system's dialog painting.
    void OnPaint() { Default(); }

    bool OnCmdMsg(UINT nID, UINT nCode) override;
    const AFX_MSGMAP* GetMessageMap() const override;

private:
    friend INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
};

// The dialog procedure of every CDialog: it hands the dialog to its object
// when the system initialises it.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
