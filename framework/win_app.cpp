#include "framework/win_app.h"

#include <string>

#include "framework/wnd.h"

namespace {

CWinApp* g_pApp = nullptr;

constexpr const char* kFailedToLaunchHelp = "Failed to launch help.";

std::string ModulePath(HINSTANCE hInstance)
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(hInstance, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::size_t NameStart(const std::string& path)
{
    return path.find_last_of("\\/:") + 1;
}

// Where the extension of the path's file name begins: its last dot, or the
// end when the file name has none.
std::size_t ExtensionStart(const std::string& path)
{
    const std::size_t dot = path.rfind('.');
    return dot != std::string::npos && dot >= NameStart(path) ? dot : path.size();
}

}  // namespace

CWinApp::CWinApp()
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    g_pApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

void CWinApp::DoWaitCursor(int nCode)
{
    m_nWaitCursorCount += nCode;
    if (m_nWaitCursorCount > 0) {
        const HCURSOR previous = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
        if (nCode > 0 && m_nWaitCursorCount == 1)
            m_hcurWaitCursorRestore = previous;
    } else {
        m_nWaitCursorCount = 0;
        ::SetCursor(m_hcurWaitCursorRestore);
    }
}

LRESULT CWinApp::ProcessWndProcException(const CException& e, const MSG& msg)
{
    const bool outOfMemory = dynamic_cast<const CMemoryException*>(&e) != nullptr;
    AfxMessageBox(e.GetErrorMessage(), outOfMemory ? MB_ICONEXCLAMATION | MB_SYSTEMMODAL : MB_ICONSTOP);
    // A paint that failed would otherwise be asked for again at once.
    if (msg.message == WM_PAINT)
        ::ValidateRect(msg.hwnd, nullptr);
    return 0;
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    const HWND owner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    if (!::WinHelpA(owner, m_pszHelpFilePath, nCmd, dwData))
        AfxMessageBox(kFailedToLaunchHelp, MB_ICONEXCLAMATION);
}

void CWinApp::OnHelp()
{
    const CWnd* active = CWnd::FromHandlePermanent(CWnd::GetSafeOwner(nullptr));
    if (!active)
        active = m_pMainWnd;
    WinHelp(HID_BASE_RESOURCE + (active ? active->m_nIDHelp : 0));
}

void CWinApp::SetCurrentHandles(HINSTANCE hInstance)
{
    m_hInstance = hInstance;
    const std::string path = ModulePath(hInstance);
    const std::size_t extension = ExtensionStart(path);
    const std::size_t nameStart = NameStart(path);
    m_pszAppName = CString(path.substr(nameStart, extension - nameStart));
    m_pszHelpFilePath = CString(path.substr(0, extension) + ".HLP");
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWnd* AfxGetMainWnd()
{
    return g_pApp ? g_pApp->m_pMainWnd : nullptr;
}

const char* AfxGetAppName()
{
    return g_pApp ? g_pApp->m_pszAppName.GetString() : "";
}

HINSTANCE AfxGetResourceHandle()
{
    return ::GetModuleHandleW(nullptr);
}

int AfxMessageBox(const char* text, UINT nType)
{
    if (!(nType & MB_ICONMASK))
        nType |= MB_ICONEXCLAMATION;
    return ::MessageBoxA(CWnd::GetSafeOwner(nullptr), text, AfxGetAppName(), nType);
}

int CException::ReportError(unsigned int nType) const
{
    return AfxMessageBox(GetErrorMessage(), nType);
}

void AfxWinInit(HINSTANCE hInstance)
{
    // A missing disk or an unreadable file comes back as an error, not as a
    // system dialog.
    ::SetErrorMode(::SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    AfxGetApp()->SetCurrentHandles(hInstance);
}

int AfxWinMain(HINSTANCE hInstance)
{
    AfxWinInit(hInstance);
    CWinApp* app = AfxGetApp();
    // The application runs its windows inside InitInstance; there is no
    // message loop of the framework's own to follow it.
    app->InitInstance();
    return app->ExitInstance();
}
