#pragma once

#include <windows.h>

#include "framework/ansi_string.h"
#include "framework/cmd_target.h"

class CDataExchange;

// The text of a window as an 8-bit ANSI string.
void AfxGetWindowText(HWND hWnd, CString& text);
// Centres a window over its owner, or in the primary work area when it has
// none, keeping it inside the work area.
void AfxCenterWindow(HWND hWnd);

// A window of the program. Texts go to and from windows as 8-bit strings in
// the ANSI code page; the system converts them for its Unicode windows.
class CWnd : public CCmdTarget {
public:
    CWnd() = default;

    // The object of a window this framework created, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // The window that owns a message box or dialog shown without a parent:
    // the main window's active popup.
    static HWND GetSafeOwner(HWND hParent);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    void SetWindowText(const char* text) const { ::SetWindowTextA(m_hWnd, text); }
    void GetWindowText(CString& text) const { AfxGetWindowText(m_hWnd, text); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    // FALSE: changes are not drawn until redrawing is turned on again.
    void SetRedraw(BOOL bRedraw = TRUE) const { SendMessage(WM_SETREDRAW, bRedraw); }
    void Invalidate(BOOL bErase = TRUE) const { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void SetIcon(HICON hIcon, BOOL bBigIcon) const
    {
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
    }
    void CenterWindow() const { AfxCenterWindow(m_hWnd); }
    // A message box owned by this window; no caption means the application name.
    int MessageBox(const char* text, const char* caption = nullptr, UINT nType = MB_OK) const;

    // Exchanges the data of the window's controls: TRUE reads and checks
    // them, FALSE fills them. FALSE when a check failed or an error was reported.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Takes over the window's messages; undone when it is destroyed, which
    // also clears m_hWnd.
    void SubclassWindow(HWND hWnd);

    HWND m_hWnd = nullptr;
    // The help context of the window's template, 0 for none.
    UINT m_nIDHelp = 0;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    // The processing the window had before this framework took it over, for
    // the message now being handled.
    LRESULT Default();

    const AFX_MSGMAP* GetMessageMap() const override;
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    void OnNcDestroy();

private:
    friend LRESULT AfxCallWndProc(CWnd& wnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_pfnSuper = nullptr;
    MSG m_currentMsg{};
};

// The window procedure of every window this framework has taken over.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Hands one message to wnd: the one place where every handler is called and
// where what a handler raises is caught and reported.
LRESULT AfxCallWndProc(CWnd& wnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
