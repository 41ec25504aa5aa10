#include "framework/file_dialog.h"

#include <algorithm>

namespace {

UINT_PTR CALLBACK CentreWhenShown(HWND hDlg, UINT message, WPARAM, LPARAM lParam)
{
    // The hook's window is a child of the file dialog.
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_INITDONE)
        AfxCenterWindow(::GetParent(hDlg));
    return 0;
}

}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName, DWORD dwFlags,
                         const char* lpszFilter, CWnd* pParentWnd, DWORD dwSize)
    : m_bOpenFileDialog(bOpenFileDialog), m_pParentWnd(pParentWnd), m_strDefExt(lpszDefExt ? lpszDefExt : ""),
      m_strFilter(lpszFilter ? lpszFilter : "")
{
    std::replace(m_strFilter.begin(), m_strFilter.end(), '|', '\0');
    if (lpszFileName)
        lstrcpynA(m_szFileName, lpszFileName, MAX_PATH);
    m_ofn.lStructSize = dwSize ? dwSize : sizeof(m_ofn);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrDefExt = lpszDefExt ? m_strDefExt.c_str() : nullptr;
    m_ofn.lpstrFilter = lpszFilter ? m_strFilter.c_str() : nullptr;
    m_ofn.nFilterIndex = 1;
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLEHOOK;
    m_ofn.lpfnHook = &CentreWhenShown;
}

INT_PTR CFileDialog::DoModal()
{
    const HWND focus = ::GetFocus();
    m_ofn.hwndOwner = CWnd::GetSafeOwner(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
    const BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    if (focus && ::IsWindow(focus))
        ::SetFocus(focus);
    return chosen ? IDOK : IDCANCEL;
}
