#include "framework/dialog.h"

#include "framework/win_app.h"

INT_PTR CDialog::DoModal()
{
    const HWND owner = CWnd::GetSafeOwner(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
    return ::DialogBoxParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nIDTemplate), owner, &AfxDlgProc,
                             reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::OnInitDialog()
{
    if (!UpdateData(FALSE))
        EndDialog(-1);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

// Commands that the dialog does not handle go on to the application.
bool CDialog::OnCmdMsg(UINT nID, UINT nCode)
{
    return CWnd::OnCmdMsg(nID, nCode) || AfxGetApp()->OnCmdMsg(nID, nCode);
}

const AFX_MSGMAP* CDialog::GetMessageMap() const
{
    static constexpr AFX_MSGMAP_ENTRY entries[] = {
        MessageEntry<&CDialog::HandleInitDialog>(WM_INITDIALOG),
        CommandEntry<&CDialog::OnOK>(IDOK),
        CommandEntry<&CDialog::OnCancel>(IDCANCEL),
    };
    static const AFX_MSGMAP map{CWnd::GetMessageMap(), entries};
    return &map;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    const BOOL result = OnInitDialog();
    CenterWindow();
    return result;
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    dialog->SubclassWindow(hWnd);
    return AfxCallWndProc(*dialog, hWnd, message, wParam, lParam);
}
