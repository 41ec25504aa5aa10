#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

#include "framework/ansi_string.h"
#include "framework/wnd.h"

// The system's Open or Save As dialog, Explorer style, with a hook that
// centres it over its owner when it opens. Paths are 8-bit ANSI strings.
class CFileDialog {
public:
    // lpszFilter: pairs of description and pattern, each followed by '|', the
    // whole ended by another '|'. dwSize: the size of the description handed
    // to the system, 0 for the current one. No parent: the main window's
    // active popup owns the dialog.
    explicit CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt = nullptr, const char* lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr, DWORD dwSize = 0);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK when the user chose a file, IDCANCEL otherwise. The focus goes
    // back to the window that had it.
    INT_PTR DoModal();
    // The full path of the chosen file.
    CString GetPathName() const { return m_ofn.lpstrFile; }

    OPENFILENAMEA m_ofn{};

private:
    BOOL m_bOpenFileDialog;
    CWnd* m_pParentWnd;
    std::string m_strDefExt;
    std::string m_strFilter;
    char m_szFileName[MAX_PATH] = {};
};
