#include "framework/wnd.h"

#include <new>
#include <string>

#include "framework/data_exchange.h"
#include "framework/win_app.h"

namespace {

RECT WindowRect(HWND hWnd)
{
    RECT rect{};
    ::GetWindowRect(hWnd, &rect);
    return rect;
}

// The start of a span of length size centred on [first, last), kept inside
// [low, high) where it fits.
LONG CentredStart(LONG first, LONG last, LONG size, LONG low, LONG high)
{
    const LONG start = (first + last) / 2 - size / 2;
    if (start + size > high)
        return high - size < low ? low : high - size;
    return start < low ? low : start;
}

}  // namespace

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (!hWnd || ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&AfxWndProc))
        return nullptr;
    return reinterpret_cast<CWnd*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
}

HWND CWnd::GetSafeOwner(HWND hParent)
{
    if (hParent)
        return hParent;
    const CWnd* mainWnd = AfxGetMainWnd();
    if (!mainWnd || !mainWnd->m_hWnd)
        return nullptr;
    return ::GetLastActivePopup(mainWnd->m_hWnd);
}

void AfxGetWindowText(HWND hWnd, CString& text)
{
    std::string buffer(static_cast<std::size_t>(::GetWindowTextLengthA(hWnd)) + 1, '\0');
    buffer.resize(static_cast<std::size_t>(::GetWindowTextA(hWnd, buffer.data(), static_cast<int>(buffer.size()))));
    text = CString(std::move(buffer));
}

void AfxCenterWindow(HWND hWnd)
{
    RECT area{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const HWND owner = ::GetWindow(hWnd, GW_OWNER);
    const bool overOwner = owner && ::IsWindowVisible(owner) && !::IsIconic(owner);
    const RECT centre = overOwner ? WindowRect(owner) : area;
    const RECT own = WindowRect(hWnd);
    const LONG width = own.right - own.left;
    const LONG height = own.bottom - own.top;
    ::SetWindowPos(hWnd, nullptr, CentredStart(centre.left, centre.right, width, area.left, area.right),
                   CentredStart(centre.top, centre.bottom, height, area.top, area.bottom), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::MessageBox(const char* text, const char* caption, UINT nType) const
{
    return ::MessageBoxA(m_hWnd, text, caption ? caption : AfxGetAppName(), nType);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
        return TRUE;
    } catch (const CUserException&) {
        // The failed check has told the user.
    } catch (const CException& e) {
        AfxMessageBox(e.GetErrorMessage(), MB_ICONEXCLAMATION);
    } catch (const std::bad_alloc&) {
        AfxMessageBox(CMemoryException().GetErrorMessage(), MB_ICONEXCLAMATION);
    }
    return FALSE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, result))
        result = Default();
    return result;
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COMMAND)
        return OnCommand(wParam, lParam);
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, 0, 0);
    if (!entry)
        return false;
    result = entry->pfnCall(*this, wParam, lParam);
    return true;
}

bool CWnd::OnCommand(WPARAM wParam, LPARAM)
{
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

LRESULT CWnd::Default()
{
    return ::CallWindowProcW(m_pfnSuper, m_hWnd, m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam);
}

void CWnd::SubclassWindow(HWND hWnd)
{
    m_hWnd = hWnd;
    ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
}

const AFX_MSGMAP* CWnd::GetMessageMap() const
{
    static constexpr AFX_MSGMAP_ENTRY entries[] = {
        MessageEntry<&CWnd::OnHelpInfo>(WM_HELP),
        MessageEntry<&CWnd::OnNcDestroy>(WM_NCDESTROY),
    };
    static const AFX_MSGMAP map{CCmdTarget::GetMessageMap(), entries};
    return &map;
}

// F1 in a top-level window becomes the application's Help command, unless a
// modifier key is held.
BOOL CWnd::OnHelpInfo(HELPINFO*)
{
    CWnd* mainWnd = AfxGetMainWnd();
    const bool modifier = ::GetKeyState(VK_SHIFT) < 0 || ::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0;
    if ((::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_CHILD) || !mainWnd || !mainWnd->m_hWnd || modifier)
        return static_cast<BOOL>(Default());
    mainWnd->SendMessage(WM_COMMAND, ID_HELP);
    return TRUE;
}

void CWnd::OnNcDestroy()
{
    Default();
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this)
        app->m_pMainWnd = nullptr;
}

LRESULT AfxCallWndProc(CWnd& wnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const MSG previous = wnd.m_currentMsg;
    wnd.m_currentMsg = MSG{hWnd, message, wParam, lParam, 0, {}};
    LRESULT result = 0;
    try {
        result = wnd.WindowProc(message, wParam, lParam);
    } catch (const CException& e) {
        result = AfxGetApp()->ProcessWndProcException(e, wnd.m_currentMsg);
    } catch (const std::bad_alloc&) {
        result = AfxGetApp()->ProcessWndProcException(CMemoryException(), wnd.m_currentMsg);
    }
    wnd.m_currentMsg = previous;
    return result;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = reinterpret_cast<CWnd*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    return AfxCallWndProc(*wnd, hWnd, message, wParam, lParam);
}
